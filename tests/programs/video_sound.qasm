; label: video
; The movie's sound in the mixer: a 1 kHz tone played at volume 100 (taken as 64), then again
; after a pause at "50%", which the check finds at half the amplitude.
; call ExitOnError(0)
; call OpenVideo(1, "short.mp4")
; call SetVideoVolume(1, 100)
; call PlayVideo(1)
; while IsVideoPlaying(1) do
; call Wait(1)
; end
; call Wait(25)
; call SetVideoVolume(1, "50%")
; call PlayVideo(1)
; while IsVideoPlaying(1) do
; call Wait(1)
; end
; print "done", GetLastError()
.source "@video_sound.q"
  .maxstack 8
.lineno 1
  GETGLOBAL r0 "exitonerror"
  LOADK r1 #0
  CALL r0 2 2
.lineno 2
  GETGLOBAL r0 "openvideo"
  LOADK r1 #1
  LOADK r2 "short.mp4"
  CALL r0 3 2
.lineno 3
  GETGLOBAL r0 "setvideovolume"
  LOADK r1 #1
  LOADK r2 #100
  CALL r0 3 2
.lineno 4
  GETGLOBAL r0 "playvideo"
  LOADK r1 #1
  CALL r0 2 2
.lineno 5
L1:
  GETGLOBAL r0 "isvideoplaying"
  LOADK r1 #1
  CALL r0 2 2
  TEST r0 r0 0
  JMP @L2
.lineno 6
  GETGLOBAL r0 "wait"
  LOADK r1 #1
  CALL r0 2 2
.lineno 7
  JMP @L1
L2:
.lineno 8
  GETGLOBAL r0 "wait"
  LOADK r1 #25
  CALL r0 2 2
.lineno 9
  GETGLOBAL r0 "setvideovolume"
  LOADK r1 #1
  LOADK r2 "50%"
  CALL r0 3 2
.lineno 10
  GETGLOBAL r0 "playvideo"
  LOADK r1 #1
  CALL r0 2 2
.lineno 11
L3:
  GETGLOBAL r0 "isvideoplaying"
  LOADK r1 #1
  CALL r0 2 2
  TEST r0 r0 0
  JMP @L4
.lineno 12
  GETGLOBAL r0 "wait"
  LOADK r1 #1
  CALL r0 2 2
.lineno 13
  JMP @L3
L4:
.lineno 14
  GETGLOBAL r0 "debugprint"
  LOADK r1 "done"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 2
  RETURN r0 1
