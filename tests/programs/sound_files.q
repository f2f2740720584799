; label: sound
; Samples loaded from files that sox and ffmpeg made, saved again as RIFF WAVE, and the checks.
call ExitOnError(0)
print IsSample("a.wav"), IsSample("b.flac"), IsSample("text.txt")
call LoadSample(1, "a.wav")
call LoadSample(2, "b.flac")
print GetAttribute(2, 1, 11), GetAttribute(2, 1, 15), GetAttribute(2, 1, 9)
print GetAttribute(2, 2, 11), GetAttribute(2, 2, 15), GetAttribute(2, 2, 9)
call SaveSample(1, "out.wav")
call SaveSample(2, "out2.wav", 0)
call SaveSample(1, "never.wav", 7)
print "format 7", GetLastError()
call LoadSample(3, "text.txt")
print "not a sound", GetLastError()
