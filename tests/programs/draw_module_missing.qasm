; label: draw.errors
; Without the shape drawing module the shapes that need it fail with the graphics-library error
; and draw nothing; a plain filled box does not need it and is drawn. The player says once why.
; call ExitOnError(0)
; call SetFillStyle(1)
; call Box(0, 0, 10, 10, $FF0000)
; print "box", GetLastError(), ReadPixel(5, 5)
; call SetFormStyle(16)
; call Circle(60, 60, 10, $FFFFFF)
; print "smooth circle", GetLastError(), ReadPixel(60, 60)
; call Circle(100, 60, 10, $FFFFFF)
; print "again", GetLastError(), ReadPixel(100, 60)
.source "@draw_module_missing.q"
  .maxstack 8
.lineno 1
  GETGLOBAL r0 "exitonerror"
  LOADK r1 #0
  CALL r0 2 2
.lineno 2
  GETGLOBAL r0 "setfillstyle"
  LOADK r1 #1
  CALL r0 2 2
.lineno 3
  GETGLOBAL r0 "box"
  LOADK r1 #0
  LOADK r2 #0
  LOADK r3 #10
  LOADK r4 #10
  LOADK r5 #16711680
  CALL r0 6 2
.lineno 4
  GETGLOBAL r0 "debugprint"
  LOADK r1 "box"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 2
  GETGLOBAL r3 "readpixel"
  LOADK r4 #5
  LOADK r5 #5
  CALL r3 3 0
  CALL r0 0 2
.lineno 5
  GETGLOBAL r0 "setformstyle"
  LOADK r1 #16
  CALL r0 2 2
.lineno 6
  GETGLOBAL r0 "circle"
  LOADK r1 #60
  LOADK r2 #60
  LOADK r3 #10
  LOADK r4 #16777215
  CALL r0 5 2
.lineno 7
  GETGLOBAL r0 "debugprint"
  LOADK r1 "smooth circle"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 2
  GETGLOBAL r3 "readpixel"
  LOADK r4 #60
  LOADK r5 #60
  CALL r3 3 0
  CALL r0 0 2
.lineno 8
  GETGLOBAL r0 "circle"
  LOADK r1 #100
  LOADK r2 #60
  LOADK r3 #10
  LOADK r4 #16777215
  CALL r0 5 2
.lineno 9
  GETGLOBAL r0 "debugprint"
  LOADK r1 "again"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 2
  GETGLOBAL r3 "readpixel"
  LOADK r4 #100
  LOADK r5 #60
  CALL r3 3 0
  CALL r0 0 2
  RETURN r0 1
