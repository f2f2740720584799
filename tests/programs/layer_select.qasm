; label: layers.commands
; CreateBGPic(10, 64, 48, $204080)  DisplayBGPic(10)  EnableLayers()  ExitOnError(False)
; CreateBrush(1, 6, 4, $FF0000)  CreateBrush(2, 2, 2, $00FF00)
; CreateLayer(4, 6, 8, 8, {color = $0000FF})  SelectLayer(1)  DisplayBrush(2, 0, 0)  SaveSnapshot("a.png", #SNAPWINDOW, #IMGFMT_PNG)
; EndSelect()  SaveSnapshot("b.png", #SNAPWINDOW, #IMGFMT_PNG)  -- what was drawn shows at the select's end
; DisplayBrush(1, 30, 30)  SelectLayer(2)  DisplayBrush(2, 1, 1)  EndSelect()  -- the brush layer draws on its own copy
; DisplayBrush(1, 40, 10)  SaveSnapshot("c.png", #SNAPWINDOW, #IMGFMT_PNG)  -- brush 1 itself is unchanged
; SelectLayer(9): ERR_LAYERRANGE  SelectLayer("nope"): ERR_FINDLAYER
.source "@layer_select.qasm"
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
  GETGLOBAL r0 "exitonerror"
  LOADBOOL r1 0 0
  CALL r0 2 1
.lineno 2
  GETGLOBAL r0 "createbrush"
  LOADK r1 #1
  LOADK r2 #6
  LOADK r3 #4
  LOADK r4 #16711680
  CALL r0 5 1
  GETGLOBAL r0 "createbrush"
  LOADK r1 #2
  LOADK r2 #2
  LOADK r3 #2
  LOADK r4 #65280
  CALL r0 5 1
.lineno 3
  GETGLOBAL r0 "createlayer"
  LOADK r1 #4
  LOADK r2 #6
  LOADK r3 #8
  LOADK r4 #8
  NEWTABLE r5 0 1
  LOADK r6 #255
  SETTABLE r5 "color" r6
  CALL r0 6 1
  GETGLOBAL r0 "selectlayer"
  LOADK r1 #1
  CALL r0 2 1
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #2
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 1
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "a.png"
  LOADK r2 #0
  LOADK r3 #1
  CALL r0 4 1
.lineno 4
  GETGLOBAL r0 "endselect"
  CALL r0 1 1
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "b.png"
  LOADK r2 #0
  LOADK r3 #1
  CALL r0 4 1
.lineno 5
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #1
  LOADK r2 #30
  LOADK r3 #30
  CALL r0 4 1
  GETGLOBAL r0 "selectlayer"
  LOADK r1 #2
  CALL r0 2 1
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #2
  LOADK r2 #1
  LOADK r3 #1
  CALL r0 4 1
  GETGLOBAL r0 "endselect"
  CALL r0 1 1
.lineno 6
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #1
  LOADK r2 #40
  LOADK r3 #10
  CALL r0 4 1
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "c.png"
  LOADK r2 #0
  LOADK r3 #1
  CALL r0 4 1
.lineno 7
  GETGLOBAL r0 "selectlayer"
  LOADK r1 #9
  CALL r0 2 1
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getlasterror"
  CALL r1 1 2
  CALL r0 2 1
  GETGLOBAL r0 "selectlayer"
  LOADK r1 "nope"
  CALL r0 2 1
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getlasterror"
  CALL r1 1 2
  CALL r0 2 1
  RETURN r0 1
