; label: fx
; The user resizes the window (input script line "size") during long synchronous effects: a layer
; effect runs again from the start with the layer put back first, and ends with the layer whole on
; the resized display; a picture's effect only stops, and the program goes on.
; call SetFillStyle(1)
; call CreateBrush(1, 200, 100, $00FF00)
; call EnableLayers()
; call DisplayBrush(1, 10, 10)
; call HideLayer(1)
; call ShowLayerFX(1, 0, 1)
; print "layers", GetAttribute(21, 0, 6)
; call SaveSnapshot("layer.bmp", 0)
; call CreateBGPic(2, 320, 240, $FF0000)
; call DisableLayers()
; call DisplayTransitionFX(2, 7, 1)
; print "after the picture"
.source "@fx_resize.q"
  .maxstack 8
.lineno 1
  GETGLOBAL r0 "setfillstyle"
  LOADK r1 #1
  CALL r0 2 2
.lineno 2
  GETGLOBAL r0 "createbrush"
  LOADK r1 #1
  LOADK r2 #200
  LOADK r3 #100
  LOADK r4 #65280
  CALL r0 5 2
.lineno 3
  GETGLOBAL r0 "enablelayers"
  CALL r0 1 2
.lineno 4
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #1
  LOADK r2 #10
  LOADK r3 #10
  CALL r0 4 2
.lineno 5
  GETGLOBAL r0 "hidelayer"
  LOADK r1 #1
  CALL r0 2 2
.lineno 6
  GETGLOBAL r0 "showlayerfx"
  LOADK r1 #1
  LOADK r2 #0
  LOADK r3 #1
  CALL r0 4 2
.lineno 7
  GETGLOBAL r0 "debugprint"
  LOADK r1 "layers"
  GETGLOBAL r2 "getattribute"
  LOADK r3 #21
  LOADK r4 #0
  LOADK r5 #6
  CALL r2 4 0
  CALL r0 0 2
.lineno 8
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "layer.bmp"
  LOADK r2 #0
  CALL r0 3 2
.lineno 9
  GETGLOBAL r0 "createbgpic"
  LOADK r1 #2
  LOADK r2 #320
  LOADK r3 #240
  LOADK r4 #16711680
  CALL r0 5 2
.lineno 10
  GETGLOBAL r0 "disablelayers"
  CALL r0 1 2
.lineno 11
  GETGLOBAL r0 "displaytransitionfx"
  LOADK r1 #2
  LOADK r2 #7
  LOADK r3 #1
  CALL r0 4 2
.lineno 12
  GETGLOBAL r0 "debugprint"
  LOADK r1 "after the picture"
  CALL r0 2 2
  RETURN r0 1
