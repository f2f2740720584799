; label: text.style
; SetFontStyle's accumulation and clamps, seen in TextExtent of quill's "A" (ink 0..7 across,
; -6..1 about the baseline). Styles: 1 NORMAL, 2 BOLD, 4 ITALIC, 32 SHADOW, 64 EDGE.
call ExitOnError(false)
function ext(label)
t = TextExtent("A")
print label, t.minx, t.maxx, t.miny, t.maxy, t.width, t.height
end
call ext("plain")
-- A shadow distance of 100 and direction 9 become 64 and south-east.
call SetFontStyle(32, $FF0000, 100, 9)
call ext("shadow")
-- Styles add up until NORMAL; an edge size of 0 becomes 1, a fourth argument is ignored.
call SetFontStyle(64, $00FF00, 0, 5)
call ext("edge too")
call SetFontStyle(1)
call ext("normal")
-- Only SHADOW and EDGE take more arguments; a refused call changes nothing.
call SetFontStyle(2, 5)
print "bold", GetLastError()
call SetFontStyle(34, 5)
print "bold and shadow", GetLastError()
call ext("unchanged")
-- The bit alone brings back the colour and sizes set before.
call SetFontStyle(32)
call ext("shadow again")
call SetFontStyle(1)
call SetFontStyle(32, 0, -4, 2)
call ext("shadow east")
-- A font that does not draw bold and italic itself has their ink widened.
call SetFontStyle(1)
call SetFontStyle(6)
call ext("bold italic")
call SetFontStyle(16)
call TextOut(0, 0, "AA")
print "quill antialiased", GetLastError()
