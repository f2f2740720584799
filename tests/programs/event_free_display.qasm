; label: events
; A display freed inside its own mouse callback leaves nothing behind for the poller to read.
; CreateDisplay(2, {width = 100, height = 80})  OpenDisplay(2)  SelectDisplay(2)
; InstallEventHandler({onmousedown = f, onmouseup = f, onkeydown = f})  SelectDisplay(1)
; SetTimeout(1, t, 1500)  Repeat WaitEvent() Until over  ; f: DebugPrint(action) FreeDisplay(2) once
.source "@event_free_display.qasm"
.maxstack 8
.lineno 1
  GETGLOBAL r0 "createdisplay"
  LOADK r1 #2
  NEWTABLE r2 0 0
  LOADK r3 #100
  SETTABLE r2 "width" r3
  LOADK r3 #80
  SETTABLE r2 "height" r3
  CALL r0 3 1
  GETGLOBAL r0 "opendisplay"
  LOADK r1 #2
  CALL r0 2 1
  GETGLOBAL r0 "selectdisplay"
  LOADK r1 #2
  CALL r0 2 1
.lineno 2
  GETGLOBAL r0 "installeventhandler"
  NEWTABLE r1 0 0
  CLOSURE r2 f0
  SETTABLE r1 "onmousedown" r2
  SETTABLE r1 "onmouseup" r2
  SETTABLE r1 "onkeydown" r2
  CALL r0 2 1
  GETGLOBAL r0 "selectdisplay"
  LOADK r1 #1
  CALL r0 2 1
.lineno 3
  GETGLOBAL r0 "settimeout"
  LOADK r1 #1
  CLOSURE r2 f1
  LOADK r3 #1500
  CALL r0 4 1
loop:
  GETGLOBAL r0 "waitevent"
  CALL r0 1 1
  GETGLOBAL r0 "over"
  EQ 1 r0 #nil
  JMP @loop
  RETURN r0 1
.function
  .params 1
  .maxstack 4
  GETGLOBAL r1 "debugprint"
  GETTABLE r2 r0 "action"
  CALL r1 2 1
  GETGLOBAL r1 "freed"
  EQ 1 r1 #nil
  JMP @free
  RETURN r0 1
free:
  LOADK r1 #1
  SETGLOBAL r1 "freed"
  GETGLOBAL r1 "freedisplay"
  LOADK r2 #2
  CALL r1 2 1
  RETURN r0 1
.end
.function
  .params 1
  .maxstack 4
  GETGLOBAL r1 "debugprint"
  LOADK r2 "over"
  CALL r1 2 1
  LOADK r1 #1
  SETGLOBAL r1 "over"
  RETURN r0 1
.end
