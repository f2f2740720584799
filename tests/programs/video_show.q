; label: video
; A video shows in the window above the display's picture: paused at (20, 10) its frame stays
; there, also when the program draws over it; stopped, the picture is back; at half size elsewhere
; it moves with SetVideoPosition; on a display scaled twice its rectangle is twice as large; a
; window made again by ChangeDisplayMode (full screen) keeps the playing video playing at its
; rectangle, its pictures going on.
; Before each pause the program waits until the window shows a frame at the video's corner: the
; decode thread may take longer than the Wait on a busy machine.
function shown(x, y)
  for n = 1, 500 do
    call SaveSnapshot("probe.bmp")
    call LoadBrush(9, "probe.bmp")
    call SelectBrush(9)
    c = ReadPixel(x, y)
    call EndSelect()
    call FreeBrush(9)
    if c <> $3060A0 then return end
    call Wait(1)
  end
end
call ExitOnError(0)
call SetFillStyle(1)
call Box(0, 0, 640, 480, $3060A0)
call OpenVideo(1, "v.mp4")
call PlayVideo(1, 20, 10)
call Wait(25)
call shown(25, 15)
call PauseVideo(1)
call SaveSnapshot("paused.bmp")
call StopVideo(1)
call SaveSnapshot("stopped.bmp")
call SetVideoSize(1, "50%", "50%")
call PlayVideo(1, 300, 200)
call SetVideoPosition(1, 400, 300)
call Wait(25)
call shown(405, 305)
call PauseVideo(1)
call SaveSnapshot("half.bmp")
print "shown", GetAttribute(50, 1, 0), GetAttribute(50, 1, 1), GetLastError()
call Box(0, 0, 640, 480, $3060A0)
call SaveSnapshot("drawn.bmp")
call StopVideo(1)
call SetDisplayAttributes({scalemode = 1, scalewidth = 1280, scaleheight = 960})
call SetVideoSize(1, 160, 120)
call PlayVideo(1, 20, 10)
call Wait(10)
call shown(45, 25)
call PauseVideo(1)
call SaveSnapshot("scaled.bmp")
print "scaled", GetLastError()
call StopVideo(1)
call SetDisplayAttributes({scalemode = 0})
call PlayVideo(1, 20, 10)
call Wait(5)
call ChangeDisplayMode(2, 640, 480)
print "mode changed", GetLastError(), IsVideoPlaying(1)
call Wait(10)
call PauseVideo(1)
call SaveSnapshot("recreated.bmp")
call ResumeVideo(1)
call Wait(15)
call PauseVideo(1)
call SaveSnapshot("recreated2.bmp")
