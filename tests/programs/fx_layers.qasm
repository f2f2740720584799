; label: fx
; Layers shown, hidden and removed with transitions through the player, sync and async: the frame
; count attribute (11) and the current frame (12) of an async effect, steps and seeks with
; AsyncDrawFrame, a bordered layer whose border is whole once its effect is over, and UndoFX.
; The .check compares the window after each with the target.
; call SetFillStyle(1)
; call CreateBGPic(1, 160, 120, $203040)
; call DisplayBGPic(1)
; call EnableLayers()
; call CreateBrush(1, 40, 30, $00FF00)
; call DisplayBrush(1, 20, 20)
; call HideLayer(1)
; call ShowLayerFX(1, 0, 4)
; call SaveSnapshot("shown.bmp", 0)
; -- VSTRIPES over 30 rows at 3 a frame: 10 frames.
; call DisplayBrush(1, 80, 60)
; call HideLayer(2)
; h = ShowLayerFX(2, {type = 7, speed = 3, async = 1})
; print "frames", GetAttribute(37, h, 11), GetAttribute(37, h, 12)
; print "step", AsyncDrawFrame(h), GetAttribute(37, h, 12)
; print "seek", AsyncDrawFrame(h, 6), GetAttribute(37, h, 12)
; print "back", AsyncDrawFrame(h, 2), GetAttribute(37, h, 12)
; print "last", AsyncDrawFrame(h, 10), GetAttribute(37, h, 12)
; print "over", AsyncDrawFrame(h)
; call SaveSnapshot("async.bmp", 0)
; call DisplayBrush(1, 20, 70)
; call SetLayerBorder(3, 1, $FF0000, 3)
; call HideLayer(3)
; call ShowLayerFX(3, 7, 5)
; call SaveSnapshot("border.bmp", 0)
; call HideLayerFX(1, 0, 4)
; h = RemoveLayerFX(2, {type = 7, async = 1})
; done = 0
; n = 0
; while done == 0 do
; done = AsyncDrawFrame(h)
; n = n + 1
; end
; print "removed in", n - 1, GetAttribute(21, 0, 6)
; call UndoFX(3, 1, 0, 5)
; print "undone", GetAttribute(21, 0, 6)
; call SaveSnapshot("end.bmp", 0)
.source "@fx_layers.q"
  .maxstack 8
.lineno 1
  GETGLOBAL r0 "setfillstyle"
  LOADK r1 #1
  CALL r0 2 2
.lineno 2
  GETGLOBAL r0 "createbgpic"
  LOADK r1 #1
  LOADK r2 #160
  LOADK r3 #120
  LOADK r4 #2109504
  CALL r0 5 2
.lineno 3
  GETGLOBAL r0 "displaybgpic"
  LOADK r1 #1
  CALL r0 2 2
.lineno 4
  GETGLOBAL r0 "enablelayers"
  CALL r0 1 2
.lineno 5
  GETGLOBAL r0 "createbrush"
  LOADK r1 #1
  LOADK r2 #40
  LOADK r3 #30
  LOADK r4 #65280
  CALL r0 5 2
.lineno 6
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #1
  LOADK r2 #20
  LOADK r3 #20
  CALL r0 4 2
.lineno 7
  GETGLOBAL r0 "hidelayer"
  LOADK r1 #1
  CALL r0 2 2
.lineno 8
  GETGLOBAL r0 "showlayerfx"
  LOADK r1 #1
  LOADK r2 #0
  LOADK r3 #4
  CALL r0 4 2
.lineno 9
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "shown.bmp"
  LOADK r2 #0
  CALL r0 3 2
.lineno 11
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #1
  LOADK r2 #80
  LOADK r3 #60
  CALL r0 4 2
.lineno 12
  GETGLOBAL r0 "hidelayer"
  LOADK r1 #2
  CALL r0 2 2
.lineno 13
  GETGLOBAL r0 "showlayerfx"
  LOADK r1 #2
  NEWTABLE r2 0 4
  LOADK r3 #7
  SETTABLE r2 "type" r3
  LOADK r3 #3
  SETTABLE r2 "speed" r3
  LOADK r3 #1
  SETTABLE r2 "async" r3
  CALL r0 3 2
  SETGLOBAL r0 "h"
.lineno 14
  GETGLOBAL r0 "debugprint"
  LOADK r1 "frames"
  GETGLOBAL r2 "getattribute"
  LOADK r3 #37
  GETGLOBAL r4 "h"
  LOADK r5 #11
  CALL r2 4 2
  GETGLOBAL r3 "getattribute"
  LOADK r4 #37
  GETGLOBAL r5 "h"
  LOADK r6 #12
  CALL r3 4 0
  CALL r0 0 2
.lineno 15
  GETGLOBAL r0 "debugprint"
  LOADK r1 "step"
  GETGLOBAL r2 "asyncdrawframe"
  GETGLOBAL r3 "h"
  CALL r2 2 2
  GETGLOBAL r3 "getattribute"
  LOADK r4 #37
  GETGLOBAL r5 "h"
  LOADK r6 #12
  CALL r3 4 0
  CALL r0 0 2
.lineno 16
  GETGLOBAL r0 "debugprint"
  LOADK r1 "seek"
  GETGLOBAL r2 "asyncdrawframe"
  GETGLOBAL r3 "h"
  LOADK r4 #6
  CALL r2 3 2
  GETGLOBAL r3 "getattribute"
  LOADK r4 #37
  GETGLOBAL r5 "h"
  LOADK r6 #12
  CALL r3 4 0
  CALL r0 0 2
.lineno 17
  GETGLOBAL r0 "debugprint"
  LOADK r1 "back"
  GETGLOBAL r2 "asyncdrawframe"
  GETGLOBAL r3 "h"
  LOADK r4 #2
  CALL r2 3 2
  GETGLOBAL r3 "getattribute"
  LOADK r4 #37
  GETGLOBAL r5 "h"
  LOADK r6 #12
  CALL r3 4 0
  CALL r0 0 2
.lineno 18
  GETGLOBAL r0 "debugprint"
  LOADK r1 "last"
  GETGLOBAL r2 "asyncdrawframe"
  GETGLOBAL r3 "h"
  LOADK r4 #10
  CALL r2 3 2
  GETGLOBAL r3 "getattribute"
  LOADK r4 #37
  GETGLOBAL r5 "h"
  LOADK r6 #12
  CALL r3 4 0
  CALL r0 0 2
.lineno 19
  GETGLOBAL r0 "debugprint"
  LOADK r1 "over"
  GETGLOBAL r2 "asyncdrawframe"
  GETGLOBAL r3 "h"
  CALL r2 2 0
  CALL r0 0 2
.lineno 20
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "async.bmp"
  LOADK r2 #0
  CALL r0 3 2
.lineno 21
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #1
  LOADK r2 #20
  LOADK r3 #70
  CALL r0 4 2
.lineno 22
  GETGLOBAL r0 "setlayerborder"
  LOADK r1 #3
  LOADK r2 #1
  LOADK r3 #16711680
  LOADK r4 #3
  CALL r0 5 2
.lineno 23
  GETGLOBAL r0 "hidelayer"
  LOADK r1 #3
  CALL r0 2 2
.lineno 24
  GETGLOBAL r0 "showlayerfx"
  LOADK r1 #3
  LOADK r2 #7
  LOADK r3 #5
  CALL r0 4 2
.lineno 25
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "border.bmp"
  LOADK r2 #0
  CALL r0 3 2
.lineno 26
  GETGLOBAL r0 "hidelayerfx"
  LOADK r1 #1
  LOADK r2 #0
  LOADK r3 #4
  CALL r0 4 2
.lineno 27
  GETGLOBAL r0 "removelayerfx"
  LOADK r1 #2
  NEWTABLE r2 0 4
  LOADK r3 #7
  SETTABLE r2 "type" r3
  LOADK r3 #1
  SETTABLE r2 "async" r3
  CALL r0 3 2
  SETGLOBAL r0 "h"
.lineno 28
  LOADK r0 #0
  SETGLOBAL r0 "done"
.lineno 29
  LOADK r0 #0
  SETGLOBAL r0 "n"
.lineno 30
L1:
  GETGLOBAL r0 "done"
  LOADK r1 #0
  EQ 0 r0 r1
  JMP @L2
.lineno 31
  GETGLOBAL r0 "asyncdrawframe"
  GETGLOBAL r1 "h"
  CALL r0 2 2
  SETGLOBAL r0 "done"
.lineno 32
  GETGLOBAL r0 "n"
  LOADK r1 #1
  ADD r0 r0 r1
  SETGLOBAL r0 "n"
.lineno 33
  JMP @L1
L2:
.lineno 34
  GETGLOBAL r0 "debugprint"
  LOADK r1 "removed in"
  GETGLOBAL r2 "n"
  LOADK r3 #1
  SUB r2 r2 r3
  GETGLOBAL r3 "getattribute"
  LOADK r4 #21
  LOADK r5 #0
  LOADK r6 #6
  CALL r3 4 0
  CALL r0 0 2
.lineno 35
  GETGLOBAL r0 "undofx"
  LOADK r1 #3
  LOADK r2 #1
  LOADK r3 #0
  LOADK r4 #5
  CALL r0 5 2
.lineno 36
  GETGLOBAL r0 "debugprint"
  LOADK r1 "undone"
  GETGLOBAL r2 "getattribute"
  LOADK r3 #21
  LOADK r4 #0
  LOADK r5 #6
  CALL r2 4 0
  CALL r0 0 2
.lineno 37
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "end.bmp"
  LOADK r2 #0
  CALL r0 3 2
  RETURN r0 1
