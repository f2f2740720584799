; label: display.clip
; ExitOnError(false)
; CreateClipRegion(1, 14, -10, 5, 30, 20); DebugPrint("box", GetAttribute(35, 1, 7), GetAttribute(35, 1, 8), GetAttribute(35, 1, 0), GetAttribute(35, 1, 1))
; CreateClipRegion(2, 14, -40, 5, 30, 20); DebugPrint("outside", GetLastError())
; CreateClipRegion(2, 14, 0, 0, 641, 10); SetClipRegion(2); DebugPrint("too wide", GetLastError())
; CreateClipRegion(2, 14, 100, 100, 50, 60); SetClipRegion(2); DebugPrint("fits", GetLastError(), GetAttribute(1, 1, 39))
; CreateClipRegion(3, 14, -100000, -100000, 10, 20); DebugPrint("centred in region", GetAttribute(35, 3, 7), GetAttribute(35, 3, 8))
; SetClipRegion(0); DebugPrint("off", GetAttribute(1, 1, 39)); SetClipRegion(2); SetClipRegion(-1); DebugPrint("off again", GetAttribute(1, 1, 39))
; CreateBrush(5, 8, 8, 0xFFFFFF); CreateClipRegion(4, 28, 5, 0, 0); DebugPrint("no mask", GetLastError())
; FreeClipRegion(9); DebugPrint("free missing", GetLastError())
; set h = CreateClipRegion(nil, 14, 0, 0, 5, 5)
; DebugPrint("count", GetAttribute(35, 0, 60)); FreeClipRegion(h); DebugPrint("freed", GetAttribute(35, 0, 60))
; RGBArrayToBrush(6, {0xFF000000, 0, 0, 0xFF000000, 0, 0xFF000000, 0xFF000000, 0xFF000000}, 4, 2, 28)
; CreateClipRegion(7, 28, 6, -1, 10); DebugPrint("shape cut", GetAttribute(35, 7, 7), GetAttribute(35, 7, 8), GetAttribute(35, 7, 0), GetAttribute(35, 7, 1))
; CreateClipRegion(8, 28, 6, 10, 10); SetClipRegion(8)
; CreateBrush(10, 640, 480, 0xFFFFFF); DisplayBrush(10, 0, 0)
; SaveSnapshot("shape.bmp", 1)
; SetClipRegion(0)
; ScaleBGPic(1, 320, 240); CreateClipRegion(11, 14, 300, 200, 20, 20); ScaleBGPic(1, 640, 480); SetClipRegion(11); ScaleBGPic(1, 310, 205)
; DisplayBrush(10, 0, 0); DebugPrint("outgrown", GetLastError())
.source "@clip_regions.qasm"
.maxstack 13
.lineno 1
  GETGLOBAL r0 "exitonerror"
  LOADBOOL r1 0 0
  CALL r0 2 1
.lineno 2
  GETGLOBAL r0 "createclipregion"
  LOADK r1 #1
  LOADK r2 #14
  LOADK r3 #-10
  LOADK r4 #5
  LOADK r5 #30
  LOADK r6 #20
  CALL r0 7 1
  GETGLOBAL r0 "debugprint"
  LOADK r1 "box"
  GETGLOBAL r2 "getattribute"
  LOADK r3 #35
  LOADK r4 #1
  LOADK r5 #7
  CALL r2 4 2
  GETGLOBAL r3 "getattribute"
  LOADK r4 #35
  LOADK r5 #1
  LOADK r6 #8
  CALL r3 4 2
  GETGLOBAL r4 "getattribute"
  LOADK r5 #35
  LOADK r6 #1
  LOADK r7 #0
  CALL r4 4 2
  GETGLOBAL r5 "getattribute"
  LOADK r6 #35
  LOADK r7 #1
  LOADK r8 #1
  CALL r5 4 2
  CALL r0 6 1
.lineno 3
  GETGLOBAL r0 "createclipregion"
  LOADK r1 #2
  LOADK r2 #14
  LOADK r3 #-40
  LOADK r4 #5
  LOADK r5 #30
  LOADK r6 #20
  CALL r0 7 1
  GETGLOBAL r0 "debugprint"
  LOADK r1 "outside"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 2
  CALL r0 3 1
.lineno 4
  GETGLOBAL r0 "createclipregion"
  LOADK r1 #2
  LOADK r2 #14
  LOADK r3 #0
  LOADK r4 #0
  LOADK r5 #641
  LOADK r6 #10
  CALL r0 7 1
  GETGLOBAL r0 "setclipregion"
  LOADK r1 #2
  CALL r0 2 1
  GETGLOBAL r0 "debugprint"
  LOADK r1 "too wide"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 2
  CALL r0 3 1
.lineno 5
  GETGLOBAL r0 "createclipregion"
  LOADK r1 #2
  LOADK r2 #14
  LOADK r3 #100
  LOADK r4 #100
  LOADK r5 #50
  LOADK r6 #60
  CALL r0 7 1
  GETGLOBAL r0 "setclipregion"
  LOADK r1 #2
  CALL r0 2 1
  GETGLOBAL r0 "debugprint"
  LOADK r1 "fits"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 2
  GETGLOBAL r3 "getattribute"
  LOADK r4 #1
  LOADK r5 #1
  LOADK r6 #39
  CALL r3 4 2
  CALL r0 4 1
.lineno 6
  GETGLOBAL r0 "createclipregion"
  LOADK r1 #3
  LOADK r2 #14
  LOADK r3 #-100000
  LOADK r4 #-100000
  LOADK r5 #10
  LOADK r6 #20
  CALL r0 7 1
  GETGLOBAL r0 "debugprint"
  LOADK r1 "centred in region"
  GETGLOBAL r2 "getattribute"
  LOADK r3 #35
  LOADK r4 #3
  LOADK r5 #7
  CALL r2 4 2
  GETGLOBAL r3 "getattribute"
  LOADK r4 #35
  LOADK r5 #3
  LOADK r6 #8
  CALL r3 4 2
  CALL r0 4 1
.lineno 7
  GETGLOBAL r0 "setclipregion"
  LOADK r1 #0
  CALL r0 2 1
  GETGLOBAL r0 "debugprint"
  LOADK r1 "off"
  GETGLOBAL r2 "getattribute"
  LOADK r3 #1
  LOADK r4 #1
  LOADK r5 #39
  CALL r2 4 2
  CALL r0 3 1
  GETGLOBAL r0 "setclipregion"
  LOADK r1 #2
  CALL r0 2 1
  GETGLOBAL r0 "setclipregion"
  LOADK r1 #-1
  CALL r0 2 1
  GETGLOBAL r0 "debugprint"
  LOADK r1 "off again"
  GETGLOBAL r2 "getattribute"
  LOADK r3 #1
  LOADK r4 #1
  LOADK r5 #39
  CALL r2 4 2
  CALL r0 3 1
.lineno 8
  GETGLOBAL r0 "createbrush"
  LOADK r1 #5
  LOADK r2 #8
  LOADK r3 #8
  LOADK r4 #16777215
  CALL r0 5 1
  GETGLOBAL r0 "createclipregion"
  LOADK r1 #4
  LOADK r2 #28
  LOADK r3 #5
  LOADK r4 #0
  LOADK r5 #0
  CALL r0 6 1
  GETGLOBAL r0 "debugprint"
  LOADK r1 "no mask"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 2
  CALL r0 3 1
.lineno 9
  GETGLOBAL r0 "freeclipregion"
  LOADK r1 #9
  CALL r0 2 1
  GETGLOBAL r0 "debugprint"
  LOADK r1 "free missing"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 2
  CALL r0 3 1
.lineno 10
  GETGLOBAL r0 "createclipregion"
  LOADNIL r1 r1
  LOADK r2 #14
  LOADK r3 #0
  LOADK r4 #0
  LOADK r5 #5
  LOADK r6 #5
  CALL r0 7 2
  SETGLOBAL r0 "h"
.lineno 11
  GETGLOBAL r0 "debugprint"
  LOADK r1 "count"
  GETGLOBAL r2 "getattribute"
  LOADK r3 #35
  LOADK r4 #0
  LOADK r5 #60
  CALL r2 4 2
  CALL r0 3 1
  GETGLOBAL r0 "freeclipregion"
  GETGLOBAL r1 "h"
  CALL r0 2 1
  GETGLOBAL r0 "debugprint"
  LOADK r1 "freed"
  GETGLOBAL r2 "getattribute"
  LOADK r3 #35
  LOADK r4 #0
  LOADK r5 #60
  CALL r2 4 2
  CALL r0 3 1
.lineno 12
  GETGLOBAL r0 "rgbarraytobrush"
  LOADK r1 #6
  NEWTABLE r2 0 0
  LOADK r3 #4278190080
  SETTABLE r2 #0 r3
  LOADK r3 #0
  SETTABLE r2 #1 r3
  LOADK r3 #0
  SETTABLE r2 #2 r3
  LOADK r3 #4278190080
  SETTABLE r2 #3 r3
  LOADK r3 #0
  SETTABLE r2 #4 r3
  LOADK r3 #4278190080
  SETTABLE r2 #5 r3
  LOADK r3 #4278190080
  SETTABLE r2 #6 r3
  LOADK r3 #4278190080
  SETTABLE r2 #7 r3
  LOADK r3 #4
  LOADK r4 #2
  LOADK r5 #28
  CALL r0 6 1
.lineno 13
  GETGLOBAL r0 "createclipregion"
  LOADK r1 #7
  LOADK r2 #28
  LOADK r3 #6
  LOADK r4 #-1
  LOADK r5 #10
  CALL r0 6 1
  GETGLOBAL r0 "debugprint"
  LOADK r1 "shape cut"
  GETGLOBAL r2 "getattribute"
  LOADK r3 #35
  LOADK r4 #7
  LOADK r5 #7
  CALL r2 4 2
  GETGLOBAL r3 "getattribute"
  LOADK r4 #35
  LOADK r5 #7
  LOADK r6 #8
  CALL r3 4 2
  GETGLOBAL r4 "getattribute"
  LOADK r5 #35
  LOADK r6 #7
  LOADK r7 #0
  CALL r4 4 2
  GETGLOBAL r5 "getattribute"
  LOADK r6 #35
  LOADK r7 #7
  LOADK r8 #1
  CALL r5 4 2
  CALL r0 6 1
.lineno 14
  GETGLOBAL r0 "createclipregion"
  LOADK r1 #8
  LOADK r2 #28
  LOADK r3 #6
  LOADK r4 #10
  LOADK r5 #10
  CALL r0 6 1
  GETGLOBAL r0 "setclipregion"
  LOADK r1 #8
  CALL r0 2 1
.lineno 15
  GETGLOBAL r0 "createbrush"
  LOADK r1 #10
  LOADK r2 #640
  LOADK r3 #480
  LOADK r4 #16777215
  CALL r0 5 1
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #10
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 1
.lineno 16
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "shape.bmp"
  LOADK r2 #1
  CALL r0 3 1
.lineno 17
  GETGLOBAL r0 "setclipregion"
  LOADK r1 #0
  CALL r0 2 1
.lineno 18
  GETGLOBAL r0 "scalebgpic"
  LOADK r1 #1
  LOADK r2 #320
  LOADK r3 #240
  CALL r0 4 1
  GETGLOBAL r0 "createclipregion"
  LOADK r1 #11
  LOADK r2 #14
  LOADK r3 #300
  LOADK r4 #200
  LOADK r5 #20
  LOADK r6 #20
  CALL r0 7 1
  GETGLOBAL r0 "scalebgpic"
  LOADK r1 #1
  LOADK r2 #640
  LOADK r3 #480
  CALL r0 4 1
  GETGLOBAL r0 "setclipregion"
  LOADK r1 #11
  CALL r0 2 1
  GETGLOBAL r0 "scalebgpic"
  LOADK r1 #1
  LOADK r2 #310
  LOADK r3 #205
  CALL r0 4 1
.lineno 19
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #10
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 1
  GETGLOBAL r0 "debugprint"
  LOADK r1 "outgrown"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 2
  CALL r0 3 1
  RETURN r0 1
