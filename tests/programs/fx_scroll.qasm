; label: fx
; SCROLL through the player: a new background picture scrolling in from the right (SCROLLRIGHT) is
; left in the display and its picture; a layer scrolls in from the left edge on a BOUNCE curve and
; ends at its own place; scrolled out at the top it ends hidden at that place; an async scroll
; sought back and forth is made again from its start; a bounce at a huge speed takes the speed as
; 4 x 32767, so that its last leg, a pixel a frame, stays bounded. Effects: 47 SCROLLLEFT, 48 SCROLLRIGHT,
; 49 SCROLLTOP; the curve 1 is BOUNCE. The .check compares the snapshots with their targets.
; call LoadBGPic(1, "a.png")
; call LoadBGPic(2, "b.png")
; call LoadBGPic(4, "a.png")
; call LoadBrush(3, "hole.png")
; call SetBrushTransparency(3, $000000)
; call DisplayBGPic(1)
; call DisplayTransitionFX(2, 48, 4)
; call SaveSnapshot("right_display.bmp", 1)
; call SaveSnapshot("right_window.bmp", 0)
; h = DisplayBrushFX(3, 8, 6, {type = 48, speed = 877186, parameter = 1, async = 1})
; print "bounce frames", GetAttribute(37, h, 11)
; call CancelAsyncDraw(h)
; call DisplayBGPic(4)
; call EnableLayers()
; call DisplayBrush(3, 8, 6)
; call HideLayer(1)
; call ShowLayerFX(1, {type = 47, speed = 4, parameter = 1})
; t = GetLayerStyle(1)
; print "shown", t.x, t.y, t.hidden
; call SaveSnapshot("left.bmp", 0)
; call HideLayerFX(1, 49, 4)
; t = GetLayerStyle(1)
; print "hidden", t.x, t.y, t.hidden
; call SaveSnapshot("top.bmp", 0)
; h = ShowLayerFX(1, {type = 47, speed = 4, async = 1})
; total = GetAttribute(37, h, 11)
; print "frames", total
; call AsyncDrawFrame(h, 5)
; t = GetLayerStyle(1)
; print "frame 5 at", t.x, t.y
; call AsyncDrawFrame(h, 2)
; t = GetLayerStyle(1)
; print "frame 2 at", t.x, t.y
; call AsyncDrawFrame(h, 5)
; t = GetLayerStyle(1)
; print "frame 5 again at", t.x, t.y
; print "last", AsyncDrawFrame(h, total)
; t = GetLayerStyle(1)
; print "ends", t.x, t.y, t.hidden
; call SaveSnapshot("async.bmp", 0)
.source "@fx_scroll.q"
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
  GETGLOBAL r0 "displaybgpic"
  LOADK r1 #1
  CALL r0 2 2
.lineno 7
  GETGLOBAL r0 "displaytransitionfx"
  LOADK r1 #2
  LOADK r2 #48
  LOADK r3 #4
  CALL r0 4 2
.lineno 8
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "right_display.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 9
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "right_window.bmp"
  LOADK r2 #0
  CALL r0 3 2
.lineno 10
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #3
  LOADK r2 #8
  LOADK r3 #6
  NEWTABLE r4 0 4
  LOADK r5 #48
  SETTABLE r4 "type" r5
  LOADK r5 #877186
  SETTABLE r4 "speed" r5
  LOADK r5 #1
  SETTABLE r4 "parameter" r5
  LOADK r5 #1
  SETTABLE r4 "async" r5
  CALL r0 5 2
  SETGLOBAL r0 "h"
.lineno 11
  GETGLOBAL r0 "debugprint"
  LOADK r1 "bounce frames"
  GETGLOBAL r2 "getattribute"
  LOADK r3 #37
  GETGLOBAL r4 "h"
  LOADK r5 #11
  CALL r2 4 0
  CALL r0 0 2
.lineno 12
  GETGLOBAL r0 "cancelasyncdraw"
  GETGLOBAL r1 "h"
  CALL r0 2 2
.lineno 13
  GETGLOBAL r0 "displaybgpic"
  LOADK r1 #4
  CALL r0 2 2
.lineno 14
  GETGLOBAL r0 "enablelayers"
  CALL r0 1 2
.lineno 15
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #3
  LOADK r2 #8
  LOADK r3 #6
  CALL r0 4 2
.lineno 16
  GETGLOBAL r0 "hidelayer"
  LOADK r1 #1
  CALL r0 2 2
.lineno 17
  GETGLOBAL r0 "showlayerfx"
  LOADK r1 #1
  NEWTABLE r2 0 4
  LOADK r3 #47
  SETTABLE r2 "type" r3
  LOADK r3 #4
  SETTABLE r2 "speed" r3
  LOADK r3 #1
  SETTABLE r2 "parameter" r3
  CALL r0 3 2
.lineno 18
  GETGLOBAL r0 "getlayerstyle"
  LOADK r1 #1
  CALL r0 2 2
  SETGLOBAL r0 "t"
.lineno 19
  GETGLOBAL r0 "debugprint"
  LOADK r1 "shown"
  GETGLOBAL r2 "t"
  GETTABLE r2 r2 "x"
  GETGLOBAL r3 "t"
  GETTABLE r3 r3 "y"
  GETGLOBAL r4 "t"
  GETTABLE r4 r4 "hidden"
  CALL r0 5 2
.lineno 20
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "left.bmp"
  LOADK r2 #0
  CALL r0 3 2
.lineno 21
  GETGLOBAL r0 "hidelayerfx"
  LOADK r1 #1
  LOADK r2 #49
  LOADK r3 #4
  CALL r0 4 2
.lineno 22
  GETGLOBAL r0 "getlayerstyle"
  LOADK r1 #1
  CALL r0 2 2
  SETGLOBAL r0 "t"
.lineno 23
  GETGLOBAL r0 "debugprint"
  LOADK r1 "hidden"
  GETGLOBAL r2 "t"
  GETTABLE r2 r2 "x"
  GETGLOBAL r3 "t"
  GETTABLE r3 r3 "y"
  GETGLOBAL r4 "t"
  GETTABLE r4 r4 "hidden"
  CALL r0 5 2
.lineno 24
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "top.bmp"
  LOADK r2 #0
  CALL r0 3 2
.lineno 25
  GETGLOBAL r0 "showlayerfx"
  LOADK r1 #1
  NEWTABLE r2 0 4
  LOADK r3 #47
  SETTABLE r2 "type" r3
  LOADK r3 #4
  SETTABLE r2 "speed" r3
  LOADK r3 #1
  SETTABLE r2 "async" r3
  CALL r0 3 2
  SETGLOBAL r0 "h"
.lineno 26
  GETGLOBAL r0 "getattribute"
  LOADK r1 #37
  GETGLOBAL r2 "h"
  LOADK r3 #11
  CALL r0 4 2
  SETGLOBAL r0 "total"
.lineno 27
  GETGLOBAL r0 "debugprint"
  LOADK r1 "frames"
  GETGLOBAL r2 "total"
  CALL r0 3 2
.lineno 28
  GETGLOBAL r0 "asyncdrawframe"
  GETGLOBAL r1 "h"
  LOADK r2 #5
  CALL r0 3 2
.lineno 29
  GETGLOBAL r0 "getlayerstyle"
  LOADK r1 #1
  CALL r0 2 2
  SETGLOBAL r0 "t"
.lineno 30
  GETGLOBAL r0 "debugprint"
  LOADK r1 "frame 5 at"
  GETGLOBAL r2 "t"
  GETTABLE r2 r2 "x"
  GETGLOBAL r3 "t"
  GETTABLE r3 r3 "y"
  CALL r0 4 2
.lineno 31
  GETGLOBAL r0 "asyncdrawframe"
  GETGLOBAL r1 "h"
  LOADK r2 #2
  CALL r0 3 2
.lineno 32
  GETGLOBAL r0 "getlayerstyle"
  LOADK r1 #1
  CALL r0 2 2
  SETGLOBAL r0 "t"
.lineno 33
  GETGLOBAL r0 "debugprint"
  LOADK r1 "frame 2 at"
  GETGLOBAL r2 "t"
  GETTABLE r2 r2 "x"
  GETGLOBAL r3 "t"
  GETTABLE r3 r3 "y"
  CALL r0 4 2
.lineno 34
  GETGLOBAL r0 "asyncdrawframe"
  GETGLOBAL r1 "h"
  LOADK r2 #5
  CALL r0 3 2
.lineno 35
  GETGLOBAL r0 "getlayerstyle"
  LOADK r1 #1
  CALL r0 2 2
  SETGLOBAL r0 "t"
.lineno 36
  GETGLOBAL r0 "debugprint"
  LOADK r1 "frame 5 again at"
  GETGLOBAL r2 "t"
  GETTABLE r2 r2 "x"
  GETGLOBAL r3 "t"
  GETTABLE r3 r3 "y"
  CALL r0 4 2
.lineno 37
  GETGLOBAL r0 "debugprint"
  LOADK r1 "last"
  GETGLOBAL r2 "asyncdrawframe"
  GETGLOBAL r3 "h"
  GETGLOBAL r4 "total"
  CALL r2 3 0
  CALL r0 0 2
.lineno 38
  GETGLOBAL r0 "getlayerstyle"
  LOADK r1 #1
  CALL r0 2 2
  SETGLOBAL r0 "t"
.lineno 39
  GETGLOBAL r0 "debugprint"
  LOADK r1 "ends"
  GETGLOBAL r2 "t"
  GETTABLE r2 r2 "x"
  GETGLOBAL r3 "t"
  GETTABLE r3 r3 "y"
  GETGLOBAL r4 "t"
  GETTABLE r4 r4 "hidden"
  CALL r0 5 2
.lineno 40
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "async.bmp"
  LOADK r2 #0
  CALL r0 3 2
  RETURN r0 1
