; label: sound
; Samples loaded from files that sox and ffmpeg made, saved again as RIFF WAVE, and the checks.
; call ExitOnError(0)
; print IsSample("a.wav"), IsSample("b.flac"), IsSample("text.txt")
; call LoadSample(1, "a.wav")
; call LoadSample(2, "b.flac")
; print GetAttribute(2, 1, 11), GetAttribute(2, 1, 15), GetAttribute(2, 1, 9)
; print GetAttribute(2, 2, 11), GetAttribute(2, 2, 15), GetAttribute(2, 2, 9)
; call SaveSample(1, "out.wav")
; call SaveSample(2, "out2.wav", 0)
; call SaveSample(1, "never.wav", 7)
; print "format 7", GetLastError()
; call LoadSample(3, "text.txt")
; print "not a sound", GetLastError()
.source "@sound_files.q"
  .maxstack 8
.lineno 1
  GETGLOBAL r0 "exitonerror"
  LOADK r1 #0
  CALL r0 2 2
.lineno 2
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "issample"
  LOADK r2 "a.wav"
  CALL r1 2 2
  GETGLOBAL r2 "issample"
  LOADK r3 "b.flac"
  CALL r2 2 2
  GETGLOBAL r3 "issample"
  LOADK r4 "text.txt"
  CALL r3 2 0
  CALL r0 0 2
.lineno 3
  GETGLOBAL r0 "loadsample"
  LOADK r1 #1
  LOADK r2 "a.wav"
  CALL r0 3 2
.lineno 4
  GETGLOBAL r0 "loadsample"
  LOADK r1 #2
  LOADK r2 "b.flac"
  CALL r0 3 2
.lineno 5
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getattribute"
  LOADK r2 #2
  LOADK r3 #1
  LOADK r4 #11
  CALL r1 4 2
  GETGLOBAL r2 "getattribute"
  LOADK r3 #2
  LOADK r4 #1
  LOADK r5 #15
  CALL r2 4 2
  GETGLOBAL r3 "getattribute"
  LOADK r4 #2
  LOADK r5 #1
  LOADK r6 #9
  CALL r3 4 0
  CALL r0 0 2
.lineno 6
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getattribute"
  LOADK r2 #2
  LOADK r3 #2
  LOADK r4 #11
  CALL r1 4 2
  GETGLOBAL r2 "getattribute"
  LOADK r3 #2
  LOADK r4 #2
  LOADK r5 #15
  CALL r2 4 2
  GETGLOBAL r3 "getattribute"
  LOADK r4 #2
  LOADK r5 #2
  LOADK r6 #9
  CALL r3 4 0
  CALL r0 0 2
.lineno 7
  GETGLOBAL r0 "savesample"
  LOADK r1 #1
  LOADK r2 "out.wav"
  CALL r0 3 2
.lineno 8
  GETGLOBAL r0 "savesample"
  LOADK r1 #2
  LOADK r2 "out2.wav"
  LOADK r3 #0
  CALL r0 4 2
.lineno 9
  GETGLOBAL r0 "savesample"
  LOADK r1 #1
  LOADK r2 "never.wav"
  LOADK r3 #7
  CALL r0 4 2
.lineno 10
  GETGLOBAL r0 "debugprint"
  LOADK r1 "format 7"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 2
.lineno 11
  GETGLOBAL r0 "loadsample"
  LOADK r1 #3
  LOADK r2 "text.txt"
  CALL r0 3 2
.lineno 12
  GETGLOBAL r0 "debugprint"
  LOADK r1 "not a sound"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 2
  RETURN r0 1
