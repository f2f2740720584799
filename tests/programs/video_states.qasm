; label: video
; Videos through their states. Object type 50 is a video; GetAttribute rows 0 width, 1 height,
; 14 duration, 72 can-seek, 11 frames, 18 position, 19 format. A linked clip opens in place.
.link "clip.mp4" "../fuzz/corpus/movie/tiny.mp4"
; count = 0
; function ended(msg)
; count = count + 1
; print "end event", msg.id
; end
; call ExitOnError(0)
; print IsVideo("v.mp4"), IsVideo("v.avi"), IsVideo("a.wav"), IsVideo("p.gif"), IsVideo("missing.mp4")
; call OpenVideo(1, "v.mp4")
; print GetAttribute(50, 1, 0), GetAttribute(50, 1, 1), GetAttribute(50, 1, 14), GetAttribute(50, 1, 72), GetAttribute(50, 1, 11), GetAttribute(50, 1, 18), GetAttribute(50, 1, 19)
; call OpenVideo(4, "v.avi")
; print GetAttribute(50, 4, 0), GetAttribute(50, 4, 11), GetAttribute(50, 4, 19)
; call OpenVideo(5, "a.wav")
; print "wav", GetLastError()
; call PauseVideo(1)
; print "pause stopped", GetLastError()
; call GetVideoFrame(7, 0, 1)
; print "frame 0", GetLastError()
; call GetVideoFrame(7, 76, 1)
; print "frame past the end", GetLastError()
; call GetVideoFrame(7, 75, 1)
; print "frame 75", GetLastError(), GetAttribute(3, 7, 0), GetAttribute(3, 7, 1)
; call SetVideoSize(1, 0, 10)
; print "size 0", GetLastError()
; call SetVideoSize(1, 100000, 100000)
; print "size huge", GetLastError()
; call PlayVideo(1, 20, 10)
; print "playing", IsVideoPlaying(1)
; call ResumeVideo(1)
; print "resume playing", GetLastError()
; call SeekVideo(1, 100000)
; print "seek past", GetLastError()
; call SeekVideo(1, 1000)
; print "seek", GetLastError()
; call GetVideoFrame(7, 1, 1)
; print "grab playing", GetLastError()
; call BeginDoubleBuffer()
; print "double buffer", GetLastError()
; call CloseDisplay(1)
; print "close display", GetLastError()
; call PauseVideo(1)
; print "paused", IsVideoPlaying(1), GetLastError()
; call GetVideoFrame(7, 1, 1)
; print "grab paused", GetLastError()
; call ResumeVideo(1)
; print "resumed", IsVideoPlaying(1), GetLastError()
; call StopVideo(1)
; print "stopped", IsVideoPlaying(1)
; call BeginDoubleBuffer()
; print "double buffer after stop", GetLastError()
; call EndDoubleBuffer()
; call InstallEventHandler({onvideoend = ended})
; call OpenVideo(2, "short.mp4")
; call PlayVideo(2)
; while IsVideoPlaying(2) do
; call Wait(2)
; end
; for i = 1, 10 do
; call CheckEvent()
; call Wait(2)
; end
; print "ended", IsVideoPlaying(2), count
; call OpenVideo(3, "clip.mp4")
; print "linked", GetAttribute(50, 3, 0), GetAttribute(50, 3, 1), GetAttribute(50, 3, 19)
; call CloseVideo(3)
; call CloseVideo(1)
; call CloseVideo(2)
; call PlayVideo(1)
; print "closed", GetLastError(), GetAttribute(50, 0, 60)
; call CloseDisplay(1)
; print "close display after stop", GetLastError()
.source "@video_states.q"
  .maxstack 30
.lineno 1
  LOADK r0 #0
  SETGLOBAL r0 "count"
.lineno 2
  CLOSURE r0 f0
  SETGLOBAL r0 "ended"
.lineno 6
  GETGLOBAL r0 "exitonerror"
  LOADK r1 #0
  CALL r0 2 2
.lineno 7
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "isvideo"
  LOADK r2 "v.mp4"
  CALL r1 2 2
  GETGLOBAL r2 "isvideo"
  LOADK r3 "v.avi"
  CALL r2 2 2
  GETGLOBAL r3 "isvideo"
  LOADK r4 "a.wav"
  CALL r3 2 2
  GETGLOBAL r4 "isvideo"
  LOADK r5 "p.gif"
  CALL r4 2 2
  GETGLOBAL r5 "isvideo"
  LOADK r6 "missing.mp4"
  CALL r5 2 0
  CALL r0 0 2
.lineno 8
  GETGLOBAL r0 "openvideo"
  LOADK r1 #1
  LOADK r2 "v.mp4"
  CALL r0 3 2
.lineno 9
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getattribute"
  LOADK r2 #50
  LOADK r3 #1
  LOADK r4 #0
  CALL r1 4 2
  GETGLOBAL r2 "getattribute"
  LOADK r3 #50
  LOADK r4 #1
  LOADK r5 #1
  CALL r2 4 2
  GETGLOBAL r3 "getattribute"
  LOADK r4 #50
  LOADK r5 #1
  LOADK r6 #14
  CALL r3 4 2
  GETGLOBAL r4 "getattribute"
  LOADK r5 #50
  LOADK r6 #1
  LOADK r7 #72
  CALL r4 4 2
  GETGLOBAL r5 "getattribute"
  LOADK r6 #50
  LOADK r7 #1
  LOADK r8 #11
  CALL r5 4 2
  GETGLOBAL r6 "getattribute"
  LOADK r7 #50
  LOADK r8 #1
  LOADK r9 #18
  CALL r6 4 2
  GETGLOBAL r7 "getattribute"
  LOADK r8 #50
  LOADK r9 #1
  LOADK r10 #19
  CALL r7 4 0
  CALL r0 0 2
.lineno 10
  GETGLOBAL r0 "openvideo"
  LOADK r1 #4
  LOADK r2 "v.avi"
  CALL r0 3 2
.lineno 11
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getattribute"
  LOADK r2 #50
  LOADK r3 #4
  LOADK r4 #0
  CALL r1 4 2
  GETGLOBAL r2 "getattribute"
  LOADK r3 #50
  LOADK r4 #4
  LOADK r5 #11
  CALL r2 4 2
  GETGLOBAL r3 "getattribute"
  LOADK r4 #50
  LOADK r5 #4
  LOADK r6 #19
  CALL r3 4 0
  CALL r0 0 2
.lineno 12
  GETGLOBAL r0 "openvideo"
  LOADK r1 #5
  LOADK r2 "a.wav"
  CALL r0 3 2
.lineno 13
  GETGLOBAL r0 "debugprint"
  LOADK r1 "wav"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 2
.lineno 14
  GETGLOBAL r0 "pausevideo"
  LOADK r1 #1
  CALL r0 2 2
.lineno 15
  GETGLOBAL r0 "debugprint"
  LOADK r1 "pause stopped"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 2
.lineno 16
  GETGLOBAL r0 "getvideoframe"
  LOADK r1 #7
  LOADK r2 #0
  LOADK r3 #1
  CALL r0 4 2
.lineno 17
  GETGLOBAL r0 "debugprint"
  LOADK r1 "frame 0"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 2
.lineno 18
  GETGLOBAL r0 "getvideoframe"
  LOADK r1 #7
  LOADK r2 #76
  LOADK r3 #1
  CALL r0 4 2
.lineno 19
  GETGLOBAL r0 "debugprint"
  LOADK r1 "frame past the end"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 2
.lineno 20
  GETGLOBAL r0 "getvideoframe"
  LOADK r1 #7
  LOADK r2 #75
  LOADK r3 #1
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "debugprint"
  LOADK r1 "frame 75"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 2
  GETGLOBAL r3 "getattribute"
  LOADK r4 #3
  LOADK r5 #7
  LOADK r6 #0
  CALL r3 4 2
  GETGLOBAL r4 "getattribute"
  LOADK r5 #3
  LOADK r6 #7
  LOADK r7 #1
  CALL r4 4 0
  CALL r0 0 2
.lineno 22
  GETGLOBAL r0 "setvideosize"
  LOADK r1 #1
  LOADK r2 #0
  LOADK r3 #10
  CALL r0 4 2
.lineno 23
  GETGLOBAL r0 "debugprint"
  LOADK r1 "size 0"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 2
  GETGLOBAL r0 "setvideosize"
  LOADK r1 #1
  LOADK r2 #100000
  LOADK r3 #100000
  CALL r0 4 2
  GETGLOBAL r0 "debugprint"
  LOADK r1 "size huge"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 2
.lineno 24
  GETGLOBAL r0 "playvideo"
  LOADK r1 #1
  LOADK r2 #20
  LOADK r3 #10
  CALL r0 4 2
.lineno 25
  GETGLOBAL r0 "debugprint"
  LOADK r1 "playing"
  GETGLOBAL r2 "isvideoplaying"
  LOADK r3 #1
  CALL r2 2 0
  CALL r0 0 2
.lineno 26
  GETGLOBAL r0 "resumevideo"
  LOADK r1 #1
  CALL r0 2 2
.lineno 27
  GETGLOBAL r0 "debugprint"
  LOADK r1 "resume playing"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 2
.lineno 28
  GETGLOBAL r0 "seekvideo"
  LOADK r1 #1
  LOADK r2 #100000
  CALL r0 3 2
.lineno 29
  GETGLOBAL r0 "debugprint"
  LOADK r1 "seek past"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 2
.lineno 30
  GETGLOBAL r0 "seekvideo"
  LOADK r1 #1
  LOADK r2 #1000
  CALL r0 3 2
.lineno 31
  GETGLOBAL r0 "debugprint"
  LOADK r1 "seek"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 2
.lineno 32
  GETGLOBAL r0 "getvideoframe"
  LOADK r1 #7
  LOADK r2 #1
  LOADK r3 #1
  CALL r0 4 2
.lineno 33
  GETGLOBAL r0 "debugprint"
  LOADK r1 "grab playing"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 2
.lineno 34
  GETGLOBAL r0 "begindoublebuffer"
  CALL r0 1 2
.lineno 35
  GETGLOBAL r0 "debugprint"
  LOADK r1 "double buffer"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 2
.lineno 36
  GETGLOBAL r0 "closedisplay"
  LOADK r1 #1
  CALL r0 2 2
.lineno 37
  GETGLOBAL r0 "debugprint"
  LOADK r1 "close display"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 2
.lineno 38
  GETGLOBAL r0 "pausevideo"
  LOADK r1 #1
  CALL r0 2 2
.lineno 39
  GETGLOBAL r0 "debugprint"
  LOADK r1 "paused"
  GETGLOBAL r2 "isvideoplaying"
  LOADK r3 #1
  CALL r2 2 2
  GETGLOBAL r3 "getlasterror"
  CALL r3 1 0
  CALL r0 0 2
.lineno 40
  GETGLOBAL r0 "getvideoframe"
  LOADK r1 #7
  LOADK r2 #1
  LOADK r3 #1
  CALL r0 4 2
.lineno 41
  GETGLOBAL r0 "debugprint"
  LOADK r1 "grab paused"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 2
.lineno 42
  GETGLOBAL r0 "resumevideo"
  LOADK r1 #1
  CALL r0 2 2
.lineno 43
  GETGLOBAL r0 "debugprint"
  LOADK r1 "resumed"
  GETGLOBAL r2 "isvideoplaying"
  LOADK r3 #1
  CALL r2 2 2
  GETGLOBAL r3 "getlasterror"
  CALL r3 1 0
  CALL r0 0 2
.lineno 44
  GETGLOBAL r0 "stopvideo"
  LOADK r1 #1
  CALL r0 2 2
.lineno 45
  GETGLOBAL r0 "debugprint"
  LOADK r1 "stopped"
  GETGLOBAL r2 "isvideoplaying"
  LOADK r3 #1
  CALL r2 2 0
  CALL r0 0 2
.lineno 46
  GETGLOBAL r0 "begindoublebuffer"
  CALL r0 1 2
.lineno 47
  GETGLOBAL r0 "debugprint"
  LOADK r1 "double buffer after stop"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 2
.lineno 48
  GETGLOBAL r0 "enddoublebuffer"
  CALL r0 1 2
.lineno 49
  GETGLOBAL r0 "installeventhandler"
  NEWTABLE r1 0 4
  GETGLOBAL r2 "ended"
  SETTABLE r1 "onvideoend" r2
  CALL r0 2 2
.lineno 50
  GETGLOBAL r0 "openvideo"
  LOADK r1 #2
  LOADK r2 "short.mp4"
  CALL r0 3 2
.lineno 51
  GETGLOBAL r0 "playvideo"
  LOADK r1 #2
  CALL r0 2 2
.lineno 52
L1:
  GETGLOBAL r0 "isvideoplaying"
  LOADK r1 #2
  CALL r0 2 2
  TEST r0 r0 0
  JMP @L2
.lineno 53
  GETGLOBAL r0 "wait"
  LOADK r1 #2
  CALL r0 2 2
.lineno 54
  JMP @L1
L2:
.lineno 55
  LOADK r20 #1
  LOADK r21 #10
  LOADK r22 #1
  SUB r20 r20 r22
  JMP @L3
L4:
  SETGLOBAL r20 "i"
.lineno 56
  GETGLOBAL r27 "checkevent"
  CALL r27 1 2
.lineno 57
  GETGLOBAL r27 "wait"
  LOADK r28 #2
  CALL r27 2 2
.lineno 58
L3:
  FORLOOP r20 @L4
.lineno 59
  GETGLOBAL r0 "debugprint"
  LOADK r1 "ended"
  GETGLOBAL r2 "isvideoplaying"
  LOADK r3 #2
  CALL r2 2 2
  GETGLOBAL r3 "count"
  CALL r0 4 2
.lineno 60
  GETGLOBAL r0 "openvideo"
  LOADK r1 #3
  LOADK r2 "clip.mp4"
  CALL r0 3 2
.lineno 61
  GETGLOBAL r0 "debugprint"
  LOADK r1 "linked"
  GETGLOBAL r2 "getattribute"
  LOADK r3 #50
  LOADK r4 #3
  LOADK r5 #0
  CALL r2 4 2
  GETGLOBAL r3 "getattribute"
  LOADK r4 #50
  LOADK r5 #3
  LOADK r6 #1
  CALL r3 4 2
  GETGLOBAL r4 "getattribute"
  LOADK r5 #50
  LOADK r6 #3
  LOADK r7 #19
  CALL r4 4 0
  CALL r0 0 2
.lineno 62
  GETGLOBAL r0 "closevideo"
  LOADK r1 #3
  CALL r0 2 2
.lineno 63
  GETGLOBAL r0 "closevideo"
  LOADK r1 #1
  CALL r0 2 2
.lineno 64
  GETGLOBAL r0 "closevideo"
  LOADK r1 #2
  CALL r0 2 2
.lineno 65
  GETGLOBAL r0 "playvideo"
  LOADK r1 #1
  CALL r0 2 2
.lineno 66
  GETGLOBAL r0 "debugprint"
  LOADK r1 "closed"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 2
  GETGLOBAL r3 "getattribute"
  LOADK r4 #50
  LOADK r5 #0
  LOADK r6 #60
  CALL r3 4 0
  CALL r0 0 2
.lineno 67
  GETGLOBAL r0 "closedisplay"
  LOADK r1 #1
  CALL r0 2 2
.lineno 68
  GETGLOBAL r0 "debugprint"
  LOADK r1 "close display after stop"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 2
  RETURN r0 1
.function
  .params 1
  .maxstack 8
.lineno 3
  GETGLOBAL r1 "count"
  LOADK r2 #1
  ADD r1 r1 r2
  SETGLOBAL r1 "count"
.lineno 4
  GETGLOBAL r1 "debugprint"
  LOADK r2 "end event"
  MOVE r3 r0
  GETTABLE r3 r3 "id"
  CALL r1 3 2
.lineno 5
  RETURN r0 1
.end
