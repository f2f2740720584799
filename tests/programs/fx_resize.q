; label: fx
; The user resizes the window (input script line "size") during long synchronous effects: a layer
; effect runs again from the start with the layer put back first, and ends with the layer whole on
; the resized display; a picture's effect only stops, and the program goes on.
call SetFillStyle(1)
call CreateBrush(1, 200, 100, $00FF00)
call EnableLayers()
call DisplayBrush(1, 10, 10)
call HideLayer(1)
call ShowLayerFX(1, 0, 1)
print "layers", GetAttribute(21, 0, 6)
call SaveSnapshot("layer.bmp", 0)
call CreateBGPic(2, 320, 240, $FF0000)
call DisableLayers()
call DisplayTransitionFX(2, 7, 1)
print "after the picture"
