; label: stdlib.dos
; A virtual file's window is clamped to its host file: a window of 2^53 bytes from offset 3 of a
; 16-byte file holds the 13 bytes that are there.
; set v = DefineVirtualFile("host.bin", 3, 9007199254740992, "p")
; print "size", FileSize(v)
; print "read", FileToString(v)
; set w = DefineVirtualFile("host.bin", 40, 100, "q")
; print "past the end", FileSize(w), FileToString(w)
.source "@virtual_file_window.qasm"
.maxstack 7
.lineno 1
  GETGLOBAL r0 "definevirtualfile"
  LOADK r1 "host.bin"
  LOADK r2 #3
  LOADK r3 #9007199254740992
  LOADK r4 "p"
  CALL r0 5 2
  SETGLOBAL r0 "v"
.lineno 2
  GETGLOBAL r0 "debugprint"
  LOADK r1 "size"
  GETGLOBAL r2 "filesize"
  GETGLOBAL r3 "v"
  CALL r2 2 0
  CALL r0 0 1
.lineno 3
  GETGLOBAL r0 "debugprint"
  LOADK r1 "read"
  GETGLOBAL r2 "filetostring"
  GETGLOBAL r3 "v"
  CALL r2 2 0
  CALL r0 0 1
.lineno 4
  GETGLOBAL r0 "definevirtualfile"
  LOADK r1 "host.bin"
  LOADK r2 #40
  LOADK r3 #100
  LOADK r4 "q"
  CALL r0 5 2
  SETGLOBAL r0 "w"
.lineno 5
  GETGLOBAL r0 "debugprint"
  LOADK r1 "past the end"
  GETGLOBAL r2 "filesize"
  GETGLOBAL r3 "w"
  CALL r2 2 2
  GETGLOBAL r3 "filetostring"
  GETGLOBAL r4 "w"
  CALL r3 2 0
  CALL r0 0 1
  RETURN r0 1
