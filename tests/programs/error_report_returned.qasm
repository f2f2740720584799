; label: runtime.errors
; A code that a command returns (an unknown file handle) ends the program; the report names the
; command and the line that called it.
; DebugPrint("before")
; n = 2 + ReadChr(42)      (line 7)
.source "@error_report_returned.qasm"
.maxstack 4
.lineno 1
  GETGLOBAL r0 "debugprint"
  LOADK r1 "before"
  CALL r0 2 1
.lineno 7
  GETGLOBAL r1 "readchr"
  LOADK r2 #42
  CALL r1 2 2
  ADD r0 #2 r1
  SETGLOBAL r0 "n"
  GETGLOBAL r0 "debugprint"
  LOADK r1 "not reached"
  CALL r0 2 1
  RETURN r0 1
