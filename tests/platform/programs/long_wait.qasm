; DebugPrint("start"); CheckEvent(); Wait(60000, #MILLISECONDS); DebugPrint("not reached")
.source "@long_wait.qasm"
.maxstack 4
.lineno 1
  GETGLOBAL r0 "debugprint"
  LOADK r1 "start"
  CALL r0 2 1
  GETGLOBAL r0 "checkevent"
  CALL r0 1 1
.lineno 2
  GETGLOBAL r0 "wait"
  LOADK r1 #60000
  LOADK r2 #1
  CALL r0 3 1
.lineno 3
  GETGLOBAL r0 "debugprint"
  LOADK r1 "not reached"
  CALL r0 2 1
  RETURN r0 1
