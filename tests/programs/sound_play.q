; label: sound
; Two samples start together on the disk driver, one of them for three passes; the position while
; it plays and SetVolume during play. Attribute 18 is the position: ms into the pass, passes done.
call ExitOnError(0)
call LoadSample(1, "tone.wav")
call LoadSample(2, "low.wav")
print GetAttribute(2, 1, 14), GetAttribute(2, 1, 15), GetAttribute(2, 1, 11), GetAttribute(2, 1, 9)
print "idle", GetAttribute(2, 1, 18)
call PlaySample(1, 3, 2, {time = 250, volume = "50%"})
call SetVolume(1, 32)
print "playing", IsSamplePlaying(1), IsSamplePlaying(2)
call WaitSampleEnd(2)
print "2 ended", IsSamplePlaying(2), IsSamplePlaying(1)
call WaitSampleEnd(1)
print "idle", GetAttribute(2, 1, 18)
