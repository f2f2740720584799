; label: layers.style
; CreateBGPic(10, 64, 48, $204080)  DisplayBGPic(10)  EnableLayers()  CreateBrush(2, 40, 40, $FF0000)
; CreateClipRegion(1, #BOX, 0, 0, 10, 40)  SetClipRegion(1)  DisplayBrush(2, 0, 0)  SetClipRegion(0)
; SetLayerStyle(1, {rotate = 90, nocliptransform = 1})  SaveSnapshot("a.png", #SNAPWINDOW, #IMGFMT_PNG)  -- the strip stays
; SetLayerStyle(1, {nocliptransform = 0})  SaveSnapshot("b.png", #SNAPWINDOW, #IMGFMT_PNG)  -- the strip turns with it
.source "@layer_clip_notransform.qasm"
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
  GETGLOBAL r0 "createbrush"
  LOADK r1 #2
  LOADK r2 #40
  LOADK r3 #40
  LOADK r4 #16711680
  CALL r0 5 1
.lineno 2
  GETGLOBAL r0 "createclipregion"
  LOADK r1 #1
  LOADK r2 #14
  LOADK r3 #0
  LOADK r4 #0
  LOADK r5 #10
  LOADK r6 #40
  CALL r0 7 1
  GETGLOBAL r0 "setclipregion"
  LOADK r1 #1
  CALL r0 2 1
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #2
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 1
  GETGLOBAL r0 "setclipregion"
  LOADK r1 #0
  CALL r0 2 1
.lineno 3
  GETGLOBAL r0 "setlayerstyle"
  LOADK r1 #1
  NEWTABLE r2 0 2
  LOADK r3 #90
  SETTABLE r2 "rotate" r3
  LOADK r3 #1
  SETTABLE r2 "nocliptransform" r3
  CALL r0 3 1
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "a.png"
  LOADK r2 #0
  LOADK r3 #1
  CALL r0 4 1
.lineno 4
  GETGLOBAL r0 "setlayerstyle"
  LOADK r1 #1
  NEWTABLE r2 0 1
  LOADK r3 #0
  SETTABLE r2 "nocliptransform" r3
  CALL r0 3 1
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "b.png"
  LOADK r2 #0
  LOADK r3 #1
  CALL r0 4 1
  RETURN r0 1
