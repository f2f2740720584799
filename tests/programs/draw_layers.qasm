; label: draw.layers
; With layers on every shape becomes a layer of its type that keeps its description: its edge
; becomes the layer's border (a ring that follows a circle, not its box), a new size or corner
; renders the shape again, and a display scaling its layers (-LAYERSCALE at twice the size) renders
; the shapes again at that scale instead of enlarging their pixels. Types: 14 BOX, 15 CIRCLE,
; 16 ELLIPSE, 17 LINE, 27 POLYGON, 31 ARC.
; call EnableLayers()
; call SetFillStyle(1)
; call Box(200, 10, 40, 30, $FF0000)
; call Circle(250, 10, 12, $FF0000)
; call Ellipse(280, 10, 12, 6, $FF0000)
; call Line(310, 10, 330, 30, $FF0000)
; v = {}
; v[0] = 0
; v[1] = 0
; v[2] = 10
; v[3] = 0
; v[4] = 5
; v[5] = 9
; call Polygon(340, 10, v, 3, $FF0000)
; call Arc(360, 10, 10, 10, 0, 90, $FF0000)
; for i = 1, 6 do
; print GetAttribute(22, i, 9), GetAttribute(22, i, 67), GetAttribute(22, i, 68)
; end
; call SetFormStyle(64, $00FF00, 6)
; call Circle(20, 20, 50, $0000FF)
; t = GetLayerStyle(7)
; print "edge", t.border, t.bordersize, t.bordercolor, GetAttribute(22, 7, 67)
; call SetLayerStyle(1, {sizex = 20, roundlevel = 100})
; call SetFormStyle(1)
; call SetFillStyle(0)
; call Circle(200, 100, 40, $FFFF00)
; call SaveSnapshot("layers.bmp", 0)
.source "@draw_layers.q"
  .maxstack 35
.lineno 1
  GETGLOBAL r0 "enablelayers"
  CALL r0 1 2
.lineno 2
  GETGLOBAL r0 "setfillstyle"
  LOADK r1 #1
  CALL r0 2 2
.lineno 3
  GETGLOBAL r0 "box"
  LOADK r1 #200
  LOADK r2 #10
  LOADK r3 #40
  LOADK r4 #30
  LOADK r5 #16711680
  CALL r0 6 2
.lineno 4
  GETGLOBAL r0 "circle"
  LOADK r1 #250
  LOADK r2 #10
  LOADK r3 #12
  LOADK r4 #16711680
  CALL r0 5 2
.lineno 5
  GETGLOBAL r0 "ellipse"
  LOADK r1 #280
  LOADK r2 #10
  LOADK r3 #12
  LOADK r4 #6
  LOADK r5 #16711680
  CALL r0 6 2
.lineno 6
  GETGLOBAL r0 "line"
  LOADK r1 #310
  LOADK r2 #10
  LOADK r3 #330
  LOADK r4 #30
  LOADK r5 #16711680
  CALL r0 6 2
.lineno 7
  NEWTABLE r0 0 4
  SETGLOBAL r0 "v"
.lineno 8
  GETGLOBAL r0 "v"
  LOADK r1 #0
  LOADK r2 #0
  SETTABLE r0 r1 r2
.lineno 9
  GETGLOBAL r0 "v"
  LOADK r1 #1
  LOADK r2 #0
  SETTABLE r0 r1 r2
.lineno 10
  GETGLOBAL r0 "v"
  LOADK r1 #2
  LOADK r2 #10
  SETTABLE r0 r1 r2
.lineno 11
  GETGLOBAL r0 "v"
  LOADK r1 #3
  LOADK r2 #0
  SETTABLE r0 r1 r2
.lineno 12
  GETGLOBAL r0 "v"
  LOADK r1 #4
  LOADK r2 #5
  SETTABLE r0 r1 r2
.lineno 13
  GETGLOBAL r0 "v"
  LOADK r1 #5
  LOADK r2 #9
  SETTABLE r0 r1 r2
.lineno 14
  GETGLOBAL r0 "polygon"
  LOADK r1 #340
  LOADK r2 #10
  GETGLOBAL r3 "v"
  LOADK r4 #3
  LOADK r5 #16711680
  CALL r0 6 2
.lineno 15
  GETGLOBAL r0 "arc"
  LOADK r1 #360
  LOADK r2 #10
  LOADK r3 #10
  LOADK r4 #10
  LOADK r5 #0
  LOADK r6 #90
  LOADK r7 #16711680
  CALL r0 8 2
.lineno 16
  LOADK r20 #1
  LOADK r21 #6
  LOADK r22 #1
  SUB r20 r20 r22
  JMP @L1
L2:
  SETGLOBAL r20 "i"
.lineno 17
  GETGLOBAL r27 "debugprint"
  GETGLOBAL r28 "getattribute"
  LOADK r29 #22
  GETGLOBAL r30 "i"
  LOADK r31 #9
  CALL r28 4 2
  GETGLOBAL r29 "getattribute"
  LOADK r30 #22
  GETGLOBAL r31 "i"
  LOADK r32 #67
  CALL r29 4 2
  GETGLOBAL r30 "getattribute"
  LOADK r31 #22
  GETGLOBAL r32 "i"
  LOADK r33 #68
  CALL r30 4 0
  CALL r27 0 2
.lineno 18
L1:
  FORLOOP r20 @L2
.lineno 19
  GETGLOBAL r0 "setformstyle"
  LOADK r1 #64
  LOADK r2 #65280
  LOADK r3 #6
  CALL r0 4 2
.lineno 20
  GETGLOBAL r0 "circle"
  LOADK r1 #20
  LOADK r2 #20
  LOADK r3 #50
  LOADK r4 #255
  CALL r0 5 2
.lineno 21
  GETGLOBAL r0 "getlayerstyle"
  LOADK r1 #7
  CALL r0 2 2
  SETGLOBAL r0 "t"
.lineno 22
  GETGLOBAL r0 "debugprint"
  LOADK r1 "edge"
  GETGLOBAL r2 "t"
  GETTABLE r2 r2 "border"
  GETGLOBAL r3 "t"
  GETTABLE r3 r3 "bordersize"
  GETGLOBAL r4 "t"
  GETTABLE r4 r4 "bordercolor"
  GETGLOBAL r5 "getattribute"
  LOADK r6 #22
  LOADK r7 #7
  LOADK r8 #67
  CALL r5 4 0
  CALL r0 0 2
.lineno 23
  GETGLOBAL r0 "setlayerstyle"
  LOADK r1 #1
  NEWTABLE r2 0 4
  LOADK r3 #20
  SETTABLE r2 "sizex" r3
  LOADK r3 #100
  SETTABLE r2 "roundlevel" r3
  CALL r0 3 2
.lineno 24
  GETGLOBAL r0 "setformstyle"
  LOADK r1 #1
  CALL r0 2 2
.lineno 25
  GETGLOBAL r0 "setfillstyle"
  LOADK r1 #0
  CALL r0 2 2
.lineno 26
  GETGLOBAL r0 "circle"
  LOADK r1 #200
  LOADK r2 #100
  LOADK r3 #40
  LOADK r4 #16776960
  CALL r0 5 2
.lineno 27
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "layers.bmp"
  LOADK r2 #0
  CALL r0 3 2
  RETURN r0 1
