; label: sound
; Without FFmpeg's libraries a FLAC file and a movie are refused as a text file is, and the
; sound driver's own readers go on working.
; call ExitOnError(0)
; print IsSample("a.wav"), IsSample("b.flac"), IsVideo("v.mp4")
; call LoadSample(1, "b.flac")
; print "flac", GetLastError()
; call LoadSample(2, "text.txt")
; print "text", GetLastError()
; call OpenVideo(1, "v.mp4")
; print "movie", GetLastError()
; call OpenVideo(2, "text.txt")
; print "text", GetLastError()
; call LoadSample(3, "a.wav")
; print "wave", GetAttribute(2, 3, 15)
.source "@ffmpeg_missing.q"
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
  GETGLOBAL r3 "isvideo"
  LOADK r4 "v.mp4"
  CALL r3 2 0
  CALL r0 0 2
.lineno 3
  GETGLOBAL r0 "loadsample"
  LOADK r1 #1
  LOADK r2 "b.flac"
  CALL r0 3 2
.lineno 4
  GETGLOBAL r0 "debugprint"
  LOADK r1 "flac"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 2
.lineno 5
  GETGLOBAL r0 "loadsample"
  LOADK r1 #2
  LOADK r2 "text.txt"
  CALL r0 3 2
.lineno 6
  GETGLOBAL r0 "debugprint"
  LOADK r1 "text"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 2
.lineno 7
  GETGLOBAL r0 "openvideo"
  LOADK r1 #1
  LOADK r2 "v.mp4"
  CALL r0 3 2
.lineno 8
  GETGLOBAL r0 "debugprint"
  LOADK r1 "movie"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 2
.lineno 9
  GETGLOBAL r0 "openvideo"
  LOADK r1 #2
  LOADK r2 "text.txt"
  CALL r0 3 2
.lineno 10
  GETGLOBAL r0 "debugprint"
  LOADK r1 "text"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 2
.lineno 11
  GETGLOBAL r0 "loadsample"
  LOADK r1 #3
  LOADK r2 "a.wav"
  CALL r0 3 2
.lineno 12
  GETGLOBAL r0 "debugprint"
  LOADK r1 "wave"
  GETGLOBAL r2 "getattribute"
  LOADK r3 #2
  LOADK r4 #3
  LOADK r5 #15
  CALL r2 4 0
  CALL r0 0 2
  RETURN r0 1
