; label: fx
; Layers shown, hidden and removed with transitions through the player, sync and async: the frame
; count attribute (11) and the current frame (12) of an async effect, steps and seeks with
; AsyncDrawFrame, a bordered layer whose border is whole once its effect is over, and UndoFX.
; The .check compares the window after each with the target.
call SetFillStyle(1)
call CreateBGPic(1, 160, 120, $203040)
call DisplayBGPic(1)
call EnableLayers()
call CreateBrush(1, 40, 30, $00FF00)
call DisplayBrush(1, 20, 20)
call HideLayer(1)
call ShowLayerFX(1, 0, 4)
call SaveSnapshot("shown.bmp", 0)
-- VSTRIPES over 30 rows at 3 a frame: 10 frames.
call DisplayBrush(1, 80, 60)
call HideLayer(2)
h = ShowLayerFX(2, {type = 7, speed = 3, async = 1})
print "frames", GetAttribute(37, h, 11), GetAttribute(37, h, 12)
print "step", AsyncDrawFrame(h), GetAttribute(37, h, 12)
print "seek", AsyncDrawFrame(h, 6), GetAttribute(37, h, 12)
print "back", AsyncDrawFrame(h, 2), GetAttribute(37, h, 12)
print "last", AsyncDrawFrame(h, 10), GetAttribute(37, h, 12)
print "over", AsyncDrawFrame(h)
call SaveSnapshot("async.bmp", 0)
call DisplayBrush(1, 20, 70)
call SetLayerBorder(3, 1, $FF0000, 3)
call HideLayer(3)
call ShowLayerFX(3, 7, 5)
call SaveSnapshot("border.bmp", 0)
call HideLayerFX(1, 0, 4)
h = RemoveLayerFX(2, {type = 7, async = 1})
done = 0
n = 0
while done == 0 do
done = AsyncDrawFrame(h)
n = n + 1
end
print "removed in", n - 1, GetAttribute(21, 0, 6)
call UndoFX(3, 1, 0, 5)
print "undone", GetAttribute(21, 0, 6)
call SaveSnapshot("end.bmp", 0)
