; label: runtime.errors
; With ExitOnError off, a command's returned code becomes the last error and the call yields Nil
; in place of its results, at the main level, inside a visitor function and inside a Gosub; the
; script goes on. Switched on again, a code returned inside a Gosub ends the program, and the
; report names the command and the line inside the Gosub.
; ExitOnError(False)
; DebugPrint(1, ReadChr(42), 3, GetLastError())                (line 2)
; Function visit(k, v) DebugPrint("visit", Peek(55, 0), GetLastError()) EndFunction
; ForEach({7}, visit)
; Gosub sub
; ExitOnError(True)
; Gosub failing
; End
; sub:     DebugPrint("sub", Assert(0), GetLastError()) Return
; failing: DebugPrint("failing")
;          Assert(0)                                           (line 12)
;          Return
.source "@error_report_exit_off.qasm"
.maxstack 6
.lineno 1
  GETGLOBAL r0 "exitonerror"
  LOADBOOL r1 0 0
  CALL r0 2 1
.lineno 2
  GETGLOBAL r0 "debugprint"
  LOADK r1 #1
  GETGLOBAL r2 "readchr"
  LOADK r3 #42
  CALL r2 2 2
  LOADK r3 #3
  GETGLOBAL r4 "getlasterror"
  CALL r4 1 2
  CALL r0 5 1
.lineno 3
  CLOSURE r0 f0
  SETGLOBAL r0 "visit"
.lineno 4
  GETGLOBAL r0 "foreach"
  NEWTABLE r1 1 0
  LOADK r2 #7
  SETLIST r1 0
  GETGLOBAL r2 "visit"
  CALL r0 3 1
.lineno 5
  GOSUB @sub
.lineno 6
  GETGLOBAL r0 "exitonerror"
  LOADBOOL r1 1 0
  CALL r0 2 1
.lineno 7
  GOSUB @failing
.lineno 8
  RETURN r0 1
.lineno 9
sub:
  GETGLOBAL r0 "debugprint"
  LOADK r1 "sub"
  GETGLOBAL r2 "assert"
  LOADK r3 #0
  CALL r2 2 2
  GETGLOBAL r3 "getlasterror"
  CALL r3 1 2
  CALL r0 4 1
  RETURN 0 0 1
.lineno 11
failing:
  GETGLOBAL r0 "debugprint"
  LOADK r1 "failing"
  CALL r0 2 1
.lineno 12
  GETGLOBAL r0 "assert"
  LOADK r1 #0
  CALL r0 2 1
  GETGLOBAL r0 "debugprint"
  LOADK r1 "not reached"
  CALL r0 2 1
  RETURN 0 0 1
.function visit
.params 2
.maxstack 7
.lineno 3
  GETGLOBAL r2 "debugprint"
  LOADK r3 "visit"
  GETGLOBAL r4 "peek"
  LOADK r5 #55
  LOADK r6 #0
  CALL r4 3 2
  GETGLOBAL r5 "getlasterror"
  CALL r5 1 2
  CALL r2 4 1
  RETURN r0 1
.end
