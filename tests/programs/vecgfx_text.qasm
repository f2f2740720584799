; label: vecgfx.text
; AddTextToPath takes its outlines from the current TrueType font; a bitmap font is refused.
; call ExitOnError(false)
; call Cls(0)
; call StartPath(1)
; call AddTextToPath(1, "Hello")
; print "bitmap font", GetLastError()
; call SetFont(":::default_sans", 40)
; call AddTextToPath(1, "Hello")
; print "sans", GetLastError()
; call SetFillStyle(1)
; call SetFormStyle(16)
; print "extents", GetPathExtents(1)
; print "point", GetCurrentPoint(1)
; call DrawPath(1, 20, 100, $FFFFFF)
; print "H stem", ReadPixel(25, 90), ReadPixel(26, 80)
; print "above", ReadPixel(28, 60)
; call AddTextToPath(1, "x", {encoding = 2})
; print "encoding", GetLastError()
.source "@vecgfx_text.q"
  .maxstack 8
.lineno 3
  GETGLOBAL r0 "exitonerror"
  LOADBOOL r1 0 0
  CALL r0 2 2
.lineno 4
  GETGLOBAL r0 "cls"
  LOADK r1 #0
  CALL r0 2 2
.lineno 5
  GETGLOBAL r0 "startpath"
  LOADK r1 #1
  CALL r0 2 2
.lineno 6
  GETGLOBAL r0 "addtexttopath"
  LOADK r1 #1
  LOADK r2 "Hello"
  CALL r0 3 2
.lineno 7
  GETGLOBAL r0 "debugprint"
  LOADK r1 "bitmap font"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 1
.lineno 8
  GETGLOBAL r0 "setfont"
  LOADK r1 ":::default_sans"
  LOADK r2 #40
  CALL r0 3 2
.lineno 9
  GETGLOBAL r0 "addtexttopath"
  LOADK r1 #1
  LOADK r2 "Hello"
  CALL r0 3 2
.lineno 10
  GETGLOBAL r0 "debugprint"
  LOADK r1 "sans"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 1
.lineno 11
  GETGLOBAL r0 "setfillstyle"
  LOADK r1 #1
  CALL r0 2 2
.lineno 12
  GETGLOBAL r0 "setformstyle"
  LOADK r1 #16
  CALL r0 2 2
.lineno 13
  GETGLOBAL r0 "debugprint"
  LOADK r1 "extents"
  GETGLOBAL r2 "getpathextents"
  LOADK r3 #1
  CALL r2 2 0
  CALL r0 0 1
.lineno 14
  GETGLOBAL r0 "debugprint"
  LOADK r1 "point"
  GETGLOBAL r2 "getcurrentpoint"
  LOADK r3 #1
  CALL r2 2 0
  CALL r0 0 1
.lineno 15
  GETGLOBAL r0 "drawpath"
  LOADK r1 #1
  LOADK r2 #20
  LOADK r3 #100
  LOADK r4 #16777215
  CALL r0 5 2
.lineno 16
  GETGLOBAL r0 "debugprint"
  LOADK r1 "H stem"
  GETGLOBAL r2 "readpixel"
  LOADK r3 #25
  LOADK r4 #90
  CALL r2 3 2
  GETGLOBAL r3 "readpixel"
  LOADK r4 #26
  LOADK r5 #80
  CALL r3 3 0
  CALL r0 0 1
.lineno 17
  GETGLOBAL r0 "debugprint"
  LOADK r1 "above"
  GETGLOBAL r2 "readpixel"
  LOADK r3 #28
  LOADK r4 #60
  CALL r2 3 0
  CALL r0 0 1
.lineno 18
  GETGLOBAL r0 "addtexttopath"
  LOADK r1 #1
  LOADK r2 "x"
  NEWTABLE r3 0 0
  LOADK r4 #2
  SETTABLE r3 "encoding" r4
  CALL r0 4 2
.lineno 19
  GETGLOBAL r0 "debugprint"
  LOADK r1 "encoding"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 1
  RETURN r0 1
