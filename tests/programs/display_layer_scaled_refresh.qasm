; label: display
; A display that scales its layers by 4 composes at its scale size: a layer made before the display
; showed its picture, a layer made afterwards, a whole refresh, and the way back to no scaling.
; CreateBGPic(10, 64, 48, $204080)  CreateBGPic(11, 64, 48, $00FF00)
; DisplayBGPic(11)  EnableLayers()  CreateLayer(4, 6, 8, 8, {color = $FF0000})
; DisplayBGPic(10)  SetDisplayAttributes({scalemode = 2, scalewidth = 256, scaleheight = 192})
; DisplayBGPic(11)  SaveSnapshot("a.png", #SNAPWINDOW, #IMGFMT_PNG)
; CreateLayer(40, 30, 8, 8, {color = $0000FF})  SaveSnapshot("b.png", #SNAPWINDOW, #IMGFMT_PNG)
; SetDisplayAttributes({title = "again"})  SaveSnapshot("c.png", #SNAPWINDOW, #IMGFMT_PNG)
; SetDisplayAttributes({scalemode = 0})  SaveSnapshot("d.png", #SNAPWINDOW, #IMGFMT_PNG)
; DebugPrint(GetAttribute(#DISPLAY, 0, #ATTRWIDTH))
.source "@display_layer_scaled_refresh.qasm"
.maxstack 8
.lineno 1
  GETGLOBAL r0 "createbgpic"
  LOADK r1 #10
  LOADK r2 #64
  LOADK r3 #48
  LOADK r4 #2113664
  CALL r0 5 1
  GETGLOBAL r0 "createbgpic"
  LOADK r1 #11
  LOADK r2 #64
  LOADK r3 #48
  LOADK r4 #65280
  CALL r0 5 1
.lineno 2
  GETGLOBAL r0 "displaybgpic"
  LOADK r1 #11
  CALL r0 2 1
  GETGLOBAL r0 "enablelayers"
  CALL r0 1 1
  GETGLOBAL r0 "createlayer"
  LOADK r1 #4
  LOADK r2 #6
  LOADK r3 #8
  LOADK r4 #8
  NEWTABLE r5 0 1
  LOADK r6 #16711680
  SETTABLE r5 "color" r6
  CALL r0 6 1
.lineno 3
  GETGLOBAL r0 "displaybgpic"
  LOADK r1 #10
  CALL r0 2 1
  GETGLOBAL r0 "setdisplayattributes"
  NEWTABLE r1 0 3
  LOADK r2 #2
  SETTABLE r1 "scalemode" r2
  LOADK r2 #256
  SETTABLE r1 "scalewidth" r2
  LOADK r2 #192
  SETTABLE r1 "scaleheight" r2
  CALL r0 2 1
.lineno 4
  GETGLOBAL r0 "displaybgpic"
  LOADK r1 #11
  CALL r0 2 1
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "a.png"
  LOADK r2 #0
  LOADK r3 #1
  CALL r0 4 1
.lineno 5
  GETGLOBAL r0 "createlayer"
  LOADK r1 #40
  LOADK r2 #30
  LOADK r3 #8
  LOADK r4 #8
  NEWTABLE r5 0 1
  LOADK r6 #255
  SETTABLE r5 "color" r6
  CALL r0 6 1
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "b.png"
  LOADK r2 #0
  LOADK r3 #1
  CALL r0 4 1
.lineno 6
  GETGLOBAL r0 "setdisplayattributes"
  NEWTABLE r1 0 1
  LOADK r2 "again"
  SETTABLE r1 "title" r2
  CALL r0 2 1
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "c.png"
  LOADK r2 #0
  LOADK r3 #1
  CALL r0 4 1
.lineno 7
  GETGLOBAL r0 "setdisplayattributes"
  NEWTABLE r1 0 1
  LOADK r2 #0
  SETTABLE r1 "scalemode" r2
  CALL r0 2 1
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "d.png"
  LOADK r2 #0
  LOADK r3 #1
  CALL r0 4 1
.lineno 8
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getattribute"
  LOADK r2 #21
  LOADK r3 #0
  LOADK r4 #0
  CALL r1 4 0
  CALL r0 0 1
  RETURN r0 1
