; label: stdlib.system
; Objects with automatic ids: one taken out of the middle is gone, its neighbours stay found.
; call ExitOnError(0)
; set a = StartTimer(nil)
; set b = StartTimer(nil)
; set c = StartTimer(nil)
; call StopTimer(b)
; call StopTimer(b)
; print "timer stopped twice", GetLastError()
; call PauseTimer(a)
; call PauseTimer(c)
; print "neighbours", GetLastError()
; set f = OpenFile(nil, "one.txt")
; set g = OpenFile(nil, "two.txt")
; set h = OpenFile(nil, "three.txt")
; call CloseFile(g)
; call ReadLine(g)
; print "file closed", GetLastError()
; print "first", ReadLine(f)
; print "last", ReadLine(h)
; set m = AllocMem(nil, 4)
; set n = AllocMem(nil, 4)
; call FreeMem(m)
; call Poke(n, 0, 7)
; print "block", Peek(n, 0), GetLastError()
; call Peek(m, 0)
; print "freed block", GetLastError()
.source "@automatic_ids.qasm"
.maxstack 7
.lineno 1
  GETGLOBAL r0 "exitonerror"
  LOADK r1 #0
  CALL r0 2 1
.lineno 2
  GETGLOBAL r0 "starttimer"
  LOADNIL r1 r1
  CALL r0 2 2
  SETGLOBAL r0 "a"
.lineno 3
  GETGLOBAL r0 "starttimer"
  LOADNIL r1 r1
  CALL r0 2 2
  SETGLOBAL r0 "b"
.lineno 4
  GETGLOBAL r0 "starttimer"
  LOADNIL r1 r1
  CALL r0 2 2
  SETGLOBAL r0 "c"
.lineno 5
  GETGLOBAL r0 "stoptimer"
  GETGLOBAL r1 "b"
  CALL r0 2 1
.lineno 6
  GETGLOBAL r0 "stoptimer"
  GETGLOBAL r1 "b"
  CALL r0 2 1
.lineno 7
  GETGLOBAL r0 "debugprint"
  LOADK r1 "timer stopped twice"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 1
.lineno 8
  GETGLOBAL r0 "pausetimer"
  GETGLOBAL r1 "a"
  CALL r0 2 1
.lineno 9
  GETGLOBAL r0 "pausetimer"
  GETGLOBAL r1 "c"
  CALL r0 2 1
.lineno 10
  GETGLOBAL r0 "debugprint"
  LOADK r1 "neighbours"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 1
.lineno 11
  GETGLOBAL r0 "openfile"
  LOADNIL r1 r1
  LOADK r2 "one.txt"
  CALL r0 3 2
  SETGLOBAL r0 "f"
.lineno 12
  GETGLOBAL r0 "openfile"
  LOADNIL r1 r1
  LOADK r2 "two.txt"
  CALL r0 3 2
  SETGLOBAL r0 "g"
.lineno 13
  GETGLOBAL r0 "openfile"
  LOADNIL r1 r1
  LOADK r2 "three.txt"
  CALL r0 3 2
  SETGLOBAL r0 "h"
.lineno 14
  GETGLOBAL r0 "closefile"
  GETGLOBAL r1 "g"
  CALL r0 2 1
.lineno 15
  GETGLOBAL r0 "readline"
  GETGLOBAL r1 "g"
  CALL r0 2 1
.lineno 16
  GETGLOBAL r0 "debugprint"
  LOADK r1 "file closed"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 1
.lineno 17
  GETGLOBAL r0 "debugprint"
  LOADK r1 "first"
  GETGLOBAL r2 "readline"
  GETGLOBAL r3 "f"
  CALL r2 2 0
  CALL r0 0 1
.lineno 18
  GETGLOBAL r0 "debugprint"
  LOADK r1 "last"
  GETGLOBAL r2 "readline"
  GETGLOBAL r3 "h"
  CALL r2 2 0
  CALL r0 0 1
.lineno 19
  GETGLOBAL r0 "allocmem"
  LOADNIL r1 r1
  LOADK r2 #4
  CALL r0 3 2
  SETGLOBAL r0 "m"
.lineno 20
  GETGLOBAL r0 "allocmem"
  LOADNIL r1 r1
  LOADK r2 #4
  CALL r0 3 2
  SETGLOBAL r0 "n"
.lineno 21
  GETGLOBAL r0 "freemem"
  GETGLOBAL r1 "m"
  CALL r0 2 1
.lineno 22
  GETGLOBAL r0 "poke"
  GETGLOBAL r1 "n"
  LOADK r2 #0
  LOADK r3 #7
  CALL r0 4 1
.lineno 23
  GETGLOBAL r0 "debugprint"
  LOADK r1 "block"
  GETGLOBAL r2 "peek"
  GETGLOBAL r3 "n"
  LOADK r4 #0
  CALL r2 3 2
  GETGLOBAL r3 "getlasterror"
  CALL r3 1 0
  CALL r0 0 1
.lineno 24
  GETGLOBAL r0 "peek"
  GETGLOBAL r1 "m"
  LOADK r2 #0
  CALL r0 3 1
.lineno 25
  GETGLOBAL r0 "debugprint"
  LOADK r1 "freed block"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 1
  RETURN r0 1
