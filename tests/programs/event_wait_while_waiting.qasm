; label: events
; A "wait events" line of the input script that falls due while the program already waits in
; WaitEvent ends there: the program is looking at its events, so the quit after it comes.
; DebugPrint("waiting")
; Repeat WaitEvent() Forever
.source "@event_wait_while_waiting.qasm"
.maxstack 4
.lineno 1
  GETGLOBAL r0 "debugprint"
  LOADK r1 "waiting"
  CALL r0 2 1
.lineno 2
loop:
  GETGLOBAL r0 "waitevent"
  CALL r0 1 1
  JMP @loop
  RETURN r0 1
