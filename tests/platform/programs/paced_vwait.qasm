; A program that paces itself with VWait, its loop body on lines of its own:
; CreateBrush(1, 32, 32, $FF0000)  DebugPrint("start")
; Repeat
;   DisplayBrush(1, 10, 10)
;   VWait()
; Forever
.declare display 1 title="Quillmere paced vwait" width=320 height=200 color=0x3060A0
.source "@paced_vwait.qasm"
.maxstack 8
.lineno 1
  GETGLOBAL r0 "createbrush"
  LOADK r1 #1
  LOADK r2 #32
  LOADK r3 #32
  LOADK r4 #16711680
  CALL r0 5 1
  GETGLOBAL r0 "debugprint"
  LOADK r1 "start"
  CALL r0 2 1
loop:
.lineno 3
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #1
  LOADK r2 #10
  LOADK r3 #10
  CALL r0 4 1
.lineno 4
  GETGLOBAL r0 "vwait"
  CALL r0 1 1
.lineno 5
  JMP @loop
  RETURN r0 1
