; label: video
; The movie's sound in the mixer: a 1 kHz tone played at volume 100 (taken as 64), then again
; after a pause at "50%", which the check finds at half the amplitude.
call ExitOnError(0)
call OpenVideo(1, "short.mp4")
call SetVideoVolume(1, 100)
call PlayVideo(1)
while IsVideoPlaying(1) do
call Wait(1)
end
call Wait(25)
call SetVideoVolume(1, "50%")
call PlayVideo(1)
while IsVideoPlaying(1) do
call Wait(1)
end
print "done", GetLastError()
