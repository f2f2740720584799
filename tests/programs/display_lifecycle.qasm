; label: display
; ExitOnError(False)
; DebugPrint(GetAttribute(#DISPLAY, 0, #ATTRWIDTH), GetAttribute(#DISPLAY, 0, #ATTRHEIGHT), GetAttribute(#DISPLAY, 0, #ATTRSTATE), GetAttribute(#DISPLAY, 0, #ATTRTITLE), GetAttribute(#DISPLAY, 0, #ATTRCOUNT))
; h = CreateDisplay(Nil, {width = 320, height = 200, color = $FF0000, title = "Two"})
; DebugPrint(GetAttribute(#DISPLAY, h, #ATTRSTATE), GetAttribute(#DISPLAY, h, #ATTRWIDTH), CreateDisplay(2, {width = 100, height = 50}))
; OpenDisplay(h, 1)  DebugPrint(GetAttribute(#DISPLAY, h, #ATTRSTATE), GetAttribute(#DISPLAY, 0, #ATTRTITLE))
; OpenDisplay(h)  DebugPrint(GetLastError())
; SelectDisplay(h)  DebugPrint(GetAttribute(#DISPLAY, 0, #ATTRTITLE))
; FreeDisplay(h)  DebugPrint(GetLastError())
; SelectDisplay(1)  CreateDisplay(1)  DebugPrint(GetLastError())
; CloseDisplay(h)  DebugPrint(GetAttribute(#DISPLAY, h, #ATTRSTATE))
; CloseDisplay(h)  DebugPrint(GetLastError())
; FreeDisplay(h)  FreeDisplay(2)  DebugPrint(GetAttribute(#DISPLAY, 0, #ATTRCOUNT))
; FreeDisplay(7)  DebugPrint(GetLastError())
; CreateDisplay(3, {scalewidth = 0})  DebugPrint(GetLastError())
; CreateDisplay(3, {scalemode = 1, scalewidth = -50, scaleheight = -50})
; DebugPrint(GetAttribute(#DISPLAY, 3, #ATTRWIDTH), GetAttribute(#DISPLAY, 3, #ATTRSCALEWIDTH), GetAttribute(#DISPLAY, 3, #ATTRSCALEHEIGHT), GetAttribute(#DISPLAY, 3, #ATTRSCALEMODE))
; CreateDisplay(4, {scalewidth = 300, scalemode = 0})  DebugPrint(GetAttribute(#DISPLAY, 4, #ATTRSCALEWIDTH), GetAttribute(#DISPLAY, 4, #ATTRSCALEMODE))
; CreateBGPic(5, 10, 10)  CreateDisplay(6, {bgpic = 5})  CreateDisplay(8, {bgpic = 5})  DebugPrint(GetLastError())
; CreateDisplay(9, {dragregion = {{type = 3, x = 0, y = 0, width = 5, height = 5}}})  DebugPrint(GetLastError())
; CreateDisplay(9, {sizeregion = {{x = 0, y = 0, width = 5}}})  DebugPrint(GetLastError())
; CreateDisplay(9, {title = "x", fillstyle = 7})  DebugPrint(GetLastError())
; FreeDisplay(6)  DebugPrint(GetAttribute(#BGPIC, 5, #ATTRWIDTH))
; FreeDisplay(3)  FreeDisplay(4)  DebugPrint(GetAttribute(#DISPLAY, 0, #ATTRCOUNT), GetAttribute(#BGPIC, 0, #ATTRCOUNT))
; ChangeDisplaySize("50%", #KEEPASPRAT)  DebugPrint(GetAttribute(#DISPLAY, 0, #ATTRWIDTH), GetAttribute(#DISPLAY, 0, #ATTRHEIGHT))
; ChangeDisplaySize(#KEEPASPRAT, #KEEPASPRAT)  DebugPrint(GetLastError())
; ChangeDisplaySize(0, 10)  DebugPrint(GetLastError())
; ChangeDisplaySize(400, 300, {x = 10, y = 20})  DebugPrint(GetAttribute(#DISPLAY, 0, #ATTRWIDTH), GetAttribute(#DISPLAY, 0, #ATTRXPOS), GetAttribute(#DISPLAY, 0, #ATTRYPOS), GetAttribute(#DISPLAY, 0, #ATTRMARGINRIGHT))
; MoveDisplay(30, 40)  DebugPrint(GetAttribute(#DISPLAY, 0, #ATTRXPOS), GetAttribute(#DISPLAY, 0, #ATTRYPOS))
; SetTitle(RepeatStr("a", 256))  DebugPrint(GetLastError())
; SetTitle(RepeatStr("b", 255))  DebugPrint(StrLen(GetAttribute(#DISPLAY, 0, #ATTRTITLE)))
; SetTitle("Renamed")  DebugPrint(GetAttribute(#DISPLAY, 1, #ATTRTITLE))
; HideDisplay()  DebugPrint(GetAttribute(#DISPLAY, 0, #ATTRSTATE), GetAttribute(#DISPLAY, 0, #ATTRACTIVE))
; HideDisplay()  DebugPrint(GetLastError())
; ShowDisplay()  DebugPrint(GetAttribute(#DISPLAY, 0, #ATTRSTATE), GetAttribute(#DISPLAY, 0, #ATTRACTIVE))
; ShowDisplay()  DebugPrint(GetLastError())
; SetDisplayAttributes({borderless = True, title = "Attr"})  DebugPrint(GetAttribute(#DISPLAY, 0, #ATTRBORDERLESS), GetAttribute(#DISPLAY, 0, #ATTRTITLE), GetAttribute(#DISPLAY, 0, #ATTRSTATE))
; SetDisplayAttributes({width = 200, height = 100})  DebugPrint(GetAttribute(#DISPLAY, 0, #ATTRWIDTH), GetAttribute(#DISPLAY, 0, #ATTRHEIGHT))
; SetDisplayAttributes({title = RepeatStr("c", 256)})  DebugPrint(GetLastError(), GetAttribute(#DISPLAY, 0, #ATTRTITLE))
; DisplayBGPic(5)  DebugPrint(GetAttribute(#DISPLAY, 0, #ATTRWIDTH), GetAttribute(#DISPLAY, 0, #ATTRBGPIC))
; FreeBGPic(5)  DebugPrint(GetLastError(), GetAttribute(#DISPLAY, 0, #ATTRWIDTH))
; DebugPrint(GetAttribute(#DISPLAY, 0, #ATTRHOSTWIDTH), GetAttribute(#DISPLAY, 0, #ATTRHOSTHEIGHT), GetAttribute(#DISPLAY, 0, #ATTRHOSTDEPTH), GetAttribute(#DISPLAY, 0, #ATTRMODE))
; DebugPrint(GetAttribute(#DISPLAY, 0, #ATTROUTPUTDEVICE))
; GetAttribute(#DISPLAY, 0, 99)  DebugPrint(GetLastError())
.source "@display_lifecycle.qasm"
.maxstack 13
.lineno 1
  GETGLOBAL r0 "exitonerror"
  LOADBOOL r1 0 0
  CALL r0 2 1
.lineno 2
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getattribute"
  LOADK r2 #21
  LOADK r3 #0
  LOADK r4 #0
  CALL r1 4 2
  GETGLOBAL r2 "getattribute"
  LOADK r3 #21
  LOADK r4 #0
  LOADK r5 #1
  CALL r2 4 2
  GETGLOBAL r3 "getattribute"
  LOADK r4 #21
  LOADK r5 #0
  LOADK r6 #40
  CALL r3 4 2
  GETGLOBAL r4 "getattribute"
  LOADK r5 #21
  LOADK r6 #0
  LOADK r7 #51
  CALL r4 4 2
  GETGLOBAL r5 "getattribute"
  LOADK r6 #21
  LOADK r7 #0
  LOADK r8 #60
  CALL r5 4 0
  CALL r0 0 1
.lineno 3
  GETGLOBAL r0 "createdisplay"
  LOADNIL r1 r1
  NEWTABLE r2 0 0
  LOADK r3 #320
  SETTABLE r2 "width" r3
  LOADK r3 #200
  SETTABLE r2 "height" r3
  LOADK r3 #16711680
  SETTABLE r2 "color" r3
  LOADK r3 "Two"
  SETTABLE r2 "title" r3
  CALL r0 3 2
  SETGLOBAL r0 "h"
.lineno 4
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getattribute"
  LOADK r2 #21
  GETGLOBAL r3 "h"
  LOADK r4 #40
  CALL r1 4 2
  GETGLOBAL r2 "getattribute"
  LOADK r3 #21
  GETGLOBAL r4 "h"
  LOADK r5 #0
  CALL r2 4 2
  GETGLOBAL r3 "createdisplay"
  LOADK r4 #2
  NEWTABLE r5 0 0
  LOADK r6 #100
  SETTABLE r5 "width" r6
  LOADK r6 #50
  SETTABLE r5 "height" r6
  CALL r3 3 0
  CALL r0 0 1
.lineno 5
  GETGLOBAL r0 "opendisplay"
  GETGLOBAL r1 "h"
  LOADK r2 #1
  CALL r0 3 1
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getattribute"
  LOADK r2 #21
  GETGLOBAL r3 "h"
  LOADK r4 #40
  CALL r1 4 2
  GETGLOBAL r2 "getattribute"
  LOADK r3 #21
  LOADK r4 #0
  LOADK r5 #51
  CALL r2 4 0
  CALL r0 0 1
.lineno 6
  GETGLOBAL r0 "opendisplay"
  GETGLOBAL r1 "h"
  CALL r0 2 1
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getlasterror"
  CALL r1 1 0
  CALL r0 0 1
.lineno 7
  GETGLOBAL r0 "selectdisplay"
  GETGLOBAL r1 "h"
  CALL r0 2 1
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getattribute"
  LOADK r2 #21
  LOADK r3 #0
  LOADK r4 #51
  CALL r1 4 0
  CALL r0 0 1
.lineno 8
  GETGLOBAL r0 "freedisplay"
  GETGLOBAL r1 "h"
  CALL r0 2 1
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getlasterror"
  CALL r1 1 0
  CALL r0 0 1
.lineno 9
  GETGLOBAL r0 "selectdisplay"
  LOADK r1 #1
  CALL r0 2 1
  GETGLOBAL r0 "createdisplay"
  LOADK r1 #1
  CALL r0 2 1
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getlasterror"
  CALL r1 1 0
  CALL r0 0 1
.lineno 10
  GETGLOBAL r0 "closedisplay"
  GETGLOBAL r1 "h"
  CALL r0 2 1
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getattribute"
  LOADK r2 #21
  GETGLOBAL r3 "h"
  LOADK r4 #40
  CALL r1 4 0
  CALL r0 0 1
.lineno 11
  GETGLOBAL r0 "closedisplay"
  GETGLOBAL r1 "h"
  CALL r0 2 1
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getlasterror"
  CALL r1 1 0
  CALL r0 0 1
.lineno 12
  GETGLOBAL r0 "freedisplay"
  GETGLOBAL r1 "h"
  CALL r0 2 1
  GETGLOBAL r0 "freedisplay"
  LOADK r1 #2
  CALL r0 2 1
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getattribute"
  LOADK r2 #21
  LOADK r3 #0
  LOADK r4 #60
  CALL r1 4 0
  CALL r0 0 1
.lineno 13
  GETGLOBAL r0 "freedisplay"
  LOADK r1 #7
  CALL r0 2 1
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getlasterror"
  CALL r1 1 0
  CALL r0 0 1
.lineno 14
  GETGLOBAL r0 "createdisplay"
  LOADK r1 #3
  NEWTABLE r2 0 0
  LOADK r3 #0
  SETTABLE r2 "scalewidth" r3
  CALL r0 3 1
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getlasterror"
  CALL r1 1 0
  CALL r0 0 1
.lineno 15
  GETGLOBAL r0 "createdisplay"
  LOADK r1 #3
  NEWTABLE r2 0 0
  LOADK r3 #1
  SETTABLE r2 "scalemode" r3
  LOADK r3 #-50
  SETTABLE r2 "scalewidth" r3
  LOADK r3 #-50
  SETTABLE r2 "scaleheight" r3
  CALL r0 3 1
.lineno 16
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getattribute"
  LOADK r2 #21
  LOADK r3 #3
  LOADK r4 #0
  CALL r1 4 2
  GETGLOBAL r2 "getattribute"
  LOADK r3 #21
  LOADK r4 #3
  LOADK r5 #44
  CALL r2 4 2
  GETGLOBAL r3 "getattribute"
  LOADK r4 #21
  LOADK r5 #3
  LOADK r6 #45
  CALL r3 4 2
  GETGLOBAL r4 "getattribute"
  LOADK r5 #21
  LOADK r6 #3
  LOADK r7 #43
  CALL r4 4 0
  CALL r0 0 1
.lineno 17
  GETGLOBAL r0 "createdisplay"
  LOADK r1 #4
  NEWTABLE r2 0 0
  LOADK r3 #300
  SETTABLE r2 "scalewidth" r3
  LOADK r3 #0
  SETTABLE r2 "scalemode" r3
  CALL r0 3 1
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getattribute"
  LOADK r2 #21
  LOADK r3 #4
  LOADK r4 #44
  CALL r1 4 2
  GETGLOBAL r2 "getattribute"
  LOADK r3 #21
  LOADK r4 #4
  LOADK r5 #43
  CALL r2 4 0
  CALL r0 0 1
.lineno 18
  GETGLOBAL r0 "createbgpic"
  LOADK r1 #5
  LOADK r2 #10
  LOADK r3 #10
  CALL r0 4 1
  GETGLOBAL r0 "createdisplay"
  LOADK r1 #6
  NEWTABLE r2 0 0
  LOADK r3 #5
  SETTABLE r2 "bgpic" r3
  CALL r0 3 1
  GETGLOBAL r0 "createdisplay"
  LOADK r1 #8
  NEWTABLE r2 0 0
  LOADK r3 #5
  SETTABLE r2 "bgpic" r3
  CALL r0 3 1
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getlasterror"
  CALL r1 1 0
  CALL r0 0 1
.lineno 19
  GETGLOBAL r0 "createdisplay"
  LOADK r1 #9
  NEWTABLE r2 0 0
  NEWTABLE r3 0 0
  NEWTABLE r4 0 0
  LOADK r5 #3
  SETTABLE r4 "type" r5
  LOADK r5 #0
  SETTABLE r4 "x" r5
  LOADK r5 #0
  SETTABLE r4 "y" r5
  LOADK r5 #5
  SETTABLE r4 "width" r5
  LOADK r5 #5
  SETTABLE r4 "height" r5
  SETTABLE r3 #0 r4
  SETTABLE r2 "dragregion" r3
  CALL r0 3 1
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getlasterror"
  CALL r1 1 0
  CALL r0 0 1
.lineno 20
  GETGLOBAL r0 "createdisplay"
  LOADK r1 #9
  NEWTABLE r2 0 0
  NEWTABLE r3 0 0
  NEWTABLE r4 0 0
  LOADK r5 #0
  SETTABLE r4 "x" r5
  LOADK r5 #0
  SETTABLE r4 "y" r5
  LOADK r5 #5
  SETTABLE r4 "width" r5
  SETTABLE r3 #0 r4
  SETTABLE r2 "sizeregion" r3
  CALL r0 3 1
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getlasterror"
  CALL r1 1 0
  CALL r0 0 1
.lineno 21
  GETGLOBAL r0 "createdisplay"
  LOADK r1 #9
  NEWTABLE r2 0 0
  LOADK r3 "x"
  SETTABLE r2 "title" r3
  LOADK r3 #7
  SETTABLE r2 "fillstyle" r3
  CALL r0 3 1
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getlasterror"
  CALL r1 1 0
  CALL r0 0 1
.lineno 22
  GETGLOBAL r0 "freedisplay"
  LOADK r1 #6
  CALL r0 2 1
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getattribute"
  LOADK r2 #1
  LOADK r3 #5
  LOADK r4 #0
  CALL r1 4 0
  CALL r0 0 1
.lineno 23
  GETGLOBAL r0 "freedisplay"
  LOADK r1 #3
  CALL r0 2 1
  GETGLOBAL r0 "freedisplay"
  LOADK r1 #4
  CALL r0 2 1
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getattribute"
  LOADK r2 #21
  LOADK r3 #0
  LOADK r4 #60
  CALL r1 4 2
  GETGLOBAL r2 "getattribute"
  LOADK r3 #1
  LOADK r4 #0
  LOADK r5 #60
  CALL r2 4 0
  CALL r0 0 1
.lineno 24
  GETGLOBAL r0 "changedisplaysize"
  LOADK r1 "50%"
  LOADK r2 #100000
  CALL r0 3 1
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getattribute"
  LOADK r2 #21
  LOADK r3 #0
  LOADK r4 #0
  CALL r1 4 2
  GETGLOBAL r2 "getattribute"
  LOADK r3 #21
  LOADK r4 #0
  LOADK r5 #1
  CALL r2 4 0
  CALL r0 0 1
.lineno 25
  GETGLOBAL r0 "changedisplaysize"
  LOADK r1 #100000
  LOADK r2 #100000
  CALL r0 3 1
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getlasterror"
  CALL r1 1 0
  CALL r0 0 1
.lineno 26
  GETGLOBAL r0 "changedisplaysize"
  LOADK r1 #0
  LOADK r2 #10
  CALL r0 3 1
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getlasterror"
  CALL r1 1 0
  CALL r0 0 1
.lineno 27
  GETGLOBAL r0 "changedisplaysize"
  LOADK r1 #400
  LOADK r2 #300
  NEWTABLE r3 0 0
  LOADK r4 #10
  SETTABLE r3 "x" r4
  LOADK r4 #20
  SETTABLE r3 "y" r4
  CALL r0 4 1
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getattribute"
  LOADK r2 #21
  LOADK r3 #0
  LOADK r4 #0
  CALL r1 4 2
  GETGLOBAL r2 "getattribute"
  LOADK r3 #21
  LOADK r4 #0
  LOADK r5 #7
  CALL r2 4 2
  GETGLOBAL r3 "getattribute"
  LOADK r4 #21
  LOADK r5 #0
  LOADK r6 #8
  CALL r3 4 2
  GETGLOBAL r4 "getattribute"
  LOADK r5 #21
  LOADK r6 #0
  LOADK r7 #53
  CALL r4 4 0
  CALL r0 0 1
.lineno 28
  GETGLOBAL r0 "movedisplay"
  LOADK r1 #30
  LOADK r2 #40
  CALL r0 3 1
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getattribute"
  LOADK r2 #21
  LOADK r3 #0
  LOADK r4 #7
  CALL r1 4 2
  GETGLOBAL r2 "getattribute"
  LOADK r3 #21
  LOADK r4 #0
  LOADK r5 #8
  CALL r2 4 0
  CALL r0 0 1
.lineno 29
  GETGLOBAL r0 "settitle"
  GETGLOBAL r1 "repeatstr"
  LOADK r2 "a"
  LOADK r3 #256
  CALL r1 3 0
  CALL r0 0 1
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getlasterror"
  CALL r1 1 0
  CALL r0 0 1
.lineno 30
  GETGLOBAL r0 "settitle"
  GETGLOBAL r1 "repeatstr"
  LOADK r2 "b"
  LOADK r3 #255
  CALL r1 3 0
  CALL r0 0 1
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "strlen"
  GETGLOBAL r2 "getattribute"
  LOADK r3 #21
  LOADK r4 #0
  LOADK r5 #51
  CALL r2 4 0
  CALL r1 0 0
  CALL r0 0 1
.lineno 31
  GETGLOBAL r0 "settitle"
  LOADK r1 "Renamed"
  CALL r0 2 1
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getattribute"
  LOADK r2 #21
  LOADK r3 #1
  LOADK r4 #51
  CALL r1 4 0
  CALL r0 0 1
.lineno 32
  GETGLOBAL r0 "hidedisplay"
  CALL r0 1 1
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getattribute"
  LOADK r2 #21
  LOADK r3 #0
  LOADK r4 #40
  CALL r1 4 2
  GETGLOBAL r2 "getattribute"
  LOADK r3 #21
  LOADK r4 #0
  LOADK r5 #41
  CALL r2 4 0
  CALL r0 0 1
.lineno 33
  GETGLOBAL r0 "hidedisplay"
  CALL r0 1 1
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getlasterror"
  CALL r1 1 0
  CALL r0 0 1
.lineno 34
  GETGLOBAL r0 "showdisplay"
  CALL r0 1 1
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getattribute"
  LOADK r2 #21
  LOADK r3 #0
  LOADK r4 #40
  CALL r1 4 2
  GETGLOBAL r2 "getattribute"
  LOADK r3 #21
  LOADK r4 #0
  LOADK r5 #41
  CALL r2 4 0
  CALL r0 0 1
.lineno 35
  GETGLOBAL r0 "showdisplay"
  CALL r0 1 1
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getlasterror"
  CALL r1 1 0
  CALL r0 0 1
.lineno 36
  GETGLOBAL r0 "setdisplayattributes"
  NEWTABLE r1 0 0
  LOADBOOL r2 1 0
  SETTABLE r1 "borderless" r2
  LOADK r2 "Attr"
  SETTABLE r1 "title" r2
  CALL r0 2 1
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getattribute"
  LOADK r2 #21
  LOADK r3 #0
  LOADK r4 #46
  CALL r1 4 2
  GETGLOBAL r2 "getattribute"
  LOADK r3 #21
  LOADK r4 #0
  LOADK r5 #51
  CALL r2 4 2
  GETGLOBAL r3 "getattribute"
  LOADK r4 #21
  LOADK r5 #0
  LOADK r6 #40
  CALL r3 4 0
  CALL r0 0 1
.lineno 37
  GETGLOBAL r0 "setdisplayattributes"
  NEWTABLE r1 0 0
  LOADK r2 #200
  SETTABLE r1 "width" r2
  LOADK r2 #100
  SETTABLE r1 "height" r2
  CALL r0 2 1
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getattribute"
  LOADK r2 #21
  LOADK r3 #0
  LOADK r4 #0
  CALL r1 4 2
  GETGLOBAL r2 "getattribute"
  LOADK r3 #21
  LOADK r4 #0
  LOADK r5 #1
  CALL r2 4 0
  CALL r0 0 1
.lineno 38
  GETGLOBAL r0 "setdisplayattributes"
  NEWTABLE r1 0 0
  GETGLOBAL r2 "repeatstr"
  LOADK r3 "c"
  LOADK r4 #256
  CALL r2 3 2
  SETTABLE r1 "title" r2
  CALL r0 2 1
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getlasterror"
  CALL r1 1 2
  GETGLOBAL r2 "getattribute"
  LOADK r3 #21
  LOADK r4 #0
  LOADK r5 #51
  CALL r2 4 0
  CALL r0 0 1
.lineno 39
  GETGLOBAL r0 "displaybgpic"
  LOADK r1 #5
  CALL r0 2 1
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getattribute"
  LOADK r2 #21
  LOADK r3 #0
  LOADK r4 #0
  CALL r1 4 2
  GETGLOBAL r2 "getattribute"
  LOADK r3 #21
  LOADK r4 #0
  LOADK r5 #4
  CALL r2 4 0
  CALL r0 0 1
.lineno 40
  GETGLOBAL r0 "freebgpic"
  LOADK r1 #5
  CALL r0 2 1
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getlasterror"
  CALL r1 1 2
  GETGLOBAL r2 "getattribute"
  LOADK r3 #21
  LOADK r4 #0
  LOADK r5 #0
  CALL r2 4 0
  CALL r0 0 1
.lineno 41
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getattribute"
  LOADK r2 #21
  LOADK r3 #0
  LOADK r4 #28
  CALL r1 4 2
  GETGLOBAL r2 "getattribute"
  LOADK r3 #21
  LOADK r4 #0
  LOADK r5 #29
  CALL r2 4 2
  GETGLOBAL r3 "getattribute"
  LOADK r4 #21
  LOADK r5 #0
  LOADK r6 #56
  CALL r3 4 2
  GETGLOBAL r4 "getattribute"
  LOADK r5 #21
  LOADK r6 #0
  LOADK r7 #42
  CALL r4 4 0
  CALL r0 0 1
.lineno 42
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getattribute"
  LOADK r2 #21
  LOADK r3 #0
  LOADK r4 #54
  CALL r1 4 0
  CALL r0 0 1
.lineno 43
  GETGLOBAL r0 "getattribute"
  LOADK r1 #21
  LOADK r2 #0
  LOADK r3 #99
  CALL r0 4 1
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getlasterror"
  CALL r1 1 0
  CALL r0 0 1
  RETURN r0 1
