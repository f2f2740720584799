; A video playing at (40, 30) in a real window, until the test script says it has seen it.
call SetTitle("Quillmere Video")
call SetFillStyle(1)
call Box(0, 0, 640, 480, $3060A0)
call OpenVideo(1, "v.mp4")
call PlayVideo(1, 40, 30)
while not Exists("done") do
call Wait(1)
if not IsVideoPlaying(1) then
call PlayVideo(1)
end
end
