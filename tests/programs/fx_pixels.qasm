; label: fx
; The pixel, coin, polygon, fade and roll transitions through the player: every id from picture A
; to picture B, over A as a masked and as an alpha brush at (-10, -7) with layers off, and as a
; layer shown and hidden (the two-picture ids on a layer that emulates picture 2). The .check
; compares every final snapshot with its target. Async runs print the totals of a few sizes and
; speeds, each run then seeked to its last frame. (Loops written out in the code below.)
; call LoadBGPic(1, "a.png")
; call LoadBGPic(2, "b.png")
; call LoadBrush(3, "bm.png")
; call SetBrushTransparency(3, $000000)
; call LoadBrush(4, "ba.png", {loadalpha = True})
; call LoadBrush(5, "b.png")
; call LoadBrush(6, "a.png")
; call DisplayBGPic(1)
; ids = {84, 85, 86, 87, 97, 98, 114, 115, 116, 117, 120, 121, 122, 123, 124, 125, 126, 127, 132, 133, 134, 135, 136, 137, 138, 139}
; two = {120, 121, 122, 123, 124, 125, 126, 127, 133}
; for _, id in IPairs(ids)
; call DisplayTransitionFX(2, {type = id})
; call SaveSnapshot("p" .. id .. ".bmp", 1)
; call DisplayBGPic(1)
; call DisplayBrushFX(3, -10, -7, {type = id})
; call SaveSnapshot("m" .. id .. ".bmp", 1)
; call DisplayBrush(6, 0, 0)
; call DisplayBrushFX(4, -10, -7, {type = id})
; call SaveSnapshot("a" .. id .. ".bmp", 1)
; call DisplayBrush(6, 0, 0)
; end
; call EnableLayers()
; call DisplayBrush(5, 10, 10)
; call HideLayer(1)
; for _, id in IPairs(ids)
; if two[id] then call ShowLayerFX(1, {type = id, bgpicemu = True, bgpic = 2}) else call ShowLayerFX(1, {type = id}) end
; call SaveSnapshot("s" .. id .. ".bmp", 1)
; call HideLayerFX(1, {type = id})
; call SaveSnapshot("h" .. id .. ".bmp", 1)
; end
; for _, c in IPairs({{64, 48, 139, -1}, {64, 48, 139, 100}, {64, 48, 138, 1}, {64, 48, 138, 40}, {100, 100, 97, -1}, {64, 48, 116, -1}, {64, 48, 116, -2}, {64, 48, 117, -3}, {64, 48, 135, -1}, {64, 48, 115, 200}, {64, 240, 84, 100}, {64, 240, 84, 3}, {64, 120, 84, -1}, {640, 48, 87, -1}})
; call CreateBrush(7, c[1], c[2], $FF0000)
; call DisplayBrush(7, 0, 0)
; call HideLayer(2)
; h = ShowLayerFX(2, {type = c[3], speed = c[4], async = True})
; print c[3], c[4], GetAttribute(37, h, 11), AsyncDrawFrame(h, GetAttribute(37, h, 11))
; call FinishAsyncDraw(h)
; call RemoveLayer(2)
; end
.source "@fx_pixels.q"
  .maxstack 14
.lineno 7
  GETGLOBAL r0 "loadbgpic"
  LOADK r1 #1
  LOADK r2 "a.png"
  CALL r0 3 2
.lineno 8
  GETGLOBAL r0 "loadbgpic"
  LOADK r1 #2
  LOADK r2 "b.png"
  CALL r0 3 2
.lineno 9
  GETGLOBAL r0 "loadbrush"
  LOADK r1 #3
  LOADK r2 "bm.png"
  CALL r0 3 2
.lineno 10
  GETGLOBAL r0 "setbrushtransparency"
  LOADK r1 #3
  LOADK r2 #0
  CALL r0 3 2
.lineno 11
  GETGLOBAL r0 "loadbrush"
  LOADK r1 #4
  LOADK r2 "ba.png"
  NEWTABLE r3 0 1
  LOADK r4 #1
  SETTABLE r3 "loadalpha" r4
  CALL r0 4 2
.lineno 12
  GETGLOBAL r0 "loadbrush"
  LOADK r1 #5
  LOADK r2 "b.png"
  CALL r0 3 2
.lineno 13
  GETGLOBAL r0 "loadbrush"
  LOADK r1 #6
  LOADK r2 "a.png"
  CALL r0 3 2
.lineno 14
  GETGLOBAL r0 "displaybgpic"
  LOADK r1 #1
  CALL r0 2 2
.lineno 18
  GETGLOBAL r0 "displaytransitionfx"
  LOADK r1 #2
  NEWTABLE r2 0 1
  LOADK r3 #84
  SETTABLE r2 "type" r3
  CALL r0 3 2
.lineno 19
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "p84.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 20
  GETGLOBAL r0 "displaybgpic"
  LOADK r1 #1
  CALL r0 2 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 1
  LOADK r5 #84
  SETTABLE r4 "type" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "m84.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 24
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #4
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 1
  LOADK r5 #84
  SETTABLE r4 "type" r5
  CALL r0 5 2
.lineno 25
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "a84.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 26
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 18
  GETGLOBAL r0 "displaytransitionfx"
  LOADK r1 #2
  NEWTABLE r2 0 1
  LOADK r3 #85
  SETTABLE r2 "type" r3
  CALL r0 3 2
.lineno 19
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "p85.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 20
  GETGLOBAL r0 "displaybgpic"
  LOADK r1 #1
  CALL r0 2 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 1
  LOADK r5 #85
  SETTABLE r4 "type" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "m85.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 24
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #4
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 1
  LOADK r5 #85
  SETTABLE r4 "type" r5
  CALL r0 5 2
.lineno 25
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "a85.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 26
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 18
  GETGLOBAL r0 "displaytransitionfx"
  LOADK r1 #2
  NEWTABLE r2 0 1
  LOADK r3 #86
  SETTABLE r2 "type" r3
  CALL r0 3 2
.lineno 19
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "p86.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 20
  GETGLOBAL r0 "displaybgpic"
  LOADK r1 #1
  CALL r0 2 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 1
  LOADK r5 #86
  SETTABLE r4 "type" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "m86.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 24
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #4
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 1
  LOADK r5 #86
  SETTABLE r4 "type" r5
  CALL r0 5 2
.lineno 25
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "a86.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 26
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 18
  GETGLOBAL r0 "displaytransitionfx"
  LOADK r1 #2
  NEWTABLE r2 0 1
  LOADK r3 #87
  SETTABLE r2 "type" r3
  CALL r0 3 2
.lineno 19
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "p87.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 20
  GETGLOBAL r0 "displaybgpic"
  LOADK r1 #1
  CALL r0 2 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 1
  LOADK r5 #87
  SETTABLE r4 "type" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "m87.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 24
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #4
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 1
  LOADK r5 #87
  SETTABLE r4 "type" r5
  CALL r0 5 2
.lineno 25
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "a87.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 26
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 18
  GETGLOBAL r0 "displaytransitionfx"
  LOADK r1 #2
  NEWTABLE r2 0 1
  LOADK r3 #97
  SETTABLE r2 "type" r3
  CALL r0 3 2
.lineno 19
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "p97.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 20
  GETGLOBAL r0 "displaybgpic"
  LOADK r1 #1
  CALL r0 2 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 1
  LOADK r5 #97
  SETTABLE r4 "type" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "m97.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 24
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #4
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 1
  LOADK r5 #97
  SETTABLE r4 "type" r5
  CALL r0 5 2
.lineno 25
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "a97.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 26
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 18
  GETGLOBAL r0 "displaytransitionfx"
  LOADK r1 #2
  NEWTABLE r2 0 1
  LOADK r3 #98
  SETTABLE r2 "type" r3
  CALL r0 3 2
.lineno 19
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "p98.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 20
  GETGLOBAL r0 "displaybgpic"
  LOADK r1 #1
  CALL r0 2 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 1
  LOADK r5 #98
  SETTABLE r4 "type" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "m98.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 24
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #4
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 1
  LOADK r5 #98
  SETTABLE r4 "type" r5
  CALL r0 5 2
.lineno 25
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "a98.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 26
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 18
  GETGLOBAL r0 "displaytransitionfx"
  LOADK r1 #2
  NEWTABLE r2 0 1
  LOADK r3 #114
  SETTABLE r2 "type" r3
  CALL r0 3 2
.lineno 19
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "p114.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 20
  GETGLOBAL r0 "displaybgpic"
  LOADK r1 #1
  CALL r0 2 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 1
  LOADK r5 #114
  SETTABLE r4 "type" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "m114.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 24
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #4
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 1
  LOADK r5 #114
  SETTABLE r4 "type" r5
  CALL r0 5 2
.lineno 25
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "a114.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 26
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 18
  GETGLOBAL r0 "displaytransitionfx"
  LOADK r1 #2
  NEWTABLE r2 0 1
  LOADK r3 #115
  SETTABLE r2 "type" r3
  CALL r0 3 2
.lineno 19
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "p115.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 20
  GETGLOBAL r0 "displaybgpic"
  LOADK r1 #1
  CALL r0 2 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 1
  LOADK r5 #115
  SETTABLE r4 "type" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "m115.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 24
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #4
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 1
  LOADK r5 #115
  SETTABLE r4 "type" r5
  CALL r0 5 2
.lineno 25
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "a115.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 26
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 18
  GETGLOBAL r0 "displaytransitionfx"
  LOADK r1 #2
  NEWTABLE r2 0 1
  LOADK r3 #116
  SETTABLE r2 "type" r3
  CALL r0 3 2
.lineno 19
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "p116.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 20
  GETGLOBAL r0 "displaybgpic"
  LOADK r1 #1
  CALL r0 2 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 1
  LOADK r5 #116
  SETTABLE r4 "type" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "m116.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 24
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #4
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 1
  LOADK r5 #116
  SETTABLE r4 "type" r5
  CALL r0 5 2
.lineno 25
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "a116.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 26
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 18
  GETGLOBAL r0 "displaytransitionfx"
  LOADK r1 #2
  NEWTABLE r2 0 1
  LOADK r3 #117
  SETTABLE r2 "type" r3
  CALL r0 3 2
.lineno 19
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "p117.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 20
  GETGLOBAL r0 "displaybgpic"
  LOADK r1 #1
  CALL r0 2 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 1
  LOADK r5 #117
  SETTABLE r4 "type" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "m117.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 24
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #4
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 1
  LOADK r5 #117
  SETTABLE r4 "type" r5
  CALL r0 5 2
.lineno 25
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "a117.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 26
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 18
  GETGLOBAL r0 "displaytransitionfx"
  LOADK r1 #2
  NEWTABLE r2 0 1
  LOADK r3 #120
  SETTABLE r2 "type" r3
  CALL r0 3 2
.lineno 19
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "p120.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 20
  GETGLOBAL r0 "displaybgpic"
  LOADK r1 #1
  CALL r0 2 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 1
  LOADK r5 #120
  SETTABLE r4 "type" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "m120.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 24
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #4
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 1
  LOADK r5 #120
  SETTABLE r4 "type" r5
  CALL r0 5 2
.lineno 25
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "a120.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 26
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 18
  GETGLOBAL r0 "displaytransitionfx"
  LOADK r1 #2
  NEWTABLE r2 0 1
  LOADK r3 #121
  SETTABLE r2 "type" r3
  CALL r0 3 2
.lineno 19
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "p121.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 20
  GETGLOBAL r0 "displaybgpic"
  LOADK r1 #1
  CALL r0 2 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 1
  LOADK r5 #121
  SETTABLE r4 "type" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "m121.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 24
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #4
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 1
  LOADK r5 #121
  SETTABLE r4 "type" r5
  CALL r0 5 2
.lineno 25
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "a121.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 26
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 18
  GETGLOBAL r0 "displaytransitionfx"
  LOADK r1 #2
  NEWTABLE r2 0 1
  LOADK r3 #122
  SETTABLE r2 "type" r3
  CALL r0 3 2
.lineno 19
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "p122.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 20
  GETGLOBAL r0 "displaybgpic"
  LOADK r1 #1
  CALL r0 2 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 1
  LOADK r5 #122
  SETTABLE r4 "type" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "m122.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 24
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #4
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 1
  LOADK r5 #122
  SETTABLE r4 "type" r5
  CALL r0 5 2
.lineno 25
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "a122.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 26
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 18
  GETGLOBAL r0 "displaytransitionfx"
  LOADK r1 #2
  NEWTABLE r2 0 1
  LOADK r3 #123
  SETTABLE r2 "type" r3
  CALL r0 3 2
.lineno 19
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "p123.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 20
  GETGLOBAL r0 "displaybgpic"
  LOADK r1 #1
  CALL r0 2 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 1
  LOADK r5 #123
  SETTABLE r4 "type" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "m123.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 24
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #4
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 1
  LOADK r5 #123
  SETTABLE r4 "type" r5
  CALL r0 5 2
.lineno 25
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "a123.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 26
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 18
  GETGLOBAL r0 "displaytransitionfx"
  LOADK r1 #2
  NEWTABLE r2 0 1
  LOADK r3 #124
  SETTABLE r2 "type" r3
  CALL r0 3 2
.lineno 19
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "p124.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 20
  GETGLOBAL r0 "displaybgpic"
  LOADK r1 #1
  CALL r0 2 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 1
  LOADK r5 #124
  SETTABLE r4 "type" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "m124.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 24
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #4
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 1
  LOADK r5 #124
  SETTABLE r4 "type" r5
  CALL r0 5 2
.lineno 25
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "a124.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 26
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 18
  GETGLOBAL r0 "displaytransitionfx"
  LOADK r1 #2
  NEWTABLE r2 0 1
  LOADK r3 #125
  SETTABLE r2 "type" r3
  CALL r0 3 2
.lineno 19
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "p125.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 20
  GETGLOBAL r0 "displaybgpic"
  LOADK r1 #1
  CALL r0 2 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 1
  LOADK r5 #125
  SETTABLE r4 "type" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "m125.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 24
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #4
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 1
  LOADK r5 #125
  SETTABLE r4 "type" r5
  CALL r0 5 2
.lineno 25
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "a125.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 26
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 18
  GETGLOBAL r0 "displaytransitionfx"
  LOADK r1 #2
  NEWTABLE r2 0 1
  LOADK r3 #126
  SETTABLE r2 "type" r3
  CALL r0 3 2
.lineno 19
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "p126.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 20
  GETGLOBAL r0 "displaybgpic"
  LOADK r1 #1
  CALL r0 2 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 1
  LOADK r5 #126
  SETTABLE r4 "type" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "m126.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 24
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #4
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 1
  LOADK r5 #126
  SETTABLE r4 "type" r5
  CALL r0 5 2
.lineno 25
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "a126.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 26
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 18
  GETGLOBAL r0 "displaytransitionfx"
  LOADK r1 #2
  NEWTABLE r2 0 1
  LOADK r3 #127
  SETTABLE r2 "type" r3
  CALL r0 3 2
.lineno 19
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "p127.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 20
  GETGLOBAL r0 "displaybgpic"
  LOADK r1 #1
  CALL r0 2 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 1
  LOADK r5 #127
  SETTABLE r4 "type" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "m127.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 24
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #4
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 1
  LOADK r5 #127
  SETTABLE r4 "type" r5
  CALL r0 5 2
.lineno 25
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "a127.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 26
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 18
  GETGLOBAL r0 "displaytransitionfx"
  LOADK r1 #2
  NEWTABLE r2 0 1
  LOADK r3 #132
  SETTABLE r2 "type" r3
  CALL r0 3 2
.lineno 19
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "p132.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 20
  GETGLOBAL r0 "displaybgpic"
  LOADK r1 #1
  CALL r0 2 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 1
  LOADK r5 #132
  SETTABLE r4 "type" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "m132.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 24
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #4
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 1
  LOADK r5 #132
  SETTABLE r4 "type" r5
  CALL r0 5 2
.lineno 25
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "a132.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 26
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 18
  GETGLOBAL r0 "displaytransitionfx"
  LOADK r1 #2
  NEWTABLE r2 0 1
  LOADK r3 #133
  SETTABLE r2 "type" r3
  CALL r0 3 2
.lineno 19
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "p133.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 20
  GETGLOBAL r0 "displaybgpic"
  LOADK r1 #1
  CALL r0 2 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 1
  LOADK r5 #133
  SETTABLE r4 "type" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "m133.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 24
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #4
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 1
  LOADK r5 #133
  SETTABLE r4 "type" r5
  CALL r0 5 2
.lineno 25
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "a133.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 26
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 18
  GETGLOBAL r0 "displaytransitionfx"
  LOADK r1 #2
  NEWTABLE r2 0 1
  LOADK r3 #134
  SETTABLE r2 "type" r3
  CALL r0 3 2
.lineno 19
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "p134.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 20
  GETGLOBAL r0 "displaybgpic"
  LOADK r1 #1
  CALL r0 2 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 1
  LOADK r5 #134
  SETTABLE r4 "type" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "m134.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 24
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #4
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 1
  LOADK r5 #134
  SETTABLE r4 "type" r5
  CALL r0 5 2
.lineno 25
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "a134.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 26
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 18
  GETGLOBAL r0 "displaytransitionfx"
  LOADK r1 #2
  NEWTABLE r2 0 1
  LOADK r3 #135
  SETTABLE r2 "type" r3
  CALL r0 3 2
.lineno 19
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "p135.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 20
  GETGLOBAL r0 "displaybgpic"
  LOADK r1 #1
  CALL r0 2 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 1
  LOADK r5 #135
  SETTABLE r4 "type" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "m135.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 24
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #4
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 1
  LOADK r5 #135
  SETTABLE r4 "type" r5
  CALL r0 5 2
.lineno 25
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "a135.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 26
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 18
  GETGLOBAL r0 "displaytransitionfx"
  LOADK r1 #2
  NEWTABLE r2 0 1
  LOADK r3 #136
  SETTABLE r2 "type" r3
  CALL r0 3 2
.lineno 19
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "p136.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 20
  GETGLOBAL r0 "displaybgpic"
  LOADK r1 #1
  CALL r0 2 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 1
  LOADK r5 #136
  SETTABLE r4 "type" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "m136.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 24
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #4
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 1
  LOADK r5 #136
  SETTABLE r4 "type" r5
  CALL r0 5 2
.lineno 25
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "a136.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 26
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 18
  GETGLOBAL r0 "displaytransitionfx"
  LOADK r1 #2
  NEWTABLE r2 0 1
  LOADK r3 #137
  SETTABLE r2 "type" r3
  CALL r0 3 2
.lineno 19
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "p137.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 20
  GETGLOBAL r0 "displaybgpic"
  LOADK r1 #1
  CALL r0 2 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 1
  LOADK r5 #137
  SETTABLE r4 "type" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "m137.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 24
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #4
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 1
  LOADK r5 #137
  SETTABLE r4 "type" r5
  CALL r0 5 2
.lineno 25
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "a137.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 26
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 18
  GETGLOBAL r0 "displaytransitionfx"
  LOADK r1 #2
  NEWTABLE r2 0 1
  LOADK r3 #138
  SETTABLE r2 "type" r3
  CALL r0 3 2
.lineno 19
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "p138.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 20
  GETGLOBAL r0 "displaybgpic"
  LOADK r1 #1
  CALL r0 2 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 1
  LOADK r5 #138
  SETTABLE r4 "type" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "m138.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 24
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #4
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 1
  LOADK r5 #138
  SETTABLE r4 "type" r5
  CALL r0 5 2
.lineno 25
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "a138.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 26
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 18
  GETGLOBAL r0 "displaytransitionfx"
  LOADK r1 #2
  NEWTABLE r2 0 1
  LOADK r3 #139
  SETTABLE r2 "type" r3
  CALL r0 3 2
.lineno 19
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "p139.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 20
  GETGLOBAL r0 "displaybgpic"
  LOADK r1 #1
  CALL r0 2 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 1
  LOADK r5 #139
  SETTABLE r4 "type" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "m139.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 24
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #4
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 1
  LOADK r5 #139
  SETTABLE r4 "type" r5
  CALL r0 5 2
.lineno 25
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "a139.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 26
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 28
  GETGLOBAL r0 "enablelayers"
  CALL r0 1 2
.lineno 29
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #5
  LOADK r2 #10
  LOADK r3 #10
  CALL r0 4 2
.lineno 30
  GETGLOBAL r0 "hidelayer"
  LOADK r1 #1
  CALL r0 2 2
.lineno 32
  GETGLOBAL r0 "showlayerfx"
  LOADK r1 #1
  NEWTABLE r2 0 1
  LOADK r3 #84
  SETTABLE r2 "type" r3
  CALL r0 3 2
.lineno 33
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "s84.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 34
  GETGLOBAL r0 "hidelayerfx"
  LOADK r1 #1
  NEWTABLE r2 0 1
  LOADK r3 #84
  SETTABLE r2 "type" r3
  CALL r0 3 2
.lineno 35
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "h84.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 32
  GETGLOBAL r0 "showlayerfx"
  LOADK r1 #1
  NEWTABLE r2 0 1
  LOADK r3 #85
  SETTABLE r2 "type" r3
  CALL r0 3 2
.lineno 33
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "s85.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 34
  GETGLOBAL r0 "hidelayerfx"
  LOADK r1 #1
  NEWTABLE r2 0 1
  LOADK r3 #85
  SETTABLE r2 "type" r3
  CALL r0 3 2
.lineno 35
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "h85.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 32
  GETGLOBAL r0 "showlayerfx"
  LOADK r1 #1
  NEWTABLE r2 0 1
  LOADK r3 #86
  SETTABLE r2 "type" r3
  CALL r0 3 2
.lineno 33
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "s86.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 34
  GETGLOBAL r0 "hidelayerfx"
  LOADK r1 #1
  NEWTABLE r2 0 1
  LOADK r3 #86
  SETTABLE r2 "type" r3
  CALL r0 3 2
.lineno 35
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "h86.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 32
  GETGLOBAL r0 "showlayerfx"
  LOADK r1 #1
  NEWTABLE r2 0 1
  LOADK r3 #87
  SETTABLE r2 "type" r3
  CALL r0 3 2
.lineno 33
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "s87.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 34
  GETGLOBAL r0 "hidelayerfx"
  LOADK r1 #1
  NEWTABLE r2 0 1
  LOADK r3 #87
  SETTABLE r2 "type" r3
  CALL r0 3 2
.lineno 35
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "h87.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 32
  GETGLOBAL r0 "showlayerfx"
  LOADK r1 #1
  NEWTABLE r2 0 1
  LOADK r3 #97
  SETTABLE r2 "type" r3
  CALL r0 3 2
.lineno 33
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "s97.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 34
  GETGLOBAL r0 "hidelayerfx"
  LOADK r1 #1
  NEWTABLE r2 0 1
  LOADK r3 #97
  SETTABLE r2 "type" r3
  CALL r0 3 2
.lineno 35
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "h97.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 32
  GETGLOBAL r0 "showlayerfx"
  LOADK r1 #1
  NEWTABLE r2 0 1
  LOADK r3 #98
  SETTABLE r2 "type" r3
  CALL r0 3 2
.lineno 33
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "s98.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 34
  GETGLOBAL r0 "hidelayerfx"
  LOADK r1 #1
  NEWTABLE r2 0 1
  LOADK r3 #98
  SETTABLE r2 "type" r3
  CALL r0 3 2
.lineno 35
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "h98.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 32
  GETGLOBAL r0 "showlayerfx"
  LOADK r1 #1
  NEWTABLE r2 0 1
  LOADK r3 #114
  SETTABLE r2 "type" r3
  CALL r0 3 2
.lineno 33
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "s114.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 34
  GETGLOBAL r0 "hidelayerfx"
  LOADK r1 #1
  NEWTABLE r2 0 1
  LOADK r3 #114
  SETTABLE r2 "type" r3
  CALL r0 3 2
.lineno 35
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "h114.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 32
  GETGLOBAL r0 "showlayerfx"
  LOADK r1 #1
  NEWTABLE r2 0 1
  LOADK r3 #115
  SETTABLE r2 "type" r3
  CALL r0 3 2
.lineno 33
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "s115.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 34
  GETGLOBAL r0 "hidelayerfx"
  LOADK r1 #1
  NEWTABLE r2 0 1
  LOADK r3 #115
  SETTABLE r2 "type" r3
  CALL r0 3 2
.lineno 35
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "h115.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 32
  GETGLOBAL r0 "showlayerfx"
  LOADK r1 #1
  NEWTABLE r2 0 1
  LOADK r3 #116
  SETTABLE r2 "type" r3
  CALL r0 3 2
.lineno 33
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "s116.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 34
  GETGLOBAL r0 "hidelayerfx"
  LOADK r1 #1
  NEWTABLE r2 0 1
  LOADK r3 #116
  SETTABLE r2 "type" r3
  CALL r0 3 2
.lineno 35
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "h116.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 32
  GETGLOBAL r0 "showlayerfx"
  LOADK r1 #1
  NEWTABLE r2 0 1
  LOADK r3 #117
  SETTABLE r2 "type" r3
  CALL r0 3 2
.lineno 33
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "s117.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 34
  GETGLOBAL r0 "hidelayerfx"
  LOADK r1 #1
  NEWTABLE r2 0 1
  LOADK r3 #117
  SETTABLE r2 "type" r3
  CALL r0 3 2
.lineno 35
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "h117.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 32
  GETGLOBAL r0 "showlayerfx"
  LOADK r1 #1
  NEWTABLE r2 0 3
  LOADK r3 #120
  SETTABLE r2 "type" r3
  LOADK r3 #1
  SETTABLE r2 "bgpicemu" r3
  LOADK r3 #2
  SETTABLE r2 "bgpic" r3
  CALL r0 3 2
.lineno 33
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "s120.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 34
  GETGLOBAL r0 "hidelayerfx"
  LOADK r1 #1
  NEWTABLE r2 0 1
  LOADK r3 #120
  SETTABLE r2 "type" r3
  CALL r0 3 2
.lineno 35
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "h120.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 32
  GETGLOBAL r0 "showlayerfx"
  LOADK r1 #1
  NEWTABLE r2 0 3
  LOADK r3 #121
  SETTABLE r2 "type" r3
  LOADK r3 #1
  SETTABLE r2 "bgpicemu" r3
  LOADK r3 #2
  SETTABLE r2 "bgpic" r3
  CALL r0 3 2
.lineno 33
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "s121.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 34
  GETGLOBAL r0 "hidelayerfx"
  LOADK r1 #1
  NEWTABLE r2 0 1
  LOADK r3 #121
  SETTABLE r2 "type" r3
  CALL r0 3 2
.lineno 35
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "h121.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 32
  GETGLOBAL r0 "showlayerfx"
  LOADK r1 #1
  NEWTABLE r2 0 3
  LOADK r3 #122
  SETTABLE r2 "type" r3
  LOADK r3 #1
  SETTABLE r2 "bgpicemu" r3
  LOADK r3 #2
  SETTABLE r2 "bgpic" r3
  CALL r0 3 2
.lineno 33
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "s122.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 34
  GETGLOBAL r0 "hidelayerfx"
  LOADK r1 #1
  NEWTABLE r2 0 1
  LOADK r3 #122
  SETTABLE r2 "type" r3
  CALL r0 3 2
.lineno 35
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "h122.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 32
  GETGLOBAL r0 "showlayerfx"
  LOADK r1 #1
  NEWTABLE r2 0 3
  LOADK r3 #123
  SETTABLE r2 "type" r3
  LOADK r3 #1
  SETTABLE r2 "bgpicemu" r3
  LOADK r3 #2
  SETTABLE r2 "bgpic" r3
  CALL r0 3 2
.lineno 33
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "s123.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 34
  GETGLOBAL r0 "hidelayerfx"
  LOADK r1 #1
  NEWTABLE r2 0 1
  LOADK r3 #123
  SETTABLE r2 "type" r3
  CALL r0 3 2
.lineno 35
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "h123.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 32
  GETGLOBAL r0 "showlayerfx"
  LOADK r1 #1
  NEWTABLE r2 0 3
  LOADK r3 #124
  SETTABLE r2 "type" r3
  LOADK r3 #1
  SETTABLE r2 "bgpicemu" r3
  LOADK r3 #2
  SETTABLE r2 "bgpic" r3
  CALL r0 3 2
.lineno 33
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "s124.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 34
  GETGLOBAL r0 "hidelayerfx"
  LOADK r1 #1
  NEWTABLE r2 0 1
  LOADK r3 #124
  SETTABLE r2 "type" r3
  CALL r0 3 2
.lineno 35
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "h124.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 32
  GETGLOBAL r0 "showlayerfx"
  LOADK r1 #1
  NEWTABLE r2 0 3
  LOADK r3 #125
  SETTABLE r2 "type" r3
  LOADK r3 #1
  SETTABLE r2 "bgpicemu" r3
  LOADK r3 #2
  SETTABLE r2 "bgpic" r3
  CALL r0 3 2
.lineno 33
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "s125.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 34
  GETGLOBAL r0 "hidelayerfx"
  LOADK r1 #1
  NEWTABLE r2 0 1
  LOADK r3 #125
  SETTABLE r2 "type" r3
  CALL r0 3 2
.lineno 35
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "h125.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 32
  GETGLOBAL r0 "showlayerfx"
  LOADK r1 #1
  NEWTABLE r2 0 3
  LOADK r3 #126
  SETTABLE r2 "type" r3
  LOADK r3 #1
  SETTABLE r2 "bgpicemu" r3
  LOADK r3 #2
  SETTABLE r2 "bgpic" r3
  CALL r0 3 2
.lineno 33
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "s126.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 34
  GETGLOBAL r0 "hidelayerfx"
  LOADK r1 #1
  NEWTABLE r2 0 1
  LOADK r3 #126
  SETTABLE r2 "type" r3
  CALL r0 3 2
.lineno 35
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "h126.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 32
  GETGLOBAL r0 "showlayerfx"
  LOADK r1 #1
  NEWTABLE r2 0 3
  LOADK r3 #127
  SETTABLE r2 "type" r3
  LOADK r3 #1
  SETTABLE r2 "bgpicemu" r3
  LOADK r3 #2
  SETTABLE r2 "bgpic" r3
  CALL r0 3 2
.lineno 33
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "s127.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 34
  GETGLOBAL r0 "hidelayerfx"
  LOADK r1 #1
  NEWTABLE r2 0 1
  LOADK r3 #127
  SETTABLE r2 "type" r3
  CALL r0 3 2
.lineno 35
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "h127.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 32
  GETGLOBAL r0 "showlayerfx"
  LOADK r1 #1
  NEWTABLE r2 0 1
  LOADK r3 #132
  SETTABLE r2 "type" r3
  CALL r0 3 2
.lineno 33
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "s132.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 34
  GETGLOBAL r0 "hidelayerfx"
  LOADK r1 #1
  NEWTABLE r2 0 1
  LOADK r3 #132
  SETTABLE r2 "type" r3
  CALL r0 3 2
.lineno 35
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "h132.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 32
  GETGLOBAL r0 "showlayerfx"
  LOADK r1 #1
  NEWTABLE r2 0 3
  LOADK r3 #133
  SETTABLE r2 "type" r3
  LOADK r3 #1
  SETTABLE r2 "bgpicemu" r3
  LOADK r3 #2
  SETTABLE r2 "bgpic" r3
  CALL r0 3 2
.lineno 33
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "s133.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 34
  GETGLOBAL r0 "hidelayerfx"
  LOADK r1 #1
  NEWTABLE r2 0 1
  LOADK r3 #133
  SETTABLE r2 "type" r3
  CALL r0 3 2
.lineno 35
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "h133.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 32
  GETGLOBAL r0 "showlayerfx"
  LOADK r1 #1
  NEWTABLE r2 0 1
  LOADK r3 #134
  SETTABLE r2 "type" r3
  CALL r0 3 2
.lineno 33
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "s134.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 34
  GETGLOBAL r0 "hidelayerfx"
  LOADK r1 #1
  NEWTABLE r2 0 1
  LOADK r3 #134
  SETTABLE r2 "type" r3
  CALL r0 3 2
.lineno 35
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "h134.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 32
  GETGLOBAL r0 "showlayerfx"
  LOADK r1 #1
  NEWTABLE r2 0 1
  LOADK r3 #135
  SETTABLE r2 "type" r3
  CALL r0 3 2
.lineno 33
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "s135.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 34
  GETGLOBAL r0 "hidelayerfx"
  LOADK r1 #1
  NEWTABLE r2 0 1
  LOADK r3 #135
  SETTABLE r2 "type" r3
  CALL r0 3 2
.lineno 35
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "h135.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 32
  GETGLOBAL r0 "showlayerfx"
  LOADK r1 #1
  NEWTABLE r2 0 1
  LOADK r3 #136
  SETTABLE r2 "type" r3
  CALL r0 3 2
.lineno 33
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "s136.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 34
  GETGLOBAL r0 "hidelayerfx"
  LOADK r1 #1
  NEWTABLE r2 0 1
  LOADK r3 #136
  SETTABLE r2 "type" r3
  CALL r0 3 2
.lineno 35
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "h136.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 32
  GETGLOBAL r0 "showlayerfx"
  LOADK r1 #1
  NEWTABLE r2 0 1
  LOADK r3 #137
  SETTABLE r2 "type" r3
  CALL r0 3 2
.lineno 33
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "s137.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 34
  GETGLOBAL r0 "hidelayerfx"
  LOADK r1 #1
  NEWTABLE r2 0 1
  LOADK r3 #137
  SETTABLE r2 "type" r3
  CALL r0 3 2
.lineno 35
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "h137.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 32
  GETGLOBAL r0 "showlayerfx"
  LOADK r1 #1
  NEWTABLE r2 0 1
  LOADK r3 #138
  SETTABLE r2 "type" r3
  CALL r0 3 2
.lineno 33
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "s138.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 34
  GETGLOBAL r0 "hidelayerfx"
  LOADK r1 #1
  NEWTABLE r2 0 1
  LOADK r3 #138
  SETTABLE r2 "type" r3
  CALL r0 3 2
.lineno 35
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "h138.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 32
  GETGLOBAL r0 "showlayerfx"
  LOADK r1 #1
  NEWTABLE r2 0 1
  LOADK r3 #139
  SETTABLE r2 "type" r3
  CALL r0 3 2
.lineno 33
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "s139.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 34
  GETGLOBAL r0 "hidelayerfx"
  LOADK r1 #1
  NEWTABLE r2 0 1
  LOADK r3 #139
  SETTABLE r2 "type" r3
  CALL r0 3 2
.lineno 35
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "h139.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 38
  GETGLOBAL r0 "createbrush"
  LOADK r1 #7
  LOADK r2 #64
  LOADK r3 #48
  LOADK r4 #16711680
  CALL r0 5 2
.lineno 39
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #7
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 40
  GETGLOBAL r0 "hidelayer"
  LOADK r1 #2
  CALL r0 2 2
.lineno 41
  GETGLOBAL r0 "showlayerfx"
  LOADK r1 #2
  NEWTABLE r2 0 3
  LOADK r3 #139
  SETTABLE r2 "type" r3
  LOADK r3 #-1
  SETTABLE r2 "speed" r3
  LOADK r3 #1
  SETTABLE r2 "async" r3
  CALL r0 3 2
  SETGLOBAL r0 "h"
.lineno 42
  GETGLOBAL r0 "debugprint"
  LOADK r1 #139
  LOADK r2 #-1
  GETGLOBAL r3 "getattribute"
  LOADK r4 #37
  GETGLOBAL r5 "h"
  LOADK r6 #11
  CALL r3 4 2
  GETGLOBAL r4 "asyncdrawframe"
  GETGLOBAL r5 "h"
  GETGLOBAL r6 "getattribute"
  LOADK r7 #37
  GETGLOBAL r8 "h"
  LOADK r9 #11
  CALL r6 4 2
  CALL r4 3 2
  CALL r0 5 1
.lineno 43
  GETGLOBAL r0 "finishasyncdraw"
  GETGLOBAL r1 "h"
  CALL r0 2 2
.lineno 44
  GETGLOBAL r0 "removelayer"
  LOADK r1 #2
  CALL r0 2 2
.lineno 38
  GETGLOBAL r0 "createbrush"
  LOADK r1 #7
  LOADK r2 #64
  LOADK r3 #48
  LOADK r4 #16711680
  CALL r0 5 2
.lineno 39
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #7
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 40
  GETGLOBAL r0 "hidelayer"
  LOADK r1 #2
  CALL r0 2 2
.lineno 41
  GETGLOBAL r0 "showlayerfx"
  LOADK r1 #2
  NEWTABLE r2 0 3
  LOADK r3 #139
  SETTABLE r2 "type" r3
  LOADK r3 #100
  SETTABLE r2 "speed" r3
  LOADK r3 #1
  SETTABLE r2 "async" r3
  CALL r0 3 2
  SETGLOBAL r0 "h"
.lineno 42
  GETGLOBAL r0 "debugprint"
  LOADK r1 #139
  LOADK r2 #100
  GETGLOBAL r3 "getattribute"
  LOADK r4 #37
  GETGLOBAL r5 "h"
  LOADK r6 #11
  CALL r3 4 2
  GETGLOBAL r4 "asyncdrawframe"
  GETGLOBAL r5 "h"
  GETGLOBAL r6 "getattribute"
  LOADK r7 #37
  GETGLOBAL r8 "h"
  LOADK r9 #11
  CALL r6 4 2
  CALL r4 3 2
  CALL r0 5 1
.lineno 43
  GETGLOBAL r0 "finishasyncdraw"
  GETGLOBAL r1 "h"
  CALL r0 2 2
.lineno 44
  GETGLOBAL r0 "removelayer"
  LOADK r1 #2
  CALL r0 2 2
.lineno 38
  GETGLOBAL r0 "createbrush"
  LOADK r1 #7
  LOADK r2 #64
  LOADK r3 #48
  LOADK r4 #16711680
  CALL r0 5 2
.lineno 39
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #7
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 40
  GETGLOBAL r0 "hidelayer"
  LOADK r1 #2
  CALL r0 2 2
.lineno 41
  GETGLOBAL r0 "showlayerfx"
  LOADK r1 #2
  NEWTABLE r2 0 3
  LOADK r3 #138
  SETTABLE r2 "type" r3
  LOADK r3 #1
  SETTABLE r2 "speed" r3
  LOADK r3 #1
  SETTABLE r2 "async" r3
  CALL r0 3 2
  SETGLOBAL r0 "h"
.lineno 42
  GETGLOBAL r0 "debugprint"
  LOADK r1 #138
  LOADK r2 #1
  GETGLOBAL r3 "getattribute"
  LOADK r4 #37
  GETGLOBAL r5 "h"
  LOADK r6 #11
  CALL r3 4 2
  GETGLOBAL r4 "asyncdrawframe"
  GETGLOBAL r5 "h"
  GETGLOBAL r6 "getattribute"
  LOADK r7 #37
  GETGLOBAL r8 "h"
  LOADK r9 #11
  CALL r6 4 2
  CALL r4 3 2
  CALL r0 5 1
.lineno 43
  GETGLOBAL r0 "finishasyncdraw"
  GETGLOBAL r1 "h"
  CALL r0 2 2
.lineno 44
  GETGLOBAL r0 "removelayer"
  LOADK r1 #2
  CALL r0 2 2
.lineno 38
  GETGLOBAL r0 "createbrush"
  LOADK r1 #7
  LOADK r2 #64
  LOADK r3 #48
  LOADK r4 #16711680
  CALL r0 5 2
.lineno 39
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #7
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 40
  GETGLOBAL r0 "hidelayer"
  LOADK r1 #2
  CALL r0 2 2
.lineno 41
  GETGLOBAL r0 "showlayerfx"
  LOADK r1 #2
  NEWTABLE r2 0 3
  LOADK r3 #138
  SETTABLE r2 "type" r3
  LOADK r3 #40
  SETTABLE r2 "speed" r3
  LOADK r3 #1
  SETTABLE r2 "async" r3
  CALL r0 3 2
  SETGLOBAL r0 "h"
.lineno 42
  GETGLOBAL r0 "debugprint"
  LOADK r1 #138
  LOADK r2 #40
  GETGLOBAL r3 "getattribute"
  LOADK r4 #37
  GETGLOBAL r5 "h"
  LOADK r6 #11
  CALL r3 4 2
  GETGLOBAL r4 "asyncdrawframe"
  GETGLOBAL r5 "h"
  GETGLOBAL r6 "getattribute"
  LOADK r7 #37
  GETGLOBAL r8 "h"
  LOADK r9 #11
  CALL r6 4 2
  CALL r4 3 2
  CALL r0 5 1
.lineno 43
  GETGLOBAL r0 "finishasyncdraw"
  GETGLOBAL r1 "h"
  CALL r0 2 2
.lineno 44
  GETGLOBAL r0 "removelayer"
  LOADK r1 #2
  CALL r0 2 2
.lineno 38
  GETGLOBAL r0 "createbrush"
  LOADK r1 #7
  LOADK r2 #100
  LOADK r3 #100
  LOADK r4 #16711680
  CALL r0 5 2
.lineno 39
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #7
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 40
  GETGLOBAL r0 "hidelayer"
  LOADK r1 #2
  CALL r0 2 2
.lineno 41
  GETGLOBAL r0 "showlayerfx"
  LOADK r1 #2
  NEWTABLE r2 0 3
  LOADK r3 #97
  SETTABLE r2 "type" r3
  LOADK r3 #-1
  SETTABLE r2 "speed" r3
  LOADK r3 #1
  SETTABLE r2 "async" r3
  CALL r0 3 2
  SETGLOBAL r0 "h"
.lineno 42
  GETGLOBAL r0 "debugprint"
  LOADK r1 #97
  LOADK r2 #-1
  GETGLOBAL r3 "getattribute"
  LOADK r4 #37
  GETGLOBAL r5 "h"
  LOADK r6 #11
  CALL r3 4 2
  GETGLOBAL r4 "asyncdrawframe"
  GETGLOBAL r5 "h"
  GETGLOBAL r6 "getattribute"
  LOADK r7 #37
  GETGLOBAL r8 "h"
  LOADK r9 #11
  CALL r6 4 2
  CALL r4 3 2
  CALL r0 5 1
.lineno 43
  GETGLOBAL r0 "finishasyncdraw"
  GETGLOBAL r1 "h"
  CALL r0 2 2
.lineno 44
  GETGLOBAL r0 "removelayer"
  LOADK r1 #2
  CALL r0 2 2
.lineno 38
  GETGLOBAL r0 "createbrush"
  LOADK r1 #7
  LOADK r2 #64
  LOADK r3 #48
  LOADK r4 #16711680
  CALL r0 5 2
.lineno 39
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #7
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 40
  GETGLOBAL r0 "hidelayer"
  LOADK r1 #2
  CALL r0 2 2
.lineno 41
  GETGLOBAL r0 "showlayerfx"
  LOADK r1 #2
  NEWTABLE r2 0 3
  LOADK r3 #116
  SETTABLE r2 "type" r3
  LOADK r3 #-1
  SETTABLE r2 "speed" r3
  LOADK r3 #1
  SETTABLE r2 "async" r3
  CALL r0 3 2
  SETGLOBAL r0 "h"
.lineno 42
  GETGLOBAL r0 "debugprint"
  LOADK r1 #116
  LOADK r2 #-1
  GETGLOBAL r3 "getattribute"
  LOADK r4 #37
  GETGLOBAL r5 "h"
  LOADK r6 #11
  CALL r3 4 2
  GETGLOBAL r4 "asyncdrawframe"
  GETGLOBAL r5 "h"
  GETGLOBAL r6 "getattribute"
  LOADK r7 #37
  GETGLOBAL r8 "h"
  LOADK r9 #11
  CALL r6 4 2
  CALL r4 3 2
  CALL r0 5 1
.lineno 43
  GETGLOBAL r0 "finishasyncdraw"
  GETGLOBAL r1 "h"
  CALL r0 2 2
.lineno 44
  GETGLOBAL r0 "removelayer"
  LOADK r1 #2
  CALL r0 2 2
.lineno 38
  GETGLOBAL r0 "createbrush"
  LOADK r1 #7
  LOADK r2 #64
  LOADK r3 #48
  LOADK r4 #16711680
  CALL r0 5 2
.lineno 39
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #7
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 40
  GETGLOBAL r0 "hidelayer"
  LOADK r1 #2
  CALL r0 2 2
.lineno 41
  GETGLOBAL r0 "showlayerfx"
  LOADK r1 #2
  NEWTABLE r2 0 3
  LOADK r3 #116
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  LOADK r3 #1
  SETTABLE r2 "async" r3
  CALL r0 3 2
  SETGLOBAL r0 "h"
.lineno 42
  GETGLOBAL r0 "debugprint"
  LOADK r1 #116
  LOADK r2 #-2
  GETGLOBAL r3 "getattribute"
  LOADK r4 #37
  GETGLOBAL r5 "h"
  LOADK r6 #11
  CALL r3 4 2
  GETGLOBAL r4 "asyncdrawframe"
  GETGLOBAL r5 "h"
  GETGLOBAL r6 "getattribute"
  LOADK r7 #37
  GETGLOBAL r8 "h"
  LOADK r9 #11
  CALL r6 4 2
  CALL r4 3 2
  CALL r0 5 1
.lineno 43
  GETGLOBAL r0 "finishasyncdraw"
  GETGLOBAL r1 "h"
  CALL r0 2 2
.lineno 44
  GETGLOBAL r0 "removelayer"
  LOADK r1 #2
  CALL r0 2 2
.lineno 38
  GETGLOBAL r0 "createbrush"
  LOADK r1 #7
  LOADK r2 #64
  LOADK r3 #48
  LOADK r4 #16711680
  CALL r0 5 2
.lineno 39
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #7
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 40
  GETGLOBAL r0 "hidelayer"
  LOADK r1 #2
  CALL r0 2 2
.lineno 41
  GETGLOBAL r0 "showlayerfx"
  LOADK r1 #2
  NEWTABLE r2 0 3
  LOADK r3 #117
  SETTABLE r2 "type" r3
  LOADK r3 #-3
  SETTABLE r2 "speed" r3
  LOADK r3 #1
  SETTABLE r2 "async" r3
  CALL r0 3 2
  SETGLOBAL r0 "h"
.lineno 42
  GETGLOBAL r0 "debugprint"
  LOADK r1 #117
  LOADK r2 #-3
  GETGLOBAL r3 "getattribute"
  LOADK r4 #37
  GETGLOBAL r5 "h"
  LOADK r6 #11
  CALL r3 4 2
  GETGLOBAL r4 "asyncdrawframe"
  GETGLOBAL r5 "h"
  GETGLOBAL r6 "getattribute"
  LOADK r7 #37
  GETGLOBAL r8 "h"
  LOADK r9 #11
  CALL r6 4 2
  CALL r4 3 2
  CALL r0 5 1
.lineno 43
  GETGLOBAL r0 "finishasyncdraw"
  GETGLOBAL r1 "h"
  CALL r0 2 2
.lineno 44
  GETGLOBAL r0 "removelayer"
  LOADK r1 #2
  CALL r0 2 2
.lineno 38
  GETGLOBAL r0 "createbrush"
  LOADK r1 #7
  LOADK r2 #64
  LOADK r3 #48
  LOADK r4 #16711680
  CALL r0 5 2
.lineno 39
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #7
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 40
  GETGLOBAL r0 "hidelayer"
  LOADK r1 #2
  CALL r0 2 2
.lineno 41
  GETGLOBAL r0 "showlayerfx"
  LOADK r1 #2
  NEWTABLE r2 0 3
  LOADK r3 #135
  SETTABLE r2 "type" r3
  LOADK r3 #-1
  SETTABLE r2 "speed" r3
  LOADK r3 #1
  SETTABLE r2 "async" r3
  CALL r0 3 2
  SETGLOBAL r0 "h"
.lineno 42
  GETGLOBAL r0 "debugprint"
  LOADK r1 #135
  LOADK r2 #-1
  GETGLOBAL r3 "getattribute"
  LOADK r4 #37
  GETGLOBAL r5 "h"
  LOADK r6 #11
  CALL r3 4 2
  GETGLOBAL r4 "asyncdrawframe"
  GETGLOBAL r5 "h"
  GETGLOBAL r6 "getattribute"
  LOADK r7 #37
  GETGLOBAL r8 "h"
  LOADK r9 #11
  CALL r6 4 2
  CALL r4 3 2
  CALL r0 5 1
.lineno 43
  GETGLOBAL r0 "finishasyncdraw"
  GETGLOBAL r1 "h"
  CALL r0 2 2
.lineno 44
  GETGLOBAL r0 "removelayer"
  LOADK r1 #2
  CALL r0 2 2
.lineno 38
  GETGLOBAL r0 "createbrush"
  LOADK r1 #7
  LOADK r2 #64
  LOADK r3 #48
  LOADK r4 #16711680
  CALL r0 5 2
.lineno 39
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #7
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 40
  GETGLOBAL r0 "hidelayer"
  LOADK r1 #2
  CALL r0 2 2
.lineno 41
  GETGLOBAL r0 "showlayerfx"
  LOADK r1 #2
  NEWTABLE r2 0 3
  LOADK r3 #115
  SETTABLE r2 "type" r3
  LOADK r3 #200
  SETTABLE r2 "speed" r3
  LOADK r3 #1
  SETTABLE r2 "async" r3
  CALL r0 3 2
  SETGLOBAL r0 "h"
.lineno 42
  GETGLOBAL r0 "debugprint"
  LOADK r1 #115
  LOADK r2 #200
  GETGLOBAL r3 "getattribute"
  LOADK r4 #37
  GETGLOBAL r5 "h"
  LOADK r6 #11
  CALL r3 4 2
  GETGLOBAL r4 "asyncdrawframe"
  GETGLOBAL r5 "h"
  GETGLOBAL r6 "getattribute"
  LOADK r7 #37
  GETGLOBAL r8 "h"
  LOADK r9 #11
  CALL r6 4 2
  CALL r4 3 2
  CALL r0 5 1
.lineno 43
  GETGLOBAL r0 "finishasyncdraw"
  GETGLOBAL r1 "h"
  CALL r0 2 2
.lineno 44
  GETGLOBAL r0 "removelayer"
  LOADK r1 #2
  CALL r0 2 2
.lineno 38
  GETGLOBAL r0 "createbrush"
  LOADK r1 #7
  LOADK r2 #64
  LOADK r3 #240
  LOADK r4 #16711680
  CALL r0 5 2
.lineno 39
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #7
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 40
  GETGLOBAL r0 "hidelayer"
  LOADK r1 #2
  CALL r0 2 2
.lineno 41
  GETGLOBAL r0 "showlayerfx"
  LOADK r1 #2
  NEWTABLE r2 0 3
  LOADK r3 #84
  SETTABLE r2 "type" r3
  LOADK r3 #100
  SETTABLE r2 "speed" r3
  LOADK r3 #1
  SETTABLE r2 "async" r3
  CALL r0 3 2
  SETGLOBAL r0 "h"
.lineno 42
  GETGLOBAL r0 "debugprint"
  LOADK r1 #84
  LOADK r2 #100
  GETGLOBAL r3 "getattribute"
  LOADK r4 #37
  GETGLOBAL r5 "h"
  LOADK r6 #11
  CALL r3 4 2
  GETGLOBAL r4 "asyncdrawframe"
  GETGLOBAL r5 "h"
  GETGLOBAL r6 "getattribute"
  LOADK r7 #37
  GETGLOBAL r8 "h"
  LOADK r9 #11
  CALL r6 4 2
  CALL r4 3 2
  CALL r0 5 1
.lineno 43
  GETGLOBAL r0 "finishasyncdraw"
  GETGLOBAL r1 "h"
  CALL r0 2 2
.lineno 44
  GETGLOBAL r0 "removelayer"
  LOADK r1 #2
  CALL r0 2 2
.lineno 38
  GETGLOBAL r0 "createbrush"
  LOADK r1 #7
  LOADK r2 #64
  LOADK r3 #240
  LOADK r4 #16711680
  CALL r0 5 2
.lineno 39
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #7
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 40
  GETGLOBAL r0 "hidelayer"
  LOADK r1 #2
  CALL r0 2 2
.lineno 41
  GETGLOBAL r0 "showlayerfx"
  LOADK r1 #2
  NEWTABLE r2 0 3
  LOADK r3 #84
  SETTABLE r2 "type" r3
  LOADK r3 #3
  SETTABLE r2 "speed" r3
  LOADK r3 #1
  SETTABLE r2 "async" r3
  CALL r0 3 2
  SETGLOBAL r0 "h"
.lineno 42
  GETGLOBAL r0 "debugprint"
  LOADK r1 #84
  LOADK r2 #3
  GETGLOBAL r3 "getattribute"
  LOADK r4 #37
  GETGLOBAL r5 "h"
  LOADK r6 #11
  CALL r3 4 2
  GETGLOBAL r4 "asyncdrawframe"
  GETGLOBAL r5 "h"
  GETGLOBAL r6 "getattribute"
  LOADK r7 #37
  GETGLOBAL r8 "h"
  LOADK r9 #11
  CALL r6 4 2
  CALL r4 3 2
  CALL r0 5 1
.lineno 43
  GETGLOBAL r0 "finishasyncdraw"
  GETGLOBAL r1 "h"
  CALL r0 2 2
.lineno 44
  GETGLOBAL r0 "removelayer"
  LOADK r1 #2
  CALL r0 2 2
.lineno 38
  GETGLOBAL r0 "createbrush"
  LOADK r1 #7
  LOADK r2 #64
  LOADK r3 #120
  LOADK r4 #16711680
  CALL r0 5 2
.lineno 39
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #7
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 40
  GETGLOBAL r0 "hidelayer"
  LOADK r1 #2
  CALL r0 2 2
.lineno 41
  GETGLOBAL r0 "showlayerfx"
  LOADK r1 #2
  NEWTABLE r2 0 3
  LOADK r3 #84
  SETTABLE r2 "type" r3
  LOADK r3 #-1
  SETTABLE r2 "speed" r3
  LOADK r3 #1
  SETTABLE r2 "async" r3
  CALL r0 3 2
  SETGLOBAL r0 "h"
.lineno 42
  GETGLOBAL r0 "debugprint"
  LOADK r1 #84
  LOADK r2 #-1
  GETGLOBAL r3 "getattribute"
  LOADK r4 #37
  GETGLOBAL r5 "h"
  LOADK r6 #11
  CALL r3 4 2
  GETGLOBAL r4 "asyncdrawframe"
  GETGLOBAL r5 "h"
  GETGLOBAL r6 "getattribute"
  LOADK r7 #37
  GETGLOBAL r8 "h"
  LOADK r9 #11
  CALL r6 4 2
  CALL r4 3 2
  CALL r0 5 1
.lineno 43
  GETGLOBAL r0 "finishasyncdraw"
  GETGLOBAL r1 "h"
  CALL r0 2 2
.lineno 44
  GETGLOBAL r0 "removelayer"
  LOADK r1 #2
  CALL r0 2 2
.lineno 38
  GETGLOBAL r0 "createbrush"
  LOADK r1 #7
  LOADK r2 #640
  LOADK r3 #48
  LOADK r4 #16711680
  CALL r0 5 2
.lineno 39
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #7
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 40
  GETGLOBAL r0 "hidelayer"
  LOADK r1 #2
  CALL r0 2 2
.lineno 41
  GETGLOBAL r0 "showlayerfx"
  LOADK r1 #2
  NEWTABLE r2 0 3
  LOADK r3 #87
  SETTABLE r2 "type" r3
  LOADK r3 #-1
  SETTABLE r2 "speed" r3
  LOADK r3 #1
  SETTABLE r2 "async" r3
  CALL r0 3 2
  SETGLOBAL r0 "h"
.lineno 42
  GETGLOBAL r0 "debugprint"
  LOADK r1 #87
  LOADK r2 #-1
  GETGLOBAL r3 "getattribute"
  LOADK r4 #37
  GETGLOBAL r5 "h"
  LOADK r6 #11
  CALL r3 4 2
  GETGLOBAL r4 "asyncdrawframe"
  GETGLOBAL r5 "h"
  GETGLOBAL r6 "getattribute"
  LOADK r7 #37
  GETGLOBAL r8 "h"
  LOADK r9 #11
  CALL r6 4 2
  CALL r4 3 2
  CALL r0 5 1
.lineno 43
  GETGLOBAL r0 "finishasyncdraw"
  GETGLOBAL r1 "h"
  CALL r0 2 2
.lineno 44
  GETGLOBAL r0 "removelayer"
  LOADK r1 #2
  CALL r0 2 2
  RETURN r0 1
