; label: events
; A close is no quit while EnableEvent(CLOSEWINDOW) holds, and quits again after DisableEvent;
; drops reach the queue only while the display is a drop target. The program starts slowly (a
; Wait of 400 ms); the input script's times count from its first WaitEvent.
; Wait(20)  EnableEvent(CLOSEWINDOW, 0)  SetTimeout(1, p, 800)  WaitEvent()         ; the close at 300 is kept
; InstallEventHandler({ondropfile = p})  WaitEvent()                      ; the drop at 1000
; InstallEventHandler({ondropfile = 0})  Repeat Until IsLeftMouse() = 1  ; the drop at 1300 is refused
; InstallEventHandler({ondropfile = p})  DebugPrint("refused", CheckEvent().action)
; DisableEvent(CLOSEWINDOW, 0)  Repeat WaitEvent() Forever                ; the close at 2000 quits
; p(msg): DebugPrint(msg.action, RawGet(msg, "numdropfiles"))
.source "@event_close_drop.qasm"
.maxstack 8
.lineno 1
  CLOSURE r0 f0
  SETGLOBAL r0 "p"
  GETGLOBAL r0 "wait"
  LOADK r1 #20
  CALL r0 2 1
  GETGLOBAL r0 "enableevent"
  LOADK r1 #10
  LOADK r2 #0
  CALL r0 3 1
  GETGLOBAL r0 "settimeout"
  LOADK r1 #1
  GETGLOBAL r2 "p"
  LOADK r3 #800
  CALL r0 4 1
  GETGLOBAL r0 "waitevent"
  CALL r0 1 1
.lineno 2
  GETGLOBAL r0 "installeventhandler"
  NEWTABLE r1 0 0
  GETGLOBAL r2 "p"
  SETTABLE r1 "ondropfile" r2
  CALL r0 2 1
  GETGLOBAL r0 "waitevent"
  CALL r0 1 1
.lineno 3
  GETGLOBAL r0 "installeventhandler"
  NEWTABLE r1 0 0
  LOADK r2 #0
  SETTABLE r1 "ondropfile" r2
  CALL r0 2 1
held:
  GETGLOBAL r0 "isleftmouse"
  CALL r0 1 2
  EQ 1 r0 #0
  JMP @held
.lineno 4
  GETGLOBAL r0 "installeventhandler"
  NEWTABLE r1 0 0
  GETGLOBAL r2 "p"
  SETTABLE r1 "ondropfile" r2
  CALL r0 2 1
  GETGLOBAL r0 "checkevent"
  CALL r0 1 2
  GETGLOBAL r1 "debugprint"
  LOADK r2 "refused"
  GETTABLE r3 r0 "action"
  CALL r1 3 1
.lineno 5
  GETGLOBAL r0 "disableevent"
  LOADK r1 #10
  LOADK r2 #0
  CALL r0 3 1
forever:
  GETGLOBAL r0 "waitevent"
  CALL r0 1 1
.lineno 6
  JMP @forever
  RETURN r0 1
.function
  .params 1
  .maxstack 6
  GETGLOBAL r1 "debugprint"
  GETTABLE r2 r0 "action"
  GETGLOBAL r3 "rawget"
  MOVE r4 r0
  LOADK r5 "numdropfiles"
  CALL r3 3 2
  CALL r1 3 1
  RETURN r0 1
.end
