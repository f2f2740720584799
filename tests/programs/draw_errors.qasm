; label: draw.errors
; Every error of the draw library under ExitOnError(False), each leaving the style, the output
; and the layers as they were. A wrong argument count is raised whatever ExitOnError says: the last
; line ends the program with it.
; call ExitOnError(0)
; call SetFillStyle(1)
; call Box(0, 0, 0, 5)
; print "box", GetLastError()
; call Circle(0, 0, 0)
; print "circle", GetLastError()
; call Ellipse(0, 0, 5, 0)
; print "ellipse", GetLastError()
; call Arc(0, 0, 5, 5, -1, 5)
; print "arc", GetLastError()
; call Arc(0, 0, 5, 5, 10, 10)
; print "empty arc", GetLastError()
; v = {}
; v[0] = 0
; v[1] = 0
; v[2] = 10
; v[3] = 0
; v[4] = 5
; v[5] = "x"
; call Polygon(0, 0, v, 1)
; print "one vertex", GetLastError()
; call Polygon(0, 0, v, 1000)
; print "1000 vertices", GetLastError()
; call Polygon(0, 0, v, 3)
; print "bad vertex", GetLastError(), GetErrorName(GetLastError())
; call SetFormStyle(16, 5)
; print "form", GetLastError()
; call SetFormStyle(64, 1, 2, 3)
; print "edge", GetLastError()
; call SetFillStyle(5)
; print "fill", GetLastError()
; call SetLineWidth(0)
; print "width", GetLastError()
; call Circle(0, 0, 20000, $FFFFFF)
; print "oversize", GetLastError()
; call Box(2000000000, 2000000000, 2000000000, 2000000000, $FF0000)
; print "oversize box", GetLastError()
; call Line(-2147483648, 7, 2147483647, 7, $FFFFFF)
; print "line across the int range", GetLastError(), ReadPixel(100, 7)
; call Plot(640, 0, $FFFFFF)
; print "plot outside", GetLastError()
; call ReadPixel(640, 0)
; print "read outside", GetLastError()
; call Box(0, 0, 4, 4, $FFFFFF)
; print "style kept", ReadPixel(3, 3)
; call EnableLayers()
; call Plot(1, 1)
; print "plot layers", GetLastError()
; call Box(10, 10, 20, 20, $FF0000)
; h = MoveLayer(1, 10, 10, 300, 10, {async = true})
; call Cls()
; print "cls busy", GetLastError(), GetAttribute(21, 0, 6)
; call CancelAsyncDraw(h)
; call Cls()
; print "cls", GetLastError(), GetAttribute(21, 0, 6)
; call Box(1, 2, 3)
; print "not reached"
.source "@draw_errors.q"
  .maxstack 9
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
  LOADK r3 #0
  LOADK r4 #5
  CALL r0 5 2
.lineno 4
  GETGLOBAL r0 "debugprint"
  LOADK r1 "box"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 2
.lineno 5
  GETGLOBAL r0 "circle"
  LOADK r1 #0
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 6
  GETGLOBAL r0 "debugprint"
  LOADK r1 "circle"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 2
.lineno 7
  GETGLOBAL r0 "ellipse"
  LOADK r1 #0
  LOADK r2 #0
  LOADK r3 #5
  LOADK r4 #0
  CALL r0 5 2
.lineno 8
  GETGLOBAL r0 "debugprint"
  LOADK r1 "ellipse"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 2
.lineno 9
  GETGLOBAL r0 "arc"
  LOADK r1 #0
  LOADK r2 #0
  LOADK r3 #5
  LOADK r4 #5
  LOADK r5 #-1
  LOADK r6 #5
  CALL r0 7 2
.lineno 10
  GETGLOBAL r0 "debugprint"
  LOADK r1 "arc"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 2
.lineno 11
  GETGLOBAL r0 "arc"
  LOADK r1 #0
  LOADK r2 #0
  LOADK r3 #5
  LOADK r4 #5
  LOADK r5 #10
  LOADK r6 #10
  CALL r0 7 2
.lineno 12
  GETGLOBAL r0 "debugprint"
  LOADK r1 "empty arc"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 2
.lineno 13
  NEWTABLE r0 0 4
  SETGLOBAL r0 "v"
.lineno 14
  GETGLOBAL r0 "v"
  LOADK r1 #0
  LOADK r2 #0
  SETTABLE r0 r1 r2
.lineno 15
  GETGLOBAL r0 "v"
  LOADK r1 #1
  LOADK r2 #0
  SETTABLE r0 r1 r2
.lineno 16
  GETGLOBAL r0 "v"
  LOADK r1 #2
  LOADK r2 #10
  SETTABLE r0 r1 r2
.lineno 17
  GETGLOBAL r0 "v"
  LOADK r1 #3
  LOADK r2 #0
  SETTABLE r0 r1 r2
.lineno 18
  GETGLOBAL r0 "v"
  LOADK r1 #4
  LOADK r2 #5
  SETTABLE r0 r1 r2
.lineno 19
  GETGLOBAL r0 "v"
  LOADK r1 #5
  LOADK r2 "x"
  SETTABLE r0 r1 r2
.lineno 20
  GETGLOBAL r0 "polygon"
  LOADK r1 #0
  LOADK r2 #0
  GETGLOBAL r3 "v"
  LOADK r4 #1
  CALL r0 5 2
.lineno 21
  GETGLOBAL r0 "debugprint"
  LOADK r1 "one vertex"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 2
.lineno 22
  GETGLOBAL r0 "polygon"
  LOADK r1 #0
  LOADK r2 #0
  GETGLOBAL r3 "v"
  LOADK r4 #1000
  CALL r0 5 2
.lineno 23
  GETGLOBAL r0 "debugprint"
  LOADK r1 "1000 vertices"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 2
.lineno 24
  GETGLOBAL r0 "polygon"
  LOADK r1 #0
  LOADK r2 #0
  GETGLOBAL r3 "v"
  LOADK r4 #3
  CALL r0 5 2
.lineno 25
  GETGLOBAL r0 "debugprint"
  LOADK r1 "bad vertex"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 2
  GETGLOBAL r3 "geterrorname"
  GETGLOBAL r4 "getlasterror"
  CALL r4 1 0
  CALL r3 0 0
  CALL r0 0 2
.lineno 26
  GETGLOBAL r0 "setformstyle"
  LOADK r1 #16
  LOADK r2 #5
  CALL r0 3 2
.lineno 27
  GETGLOBAL r0 "debugprint"
  LOADK r1 "form"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 2
.lineno 28
  GETGLOBAL r0 "setformstyle"
  LOADK r1 #64
  LOADK r2 #1
  LOADK r3 #2
  LOADK r4 #3
  CALL r0 5 2
.lineno 29
  GETGLOBAL r0 "debugprint"
  LOADK r1 "edge"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 2
.lineno 30
  GETGLOBAL r0 "setfillstyle"
  LOADK r1 #5
  CALL r0 2 2
.lineno 31
  GETGLOBAL r0 "debugprint"
  LOADK r1 "fill"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 2
.lineno 32
  GETGLOBAL r0 "setlinewidth"
  LOADK r1 #0
  CALL r0 2 2
.lineno 33
  GETGLOBAL r0 "debugprint"
  LOADK r1 "width"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 2
.lineno 34
  GETGLOBAL r0 "circle"
  LOADK r1 #0
  LOADK r2 #0
  LOADK r3 #20000
  LOADK r4 #16777215
  CALL r0 5 2
.lineno 35
  GETGLOBAL r0 "debugprint"
  LOADK r1 "oversize"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 2
.lineno 36
  GETGLOBAL r0 "box"
  LOADK r1 #2000000000
  LOADK r2 #2000000000
  LOADK r3 #2000000000
  LOADK r4 #2000000000
  LOADK r5 #16711680
  CALL r0 6 2
.lineno 37
  GETGLOBAL r0 "debugprint"
  LOADK r1 "oversize box"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 2
.lineno 38
  GETGLOBAL r0 "line"
  LOADK r1 #-2147483648
  LOADK r2 #7
  LOADK r3 #2147483647
  LOADK r4 #7
  LOADK r5 #16777215
  CALL r0 6 2
.lineno 39
  GETGLOBAL r0 "debugprint"
  LOADK r1 "line across the int range"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 2
  GETGLOBAL r3 "readpixel"
  LOADK r4 #100
  LOADK r5 #7
  CALL r3 3 0
  CALL r0 0 2
.lineno 40
  GETGLOBAL r0 "plot"
  LOADK r1 #640
  LOADK r2 #0
  LOADK r3 #16777215
  CALL r0 4 2
.lineno 41
  GETGLOBAL r0 "debugprint"
  LOADK r1 "plot outside"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 2
.lineno 42
  GETGLOBAL r0 "readpixel"
  LOADK r1 #640
  LOADK r2 #0
  CALL r0 3 2
.lineno 43
  GETGLOBAL r0 "debugprint"
  LOADK r1 "read outside"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 2
.lineno 44
  GETGLOBAL r0 "box"
  LOADK r1 #0
  LOADK r2 #0
  LOADK r3 #4
  LOADK r4 #4
  LOADK r5 #16777215
  CALL r0 6 2
.lineno 45
  GETGLOBAL r0 "debugprint"
  LOADK r1 "style kept"
  GETGLOBAL r2 "readpixel"
  LOADK r3 #3
  LOADK r4 #3
  CALL r2 3 0
  CALL r0 0 2
.lineno 46
  GETGLOBAL r0 "enablelayers"
  CALL r0 1 2
.lineno 47
  GETGLOBAL r0 "plot"
  LOADK r1 #1
  LOADK r2 #1
  CALL r0 3 2
.lineno 48
  GETGLOBAL r0 "debugprint"
  LOADK r1 "plot layers"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 2
.lineno 49
  GETGLOBAL r0 "box"
  LOADK r1 #10
  LOADK r2 #10
  LOADK r3 #20
  LOADK r4 #20
  LOADK r5 #16711680
  CALL r0 6 2
.lineno 50
  GETGLOBAL r0 "movelayer"
  LOADK r1 #1
  LOADK r2 #10
  LOADK r3 #10
  LOADK r4 #300
  LOADK r5 #10
  NEWTABLE r6 0 4
  LOADBOOL r7 1 0
  SETTABLE r6 "async" r7
  CALL r0 7 2
  SETGLOBAL r0 "h"
.lineno 51
  GETGLOBAL r0 "cls"
  CALL r0 1 2
.lineno 52
  GETGLOBAL r0 "debugprint"
  LOADK r1 "cls busy"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 2
  GETGLOBAL r3 "getattribute"
  LOADK r4 #21
  LOADK r5 #0
  LOADK r6 #6
  CALL r3 4 0
  CALL r0 0 2
.lineno 53
  GETGLOBAL r0 "cancelasyncdraw"
  GETGLOBAL r1 "h"
  CALL r0 2 2
.lineno 54
  GETGLOBAL r0 "cls"
  CALL r0 1 2
.lineno 55
  GETGLOBAL r0 "debugprint"
  LOADK r1 "cls"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 2
  GETGLOBAL r3 "getattribute"
  LOADK r4 #21
  LOADK r5 #0
  LOADK r6 #6
  CALL r3 4 0
  CALL r0 0 2
.lineno 56
  GETGLOBAL r0 "box"
  LOADK r1 #1
  LOADK r2 #2
  LOADK r3 #3
  CALL r0 4 2
.lineno 57
  GETGLOBAL r0 "debugprint"
  LOADK r1 "not reached"
  CALL r0 2 2
  RETURN r0 1
