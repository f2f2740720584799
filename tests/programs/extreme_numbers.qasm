; label: layers.commands
; Extreme numbers reach no integer overflow: positions beyond +-16777216 (NaN and the infinities
; among them), sizes beyond a picture's largest side and displays whose buffers pass the picture
; cap are refused with 1055 (1000 for the display) before anything changes; a move toward -2^31
; returns at once; positions right at the limit are kept, and a relative move stops there.
; ExitOnError(False)  CreateBrush(1, 20, 10, $FF0000)  EnableLayers()  DisplayBrush(1, 10, 10)  DisplayBrush(1, 40, 10)
; Each of these, then DebugPrint(name, GetLastError()):
;   ShowLayer(1, -Inf, 16)  ShowLayer(1, 10, 1e10)  TranslateLayer(1, 4294967295, 3)
;   SetLayerStyle(1, {x = 2147483647})  SetLayerStyle(1, {translatey = NaN})  ScaleLayer(1, 1e10, 16)
;   SetLayerShadow(1, 1, 0, 5, 2147483647)  SetLayerShadow(1, 1, 0, 1e10)  SetLayerBorder(1, 1, 0, 2147483647)
;   SetLayerStyle(1, {shadow = 1, shadowsize = 2147483647})  SetLayerStyle(1, {border = 1, bordersize = 2147483000})
;   CreateLayer(2147483647, 10, 10, 10)  DisplayBrush(1, 1e10, 10)  InsertLayer(1, #BRUSH, 1, 2147483647, 10)
;   MoveBrush(1, #CENTER, 3, -0.5, 1e10, 640, 5)
; DebugPrint("unchanged", GetAttribute(#LAYER, 1, #ATTRXPOS), GetAttribute(#LAYER, 1, #ATTRYPOS))
;   MoveLayer(2, 10, 10, 20, 20, 2147483647)  ShowLayer(1, 16777216, -16777216)  TranslateLayer(1, 16777216, -1)
; DebugPrint("at the edge", GetAttribute(#LAYER, 1, #ATTRXPOS), GetAttribute(#LAYER, 1, #ATTRYPOS))
; FreeLayers(False)  DisableLayers()  CreateSprite(1, #BRUSH, 1)
;   DisplaySprite(1, 1e10, 0)  DisplaySprite(1, 5, 5)  MoveSprite(1, 10, 10, 10, 1e10)
;   CreateDisplay(2, {width = 16384, height = 16384})  ChangeDisplaySize(16384, 16384)
; DebugPrint("display", GetAttribute(#DISPLAY, 0, #ATTRWIDTH), GetAttribute(#DISPLAY, 0, #ATTRHEIGHT))
.source "@extreme_numbers.qasm"
.maxstack 11
.lineno 1
  GETGLOBAL r0 "exitonerror"
  LOADK r1 #0
  CALL r0 2 1
.lineno 2
  GETGLOBAL r0 "createbrush"
  LOADK r1 #1
  LOADK r2 #20
  LOADK r3 #10
  LOADK r4 #16711680
  CALL r0 5 1
.lineno 3
  GETGLOBAL r0 "enablelayers"
  CALL r0 1 1
.lineno 4
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #1
  LOADK r2 #10
  LOADK r3 #10
  CALL r0 4 1
.lineno 5
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #1
  LOADK r2 #40
  LOADK r3 #10
  CALL r0 4 1
.lineno 6
  GETGLOBAL r0 "showlayer"
  LOADK r1 #1
  LOADK r2 #-inf
  LOADK r3 #16
  CALL r0 4 1
  GETGLOBAL r0 "debugprint"
  LOADK r1 "ShowLayer"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 2
  CALL r0 3 1
.lineno 7
  GETGLOBAL r0 "showlayer"
  LOADK r1 #1
  LOADK r2 #10
  LOADK r3 #10000000000
  CALL r0 4 1
  GETGLOBAL r0 "debugprint"
  LOADK r1 "ShowLayer"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 2
  CALL r0 3 1
.lineno 8
  GETGLOBAL r0 "translatelayer"
  LOADK r1 #1
  LOADK r2 #4294967295
  LOADK r3 #3
  CALL r0 4 1
  GETGLOBAL r0 "debugprint"
  LOADK r1 "TranslateLayer"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 2
  CALL r0 3 1
.lineno 9
  GETGLOBAL r0 "setlayerstyle"
  LOADK r1 #1
  NEWTABLE r2 0 1
  LOADK r3 #2147483647
  SETTABLE r2 "x" r3
  CALL r0 3 1
  GETGLOBAL r0 "debugprint"
  LOADK r1 "SetLayerStyle"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 2
  CALL r0 3 1
.lineno 10
  GETGLOBAL r0 "setlayerstyle"
  LOADK r1 #1
  NEWTABLE r2 0 1
  LOADK r3 #nan
  SETTABLE r2 "translatey" r3
  CALL r0 3 1
  GETGLOBAL r0 "debugprint"
  LOADK r1 "SetLayerStyle"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 2
  CALL r0 3 1
.lineno 11
  GETGLOBAL r0 "scalelayer"
  LOADK r1 #1
  LOADK r2 #10000000000
  LOADK r3 #16
  CALL r0 4 1
  GETGLOBAL r0 "debugprint"
  LOADK r1 "ScaleLayer"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 2
  CALL r0 3 1
.lineno 12
  GETGLOBAL r0 "setlayershadow"
  LOADK r1 #1
  LOADK r2 #1
  LOADK r3 #0
  LOADK r4 #5
  LOADK r5 #2147483647
  CALL r0 6 1
  GETGLOBAL r0 "debugprint"
  LOADK r1 "SetLayerShadow"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 2
  CALL r0 3 1
.lineno 13
  GETGLOBAL r0 "setlayershadow"
  LOADK r1 #1
  LOADK r2 #1
  LOADK r3 #0
  LOADK r4 #10000000000
  CALL r0 5 1
  GETGLOBAL r0 "debugprint"
  LOADK r1 "SetLayerShadow"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 2
  CALL r0 3 1
.lineno 14
  GETGLOBAL r0 "setlayerborder"
  LOADK r1 #1
  LOADK r2 #1
  LOADK r3 #0
  LOADK r4 #2147483647
  CALL r0 5 1
  GETGLOBAL r0 "debugprint"
  LOADK r1 "SetLayerBorder"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 2
  CALL r0 3 1
.lineno 15
  GETGLOBAL r0 "setlayerstyle"
  LOADK r1 #1
  NEWTABLE r2 0 2
  LOADK r3 #1
  SETTABLE r2 "shadow" r3
  LOADK r3 #2147483647
  SETTABLE r2 "shadowsize" r3
  CALL r0 3 1
  GETGLOBAL r0 "debugprint"
  LOADK r1 "SetLayerStyle"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 2
  CALL r0 3 1
.lineno 16
  GETGLOBAL r0 "setlayerstyle"
  LOADK r1 #1
  NEWTABLE r2 0 2
  LOADK r3 #1
  SETTABLE r2 "border" r3
  LOADK r3 #2147483000
  SETTABLE r2 "bordersize" r3
  CALL r0 3 1
  GETGLOBAL r0 "debugprint"
  LOADK r1 "SetLayerStyle"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 2
  CALL r0 3 1
.lineno 17
  GETGLOBAL r0 "createlayer"
  LOADK r1 #2147483647
  LOADK r2 #10
  LOADK r3 #10
  LOADK r4 #10
  CALL r0 5 1
  GETGLOBAL r0 "debugprint"
  LOADK r1 "CreateLayer"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 2
  CALL r0 3 1
.lineno 18
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #1
  LOADK r2 #10000000000
  LOADK r3 #10
  CALL r0 4 1
  GETGLOBAL r0 "debugprint"
  LOADK r1 "DisplayBrush"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 2
  CALL r0 3 1
.lineno 19
  GETGLOBAL r0 "insertlayer"
  LOADK r1 #1
  LOADK r2 #3
  LOADK r3 #1
  LOADK r4 #2147483647
  LOADK r5 #10
  CALL r0 6 1
  GETGLOBAL r0 "debugprint"
  LOADK r1 "InsertLayer"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 2
  CALL r0 3 1
.lineno 20
  GETGLOBAL r0 "movebrush"
  LOADK r1 #1
  LOADK r2 #-100000
  LOADK r3 #3
  LOADK r4 #-0.5
  LOADK r5 #10000000000
  LOADK r6 #640
  LOADK r7 #5
  CALL r0 8 1
  GETGLOBAL r0 "debugprint"
  LOADK r1 "MoveBrush"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 2
  CALL r0 3 1
.lineno 21
  GETGLOBAL r0 "debugprint"
  LOADK r1 "unchanged"
  GETGLOBAL r2 "getattribute"
  LOADK r3 #22
  LOADK r4 #1
  LOADK r5 #7
  CALL r2 4 2
  GETGLOBAL r3 "getattribute"
  LOADK r4 #22
  LOADK r5 #1
  LOADK r6 #8
  CALL r3 4 2
  CALL r0 4 1
.lineno 22
  GETGLOBAL r0 "movelayer"
  LOADK r1 #2
  LOADK r2 #10
  LOADK r3 #10
  LOADK r4 #20
  LOADK r5 #20
  LOADK r6 #2147483647
  CALL r0 7 1
  GETGLOBAL r0 "debugprint"
  LOADK r1 "MoveLayer"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 2
  CALL r0 3 1
.lineno 23
  GETGLOBAL r0 "showlayer"
  LOADK r1 #1
  LOADK r2 #16777216
  LOADK r3 #-16777216
  CALL r0 4 1
  GETGLOBAL r0 "debugprint"
  LOADK r1 "ShowLayer"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 2
  CALL r0 3 1
.lineno 24
  GETGLOBAL r0 "translatelayer"
  LOADK r1 #1
  LOADK r2 #16777216
  LOADK r3 #-1
  CALL r0 4 1
  GETGLOBAL r0 "debugprint"
  LOADK r1 "TranslateLayer"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 2
  CALL r0 3 1
.lineno 25
  GETGLOBAL r0 "debugprint"
  LOADK r1 "at the edge"
  GETGLOBAL r2 "getattribute"
  LOADK r3 #22
  LOADK r4 #1
  LOADK r5 #7
  CALL r2 4 2
  GETGLOBAL r3 "getattribute"
  LOADK r4 #22
  LOADK r5 #1
  LOADK r6 #8
  CALL r3 4 2
  CALL r0 4 1
.lineno 26
  GETGLOBAL r0 "freelayers"
  LOADK r1 #0
  CALL r0 2 1
.lineno 27
  GETGLOBAL r0 "disablelayers"
  CALL r0 1 1
.lineno 28
  GETGLOBAL r0 "createsprite"
  LOADK r1 #1
  LOADK r2 #3
  LOADK r3 #1
  CALL r0 4 1
.lineno 29
  GETGLOBAL r0 "displaysprite"
  LOADK r1 #1
  LOADK r2 #10000000000
  LOADK r3 #0
  CALL r0 4 1
  GETGLOBAL r0 "debugprint"
  LOADK r1 "DisplaySprite"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 2
  CALL r0 3 1
.lineno 30
  GETGLOBAL r0 "displaysprite"
  LOADK r1 #1
  LOADK r2 #5
  LOADK r3 #5
  CALL r0 4 1
  GETGLOBAL r0 "debugprint"
  LOADK r1 "DisplaySprite"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 2
  CALL r0 3 1
.lineno 31
  GETGLOBAL r0 "movesprite"
  LOADK r1 #1
  LOADK r2 #10
  LOADK r3 #10
  LOADK r4 #10
  LOADK r5 #10000000000
  CALL r0 6 1
  GETGLOBAL r0 "debugprint"
  LOADK r1 "MoveSprite"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 2
  CALL r0 3 1
.lineno 32
  GETGLOBAL r0 "createdisplay"
  LOADK r1 #2
  NEWTABLE r2 0 2
  LOADK r3 #16384
  SETTABLE r2 "width" r3
  LOADK r3 #16384
  SETTABLE r2 "height" r3
  CALL r0 3 1
  GETGLOBAL r0 "debugprint"
  LOADK r1 "CreateDisplay"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 2
  CALL r0 3 1
.lineno 33
  GETGLOBAL r0 "changedisplaysize"
  LOADK r1 #16384
  LOADK r2 #16384
  CALL r0 3 1
  GETGLOBAL r0 "debugprint"
  LOADK r1 "ChangeDisplaySize"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 2
  CALL r0 3 1
.lineno 34
  GETGLOBAL r0 "debugprint"
  LOADK r1 "display"
  GETGLOBAL r2 "getattribute"
  LOADK r3 #21
  LOADK r4 #0
  LOADK r5 #0
  CALL r2 4 2
  GETGLOBAL r3 "getattribute"
  LOADK r4 #21
  LOADK r5 #0
  LOADK r6 #1
  CALL r3 4 2
  CALL r0 4 1
  RETURN r0 1
