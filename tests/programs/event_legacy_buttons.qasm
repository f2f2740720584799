; label: events
; Label buttons: a click jumps to ONBUTTONCLICK<id>; ModifyButton moves the button, RemoveButton
; takes it away; the mouse over button 2 jumps to ONBUTTONOVER2, where WhileMouseOn waits until
; the mouse leaves it.
; CreateButton(1, 10, 10, 19, 19)  Repeat WaitEvent() Until n = 1
; ModifyButton(1, 100, 100, 109, 109)  Repeat WaitEvent() Until n = 2   -- the click at 15,15 misses
; RemoveButton(1)  CreateButton(2, 200, 200, 209, 209)  Repeat WaitEvent() Until n = 3
; ONBUTTONCLICK1: n = n + 1  DebugPrint("click", GetEventCode())
; ONBUTTONOVER2: DebugPrint("over")  WhileMouseOn()  DebugPrint("left")  n = n + 1
.source "@event_legacy_buttons.qasm"
.maxstack 8
.lineno 1
  LOADK r0 #0
  SETGLOBAL r0 "n"
  GETGLOBAL r0 "createbutton"
  LOADK r1 #1
  LOADK r2 #10
  LOADK r3 #10
  LOADK r4 #19
  LOADK r5 #19
  CALL r0 6 1
loop1:
  GETGLOBAL r0 "waitevent"
  CALL r0 1 1
  GETGLOBAL r0 "n"
  LT 1 r0 #1
  JMP @loop1
.lineno 2
  GETGLOBAL r0 "modifybutton"
  LOADK r1 #1
  LOADK r2 #100
  LOADK r3 #100
  LOADK r4 #109
  LOADK r5 #109
  CALL r0 6 1
loop2:
  GETGLOBAL r0 "waitevent"
  CALL r0 1 1
  GETGLOBAL r0 "n"
  LT 1 r0 #2
  JMP @loop2
.lineno 3
  GETGLOBAL r0 "removebutton"
  LOADK r1 #1
  CALL r0 2 1
  GETGLOBAL r0 "createbutton"
  LOADK r1 #2
  LOADK r2 #200
  LOADK r3 #200
  LOADK r4 #209
  LOADK r5 #209
  CALL r0 6 1
loop3:
  GETGLOBAL r0 "waitevent"
  CALL r0 1 1
  GETGLOBAL r0 "n"
  LT 1 r0 #3
  JMP @loop3
  RETURN r0 1
.scriptlabel ONBUTTONCLICK1
  GETGLOBAL r0 "n"
  ADD r0 r0 #1
  SETGLOBAL r0 "n"
  GETGLOBAL r0 "debugprint"
  LOADK r1 "click"
  GETGLOBAL r2 "geteventcode"
  CALL r2 1 0
  CALL r0 0 1
  RETURN 0 0 1
.scriptlabel ONBUTTONOVER2
  GETGLOBAL r0 "debugprint"
  LOADK r1 "over"
  CALL r0 2 1
  GETGLOBAL r0 "whilemouseon"
  CALL r0 1 1
  GETGLOBAL r0 "debugprint"
  LOADK r1 "left"
  CALL r0 2 1
  GETGLOBAL r0 "n"
  ADD r0 r0 #1
  SETGLOBAL r0 "n"
  RETURN 0 0 1
