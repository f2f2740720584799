; label: vecgfx.layers
; With layers on DrawPath makes a VECTORPATH layer (type 49) that keeps its own operations, so it
; outlives its path; SetLayerStyle's dashes, line join and fill rule render it again. The display
; scales its layers by 2 (-LAYERSCALE): the .check finds the diagonal stroke rendered at that scale,
; not enlarged.
; call EnableLayers()
; call SetFillStyle(0, 4)
; call StartPath(1)
; call MoveTo(1, 0, 0)
; call LineTo(1, 100, 0)
; call LineTo(1, 100, 60)
; call DrawPath(1, 50, 50, $FF0000)
; call FreePath(1)
; print "type", GetAttribute(22, 1, 9)
; t = GetLayerStyle(1)
; print "style", t.linejoin, t.linecap, t.fillrule
; print "before", GetAttribute(22, 1, 67), GetAttribute(22, 1, 68)
; d = {}
; d[0] = 6
; d[1] = 6
; call SetLayerStyle(1, {dashes = d, linejoin = 1})
; t = GetLayerStyle(1)
; d = t.dashes
; print "dashed", t.linejoin, d[0], d[1]
; call StartPath(2)
; call AddBoxToPath(2, 0, 0, 40, 40)
; call AddBoxToPath(2, 20, 20, 40, 40)
; call SetFillStyle(1)
; call DrawPath(2, 200, 50, $00FF00)
; call SetLayerStyle(2, {fillrule = 1})
; t = GetLayerStyle(2)
; print "even-odd", t.fillrule
; call StartPath(3)
; call MoveTo(3, 0, 0)
; call LineTo(3, 100, 100)
; call SetFillStyle(0, 3)
; call DrawPath(3, 300, 50, $FFFF00)
; call SaveSnapshot("layers.bmp", 0)
.source "@vecgfx_layers.q"
  .maxstack 9
.lineno 6
  GETGLOBAL r0 "enablelayers"
  CALL r0 1 2
.lineno 7
  GETGLOBAL r0 "setfillstyle"
  LOADK r1 #0
  LOADK r2 #4
  CALL r0 3 2
.lineno 8
  GETGLOBAL r0 "startpath"
  LOADK r1 #1
  CALL r0 2 2
.lineno 9
  GETGLOBAL r0 "moveto"
  LOADK r1 #1
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 10
  GETGLOBAL r0 "lineto"
  LOADK r1 #1
  LOADK r2 #100
  LOADK r3 #0
  CALL r0 4 2
.lineno 11
  GETGLOBAL r0 "lineto"
  LOADK r1 #1
  LOADK r2 #100
  LOADK r3 #60
  CALL r0 4 2
.lineno 12
  GETGLOBAL r0 "drawpath"
  LOADK r1 #1
  LOADK r2 #50
  LOADK r3 #50
  LOADK r4 #16711680
  CALL r0 5 2
.lineno 13
  GETGLOBAL r0 "freepath"
  LOADK r1 #1
  CALL r0 2 2
.lineno 14
  GETGLOBAL r0 "debugprint"
  LOADK r1 "type"
  GETGLOBAL r2 "getattribute"
  LOADK r3 #22
  LOADK r4 #1
  LOADK r5 #9
  CALL r2 4 0
  CALL r0 0 1
.lineno 15
  GETGLOBAL r0 "getlayerstyle"
  LOADK r1 #1
  CALL r0 2 2
  SETGLOBAL r0 "t"
.lineno 16
  GETGLOBAL r0 "debugprint"
  LOADK r1 "style"
  GETGLOBAL r2 "t"
  GETTABLE r2 r2 "linejoin"
  GETGLOBAL r3 "t"
  GETTABLE r3 r3 "linecap"
  GETGLOBAL r4 "t"
  GETTABLE r4 r4 "fillrule"
  CALL r0 5 1
.lineno 17
  GETGLOBAL r0 "debugprint"
  LOADK r1 "before"
  GETGLOBAL r2 "getattribute"
  LOADK r3 #22
  LOADK r4 #1
  LOADK r5 #67
  CALL r2 4 2
  GETGLOBAL r3 "getattribute"
  LOADK r4 #22
  LOADK r5 #1
  LOADK r6 #68
  CALL r3 4 0
  CALL r0 0 1
.lineno 18
  NEWTABLE r0 0 0
  SETGLOBAL r0 "d"
.lineno 19
  GETGLOBAL r0 "d"
  LOADK r1 #0
  LOADK r2 #6
  SETTABLE r0 r1 r2
.lineno 20
  GETGLOBAL r0 "d"
  LOADK r1 #1
  LOADK r2 #6
  SETTABLE r0 r1 r2
.lineno 21
  GETGLOBAL r0 "setlayerstyle"
  LOADK r1 #1
  NEWTABLE r2 0 0
  GETGLOBAL r3 "d"
  SETTABLE r2 "dashes" r3
  LOADK r3 #1
  SETTABLE r2 "linejoin" r3
  CALL r0 3 2
.lineno 22
  GETGLOBAL r0 "getlayerstyle"
  LOADK r1 #1
  CALL r0 2 2
  SETGLOBAL r0 "t"
.lineno 23
  GETGLOBAL r0 "t"
  GETTABLE r0 r0 "dashes"
  SETGLOBAL r0 "d"
.lineno 24
  GETGLOBAL r0 "debugprint"
  LOADK r1 "dashed"
  GETGLOBAL r2 "t"
  GETTABLE r2 r2 "linejoin"
  GETGLOBAL r3 "d"
  LOADK r4 #0
  GETTABLE r3 r3 r4
  GETGLOBAL r4 "d"
  LOADK r5 #1
  GETTABLE r4 r4 r5
  CALL r0 5 1
.lineno 25
  GETGLOBAL r0 "startpath"
  LOADK r1 #2
  CALL r0 2 2
.lineno 26
  GETGLOBAL r0 "addboxtopath"
  LOADK r1 #2
  LOADK r2 #0
  LOADK r3 #0
  LOADK r4 #40
  LOADK r5 #40
  CALL r0 6 2
.lineno 27
  GETGLOBAL r0 "addboxtopath"
  LOADK r1 #2
  LOADK r2 #20
  LOADK r3 #20
  LOADK r4 #40
  LOADK r5 #40
  CALL r0 6 2
.lineno 28
  GETGLOBAL r0 "setfillstyle"
  LOADK r1 #1
  CALL r0 2 2
.lineno 29
  GETGLOBAL r0 "drawpath"
  LOADK r1 #2
  LOADK r2 #200
  LOADK r3 #50
  LOADK r4 #65280
  CALL r0 5 2
.lineno 30
  GETGLOBAL r0 "setlayerstyle"
  LOADK r1 #2
  NEWTABLE r2 0 0
  LOADK r3 #1
  SETTABLE r2 "fillrule" r3
  CALL r0 3 2
.lineno 31
  GETGLOBAL r0 "getlayerstyle"
  LOADK r1 #2
  CALL r0 2 2
  SETGLOBAL r0 "t"
.lineno 32
  GETGLOBAL r0 "debugprint"
  LOADK r1 "even-odd"
  GETGLOBAL r2 "t"
  GETTABLE r2 r2 "fillrule"
  CALL r0 3 1
.lineno 33
  GETGLOBAL r0 "startpath"
  LOADK r1 #3
  CALL r0 2 2
.lineno 34
  GETGLOBAL r0 "moveto"
  LOADK r1 #3
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 35
  GETGLOBAL r0 "lineto"
  LOADK r1 #3
  LOADK r2 #100
  LOADK r3 #100
  CALL r0 4 2
.lineno 36
  GETGLOBAL r0 "setfillstyle"
  LOADK r1 #0
  LOADK r2 #3
  CALL r0 3 2
.lineno 37
  GETGLOBAL r0 "drawpath"
  LOADK r1 #3
  LOADK r2 #300
  LOADK r3 #50
  LOADK r4 #16776960
  CALL r0 5 2
.lineno 38
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "layers.bmp"
  LOADK r2 #0
  CALL r0 3 2
  RETURN r0 1
