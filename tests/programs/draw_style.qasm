; label: draw.style
; The drawing style through the layers that shapes become: what SetFormStyle, SetFillStyle and
; SetLineWidth keep, brought into range, and how a shape layer takes it.
; call EnableLayers()
; call SetFillStyle(1)
; call SetFormStyle(32, $123456, 200, 9)
; call SetFormStyle(64, $FF0000, 0)
; call Box(0, 0, 10, 10, $FFFFFF)
; t = GetLayerStyle(1)
; print t.shadow, t.shadowcolor, t.shadowsize, t.shadowdir, t.border, t.bordercolor, t.bordersize, t.formstyle, t.fillstyle
; call SetFormStyle(1)
; call Box(0, 0, 10, 10, $FFFFFF)
; t = GetLayerStyle(2)
; print t.shadow, t.border, t.formstyle
; call SetFormStyle(16)
; call SetFormStyle(32)
; call Box(0, 0, 10, 10, $80FFFFFF)
; t = GetLayerStyle(3)
; print t.shadow, t.shadowsize, t.shadowdir, t.border, t.formstyle, t.transparency
; call SetFormStyle(1)
; call SetFillStyle(0, 0)
; call Box(0, 0, 10, 10, $FFFFFF)
; t = GetLayerStyle(4)
; print t.border, t.fillstyle
; call SetFillStyle(0, 6)
; call Box(0, 0, 10, 10, $00FF00)
; t = GetLayerStyle(5)
; print t.border, t.bordersize, t.bordercolor
; call SetFillStyle(2, 3, $FF0000, $0000FF)
; call Circle(0, 0, 5, 0)
; t = GetLayerStyle(6)
; print t.fillstyle, t.gradientstyle, t.gradientstartcolor, t.gradientendcolor
; call CreateBrush(7, 4, 4, $FF00FF)
; call SetFillStyle(3, 7, 2, 3)
; call CreateLayer(0, 0, 4, 4)
; call SetLayerStyle(7, {type = 15, radius = 3})
; t = GetLayerStyle(7)
; print t.fillstyle, t.texturebrush, t.texturex, t.texturey, t.radius
; call SetFillStyle(0)
; call SetLineWidth(4)
; call Circle(0, 0, 5, $FFFF00)
; t = GetLayerStyle(8)
; print t.border, t.bordersize
.source "@draw_style.q"
  .maxstack 11
.lineno 1
  GETGLOBAL r0 "enablelayers"
  CALL r0 1 2
.lineno 2
  GETGLOBAL r0 "setfillstyle"
  LOADK r1 #1
  CALL r0 2 2
.lineno 3
  GETGLOBAL r0 "setformstyle"
  LOADK r1 #32
  LOADK r2 #1193046
  LOADK r3 #200
  LOADK r4 #9
  CALL r0 5 2
.lineno 4
  GETGLOBAL r0 "setformstyle"
  LOADK r1 #64
  LOADK r2 #16711680
  LOADK r3 #0
  CALL r0 4 2
.lineno 5
  GETGLOBAL r0 "box"
  LOADK r1 #0
  LOADK r2 #0
  LOADK r3 #10
  LOADK r4 #10
  LOADK r5 #16777215
  CALL r0 6 2
.lineno 6
  GETGLOBAL r0 "getlayerstyle"
  LOADK r1 #1
  CALL r0 2 2
  SETGLOBAL r0 "t"
.lineno 7
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "t"
  GETTABLE r1 r1 "shadow"
  GETGLOBAL r2 "t"
  GETTABLE r2 r2 "shadowcolor"
  GETGLOBAL r3 "t"
  GETTABLE r3 r3 "shadowsize"
  GETGLOBAL r4 "t"
  GETTABLE r4 r4 "shadowdir"
  GETGLOBAL r5 "t"
  GETTABLE r5 r5 "border"
  GETGLOBAL r6 "t"
  GETTABLE r6 r6 "bordercolor"
  GETGLOBAL r7 "t"
  GETTABLE r7 r7 "bordersize"
  GETGLOBAL r8 "t"
  GETTABLE r8 r8 "formstyle"
  GETGLOBAL r9 "t"
  GETTABLE r9 r9 "fillstyle"
  CALL r0 10 2
.lineno 8
  GETGLOBAL r0 "setformstyle"
  LOADK r1 #1
  CALL r0 2 2
.lineno 9
  GETGLOBAL r0 "box"
  LOADK r1 #0
  LOADK r2 #0
  LOADK r3 #10
  LOADK r4 #10
  LOADK r5 #16777215
  CALL r0 6 2
.lineno 10
  GETGLOBAL r0 "getlayerstyle"
  LOADK r1 #2
  CALL r0 2 2
  SETGLOBAL r0 "t"
.lineno 11
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "t"
  GETTABLE r1 r1 "shadow"
  GETGLOBAL r2 "t"
  GETTABLE r2 r2 "border"
  GETGLOBAL r3 "t"
  GETTABLE r3 r3 "formstyle"
  CALL r0 4 2
.lineno 12
  GETGLOBAL r0 "setformstyle"
  LOADK r1 #16
  CALL r0 2 2
.lineno 13
  GETGLOBAL r0 "setformstyle"
  LOADK r1 #32
  CALL r0 2 2
.lineno 14
  GETGLOBAL r0 "box"
  LOADK r1 #0
  LOADK r2 #0
  LOADK r3 #10
  LOADK r4 #10
  LOADK r5 #2164260863
  CALL r0 6 2
.lineno 15
  GETGLOBAL r0 "getlayerstyle"
  LOADK r1 #3
  CALL r0 2 2
  SETGLOBAL r0 "t"
.lineno 16
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "t"
  GETTABLE r1 r1 "shadow"
  GETGLOBAL r2 "t"
  GETTABLE r2 r2 "shadowsize"
  GETGLOBAL r3 "t"
  GETTABLE r3 r3 "shadowdir"
  GETGLOBAL r4 "t"
  GETTABLE r4 r4 "border"
  GETGLOBAL r5 "t"
  GETTABLE r5 r5 "formstyle"
  GETGLOBAL r6 "t"
  GETTABLE r6 r6 "transparency"
  CALL r0 7 2
.lineno 17
  GETGLOBAL r0 "setformstyle"
  LOADK r1 #1
  CALL r0 2 2
.lineno 18
  GETGLOBAL r0 "setfillstyle"
  LOADK r1 #0
  LOADK r2 #0
  CALL r0 3 2
.lineno 19
  GETGLOBAL r0 "box"
  LOADK r1 #0
  LOADK r2 #0
  LOADK r3 #10
  LOADK r4 #10
  LOADK r5 #16777215
  CALL r0 6 2
.lineno 20
  GETGLOBAL r0 "getlayerstyle"
  LOADK r1 #4
  CALL r0 2 2
  SETGLOBAL r0 "t"
.lineno 21
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "t"
  GETTABLE r1 r1 "border"
  GETGLOBAL r2 "t"
  GETTABLE r2 r2 "fillstyle"
  CALL r0 3 2
.lineno 22
  GETGLOBAL r0 "setfillstyle"
  LOADK r1 #0
  LOADK r2 #6
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "box"
  LOADK r1 #0
  LOADK r2 #0
  LOADK r3 #10
  LOADK r4 #10
  LOADK r5 #65280
  CALL r0 6 2
.lineno 24
  GETGLOBAL r0 "getlayerstyle"
  LOADK r1 #5
  CALL r0 2 2
  SETGLOBAL r0 "t"
.lineno 25
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "t"
  GETTABLE r1 r1 "border"
  GETGLOBAL r2 "t"
  GETTABLE r2 r2 "bordersize"
  GETGLOBAL r3 "t"
  GETTABLE r3 r3 "bordercolor"
  CALL r0 4 2
.lineno 26
  GETGLOBAL r0 "setfillstyle"
  LOADK r1 #2
  LOADK r2 #3
  LOADK r3 #16711680
  LOADK r4 #255
  CALL r0 5 2
.lineno 27
  GETGLOBAL r0 "circle"
  LOADK r1 #0
  LOADK r2 #0
  LOADK r3 #5
  LOADK r4 #0
  CALL r0 5 2
.lineno 28
  GETGLOBAL r0 "getlayerstyle"
  LOADK r1 #6
  CALL r0 2 2
  SETGLOBAL r0 "t"
.lineno 29
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "t"
  GETTABLE r1 r1 "fillstyle"
  GETGLOBAL r2 "t"
  GETTABLE r2 r2 "gradientstyle"
  GETGLOBAL r3 "t"
  GETTABLE r3 r3 "gradientstartcolor"
  GETGLOBAL r4 "t"
  GETTABLE r4 r4 "gradientendcolor"
  CALL r0 5 2
.lineno 30
  GETGLOBAL r0 "createbrush"
  LOADK r1 #7
  LOADK r2 #4
  LOADK r3 #4
  LOADK r4 #16711935
  CALL r0 5 2
.lineno 31
  GETGLOBAL r0 "setfillstyle"
  LOADK r1 #3
  LOADK r2 #7
  LOADK r3 #2
  LOADK r4 #3
  CALL r0 5 2
.lineno 32
  GETGLOBAL r0 "createlayer"
  LOADK r1 #0
  LOADK r2 #0
  LOADK r3 #4
  LOADK r4 #4
  CALL r0 5 2
.lineno 33
  GETGLOBAL r0 "setlayerstyle"
  LOADK r1 #7
  NEWTABLE r2 0 4
  LOADK r3 #15
  SETTABLE r2 "type" r3
  LOADK r3 #3
  SETTABLE r2 "radius" r3
  CALL r0 3 2
.lineno 34
  GETGLOBAL r0 "getlayerstyle"
  LOADK r1 #7
  CALL r0 2 2
  SETGLOBAL r0 "t"
.lineno 35
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "t"
  GETTABLE r1 r1 "fillstyle"
  GETGLOBAL r2 "t"
  GETTABLE r2 r2 "texturebrush"
  GETGLOBAL r3 "t"
  GETTABLE r3 r3 "texturex"
  GETGLOBAL r4 "t"
  GETTABLE r4 r4 "texturey"
  GETGLOBAL r5 "t"
  GETTABLE r5 r5 "radius"
  CALL r0 6 2
.lineno 36
  GETGLOBAL r0 "setfillstyle"
  LOADK r1 #0
  CALL r0 2 2
.lineno 37
  GETGLOBAL r0 "setlinewidth"
  LOADK r1 #4
  CALL r0 2 2
.lineno 38
  GETGLOBAL r0 "circle"
  LOADK r1 #0
  LOADK r2 #0
  LOADK r3 #5
  LOADK r4 #16776960
  CALL r0 5 2
.lineno 39
  GETGLOBAL r0 "getlayerstyle"
  LOADK r1 #8
  CALL r0 2 2
  SETGLOBAL r0 "t"
.lineno 40
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "t"
  GETTABLE r1 r1 "border"
  GETGLOBAL r2 "t"
  GETTABLE r2 r2 "bordersize"
  CALL r0 3 2
  RETURN r0 1
