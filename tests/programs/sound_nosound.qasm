; label: sound
; Without sound every sound command succeeds and makes nothing.
; call ExitOnError(0)
; print IsSound()
; h = LoadSample(nil, "missing.wav")
; print "load", h, GetLastError(), GetAttribute(2, 0, 60)
; call CreateSample(1, {1, 2, 3}, 8000)
; call PlaySample(1)
; call SetVolume(1, 10)
; call WaitSampleEnd(1)
; call FreeSample(1)
; print "rest", GetLastError(), GetAttribute(2, 0, 60)
.source "@sound_nosound.q"
  .maxstack 9
.lineno 1
  GETGLOBAL r0 "exitonerror"
  LOADK r1 #0
  CALL r0 2 2
.lineno 2
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "issound"
  CALL r1 1 0
  CALL r0 0 2
.lineno 3
  GETGLOBAL r0 "loadsample"
  LOADNIL r1 r1
  LOADK r2 "missing.wav"
  CALL r0 3 2
  SETGLOBAL r0 "h"
.lineno 4
  GETGLOBAL r0 "debugprint"
  LOADK r1 "load"
  GETGLOBAL r2 "h"
  GETGLOBAL r3 "getlasterror"
  CALL r3 1 2
  GETGLOBAL r4 "getattribute"
  LOADK r5 #2
  LOADK r6 #0
  LOADK r7 #60
  CALL r4 4 0
  CALL r0 0 2
.lineno 5
  GETGLOBAL r0 "createsample"
  LOADK r1 #1
  NEWTABLE r2 0 4
  LOADK r3 #1
  SETTABLE r2 #0 r3
  LOADK r3 #2
  SETTABLE r2 #1 r3
  LOADK r3 #3
  SETTABLE r2 #2 r3
  LOADK r3 #8000
  CALL r0 4 2
.lineno 6
  GETGLOBAL r0 "playsample"
  LOADK r1 #1
  CALL r0 2 2
.lineno 7
  GETGLOBAL r0 "setvolume"
  LOADK r1 #1
  LOADK r2 #10
  CALL r0 3 2
.lineno 8
  GETGLOBAL r0 "waitsampleend"
  LOADK r1 #1
  CALL r0 2 2
.lineno 9
  GETGLOBAL r0 "freesample"
  LOADK r1 #1
  CALL r0 2 2
.lineno 10
  GETGLOBAL r0 "debugprint"
  LOADK r1 "rest"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 2
  GETGLOBAL r3 "getattribute"
  LOADK r4 #2
  LOADK r5 #0
  LOADK r6 #60
  CALL r3 4 0
  CALL r0 0 2
  RETURN r0 1
