; label: draw.shapes
; Circles, ellipses, boxes with corners, arcs both ways and a star polygon, at radii 15 to 300, drawn
; into brushes; the .check has cairo draw the exact shapes and compares: without anti-aliasing every
; pixel matches but within 1.5 pixels of an outline; anti-aliased with an edge and a shadow, the
; fill, edge and shadow colours match there too. The second brush has a mask of its own, so that its
; shapes go through the composed shape image rather than straight into the pixels.
; call CreateBrush(1, 1300, 700, 0)
; call SelectBrush(1)
; call SetFillStyle(1)
; call Circle(10, 10, 15, $FF0000)
; call Circle(50, 10, 40, $00FF00)
; call Circle(140, 10, 300, $0000FF)
; call Ellipse(760, 10, 120, 40, $FFFF00)
; call Ellipse(760, 100, 30, 200, $00FFFF)
; call Box(830, 100, 200, 120, $FF00FF, 25)
; call Box(830, 240, 120, 300, $FF8000, {cornera = 100, cornerb = 0, cornerc = 50, cornerd = 10})
; call Arc(1050, 10, 100, 60, 30, 200, $80FF80)
; call Arc(1050, 150, 100, 60, 30, 200, $8080FF, 1)
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
; call Polygon(1060, 300, star, 5, $FFFFFF)
; call EndSelect()
; call SaveBrush(1, "shapes.bmp")
; call CreateBrush(2, 760, 420, 0)
; call SetBrushTransparency(2, $123456)
; call SelectBrush(2)
; call SetFormStyle(16)
; call SetFormStyle(64, $FF8000, 4)
; call SetFormStyle(32, $808080, 8, 3)
; call Circle(20, 20, 100, $FF0000)
; call Box(260, 20, 200, 120, $00FF00, 30)
; call Ellipse(480, 20, 120, 60, $0000FF)
; call Arc(260, 200, 90, 80, 300, 45, $FFFF00)
; call Polygon(500, 180, star, 5, $00FFFF)
; call EndSelect()
; call SaveBrush(2, "aa.bmp")
.source "@draw_shapes.q"
  .maxstack 10
.lineno 1
  GETGLOBAL r0 "createbrush"
  LOADK r1 #1
  LOADK r2 #1300
  LOADK r3 #700
  LOADK r4 #0
  CALL r0 5 2
.lineno 2
  GETGLOBAL r0 "selectbrush"
  LOADK r1 #1
  CALL r0 2 2
.lineno 3
  GETGLOBAL r0 "setfillstyle"
  LOADK r1 #1
  CALL r0 2 2
.lineno 4
  GETGLOBAL r0 "circle"
  LOADK r1 #10
  LOADK r2 #10
  LOADK r3 #15
  LOADK r4 #16711680
  CALL r0 5 2
.lineno 5
  GETGLOBAL r0 "circle"
  LOADK r1 #50
  LOADK r2 #10
  LOADK r3 #40
  LOADK r4 #65280
  CALL r0 5 2
.lineno 6
  GETGLOBAL r0 "circle"
  LOADK r1 #140
  LOADK r2 #10
  LOADK r3 #300
  LOADK r4 #255
  CALL r0 5 2
.lineno 7
  GETGLOBAL r0 "ellipse"
  LOADK r1 #760
  LOADK r2 #10
  LOADK r3 #120
  LOADK r4 #40
  LOADK r5 #16776960
  CALL r0 6 2
.lineno 8
  GETGLOBAL r0 "ellipse"
  LOADK r1 #760
  LOADK r2 #100
  LOADK r3 #30
  LOADK r4 #200
  LOADK r5 #65535
  CALL r0 6 2
.lineno 9
  GETGLOBAL r0 "box"
  LOADK r1 #830
  LOADK r2 #100
  LOADK r3 #200
  LOADK r4 #120
  LOADK r5 #16711935
  LOADK r6 #25
  CALL r0 7 2
.lineno 10
  GETGLOBAL r0 "box"
  LOADK r1 #830
  LOADK r2 #240
  LOADK r3 #120
  LOADK r4 #300
  LOADK r5 #16744448
  NEWTABLE r6 0 4
  LOADK r7 #100
  SETTABLE r6 "cornera" r7
  LOADK r7 #0
  SETTABLE r6 "cornerb" r7
  LOADK r7 #50
  SETTABLE r6 "cornerc" r7
  LOADK r7 #10
  SETTABLE r6 "cornerd" r7
  CALL r0 7 2
.lineno 11
  GETGLOBAL r0 "arc"
  LOADK r1 #1050
  LOADK r2 #10
  LOADK r3 #100
  LOADK r4 #60
  LOADK r5 #30
  LOADK r6 #200
  LOADK r7 #8454016
  CALL r0 8 2
.lineno 12
  GETGLOBAL r0 "arc"
  LOADK r1 #1050
  LOADK r2 #150
  LOADK r3 #100
  LOADK r4 #60
  LOADK r5 #30
  LOADK r6 #200
  LOADK r7 #8421631
  LOADK r8 #1
  CALL r0 9 2
.lineno 13
  NEWTABLE r0 0 4
  SETGLOBAL r0 "star"
.lineno 14
  GETGLOBAL r0 "star"
  LOADK r1 #0
  LOADK r2 #100
  SETTABLE r0 r1 r2
.lineno 15
  GETGLOBAL r0 "star"
  LOADK r1 #1
  LOADK r2 #0
  SETTABLE r0 r1 r2
.lineno 16
  GETGLOBAL r0 "star"
  LOADK r1 #2
  LOADK r2 #159
  SETTABLE r0 r1 r2
.lineno 17
  GETGLOBAL r0 "star"
  LOADK r1 #3
  LOADK r2 #181
  SETTABLE r0 r1 r2
.lineno 18
  GETGLOBAL r0 "star"
  LOADK r1 #4
  LOADK r2 #5
  SETTABLE r0 r1 r2
.lineno 19
  GETGLOBAL r0 "star"
  LOADK r1 #5
  LOADK r2 #69
  SETTABLE r0 r1 r2
.lineno 20
  GETGLOBAL r0 "star"
  LOADK r1 #6
  LOADK r2 #195
  SETTABLE r0 r1 r2
.lineno 21
  GETGLOBAL r0 "star"
  LOADK r1 #7
  LOADK r2 #69
  SETTABLE r0 r1 r2
.lineno 22
  GETGLOBAL r0 "star"
  LOADK r1 #8
  LOADK r2 #41
  SETTABLE r0 r1 r2
.lineno 23
  GETGLOBAL r0 "star"
  LOADK r1 #9
  LOADK r2 #181
  SETTABLE r0 r1 r2
.lineno 24
  GETGLOBAL r0 "polygon"
  LOADK r1 #1060
  LOADK r2 #300
  GETGLOBAL r3 "star"
  LOADK r4 #5
  LOADK r5 #16777215
  CALL r0 6 2
.lineno 25
  GETGLOBAL r0 "endselect"
  CALL r0 1 2
.lineno 26
  GETGLOBAL r0 "savebrush"
  LOADK r1 #1
  LOADK r2 "shapes.bmp"
  CALL r0 3 2
.lineno 27
  GETGLOBAL r0 "createbrush"
  LOADK r1 #2
  LOADK r2 #760
  LOADK r3 #420
  LOADK r4 #0
  CALL r0 5 2
.lineno 28
  GETGLOBAL r0 "setbrushtransparency"
  LOADK r1 #2
  LOADK r2 #1193046
  CALL r0 3 2
.lineno 29
  GETGLOBAL r0 "selectbrush"
  LOADK r1 #2
  CALL r0 2 2
.lineno 30
  GETGLOBAL r0 "setformstyle"
  LOADK r1 #16
  CALL r0 2 2
.lineno 31
  GETGLOBAL r0 "setformstyle"
  LOADK r1 #64
  LOADK r2 #16744448
  LOADK r3 #4
  CALL r0 4 2
.lineno 32
  GETGLOBAL r0 "setformstyle"
  LOADK r1 #32
  LOADK r2 #8421504
  LOADK r3 #8
  LOADK r4 #3
  CALL r0 5 2
.lineno 33
  GETGLOBAL r0 "circle"
  LOADK r1 #20
  LOADK r2 #20
  LOADK r3 #100
  LOADK r4 #16711680
  CALL r0 5 2
.lineno 34
  GETGLOBAL r0 "box"
  LOADK r1 #260
  LOADK r2 #20
  LOADK r3 #200
  LOADK r4 #120
  LOADK r5 #65280
  LOADK r6 #30
  CALL r0 7 2
.lineno 35
  GETGLOBAL r0 "ellipse"
  LOADK r1 #480
  LOADK r2 #20
  LOADK r3 #120
  LOADK r4 #60
  LOADK r5 #255
  CALL r0 6 2
.lineno 36
  GETGLOBAL r0 "arc"
  LOADK r1 #260
  LOADK r2 #200
  LOADK r3 #90
  LOADK r4 #80
  LOADK r5 #300
  LOADK r6 #45
  LOADK r7 #16776960
  CALL r0 8 2
.lineno 37
  GETGLOBAL r0 "polygon"
  LOADK r1 #500
  LOADK r2 #180
  GETGLOBAL r3 "star"
  LOADK r4 #5
  LOADK r5 #65535
  CALL r0 6 2
.lineno 38
  GETGLOBAL r0 "endselect"
  CALL r0 1 2
.lineno 39
  GETGLOBAL r0 "savebrush"
  LOADK r1 #2
  LOADK r2 "aa.bmp"
  CALL r0 3 2
  RETURN r0 1
