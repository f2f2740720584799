; label: events
; A pixel-exact layer button on a brush whose mask shows one pixel.
; CreateBrush(1, 4, 4, $FF0000)  SetBrushTransparency(1, $FF0000)  WriteBrushPixel(1, 1, 1, $00FF00, 0)
; EnableLayers()  DisplayBrush(1, 200, 200)  MakeButton(5, #LAYERBUTTON, 1, True, False, {onmousedown = p})
; ExitOnError(False)  MakeButton(6, #LAYERBUTTON, 1, ...) -> 1055 (bound)  MakeButton(6, #LAYERBUTTON, 9, ...) -> 1081
; Repeat WaitEvent() Until n = 1
; p(msg): DebugPrint(action, id, layer, layername, width, height)
.source "@event_layer_button.qasm"
.maxstack 12
.lineno 1
  LOADK r0 #0
  SETGLOBAL r0 "n"
  CLOSURE r0 f0
  SETGLOBAL r0 "p"
  GETGLOBAL r0 "createbrush"
  LOADK r1 #1
  LOADK r2 #4
  LOADK r3 #4
  LOADK r4 #16711680
  CALL r0 5 1
  GETGLOBAL r0 "setbrushtransparency"
  LOADK r1 #1
  LOADK r2 #16711680
  CALL r0 3 1
  GETGLOBAL r0 "writebrushpixel"
  LOADK r1 #1
  LOADK r2 #1
  LOADK r3 #1
  LOADK r4 #65280
  LOADK r5 #0
  CALL r0 6 1
.lineno 2
  GETGLOBAL r0 "enablelayers"
  CALL r0 1 1
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #1
  LOADK r2 #200
  LOADK r3 #200
  CALL r0 4 1
  GETGLOBAL r0 "makebutton"
  LOADK r1 #5
  LOADK r2 #1
  LOADK r3 #1
  LOADBOOL r4 1 0
  LOADBOOL r5 0 0
  NEWTABLE r6 0 0
  GETGLOBAL r7 "p"
  SETTABLE r6 "onmousedown" r7
  CALL r0 7 1
.lineno 3
  GETGLOBAL r0 "exitonerror"
  LOADBOOL r1 0 0
  CALL r0 2 1
  GETGLOBAL r0 "makebutton"
  LOADK r1 #6
  LOADK r2 #1
  LOADK r3 #1
  LOADBOOL r4 0 0
  LOADBOOL r5 0 0
  NEWTABLE r6 0 0
  GETGLOBAL r7 "p"
  SETTABLE r6 "onmousedown" r7
  CALL r0 7 1
  GETGLOBAL r0 "debugprint"
  LOADK r1 "bound"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 1
  GETGLOBAL r0 "makebutton"
  LOADK r1 #6
  LOADK r2 #1
  LOADK r3 #9
  LOADBOOL r4 0 0
  LOADBOOL r5 0 0
  NEWTABLE r6 0 0
  GETGLOBAL r7 "p"
  SETTABLE r6 "onmousedown" r7
  CALL r0 7 1
  GETGLOBAL r0 "debugprint"
  LOADK r1 "range"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 1
.lineno 4
loop:
  GETGLOBAL r0 "waitevent"
  CALL r0 1 1
  GETGLOBAL r0 "n"
  LT 1 r0 #1
  JMP @loop
  RETURN r0 1
.function
  .params 1
  .maxstack 10
  GETGLOBAL r1 "n"
  ADD r1 r1 #1
  SETGLOBAL r1 "n"
  GETGLOBAL r1 "debugprint"
  GETTABLE r2 r0 "action"
  GETTABLE r3 r0 "id"
  GETTABLE r4 r0 "layer"
  GETTABLE r5 r0 "layername"
  GETTABLE r6 r0 "width"
  GETTABLE r7 r0 "height"
  CALL r1 7 1
  RETURN r0 1
.end
