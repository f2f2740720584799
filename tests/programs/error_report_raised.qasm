; label: runtime.errors
; An argument error that a command raises ends the program; the report names the command and
; the line that called it.
; DebugPrint("before")
; s = LeftStr({}, 1)      (line 5)
.source "@error_report_raised.qasm"
.maxstack 4
.lineno 1
  GETGLOBAL r0 "debugprint"
  LOADK r1 "before"
  CALL r0 2 1
.lineno 5
  GETGLOBAL r0 "leftstr"
  NEWTABLE r1 0 0
  LOADK r2 #1
  CALL r0 3 2
  SETGLOBAL r0 "s"
  RETURN r0 1
