; label: layers.style
; Text, shape and path content of layers through the player: conversions with their mandatory keys,
; the content keys and their errors, and GetLayerStyle's answers. Layer kinds: 3 BRUSH, 9 TEXTOUT,
; 11 PRINT, 14 BOX, 15 CIRCLE, 16 ELLIPSE, 17 LINE, 27 POLYGON, 31 ARC, 49 VECTORPATH.
; call ExitOnError(false)
; call CreateBrush(1, 20, 10, $FF0000)
; call EnableLayers()
; call DisplayBrush(1, 10, 10)
; -- A conversion without its mandatory key fails and leaves the layer as it was.
; call SetLayerStyle(1, {type = 11, x = 30})
; e = GetLastError()
; t = GetLayerStyle(1)
; print e, t.id, t.x
; -- A print layer starts from the text library's font and style and the display's cursor and margins.
; call SetLayerStyle(1, {type = 11, text = "Hello", x = 30})
; t = GetLayerStyle(1)
; print t.text, t.font, t.fontsize, t.fontstyle, t.color, t.leftmargin, t.rightmargin, t.encoding, t.x, t.y
; -- Tabs: 31 are kept, a 32nd is an internal limit, a non-number is refused; nothing changes on an error.
; tabs = {}
; for i = 0, 30 do
; tabs[i] = 300 - i * 10
; end
; call SetLayerStyle(1, {tabs = tabs, text = "31 tabs"})
; tabs[31] = 5
; call SetLayerStyle(1, {tabs = tabs, text = "32 tabs"})
; e = GetLastError()
; t = GetLayerStyle(1)
; print e, t.text
; bad = {}
; bad[0] = "ten"
; call SetLayerStyle(1, {tabs = bad})
; print GetLastError()
; -- Font style: SHADOW and EDGE switch the layer's shadow and border, NORMAL makes the text plain and
; -- leaves them alone, "fontstyleclear" takes them away.
; call SetLayerStyle(1, {fontstyle = 32 + 2})
; t = GetLayerStyle(1)
; print t.fontstyle, t.shadow, t.border
; call SetLayerStyle(1, {fontstyle = 1 + 32 + 64})
; t = GetLayerStyle(1)
; print t.fontstyle, t.shadow, t.border
; call SetLayerStyle(1, {fontstyleclear = 32})
; t = GetLayerStyle(1)
; print t.shadow
; -- Encoding, margins and cursor.
; call SetLayerStyle(1, {encoding = 2})
; print GetLastError()
; call SetLayerStyle(1, {leftmargin = -1})
; print GetLastError()
; call SetLayerStyle(1, {cursorx = 5, x = 3})
; print GetLastError()
; call SetLayerStyle(1, {cursory = -100000})
; print GetLastError()
; call SetLayerStyle(1, {encoding = 1, leftmargin = 4, rightmargin = 200, cursorx = 7, font = "quill", fontsize = 8})
; t = GetLayerStyle(1)
; print t.encoding, t.leftmargin, t.rightmargin, t.x
; -- Print and TextOut turn into each other keeping the whole text; TextOut reads "align".
; call SetLayerStyle(1, {type = 9, align = -80000})
; t = GetLayerStyle(1)
; print t.text, t.align, t.encoding, t.rightmargin
; -- Shapes: a box in the layer's place, then a circle, which needs its radius (its content is 11 x 11;
; -- the layer keeps the on-screen size that DisplayBrush gave it).
; call SetLayerStyle(1, {type = 14, color = $00FF00, sizex = 12, sizey = 6, roundlevel = 30, formstyle = 16})
; t = GetLayerStyle(1)
; print t.color, t.sizex, t.sizey, t.roundlevel, t.formstyle, t.fillstyle, t.x, t.y
; call SetLayerStyle(1, {cornerb = 150})
; t = GetLayerStyle(1)
; print t.cornera, t.cornerb, t.cornerc
; call SetLayerStyle(1, {type = 15})
; print GetLastError()
; call SetLayerStyle(1, {type = 15, radius = 5})
; t = GetLayerStyle(1)
; print t.radius, t.color, t.formstyle, GetAttribute(22, 1, 67), GetAttribute(22, 1, 68)
; -- Round shapes carry their radii to one another; an arc needs its angles.
; call SetLayerStyle(1, {type = 16, radiusb = 3})
; t = GetLayerStyle(1)
; print t.radiusa, t.radiusb
; call SetLayerStyle(1, {type = 31})
; print GetLastError()
; call SetLayerStyle(1, {type = 31, startangle = 0, endangle = 90, clockwise = 1})
; t = GetLayerStyle(1)
; print t.startangle, t.endangle, t.clockwise, t.radiusa, t.radiusb
; call SetLayerStyle(1, {radiusa = 0})
; print GetLastError()
; -- A line stands at the top-left of its end points, which move with it.
; call SetLayerStyle(1, {type = 17, x1 = 40, y1 = 50, x2 = 20, y2 = 60, x = 0, thickness = 99})
; t = GetLayerStyle(1)
; print t.x, t.y, t.x1, t.y1, t.x2, t.y2, t.thickness
; call TranslateLayer(1, 5, -5)
; call SetLayerStyle(1, {x = 0})
; t = GetLayerStyle(1)
; print t.x, t.y, t.x1, t.y1, t.x2, t.y2
; -- A polygon is placed at x and y plus its vertices' corner, and keeps them closed and moved to 0, 0.
; v = {}
; v[0] = 10
; v[1] = 20
; v[2] = 30
; v[3] = 20
; v[4] = 20
; v[5] = 40
; call SetLayerStyle(1, {type = 27})
; print GetLastError()
; call SetLayerStyle(1, {type = 27, vertices = v, x = 100, y = 100})
; t = GetLayerStyle(1)
; print t.x, t.y, t.numvertices, t.vertices[2], t.vertices[3], t.vertices[6], t.vertices[7], GetAttribute(22, 1, 67), GetAttribute(22, 1, 68)
; -- GetLayerStyle's answer set again changes nothing.
; call SetLayerStyle(1, GetLayerStyle(1))
; t = GetLayerStyle(1)
; print t.x, t.y, t.numvertices, t.formstyle, t.transform[0], t.transform[3]
; -- No path exists yet, so a path layer cannot be made; the layer stays a polygon.
; call SetLayerStyle(1, {type = 49, id = 7})
; e = GetLastError()
; t = GetLayerStyle(1)
; print e, t.numvertices
; -- Back to the brush.
; call SetLayerStyle(1, {type = 3, id = 1})
; t = GetLayerStyle(1)
; print t.id, t.partwidth, t.partheight
.source "@layer_style_content.q"
  .maxstack 32
.lineno 1
  GETGLOBAL r0 "exitonerror"
  LOADBOOL r1 0 0
  CALL r0 2 2
.lineno 2
  GETGLOBAL r0 "createbrush"
  LOADK r1 #1
  LOADK r2 #20
  LOADK r3 #10
  LOADK r4 #16711680
  CALL r0 5 2
.lineno 3
  GETGLOBAL r0 "enablelayers"
  CALL r0 1 2
.lineno 4
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #1
  LOADK r2 #10
  LOADK r3 #10
  CALL r0 4 2
.lineno 6
  GETGLOBAL r0 "setlayerstyle"
  LOADK r1 #1
  NEWTABLE r2 0 4
  LOADK r3 #11
  SETTABLE r2 "type" r3
  LOADK r3 #30
  SETTABLE r2 "x" r3
  CALL r0 3 2
.lineno 7
  GETGLOBAL r0 "getlasterror"
  CALL r0 1 2
  SETGLOBAL r0 "e"
.lineno 8
  GETGLOBAL r0 "getlayerstyle"
  LOADK r1 #1
  CALL r0 2 2
  SETGLOBAL r0 "t"
.lineno 9
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "e"
  GETGLOBAL r2 "t"
  GETTABLE r2 r2 "id"
  GETGLOBAL r3 "t"
  GETTABLE r3 r3 "x"
  CALL r0 4 2
.lineno 11
  GETGLOBAL r0 "setlayerstyle"
  LOADK r1 #1
  NEWTABLE r2 0 4
  LOADK r3 #11
  SETTABLE r2 "type" r3
  LOADK r3 "Hello"
  SETTABLE r2 "text" r3
  LOADK r3 #30
  SETTABLE r2 "x" r3
  CALL r0 3 2
.lineno 12
  GETGLOBAL r0 "getlayerstyle"
  LOADK r1 #1
  CALL r0 2 2
  SETGLOBAL r0 "t"
.lineno 13
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "t"
  GETTABLE r1 r1 "text"
  GETGLOBAL r2 "t"
  GETTABLE r2 r2 "font"
  GETGLOBAL r3 "t"
  GETTABLE r3 r3 "fontsize"
  GETGLOBAL r4 "t"
  GETTABLE r4 r4 "fontstyle"
  GETGLOBAL r5 "t"
  GETTABLE r5 r5 "color"
  GETGLOBAL r6 "t"
  GETTABLE r6 r6 "leftmargin"
  GETGLOBAL r7 "t"
  GETTABLE r7 r7 "rightmargin"
  GETGLOBAL r8 "t"
  GETTABLE r8 r8 "encoding"
  GETGLOBAL r9 "t"
  GETTABLE r9 r9 "x"
  GETGLOBAL r10 "t"
  GETTABLE r10 r10 "y"
  CALL r0 11 2
.lineno 15
  NEWTABLE r0 0 4
  SETGLOBAL r0 "tabs"
.lineno 16
  LOADK r20 #0
  LOADK r21 #30
  LOADK r22 #1
  SUB r20 r20 r22
  JMP @L1
L2:
  SETGLOBAL r20 "i"
.lineno 17
  GETGLOBAL r27 "tabs"
  GETGLOBAL r28 "i"
  LOADK r29 #300
  GETGLOBAL r30 "i"
  SUB r29 r29 r30
  LOADK r30 #10
  MUL r29 r29 r30
  SETTABLE r27 r28 r29
.lineno 18
L1:
  FORLOOP r20 @L2
.lineno 19
  GETGLOBAL r0 "setlayerstyle"
  LOADK r1 #1
  NEWTABLE r2 0 4
  GETGLOBAL r3 "tabs"
  SETTABLE r2 "tabs" r3
  LOADK r3 "31 tabs"
  SETTABLE r2 "text" r3
  CALL r0 3 2
.lineno 20
  GETGLOBAL r0 "tabs"
  LOADK r1 #31
  LOADK r2 #5
  SETTABLE r0 r1 r2
.lineno 21
  GETGLOBAL r0 "setlayerstyle"
  LOADK r1 #1
  NEWTABLE r2 0 4
  GETGLOBAL r3 "tabs"
  SETTABLE r2 "tabs" r3
  LOADK r3 "32 tabs"
  SETTABLE r2 "text" r3
  CALL r0 3 2
.lineno 22
  GETGLOBAL r0 "getlasterror"
  CALL r0 1 2
  SETGLOBAL r0 "e"
.lineno 23
  GETGLOBAL r0 "getlayerstyle"
  LOADK r1 #1
  CALL r0 2 2
  SETGLOBAL r0 "t"
.lineno 24
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "e"
  GETGLOBAL r2 "t"
  GETTABLE r2 r2 "text"
  CALL r0 3 2
.lineno 25
  NEWTABLE r0 0 4
  SETGLOBAL r0 "bad"
.lineno 26
  GETGLOBAL r0 "bad"
  LOADK r1 #0
  LOADK r2 "ten"
  SETTABLE r0 r1 r2
.lineno 27
  GETGLOBAL r0 "setlayerstyle"
  LOADK r1 #1
  NEWTABLE r2 0 4
  GETGLOBAL r3 "bad"
  SETTABLE r2 "tabs" r3
  CALL r0 3 2
.lineno 28
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getlasterror"
  CALL r1 1 0
  CALL r0 0 2
.lineno 31
  GETGLOBAL r0 "setlayerstyle"
  LOADK r1 #1
  NEWTABLE r2 0 4
  LOADK r3 #32
  LOADK r4 #2
  ADD r3 r3 r4
  SETTABLE r2 "fontstyle" r3
  CALL r0 3 2
.lineno 32
  GETGLOBAL r0 "getlayerstyle"
  LOADK r1 #1
  CALL r0 2 2
  SETGLOBAL r0 "t"
.lineno 33
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "t"
  GETTABLE r1 r1 "fontstyle"
  GETGLOBAL r2 "t"
  GETTABLE r2 r2 "shadow"
  GETGLOBAL r3 "t"
  GETTABLE r3 r3 "border"
  CALL r0 4 2
.lineno 34
  GETGLOBAL r0 "setlayerstyle"
  LOADK r1 #1
  NEWTABLE r2 0 4
  LOADK r3 #1
  LOADK r4 #32
  ADD r3 r3 r4
  LOADK r4 #64
  ADD r3 r3 r4
  SETTABLE r2 "fontstyle" r3
  CALL r0 3 2
.lineno 35
  GETGLOBAL r0 "getlayerstyle"
  LOADK r1 #1
  CALL r0 2 2
  SETGLOBAL r0 "t"
.lineno 36
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "t"
  GETTABLE r1 r1 "fontstyle"
  GETGLOBAL r2 "t"
  GETTABLE r2 r2 "shadow"
  GETGLOBAL r3 "t"
  GETTABLE r3 r3 "border"
  CALL r0 4 2
.lineno 37
  GETGLOBAL r0 "setlayerstyle"
  LOADK r1 #1
  NEWTABLE r2 0 4
  LOADK r3 #32
  SETTABLE r2 "fontstyleclear" r3
  CALL r0 3 2
.lineno 38
  GETGLOBAL r0 "getlayerstyle"
  LOADK r1 #1
  CALL r0 2 2
  SETGLOBAL r0 "t"
.lineno 39
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "t"
  GETTABLE r1 r1 "shadow"
  CALL r0 2 2
.lineno 41
  GETGLOBAL r0 "setlayerstyle"
  LOADK r1 #1
  NEWTABLE r2 0 4
  LOADK r3 #2
  SETTABLE r2 "encoding" r3
  CALL r0 3 2
.lineno 42
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getlasterror"
  CALL r1 1 0
  CALL r0 0 2
.lineno 43
  GETGLOBAL r0 "setlayerstyle"
  LOADK r1 #1
  NEWTABLE r2 0 4
  LOADK r3 #-1
  SETTABLE r2 "leftmargin" r3
  CALL r0 3 2
.lineno 44
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getlasterror"
  CALL r1 1 0
  CALL r0 0 2
.lineno 45
  GETGLOBAL r0 "setlayerstyle"
  LOADK r1 #1
  NEWTABLE r2 0 4
  LOADK r3 #5
  SETTABLE r2 "cursorx" r3
  LOADK r3 #3
  SETTABLE r2 "x" r3
  CALL r0 3 2
.lineno 46
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getlasterror"
  CALL r1 1 0
  CALL r0 0 2
.lineno 47
  GETGLOBAL r0 "setlayerstyle"
  LOADK r1 #1
  NEWTABLE r2 0 4
  LOADK r3 #-100000
  SETTABLE r2 "cursory" r3
  CALL r0 3 2
.lineno 48
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getlasterror"
  CALL r1 1 0
  CALL r0 0 2
.lineno 49
  GETGLOBAL r0 "setlayerstyle"
  LOADK r1 #1
  NEWTABLE r2 0 4
  LOADK r3 #1
  SETTABLE r2 "encoding" r3
  LOADK r3 #4
  SETTABLE r2 "leftmargin" r3
  LOADK r3 #200
  SETTABLE r2 "rightmargin" r3
  LOADK r3 #7
  SETTABLE r2 "cursorx" r3
  LOADK r3 "quill"
  SETTABLE r2 "font" r3
  LOADK r3 #8
  SETTABLE r2 "fontsize" r3
  CALL r0 3 2
.lineno 50
  GETGLOBAL r0 "getlayerstyle"
  LOADK r1 #1
  CALL r0 2 2
  SETGLOBAL r0 "t"
.lineno 51
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "t"
  GETTABLE r1 r1 "encoding"
  GETGLOBAL r2 "t"
  GETTABLE r2 r2 "leftmargin"
  GETGLOBAL r3 "t"
  GETTABLE r3 r3 "rightmargin"
  GETGLOBAL r4 "t"
  GETTABLE r4 r4 "x"
  CALL r0 5 2
.lineno 53
  GETGLOBAL r0 "setlayerstyle"
  LOADK r1 #1
  NEWTABLE r2 0 4
  LOADK r3 #9
  SETTABLE r2 "type" r3
  LOADK r3 #-80000
  SETTABLE r2 "align" r3
  CALL r0 3 2
.lineno 54
  GETGLOBAL r0 "getlayerstyle"
  LOADK r1 #1
  CALL r0 2 2
  SETGLOBAL r0 "t"
.lineno 55
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "t"
  GETTABLE r1 r1 "text"
  GETGLOBAL r2 "t"
  GETTABLE r2 r2 "align"
  GETGLOBAL r3 "t"
  GETTABLE r3 r3 "encoding"
  GETGLOBAL r4 "t"
  GETTABLE r4 r4 "rightmargin"
  CALL r0 5 2
.lineno 58
  GETGLOBAL r0 "setlayerstyle"
  LOADK r1 #1
  NEWTABLE r2 0 4
  LOADK r3 #14
  SETTABLE r2 "type" r3
  LOADK r3 #65280
  SETTABLE r2 "color" r3
  LOADK r3 #12
  SETTABLE r2 "sizex" r3
  LOADK r3 #6
  SETTABLE r2 "sizey" r3
  LOADK r3 #30
  SETTABLE r2 "roundlevel" r3
  LOADK r3 #16
  SETTABLE r2 "formstyle" r3
  CALL r0 3 2
.lineno 59
  GETGLOBAL r0 "getlayerstyle"
  LOADK r1 #1
  CALL r0 2 2
  SETGLOBAL r0 "t"
.lineno 60
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "t"
  GETTABLE r1 r1 "color"
  GETGLOBAL r2 "t"
  GETTABLE r2 r2 "sizex"
  GETGLOBAL r3 "t"
  GETTABLE r3 r3 "sizey"
  GETGLOBAL r4 "t"
  GETTABLE r4 r4 "roundlevel"
  GETGLOBAL r5 "t"
  GETTABLE r5 r5 "formstyle"
  GETGLOBAL r6 "t"
  GETTABLE r6 r6 "fillstyle"
  GETGLOBAL r7 "t"
  GETTABLE r7 r7 "x"
  GETGLOBAL r8 "t"
  GETTABLE r8 r8 "y"
  CALL r0 9 2
.lineno 61
  GETGLOBAL r0 "setlayerstyle"
  LOADK r1 #1
  NEWTABLE r2 0 4
  LOADK r3 #150
  SETTABLE r2 "cornerb" r3
  CALL r0 3 2
.lineno 62
  GETGLOBAL r0 "getlayerstyle"
  LOADK r1 #1
  CALL r0 2 2
  SETGLOBAL r0 "t"
.lineno 63
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "t"
  GETTABLE r1 r1 "cornera"
  GETGLOBAL r2 "t"
  GETTABLE r2 r2 "cornerb"
  GETGLOBAL r3 "t"
  GETTABLE r3 r3 "cornerc"
  CALL r0 4 2
.lineno 64
  GETGLOBAL r0 "setlayerstyle"
  LOADK r1 #1
  NEWTABLE r2 0 4
  LOADK r3 #15
  SETTABLE r2 "type" r3
  CALL r0 3 2
.lineno 65
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getlasterror"
  CALL r1 1 0
  CALL r0 0 2
.lineno 66
  GETGLOBAL r0 "setlayerstyle"
  LOADK r1 #1
  NEWTABLE r2 0 4
  LOADK r3 #15
  SETTABLE r2 "type" r3
  LOADK r3 #5
  SETTABLE r2 "radius" r3
  CALL r0 3 2
.lineno 67
  GETGLOBAL r0 "getlayerstyle"
  LOADK r1 #1
  CALL r0 2 2
  SETGLOBAL r0 "t"
.lineno 68
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "t"
  GETTABLE r1 r1 "radius"
  GETGLOBAL r2 "t"
  GETTABLE r2 r2 "color"
  GETGLOBAL r3 "t"
  GETTABLE r3 r3 "formstyle"
  GETGLOBAL r4 "getattribute"
  LOADK r5 #22
  LOADK r6 #1
  LOADK r7 #67
  CALL r4 4 2
  GETGLOBAL r5 "getattribute"
  LOADK r6 #22
  LOADK r7 #1
  LOADK r8 #68
  CALL r5 4 0
  CALL r0 0 2
.lineno 70
  GETGLOBAL r0 "setlayerstyle"
  LOADK r1 #1
  NEWTABLE r2 0 4
  LOADK r3 #16
  SETTABLE r2 "type" r3
  LOADK r3 #3
  SETTABLE r2 "radiusb" r3
  CALL r0 3 2
.lineno 71
  GETGLOBAL r0 "getlayerstyle"
  LOADK r1 #1
  CALL r0 2 2
  SETGLOBAL r0 "t"
.lineno 72
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "t"
  GETTABLE r1 r1 "radiusa"
  GETGLOBAL r2 "t"
  GETTABLE r2 r2 "radiusb"
  CALL r0 3 2
.lineno 73
  GETGLOBAL r0 "setlayerstyle"
  LOADK r1 #1
  NEWTABLE r2 0 4
  LOADK r3 #31
  SETTABLE r2 "type" r3
  CALL r0 3 2
.lineno 74
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getlasterror"
  CALL r1 1 0
  CALL r0 0 2
.lineno 75
  GETGLOBAL r0 "setlayerstyle"
  LOADK r1 #1
  NEWTABLE r2 0 4
  LOADK r3 #31
  SETTABLE r2 "type" r3
  LOADK r3 #0
  SETTABLE r2 "startangle" r3
  LOADK r3 #90
  SETTABLE r2 "endangle" r3
  LOADK r3 #1
  SETTABLE r2 "clockwise" r3
  CALL r0 3 2
.lineno 76
  GETGLOBAL r0 "getlayerstyle"
  LOADK r1 #1
  CALL r0 2 2
  SETGLOBAL r0 "t"
.lineno 77
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "t"
  GETTABLE r1 r1 "startangle"
  GETGLOBAL r2 "t"
  GETTABLE r2 r2 "endangle"
  GETGLOBAL r3 "t"
  GETTABLE r3 r3 "clockwise"
  GETGLOBAL r4 "t"
  GETTABLE r4 r4 "radiusa"
  GETGLOBAL r5 "t"
  GETTABLE r5 r5 "radiusb"
  CALL r0 6 2
.lineno 78
  GETGLOBAL r0 "setlayerstyle"
  LOADK r1 #1
  NEWTABLE r2 0 4
  LOADK r3 #0
  SETTABLE r2 "radiusa" r3
  CALL r0 3 2
.lineno 79
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getlasterror"
  CALL r1 1 0
  CALL r0 0 2
.lineno 81
  GETGLOBAL r0 "setlayerstyle"
  LOADK r1 #1
  NEWTABLE r2 0 4
  LOADK r3 #17
  SETTABLE r2 "type" r3
  LOADK r3 #40
  SETTABLE r2 "x1" r3
  LOADK r3 #50
  SETTABLE r2 "y1" r3
  LOADK r3 #20
  SETTABLE r2 "x2" r3
  LOADK r3 #60
  SETTABLE r2 "y2" r3
  LOADK r3 #0
  SETTABLE r2 "x" r3
  LOADK r3 #99
  SETTABLE r2 "thickness" r3
  CALL r0 3 2
.lineno 82
  GETGLOBAL r0 "getlayerstyle"
  LOADK r1 #1
  CALL r0 2 2
  SETGLOBAL r0 "t"
.lineno 83
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "t"
  GETTABLE r1 r1 "x"
  GETGLOBAL r2 "t"
  GETTABLE r2 r2 "y"
  GETGLOBAL r3 "t"
  GETTABLE r3 r3 "x1"
  GETGLOBAL r4 "t"
  GETTABLE r4 r4 "y1"
  GETGLOBAL r5 "t"
  GETTABLE r5 r5 "x2"
  GETGLOBAL r6 "t"
  GETTABLE r6 r6 "y2"
  GETGLOBAL r7 "t"
  GETTABLE r7 r7 "thickness"
  CALL r0 8 2
.lineno 84
  GETGLOBAL r0 "translatelayer"
  LOADK r1 #1
  LOADK r2 #5
  LOADK r3 #-5
  CALL r0 4 2
.lineno 85
  GETGLOBAL r0 "setlayerstyle"
  LOADK r1 #1
  NEWTABLE r2 0 4
  LOADK r3 #0
  SETTABLE r2 "x" r3
  CALL r0 3 2
.lineno 86
  GETGLOBAL r0 "getlayerstyle"
  LOADK r1 #1
  CALL r0 2 2
  SETGLOBAL r0 "t"
.lineno 87
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "t"
  GETTABLE r1 r1 "x"
  GETGLOBAL r2 "t"
  GETTABLE r2 r2 "y"
  GETGLOBAL r3 "t"
  GETTABLE r3 r3 "x1"
  GETGLOBAL r4 "t"
  GETTABLE r4 r4 "y1"
  GETGLOBAL r5 "t"
  GETTABLE r5 r5 "x2"
  GETGLOBAL r6 "t"
  GETTABLE r6 r6 "y2"
  CALL r0 7 2
.lineno 89
  NEWTABLE r0 0 4
  SETGLOBAL r0 "v"
.lineno 90
  GETGLOBAL r0 "v"
  LOADK r1 #0
  LOADK r2 #10
  SETTABLE r0 r1 r2
.lineno 91
  GETGLOBAL r0 "v"
  LOADK r1 #1
  LOADK r2 #20
  SETTABLE r0 r1 r2
.lineno 92
  GETGLOBAL r0 "v"
  LOADK r1 #2
  LOADK r2 #30
  SETTABLE r0 r1 r2
.lineno 93
  GETGLOBAL r0 "v"
  LOADK r1 #3
  LOADK r2 #20
  SETTABLE r0 r1 r2
.lineno 94
  GETGLOBAL r0 "v"
  LOADK r1 #4
  LOADK r2 #20
  SETTABLE r0 r1 r2
.lineno 95
  GETGLOBAL r0 "v"
  LOADK r1 #5
  LOADK r2 #40
  SETTABLE r0 r1 r2
.lineno 96
  GETGLOBAL r0 "setlayerstyle"
  LOADK r1 #1
  NEWTABLE r2 0 4
  LOADK r3 #27
  SETTABLE r2 "type" r3
  CALL r0 3 2
.lineno 97
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getlasterror"
  CALL r1 1 0
  CALL r0 0 2
.lineno 98
  GETGLOBAL r0 "setlayerstyle"
  LOADK r1 #1
  NEWTABLE r2 0 4
  LOADK r3 #27
  SETTABLE r2 "type" r3
  GETGLOBAL r3 "v"
  SETTABLE r2 "vertices" r3
  LOADK r3 #100
  SETTABLE r2 "x" r3
  LOADK r3 #100
  SETTABLE r2 "y" r3
  CALL r0 3 2
.lineno 99
  GETGLOBAL r0 "getlayerstyle"
  LOADK r1 #1
  CALL r0 2 2
  SETGLOBAL r0 "t"
.lineno 100
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "t"
  GETTABLE r1 r1 "x"
  GETGLOBAL r2 "t"
  GETTABLE r2 r2 "y"
  GETGLOBAL r3 "t"
  GETTABLE r3 r3 "numvertices"
  GETGLOBAL r4 "t"
  GETTABLE r4 r4 "vertices"
  LOADK r5 #2
  GETTABLE r4 r4 r5
  GETGLOBAL r5 "t"
  GETTABLE r5 r5 "vertices"
  LOADK r6 #3
  GETTABLE r5 r5 r6
  GETGLOBAL r6 "t"
  GETTABLE r6 r6 "vertices"
  LOADK r7 #6
  GETTABLE r6 r6 r7
  GETGLOBAL r7 "t"
  GETTABLE r7 r7 "vertices"
  LOADK r8 #7
  GETTABLE r7 r7 r8
  GETGLOBAL r8 "getattribute"
  LOADK r9 #22
  LOADK r10 #1
  LOADK r11 #67
  CALL r8 4 2
  GETGLOBAL r9 "getattribute"
  LOADK r10 #22
  LOADK r11 #1
  LOADK r12 #68
  CALL r9 4 0
  CALL r0 0 2
.lineno 102
  GETGLOBAL r0 "setlayerstyle"
  LOADK r1 #1
  GETGLOBAL r2 "getlayerstyle"
  LOADK r3 #1
  CALL r2 2 0
  CALL r0 0 2
.lineno 103
  GETGLOBAL r0 "getlayerstyle"
  LOADK r1 #1
  CALL r0 2 2
  SETGLOBAL r0 "t"
.lineno 104
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "t"
  GETTABLE r1 r1 "x"
  GETGLOBAL r2 "t"
  GETTABLE r2 r2 "y"
  GETGLOBAL r3 "t"
  GETTABLE r3 r3 "numvertices"
  GETGLOBAL r4 "t"
  GETTABLE r4 r4 "formstyle"
  GETGLOBAL r5 "t"
  GETTABLE r5 r5 "transform"
  LOADK r6 #0
  GETTABLE r5 r5 r6
  GETGLOBAL r6 "t"
  GETTABLE r6 r6 "transform"
  LOADK r7 #3
  GETTABLE r6 r6 r7
  CALL r0 7 2
.lineno 106
  GETGLOBAL r0 "setlayerstyle"
  LOADK r1 #1
  NEWTABLE r2 0 4
  LOADK r3 #49
  SETTABLE r2 "type" r3
  LOADK r3 #7
  SETTABLE r2 "id" r3
  CALL r0 3 2
.lineno 107
  GETGLOBAL r0 "getlasterror"
  CALL r0 1 2
  SETGLOBAL r0 "e"
.lineno 108
  GETGLOBAL r0 "getlayerstyle"
  LOADK r1 #1
  CALL r0 2 2
  SETGLOBAL r0 "t"
.lineno 109
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "e"
  GETGLOBAL r2 "t"
  GETTABLE r2 r2 "numvertices"
  CALL r0 3 2
.lineno 111
  GETGLOBAL r0 "setlayerstyle"
  LOADK r1 #1
  NEWTABLE r2 0 4
  LOADK r3 #3
  SETTABLE r2 "type" r3
  LOADK r3 #1
  SETTABLE r2 "id" r3
  CALL r0 3 2
.lineno 112
  GETGLOBAL r0 "getlayerstyle"
  LOADK r1 #1
  CALL r0 2 2
  SETGLOBAL r0 "t"
.lineno 113
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "t"
  GETTABLE r1 r1 "id"
  GETGLOBAL r2 "t"
  GETTABLE r2 r2 "partwidth"
  GETGLOBAL r3 "t"
  GETTABLE r3 r3 "partheight"
  CALL r0 4 2
  RETURN r0 1
