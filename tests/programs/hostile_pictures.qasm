; label: pictures
; Hostile files end their loads at once: a pipe with no writer (read error, no wait), "move right"
; codes of an RLE BMP adding up past 2^31 columns (nothing is written outside the row: the run after
; them is dropped) and a progressive JPEG of 20,000 scans (refused as unsupported).
; call ExitOnError(0)
; call LoadBrush(1, "pipe.png")
; print "brush from a pipe", GetLastError()
; call LoadBGPic(1, "pipe.png")
; print "picture from a pipe", GetLastError()
; call OpenFile(1, "pipe.png")
; print "file from a pipe", GetLastError()
; call LoadBrush(2, "far.bmp")
; print "far deltas", GetLastError(), GetAttribute(3, 2, 0)
; call LoadBrush(3, "scans.jpg")
; print "jpeg of 20000 scans", GetLastError()
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
.lineno 8
  GETGLOBAL r0 "loadbrush"
  LOADK r1 #2
  LOADK r2 "far.bmp"
  CALL r0 3 2
.lineno 9
  GETGLOBAL r0 "debugprint"
  LOADK r1 "far deltas"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 2
  GETGLOBAL r3 "getattribute"
  LOADK r4 #3
  LOADK r5 #2
  LOADK r6 #0
  CALL r3 4 0
  CALL r0 0 2
.lineno 10
  GETGLOBAL r0 "loadbrush"
  LOADK r1 #3
  LOADK r2 "scans.jpg"
  CALL r0 3 2
.lineno 11
  GETGLOBAL r0 "debugprint"
  LOADK r1 "jpeg of 20000 scans"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 2
  RETURN r0 1
