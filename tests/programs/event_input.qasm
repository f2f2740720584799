; label: events
; ExitOnError(False)
; InstallEventHandler({onkeydown = k, onkeyup = k}, "keys")
; InstallEventHandler({onmousedown = p, onmouseup = p, onrightmousedown = p, onwheelup = p, ondropfile = d, closewindow = p})
; Repeat WaitEvent() Until n = 14
; InstallEventHandler({onkeydown = 0, onkeyup = 0})  CreateKeyDown(1, "esc")  Repeat WaitEvent() Until escaped
; WaitLeftMouse()  t = CheckEvent()  DebugPrint("after wait", t.triggered)
; Repeat Until IsKeyDown("SPACE") = 1  WaitKeyDown("SPACE")  DebugPrint("space")
; InstallEventHandler({onkeydown = k})  SetTimeout(1, p, 500)  t = WaitEvent()  DebugPrint(t.action)
; (p prints RawGet(msg, "userdata"))
; InstallEventHandler({onmouseup = "x"}) -> 1185 ; IsKeyDown("NOSUCH") -> 1055
.source "@event_input.qasm"
.maxstack 12
.lineno 1
  GETGLOBAL r0 "exitonerror"
  LOADBOOL r1 0 0
  CALL r0 2 1
  LOADK r0 #0
  SETGLOBAL r0 "n"
  CLOSURE r0 f0
  SETGLOBAL r0 "k"
  CLOSURE r0 f1
  SETGLOBAL r0 "p"
  CLOSURE r0 f2
  SETGLOBAL r0 "d"
.lineno 2
  GETGLOBAL r0 "installeventhandler"
  NEWTABLE r1 0 0
  GETGLOBAL r2 "k"
  SETTABLE r1 "onkeydown" r2
  SETTABLE r1 "onkeyup" r2
  LOADK r2 "keys"
  CALL r0 3 1
.lineno 3
  GETGLOBAL r0 "installeventhandler"
  NEWTABLE r1 0 0
  GETGLOBAL r2 "p"
  SETTABLE r1 "onmousedown" r2
  SETTABLE r1 "onmouseup" r2
  SETTABLE r1 "onrightmousedown" r2
  SETTABLE r1 "onwheelup" r2
  SETTABLE r1 "closewindow" r2
  GETGLOBAL r2 "d"
  SETTABLE r1 "ondropfile" r2
  CALL r0 2 1
.lineno 4
loop1:
  GETGLOBAL r0 "waitevent"
  CALL r0 1 1
  GETGLOBAL r0 "n"
  LT 1 r0 #14
  JMP @loop1
.lineno 5
  GETGLOBAL r0 "installeventhandler"
  NEWTABLE r1 0 0
  LOADK r2 #0
  SETTABLE r1 "onkeydown" r2
  SETTABLE r1 "onkeyup" r2
  CALL r0 2 1
  GETGLOBAL r0 "createkeydown"
  LOADK r1 #1
  LOADK r2 "esc"
  CALL r0 3 1
loop2:
  GETGLOBAL r0 "waitevent"
  CALL r0 1 1
  GETGLOBAL r0 "escaped"
  EQ 1 r0 #nil
  JMP @loop2
.lineno 6
  GETGLOBAL r0 "waitleftmouse"
  CALL r0 1 1
  GETGLOBAL r0 "checkevent"
  CALL r0 1 2
  GETGLOBAL r1 "debugprint"
  LOADK r2 "after wait"
  GETTABLE r3 r0 "triggered"
  CALL r1 3 1
.lineno 7
loop3:
  GETGLOBAL r0 "iskeydown"
  LOADK r1 "SPACE"
  CALL r0 2 2
  EQ 1 r0 #0
  JMP @loop3
  GETGLOBAL r0 "waitkeydown"
  LOADK r1 "SPACE"
  CALL r0 2 1
  GETGLOBAL r0 "debugprint"
  LOADK r1 "space"
  CALL r0 2 1
.lineno 8
  GETGLOBAL r0 "installeventhandler"
  NEWTABLE r1 0 0
  GETGLOBAL r2 "k"
  SETTABLE r1 "onkeydown" r2
  CALL r0 2 1
  GETGLOBAL r0 "settimeout"
  LOADK r1 #1
  GETGLOBAL r2 "p"
  LOADK r3 #500
  CALL r0 4 1
  GETGLOBAL r0 "waitevent"
  CALL r0 1 2
  GETGLOBAL r1 "debugprint"
  LOADK r2 "next"
  GETTABLE r3 r0 "action"
  CALL r1 3 1
.lineno 9
  GETGLOBAL r0 "installeventhandler"
  NEWTABLE r1 0 0
  LOADK r2 "x"
  SETTABLE r1 "onmouseup" r2
  CALL r0 2 1
  GETGLOBAL r0 "debugprint"
  LOADK r1 "bad handler"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 1
  GETGLOBAL r0 "iskeydown"
  LOADK r1 "NOSUCH"
  CALL r0 2 1
  GETGLOBAL r0 "debugprint"
  LOADK r1 "bad key"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 1
  RETURN r0 1
.scriptlabel ONKEYDOWN1
  GETGLOBAL r0 "debugprint"
  LOADK r1 "label"
  GETGLOBAL r2 "geteventcode"
  CALL r2 1 0
  CALL r0 0 1
  LOADK r0 #1
  SETGLOBAL r0 "escaped"
  RETURN 0 0 1
; k(msg): a key, in brackets, with the user data and the shift state
.function
  .params 1
  .maxstack 10
  GETGLOBAL r1 "n"
  ADD r1 r1 #1
  SETGLOBAL r1 "n"
  GETGLOBAL r1 "debugprint"
  GETTABLE r2 r0 "action"
  LOADK r3 "["
  GETTABLE r4 r0 "key"
  LOADK r5 "]"
  CONCAT r3 r3 r5
  GETTABLE r4 r0 "id"
  GETTABLE r5 r0 "userdata"
  GETGLOBAL r6 "iskeydown"
  LOADK r7 "LSHIFT"
  CALL r6 2 2
  GETGLOBAL r7 "iskeydown"
  LOADK r8 "RSHIFT"
  CALL r7 2 2
  CALL r1 7 1
  RETURN r0 1
.end
; p(msg): the action, the display and the user data
.function
  .params 1
  .maxstack 8
  GETGLOBAL r1 "n"
  ADD r1 r1 #1
  SETGLOBAL r1 "n"
  GETGLOBAL r1 "debugprint"
  GETTABLE r2 r0 "action"
  GETTABLE r3 r0 "id"
  GETGLOBAL r4 "rawget"
  MOVE r5 r0
  LOADK r6 "userdata"
  CALL r4 3 2
  CALL r1 4 1
  RETURN r0 1
.end
; d(msg): a drop
.function
  .params 1
  .maxstack 12
  GETGLOBAL r1 "n"
  ADD r1 r1 #1
  SETGLOBAL r1 "n"
  GETTABLE r9 r0 "dropfiles"
  GETGLOBAL r1 "debugprint"
  GETTABLE r2 r0 "action"
  GETTABLE r3 r0 "numdropfiles"
  GETTABLE r4 r9 #0
  GETTABLE r5 r9 #1
  GETTABLE r6 r9 #2
  GETTABLE r7 r0 "x"
  GETTABLE r8 r0 "y"
  CALL r1 8 1
  RETURN r0 1
.end
