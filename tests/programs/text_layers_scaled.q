; label: text.layers
; A display that scales its layers (-LAYERSCALE at twice the size) renders a text layer again at
; that scale: the window shows the text at 32 pixels drawn as such, not the 16-pixel text's
; pixels enlarged (text_layers_scaled.check). A bitmap font cannot scale and is enlarged.
call EnableLayers()
call SetFont(":::default_sans", 16)
call TextOut(10, 10, "Scaled text Wg")
call SetFont(":::default_bitmap", 8)
call TextOut(10, 100, "quill")
print GetAttribute(22, 1, 0), GetAttribute(22, 1, 1), GetAttribute(22, 2, 0), GetAttribute(22, 2, 1)
call SaveSnapshot("window.bmp", 0)
