; label: events
; Hit mapping on a display that shows its 64 x 48 picture at 128 x 96. In scale mode 1 the layers
; stay at picture size and a window point is divided by 2 before the test; in scale mode 2 the
; layers are drawn at the window's size and the point is taken as it is. The same clicks in both:
; a pixel-exact layer button on a 4 x 4 brush at 20, 20 whose mask shows only its pixel 1, 1
; (window 42..43), clicked at its masked pixels 20, 20 and 22, 22 (window 40, 41 and 44) and at
; the solid one (window 42 and 43); simple button 6, 1 x 1 at 40, 10 (window 80..81), clicked at
; window 81 and 82; then simple button 7 at 0, 0 ends the round.
; function p(msg)
;   print msg.action, msg.id
; end
; function stop(msg)
;   phase = phase + 1
;   print "round", phase
; end
; call CreateBGPic(10, 64, 48, $204080)
; call DisplayBGPic(10)
; call SetDisplayAttributes({scalemode = 1, scalewidth = 128, scaleheight = 96})
; call CreateBrush(1, 4, 4, $FF0000)
; call SetBrushTransparency(1, $FF0000)
; call WriteBrushPixel(1, 1, 1, $00FF00, 0)
; call EnableLayers()
; call DisplayBrush(1, 20, 20)
; call MakeButton(5, 1, 1, true, false, {onmousedown = p})
; call MakeButton(6, 0, 40, 10, 1, 1, {onmousedown = p})
; call MakeButton(7, 0, 0, 0, 1, 1, {onmousedown = stop})
; phase = 0
; while phase < 1 do
;   call WaitEvent()
; end
; call SetDisplayAttributes({scalemode = 2, scalewidth = 128, scaleheight = 96})
; while phase < 2 do
;   call WaitEvent()
; end
.source "@event_button_scaled.q"
  .maxstack 10
.lineno 1
  CLOSURE r0 f0
  SETGLOBAL r0 "p"
.lineno 4
  CLOSURE r0 f1
  SETGLOBAL r0 "stop"
.lineno 8
  GETGLOBAL r0 "createbgpic"
  LOADK r1 #10
  LOADK r2 #64
  LOADK r3 #48
  LOADK r4 #2113664
  CALL r0 5 2
.lineno 9
  GETGLOBAL r0 "displaybgpic"
  LOADK r1 #10
  CALL r0 2 2
.lineno 10
  GETGLOBAL r0 "setdisplayattributes"
  NEWTABLE r1 0 4
  LOADK r2 #1
  SETTABLE r1 "scalemode" r2
  LOADK r2 #128
  SETTABLE r1 "scalewidth" r2
  LOADK r2 #96
  SETTABLE r1 "scaleheight" r2
  CALL r0 2 2
.lineno 11
  GETGLOBAL r0 "createbrush"
  LOADK r1 #1
  LOADK r2 #4
  LOADK r3 #4
  LOADK r4 #16711680
  CALL r0 5 2
.lineno 12
  GETGLOBAL r0 "setbrushtransparency"
  LOADK r1 #1
  LOADK r2 #16711680
  CALL r0 3 2
.lineno 13
  GETGLOBAL r0 "writebrushpixel"
  LOADK r1 #1
  LOADK r2 #1
  LOADK r3 #1
  LOADK r4 #65280
  LOADK r5 #0
  CALL r0 6 2
.lineno 14
  GETGLOBAL r0 "enablelayers"
  CALL r0 1 2
.lineno 15
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #1
  LOADK r2 #20
  LOADK r3 #20
  CALL r0 4 2
.lineno 16
  GETGLOBAL r0 "makebutton"
  LOADK r1 #5
  LOADK r2 #1
  LOADK r3 #1
  LOADBOOL r4 1 0
  LOADBOOL r5 0 0
  NEWTABLE r6 0 4
  GETGLOBAL r7 "p"
  SETTABLE r6 "onmousedown" r7
  CALL r0 7 2
.lineno 17
  GETGLOBAL r0 "makebutton"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #40
  LOADK r4 #10
  LOADK r5 #1
  LOADK r6 #1
  NEWTABLE r7 0 4
  GETGLOBAL r8 "p"
  SETTABLE r7 "onmousedown" r8
  CALL r0 8 2
.lineno 18
  GETGLOBAL r0 "makebutton"
  LOADK r1 #7
  LOADK r2 #0
  LOADK r3 #0
  LOADK r4 #0
  LOADK r5 #1
  LOADK r6 #1
  NEWTABLE r7 0 4
  GETGLOBAL r8 "stop"
  SETTABLE r7 "onmousedown" r8
  CALL r0 8 2
.lineno 19
  LOADK r0 #0
  SETGLOBAL r0 "phase"
.lineno 20
L1:
  GETGLOBAL r0 "phase"
  LOADK r1 #1
  LT 0 r0 r1
  JMP @L2
.lineno 21
  GETGLOBAL r0 "waitevent"
  CALL r0 1 2
.lineno 22
  JMP @L1
L2:
.lineno 23
  GETGLOBAL r0 "setdisplayattributes"
  NEWTABLE r1 0 4
  LOADK r2 #2
  SETTABLE r1 "scalemode" r2
  LOADK r2 #128
  SETTABLE r1 "scalewidth" r2
  LOADK r2 #96
  SETTABLE r1 "scaleheight" r2
  CALL r0 2 2
.lineno 24
L3:
  GETGLOBAL r0 "phase"
  LOADK r1 #2
  LT 0 r0 r1
  JMP @L4
.lineno 25
  GETGLOBAL r0 "waitevent"
  CALL r0 1 2
.lineno 26
  JMP @L3
L4:
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
  CALL r1 3 2
.lineno 3
  RETURN r0 1
.end
.function
  .params 1
  .maxstack 8
.lineno 5
  GETGLOBAL r1 "phase"
  LOADK r2 #1
  ADD r1 r1 r2
  SETGLOBAL r1 "phase"
.lineno 6
  GETGLOBAL r1 "debugprint"
  LOADK r2 "round"
  GETGLOBAL r3 "phase"
  CALL r1 3 2
.lineno 7
  RETURN r0 1
.end
