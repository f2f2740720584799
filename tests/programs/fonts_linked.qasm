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
; call ExitOnError(false)
; function font(id)
; return GetAttribute(43, id, 32), GetAttribute(43, id, 33), GetAttribute(43, id, 34)
; end
; -- The declared bitmap font: glyphs A to C, 6 pixels each, and the fallback for the rest.
; print font(1)
; call UseFont(1)
; print "declared", TextWidth("ABC"), TextWidth("AZ"), TextHeight("x")
; call OpenFont(2, "Pixel.font", 8)
; print font(2)
; call OpenFont(3, "Pixel", 9)
; print "no size 9", GetLastError()
; -- A linked bitmap font is none for the inbuilt engine, which hands it to engine 0.
; call OpenFont(3, "Pixel", 8, {engine = 4})
; print font(3)
; -- The linked TrueType file with the inbuilt engine, as wide as the built-in copy of its face.
; call OpenFont(4, "vera.ttf", 16, {engine = 4})
; print font(4)
; call UseFont(4)
; w = TextWidth("Hello")
; call SetFont(":::default_sans", 16)
; print "vera.ttf", w, TextWidth("Hello")
; -- The same file with engine 0 reaches the platform engine as font data.
; call OpenFont(5, "vera.ttf", 16)
; print font(5)
; -- The platform font behind the platform's own bytes.
; call OpenFont(6, "Box", 20)
; print font(6)
; call UseFont(6)
; print "box", TextWidth("AAA")
.source "@fonts_linked.q"
  .maxstack 8
.lineno 1
  GETGLOBAL r0 "exitonerror"
  LOADBOOL r1 0 0
  CALL r0 2 2
.lineno 2
  CLOSURE r0 f0
  SETGLOBAL r0 "font"
.lineno 6
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "font"
  LOADK r2 #1
  CALL r1 2 0
  CALL r0 0 2
.lineno 7
  GETGLOBAL r0 "usefont"
  LOADK r1 #1
  CALL r0 2 2
.lineno 8
  GETGLOBAL r0 "debugprint"
  LOADK r1 "declared"
  GETGLOBAL r2 "textwidth"
  LOADK r3 "ABC"
  CALL r2 2 2
  GETGLOBAL r3 "textwidth"
  LOADK r4 "AZ"
  CALL r3 2 2
  GETGLOBAL r4 "textheight"
  LOADK r5 "x"
  CALL r4 2 0
  CALL r0 0 2
.lineno 9
  GETGLOBAL r0 "openfont"
  LOADK r1 #2
  LOADK r2 "Pixel.font"
  LOADK r3 #8
  CALL r0 4 2
.lineno 10
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "font"
  LOADK r2 #2
  CALL r1 2 0
  CALL r0 0 2
.lineno 11
  GETGLOBAL r0 "openfont"
  LOADK r1 #3
  LOADK r2 "Pixel"
  LOADK r3 #9
  CALL r0 4 2
.lineno 12
  GETGLOBAL r0 "debugprint"
  LOADK r1 "no size 9"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 2
.lineno 14
  GETGLOBAL r0 "openfont"
  LOADK r1 #3
  LOADK r2 "Pixel"
  LOADK r3 #8
  NEWTABLE r4 0 4
  LOADK r5 #4
  SETTABLE r4 "engine" r5
  CALL r0 5 2
.lineno 15
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "font"
  LOADK r2 #3
  CALL r1 2 0
  CALL r0 0 2
.lineno 17
  GETGLOBAL r0 "openfont"
  LOADK r1 #4
  LOADK r2 "vera.ttf"
  LOADK r3 #16
  NEWTABLE r4 0 4
  LOADK r5 #4
  SETTABLE r4 "engine" r5
  CALL r0 5 2
.lineno 18
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "font"
  LOADK r2 #4
  CALL r1 2 0
  CALL r0 0 2
.lineno 19
  GETGLOBAL r0 "usefont"
  LOADK r1 #4
  CALL r0 2 2
.lineno 20
  GETGLOBAL r0 "textwidth"
  LOADK r1 "Hello"
  CALL r0 2 2
  SETGLOBAL r0 "w"
.lineno 21
  GETGLOBAL r0 "setfont"
  LOADK r1 ":::default_sans"
  LOADK r2 #16
  CALL r0 3 2
.lineno 22
  GETGLOBAL r0 "debugprint"
  LOADK r1 "vera.ttf"
  GETGLOBAL r2 "w"
  GETGLOBAL r3 "textwidth"
  LOADK r4 "Hello"
  CALL r3 2 0
  CALL r0 0 2
.lineno 24
  GETGLOBAL r0 "openfont"
  LOADK r1 #5
  LOADK r2 "vera.ttf"
  LOADK r3 #16
  CALL r0 4 2
.lineno 25
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "font"
  LOADK r2 #5
  CALL r1 2 0
  CALL r0 0 2
.lineno 27
  GETGLOBAL r0 "openfont"
  LOADK r1 #6
  LOADK r2 "Box"
  LOADK r3 #20
  CALL r0 4 2
.lineno 28
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "font"
  LOADK r2 #6
  CALL r1 2 0
  CALL r0 0 2
.lineno 29
  GETGLOBAL r0 "usefont"
  LOADK r1 #6
  CALL r0 2 2
.lineno 30
  GETGLOBAL r0 "debugprint"
  LOADK r1 "box"
  GETGLOBAL r2 "textwidth"
  LOADK r3 "AAA"
  CALL r2 2 0
  CALL r0 0 2
  RETURN r0 1
.function
  .params 1
  .maxstack 8
.lineno 3
  GETGLOBAL r1 "getattribute"
  LOADK r2 #43
  MOVE r3 r0
  LOADK r4 #32
  CALL r1 4 2
  GETGLOBAL r2 "getattribute"
  LOADK r3 #43
  MOVE r4 r0
  LOADK r5 #33
  CALL r2 4 2
  GETGLOBAL r3 "getattribute"
  LOADK r4 #43
  MOVE r5 r0
  LOADK r6 #34
  CALL r3 4 2
  RETURN r1 4
.lineno 4
  RETURN r0 1
.end
