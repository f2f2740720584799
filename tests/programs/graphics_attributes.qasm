; label: display.brush
; ExitOnError(false)
; CreateBrush(1, 8, 4)
; DebugPrint("count without lookup", GetAttribute(3, 999, 60), GetAttribute(35, 999, 60), GetAttribute(45, 999, 60))
; GetAttribute(3, 1, 99); DebugPrint("unknown attribute", GetLastError())
; GetAttribute(14, 1, 0); DebugPrint("unknown type", GetLastError())
; GetAttribute(3, 2, 0); DebugPrint("missing brush", GetLastError())
; GetAttribute(35, 2, 0); DebugPrint("missing region", GetLastError())
; GetAttribute(36, 2, 0); DebugPrint("missing pointer", GetLastError())
; GetAttribute(45, 1, 0); DebugPrint("count only", GetLastError())
; AllocMem(1, 100); DebugPrint("memory", GetAttribute(39, 1, 57))
; GetAttribute(39, 1, 0); DebugPrint("memory width", GetLastError())
; OpenFile(1, "attr.txt", 1006); DebugPrint("file mode", GetAttribute(44, 1, 42))
; DebugPrint("display pointer", GetAttribute(21, 0, 38))
; CreatePointer(5, 36, 1); SetPointer(5); DebugPrint("display pointer set", GetAttribute(21, 0, 38))
.source "@attributes.qasm"
.maxstack 12
.lineno 1
  GETGLOBAL r0 "exitonerror"
  LOADBOOL r1 0 0
  CALL r0 2 1
.lineno 2
  GETGLOBAL r0 "createbrush"
  LOADK r1 #1
  LOADK r2 #8
  LOADK r3 #4
  CALL r0 4 1
.lineno 3
  GETGLOBAL r0 "debugprint"
  LOADK r1 "count without lookup"
  GETGLOBAL r2 "getattribute"
  LOADK r3 #3
  LOADK r4 #999
  LOADK r5 #60
  CALL r2 4 2
  GETGLOBAL r3 "getattribute"
  LOADK r4 #35
  LOADK r5 #999
  LOADK r6 #60
  CALL r3 4 2
  GETGLOBAL r4 "getattribute"
  LOADK r5 #45
  LOADK r6 #999
  LOADK r7 #60
  CALL r4 4 2
  CALL r0 5 1
.lineno 4
  GETGLOBAL r0 "getattribute"
  LOADK r1 #3
  LOADK r2 #1
  LOADK r3 #99
  CALL r0 4 1
  GETGLOBAL r0 "debugprint"
  LOADK r1 "unknown attribute"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 2
  CALL r0 3 1
.lineno 5
  GETGLOBAL r0 "getattribute"
  LOADK r1 #14
  LOADK r2 #1
  LOADK r3 #0
  CALL r0 4 1
  GETGLOBAL r0 "debugprint"
  LOADK r1 "unknown type"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 2
  CALL r0 3 1
.lineno 6
  GETGLOBAL r0 "getattribute"
  LOADK r1 #3
  LOADK r2 #2
  LOADK r3 #0
  CALL r0 4 1
  GETGLOBAL r0 "debugprint"
  LOADK r1 "missing brush"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 2
  CALL r0 3 1
.lineno 7
  GETGLOBAL r0 "getattribute"
  LOADK r1 #35
  LOADK r2 #2
  LOADK r3 #0
  CALL r0 4 1
  GETGLOBAL r0 "debugprint"
  LOADK r1 "missing region"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 2
  CALL r0 3 1
.lineno 8
  GETGLOBAL r0 "getattribute"
  LOADK r1 #36
  LOADK r2 #2
  LOADK r3 #0
  CALL r0 4 1
  GETGLOBAL r0 "debugprint"
  LOADK r1 "missing pointer"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 2
  CALL r0 3 1
.lineno 9
  GETGLOBAL r0 "getattribute"
  LOADK r1 #45
  LOADK r2 #1
  LOADK r3 #0
  CALL r0 4 1
  GETGLOBAL r0 "debugprint"
  LOADK r1 "count only"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 2
  CALL r0 3 1
.lineno 10
  GETGLOBAL r0 "allocmem"
  LOADK r1 #1
  LOADK r2 #100
  CALL r0 3 1
  GETGLOBAL r0 "debugprint"
  LOADK r1 "memory"
  GETGLOBAL r2 "getattribute"
  LOADK r3 #39
  LOADK r4 #1
  LOADK r5 #57
  CALL r2 4 2
  CALL r0 3 1
.lineno 11
  GETGLOBAL r0 "getattribute"
  LOADK r1 #39
  LOADK r2 #1
  LOADK r3 #0
  CALL r0 4 1
  GETGLOBAL r0 "debugprint"
  LOADK r1 "memory width"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 2
  CALL r0 3 1
.lineno 12
  GETGLOBAL r0 "openfile"
  LOADK r1 #1
  LOADK r2 "attr.txt"
  LOADK r3 #1006
  CALL r0 4 1
  GETGLOBAL r0 "debugprint"
  LOADK r1 "file mode"
  GETGLOBAL r2 "getattribute"
  LOADK r3 #44
  LOADK r4 #1
  LOADK r5 #42
  CALL r2 4 2
  CALL r0 3 1
.lineno 13
  GETGLOBAL r0 "debugprint"
  LOADK r1 "display pointer"
  GETGLOBAL r2 "getattribute"
  LOADK r3 #21
  LOADK r4 #0
  LOADK r5 #38
  CALL r2 4 2
  CALL r0 3 1
.lineno 14
  GETGLOBAL r0 "createpointer"
  LOADK r1 #5
  LOADK r2 #36
  LOADK r3 #1
  CALL r0 4 1
  GETGLOBAL r0 "setpointer"
  LOADK r1 #5
  CALL r0 2 1
  GETGLOBAL r0 "debugprint"
  LOADK r1 "display pointer set"
  GETGLOBAL r2 "getattribute"
  LOADK r3 #21
  LOADK r4 #0
  LOADK r5 #38
  CALL r2 4 2
  CALL r0 3 1
  RETURN r0 1
