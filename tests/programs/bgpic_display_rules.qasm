; label: display.brush
; ExitOnError(False)
; CreateBGPic(2, 100, 50, $FF0000)  DisplayBGPic(2)  FreeBGPic(2)
; DebugPrint(GetAttribute(#DISPLAY, 0, #ATTRWIDTH), GetAttribute(#BGPIC, 0, #ATTRCOUNT))  -- still shown, still counted
; CreateBGPic(2, 10, 10)  DebugPrint(GetAttribute(#BGPIC, 2, #ATTRWIDTH), GetAttribute(#BGPIC, 0, #ATTRCOUNT))  -- the number is free again
; DisplayBGPic(2)  ScaleBGPic(2, 20, 20)  DebugPrint(GetLastError())  -- shown: 1366
; DebugPrint(GetAttribute(#BGPIC, 0, #ATTRCOUNT))  -- the freed picture went once no display showed it
.source "@bgpic_display_rules.qasm"
.maxstack 8
.lineno 1
  GETGLOBAL r0 "exitonerror"
  LOADBOOL r1 0 0
  CALL r0 2 1
.lineno 2
  GETGLOBAL r0 "createbgpic"
  LOADK r1 #2
  LOADK r2 #100
  LOADK r3 #50
  LOADK r4 #16711680
  CALL r0 5 1
  GETGLOBAL r0 "displaybgpic"
  LOADK r1 #2
  CALL r0 2 1
  GETGLOBAL r0 "freebgpic"
  LOADK r1 #2
  CALL r0 2 1
.lineno 3
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getattribute"
  LOADK r2 #21
  LOADK r3 #0
  LOADK r4 #0
  CALL r1 4 2
  GETGLOBAL r2 "getattribute"
  LOADK r3 #1
  LOADK r4 #0
  LOADK r5 #60
  CALL r2 4 2
  CALL r0 3 1
.lineno 4
  GETGLOBAL r0 "createbgpic"
  LOADK r1 #2
  LOADK r2 #10
  LOADK r3 #10
  CALL r0 4 1
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getattribute"
  LOADK r2 #1
  LOADK r3 #2
  LOADK r4 #0
  CALL r1 4 2
  GETGLOBAL r2 "getattribute"
  LOADK r3 #1
  LOADK r4 #0
  LOADK r5 #60
  CALL r2 4 2
  CALL r0 3 1
.lineno 5
  GETGLOBAL r0 "displaybgpic"
  LOADK r1 #2
  CALL r0 2 1
  GETGLOBAL r0 "scalebgpic"
  LOADK r1 #2
  LOADK r2 #20
  LOADK r3 #20
  CALL r0 4 1
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getlasterror"
  CALL r1 1 2
  CALL r0 2 1
.lineno 6
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getattribute"
  LOADK r2 #1
  LOADK r3 #0
  LOADK r4 #60
  CALL r1 4 2
  CALL r0 2 1
  RETURN r0 1
