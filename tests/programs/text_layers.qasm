; label: text.layers
; With layers on, Print and TextOut make PRINT (11) and TEXTOUT (9) layers that keep their text
; and render it again when their style changes. GetAttribute LAYER (22): 9 type, 0 width,
; 1 height, 7 x, 8 y, 36 the text, 30..35 the font rows (ascender, descender, name, size,
; scalable, anti-alias). quill is 8 pixels a character.
; call ExitOnError(false)
; call EnableLayers()
; function layer(n)
; print GetAttribute(22, n, 9), GetAttribute(22, n, 0), GetAttribute(22, n, 1), GetAttribute(22, n, 7), GetAttribute(22, n, 8), GetAttribute(22, n, 36)
; end
; call Locate(16, 8)
; call Print("Hello")
; call layer(1)
; print "cursor", GetAttribute(21, 0, 21), GetAttribute(21, 0, 22)
; call TextOut(100, 50, "Text out")
; call layer(2)
; print GetAttribute(22, 2, 32), GetAttribute(22, 2, 33), GetAttribute(22, 2, 30), GetAttribute(22, 2, 31), GetAttribute(22, 2, 34), GetAttribute(22, 2, 35)
; -- Other layers hold no text.
; call CreateBrush(1, 4, 4)
; call DisplayBrush(1, 0, 0)
; call GetAttribute(22, 3, 36)
; print "brush layer", GetLastError()
; -- EDGE and SHADOW become the layer's border and shadow, the colour's transparency the layer's.
; call SetFontStyle(64, $00FF00, 3)
; call SetFontStyle(32, $0000FF, 5, 4)
; call SetFontColor($80FF0000)
; call TextOut(200, 200, "Effects")
; t = GetLayerStyle(4)
; print t.border, t.bordercolor, t.bordersize, t.shadow, t.shadowcolor, t.shadowsize, t.shadowdir, t.fontstyle, t.transparency, t.color
; call SetFontStyle(1)
; call SetFontColor($FFFFFF)
; -- A new text renders for real: the layer takes its size.
; call SetLayerStyle(2, {text = "A longer text out"})
; call layer(2)
; call SetLayerStyle(2, {text = "two\nlines"})
; call layer(2)
; -- So does a new font; one that does not open leaves the layer as it was.
; call SetLayerStyle(2, {font = ":::default_sans", fontsize = 20})
; print GetAttribute(22, 2, 32), GetAttribute(22, 2, 33), GetAttribute(22, 2, 1), GetAttribute(22, 2, 34), GetAttribute(22, 2, 35)
; call SetLayerStyle(2, {font = "No Such Family", fontsize = 12})
; print "unknown font", GetLastError(), GetAttribute(22, 2, 32), GetAttribute(22, 2, 33)
; call SetLayerStyle(2, {font = "fonts/Vera.ttf"})
; print "font file", GetLastError(), GetAttribute(22, 2, 32)
; -- A tag error in a new text leaves no layer without content.
; call SetLayerStyle(2, {text = "[bold]"})
; print "tag error", GetLastError(), GetAttribute(22, 2, 36)
.source "@text_layers.q"
  .maxstack 12
.lineno 1
  GETGLOBAL r0 "exitonerror"
  LOADBOOL r1 0 0
  CALL r0 2 2
.lineno 2
  GETGLOBAL r0 "enablelayers"
  CALL r0 1 2
.lineno 3
  CLOSURE r0 f0
  SETGLOBAL r0 "layer"
.lineno 6
  GETGLOBAL r0 "locate"
  LOADK r1 #16
  LOADK r2 #8
  CALL r0 3 2
.lineno 7
  GETGLOBAL r0 "print"
  LOADK r1 "Hello"
  CALL r0 2 2
.lineno 8
  GETGLOBAL r0 "layer"
  LOADK r1 #1
  CALL r0 2 2
.lineno 9
  GETGLOBAL r0 "debugprint"
  LOADK r1 "cursor"
  GETGLOBAL r2 "getattribute"
  LOADK r3 #21
  LOADK r4 #0
  LOADK r5 #21
  CALL r2 4 2
  GETGLOBAL r3 "getattribute"
  LOADK r4 #21
  LOADK r5 #0
  LOADK r6 #22
  CALL r3 4 0
  CALL r0 0 2
.lineno 10
  GETGLOBAL r0 "textout"
  LOADK r1 #100
  LOADK r2 #50
  LOADK r3 "Text out"
  CALL r0 4 2
.lineno 11
  GETGLOBAL r0 "layer"
  LOADK r1 #2
  CALL r0 2 2
.lineno 12
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getattribute"
  LOADK r2 #22
  LOADK r3 #2
  LOADK r4 #32
  CALL r1 4 2
  GETGLOBAL r2 "getattribute"
  LOADK r3 #22
  LOADK r4 #2
  LOADK r5 #33
  CALL r2 4 2
  GETGLOBAL r3 "getattribute"
  LOADK r4 #22
  LOADK r5 #2
  LOADK r6 #30
  CALL r3 4 2
  GETGLOBAL r4 "getattribute"
  LOADK r5 #22
  LOADK r6 #2
  LOADK r7 #31
  CALL r4 4 2
  GETGLOBAL r5 "getattribute"
  LOADK r6 #22
  LOADK r7 #2
  LOADK r8 #34
  CALL r5 4 2
  GETGLOBAL r6 "getattribute"
  LOADK r7 #22
  LOADK r8 #2
  LOADK r9 #35
  CALL r6 4 0
  CALL r0 0 2
.lineno 14
  GETGLOBAL r0 "createbrush"
  LOADK r1 #1
  LOADK r2 #4
  LOADK r3 #4
  CALL r0 4 2
.lineno 15
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #1
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 16
  GETGLOBAL r0 "getattribute"
  LOADK r1 #22
  LOADK r2 #3
  LOADK r3 #36
  CALL r0 4 2
.lineno 17
  GETGLOBAL r0 "debugprint"
  LOADK r1 "brush layer"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 2
.lineno 19
  GETGLOBAL r0 "setfontstyle"
  LOADK r1 #64
  LOADK r2 #65280
  LOADK r3 #3
  CALL r0 4 2
.lineno 20
  GETGLOBAL r0 "setfontstyle"
  LOADK r1 #32
  LOADK r2 #255
  LOADK r3 #5
  LOADK r4 #4
  CALL r0 5 2
.lineno 21
  GETGLOBAL r0 "setfontcolor"
  LOADK r1 #2164195328
  CALL r0 2 2
.lineno 22
  GETGLOBAL r0 "textout"
  LOADK r1 #200
  LOADK r2 #200
  LOADK r3 "Effects"
  CALL r0 4 2
.lineno 23
  GETGLOBAL r0 "getlayerstyle"
  LOADK r1 #4
  CALL r0 2 2
  SETGLOBAL r0 "t"
.lineno 24
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "t"
  GETTABLE r1 r1 "border"
  GETGLOBAL r2 "t"
  GETTABLE r2 r2 "bordercolor"
  GETGLOBAL r3 "t"
  GETTABLE r3 r3 "bordersize"
  GETGLOBAL r4 "t"
  GETTABLE r4 r4 "shadow"
  GETGLOBAL r5 "t"
  GETTABLE r5 r5 "shadowcolor"
  GETGLOBAL r6 "t"
  GETTABLE r6 r6 "shadowsize"
  GETGLOBAL r7 "t"
  GETTABLE r7 r7 "shadowdir"
  GETGLOBAL r8 "t"
  GETTABLE r8 r8 "fontstyle"
  GETGLOBAL r9 "t"
  GETTABLE r9 r9 "transparency"
  GETGLOBAL r10 "t"
  GETTABLE r10 r10 "color"
  CALL r0 11 2
.lineno 25
  GETGLOBAL r0 "setfontstyle"
  LOADK r1 #1
  CALL r0 2 2
.lineno 26
  GETGLOBAL r0 "setfontcolor"
  LOADK r1 #16777215
  CALL r0 2 2
.lineno 28
  GETGLOBAL r0 "setlayerstyle"
  LOADK r1 #2
  NEWTABLE r2 0 4
  LOADK r3 "A longer text out"
  SETTABLE r2 "text" r3
  CALL r0 3 2
.lineno 29
  GETGLOBAL r0 "layer"
  LOADK r1 #2
  CALL r0 2 2
.lineno 30
  GETGLOBAL r0 "setlayerstyle"
  LOADK r1 #2
  NEWTABLE r2 0 4
  LOADK r3 "two\nlines"
  SETTABLE r2 "text" r3
  CALL r0 3 2
.lineno 31
  GETGLOBAL r0 "layer"
  LOADK r1 #2
  CALL r0 2 2
.lineno 33
  GETGLOBAL r0 "setlayerstyle"
  LOADK r1 #2
  NEWTABLE r2 0 4
  LOADK r3 ":::default_sans"
  SETTABLE r2 "font" r3
  LOADK r3 #20
  SETTABLE r2 "fontsize" r3
  CALL r0 3 2
.lineno 34
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getattribute"
  LOADK r2 #22
  LOADK r3 #2
  LOADK r4 #32
  CALL r1 4 2
  GETGLOBAL r2 "getattribute"
  LOADK r3 #22
  LOADK r4 #2
  LOADK r5 #33
  CALL r2 4 2
  GETGLOBAL r3 "getattribute"
  LOADK r4 #22
  LOADK r5 #2
  LOADK r6 #1
  CALL r3 4 2
  GETGLOBAL r4 "getattribute"
  LOADK r5 #22
  LOADK r6 #2
  LOADK r7 #34
  CALL r4 4 2
  GETGLOBAL r5 "getattribute"
  LOADK r6 #22
  LOADK r7 #2
  LOADK r8 #35
  CALL r5 4 0
  CALL r0 0 2
.lineno 35
  GETGLOBAL r0 "setlayerstyle"
  LOADK r1 #2
  NEWTABLE r2 0 4
  LOADK r3 "No Such Family"
  SETTABLE r2 "font" r3
  LOADK r3 #12
  SETTABLE r2 "fontsize" r3
  CALL r0 3 2
.lineno 36
  GETGLOBAL r0 "debugprint"
  LOADK r1 "unknown font"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 2
  GETGLOBAL r3 "getattribute"
  LOADK r4 #22
  LOADK r5 #2
  LOADK r6 #32
  CALL r3 4 2
  GETGLOBAL r4 "getattribute"
  LOADK r5 #22
  LOADK r6 #2
  LOADK r7 #33
  CALL r4 4 0
  CALL r0 0 2
.lineno 37
  GETGLOBAL r0 "setlayerstyle"
  LOADK r1 #2
  NEWTABLE r2 0 4
  LOADK r3 "fonts/Vera.ttf"
  SETTABLE r2 "font" r3
  CALL r0 3 2
.lineno 38
  GETGLOBAL r0 "debugprint"
  LOADK r1 "font file"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 2
  GETGLOBAL r3 "getattribute"
  LOADK r4 #22
  LOADK r5 #2
  LOADK r6 #32
  CALL r3 4 0
  CALL r0 0 2
.lineno 40
  GETGLOBAL r0 "setlayerstyle"
  LOADK r1 #2
  NEWTABLE r2 0 4
  LOADK r3 "[bold]"
  SETTABLE r2 "text" r3
  CALL r0 3 2
.lineno 41
  GETGLOBAL r0 "debugprint"
  LOADK r1 "tag error"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 2
  GETGLOBAL r3 "getattribute"
  LOADK r4 #22
  LOADK r5 #2
  LOADK r6 #36
  CALL r3 4 0
  CALL r0 0 2
  RETURN r0 1
.function
  .params 1
  .maxstack 12
.lineno 4
  GETGLOBAL r1 "debugprint"
  GETGLOBAL r2 "getattribute"
  LOADK r3 #22
  MOVE r4 r0
  LOADK r5 #9
  CALL r2 4 2
  GETGLOBAL r3 "getattribute"
  LOADK r4 #22
  MOVE r5 r0
  LOADK r6 #0
  CALL r3 4 2
  GETGLOBAL r4 "getattribute"
  LOADK r5 #22
  MOVE r6 r0
  LOADK r7 #1
  CALL r4 4 2
  GETGLOBAL r5 "getattribute"
  LOADK r6 #22
  MOVE r7 r0
  LOADK r8 #7
  CALL r5 4 2
  GETGLOBAL r6 "getattribute"
  LOADK r7 #22
  MOVE r8 r0
  LOADK r9 #8
  CALL r6 4 2
  GETGLOBAL r7 "getattribute"
  LOADK r8 #22
  MOVE r9 r0
  LOADK r10 #36
  CALL r7 4 0
  CALL r1 0 2
.lineno 5
  RETURN r0 1
.end
