; label: layers.commands
; -- Layer commands: exchanges, existence, Undo, shadow and border defaults and errors, hiding and
; -- showing, removing, and FreeLayers baking the layers into the background.
; ExitOnError(false)
; CreateBGPic(10, 64, 48, $204080)
; DisplayBGPic(10)
; EnableLayers()
; CreateLayer(0, 0, 4, 4, {color = $FF0000})
; CreateLayer(0, 0, 4, 4, {color = $FF0000})
; CreateLayer(0, 0, 4, 4, {color = $FF0000})
; CreateLayer(0, 0, 4, 4, {color = $FF0000})
; CreateLayer(0, 0, 4, 4, {color = $FF0000})
; SetLayerName(1, "a")
; SetLayerName(2, "b")
; SetLayerName(3, "c")
; SetLayerName(4, "d")
; SetLayerName(5, "e")
; LayerToBack(3)  -- exchanged with the bottom layer
; DebugPrint(GetLayerStyle(1).name, GetLayerStyle(2).name, GetLayerStyle(3).name, GetLayerStyle(4).name, GetLayerStyle(5).name)
; LayerToBack(1)
; LayerToFront("b")  -- exchanged with the top layer
; DebugPrint(GetLayerStyle(1).name, GetLayerStyle(2).name, GetLayerStyle(3).name, GetLayerStyle(4).name, GetLayerStyle(5).name)
; LayerToFront(5)
; SwapLayers(2, 3)
; DebugPrint(GetLayerStyle(1).name, GetLayerStyle(2).name, GetLayerStyle(3).name, GetLayerStyle(4).name, GetLayerStyle(5).name)
; SwapLayers(2, 2)
; DebugPrint(GetLastError())  -- ERR_WRONGUSAGE
; SwapLayers(1, 9)
; DebugPrint(GetLastError())  -- ERR_LAYERRANGE
; LayerToBack("zz")
; DebugPrint(GetLastError())  -- ERR_FINDLAYER
; DebugPrint(LayerExists("D"), LayerExists("zz"))
; Undo(3, 99)
; DebugPrint(GetLastError())  -- no match is no error
; SetLayerShadow(1, true)
; t = GetLayerStyle(1)
; DebugPrint(t.shadow, t.shadowcolor, t.shadowradius, t.shadowsize, t.shadowdir, t.shadowsigma)
; SetLayerShadow(1, false)
; DebugPrint(GetLayerStyle(1).shadow)
; SetLayerShadow(1, true, 0, 0.5)
; DebugPrint(GetLastError())  -- ERR_WRONGUSAGE
; SetLayerBorder(1, true, $FF, 0)
; DebugPrint(GetLastError())  -- ERR_WRONGUSAGE
; SetLayerBorder(1, true)
; t = GetLayerStyle(1)
; DebugPrint(t.border, t.bordercolor, t.bordersize)
; HideLayer("a")
; DebugPrint(GetLayerStyle("a").hidden)
; ShowLayer("a", 30, 20)
; t = GetLayerStyle("a")
; DebugPrint(t.hidden, t.x, t.y)
; RemoveLayer("e")
; DebugPrint(LayerExists("e"), GetLayerAtPos(63, 47))
; CreateBrush(1, 6, 6, $00FF00)
; DisplayBrush(1, 0, 0)
; Undo(3, 1)  -- the brush's layer goes
; DebugPrint(GetLayerStyle(4).name)
; FreeLayers(0)
; DebugPrint(GetLayerAtPos(0, 0))
; CreateLayer(4, 6, 8, 8, {color = $FF0000})
; FreeLayers()  -- the layer's look stays in the background
; DebugPrint(GetLayerAtPos(5, 7))
; CreateLayer(0, 0, 20, 20, {color = $00FF00})
; RemoveLayer(1)  -- recomposes the place from the background
; SaveSnapshot("a.png", 0, 1)
; FreeLayers(0)
; SaveSnapshot("b.png", 0, 1)
.source "@layer_manage.qasm"
.maxstack 64
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
.lineno 3
  GETGLOBAL r0 "displaybgpic"
  LOADK r1 #10
  CALL r0 2 1
.lineno 4
  GETGLOBAL r0 "enablelayers"
  CALL r0 1 1
.lineno 5
  GETGLOBAL r0 "createlayer"
  LOADK r1 #0
  LOADK r2 #0
  LOADK r3 #4
  LOADK r4 #4
  NEWTABLE r5 0 0
  LOADK r6 #16711680
  SETTABLE r5 "color" r6
  CALL r0 6 1
.lineno 6
  GETGLOBAL r0 "createlayer"
  LOADK r1 #0
  LOADK r2 #0
  LOADK r3 #4
  LOADK r4 #4
  NEWTABLE r5 0 0
  LOADK r6 #16711680
  SETTABLE r5 "color" r6
  CALL r0 6 1
.lineno 7
  GETGLOBAL r0 "createlayer"
  LOADK r1 #0
  LOADK r2 #0
  LOADK r3 #4
  LOADK r4 #4
  NEWTABLE r5 0 0
  LOADK r6 #16711680
  SETTABLE r5 "color" r6
  CALL r0 6 1
.lineno 8
  GETGLOBAL r0 "createlayer"
  LOADK r1 #0
  LOADK r2 #0
  LOADK r3 #4
  LOADK r4 #4
  NEWTABLE r5 0 0
  LOADK r6 #16711680
  SETTABLE r5 "color" r6
  CALL r0 6 1
.lineno 9
  GETGLOBAL r0 "createlayer"
  LOADK r1 #0
  LOADK r2 #0
  LOADK r3 #4
  LOADK r4 #4
  NEWTABLE r5 0 0
  LOADK r6 #16711680
  SETTABLE r5 "color" r6
  CALL r0 6 1
.lineno 10
  GETGLOBAL r0 "setlayername"
  LOADK r1 #1
  LOADK r2 "a"
  CALL r0 3 1
.lineno 11
  GETGLOBAL r0 "setlayername"
  LOADK r1 #2
  LOADK r2 "b"
  CALL r0 3 1
.lineno 12
  GETGLOBAL r0 "setlayername"
  LOADK r1 #3
  LOADK r2 "c"
  CALL r0 3 1
.lineno 13
  GETGLOBAL r0 "setlayername"
  LOADK r1 #4
  LOADK r2 "d"
  CALL r0 3 1
.lineno 14
  GETGLOBAL r0 "setlayername"
  LOADK r1 #5
  LOADK r2 "e"
  CALL r0 3 1
.lineno 15
  GETGLOBAL r0 "layertoback"
  LOADK r1 #3
  CALL r0 2 1
.lineno 16
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getlayerstyle"
  LOADK r2 #1
  CALL r1 2 2
  GETTABLE r1 r1 "name"
  GETGLOBAL r2 "getlayerstyle"
  LOADK r3 #2
  CALL r2 2 2
  GETTABLE r2 r2 "name"
  GETGLOBAL r3 "getlayerstyle"
  LOADK r4 #3
  CALL r3 2 2
  GETTABLE r3 r3 "name"
  GETGLOBAL r4 "getlayerstyle"
  LOADK r5 #4
  CALL r4 2 2
  GETTABLE r4 r4 "name"
  GETGLOBAL r5 "getlayerstyle"
  LOADK r6 #5
  CALL r5 2 2
  GETTABLE r5 r5 "name"
  CALL r0 6 1
.lineno 17
  GETGLOBAL r0 "layertoback"
  LOADK r1 #1
  CALL r0 2 1
.lineno 18
  GETGLOBAL r0 "layertofront"
  LOADK r1 "b"
  CALL r0 2 1
.lineno 19
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getlayerstyle"
  LOADK r2 #1
  CALL r1 2 2
  GETTABLE r1 r1 "name"
  GETGLOBAL r2 "getlayerstyle"
  LOADK r3 #2
  CALL r2 2 2
  GETTABLE r2 r2 "name"
  GETGLOBAL r3 "getlayerstyle"
  LOADK r4 #3
  CALL r3 2 2
  GETTABLE r3 r3 "name"
  GETGLOBAL r4 "getlayerstyle"
  LOADK r5 #4
  CALL r4 2 2
  GETTABLE r4 r4 "name"
  GETGLOBAL r5 "getlayerstyle"
  LOADK r6 #5
  CALL r5 2 2
  GETTABLE r5 r5 "name"
  CALL r0 6 1
.lineno 20
  GETGLOBAL r0 "layertofront"
  LOADK r1 #5
  CALL r0 2 1
.lineno 21
  GETGLOBAL r0 "swaplayers"
  LOADK r1 #2
  LOADK r2 #3
  CALL r0 3 1
.lineno 22
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getlayerstyle"
  LOADK r2 #1
  CALL r1 2 2
  GETTABLE r1 r1 "name"
  GETGLOBAL r2 "getlayerstyle"
  LOADK r3 #2
  CALL r2 2 2
  GETTABLE r2 r2 "name"
  GETGLOBAL r3 "getlayerstyle"
  LOADK r4 #3
  CALL r3 2 2
  GETTABLE r3 r3 "name"
  GETGLOBAL r4 "getlayerstyle"
  LOADK r5 #4
  CALL r4 2 2
  GETTABLE r4 r4 "name"
  GETGLOBAL r5 "getlayerstyle"
  LOADK r6 #5
  CALL r5 2 2
  GETTABLE r5 r5 "name"
  CALL r0 6 1
.lineno 23
  GETGLOBAL r0 "swaplayers"
  LOADK r1 #2
  LOADK r2 #2
  CALL r0 3 1
.lineno 24
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getlasterror"
  CALL r1 1 0
  CALL r0 0 1
.lineno 25
  GETGLOBAL r0 "swaplayers"
  LOADK r1 #1
  LOADK r2 #9
  CALL r0 3 1
.lineno 26
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getlasterror"
  CALL r1 1 0
  CALL r0 0 1
.lineno 27
  GETGLOBAL r0 "layertoback"
  LOADK r1 "zz"
  CALL r0 2 1
.lineno 28
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getlasterror"
  CALL r1 1 0
  CALL r0 0 1
.lineno 29
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "layerexists"
  LOADK r2 "D"
  CALL r1 2 2
  GETGLOBAL r2 "layerexists"
  LOADK r3 "zz"
  CALL r2 2 0
  CALL r0 0 1
.lineno 30
  GETGLOBAL r0 "undo"
  LOADK r1 #3
  LOADK r2 #99
  CALL r0 3 1
.lineno 31
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getlasterror"
  CALL r1 1 0
  CALL r0 0 1
.lineno 32
  GETGLOBAL r0 "setlayershadow"
  LOADK r1 #1
  LOADBOOL r2 1 0
  CALL r0 3 1
.lineno 33
  GETGLOBAL r0 "getlayerstyle"
  LOADK r1 #1
  CALL r0 2 2
  SETGLOBAL r0 "t"
.lineno 34
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "t"
  GETTABLE r1 r1 "shadow"
  GETGLOBAL r2 "t"
  GETTABLE r2 r2 "shadowcolor"
  GETGLOBAL r3 "t"
  GETTABLE r3 r3 "shadowradius"
  GETGLOBAL r4 "t"
  GETTABLE r4 r4 "shadowsize"
  GETGLOBAL r5 "t"
  GETTABLE r5 r5 "shadowdir"
  GETGLOBAL r6 "t"
  GETTABLE r6 r6 "shadowsigma"
  CALL r0 7 1
.lineno 35
  GETGLOBAL r0 "setlayershadow"
  LOADK r1 #1
  LOADBOOL r2 0 0
  CALL r0 3 1
.lineno 36
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getlayerstyle"
  LOADK r2 #1
  CALL r1 2 2
  GETTABLE r1 r1 "shadow"
  CALL r0 2 1
.lineno 37
  GETGLOBAL r0 "setlayershadow"
  LOADK r1 #1
  LOADBOOL r2 1 0
  LOADK r3 #0
  LOADK r4 #0.5
  CALL r0 5 1
.lineno 38
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getlasterror"
  CALL r1 1 0
  CALL r0 0 1
.lineno 39
  GETGLOBAL r0 "setlayerborder"
  LOADK r1 #1
  LOADBOOL r2 1 0
  LOADK r3 #255
  LOADK r4 #0
  CALL r0 5 1
.lineno 40
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getlasterror"
  CALL r1 1 0
  CALL r0 0 1
.lineno 41
  GETGLOBAL r0 "setlayerborder"
  LOADK r1 #1
  LOADBOOL r2 1 0
  CALL r0 3 1
.lineno 42
  GETGLOBAL r0 "getlayerstyle"
  LOADK r1 #1
  CALL r0 2 2
  SETGLOBAL r0 "t"
.lineno 43
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "t"
  GETTABLE r1 r1 "border"
  GETGLOBAL r2 "t"
  GETTABLE r2 r2 "bordercolor"
  GETGLOBAL r3 "t"
  GETTABLE r3 r3 "bordersize"
  CALL r0 4 1
.lineno 44
  GETGLOBAL r0 "hidelayer"
  LOADK r1 "a"
  CALL r0 2 1
.lineno 45
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getlayerstyle"
  LOADK r2 "a"
  CALL r1 2 2
  GETTABLE r1 r1 "hidden"
  CALL r0 2 1
.lineno 46
  GETGLOBAL r0 "showlayer"
  LOADK r1 "a"
  LOADK r2 #30
  LOADK r3 #20
  CALL r0 4 1
.lineno 47
  GETGLOBAL r0 "getlayerstyle"
  LOADK r1 "a"
  CALL r0 2 2
  SETGLOBAL r0 "t"
.lineno 48
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "t"
  GETTABLE r1 r1 "hidden"
  GETGLOBAL r2 "t"
  GETTABLE r2 r2 "x"
  GETGLOBAL r3 "t"
  GETTABLE r3 r3 "y"
  CALL r0 4 1
.lineno 49
  GETGLOBAL r0 "removelayer"
  LOADK r1 "e"
  CALL r0 2 1
.lineno 50
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "layerexists"
  LOADK r2 "e"
  CALL r1 2 2
  GETGLOBAL r2 "getlayeratpos"
  LOADK r3 #63
  LOADK r4 #47
  CALL r2 3 0
  CALL r0 0 1
.lineno 51
  GETGLOBAL r0 "createbrush"
  LOADK r1 #1
  LOADK r2 #6
  LOADK r3 #6
  LOADK r4 #65280
  CALL r0 5 1
.lineno 52
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #1
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 1
.lineno 53
  GETGLOBAL r0 "undo"
  LOADK r1 #3
  LOADK r2 #1
  CALL r0 3 1
.lineno 54
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getlayerstyle"
  LOADK r2 #4
  CALL r1 2 2
  GETTABLE r1 r1 "name"
  CALL r0 2 1
.lineno 55
  GETGLOBAL r0 "freelayers"
  LOADK r1 #0
  CALL r0 2 1
.lineno 56
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getlayeratpos"
  LOADK r2 #0
  LOADK r3 #0
  CALL r1 3 0
  CALL r0 0 1
.lineno 57
  GETGLOBAL r0 "createlayer"
  LOADK r1 #4
  LOADK r2 #6
  LOADK r3 #8
  LOADK r4 #8
  NEWTABLE r5 0 0
  LOADK r6 #16711680
  SETTABLE r5 "color" r6
  CALL r0 6 1
.lineno 58
  GETGLOBAL r0 "freelayers"
  CALL r0 1 1
.lineno 59
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getlayeratpos"
  LOADK r2 #5
  LOADK r3 #7
  CALL r1 3 0
  CALL r0 0 1
.lineno 60
  GETGLOBAL r0 "createlayer"
  LOADK r1 #0
  LOADK r2 #0
  LOADK r3 #20
  LOADK r4 #20
  NEWTABLE r5 0 0
  LOADK r6 #65280
  SETTABLE r5 "color" r6
  CALL r0 6 1
.lineno 61
  GETGLOBAL r0 "removelayer"
  LOADK r1 #1
  CALL r0 2 1
.lineno 62
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "a.png"
  LOADK r2 #0
  LOADK r3 #1
  CALL r0 4 1
.lineno 63
  GETGLOBAL r0 "freelayers"
  LOADK r1 #0
  CALL r0 2 1
.lineno 64
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "b.png"
  LOADK r2 #0
  LOADK r3 #1
  CALL r0 4 1
  RETURN r0 1
