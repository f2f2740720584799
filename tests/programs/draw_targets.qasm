; label: draw.targets
; Plot, ReadPixel and Cls on each kind of output: the display, a selected background picture, a
; brush, its mask (bits set, read as 0 or 1) and its alpha channel (255 - transparency); with
; double buffering, under a clip region, under a sprite, and straight into a snapshot.
; call Plot(5, 5, $FF0000)
; call Plot(6, 5, $80FFFFFF)
; print "display", ReadPixel(5, 5), ReadPixel(6, 5)
; call Plot(300, 300, $ABCDEF)
; call SaveSnapshot("snap.bmp", 0)
; call CreateBGPic(2, 20, 20, $000000)
; call SelectBGPic(2, 0)
; call Plot(1, 1, $00FF00)
; print "bgpic", ReadPixel(1, 1)
; call EndSelect()
; call CreateBrush(3, 20, 20, $000000)
; call SelectBrush(3)
; call Plot(2, 2, $0000FF)
; print "brush", ReadPixel(2, 2)
; call Cls($112233)
; print "brush cls", ReadPixel(0, 0), ReadPixel(2, 2)
; call EndSelect()
; call SelectMask(3)
; print "mask", ReadPixel(4, 4)
; call SetMaskMode(1)
; call Cls()
; print "mask cleared", ReadPixel(4, 4)
; call SetMaskMode(0)
; call Plot(4, 4)
; print "mask plot", ReadPixel(4, 4), ReadPixel(5, 4)
; call EndSelect()
; call SelectAlphaChannel(3)
; call Plot(5, 5, $40000000)
; print "alpha", ReadPixel(5, 5), ReadPixel(6, 6)
; call EndSelect()
; call BeginDoubleBuffer()
; call Plot(7, 7, $FFFF00)
; print "double", ReadPixel(7, 7)
; call Flip()
; call EndDoubleBuffer()
; print "after flip", ReadPixel(7, 7)
; call CreateClipRegion(1, 14, 100, 100, 10, 10)
; call SetClipRegion(1)
; call ExitOnError(false)
; call Plot(50, 50, $FFFFFF)
; call ReadPixel(50, 50)
; print "clipped read", GetLastError()
; call ExitOnError(true)
; call SetFillStyle(1)
; call Box(95, 95, 30, 30, $FF00FF)
; call SetClipRegion(0)
; print "clipped box", ReadPixel(100, 100), ReadPixel(109, 109), ReadPixel(99, 99), ReadPixel(110, 110), ReadPixel(50, 50)
; call CreateBrush(9, 10, 10, $FF0000)
; call SelectBrush(9)
; call Box(0, 0, 5, 5, $000000)
; call EndSelect()
; call SetBrushTransparency(9, $000000)
; call CreateSprite(1, 3, 9)
; call DisplaySprite(1, 200, 200)
; call Plot(201, 201, $00FF00)
; call Plot(208, 208, $00FF00)
; call RemoveSprite(1)
; print "under sprite", ReadPixel(201, 201), ReadPixel(208, 208)
.source "@draw_targets.q"
  .maxstack 10
.lineno 1
  GETGLOBAL r0 "plot"
  LOADK r1 #5
  LOADK r2 #5
  LOADK r3 #16711680
  CALL r0 4 2
.lineno 2
  GETGLOBAL r0 "plot"
  LOADK r1 #6
  LOADK r2 #5
  LOADK r3 #2164260863
  CALL r0 4 2
.lineno 3
  GETGLOBAL r0 "debugprint"
  LOADK r1 "display"
  GETGLOBAL r2 "readpixel"
  LOADK r3 #5
  LOADK r4 #5
  CALL r2 3 2
  GETGLOBAL r3 "readpixel"
  LOADK r4 #6
  LOADK r5 #5
  CALL r3 3 0
  CALL r0 0 2
.lineno 4
  GETGLOBAL r0 "plot"
  LOADK r1 #300
  LOADK r2 #300
  LOADK r3 #11259375
  CALL r0 4 2
.lineno 5
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "snap.bmp"
  LOADK r2 #0
  CALL r0 3 2
.lineno 6
  GETGLOBAL r0 "createbgpic"
  LOADK r1 #2
  LOADK r2 #20
  LOADK r3 #20
  LOADK r4 #0
  CALL r0 5 2
.lineno 7
  GETGLOBAL r0 "selectbgpic"
  LOADK r1 #2
  LOADK r2 #0
  CALL r0 3 2
.lineno 8
  GETGLOBAL r0 "plot"
  LOADK r1 #1
  LOADK r2 #1
  LOADK r3 #65280
  CALL r0 4 2
.lineno 9
  GETGLOBAL r0 "debugprint"
  LOADK r1 "bgpic"
  GETGLOBAL r2 "readpixel"
  LOADK r3 #1
  LOADK r4 #1
  CALL r2 3 0
  CALL r0 0 2
.lineno 10
  GETGLOBAL r0 "endselect"
  CALL r0 1 2
.lineno 11
  GETGLOBAL r0 "createbrush"
  LOADK r1 #3
  LOADK r2 #20
  LOADK r3 #20
  LOADK r4 #0
  CALL r0 5 2
.lineno 12
  GETGLOBAL r0 "selectbrush"
  LOADK r1 #3
  CALL r0 2 2
.lineno 13
  GETGLOBAL r0 "plot"
  LOADK r1 #2
  LOADK r2 #2
  LOADK r3 #255
  CALL r0 4 2
.lineno 14
  GETGLOBAL r0 "debugprint"
  LOADK r1 "brush"
  GETGLOBAL r2 "readpixel"
  LOADK r3 #2
  LOADK r4 #2
  CALL r2 3 0
  CALL r0 0 2
.lineno 15
  GETGLOBAL r0 "cls"
  LOADK r1 #1122867
  CALL r0 2 2
.lineno 16
  GETGLOBAL r0 "debugprint"
  LOADK r1 "brush cls"
  GETGLOBAL r2 "readpixel"
  LOADK r3 #0
  LOADK r4 #0
  CALL r2 3 2
  GETGLOBAL r3 "readpixel"
  LOADK r4 #2
  LOADK r5 #2
  CALL r3 3 0
  CALL r0 0 2
.lineno 17
  GETGLOBAL r0 "endselect"
  CALL r0 1 2
.lineno 18
  GETGLOBAL r0 "selectmask"
  LOADK r1 #3
  CALL r0 2 2
.lineno 19
  GETGLOBAL r0 "debugprint"
  LOADK r1 "mask"
  GETGLOBAL r2 "readpixel"
  LOADK r3 #4
  LOADK r4 #4
  CALL r2 3 0
  CALL r0 0 2
.lineno 20
  GETGLOBAL r0 "setmaskmode"
  LOADK r1 #1
  CALL r0 2 2
.lineno 21
  GETGLOBAL r0 "cls"
  CALL r0 1 2
.lineno 22
  GETGLOBAL r0 "debugprint"
  LOADK r1 "mask cleared"
  GETGLOBAL r2 "readpixel"
  LOADK r3 #4
  LOADK r4 #4
  CALL r2 3 0
  CALL r0 0 2
.lineno 23
  GETGLOBAL r0 "setmaskmode"
  LOADK r1 #0
  CALL r0 2 2
.lineno 24
  GETGLOBAL r0 "plot"
  LOADK r1 #4
  LOADK r2 #4
  CALL r0 3 2
.lineno 25
  GETGLOBAL r0 "debugprint"
  LOADK r1 "mask plot"
  GETGLOBAL r2 "readpixel"
  LOADK r3 #4
  LOADK r4 #4
  CALL r2 3 2
  GETGLOBAL r3 "readpixel"
  LOADK r4 #5
  LOADK r5 #4
  CALL r3 3 0
  CALL r0 0 2
.lineno 26
  GETGLOBAL r0 "endselect"
  CALL r0 1 2
.lineno 27
  GETGLOBAL r0 "selectalphachannel"
  LOADK r1 #3
  CALL r0 2 2
.lineno 28
  GETGLOBAL r0 "plot"
  LOADK r1 #5
  LOADK r2 #5
  LOADK r3 #1073741824
  CALL r0 4 2
.lineno 29
  GETGLOBAL r0 "debugprint"
  LOADK r1 "alpha"
  GETGLOBAL r2 "readpixel"
  LOADK r3 #5
  LOADK r4 #5
  CALL r2 3 2
  GETGLOBAL r3 "readpixel"
  LOADK r4 #6
  LOADK r5 #6
  CALL r3 3 0
  CALL r0 0 2
.lineno 30
  GETGLOBAL r0 "endselect"
  CALL r0 1 2
.lineno 31
  GETGLOBAL r0 "begindoublebuffer"
  CALL r0 1 2
.lineno 32
  GETGLOBAL r0 "plot"
  LOADK r1 #7
  LOADK r2 #7
  LOADK r3 #16776960
  CALL r0 4 2
.lineno 33
  GETGLOBAL r0 "debugprint"
  LOADK r1 "double"
  GETGLOBAL r2 "readpixel"
  LOADK r3 #7
  LOADK r4 #7
  CALL r2 3 0
  CALL r0 0 2
.lineno 34
  GETGLOBAL r0 "flip"
  CALL r0 1 2
.lineno 35
  GETGLOBAL r0 "enddoublebuffer"
  CALL r0 1 2
.lineno 36
  GETGLOBAL r0 "debugprint"
  LOADK r1 "after flip"
  GETGLOBAL r2 "readpixel"
  LOADK r3 #7
  LOADK r4 #7
  CALL r2 3 0
  CALL r0 0 2
.lineno 37
  GETGLOBAL r0 "createclipregion"
  LOADK r1 #1
  LOADK r2 #14
  LOADK r3 #100
  LOADK r4 #100
  LOADK r5 #10
  LOADK r6 #10
  CALL r0 7 2
.lineno 38
  GETGLOBAL r0 "setclipregion"
  LOADK r1 #1
  CALL r0 2 2
.lineno 39
  GETGLOBAL r0 "exitonerror"
  LOADBOOL r1 0 0
  CALL r0 2 2
.lineno 40
  GETGLOBAL r0 "plot"
  LOADK r1 #50
  LOADK r2 #50
  LOADK r3 #16777215
  CALL r0 4 2
.lineno 41
  GETGLOBAL r0 "readpixel"
  LOADK r1 #50
  LOADK r2 #50
  CALL r0 3 2
.lineno 42
  GETGLOBAL r0 "debugprint"
  LOADK r1 "clipped read"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 2
.lineno 43
  GETGLOBAL r0 "exitonerror"
  LOADBOOL r1 1 0
  CALL r0 2 2
.lineno 44
  GETGLOBAL r0 "setfillstyle"
  LOADK r1 #1
  CALL r0 2 2
.lineno 45
  GETGLOBAL r0 "box"
  LOADK r1 #95
  LOADK r2 #95
  LOADK r3 #30
  LOADK r4 #30
  LOADK r5 #16711935
  CALL r0 6 2
.lineno 46
  GETGLOBAL r0 "setclipregion"
  LOADK r1 #0
  CALL r0 2 2
.lineno 47
  GETGLOBAL r0 "debugprint"
  LOADK r1 "clipped box"
  GETGLOBAL r2 "readpixel"
  LOADK r3 #100
  LOADK r4 #100
  CALL r2 3 2
  GETGLOBAL r3 "readpixel"
  LOADK r4 #109
  LOADK r5 #109
  CALL r3 3 2
  GETGLOBAL r4 "readpixel"
  LOADK r5 #99
  LOADK r6 #99
  CALL r4 3 2
  GETGLOBAL r5 "readpixel"
  LOADK r6 #110
  LOADK r7 #110
  CALL r5 3 2
  GETGLOBAL r6 "readpixel"
  LOADK r7 #50
  LOADK r8 #50
  CALL r6 3 0
  CALL r0 0 2
.lineno 48
  GETGLOBAL r0 "createbrush"
  LOADK r1 #9
  LOADK r2 #10
  LOADK r3 #10
  LOADK r4 #16711680
  CALL r0 5 2
.lineno 49
  GETGLOBAL r0 "selectbrush"
  LOADK r1 #9
  CALL r0 2 2
.lineno 50
  GETGLOBAL r0 "box"
  LOADK r1 #0
  LOADK r2 #0
  LOADK r3 #5
  LOADK r4 #5
  LOADK r5 #0
  CALL r0 6 2
.lineno 51
  GETGLOBAL r0 "endselect"
  CALL r0 1 2
.lineno 52
  GETGLOBAL r0 "setbrushtransparency"
  LOADK r1 #9
  LOADK r2 #0
  CALL r0 3 2
.lineno 53
  GETGLOBAL r0 "createsprite"
  LOADK r1 #1
  LOADK r2 #3
  LOADK r3 #9
  CALL r0 4 2
.lineno 54
  GETGLOBAL r0 "displaysprite"
  LOADK r1 #1
  LOADK r2 #200
  LOADK r3 #200
  CALL r0 4 2
.lineno 55
  GETGLOBAL r0 "plot"
  LOADK r1 #201
  LOADK r2 #201
  LOADK r3 #65280
  CALL r0 4 2
.lineno 56
  GETGLOBAL r0 "plot"
  LOADK r1 #208
  LOADK r2 #208
  LOADK r3 #65280
  CALL r0 4 2
.lineno 57
  GETGLOBAL r0 "removesprite"
  LOADK r1 #1
  CALL r0 2 2
.lineno 58
  GETGLOBAL r0 "debugprint"
  LOADK r1 "under sprite"
  GETGLOBAL r2 "readpixel"
  LOADK r3 #201
  LOADK r4 #201
  CALL r2 3 2
  GETGLOBAL r3 "readpixel"
  LOADK r4 #208
  LOADK r5 #208
  CALL r3 3 0
  CALL r0 0 2
  RETURN r0 1
