; label: layers.commands
; CreateBGPic(10, 64, 48, $204080)  DisplayBGPic(10)  EnableLayers()
; SetDisplayAttributes({scalemode = 2, scalewidth = 128, scaleheight = 96})  -- layers scaled by 2
; CreateLayer(4, 6, 8, 8, {color = $FF0000})  SaveSnapshot("a.png", #SNAPWINDOW, #IMGFMT_PNG)  -- drawn at twice the size
; DumpLayers(2)  DumpLayers(0)  -- the display state and the content state
.source "@layer_display_scaled.qasm"
.maxstack 24
.lineno 1
  GETGLOBAL r0 "createbgpic"
  LOADK r1 #10
  LOADK r2 #64
  LOADK r3 #48
  LOADK r4 #2113664
  CALL r0 5 1
  GETGLOBAL r0 "displaybgpic"
  LOADK r1 #10
  CALL r0 2 1
  GETGLOBAL r0 "enablelayers"
  CALL r0 1 1
.lineno 2
  GETGLOBAL r0 "setdisplayattributes"
  NEWTABLE r1 0 3
  LOADK r2 #2
  SETTABLE r1 "scalemode" r2
  LOADK r2 #128
  SETTABLE r1 "scalewidth" r2
  LOADK r2 #96
  SETTABLE r1 "scaleheight" r2
  CALL r0 2 1
.lineno 3
  GETGLOBAL r0 "createlayer"
  LOADK r1 #4
  LOADK r2 #6
  LOADK r3 #8
  LOADK r4 #8
  NEWTABLE r5 0 1
  LOADK r6 #16711680
  SETTABLE r5 "color" r6
  CALL r0 6 1
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "a.png"
  LOADK r2 #0
  LOADK r3 #1
  CALL r0 4 1
.lineno 4
  GETGLOBAL r0 "dumplayers"
  LOADK r1 #2
  CALL r0 2 1
  GETGLOBAL r0 "dumplayers"
  LOADK r1 #0
  CALL r0 2 1
  RETURN r0 1
