; label: vecgfx.paths
; Paths built, copied, appended, moved and measured through the cairo plug-in beside the player,
; then drawn with colours, fill styles, a gradient, a texture, an edge and a shadow. The .check has
; cairo draw the first three paths and compares the snapshot with them.
; call ExitOnError(false)
; call Cls(0)
; call StartPath(1)
; call MoveTo(1, 0, 0)
; call LineTo(1, 60, 0)
; call LineTo(1, 30, 40)
; call ClosePath(1)
; print "empty", IsPathEmpty(1)
; call CopyPath(1, 2)
; call TranslatePath(2, 100, 5)
; call SetFillStyle(1)
; print "copy", GetPathExtents(2)
; call AppendPath(2, 1)
; print "appended", GetPathExtents(2)
; call NormalizePath(2)
; print "normalized", GetPathExtents(2)
; print "point", GetCurrentPoint(1)
; call RelLineTo(2, 10, 10)
; print "relative", GetCurrentPoint(2)
; -- A filled triangle without anti-aliasing, a dashed anti-aliased curve with round joins, and an
; -- anti-aliased ellipse around its centre.
; call DrawPath(1, 20, 20, $FF0000)
; call StartPath(3)
; call MoveTo(3, 0, 0)
; call LineTo(3, 80, 30)
; call LineTo(3, 10, 60)
; call CurveTo(3, 40, 90, 90, 60, 100, 100)
; call SetFillStyle(0, 3)
; call SetFormStyle(16)
; call SetLineJoin(1)
; call SetDash(2, 10, 5)
; print "stroked", GetPathExtents(3)
; call DrawPath(3, 120, 20, $00FF00)
; call SetDash(0, -1)
; call SetLineJoin(0)
; call StartPath(4)
; call AddEllipseToPath(4, 0, 0, 40, 25)
; call SetFillStyle(1)
; call DrawPath(4, 280, 20, $4080FF)
; call SaveSnapshot("paths.bmp", 0)
; -- Fill styles and effects, probed.
; call Cls(0)
; call SetFormStyle(1)
; call StartPath(5)
; call AddBoxToPath(5, 0, 0, 100, 50)
; call SetFillStyle(2, 3, $FF0000, $0000FF)
; call DrawPath(5, 10, 10)
; print "gradient", ReadPixel(11, 12), ReadPixel(60, 35)
; call CreateBrush(9, 4, 4, $FFFF00)
; call SetFillStyle(3, 9)
; call DrawPath(5, 10, 100)
; print "texture", ReadPixel(12, 102), ReadPixel(109, 149), ReadPixel(110, 149)
; call SetFillStyle(1)
; call SetFormStyle(64, $00FF00, 4)
; call DrawPath(5, 300, 100, $FF0000)
; print "edge", ReadPixel(297, 120), ReadPixel(350, 125), ReadPixel(292, 120)
; call SetFormStyle(1)
; call SetFormStyle(32, $0000FF, 6, 3)
; call DrawPath(5, 300, 200, $FF0000)
; print "shadow", ReadPixel(350, 225), ReadPixel(403, 253), ReadPixel(302, 251)
; call SetFormStyle(1)
; call DrawPath(5, 10, 300, $80FF0000)
; print "transparent", ReadPixel(50, 320)
; call DrawPath(99, 0, 0)
; print "no path", GetLastError()
; call StartPath(6)
; call DrawPath(6, 0, 0)
; print "empty path", GetLastError()
; call MoveTo(6, 10, 10)
; call DrawPath(6, 0, 0)
; print "nothing to fill", GetLastError()
.source "@vecgfx_paths.q"
  .maxstack 10
.lineno 5
  GETGLOBAL r0 "exitonerror"
  LOADBOOL r1 0 0
  CALL r0 2 2
.lineno 6
  GETGLOBAL r0 "cls"
  LOADK r1 #0
  CALL r0 2 2
.lineno 7
  GETGLOBAL r0 "startpath"
  LOADK r1 #1
  CALL r0 2 2
.lineno 8
  GETGLOBAL r0 "moveto"
  LOADK r1 #1
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 9
  GETGLOBAL r0 "lineto"
  LOADK r1 #1
  LOADK r2 #60
  LOADK r3 #0
  CALL r0 4 2
.lineno 10
  GETGLOBAL r0 "lineto"
  LOADK r1 #1
  LOADK r2 #30
  LOADK r3 #40
  CALL r0 4 2
.lineno 11
  GETGLOBAL r0 "closepath"
  LOADK r1 #1
  CALL r0 2 2
.lineno 12
  GETGLOBAL r0 "debugprint"
  LOADK r1 "empty"
  GETGLOBAL r2 "ispathempty"
  LOADK r3 #1
  CALL r2 2 0
  CALL r0 0 1
.lineno 13
  GETGLOBAL r0 "copypath"
  LOADK r1 #1
  LOADK r2 #2
  CALL r0 3 2
.lineno 14
  GETGLOBAL r0 "translatepath"
  LOADK r1 #2
  LOADK r2 #100
  LOADK r3 #5
  CALL r0 4 2
.lineno 15
  GETGLOBAL r0 "setfillstyle"
  LOADK r1 #1
  CALL r0 2 2
.lineno 16
  GETGLOBAL r0 "debugprint"
  LOADK r1 "copy"
  GETGLOBAL r2 "getpathextents"
  LOADK r3 #2
  CALL r2 2 0
  CALL r0 0 1
.lineno 17
  GETGLOBAL r0 "appendpath"
  LOADK r1 #2
  LOADK r2 #1
  CALL r0 3 2
.lineno 18
  GETGLOBAL r0 "debugprint"
  LOADK r1 "appended"
  GETGLOBAL r2 "getpathextents"
  LOADK r3 #2
  CALL r2 2 0
  CALL r0 0 1
.lineno 19
  GETGLOBAL r0 "normalizepath"
  LOADK r1 #2
  CALL r0 2 2
.lineno 20
  GETGLOBAL r0 "debugprint"
  LOADK r1 "normalized"
  GETGLOBAL r2 "getpathextents"
  LOADK r3 #2
  CALL r2 2 0
  CALL r0 0 1
.lineno 21
  GETGLOBAL r0 "debugprint"
  LOADK r1 "point"
  GETGLOBAL r2 "getcurrentpoint"
  LOADK r3 #1
  CALL r2 2 0
  CALL r0 0 1
.lineno 22
  GETGLOBAL r0 "rellineto"
  LOADK r1 #2
  LOADK r2 #10
  LOADK r3 #10
  CALL r0 4 2
.lineno 23
  GETGLOBAL r0 "debugprint"
  LOADK r1 "relative"
  GETGLOBAL r2 "getcurrentpoint"
  LOADK r3 #2
  CALL r2 2 0
  CALL r0 0 1
.lineno 26
  GETGLOBAL r0 "drawpath"
  LOADK r1 #1
  LOADK r2 #20
  LOADK r3 #20
  LOADK r4 #16711680
  CALL r0 5 2
.lineno 27
  GETGLOBAL r0 "startpath"
  LOADK r1 #3
  CALL r0 2 2
.lineno 28
  GETGLOBAL r0 "moveto"
  LOADK r1 #3
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 29
  GETGLOBAL r0 "lineto"
  LOADK r1 #3
  LOADK r2 #80
  LOADK r3 #30
  CALL r0 4 2
.lineno 30
  GETGLOBAL r0 "lineto"
  LOADK r1 #3
  LOADK r2 #10
  LOADK r3 #60
  CALL r0 4 2
.lineno 31
  GETGLOBAL r0 "curveto"
  LOADK r1 #3
  LOADK r2 #40
  LOADK r3 #90
  LOADK r4 #90
  LOADK r5 #60
  LOADK r6 #100
  LOADK r7 #100
  CALL r0 8 2
.lineno 32
  GETGLOBAL r0 "setfillstyle"
  LOADK r1 #0
  LOADK r2 #3
  CALL r0 3 2
.lineno 33
  GETGLOBAL r0 "setformstyle"
  LOADK r1 #16
  CALL r0 2 2
.lineno 34
  GETGLOBAL r0 "setlinejoin"
  LOADK r1 #1
  CALL r0 2 2
.lineno 35
  GETGLOBAL r0 "setdash"
  LOADK r1 #2
  LOADK r2 #10
  LOADK r3 #5
  CALL r0 4 2
.lineno 36
  GETGLOBAL r0 "debugprint"
  LOADK r1 "stroked"
  GETGLOBAL r2 "getpathextents"
  LOADK r3 #3
  CALL r2 2 0
  CALL r0 0 1
.lineno 37
  GETGLOBAL r0 "drawpath"
  LOADK r1 #3
  LOADK r2 #120
  LOADK r3 #20
  LOADK r4 #65280
  CALL r0 5 2
.lineno 38
  GETGLOBAL r0 "setdash"
  LOADK r1 #0
  LOADK r2 #1
  UNM r2 r2
  CALL r0 3 2
.lineno 39
  GETGLOBAL r0 "setlinejoin"
  LOADK r1 #0
  CALL r0 2 2
.lineno 40
  GETGLOBAL r0 "startpath"
  LOADK r1 #4
  CALL r0 2 2
.lineno 41
  GETGLOBAL r0 "addellipsetopath"
  LOADK r1 #4
  LOADK r2 #0
  LOADK r3 #0
  LOADK r4 #40
  LOADK r5 #25
  CALL r0 6 2
.lineno 42
  GETGLOBAL r0 "setfillstyle"
  LOADK r1 #1
  CALL r0 2 2
.lineno 43
  GETGLOBAL r0 "drawpath"
  LOADK r1 #4
  LOADK r2 #280
  LOADK r3 #20
  LOADK r4 #4227327
  CALL r0 5 2
.lineno 44
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "paths.bmp"
  LOADK r2 #0
  CALL r0 3 2
.lineno 46
  GETGLOBAL r0 "cls"
  LOADK r1 #0
  CALL r0 2 2
.lineno 47
  GETGLOBAL r0 "setformstyle"
  LOADK r1 #1
  CALL r0 2 2
.lineno 48
  GETGLOBAL r0 "startpath"
  LOADK r1 #5
  CALL r0 2 2
.lineno 49
  GETGLOBAL r0 "addboxtopath"
  LOADK r1 #5
  LOADK r2 #0
  LOADK r3 #0
  LOADK r4 #100
  LOADK r5 #50
  CALL r0 6 2
.lineno 50
  GETGLOBAL r0 "setfillstyle"
  LOADK r1 #2
  LOADK r2 #3
  LOADK r3 #16711680
  LOADK r4 #255
  CALL r0 5 2
.lineno 51
  GETGLOBAL r0 "drawpath"
  LOADK r1 #5
  LOADK r2 #10
  LOADK r3 #10
  CALL r0 4 2
.lineno 52
  GETGLOBAL r0 "debugprint"
  LOADK r1 "gradient"
  GETGLOBAL r2 "readpixel"
  LOADK r3 #11
  LOADK r4 #12
  CALL r2 3 2
  GETGLOBAL r3 "readpixel"
  LOADK r4 #60
  LOADK r5 #35
  CALL r3 3 0
  CALL r0 0 1
.lineno 53
  GETGLOBAL r0 "createbrush"
  LOADK r1 #9
  LOADK r2 #4
  LOADK r3 #4
  LOADK r4 #16776960
  CALL r0 5 2
.lineno 54
  GETGLOBAL r0 "setfillstyle"
  LOADK r1 #3
  LOADK r2 #9
  CALL r0 3 2
.lineno 55
  GETGLOBAL r0 "drawpath"
  LOADK r1 #5
  LOADK r2 #10
  LOADK r3 #100
  CALL r0 4 2
.lineno 56
  GETGLOBAL r0 "debugprint"
  LOADK r1 "texture"
  GETGLOBAL r2 "readpixel"
  LOADK r3 #12
  LOADK r4 #102
  CALL r2 3 2
  GETGLOBAL r3 "readpixel"
  LOADK r4 #109
  LOADK r5 #149
  CALL r3 3 2
  GETGLOBAL r4 "readpixel"
  LOADK r5 #110
  LOADK r6 #149
  CALL r4 3 0
  CALL r0 0 1
.lineno 57
  GETGLOBAL r0 "setfillstyle"
  LOADK r1 #1
  CALL r0 2 2
.lineno 58
  GETGLOBAL r0 "setformstyle"
  LOADK r1 #64
  LOADK r2 #65280
  LOADK r3 #4
  CALL r0 4 2
.lineno 59
  GETGLOBAL r0 "drawpath"
  LOADK r1 #5
  LOADK r2 #300
  LOADK r3 #100
  LOADK r4 #16711680
  CALL r0 5 2
.lineno 60
  GETGLOBAL r0 "debugprint"
  LOADK r1 "edge"
  GETGLOBAL r2 "readpixel"
  LOADK r3 #297
  LOADK r4 #120
  CALL r2 3 2
  GETGLOBAL r3 "readpixel"
  LOADK r4 #350
  LOADK r5 #125
  CALL r3 3 2
  GETGLOBAL r4 "readpixel"
  LOADK r5 #292
  LOADK r6 #120
  CALL r4 3 0
  CALL r0 0 1
.lineno 61
  GETGLOBAL r0 "setformstyle"
  LOADK r1 #1
  CALL r0 2 2
.lineno 62
  GETGLOBAL r0 "setformstyle"
  LOADK r1 #32
  LOADK r2 #255
  LOADK r3 #6
  LOADK r4 #3
  CALL r0 5 2
.lineno 63
  GETGLOBAL r0 "drawpath"
  LOADK r1 #5
  LOADK r2 #300
  LOADK r3 #200
  LOADK r4 #16711680
  CALL r0 5 2
.lineno 64
  GETGLOBAL r0 "debugprint"
  LOADK r1 "shadow"
  GETGLOBAL r2 "readpixel"
  LOADK r3 #350
  LOADK r4 #225
  CALL r2 3 2
  GETGLOBAL r3 "readpixel"
  LOADK r4 #403
  LOADK r5 #253
  CALL r3 3 2
  GETGLOBAL r4 "readpixel"
  LOADK r5 #302
  LOADK r6 #251
  CALL r4 3 0
  CALL r0 0 1
.lineno 65
  GETGLOBAL r0 "setformstyle"
  LOADK r1 #1
  CALL r0 2 2
.lineno 66
  GETGLOBAL r0 "drawpath"
  LOADK r1 #5
  LOADK r2 #10
  LOADK r3 #300
  LOADK r4 #2164195328
  CALL r0 5 2
.lineno 67
  GETGLOBAL r0 "debugprint"
  LOADK r1 "transparent"
  GETGLOBAL r2 "readpixel"
  LOADK r3 #50
  LOADK r4 #320
  CALL r2 3 0
  CALL r0 0 1
.lineno 68
  GETGLOBAL r0 "drawpath"
  LOADK r1 #99
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 69
  GETGLOBAL r0 "debugprint"
  LOADK r1 "no path"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 1
.lineno 70
  GETGLOBAL r0 "startpath"
  LOADK r1 #6
  CALL r0 2 2
.lineno 71
  GETGLOBAL r0 "drawpath"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 72
  GETGLOBAL r0 "debugprint"
  LOADK r1 "empty path"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 1
.lineno 73
  GETGLOBAL r0 "moveto"
  LOADK r1 #6
  LOADK r2 #10
  LOADK r3 #10
  CALL r0 4 2
.lineno 74
  GETGLOBAL r0 "drawpath"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 75
  GETGLOBAL r0 "debugprint"
  LOADK r1 "nothing to fill"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 1
  RETURN r0 1
