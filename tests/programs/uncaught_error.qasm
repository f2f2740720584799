; label: runtime.startup
; DebugPrint("before"); Chr(300) -> the error ends the program with status 1
.source "@uncaught_error.qasm"
.maxstack 4
.lineno 1
  GETGLOBAL r0 "debugprint"
  LOADK r1 "before"
  CALL r0 2 1
.lineno 2
  GETGLOBAL r0 "chr"
  LOADK r1 #300
  CALL r0 2 1
  GETGLOBAL r0 "debugprint"
  LOADK r1 "not reached"
  CALL r0 2 1
  RETURN r0 1
