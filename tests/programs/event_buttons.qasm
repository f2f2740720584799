; label: events
; Buttons of the display's picture, driven by the mouse.
; MakeButton(1, #SIMPLEBUTTON, 10, 10, 1, 1, {onmousedown = p, onmouseup = p})
; MakeButton(2, #SIMPLEBUTTON, 100, 100, 50, 50, {onmouseover = p, onmouseout = p, onmousedown = p, onmouseup = p}, "A")
; MakeButton(3, #SIMPLEBUTTON, 150, 100, 50, 50, {onmouseover = p}, "old")  -- replaced at once:
; MakeButton(3, #SIMPLEBUTTON, 150, 100, 50, 50, {onmouseover = p, onmouseout = p}, "B")
; Repeat WaitEvent() Until n = 13  DumpButtons()
; ExitOnError(False)  then each with GetLastError(): no callbacks, width 0, type 7, a callback
; number instead of a table, DeleteButton(99)
; h = MakeButton(Nil, #SIMPLEBUTTON, #CENTER, 0, 10, 10, {onmouseup = p})  DumpButtons()
; DeleteButton(h)  DeleteButton(h) -> 1041  DisableButton(2)  EnableButton(99) -> 1188
; p(msg): DebugPrint(action, id, x, y, width, height, mousedown, RawGet(msg, "userdata"))
.source "@event_buttons.qasm"
.maxstack 12
.lineno 1
  LOADK r0 #0
  SETGLOBAL r0 "n"
  CLOSURE r0 f0
  SETGLOBAL r0 "p"
  GETGLOBAL r0 "makebutton"
  LOADK r1 #1
  LOADK r2 #0
  LOADK r3 #10
  LOADK r4 #10
  LOADK r5 #1
  LOADK r6 #1
  NEWTABLE r7 0 0
  GETGLOBAL r8 "p"
  SETTABLE r7 "onmousedown" r8
  SETTABLE r7 "onmouseup" r8
  CALL r0 8 1
.lineno 2
  GETGLOBAL r0 "makebutton"
  LOADK r1 #2
  LOADK r2 #0
  LOADK r3 #100
  LOADK r4 #100
  LOADK r5 #50
  LOADK r6 #50
  NEWTABLE r7 0 0
  GETGLOBAL r8 "p"
  SETTABLE r7 "onmouseover" r8
  SETTABLE r7 "onmouseout" r8
  SETTABLE r7 "onmousedown" r8
  SETTABLE r7 "onmouseup" r8
  LOADK r8 "A"
  CALL r0 9 1
.lineno 3
  GETGLOBAL r0 "makebutton"
  LOADK r1 #3
  LOADK r2 #0
  LOADK r3 #150
  LOADK r4 #100
  LOADK r5 #50
  LOADK r6 #50
  NEWTABLE r7 0 0
  GETGLOBAL r8 "p"
  SETTABLE r7 "onmouseover" r8
  LOADK r8 "old"
  CALL r0 9 1
.lineno 4
  GETGLOBAL r0 "makebutton"
  LOADK r1 #3
  LOADK r2 #0
  LOADK r3 #150
  LOADK r4 #100
  LOADK r5 #50
  LOADK r6 #50
  NEWTABLE r7 0 0
  GETGLOBAL r8 "p"
  SETTABLE r7 "onmouseover" r8
  SETTABLE r7 "onmouseout" r8
  LOADK r8 "B"
  CALL r0 9 1
.lineno 5
loop:
  GETGLOBAL r0 "waitevent"
  CALL r0 1 1
  GETGLOBAL r0 "n"
  LT 1 r0 #13
  JMP @loop
  GETGLOBAL r0 "dumpbuttons"
  CALL r0 1 1
.lineno 6
  GETGLOBAL r0 "exitonerror"
  LOADBOOL r1 0 0
  CALL r0 2 1
  GETGLOBAL r0 "makebutton"
  LOADK r1 #4
  LOADK r2 #0
  LOADK r3 #0
  LOADK r4 #0
  LOADK r5 #10
  LOADK r6 #10
  NEWTABLE r7 0 0
  CALL r0 8 1
  GETGLOBAL r0 "debugprint"
  LOADK r1 "no callbacks"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 1
  GETGLOBAL r0 "makebutton"
  LOADK r1 #4
  LOADK r2 #0
  LOADK r3 #0
  LOADK r4 #0
  LOADK r5 #0
  LOADK r6 #10
  NEWTABLE r7 0 0
  GETGLOBAL r8 "p"
  SETTABLE r7 "onmouseup" r8
  CALL r0 8 1
  GETGLOBAL r0 "debugprint"
  LOADK r1 "width 0"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 1
  GETGLOBAL r0 "makebutton"
  LOADK r1 #4
  LOADK r2 #7
  LOADK r3 #0
  LOADK r4 #0
  LOADK r5 #10
  LOADK r6 #10
  NEWTABLE r7 0 0
  GETGLOBAL r8 "p"
  SETTABLE r7 "onmouseup" r8
  CALL r0 8 1
  GETGLOBAL r0 "debugprint"
  LOADK r1 "type 7"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 1
  GETGLOBAL r0 "makebutton"
  LOADK r1 #4
  LOADK r2 #0
  LOADK r3 #0
  LOADK r4 #0
  LOADK r5 #10
  LOADK r6 #10
  LOADK r7 #5
  CALL r0 8 1
  GETGLOBAL r0 "debugprint"
  LOADK r1 "no table"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 1
  GETGLOBAL r0 "deletebutton"
  LOADK r1 #99
  CALL r0 2 1
  GETGLOBAL r0 "debugprint"
  LOADK r1 "no button 99"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 1
.lineno 7
  GETGLOBAL r0 "makebutton"
  LOADNIL r1 r1
  LOADK r2 #0
  LOADK r3 #-100000
  LOADK r4 #0
  LOADK r5 #10
  LOADK r6 #10
  NEWTABLE r7 0 0
  GETGLOBAL r8 "p"
  SETTABLE r7 "onmouseup" r8
  CALL r0 8 2
  SETGLOBAL r0 "h"
  GETGLOBAL r0 "dumpbuttons"
  CALL r0 1 1
.lineno 8
  GETGLOBAL r0 "deletebutton"
  GETGLOBAL r1 "h"
  CALL r0 2 1
  GETGLOBAL r0 "debugprint"
  LOADK r1 "deleted"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 1
  GETGLOBAL r0 "deletebutton"
  GETGLOBAL r1 "h"
  CALL r0 2 1
  GETGLOBAL r0 "debugprint"
  LOADK r1 "deleted again"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 1
  GETGLOBAL r0 "enablebutton"
  LOADK r1 #99
  CALL r0 2 1
  GETGLOBAL r0 "debugprint"
  LOADK r1 "enable 99"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 1
  RETURN r0 1
.function
  .params 1
  .maxstack 12
  GETGLOBAL r1 "n"
  ADD r1 r1 #1
  SETGLOBAL r1 "n"
  GETGLOBAL r1 "debugprint"
  GETTABLE r2 r0 "action"
  GETTABLE r3 r0 "id"
  GETTABLE r4 r0 "x"
  GETTABLE r5 r0 "y"
  GETTABLE r6 r0 "width"
  GETTABLE r7 r0 "height"
  GETTABLE r8 r0 "mousedown"
  GETGLOBAL r9 "rawget"
  MOVE r10 r0
  LOADK r11 "userdata"
  CALL r9 3 2
  CALL r1 9 1
  RETURN r0 1
.end
