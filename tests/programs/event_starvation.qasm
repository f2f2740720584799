; label: events
; A 1 ms interval whose callback takes 20 ms must not starve the input: the click gets through.
; InstallEventHandler({onmousedown = c})  SetInterval(1, slow, 1)
; Repeat WaitEvent() Until clicked  ; slow: ticks = ticks + 1  Wait(1)
; DebugPrint("click after ticks", ticks > 1)  ClearInterval(1)
.source "@event_starvation.qasm"
.maxstack 8
.lineno 1
  LOADK r0 #0
  SETGLOBAL r0 "ticks"
  GETGLOBAL r0 "installeventhandler"
  NEWTABLE r1 0 0
  CLOSURE r2 f0
  SETTABLE r1 "onmousedown" r2
  CALL r0 2 1
  GETGLOBAL r0 "setinterval"
  LOADK r1 #1
  CLOSURE r2 f1
  LOADK r3 #1
  CALL r0 4 1
.lineno 2
loop:
  GETGLOBAL r0 "waitevent"
  CALL r0 1 1
  GETGLOBAL r0 "clicked"
  EQ 1 r0 #nil
  JMP @loop
.lineno 3
  GETGLOBAL r0 "ticks"
  LT 1 #1 r0
  JMP @many
  JMP @done
many:
  GETGLOBAL r1 "debugprint"
  LOADK r2 "click after ticks"
  CALL r1 2 1
done:
  GETGLOBAL r0 "clearinterval"
  LOADK r1 #1
  CALL r0 2 1
  RETURN r0 1
.function
  .params 1
  .maxstack 4
  LOADK r1 #1
  SETGLOBAL r1 "clicked"
  RETURN r0 1
.end
.function
  .params 1
  .maxstack 4
  GETGLOBAL r1 "ticks"
  ADD r1 r1 #1
  SETGLOBAL r1 "ticks"
  GETGLOBAL r1 "wait"
  LOADK r2 #1
  CALL r1 2 1
  RETURN r0 1
.end
