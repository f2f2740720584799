; label: display.brush
; ExitOnError(false)
; CreateGradientBrush(1, 16, 16, 2, 0xFF2000, 0x1040FF); BlurBrush(1, 2); SaveBrush(1, "blur.bmp"); DebugPrint("blur", GetLastError(), GetAttribute(3, 1, 0), GetAttribute(3, 1, 1))
; CreateGradientBrush(2, 16, 16, 2, 0xFF2000, 0x1040FF); EmbossBrush(2, 1); SaveBrush(2, "emboss.bmp"); DebugPrint("emboss", GetLastError(), GetAttribute(3, 2, 0), GetAttribute(3, 2, 1))
; CreateGradientBrush(3, 16, 16, 2, 0xFF2000, 0x1040FF); EdgeBrush(3, 1); SaveBrush(3, "edge.bmp"); DebugPrint("edge", GetLastError(), GetAttribute(3, 3, 0), GetAttribute(3, 3, 1))
; CreateGradientBrush(4, 16, 16, 2, 0xFF2000, 0x1040FF); SharpenBrush(4, 1); SaveBrush(4, "sharpen.bmp"); DebugPrint("sharpen", GetLastError(), GetAttribute(3, 4, 0), GetAttribute(3, 4, 1))
; CreateGradientBrush(5, 16, 16, 2, 0xFF2000, 0x1040FF); SolarizeBrush(5, 128); SaveBrush(5, "solarize.bmp"); DebugPrint("solarize", GetLastError(), GetAttribute(3, 5, 0), GetAttribute(3, 5, 1))
; CreateGradientBrush(6, 16, 16, 2, 0xFF2000, 0x1040FF); GammaBrush(6, 1, 2, 0.5); SaveBrush(6, "gamma.bmp"); DebugPrint("gamma", GetLastError(), GetAttribute(3, 6, 0), GetAttribute(3, 6, 1))
; CreateGradientBrush(7, 16, 16, 2, 0xFF2000, 0x1040FF); ContrastBrush(7, true, 2); SaveBrush(7, "contrast.bmp"); DebugPrint("contrast", GetLastError(), GetAttribute(3, 7, 0), GetAttribute(3, 7, 1))
; CreateGradientBrush(8, 16, 16, 2, 0xFF2000, 0x1040FF); ModulateBrush(8, 1.2, 0.5, 1.1); SaveBrush(8, "modulate.bmp"); DebugPrint("modulate", GetLastError(), GetAttribute(3, 8, 0), GetAttribute(3, 8, 1))
; CreateGradientBrush(9, 16, 16, 2, 0xFF2000, 0x1040FF); SepiaToneBrush(9, 128); SaveBrush(9, "sepia.bmp"); DebugPrint("sepia", GetLastError(), GetAttribute(3, 9, 0), GetAttribute(3, 9, 1))
; CreateGradientBrush(10, 16, 16, 2, 0xFF2000, 0x1040FF); CharcoalBrush(10, 1); SaveBrush(10, "charcoal.bmp"); DebugPrint("charcoal", GetLastError(), GetAttribute(3, 10, 0), GetAttribute(3, 10, 1))
; CreateGradientBrush(11, 16, 16, 2, 0xFF2000, 0x1040FF); SwirlBrush(11, 90); SaveBrush(11, "swirl.bmp"); DebugPrint("swirl", GetLastError(), GetAttribute(3, 11, 0), GetAttribute(3, 11, 1))
; CreateGradientBrush(12, 16, 16, 2, 0xFF2000, 0x1040FF); PixelateBrush(12, 4); SaveBrush(12, "pixelate.bmp"); DebugPrint("pixelate", GetLastError(), GetAttribute(3, 12, 0), GetAttribute(3, 12, 1))
; CreateGradientBrush(13, 16, 16, 2, 0xFF2000, 0x1040FF); BrushToMonochrome(13); SaveBrush(13, "monochrome.bmp"); DebugPrint("monochrome", GetLastError(), GetAttribute(3, 13, 0), GetAttribute(3, 13, 1))
; CreateGradientBrush(14, 16, 16, 2, 0xFF2000, 0x1040FF); WaterRippleBrush(14, 8, 2); SaveBrush(14, "ripple.bmp"); DebugPrint("ripple", GetLastError(), GetAttribute(3, 14, 0), GetAttribute(3, 14, 1))
; CreateGradientBrush(15, 16, 16, 2, 0xFF2000, 0x1040FF); OilPaintBrush(15, 2); SaveBrush(15, "oilpaint.bmp"); DebugPrint("oilpaint", GetLastError(), GetAttribute(3, 15, 0), GetAttribute(3, 15, 1))
; CreateGradientBrush(16, 16, 16, 2, 0xFF2000, 0x1040FF); RotateBrush(16, 30, 1, 1, true); SaveBrush(16, "rotate.bmp"); DebugPrint("rotate", GetLastError(), GetAttribute(3, 16, 0), GetAttribute(3, 16, 1))
; CreateGradientBrush(17, 16, 16, 2, 0xFF2000, 0x1040FF); TransformBrush(17, 1, 0.5, 0, 1); SaveBrush(17, "transform.bmp"); DebugPrint("transform", GetLastError(), GetAttribute(3, 17, 0), GetAttribute(3, 17, 1))
; CreateGradientBrush(18, 16, 16, 2, 0xFF2000, 0x1040FF); ArcDistortBrush(18, 60); SaveBrush(18, "arc.bmp"); DebugPrint("arc", GetLastError(), GetAttribute(3, 18, 0), GetAttribute(3, 18, 1))
; CreateGradientBrush(19, 16, 16, 2, 0xFF2000, 0x1040FF); PolarDistortBrush(19); SaveBrush(19, "polar.bmp"); DebugPrint("polar", GetLastError(), GetAttribute(3, 19, 0), GetAttribute(3, 19, 1))
; CreateGradientBrush(20, 16, 16, 2, 0xFF2000, 0x1040FF); BarrelDistortBrush(20, 0.1, 0.1, 0.1); SaveBrush(20, "barrel.bmp"); DebugPrint("barrel", GetLastError(), GetAttribute(3, 20, 0), GetAttribute(3, 20, 1))
; CreateGradientBrush(21, 16, 16, 2, 0xFF2000, 0x1040FF); PerspectiveDistortBrush(21, 0, 0, 16, 2, 14, 16, 2, 14); SaveBrush(21, "perspective.bmp"); DebugPrint("perspective", GetLastError(), GetAttribute(3, 21, 0), GetAttribute(3, 21, 1))
.source "@brush_effect_images.qasm"
.maxstack 14
.lineno 1
  GETGLOBAL r0 "exitonerror"
  LOADBOOL r1 0 0
  CALL r0 2 1
.lineno 2
  GETGLOBAL r0 "creategradientbrush"
  LOADK r1 #1
  LOADK r2 #16
  LOADK r3 #16
  LOADK r4 #2
  LOADK r5 #16719872
  LOADK r6 #1065215
  CALL r0 7 1
  GETGLOBAL r0 "blurbrush"
  LOADK r1 #1
  LOADK r2 #2
  CALL r0 3 1
  GETGLOBAL r0 "savebrush"
  LOADK r1 #1
  LOADK r2 "blur.bmp"
  CALL r0 3 1
  GETGLOBAL r0 "debugprint"
  LOADK r1 "blur"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 2
  GETGLOBAL r3 "getattribute"
  LOADK r4 #3
  LOADK r5 #1
  LOADK r6 #0
  CALL r3 4 2
  GETGLOBAL r4 "getattribute"
  LOADK r5 #3
  LOADK r6 #1
  LOADK r7 #1
  CALL r4 4 2
  CALL r0 5 1
.lineno 3
  GETGLOBAL r0 "creategradientbrush"
  LOADK r1 #2
  LOADK r2 #16
  LOADK r3 #16
  LOADK r4 #2
  LOADK r5 #16719872
  LOADK r6 #1065215
  CALL r0 7 1
  GETGLOBAL r0 "embossbrush"
  LOADK r1 #2
  LOADK r2 #1
  CALL r0 3 1
  GETGLOBAL r0 "savebrush"
  LOADK r1 #2
  LOADK r2 "emboss.bmp"
  CALL r0 3 1
  GETGLOBAL r0 "debugprint"
  LOADK r1 "emboss"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 2
  GETGLOBAL r3 "getattribute"
  LOADK r4 #3
  LOADK r5 #2
  LOADK r6 #0
  CALL r3 4 2
  GETGLOBAL r4 "getattribute"
  LOADK r5 #3
  LOADK r6 #2
  LOADK r7 #1
  CALL r4 4 2
  CALL r0 5 1
.lineno 4
  GETGLOBAL r0 "creategradientbrush"
  LOADK r1 #3
  LOADK r2 #16
  LOADK r3 #16
  LOADK r4 #2
  LOADK r5 #16719872
  LOADK r6 #1065215
  CALL r0 7 1
  GETGLOBAL r0 "edgebrush"
  LOADK r1 #3
  LOADK r2 #1
  CALL r0 3 1
  GETGLOBAL r0 "savebrush"
  LOADK r1 #3
  LOADK r2 "edge.bmp"
  CALL r0 3 1
  GETGLOBAL r0 "debugprint"
  LOADK r1 "edge"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 2
  GETGLOBAL r3 "getattribute"
  LOADK r4 #3
  LOADK r5 #3
  LOADK r6 #0
  CALL r3 4 2
  GETGLOBAL r4 "getattribute"
  LOADK r5 #3
  LOADK r6 #3
  LOADK r7 #1
  CALL r4 4 2
  CALL r0 5 1
.lineno 5
  GETGLOBAL r0 "creategradientbrush"
  LOADK r1 #4
  LOADK r2 #16
  LOADK r3 #16
  LOADK r4 #2
  LOADK r5 #16719872
  LOADK r6 #1065215
  CALL r0 7 1
  GETGLOBAL r0 "sharpenbrush"
  LOADK r1 #4
  LOADK r2 #1
  CALL r0 3 1
  GETGLOBAL r0 "savebrush"
  LOADK r1 #4
  LOADK r2 "sharpen.bmp"
  CALL r0 3 1
  GETGLOBAL r0 "debugprint"
  LOADK r1 "sharpen"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 2
  GETGLOBAL r3 "getattribute"
  LOADK r4 #3
  LOADK r5 #4
  LOADK r6 #0
  CALL r3 4 2
  GETGLOBAL r4 "getattribute"
  LOADK r5 #3
  LOADK r6 #4
  LOADK r7 #1
  CALL r4 4 2
  CALL r0 5 1
.lineno 6
  GETGLOBAL r0 "creategradientbrush"
  LOADK r1 #5
  LOADK r2 #16
  LOADK r3 #16
  LOADK r4 #2
  LOADK r5 #16719872
  LOADK r6 #1065215
  CALL r0 7 1
  GETGLOBAL r0 "solarizebrush"
  LOADK r1 #5
  LOADK r2 #128
  CALL r0 3 1
  GETGLOBAL r0 "savebrush"
  LOADK r1 #5
  LOADK r2 "solarize.bmp"
  CALL r0 3 1
  GETGLOBAL r0 "debugprint"
  LOADK r1 "solarize"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 2
  GETGLOBAL r3 "getattribute"
  LOADK r4 #3
  LOADK r5 #5
  LOADK r6 #0
  CALL r3 4 2
  GETGLOBAL r4 "getattribute"
  LOADK r5 #3
  LOADK r6 #5
  LOADK r7 #1
  CALL r4 4 2
  CALL r0 5 1
.lineno 7
  GETGLOBAL r0 "creategradientbrush"
  LOADK r1 #6
  LOADK r2 #16
  LOADK r3 #16
  LOADK r4 #2
  LOADK r5 #16719872
  LOADK r6 #1065215
  CALL r0 7 1
  GETGLOBAL r0 "gammabrush"
  LOADK r1 #6
  LOADK r2 #1
  LOADK r3 #2
  LOADK r4 #0.5
  CALL r0 5 1
  GETGLOBAL r0 "savebrush"
  LOADK r1 #6
  LOADK r2 "gamma.bmp"
  CALL r0 3 1
  GETGLOBAL r0 "debugprint"
  LOADK r1 "gamma"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 2
  GETGLOBAL r3 "getattribute"
  LOADK r4 #3
  LOADK r5 #6
  LOADK r6 #0
  CALL r3 4 2
  GETGLOBAL r4 "getattribute"
  LOADK r5 #3
  LOADK r6 #6
  LOADK r7 #1
  CALL r4 4 2
  CALL r0 5 1
.lineno 8
  GETGLOBAL r0 "creategradientbrush"
  LOADK r1 #7
  LOADK r2 #16
  LOADK r3 #16
  LOADK r4 #2
  LOADK r5 #16719872
  LOADK r6 #1065215
  CALL r0 7 1
  GETGLOBAL r0 "contrastbrush"
  LOADK r1 #7
  LOADBOOL r2 1 0
  LOADK r3 #2
  CALL r0 4 1
  GETGLOBAL r0 "savebrush"
  LOADK r1 #7
  LOADK r2 "contrast.bmp"
  CALL r0 3 1
  GETGLOBAL r0 "debugprint"
  LOADK r1 "contrast"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 2
  GETGLOBAL r3 "getattribute"
  LOADK r4 #3
  LOADK r5 #7
  LOADK r6 #0
  CALL r3 4 2
  GETGLOBAL r4 "getattribute"
  LOADK r5 #3
  LOADK r6 #7
  LOADK r7 #1
  CALL r4 4 2
  CALL r0 5 1
.lineno 9
  GETGLOBAL r0 "creategradientbrush"
  LOADK r1 #8
  LOADK r2 #16
  LOADK r3 #16
  LOADK r4 #2
  LOADK r5 #16719872
  LOADK r6 #1065215
  CALL r0 7 1
  GETGLOBAL r0 "modulatebrush"
  LOADK r1 #8
  LOADK r2 #1.2
  LOADK r3 #0.5
  LOADK r4 #1.1
  CALL r0 5 1
  GETGLOBAL r0 "savebrush"
  LOADK r1 #8
  LOADK r2 "modulate.bmp"
  CALL r0 3 1
  GETGLOBAL r0 "debugprint"
  LOADK r1 "modulate"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 2
  GETGLOBAL r3 "getattribute"
  LOADK r4 #3
  LOADK r5 #8
  LOADK r6 #0
  CALL r3 4 2
  GETGLOBAL r4 "getattribute"
  LOADK r5 #3
  LOADK r6 #8
  LOADK r7 #1
  CALL r4 4 2
  CALL r0 5 1
.lineno 10
  GETGLOBAL r0 "creategradientbrush"
  LOADK r1 #9
  LOADK r2 #16
  LOADK r3 #16
  LOADK r4 #2
  LOADK r5 #16719872
  LOADK r6 #1065215
  CALL r0 7 1
  GETGLOBAL r0 "sepiatonebrush"
  LOADK r1 #9
  LOADK r2 #128
  CALL r0 3 1
  GETGLOBAL r0 "savebrush"
  LOADK r1 #9
  LOADK r2 "sepia.bmp"
  CALL r0 3 1
  GETGLOBAL r0 "debugprint"
  LOADK r1 "sepia"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 2
  GETGLOBAL r3 "getattribute"
  LOADK r4 #3
  LOADK r5 #9
  LOADK r6 #0
  CALL r3 4 2
  GETGLOBAL r4 "getattribute"
  LOADK r5 #3
  LOADK r6 #9
  LOADK r7 #1
  CALL r4 4 2
  CALL r0 5 1
.lineno 11
  GETGLOBAL r0 "creategradientbrush"
  LOADK r1 #10
  LOADK r2 #16
  LOADK r3 #16
  LOADK r4 #2
  LOADK r5 #16719872
  LOADK r6 #1065215
  CALL r0 7 1
  GETGLOBAL r0 "charcoalbrush"
  LOADK r1 #10
  LOADK r2 #1
  CALL r0 3 1
  GETGLOBAL r0 "savebrush"
  LOADK r1 #10
  LOADK r2 "charcoal.bmp"
  CALL r0 3 1
  GETGLOBAL r0 "debugprint"
  LOADK r1 "charcoal"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 2
  GETGLOBAL r3 "getattribute"
  LOADK r4 #3
  LOADK r5 #10
  LOADK r6 #0
  CALL r3 4 2
  GETGLOBAL r4 "getattribute"
  LOADK r5 #3
  LOADK r6 #10
  LOADK r7 #1
  CALL r4 4 2
  CALL r0 5 1
.lineno 12
  GETGLOBAL r0 "creategradientbrush"
  LOADK r1 #11
  LOADK r2 #16
  LOADK r3 #16
  LOADK r4 #2
  LOADK r5 #16719872
  LOADK r6 #1065215
  CALL r0 7 1
  GETGLOBAL r0 "swirlbrush"
  LOADK r1 #11
  LOADK r2 #90
  CALL r0 3 1
  GETGLOBAL r0 "savebrush"
  LOADK r1 #11
  LOADK r2 "swirl.bmp"
  CALL r0 3 1
  GETGLOBAL r0 "debugprint"
  LOADK r1 "swirl"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 2
  GETGLOBAL r3 "getattribute"
  LOADK r4 #3
  LOADK r5 #11
  LOADK r6 #0
  CALL r3 4 2
  GETGLOBAL r4 "getattribute"
  LOADK r5 #3
  LOADK r6 #11
  LOADK r7 #1
  CALL r4 4 2
  CALL r0 5 1
.lineno 13
  GETGLOBAL r0 "creategradientbrush"
  LOADK r1 #12
  LOADK r2 #16
  LOADK r3 #16
  LOADK r4 #2
  LOADK r5 #16719872
  LOADK r6 #1065215
  CALL r0 7 1
  GETGLOBAL r0 "pixelatebrush"
  LOADK r1 #12
  LOADK r2 #4
  CALL r0 3 1
  GETGLOBAL r0 "savebrush"
  LOADK r1 #12
  LOADK r2 "pixelate.bmp"
  CALL r0 3 1
  GETGLOBAL r0 "debugprint"
  LOADK r1 "pixelate"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 2
  GETGLOBAL r3 "getattribute"
  LOADK r4 #3
  LOADK r5 #12
  LOADK r6 #0
  CALL r3 4 2
  GETGLOBAL r4 "getattribute"
  LOADK r5 #3
  LOADK r6 #12
  LOADK r7 #1
  CALL r4 4 2
  CALL r0 5 1
.lineno 14
  GETGLOBAL r0 "creategradientbrush"
  LOADK r1 #13
  LOADK r2 #16
  LOADK r3 #16
  LOADK r4 #2
  LOADK r5 #16719872
  LOADK r6 #1065215
  CALL r0 7 1
  GETGLOBAL r0 "brushtomonochrome"
  LOADK r1 #13
  CALL r0 2 1
  GETGLOBAL r0 "savebrush"
  LOADK r1 #13
  LOADK r2 "monochrome.bmp"
  CALL r0 3 1
  GETGLOBAL r0 "debugprint"
  LOADK r1 "monochrome"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 2
  GETGLOBAL r3 "getattribute"
  LOADK r4 #3
  LOADK r5 #13
  LOADK r6 #0
  CALL r3 4 2
  GETGLOBAL r4 "getattribute"
  LOADK r5 #3
  LOADK r6 #13
  LOADK r7 #1
  CALL r4 4 2
  CALL r0 5 1
.lineno 15
  GETGLOBAL r0 "creategradientbrush"
  LOADK r1 #14
  LOADK r2 #16
  LOADK r3 #16
  LOADK r4 #2
  LOADK r5 #16719872
  LOADK r6 #1065215
  CALL r0 7 1
  GETGLOBAL r0 "waterripplebrush"
  LOADK r1 #14
  LOADK r2 #8
  LOADK r3 #2
  CALL r0 4 1
  GETGLOBAL r0 "savebrush"
  LOADK r1 #14
  LOADK r2 "ripple.bmp"
  CALL r0 3 1
  GETGLOBAL r0 "debugprint"
  LOADK r1 "ripple"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 2
  GETGLOBAL r3 "getattribute"
  LOADK r4 #3
  LOADK r5 #14
  LOADK r6 #0
  CALL r3 4 2
  GETGLOBAL r4 "getattribute"
  LOADK r5 #3
  LOADK r6 #14
  LOADK r7 #1
  CALL r4 4 2
  CALL r0 5 1
.lineno 16
  GETGLOBAL r0 "creategradientbrush"
  LOADK r1 #15
  LOADK r2 #16
  LOADK r3 #16
  LOADK r4 #2
  LOADK r5 #16719872
  LOADK r6 #1065215
  CALL r0 7 1
  GETGLOBAL r0 "oilpaintbrush"
  LOADK r1 #15
  LOADK r2 #2
  CALL r0 3 1
  GETGLOBAL r0 "savebrush"
  LOADK r1 #15
  LOADK r2 "oilpaint.bmp"
  CALL r0 3 1
  GETGLOBAL r0 "debugprint"
  LOADK r1 "oilpaint"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 2
  GETGLOBAL r3 "getattribute"
  LOADK r4 #3
  LOADK r5 #15
  LOADK r6 #0
  CALL r3 4 2
  GETGLOBAL r4 "getattribute"
  LOADK r5 #3
  LOADK r6 #15
  LOADK r7 #1
  CALL r4 4 2
  CALL r0 5 1
.lineno 17
  GETGLOBAL r0 "creategradientbrush"
  LOADK r1 #16
  LOADK r2 #16
  LOADK r3 #16
  LOADK r4 #2
  LOADK r5 #16719872
  LOADK r6 #1065215
  CALL r0 7 1
  GETGLOBAL r0 "rotatebrush"
  LOADK r1 #16
  LOADK r2 #30
  LOADK r3 #1
  LOADK r4 #1
  LOADBOOL r5 1 0
  CALL r0 6 1
  GETGLOBAL r0 "savebrush"
  LOADK r1 #16
  LOADK r2 "rotate.bmp"
  CALL r0 3 1
  GETGLOBAL r0 "debugprint"
  LOADK r1 "rotate"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 2
  GETGLOBAL r3 "getattribute"
  LOADK r4 #3
  LOADK r5 #16
  LOADK r6 #0
  CALL r3 4 2
  GETGLOBAL r4 "getattribute"
  LOADK r5 #3
  LOADK r6 #16
  LOADK r7 #1
  CALL r4 4 2
  CALL r0 5 1
.lineno 18
  GETGLOBAL r0 "creategradientbrush"
  LOADK r1 #17
  LOADK r2 #16
  LOADK r3 #16
  LOADK r4 #2
  LOADK r5 #16719872
  LOADK r6 #1065215
  CALL r0 7 1
  GETGLOBAL r0 "transformbrush"
  LOADK r1 #17
  LOADK r2 #1
  LOADK r3 #0.5
  LOADK r4 #0
  LOADK r5 #1
  CALL r0 6 1
  GETGLOBAL r0 "savebrush"
  LOADK r1 #17
  LOADK r2 "transform.bmp"
  CALL r0 3 1
  GETGLOBAL r0 "debugprint"
  LOADK r1 "transform"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 2
  GETGLOBAL r3 "getattribute"
  LOADK r4 #3
  LOADK r5 #17
  LOADK r6 #0
  CALL r3 4 2
  GETGLOBAL r4 "getattribute"
  LOADK r5 #3
  LOADK r6 #17
  LOADK r7 #1
  CALL r4 4 2
  CALL r0 5 1
.lineno 19
  GETGLOBAL r0 "creategradientbrush"
  LOADK r1 #18
  LOADK r2 #16
  LOADK r3 #16
  LOADK r4 #2
  LOADK r5 #16719872
  LOADK r6 #1065215
  CALL r0 7 1
  GETGLOBAL r0 "arcdistortbrush"
  LOADK r1 #18
  LOADK r2 #60
  CALL r0 3 1
  GETGLOBAL r0 "savebrush"
  LOADK r1 #18
  LOADK r2 "arc.bmp"
  CALL r0 3 1
  GETGLOBAL r0 "debugprint"
  LOADK r1 "arc"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 2
  GETGLOBAL r3 "getattribute"
  LOADK r4 #3
  LOADK r5 #18
  LOADK r6 #0
  CALL r3 4 2
  GETGLOBAL r4 "getattribute"
  LOADK r5 #3
  LOADK r6 #18
  LOADK r7 #1
  CALL r4 4 2
  CALL r0 5 1
.lineno 20
  GETGLOBAL r0 "creategradientbrush"
  LOADK r1 #19
  LOADK r2 #16
  LOADK r3 #16
  LOADK r4 #2
  LOADK r5 #16719872
  LOADK r6 #1065215
  CALL r0 7 1
  GETGLOBAL r0 "polardistortbrush"
  LOADK r1 #19
  CALL r0 2 1
  GETGLOBAL r0 "savebrush"
  LOADK r1 #19
  LOADK r2 "polar.bmp"
  CALL r0 3 1
  GETGLOBAL r0 "debugprint"
  LOADK r1 "polar"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 2
  GETGLOBAL r3 "getattribute"
  LOADK r4 #3
  LOADK r5 #19
  LOADK r6 #0
  CALL r3 4 2
  GETGLOBAL r4 "getattribute"
  LOADK r5 #3
  LOADK r6 #19
  LOADK r7 #1
  CALL r4 4 2
  CALL r0 5 1
.lineno 21
  GETGLOBAL r0 "creategradientbrush"
  LOADK r1 #20
  LOADK r2 #16
  LOADK r3 #16
  LOADK r4 #2
  LOADK r5 #16719872
  LOADK r6 #1065215
  CALL r0 7 1
  GETGLOBAL r0 "barreldistortbrush"
  LOADK r1 #20
  LOADK r2 #0.1
  LOADK r3 #0.1
  LOADK r4 #0.1
  CALL r0 5 1
  GETGLOBAL r0 "savebrush"
  LOADK r1 #20
  LOADK r2 "barrel.bmp"
  CALL r0 3 1
  GETGLOBAL r0 "debugprint"
  LOADK r1 "barrel"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 2
  GETGLOBAL r3 "getattribute"
  LOADK r4 #3
  LOADK r5 #20
  LOADK r6 #0
  CALL r3 4 2
  GETGLOBAL r4 "getattribute"
  LOADK r5 #3
  LOADK r6 #20
  LOADK r7 #1
  CALL r4 4 2
  CALL r0 5 1
.lineno 22
  GETGLOBAL r0 "creategradientbrush"
  LOADK r1 #21
  LOADK r2 #16
  LOADK r3 #16
  LOADK r4 #2
  LOADK r5 #16719872
  LOADK r6 #1065215
  CALL r0 7 1
  GETGLOBAL r0 "perspectivedistortbrush"
  LOADK r1 #21
  LOADK r2 #0
  LOADK r3 #0
  LOADK r4 #16
  LOADK r5 #2
  LOADK r6 #14
  LOADK r7 #16
  LOADK r8 #2
  LOADK r9 #14
  CALL r0 10 1
  GETGLOBAL r0 "savebrush"
  LOADK r1 #21
  LOADK r2 "perspective.bmp"
  CALL r0 3 1
  GETGLOBAL r0 "debugprint"
  LOADK r1 "perspective"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 2
  GETGLOBAL r3 "getattribute"
  LOADK r4 #3
  LOADK r5 #21
  LOADK r6 #0
  CALL r3 4 2
  GETGLOBAL r4 "getattribute"
  LOADK r5 #3
  LOADK r6 #21
  LOADK r7 #1
  CALL r4 4 2
  CALL r0 5 1
  RETURN r0 1
