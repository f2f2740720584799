; label: text.fonts
; AddFontPath, GetAvailableFonts, FreeGlyphCache and SetDefaultEncoding. The setup lays out the
; bitmap font "tiny" (size 4, 5 pixels a character) in the folder "myfonts".
call ExitOnError(false)
call SetFont("tiny", 4)
print "before the path", GetLastError()
call AddFontPath("myfonts")
print "path", GetLastError()
call AddFontPath("myfonts")
print "same path", GetLastError()
call AddFontPath("no such folder")
print "missing folder", GetLastError()
call SetFont("tiny", 4)
print "after the path", GetLastError(), TextWidth("ABC"), TextHeight("A")
-- The fonts found in the folders: tiny is a bitmap font of one size.
t = GetAvailableFonts()
found = 0
for i = 0, ListItems(t) - 1 do
if t[i].name == "tiny" then
found = t[i]
end
end
print found.name, found.family, found.bitmap, found.weight, found.slant, ListItems(found.sizes), found.sizes[0]
-- Glyph caches: all of them, or those of one font object's font.
call OpenFont(1, ":::default_sans", 12)
call FreeGlyphCache(0)
print "all caches", GetLastError()
call FreeGlyphCache(1, 1)
print "one cache", GetLastError()
call FreeGlyphCache(1, 2)
print "no font 2", GetLastError()
-- The default encoding is what commands use without their own: UTF-8 makes two bytes one
-- character.
call SetFont(":::default_bitmap", 8)
print TextWidth("\xC3\xA9"), TextWidth("\xC3\xA9", 1)
call SetDefaultEncoding(1)
print TextWidth("\xC3\xA9"), TextWidth("\xC3\xA9", 0)
call SetDefaultEncoding(2)
print "encoding 2", GetLastError()
