; label: pictures
; Hostile files end their loads with an error code at once: a pipe with no writer (read error, no wait).
; call ExitOnError(0)
; call LoadBrush(1, "pipe.png")
; print "brush from a pipe", GetLastError()
; call LoadBGPic(1, "pipe.png")
; print "picture from a pipe", GetLastError()
; call OpenFile(1, "pipe.png")
; print "file from a pipe", GetLastError()
.source "@hostile_pictures.qasm"
  .maxstack 8
.lineno 1
  GETGLOBAL r0 "exitonerror"
  LOADK r1 #0
  CALL r0 2 2
.lineno 2
  GETGLOBAL r0 "loadbrush"
  LOADK r1 #1
  LOADK r2 "pipe.png"
  CALL r0 3 2
.lineno 3
  GETGLOBAL r0 "debugprint"
  LOADK r1 "brush from a pipe"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 2
.lineno 4
  GETGLOBAL r0 "loadbgpic"
  LOADK r1 #1
  LOADK r2 "pipe.png"
  CALL r0 3 2
.lineno 5
  GETGLOBAL r0 "debugprint"
  LOADK r1 "picture from a pipe"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 2
.lineno 6
  GETGLOBAL r0 "openfile"
  LOADK r1 #1
  LOADK r2 "pipe.png"
  CALL r0 3 2
.lineno 7
  GETGLOBAL r0 "debugprint"
  LOADK r1 "file from a pipe"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 2
  RETURN r0 1
