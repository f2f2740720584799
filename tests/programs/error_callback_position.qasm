; An error inside an event callback names the callback and the source line of the failing call
; (qmasm gives every instruction its own line), not WaitEvent.
; Function p() DebugPrint("in p") nothing() EndFunction
; SetTimeout(Nil, p, 10)  WaitEvent()
.applet
.maxstack 6
  CLOSURE r0 f0
  SETGLOBAL r0 "p"
  GETGLOBAL r0 "settimeout"
  LOADNIL r1 1
  GETGLOBAL r2 "p"
  LOADK r3 #10
  CALL r0 4 1
  GETGLOBAL r0 "waitevent"
  CALL r0 1 1
  RETURN r0 1
.function
  .maxstack 4
  GETGLOBAL r0 "debugprint"
  LOADK r1 "in p"
  CALL r0 2 1
  GETGLOBAL r0 "nothing"
  CALL r0 1 1
  RETURN r0 1
.end
