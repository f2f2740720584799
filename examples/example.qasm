; The bundled example: a gradient background picture with a banner and a few brushes in the
; window "Quillmere example". With QM_EXAMPLE_SNAPSHOT set it saves a snapshot of its window
; there as PNG and ends; otherwise it shows the window for five seconds.
; CreateGradientBGPic(2, #LINEAR, $102060, $70B0F0, 640, 480, 90)  DisplayBGPic(2)
; CreateGradientBrush(1, 600, 60, #LINEAR, $F0C020, $E04010, 0)  BrushToBGPic(1, 11)  DisplayBGPicPart(11, 0, 0, 600, 60, 20, 20)
; CreateGradientBrush(2, 160, 160, #RADIAL, $FFFFFF, $2040C0)  BrushToBGPic(2, 12)  DisplayBGPicPart(12, 0, 0, 160, 160, 60, 180)
; CreateBrush(3, 160, 160, $30C060)  BrushToBGPic(3, 13)  DisplayBGPicPart(13, 0, 0, 160, 160, 240, 220)
; CreateGradientBrush(4, 160, 160, #LINEAR, $C03080, $FFE0F0, 45)  BrushToBGPic(4, 14)  DisplayBGPicPart(14, 0, 0, 160, 160, 420, 260)
; snap, given = GetEnv("QM_EXAMPLE_SNAPSHOT")
; If given = 1 Then SaveSnapshot(snap, #SNAPWINDOW, #IMGFMT_PNG) Else For i = 1 To 300 VWait() Next
.meta title "Quillmere example"
.declare display 1 title="Quillmere example" width=640 height=480
.source "@example.qasm"
.maxstack 12
.lineno 1
  GETGLOBAL r0 "creategradientbgpic"
  LOADK r1 #2
  LOADK r2 #2
  LOADK r3 #1056864
  LOADK r4 #7385328
  LOADK r5 #640
  LOADK r6 #480
  LOADK r7 #90
  CALL r0 8 1
  GETGLOBAL r0 "displaybgpic"
  LOADK r1 #2
  CALL r0 2 1
.lineno 2
  GETGLOBAL r0 "creategradientbrush"
  LOADK r1 #1
  LOADK r2 #600
  LOADK r3 #60
  LOADK r4 #2
  LOADK r5 #15777824
  LOADK r6 #14696464
  LOADK r7 #0
  CALL r0 8 1
  GETGLOBAL r0 "brushtobgpic"
  LOADK r1 #1
  LOADK r2 #11
  CALL r0 3 1
  GETGLOBAL r0 "displaybgpicpart"
  LOADK r1 #11
  LOADK r2 #0
  LOADK r3 #0
  LOADK r4 #600
  LOADK r5 #60
  LOADK r6 #20
  LOADK r7 #20
  CALL r0 8 1
.lineno 3
  GETGLOBAL r0 "creategradientbrush"
  LOADK r1 #2
  LOADK r2 #160
  LOADK r3 #160
  LOADK r4 #3
  LOADK r5 #16777215
  LOADK r6 #2113728
  CALL r0 7 1
  GETGLOBAL r0 "brushtobgpic"
  LOADK r1 #2
  LOADK r2 #12
  CALL r0 3 1
  GETGLOBAL r0 "displaybgpicpart"
  LOADK r1 #12
  LOADK r2 #0
  LOADK r3 #0
  LOADK r4 #160
  LOADK r5 #160
  LOADK r6 #60
  LOADK r7 #180
  CALL r0 8 1
.lineno 4
  GETGLOBAL r0 "createbrush"
  LOADK r1 #3
  LOADK r2 #160
  LOADK r3 #160
  LOADK r4 #3194976
  CALL r0 5 1
  GETGLOBAL r0 "brushtobgpic"
  LOADK r1 #3
  LOADK r2 #13
  CALL r0 3 1
  GETGLOBAL r0 "displaybgpicpart"
  LOADK r1 #13
  LOADK r2 #0
  LOADK r3 #0
  LOADK r4 #160
  LOADK r5 #160
  LOADK r6 #240
  LOADK r7 #220
  CALL r0 8 1
.lineno 5
  GETGLOBAL r0 "creategradientbrush"
  LOADK r1 #4
  LOADK r2 #160
  LOADK r3 #160
  LOADK r4 #2
  LOADK r5 #12595328
  LOADK r6 #16769264
  LOADK r7 #45
  CALL r0 8 1
  GETGLOBAL r0 "brushtobgpic"
  LOADK r1 #4
  LOADK r2 #14
  CALL r0 3 1
  GETGLOBAL r0 "displaybgpicpart"
  LOADK r1 #14
  LOADK r2 #0
  LOADK r3 #0
  LOADK r4 #160
  LOADK r5 #160
  LOADK r6 #420
  LOADK r7 #260
  CALL r0 8 1
.lineno 6
  GETGLOBAL r0 "getenv"
  LOADK r1 "QM_EXAMPLE_SNAPSHOT"
  CALL r0 2 3
  SETGLOBAL r0 "snap"
  EQ 1 r1 #1
  JMP @snapshot
  LOADK r2 #0
  LOADK r3 #300
  LOADK r4 #1
  JMP @test
body:
  GETGLOBAL r6 "vwait"
  CALL r6 1 1
test:
  FORLOOP r2 @body
  RETURN r0 1
snapshot:
  GETGLOBAL r2 "savesnapshot"
  MOVE r3 r0
  LOADK r4 #0
  LOADK r5 #1
  CALL r2 4 1
  RETURN r0 1
