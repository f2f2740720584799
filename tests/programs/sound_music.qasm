; label: sound
; A streamed WAV through its states, and a tracker module. Object type 33 is a music; attributes 14
; duration, 15 pitch, 19 format, 9 type (3 STEREO16), 72 can-seek, 18 position; 60 the count.
; call ExitOnError(0)
; print IsMusic("a.wav")
; call OpenMusic(1, "a.wav")
; print GetAttribute(33, 1, 14), GetAttribute(33, 1, 15), GetAttribute(33, 1, 19), GetAttribute(33, 1, 9), GetAttribute(33, 1, 72), GetAttribute(33, 1, 18)
; call PauseMusic()
; print "pause nothing", GetLastError()
; print "songpos", GetSongPosition()
; call PlayMusic(1)
; print "playing", IsMusicPlaying(1)
; call PauseMusic(1)
; print "paused", IsMusicPlaying(1), GetLastError()
; call PlayMusic(1)
; print "again", IsMusicPlaying(1)
; call StopMusic()
; call ResumeMusic(1)
; print "resume after stop", GetLastError()
; call SeekMusic(1, 5000)
; print "seek out", GetLastError()
; call SeekMusic(1, 1500)
; print "seek", GetLastError()
; call PlayMusic(1)
; call StopMusic(1)
; call CloseMusic(1)
; print "closed", GetAttribute(33, 0, 60)
; print IsModule("effects.mod")
; call LoadModule(2, "effects.mod")
; call PlayModule(2)
; call SeekMusic(2, 10)
; print "seek module", GetLastError()
; call PlaySubsong(99)
; print "past the song", GetLastError()
; call StopModule()
; print "stopped", GetSongPosition()
.source "@sound_music.q"
  .maxstack 11
.lineno 1
  GETGLOBAL r0 "exitonerror"
  LOADK r1 #0
  CALL r0 2 2
.lineno 2
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "ismusic"
  LOADK r2 "a.wav"
  CALL r1 2 0
  CALL r0 0 2
.lineno 3
  GETGLOBAL r0 "openmusic"
  LOADK r1 #1
  LOADK r2 "a.wav"
  CALL r0 3 2
.lineno 4
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getattribute"
  LOADK r2 #33
  LOADK r3 #1
  LOADK r4 #14
  CALL r1 4 2
  GETGLOBAL r2 "getattribute"
  LOADK r3 #33
  LOADK r4 #1
  LOADK r5 #15
  CALL r2 4 2
  GETGLOBAL r3 "getattribute"
  LOADK r4 #33
  LOADK r5 #1
  LOADK r6 #19
  CALL r3 4 2
  GETGLOBAL r4 "getattribute"
  LOADK r5 #33
  LOADK r6 #1
  LOADK r7 #9
  CALL r4 4 2
  GETGLOBAL r5 "getattribute"
  LOADK r6 #33
  LOADK r7 #1
  LOADK r8 #72
  CALL r5 4 2
  GETGLOBAL r6 "getattribute"
  LOADK r7 #33
  LOADK r8 #1
  LOADK r9 #18
  CALL r6 4 0
  CALL r0 0 2
.lineno 5
  GETGLOBAL r0 "pausemusic"
  CALL r0 1 2
.lineno 6
  GETGLOBAL r0 "debugprint"
  LOADK r1 "pause nothing"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 2
.lineno 7
  GETGLOBAL r0 "debugprint"
  LOADK r1 "songpos"
  GETGLOBAL r2 "getsongposition"
  CALL r2 1 0
  CALL r0 0 2
.lineno 8
  GETGLOBAL r0 "playmusic"
  LOADK r1 #1
  CALL r0 2 2
.lineno 9
  GETGLOBAL r0 "debugprint"
  LOADK r1 "playing"
  GETGLOBAL r2 "ismusicplaying"
  LOADK r3 #1
  CALL r2 2 0
  CALL r0 0 2
.lineno 10
  GETGLOBAL r0 "pausemusic"
  LOADK r1 #1
  CALL r0 2 2
.lineno 11
  GETGLOBAL r0 "debugprint"
  LOADK r1 "paused"
  GETGLOBAL r2 "ismusicplaying"
  LOADK r3 #1
  CALL r2 2 2
  GETGLOBAL r3 "getlasterror"
  CALL r3 1 0
  CALL r0 0 2
.lineno 12
  GETGLOBAL r0 "playmusic"
  LOADK r1 #1
  CALL r0 2 2
.lineno 13
  GETGLOBAL r0 "debugprint"
  LOADK r1 "again"
  GETGLOBAL r2 "ismusicplaying"
  LOADK r3 #1
  CALL r2 2 0
  CALL r0 0 2
.lineno 14
  GETGLOBAL r0 "stopmusic"
  CALL r0 1 2
.lineno 15
  GETGLOBAL r0 "resumemusic"
  LOADK r1 #1
  CALL r0 2 2
.lineno 16
  GETGLOBAL r0 "debugprint"
  LOADK r1 "resume after stop"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 2
.lineno 17
  GETGLOBAL r0 "seekmusic"
  LOADK r1 #1
  LOADK r2 #5000
  CALL r0 3 2
.lineno 18
  GETGLOBAL r0 "debugprint"
  LOADK r1 "seek out"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 2
.lineno 19
  GETGLOBAL r0 "seekmusic"
  LOADK r1 #1
  LOADK r2 #1500
  CALL r0 3 2
.lineno 20
  GETGLOBAL r0 "debugprint"
  LOADK r1 "seek"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 2
.lineno 21
  GETGLOBAL r0 "playmusic"
  LOADK r1 #1
  CALL r0 2 2
.lineno 22
  GETGLOBAL r0 "stopmusic"
  LOADK r1 #1
  CALL r0 2 2
.lineno 23
  GETGLOBAL r0 "closemusic"
  LOADK r1 #1
  CALL r0 2 2
.lineno 24
  GETGLOBAL r0 "debugprint"
  LOADK r1 "closed"
  GETGLOBAL r2 "getattribute"
  LOADK r3 #33
  LOADK r4 #0
  LOADK r5 #60
  CALL r2 4 0
  CALL r0 0 2
.lineno 25
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "ismodule"
  LOADK r2 "effects.mod"
  CALL r1 2 0
  CALL r0 0 2
.lineno 26
  GETGLOBAL r0 "loadmodule"
  LOADK r1 #2
  LOADK r2 "effects.mod"
  CALL r0 3 2
.lineno 27
  GETGLOBAL r0 "playmodule"
  LOADK r1 #2
  CALL r0 2 2
.lineno 28
  GETGLOBAL r0 "seekmusic"
  LOADK r1 #2
  LOADK r2 #10
  CALL r0 3 2
.lineno 29
  GETGLOBAL r0 "debugprint"
  LOADK r1 "seek module"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 2
.lineno 30
  GETGLOBAL r0 "playsubsong"
  LOADK r1 #99
  CALL r0 2 2
.lineno 31
  GETGLOBAL r0 "debugprint"
  LOADK r1 "past the song"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 2
.lineno 32
  GETGLOBAL r0 "stopmodule"
  CALL r0 1 2
.lineno 33
  GETGLOBAL r0 "debugprint"
  LOADK r1 "stopped"
  GETGLOBAL r2 "getsongposition"
  CALL r2 1 0
  CALL r0 0 2
  RETURN r0 1
