; label: display.clip
; ExitOnError(false)
; CreateBGPic(2, 640, 480, 0xFFFFFF); CreateBGPic(3, 640, 480, 0xFF0000)
; CreateClipRegion(1, 14, 100, 100, 50, 60); SetClipRegion(1)
; DisplayBGPicPart(2, 0, 0, 640, 480); DebugPrint("whole picture", GetLastError()); SaveSnapshot("box.bmp", 1)
; DisplayBGPicPart(3, 0, 0, 10, 10, -100000, -100000); DebugPrint("centred", GetLastError())
; DisplayBGPicPart(1, 100, 100, 10, 10, 0, 0); DebugPrint("own picture outside", GetLastError()); SaveSnapshot("centre.bmp", 1)
.source "@bgpic_part_clip.qasm"
.maxstack 9
.lineno 1
  GETGLOBAL r0 "exitonerror"
  LOADBOOL r1 0 0
  CALL r0 2 1
.lineno 2
  GETGLOBAL r0 "createbgpic"
  LOADK r1 #2
  LOADK r2 #640
  LOADK r3 #480
  LOADK r4 #16777215
  CALL r0 5 1
  GETGLOBAL r0 "createbgpic"
  LOADK r1 #3
  LOADK r2 #640
  LOADK r3 #480
  LOADK r4 #16711680
  CALL r0 5 1
.lineno 3
  GETGLOBAL r0 "createclipregion"
  LOADK r1 #1
  LOADK r2 #14
  LOADK r3 #100
  LOADK r4 #100
  LOADK r5 #50
  LOADK r6 #60
  CALL r0 7 1
  GETGLOBAL r0 "setclipregion"
  LOADK r1 #1
  CALL r0 2 1
.lineno 4
  GETGLOBAL r0 "displaybgpicpart"
  LOADK r1 #2
  LOADK r2 #0
  LOADK r3 #0
  LOADK r4 #640
  LOADK r5 #480
  CALL r0 6 1
  GETGLOBAL r0 "debugprint"
  LOADK r1 "whole picture"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 2
  CALL r0 3 1
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "box.bmp"
  LOADK r2 #1
  CALL r0 3 1
.lineno 5
  GETGLOBAL r0 "displaybgpicpart"
  LOADK r1 #3
  LOADK r2 #0
  LOADK r3 #0
  LOADK r4 #10
  LOADK r5 #10
  LOADK r6 #-100000
  LOADK r7 #-100000
  CALL r0 8 1
  GETGLOBAL r0 "debugprint"
  LOADK r1 "centred"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 2
  CALL r0 3 1
.lineno 6
  GETGLOBAL r0 "displaybgpicpart"
  LOADK r1 #1
  LOADK r2 #100
  LOADK r3 #100
  LOADK r4 #10
  LOADK r5 #10
  LOADK r6 #0
  LOADK r7 #0
  CALL r0 8 1
  GETGLOBAL r0 "debugprint"
  LOADK r1 "own picture outside"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 2
  CALL r0 3 1
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "centre.bmp"
  LOADK r2 #1
  CALL r0 3 1
  RETURN r0 1
