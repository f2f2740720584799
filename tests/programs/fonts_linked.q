; label: text.fonts
; Fonts linked into the applet: a bitmap font (the flags word, then a contents file whose entry is
; the linked size file, placed by the setup), a TrueType file, and a platform font's data behind
; the platform's own bytes (flags 2 and 4). One is declared, the others open by their linked
; names with engines 0 and 4. GetAttribute's font rows of FONT (43): 32 name, 33 size, 34 scalable.
.link "::font:Pixel" "fonts/pixel.chunk"
.link "pixel-8" "fonts/pixel-8.bin"
.link "vera.ttf" "/usr/share/fonts/truetype/ttf-bitstream-vera/Vera.ttf"
.link "::font:Box" "fonts/box.chunk"
.declare font 1 "Pixel" arg1=8
call ExitOnError(false)
function font(id)
return GetAttribute(43, id, 32), GetAttribute(43, id, 33), GetAttribute(43, id, 34)
end
-- The declared bitmap font: glyphs A to C, 6 pixels each, and the fallback for the rest.
print font(1)
call UseFont(1)
print "declared", TextWidth("ABC"), TextWidth("AZ"), TextHeight("x")
call OpenFont(2, "Pixel.font", 8)
print font(2)
call OpenFont(3, "Pixel", 9)
print "no size 9", GetLastError()
-- A linked bitmap font is none for the inbuilt engine, which hands it to engine 0.
call OpenFont(3, "Pixel", 8, {engine = 4})
print font(3)
-- The linked TrueType file with the inbuilt engine, as wide as the built-in copy of its face.
call OpenFont(4, "vera.ttf", 16, {engine = 4})
print font(4)
call UseFont(4)
w = TextWidth("Hello")
call SetFont(":::default_sans", 16)
print "vera.ttf", w, TextWidth("Hello")
-- The same file with engine 0 reaches the platform engine as font data.
call OpenFont(5, "vera.ttf", 16)
print font(5)
-- The platform font behind the platform's own bytes.
call OpenFont(6, "Box", 20)
print font(6)
call UseFont(6)
print "box", TextWidth("AAA")
