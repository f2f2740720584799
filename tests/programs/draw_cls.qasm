; label: draw.cls
; Cls: a display gets its picture's clean image back and loses its sprites; with layers on every
; layer goes; a double buffer is cleared the same way as the display.
; call CreateBGPic(2, 640, 480, $102030)
; call DisplayBGPic(2)
; call SetFillStyle(1)
; call Box(10, 10, 20, 20, $FF0000)
; call CreateBrush(9, 10, 10, $00FF00)
; call CreateSprite(1, 3, 9)
; call DisplaySprite(1, 100, 100)
; print "drawn", ReadPixel(15, 15)
; call Cls($FFFFFF)
; print "cleared", ReadPixel(15, 15)
; call SaveSnapshot("cls.bmp", 0)
; call EnableLayers()
; call Box(10, 10, 20, 20, $FF0000)
; call Circle(50, 50, 10, $00FF00)
; print "layers", GetAttribute(21, 0, 6)
; call Cls()
; print "after", GetAttribute(21, 0, 6)
; call SaveSnapshot("layers.bmp", 0)
; call DisableLayers()
; call BeginDoubleBuffer()
; call Box(10, 10, 20, 20, $FF0000)
; call Cls()
; call Box(40, 40, 5, 5, $0000FF)
; call Flip()
; call EndDoubleBuffer()
; print "double", ReadPixel(15, 15), ReadPixel(42, 42)
.source "@draw_cls.q"
  .maxstack 8
.lineno 1
  GETGLOBAL r0 "createbgpic"
  LOADK r1 #2
  LOADK r2 #640
  LOADK r3 #480
  LOADK r4 #1056816
  CALL r0 5 2
.lineno 2
  GETGLOBAL r0 "displaybgpic"
  LOADK r1 #2
  CALL r0 2 2
.lineno 3
  GETGLOBAL r0 "setfillstyle"
  LOADK r1 #1
  CALL r0 2 2
.lineno 4
  GETGLOBAL r0 "box"
  LOADK r1 #10
  LOADK r2 #10
  LOADK r3 #20
  LOADK r4 #20
  LOADK r5 #16711680
  CALL r0 6 2
.lineno 5
  GETGLOBAL r0 "createbrush"
  LOADK r1 #9
  LOADK r2 #10
  LOADK r3 #10
  LOADK r4 #65280
  CALL r0 5 2
.lineno 6
  GETGLOBAL r0 "createsprite"
  LOADK r1 #1
  LOADK r2 #3
  LOADK r3 #9
  CALL r0 4 2
.lineno 7
  GETGLOBAL r0 "displaysprite"
  LOADK r1 #1
  LOADK r2 #100
  LOADK r3 #100
  CALL r0 4 2
.lineno 8
  GETGLOBAL r0 "debugprint"
  LOADK r1 "drawn"
  GETGLOBAL r2 "readpixel"
  LOADK r3 #15
  LOADK r4 #15
  CALL r2 3 0
  CALL r0 0 2
.lineno 9
  GETGLOBAL r0 "cls"
  LOADK r1 #16777215
  CALL r0 2 2
.lineno 10
  GETGLOBAL r0 "debugprint"
  LOADK r1 "cleared"
  GETGLOBAL r2 "readpixel"
  LOADK r3 #15
  LOADK r4 #15
  CALL r2 3 0
  CALL r0 0 2
.lineno 11
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "cls.bmp"
  LOADK r2 #0
  CALL r0 3 2
.lineno 12
  GETGLOBAL r0 "enablelayers"
  CALL r0 1 2
.lineno 13
  GETGLOBAL r0 "box"
  LOADK r1 #10
  LOADK r2 #10
  LOADK r3 #20
  LOADK r4 #20
  LOADK r5 #16711680
  CALL r0 6 2
.lineno 14
  GETGLOBAL r0 "circle"
  LOADK r1 #50
  LOADK r2 #50
  LOADK r3 #10
  LOADK r4 #65280
  CALL r0 5 2
.lineno 15
  GETGLOBAL r0 "debugprint"
  LOADK r1 "layers"
  GETGLOBAL r2 "getattribute"
  LOADK r3 #21
  LOADK r4 #0
  LOADK r5 #6
  CALL r2 4 0
  CALL r0 0 2
.lineno 16
  GETGLOBAL r0 "cls"
  CALL r0 1 2
.lineno 17
  GETGLOBAL r0 "debugprint"
  LOADK r1 "after"
  GETGLOBAL r2 "getattribute"
  LOADK r3 #21
  LOADK r4 #0
  LOADK r5 #6
  CALL r2 4 0
  CALL r0 0 2
.lineno 18
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "layers.bmp"
  LOADK r2 #0
  CALL r0 3 2
.lineno 19
  GETGLOBAL r0 "disablelayers"
  CALL r0 1 2
.lineno 20
  GETGLOBAL r0 "begindoublebuffer"
  CALL r0 1 2
.lineno 21
  GETGLOBAL r0 "box"
  LOADK r1 #10
  LOADK r2 #10
  LOADK r3 #20
  LOADK r4 #20
  LOADK r5 #16711680
  CALL r0 6 2
.lineno 22
  GETGLOBAL r0 "cls"
  CALL r0 1 2
.lineno 23
  GETGLOBAL r0 "box"
  LOADK r1 #40
  LOADK r2 #40
  LOADK r3 #5
  LOADK r4 #5
  LOADK r5 #255
  CALL r0 6 2
.lineno 24
  GETGLOBAL r0 "flip"
  CALL r0 1 2
.lineno 25
  GETGLOBAL r0 "enddoublebuffer"
  CALL r0 1 2
.lineno 26
  GETGLOBAL r0 "debugprint"
  LOADK r1 "double"
  GETGLOBAL r2 "readpixel"
  LOADK r3 #15
  LOADK r4 #15
  CALL r2 3 2
  GETGLOBAL r3 "readpixel"
  LOADK r4 #42
  LOADK r5 #42
  CALL r3 3 0
  CALL r0 0 2
  RETURN r0 1
