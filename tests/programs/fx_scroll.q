; label: fx
; SCROLL through the player: a new background picture scrolling in from the right (SCROLLRIGHT) is
; left in the display and its picture; a layer scrolls in from the left edge on a BOUNCE curve and
; ends at its own place; scrolled out at the top it ends hidden at that place; an async scroll
; sought back and forth is made again from its start; a bounce at a huge speed takes the speed as
; 4 x 32767, so that its last leg, a pixel a frame, stays bounded. Effects: 47 SCROLLLEFT, 48 SCROLLRIGHT,
; 49 SCROLLTOP; the curve 1 is BOUNCE. The .check compares the snapshots with their targets.
call LoadBGPic(1, "a.png")
call LoadBGPic(2, "b.png")
call LoadBGPic(4, "a.png")
call LoadBrush(3, "hole.png")
call SetBrushTransparency(3, $000000)
call DisplayBGPic(1)
call DisplayTransitionFX(2, 48, 4)
call SaveSnapshot("right_display.bmp", 1)
call SaveSnapshot("right_window.bmp", 0)
h = DisplayBrushFX(3, 8, 6, {type = 48, speed = 877186, parameter = 1, async = 1})
print "bounce frames", GetAttribute(37, h, 11)
call CancelAsyncDraw(h)
call DisplayBGPic(4)
call EnableLayers()
call DisplayBrush(3, 8, 6)
call HideLayer(1)
call ShowLayerFX(1, {type = 47, speed = 4, parameter = 1})
t = GetLayerStyle(1)
print "shown", t.x, t.y, t.hidden
call SaveSnapshot("left.bmp", 0)
call HideLayerFX(1, 49, 4)
t = GetLayerStyle(1)
print "hidden", t.x, t.y, t.hidden
call SaveSnapshot("top.bmp", 0)
h = ShowLayerFX(1, {type = 47, speed = 4, async = 1})
total = GetAttribute(37, h, 11)
print "frames", total
call AsyncDrawFrame(h, 5)
t = GetLayerStyle(1)
print "frame 5 at", t.x, t.y
call AsyncDrawFrame(h, 2)
t = GetLayerStyle(1)
print "frame 2 at", t.x, t.y
call AsyncDrawFrame(h, 5)
t = GetLayerStyle(1)
print "frame 5 again at", t.x, t.y
print "last", AsyncDrawFrame(h, total)
t = GetLayerStyle(1)
print "ends", t.x, t.y, t.hidden
call SaveSnapshot("async.bmp", 0)
