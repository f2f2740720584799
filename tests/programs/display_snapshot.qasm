; label: display
; ExitOnError(False)
; CreateBGPic(10, 64, 48, $204080)  CreateBGPic(11, 16, 16, $FF0000)
; DisplayBGPic(10)  DisplayBGPicPart(11, 0, 0, 8, 8, 4, 6)
; SaveSnapshot("d.png", #SNAPDISPLAY, #IMGFMT_PNG)  SaveSnapshot("w.png", #SNAPWINDOW, #IMGFMT_PNG)
; SetDisplayAttributes({scalemode = 1, scalewidth = 128, scaleheight = 96})
; DebugPrint(GetAttribute(#DISPLAY, 0, #ATTRWIDTH), GetAttribute(#DISPLAY, 0, #ATTRSCALEWIDTH), GetAttribute(#DISPLAY, 0, #ATTRSCALEMODE))
; SaveSnapshot("s.png", #SNAPWINDOW, #IMGFMT_PNG)  SaveSnapshot("sd.png", #SNAPDISPLAY, #IMGFMT_PNG)
; SetDisplayAttributes({keepproportions = True, scalewidth = 200, scaleheight = 96})
; DebugPrint(GetAttribute(#DISPLAY, 0, #ATTRSCALEWIDTH), GetAttribute(#DISPLAY, 0, #ATTRBORDERLEFT), GetAttribute(#DISPLAY, 0, #ATTRBORDERRIGHT))
; SaveSnapshot("k.png", #SNAPWINDOW, #IMGFMT_PNG)
; SaveSnapshot("desk.png", #SNAPDESKTOP, #IMGFMT_PNG)  DebugPrint(GetLastError(), GetAttribute(#DISPLAY, 0, #ATTRXPOS), GetAttribute(#DISPLAY, 0, #ATTRYPOS))
; SetDisplayAttributes({scalemode = 0})  SaveSnapshot("u.png", #SNAPWINDOW, #IMGFMT_PNG)  DebugPrint(GetAttribute(#DISPLAY, 0, #ATTRSCALEWIDTH))
; SaveSnapshot("t.bmp", 3)  DebugPrint(GetLastError())
; CloseDisplay(1)  SaveSnapshot("c.bmp")  DebugPrint(GetLastError())
; SaveSnapshot("c2.bmp", #SNAPDISPLAY)  DebugPrint(GetLastError())
; CreateBrush(20, 4, 4, $00FF00)  t = CreateDisplay(Nil, {width = 8, height = 8, fillstyle = 3, texturebrush = 20})
; g = CreateDisplay(Nil, {width = 64, height = 32, fillstyle = 2, gradientstartcolor = $FF0000, gradientendcolor = $0000FF})
; SelectDisplay(g)  SaveSnapshot("g.png", #SNAPDISPLAY, #IMGFMT_PNG)  SelectDisplay(t)  SaveSnapshot("x.png", #SNAPDISPLAY, #IMGFMT_PNG)
.source "@display_snapshot.qasm"
.maxstack 12
.lineno 1
  GETGLOBAL r0 "exitonerror"
  LOADBOOL r1 0 0
  CALL r0 2 1
.lineno 2
  GETGLOBAL r0 "createbgpic"
  LOADK r1 #10
  LOADK r2 #64
  LOADK r3 #48
  LOADK r4 #2113664
  CALL r0 5 1
  GETGLOBAL r0 "createbgpic"
  LOADK r1 #11
  LOADK r2 #16
  LOADK r3 #16
  LOADK r4 #16711680
  CALL r0 5 1
.lineno 3
  GETGLOBAL r0 "displaybgpic"
  LOADK r1 #10
  CALL r0 2 1
  GETGLOBAL r0 "displaybgpicpart"
  LOADK r1 #11
  LOADK r2 #0
  LOADK r3 #0
  LOADK r4 #8
  LOADK r5 #8
  LOADK r6 #4
  LOADK r7 #6
  CALL r0 8 1
.lineno 4
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "d.png"
  LOADK r2 #1
  LOADK r3 #1
  CALL r0 4 1
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "w.png"
  LOADK r2 #0
  LOADK r3 #1
  CALL r0 4 1
.lineno 5
  GETGLOBAL r0 "setdisplayattributes"
  NEWTABLE r1 0 0
  LOADK r2 #1
  SETTABLE r1 "scalemode" r2
  LOADK r2 #128
  SETTABLE r1 "scalewidth" r2
  LOADK r2 #96
  SETTABLE r1 "scaleheight" r2
  CALL r0 2 1
.lineno 6
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getattribute"
  LOADK r2 #21
  LOADK r3 #0
  LOADK r4 #0
  CALL r1 4 2
  GETGLOBAL r2 "getattribute"
  LOADK r3 #21
  LOADK r4 #0
  LOADK r5 #44
  CALL r2 4 2
  GETGLOBAL r3 "getattribute"
  LOADK r4 #21
  LOADK r5 #0
  LOADK r6 #43
  CALL r3 4 0
  CALL r0 0 1
.lineno 7
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "s.png"
  LOADK r2 #0
  LOADK r3 #1
  CALL r0 4 1
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "sd.png"
  LOADK r2 #1
  LOADK r3 #1
  CALL r0 4 1
.lineno 8
  GETGLOBAL r0 "setdisplayattributes"
  NEWTABLE r1 0 0
  LOADBOOL r2 1 0
  SETTABLE r1 "keepproportions" r2
  LOADK r2 #200
  SETTABLE r1 "scalewidth" r2
  LOADK r2 #96
  SETTABLE r1 "scaleheight" r2
  CALL r0 2 1
.lineno 9
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getattribute"
  LOADK r2 #21
  LOADK r3 #0
  LOADK r4 #44
  CALL r1 4 2
  GETGLOBAL r2 "getattribute"
  LOADK r3 #21
  LOADK r4 #0
  LOADK r5 #24
  CALL r2 4 2
  GETGLOBAL r3 "getattribute"
  LOADK r4 #21
  LOADK r5 #0
  LOADK r6 #26
  CALL r3 4 0
  CALL r0 0 1
.lineno 10
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "k.png"
  LOADK r2 #0
  LOADK r3 #1
  CALL r0 4 1
.lineno 11
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "desk.png"
  LOADK r2 #2
  LOADK r3 #1
  CALL r0 4 1
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getlasterror"
  CALL r1 1 2
  GETGLOBAL r2 "getattribute"
  LOADK r3 #21
  LOADK r4 #0
  LOADK r5 #7
  CALL r2 4 2
  GETGLOBAL r3 "getattribute"
  LOADK r4 #21
  LOADK r5 #0
  LOADK r6 #8
  CALL r3 4 0
  CALL r0 0 1
.lineno 12
  GETGLOBAL r0 "setdisplayattributes"
  NEWTABLE r1 0 0
  LOADK r2 #0
  SETTABLE r1 "scalemode" r2
  CALL r0 2 1
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "u.png"
  LOADK r2 #0
  LOADK r3 #1
  CALL r0 4 1
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getattribute"
  LOADK r2 #21
  LOADK r3 #0
  LOADK r4 #44
  CALL r1 4 0
  CALL r0 0 1
.lineno 13
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "t.bmp"
  LOADK r2 #3
  CALL r0 3 1
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getlasterror"
  CALL r1 1 0
  CALL r0 0 1
.lineno 14
  GETGLOBAL r0 "closedisplay"
  LOADK r1 #1
  CALL r0 2 1
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "c.bmp"
  CALL r0 2 1
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getlasterror"
  CALL r1 1 0
  CALL r0 0 1
.lineno 15
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "c2.bmp"
  LOADK r2 #1
  CALL r0 3 1
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getlasterror"
  CALL r1 1 0
  CALL r0 0 1
.lineno 16
  GETGLOBAL r0 "createbrush"
  LOADK r1 #20
  LOADK r2 #4
  LOADK r3 #4
  LOADK r4 #65280
  CALL r0 5 1
  GETGLOBAL r0 "createdisplay"
  LOADNIL r1 r1
  NEWTABLE r2 0 0
  LOADK r3 #8
  SETTABLE r2 "width" r3
  LOADK r3 #8
  SETTABLE r2 "height" r3
  LOADK r3 #3
  SETTABLE r2 "fillstyle" r3
  LOADK r3 #20
  SETTABLE r2 "texturebrush" r3
  CALL r0 3 2
  SETGLOBAL r0 "t"
.lineno 17
  GETGLOBAL r0 "createdisplay"
  LOADNIL r1 r1
  NEWTABLE r2 0 0
  LOADK r3 #64
  SETTABLE r2 "width" r3
  LOADK r3 #32
  SETTABLE r2 "height" r3
  LOADK r3 #2
  SETTABLE r2 "fillstyle" r3
  LOADK r3 #16711680
  SETTABLE r2 "gradientstartcolor" r3
  LOADK r3 #255
  SETTABLE r2 "gradientendcolor" r3
  CALL r0 3 2
  SETGLOBAL r0 "g"
.lineno 18
  GETGLOBAL r0 "selectdisplay"
  GETGLOBAL r1 "g"
  CALL r0 2 1
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "g.png"
  LOADK r2 #1
  LOADK r3 #1
  CALL r0 4 1
  GETGLOBAL r0 "selectdisplay"
  GETGLOBAL r1 "t"
  CALL r0 2 1
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "x.png"
  LOADK r2 #1
  LOADK r3 #1
  CALL r0 4 1
  RETURN r0 1
