; label: fx
; The moving and scaling transitions through the player, each id four ways: a new background
; picture, a masked brush at (-10, -7) with layers off, and a layer shown and hidden (the hide async,
; its frame total printed beside the frames drawn before it answers done); the two-picture ids also
; on a layer that stands for a background picture. The .check compares every final snapshot with
; its target.
call LoadBGPic(1, "a.png")
call LoadBGPic(2, "b.png")
call LoadBGPic(4, "a.png")
call LoadBrush(3, "hole.png")
call SetBrushTransparency(3, $000000)
function pictures(id)
call DisplayBGPic(1)
call DisplayTransitionFX(2, id, 4)
call SaveSnapshot("p" .. id .. ".bmp", 0)
call DisplayBGPic(1)
call DisplayBrushFX(3, -10, -7, id, 4)
call SaveSnapshot("b" .. id .. ".bmp", 0)
end
function layers(id)
call ShowLayerFX(1, id, 4)
call SaveSnapshot("s" .. id .. ".bmp", 0)
h = HideLayerFX(1, {type = id, speed = 4, async = 1})
total = GetAttribute(37, h, 11)
n = 0
done = 0
while done == 0 do
done = AsyncDrawFrame(h)
n = n + 1
end
print id, total, n - 1
call SaveSnapshot("h" .. id .. ".bmp", 0)
end
function emulated(id)
call ShowLayerFX(1, {type = id, speed = 4, bgpicemu = 1, bgpic = 2})
call SaveSnapshot("e" .. id .. ".bmp", 0)
call HideLayer(1)
end
function twopictures(f)
for id = 74, 81 do
call f(id)
end
for id = 101, 104 do
call f(id)
end
for id = 111, 112 do
call f(id)
end
for id = 118, 119 do
call f(id)
end
for id = 128, 131 do
call f(id)
end
end
function each(f)
for id = 47, 73 do
call f(id)
end
for id = 99, 100 do
call f(id)
end
for id = 105, 106 do
call f(id)
end
call twopictures(f)
end
call each(pictures)
call DisplayBGPic(4)
call EnableLayers()
call DisplayBrush(3, 8, 6)
call HideLayer(1)
call each(layers)
call twopictures(emulated)
print "done"
