; label: fx
; Pictures shown with transitions through the player: a new background picture, a masked brush
; partly off the display, a part of a picture and ClearScreen. Each final snapshot is compared with
; the target by the .check, which also finds the outside of the rectangle as it was.
; call SetFillStyle(1)
; call CreateBGPic(1, 160, 120, $203040)
; call SelectBGPic(1, 0)
; call Box(20, 20, 40, 30, $FFFF00)
; call EndSelect()
; call DisplayBGPic(1)
; call CreateBGPic(2, 160, 120, $FF8000)
; call SelectBGPic(2, 0)
; call Box(100, 60, 30, 30, $00FFFF)
; call EndSelect()
; call DisplayTransitionFX(2, 7, 5)
; call SaveSnapshot("picture.bmp", 1)
; call SaveSnapshot("picture_window.bmp", 0)
; -- A brush with a black hole made transparent, shown at (-10, -7).
; call CreateBrush(3, 40, 30, $00FF00)
; call SelectBrush(3)
; call Box(10, 10, 20, 10, $000000)
; call EndSelect()
; call SetBrushTransparency(3, $000000)
; call DisplayBrushFX(3, -10, -7, 0, 3)
; call SaveSnapshot("brush.bmp", 1)
; -- The yellow box of picture 1 at (100, 10) of the display.
; call DisplayBGPicPartFX(1, 20, 20, 40, 30, 7, 5, -1, 100, 10)
; call SaveSnapshot("part.bmp", 1)
; call SaveSnapshot("part_window.bmp", 0)
; call ClearScreen(0, $0000FF, 7)
; call SaveSnapshot("clear.bmp", 1)
; print "done"
.source "@fx_display.q"
  .maxstack 12
.lineno 1
  GETGLOBAL r0 "setfillstyle"
  LOADK r1 #1
  CALL r0 2 2
.lineno 2
  GETGLOBAL r0 "createbgpic"
  LOADK r1 #1
  LOADK r2 #160
  LOADK r3 #120
  LOADK r4 #2109504
  CALL r0 5 2
.lineno 3
  GETGLOBAL r0 "selectbgpic"
  LOADK r1 #1
  LOADK r2 #0
  CALL r0 3 2
.lineno 4
  GETGLOBAL r0 "box"
  LOADK r1 #20
  LOADK r2 #20
  LOADK r3 #40
  LOADK r4 #30
  LOADK r5 #16776960
  CALL r0 6 2
.lineno 5
  GETGLOBAL r0 "endselect"
  CALL r0 1 2
.lineno 6
  GETGLOBAL r0 "displaybgpic"
  LOADK r1 #1
  CALL r0 2 2
.lineno 7
  GETGLOBAL r0 "createbgpic"
  LOADK r1 #2
  LOADK r2 #160
  LOADK r3 #120
  LOADK r4 #16744448
  CALL r0 5 2
.lineno 8
  GETGLOBAL r0 "selectbgpic"
  LOADK r1 #2
  LOADK r2 #0
  CALL r0 3 2
.lineno 9
  GETGLOBAL r0 "box"
  LOADK r1 #100
  LOADK r2 #60
  LOADK r3 #30
  LOADK r4 #30
  LOADK r5 #65535
  CALL r0 6 2
.lineno 10
  GETGLOBAL r0 "endselect"
  CALL r0 1 2
.lineno 11
  GETGLOBAL r0 "displaytransitionfx"
  LOADK r1 #2
  LOADK r2 #7
  LOADK r3 #5
  CALL r0 4 2
.lineno 12
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "picture.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 13
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "picture_window.bmp"
  LOADK r2 #0
  CALL r0 3 2
.lineno 15
  GETGLOBAL r0 "createbrush"
  LOADK r1 #3
  LOADK r2 #40
  LOADK r3 #30
  LOADK r4 #65280
  CALL r0 5 2
.lineno 16
  GETGLOBAL r0 "selectbrush"
  LOADK r1 #3
  CALL r0 2 2
.lineno 17
  GETGLOBAL r0 "box"
  LOADK r1 #10
  LOADK r2 #10
  LOADK r3 #20
  LOADK r4 #10
  LOADK r5 #0
  CALL r0 6 2
.lineno 18
  GETGLOBAL r0 "endselect"
  CALL r0 1 2
.lineno 19
  GETGLOBAL r0 "setbrushtransparency"
  LOADK r1 #3
  LOADK r2 #0
  CALL r0 3 2
.lineno 20
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  LOADK r4 #0
  LOADK r5 #3
  CALL r0 6 2
.lineno 21
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "brush.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybgpicpartfx"
  LOADK r1 #1
  LOADK r2 #20
  LOADK r3 #20
  LOADK r4 #40
  LOADK r5 #30
  LOADK r6 #7
  LOADK r7 #5
  LOADK r8 #-1
  LOADK r9 #100
  LOADK r10 #10
  CALL r0 11 2
.lineno 24
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "part.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 25
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "part_window.bmp"
  LOADK r2 #0
  CALL r0 3 2
.lineno 26
  GETGLOBAL r0 "clearscreen"
  LOADK r1 #0
  LOADK r2 #255
  LOADK r3 #7
  CALL r0 4 2
.lineno 27
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "clear.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 28
  GETGLOBAL r0 "debugprint"
  LOADK r1 "done"
  CALL r0 2 2
  RETURN r0 1
