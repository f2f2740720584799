; label: vecgfx.refused
; The cairo plug-in opens cairo at the first path; where cairo cannot be opened (here a library
; name that does not exist), paths are still built and moved, but every command that needs cairo
; fails with its error, the picture stays as it was, and the player goes on.
; call ExitOnError(false)
; call Cls(0)
; call SetFillStyle(1)
; call StartPath(1)
; call AddBoxToPath(1, 0, 0, 40, 40)
; call TranslatePath(1, 5, 5)
; print "translate", GetLastError()
; call DrawPath(1, 10, 10, $FF0000)
; print "draw", GetLastError()
; print "extents", GetPathExtents(1)
; print "point", GetCurrentPoint(1)
; print "picture", ReadPixel(20, 20)
.source "@vecgfx_nocairo.q"
  .maxstack 8
.lineno 5
  GETGLOBAL r0 "exitonerror"
  LOADBOOL r1 0 0
  CALL r0 2 2
.lineno 6
  GETGLOBAL r0 "cls"
  LOADK r1 #0
  CALL r0 2 2
.lineno 7
  GETGLOBAL r0 "setfillstyle"
  LOADK r1 #1
  CALL r0 2 2
.lineno 8
  GETGLOBAL r0 "startpath"
  LOADK r1 #1
  CALL r0 2 2
.lineno 9
  GETGLOBAL r0 "addboxtopath"
  LOADK r1 #1
  LOADK r2 #0
  LOADK r3 #0
  LOADK r4 #40
  LOADK r5 #40
  CALL r0 6 2
.lineno 10
  GETGLOBAL r0 "translatepath"
  LOADK r1 #1
  LOADK r2 #5
  LOADK r3 #5
  CALL r0 4 2
.lineno 11
  GETGLOBAL r0 "debugprint"
  LOADK r1 "translate"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 1
.lineno 12
  GETGLOBAL r0 "drawpath"
  LOADK r1 #1
  LOADK r2 #10
  LOADK r3 #10
  LOADK r4 #16711680
  CALL r0 5 2
.lineno 13
  GETGLOBAL r0 "debugprint"
  LOADK r1 "draw"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 1
.lineno 14
  GETGLOBAL r0 "debugprint"
  LOADK r1 "extents"
  GETGLOBAL r2 "getpathextents"
  LOADK r3 #1
  CALL r2 2 0
  CALL r0 0 1
.lineno 15
  GETGLOBAL r0 "debugprint"
  LOADK r1 "point"
  GETGLOBAL r2 "getcurrentpoint"
  LOADK r3 #1
  CALL r2 2 0
  CALL r0 0 1
.lineno 16
  GETGLOBAL r0 "debugprint"
  LOADK r1 "picture"
  GETGLOBAL r2 "readpixel"
  LOADK r3 #20
  LOADK r4 #20
  CALL r2 3 0
  CALL r0 0 1
  RETURN r0 1
