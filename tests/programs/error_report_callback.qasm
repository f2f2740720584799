; label: runtime.errors
; A code that a command returns inside a script function that another command calls back (here
; ForEach's visitor) ends the program; the report names the command and the visitor's line.
; Function visit(k, v)
;   DebugPrint("visit", k, v)
;   Return(ReadChr(42))      (line 3)
; EndFunction
; ForEach({7}, visit)        (line 5)
.source "@error_report_callback.qasm"
.maxstack 4
.lineno 1
  CLOSURE r0 f0
  SETGLOBAL r0 "visit"
.lineno 5
  GETGLOBAL r0 "foreach"
  NEWTABLE r1 1 0
  LOADK r2 #7
  SETLIST r1 0
  GETGLOBAL r2 "visit"
  CALL r0 3 1
  GETGLOBAL r0 "debugprint"
  LOADK r1 "not reached"
  CALL r0 2 1
  RETURN r0 1
.function visit
.params 2
.maxstack 6
.lineno 2
  GETGLOBAL r2 "debugprint"
  LOADK r3 "visit"
  MOVE r4 r0
  MOVE r5 r1
  CALL r2 4 1
.lineno 3
  GETGLOBAL r2 "readchr"
  LOADK r3 #42
  TAILCALL r2 2 0
  RETURN r2 0
.end
