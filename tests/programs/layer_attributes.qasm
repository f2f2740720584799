; label: layers.commands
; ExitOnError(false)
; GetAttribute(22, 1, 0); DebugPrint("layers off", GetLastError())
; EnableLayers(); CreateLayer(10, 15, 20, 25, {color = 0xFF0000}); CreateBrush(5, 30, 12, 0xFFFFFF); DisplayBrush(5, 0, 0); SetLayerName(2, "second")
; DebugPrint("box layer", GetAttribute(22, 1, 0), GetAttribute(22, 1, 1), GetAttribute(22, 1, 7), GetAttribute(22, 1, 8), GetAttribute(22, 1, 65), GetAttribute(22, 1, 66), GetAttribute(22, 1, 67), GetAttribute(22, 1, 68))
; DebugPrint("brush layer", GetAttribute(22, 2, 0), GetAttribute(22, 2, 1), GetAttribute(22, 2, 9), GetAttribute(22, 2, 10), GetAttribute(22, "SECOND", 13), GetAttribute(22, 1, 6), GetAttribute(22, 1, 62))
; GetAttribute(22, 3, 0); DebugPrint("past the top", GetLastError()); GetAttribute(22, "none", 0); DebugPrint("no such name", GetLastError())
; GetAttribute(22, 1, 11); DebugPrint("not an anim", GetLastError()); GetAttribute(22, 1, 36); DebugPrint("not a text", GetLastError()); GetAttribute(22, 1, 60); DebugPrint("unknown", GetLastError())
; SelectBrush(5); DebugPrint("into a brush", GetAttribute(22, 1, 0)); EndSelect()
; CreateBGPic(7, 50, 50); SelectBGPic(7, 2); CreateLayer(1, 2, 3, 4, {color = 0xFF}); DebugPrint("selected picture", GetAttribute(22, 1, 0), GetAttribute(22, 1, 7), GetAttribute(22, 1, 6)); EndSelect()
; DisableLayers(); GetAttribute(22, 1, 0); DebugPrint("off again", GetLastError())
.source "@layer_attributes.qasm"
.maxstack 14
.lineno 1
  GETGLOBAL r0 "exitonerror"
  LOADBOOL r1 0 0
  CALL r0 2 1
.lineno 2
  GETGLOBAL r0 "getattribute"
  LOADK r1 #22
  LOADK r2 #1
  LOADK r3 #0
  CALL r0 4 1
  GETGLOBAL r0 "debugprint"
  LOADK r1 "layers off"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 2
  CALL r0 3 1
.lineno 3
  GETGLOBAL r0 "enablelayers"
  CALL r0 1 1
  GETGLOBAL r0 "createlayer"
  LOADK r1 #10
  LOADK r2 #15
  LOADK r3 #20
  LOADK r4 #25
  NEWTABLE r5 0 0
  LOADK r6 #16711680
  SETTABLE r5 "color" r6
  CALL r0 6 1
  GETGLOBAL r0 "createbrush"
  LOADK r1 #5
  LOADK r2 #30
  LOADK r3 #12
  LOADK r4 #16777215
  CALL r0 5 1
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #5
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 1
  GETGLOBAL r0 "setlayername"
  LOADK r1 #2
  LOADK r2 "second"
  CALL r0 3 1
.lineno 4
  GETGLOBAL r0 "debugprint"
  LOADK r1 "box layer"
  GETGLOBAL r2 "getattribute"
  LOADK r3 #22
  LOADK r4 #1
  LOADK r5 #0
  CALL r2 4 2
  GETGLOBAL r3 "getattribute"
  LOADK r4 #22
  LOADK r5 #1
  LOADK r6 #1
  CALL r3 4 2
  GETGLOBAL r4 "getattribute"
  LOADK r5 #22
  LOADK r6 #1
  LOADK r7 #7
  CALL r4 4 2
  GETGLOBAL r5 "getattribute"
  LOADK r6 #22
  LOADK r7 #1
  LOADK r8 #8
  CALL r5 4 2
  GETGLOBAL r6 "getattribute"
  LOADK r7 #22
  LOADK r8 #1
  LOADK r9 #65
  CALL r6 4 2
  GETGLOBAL r7 "getattribute"
  LOADK r8 #22
  LOADK r9 #1
  LOADK r10 #66
  CALL r7 4 2
  GETGLOBAL r8 "getattribute"
  LOADK r9 #22
  LOADK r10 #1
  LOADK r11 #67
  CALL r8 4 2
  GETGLOBAL r9 "getattribute"
  LOADK r10 #22
  LOADK r11 #1
  LOADK r12 #68
  CALL r9 4 2
  CALL r0 10 1
.lineno 5
  GETGLOBAL r0 "debugprint"
  LOADK r1 "brush layer"
  GETGLOBAL r2 "getattribute"
  LOADK r3 #22
  LOADK r4 #2
  LOADK r5 #0
  CALL r2 4 2
  GETGLOBAL r3 "getattribute"
  LOADK r4 #22
  LOADK r5 #2
  LOADK r6 #1
  CALL r3 4 2
  GETGLOBAL r4 "getattribute"
  LOADK r5 #22
  LOADK r6 #2
  LOADK r7 #9
  CALL r4 4 2
  GETGLOBAL r5 "getattribute"
  LOADK r6 #22
  LOADK r7 #2
  LOADK r8 #10
  CALL r5 4 2
  GETGLOBAL r6 "getattribute"
  LOADK r7 #22
  LOADK r8 "SECOND"
  LOADK r9 #13
  CALL r6 4 2
  GETGLOBAL r7 "getattribute"
  LOADK r8 #22
  LOADK r9 #1
  LOADK r10 #6
  CALL r7 4 2
  GETGLOBAL r8 "getattribute"
  LOADK r9 #22
  LOADK r10 #1
  LOADK r11 #62
  CALL r8 4 2
  CALL r0 9 1
.lineno 6
  GETGLOBAL r0 "getattribute"
  LOADK r1 #22
  LOADK r2 #3
  LOADK r3 #0
  CALL r0 4 1
  GETGLOBAL r0 "debugprint"
  LOADK r1 "past the top"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 2
  CALL r0 3 1
  GETGLOBAL r0 "getattribute"
  LOADK r1 #22
  LOADK r2 "none"
  LOADK r3 #0
  CALL r0 4 1
  GETGLOBAL r0 "debugprint"
  LOADK r1 "no such name"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 2
  CALL r0 3 1
.lineno 7
  GETGLOBAL r0 "getattribute"
  LOADK r1 #22
  LOADK r2 #1
  LOADK r3 #11
  CALL r0 4 1
  GETGLOBAL r0 "debugprint"
  LOADK r1 "not an anim"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 2
  CALL r0 3 1
  GETGLOBAL r0 "getattribute"
  LOADK r1 #22
  LOADK r2 #1
  LOADK r3 #36
  CALL r0 4 1
  GETGLOBAL r0 "debugprint"
  LOADK r1 "not a text"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 2
  CALL r0 3 1
  GETGLOBAL r0 "getattribute"
  LOADK r1 #22
  LOADK r2 #1
  LOADK r3 #60
  CALL r0 4 1
  GETGLOBAL r0 "debugprint"
  LOADK r1 "unknown"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 2
  CALL r0 3 1
.lineno 8
  GETGLOBAL r0 "selectbrush"
  LOADK r1 #5
  CALL r0 2 1
  GETGLOBAL r0 "debugprint"
  LOADK r1 "into a brush"
  GETGLOBAL r2 "getattribute"
  LOADK r3 #22
  LOADK r4 #1
  LOADK r5 #0
  CALL r2 4 2
  CALL r0 3 1
  GETGLOBAL r0 "endselect"
  CALL r0 1 1
.lineno 9
  GETGLOBAL r0 "createbgpic"
  LOADK r1 #7
  LOADK r2 #50
  LOADK r3 #50
  CALL r0 4 1
  GETGLOBAL r0 "selectbgpic"
  LOADK r1 #7
  LOADK r2 #2
  CALL r0 3 1
  GETGLOBAL r0 "createlayer"
  LOADK r1 #1
  LOADK r2 #2
  LOADK r3 #3
  LOADK r4 #4
  NEWTABLE r5 0 0
  LOADK r6 #255
  SETTABLE r5 "color" r6
  CALL r0 6 1
  GETGLOBAL r0 "debugprint"
  LOADK r1 "selected picture"
  GETGLOBAL r2 "getattribute"
  LOADK r3 #22
  LOADK r4 #1
  LOADK r5 #0
  CALL r2 4 2
  GETGLOBAL r3 "getattribute"
  LOADK r4 #22
  LOADK r5 #1
  LOADK r6 #7
  CALL r3 4 2
  GETGLOBAL r4 "getattribute"
  LOADK r5 #22
  LOADK r6 #1
  LOADK r7 #6
  CALL r4 4 2
  CALL r0 5 1
  GETGLOBAL r0 "endselect"
  CALL r0 1 1
.lineno 10
  GETGLOBAL r0 "disablelayers"
  CALL r0 1 1
  GETGLOBAL r0 "getattribute"
  LOADK r1 #22
  LOADK r2 #1
  LOADK r3 #0
  CALL r0 4 1
  GETGLOBAL r0 "debugprint"
  LOADK r1 "off again"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 2
  CALL r0 3 1
  RETURN r0 1
