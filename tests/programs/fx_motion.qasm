; label: fx
; The moving and scaling transitions through the player, each id four ways: a new background
; picture, a masked brush at (-10, -7) with layers off, and a layer shown and hidden (the hide async,
; its frame total printed beside the frames drawn before it answers done); the two-picture ids also
; on a layer that stands for a background picture. The .check compares every final snapshot with
; its target.
; call LoadBGPic(1, "a.png")
; call LoadBGPic(2, "b.png")
; call LoadBGPic(4, "a.png")
; call LoadBrush(3, "hole.png")
; call SetBrushTransparency(3, $000000)
; function pictures(id)
; call DisplayBGPic(1)
; call DisplayTransitionFX(2, id, 4)
; call SaveSnapshot("p" .. id .. ".bmp", 0)
; call DisplayBGPic(1)
; call DisplayBrushFX(3, -10, -7, id, 4)
; call SaveSnapshot("b" .. id .. ".bmp", 0)
; end
; function layers(id)
; call ShowLayerFX(1, id, 4)
; call SaveSnapshot("s" .. id .. ".bmp", 0)
; h = HideLayerFX(1, {type = id, speed = 4, async = 1})
; total = GetAttribute(37, h, 11)
; n = 0
; done = 0
; while done == 0 do
; done = AsyncDrawFrame(h)
; n = n + 1
; end
; print id, total, n - 1
; call SaveSnapshot("h" .. id .. ".bmp", 0)
; end
; function emulated(id)
; call ShowLayerFX(1, {type = id, speed = 4, bgpicemu = 1, bgpic = 2})
; call SaveSnapshot("e" .. id .. ".bmp", 0)
; call HideLayer(1)
; end
; function twopictures(f)
; for id = 74, 81 do
; call f(id)
; end
; for id = 101, 104 do
; call f(id)
; end
; for id = 111, 112 do
; call f(id)
; end
; for id = 118, 119 do
; call f(id)
; end
; for id = 128, 131 do
; call f(id)
; end
; end
; function each(f)
; for id = 47, 73 do
; call f(id)
; end
; for id = 99, 100 do
; call f(id)
; end
; for id = 105, 106 do
; call f(id)
; end
; call twopictures(f)
; end
; call each(pictures)
; call DisplayBGPic(4)
; call EnableLayers()
; call DisplayBrush(3, 8, 6)
; call HideLayer(1)
; call each(layers)
; call twopictures(emulated)
; print "done"
.source "@fx_motion.q"
  .maxstack 8
.lineno 1
  GETGLOBAL r0 "loadbgpic"
  LOADK r1 #1
  LOADK r2 "a.png"
  CALL r0 3 2
.lineno 2
  GETGLOBAL r0 "loadbgpic"
  LOADK r1 #2
  LOADK r2 "b.png"
  CALL r0 3 2
.lineno 3
  GETGLOBAL r0 "loadbgpic"
  LOADK r1 #4
  LOADK r2 "a.png"
  CALL r0 3 2
.lineno 4
  GETGLOBAL r0 "loadbrush"
  LOADK r1 #3
  LOADK r2 "hole.png"
  CALL r0 3 2
.lineno 5
  GETGLOBAL r0 "setbrushtransparency"
  LOADK r1 #3
  LOADK r2 #0
  CALL r0 3 2
.lineno 6
  CLOSURE r0 f0
  SETGLOBAL r0 "pictures"
.lineno 14
  CLOSURE r0 f1
  SETGLOBAL r0 "layers"
.lineno 28
  CLOSURE r0 f2
  SETGLOBAL r0 "emulated"
.lineno 33
  CLOSURE r0 f3
  SETGLOBAL r0 "twopictures"
.lineno 50
  CLOSURE r0 f4
  SETGLOBAL r0 "each"
.lineno 62
  GETGLOBAL r0 "each"
  GETGLOBAL r1 "pictures"
  CALL r0 2 2
.lineno 63
  GETGLOBAL r0 "displaybgpic"
  LOADK r1 #4
  CALL r0 2 2
.lineno 64
  GETGLOBAL r0 "enablelayers"
  CALL r0 1 2
.lineno 65
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #3
  LOADK r2 #8
  LOADK r3 #6
  CALL r0 4 2
.lineno 66
  GETGLOBAL r0 "hidelayer"
  LOADK r1 #1
  CALL r0 2 2
.lineno 67
  GETGLOBAL r0 "each"
  GETGLOBAL r1 "layers"
  CALL r0 2 2
.lineno 68
  GETGLOBAL r0 "twopictures"
  GETGLOBAL r1 "emulated"
  CALL r0 2 2
.lineno 69
  GETGLOBAL r0 "debugprint"
  LOADK r1 "done"
  CALL r0 2 2
  RETURN r0 1
.function
  .params 1
  .maxstack 8
.lineno 7
  GETGLOBAL r1 "displaybgpic"
  LOADK r2 #1
  CALL r1 2 2
.lineno 8
  GETGLOBAL r1 "displaytransitionfx"
  LOADK r2 #2
  MOVE r3 r0
  LOADK r4 #4
  CALL r1 4 2
.lineno 9
  GETGLOBAL r1 "savesnapshot"
  LOADK r2 "p"
  MOVE r3 r0
  CONCAT r2 r2 r3
  LOADK r3 ".bmp"
  CONCAT r2 r2 r3
  LOADK r3 #0
  CALL r1 3 2
.lineno 10
  GETGLOBAL r1 "displaybgpic"
  LOADK r2 #1
  CALL r1 2 2
.lineno 11
  GETGLOBAL r1 "displaybrushfx"
  LOADK r2 #3
  LOADK r3 #-10
  LOADK r4 #-7
  MOVE r5 r0
  LOADK r6 #4
  CALL r1 6 2
.lineno 12
  GETGLOBAL r1 "savesnapshot"
  LOADK r2 "b"
  MOVE r3 r0
  CONCAT r2 r2 r3
  LOADK r3 ".bmp"
  CONCAT r2 r2 r3
  LOADK r3 #0
  CALL r1 3 2
.lineno 13
  RETURN r0 1
.end
.function
  .params 1
  .maxstack 8
.lineno 15
  GETGLOBAL r1 "showlayerfx"
  LOADK r2 #1
  MOVE r3 r0
  LOADK r4 #4
  CALL r1 4 2
.lineno 16
  GETGLOBAL r1 "savesnapshot"
  LOADK r2 "s"
  MOVE r3 r0
  CONCAT r2 r2 r3
  LOADK r3 ".bmp"
  CONCAT r2 r2 r3
  LOADK r3 #0
  CALL r1 3 2
.lineno 17
  GETGLOBAL r1 "hidelayerfx"
  LOADK r2 #1
  NEWTABLE r3 0 4
  MOVE r4 r0
  SETTABLE r3 "type" r4
  LOADK r4 #4
  SETTABLE r3 "speed" r4
  LOADK r4 #1
  SETTABLE r3 "async" r4
  CALL r1 3 2
  SETGLOBAL r1 "h"
.lineno 18
  GETGLOBAL r1 "getattribute"
  LOADK r2 #37
  GETGLOBAL r3 "h"
  LOADK r4 #11
  CALL r1 4 2
  SETGLOBAL r1 "total"
.lineno 19
  LOADK r1 #0
  SETGLOBAL r1 "n"
.lineno 20
  LOADK r1 #0
  SETGLOBAL r1 "done"
.lineno 21
L1:
  GETGLOBAL r1 "done"
  LOADK r2 #0
  EQ 0 r1 r2
  JMP @L2
.lineno 22
  GETGLOBAL r1 "asyncdrawframe"
  GETGLOBAL r2 "h"
  CALL r1 2 2
  SETGLOBAL r1 "done"
.lineno 23
  GETGLOBAL r1 "n"
  LOADK r2 #1
  ADD r1 r1 r2
  SETGLOBAL r1 "n"
.lineno 24
  JMP @L1
L2:
.lineno 25
  GETGLOBAL r1 "debugprint"
  MOVE r2 r0
  GETGLOBAL r3 "total"
  GETGLOBAL r4 "n"
  LOADK r5 #1
  SUB r4 r4 r5
  CALL r1 4 2
.lineno 26
  GETGLOBAL r1 "savesnapshot"
  LOADK r2 "h"
  MOVE r3 r0
  CONCAT r2 r2 r3
  LOADK r3 ".bmp"
  CONCAT r2 r2 r3
  LOADK r3 #0
  CALL r1 3 2
.lineno 27
  RETURN r0 1
.end
.function
  .params 1
  .maxstack 8
.lineno 29
  GETGLOBAL r1 "showlayerfx"
  LOADK r2 #1
  NEWTABLE r3 0 4
  MOVE r4 r0
  SETTABLE r3 "type" r4
  LOADK r4 #4
  SETTABLE r3 "speed" r4
  LOADK r4 #1
  SETTABLE r3 "bgpicemu" r4
  LOADK r4 #2
  SETTABLE r3 "bgpic" r4
  CALL r1 3 2
.lineno 30
  GETGLOBAL r1 "savesnapshot"
  LOADK r2 "e"
  MOVE r3 r0
  CONCAT r2 r2 r3
  LOADK r3 ".bmp"
  CONCAT r2 r2 r3
  LOADK r3 #0
  CALL r1 3 2
.lineno 31
  GETGLOBAL r1 "hidelayer"
  LOADK r2 #1
  CALL r1 2 2
.lineno 32
  RETURN r0 1
.end
.function
  .params 1
  .maxstack 30
.lineno 34
  LOADK r20 #74
  LOADK r21 #81
  LOADK r22 #1
  SUB r20 r20 r22
  JMP @L3
L4:
  SETGLOBAL r20 "id"
.lineno 35
  MOVE r27 r0
  GETGLOBAL r28 "id"
  CALL r27 2 2
.lineno 36
L3:
  FORLOOP r20 @L4
.lineno 37
  LOADK r20 #101
  LOADK r21 #104
  LOADK r22 #1
  SUB r20 r20 r22
  JMP @L5
L6:
  SETGLOBAL r20 "id"
.lineno 38
  MOVE r27 r0
  GETGLOBAL r28 "id"
  CALL r27 2 2
.lineno 39
L5:
  FORLOOP r20 @L6
.lineno 40
  LOADK r20 #111
  LOADK r21 #112
  LOADK r22 #1
  SUB r20 r20 r22
  JMP @L7
L8:
  SETGLOBAL r20 "id"
.lineno 41
  MOVE r27 r0
  GETGLOBAL r28 "id"
  CALL r27 2 2
.lineno 42
L7:
  FORLOOP r20 @L8
.lineno 43
  LOADK r20 #118
  LOADK r21 #119
  LOADK r22 #1
  SUB r20 r20 r22
  JMP @L9
L10:
  SETGLOBAL r20 "id"
.lineno 44
  MOVE r27 r0
  GETGLOBAL r28 "id"
  CALL r27 2 2
.lineno 45
L9:
  FORLOOP r20 @L10
.lineno 46
  LOADK r20 #128
  LOADK r21 #131
  LOADK r22 #1
  SUB r20 r20 r22
  JMP @L11
L12:
  SETGLOBAL r20 "id"
.lineno 47
  MOVE r27 r0
  GETGLOBAL r28 "id"
  CALL r27 2 2
.lineno 48
L11:
  FORLOOP r20 @L12
.lineno 49
  RETURN r0 1
.end
.function
  .params 1
  .maxstack 30
.lineno 51
  LOADK r20 #47
  LOADK r21 #73
  LOADK r22 #1
  SUB r20 r20 r22
  JMP @L13
L14:
  SETGLOBAL r20 "id"
.lineno 52
  MOVE r27 r0
  GETGLOBAL r28 "id"
  CALL r27 2 2
.lineno 53
L13:
  FORLOOP r20 @L14
.lineno 54
  LOADK r20 #99
  LOADK r21 #100
  LOADK r22 #1
  SUB r20 r20 r22
  JMP @L15
L16:
  SETGLOBAL r20 "id"
.lineno 55
  MOVE r27 r0
  GETGLOBAL r28 "id"
  CALL r27 2 2
.lineno 56
L15:
  FORLOOP r20 @L16
.lineno 57
  LOADK r20 #105
  LOADK r21 #106
  LOADK r22 #1
  SUB r20 r20 r22
  JMP @L17
L18:
  SETGLOBAL r20 "id"
.lineno 58
  MOVE r27 r0
  GETGLOBAL r28 "id"
  CALL r27 2 2
.lineno 59
L17:
  FORLOOP r20 @L18
.lineno 60
  GETGLOBAL r1 "twopictures"
  MOVE r2 r0
  CALL r1 2 2
.lineno 61
  RETURN r0 1
.end
