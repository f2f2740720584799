; label: text.layers
; A display that scales its layers (-LAYERSCALE at twice the size) renders a text layer again at
; that scale: the window shows the text at 32 pixels drawn as such, not the 16-pixel text's
; pixels enlarged (text_layers_scaled.check). A bitmap font cannot scale and is enlarged.
; call EnableLayers()
; call SetFont(":::default_sans", 16)
; call TextOut(10, 10, "Scaled text Wg")
; call SetFont(":::default_bitmap", 8)
; call TextOut(10, 100, "quill")
; print GetAttribute(22, 1, 0), GetAttribute(22, 1, 1), GetAttribute(22, 2, 0), GetAttribute(22, 2, 1)
; call SaveSnapshot("window.bmp", 0)
.source "@text_layers_scaled.q"
  .maxstack 9
.lineno 1
  GETGLOBAL r0 "enablelayers"
  CALL r0 1 2
.lineno 2
  GETGLOBAL r0 "setfont"
  LOADK r1 ":::default_sans"
  LOADK r2 #16
  CALL r0 3 2
.lineno 3
  GETGLOBAL r0 "textout"
  LOADK r1 #10
  LOADK r2 #10
  LOADK r3 "Scaled text Wg"
  CALL r0 4 2
.lineno 4
  GETGLOBAL r0 "setfont"
  LOADK r1 ":::default_bitmap"
  LOADK r2 #8
  CALL r0 3 2
.lineno 5
  GETGLOBAL r0 "textout"
  LOADK r1 #10
  LOADK r2 #100
  LOADK r3 "quill"
  CALL r0 4 2
.lineno 6
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getattribute"
  LOADK r2 #22
  LOADK r3 #1
  LOADK r4 #0
  CALL r1 4 2
  GETGLOBAL r2 "getattribute"
  LOADK r3 #22
  LOADK r4 #1
  LOADK r5 #1
  CALL r2 4 2
  GETGLOBAL r3 "getattribute"
  LOADK r4 #22
  LOADK r5 #2
  LOADK r6 #0
  CALL r3 4 2
  GETGLOBAL r4 "getattribute"
  LOADK r5 #22
  LOADK r6 #2
  LOADK r7 #1
  CALL r4 4 0
  CALL r0 0 2
.lineno 7
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "window.bmp"
  LOADK r2 #0
  CALL r0 3 2
  RETURN r0 1
