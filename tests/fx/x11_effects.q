; A stripe effect and a layer effect in a real window, each stepped to its last frame and paced
; with VWait: the test compares what the X server shows with SNAPWINDOW and SNAPDISPLAY before the
; effect ends (the end refreshes the whole rectangle), so every band must have been presented.
; Between them BARS, stopped while its thin columns grow down the whole height.
call SetDisplayAttributes({title = "Quillmere FX"})
call SetFillStyle(1)
call CreateBGPic(2, 320, 200, $2040A0)
call DisplayBGPic(2)
call CreateBrush(1, 120, 80, $FF0000)
call SelectBrush(1)
call Box(20, 20, 40, 20, $FFFF00)
call EndSelect()
h = DisplayBrushFX(1, 30, 20, {type = 0, speed = 3, parameter = 5, async = 1})
while GetAttribute(37, h, 12) < GetAttribute(37, h, 11) do
call AsyncDrawFrame(h)
call VWait()
end
call SaveSnapshot("one_display.bmp", 1)
call SaveSnapshot("one.bmp", 0)
while Exists("go_one") == 0 do
call VWait()
end
call AsyncDrawFrame(h)
h = DisplayBrushFX(1, 150, 100, {type = 28, async = 1})
call AsyncDrawFrame(h)
call VWait()
call AsyncDrawFrame(h)
call VWait()
call SaveSnapshot("bars_display.bmp", 1)
call SaveSnapshot("bars.bmp", 0)
while Exists("go_bars") == 0 do
call VWait()
end
call CancelAsyncDraw(h)
call CreateBGPic(3, 320, 200, $206040)
call DisplayBGPic(3)
call EnableLayers()
call DisplayBrush(1, 160, 100)
call HideLayer(1)
h = ShowLayerFX(1, {type = 7, speed = 2, parameter = 6, async = 1})
while GetAttribute(37, h, 12) < GetAttribute(37, h, 11) do
call AsyncDrawFrame(h)
call VWait()
end
call SaveSnapshot("two_display.bmp", 1)
call SaveSnapshot("two.bmp", 0)
while Exists("go_two") == 0 do
call VWait()
end
