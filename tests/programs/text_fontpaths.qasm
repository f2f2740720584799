; label: text.fonts
; AddFontPath, GetAvailableFonts, FreeGlyphCache and SetDefaultEncoding. The setup lays out the
; bitmap font "tiny" (size 4, 5 pixels a character) in the folder "myfonts".
; call ExitOnError(false)
; call SetFont("tiny", 4)
; print "before the path", GetLastError()
; call AddFontPath("myfonts")
; print "path", GetLastError()
; call AddFontPath("myfonts")
; print "same path", GetLastError()
; call AddFontPath("no such folder")
; print "missing folder", GetLastError()
; call SetFont("tiny", 4)
; print "after the path", GetLastError(), TextWidth("ABC"), TextHeight("A")
; -- The fonts found in the folders: tiny is a bitmap font of one size.
; t = GetAvailableFonts()
; found = 0
; for i = 0, ListItems(t) - 1 do
; if t[i].name == "tiny" then
; found = t[i]
; end
; end
; print found.name, found.family, found.bitmap, found.weight, found.slant, ListItems(found.sizes), found.sizes[0]
; -- Glyph caches: all of them, or those of one font object's font.
; call OpenFont(1, ":::default_sans", 12)
; call FreeGlyphCache(0)
; print "all caches", GetLastError()
; call FreeGlyphCache(1, 1)
; print "one cache", GetLastError()
; call FreeGlyphCache(1, 2)
; print "no font 2", GetLastError()
; -- The default encoding is what commands use without their own: UTF-8 makes two bytes one
; -- character.
; call SetFont(":::default_bitmap", 8)
; print TextWidth("\xC3\xA9"), TextWidth("\xC3\xA9", 1)
; call SetDefaultEncoding(1)
; print TextWidth("\xC3\xA9"), TextWidth("\xC3\xA9", 0)
; call SetDefaultEncoding(2)
; print "encoding 2", GetLastError()
.source "@text_fontpaths.q"
  .maxstack 30
.lineno 1
  GETGLOBAL r0 "exitonerror"
  LOADBOOL r1 0 0
  CALL r0 2 2
.lineno 2
  GETGLOBAL r0 "setfont"
  LOADK r1 "tiny"
  LOADK r2 #4
  CALL r0 3 2
.lineno 3
  GETGLOBAL r0 "debugprint"
  LOADK r1 "before the path"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 2
.lineno 4
  GETGLOBAL r0 "addfontpath"
  LOADK r1 "myfonts"
  CALL r0 2 2
.lineno 5
  GETGLOBAL r0 "debugprint"
  LOADK r1 "path"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 2
.lineno 6
  GETGLOBAL r0 "addfontpath"
  LOADK r1 "myfonts"
  CALL r0 2 2
.lineno 7
  GETGLOBAL r0 "debugprint"
  LOADK r1 "same path"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 2
.lineno 8
  GETGLOBAL r0 "addfontpath"
  LOADK r1 "no such folder"
  CALL r0 2 2
.lineno 9
  GETGLOBAL r0 "debugprint"
  LOADK r1 "missing folder"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 2
.lineno 10
  GETGLOBAL r0 "setfont"
  LOADK r1 "tiny"
  LOADK r2 #4
  CALL r0 3 2
.lineno 11
  GETGLOBAL r0 "debugprint"
  LOADK r1 "after the path"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 2
  GETGLOBAL r3 "textwidth"
  LOADK r4 "ABC"
  CALL r3 2 2
  GETGLOBAL r4 "textheight"
  LOADK r5 "A"
  CALL r4 2 0
  CALL r0 0 2
.lineno 13
  GETGLOBAL r0 "getavailablefonts"
  CALL r0 1 2
  SETGLOBAL r0 "t"
.lineno 14
  LOADK r0 #0
  SETGLOBAL r0 "found"
.lineno 15
  LOADK r20 #0
  GETGLOBAL r21 "listitems"
  GETGLOBAL r22 "t"
  CALL r21 2 2
  LOADK r22 #1
  SUB r21 r21 r22
  LOADK r22 #1
  SUB r20 r20 r22
  JMP @L1
L2:
  SETGLOBAL r20 "i"
.lineno 16
  GETGLOBAL r27 "t"
  GETGLOBAL r28 "i"
  GETTABLE r27 r27 r28
  GETTABLE r27 r27 "name"
  LOADK r28 "tiny"
  EQ 0 r27 r28
  JMP @L4
.lineno 17
  GETGLOBAL r27 "t"
  GETGLOBAL r28 "i"
  GETTABLE r27 r27 r28
  SETGLOBAL r27 "found"
.lineno 18
L4:
.lineno 19
L1:
  FORLOOP r20 @L2
.lineno 20
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "found"
  GETTABLE r1 r1 "name"
  GETGLOBAL r2 "found"
  GETTABLE r2 r2 "family"
  GETGLOBAL r3 "found"
  GETTABLE r3 r3 "bitmap"
  GETGLOBAL r4 "found"
  GETTABLE r4 r4 "weight"
  GETGLOBAL r5 "found"
  GETTABLE r5 r5 "slant"
  GETGLOBAL r6 "listitems"
  GETGLOBAL r7 "found"
  GETTABLE r7 r7 "sizes"
  CALL r6 2 2
  GETGLOBAL r7 "found"
  GETTABLE r7 r7 "sizes"
  LOADK r8 #0
  GETTABLE r7 r7 r8
  CALL r0 8 2
.lineno 22
  GETGLOBAL r0 "openfont"
  LOADK r1 #1
  LOADK r2 ":::default_sans"
  LOADK r3 #12
  CALL r0 4 2
.lineno 23
  GETGLOBAL r0 "freeglyphcache"
  LOADK r1 #0
  CALL r0 2 2
.lineno 24
  GETGLOBAL r0 "debugprint"
  LOADK r1 "all caches"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 2
.lineno 25
  GETGLOBAL r0 "freeglyphcache"
  LOADK r1 #1
  LOADK r2 #1
  CALL r0 3 2
.lineno 26
  GETGLOBAL r0 "debugprint"
  LOADK r1 "one cache"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 2
.lineno 27
  GETGLOBAL r0 "freeglyphcache"
  LOADK r1 #1
  LOADK r2 #2
  CALL r0 3 2
.lineno 28
  GETGLOBAL r0 "debugprint"
  LOADK r1 "no font 2"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 2
.lineno 31
  GETGLOBAL r0 "setfont"
  LOADK r1 ":::default_bitmap"
  LOADK r2 #8
  CALL r0 3 2
.lineno 32
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "textwidth"
  LOADK r2 "\xC3\xA9"
  CALL r1 2 2
  GETGLOBAL r2 "textwidth"
  LOADK r3 "\xC3\xA9"
  LOADK r4 #1
  CALL r2 3 0
  CALL r0 0 2
.lineno 33
  GETGLOBAL r0 "setdefaultencoding"
  LOADK r1 #1
  CALL r0 2 2
.lineno 34
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "textwidth"
  LOADK r2 "\xC3\xA9"
  CALL r1 2 2
  GETGLOBAL r2 "textwidth"
  LOADK r3 "\xC3\xA9"
  LOADK r4 #0
  CALL r2 3 0
  CALL r0 0 2
.lineno 35
  GETGLOBAL r0 "setdefaultencoding"
  LOADK r1 #2
  CALL r0 2 2
.lineno 36
  GETGLOBAL r0 "debugprint"
  LOADK r1 "encoding 2"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 2
  RETURN r0 1
