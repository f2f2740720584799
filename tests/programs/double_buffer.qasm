; label: display.targets
; ExitOnError(False)
; CreateBGPic(10, 32, 32, $204080)  DisplayBGPic(10)  CreateBrush(2, 4, 4, $FF0000)  CreateBrush(5, 32, 32, $102030)
; BeginDoubleBuffer()  BeginDoubleBuffer()  DebugPrint(GetLastError())
; DisplayBrush(5, 0, 0)  DisplayBrush(2, 0, 0)  SaveSnapshot("d1.png", 1, 1)  SaveSnapshot("w1.png", 0, 1)
; Flip()  SaveSnapshot("d2.png", 1, 1)  SaveSnapshot("w2.png", 0, 1)
; SelectBrush(2)  DebugPrint(GetAttribute(21, 0, 55))  DisplayBrush(2, 0, 0, {scalex = 0.5, scaley = 0.5, tint = 255, tintcolor = $00FF00})  EndSelect()
; DisplayBrush(2, 8, 8)  Flip(False)  EndDoubleBuffer()  SaveSnapshot("w3.png", 0, 1)  SaveSnapshot("d3.png", 1, 1)
; Flip()  DebugPrint(GetLastError())  EndDoubleBuffer()  DebugPrint(GetLastError())
; SelectBrush(2)  BeginDoubleBuffer()  DebugPrint(GetLastError())
; SelectMask(2)  BeginDoubleBuffer()  DebugPrint(GetLastError())
; SelectAlphaChannel(2)  BeginDoubleBuffer()  DebugPrint(GetLastError())  EndSelect()
; CreateBrush(4, 8, 8, $000000, {mask = True})  BrushToBGPic(4, 30)  DisplayBGPic(30)  BeginDoubleBuffer()  DebugPrint(GetLastError())
; DisplayBGPic(10)  BeginDoubleBuffer()  SetDisplayAttributes({width = 40, height = 40})  DebugPrint(GetAttribute(21, 0, 55), GetAttribute(21, 0, 0))
; BeginDoubleBuffer()  ChangeDisplaySize(48, 48)  DebugPrint(GetAttribute(21, 0, 55), GetAttribute(21, 0, 0))
.source "@double_buffer.qasm"
.maxstack 11
.lineno 1
  GETGLOBAL r0 "exitonerror"
  LOADBOOL r1 0 0
  CALL r0 2 1
.lineno 2
  GETGLOBAL r0 "createbgpic"
  LOADK r1 #10
  LOADK r2 #32
  LOADK r3 #32
  LOADK r4 #2113664
  CALL r0 5 1
  GETGLOBAL r0 "displaybgpic"
  LOADK r1 #10
  CALL r0 2 1
  GETGLOBAL r0 "createbrush"
  LOADK r1 #2
  LOADK r2 #4
  LOADK r3 #4
  LOADK r4 #16711680
  CALL r0 5 1
  GETGLOBAL r0 "createbrush"
  LOADK r1 #5
  LOADK r2 #32
  LOADK r3 #32
  LOADK r4 #1056816
  CALL r0 5 1
.lineno 3
  GETGLOBAL r0 "begindoublebuffer"
  CALL r0 1 1
  GETGLOBAL r0 "begindoublebuffer"
  CALL r0 1 1
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getlasterror"
  CALL r1 1 2
  CALL r0 2 1
.lineno 4
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #5
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 1
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #2
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 1
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "d1.png"
  LOADK r2 #1
  LOADK r3 #1
  CALL r0 4 1
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "w1.png"
  LOADK r2 #0
  LOADK r3 #1
  CALL r0 4 1
.lineno 5
  GETGLOBAL r0 "flip"
  CALL r0 1 1
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "d2.png"
  LOADK r2 #1
  LOADK r3 #1
  CALL r0 4 1
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "w2.png"
  LOADK r2 #0
  LOADK r3 #1
  CALL r0 4 1
.lineno 6
  GETGLOBAL r0 "selectbrush"
  LOADK r1 #2
  CALL r0 2 1
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getattribute"
  LOADK r2 #21
  LOADK r3 #0
  LOADK r4 #55
  CALL r1 4 2
  CALL r0 2 1
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #2
  LOADK r2 #0
  LOADK r3 #0
  NEWTABLE r4 0 0
  LOADK r5 #0.5
  SETTABLE r4 "scalex" r5
  LOADK r5 #0.5
  SETTABLE r4 "scaley" r5
  LOADK r5 #255
  SETTABLE r4 "tint" r5
  LOADK r5 #65280
  SETTABLE r4 "tintcolor" r5
  CALL r0 5 1
  GETGLOBAL r0 "endselect"
  CALL r0 1 1
.lineno 7
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #2
  LOADK r2 #8
  LOADK r3 #8
  CALL r0 4 1
  GETGLOBAL r0 "flip"
  LOADBOOL r1 0 0
  CALL r0 2 1
  GETGLOBAL r0 "enddoublebuffer"
  CALL r0 1 1
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "w3.png"
  LOADK r2 #0
  LOADK r3 #1
  CALL r0 4 1
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "d3.png"
  LOADK r2 #1
  LOADK r3 #1
  CALL r0 4 1
.lineno 8
  GETGLOBAL r0 "flip"
  CALL r0 1 1
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getlasterror"
  CALL r1 1 2
  CALL r0 2 1
  GETGLOBAL r0 "enddoublebuffer"
  CALL r0 1 1
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getlasterror"
  CALL r1 1 2
  CALL r0 2 1
.lineno 9
  GETGLOBAL r0 "selectbrush"
  LOADK r1 #2
  CALL r0 2 1
  GETGLOBAL r0 "begindoublebuffer"
  CALL r0 1 1
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getlasterror"
  CALL r1 1 2
  CALL r0 2 1
.lineno 10
  GETGLOBAL r0 "selectmask"
  LOADK r1 #2
  CALL r0 2 1
  GETGLOBAL r0 "begindoublebuffer"
  CALL r0 1 1
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getlasterror"
  CALL r1 1 2
  CALL r0 2 1
.lineno 11
  GETGLOBAL r0 "selectalphachannel"
  LOADK r1 #2
  CALL r0 2 1
  GETGLOBAL r0 "begindoublebuffer"
  CALL r0 1 1
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getlasterror"
  CALL r1 1 2
  CALL r0 2 1
  GETGLOBAL r0 "endselect"
  CALL r0 1 1
.lineno 12
  GETGLOBAL r0 "createbrush"
  LOADK r1 #4
  LOADK r2 #8
  LOADK r3 #8
  LOADK r4 #0
  NEWTABLE r5 0 0
  LOADBOOL r6 1 0
  SETTABLE r5 "mask" r6
  CALL r0 6 1
  GETGLOBAL r0 "brushtobgpic"
  LOADK r1 #4
  LOADK r2 #30
  CALL r0 3 1
  GETGLOBAL r0 "displaybgpic"
  LOADK r1 #30
  CALL r0 2 1
  GETGLOBAL r0 "begindoublebuffer"
  CALL r0 1 1
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getlasterror"
  CALL r1 1 2
  CALL r0 2 1
.lineno 13
  GETGLOBAL r0 "displaybgpic"
  LOADK r1 #10
  CALL r0 2 1
  GETGLOBAL r0 "begindoublebuffer"
  CALL r0 1 1
  GETGLOBAL r0 "setdisplayattributes"
  NEWTABLE r1 0 0
  LOADK r2 #40
  SETTABLE r1 "width" r2
  LOADK r2 #40
  SETTABLE r1 "height" r2
  CALL r0 2 1
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getattribute"
  LOADK r2 #21
  LOADK r3 #0
  LOADK r4 #55
  CALL r1 4 2
  GETGLOBAL r2 "getattribute"
  LOADK r3 #21
  LOADK r4 #0
  LOADK r5 #0
  CALL r2 4 2
  CALL r0 3 1
.lineno 14
  GETGLOBAL r0 "begindoublebuffer"
  CALL r0 1 1
  GETGLOBAL r0 "changedisplaysize"
  LOADK r1 #48
  LOADK r2 #48
  CALL r0 3 1
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getattribute"
  LOADK r2 #21
  LOADK r3 #0
  LOADK r4 #55
  CALL r1 4 2
  GETGLOBAL r2 "getattribute"
  LOADK r3 #21
  LOADK r4 #0
  LOADK r5 #0
  CALL r2 4 2
  CALL r0 3 1
  RETURN r0 1
