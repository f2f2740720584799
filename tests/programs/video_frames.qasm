; label: video
; Frames grabbed exactly: by number (1, 40, 75, then 40 again from the buffer and 2 after it,
; which rewinds) and by time (0 and 1600 ms), saved for the check to hold against FFmpeg's own.
; call ExitOnError(0)
; call OpenVideo(1, "v.mp4")
; call GetVideoFrame(1, 1, 1)
; call SaveBrush(1, "n1.bmp")
; call GetVideoFrame(2, 40, 1)
; call SaveBrush(2, "n40.bmp")
; call GetVideoFrame(3, 75, 1, 0, 15)
; call SaveBrush(3, "n75.bmp")
; call GetVideoFrame(4, 40, 1)
; call SaveBrush(4, "again40.bmp")
; call GetVideoFrame(5, 2, 1)
; call SaveBrush(5, "n2.bmp")
; call GetVideoFrame(6, 0, 1, 1)
; call SaveBrush(6, "t0.bmp")
; call GetVideoFrame(7, 1600, 1, 1)
; call SaveBrush(7, "t1600.bmp")
; call GetVideoFrame(8, 3000, 1, 1)
; print "time past the end", GetLastError()
; call GetVideoFrame(8, 0, 1, 2)
; print "mode 2", GetLastError()
; b = GetVideoFrame(Nil, 10, 1)
; print "automatic", GetAttribute(3, b, 0), GetAttribute(3, b, 1)
; call PlayVideo(1)
; call Wait(10)
; call StopVideo(1)
; call GetVideoFrame(9, 75, 1)
; call SaveBrush(9, "after_play75.bmp")
; print "done", GetLastError()
.source "@video_frames.q"
  .maxstack 8
.lineno 1
  GETGLOBAL r0 "exitonerror"
  LOADK r1 #0
  CALL r0 2 2
.lineno 2
  GETGLOBAL r0 "openvideo"
  LOADK r1 #1
  LOADK r2 "v.mp4"
  CALL r0 3 2
.lineno 3
  GETGLOBAL r0 "getvideoframe"
  LOADK r1 #1
  LOADK r2 #1
  LOADK r3 #1
  CALL r0 4 2
.lineno 4
  GETGLOBAL r0 "savebrush"
  LOADK r1 #1
  LOADK r2 "n1.bmp"
  CALL r0 3 2
.lineno 5
  GETGLOBAL r0 "getvideoframe"
  LOADK r1 #2
  LOADK r2 #40
  LOADK r3 #1
  CALL r0 4 2
.lineno 6
  GETGLOBAL r0 "savebrush"
  LOADK r1 #2
  LOADK r2 "n40.bmp"
  CALL r0 3 2
.lineno 7
  GETGLOBAL r0 "getvideoframe"
  LOADK r1 #3
  LOADK r2 #75
  LOADK r3 #1
  LOADK r4 #0
  LOADK r5 #15
  CALL r0 6 2
.lineno 8
  GETGLOBAL r0 "savebrush"
  LOADK r1 #3
  LOADK r2 "n75.bmp"
  CALL r0 3 2
.lineno 9
  GETGLOBAL r0 "getvideoframe"
  LOADK r1 #4
  LOADK r2 #40
  LOADK r3 #1
  CALL r0 4 2
.lineno 10
  GETGLOBAL r0 "savebrush"
  LOADK r1 #4
  LOADK r2 "again40.bmp"
  CALL r0 3 2
.lineno 11
  GETGLOBAL r0 "getvideoframe"
  LOADK r1 #5
  LOADK r2 #2
  LOADK r3 #1
  CALL r0 4 2
.lineno 12
  GETGLOBAL r0 "savebrush"
  LOADK r1 #5
  LOADK r2 "n2.bmp"
  CALL r0 3 2
.lineno 13
  GETGLOBAL r0 "getvideoframe"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #1
  LOADK r4 #1
  CALL r0 5 2
.lineno 14
  GETGLOBAL r0 "savebrush"
  LOADK r1 #6
  LOADK r2 "t0.bmp"
  CALL r0 3 2
.lineno 15
  GETGLOBAL r0 "getvideoframe"
  LOADK r1 #7
  LOADK r2 #1600
  LOADK r3 #1
  LOADK r4 #1
  CALL r0 5 2
.lineno 16
  GETGLOBAL r0 "savebrush"
  LOADK r1 #7
  LOADK r2 "t1600.bmp"
  CALL r0 3 2
.lineno 17
  GETGLOBAL r0 "getvideoframe"
  LOADK r1 #8
  LOADK r2 #3000
  LOADK r3 #1
  LOADK r4 #1
  CALL r0 5 2
.lineno 18
  GETGLOBAL r0 "debugprint"
  LOADK r1 "time past the end"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 2
.lineno 19
  GETGLOBAL r0 "getvideoframe"
  LOADK r1 #8
  LOADK r2 #0
  LOADK r3 #1
  LOADK r4 #2
  CALL r0 5 2
.lineno 20
  GETGLOBAL r0 "debugprint"
  LOADK r1 "mode 2"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 2
.lineno 21
  GETGLOBAL r0 "getvideoframe"
  LOADNIL r1 r1
  LOADK r2 #10
  LOADK r3 #1
  CALL r0 4 2
  SETGLOBAL r0 "b"
.lineno 22
  GETGLOBAL r0 "debugprint"
  LOADK r1 "automatic"
  GETGLOBAL r2 "getattribute"
  LOADK r3 #3
  GETGLOBAL r4 "b"
  LOADK r5 #0
  CALL r2 4 2
  GETGLOBAL r3 "getattribute"
  LOADK r4 #3
  GETGLOBAL r5 "b"
  LOADK r6 #1
  CALL r3 4 0
  CALL r0 0 2
.lineno 23
  GETGLOBAL r0 "playvideo"
  LOADK r1 #1
  CALL r0 2 2
.lineno 24
  GETGLOBAL r0 "wait"
  LOADK r1 #10
  CALL r0 2 2
.lineno 25
  GETGLOBAL r0 "stopvideo"
  LOADK r1 #1
  CALL r0 2 2
.lineno 26
  GETGLOBAL r0 "getvideoframe"
  LOADK r1 #9
  LOADK r2 #75
  LOADK r3 #1
  CALL r0 4 2
.lineno 27
  GETGLOBAL r0 "savebrush"
  LOADK r1 #9
  LOADK r2 "after_play75.bmp"
  CALL r0 3 2
.lineno 28
  GETGLOBAL r0 "debugprint"
  LOADK r1 "done"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 2
  RETURN r0 1
