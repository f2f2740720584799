; label: layers.style
; -- Layer style through the player: single keys, the setters, errors, and GetLayerStyle round trips.
; ExitOnError(false)
; CreateBrush(1, 20, 10, $FF0000)
; EnableLayers()
; DisplayBrush(1, 10, 10)
; CreateLayer(50, 50, 8, 8, {color = $00FF00})
; SetLayerName(2, "green")
; SetLayerStyle(1, {x = 30})
; t = GetLayerStyle(1)
; DebugPrint(t.x, t.y, t.width, t.height, t.id, t.partx, t.party, t.partwidth, t.partheight, t.name)
; SetLayerStyle(1, {x = 100000, y = 5})  -- 100000 keeps x
; t = GetLayerStyle(1)
; DebugPrint(t.x, t.y)
; SetLayerStyle("green", {rotate = 370})
; DebugPrint(GetLayerStyle("green").rotate)  -- 10
; SetLayerStyle(1, {transparency = 300})
; DebugPrint(GetLayerStyle(1).transparency)  -- clamped to 255
; SetLayerTransparency(1, -5)
; DebugPrint(GetLayerStyle(1).transparency)  -- 0
; SetLayerTint(1, $0000FF, 400)
; t = GetLayerStyle(1)
; DebugPrint(t.tint, t.tintcolor, t.filters[0].name, t.filters[0].args[0], t.filters[0].args[1])
; SetLayerFilter(1, 0)
; DebugPrint(GetLayerStyle(1).tint)
; SetLayerFilter(1, 1)
; DebugPrint(GetLastError())  -- ERR_WRONGUSAGE
; SetLayerStyle(1, {x = 7}, 2)
; DebugPrint(GetLastError(), GetLayerStyle(1).x)  -- ERR_TABEXPECTED after the first pair
; t = GetLayerStyle(1)
; DebugPrint(t.transform[0], t.transform[1], t.transform[2], t.transform[3], t.scalex, t.anchorx)
; TransformLayer(1, 2, 0, 0, 1)
; t = GetLayerStyle(1)
; DebugPrint(t.transform[0], t.transform[1], t.transform[2], t.transform[3])
; ScaleLayer(1, "50%", 30)
; t = GetLayerStyle(1)
; DebugPrint(t.scalex, t.height, t.transform[0])
; SetLayerStyle(1, {transform = {0, 1, 1, 1}})
; DebugPrint(GetLastError())  -- ERR_WRONGUSAGE
; SetLayerStyle(1, {width = -1})
; DebugPrint(GetLastError())  -- ERR_BADDIMENSIONS
; SetLayerAnchor(1, 1.5, 0)
; DebugPrint(GetLastError())  -- ERR_WRONGUSAGE
; SetLayerStyle(9, {x = 1})
; DebugPrint(GetLastError())  -- ERR_LAYERRANGE
; SetLayerStyle("nobody", {x = 1})
; DebugPrint(GetLastError())  -- ERR_FINDLAYER
; SetLayerStyle(1, {shadow = true, shadowradius = 0.5})
; DebugPrint(GetLastError())  -- ERR_WRONGUSAGE
; SetLayerStyle(2, {shadow = true, shadowcolor = $40000000, shadowsize = 3, border = true, bordersize = 2, bordercolor = $FFFF00, hidden = true, z = 1})
; t = GetLayerStyle(1)
; DebugPrint(t.name, t.shadow, t.shadowcolor, t.shadowsize, t.shadowdir, t.shadowradius, t.border, t.bordersize, t.edgesize, t.bordercolor, t.hidden)
; TranslateLayer("green", 5, -3)
; t = GetLayerStyle("green")
; DebugPrint(t.x, t.y)
; SetLayerStyle("green", {translatex = -5, y = 60})
; t = GetLayerStyle("green")
; DebugPrint(t.x, t.y)
; FreeLayers(0)
; CreateLayer(4, 4, 8, 8, {color = $FF0000})
; SetLayerStyle(1, {x = 20, y = 30, transparency = 255})  -- moved, and not seen
; SaveSnapshot("a.png", 0, 1)
; SetLayerStyle(1, {transparency = 0, anchorx = 0.5, anchory = 0.5})  -- seen, centred on 20, 30
; SaveSnapshot("b.png", 0, 1)
.source "@layer_style.qasm"
.maxstack 64
.lineno 1
  GETGLOBAL r0 "exitonerror"
  LOADBOOL r1 0 0
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
  GETGLOBAL r0 "createlayer"
  LOADK r1 #50
  LOADK r2 #50
  LOADK r3 #8
  LOADK r4 #8
  NEWTABLE r5 0 0
  LOADK r6 #65280
  SETTABLE r5 "color" r6
  CALL r0 6 1
.lineno 6
  GETGLOBAL r0 "setlayername"
  LOADK r1 #2
  LOADK r2 "green"
  CALL r0 3 1
.lineno 7
  GETGLOBAL r0 "setlayerstyle"
  LOADK r1 #1
  NEWTABLE r2 0 0
  LOADK r3 #30
  SETTABLE r2 "x" r3
  CALL r0 3 1
.lineno 8
  GETGLOBAL r0 "getlayerstyle"
  LOADK r1 #1
  CALL r0 2 2
  SETGLOBAL r0 "t"
.lineno 9
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "t"
  GETTABLE r1 r1 "x"
  GETGLOBAL r2 "t"
  GETTABLE r2 r2 "y"
  GETGLOBAL r3 "t"
  GETTABLE r3 r3 "width"
  GETGLOBAL r4 "t"
  GETTABLE r4 r4 "height"
  GETGLOBAL r5 "t"
  GETTABLE r5 r5 "id"
  GETGLOBAL r6 "t"
  GETTABLE r6 r6 "partx"
  GETGLOBAL r7 "t"
  GETTABLE r7 r7 "party"
  GETGLOBAL r8 "t"
  GETTABLE r8 r8 "partwidth"
  GETGLOBAL r9 "t"
  GETTABLE r9 r9 "partheight"
  GETGLOBAL r10 "t"
  GETTABLE r10 r10 "name"
  CALL r0 11 1
.lineno 10
  GETGLOBAL r0 "setlayerstyle"
  LOADK r1 #1
  NEWTABLE r2 0 0
  LOADK r3 #100000
  SETTABLE r2 "x" r3
  LOADK r3 #5
  SETTABLE r2 "y" r3
  CALL r0 3 1
.lineno 11
  GETGLOBAL r0 "getlayerstyle"
  LOADK r1 #1
  CALL r0 2 2
  SETGLOBAL r0 "t"
.lineno 12
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "t"
  GETTABLE r1 r1 "x"
  GETGLOBAL r2 "t"
  GETTABLE r2 r2 "y"
  CALL r0 3 1
.lineno 13
  GETGLOBAL r0 "setlayerstyle"
  LOADK r1 "green"
  NEWTABLE r2 0 0
  LOADK r3 #370
  SETTABLE r2 "rotate" r3
  CALL r0 3 1
.lineno 14
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getlayerstyle"
  LOADK r2 "green"
  CALL r1 2 2
  GETTABLE r1 r1 "rotate"
  CALL r0 2 1
.lineno 15
  GETGLOBAL r0 "setlayerstyle"
  LOADK r1 #1
  NEWTABLE r2 0 0
  LOADK r3 #300
  SETTABLE r2 "transparency" r3
  CALL r0 3 1
.lineno 16
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getlayerstyle"
  LOADK r2 #1
  CALL r1 2 2
  GETTABLE r1 r1 "transparency"
  CALL r0 2 1
.lineno 17
  GETGLOBAL r0 "setlayertransparency"
  LOADK r1 #1
  LOADK r2 #-5
  CALL r0 3 1
.lineno 18
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getlayerstyle"
  LOADK r2 #1
  CALL r1 2 2
  GETTABLE r1 r1 "transparency"
  CALL r0 2 1
.lineno 19
  GETGLOBAL r0 "setlayertint"
  LOADK r1 #1
  LOADK r2 #255
  LOADK r3 #400
  CALL r0 4 1
.lineno 20
  GETGLOBAL r0 "getlayerstyle"
  LOADK r1 #1
  CALL r0 2 2
  SETGLOBAL r0 "t"
.lineno 21
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "t"
  GETTABLE r1 r1 "tint"
  GETGLOBAL r2 "t"
  GETTABLE r2 r2 "tintcolor"
  GETGLOBAL r3 "t"
  GETTABLE r3 r3 "filters"
  GETTABLE r3 r3 #0
  GETTABLE r3 r3 "name"
  GETGLOBAL r4 "t"
  GETTABLE r4 r4 "filters"
  GETTABLE r4 r4 #0
  GETTABLE r4 r4 "args"
  GETTABLE r4 r4 #0
  GETGLOBAL r5 "t"
  GETTABLE r5 r5 "filters"
  GETTABLE r5 r5 #0
  GETTABLE r5 r5 "args"
  GETTABLE r5 r5 #1
  CALL r0 6 1
.lineno 22
  GETGLOBAL r0 "setlayerfilter"
  LOADK r1 #1
  LOADK r2 #0
  CALL r0 3 1
.lineno 23
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getlayerstyle"
  LOADK r2 #1
  CALL r1 2 2
  GETTABLE r1 r1 "tint"
  CALL r0 2 1
.lineno 24
  GETGLOBAL r0 "setlayerfilter"
  LOADK r1 #1
  LOADK r2 #1
  CALL r0 3 1
.lineno 25
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getlasterror"
  CALL r1 1 0
  CALL r0 0 1
.lineno 26
  GETGLOBAL r0 "setlayerstyle"
  LOADK r1 #1
  NEWTABLE r2 0 0
  LOADK r3 #7
  SETTABLE r2 "x" r3
  LOADK r3 #2
  CALL r0 4 1
.lineno 27
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getlasterror"
  CALL r1 1 2
  GETGLOBAL r2 "getlayerstyle"
  LOADK r3 #1
  CALL r2 2 2
  GETTABLE r2 r2 "x"
  CALL r0 3 1
.lineno 28
  GETGLOBAL r0 "getlayerstyle"
  LOADK r1 #1
  CALL r0 2 2
  SETGLOBAL r0 "t"
.lineno 29
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "t"
  GETTABLE r1 r1 "transform"
  GETTABLE r1 r1 #0
  GETGLOBAL r2 "t"
  GETTABLE r2 r2 "transform"
  GETTABLE r2 r2 #1
  GETGLOBAL r3 "t"
  GETTABLE r3 r3 "transform"
  GETTABLE r3 r3 #2
  GETGLOBAL r4 "t"
  GETTABLE r4 r4 "transform"
  GETTABLE r4 r4 #3
  GETGLOBAL r5 "t"
  GETTABLE r5 r5 "scalex"
  GETGLOBAL r6 "t"
  GETTABLE r6 r6 "anchorx"
  CALL r0 7 1
.lineno 30
  GETGLOBAL r0 "transformlayer"
  LOADK r1 #1
  LOADK r2 #2
  LOADK r3 #0
  LOADK r4 #0
  LOADK r5 #1
  CALL r0 6 1
.lineno 31
  GETGLOBAL r0 "getlayerstyle"
  LOADK r1 #1
  CALL r0 2 2
  SETGLOBAL r0 "t"
.lineno 32
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "t"
  GETTABLE r1 r1 "transform"
  GETTABLE r1 r1 #0
  GETGLOBAL r2 "t"
  GETTABLE r2 r2 "transform"
  GETTABLE r2 r2 #1
  GETGLOBAL r3 "t"
  GETTABLE r3 r3 "transform"
  GETTABLE r3 r3 #2
  GETGLOBAL r4 "t"
  GETTABLE r4 r4 "transform"
  GETTABLE r4 r4 #3
  CALL r0 5 1
.lineno 33
  GETGLOBAL r0 "scalelayer"
  LOADK r1 #1
  LOADK r2 "50%"
  LOADK r3 #30
  CALL r0 4 1
.lineno 34
  GETGLOBAL r0 "getlayerstyle"
  LOADK r1 #1
  CALL r0 2 2
  SETGLOBAL r0 "t"
.lineno 35
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "t"
  GETTABLE r1 r1 "scalex"
  GETGLOBAL r2 "t"
  GETTABLE r2 r2 "height"
  GETGLOBAL r3 "t"
  GETTABLE r3 r3 "transform"
  GETTABLE r3 r3 #0
  CALL r0 4 1
.lineno 36
  GETGLOBAL r0 "setlayerstyle"
  LOADK r1 #1
  NEWTABLE r2 0 0
  NEWTABLE r3 0 0
  LOADK r4 #0
  SETTABLE r3 #0 r4
  LOADK r4 #1
  SETTABLE r3 #1 r4
  LOADK r4 #1
  SETTABLE r3 #2 r4
  LOADK r4 #1
  SETTABLE r3 #3 r4
  SETTABLE r2 "transform" r3
  CALL r0 3 1
.lineno 37
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getlasterror"
  CALL r1 1 0
  CALL r0 0 1
.lineno 38
  GETGLOBAL r0 "setlayerstyle"
  LOADK r1 #1
  NEWTABLE r2 0 0
  LOADK r3 #-1
  SETTABLE r2 "width" r3
  CALL r0 3 1
.lineno 39
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getlasterror"
  CALL r1 1 0
  CALL r0 0 1
.lineno 40
  GETGLOBAL r0 "setlayeranchor"
  LOADK r1 #1
  LOADK r2 #1.5
  LOADK r3 #0
  CALL r0 4 1
.lineno 41
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getlasterror"
  CALL r1 1 0
  CALL r0 0 1
.lineno 42
  GETGLOBAL r0 "setlayerstyle"
  LOADK r1 #9
  NEWTABLE r2 0 0
  LOADK r3 #1
  SETTABLE r2 "x" r3
  CALL r0 3 1
.lineno 43
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getlasterror"
  CALL r1 1 0
  CALL r0 0 1
.lineno 44
  GETGLOBAL r0 "setlayerstyle"
  LOADK r1 "nobody"
  NEWTABLE r2 0 0
  LOADK r3 #1
  SETTABLE r2 "x" r3
  CALL r0 3 1
.lineno 45
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getlasterror"
  CALL r1 1 0
  CALL r0 0 1
.lineno 46
  GETGLOBAL r0 "setlayerstyle"
  LOADK r1 #1
  NEWTABLE r2 0 0
  LOADBOOL r3 1 0
  SETTABLE r2 "shadow" r3
  LOADK r3 #0.5
  SETTABLE r2 "shadowradius" r3
  CALL r0 3 1
.lineno 47
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getlasterror"
  CALL r1 1 0
  CALL r0 0 1
.lineno 48
  GETGLOBAL r0 "setlayerstyle"
  LOADK r1 #2
  NEWTABLE r2 0 0
  LOADBOOL r3 1 0
  SETTABLE r2 "shadow" r3
  LOADK r3 #1073741824
  SETTABLE r2 "shadowcolor" r3
  LOADK r3 #3
  SETTABLE r2 "shadowsize" r3
  LOADBOOL r3 1 0
  SETTABLE r2 "border" r3
  LOADK r3 #2
  SETTABLE r2 "bordersize" r3
  LOADK r3 #16776960
  SETTABLE r2 "bordercolor" r3
  LOADBOOL r3 1 0
  SETTABLE r2 "hidden" r3
  LOADK r3 #1
  SETTABLE r2 "z" r3
  CALL r0 3 1
.lineno 49
  GETGLOBAL r0 "getlayerstyle"
  LOADK r1 #1
  CALL r0 2 2
  SETGLOBAL r0 "t"
.lineno 50
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "t"
  GETTABLE r1 r1 "name"
  GETGLOBAL r2 "t"
  GETTABLE r2 r2 "shadow"
  GETGLOBAL r3 "t"
  GETTABLE r3 r3 "shadowcolor"
  GETGLOBAL r4 "t"
  GETTABLE r4 r4 "shadowsize"
  GETGLOBAL r5 "t"
  GETTABLE r5 r5 "shadowdir"
  GETGLOBAL r6 "t"
  GETTABLE r6 r6 "shadowradius"
  GETGLOBAL r7 "t"
  GETTABLE r7 r7 "border"
  GETGLOBAL r8 "t"
  GETTABLE r8 r8 "bordersize"
  GETGLOBAL r9 "t"
  GETTABLE r9 r9 "edgesize"
  GETGLOBAL r10 "t"
  GETTABLE r10 r10 "bordercolor"
  GETGLOBAL r11 "t"
  GETTABLE r11 r11 "hidden"
  CALL r0 12 1
.lineno 51
  GETGLOBAL r0 "translatelayer"
  LOADK r1 "green"
  LOADK r2 #5
  LOADK r3 #-3
  CALL r0 4 1
.lineno 52
  GETGLOBAL r0 "getlayerstyle"
  LOADK r1 "green"
  CALL r0 2 2
  SETGLOBAL r0 "t"
.lineno 53
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "t"
  GETTABLE r1 r1 "x"
  GETGLOBAL r2 "t"
  GETTABLE r2 r2 "y"
  CALL r0 3 1
.lineno 54
  GETGLOBAL r0 "setlayerstyle"
  LOADK r1 "green"
  NEWTABLE r2 0 0
  LOADK r3 #-5
  SETTABLE r2 "translatex" r3
  LOADK r3 #60
  SETTABLE r2 "y" r3
  CALL r0 3 1
.lineno 55
  GETGLOBAL r0 "getlayerstyle"
  LOADK r1 "green"
  CALL r0 2 2
  SETGLOBAL r0 "t"
.lineno 56
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "t"
  GETTABLE r1 r1 "x"
  GETGLOBAL r2 "t"
  GETTABLE r2 r2 "y"
  CALL r0 3 1
.lineno 57
  GETGLOBAL r0 "freelayers"
  LOADK r1 #0
  CALL r0 2 1
.lineno 58
  GETGLOBAL r0 "createlayer"
  LOADK r1 #4
  LOADK r2 #4
  LOADK r3 #8
  LOADK r4 #8
  NEWTABLE r5 0 0
  LOADK r6 #16711680
  SETTABLE r5 "color" r6
  CALL r0 6 1
.lineno 59
  GETGLOBAL r0 "setlayerstyle"
  LOADK r1 #1
  NEWTABLE r2 0 0
  LOADK r3 #20
  SETTABLE r2 "x" r3
  LOADK r3 #30
  SETTABLE r2 "y" r3
  LOADK r3 #255
  SETTABLE r2 "transparency" r3
  CALL r0 3 1
.lineno 60
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "a.png"
  LOADK r2 #0
  LOADK r3 #1
  CALL r0 4 1
.lineno 61
  GETGLOBAL r0 "setlayerstyle"
  LOADK r1 #1
  NEWTABLE r2 0 0
  LOADK r3 #0
  SETTABLE r2 "transparency" r3
  LOADK r3 #0.5
  SETTABLE r2 "anchorx" r3
  LOADK r3 #0.5
  SETTABLE r2 "anchory" r3
  CALL r0 3 1
.lineno 62
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "b.png"
  LOADK r2 #0
  LOADK r3 #1
  CALL r0 4 1
  RETURN r0 1
