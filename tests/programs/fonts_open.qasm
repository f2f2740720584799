; label: text.fonts
; Fonts found and opened by name: GetAvailableFonts over a folder added with AddFontPath (a copy
; of Vera and a generated bitmap font, listed before the system's fonts), the embedded faces by
; their pseudo names, and names no engine knows. GetAttribute(21, 0, 32): the current font's name.
; call ExitOnError(false)
; call AddFontPath("fontdir")
; fonts = GetAvailableFonts()
; for i = 0, 2 do
; print fonts[i].name, fonts[i].family, fonts[i].bitmap, fonts[i].weight, fonts[i].slant
; end
; sizes = fonts[0].sizes
; print "sizes", sizes[0]
; call SetFont("Pixel", 8)
; print "bitmap", GetLastError(), GetAttribute(21, 0, 32), TextWidth("ABC"), TextHeight("x")
; call SetFont("Bitstream Vera Sans Roman", 16, {engine = 4})
; print "by full name", GetLastError(), GetAttribute(21, 0, 32), TextWidth("Hello")
; call SetFont(":::default_sans", 16)
; print GetAttribute(21, 0, 32), TextWidth("Hello")
; call SetFont(":::default_serif", 16)
; print GetAttribute(21, 0, 32), TextWidth("Hello")
; call SetFont(":::default_mono", 16)
; print GetAttribute(21, 0, 32), TextWidth("iiii"), TextWidth("WWWW")
; call SetFont(":::default_truetype", 16)
; print GetAttribute(21, 0, 32), TextWidth("Hello")
; call SetFont(":::default_bitmap", 8)
; print GetAttribute(21, 0, 32), TextWidth("Hello")
; call SetFont("No Such Font", 12)
; print "unknown", GetLastError()
; call SetFont("No Such Font", 12, {engine = 4})
; print "unknown inbuilt", GetLastError()
; call SetFont("Pixel", 9)
; print "no size 9", GetLastError()
.source "@fonts_open.q"
  .maxstack 35
.lineno 1
  GETGLOBAL r0 "exitonerror"
  LOADBOOL r1 0 0
  CALL r0 2 2
.lineno 2
  GETGLOBAL r0 "addfontpath"
  LOADK r1 "fontdir"
  CALL r0 2 2
.lineno 3
  GETGLOBAL r0 "getavailablefonts"
  CALL r0 1 2
  SETGLOBAL r0 "fonts"
.lineno 4
  LOADK r20 #0
  LOADK r21 #2
  LOADK r22 #1
  SUB r20 r20 r22
  JMP @L1
L2:
  SETGLOBAL r20 "i"
.lineno 5
  GETGLOBAL r27 "debugprint"
  GETGLOBAL r28 "fonts"
  GETGLOBAL r29 "i"
  GETTABLE r28 r28 r29
  GETTABLE r28 r28 "name"
  GETGLOBAL r29 "fonts"
  GETGLOBAL r30 "i"
  GETTABLE r29 r29 r30
  GETTABLE r29 r29 "family"
  GETGLOBAL r30 "fonts"
  GETGLOBAL r31 "i"
  GETTABLE r30 r30 r31
  GETTABLE r30 r30 "bitmap"
  GETGLOBAL r31 "fonts"
  GETGLOBAL r32 "i"
  GETTABLE r31 r31 r32
  GETTABLE r31 r31 "weight"
  GETGLOBAL r32 "fonts"
  GETGLOBAL r33 "i"
  GETTABLE r32 r32 r33
  GETTABLE r32 r32 "slant"
  CALL r27 6 2
.lineno 6
L1:
  FORLOOP r20 @L2
.lineno 7
  GETGLOBAL r0 "fonts"
  LOADK r1 #0
  GETTABLE r0 r0 r1
  GETTABLE r0 r0 "sizes"
  SETGLOBAL r0 "sizes"
.lineno 8
  GETGLOBAL r0 "debugprint"
  LOADK r1 "sizes"
  GETGLOBAL r2 "sizes"
  LOADK r3 #0
  GETTABLE r2 r2 r3
  CALL r0 3 2
.lineno 9
  GETGLOBAL r0 "setfont"
  LOADK r1 "Pixel"
  LOADK r2 #8
  CALL r0 3 2
.lineno 10
  GETGLOBAL r0 "debugprint"
  LOADK r1 "bitmap"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 2
  GETGLOBAL r3 "getattribute"
  LOADK r4 #21
  LOADK r5 #0
  LOADK r6 #32
  CALL r3 4 2
  GETGLOBAL r4 "textwidth"
  LOADK r5 "ABC"
  CALL r4 2 2
  GETGLOBAL r5 "textheight"
  LOADK r6 "x"
  CALL r5 2 0
  CALL r0 0 2
.lineno 11
  GETGLOBAL r0 "setfont"
  LOADK r1 "Bitstream Vera Sans Roman"
  LOADK r2 #16
  NEWTABLE r3 0 4
  LOADK r4 #4
  SETTABLE r3 "engine" r4
  CALL r0 4 2
.lineno 12
  GETGLOBAL r0 "debugprint"
  LOADK r1 "by full name"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 2
  GETGLOBAL r3 "getattribute"
  LOADK r4 #21
  LOADK r5 #0
  LOADK r6 #32
  CALL r3 4 2
  GETGLOBAL r4 "textwidth"
  LOADK r5 "Hello"
  CALL r4 2 0
  CALL r0 0 2
.lineno 13
  GETGLOBAL r0 "setfont"
  LOADK r1 ":::default_sans"
  LOADK r2 #16
  CALL r0 3 2
.lineno 14
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getattribute"
  LOADK r2 #21
  LOADK r3 #0
  LOADK r4 #32
  CALL r1 4 2
  GETGLOBAL r2 "textwidth"
  LOADK r3 "Hello"
  CALL r2 2 0
  CALL r0 0 2
.lineno 15
  GETGLOBAL r0 "setfont"
  LOADK r1 ":::default_serif"
  LOADK r2 #16
  CALL r0 3 2
.lineno 16
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getattribute"
  LOADK r2 #21
  LOADK r3 #0
  LOADK r4 #32
  CALL r1 4 2
  GETGLOBAL r2 "textwidth"
  LOADK r3 "Hello"
  CALL r2 2 0
  CALL r0 0 2
.lineno 17
  GETGLOBAL r0 "setfont"
  LOADK r1 ":::default_mono"
  LOADK r2 #16
  CALL r0 3 2
.lineno 18
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getattribute"
  LOADK r2 #21
  LOADK r3 #0
  LOADK r4 #32
  CALL r1 4 2
  GETGLOBAL r2 "textwidth"
  LOADK r3 "iiii"
  CALL r2 2 2
  GETGLOBAL r3 "textwidth"
  LOADK r4 "WWWW"
  CALL r3 2 0
  CALL r0 0 2
.lineno 19
  GETGLOBAL r0 "setfont"
  LOADK r1 ":::default_truetype"
  LOADK r2 #16
  CALL r0 3 2
.lineno 20
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getattribute"
  LOADK r2 #21
  LOADK r3 #0
  LOADK r4 #32
  CALL r1 4 2
  GETGLOBAL r2 "textwidth"
  LOADK r3 "Hello"
  CALL r2 2 0
  CALL r0 0 2
.lineno 21
  GETGLOBAL r0 "setfont"
  LOADK r1 ":::default_bitmap"
  LOADK r2 #8
  CALL r0 3 2
.lineno 22
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getattribute"
  LOADK r2 #21
  LOADK r3 #0
  LOADK r4 #32
  CALL r1 4 2
  GETGLOBAL r2 "textwidth"
  LOADK r3 "Hello"
  CALL r2 2 0
  CALL r0 0 2
.lineno 23
  GETGLOBAL r0 "setfont"
  LOADK r1 "No Such Font"
  LOADK r2 #12
  CALL r0 3 2
.lineno 24
  GETGLOBAL r0 "debugprint"
  LOADK r1 "unknown"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 2
.lineno 25
  GETGLOBAL r0 "setfont"
  LOADK r1 "No Such Font"
  LOADK r2 #12
  NEWTABLE r3 0 4
  LOADK r4 #4
  SETTABLE r3 "engine" r4
  CALL r0 4 2
.lineno 26
  GETGLOBAL r0 "debugprint"
  LOADK r1 "unknown inbuilt"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 2
.lineno 27
  GETGLOBAL r0 "setfont"
  LOADK r1 "Pixel"
  LOADK r2 #9
  CALL r0 3 2
.lineno 28
  GETGLOBAL r0 "debugprint"
  LOADK r1 "no size 9"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 2
  RETURN r0 1
