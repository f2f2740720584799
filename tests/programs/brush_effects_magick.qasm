; label: display.brush
; The brush effects on a photo, each saved for ImageMagick to judge (brush_effects_magick.check).
; ExitOnError(false)
; LoadBrush(1, "photo.jpg"); SaveBrush(1, "source.bmp")
; CopyBrush(1, 2); BlurBrush(2, 3); SaveBrush(2, "blur.bmp")
; CopyBrush(1, 3); SharpenBrush(3, 2); SaveBrush(3, "sharpen.bmp")
; CopyBrush(1, 4); EdgeBrush(4, 1); SaveBrush(4, "edge.bmp")
; CopyBrush(1, 5); SolarizeBrush(5, 128); SaveBrush(5, "solarize.bmp")
; CopyBrush(1, 6); GammaBrush(6, 1.6, 1, 0.7); SaveBrush(6, "gamma.bmp")
; CopyBrush(1, 7); ContrastBrush(7, true, 2); SaveBrush(7, "contrast.bmp")
; CopyBrush(1, 8); ModulateBrush(8, 1.1, 0.8, 1.2); SaveBrush(8, "modulate.bmp")
; CopyBrush(1, 9); SepiaToneBrush(9, 204); SaveBrush(9, "sepia.bmp")
; CopyBrush(1, 10); CharcoalBrush(10, 1); SaveBrush(10, "charcoal.bmp")
; CopyBrush(1, 11); SwirlBrush(11, 90); SaveBrush(11, "swirl.bmp")
; CopyBrush(1, 12); OilPaintBrush(12, 2); SaveBrush(12, "oilpaint.bmp")
; DebugPrint("done", GetLastError())
.source "@brush_effects_magick.qasm"
.maxstack 6
.lineno 1
  GETGLOBAL r0 "exitonerror"
  LOADBOOL r1 0 0
  CALL r0 2 1
.lineno 2
  GETGLOBAL r0 "loadbrush"
  LOADK r1 #1
  LOADK r2 "photo.jpg"
  CALL r0 3 1
  GETGLOBAL r0 "savebrush"
  LOADK r1 #1
  LOADK r2 "source.bmp"
  CALL r0 3 1
.lineno 3
  GETGLOBAL r0 "copybrush"
  LOADK r1 #1
  LOADK r2 #2
  CALL r0 3 1
  GETGLOBAL r0 "blurbrush"
  LOADK r1 #2
  LOADK r2 #3
  CALL r0 3 1
  GETGLOBAL r0 "savebrush"
  LOADK r1 #2
  LOADK r2 "blur.bmp"
  CALL r0 3 1
.lineno 4
  GETGLOBAL r0 "copybrush"
  LOADK r1 #1
  LOADK r2 #3
  CALL r0 3 1
  GETGLOBAL r0 "sharpenbrush"
  LOADK r1 #3
  LOADK r2 #2
  CALL r0 3 1
  GETGLOBAL r0 "savebrush"
  LOADK r1 #3
  LOADK r2 "sharpen.bmp"
  CALL r0 3 1
.lineno 5
  GETGLOBAL r0 "copybrush"
  LOADK r1 #1
  LOADK r2 #4
  CALL r0 3 1
  GETGLOBAL r0 "edgebrush"
  LOADK r1 #4
  LOADK r2 #1
  CALL r0 3 1
  GETGLOBAL r0 "savebrush"
  LOADK r1 #4
  LOADK r2 "edge.bmp"
  CALL r0 3 1
.lineno 6
  GETGLOBAL r0 "copybrush"
  LOADK r1 #1
  LOADK r2 #5
  CALL r0 3 1
  GETGLOBAL r0 "solarizebrush"
  LOADK r1 #5
  LOADK r2 #128
  CALL r0 3 1
  GETGLOBAL r0 "savebrush"
  LOADK r1 #5
  LOADK r2 "solarize.bmp"
  CALL r0 3 1
.lineno 7
  GETGLOBAL r0 "copybrush"
  LOADK r1 #1
  LOADK r2 #6
  CALL r0 3 1
  GETGLOBAL r0 "gammabrush"
  LOADK r1 #6
  LOADK r2 #1.6
  LOADK r3 #1
  LOADK r4 #0.7
  CALL r0 5 1
  GETGLOBAL r0 "savebrush"
  LOADK r1 #6
  LOADK r2 "gamma.bmp"
  CALL r0 3 1
.lineno 8
  GETGLOBAL r0 "copybrush"
  LOADK r1 #1
  LOADK r2 #7
  CALL r0 3 1
  GETGLOBAL r0 "contrastbrush"
  LOADK r1 #7
  LOADBOOL r2 1 0
  LOADK r3 #2
  CALL r0 4 1
  GETGLOBAL r0 "savebrush"
  LOADK r1 #7
  LOADK r2 "contrast.bmp"
  CALL r0 3 1
.lineno 9
  GETGLOBAL r0 "copybrush"
  LOADK r1 #1
  LOADK r2 #8
  CALL r0 3 1
  GETGLOBAL r0 "modulatebrush"
  LOADK r1 #8
  LOADK r2 #1.1
  LOADK r3 #0.8
  LOADK r4 #1.2
  CALL r0 5 1
  GETGLOBAL r0 "savebrush"
  LOADK r1 #8
  LOADK r2 "modulate.bmp"
  CALL r0 3 1
.lineno 10
  GETGLOBAL r0 "copybrush"
  LOADK r1 #1
  LOADK r2 #9
  CALL r0 3 1
  GETGLOBAL r0 "sepiatonebrush"
  LOADK r1 #9
  LOADK r2 #204
  CALL r0 3 1
  GETGLOBAL r0 "savebrush"
  LOADK r1 #9
  LOADK r2 "sepia.bmp"
  CALL r0 3 1
.lineno 11
  GETGLOBAL r0 "copybrush"
  LOADK r1 #1
  LOADK r2 #10
  CALL r0 3 1
  GETGLOBAL r0 "charcoalbrush"
  LOADK r1 #10
  LOADK r2 #1
  CALL r0 3 1
  GETGLOBAL r0 "savebrush"
  LOADK r1 #10
  LOADK r2 "charcoal.bmp"
  CALL r0 3 1
.lineno 12
  GETGLOBAL r0 "copybrush"
  LOADK r1 #1
  LOADK r2 #11
  CALL r0 3 1
  GETGLOBAL r0 "swirlbrush"
  LOADK r1 #11
  LOADK r2 #90
  CALL r0 3 1
  GETGLOBAL r0 "savebrush"
  LOADK r1 #11
  LOADK r2 "swirl.bmp"
  CALL r0 3 1
.lineno 13
  GETGLOBAL r0 "copybrush"
  LOADK r1 #1
  LOADK r2 #12
  CALL r0 3 1
  GETGLOBAL r0 "oilpaintbrush"
  LOADK r1 #12
  LOADK r2 #2
  CALL r0 3 1
  GETGLOBAL r0 "savebrush"
  LOADK r1 #12
  LOADK r2 "oilpaint.bmp"
  CALL r0 3 1
.lineno 14
  GETGLOBAL r0 "debugprint"
  LOADK r1 "done"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 2
  CALL r0 3 1
  RETURN r0 1
