; label: sound
; MixSample against sox's mixer: two 16-bit stereo files, and an 8-bit with a 16-bit mono file,
; mixed at unit volume without dither, must agree within one step of the 16-bit output. Formats:
; 1 MONO16, 3 STEREO16.
; call LoadSample(1, "a.wav")
; call LoadSample(2, "b.wav")
; call MixSample(3, GetAttribute(2, 1, 11), 22050, 3, 1, {}, 2, {})
; call SaveSample(3, "ab.wav")
; call LoadSample(4, "c.wav")
; call LoadSample(5, "d.wav")
; call MixSample(6, GetAttribute(2, 4, 11), 22050, 1, 4, {}, 5, {})
; call SaveSample(6, "cd.wav")
; print "mixed", GetAttribute(2, 3, 11), GetAttribute(2, 6, 11)
.source "@sound_mix_sox.q"
  .maxstack 10
.lineno 1
  GETGLOBAL r0 "loadsample"
  LOADK r1 #1
  LOADK r2 "a.wav"
  CALL r0 3 2
.lineno 2
  GETGLOBAL r0 "loadsample"
  LOADK r1 #2
  LOADK r2 "b.wav"
  CALL r0 3 2
.lineno 3
  GETGLOBAL r0 "mixsample"
  LOADK r1 #3
  GETGLOBAL r2 "getattribute"
  LOADK r3 #2
  LOADK r4 #1
  LOADK r5 #11
  CALL r2 4 2
  LOADK r3 #22050
  LOADK r4 #3
  LOADK r5 #1
  NEWTABLE r6 0 4
  LOADK r7 #2
  NEWTABLE r8 0 4
  CALL r0 9 2
.lineno 4
  GETGLOBAL r0 "savesample"
  LOADK r1 #3
  LOADK r2 "ab.wav"
  CALL r0 3 2
.lineno 5
  GETGLOBAL r0 "loadsample"
  LOADK r1 #4
  LOADK r2 "c.wav"
  CALL r0 3 2
.lineno 6
  GETGLOBAL r0 "loadsample"
  LOADK r1 #5
  LOADK r2 "d.wav"
  CALL r0 3 2
.lineno 7
  GETGLOBAL r0 "mixsample"
  LOADK r1 #6
  GETGLOBAL r2 "getattribute"
  LOADK r3 #2
  LOADK r4 #4
  LOADK r5 #11
  CALL r2 4 2
  LOADK r3 #22050
  LOADK r4 #1
  LOADK r5 #4
  NEWTABLE r6 0 4
  LOADK r7 #5
  NEWTABLE r8 0 4
  CALL r0 9 2
.lineno 8
  GETGLOBAL r0 "savesample"
  LOADK r1 #6
  LOADK r2 "cd.wav"
  CALL r0 3 2
.lineno 9
  GETGLOBAL r0 "debugprint"
  LOADK r1 "mixed"
  GETGLOBAL r2 "getattribute"
  LOADK r3 #2
  LOADK r4 #3
  LOADK r5 #11
  CALL r2 4 2
  GETGLOBAL r3 "getattribute"
  LOADK r4 #2
  LOADK r5 #6
  LOADK r6 #11
  CALL r3 4 0
  CALL r0 0 2
  RETURN r0 1
