; label: fx
; Every effect id is served: each id from 0 to 139 but 113 through DisplayTransitionFX at FASTSPEED
; from picture A to picture B, and on a layer through ShowLayerFX with forcerealtimelayers; the
; .check compares every final snapshot with its target. GetRandomFX(True), called 1000 times, never
; gives a two-picture id (each of them stays at 0). 300 RANDOMEFFECT runs of a masked brush
; (QM_RANDOM_SEED seeds the choices) all end on their target too. (Loops written out below.)
; call LoadBGPic(1, "a.png")
; call LoadBGPic(2, "b.png")
; call LoadBrush(3, "bm.png")
; call SetBrushTransparency(3, $000000)
; call LoadBrush(5, "b.png")
; call LoadBrush(6, "a.png")
; call DisplayBGPic(1)
; two = {74, 75, 76, 77, 78, 79, 80, 81, 101, 102, 103, 104, 111, 112, 118, 119, 120, 121, 122, 123, 124, 125, 126, 127, 128, 129, 130, 131, 133}
; for id = 0, 139 do if id <> 113
; call DisplayTransitionFX(2, {type = id, speed = #FASTSPEED})
; call SaveSnapshot("p" .. id .. ".bmp", 1)
; call DisplayBGPic(1)
; end
; for i = 1, 300
; call DisplayBrushFX(3, -10, -7, {type = #RANDOMEFFECT, speed = #FASTSPEED})
; call SaveSnapshot("r" .. i .. ".bmp", 1)
; call DisplayBrush(6, 0, 0)
; end
; seen = {}
; for _, id in IPairs(two) do seen[id] = 0 end
; for i = 1, 1000 do seen[GetRandomFX(True)] = 1 end
; print "two-picture ids seen:", seen[74], seen[75], seen[76], seen[77], seen[78], seen[79], seen[80], seen[81], seen[101], seen[102], seen[103], seen[104], seen[111], seen[112], seen[118], seen[119], seen[120], seen[121], seen[122], seen[123], seen[124], seen[125], seen[126], seen[127], seen[128], seen[129], seen[130], seen[131], seen[133]
; call EnableLayers()
; call DisplayBrush(5, 10, 10)
; call HideLayer(1)
; for id = 0, 139 do if id <> 113
; call ShowLayerFX(1, {type = id, speed = #FASTSPEED, forcerealtimelayers = True})
; call SaveSnapshot("s" .. id .. ".bmp", 1)
; call HideLayer(1)
; end
.source "@fx_all_effects.q"
  .maxstack 43
  .const "type"
  .const "speed"
  .const "forcerealtimelayers"
  .const 1
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
  LOADK r1 #5
  LOADK r2 "b.png"
  CALL r0 3 2
.lineno 12
  GETGLOBAL r0 "loadbrush"
  LOADK r1 #6
  LOADK r2 "a.png"
  CALL r0 3 2
.lineno 13
  GETGLOBAL r0 "displaybgpic"
  LOADK r1 #1
  CALL r0 2 2
.lineno 16
  GETGLOBAL r0 "displaytransitionfx"
  LOADK r1 #2
  NEWTABLE r2 0 2
  LOADK r3 #0
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  CALL r0 3 2
.lineno 17
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "p0.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 18
  GETGLOBAL r0 "displaybgpic"
  LOADK r1 #1
  CALL r0 2 2
.lineno 16
  GETGLOBAL r0 "displaytransitionfx"
  LOADK r1 #2
  NEWTABLE r2 0 2
  LOADK r3 #1
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  CALL r0 3 2
.lineno 17
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "p1.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 18
  GETGLOBAL r0 "displaybgpic"
  LOADK r1 #1
  CALL r0 2 2
.lineno 16
  GETGLOBAL r0 "displaytransitionfx"
  LOADK r1 #2
  NEWTABLE r2 0 2
  LOADK r3 #2
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  CALL r0 3 2
.lineno 17
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "p2.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 18
  GETGLOBAL r0 "displaybgpic"
  LOADK r1 #1
  CALL r0 2 2
.lineno 16
  GETGLOBAL r0 "displaytransitionfx"
  LOADK r1 #2
  NEWTABLE r2 0 2
  LOADK r3 #3
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  CALL r0 3 2
.lineno 17
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "p3.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 18
  GETGLOBAL r0 "displaybgpic"
  LOADK r1 #1
  CALL r0 2 2
.lineno 16
  GETGLOBAL r0 "displaytransitionfx"
  LOADK r1 #2
  NEWTABLE r2 0 2
  LOADK r3 #4
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  CALL r0 3 2
.lineno 17
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "p4.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 18
  GETGLOBAL r0 "displaybgpic"
  LOADK r1 #1
  CALL r0 2 2
.lineno 16
  GETGLOBAL r0 "displaytransitionfx"
  LOADK r1 #2
  NEWTABLE r2 0 2
  LOADK r3 #5
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  CALL r0 3 2
.lineno 17
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "p5.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 18
  GETGLOBAL r0 "displaybgpic"
  LOADK r1 #1
  CALL r0 2 2
.lineno 16
  GETGLOBAL r0 "displaytransitionfx"
  LOADK r1 #2
  NEWTABLE r2 0 2
  LOADK r3 #6
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  CALL r0 3 2
.lineno 17
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "p6.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 18
  GETGLOBAL r0 "displaybgpic"
  LOADK r1 #1
  CALL r0 2 2
.lineno 16
  GETGLOBAL r0 "displaytransitionfx"
  LOADK r1 #2
  NEWTABLE r2 0 2
  LOADK r3 #7
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  CALL r0 3 2
.lineno 17
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "p7.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 18
  GETGLOBAL r0 "displaybgpic"
  LOADK r1 #1
  CALL r0 2 2
.lineno 16
  GETGLOBAL r0 "displaytransitionfx"
  LOADK r1 #2
  NEWTABLE r2 0 2
  LOADK r3 #8
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  CALL r0 3 2
.lineno 17
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "p8.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 18
  GETGLOBAL r0 "displaybgpic"
  LOADK r1 #1
  CALL r0 2 2
.lineno 16
  GETGLOBAL r0 "displaytransitionfx"
  LOADK r1 #2
  NEWTABLE r2 0 2
  LOADK r3 #9
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  CALL r0 3 2
.lineno 17
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "p9.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 18
  GETGLOBAL r0 "displaybgpic"
  LOADK r1 #1
  CALL r0 2 2
.lineno 16
  GETGLOBAL r0 "displaytransitionfx"
  LOADK r1 #2
  NEWTABLE r2 0 2
  LOADK r3 #10
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  CALL r0 3 2
.lineno 17
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "p10.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 18
  GETGLOBAL r0 "displaybgpic"
  LOADK r1 #1
  CALL r0 2 2
.lineno 16
  GETGLOBAL r0 "displaytransitionfx"
  LOADK r1 #2
  NEWTABLE r2 0 2
  LOADK r3 #11
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  CALL r0 3 2
.lineno 17
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "p11.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 18
  GETGLOBAL r0 "displaybgpic"
  LOADK r1 #1
  CALL r0 2 2
.lineno 16
  GETGLOBAL r0 "displaytransitionfx"
  LOADK r1 #2
  NEWTABLE r2 0 2
  LOADK r3 #12
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  CALL r0 3 2
.lineno 17
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "p12.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 18
  GETGLOBAL r0 "displaybgpic"
  LOADK r1 #1
  CALL r0 2 2
.lineno 16
  GETGLOBAL r0 "displaytransitionfx"
  LOADK r1 #2
  NEWTABLE r2 0 2
  LOADK r3 #13
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  CALL r0 3 2
.lineno 17
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "p13.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 18
  GETGLOBAL r0 "displaybgpic"
  LOADK r1 #1
  CALL r0 2 2
.lineno 16
  GETGLOBAL r0 "displaytransitionfx"
  LOADK r1 #2
  NEWTABLE r2 0 2
  LOADK r3 #14
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  CALL r0 3 2
.lineno 17
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "p14.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 18
  GETGLOBAL r0 "displaybgpic"
  LOADK r1 #1
  CALL r0 2 2
.lineno 16
  GETGLOBAL r0 "displaytransitionfx"
  LOADK r1 #2
  NEWTABLE r2 0 2
  LOADK r3 #15
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  CALL r0 3 2
.lineno 17
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "p15.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 18
  GETGLOBAL r0 "displaybgpic"
  LOADK r1 #1
  CALL r0 2 2
.lineno 16
  GETGLOBAL r0 "displaytransitionfx"
  LOADK r1 #2
  NEWTABLE r2 0 2
  LOADK r3 #16
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  CALL r0 3 2
.lineno 17
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "p16.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 18
  GETGLOBAL r0 "displaybgpic"
  LOADK r1 #1
  CALL r0 2 2
.lineno 16
  GETGLOBAL r0 "displaytransitionfx"
  LOADK r1 #2
  NEWTABLE r2 0 2
  LOADK r3 #17
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  CALL r0 3 2
.lineno 17
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "p17.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 18
  GETGLOBAL r0 "displaybgpic"
  LOADK r1 #1
  CALL r0 2 2
.lineno 16
  GETGLOBAL r0 "displaytransitionfx"
  LOADK r1 #2
  NEWTABLE r2 0 2
  LOADK r3 #18
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  CALL r0 3 2
.lineno 17
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "p18.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 18
  GETGLOBAL r0 "displaybgpic"
  LOADK r1 #1
  CALL r0 2 2
.lineno 16
  GETGLOBAL r0 "displaytransitionfx"
  LOADK r1 #2
  NEWTABLE r2 0 2
  LOADK r3 #19
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  CALL r0 3 2
.lineno 17
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "p19.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 18
  GETGLOBAL r0 "displaybgpic"
  LOADK r1 #1
  CALL r0 2 2
.lineno 16
  GETGLOBAL r0 "displaytransitionfx"
  LOADK r1 #2
  NEWTABLE r2 0 2
  LOADK r3 #20
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  CALL r0 3 2
.lineno 17
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "p20.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 18
  GETGLOBAL r0 "displaybgpic"
  LOADK r1 #1
  CALL r0 2 2
.lineno 16
  GETGLOBAL r0 "displaytransitionfx"
  LOADK r1 #2
  NEWTABLE r2 0 2
  LOADK r3 #21
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  CALL r0 3 2
.lineno 17
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "p21.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 18
  GETGLOBAL r0 "displaybgpic"
  LOADK r1 #1
  CALL r0 2 2
.lineno 16
  GETGLOBAL r0 "displaytransitionfx"
  LOADK r1 #2
  NEWTABLE r2 0 2
  LOADK r3 #22
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  CALL r0 3 2
.lineno 17
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "p22.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 18
  GETGLOBAL r0 "displaybgpic"
  LOADK r1 #1
  CALL r0 2 2
.lineno 16
  GETGLOBAL r0 "displaytransitionfx"
  LOADK r1 #2
  NEWTABLE r2 0 2
  LOADK r3 #23
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  CALL r0 3 2
.lineno 17
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "p23.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 18
  GETGLOBAL r0 "displaybgpic"
  LOADK r1 #1
  CALL r0 2 2
.lineno 16
  GETGLOBAL r0 "displaytransitionfx"
  LOADK r1 #2
  NEWTABLE r2 0 2
  LOADK r3 #24
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  CALL r0 3 2
.lineno 17
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "p24.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 18
  GETGLOBAL r0 "displaybgpic"
  LOADK r1 #1
  CALL r0 2 2
.lineno 16
  GETGLOBAL r0 "displaytransitionfx"
  LOADK r1 #2
  NEWTABLE r2 0 2
  LOADK r3 #25
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  CALL r0 3 2
.lineno 17
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "p25.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 18
  GETGLOBAL r0 "displaybgpic"
  LOADK r1 #1
  CALL r0 2 2
.lineno 16
  GETGLOBAL r0 "displaytransitionfx"
  LOADK r1 #2
  NEWTABLE r2 0 2
  LOADK r3 #26
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  CALL r0 3 2
.lineno 17
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "p26.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 18
  GETGLOBAL r0 "displaybgpic"
  LOADK r1 #1
  CALL r0 2 2
.lineno 16
  GETGLOBAL r0 "displaytransitionfx"
  LOADK r1 #2
  NEWTABLE r2 0 2
  LOADK r3 #27
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  CALL r0 3 2
.lineno 17
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "p27.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 18
  GETGLOBAL r0 "displaybgpic"
  LOADK r1 #1
  CALL r0 2 2
.lineno 16
  GETGLOBAL r0 "displaytransitionfx"
  LOADK r1 #2
  NEWTABLE r2 0 2
  LOADK r3 #28
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  CALL r0 3 2
.lineno 17
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "p28.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 18
  GETGLOBAL r0 "displaybgpic"
  LOADK r1 #1
  CALL r0 2 2
.lineno 16
  GETGLOBAL r0 "displaytransitionfx"
  LOADK r1 #2
  NEWTABLE r2 0 2
  LOADK r3 #29
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  CALL r0 3 2
.lineno 17
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "p29.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 18
  GETGLOBAL r0 "displaybgpic"
  LOADK r1 #1
  CALL r0 2 2
.lineno 16
  GETGLOBAL r0 "displaytransitionfx"
  LOADK r1 #2
  NEWTABLE r2 0 2
  LOADK r3 #30
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  CALL r0 3 2
.lineno 17
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "p30.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 18
  GETGLOBAL r0 "displaybgpic"
  LOADK r1 #1
  CALL r0 2 2
.lineno 16
  GETGLOBAL r0 "displaytransitionfx"
  LOADK r1 #2
  NEWTABLE r2 0 2
  LOADK r3 #31
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  CALL r0 3 2
.lineno 17
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "p31.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 18
  GETGLOBAL r0 "displaybgpic"
  LOADK r1 #1
  CALL r0 2 2
.lineno 16
  GETGLOBAL r0 "displaytransitionfx"
  LOADK r1 #2
  NEWTABLE r2 0 2
  LOADK r3 #32
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  CALL r0 3 2
.lineno 17
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "p32.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 18
  GETGLOBAL r0 "displaybgpic"
  LOADK r1 #1
  CALL r0 2 2
.lineno 16
  GETGLOBAL r0 "displaytransitionfx"
  LOADK r1 #2
  NEWTABLE r2 0 2
  LOADK r3 #33
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  CALL r0 3 2
.lineno 17
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "p33.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 18
  GETGLOBAL r0 "displaybgpic"
  LOADK r1 #1
  CALL r0 2 2
.lineno 16
  GETGLOBAL r0 "displaytransitionfx"
  LOADK r1 #2
  NEWTABLE r2 0 2
  LOADK r3 #34
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  CALL r0 3 2
.lineno 17
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "p34.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 18
  GETGLOBAL r0 "displaybgpic"
  LOADK r1 #1
  CALL r0 2 2
.lineno 16
  GETGLOBAL r0 "displaytransitionfx"
  LOADK r1 #2
  NEWTABLE r2 0 2
  LOADK r3 #35
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  CALL r0 3 2
.lineno 17
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "p35.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 18
  GETGLOBAL r0 "displaybgpic"
  LOADK r1 #1
  CALL r0 2 2
.lineno 16
  GETGLOBAL r0 "displaytransitionfx"
  LOADK r1 #2
  NEWTABLE r2 0 2
  LOADK r3 #36
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  CALL r0 3 2
.lineno 17
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "p36.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 18
  GETGLOBAL r0 "displaybgpic"
  LOADK r1 #1
  CALL r0 2 2
.lineno 16
  GETGLOBAL r0 "displaytransitionfx"
  LOADK r1 #2
  NEWTABLE r2 0 2
  LOADK r3 #37
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  CALL r0 3 2
.lineno 17
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "p37.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 18
  GETGLOBAL r0 "displaybgpic"
  LOADK r1 #1
  CALL r0 2 2
.lineno 16
  GETGLOBAL r0 "displaytransitionfx"
  LOADK r1 #2
  NEWTABLE r2 0 2
  LOADK r3 #38
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  CALL r0 3 2
.lineno 17
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "p38.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 18
  GETGLOBAL r0 "displaybgpic"
  LOADK r1 #1
  CALL r0 2 2
.lineno 16
  GETGLOBAL r0 "displaytransitionfx"
  LOADK r1 #2
  NEWTABLE r2 0 2
  LOADK r3 #39
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  CALL r0 3 2
.lineno 17
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "p39.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 18
  GETGLOBAL r0 "displaybgpic"
  LOADK r1 #1
  CALL r0 2 2
.lineno 16
  GETGLOBAL r0 "displaytransitionfx"
  LOADK r1 #2
  NEWTABLE r2 0 2
  LOADK r3 #40
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  CALL r0 3 2
.lineno 17
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "p40.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 18
  GETGLOBAL r0 "displaybgpic"
  LOADK r1 #1
  CALL r0 2 2
.lineno 16
  GETGLOBAL r0 "displaytransitionfx"
  LOADK r1 #2
  NEWTABLE r2 0 2
  LOADK r3 #41
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  CALL r0 3 2
.lineno 17
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "p41.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 18
  GETGLOBAL r0 "displaybgpic"
  LOADK r1 #1
  CALL r0 2 2
.lineno 16
  GETGLOBAL r0 "displaytransitionfx"
  LOADK r1 #2
  NEWTABLE r2 0 2
  LOADK r3 #42
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  CALL r0 3 2
.lineno 17
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "p42.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 18
  GETGLOBAL r0 "displaybgpic"
  LOADK r1 #1
  CALL r0 2 2
.lineno 16
  GETGLOBAL r0 "displaytransitionfx"
  LOADK r1 #2
  NEWTABLE r2 0 2
  LOADK r3 #43
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  CALL r0 3 2
.lineno 17
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "p43.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 18
  GETGLOBAL r0 "displaybgpic"
  LOADK r1 #1
  CALL r0 2 2
.lineno 16
  GETGLOBAL r0 "displaytransitionfx"
  LOADK r1 #2
  NEWTABLE r2 0 2
  LOADK r3 #44
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  CALL r0 3 2
.lineno 17
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "p44.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 18
  GETGLOBAL r0 "displaybgpic"
  LOADK r1 #1
  CALL r0 2 2
.lineno 16
  GETGLOBAL r0 "displaytransitionfx"
  LOADK r1 #2
  NEWTABLE r2 0 2
  LOADK r3 #45
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  CALL r0 3 2
.lineno 17
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "p45.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 18
  GETGLOBAL r0 "displaybgpic"
  LOADK r1 #1
  CALL r0 2 2
.lineno 16
  GETGLOBAL r0 "displaytransitionfx"
  LOADK r1 #2
  NEWTABLE r2 0 2
  LOADK r3 #46
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  CALL r0 3 2
.lineno 17
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "p46.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 18
  GETGLOBAL r0 "displaybgpic"
  LOADK r1 #1
  CALL r0 2 2
.lineno 16
  GETGLOBAL r0 "displaytransitionfx"
  LOADK r1 #2
  NEWTABLE r2 0 2
  LOADK r3 #47
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  CALL r0 3 2
.lineno 17
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "p47.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 18
  GETGLOBAL r0 "displaybgpic"
  LOADK r1 #1
  CALL r0 2 2
.lineno 16
  GETGLOBAL r0 "displaytransitionfx"
  LOADK r1 #2
  NEWTABLE r2 0 2
  LOADK r3 #48
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  CALL r0 3 2
.lineno 17
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "p48.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 18
  GETGLOBAL r0 "displaybgpic"
  LOADK r1 #1
  CALL r0 2 2
.lineno 16
  GETGLOBAL r0 "displaytransitionfx"
  LOADK r1 #2
  NEWTABLE r2 0 2
  LOADK r3 #49
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  CALL r0 3 2
.lineno 17
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "p49.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 18
  GETGLOBAL r0 "displaybgpic"
  LOADK r1 #1
  CALL r0 2 2
.lineno 16
  GETGLOBAL r0 "displaytransitionfx"
  LOADK r1 #2
  NEWTABLE r2 0 2
  LOADK r3 #50
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  CALL r0 3 2
.lineno 17
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "p50.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 18
  GETGLOBAL r0 "displaybgpic"
  LOADK r1 #1
  CALL r0 2 2
.lineno 16
  GETGLOBAL r0 "displaytransitionfx"
  LOADK r1 #2
  NEWTABLE r2 0 2
  LOADK r3 #51
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  CALL r0 3 2
.lineno 17
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "p51.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 18
  GETGLOBAL r0 "displaybgpic"
  LOADK r1 #1
  CALL r0 2 2
.lineno 16
  GETGLOBAL r0 "displaytransitionfx"
  LOADK r1 #2
  NEWTABLE r2 0 2
  LOADK r3 #52
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  CALL r0 3 2
.lineno 17
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "p52.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 18
  GETGLOBAL r0 "displaybgpic"
  LOADK r1 #1
  CALL r0 2 2
.lineno 16
  GETGLOBAL r0 "displaytransitionfx"
  LOADK r1 #2
  NEWTABLE r2 0 2
  LOADK r3 #53
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  CALL r0 3 2
.lineno 17
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "p53.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 18
  GETGLOBAL r0 "displaybgpic"
  LOADK r1 #1
  CALL r0 2 2
.lineno 16
  GETGLOBAL r0 "displaytransitionfx"
  LOADK r1 #2
  NEWTABLE r2 0 2
  LOADK r3 #54
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  CALL r0 3 2
.lineno 17
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "p54.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 18
  GETGLOBAL r0 "displaybgpic"
  LOADK r1 #1
  CALL r0 2 2
.lineno 16
  GETGLOBAL r0 "displaytransitionfx"
  LOADK r1 #2
  NEWTABLE r2 0 2
  LOADK r3 #55
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  CALL r0 3 2
.lineno 17
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "p55.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 18
  GETGLOBAL r0 "displaybgpic"
  LOADK r1 #1
  CALL r0 2 2
.lineno 16
  GETGLOBAL r0 "displaytransitionfx"
  LOADK r1 #2
  NEWTABLE r2 0 2
  LOADK r3 #56
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  CALL r0 3 2
.lineno 17
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "p56.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 18
  GETGLOBAL r0 "displaybgpic"
  LOADK r1 #1
  CALL r0 2 2
.lineno 16
  GETGLOBAL r0 "displaytransitionfx"
  LOADK r1 #2
  NEWTABLE r2 0 2
  LOADK r3 #57
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  CALL r0 3 2
.lineno 17
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "p57.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 18
  GETGLOBAL r0 "displaybgpic"
  LOADK r1 #1
  CALL r0 2 2
.lineno 16
  GETGLOBAL r0 "displaytransitionfx"
  LOADK r1 #2
  NEWTABLE r2 0 2
  LOADK r3 #58
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  CALL r0 3 2
.lineno 17
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "p58.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 18
  GETGLOBAL r0 "displaybgpic"
  LOADK r1 #1
  CALL r0 2 2
.lineno 16
  GETGLOBAL r0 "displaytransitionfx"
  LOADK r1 #2
  NEWTABLE r2 0 2
  LOADK r3 #59
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  CALL r0 3 2
.lineno 17
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "p59.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 18
  GETGLOBAL r0 "displaybgpic"
  LOADK r1 #1
  CALL r0 2 2
.lineno 16
  GETGLOBAL r0 "displaytransitionfx"
  LOADK r1 #2
  NEWTABLE r2 0 2
  LOADK r3 #60
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  CALL r0 3 2
.lineno 17
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "p60.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 18
  GETGLOBAL r0 "displaybgpic"
  LOADK r1 #1
  CALL r0 2 2
.lineno 16
  GETGLOBAL r0 "displaytransitionfx"
  LOADK r1 #2
  NEWTABLE r2 0 2
  LOADK r3 #61
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  CALL r0 3 2
.lineno 17
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "p61.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 18
  GETGLOBAL r0 "displaybgpic"
  LOADK r1 #1
  CALL r0 2 2
.lineno 16
  GETGLOBAL r0 "displaytransitionfx"
  LOADK r1 #2
  NEWTABLE r2 0 2
  LOADK r3 #62
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  CALL r0 3 2
.lineno 17
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "p62.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 18
  GETGLOBAL r0 "displaybgpic"
  LOADK r1 #1
  CALL r0 2 2
.lineno 16
  GETGLOBAL r0 "displaytransitionfx"
  LOADK r1 #2
  NEWTABLE r2 0 2
  LOADK r3 #63
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  CALL r0 3 2
.lineno 17
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "p63.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 18
  GETGLOBAL r0 "displaybgpic"
  LOADK r1 #1
  CALL r0 2 2
.lineno 16
  GETGLOBAL r0 "displaytransitionfx"
  LOADK r1 #2
  NEWTABLE r2 0 2
  LOADK r3 #64
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  CALL r0 3 2
.lineno 17
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "p64.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 18
  GETGLOBAL r0 "displaybgpic"
  LOADK r1 #1
  CALL r0 2 2
.lineno 16
  GETGLOBAL r0 "displaytransitionfx"
  LOADK r1 #2
  NEWTABLE r2 0 2
  LOADK r3 #65
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  CALL r0 3 2
.lineno 17
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "p65.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 18
  GETGLOBAL r0 "displaybgpic"
  LOADK r1 #1
  CALL r0 2 2
.lineno 16
  GETGLOBAL r0 "displaytransitionfx"
  LOADK r1 #2
  NEWTABLE r2 0 2
  LOADK r3 #66
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  CALL r0 3 2
.lineno 17
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "p66.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 18
  GETGLOBAL r0 "displaybgpic"
  LOADK r1 #1
  CALL r0 2 2
.lineno 16
  GETGLOBAL r0 "displaytransitionfx"
  LOADK r1 #2
  NEWTABLE r2 0 2
  LOADK r3 #67
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  CALL r0 3 2
.lineno 17
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "p67.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 18
  GETGLOBAL r0 "displaybgpic"
  LOADK r1 #1
  CALL r0 2 2
.lineno 16
  GETGLOBAL r0 "displaytransitionfx"
  LOADK r1 #2
  NEWTABLE r2 0 2
  LOADK r3 #68
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  CALL r0 3 2
.lineno 17
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "p68.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 18
  GETGLOBAL r0 "displaybgpic"
  LOADK r1 #1
  CALL r0 2 2
.lineno 16
  GETGLOBAL r0 "displaytransitionfx"
  LOADK r1 #2
  NEWTABLE r2 0 2
  LOADK r3 #69
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  CALL r0 3 2
.lineno 17
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "p69.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 18
  GETGLOBAL r0 "displaybgpic"
  LOADK r1 #1
  CALL r0 2 2
.lineno 16
  GETGLOBAL r0 "displaytransitionfx"
  LOADK r1 #2
  NEWTABLE r2 0 2
  LOADK r3 #70
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  CALL r0 3 2
.lineno 17
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "p70.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 18
  GETGLOBAL r0 "displaybgpic"
  LOADK r1 #1
  CALL r0 2 2
.lineno 16
  GETGLOBAL r0 "displaytransitionfx"
  LOADK r1 #2
  NEWTABLE r2 0 2
  LOADK r3 #71
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  CALL r0 3 2
.lineno 17
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "p71.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 18
  GETGLOBAL r0 "displaybgpic"
  LOADK r1 #1
  CALL r0 2 2
.lineno 16
  GETGLOBAL r0 "displaytransitionfx"
  LOADK r1 #2
  NEWTABLE r2 0 2
  LOADK r3 #72
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  CALL r0 3 2
.lineno 17
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "p72.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 18
  GETGLOBAL r0 "displaybgpic"
  LOADK r1 #1
  CALL r0 2 2
.lineno 16
  GETGLOBAL r0 "displaytransitionfx"
  LOADK r1 #2
  NEWTABLE r2 0 2
  LOADK r3 #73
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  CALL r0 3 2
.lineno 17
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "p73.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 18
  GETGLOBAL r0 "displaybgpic"
  LOADK r1 #1
  CALL r0 2 2
.lineno 16
  GETGLOBAL r0 "displaytransitionfx"
  LOADK r1 #2
  NEWTABLE r2 0 2
  LOADK r3 #74
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  CALL r0 3 2
.lineno 17
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "p74.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 18
  GETGLOBAL r0 "displaybgpic"
  LOADK r1 #1
  CALL r0 2 2
.lineno 16
  GETGLOBAL r0 "displaytransitionfx"
  LOADK r1 #2
  NEWTABLE r2 0 2
  LOADK r3 #75
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  CALL r0 3 2
.lineno 17
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "p75.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 18
  GETGLOBAL r0 "displaybgpic"
  LOADK r1 #1
  CALL r0 2 2
.lineno 16
  GETGLOBAL r0 "displaytransitionfx"
  LOADK r1 #2
  NEWTABLE r2 0 2
  LOADK r3 #76
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  CALL r0 3 2
.lineno 17
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "p76.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 18
  GETGLOBAL r0 "displaybgpic"
  LOADK r1 #1
  CALL r0 2 2
.lineno 16
  GETGLOBAL r0 "displaytransitionfx"
  LOADK r1 #2
  NEWTABLE r2 0 2
  LOADK r3 #77
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  CALL r0 3 2
.lineno 17
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "p77.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 18
  GETGLOBAL r0 "displaybgpic"
  LOADK r1 #1
  CALL r0 2 2
.lineno 16
  GETGLOBAL r0 "displaytransitionfx"
  LOADK r1 #2
  NEWTABLE r2 0 2
  LOADK r3 #78
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  CALL r0 3 2
.lineno 17
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "p78.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 18
  GETGLOBAL r0 "displaybgpic"
  LOADK r1 #1
  CALL r0 2 2
.lineno 16
  GETGLOBAL r0 "displaytransitionfx"
  LOADK r1 #2
  NEWTABLE r2 0 2
  LOADK r3 #79
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  CALL r0 3 2
.lineno 17
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "p79.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 18
  GETGLOBAL r0 "displaybgpic"
  LOADK r1 #1
  CALL r0 2 2
.lineno 16
  GETGLOBAL r0 "displaytransitionfx"
  LOADK r1 #2
  NEWTABLE r2 0 2
  LOADK r3 #80
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  CALL r0 3 2
.lineno 17
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "p80.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 18
  GETGLOBAL r0 "displaybgpic"
  LOADK r1 #1
  CALL r0 2 2
.lineno 16
  GETGLOBAL r0 "displaytransitionfx"
  LOADK r1 #2
  NEWTABLE r2 0 2
  LOADK r3 #81
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  CALL r0 3 2
.lineno 17
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "p81.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 18
  GETGLOBAL r0 "displaybgpic"
  LOADK r1 #1
  CALL r0 2 2
.lineno 16
  GETGLOBAL r0 "displaytransitionfx"
  LOADK r1 #2
  NEWTABLE r2 0 2
  LOADK r3 #82
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  CALL r0 3 2
.lineno 17
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "p82.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 18
  GETGLOBAL r0 "displaybgpic"
  LOADK r1 #1
  CALL r0 2 2
.lineno 16
  GETGLOBAL r0 "displaytransitionfx"
  LOADK r1 #2
  NEWTABLE r2 0 2
  LOADK r3 #83
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  CALL r0 3 2
.lineno 17
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "p83.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 18
  GETGLOBAL r0 "displaybgpic"
  LOADK r1 #1
  CALL r0 2 2
.lineno 16
  GETGLOBAL r0 "displaytransitionfx"
  LOADK r1 #2
  NEWTABLE r2 0 2
  LOADK r3 #84
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  CALL r0 3 2
.lineno 17
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "p84.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 18
  GETGLOBAL r0 "displaybgpic"
  LOADK r1 #1
  CALL r0 2 2
.lineno 16
  GETGLOBAL r0 "displaytransitionfx"
  LOADK r1 #2
  NEWTABLE r2 0 2
  LOADK r3 #85
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  CALL r0 3 2
.lineno 17
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "p85.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 18
  GETGLOBAL r0 "displaybgpic"
  LOADK r1 #1
  CALL r0 2 2
.lineno 16
  GETGLOBAL r0 "displaytransitionfx"
  LOADK r1 #2
  NEWTABLE r2 0 2
  LOADK r3 #86
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  CALL r0 3 2
.lineno 17
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "p86.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 18
  GETGLOBAL r0 "displaybgpic"
  LOADK r1 #1
  CALL r0 2 2
.lineno 16
  GETGLOBAL r0 "displaytransitionfx"
  LOADK r1 #2
  NEWTABLE r2 0 2
  LOADK r3 #87
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  CALL r0 3 2
.lineno 17
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "p87.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 18
  GETGLOBAL r0 "displaybgpic"
  LOADK r1 #1
  CALL r0 2 2
.lineno 16
  GETGLOBAL r0 "displaytransitionfx"
  LOADK r1 #2
  NEWTABLE r2 0 2
  LOADK r3 #88
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  CALL r0 3 2
.lineno 17
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "p88.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 18
  GETGLOBAL r0 "displaybgpic"
  LOADK r1 #1
  CALL r0 2 2
.lineno 16
  GETGLOBAL r0 "displaytransitionfx"
  LOADK r1 #2
  NEWTABLE r2 0 2
  LOADK r3 #89
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  CALL r0 3 2
.lineno 17
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "p89.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 18
  GETGLOBAL r0 "displaybgpic"
  LOADK r1 #1
  CALL r0 2 2
.lineno 16
  GETGLOBAL r0 "displaytransitionfx"
  LOADK r1 #2
  NEWTABLE r2 0 2
  LOADK r3 #90
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  CALL r0 3 2
.lineno 17
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "p90.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 18
  GETGLOBAL r0 "displaybgpic"
  LOADK r1 #1
  CALL r0 2 2
.lineno 16
  GETGLOBAL r0 "displaytransitionfx"
  LOADK r1 #2
  NEWTABLE r2 0 2
  LOADK r3 #91
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  CALL r0 3 2
.lineno 17
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "p91.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 18
  GETGLOBAL r0 "displaybgpic"
  LOADK r1 #1
  CALL r0 2 2
.lineno 16
  GETGLOBAL r0 "displaytransitionfx"
  LOADK r1 #2
  NEWTABLE r2 0 2
  LOADK r3 #92
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  CALL r0 3 2
.lineno 17
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "p92.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 18
  GETGLOBAL r0 "displaybgpic"
  LOADK r1 #1
  CALL r0 2 2
.lineno 16
  GETGLOBAL r0 "displaytransitionfx"
  LOADK r1 #2
  NEWTABLE r2 0 2
  LOADK r3 #93
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  CALL r0 3 2
.lineno 17
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "p93.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 18
  GETGLOBAL r0 "displaybgpic"
  LOADK r1 #1
  CALL r0 2 2
.lineno 16
  GETGLOBAL r0 "displaytransitionfx"
  LOADK r1 #2
  NEWTABLE r2 0 2
  LOADK r3 #94
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  CALL r0 3 2
.lineno 17
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "p94.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 18
  GETGLOBAL r0 "displaybgpic"
  LOADK r1 #1
  CALL r0 2 2
.lineno 16
  GETGLOBAL r0 "displaytransitionfx"
  LOADK r1 #2
  NEWTABLE r2 0 2
  LOADK r3 #95
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  CALL r0 3 2
.lineno 17
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "p95.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 18
  GETGLOBAL r0 "displaybgpic"
  LOADK r1 #1
  CALL r0 2 2
.lineno 16
  GETGLOBAL r0 "displaytransitionfx"
  LOADK r1 #2
  NEWTABLE r2 0 2
  LOADK r3 #96
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  CALL r0 3 2
.lineno 17
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "p96.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 18
  GETGLOBAL r0 "displaybgpic"
  LOADK r1 #1
  CALL r0 2 2
.lineno 16
  GETGLOBAL r0 "displaytransitionfx"
  LOADK r1 #2
  NEWTABLE r2 0 2
  LOADK r3 #97
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  CALL r0 3 2
.lineno 17
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "p97.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 18
  GETGLOBAL r0 "displaybgpic"
  LOADK r1 #1
  CALL r0 2 2
.lineno 16
  GETGLOBAL r0 "displaytransitionfx"
  LOADK r1 #2
  NEWTABLE r2 0 2
  LOADK r3 #98
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  CALL r0 3 2
.lineno 17
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "p98.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 18
  GETGLOBAL r0 "displaybgpic"
  LOADK r1 #1
  CALL r0 2 2
.lineno 16
  GETGLOBAL r0 "displaytransitionfx"
  LOADK r1 #2
  NEWTABLE r2 0 2
  LOADK r3 #99
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  CALL r0 3 2
.lineno 17
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "p99.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 18
  GETGLOBAL r0 "displaybgpic"
  LOADK r1 #1
  CALL r0 2 2
.lineno 16
  GETGLOBAL r0 "displaytransitionfx"
  LOADK r1 #2
  NEWTABLE r2 0 2
  LOADK r3 #100
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  CALL r0 3 2
.lineno 17
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "p100.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 18
  GETGLOBAL r0 "displaybgpic"
  LOADK r1 #1
  CALL r0 2 2
.lineno 16
  GETGLOBAL r0 "displaytransitionfx"
  LOADK r1 #2
  NEWTABLE r2 0 2
  LOADK r3 #101
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  CALL r0 3 2
.lineno 17
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "p101.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 18
  GETGLOBAL r0 "displaybgpic"
  LOADK r1 #1
  CALL r0 2 2
.lineno 16
  GETGLOBAL r0 "displaytransitionfx"
  LOADK r1 #2
  NEWTABLE r2 0 2
  LOADK r3 #102
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  CALL r0 3 2
.lineno 17
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "p102.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 18
  GETGLOBAL r0 "displaybgpic"
  LOADK r1 #1
  CALL r0 2 2
.lineno 16
  GETGLOBAL r0 "displaytransitionfx"
  LOADK r1 #2
  NEWTABLE r2 0 2
  LOADK r3 #103
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  CALL r0 3 2
.lineno 17
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "p103.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 18
  GETGLOBAL r0 "displaybgpic"
  LOADK r1 #1
  CALL r0 2 2
.lineno 16
  GETGLOBAL r0 "displaytransitionfx"
  LOADK r1 #2
  NEWTABLE r2 0 2
  LOADK r3 #104
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  CALL r0 3 2
.lineno 17
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "p104.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 18
  GETGLOBAL r0 "displaybgpic"
  LOADK r1 #1
  CALL r0 2 2
.lineno 16
  GETGLOBAL r0 "displaytransitionfx"
  LOADK r1 #2
  NEWTABLE r2 0 2
  LOADK r3 #105
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  CALL r0 3 2
.lineno 17
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "p105.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 18
  GETGLOBAL r0 "displaybgpic"
  LOADK r1 #1
  CALL r0 2 2
.lineno 16
  GETGLOBAL r0 "displaytransitionfx"
  LOADK r1 #2
  NEWTABLE r2 0 2
  LOADK r3 #106
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  CALL r0 3 2
.lineno 17
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "p106.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 18
  GETGLOBAL r0 "displaybgpic"
  LOADK r1 #1
  CALL r0 2 2
.lineno 16
  GETGLOBAL r0 "displaytransitionfx"
  LOADK r1 #2
  NEWTABLE r2 0 2
  LOADK r3 #107
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  CALL r0 3 2
.lineno 17
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "p107.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 18
  GETGLOBAL r0 "displaybgpic"
  LOADK r1 #1
  CALL r0 2 2
.lineno 16
  GETGLOBAL r0 "displaytransitionfx"
  LOADK r1 #2
  NEWTABLE r2 0 2
  LOADK r3 #108
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  CALL r0 3 2
.lineno 17
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "p108.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 18
  GETGLOBAL r0 "displaybgpic"
  LOADK r1 #1
  CALL r0 2 2
.lineno 16
  GETGLOBAL r0 "displaytransitionfx"
  LOADK r1 #2
  NEWTABLE r2 0 2
  LOADK r3 #109
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  CALL r0 3 2
.lineno 17
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "p109.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 18
  GETGLOBAL r0 "displaybgpic"
  LOADK r1 #1
  CALL r0 2 2
.lineno 16
  GETGLOBAL r0 "displaytransitionfx"
  LOADK r1 #2
  NEWTABLE r2 0 2
  LOADK r3 #110
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  CALL r0 3 2
.lineno 17
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "p110.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 18
  GETGLOBAL r0 "displaybgpic"
  LOADK r1 #1
  CALL r0 2 2
.lineno 16
  GETGLOBAL r0 "displaytransitionfx"
  LOADK r1 #2
  NEWTABLE r2 0 2
  LOADK r3 #111
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  CALL r0 3 2
.lineno 17
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "p111.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 18
  GETGLOBAL r0 "displaybgpic"
  LOADK r1 #1
  CALL r0 2 2
.lineno 16
  GETGLOBAL r0 "displaytransitionfx"
  LOADK r1 #2
  NEWTABLE r2 0 2
  LOADK r3 #112
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  CALL r0 3 2
.lineno 17
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "p112.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 18
  GETGLOBAL r0 "displaybgpic"
  LOADK r1 #1
  CALL r0 2 2
.lineno 16
  GETGLOBAL r0 "displaytransitionfx"
  LOADK r1 #2
  NEWTABLE r2 0 2
  LOADK r3 #114
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  CALL r0 3 2
.lineno 17
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "p114.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 18
  GETGLOBAL r0 "displaybgpic"
  LOADK r1 #1
  CALL r0 2 2
.lineno 16
  GETGLOBAL r0 "displaytransitionfx"
  LOADK r1 #2
  NEWTABLE r2 0 2
  LOADK r3 #115
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  CALL r0 3 2
.lineno 17
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "p115.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 18
  GETGLOBAL r0 "displaybgpic"
  LOADK r1 #1
  CALL r0 2 2
.lineno 16
  GETGLOBAL r0 "displaytransitionfx"
  LOADK r1 #2
  NEWTABLE r2 0 2
  LOADK r3 #116
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  CALL r0 3 2
.lineno 17
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "p116.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 18
  GETGLOBAL r0 "displaybgpic"
  LOADK r1 #1
  CALL r0 2 2
.lineno 16
  GETGLOBAL r0 "displaytransitionfx"
  LOADK r1 #2
  NEWTABLE r2 0 2
  LOADK r3 #117
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  CALL r0 3 2
.lineno 17
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "p117.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 18
  GETGLOBAL r0 "displaybgpic"
  LOADK r1 #1
  CALL r0 2 2
.lineno 16
  GETGLOBAL r0 "displaytransitionfx"
  LOADK r1 #2
  NEWTABLE r2 0 2
  LOADK r3 #118
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  CALL r0 3 2
.lineno 17
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "p118.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 18
  GETGLOBAL r0 "displaybgpic"
  LOADK r1 #1
  CALL r0 2 2
.lineno 16
  GETGLOBAL r0 "displaytransitionfx"
  LOADK r1 #2
  NEWTABLE r2 0 2
  LOADK r3 #119
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  CALL r0 3 2
.lineno 17
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "p119.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 18
  GETGLOBAL r0 "displaybgpic"
  LOADK r1 #1
  CALL r0 2 2
.lineno 16
  GETGLOBAL r0 "displaytransitionfx"
  LOADK r1 #2
  NEWTABLE r2 0 2
  LOADK r3 #120
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  CALL r0 3 2
.lineno 17
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "p120.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 18
  GETGLOBAL r0 "displaybgpic"
  LOADK r1 #1
  CALL r0 2 2
.lineno 16
  GETGLOBAL r0 "displaytransitionfx"
  LOADK r1 #2
  NEWTABLE r2 0 2
  LOADK r3 #121
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  CALL r0 3 2
.lineno 17
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "p121.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 18
  GETGLOBAL r0 "displaybgpic"
  LOADK r1 #1
  CALL r0 2 2
.lineno 16
  GETGLOBAL r0 "displaytransitionfx"
  LOADK r1 #2
  NEWTABLE r2 0 2
  LOADK r3 #122
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  CALL r0 3 2
.lineno 17
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "p122.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 18
  GETGLOBAL r0 "displaybgpic"
  LOADK r1 #1
  CALL r0 2 2
.lineno 16
  GETGLOBAL r0 "displaytransitionfx"
  LOADK r1 #2
  NEWTABLE r2 0 2
  LOADK r3 #123
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  CALL r0 3 2
.lineno 17
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "p123.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 18
  GETGLOBAL r0 "displaybgpic"
  LOADK r1 #1
  CALL r0 2 2
.lineno 16
  GETGLOBAL r0 "displaytransitionfx"
  LOADK r1 #2
  NEWTABLE r2 0 2
  LOADK r3 #124
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  CALL r0 3 2
.lineno 17
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "p124.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 18
  GETGLOBAL r0 "displaybgpic"
  LOADK r1 #1
  CALL r0 2 2
.lineno 16
  GETGLOBAL r0 "displaytransitionfx"
  LOADK r1 #2
  NEWTABLE r2 0 2
  LOADK r3 #125
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  CALL r0 3 2
.lineno 17
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "p125.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 18
  GETGLOBAL r0 "displaybgpic"
  LOADK r1 #1
  CALL r0 2 2
.lineno 16
  GETGLOBAL r0 "displaytransitionfx"
  LOADK r1 #2
  NEWTABLE r2 0 2
  LOADK r3 #126
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  CALL r0 3 2
.lineno 17
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "p126.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 18
  GETGLOBAL r0 "displaybgpic"
  LOADK r1 #1
  CALL r0 2 2
.lineno 16
  GETGLOBAL r0 "displaytransitionfx"
  LOADK r1 #2
  NEWTABLE r2 0 2
  LOADK r3 #127
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  CALL r0 3 2
.lineno 17
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "p127.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 18
  GETGLOBAL r0 "displaybgpic"
  LOADK r1 #1
  CALL r0 2 2
.lineno 16
  GETGLOBAL r0 "displaytransitionfx"
  LOADK r1 #2
  NEWTABLE r2 0 2
  LOADK r3 #128
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  CALL r0 3 2
.lineno 17
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "p128.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 18
  GETGLOBAL r0 "displaybgpic"
  LOADK r1 #1
  CALL r0 2 2
.lineno 16
  GETGLOBAL r0 "displaytransitionfx"
  LOADK r1 #2
  NEWTABLE r2 0 2
  LOADK r3 #129
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  CALL r0 3 2
.lineno 17
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "p129.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 18
  GETGLOBAL r0 "displaybgpic"
  LOADK r1 #1
  CALL r0 2 2
.lineno 16
  GETGLOBAL r0 "displaytransitionfx"
  LOADK r1 #2
  NEWTABLE r2 0 2
  LOADK r3 #130
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  CALL r0 3 2
.lineno 17
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "p130.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 18
  GETGLOBAL r0 "displaybgpic"
  LOADK r1 #1
  CALL r0 2 2
.lineno 16
  GETGLOBAL r0 "displaytransitionfx"
  LOADK r1 #2
  NEWTABLE r2 0 2
  LOADK r3 #131
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  CALL r0 3 2
.lineno 17
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "p131.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 18
  GETGLOBAL r0 "displaybgpic"
  LOADK r1 #1
  CALL r0 2 2
.lineno 16
  GETGLOBAL r0 "displaytransitionfx"
  LOADK r1 #2
  NEWTABLE r2 0 2
  LOADK r3 #132
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  CALL r0 3 2
.lineno 17
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "p132.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 18
  GETGLOBAL r0 "displaybgpic"
  LOADK r1 #1
  CALL r0 2 2
.lineno 16
  GETGLOBAL r0 "displaytransitionfx"
  LOADK r1 #2
  NEWTABLE r2 0 2
  LOADK r3 #133
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  CALL r0 3 2
.lineno 17
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "p133.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 18
  GETGLOBAL r0 "displaybgpic"
  LOADK r1 #1
  CALL r0 2 2
.lineno 16
  GETGLOBAL r0 "displaytransitionfx"
  LOADK r1 #2
  NEWTABLE r2 0 2
  LOADK r3 #134
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  CALL r0 3 2
.lineno 17
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "p134.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 18
  GETGLOBAL r0 "displaybgpic"
  LOADK r1 #1
  CALL r0 2 2
.lineno 16
  GETGLOBAL r0 "displaytransitionfx"
  LOADK r1 #2
  NEWTABLE r2 0 2
  LOADK r3 #135
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  CALL r0 3 2
.lineno 17
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "p135.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 18
  GETGLOBAL r0 "displaybgpic"
  LOADK r1 #1
  CALL r0 2 2
.lineno 16
  GETGLOBAL r0 "displaytransitionfx"
  LOADK r1 #2
  NEWTABLE r2 0 2
  LOADK r3 #136
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  CALL r0 3 2
.lineno 17
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "p136.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 18
  GETGLOBAL r0 "displaybgpic"
  LOADK r1 #1
  CALL r0 2 2
.lineno 16
  GETGLOBAL r0 "displaytransitionfx"
  LOADK r1 #2
  NEWTABLE r2 0 2
  LOADK r3 #137
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  CALL r0 3 2
.lineno 17
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "p137.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 18
  GETGLOBAL r0 "displaybgpic"
  LOADK r1 #1
  CALL r0 2 2
.lineno 16
  GETGLOBAL r0 "displaytransitionfx"
  LOADK r1 #2
  NEWTABLE r2 0 2
  LOADK r3 #138
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  CALL r0 3 2
.lineno 17
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "p138.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 18
  GETGLOBAL r0 "displaybgpic"
  LOADK r1 #1
  CALL r0 2 2
.lineno 16
  GETGLOBAL r0 "displaytransitionfx"
  LOADK r1 #2
  NEWTABLE r2 0 2
  LOADK r3 #139
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  CALL r0 3 2
.lineno 17
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "p139.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 18
  GETGLOBAL r0 "displaybgpic"
  LOADK r1 #1
  CALL r0 2 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r1.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r2.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r3.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r4.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r5.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r6.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r7.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r8.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r9.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r10.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r11.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r12.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r13.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r14.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r15.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r16.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r17.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r18.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r19.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r20.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r21.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r22.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r23.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r24.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r25.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r26.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r27.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r28.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r29.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r30.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r31.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r32.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r33.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r34.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r35.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r36.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r37.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r38.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r39.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r40.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r41.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r42.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r43.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r44.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r45.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r46.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r47.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r48.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r49.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r50.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r51.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r52.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r53.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r54.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r55.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r56.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r57.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r58.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r59.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r60.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r61.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r62.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r63.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r64.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r65.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r66.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r67.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r68.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r69.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r70.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r71.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r72.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r73.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r74.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r75.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r76.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r77.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r78.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r79.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r80.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r81.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r82.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r83.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r84.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r85.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r86.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r87.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r88.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r89.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r90.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r91.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r92.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r93.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r94.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r95.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r96.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r97.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r98.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r99.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r100.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r101.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r102.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r103.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r104.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r105.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r106.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r107.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r108.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r109.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r110.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r111.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r112.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r113.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r114.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r115.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r116.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r117.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r118.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r119.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r120.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r121.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r122.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r123.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r124.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r125.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r126.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r127.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r128.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r129.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r130.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r131.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r132.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r133.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r134.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r135.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r136.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r137.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r138.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r139.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r140.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r141.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r142.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r143.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r144.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r145.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r146.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r147.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r148.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r149.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r150.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r151.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r152.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r153.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r154.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r155.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r156.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r157.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r158.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r159.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r160.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r161.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r162.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r163.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r164.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r165.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r166.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r167.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r168.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r169.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r170.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r171.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r172.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r173.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r174.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r175.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r176.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r177.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r178.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r179.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r180.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r181.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r182.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r183.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r184.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r185.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r186.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r187.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r188.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r189.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r190.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r191.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r192.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r193.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r194.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r195.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r196.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r197.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r198.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r199.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r200.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r201.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r202.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r203.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r204.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r205.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r206.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r207.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r208.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r209.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r210.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r211.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r212.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r213.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r214.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r215.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r216.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r217.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r218.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r219.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r220.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r221.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r222.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r223.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r224.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r225.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r226.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r227.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r228.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r229.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r230.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r231.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r232.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r233.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r234.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r235.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r236.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r237.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r238.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r239.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r240.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r241.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r242.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r243.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r244.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r245.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r246.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r247.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r248.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r249.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r250.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r251.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r252.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r253.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r254.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r255.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r256.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r257.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r258.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r259.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r260.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r261.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r262.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r263.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r264.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r265.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r266.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r267.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r268.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r269.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r270.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r271.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r272.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r273.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r274.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r275.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r276.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r277.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r278.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r279.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r280.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r281.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r282.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r283.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r284.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r285.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r286.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r287.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r288.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r289.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r290.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r291.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r292.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r293.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r294.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r295.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r296.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r297.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r298.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r299.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #-10
  LOADK r3 #-7
  NEWTABLE r4 0 2
  LOADK r5 #140
  SETTABLE r4 "type" r5
  LOADK r5 #-2
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "r300.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 25
  NEWTABLE r0 0 0
  SETGLOBAL r0 "seen"
.lineno 26
  GETGLOBAL r0 "seen"
  LOADK r1 #74
  LOADK r2 #0
  SETTABLE r0 r1 r2
  GETGLOBAL r0 "seen"
  LOADK r1 #75
  LOADK r2 #0
  SETTABLE r0 r1 r2
  GETGLOBAL r0 "seen"
  LOADK r1 #76
  LOADK r2 #0
  SETTABLE r0 r1 r2
  GETGLOBAL r0 "seen"
  LOADK r1 #77
  LOADK r2 #0
  SETTABLE r0 r1 r2
  GETGLOBAL r0 "seen"
  LOADK r1 #78
  LOADK r2 #0
  SETTABLE r0 r1 r2
  GETGLOBAL r0 "seen"
  LOADK r1 #79
  LOADK r2 #0
  SETTABLE r0 r1 r2
  GETGLOBAL r0 "seen"
  LOADK r1 #80
  LOADK r2 #0
  SETTABLE r0 r1 r2
  GETGLOBAL r0 "seen"
  LOADK r1 #81
  LOADK r2 #0
  SETTABLE r0 r1 r2
  GETGLOBAL r0 "seen"
  LOADK r1 #101
  LOADK r2 #0
  SETTABLE r0 r1 r2
  GETGLOBAL r0 "seen"
  LOADK r1 #102
  LOADK r2 #0
  SETTABLE r0 r1 r2
  GETGLOBAL r0 "seen"
  LOADK r1 #103
  LOADK r2 #0
  SETTABLE r0 r1 r2
  GETGLOBAL r0 "seen"
  LOADK r1 #104
  LOADK r2 #0
  SETTABLE r0 r1 r2
  GETGLOBAL r0 "seen"
  LOADK r1 #111
  LOADK r2 #0
  SETTABLE r0 r1 r2
  GETGLOBAL r0 "seen"
  LOADK r1 #112
  LOADK r2 #0
  SETTABLE r0 r1 r2
  GETGLOBAL r0 "seen"
  LOADK r1 #118
  LOADK r2 #0
  SETTABLE r0 r1 r2
  GETGLOBAL r0 "seen"
  LOADK r1 #119
  LOADK r2 #0
  SETTABLE r0 r1 r2
  GETGLOBAL r0 "seen"
  LOADK r1 #120
  LOADK r2 #0
  SETTABLE r0 r1 r2
  GETGLOBAL r0 "seen"
  LOADK r1 #121
  LOADK r2 #0
  SETTABLE r0 r1 r2
  GETGLOBAL r0 "seen"
  LOADK r1 #122
  LOADK r2 #0
  SETTABLE r0 r1 r2
  GETGLOBAL r0 "seen"
  LOADK r1 #123
  LOADK r2 #0
  SETTABLE r0 r1 r2
  GETGLOBAL r0 "seen"
  LOADK r1 #124
  LOADK r2 #0
  SETTABLE r0 r1 r2
  GETGLOBAL r0 "seen"
  LOADK r1 #125
  LOADK r2 #0
  SETTABLE r0 r1 r2
  GETGLOBAL r0 "seen"
  LOADK r1 #126
  LOADK r2 #0
  SETTABLE r0 r1 r2
  GETGLOBAL r0 "seen"
  LOADK r1 #127
  LOADK r2 #0
  SETTABLE r0 r1 r2
  GETGLOBAL r0 "seen"
  LOADK r1 #128
  LOADK r2 #0
  SETTABLE r0 r1 r2
  GETGLOBAL r0 "seen"
  LOADK r1 #129
  LOADK r2 #0
  SETTABLE r0 r1 r2
  GETGLOBAL r0 "seen"
  LOADK r1 #130
  LOADK r2 #0
  SETTABLE r0 r1 r2
  GETGLOBAL r0 "seen"
  LOADK r1 #131
  LOADK r2 #0
  SETTABLE r0 r1 r2
  GETGLOBAL r0 "seen"
  LOADK r1 #133
  LOADK r2 #0
  SETTABLE r0 r1 r2
.lineno 27
  LOADK r20 #1
  LOADK r21 #1000
  LOADK r22 #1
  SUB r20 r20 r22
  JMP @L1
L2:
  GETGLOBAL r0 "seen"
  GETGLOBAL r1 "getrandomfx"
  LOADK r2 #1
  CALL r1 2 2
  LOADK r2 #1
  SETTABLE r0 r1 r2
L1:
  FORLOOP r20 @L2
.lineno 28
  GETGLOBAL r0 "debugprint"
  LOADK r1 "two-picture ids seen:"
  LOADK r2 #74
  GETGLOBAL r40 "seen"
  GETTABLE r2 r40 r2
  LOADK r3 #75
  GETGLOBAL r40 "seen"
  GETTABLE r3 r40 r3
  LOADK r4 #76
  GETGLOBAL r40 "seen"
  GETTABLE r4 r40 r4
  LOADK r5 #77
  GETGLOBAL r40 "seen"
  GETTABLE r5 r40 r5
  LOADK r6 #78
  GETGLOBAL r40 "seen"
  GETTABLE r6 r40 r6
  LOADK r7 #79
  GETGLOBAL r40 "seen"
  GETTABLE r7 r40 r7
  LOADK r8 #80
  GETGLOBAL r40 "seen"
  GETTABLE r8 r40 r8
  LOADK r9 #81
  GETGLOBAL r40 "seen"
  GETTABLE r9 r40 r9
  LOADK r10 #101
  GETGLOBAL r40 "seen"
  GETTABLE r10 r40 r10
  LOADK r11 #102
  GETGLOBAL r40 "seen"
  GETTABLE r11 r40 r11
  LOADK r12 #103
  GETGLOBAL r40 "seen"
  GETTABLE r12 r40 r12
  LOADK r13 #104
  GETGLOBAL r40 "seen"
  GETTABLE r13 r40 r13
  LOADK r14 #111
  GETGLOBAL r40 "seen"
  GETTABLE r14 r40 r14
  LOADK r15 #112
  GETGLOBAL r40 "seen"
  GETTABLE r15 r40 r15
  LOADK r16 #118
  GETGLOBAL r40 "seen"
  GETTABLE r16 r40 r16
  LOADK r17 #119
  GETGLOBAL r40 "seen"
  GETTABLE r17 r40 r17
  LOADK r18 #120
  GETGLOBAL r40 "seen"
  GETTABLE r18 r40 r18
  LOADK r19 #121
  GETGLOBAL r40 "seen"
  GETTABLE r19 r40 r19
  LOADK r20 #122
  GETGLOBAL r40 "seen"
  GETTABLE r20 r40 r20
  LOADK r21 #123
  GETGLOBAL r40 "seen"
  GETTABLE r21 r40 r21
  LOADK r22 #124
  GETGLOBAL r40 "seen"
  GETTABLE r22 r40 r22
  LOADK r23 #125
  GETGLOBAL r40 "seen"
  GETTABLE r23 r40 r23
  LOADK r24 #126
  GETGLOBAL r40 "seen"
  GETTABLE r24 r40 r24
  LOADK r25 #127
  GETGLOBAL r40 "seen"
  GETTABLE r25 r40 r25
  LOADK r26 #128
  GETGLOBAL r40 "seen"
  GETTABLE r26 r40 r26
  LOADK r27 #129
  GETGLOBAL r40 "seen"
  GETTABLE r27 r40 r27
  LOADK r28 #130
  GETGLOBAL r40 "seen"
  GETTABLE r28 r40 r28
  LOADK r29 #131
  GETGLOBAL r40 "seen"
  GETTABLE r29 r40 r29
  LOADK r30 #133
  GETGLOBAL r40 "seen"
  GETTABLE r30 r40 r30
  CALL r0 31 1
.lineno 29
  GETGLOBAL r0 "enablelayers"
  CALL r0 1 2
.lineno 30
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #5
  LOADK r2 #10
  LOADK r3 #10
  CALL r0 4 2
.lineno 31
  GETGLOBAL r0 "hidelayer"
  LOADK r1 #1
  CALL r0 2 2
.lineno 33
  GETGLOBAL r0 "showlayerfx"
  LOADK r1 #1
  NEWTABLE r2 0 3
  LOADK r3 #0
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  LOADK r3 #1
  SETTABLE r2 "forcerealtimelayers" r3
  CALL r0 3 2
.lineno 34
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "s0.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 35
  GETGLOBAL r0 "hidelayer"
  LOADK r1 #1
  CALL r0 2 2
.lineno 33
  GETGLOBAL r0 "showlayerfx"
  LOADK r1 #1
  NEWTABLE r2 0 3
  LOADK r3 #1
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  LOADK r3 #1
  SETTABLE r2 "forcerealtimelayers" r3
  CALL r0 3 2
.lineno 34
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "s1.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 35
  GETGLOBAL r0 "hidelayer"
  LOADK r1 #1
  CALL r0 2 2
.lineno 33
  GETGLOBAL r0 "showlayerfx"
  LOADK r1 #1
  NEWTABLE r2 0 3
  LOADK r3 #2
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  LOADK r3 #1
  SETTABLE r2 "forcerealtimelayers" r3
  CALL r0 3 2
.lineno 34
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "s2.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 35
  GETGLOBAL r0 "hidelayer"
  LOADK r1 #1
  CALL r0 2 2
.lineno 33
  GETGLOBAL r0 "showlayerfx"
  LOADK r1 #1
  NEWTABLE r2 0 3
  LOADK r3 #3
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  LOADK r3 #1
  SETTABLE r2 "forcerealtimelayers" r3
  CALL r0 3 2
.lineno 34
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "s3.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 35
  GETGLOBAL r0 "hidelayer"
  LOADK r1 #1
  CALL r0 2 2
.lineno 33
  GETGLOBAL r0 "showlayerfx"
  LOADK r1 #1
  NEWTABLE r2 0 3
  LOADK r3 #4
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  LOADK r3 #1
  SETTABLE r2 "forcerealtimelayers" r3
  CALL r0 3 2
.lineno 34
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "s4.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 35
  GETGLOBAL r0 "hidelayer"
  LOADK r1 #1
  CALL r0 2 2
.lineno 33
  GETGLOBAL r0 "showlayerfx"
  LOADK r1 #1
  NEWTABLE r2 0 3
  LOADK r3 #5
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  LOADK r3 #1
  SETTABLE r2 "forcerealtimelayers" r3
  CALL r0 3 2
.lineno 34
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "s5.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 35
  GETGLOBAL r0 "hidelayer"
  LOADK r1 #1
  CALL r0 2 2
.lineno 33
  GETGLOBAL r0 "showlayerfx"
  LOADK r1 #1
  NEWTABLE r2 0 3
  LOADK r3 #6
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  LOADK r3 #1
  SETTABLE r2 "forcerealtimelayers" r3
  CALL r0 3 2
.lineno 34
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "s6.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 35
  GETGLOBAL r0 "hidelayer"
  LOADK r1 #1
  CALL r0 2 2
.lineno 33
  GETGLOBAL r0 "showlayerfx"
  LOADK r1 #1
  NEWTABLE r2 0 3
  LOADK r3 #7
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  LOADK r3 #1
  SETTABLE r2 "forcerealtimelayers" r3
  CALL r0 3 2
.lineno 34
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "s7.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 35
  GETGLOBAL r0 "hidelayer"
  LOADK r1 #1
  CALL r0 2 2
.lineno 33
  GETGLOBAL r0 "showlayerfx"
  LOADK r1 #1
  NEWTABLE r2 0 3
  LOADK r3 #8
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  LOADK r3 #1
  SETTABLE r2 "forcerealtimelayers" r3
  CALL r0 3 2
.lineno 34
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "s8.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 35
  GETGLOBAL r0 "hidelayer"
  LOADK r1 #1
  CALL r0 2 2
.lineno 33
  GETGLOBAL r0 "showlayerfx"
  LOADK r1 #1
  NEWTABLE r2 0 3
  LOADK r3 #9
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  LOADK r3 #1
  SETTABLE r2 "forcerealtimelayers" r3
  CALL r0 3 2
.lineno 34
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "s9.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 35
  GETGLOBAL r0 "hidelayer"
  LOADK r1 #1
  CALL r0 2 2
.lineno 33
  GETGLOBAL r0 "showlayerfx"
  LOADK r1 #1
  NEWTABLE r2 0 3
  LOADK r3 #10
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  LOADK r3 #1
  SETTABLE r2 "forcerealtimelayers" r3
  CALL r0 3 2
.lineno 34
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "s10.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 35
  GETGLOBAL r0 "hidelayer"
  LOADK r1 #1
  CALL r0 2 2
.lineno 33
  GETGLOBAL r0 "showlayerfx"
  LOADK r1 #1
  NEWTABLE r2 0 3
  LOADK r3 #11
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  LOADK r3 #1
  SETTABLE r2 "forcerealtimelayers" r3
  CALL r0 3 2
.lineno 34
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "s11.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 35
  GETGLOBAL r0 "hidelayer"
  LOADK r1 #1
  CALL r0 2 2
.lineno 33
  GETGLOBAL r0 "showlayerfx"
  LOADK r1 #1
  NEWTABLE r2 0 3
  LOADK r3 #12
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  LOADK r3 #1
  SETTABLE r2 "forcerealtimelayers" r3
  CALL r0 3 2
.lineno 34
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "s12.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 35
  GETGLOBAL r0 "hidelayer"
  LOADK r1 #1
  CALL r0 2 2
.lineno 33
  GETGLOBAL r0 "showlayerfx"
  LOADK r1 #1
  NEWTABLE r2 0 3
  LOADK r3 #13
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  LOADK r3 #1
  SETTABLE r2 "forcerealtimelayers" r3
  CALL r0 3 2
.lineno 34
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "s13.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 35
  GETGLOBAL r0 "hidelayer"
  LOADK r1 #1
  CALL r0 2 2
.lineno 33
  GETGLOBAL r0 "showlayerfx"
  LOADK r1 #1
  NEWTABLE r2 0 3
  LOADK r3 #14
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  LOADK r3 #1
  SETTABLE r2 "forcerealtimelayers" r3
  CALL r0 3 2
.lineno 34
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "s14.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 35
  GETGLOBAL r0 "hidelayer"
  LOADK r1 #1
  CALL r0 2 2
.lineno 33
  GETGLOBAL r0 "showlayerfx"
  LOADK r1 #1
  NEWTABLE r2 0 3
  LOADK r3 #15
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  LOADK r3 #1
  SETTABLE r2 "forcerealtimelayers" r3
  CALL r0 3 2
.lineno 34
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "s15.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 35
  GETGLOBAL r0 "hidelayer"
  LOADK r1 #1
  CALL r0 2 2
.lineno 33
  GETGLOBAL r0 "showlayerfx"
  LOADK r1 #1
  NEWTABLE r2 0 3
  LOADK r3 #16
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  LOADK r3 #1
  SETTABLE r2 "forcerealtimelayers" r3
  CALL r0 3 2
.lineno 34
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "s16.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 35
  GETGLOBAL r0 "hidelayer"
  LOADK r1 #1
  CALL r0 2 2
.lineno 33
  GETGLOBAL r0 "showlayerfx"
  LOADK r1 #1
  NEWTABLE r2 0 3
  LOADK r3 #17
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  LOADK r3 #1
  SETTABLE r2 "forcerealtimelayers" r3
  CALL r0 3 2
.lineno 34
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "s17.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 35
  GETGLOBAL r0 "hidelayer"
  LOADK r1 #1
  CALL r0 2 2
.lineno 33
  GETGLOBAL r0 "showlayerfx"
  LOADK r1 #1
  NEWTABLE r2 0 3
  LOADK r3 #18
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  LOADK r3 #1
  SETTABLE r2 "forcerealtimelayers" r3
  CALL r0 3 2
.lineno 34
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "s18.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 35
  GETGLOBAL r0 "hidelayer"
  LOADK r1 #1
  CALL r0 2 2
.lineno 33
  GETGLOBAL r0 "showlayerfx"
  LOADK r1 #1
  NEWTABLE r2 0 3
  LOADK r3 #19
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  LOADK r3 #1
  SETTABLE r2 "forcerealtimelayers" r3
  CALL r0 3 2
.lineno 34
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "s19.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 35
  GETGLOBAL r0 "hidelayer"
  LOADK r1 #1
  CALL r0 2 2
.lineno 33
  GETGLOBAL r0 "showlayerfx"
  LOADK r1 #1
  NEWTABLE r2 0 3
  LOADK r3 #20
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  LOADK r3 #1
  SETTABLE r2 "forcerealtimelayers" r3
  CALL r0 3 2
.lineno 34
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "s20.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 35
  GETGLOBAL r0 "hidelayer"
  LOADK r1 #1
  CALL r0 2 2
.lineno 33
  GETGLOBAL r0 "showlayerfx"
  LOADK r1 #1
  NEWTABLE r2 0 3
  LOADK r3 #21
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  LOADK r3 #1
  SETTABLE r2 "forcerealtimelayers" r3
  CALL r0 3 2
.lineno 34
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "s21.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 35
  GETGLOBAL r0 "hidelayer"
  LOADK r1 #1
  CALL r0 2 2
.lineno 33
  GETGLOBAL r0 "showlayerfx"
  LOADK r1 #1
  NEWTABLE r2 0 3
  LOADK r3 #22
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  LOADK r3 #1
  SETTABLE r2 "forcerealtimelayers" r3
  CALL r0 3 2
.lineno 34
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "s22.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 35
  GETGLOBAL r0 "hidelayer"
  LOADK r1 #1
  CALL r0 2 2
.lineno 33
  GETGLOBAL r0 "showlayerfx"
  LOADK r1 #1
  NEWTABLE r2 0 3
  LOADK r3 #23
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  LOADK r3 #1
  SETTABLE r2 "forcerealtimelayers" r3
  CALL r0 3 2
.lineno 34
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "s23.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 35
  GETGLOBAL r0 "hidelayer"
  LOADK r1 #1
  CALL r0 2 2
.lineno 33
  GETGLOBAL r0 "showlayerfx"
  LOADK r1 #1
  NEWTABLE r2 0 3
  LOADK r3 #24
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  LOADK r3 #1
  SETTABLE r2 "forcerealtimelayers" r3
  CALL r0 3 2
.lineno 34
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "s24.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 35
  GETGLOBAL r0 "hidelayer"
  LOADK r1 #1
  CALL r0 2 2
.lineno 33
  GETGLOBAL r0 "showlayerfx"
  LOADK r1 #1
  NEWTABLE r2 0 3
  LOADK r3 #25
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  LOADK r3 #1
  SETTABLE r2 "forcerealtimelayers" r3
  CALL r0 3 2
.lineno 34
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "s25.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 35
  GETGLOBAL r0 "hidelayer"
  LOADK r1 #1
  CALL r0 2 2
.lineno 33
  GETGLOBAL r0 "showlayerfx"
  LOADK r1 #1
  NEWTABLE r2 0 3
  LOADK r3 #26
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  LOADK r3 #1
  SETTABLE r2 "forcerealtimelayers" r3
  CALL r0 3 2
.lineno 34
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "s26.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 35
  GETGLOBAL r0 "hidelayer"
  LOADK r1 #1
  CALL r0 2 2
.lineno 33
  GETGLOBAL r0 "showlayerfx"
  LOADK r1 #1
  NEWTABLE r2 0 3
  LOADK r3 #27
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  LOADK r3 #1
  SETTABLE r2 "forcerealtimelayers" r3
  CALL r0 3 2
.lineno 34
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "s27.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 35
  GETGLOBAL r0 "hidelayer"
  LOADK r1 #1
  CALL r0 2 2
.lineno 33
  GETGLOBAL r0 "showlayerfx"
  LOADK r1 #1
  NEWTABLE r2 0 3
  LOADK r3 #28
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  LOADK r3 #1
  SETTABLE r2 "forcerealtimelayers" r3
  CALL r0 3 2
.lineno 34
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "s28.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 35
  GETGLOBAL r0 "hidelayer"
  LOADK r1 #1
  CALL r0 2 2
.lineno 33
  GETGLOBAL r0 "showlayerfx"
  LOADK r1 #1
  NEWTABLE r2 0 3
  LOADK r3 #29
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  LOADK r3 #1
  SETTABLE r2 "forcerealtimelayers" r3
  CALL r0 3 2
.lineno 34
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "s29.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 35
  GETGLOBAL r0 "hidelayer"
  LOADK r1 #1
  CALL r0 2 2
.lineno 33
  GETGLOBAL r0 "showlayerfx"
  LOADK r1 #1
  NEWTABLE r2 0 3
  LOADK r3 #30
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  LOADK r3 #1
  SETTABLE r2 "forcerealtimelayers" r3
  CALL r0 3 2
.lineno 34
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "s30.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 35
  GETGLOBAL r0 "hidelayer"
  LOADK r1 #1
  CALL r0 2 2
.lineno 33
  GETGLOBAL r0 "showlayerfx"
  LOADK r1 #1
  NEWTABLE r2 0 3
  LOADK r3 #31
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  LOADK r3 #1
  SETTABLE r2 "forcerealtimelayers" r3
  CALL r0 3 2
.lineno 34
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "s31.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 35
  GETGLOBAL r0 "hidelayer"
  LOADK r1 #1
  CALL r0 2 2
.lineno 33
  GETGLOBAL r0 "showlayerfx"
  LOADK r1 #1
  NEWTABLE r2 0 3
  LOADK r3 #32
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  LOADK r3 #1
  SETTABLE r2 "forcerealtimelayers" r3
  CALL r0 3 2
.lineno 34
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "s32.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 35
  GETGLOBAL r0 "hidelayer"
  LOADK r1 #1
  CALL r0 2 2
.lineno 33
  GETGLOBAL r0 "showlayerfx"
  LOADK r1 #1
  NEWTABLE r2 0 3
  LOADK r3 #33
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  LOADK r3 #1
  SETTABLE r2 "forcerealtimelayers" r3
  CALL r0 3 2
.lineno 34
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "s33.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 35
  GETGLOBAL r0 "hidelayer"
  LOADK r1 #1
  CALL r0 2 2
.lineno 33
  GETGLOBAL r0 "showlayerfx"
  LOADK r1 #1
  NEWTABLE r2 0 3
  LOADK r3 #34
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  LOADK r3 #1
  SETTABLE r2 "forcerealtimelayers" r3
  CALL r0 3 2
.lineno 34
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "s34.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 35
  GETGLOBAL r0 "hidelayer"
  LOADK r1 #1
  CALL r0 2 2
.lineno 33
  GETGLOBAL r0 "showlayerfx"
  LOADK r1 #1
  NEWTABLE r2 0 3
  LOADK r3 #35
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  LOADK r3 #1
  SETTABLE r2 "forcerealtimelayers" r3
  CALL r0 3 2
.lineno 34
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "s35.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 35
  GETGLOBAL r0 "hidelayer"
  LOADK r1 #1
  CALL r0 2 2
.lineno 33
  GETGLOBAL r0 "showlayerfx"
  LOADK r1 #1
  NEWTABLE r2 0 3
  LOADK r3 #36
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  LOADK r3 #1
  SETTABLE r2 "forcerealtimelayers" r3
  CALL r0 3 2
.lineno 34
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "s36.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 35
  GETGLOBAL r0 "hidelayer"
  LOADK r1 #1
  CALL r0 2 2
.lineno 33
  GETGLOBAL r0 "showlayerfx"
  LOADK r1 #1
  NEWTABLE r2 0 3
  LOADK r3 #37
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  LOADK r3 #1
  SETTABLE r2 "forcerealtimelayers" r3
  CALL r0 3 2
.lineno 34
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "s37.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 35
  GETGLOBAL r0 "hidelayer"
  LOADK r1 #1
  CALL r0 2 2
.lineno 33
  GETGLOBAL r0 "showlayerfx"
  LOADK r1 #1
  NEWTABLE r2 0 3
  LOADK r3 #38
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  LOADK r3 #1
  SETTABLE r2 "forcerealtimelayers" r3
  CALL r0 3 2
.lineno 34
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "s38.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 35
  GETGLOBAL r0 "hidelayer"
  LOADK r1 #1
  CALL r0 2 2
.lineno 33
  GETGLOBAL r0 "showlayerfx"
  LOADK r1 #1
  NEWTABLE r2 0 3
  LOADK r3 #39
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  LOADK r3 #1
  SETTABLE r2 "forcerealtimelayers" r3
  CALL r0 3 2
.lineno 34
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "s39.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 35
  GETGLOBAL r0 "hidelayer"
  LOADK r1 #1
  CALL r0 2 2
.lineno 33
  GETGLOBAL r0 "showlayerfx"
  LOADK r1 #1
  NEWTABLE r2 0 3
  LOADK r3 #40
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  LOADK r3 #1
  SETTABLE r2 "forcerealtimelayers" r3
  CALL r0 3 2
.lineno 34
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "s40.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 35
  GETGLOBAL r0 "hidelayer"
  LOADK r1 #1
  CALL r0 2 2
.lineno 33
  GETGLOBAL r0 "showlayerfx"
  LOADK r1 #1
  NEWTABLE r2 0 3
  LOADK r3 #41
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  LOADK r3 #1
  SETTABLE r2 "forcerealtimelayers" r3
  CALL r0 3 2
.lineno 34
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "s41.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 35
  GETGLOBAL r0 "hidelayer"
  LOADK r1 #1
  CALL r0 2 2
.lineno 33
  GETGLOBAL r0 "showlayerfx"
  LOADK r1 #1
  NEWTABLE r2 0 3
  LOADK r3 #42
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  LOADK r3 #1
  SETTABLE r2 "forcerealtimelayers" r3
  CALL r0 3 2
.lineno 34
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "s42.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 35
  GETGLOBAL r0 "hidelayer"
  LOADK r1 #1
  CALL r0 2 2
.lineno 33
  GETGLOBAL r0 "showlayerfx"
  LOADK r1 #1
  NEWTABLE r2 0 3
  LOADK r3 #43
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  LOADK r3 #1
  SETTABLE r2 "forcerealtimelayers" r3
  CALL r0 3 2
.lineno 34
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "s43.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 35
  GETGLOBAL r0 "hidelayer"
  LOADK r1 #1
  CALL r0 2 2
.lineno 33
  GETGLOBAL r0 "showlayerfx"
  LOADK r1 #1
  NEWTABLE r2 0 3
  LOADK r3 #44
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  LOADK r3 #1
  SETTABLE r2 "forcerealtimelayers" r3
  CALL r0 3 2
.lineno 34
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "s44.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 35
  GETGLOBAL r0 "hidelayer"
  LOADK r1 #1
  CALL r0 2 2
.lineno 33
  GETGLOBAL r0 "showlayerfx"
  LOADK r1 #1
  NEWTABLE r2 0 3
  LOADK r3 #45
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  LOADK r3 #1
  SETTABLE r2 "forcerealtimelayers" r3
  CALL r0 3 2
.lineno 34
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "s45.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 35
  GETGLOBAL r0 "hidelayer"
  LOADK r1 #1
  CALL r0 2 2
.lineno 33
  GETGLOBAL r0 "showlayerfx"
  LOADK r1 #1
  NEWTABLE r2 0 3
  LOADK r3 #46
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  LOADK r3 #1
  SETTABLE r2 "forcerealtimelayers" r3
  CALL r0 3 2
.lineno 34
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "s46.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 35
  GETGLOBAL r0 "hidelayer"
  LOADK r1 #1
  CALL r0 2 2
.lineno 33
  GETGLOBAL r0 "showlayerfx"
  LOADK r1 #1
  NEWTABLE r2 0 3
  LOADK r3 #47
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  LOADK r3 #1
  SETTABLE r2 "forcerealtimelayers" r3
  CALL r0 3 2
.lineno 34
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "s47.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 35
  GETGLOBAL r0 "hidelayer"
  LOADK r1 #1
  CALL r0 2 2
.lineno 33
  GETGLOBAL r0 "showlayerfx"
  LOADK r1 #1
  NEWTABLE r2 0 3
  LOADK r3 #48
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  LOADK r3 #1
  SETTABLE r2 "forcerealtimelayers" r3
  CALL r0 3 2
.lineno 34
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "s48.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 35
  GETGLOBAL r0 "hidelayer"
  LOADK r1 #1
  CALL r0 2 2
.lineno 33
  GETGLOBAL r0 "showlayerfx"
  LOADK r1 #1
  NEWTABLE r2 0 3
  LOADK r3 #49
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  LOADK r3 #1
  SETTABLE r2 "forcerealtimelayers" r3
  CALL r0 3 2
.lineno 34
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "s49.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 35
  GETGLOBAL r0 "hidelayer"
  LOADK r1 #1
  CALL r0 2 2
.lineno 33
  GETGLOBAL r0 "showlayerfx"
  LOADK r1 #1
  NEWTABLE r2 0 3
  LOADK r3 #50
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  LOADK r3 #1
  SETTABLE r2 "forcerealtimelayers" r3
  CALL r0 3 2
.lineno 34
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "s50.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 35
  GETGLOBAL r0 "hidelayer"
  LOADK r1 #1
  CALL r0 2 2
.lineno 33
  GETGLOBAL r0 "showlayerfx"
  LOADK r1 #1
  NEWTABLE r2 0 3
  LOADK r3 #51
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  LOADK r3 #1
  SETTABLE r2 "forcerealtimelayers" r3
  CALL r0 3 2
.lineno 34
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "s51.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 35
  GETGLOBAL r0 "hidelayer"
  LOADK r1 #1
  CALL r0 2 2
.lineno 33
  GETGLOBAL r0 "showlayerfx"
  LOADK r1 #1
  NEWTABLE r2 0 3
  LOADK r3 #52
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  LOADK r3 #1
  SETTABLE r2 "forcerealtimelayers" r3
  CALL r0 3 2
.lineno 34
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "s52.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 35
  GETGLOBAL r0 "hidelayer"
  LOADK r1 #1
  CALL r0 2 2
.lineno 33
  GETGLOBAL r0 "showlayerfx"
  LOADK r1 #1
  NEWTABLE r2 0 3
  LOADK r3 #53
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  LOADK r3 #1
  SETTABLE r2 "forcerealtimelayers" r3
  CALL r0 3 2
.lineno 34
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "s53.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 35
  GETGLOBAL r0 "hidelayer"
  LOADK r1 #1
  CALL r0 2 2
.lineno 33
  GETGLOBAL r0 "showlayerfx"
  LOADK r1 #1
  NEWTABLE r2 0 3
  LOADK r3 #54
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  LOADK r3 #1
  SETTABLE r2 "forcerealtimelayers" r3
  CALL r0 3 2
.lineno 34
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "s54.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 35
  GETGLOBAL r0 "hidelayer"
  LOADK r1 #1
  CALL r0 2 2
.lineno 33
  GETGLOBAL r0 "showlayerfx"
  LOADK r1 #1
  NEWTABLE r2 0 3
  LOADK r3 #55
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  LOADK r3 #1
  SETTABLE r2 "forcerealtimelayers" r3
  CALL r0 3 2
.lineno 34
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "s55.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 35
  GETGLOBAL r0 "hidelayer"
  LOADK r1 #1
  CALL r0 2 2
.lineno 33
  GETGLOBAL r0 "showlayerfx"
  LOADK r1 #1
  NEWTABLE r2 0 3
  LOADK r3 #56
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  LOADK r3 #1
  SETTABLE r2 "forcerealtimelayers" r3
  CALL r0 3 2
.lineno 34
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "s56.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 35
  GETGLOBAL r0 "hidelayer"
  LOADK r1 #1
  CALL r0 2 2
.lineno 33
  GETGLOBAL r0 "showlayerfx"
  LOADK r1 #1
  NEWTABLE r2 0 3
  LOADK r3 #57
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  LOADK r3 #1
  SETTABLE r2 "forcerealtimelayers" r3
  CALL r0 3 2
.lineno 34
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "s57.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 35
  GETGLOBAL r0 "hidelayer"
  LOADK r1 #1
  CALL r0 2 2
.lineno 33
  GETGLOBAL r0 "showlayerfx"
  LOADK r1 #1
  NEWTABLE r2 0 3
  LOADK r3 #58
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  LOADK r3 #1
  SETTABLE r2 "forcerealtimelayers" r3
  CALL r0 3 2
.lineno 34
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "s58.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 35
  GETGLOBAL r0 "hidelayer"
  LOADK r1 #1
  CALL r0 2 2
.lineno 33
  GETGLOBAL r0 "showlayerfx"
  LOADK r1 #1
  NEWTABLE r2 0 3
  LOADK r3 #59
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  LOADK r3 #1
  SETTABLE r2 "forcerealtimelayers" r3
  CALL r0 3 2
.lineno 34
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "s59.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 35
  GETGLOBAL r0 "hidelayer"
  LOADK r1 #1
  CALL r0 2 2
.lineno 33
  GETGLOBAL r0 "showlayerfx"
  LOADK r1 #1
  NEWTABLE r2 0 3
  LOADK r3 #60
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  LOADK r3 #1
  SETTABLE r2 "forcerealtimelayers" r3
  CALL r0 3 2
.lineno 34
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "s60.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 35
  GETGLOBAL r0 "hidelayer"
  LOADK r1 #1
  CALL r0 2 2
.lineno 33
  GETGLOBAL r0 "showlayerfx"
  LOADK r1 #1
  NEWTABLE r2 0 3
  LOADK r3 #61
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  LOADK r3 #1
  SETTABLE r2 "forcerealtimelayers" r3
  CALL r0 3 2
.lineno 34
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "s61.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 35
  GETGLOBAL r0 "hidelayer"
  LOADK r1 #1
  CALL r0 2 2
.lineno 33
  GETGLOBAL r0 "showlayerfx"
  LOADK r1 #1
  NEWTABLE r2 0 3
  LOADK r3 #62
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  LOADK r3 #1
  SETTABLE r2 "forcerealtimelayers" r3
  CALL r0 3 2
.lineno 34
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "s62.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 35
  GETGLOBAL r0 "hidelayer"
  LOADK r1 #1
  CALL r0 2 2
.lineno 33
  GETGLOBAL r0 "showlayerfx"
  LOADK r1 #1
  NEWTABLE r2 0 3
  LOADK r3 #63
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  LOADK r3 #1
  SETTABLE r2 "forcerealtimelayers" r3
  CALL r0 3 2
.lineno 34
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "s63.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 35
  GETGLOBAL r0 "hidelayer"
  LOADK r1 #1
  CALL r0 2 2
.lineno 33
  GETGLOBAL r0 "showlayerfx"
  LOADK r1 #1
  NEWTABLE r2 0 3
  LOADK r3 #64
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  LOADK r3 #1
  SETTABLE r2 "forcerealtimelayers" r3
  CALL r0 3 2
.lineno 34
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "s64.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 35
  GETGLOBAL r0 "hidelayer"
  LOADK r1 #1
  CALL r0 2 2
.lineno 33
  GETGLOBAL r0 "showlayerfx"
  LOADK r1 #1
  NEWTABLE r2 0 3
  LOADK r3 #65
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  LOADK r3 #1
  SETTABLE r2 "forcerealtimelayers" r3
  CALL r0 3 2
.lineno 34
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "s65.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 35
  GETGLOBAL r0 "hidelayer"
  LOADK r1 #1
  CALL r0 2 2
.lineno 33
  GETGLOBAL r0 "showlayerfx"
  LOADK r1 #1
  NEWTABLE r2 0 3
  LOADK r3 #66
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  LOADK r3 #1
  SETTABLE r2 "forcerealtimelayers" r3
  CALL r0 3 2
.lineno 34
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "s66.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 35
  GETGLOBAL r0 "hidelayer"
  LOADK r1 #1
  CALL r0 2 2
.lineno 33
  GETGLOBAL r0 "showlayerfx"
  LOADK r1 #1
  NEWTABLE r2 0 3
  LOADK r3 #67
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  LOADK r3 #1
  SETTABLE r2 "forcerealtimelayers" r3
  CALL r0 3 2
.lineno 34
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "s67.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 35
  GETGLOBAL r0 "hidelayer"
  LOADK r1 #1
  CALL r0 2 2
.lineno 33
  GETGLOBAL r0 "showlayerfx"
  LOADK r1 #1
  NEWTABLE r2 0 3
  LOADK r3 #68
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  LOADK r3 #1
  SETTABLE r2 "forcerealtimelayers" r3
  CALL r0 3 2
.lineno 34
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "s68.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 35
  GETGLOBAL r0 "hidelayer"
  LOADK r1 #1
  CALL r0 2 2
.lineno 33
  GETGLOBAL r0 "showlayerfx"
  LOADK r1 #1
  NEWTABLE r2 0 3
  LOADK r3 #69
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  LOADK r3 #1
  SETTABLE r2 "forcerealtimelayers" r3
  CALL r0 3 2
.lineno 34
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "s69.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 35
  GETGLOBAL r0 "hidelayer"
  LOADK r1 #1
  CALL r0 2 2
.lineno 33
  GETGLOBAL r0 "showlayerfx"
  LOADK r1 #1
  NEWTABLE r2 0 3
  LOADK r3 #70
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  LOADK r3 #1
  SETTABLE r2 "forcerealtimelayers" r3
  CALL r0 3 2
.lineno 34
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "s70.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 35
  GETGLOBAL r0 "hidelayer"
  LOADK r1 #1
  CALL r0 2 2
.lineno 33
  GETGLOBAL r0 "showlayerfx"
  LOADK r1 #1
  NEWTABLE r2 0 3
  LOADK r3 #71
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  LOADK r3 #1
  SETTABLE r2 "forcerealtimelayers" r3
  CALL r0 3 2
.lineno 34
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "s71.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 35
  GETGLOBAL r0 "hidelayer"
  LOADK r1 #1
  CALL r0 2 2
.lineno 33
  GETGLOBAL r0 "showlayerfx"
  LOADK r1 #1
  NEWTABLE r2 0 3
  LOADK r3 #72
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  LOADK r3 #1
  SETTABLE r2 "forcerealtimelayers" r3
  CALL r0 3 2
.lineno 34
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "s72.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 35
  GETGLOBAL r0 "hidelayer"
  LOADK r1 #1
  CALL r0 2 2
.lineno 33
  GETGLOBAL r0 "showlayerfx"
  LOADK r1 #1
  NEWTABLE r2 0 3
  LOADK r3 #73
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  LOADK r3 #1
  SETTABLE r2 "forcerealtimelayers" r3
  CALL r0 3 2
.lineno 34
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "s73.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 35
  GETGLOBAL r0 "hidelayer"
  LOADK r1 #1
  CALL r0 2 2
.lineno 33
  GETGLOBAL r0 "showlayerfx"
  LOADK r1 #1
  NEWTABLE r2 0 3
  LOADK r3 #74
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  LOADK r3 #1
  SETTABLE r2 "forcerealtimelayers" r3
  CALL r0 3 2
.lineno 34
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "s74.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 35
  GETGLOBAL r0 "hidelayer"
  LOADK r1 #1
  CALL r0 2 2
.lineno 33
  GETGLOBAL r0 "showlayerfx"
  LOADK r1 #1
  NEWTABLE r2 0 3
  LOADK r3 #75
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  LOADK r3 #1
  SETTABLE r2 "forcerealtimelayers" r3
  CALL r0 3 2
.lineno 34
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "s75.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 35
  GETGLOBAL r0 "hidelayer"
  LOADK r1 #1
  CALL r0 2 2
.lineno 33
  GETGLOBAL r0 "showlayerfx"
  LOADK r1 #1
  NEWTABLE r2 0 3
  LOADK r3 #76
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  LOADK r3 #1
  SETTABLE r2 "forcerealtimelayers" r3
  CALL r0 3 2
.lineno 34
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "s76.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 35
  GETGLOBAL r0 "hidelayer"
  LOADK r1 #1
  CALL r0 2 2
.lineno 33
  GETGLOBAL r0 "showlayerfx"
  LOADK r1 #1
  NEWTABLE r2 0 3
  LOADK r3 #77
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  LOADK r3 #1
  SETTABLE r2 "forcerealtimelayers" r3
  CALL r0 3 2
.lineno 34
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "s77.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 35
  GETGLOBAL r0 "hidelayer"
  LOADK r1 #1
  CALL r0 2 2
.lineno 33
  GETGLOBAL r0 "showlayerfx"
  LOADK r1 #1
  NEWTABLE r2 0 3
  LOADK r3 #78
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  LOADK r3 #1
  SETTABLE r2 "forcerealtimelayers" r3
  CALL r0 3 2
.lineno 34
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "s78.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 35
  GETGLOBAL r0 "hidelayer"
  LOADK r1 #1
  CALL r0 2 2
.lineno 33
  GETGLOBAL r0 "showlayerfx"
  LOADK r1 #1
  NEWTABLE r2 0 3
  LOADK r3 #79
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  LOADK r3 #1
  SETTABLE r2 "forcerealtimelayers" r3
  CALL r0 3 2
.lineno 34
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "s79.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 35
  GETGLOBAL r0 "hidelayer"
  LOADK r1 #1
  CALL r0 2 2
.lineno 33
  GETGLOBAL r0 "showlayerfx"
  LOADK r1 #1
  NEWTABLE r2 0 3
  LOADK r3 #80
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  LOADK r3 #1
  SETTABLE r2 "forcerealtimelayers" r3
  CALL r0 3 2
.lineno 34
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "s80.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 35
  GETGLOBAL r0 "hidelayer"
  LOADK r1 #1
  CALL r0 2 2
.lineno 33
  GETGLOBAL r0 "showlayerfx"
  LOADK r1 #1
  NEWTABLE r2 0 3
  LOADK r3 #81
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  LOADK r3 #1
  SETTABLE r2 "forcerealtimelayers" r3
  CALL r0 3 2
.lineno 34
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "s81.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 35
  GETGLOBAL r0 "hidelayer"
  LOADK r1 #1
  CALL r0 2 2
.lineno 33
  GETGLOBAL r0 "showlayerfx"
  LOADK r1 #1
  NEWTABLE r2 0 3
  LOADK r3 #82
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  LOADK r3 #1
  SETTABLE r2 "forcerealtimelayers" r3
  CALL r0 3 2
.lineno 34
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "s82.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 35
  GETGLOBAL r0 "hidelayer"
  LOADK r1 #1
  CALL r0 2 2
.lineno 33
  GETGLOBAL r0 "showlayerfx"
  LOADK r1 #1
  NEWTABLE r2 0 3
  LOADK r3 #83
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  LOADK r3 #1
  SETTABLE r2 "forcerealtimelayers" r3
  CALL r0 3 2
.lineno 34
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "s83.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 35
  GETGLOBAL r0 "hidelayer"
  LOADK r1 #1
  CALL r0 2 2
.lineno 33
  GETGLOBAL r0 "showlayerfx"
  LOADK r1 #1
  NEWTABLE r2 0 3
  LOADK r3 #84
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  LOADK r3 #1
  SETTABLE r2 "forcerealtimelayers" r3
  CALL r0 3 2
.lineno 34
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "s84.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 35
  GETGLOBAL r0 "hidelayer"
  LOADK r1 #1
  CALL r0 2 2
.lineno 33
  GETGLOBAL r0 "showlayerfx"
  LOADK r1 #1
  NEWTABLE r2 0 3
  LOADK r3 #85
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  LOADK r3 #1
  SETTABLE r2 "forcerealtimelayers" r3
  CALL r0 3 2
.lineno 34
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "s85.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 35
  GETGLOBAL r0 "hidelayer"
  LOADK r1 #1
  CALL r0 2 2
.lineno 33
  GETGLOBAL r0 "showlayerfx"
  LOADK r1 #1
  NEWTABLE r2 0 3
  LOADK r3 #86
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  LOADK r3 #1
  SETTABLE r2 "forcerealtimelayers" r3
  CALL r0 3 2
.lineno 34
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "s86.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 35
  GETGLOBAL r0 "hidelayer"
  LOADK r1 #1
  CALL r0 2 2
.lineno 33
  GETGLOBAL r0 "showlayerfx"
  LOADK r1 #1
  NEWTABLE r2 0 3
  LOADK r3 #87
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  LOADK r3 #1
  SETTABLE r2 "forcerealtimelayers" r3
  CALL r0 3 2
.lineno 34
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "s87.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 35
  GETGLOBAL r0 "hidelayer"
  LOADK r1 #1
  CALL r0 2 2
.lineno 33
  GETGLOBAL r0 "showlayerfx"
  LOADK r1 #1
  NEWTABLE r2 0 3
  LOADK r3 #88
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  LOADK r3 #1
  SETTABLE r2 "forcerealtimelayers" r3
  CALL r0 3 2
.lineno 34
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "s88.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 35
  GETGLOBAL r0 "hidelayer"
  LOADK r1 #1
  CALL r0 2 2
.lineno 33
  GETGLOBAL r0 "showlayerfx"
  LOADK r1 #1
  NEWTABLE r2 0 3
  LOADK r3 #89
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  LOADK r3 #1
  SETTABLE r2 "forcerealtimelayers" r3
  CALL r0 3 2
.lineno 34
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "s89.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 35
  GETGLOBAL r0 "hidelayer"
  LOADK r1 #1
  CALL r0 2 2
.lineno 33
  GETGLOBAL r0 "showlayerfx"
  LOADK r1 #1
  NEWTABLE r2 0 3
  LOADK r3 #90
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  LOADK r3 #1
  SETTABLE r2 "forcerealtimelayers" r3
  CALL r0 3 2
.lineno 34
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "s90.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 35
  GETGLOBAL r0 "hidelayer"
  LOADK r1 #1
  CALL r0 2 2
.lineno 33
  GETGLOBAL r0 "showlayerfx"
  LOADK r1 #1
  NEWTABLE r2 0 3
  LOADK r3 #91
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  LOADK r3 #1
  SETTABLE r2 "forcerealtimelayers" r3
  CALL r0 3 2
.lineno 34
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "s91.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 35
  GETGLOBAL r0 "hidelayer"
  LOADK r1 #1
  CALL r0 2 2
.lineno 33
  GETGLOBAL r0 "showlayerfx"
  LOADK r1 #1
  NEWTABLE r2 0 3
  LOADK r3 #92
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  LOADK r3 #1
  SETTABLE r2 "forcerealtimelayers" r3
  CALL r0 3 2
.lineno 34
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "s92.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 35
  GETGLOBAL r0 "hidelayer"
  LOADK r1 #1
  CALL r0 2 2
.lineno 33
  GETGLOBAL r0 "showlayerfx"
  LOADK r1 #1
  NEWTABLE r2 0 3
  LOADK r3 #93
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  LOADK r3 #1
  SETTABLE r2 "forcerealtimelayers" r3
  CALL r0 3 2
.lineno 34
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "s93.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 35
  GETGLOBAL r0 "hidelayer"
  LOADK r1 #1
  CALL r0 2 2
.lineno 33
  GETGLOBAL r0 "showlayerfx"
  LOADK r1 #1
  NEWTABLE r2 0 3
  LOADK r3 #94
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  LOADK r3 #1
  SETTABLE r2 "forcerealtimelayers" r3
  CALL r0 3 2
.lineno 34
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "s94.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 35
  GETGLOBAL r0 "hidelayer"
  LOADK r1 #1
  CALL r0 2 2
.lineno 33
  GETGLOBAL r0 "showlayerfx"
  LOADK r1 #1
  NEWTABLE r2 0 3
  LOADK r3 #95
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  LOADK r3 #1
  SETTABLE r2 "forcerealtimelayers" r3
  CALL r0 3 2
.lineno 34
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "s95.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 35
  GETGLOBAL r0 "hidelayer"
  LOADK r1 #1
  CALL r0 2 2
.lineno 33
  GETGLOBAL r0 "showlayerfx"
  LOADK r1 #1
  NEWTABLE r2 0 3
  LOADK r3 #96
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  LOADK r3 #1
  SETTABLE r2 "forcerealtimelayers" r3
  CALL r0 3 2
.lineno 34
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "s96.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 35
  GETGLOBAL r0 "hidelayer"
  LOADK r1 #1
  CALL r0 2 2
.lineno 33
  GETGLOBAL r0 "showlayerfx"
  LOADK r1 #1
  NEWTABLE r2 0 3
  LOADK r3 #97
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  LOADK r3 #1
  SETTABLE r2 "forcerealtimelayers" r3
  CALL r0 3 2
.lineno 34
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "s97.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 35
  GETGLOBAL r0 "hidelayer"
  LOADK r1 #1
  CALL r0 2 2
.lineno 33
  GETGLOBAL r0 "showlayerfx"
  LOADK r1 #1
  NEWTABLE r2 0 3
  LOADK r3 #98
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  LOADK r3 #1
  SETTABLE r2 "forcerealtimelayers" r3
  CALL r0 3 2
.lineno 34
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "s98.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 35
  GETGLOBAL r0 "hidelayer"
  LOADK r1 #1
  CALL r0 2 2
.lineno 33
  GETGLOBAL r0 "showlayerfx"
  LOADK r1 #1
  NEWTABLE r2 0 3
  LOADK r3 #99
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  LOADK r3 #1
  SETTABLE r2 "forcerealtimelayers" r3
  CALL r0 3 2
.lineno 34
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "s99.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 35
  GETGLOBAL r0 "hidelayer"
  LOADK r1 #1
  CALL r0 2 2
.lineno 33
  GETGLOBAL r0 "showlayerfx"
  LOADK r1 #1
  NEWTABLE r2 0 3
  LOADK r3 #100
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  LOADK r3 #1
  SETTABLE r2 "forcerealtimelayers" r3
  CALL r0 3 2
.lineno 34
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "s100.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 35
  GETGLOBAL r0 "hidelayer"
  LOADK r1 #1
  CALL r0 2 2
.lineno 33
  GETGLOBAL r0 "showlayerfx"
  LOADK r1 #1
  NEWTABLE r2 0 3
  LOADK r3 #101
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  LOADK r3 #1
  SETTABLE r2 "forcerealtimelayers" r3
  CALL r0 3 2
.lineno 34
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "s101.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 35
  GETGLOBAL r0 "hidelayer"
  LOADK r1 #1
  CALL r0 2 2
.lineno 33
  GETGLOBAL r0 "showlayerfx"
  LOADK r1 #1
  NEWTABLE r2 0 3
  LOADK r3 #102
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  LOADK r3 #1
  SETTABLE r2 "forcerealtimelayers" r3
  CALL r0 3 2
.lineno 34
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "s102.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 35
  GETGLOBAL r0 "hidelayer"
  LOADK r1 #1
  CALL r0 2 2
.lineno 33
  GETGLOBAL r0 "showlayerfx"
  LOADK r1 #1
  NEWTABLE r2 0 3
  LOADK r3 #103
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  LOADK r3 #1
  SETTABLE r2 "forcerealtimelayers" r3
  CALL r0 3 2
.lineno 34
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "s103.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 35
  GETGLOBAL r0 "hidelayer"
  LOADK r1 #1
  CALL r0 2 2
.lineno 33
  GETGLOBAL r0 "showlayerfx"
  LOADK r1 #1
  NEWTABLE r2 0 3
  LOADK r3 #104
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  LOADK r3 #1
  SETTABLE r2 "forcerealtimelayers" r3
  CALL r0 3 2
.lineno 34
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "s104.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 35
  GETGLOBAL r0 "hidelayer"
  LOADK r1 #1
  CALL r0 2 2
.lineno 33
  GETGLOBAL r0 "showlayerfx"
  LOADK r1 #1
  NEWTABLE r2 0 3
  LOADK r3 #105
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  LOADK r3 #1
  SETTABLE r2 "forcerealtimelayers" r3
  CALL r0 3 2
.lineno 34
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "s105.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 35
  GETGLOBAL r0 "hidelayer"
  LOADK r1 #1
  CALL r0 2 2
.lineno 33
  GETGLOBAL r0 "showlayerfx"
  LOADK r1 #1
  NEWTABLE r2 0 3
  LOADK r3 #106
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  LOADK r3 #1
  SETTABLE r2 "forcerealtimelayers" r3
  CALL r0 3 2
.lineno 34
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "s106.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 35
  GETGLOBAL r0 "hidelayer"
  LOADK r1 #1
  CALL r0 2 2
.lineno 33
  GETGLOBAL r0 "showlayerfx"
  LOADK r1 #1
  NEWTABLE r2 0 3
  LOADK r3 #107
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  LOADK r3 #1
  SETTABLE r2 "forcerealtimelayers" r3
  CALL r0 3 2
.lineno 34
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "s107.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 35
  GETGLOBAL r0 "hidelayer"
  LOADK r1 #1
  CALL r0 2 2
.lineno 33
  GETGLOBAL r0 "showlayerfx"
  LOADK r1 #1
  NEWTABLE r2 0 3
  LOADK r3 #108
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  LOADK r3 #1
  SETTABLE r2 "forcerealtimelayers" r3
  CALL r0 3 2
.lineno 34
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "s108.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 35
  GETGLOBAL r0 "hidelayer"
  LOADK r1 #1
  CALL r0 2 2
.lineno 33
  GETGLOBAL r0 "showlayerfx"
  LOADK r1 #1
  NEWTABLE r2 0 3
  LOADK r3 #109
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  LOADK r3 #1
  SETTABLE r2 "forcerealtimelayers" r3
  CALL r0 3 2
.lineno 34
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "s109.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 35
  GETGLOBAL r0 "hidelayer"
  LOADK r1 #1
  CALL r0 2 2
.lineno 33
  GETGLOBAL r0 "showlayerfx"
  LOADK r1 #1
  NEWTABLE r2 0 3
  LOADK r3 #110
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  LOADK r3 #1
  SETTABLE r2 "forcerealtimelayers" r3
  CALL r0 3 2
.lineno 34
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "s110.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 35
  GETGLOBAL r0 "hidelayer"
  LOADK r1 #1
  CALL r0 2 2
.lineno 33
  GETGLOBAL r0 "showlayerfx"
  LOADK r1 #1
  NEWTABLE r2 0 3
  LOADK r3 #111
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  LOADK r3 #1
  SETTABLE r2 "forcerealtimelayers" r3
  CALL r0 3 2
.lineno 34
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "s111.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 35
  GETGLOBAL r0 "hidelayer"
  LOADK r1 #1
  CALL r0 2 2
.lineno 33
  GETGLOBAL r0 "showlayerfx"
  LOADK r1 #1
  NEWTABLE r2 0 3
  LOADK r3 #112
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  LOADK r3 #1
  SETTABLE r2 "forcerealtimelayers" r3
  CALL r0 3 2
.lineno 34
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "s112.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 35
  GETGLOBAL r0 "hidelayer"
  LOADK r1 #1
  CALL r0 2 2
.lineno 33
  GETGLOBAL r0 "showlayerfx"
  LOADK r1 #1
  NEWTABLE r2 0 3
  LOADK r3 #114
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  LOADK r3 #1
  SETTABLE r2 "forcerealtimelayers" r3
  CALL r0 3 2
.lineno 34
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "s114.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 35
  GETGLOBAL r0 "hidelayer"
  LOADK r1 #1
  CALL r0 2 2
.lineno 33
  GETGLOBAL r0 "showlayerfx"
  LOADK r1 #1
  NEWTABLE r2 0 3
  LOADK r3 #115
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  LOADK r3 #1
  SETTABLE r2 "forcerealtimelayers" r3
  CALL r0 3 2
.lineno 34
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "s115.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 35
  GETGLOBAL r0 "hidelayer"
  LOADK r1 #1
  CALL r0 2 2
.lineno 33
  GETGLOBAL r0 "showlayerfx"
  LOADK r1 #1
  NEWTABLE r2 0 3
  LOADK r3 #116
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  LOADK r3 #1
  SETTABLE r2 "forcerealtimelayers" r3
  CALL r0 3 2
.lineno 34
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "s116.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 35
  GETGLOBAL r0 "hidelayer"
  LOADK r1 #1
  CALL r0 2 2
.lineno 33
  GETGLOBAL r0 "showlayerfx"
  LOADK r1 #1
  NEWTABLE r2 0 3
  LOADK r3 #117
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  LOADK r3 #1
  SETTABLE r2 "forcerealtimelayers" r3
  CALL r0 3 2
.lineno 34
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "s117.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 35
  GETGLOBAL r0 "hidelayer"
  LOADK r1 #1
  CALL r0 2 2
.lineno 33
  GETGLOBAL r0 "showlayerfx"
  LOADK r1 #1
  NEWTABLE r2 0 3
  LOADK r3 #118
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  LOADK r3 #1
  SETTABLE r2 "forcerealtimelayers" r3
  CALL r0 3 2
.lineno 34
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "s118.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 35
  GETGLOBAL r0 "hidelayer"
  LOADK r1 #1
  CALL r0 2 2
.lineno 33
  GETGLOBAL r0 "showlayerfx"
  LOADK r1 #1
  NEWTABLE r2 0 3
  LOADK r3 #119
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  LOADK r3 #1
  SETTABLE r2 "forcerealtimelayers" r3
  CALL r0 3 2
.lineno 34
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "s119.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 35
  GETGLOBAL r0 "hidelayer"
  LOADK r1 #1
  CALL r0 2 2
.lineno 33
  GETGLOBAL r0 "showlayerfx"
  LOADK r1 #1
  NEWTABLE r2 0 3
  LOADK r3 #120
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  LOADK r3 #1
  SETTABLE r2 "forcerealtimelayers" r3
  CALL r0 3 2
.lineno 34
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "s120.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 35
  GETGLOBAL r0 "hidelayer"
  LOADK r1 #1
  CALL r0 2 2
.lineno 33
  GETGLOBAL r0 "showlayerfx"
  LOADK r1 #1
  NEWTABLE r2 0 3
  LOADK r3 #121
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  LOADK r3 #1
  SETTABLE r2 "forcerealtimelayers" r3
  CALL r0 3 2
.lineno 34
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "s121.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 35
  GETGLOBAL r0 "hidelayer"
  LOADK r1 #1
  CALL r0 2 2
.lineno 33
  GETGLOBAL r0 "showlayerfx"
  LOADK r1 #1
  NEWTABLE r2 0 3
  LOADK r3 #122
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  LOADK r3 #1
  SETTABLE r2 "forcerealtimelayers" r3
  CALL r0 3 2
.lineno 34
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "s122.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 35
  GETGLOBAL r0 "hidelayer"
  LOADK r1 #1
  CALL r0 2 2
.lineno 33
  GETGLOBAL r0 "showlayerfx"
  LOADK r1 #1
  NEWTABLE r2 0 3
  LOADK r3 #123
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  LOADK r3 #1
  SETTABLE r2 "forcerealtimelayers" r3
  CALL r0 3 2
.lineno 34
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "s123.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 35
  GETGLOBAL r0 "hidelayer"
  LOADK r1 #1
  CALL r0 2 2
.lineno 33
  GETGLOBAL r0 "showlayerfx"
  LOADK r1 #1
  NEWTABLE r2 0 3
  LOADK r3 #124
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  LOADK r3 #1
  SETTABLE r2 "forcerealtimelayers" r3
  CALL r0 3 2
.lineno 34
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "s124.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 35
  GETGLOBAL r0 "hidelayer"
  LOADK r1 #1
  CALL r0 2 2
.lineno 33
  GETGLOBAL r0 "showlayerfx"
  LOADK r1 #1
  NEWTABLE r2 0 3
  LOADK r3 #125
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  LOADK r3 #1
  SETTABLE r2 "forcerealtimelayers" r3
  CALL r0 3 2
.lineno 34
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "s125.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 35
  GETGLOBAL r0 "hidelayer"
  LOADK r1 #1
  CALL r0 2 2
.lineno 33
  GETGLOBAL r0 "showlayerfx"
  LOADK r1 #1
  NEWTABLE r2 0 3
  LOADK r3 #126
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  LOADK r3 #1
  SETTABLE r2 "forcerealtimelayers" r3
  CALL r0 3 2
.lineno 34
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "s126.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 35
  GETGLOBAL r0 "hidelayer"
  LOADK r1 #1
  CALL r0 2 2
.lineno 33
  GETGLOBAL r0 "showlayerfx"
  LOADK r1 #1
  NEWTABLE r2 0 3
  LOADK r3 #127
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  LOADK r3 #1
  SETTABLE r2 "forcerealtimelayers" r3
  CALL r0 3 2
.lineno 34
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "s127.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 35
  GETGLOBAL r0 "hidelayer"
  LOADK r1 #1
  CALL r0 2 2
.lineno 33
  GETGLOBAL r0 "showlayerfx"
  LOADK r1 #1
  NEWTABLE r2 0 3
  LOADK r3 #128
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  LOADK r3 #1
  SETTABLE r2 "forcerealtimelayers" r3
  CALL r0 3 2
.lineno 34
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "s128.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 35
  GETGLOBAL r0 "hidelayer"
  LOADK r1 #1
  CALL r0 2 2
.lineno 33
  GETGLOBAL r0 "showlayerfx"
  LOADK r1 #1
  NEWTABLE r2 0 3
  LOADK r3 #129
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  LOADK r3 #1
  SETTABLE r2 "forcerealtimelayers" r3
  CALL r0 3 2
.lineno 34
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "s129.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 35
  GETGLOBAL r0 "hidelayer"
  LOADK r1 #1
  CALL r0 2 2
.lineno 33
  GETGLOBAL r0 "showlayerfx"
  LOADK r1 #1
  NEWTABLE r2 0 3
  LOADK r3 #130
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  LOADK r3 #1
  SETTABLE r2 "forcerealtimelayers" r3
  CALL r0 3 2
.lineno 34
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "s130.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 35
  GETGLOBAL r0 "hidelayer"
  LOADK r1 #1
  CALL r0 2 2
.lineno 33
  GETGLOBAL r0 "showlayerfx"
  LOADK r1 #1
  NEWTABLE r2 0 3
  LOADK r3 #131
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  LOADK r3 #1
  SETTABLE r2 "forcerealtimelayers" r3
  CALL r0 3 2
.lineno 34
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "s131.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 35
  GETGLOBAL r0 "hidelayer"
  LOADK r1 #1
  CALL r0 2 2
.lineno 33
  GETGLOBAL r0 "showlayerfx"
  LOADK r1 #1
  NEWTABLE r2 0 3
  LOADK r3 #132
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  LOADK r3 #1
  SETTABLE r2 "forcerealtimelayers" r3
  CALL r0 3 2
.lineno 34
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "s132.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 35
  GETGLOBAL r0 "hidelayer"
  LOADK r1 #1
  CALL r0 2 2
.lineno 33
  GETGLOBAL r0 "showlayerfx"
  LOADK r1 #1
  NEWTABLE r2 0 3
  LOADK r3 #133
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  LOADK r3 #1
  SETTABLE r2 "forcerealtimelayers" r3
  CALL r0 3 2
.lineno 34
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "s133.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 35
  GETGLOBAL r0 "hidelayer"
  LOADK r1 #1
  CALL r0 2 2
.lineno 33
  GETGLOBAL r0 "showlayerfx"
  LOADK r1 #1
  NEWTABLE r2 0 3
  LOADK r3 #134
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  LOADK r3 #1
  SETTABLE r2 "forcerealtimelayers" r3
  CALL r0 3 2
.lineno 34
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "s134.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 35
  GETGLOBAL r0 "hidelayer"
  LOADK r1 #1
  CALL r0 2 2
.lineno 33
  GETGLOBAL r0 "showlayerfx"
  LOADK r1 #1
  NEWTABLE r2 0 3
  LOADK r3 #135
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  LOADK r3 #1
  SETTABLE r2 "forcerealtimelayers" r3
  CALL r0 3 2
.lineno 34
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "s135.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 35
  GETGLOBAL r0 "hidelayer"
  LOADK r1 #1
  CALL r0 2 2
.lineno 33
  GETGLOBAL r0 "showlayerfx"
  LOADK r1 #1
  NEWTABLE r2 0 3
  LOADK r3 #136
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  LOADK r3 #1
  SETTABLE r2 "forcerealtimelayers" r3
  CALL r0 3 2
.lineno 34
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "s136.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 35
  GETGLOBAL r0 "hidelayer"
  LOADK r1 #1
  CALL r0 2 2
.lineno 33
  GETGLOBAL r0 "showlayerfx"
  LOADK r1 #1
  NEWTABLE r2 0 3
  LOADK r3 #137
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  LOADK r3 #1
  SETTABLE r2 "forcerealtimelayers" r3
  CALL r0 3 2
.lineno 34
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "s137.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 35
  GETGLOBAL r0 "hidelayer"
  LOADK r1 #1
  CALL r0 2 2
.lineno 33
  GETGLOBAL r0 "showlayerfx"
  LOADK r1 #1
  NEWTABLE r2 0 3
  LOADK r3 #138
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  LOADK r3 #1
  SETTABLE r2 "forcerealtimelayers" r3
  CALL r0 3 2
.lineno 34
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "s138.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 35
  GETGLOBAL r0 "hidelayer"
  LOADK r1 #1
  CALL r0 2 2
.lineno 33
  GETGLOBAL r0 "showlayerfx"
  LOADK r1 #1
  NEWTABLE r2 0 3
  LOADK r3 #139
  SETTABLE r2 "type" r3
  LOADK r3 #-2
  SETTABLE r2 "speed" r3
  LOADK r3 #1
  SETTABLE r2 "forcerealtimelayers" r3
  CALL r0 3 2
.lineno 34
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "s139.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 35
  GETGLOBAL r0 "hidelayer"
  LOADK r1 #1
  CALL r0 2 2
  RETURN r0 1
