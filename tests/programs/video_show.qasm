; label: video
; A video shows in the window above the display's picture: paused at (20, 10) its frame stays
; there, also when the program draws over it; stopped, the picture is back; at half size elsewhere
; it moves with SetVideoPosition; on a display scaled twice its rectangle is twice as large; a
; window made again by ChangeDisplayMode (full screen) keeps the playing video playing at its
; rectangle, its pictures going on.
; Before each pause the program waits until the window shows a frame at the video's corner: the
; decode thread may take longer than the Wait on a busy machine.
; function shown(x, y)
;   for n = 1, 500 do
;     call SaveSnapshot("probe.bmp")
;     call LoadBrush(9, "probe.bmp")
;     call SelectBrush(9)
;     c = ReadPixel(x, y)
;     call EndSelect()
;     call FreeBrush(9)
;     if c <> $3060A0 then return end
;     call Wait(1)
;   end
; end
; call ExitOnError(0)
; call SetFillStyle(1)
; call Box(0, 0, 640, 480, $3060A0)
; call OpenVideo(1, "v.mp4")
; call PlayVideo(1, 20, 10)
; call Wait(25)
; call shown(25, 15)
; call PauseVideo(1)
; call SaveSnapshot("paused.bmp")
; call StopVideo(1)
; call SaveSnapshot("stopped.bmp")
; call SetVideoSize(1, "50%", "50%")
; call PlayVideo(1, 300, 200)
; call SetVideoPosition(1, 400, 300)
; call Wait(25)
; call shown(405, 305)
; call PauseVideo(1)
; call SaveSnapshot("half.bmp")
; print "shown", GetAttribute(50, 1, 0), GetAttribute(50, 1, 1), GetLastError()
; call Box(0, 0, 640, 480, $3060A0)
; call SaveSnapshot("drawn.bmp")
; call StopVideo(1)
; call SetDisplayAttributes({scalemode = 1, scalewidth = 1280, scaleheight = 960})
; call SetVideoSize(1, 160, 120)
; call PlayVideo(1, 20, 10)
; call Wait(10)
; call shown(45, 25)
; call PauseVideo(1)
; call SaveSnapshot("scaled.bmp")
; print "scaled", GetLastError()
; call StopVideo(1)
; call SetDisplayAttributes({scalemode = 0})
; call PlayVideo(1, 20, 10)
; call Wait(5)
; call ChangeDisplayMode(2, 640, 480)
; print "mode changed", GetLastError(), IsVideoPlaying(1)
; call Wait(10)
; call PauseVideo(1)
; call SaveSnapshot("recreated.bmp")
; call ResumeVideo(1)
; call Wait(15)
; call PauseVideo(1)
; call SaveSnapshot("recreated2.bmp")
.source "@video_show.q"
  .maxstack 8
.lineno 1
  CLOSURE r0 f:shown
  SETGLOBAL r0 "shown"
.lineno 13
  GETGLOBAL r0 "exitonerror"
  LOADK r1 #0
  CALL r0 2 2
.lineno 14
  GETGLOBAL r0 "setfillstyle"
  LOADK r1 #1
  CALL r0 2 2
.lineno 15
  GETGLOBAL r0 "box"
  LOADK r1 #0
  LOADK r2 #0
  LOADK r3 #640
  LOADK r4 #480
  LOADK r5 #3170464
  CALL r0 6 2
.lineno 16
  GETGLOBAL r0 "openvideo"
  LOADK r1 #1
  LOADK r2 "v.mp4"
  CALL r0 3 2
.lineno 17
  GETGLOBAL r0 "playvideo"
  LOADK r1 #1
  LOADK r2 #20
  LOADK r3 #10
  CALL r0 4 2
.lineno 18
  GETGLOBAL r0 "wait"
  LOADK r1 #25
  CALL r0 2 2
.lineno 19
  GETGLOBAL r0 "shown"
  LOADK r1 #25
  LOADK r2 #15
  CALL r0 3 1
.lineno 20
  GETGLOBAL r0 "pausevideo"
  LOADK r1 #1
  CALL r0 2 2
.lineno 21
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "paused.bmp"
  CALL r0 2 2
.lineno 22
  GETGLOBAL r0 "stopvideo"
  LOADK r1 #1
  CALL r0 2 2
.lineno 23
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "stopped.bmp"
  CALL r0 2 2
.lineno 24
  GETGLOBAL r0 "setvideosize"
  LOADK r1 #1
  LOADK r2 "50%"
  LOADK r3 "50%"
  CALL r0 4 2
.lineno 25
  GETGLOBAL r0 "playvideo"
  LOADK r1 #1
  LOADK r2 #300
  LOADK r3 #200
  CALL r0 4 2
.lineno 26
  GETGLOBAL r0 "setvideoposition"
  LOADK r1 #1
  LOADK r2 #400
  LOADK r3 #300
  CALL r0 4 2
.lineno 27
  GETGLOBAL r0 "wait"
  LOADK r1 #25
  CALL r0 2 2
.lineno 28
  GETGLOBAL r0 "shown"
  LOADK r1 #405
  LOADK r2 #305
  CALL r0 3 1
.lineno 29
  GETGLOBAL r0 "pausevideo"
  LOADK r1 #1
  CALL r0 2 2
.lineno 30
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "half.bmp"
  CALL r0 2 2
.lineno 31
  GETGLOBAL r0 "debugprint"
  LOADK r1 "shown"
  GETGLOBAL r2 "getattribute"
  LOADK r3 #50
  LOADK r4 #1
  LOADK r5 #0
  CALL r2 4 2
  GETGLOBAL r3 "getattribute"
  LOADK r4 #50
  LOADK r5 #1
  LOADK r6 #1
  CALL r3 4 2
  GETGLOBAL r4 "getlasterror"
  CALL r4 1 0
  CALL r0 0 2
.lineno 32
  GETGLOBAL r0 "box"
  LOADK r1 #0
  LOADK r2 #0
  LOADK r3 #640
  LOADK r4 #480
  LOADK r5 #3170464
  CALL r0 6 2
.lineno 33
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "drawn.bmp"
  CALL r0 2 2
.lineno 34
  GETGLOBAL r0 "stopvideo"
  LOADK r1 #1
  CALL r0 2 2
.lineno 35
  GETGLOBAL r0 "setdisplayattributes"
  NEWTABLE r1 0 4
  LOADK r2 #1
  SETTABLE r1 "scalemode" r2
  LOADK r2 #1280
  SETTABLE r1 "scalewidth" r2
  LOADK r2 #960
  SETTABLE r1 "scaleheight" r2
  CALL r0 2 2
.lineno 36
  GETGLOBAL r0 "setvideosize"
  LOADK r1 #1
  LOADK r2 #160
  LOADK r3 #120
  CALL r0 4 2
.lineno 37
  GETGLOBAL r0 "playvideo"
  LOADK r1 #1
  LOADK r2 #20
  LOADK r3 #10
  CALL r0 4 2
.lineno 38
  GETGLOBAL r0 "wait"
  LOADK r1 #10
  CALL r0 2 2
.lineno 39
  GETGLOBAL r0 "shown"
  LOADK r1 #45
  LOADK r2 #25
  CALL r0 3 1
.lineno 40
  GETGLOBAL r0 "pausevideo"
  LOADK r1 #1
  CALL r0 2 2
.lineno 41
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "scaled.bmp"
  CALL r0 2 2
.lineno 42
  GETGLOBAL r0 "debugprint"
  LOADK r1 "scaled"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 2
.lineno 43
  GETGLOBAL r0 "stopvideo"
  LOADK r1 #1
  CALL r0 2 2
.lineno 44
  GETGLOBAL r0 "setdisplayattributes"
  NEWTABLE r1 0 4
  LOADK r2 #0
  SETTABLE r1 "scalemode" r2
  CALL r0 2 2
.lineno 45
  GETGLOBAL r0 "playvideo"
  LOADK r1 #1
  LOADK r2 #20
  LOADK r3 #10
  CALL r0 4 2
.lineno 46
  GETGLOBAL r0 "wait"
  LOADK r1 #5
  CALL r0 2 2
.lineno 47
  GETGLOBAL r0 "changedisplaymode"
  LOADK r1 #2
  LOADK r2 #640
  LOADK r3 #480
  CALL r0 4 2
.lineno 48
  GETGLOBAL r0 "debugprint"
  LOADK r1 "mode changed"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 2
  GETGLOBAL r3 "isvideoplaying"
  LOADK r4 #1
  CALL r3 2 0
  CALL r0 0 2
.lineno 49
  GETGLOBAL r0 "wait"
  LOADK r1 #10
  CALL r0 2 2
.lineno 50
  GETGLOBAL r0 "pausevideo"
  LOADK r1 #1
  CALL r0 2 2
.lineno 51
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "recreated.bmp"
  CALL r0 2 2
.lineno 52
  GETGLOBAL r0 "resumevideo"
  LOADK r1 #1
  CALL r0 2 2
.lineno 53
  GETGLOBAL r0 "wait"
  LOADK r1 #15
  CALL r0 2 2
.lineno 54
  GETGLOBAL r0 "pausevideo"
  LOADK r1 #1
  CALL r0 2 2
.lineno 55
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "recreated2.bmp"
  CALL r0 2 2
  RETURN r0 1
.function shown
  .params 2
  .maxstack 8
.lineno 2
  LOADK r2 #1
for:
.lineno 3
  GETGLOBAL r3 "savesnapshot"
  LOADK r4 "probe.bmp"
  CALL r3 2 1
.lineno 4
  GETGLOBAL r3 "loadbrush"
  LOADK r4 #9
  LOADK r5 "probe.bmp"
  CALL r3 3 1
.lineno 5
  GETGLOBAL r3 "selectbrush"
  LOADK r4 #9
  CALL r3 2 1
.lineno 6
  GETGLOBAL r3 "readpixel"
  MOVE r4 r0
  MOVE r5 r1
  CALL r3 3 2
.lineno 7
  GETGLOBAL r4 "endselect"
  CALL r4 1 1
.lineno 8
  GETGLOBAL r4 "freebrush"
  LOADK r5 #9
  CALL r4 2 1
.lineno 9
  EQ 1 r3 #$3060A0
  JMP @same
  RETURN r0 1
same:
.lineno 10
  GETGLOBAL r4 "wait"
  LOADK r5 #1
  CALL r4 2 1
.lineno 2
  ADD r2 r2 #1
  LE 1 r2 #500
  JMP @for
.lineno 12
  RETURN r0 1
.end

