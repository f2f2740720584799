; label: sound
; Two samples start together on the disk driver, one of them for three passes; the position while
; it plays and SetVolume during play. Attribute 18 is the position: ms into the pass, passes done.
; call ExitOnError(0)
; call LoadSample(1, "tone.wav")
; call LoadSample(2, "low.wav")
; print GetAttribute(2, 1, 14), GetAttribute(2, 1, 15), GetAttribute(2, 1, 11), GetAttribute(2, 1, 9)
; print "idle", GetAttribute(2, 1, 18)
; call PlaySample(1, 3, 2, {time = 250, volume = "50%"})
; call SetVolume(1, 32)
; print "playing", IsSamplePlaying(1), IsSamplePlaying(2)
; call WaitSampleEnd(2)
; print "2 ended", IsSamplePlaying(2), IsSamplePlaying(1)
; call WaitSampleEnd(1)
; print "idle", GetAttribute(2, 1, 18)
.source "@sound_play.q"
  .maxstack 9
.lineno 1
  GETGLOBAL r0 "exitonerror"
  LOADK r1 #0
  CALL r0 2 2
.lineno 2
  GETGLOBAL r0 "loadsample"
  LOADK r1 #1
  LOADK r2 "tone.wav"
  CALL r0 3 2
.lineno 3
  GETGLOBAL r0 "loadsample"
  LOADK r1 #2
  LOADK r2 "low.wav"
  CALL r0 3 2
.lineno 4
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getattribute"
  LOADK r2 #2
  LOADK r3 #1
  LOADK r4 #14
  CALL r1 4 2
  GETGLOBAL r2 "getattribute"
  LOADK r3 #2
  LOADK r4 #1
  LOADK r5 #15
  CALL r2 4 2
  GETGLOBAL r3 "getattribute"
  LOADK r4 #2
  LOADK r5 #1
  LOADK r6 #11
  CALL r3 4 2
  GETGLOBAL r4 "getattribute"
  LOADK r5 #2
  LOADK r6 #1
  LOADK r7 #9
  CALL r4 4 0
  CALL r0 0 2
.lineno 5
  GETGLOBAL r0 "debugprint"
  LOADK r1 "idle"
  GETGLOBAL r2 "getattribute"
  LOADK r3 #2
  LOADK r4 #1
  LOADK r5 #18
  CALL r2 4 0
  CALL r0 0 2
.lineno 6
  GETGLOBAL r0 "playsample"
  LOADK r1 #1
  LOADK r2 #3
  LOADK r3 #2
  NEWTABLE r4 0 4
  LOADK r5 #250
  SETTABLE r4 "time" r5
  LOADK r5 "50%"
  SETTABLE r4 "volume" r5
  CALL r0 5 2
.lineno 7
  GETGLOBAL r0 "setvolume"
  LOADK r1 #1
  LOADK r2 #32
  CALL r0 3 2
.lineno 8
  GETGLOBAL r0 "debugprint"
  LOADK r1 "playing"
  GETGLOBAL r2 "issampleplaying"
  LOADK r3 #1
  CALL r2 2 2
  GETGLOBAL r3 "issampleplaying"
  LOADK r4 #2
  CALL r3 2 0
  CALL r0 0 2
.lineno 9
  GETGLOBAL r0 "waitsampleend"
  LOADK r1 #2
  CALL r0 2 2
.lineno 10
  GETGLOBAL r0 "debugprint"
  LOADK r1 "2 ended"
  GETGLOBAL r2 "issampleplaying"
  LOADK r3 #2
  CALL r2 2 2
  GETGLOBAL r3 "issampleplaying"
  LOADK r4 #1
  CALL r3 2 0
  CALL r0 0 2
.lineno 11
  GETGLOBAL r0 "waitsampleend"
  LOADK r1 #1
  CALL r0 2 2
.lineno 12
  GETGLOBAL r0 "debugprint"
  LOADK r1 "idle"
  GETGLOBAL r2 "getattribute"
  LOADK r3 #2
  LOADK r4 #1
  LOADK r5 #18
  CALL r2 4 0
  CALL r0 0 2
  RETURN r0 1
