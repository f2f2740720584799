; label: sound
; Without sound every sound command succeeds and makes nothing.
call ExitOnError(0)
print IsSound()
h = LoadSample(nil, "missing.wav")
print "load", h, GetLastError(), GetAttribute(2, 0, 60)
call CreateSample(1, {1, 2, 3}, 8000)
call PlaySample(1)
call SetVolume(1, 10)
call WaitSampleEnd(1)
call FreeSample(1)
print "rest", GetLastError(), GetAttribute(2, 0, 60)
