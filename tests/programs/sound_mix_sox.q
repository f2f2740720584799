; label: sound
; MixSample against sox's mixer: two 16-bit stereo files, and an 8-bit with a 16-bit mono file,
; mixed at unit volume without dither, must agree within one step of the 16-bit output. Formats:
; 1 MONO16, 3 STEREO16.
call LoadSample(1, "a.wav")
call LoadSample(2, "b.wav")
call MixSample(3, GetAttribute(2, 1, 11), 22050, 3, 1, {}, 2, {})
call SaveSample(3, "ab.wav")
call LoadSample(4, "c.wav")
call LoadSample(5, "d.wav")
call MixSample(6, GetAttribute(2, 4, 11), 22050, 1, 4, {}, 5, {})
call SaveSample(6, "cd.wav")
print "mixed", GetAttribute(2, 3, 11), GetAttribute(2, 6, 11)
