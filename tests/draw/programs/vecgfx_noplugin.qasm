; label: vecgfx.noplugin
; A player without a vector-graphics plug-in beside it builds paths, but every command that needs
; geometry fails with ERR_VECGFXPLUGIN (1460).
; call ExitOnError(false)
; call StartPath(1)
; call MoveTo(1, 10, 10)
; call LineTo(1, 20, 20)
; call CopyPath(1, 2)
; call AppendPath(2, 1)
; print "built", IsPathEmpty(2)
; call TranslatePath(1, 0, 0)
; print "translate by nothing", GetLastError()
; call TranslatePath(1, 5, 5)
; print "translate", GetLastError()
; call DrawPath(1, 0, 0)
; print "draw", GetLastError()
; call DrawPath(99, 0, 0)
; print "draw unknown", GetLastError()
; call GetPathExtents(1)
; print "extents", GetLastError()
; call GetCurrentPoint(1)
; print "point", GetLastError()
; call NormalizePath(1)
; print "normalize", GetLastError()
; call SetFont(":::default_sans", 20)
; call AddTextToPath(1, "a")
; print "text", GetLastError()
; call ForcePathUse(1)
; call Circle(10, 10, 5)
; print "circle", GetLastError()
; call FreePath(2)
; call ClearPath(1)
; print "cleared", IsPathEmpty(1)
.source "@vecgfx_noplugin.q"
  .maxstack 6
.lineno 4
  GETGLOBAL r0 "exitonerror"
  LOADBOOL r1 0 0
  CALL r0 2 2
.lineno 5
  GETGLOBAL r0 "startpath"
  LOADK r1 #1
  CALL r0 2 2
.lineno 6
  GETGLOBAL r0 "moveto"
  LOADK r1 #1
  LOADK r2 #10
  LOADK r3 #10
  CALL r0 4 2
.lineno 7
  GETGLOBAL r0 "lineto"
  LOADK r1 #1
  LOADK r2 #20
  LOADK r3 #20
  CALL r0 4 2
.lineno 8
  GETGLOBAL r0 "copypath"
  LOADK r1 #1
  LOADK r2 #2
  CALL r0 3 2
.lineno 9
  GETGLOBAL r0 "appendpath"
  LOADK r1 #2
  LOADK r2 #1
  CALL r0 3 2
.lineno 10
  GETGLOBAL r0 "debugprint"
  LOADK r1 "built"
  GETGLOBAL r2 "ispathempty"
  LOADK r3 #2
  CALL r2 2 0
  CALL r0 0 1
.lineno 11
  GETGLOBAL r0 "translatepath"
  LOADK r1 #1
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 12
  GETGLOBAL r0 "debugprint"
  LOADK r1 "translate by nothing"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 1
.lineno 13
  GETGLOBAL r0 "translatepath"
  LOADK r1 #1
  LOADK r2 #5
  LOADK r3 #5
  CALL r0 4 2
.lineno 14
  GETGLOBAL r0 "debugprint"
  LOADK r1 "translate"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 1
.lineno 15
  GETGLOBAL r0 "drawpath"
  LOADK r1 #1
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 16
  GETGLOBAL r0 "debugprint"
  LOADK r1 "draw"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 1
.lineno 17
  GETGLOBAL r0 "drawpath"
  LOADK r1 #99
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 18
  GETGLOBAL r0 "debugprint"
  LOADK r1 "draw unknown"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 1
.lineno 19
  GETGLOBAL r0 "getpathextents"
  LOADK r1 #1
  CALL r0 2 2
.lineno 20
  GETGLOBAL r0 "debugprint"
  LOADK r1 "extents"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 1
.lineno 21
  GETGLOBAL r0 "getcurrentpoint"
  LOADK r1 #1
  CALL r0 2 2
.lineno 22
  GETGLOBAL r0 "debugprint"
  LOADK r1 "point"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 1
.lineno 23
  GETGLOBAL r0 "normalizepath"
  LOADK r1 #1
  CALL r0 2 2
.lineno 24
  GETGLOBAL r0 "debugprint"
  LOADK r1 "normalize"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 1
.lineno 25
  GETGLOBAL r0 "setfont"
  LOADK r1 ":::default_sans"
  LOADK r2 #20
  CALL r0 3 2
.lineno 26
  GETGLOBAL r0 "addtexttopath"
  LOADK r1 #1
  LOADK r2 "a"
  CALL r0 3 2
.lineno 27
  GETGLOBAL r0 "debugprint"
  LOADK r1 "text"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 1
.lineno 28
  GETGLOBAL r0 "forcepathuse"
  LOADK r1 #1
  CALL r0 2 2
.lineno 29
  GETGLOBAL r0 "circle"
  LOADK r1 #10
  LOADK r2 #10
  LOADK r3 #5
  CALL r0 4 2
.lineno 30
  GETGLOBAL r0 "debugprint"
  LOADK r1 "circle"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 1
.lineno 31
  GETGLOBAL r0 "freepath"
  LOADK r1 #2
  CALL r0 2 2
.lineno 32
  GETGLOBAL r0 "clearpath"
  LOADK r1 #1
  CALL r0 2 2
.lineno 33
  GETGLOBAL r0 "debugprint"
  LOADK r1 "cleared"
  GETGLOBAL r2 "ispathempty"
  LOADK r3 #1
  CALL r2 2 0
  CALL r0 0 1
  RETURN r0 1
