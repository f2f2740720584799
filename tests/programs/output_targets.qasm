; label: display.targets
; ExitOnError(False)
; CreateBGPic(10, 32, 32, $000000)  DisplayBGPic(10)  CreateBrush(1, 8, 8, $0000FF)  CreateBrush(2, 4, 4, $FF0000)
; SelectBrush(1)  DisplayBrush(2, 0, 0)  SelectBrush(1)  DisplayBrush(2, 4, 4)  -- the second select keeps the drawing
; FreeBrush(1)  DebugPrint(GetLastError())  ScaleBrush(1, 4, 4)  DebugPrint(GetLastError())  SelectBrush(1)  DebugPrint(GetLastError())
; SelectBrush(99)  DebugPrint(GetLastError())  DisplayBrush(2, 24, 0)  -- a failed select left the output on the display
; DisplayBrush(1, 0, 0)  SaveSnapshot("sel.png", 1, 1)
; CreateBGPic(20, 8, 8, $00FF00)  SelectBGPic(20, 0)  DisplayBrush(2, 2, 2)
; FreeBGPic(20)  DebugPrint(GetLastError())  ScaleBGPic(20, 4, 4)  DebugPrint(GetLastError())
; SelectBGPic(10, 0)  DebugPrint(GetLastError())  DisplayBrush(2, 24, 24)
; DisplayBGPic(20)  SaveSnapshot("bgpic.png", 1, 1)  DisplayBGPic(10)
; CreateBrush(3, 4, 4, $FFFFFF, {alphachannel = True})  SelectMask(3)
; DebugPrint(GetAttribute(3, 3, 16), GetAttribute(3, 3, 17))  DisplayBrush(2, 3, 3)
; DebugPrint(GetAttribute(3, 3, 16), GetAttribute(3, 3, 17))  EndSelect()  DisplayBrush(3, 16, 16)  SaveSnapshot("mask.png", 1, 1)
; SelectAlphaChannel(3)  DebugPrint(GetAttribute(3, 3, 16), GetAttribute(3, 3, 17))  EndSelect()
; SelectMask(3, 4)  DebugPrint(GetLastError())  SelectMask(3, 7)  DebugPrint(GetLastError())
; BeginDoubleBuffer()  EndSelect()  DebugPrint(GetLastError())  EndDoubleBuffer()
; FreeBrush(1)  FreeBGPic(20)  DebugPrint(GetLastError())
.source "@output_targets.qasm"
.maxstack 11
.lineno 1
  GETGLOBAL r0 "exitonerror"
  LOADBOOL r1 0 0
  CALL r0 2 1
.lineno 2
  GETGLOBAL r0 "createbgpic"
  LOADK r1 #10
  LOADK r2 #32
  LOADK r3 #32
  LOADK r4 #0
  CALL r0 5 1
  GETGLOBAL r0 "displaybgpic"
  LOADK r1 #10
  CALL r0 2 1
  GETGLOBAL r0 "createbrush"
  LOADK r1 #1
  LOADK r2 #8
  LOADK r3 #8
  LOADK r4 #255
  CALL r0 5 1
  GETGLOBAL r0 "createbrush"
  LOADK r1 #2
  LOADK r2 #4
  LOADK r3 #4
  LOADK r4 #16711680
  CALL r0 5 1
.lineno 3
  GETGLOBAL r0 "selectbrush"
  LOADK r1 #1
  CALL r0 2 1
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #2
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 1
  GETGLOBAL r0 "selectbrush"
  LOADK r1 #1
  CALL r0 2 1
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #2
  LOADK r2 #4
  LOADK r3 #4
  CALL r0 4 1
.lineno 4
  GETGLOBAL r0 "freebrush"
  LOADK r1 #1
  CALL r0 2 1
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getlasterror"
  CALL r1 1 2
  CALL r0 2 1
  GETGLOBAL r0 "scalebrush"
  LOADK r1 #1
  LOADK r2 #4
  LOADK r3 #4
  CALL r0 4 1
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getlasterror"
  CALL r1 1 2
  CALL r0 2 1
  GETGLOBAL r0 "selectbrush"
  LOADK r1 #1
  CALL r0 2 1
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getlasterror"
  CALL r1 1 2
  CALL r0 2 1
.lineno 5
  GETGLOBAL r0 "selectbrush"
  LOADK r1 #99
  CALL r0 2 1
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getlasterror"
  CALL r1 1 2
  CALL r0 2 1
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #2
  LOADK r2 #24
  LOADK r3 #0
  CALL r0 4 1
.lineno 6
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #1
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 1
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "sel.png"
  LOADK r2 #1
  LOADK r3 #1
  CALL r0 4 1
.lineno 7
  GETGLOBAL r0 "createbgpic"
  LOADK r1 #20
  LOADK r2 #8
  LOADK r3 #8
  LOADK r4 #65280
  CALL r0 5 1
  GETGLOBAL r0 "selectbgpic"
  LOADK r1 #20
  LOADK r2 #0
  CALL r0 3 1
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #2
  LOADK r2 #2
  LOADK r3 #2
  CALL r0 4 1
.lineno 8
  GETGLOBAL r0 "freebgpic"
  LOADK r1 #20
  CALL r0 2 1
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getlasterror"
  CALL r1 1 2
  CALL r0 2 1
  GETGLOBAL r0 "scalebgpic"
  LOADK r1 #20
  LOADK r2 #4
  LOADK r3 #4
  CALL r0 4 1
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getlasterror"
  CALL r1 1 2
  CALL r0 2 1
.lineno 9
  GETGLOBAL r0 "selectbgpic"
  LOADK r1 #10
  LOADK r2 #0
  CALL r0 3 1
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getlasterror"
  CALL r1 1 2
  CALL r0 2 1
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #2
  LOADK r2 #24
  LOADK r3 #24
  CALL r0 4 1
.lineno 10
  GETGLOBAL r0 "displaybgpic"
  LOADK r1 #20
  CALL r0 2 1
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "bgpic.png"
  LOADK r2 #1
  LOADK r3 #1
  CALL r0 4 1
  GETGLOBAL r0 "displaybgpic"
  LOADK r1 #10
  CALL r0 2 1
.lineno 11
  GETGLOBAL r0 "createbrush"
  LOADK r1 #3
  LOADK r2 #4
  LOADK r3 #4
  LOADK r4 #16777215
  NEWTABLE r5 0 0
  LOADBOOL r6 1 0
  SETTABLE r5 "alphachannel" r6
  CALL r0 6 1
  GETGLOBAL r0 "selectmask"
  LOADK r1 #3
  CALL r0 2 1
.lineno 12
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getattribute"
  LOADK r2 #3
  LOADK r3 #3
  LOADK r4 #16
  CALL r1 4 2
  GETGLOBAL r2 "getattribute"
  LOADK r3 #3
  LOADK r4 #3
  LOADK r5 #17
  CALL r2 4 2
  CALL r0 3 1
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #2
  LOADK r2 #3
  LOADK r3 #3
  CALL r0 4 1
.lineno 13
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getattribute"
  LOADK r2 #3
  LOADK r3 #3
  LOADK r4 #16
  CALL r1 4 2
  GETGLOBAL r2 "getattribute"
  LOADK r3 #3
  LOADK r4 #3
  LOADK r5 #17
  CALL r2 4 2
  CALL r0 3 1
  GETGLOBAL r0 "endselect"
  CALL r0 1 1
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #3
  LOADK r2 #16
  LOADK r3 #16
  CALL r0 4 1
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "mask.png"
  LOADK r2 #1
  LOADK r3 #1
  CALL r0 4 1
.lineno 14
  GETGLOBAL r0 "selectalphachannel"
  LOADK r1 #3
  CALL r0 2 1
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getattribute"
  LOADK r2 #3
  LOADK r3 #3
  LOADK r4 #16
  CALL r1 4 2
  GETGLOBAL r2 "getattribute"
  LOADK r3 #3
  LOADK r4 #3
  LOADK r5 #17
  CALL r2 4 2
  CALL r0 3 1
  GETGLOBAL r0 "endselect"
  CALL r0 1 1
.lineno 15
  GETGLOBAL r0 "selectmask"
  LOADK r1 #3
  LOADK r2 #4
  CALL r0 3 1
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getlasterror"
  CALL r1 1 2
  CALL r0 2 1
  GETGLOBAL r0 "selectmask"
  LOADK r1 #3
  LOADK r2 #7
  CALL r0 3 1
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getlasterror"
  CALL r1 1 2
  CALL r0 2 1
.lineno 16
  GETGLOBAL r0 "begindoublebuffer"
  CALL r0 1 1
  GETGLOBAL r0 "endselect"
  CALL r0 1 1
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getlasterror"
  CALL r1 1 2
  CALL r0 2 1
  GETGLOBAL r0 "enddoublebuffer"
  CALL r0 1 1
.lineno 17
  GETGLOBAL r0 "freebrush"
  LOADK r1 #1
  CALL r0 2 1
  GETGLOBAL r0 "freebgpic"
  LOADK r1 #20
  CALL r0 2 1
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getlasterror"
  CALL r1 1 2
  CALL r0 2 1
  RETURN r0 1
