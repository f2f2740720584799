; label: display.brush
; ExitOnError(false)
; CreateBrush(1, 16, 8, 0xFF0000)
; BlurBrush(1, -1); DebugPrint("blur", GetLastError())
; SharpenBrush(1, -1); DebugPrint("sharpen", GetLastError())
; ContrastBrush(1, 1, 0); DebugPrint("contrast", GetLastError())
; ModulateBrush(1, 1, -1, 1); DebugPrint("modulate", GetLastError())
; CharcoalBrush(1, -1); DebugPrint("charcoal", GetLastError())
; PixelateBrush(1, 9); DebugPrint("pixelate 9", GetLastError())
; PixelateBrush(1, 8); DebugPrint("pixelate 8", GetLastError())
; TransformBrush(1, 0, 1, 1, 1); DebugPrint("transform", GetLastError())
; RotateBrush(1, 30, 0); DebugPrint("rotate", GetLastError())
; ChangeBrushTransparency(1, 5); DebugPrint("transparency", GetLastError())
; CreateShadowBrush(2, 1, 0, 0); DebugPrint("shadow size", GetLastError())
; CreateBorderBrush(1, 1, 0); DebugPrint("border same id", GetLastError())
; RGBArrayToBrush(3, {}, 0, 1); DebugPrint("rgb size", GetLastError())
; BlurBrush(99); DebugPrint("missing", GetLastError())
; ConvertToBrush(7, 1, 3); DebugPrint("convert type", GetLastError())
; ConvertToBrush(3, 1, 1); DebugPrint("convert same", GetLastError())
; DebugPrint("sizes", GetAttribute(3, 1, 0), GetAttribute(3, 1, 1))
; RotateBrush(1, 90); DebugPrint("rotated", GetAttribute(3, 1, 0), GetAttribute(3, 1, 1))
; TransformBrush(1, 2, 0, 0, 1); DebugPrint("transformed", GetAttribute(3, 1, 0), GetAttribute(3, 1, 1))
; CreateShadowBrush(2, 1, 0x40000000, 3); DebugPrint("shadow", GetAttribute(3, 2, 0), GetAttribute(3, 2, 1), GetAttribute(3, 2, 16), GetAttribute(3, 2, 17))
; CreateBorderBrush(2, 1, 0, 3); DebugPrint("border", GetAttribute(3, 2, 0), GetAttribute(3, 2, 1), GetAttribute(3, 2, 17))
; CreateBrush(4, 10, 10); DebugPrint("trim plain", TrimBrush(4)*)
; RGBArrayToBrush(5, {0, 0, 0, 0}, 2, 2, 28); TrimBrush(5); DebugPrint("trim invisible", GetLastError())
; RGBArrayToBrush(6, {0, 0, 0, 0, 0xFF00FF00, 0, 0, 0, 0}, 3, 3, 28); DebugPrint("trim", TrimBrush(6)*)
; DebugPrint("trimmed", GetAttribute(3, 6, 0), GetAttribute(3, 6, 1), ReadBrushPixel(6, 0, 0)*)
; DebugPrint("outside", ReadBrushPixel(6, -1, 0)*)
; RGBArrayToBrush(7, {0x80112233, 0x00445566, 0xFF778899, 0x01AABBCC}, 2, 2, 30)
; set t = BrushToRGBArray(7)
; DebugPrint("alpha", t[0], t[1], t[2], t[3])
; set t = BrushToRGBArray(7, true)
; DebugPrint("inverted", t[0], t[1], t[2], t[3])
; RGBArrayToBrush(8, {0x80112233, 0x00445566, 0xFF778899, 0x01AABBCC}, 2, 2, 28)
; set t = BrushToRGBArray(8)
; DebugPrint("mask", t[0], t[1], t[2], t[3])
; RGBArrayToBrush(8, {0x00112233, 0xFF445566}, 2, 1, 28, true)
; set t = BrushToRGBArray(8, true)
; DebugPrint("mask inverted", t[0], t[1])
; RGBArrayToBrush(9, {0xFF0000, 0x00FF00, 0x0000FF}, 2, 2); DebugPrint("short", GetLastError(), ReadBrushPixel(9, 0, 1)*)
; DebugPrint("short rest", ReadBrushPixel(9, 1, 1)*)
; WriteBrushPixel(9, 1, 1, 0x123456, 0); DebugPrint("write plain", GetLastError(), ReadBrushPixel(9, 1, 1)*)
; WriteBrushPixel(6, 0, 0, 0x654321, 1); DebugPrint("write mask", ReadBrushPixel(6, 0, 0)*)
; WriteBrushPixel(7, 1, 0, 0xABCDEF, 0x77); DebugPrint("write alpha", ReadBrushPixel(7, 1, 0)*)
; CreateBrush(10, 4, 4, 0x00FF00, {mask = true})
; ChangeBrushTransparency(10, 30); DebugPrint("m->a", GetAttribute(3, 10, 16), GetAttribute(3, 10, 17))
; ChangeBrushTransparency(10, 28); DebugPrint("a->m", GetAttribute(3, 10, 16), GetAttribute(3, 10, 17))
; ChangeBrushTransparency(10, 28); DebugPrint("m->m", GetAttribute(3, 10, 16), GetAttribute(3, 10, 17))
; ChangeBrushTransparency(10, -1); DebugPrint("m->none", GetAttribute(3, 10, 16), GetAttribute(3, 10, 17))
; ChangeBrushTransparency(10, -1); DebugPrint("none->none", GetAttribute(3, 10, 16), GetAttribute(3, 10, 17))
; ChangeBrushTransparency(10, 28); DebugPrint("none->m", GetAttribute(3, 10, 16), GetAttribute(3, 10, 17), ReadBrushPixel(10, 1, 1)*)
; ChangeBrushTransparency(10, -1); ChangeBrushTransparency(10, 30); DebugPrint("none->a", GetAttribute(3, 10, 16), GetAttribute(3, 10, 17), ReadBrushPixel(10, 1, 1)*)
; ChangeBrushTransparency(10, 30); DebugPrint("a->a", GetAttribute(3, 10, 16), GetAttribute(3, 10, 17))
; ChangeBrushTransparency(10, -1); DebugPrint("a->none", GetAttribute(3, 10, 16), GetAttribute(3, 10, 17))
; CreateGradientBGPic(2, 0, 0x000000, 0xFFFFFF, 8, 6, 0)
; ConvertToBrush(1, 2, 11); DebugPrint("from bgpic", GetAttribute(3, 11, 0), GetAttribute(3, 11, 1))
; GetBrushLink(12, 3, 11); DebugPrint("link", GetAttribute(3, 12, 0), GetAttribute(3, 12, 1))
; ConvertToBrush(22, 1, 13); DebugPrint("from layer", GetLastError())
; PerspectiveDistortBrush(12, 0, 0, 8, 0, 8, 6, 0, 6); DebugPrint("perspective", GetLastError(), GetAttribute(3, 12, 0), GetAttribute(3, 12, 1))
; PerspectiveDistortBrush(12, 0, 0, 1000000000, 0, 1000000000, 1000000000, 0, 1000000000); DebugPrint("far", GetLastError(), GetAttribute(3, 12, 0))
; RotateBrush(12, 0, 30000, 30000); DebugPrint("huge rotate", GetLastError(), GetAttribute(3, 12, 0))
; CreateShadowBrush(13, 12, 0, 20000); DebugPrint("huge shadow", GetLastError())
; BlurBrush(12, 2); EmbossBrush(12, 1); EdgeBrush(12); SharpenBrush(12, 1); SolarizeBrush(12, "50%"); GammaBrush(12, 1, 2, 0.5); ContrastBrush(12, false, 2); ModulateBrush(12, 1, 1, 1); SepiaToneBrush(12, 128); CharcoalBrush(12, 1); SwirlBrush(12, 45); PixelateBrush(12, 2); BrushToMonochrome(12); WaterRippleBrush(12, 4, 2); OilPaintBrush(12, 1); ArcDistortBrush(12, 60); PolarDistortBrush(12); BarrelDistortBrush(12, 0.1, 0.1, 0.1); RasterizeBrush(12)
; DebugPrint("effects", GetLastError())
.source "@brush_effects.qasm"
.maxstack 14
.lineno 1
  GETGLOBAL r0 "exitonerror"
  LOADBOOL r1 0 0
  CALL r0 2 1
.lineno 2
  GETGLOBAL r0 "createbrush"
  LOADK r1 #1
  LOADK r2 #16
  LOADK r3 #8
  LOADK r4 #16711680
  CALL r0 5 1
.lineno 3
  GETGLOBAL r0 "blurbrush"
  LOADK r1 #1
  LOADK r2 #-1
  CALL r0 3 1
  GETGLOBAL r0 "debugprint"
  LOADK r1 "blur"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 2
  CALL r0 3 1
.lineno 4
  GETGLOBAL r0 "sharpenbrush"
  LOADK r1 #1
  LOADK r2 #-1
  CALL r0 3 1
  GETGLOBAL r0 "debugprint"
  LOADK r1 "sharpen"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 2
  CALL r0 3 1
.lineno 5
  GETGLOBAL r0 "contrastbrush"
  LOADK r1 #1
  LOADK r2 #1
  LOADK r3 #0
  CALL r0 4 1
  GETGLOBAL r0 "debugprint"
  LOADK r1 "contrast"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 2
  CALL r0 3 1
.lineno 6
  GETGLOBAL r0 "modulatebrush"
  LOADK r1 #1
  LOADK r2 #1
  LOADK r3 #-1
  LOADK r4 #1
  CALL r0 5 1
  GETGLOBAL r0 "debugprint"
  LOADK r1 "modulate"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 2
  CALL r0 3 1
.lineno 7
  GETGLOBAL r0 "charcoalbrush"
  LOADK r1 #1
  LOADK r2 #-1
  CALL r0 3 1
  GETGLOBAL r0 "debugprint"
  LOADK r1 "charcoal"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 2
  CALL r0 3 1
.lineno 8
  GETGLOBAL r0 "pixelatebrush"
  LOADK r1 #1
  LOADK r2 #9
  CALL r0 3 1
  GETGLOBAL r0 "debugprint"
  LOADK r1 "pixelate 9"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 2
  CALL r0 3 1
.lineno 9
  GETGLOBAL r0 "pixelatebrush"
  LOADK r1 #1
  LOADK r2 #8
  CALL r0 3 1
  GETGLOBAL r0 "debugprint"
  LOADK r1 "pixelate 8"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 2
  CALL r0 3 1
.lineno 10
  GETGLOBAL r0 "transformbrush"
  LOADK r1 #1
  LOADK r2 #0
  LOADK r3 #1
  LOADK r4 #1
  LOADK r5 #1
  CALL r0 6 1
  GETGLOBAL r0 "debugprint"
  LOADK r1 "transform"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 2
  CALL r0 3 1
.lineno 11
  GETGLOBAL r0 "rotatebrush"
  LOADK r1 #1
  LOADK r2 #30
  LOADK r3 #0
  CALL r0 4 1
  GETGLOBAL r0 "debugprint"
  LOADK r1 "rotate"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 2
  CALL r0 3 1
.lineno 12
  GETGLOBAL r0 "changebrushtransparency"
  LOADK r1 #1
  LOADK r2 #5
  CALL r0 3 1
  GETGLOBAL r0 "debugprint"
  LOADK r1 "transparency"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 2
  CALL r0 3 1
.lineno 13
  GETGLOBAL r0 "createshadowbrush"
  LOADK r1 #2
  LOADK r2 #1
  LOADK r3 #0
  LOADK r4 #0
  CALL r0 5 1
  GETGLOBAL r0 "debugprint"
  LOADK r1 "shadow size"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 2
  CALL r0 3 1
.lineno 14
  GETGLOBAL r0 "createborderbrush"
  LOADK r1 #1
  LOADK r2 #1
  LOADK r3 #0
  CALL r0 4 1
  GETGLOBAL r0 "debugprint"
  LOADK r1 "border same id"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 2
  CALL r0 3 1
.lineno 15
  GETGLOBAL r0 "rgbarraytobrush"
  LOADK r1 #3
  NEWTABLE r2 0 0
  LOADK r3 #0
  LOADK r4 #1
  CALL r0 5 1
  GETGLOBAL r0 "debugprint"
  LOADK r1 "rgb size"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 2
  CALL r0 3 1
.lineno 16
  GETGLOBAL r0 "blurbrush"
  LOADK r1 #99
  CALL r0 2 1
  GETGLOBAL r0 "debugprint"
  LOADK r1 "missing"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 2
  CALL r0 3 1
.lineno 17
  GETGLOBAL r0 "converttobrush"
  LOADK r1 #7
  LOADK r2 #1
  LOADK r3 #3
  CALL r0 4 1
  GETGLOBAL r0 "debugprint"
  LOADK r1 "convert type"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 2
  CALL r0 3 1
.lineno 18
  GETGLOBAL r0 "converttobrush"
  LOADK r1 #3
  LOADK r2 #1
  LOADK r3 #1
  CALL r0 4 1
  GETGLOBAL r0 "debugprint"
  LOADK r1 "convert same"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 2
  CALL r0 3 1
.lineno 19
  GETGLOBAL r0 "debugprint"
  LOADK r1 "sizes"
  GETGLOBAL r2 "getattribute"
  LOADK r3 #3
  LOADK r4 #1
  LOADK r5 #0
  CALL r2 4 2
  GETGLOBAL r3 "getattribute"
  LOADK r4 #3
  LOADK r5 #1
  LOADK r6 #1
  CALL r3 4 2
  CALL r0 4 1
.lineno 20
  GETGLOBAL r0 "rotatebrush"
  LOADK r1 #1
  LOADK r2 #90
  CALL r0 3 1
  GETGLOBAL r0 "debugprint"
  LOADK r1 "rotated"
  GETGLOBAL r2 "getattribute"
  LOADK r3 #3
  LOADK r4 #1
  LOADK r5 #0
  CALL r2 4 2
  GETGLOBAL r3 "getattribute"
  LOADK r4 #3
  LOADK r5 #1
  LOADK r6 #1
  CALL r3 4 2
  CALL r0 4 1
.lineno 21
  GETGLOBAL r0 "transformbrush"
  LOADK r1 #1
  LOADK r2 #2
  LOADK r3 #0
  LOADK r4 #0
  LOADK r5 #1
  CALL r0 6 1
  GETGLOBAL r0 "debugprint"
  LOADK r1 "transformed"
  GETGLOBAL r2 "getattribute"
  LOADK r3 #3
  LOADK r4 #1
  LOADK r5 #0
  CALL r2 4 2
  GETGLOBAL r3 "getattribute"
  LOADK r4 #3
  LOADK r5 #1
  LOADK r6 #1
  CALL r3 4 2
  CALL r0 4 1
.lineno 22
  GETGLOBAL r0 "createshadowbrush"
  LOADK r1 #2
  LOADK r2 #1
  LOADK r3 #1073741824
  LOADK r4 #3
  CALL r0 5 1
  GETGLOBAL r0 "debugprint"
  LOADK r1 "shadow"
  GETGLOBAL r2 "getattribute"
  LOADK r3 #3
  LOADK r4 #2
  LOADK r5 #0
  CALL r2 4 2
  GETGLOBAL r3 "getattribute"
  LOADK r4 #3
  LOADK r5 #2
  LOADK r6 #1
  CALL r3 4 2
  GETGLOBAL r4 "getattribute"
  LOADK r5 #3
  LOADK r6 #2
  LOADK r7 #16
  CALL r4 4 2
  GETGLOBAL r5 "getattribute"
  LOADK r6 #3
  LOADK r7 #2
  LOADK r8 #17
  CALL r5 4 2
  CALL r0 6 1
.lineno 23
  GETGLOBAL r0 "createborderbrush"
  LOADK r1 #2
  LOADK r2 #1
  LOADK r3 #0
  LOADK r4 #3
  CALL r0 5 1
  GETGLOBAL r0 "debugprint"
  LOADK r1 "border"
  GETGLOBAL r2 "getattribute"
  LOADK r3 #3
  LOADK r4 #2
  LOADK r5 #0
  CALL r2 4 2
  GETGLOBAL r3 "getattribute"
  LOADK r4 #3
  LOADK r5 #2
  LOADK r6 #1
  CALL r3 4 2
  GETGLOBAL r4 "getattribute"
  LOADK r5 #3
  LOADK r6 #2
  LOADK r7 #17
  CALL r4 4 2
  CALL r0 5 1
.lineno 24
  GETGLOBAL r0 "createbrush"
  LOADK r1 #4
  LOADK r2 #10
  LOADK r3 #10
  CALL r0 4 1
  GETGLOBAL r0 "debugprint"
  LOADK r1 "trim plain"
  GETGLOBAL r2 "trimbrush"
  LOADK r3 #4
  CALL r2 2 0
  CALL r0 0 1
.lineno 25
  GETGLOBAL r0 "rgbarraytobrush"
  LOADK r1 #5
  NEWTABLE r2 0 0
  LOADK r3 #0
  SETTABLE r2 #0 r3
  LOADK r3 #0
  SETTABLE r2 #1 r3
  LOADK r3 #0
  SETTABLE r2 #2 r3
  LOADK r3 #0
  SETTABLE r2 #3 r3
  LOADK r3 #2
  LOADK r4 #2
  LOADK r5 #28
  CALL r0 6 1
  GETGLOBAL r0 "trimbrush"
  LOADK r1 #5
  CALL r0 2 1
  GETGLOBAL r0 "debugprint"
  LOADK r1 "trim invisible"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 2
  CALL r0 3 1
.lineno 26
  GETGLOBAL r0 "rgbarraytobrush"
  LOADK r1 #6
  NEWTABLE r2 0 0
  LOADK r3 #0
  SETTABLE r2 #0 r3
  LOADK r3 #0
  SETTABLE r2 #1 r3
  LOADK r3 #0
  SETTABLE r2 #2 r3
  LOADK r3 #0
  SETTABLE r2 #3 r3
  LOADK r3 #4278255360
  SETTABLE r2 #4 r3
  LOADK r3 #0
  SETTABLE r2 #5 r3
  LOADK r3 #0
  SETTABLE r2 #6 r3
  LOADK r3 #0
  SETTABLE r2 #7 r3
  LOADK r3 #0
  SETTABLE r2 #8 r3
  LOADK r3 #3
  LOADK r4 #3
  LOADK r5 #28
  CALL r0 6 1
  GETGLOBAL r0 "debugprint"
  LOADK r1 "trim"
  GETGLOBAL r2 "trimbrush"
  LOADK r3 #6
  CALL r2 2 0
  CALL r0 0 1
.lineno 27
  GETGLOBAL r0 "debugprint"
  LOADK r1 "trimmed"
  GETGLOBAL r2 "getattribute"
  LOADK r3 #3
  LOADK r4 #6
  LOADK r5 #0
  CALL r2 4 2
  GETGLOBAL r3 "getattribute"
  LOADK r4 #3
  LOADK r5 #6
  LOADK r6 #1
  CALL r3 4 2
  GETGLOBAL r4 "readbrushpixel"
  LOADK r5 #6
  LOADK r6 #0
  LOADK r7 #0
  CALL r4 4 0
  CALL r0 0 1
.lineno 28
  GETGLOBAL r0 "debugprint"
  LOADK r1 "outside"
  GETGLOBAL r2 "readbrushpixel"
  LOADK r3 #6
  LOADK r4 #-1
  LOADK r5 #0
  CALL r2 4 0
  CALL r0 0 1
.lineno 29
  GETGLOBAL r0 "rgbarraytobrush"
  LOADK r1 #7
  NEWTABLE r2 0 0
  LOADK r3 #2148606515
  SETTABLE r2 #0 r3
  LOADK r3 #4478310
  SETTABLE r2 #1 r3
  LOADK r3 #4286023833
  SETTABLE r2 #2 r3
  LOADK r3 #27966412
  SETTABLE r2 #3 r3
  LOADK r3 #2
  LOADK r4 #2
  LOADK r5 #30
  CALL r0 6 1
.lineno 30
  GETGLOBAL r0 "brushtorgbarray"
  LOADK r1 #7
  CALL r0 2 2
  SETGLOBAL r0 "t"
.lineno 31
  GETGLOBAL r0 "debugprint"
  LOADK r1 "alpha"
  GETGLOBAL r2 "t"
  LOADK r3 #0
  GETTABLE r2 r2 r3
  GETGLOBAL r3 "t"
  LOADK r4 #1
  GETTABLE r3 r3 r4
  GETGLOBAL r4 "t"
  LOADK r5 #2
  GETTABLE r4 r4 r5
  GETGLOBAL r5 "t"
  LOADK r6 #3
  GETTABLE r5 r5 r6
  CALL r0 6 1
.lineno 32
  GETGLOBAL r0 "brushtorgbarray"
  LOADK r1 #7
  LOADBOOL r2 1 0
  CALL r0 3 2
  SETGLOBAL r0 "t"
.lineno 33
  GETGLOBAL r0 "debugprint"
  LOADK r1 "inverted"
  GETGLOBAL r2 "t"
  LOADK r3 #0
  GETTABLE r2 r2 r3
  GETGLOBAL r3 "t"
  LOADK r4 #1
  GETTABLE r3 r3 r4
  GETGLOBAL r4 "t"
  LOADK r5 #2
  GETTABLE r4 r4 r5
  GETGLOBAL r5 "t"
  LOADK r6 #3
  GETTABLE r5 r5 r6
  CALL r0 6 1
.lineno 34
  GETGLOBAL r0 "rgbarraytobrush"
  LOADK r1 #8
  NEWTABLE r2 0 0
  LOADK r3 #2148606515
  SETTABLE r2 #0 r3
  LOADK r3 #4478310
  SETTABLE r2 #1 r3
  LOADK r3 #4286023833
  SETTABLE r2 #2 r3
  LOADK r3 #27966412
  SETTABLE r2 #3 r3
  LOADK r3 #2
  LOADK r4 #2
  LOADK r5 #28
  CALL r0 6 1
.lineno 35
  GETGLOBAL r0 "brushtorgbarray"
  LOADK r1 #8
  CALL r0 2 2
  SETGLOBAL r0 "t"
.lineno 36
  GETGLOBAL r0 "debugprint"
  LOADK r1 "mask"
  GETGLOBAL r2 "t"
  LOADK r3 #0
  GETTABLE r2 r2 r3
  GETGLOBAL r3 "t"
  LOADK r4 #1
  GETTABLE r3 r3 r4
  GETGLOBAL r4 "t"
  LOADK r5 #2
  GETTABLE r4 r4 r5
  GETGLOBAL r5 "t"
  LOADK r6 #3
  GETTABLE r5 r5 r6
  CALL r0 6 1
.lineno 37
  GETGLOBAL r0 "rgbarraytobrush"
  LOADK r1 #8
  NEWTABLE r2 0 0
  LOADK r3 #1122867
  SETTABLE r2 #0 r3
  LOADK r3 #4282668390
  SETTABLE r2 #1 r3
  LOADK r3 #2
  LOADK r4 #1
  LOADK r5 #28
  LOADBOOL r6 1 0
  CALL r0 7 1
.lineno 38
  GETGLOBAL r0 "brushtorgbarray"
  LOADK r1 #8
  LOADBOOL r2 1 0
  CALL r0 3 2
  SETGLOBAL r0 "t"
.lineno 39
  GETGLOBAL r0 "debugprint"
  LOADK r1 "mask inverted"
  GETGLOBAL r2 "t"
  LOADK r3 #0
  GETTABLE r2 r2 r3
  GETGLOBAL r3 "t"
  LOADK r4 #1
  GETTABLE r3 r3 r4
  CALL r0 4 1
.lineno 40
  GETGLOBAL r0 "rgbarraytobrush"
  LOADK r1 #9
  NEWTABLE r2 0 0
  LOADK r3 #16711680
  SETTABLE r2 #0 r3
  LOADK r3 #65280
  SETTABLE r2 #1 r3
  LOADK r3 #255
  SETTABLE r2 #2 r3
  LOADK r3 #2
  LOADK r4 #2
  CALL r0 5 1
  GETGLOBAL r0 "debugprint"
  LOADK r1 "short"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 2
  GETGLOBAL r3 "readbrushpixel"
  LOADK r4 #9
  LOADK r5 #0
  LOADK r6 #1
  CALL r3 4 0
  CALL r0 0 1
.lineno 41
  GETGLOBAL r0 "debugprint"
  LOADK r1 "short rest"
  GETGLOBAL r2 "readbrushpixel"
  LOADK r3 #9
  LOADK r4 #1
  LOADK r5 #1
  CALL r2 4 0
  CALL r0 0 1
.lineno 42
  GETGLOBAL r0 "writebrushpixel"
  LOADK r1 #9
  LOADK r2 #1
  LOADK r3 #1
  LOADK r4 #1193046
  LOADK r5 #0
  CALL r0 6 1
  GETGLOBAL r0 "debugprint"
  LOADK r1 "write plain"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 2
  GETGLOBAL r3 "readbrushpixel"
  LOADK r4 #9
  LOADK r5 #1
  LOADK r6 #1
  CALL r3 4 0
  CALL r0 0 1
.lineno 43
  GETGLOBAL r0 "writebrushpixel"
  LOADK r1 #6
  LOADK r2 #0
  LOADK r3 #0
  LOADK r4 #6636321
  LOADK r5 #1
  CALL r0 6 1
  GETGLOBAL r0 "debugprint"
  LOADK r1 "write mask"
  GETGLOBAL r2 "readbrushpixel"
  LOADK r3 #6
  LOADK r4 #0
  LOADK r5 #0
  CALL r2 4 0
  CALL r0 0 1
.lineno 44
  GETGLOBAL r0 "writebrushpixel"
  LOADK r1 #7
  LOADK r2 #1
  LOADK r3 #0
  LOADK r4 #11259375
  LOADK r5 #119
  CALL r0 6 1
  GETGLOBAL r0 "debugprint"
  LOADK r1 "write alpha"
  GETGLOBAL r2 "readbrushpixel"
  LOADK r3 #7
  LOADK r4 #1
  LOADK r5 #0
  CALL r2 4 0
  CALL r0 0 1
.lineno 45
  GETGLOBAL r0 "createbrush"
  LOADK r1 #10
  LOADK r2 #4
  LOADK r3 #4
  LOADK r4 #65280
  NEWTABLE r5 0 0
  GETGLOBAL r6 "mask"
  SETTABLE r5 #0 r6
  GETGLOBAL r6 "="
  SETTABLE r5 #1 r6
  LOADBOOL r6 1 0
  SETTABLE r5 #2 r6
  CALL r0 6 1
.lineno 46
  GETGLOBAL r0 "changebrushtransparency"
  LOADK r1 #10
  LOADK r2 #30
  CALL r0 3 1
  GETGLOBAL r0 "debugprint"
  LOADK r1 "m->a"
  GETGLOBAL r2 "getattribute"
  LOADK r3 #3
  LOADK r4 #10
  LOADK r5 #16
  CALL r2 4 2
  GETGLOBAL r3 "getattribute"
  LOADK r4 #3
  LOADK r5 #10
  LOADK r6 #17
  CALL r3 4 2
  CALL r0 4 1
.lineno 47
  GETGLOBAL r0 "changebrushtransparency"
  LOADK r1 #10
  LOADK r2 #28
  CALL r0 3 1
  GETGLOBAL r0 "debugprint"
  LOADK r1 "a->m"
  GETGLOBAL r2 "getattribute"
  LOADK r3 #3
  LOADK r4 #10
  LOADK r5 #16
  CALL r2 4 2
  GETGLOBAL r3 "getattribute"
  LOADK r4 #3
  LOADK r5 #10
  LOADK r6 #17
  CALL r3 4 2
  CALL r0 4 1
.lineno 48
  GETGLOBAL r0 "changebrushtransparency"
  LOADK r1 #10
  LOADK r2 #28
  CALL r0 3 1
  GETGLOBAL r0 "debugprint"
  LOADK r1 "m->m"
  GETGLOBAL r2 "getattribute"
  LOADK r3 #3
  LOADK r4 #10
  LOADK r5 #16
  CALL r2 4 2
  GETGLOBAL r3 "getattribute"
  LOADK r4 #3
  LOADK r5 #10
  LOADK r6 #17
  CALL r3 4 2
  CALL r0 4 1
.lineno 49
  GETGLOBAL r0 "changebrushtransparency"
  LOADK r1 #10
  LOADK r2 #-1
  CALL r0 3 1
  GETGLOBAL r0 "debugprint"
  LOADK r1 "m->none"
  GETGLOBAL r2 "getattribute"
  LOADK r3 #3
  LOADK r4 #10
  LOADK r5 #16
  CALL r2 4 2
  GETGLOBAL r3 "getattribute"
  LOADK r4 #3
  LOADK r5 #10
  LOADK r6 #17
  CALL r3 4 2
  CALL r0 4 1
.lineno 50
  GETGLOBAL r0 "changebrushtransparency"
  LOADK r1 #10
  LOADK r2 #-1
  CALL r0 3 1
  GETGLOBAL r0 "debugprint"
  LOADK r1 "none->none"
  GETGLOBAL r2 "getattribute"
  LOADK r3 #3
  LOADK r4 #10
  LOADK r5 #16
  CALL r2 4 2
  GETGLOBAL r3 "getattribute"
  LOADK r4 #3
  LOADK r5 #10
  LOADK r6 #17
  CALL r3 4 2
  CALL r0 4 1
.lineno 51
  GETGLOBAL r0 "changebrushtransparency"
  LOADK r1 #10
  LOADK r2 #28
  CALL r0 3 1
  GETGLOBAL r0 "debugprint"
  LOADK r1 "none->m"
  GETGLOBAL r2 "getattribute"
  LOADK r3 #3
  LOADK r4 #10
  LOADK r5 #16
  CALL r2 4 2
  GETGLOBAL r3 "getattribute"
  LOADK r4 #3
  LOADK r5 #10
  LOADK r6 #17
  CALL r3 4 2
  GETGLOBAL r4 "readbrushpixel"
  LOADK r5 #10
  LOADK r6 #1
  LOADK r7 #1
  CALL r4 4 0
  CALL r0 0 1
.lineno 52
  GETGLOBAL r0 "changebrushtransparency"
  LOADK r1 #10
  LOADK r2 #-1
  CALL r0 3 1
  GETGLOBAL r0 "changebrushtransparency"
  LOADK r1 #10
  LOADK r2 #30
  CALL r0 3 1
  GETGLOBAL r0 "debugprint"
  LOADK r1 "none->a"
  GETGLOBAL r2 "getattribute"
  LOADK r3 #3
  LOADK r4 #10
  LOADK r5 #16
  CALL r2 4 2
  GETGLOBAL r3 "getattribute"
  LOADK r4 #3
  LOADK r5 #10
  LOADK r6 #17
  CALL r3 4 2
  GETGLOBAL r4 "readbrushpixel"
  LOADK r5 #10
  LOADK r6 #1
  LOADK r7 #1
  CALL r4 4 0
  CALL r0 0 1
.lineno 53
  GETGLOBAL r0 "changebrushtransparency"
  LOADK r1 #10
  LOADK r2 #30
  CALL r0 3 1
  GETGLOBAL r0 "debugprint"
  LOADK r1 "a->a"
  GETGLOBAL r2 "getattribute"
  LOADK r3 #3
  LOADK r4 #10
  LOADK r5 #16
  CALL r2 4 2
  GETGLOBAL r3 "getattribute"
  LOADK r4 #3
  LOADK r5 #10
  LOADK r6 #17
  CALL r3 4 2
  CALL r0 4 1
.lineno 54
  GETGLOBAL r0 "changebrushtransparency"
  LOADK r1 #10
  LOADK r2 #-1
  CALL r0 3 1
  GETGLOBAL r0 "debugprint"
  LOADK r1 "a->none"
  GETGLOBAL r2 "getattribute"
  LOADK r3 #3
  LOADK r4 #10
  LOADK r5 #16
  CALL r2 4 2
  GETGLOBAL r3 "getattribute"
  LOADK r4 #3
  LOADK r5 #10
  LOADK r6 #17
  CALL r3 4 2
  CALL r0 4 1
.lineno 55
  GETGLOBAL r0 "creategradientbgpic"
  LOADK r1 #2
  LOADK r2 #0
  LOADK r3 #0
  LOADK r4 #16777215
  LOADK r5 #8
  LOADK r6 #6
  LOADK r7 #0
  CALL r0 8 1
.lineno 56
  GETGLOBAL r0 "converttobrush"
  LOADK r1 #1
  LOADK r2 #2
  LOADK r3 #11
  CALL r0 4 1
  GETGLOBAL r0 "debugprint"
  LOADK r1 "from bgpic"
  GETGLOBAL r2 "getattribute"
  LOADK r3 #3
  LOADK r4 #11
  LOADK r5 #0
  CALL r2 4 2
  GETGLOBAL r3 "getattribute"
  LOADK r4 #3
  LOADK r5 #11
  LOADK r6 #1
  CALL r3 4 2
  CALL r0 4 1
.lineno 57
  GETGLOBAL r0 "getbrushlink"
  LOADK r1 #12
  LOADK r2 #3
  LOADK r3 #11
  CALL r0 4 1
  GETGLOBAL r0 "debugprint"
  LOADK r1 "link"
  GETGLOBAL r2 "getattribute"
  LOADK r3 #3
  LOADK r4 #12
  LOADK r5 #0
  CALL r2 4 2
  GETGLOBAL r3 "getattribute"
  LOADK r4 #3
  LOADK r5 #12
  LOADK r6 #1
  CALL r3 4 2
  CALL r0 4 1
.lineno 58
  GETGLOBAL r0 "converttobrush"
  LOADK r1 #22
  LOADK r2 #1
  LOADK r3 #13
  CALL r0 4 1
  GETGLOBAL r0 "debugprint"
  LOADK r1 "from layer"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 2
  CALL r0 3 1
.lineno 59
  GETGLOBAL r0 "perspectivedistortbrush"
  LOADK r1 #12
  LOADK r2 #0
  LOADK r3 #0
  LOADK r4 #8
  LOADK r5 #0
  LOADK r6 #8
  LOADK r7 #6
  LOADK r8 #0
  LOADK r9 #6
  CALL r0 10 1
  GETGLOBAL r0 "debugprint"
  LOADK r1 "perspective"
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
.lineno 60
  GETGLOBAL r0 "perspectivedistortbrush"
  LOADK r1 #12
  LOADK r2 #0
  LOADK r3 #0
  LOADK r4 #1000000000
  LOADK r5 #0
  LOADK r6 #1000000000
  LOADK r7 #1000000000
  LOADK r8 #0
  LOADK r9 #1000000000
  CALL r0 10 1
  GETGLOBAL r0 "debugprint"
  LOADK r1 "far"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 2
  GETGLOBAL r3 "getattribute"
  LOADK r4 #3
  LOADK r5 #12
  LOADK r6 #0
  CALL r3 4 2
  CALL r0 4 1
.lineno 61
  GETGLOBAL r0 "rotatebrush"
  LOADK r1 #12
  LOADK r2 #0
  LOADK r3 #30000
  LOADK r4 #30000
  CALL r0 5 1
  GETGLOBAL r0 "debugprint"
  LOADK r1 "huge rotate"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 2
  GETGLOBAL r3 "getattribute"
  LOADK r4 #3
  LOADK r5 #12
  LOADK r6 #0
  CALL r3 4 2
  CALL r0 4 1
.lineno 62
  GETGLOBAL r0 "createshadowbrush"
  LOADK r1 #13
  LOADK r2 #12
  LOADK r3 #0
  LOADK r4 #20000
  CALL r0 5 1
  GETGLOBAL r0 "debugprint"
  LOADK r1 "huge shadow"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 2
  CALL r0 3 1
.lineno 63
  GETGLOBAL r0 "blurbrush"
  LOADK r1 #12
  LOADK r2 #2
  CALL r0 3 1
  GETGLOBAL r0 "embossbrush"
  LOADK r1 #12
  LOADK r2 #1
  CALL r0 3 1
  GETGLOBAL r0 "edgebrush"
  LOADK r1 #12
  CALL r0 2 1
  GETGLOBAL r0 "sharpenbrush"
  LOADK r1 #12
  LOADK r2 #1
  CALL r0 3 1
  GETGLOBAL r0 "solarizebrush"
  LOADK r1 #12
  LOADK r2 "50%"
  CALL r0 3 1
  GETGLOBAL r0 "gammabrush"
  LOADK r1 #12
  LOADK r2 #1
  LOADK r3 #2
  LOADK r4 #0.5
  CALL r0 5 1
  GETGLOBAL r0 "contrastbrush"
  LOADK r1 #12
  LOADBOOL r2 0 0
  LOADK r3 #2
  CALL r0 4 1
  GETGLOBAL r0 "modulatebrush"
  LOADK r1 #12
  LOADK r2 #1
  LOADK r3 #1
  LOADK r4 #1
  CALL r0 5 1
  GETGLOBAL r0 "sepiatonebrush"
  LOADK r1 #12
  LOADK r2 #128
  CALL r0 3 1
  GETGLOBAL r0 "charcoalbrush"
  LOADK r1 #12
  LOADK r2 #1
  CALL r0 3 1
  GETGLOBAL r0 "swirlbrush"
  LOADK r1 #12
  LOADK r2 #45
  CALL r0 3 1
  GETGLOBAL r0 "pixelatebrush"
  LOADK r1 #12
  LOADK r2 #2
  CALL r0 3 1
  GETGLOBAL r0 "brushtomonochrome"
  LOADK r1 #12
  CALL r0 2 1
  GETGLOBAL r0 "waterripplebrush"
  LOADK r1 #12
  LOADK r2 #4
  LOADK r3 #2
  CALL r0 4 1
  GETGLOBAL r0 "oilpaintbrush"
  LOADK r1 #12
  LOADK r2 #1
  CALL r0 3 1
  GETGLOBAL r0 "arcdistortbrush"
  LOADK r1 #12
  LOADK r2 #60
  CALL r0 3 1
  GETGLOBAL r0 "polardistortbrush"
  LOADK r1 #12
  CALL r0 2 1
  GETGLOBAL r0 "barreldistortbrush"
  LOADK r1 #12
  LOADK r2 #0.1
  LOADK r3 #0.1
  LOADK r4 #0.1
  CALL r0 5 1
  GETGLOBAL r0 "rasterizebrush"
  LOADK r1 #12
  CALL r0 2 1
.lineno 64
  GETGLOBAL r0 "debugprint"
  LOADK r1 "effects"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 2
  CALL r0 3 1
  RETURN r0 1
