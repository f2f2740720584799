; label: sound
; A program-fed music at 48000 Hz stereo, so that its frames reach the disk driver's file as they
; were queued: pcm values (clamped, a short table ending in silence), mute, sample entries
; (converted, wrapped, freed) and the end, after which OnMusicEnd comes and nothing more is asked.
; Then a music fed a little at a time for a second: the 20 ms timer it holds while it plays
; wakes WaitEvent to ask for more far more often than an idle player wakes.
; call ExitOnError(0)
; print "no handler", CreateMusic(1, 48000, 3), GetLastError()
; print "outside", FillMusicBuffer(1, "mute", 10), GetLastError()
; calls = 0
; ended = 0
; call CreateSample(5, {1000, 2000, 3000}, 8000, 1)
; function feed(msg)
;   if msg.id == 3 then
;     call steady(msg)
;     return
;   end
;   calls = calls + 1
;   if calls == 1 then
;     print "first", msg.samples, msg.count
;     call FillMusicBuffer(msg.id, "pcm", 4, {data = {40000, -40000, 100, -100, 7, 8}})
;     call FillMusicBuffer(msg.id, "mute", 96)
;     call FillMusicBuffer(msg.id, "sample", 5, {id = 5, offset = 1})
;     print "kind", FillMusicBuffer(msg.id, "noise", 1), GetLastError()
;     print "count", FillMusicBuffer(msg.id, "mute", -1), GetLastError()
;     print "huge", FillMusicBuffer(msg.id, "mute", 1000000000), GetLastError()
;     print "no data", FillMusicBuffer(msg.id, "pcm", 1, {}), GetLastError()
;     print "no sample", FillMusicBuffer(msg.id, "sample", 1, {}), GetLastError()
;     print "window", FillMusicBuffer(msg.id, "sample", 1, {id = 5, end = 4}), GetLastError()
;     print "not fed", FillMusicBuffer(2, "mute", 1), GetLastError()
;     print "play inside", PlayMusic(1), GetLastError()
;   else
;     enough = "short"
;     if msg.samples >= 48000 - 105 then
;       enough = "enough"
;     end
;     print "second", msg.count, enough
;     call FillMusicBuffer(msg.id, "mute", 100)
;     call FillMusicBuffer(msg.id, "sample", 4, {id = 5, free = 1, loop = 0, end = 2})
;     call FillMusicBuffer(msg.id, "end", 0)
;   end
; end
; steady_calls = 0
; function steady(msg)
;   if playing == 1 then
;     steady_calls = steady_calls + 1
;   end
;   call FillMusicBuffer(msg.id, "mute", 480)
;   if playing == 1 then
;     if GetTimer(1) >= 1000 then
;       call FillMusicBuffer(msg.id, "end", 0)
;     end
;   end
; end
; function onend(msg)
;   print "music end", calls, GetAttribute(2, 5, 11), GetLastError()
;   ended = 1
; end
; call InstallEventHandler({fillmusicbuffer = feed, onmusicend = onend})
; print "format", CreateMusic(1, 48000, 7), GetLastError()
; print "pitch", CreateMusic(1, 255, 3), GetLastError()
; call OpenMusic(2, "a.wav")
; call CreateMusic(1, 48000, 3)
; print "created", calls
; call PlayMusic(1)
; while ended == 0 do
;   call WaitEvent()
; end
; print "after", IsMusicPlaying(1)
; playing = 0
; ended = 0
; call CreateMusic(3, 48000, 3)
; call StartTimer(1)
; playing = 1
; call PlayMusic(3)
; while ended == 0 do
;   call WaitEvent()
; end
; often = "seldom"
; if steady_calls >= 15 then
;   often = "often"
; end
; print "steady", often
.source "@sound_fed.q"
  .maxstack 8
.lineno 1
  GETGLOBAL r0 "exitonerror"
  LOADK r1 #0
  CALL r0 2 2
.lineno 2
  GETGLOBAL r0 "debugprint"
  LOADK r1 "no handler"
  GETGLOBAL r2 "createmusic"
  LOADK r3 #1
  LOADK r4 #48000
  LOADK r5 #3
  CALL r2 4 2
  GETGLOBAL r3 "getlasterror"
  CALL r3 1 0
  CALL r0 0 2
.lineno 3
  GETGLOBAL r0 "debugprint"
  LOADK r1 "outside"
  GETGLOBAL r2 "fillmusicbuffer"
  LOADK r3 #1
  LOADK r4 "mute"
  LOADK r5 #10
  CALL r2 4 2
  GETGLOBAL r3 "getlasterror"
  CALL r3 1 0
  CALL r0 0 2
.lineno 4
  LOADK r0 #0
  SETGLOBAL r0 "calls"
.lineno 5
  LOADK r0 #0
  SETGLOBAL r0 "ended"
.lineno 6
  GETGLOBAL r0 "createsample"
  LOADK r1 #5
  NEWTABLE r2 0 4
  LOADK r3 #1000
  SETTABLE r2 #0 r3
  LOADK r3 #2000
  SETTABLE r2 #1 r3
  LOADK r3 #3000
  SETTABLE r2 #2 r3
  LOADK r3 #8000
  LOADK r4 #1
  CALL r0 5 2
.lineno 7
  CLOSURE r0 f0
  SETGLOBAL r0 "feed"
.lineno 37
  LOADK r0 #0
  SETGLOBAL r0 "steady_calls"
.lineno 38
  CLOSURE r0 f1
  SETGLOBAL r0 "steady"
.lineno 49
  CLOSURE r0 f2
  SETGLOBAL r0 "onend"
.lineno 53
  GETGLOBAL r0 "installeventhandler"
  NEWTABLE r1 0 4
  GETGLOBAL r2 "feed"
  SETTABLE r1 "fillmusicbuffer" r2
  GETGLOBAL r2 "onend"
  SETTABLE r1 "onmusicend" r2
  CALL r0 2 2
.lineno 54
  GETGLOBAL r0 "debugprint"
  LOADK r1 "format"
  GETGLOBAL r2 "createmusic"
  LOADK r3 #1
  LOADK r4 #48000
  LOADK r5 #7
  CALL r2 4 2
  GETGLOBAL r3 "getlasterror"
  CALL r3 1 0
  CALL r0 0 2
.lineno 55
  GETGLOBAL r0 "debugprint"
  LOADK r1 "pitch"
  GETGLOBAL r2 "createmusic"
  LOADK r3 #1
  LOADK r4 #255
  LOADK r5 #3
  CALL r2 4 2
  GETGLOBAL r3 "getlasterror"
  CALL r3 1 0
  CALL r0 0 2
.lineno 56
  GETGLOBAL r0 "openmusic"
  LOADK r1 #2
  LOADK r2 "a.wav"
  CALL r0 3 2
.lineno 57
  GETGLOBAL r0 "createmusic"
  LOADK r1 #1
  LOADK r2 #48000
  LOADK r3 #3
  CALL r0 4 2
.lineno 58
  GETGLOBAL r0 "debugprint"
  LOADK r1 "created"
  GETGLOBAL r2 "calls"
  CALL r0 3 2
.lineno 59
  GETGLOBAL r0 "playmusic"
  LOADK r1 #1
  CALL r0 2 2
.lineno 60
L14:
  GETGLOBAL r0 "ended"
  LOADK r1 #0
  EQ 0 r0 r1
  JMP @L15
.lineno 61
  GETGLOBAL r0 "waitevent"
  CALL r0 1 2
.lineno 62
  JMP @L14
L15:
.lineno 63
  GETGLOBAL r0 "debugprint"
  LOADK r1 "after"
  GETGLOBAL r2 "ismusicplaying"
  LOADK r3 #1
  CALL r2 2 0
  CALL r0 0 2
.lineno 64
  LOADK r0 #0
  SETGLOBAL r0 "playing"
.lineno 65
  LOADK r0 #0
  SETGLOBAL r0 "ended"
.lineno 66
  GETGLOBAL r0 "createmusic"
  LOADK r1 #3
  LOADK r2 #48000
  LOADK r3 #3
  CALL r0 4 2
.lineno 67
  GETGLOBAL r0 "starttimer"
  LOADK r1 #1
  CALL r0 2 2
.lineno 68
  LOADK r0 #1
  SETGLOBAL r0 "playing"
.lineno 69
  GETGLOBAL r0 "playmusic"
  LOADK r1 #3
  CALL r0 2 2
.lineno 70
L16:
  GETGLOBAL r0 "ended"
  LOADK r1 #0
  EQ 0 r0 r1
  JMP @L17
.lineno 71
  GETGLOBAL r0 "waitevent"
  CALL r0 1 2
.lineno 72
  JMP @L16
L17:
.lineno 73
  LOADK r0 "seldom"
  SETGLOBAL r0 "often"
.lineno 74
  GETGLOBAL r0 "steady_calls"
  LOADK r1 #15
  LE 0 r1 r0
  JMP @L19
.lineno 75
  LOADK r0 "often"
  SETGLOBAL r0 "often"
.lineno 76
L19:
.lineno 77
  GETGLOBAL r0 "debugprint"
  LOADK r1 "steady"
  GETGLOBAL r2 "often"
  CALL r0 3 2
  RETURN r0 1
.function
  .params 1
  .maxstack 10
.lineno 8
  MOVE r1 r0
  GETTABLE r1 r1 "id"
  LOADK r2 #3
  EQ 0 r1 r2
  JMP @L2
.lineno 9
  GETGLOBAL r1 "steady"
  MOVE r2 r0
  CALL r1 2 2
.lineno 10
  RETURN r1 1
.lineno 11
L2:
.lineno 12
  GETGLOBAL r1 "calls"
  LOADK r2 #1
  ADD r1 r1 r2
  SETGLOBAL r1 "calls"
.lineno 13
  GETGLOBAL r1 "calls"
  LOADK r2 #1
  EQ 0 r1 r2
  JMP @L4
.lineno 14
  GETGLOBAL r1 "debugprint"
  LOADK r2 "first"
  MOVE r3 r0
  GETTABLE r3 r3 "samples"
  MOVE r4 r0
  GETTABLE r4 r4 "count"
  CALL r1 4 2
.lineno 15
  GETGLOBAL r1 "fillmusicbuffer"
  MOVE r2 r0
  GETTABLE r2 r2 "id"
  LOADK r3 "pcm"
  LOADK r4 #4
  NEWTABLE r5 0 4
  NEWTABLE r6 0 4
  LOADK r7 #40000
  SETTABLE r6 #0 r7
  LOADK r7 #-40000
  SETTABLE r6 #1 r7
  LOADK r7 #100
  SETTABLE r6 #2 r7
  LOADK r7 #-100
  SETTABLE r6 #3 r7
  LOADK r7 #7
  SETTABLE r6 #4 r7
  LOADK r7 #8
  SETTABLE r6 #5 r7
  SETTABLE r5 "data" r6
  CALL r1 5 2
.lineno 16
  GETGLOBAL r1 "fillmusicbuffer"
  MOVE r2 r0
  GETTABLE r2 r2 "id"
  LOADK r3 "mute"
  LOADK r4 #96
  CALL r1 4 2
.lineno 17
  GETGLOBAL r1 "fillmusicbuffer"
  MOVE r2 r0
  GETTABLE r2 r2 "id"
  LOADK r3 "sample"
  LOADK r4 #5
  NEWTABLE r5 0 4
  LOADK r6 #5
  SETTABLE r5 "id" r6
  LOADK r6 #1
  SETTABLE r5 "offset" r6
  CALL r1 5 2
.lineno 18
  GETGLOBAL r1 "debugprint"
  LOADK r2 "kind"
  GETGLOBAL r3 "fillmusicbuffer"
  MOVE r4 r0
  GETTABLE r4 r4 "id"
  LOADK r5 "noise"
  LOADK r6 #1
  CALL r3 4 2
  GETGLOBAL r4 "getlasterror"
  CALL r4 1 0
  CALL r1 0 2
.lineno 19
  GETGLOBAL r1 "debugprint"
  LOADK r2 "count"
  GETGLOBAL r3 "fillmusicbuffer"
  MOVE r4 r0
  GETTABLE r4 r4 "id"
  LOADK r5 "mute"
  LOADK r6 #-1
  CALL r3 4 2
  GETGLOBAL r4 "getlasterror"
  CALL r4 1 0
  CALL r1 0 2
.lineno 20
  GETGLOBAL r1 "debugprint"
  LOADK r2 "huge"
  GETGLOBAL r3 "fillmusicbuffer"
  MOVE r4 r0
  GETTABLE r4 r4 "id"
  LOADK r5 "mute"
  LOADK r6 #1000000000
  CALL r3 4 2
  GETGLOBAL r4 "getlasterror"
  CALL r4 1 0
  CALL r1 0 2
.lineno 21
  GETGLOBAL r1 "debugprint"
  LOADK r2 "no data"
  GETGLOBAL r3 "fillmusicbuffer"
  MOVE r4 r0
  GETTABLE r4 r4 "id"
  LOADK r5 "pcm"
  LOADK r6 #1
  NEWTABLE r7 0 4
  CALL r3 5 2
  GETGLOBAL r4 "getlasterror"
  CALL r4 1 0
  CALL r1 0 2
.lineno 22
  GETGLOBAL r1 "debugprint"
  LOADK r2 "no sample"
  GETGLOBAL r3 "fillmusicbuffer"
  MOVE r4 r0
  GETTABLE r4 r4 "id"
  LOADK r5 "sample"
  LOADK r6 #1
  NEWTABLE r7 0 4
  CALL r3 5 2
  GETGLOBAL r4 "getlasterror"
  CALL r4 1 0
  CALL r1 0 2
.lineno 23
  GETGLOBAL r1 "debugprint"
  LOADK r2 "window"
  GETGLOBAL r3 "fillmusicbuffer"
  MOVE r4 r0
  GETTABLE r4 r4 "id"
  LOADK r5 "sample"
  LOADK r6 #1
  NEWTABLE r7 0 4
  LOADK r8 #5
  SETTABLE r7 "id" r8
  LOADK r8 #4
  SETTABLE r7 "end" r8
  CALL r3 5 2
  GETGLOBAL r4 "getlasterror"
  CALL r4 1 0
  CALL r1 0 2
.lineno 24
  GETGLOBAL r1 "debugprint"
  LOADK r2 "not fed"
  GETGLOBAL r3 "fillmusicbuffer"
  LOADK r4 #2
  LOADK r5 "mute"
  LOADK r6 #1
  CALL r3 4 2
  GETGLOBAL r4 "getlasterror"
  CALL r4 1 0
  CALL r1 0 2
.lineno 25
  GETGLOBAL r1 "debugprint"
  LOADK r2 "play inside"
  GETGLOBAL r3 "playmusic"
  LOADK r4 #1
  CALL r3 2 2
  GETGLOBAL r4 "getlasterror"
  CALL r4 1 0
  CALL r1 0 2
.lineno 26
  JMP @L5
L4:
.lineno 27
  LOADK r1 "short"
  SETGLOBAL r1 "enough"
.lineno 28
  MOVE r1 r0
  GETTABLE r1 r1 "samples"
  LOADK r2 #48000
  LOADK r3 #105
  SUB r2 r2 r3
  LE 0 r2 r1
  JMP @L7
.lineno 29
  LOADK r1 "enough"
  SETGLOBAL r1 "enough"
.lineno 30
L7:
.lineno 31
  GETGLOBAL r1 "debugprint"
  LOADK r2 "second"
  MOVE r3 r0
  GETTABLE r3 r3 "count"
  GETGLOBAL r4 "enough"
  CALL r1 4 2
.lineno 32
  GETGLOBAL r1 "fillmusicbuffer"
  MOVE r2 r0
  GETTABLE r2 r2 "id"
  LOADK r3 "mute"
  LOADK r4 #100
  CALL r1 4 2
.lineno 33
  GETGLOBAL r1 "fillmusicbuffer"
  MOVE r2 r0
  GETTABLE r2 r2 "id"
  LOADK r3 "sample"
  LOADK r4 #4
  NEWTABLE r5 0 4
  LOADK r6 #5
  SETTABLE r5 "id" r6
  LOADK r6 #1
  SETTABLE r5 "free" r6
  LOADK r6 #0
  SETTABLE r5 "loop" r6
  LOADK r6 #2
  SETTABLE r5 "end" r6
  CALL r1 5 2
.lineno 34
  GETGLOBAL r1 "fillmusicbuffer"
  MOVE r2 r0
  GETTABLE r2 r2 "id"
  LOADK r3 "end"
  LOADK r4 #0
  CALL r1 4 2
.lineno 35
L5:
.lineno 36
  RETURN r0 1
.end
.function
  .params 1
  .maxstack 8
.lineno 39
  GETGLOBAL r1 "playing"
  LOADK r2 #1
  EQ 0 r1 r2
  JMP @L9
.lineno 40
  GETGLOBAL r1 "steady_calls"
  LOADK r2 #1
  ADD r1 r1 r2
  SETGLOBAL r1 "steady_calls"
.lineno 41
L9:
.lineno 42
  GETGLOBAL r1 "fillmusicbuffer"
  MOVE r2 r0
  GETTABLE r2 r2 "id"
  LOADK r3 "mute"
  LOADK r4 #480
  CALL r1 4 2
.lineno 43
  GETGLOBAL r1 "playing"
  LOADK r2 #1
  EQ 0 r1 r2
  JMP @L11
.lineno 44
  GETGLOBAL r1 "gettimer"
  LOADK r2 #1
  CALL r1 2 2
  LOADK r2 #1000
  LE 0 r2 r1
  JMP @L13
.lineno 45
  GETGLOBAL r1 "fillmusicbuffer"
  MOVE r2 r0
  GETTABLE r2 r2 "id"
  LOADK r3 "end"
  LOADK r4 #0
  CALL r1 4 2
.lineno 46
L13:
.lineno 47
L11:
.lineno 48
  RETURN r0 1
.end
.function
  .params 1
  .maxstack 9
.lineno 50
  GETGLOBAL r1 "debugprint"
  LOADK r2 "music end"
  GETGLOBAL r3 "calls"
  GETGLOBAL r4 "getattribute"
  LOADK r5 #2
  LOADK r6 #5
  LOADK r7 #11
  CALL r4 4 2
  GETGLOBAL r5 "getlasterror"
  CALL r5 1 0
  CALL r1 0 2
.lineno 51
  LOADK r1 #1
  SETGLOBAL r1 "ended"
.lineno 52
  RETURN r0 1
.end
