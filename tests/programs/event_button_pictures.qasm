; label: events
; Buttons belong to their picture, whichever picture is current. Picture 2 is selected, not shown,
; and gets two brush layers with layer buttons 1 and 2, numbered like simple button 1 of the shown
; picture 1. FreeLayers(0) takes picture 2's buttons along and leaves picture 1's; the layer
; buttons made again go with FreeBGPic(2) while picture 1 is current (a button left behind in a
; list would be used after it was freed, under ASan). Then, with picture 3 selected, picture 1's
; simple button and its layer button 3 answer clicks, the layer button with its own layer number.
; function p(msg)
;   print msg.action, msg.id, RawGet(msg, "layer")
;   done = done + 1
; end
; call CreateBrush(1, 4, 4, $FF0000)
; call EnableLayers()
; call DisplayBrush(1, 40, 40)
; call MakeButton(1, 0, 10, 10, 20, 20, {onmousedown = p})
; call MakeButton(3, 1, 1, false, false, {onmousedown = p})
; call CreateBGPic(2, 64, 48, $204080)
; call SelectBGPic(2)
; call DisplayBrush(1, 0, 0)
; call DisplayBrush(1, 10, 0)
; call MakeButton(1, 1, 1, false, false, {onmousedown = p})
; call MakeButton(2, 1, 2, false, false, {onmousedown = p})
; call DumpButtons()
; call FreeLayers(0)
; call DumpButtons()
; call DisplayBrush(1, 0, 0)
; call DisplayBrush(1, 10, 0)
; call MakeButton(1, 1, 1, false, false, {onmousedown = p})
; call MakeButton(2, 1, 2, false, false, {onmousedown = p})
; call EndSelect()
; call FreeBGPic(2)
; call DumpButtons()
; call CreateBGPic(3, 64, 48, $204080)
; call SelectBGPic(3)
; done = 0
; while done < 2 do
;   call WaitEvent()
; end
.source "@event_button_pictures.q"
  .maxstack 10
.lineno 1
  CLOSURE r0 f0
  SETGLOBAL r0 "p"
.lineno 5
  GETGLOBAL r0 "createbrush"
  LOADK r1 #1
  LOADK r2 #4
  LOADK r3 #4
  LOADK r4 #16711680
  CALL r0 5 2
.lineno 6
  GETGLOBAL r0 "enablelayers"
  CALL r0 1 2
.lineno 7
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #1
  LOADK r2 #40
  LOADK r3 #40
  CALL r0 4 2
.lineno 8
  GETGLOBAL r0 "makebutton"
  LOADK r1 #1
  LOADK r2 #0
  LOADK r3 #10
  LOADK r4 #10
  LOADK r5 #20
  LOADK r6 #20
  NEWTABLE r7 0 4
  GETGLOBAL r8 "p"
  SETTABLE r7 "onmousedown" r8
  CALL r0 8 2
.lineno 9
  GETGLOBAL r0 "makebutton"
  LOADK r1 #3
  LOADK r2 #1
  LOADK r3 #1
  LOADBOOL r4 0 0
  LOADBOOL r5 0 0
  NEWTABLE r6 0 4
  GETGLOBAL r7 "p"
  SETTABLE r6 "onmousedown" r7
  CALL r0 7 2
.lineno 10
  GETGLOBAL r0 "createbgpic"
  LOADK r1 #2
  LOADK r2 #64
  LOADK r3 #48
  LOADK r4 #2113664
  CALL r0 5 2
.lineno 11
  GETGLOBAL r0 "selectbgpic"
  LOADK r1 #2
  CALL r0 2 2
.lineno 12
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #1
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 13
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #1
  LOADK r2 #10
  LOADK r3 #0
  CALL r0 4 2
.lineno 14
  GETGLOBAL r0 "makebutton"
  LOADK r1 #1
  LOADK r2 #1
  LOADK r3 #1
  LOADBOOL r4 0 0
  LOADBOOL r5 0 0
  NEWTABLE r6 0 4
  GETGLOBAL r7 "p"
  SETTABLE r6 "onmousedown" r7
  CALL r0 7 2
.lineno 15
  GETGLOBAL r0 "makebutton"
  LOADK r1 #2
  LOADK r2 #1
  LOADK r3 #2
  LOADBOOL r4 0 0
  LOADBOOL r5 0 0
  NEWTABLE r6 0 4
  GETGLOBAL r7 "p"
  SETTABLE r6 "onmousedown" r7
  CALL r0 7 2
.lineno 16
  GETGLOBAL r0 "dumpbuttons"
  CALL r0 1 2
.lineno 17
  GETGLOBAL r0 "freelayers"
  LOADK r1 #0
  CALL r0 2 2
.lineno 18
  GETGLOBAL r0 "dumpbuttons"
  CALL r0 1 2
.lineno 19
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #1
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 20
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #1
  LOADK r2 #10
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "makebutton"
  LOADK r1 #1
  LOADK r2 #1
  LOADK r3 #1
  LOADBOOL r4 0 0
  LOADBOOL r5 0 0
  NEWTABLE r6 0 4
  GETGLOBAL r7 "p"
  SETTABLE r6 "onmousedown" r7
  CALL r0 7 2
.lineno 22
  GETGLOBAL r0 "makebutton"
  LOADK r1 #2
  LOADK r2 #1
  LOADK r3 #2
  LOADBOOL r4 0 0
  LOADBOOL r5 0 0
  NEWTABLE r6 0 4
  GETGLOBAL r7 "p"
  SETTABLE r6 "onmousedown" r7
  CALL r0 7 2
.lineno 23
  GETGLOBAL r0 "endselect"
  CALL r0 1 2
.lineno 24
  GETGLOBAL r0 "freebgpic"
  LOADK r1 #2
  CALL r0 2 2
.lineno 25
  GETGLOBAL r0 "dumpbuttons"
  CALL r0 1 2
.lineno 26
  GETGLOBAL r0 "createbgpic"
  LOADK r1 #3
  LOADK r2 #64
  LOADK r3 #48
  LOADK r4 #2113664
  CALL r0 5 2
.lineno 27
  GETGLOBAL r0 "selectbgpic"
  LOADK r1 #3
  CALL r0 2 2
.lineno 28
  LOADK r0 #0
  SETGLOBAL r0 "done"
.lineno 29
L1:
  GETGLOBAL r0 "done"
  LOADK r1 #2
  LT 0 r0 r1
  JMP @L2
.lineno 30
  GETGLOBAL r0 "waitevent"
  CALL r0 1 2
.lineno 31
  JMP @L1
L2:
  RETURN r0 1
.function
  .params 1
  .maxstack 8
.lineno 2
  GETGLOBAL r1 "debugprint"
  MOVE r2 r0
  GETTABLE r2 r2 "action"
  MOVE r3 r0
  GETTABLE r3 r3 "id"
  GETGLOBAL r4 "rawget"
  MOVE r5 r0
  LOADK r6 "layer"
  CALL r4 3 0
  CALL r1 0 2
.lineno 3
  GETGLOBAL r1 "done"
  LOADK r2 #1
  ADD r1 r1 r2
  SETGLOBAL r1 "done"
.lineno 4
  RETURN r0 1
.end
