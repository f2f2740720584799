; label: sound
; An error inside a FillMusicBuffer callback ends the program as any callback's error does, and
; the report names the failing command and the line: here the second request, which WaitEvent
; makes while the music plays, queues an entry of an unknown type.
; calls = 0
; Function feed(msg)
;   calls = calls + 1
;   DebugPrint("feed", calls)
;   If calls = 2 Then FillMusicBuffer(msg.id, "noise", 1)
;   FillMusicBuffer(msg.id, "mute", 4800)
; EndFunction
; InstallEventHandler({fillmusicbuffer = feed})
; CreateMusic(1, 48000, 3)
; PlayMusic(1)
; Repeat WaitEvent() Forever
; DebugPrint("not reached")
.source "@sound_fed_error.qasm"
.maxstack 6
.lineno 5
  LOADK r0 #0
  SETGLOBAL r0 "calls"
.lineno 6
  CLOSURE r0 f0
  SETGLOBAL r0 "feed"
.lineno 12
  GETGLOBAL r0 "installeventhandler"
  NEWTABLE r1 0 1
  GETGLOBAL r2 "feed"
  SETTABLE r1 "fillmusicbuffer" r2
  CALL r0 2 1
.lineno 13
  GETGLOBAL r0 "createmusic"
  LOADK r1 #1
  LOADK r2 #48000
  LOADK r3 #3
  CALL r0 4 1
.lineno 14
  GETGLOBAL r0 "playmusic"
  LOADK r1 #1
  CALL r0 2 1
.lineno 15
forever:
  GETGLOBAL r0 "waitevent"
  CALL r0 1 1
  JMP @forever
.lineno 16
  GETGLOBAL r0 "debugprint"
  LOADK r1 "not reached"
  CALL r0 2 1
  RETURN r0 1
.function
  .params 1
  .maxstack 6
.lineno 7
  GETGLOBAL r1 "calls"
  ADD r1 r1 #1
  SETGLOBAL r1 "calls"
.lineno 8
  GETGLOBAL r1 "debugprint"
  LOADK r2 "feed"
  GETGLOBAL r3 "calls"
  CALL r1 3 1
.lineno 9
  GETGLOBAL r1 "calls"
  EQ 0 r1 #2
  JMP @fill
  GETGLOBAL r1 "fillmusicbuffer"
  GETTABLE r2 r0 "id"
  LOADK r3 "noise"
  LOADK r4 #1
  CALL r1 4 1
fill:
.lineno 10
  GETGLOBAL r1 "fillmusicbuffer"
  GETTABLE r2 r0 "id"
  LOADK r3 "mute"
  LOADK r4 #4800
  CALL r1 4 1
  RETURN r0 1
.end
