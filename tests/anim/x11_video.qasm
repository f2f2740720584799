; A video playing at (40, 30) in a real window, until the test script says it has seen it.
; call SetTitle("Quillmere Video")
; call SetFillStyle(1)
; call Box(0, 0, 640, 480, $3060A0)
; call OpenVideo(1, "v.mp4")
; call PlayVideo(1, 40, 30)
; while not Exists("done") do
; call Wait(1)
; if not IsVideoPlaying(1) then
; call PlayVideo(1)
; end
; end
.source "@x11_video.q"
  .maxstack 8
.lineno 1
  GETGLOBAL r0 "settitle"
  LOADK r1 "Quillmere Video"
  CALL r0 2 2
.lineno 2
  GETGLOBAL r0 "setfillstyle"
  LOADK r1 #1
  CALL r0 2 2
.lineno 3
  GETGLOBAL r0 "box"
  LOADK r1 #0
  LOADK r2 #0
  LOADK r3 #640
  LOADK r4 #480
  LOADK r5 #3170464
  CALL r0 6 2
.lineno 4
  GETGLOBAL r0 "openvideo"
  LOADK r1 #1
  LOADK r2 "v.mp4"
  CALL r0 3 2
.lineno 5
  GETGLOBAL r0 "playvideo"
  LOADK r1 #1
  LOADK r2 #40
  LOADK r3 #30
  CALL r0 4 2
.lineno 6
L1:
  GETGLOBAL r0 "exists"
  LOADK r1 "done"
  CALL r0 2 2
  TEST r0 r0 1
  JMP @L2
.lineno 7
  GETGLOBAL r0 "wait"
  LOADK r1 #1
  CALL r0 2 2
.lineno 8
  GETGLOBAL r0 "isvideoplaying"
  LOADK r1 #1
  CALL r0 2 2
  TEST r0 r0 1
  JMP @L4
.lineno 9
  GETGLOBAL r0 "playvideo"
  LOADK r1 #1
  CALL r0 2 2
.lineno 10
L4:
.lineno 11
  JMP @L1
L2:
  RETURN r0 1
