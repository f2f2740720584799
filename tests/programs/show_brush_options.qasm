; label: display.brush
; ExitOnError(False)
; CreateBGPic(10, 64, 48, $000000)  DisplayBGPic(10)  CreateBrush(1, 8, 8, $FF0000)
; DisplayBrush(1, -100000, -100000, {anchorx = 0.5, anchory = 0.5})  SaveSnapshot("centre.png", 1, 1)
; CreateBGPic(11, 64, 48, $000000)  DisplayBGPic(11)  DisplayBrush(1, 20, 10, {rotate = 370})  SaveSnapshot("r370.png", 1, 1)
; CreateBGPic(12, 64, 48, $000000)  DisplayBGPic(12)  DisplayBrush(1, 20, 10, {rotate = 10})  SaveSnapshot("r10.png", 1, 1)
; CreateBGPic(13, 64, 48, $000000)  DisplayBGPic(13)  DisplayBrush(1, 20, 10, {rotate = -370})  SaveSnapshot("rm370.png", 1, 1)
; CreateBGPic(14, 64, 48, $000000)  DisplayBGPic(14)  DisplayBrush(1, 20, 10, {rotate = -10})  SaveSnapshot("rm10.png", 1, 1)
; CreateBGPic(15, 64, 48, $000000)  DisplayBGPic(15)  CreateBrush(2, 4, 4, $000000)
; DisplayBrush(1, 0, 0, {transparency = 255})  DisplayBrush(2, 10, 0, {tint = 128, tintcolor = $00FF00})
; DisplayBrush(1, 20, 0, {scalex = 2, scaley = 0.5})  DisplayBrush(1, 0, 20, {width = 4, height = 16})  SaveSnapshot("opts.png", 1, 1)
; DisplayBrushPart(1, 8, 0, 0, 0, 4, 4)  DebugPrint(GetLastError())
; DisplayBrushPart(1, 0, 0, 0, 0, 0, 4)  DebugPrint(GetLastError())
; DisplayBrushPart(1, 4, 4, 40, 40, 8, 8)  SaveSnapshot("part.png", 1, 1)
; DisplayBrush(1, 0, 0, {scalex = 0})  DebugPrint(GetLastError())
; DisplayBrush(1, 0, 0, {transform = {0 = 0, 1 = 0, 2 = 0, 3 = 1}})  DebugPrint(GetLastError())
; DisplayBrush(1, 0, 0, {transform = {0 = 1, 1 = 0, 2 = 0, 3 = 0}})  DebugPrint(GetLastError())
; DisplayBrush(1, 0, 0, {anchorx = 1.5})  DebugPrint(GetLastError())
; DisplayBrush(1, 0, 0, {name = "aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa"})  DebugPrint(GetLastError())
; DisplayBrush(1, 0, 0, {insertpos = -1})  DebugPrint(GetLastError())
; DisplayBrush(1, 0, 0, 5)  DebugPrint(GetLastError())
; CreateBGPic(16, 64, 48, $000000)  DisplayBGPic(16)  SetDrawTagsDefault({anchorx = 1, tint = 255, tintcolor = $00FF00})
; DisplayBrush(1, 20, 10)  SaveSnapshot("defaults.png", 1, 1)
.source "@show_brush_options.qasm"
.maxstack 12
.lineno 1
  GETGLOBAL r0 "exitonerror"
  LOADBOOL r1 0 0
  CALL r0 2 1
.lineno 2
  GETGLOBAL r0 "createbgpic"
  LOADK r1 #10
  LOADK r2 #64
  LOADK r3 #48
  LOADK r4 #0
  CALL r0 5 1
  GETGLOBAL r0 "displaybgpic"
  LOADK r1 #10
  CALL r0 2 1
  GETGLOBAL r0 "createbrush"
  LOADK r1 #1
  LOADK r2 #8
  LOADK r3 #8
  LOADK r4 #16711680
  CALL r0 5 1
.lineno 3
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #1
  LOADK r2 #-100000
  LOADK r3 #-100000
  NEWTABLE r4 0 0
  LOADK r5 #0.5
  SETTABLE r4 "anchorx" r5
  LOADK r5 #0.5
  SETTABLE r4 "anchory" r5
  CALL r0 5 1
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "centre.png"
  LOADK r2 #1
  LOADK r3 #1
  CALL r0 4 1
.lineno 4
  GETGLOBAL r0 "createbgpic"
  LOADK r1 #11
  LOADK r2 #64
  LOADK r3 #48
  LOADK r4 #0
  CALL r0 5 1
  GETGLOBAL r0 "displaybgpic"
  LOADK r1 #11
  CALL r0 2 1
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #1
  LOADK r2 #20
  LOADK r3 #10
  NEWTABLE r4 0 0
  LOADK r5 #370
  SETTABLE r4 "rotate" r5
  CALL r0 5 1
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r370.png"
  LOADK r2 #1
  LOADK r3 #1
  CALL r0 4 1
.lineno 5
  GETGLOBAL r0 "createbgpic"
  LOADK r1 #12
  LOADK r2 #64
  LOADK r3 #48
  LOADK r4 #0
  CALL r0 5 1
  GETGLOBAL r0 "displaybgpic"
  LOADK r1 #12
  CALL r0 2 1
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #1
  LOADK r2 #20
  LOADK r3 #10
  NEWTABLE r4 0 0
  LOADK r5 #10
  SETTABLE r4 "rotate" r5
  CALL r0 5 1
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r10.png"
  LOADK r2 #1
  LOADK r3 #1
  CALL r0 4 1
.lineno 6
  GETGLOBAL r0 "createbgpic"
  LOADK r1 #13
  LOADK r2 #64
  LOADK r3 #48
  LOADK r4 #0
  CALL r0 5 1
  GETGLOBAL r0 "displaybgpic"
  LOADK r1 #13
  CALL r0 2 1
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #1
  LOADK r2 #20
  LOADK r3 #10
  NEWTABLE r4 0 0
  LOADK r5 #-370
  SETTABLE r4 "rotate" r5
  CALL r0 5 1
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "rm370.png"
  LOADK r2 #1
  LOADK r3 #1
  CALL r0 4 1
.lineno 7
  GETGLOBAL r0 "createbgpic"
  LOADK r1 #14
  LOADK r2 #64
  LOADK r3 #48
  LOADK r4 #0
  CALL r0 5 1
  GETGLOBAL r0 "displaybgpic"
  LOADK r1 #14
  CALL r0 2 1
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #1
  LOADK r2 #20
  LOADK r3 #10
  NEWTABLE r4 0 0
  LOADK r5 #-10
  SETTABLE r4 "rotate" r5
  CALL r0 5 1
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "rm10.png"
  LOADK r2 #1
  LOADK r3 #1
  CALL r0 4 1
.lineno 8
  GETGLOBAL r0 "createbgpic"
  LOADK r1 #15
  LOADK r2 #64
  LOADK r3 #48
  LOADK r4 #0
  CALL r0 5 1
  GETGLOBAL r0 "displaybgpic"
  LOADK r1 #15
  CALL r0 2 1
  GETGLOBAL r0 "createbrush"
  LOADK r1 #2
  LOADK r2 #4
  LOADK r3 #4
  LOADK r4 #0
  CALL r0 5 1
.lineno 9
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #1
  LOADK r2 #0
  LOADK r3 #0
  NEWTABLE r4 0 0
  LOADK r5 #255
  SETTABLE r4 "transparency" r5
  CALL r0 5 1
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #2
  LOADK r2 #10
  LOADK r3 #0
  NEWTABLE r4 0 0
  LOADK r5 #128
  SETTABLE r4 "tint" r5
  LOADK r5 #65280
  SETTABLE r4 "tintcolor" r5
  CALL r0 5 1
.lineno 10
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #1
  LOADK r2 #20
  LOADK r3 #0
  NEWTABLE r4 0 0
  LOADK r5 #2
  SETTABLE r4 "scalex" r5
  LOADK r5 #0.5
  SETTABLE r4 "scaley" r5
  CALL r0 5 1
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #1
  LOADK r2 #0
  LOADK r3 #20
  NEWTABLE r4 0 0
  LOADK r5 #4
  SETTABLE r4 "width" r5
  LOADK r5 #16
  SETTABLE r4 "height" r5
  CALL r0 5 1
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "opts.png"
  LOADK r2 #1
  LOADK r3 #1
  CALL r0 4 1
.lineno 11
  GETGLOBAL r0 "displaybrushpart"
  LOADK r1 #1
  LOADK r2 #8
  LOADK r3 #0
  LOADK r4 #0
  LOADK r5 #0
  LOADK r6 #4
  LOADK r7 #4
  CALL r0 8 1
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getlasterror"
  CALL r1 1 2
  CALL r0 2 1
.lineno 12
  GETGLOBAL r0 "displaybrushpart"
  LOADK r1 #1
  LOADK r2 #0
  LOADK r3 #0
  LOADK r4 #0
  LOADK r5 #0
  LOADK r6 #0
  LOADK r7 #4
  CALL r0 8 1
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getlasterror"
  CALL r1 1 2
  CALL r0 2 1
.lineno 13
  GETGLOBAL r0 "displaybrushpart"
  LOADK r1 #1
  LOADK r2 #4
  LOADK r3 #4
  LOADK r4 #40
  LOADK r5 #40
  LOADK r6 #8
  LOADK r7 #8
  CALL r0 8 1
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "part.png"
  LOADK r2 #1
  LOADK r3 #1
  CALL r0 4 1
.lineno 14
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #1
  LOADK r2 #0
  LOADK r3 #0
  NEWTABLE r4 0 0
  LOADK r5 #0
  SETTABLE r4 "scalex" r5
  CALL r0 5 1
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getlasterror"
  CALL r1 1 2
  CALL r0 2 1
.lineno 15
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #1
  LOADK r2 #0
  LOADK r3 #0
  NEWTABLE r4 0 0
  NEWTABLE r5 0 0
  LOADK r6 #0
  SETTABLE r5 #0 r6
  LOADK r6 #0
  SETTABLE r5 #1 r6
  LOADK r6 #0
  SETTABLE r5 #2 r6
  LOADK r6 #1
  SETTABLE r5 #3 r6
  SETTABLE r4 "transform" r5
  CALL r0 5 1
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getlasterror"
  CALL r1 1 2
  CALL r0 2 1
.lineno 16
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #1
  LOADK r2 #0
  LOADK r3 #0
  NEWTABLE r4 0 0
  NEWTABLE r5 0 0
  LOADK r6 #1
  SETTABLE r5 #0 r6
  LOADK r6 #0
  SETTABLE r5 #1 r6
  LOADK r6 #0
  SETTABLE r5 #2 r6
  LOADK r6 #0
  SETTABLE r5 #3 r6
  SETTABLE r4 "transform" r5
  CALL r0 5 1
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getlasterror"
  CALL r1 1 2
  CALL r0 2 1
.lineno 17
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #1
  LOADK r2 #0
  LOADK r3 #0
  NEWTABLE r4 0 0
  LOADK r5 #1.5
  SETTABLE r4 "anchorx" r5
  CALL r0 5 1
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getlasterror"
  CALL r1 1 2
  CALL r0 2 1
.lineno 18
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #1
  LOADK r2 #0
  LOADK r3 #0
  NEWTABLE r4 0 0
  LOADK r5 "aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa"
  SETTABLE r4 "name" r5
  CALL r0 5 1
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getlasterror"
  CALL r1 1 2
  CALL r0 2 1
.lineno 19
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #1
  LOADK r2 #0
  LOADK r3 #0
  NEWTABLE r4 0 0
  LOADK r5 #-1
  SETTABLE r4 "insertpos" r5
  CALL r0 5 1
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getlasterror"
  CALL r1 1 2
  CALL r0 2 1
.lineno 20
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #1
  LOADK r2 #0
  LOADK r3 #0
  LOADK r4 #5
  CALL r0 5 1
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getlasterror"
  CALL r1 1 2
  CALL r0 2 1
.lineno 21
  GETGLOBAL r0 "createbgpic"
  LOADK r1 #16
  LOADK r2 #64
  LOADK r3 #48
  LOADK r4 #0
  CALL r0 5 1
  GETGLOBAL r0 "displaybgpic"
  LOADK r1 #16
  CALL r0 2 1
  GETGLOBAL r0 "setdrawtagsdefault"
  NEWTABLE r1 0 0
  LOADK r2 #1
  SETTABLE r1 "anchorx" r2
  LOADK r2 #255
  SETTABLE r1 "tint" r2
  LOADK r2 #65280
  SETTABLE r1 "tintcolor" r2
  CALL r0 2 1
.lineno 22
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #1
  LOADK r2 #20
  LOADK r3 #10
  CALL r0 4 1
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "defaults.png"
  LOADK r2 #1
  LOADK r3 #1
  CALL r0 4 1
  RETURN r0 1
