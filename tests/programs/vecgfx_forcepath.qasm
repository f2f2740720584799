; label: vecgfx.forcepath
; With ForcePathUse the draw library's shapes are drawn as paths by the plug-in; the .check has
; cairo draw the draw library's exact shapes and compares them but within 1.5 pixels of each
; outline. The temporary paths leave no path behind (GetAttribute VECTORPATH ATTRCOUNT).
; call CreateBrush(1, 760, 420, 0)
; call SelectBrush(1)
; call SetFillStyle(1)
; call StartPath(5)
; print "paths", GetAttribute(49, 0, 60)
; call ForcePathUse(1)
; call Circle(10, 10, 40, $FF0000)
; call Ellipse(120, 10, 100, 40, $00FF00)
; call Box(10, 120, 200, 120, $FF00FF, 25)
; call Box(230, 120, 120, 200, $FF8000, {cornera = 100, cornerb = 0, cornerc = 50, cornerd = 10})
; call Arc(350, 10, 100, 60, 30, 200, $80FF80)
; call Arc(550, 10, 100, 60, 30, 200, $8080FF, 1)
; star = {}
; star[0] = 100
; star[1] = 0
; star[2] = 159
; star[3] = 181
; star[4] = 5
; star[5] = 69
; star[6] = 195
; star[7] = 69
; star[8] = 41
; star[9] = 181
; call SetFillRule(1)
; call Polygon(450, 200, star, 5, $FFFFFF)
; call EndSelect()
; print "paths", GetAttribute(49, 0, 60)
; call SaveBrush(1, "force.bmp")
.source "@vecgfx_forcepath.q"
  .maxstack 11
.lineno 5
  GETGLOBAL r0 "createbrush"
  LOADK r1 #1
  LOADK r2 #760
  LOADK r3 #420
  LOADK r4 #0
  CALL r0 5 2
.lineno 6
  GETGLOBAL r0 "selectbrush"
  LOADK r1 #1
  CALL r0 2 2
.lineno 7
  GETGLOBAL r0 "setfillstyle"
  LOADK r1 #1
  CALL r0 2 2
.lineno 8
  GETGLOBAL r0 "startpath"
  LOADK r1 #5
  CALL r0 2 2
.lineno 9
  GETGLOBAL r0 "debugprint"
  LOADK r1 "paths"
  GETGLOBAL r2 "getattribute"
  LOADK r3 #49
  LOADK r4 #0
  LOADK r5 #60
  CALL r2 4 0
  CALL r0 0 1
.lineno 10
  GETGLOBAL r0 "forcepathuse"
  LOADK r1 #1
  CALL r0 2 2
.lineno 11
  GETGLOBAL r0 "circle"
  LOADK r1 #10
  LOADK r2 #10
  LOADK r3 #40
  LOADK r4 #16711680
  CALL r0 5 2
.lineno 12
  GETGLOBAL r0 "ellipse"
  LOADK r1 #120
  LOADK r2 #10
  LOADK r3 #100
  LOADK r4 #40
  LOADK r5 #65280
  CALL r0 6 2
.lineno 13
  GETGLOBAL r0 "box"
  LOADK r1 #10
  LOADK r2 #120
  LOADK r3 #200
  LOADK r4 #120
  LOADK r5 #16711935
  LOADK r6 #25
  CALL r0 7 2
.lineno 14
  GETGLOBAL r0 "box"
  LOADK r1 #230
  LOADK r2 #120
  LOADK r3 #120
  LOADK r4 #200
  LOADK r5 #16744448
  NEWTABLE r6 0 0
  LOADK r7 #100
  SETTABLE r6 "cornera" r7
  LOADK r7 #0
  SETTABLE r6 "cornerb" r7
  LOADK r7 #50
  SETTABLE r6 "cornerc" r7
  LOADK r7 #10
  SETTABLE r6 "cornerd" r7
  CALL r0 7 2
.lineno 15
  GETGLOBAL r0 "arc"
  LOADK r1 #350
  LOADK r2 #10
  LOADK r3 #100
  LOADK r4 #60
  LOADK r5 #30
  LOADK r6 #200
  LOADK r7 #8454016
  CALL r0 8 2
.lineno 16
  GETGLOBAL r0 "arc"
  LOADK r1 #550
  LOADK r2 #10
  LOADK r3 #100
  LOADK r4 #60
  LOADK r5 #30
  LOADK r6 #200
  LOADK r7 #8421631
  LOADK r8 #1
  CALL r0 9 2
.lineno 17
  NEWTABLE r0 0 0
  SETGLOBAL r0 "star"
.lineno 18
  GETGLOBAL r0 "star"
  LOADK r1 #0
  LOADK r2 #100
  SETTABLE r0 r1 r2
.lineno 19
  GETGLOBAL r0 "star"
  LOADK r1 #1
  LOADK r2 #0
  SETTABLE r0 r1 r2
.lineno 20
  GETGLOBAL r0 "star"
  LOADK r1 #2
  LOADK r2 #159
  SETTABLE r0 r1 r2
.lineno 21
  GETGLOBAL r0 "star"
  LOADK r1 #3
  LOADK r2 #181
  SETTABLE r0 r1 r2
.lineno 22
  GETGLOBAL r0 "star"
  LOADK r1 #4
  LOADK r2 #5
  SETTABLE r0 r1 r2
.lineno 23
  GETGLOBAL r0 "star"
  LOADK r1 #5
  LOADK r2 #69
  SETTABLE r0 r1 r2
.lineno 24
  GETGLOBAL r0 "star"
  LOADK r1 #6
  LOADK r2 #195
  SETTABLE r0 r1 r2
.lineno 25
  GETGLOBAL r0 "star"
  LOADK r1 #7
  LOADK r2 #69
  SETTABLE r0 r1 r2
.lineno 26
  GETGLOBAL r0 "star"
  LOADK r1 #8
  LOADK r2 #41
  SETTABLE r0 r1 r2
.lineno 27
  GETGLOBAL r0 "star"
  LOADK r1 #9
  LOADK r2 #181
  SETTABLE r0 r1 r2
.lineno 28
  GETGLOBAL r0 "setfillrule"
  LOADK r1 #1
  CALL r0 2 2
.lineno 29
  GETGLOBAL r0 "polygon"
  LOADK r1 #450
  LOADK r2 #200
  GETGLOBAL r3 "star"
  LOADK r4 #5
  LOADK r5 #16777215
  CALL r0 6 2
.lineno 30
  GETGLOBAL r0 "endselect"
  CALL r0 1 2
.lineno 31
  GETGLOBAL r0 "debugprint"
  LOADK r1 "paths"
  GETGLOBAL r2 "getattribute"
  LOADK r3 #49
  LOADK r4 #0
  LOADK r5 #60
  CALL r2 4 0
  CALL r0 0 1
.lineno 32
  GETGLOBAL r0 "savebrush"
  LOADK r1 #1
  LOADK r2 "force.bmp"
  CALL r0 3 2
  RETURN r0 1
