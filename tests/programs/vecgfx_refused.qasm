; label: vecgfx.refused
; What the cairo plug-in cannot draw, through the player: a point that is not a number, a dash
; pattern cairo rejects, a point beyond cairo's reach, a path larger than any picture, and a path
; appended to itself. Each fails with its error and the picture stays as it was.
; call ExitOnError(false)
; call Cls(0)
; call SetFillStyle(1)
; call StartPath(1)
; call MoveTo(1, 1e300 * 1e300 - 1e300 * 1e300, 0)
; call LineTo(1, 50, 50)
; call LineTo(1, 0, 50)
; call DrawPath(1, 10, 10, $FF0000)
; print "not a number", GetLastError()
; print "its extents", GetPathExtents(1)
; call StartPath(2)
; call AddBoxToPath(2, 0, 0, 40, 40)
; call SetFillStyle(0)
; call SetDash(0, 0, 0)
; call DrawPath(2, 10, 10, $FF0000)
; print "zero dashes", GetLastError()
; call SetDash(0, -1)
; call SetFillStyle(1)
; call StartPath(3)
; call MoveTo(3, 0, 0)
; call LineTo(3, 5000000, 10)
; call LineTo(3, 0, 20)
; call DrawPath(3, 10, 10, $FF0000)
; print "beyond reach", GetLastError()
; print "its point", GetCurrentPoint(3)
; call StartPath(4)
; call AddBoxToPath(4, 0, 0, 3000000, 3000000)
; call DrawPath(4, 10, 10, $FF0000)
; print "too large", GetLastError()
; call AppendPath(4, 4)
; print "onto itself", GetLastError()
; print "picture", ReadPixel(0, 0), ReadPixel(20, 20), ReadPixel(30, 55)
; -- the same box drawn where it fits still works
; call DrawPath(2, 10, 10, $FF0000)
; print "drawn", GetLastError(), ReadPixel(20, 20)
.source "@vecgfx_refused.q"
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
  GETGLOBAL r0 "moveto"
  LOADK r1 #1
  LOADK r2 #1e300
  MUL r2 r2 r2
  SUB r2 r2 r2
  LOADK r3 #0
  CALL r0 4 2
.lineno 10
  GETGLOBAL r0 "lineto"
  LOADK r1 #1
  LOADK r2 #50
  LOADK r3 #50
  CALL r0 4 2
.lineno 11
  GETGLOBAL r0 "lineto"
  LOADK r1 #1
  LOADK r2 #0
  LOADK r3 #50
  CALL r0 4 2
.lineno 12
  GETGLOBAL r0 "drawpath"
  LOADK r1 #1
  LOADK r2 #10
  LOADK r3 #10
  LOADK r4 #16711680
  CALL r0 5 2
.lineno 13
  GETGLOBAL r0 "debugprint"
  LOADK r1 "not a number"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 1
.lineno 14
  GETGLOBAL r0 "debugprint"
  LOADK r1 "its extents"
  GETGLOBAL r2 "getpathextents"
  LOADK r3 #1
  CALL r2 2 0
  CALL r0 0 1
.lineno 15
  GETGLOBAL r0 "startpath"
  LOADK r1 #2
  CALL r0 2 2
.lineno 16
  GETGLOBAL r0 "addboxtopath"
  LOADK r1 #2
  LOADK r2 #0
  LOADK r3 #0
  LOADK r4 #40
  LOADK r5 #40
  CALL r0 6 2
.lineno 17
  GETGLOBAL r0 "setfillstyle"
  LOADK r1 #0
  CALL r0 2 2
.lineno 18
  GETGLOBAL r0 "setdash"
  LOADK r1 #0
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 19
  GETGLOBAL r0 "drawpath"
  LOADK r1 #2
  LOADK r2 #10
  LOADK r3 #10
  LOADK r4 #16711680
  CALL r0 5 2
.lineno 20
  GETGLOBAL r0 "debugprint"
  LOADK r1 "zero dashes"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 1
.lineno 21
  GETGLOBAL r0 "setdash"
  LOADK r1 #0
  LOADK r2 #1
  UNM r2 r2
  CALL r0 3 2
.lineno 22
  GETGLOBAL r0 "setfillstyle"
  LOADK r1 #1
  CALL r0 2 2
.lineno 23
  GETGLOBAL r0 "startpath"
  LOADK r1 #3
  CALL r0 2 2
.lineno 24
  GETGLOBAL r0 "moveto"
  LOADK r1 #3
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 25
  GETGLOBAL r0 "lineto"
  LOADK r1 #3
  LOADK r2 #5000000
  LOADK r3 #10
  CALL r0 4 2
.lineno 26
  GETGLOBAL r0 "lineto"
  LOADK r1 #3
  LOADK r2 #0
  LOADK r3 #20
  CALL r0 4 2
.lineno 27
  GETGLOBAL r0 "drawpath"
  LOADK r1 #3
  LOADK r2 #10
  LOADK r3 #10
  LOADK r4 #16711680
  CALL r0 5 2
.lineno 28
  GETGLOBAL r0 "debugprint"
  LOADK r1 "beyond reach"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 1
.lineno 29
  GETGLOBAL r0 "debugprint"
  LOADK r1 "its point"
  GETGLOBAL r2 "getcurrentpoint"
  LOADK r3 #3
  CALL r2 2 0
  CALL r0 0 1
.lineno 30
  GETGLOBAL r0 "startpath"
  LOADK r1 #4
  CALL r0 2 2
.lineno 31
  GETGLOBAL r0 "addboxtopath"
  LOADK r1 #4
  LOADK r2 #0
  LOADK r3 #0
  LOADK r4 #3000000
  LOADK r5 #3000000
  CALL r0 6 2
.lineno 32
  GETGLOBAL r0 "drawpath"
  LOADK r1 #4
  LOADK r2 #10
  LOADK r3 #10
  LOADK r4 #16711680
  CALL r0 5 2
.lineno 33
  GETGLOBAL r0 "debugprint"
  LOADK r1 "too large"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 1
.lineno 34
  GETGLOBAL r0 "appendpath"
  LOADK r1 #4
  LOADK r2 #4
  CALL r0 3 2
.lineno 35
  GETGLOBAL r0 "debugprint"
  LOADK r1 "onto itself"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 1
.lineno 36
  GETGLOBAL r0 "debugprint"
  LOADK r1 "picture"
  GETGLOBAL r2 "readpixel"
  LOADK r3 #0
  LOADK r4 #0
  CALL r2 3 2
  GETGLOBAL r3 "readpixel"
  LOADK r4 #20
  LOADK r5 #20
  CALL r3 3 2
  GETGLOBAL r4 "readpixel"
  LOADK r5 #30
  LOADK r6 #55
  CALL r4 3 0
  CALL r0 0 1
.lineno 38
  GETGLOBAL r0 "drawpath"
  LOADK r1 #2
  LOADK r2 #10
  LOADK r3 #10
  LOADK r4 #16711680
  CALL r0 5 2
.lineno 39
  GETGLOBAL r0 "debugprint"
  LOADK r1 "drawn"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 2
  GETGLOBAL r3 "readpixel"
  LOADK r4 #20
  LOADK r5 #20
  CALL r3 3 0
  CALL r0 0 1
  RETURN r0 1
