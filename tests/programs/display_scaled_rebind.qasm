; label: display
; A scaled display that shows another picture keeps its scale size: the new picture is scaled into
; the same window, in both scale modes.
; CreateBGPic(10, 64, 48, $204080)  DisplayBGPic(10)
; SetDisplayAttributes({scalemode = 2, scalewidth = 128, scaleheight = 96})
; CreateBGPic(11, 32, 24, $00FF00)  DisplayBGPic(11)  DebugPrint(GetAttribute(#DISPLAY, 0, #ATTRWIDTH))
; SaveSnapshot("a.png", #SNAPWINDOW, #IMGFMT_PNG)
; SetDisplayAttributes({scalemode = 1})  DisplayBGPic(10)  DebugPrint(GetAttribute(#DISPLAY, 0, #ATTRWIDTH))
; SaveSnapshot("b.png", #SNAPWINDOW, #IMGFMT_PNG)
.source "@display_scaled_rebind.qasm"
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
.lineno 2
  GETGLOBAL r0 "setdisplayattributes"
  NEWTABLE r1 0 0
  LOADK r2 #2
  SETTABLE r1 "scalemode" r2
  LOADK r2 #128
  SETTABLE r1 "scalewidth" r2
  LOADK r2 #96
  SETTABLE r1 "scaleheight" r2
  CALL r0 2 1
.lineno 3
  GETGLOBAL r0 "createbgpic"
  LOADK r1 #11
  LOADK r2 #32
  LOADK r3 #24
  LOADK r4 #65280
  CALL r0 5 1
  GETGLOBAL r0 "displaybgpic"
  LOADK r1 #11
  CALL r0 2 1
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getattribute"
  LOADK r2 #21
  LOADK r3 #0
  LOADK r4 #0
  CALL r1 4 0
  CALL r0 0 1
.lineno 4
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "a.png"
  LOADK r2 #0
  LOADK r3 #1
  CALL r0 4 1
.lineno 5
  GETGLOBAL r0 "setdisplayattributes"
  NEWTABLE r1 0 0
  LOADK r2 #1
  SETTABLE r1 "scalemode" r2
  CALL r0 2 1
  GETGLOBAL r0 "displaybgpic"
  LOADK r1 #10
  CALL r0 2 1
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getattribute"
  LOADK r2 #21
  LOADK r3 #0
  LOADK r4 #0
  CALL r1 4 0
  CALL r0 0 1
.lineno 6
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "b.png"
  LOADK r2 #0
  LOADK r3 #1
  CALL r0 4 1
  RETURN r0 1
