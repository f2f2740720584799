; Wait(1) and CheckEvent, with a key handler:
; CreateBrush(1, 32, 32, $FF0000)  DisplayBrush(1, 10, 10)
; InstallEventHandler({onkeydown = k})  DebugPrint("start")
; Repeat
;   CheckEvent()
;   Wait(1)
; Forever
; k: DebugPrint("key")
.declare display 1 title="Quillmere paced wait" width=320 height=200 color=0x3060A0
.source "@paced_wait.qasm"
.maxstack 8
.lineno 1
  GETGLOBAL r0 "createbrush"
  LOADK r1 #1
  LOADK r2 #32
  LOADK r3 #32
  LOADK r4 #16711680
  CALL r0 5 1
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #1
  LOADK r2 #10
  LOADK r3 #10
  CALL r0 4 1
.lineno 2
  GETGLOBAL r0 "installeventhandler"
  NEWTABLE r1 0 0
  CLOSURE r2 f0
  SETTABLE r1 "onkeydown" r2
  CALL r0 2 1
  GETGLOBAL r0 "debugprint"
  LOADK r1 "start"
  CALL r0 2 1
loop:
.lineno 4
  GETGLOBAL r0 "checkevent"
  CALL r0 1 1
.lineno 5
  GETGLOBAL r0 "wait"
  LOADK r1 #1
  CALL r0 2 1
.lineno 6
  JMP @loop
  RETURN r0 1
.function
  .params 1
  .maxstack 4
.lineno 8
  GETGLOBAL r1 "debugprint"
  LOADK r2 "key"
  CALL r1 2 1
  RETURN r0 1
.end
