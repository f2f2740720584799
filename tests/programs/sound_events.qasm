; label: sound
; A program that waits in WaitEvent gets OnSampleLoop at the start of every pass and OnSampleEnd
; after the last, with the time into the play and the pass count: three passes of a one-second
; sample, and 2500 ms of it (three passes, the last one half long).
; call ExitOnError(0)
; function onloop(msg)
;   print "loop", msg.time, msg.starts
; end
; function onend(msg)
;   print "end", msg.time, msg.starts
;   done = 1
; end
; call LoadSample(1, "second.wav")
; call InstallEventHandler({onsampleloop = onloop, onsampleend = onend})
; done = 0
; call PlaySample(1, 3)
; while done == 0 do
;   call WaitEvent()
; end
; done = 0
; call PlaySample(1, {time = 2500})
; while done == 0 do
;   call WaitEvent()
; end
; print "playing", IsSamplePlaying(1)
.source "@sound_events.q"
  .maxstack 8
.lineno 1
  GETGLOBAL r0 "exitonerror"
  LOADK r1 #0
  CALL r0 2 2
.lineno 2
  CLOSURE r0 f0
  SETGLOBAL r0 "onloop"
.lineno 5
  CLOSURE r0 f1
  SETGLOBAL r0 "onend"
.lineno 9
  GETGLOBAL r0 "loadsample"
  LOADK r1 #1
  LOADK r2 "second.wav"
  CALL r0 3 2
.lineno 10
  GETGLOBAL r0 "installeventhandler"
  NEWTABLE r1 0 4
  GETGLOBAL r2 "onloop"
  SETTABLE r1 "onsampleloop" r2
  GETGLOBAL r2 "onend"
  SETTABLE r1 "onsampleend" r2
  CALL r0 2 2
.lineno 11
  LOADK r0 #0
  SETGLOBAL r0 "done"
.lineno 12
  GETGLOBAL r0 "playsample"
  LOADK r1 #1
  LOADK r2 #3
  CALL r0 3 2
.lineno 13
L1:
  GETGLOBAL r0 "done"
  LOADK r1 #0
  EQ 0 r0 r1
  JMP @L2
.lineno 14
  GETGLOBAL r0 "waitevent"
  CALL r0 1 2
.lineno 15
  JMP @L1
L2:
.lineno 16
  LOADK r0 #0
  SETGLOBAL r0 "done"
.lineno 17
  GETGLOBAL r0 "playsample"
  LOADK r1 #1
  NEWTABLE r2 0 4
  LOADK r3 #2500
  SETTABLE r2 "time" r3
  CALL r0 3 2
.lineno 18
L3:
  GETGLOBAL r0 "done"
  LOADK r1 #0
  EQ 0 r0 r1
  JMP @L4
.lineno 19
  GETGLOBAL r0 "waitevent"
  CALL r0 1 2
.lineno 20
  JMP @L3
L4:
.lineno 21
  GETGLOBAL r0 "debugprint"
  LOADK r1 "playing"
  GETGLOBAL r2 "issampleplaying"
  LOADK r3 #1
  CALL r2 2 0
  CALL r0 0 2
  RETURN r0 1
.function
  .params 1
  .maxstack 8
.lineno 3
  GETGLOBAL r1 "debugprint"
  LOADK r2 "loop"
  MOVE r3 r0
  GETTABLE r3 r3 "time"
  MOVE r4 r0
  GETTABLE r4 r4 "starts"
  CALL r1 4 2
.lineno 4
  RETURN r0 1
.end
.function
  .params 1
  .maxstack 8
.lineno 6
  GETGLOBAL r1 "debugprint"
  LOADK r2 "end"
  MOVE r3 r0
  GETTABLE r3 r3 "time"
  MOVE r4 r0
  GETTABLE r4 r4 "starts"
  CALL r1 4 2
.lineno 7
  LOADK r1 #1
  SETGLOBAL r1 "done"
.lineno 8
  RETURN r0 1
.end
