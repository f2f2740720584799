; label: text.fonts
; Fonts found and opened by name: GetAvailableFonts over a folder added with AddFontPath (a copy
; of Vera and a generated bitmap font, listed before the system's fonts), the embedded faces by
; their pseudo names, and names no engine knows. GetAttribute(21, 0, 32): the current font's name.
call ExitOnError(false)
call AddFontPath("fontdir")
fonts = GetAvailableFonts()
for i = 0, 2 do
print fonts[i].name, fonts[i].family, fonts[i].bitmap, fonts[i].weight, fonts[i].slant
end
sizes = fonts[0].sizes
print "sizes", sizes[0]
call SetFont("Pixel", 8)
print "bitmap", GetLastError(), GetAttribute(21, 0, 32), TextWidth("ABC"), TextHeight("x")
call SetFont("Bitstream Vera Sans Roman", 16, {engine = 4})
print "by full name", GetLastError(), GetAttribute(21, 0, 32), TextWidth("Hello")
call SetFont(":::default_sans", 16)
print GetAttribute(21, 0, 32), TextWidth("Hello")
call SetFont(":::default_serif", 16)
print GetAttribute(21, 0, 32), TextWidth("Hello")
call SetFont(":::default_mono", 16)
print GetAttribute(21, 0, 32), TextWidth("iiii"), TextWidth("WWWW")
call SetFont(":::default_truetype", 16)
print GetAttribute(21, 0, 32), TextWidth("Hello")
call SetFont(":::default_bitmap", 8)
print GetAttribute(21, 0, 32), TextWidth("Hello")
call SetFont("No Such Font", 12)
print "unknown", GetLastError()
call SetFont("No Such Font", 12, {engine = 4})
print "unknown inbuilt", GetLastError()
call SetFont("Pixel", 9)
print "no size 9", GetLastError()
