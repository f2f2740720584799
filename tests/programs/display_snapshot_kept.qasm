; label: display
; What a display keeps on its background shows in its snapshot as in its window: a sprite kept by
; RemoveSprites(True), then, with layers on, a layer kept by FreeLayers() under a later layer.
; CreateBGPic(2, 64, 48, $000080)  DisplayBGPic(2)
; CreateBrush(1, 4, 4, $FF0000)  CreateBrush(3, 4, 4, $00FF00)
; CreateSprite(1, #BRUSH, 3)  DisplaySprite(1, 0, 20)  RemoveSprites(True)
; EnableLayers()  DisplayBrush(1, 36, 0)  FreeLayers()
; DisplayBrush(3, 50, 0)  VWait()
; SaveSnapshot("display.png", #SNAPDISPLAY, #IMGFMT_PNG)  SaveSnapshot("window.png", #SNAPWINDOW, #IMGFMT_PNG)
.source "@display_snapshot_kept.qasm"
.maxstack 6
.lineno 1
  GETGLOBAL r0 "createbgpic"
  LOADK r1 #2
  LOADK r2 #64
  LOADK r3 #48
  LOADK r4 #128
  CALL r0 5 1
  GETGLOBAL r0 "displaybgpic"
  LOADK r1 #2
  CALL r0 2 1
.lineno 2
  GETGLOBAL r0 "createbrush"
  LOADK r1 #1
  LOADK r2 #4
  LOADK r3 #4
  LOADK r4 #16711680
  CALL r0 5 1
  GETGLOBAL r0 "createbrush"
  LOADK r1 #3
  LOADK r2 #4
  LOADK r3 #4
  LOADK r4 #65280
  CALL r0 5 1
.lineno 3
  GETGLOBAL r0 "createsprite"
  LOADK r1 #1
  LOADK r2 #3
  LOADK r3 #3
  CALL r0 4 1
  GETGLOBAL r0 "displaysprite"
  LOADK r1 #1
  LOADK r2 #0
  LOADK r3 #20
  CALL r0 4 1
  GETGLOBAL r0 "removesprites"
  LOADBOOL r1 1 0
  CALL r0 2 1
.lineno 4
  GETGLOBAL r0 "enablelayers"
  CALL r0 1 1
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #1
  LOADK r2 #36
  LOADK r3 #0
  CALL r0 4 1
  GETGLOBAL r0 "freelayers"
  CALL r0 1 1
.lineno 5
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #3
  LOADK r2 #50
  LOADK r3 #0
  CALL r0 4 1
  GETGLOBAL r0 "vwait"
  CALL r0 1 1
.lineno 6
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "display.png"
  LOADK r2 #1
  LOADK r3 #1
  CALL r0 4 1
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "window.png"
  LOADK r2 #0
  LOADK r3 #1
  CALL r0 4 1
  RETURN r0 1
