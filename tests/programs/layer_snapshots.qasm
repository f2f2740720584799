; label: layers.commands
; CreateBGPic(10, 64, 48, $204080)  DisplayBGPic(10)  EnableLayers()
; CreateLayer(4, 6, 8, 8, {color = $FF0000})  SaveSnapshot("a.png", #SNAPWINDOW, #IMGFMT_PNG)
; CreateLayer(8, 10, 8, 8, {color = $00FF00})  SaveSnapshot("b.png", #SNAPWINDOW, #IMGFMT_PNG)
; SetLayerZPos(2, 1)  SaveSnapshot("c.png", #SNAPWINDOW, #IMGFMT_PNG)  -- green to the bottom
; SaveSnapshot("d.png", #SNAPDISPLAY, #IMGFMT_PNG)
.source "@layer_snapshots.qasm"
.maxstack 8
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
.lineno 3
  GETGLOBAL r0 "createlayer"
  LOADK r1 #8
  LOADK r2 #10
  LOADK r3 #8
  LOADK r4 #8
  NEWTABLE r5 0 1
  LOADK r6 #65280
  SETTABLE r5 "color" r6
  CALL r0 6 1
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "b.png"
  LOADK r2 #0
  LOADK r3 #1
  CALL r0 4 1
.lineno 4
  GETGLOBAL r0 "setlayerzpos"
  LOADK r1 #2
  LOADK r2 #1
  CALL r0 3 1
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "c.png"
  LOADK r2 #0
  LOADK r3 #1
  CALL r0 4 1
.lineno 5
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "d.png"
  LOADK r2 #1
  LOADK r3 #1
  CALL r0 4 1
  RETURN r0 1
