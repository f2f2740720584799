; A display the x11 test looks at: its declared size and title, a gradient and a red rectangle.
; CreateGradientBGPic(2, #LINEAR, $102060, $F0B070, 320, 200, 0)  DisplayBGPic(2)
; CreateBrush(1, 40, 30, $FF0000)  BrushToBGPic(1, 3)  DisplayBGPicPart(3, 0, 0, 40, 30, 10, 10)
; SaveSnapshot(GetEnv("QM_TEST_SNAPSHOT"), #SNAPWINDOW, #IMGFMT_PNG)
; For i = 1 To 1200 VWait() Next  (the test ends the player before)
.declare display 1 title="Quillmere X11 display" width=320 height=200
.source "@x11_display.qasm"
.maxstack 12
.lineno 1
  GETGLOBAL r0 "creategradientbgpic"
  LOADK r1 #2
  LOADK r2 #2
  LOADK r3 #1056864
  LOADK r4 #15773808
  LOADK r5 #320
  LOADK r6 #200
  LOADK r7 #0
  CALL r0 8 1
  GETGLOBAL r0 "displaybgpic"
  LOADK r1 #2
  CALL r0 2 1
.lineno 2
  GETGLOBAL r0 "createbrush"
  LOADK r1 #1
  LOADK r2 #40
  LOADK r3 #30
  LOADK r4 #16711680
  CALL r0 5 1
  GETGLOBAL r0 "brushtobgpic"
  LOADK r1 #1
  LOADK r2 #3
  CALL r0 3 1
  GETGLOBAL r0 "displaybgpicpart"
  LOADK r1 #3
  LOADK r2 #0
  LOADK r3 #0
  LOADK r4 #40
  LOADK r5 #30
  LOADK r6 #10
  LOADK r7 #10
  CALL r0 8 1
.lineno 3
  GETGLOBAL r0 "savesnapshot"
  GETGLOBAL r1 "getenv"
  LOADK r2 "QM_TEST_SNAPSHOT"
  CALL r1 2 2
  LOADK r2 #0
  LOADK r3 #1
  CALL r0 4 1
  LOADK r2 #0
  LOADK r3 #1200
  LOADK r4 #1
  JMP @test
body:
  GETGLOBAL r6 "vwait"
  CALL r6 1 1
test:
  FORLOOP r2 @body
  RETURN r0 1
