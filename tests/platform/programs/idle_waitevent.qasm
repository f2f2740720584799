; An idle event loop: DebugPrint("start")  Repeat WaitEvent() Forever
.declare display 1 title="Quillmere idle" width=320 height=200
.source "@idle_waitevent.qasm"
.maxstack 4
.lineno 1
  GETGLOBAL r0 "debugprint"
  LOADK r1 "start"
  CALL r0 2 1
loop:
.lineno 2
  GETGLOBAL r0 "waitevent"
  CALL r0 1 1
  JMP @loop
  RETURN r0 1
