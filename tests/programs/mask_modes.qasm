; label: display.brush
; Each mask mode drawing into a selected mask: the target row holds 0 0 1 1 | 0 1 and gets a source
; with mask 0 1 0 1 at x 0, then a source without mask at x 4. Modes outside 0..5 change nothing.
; ExitOnError(false)
; RGBArrayToBrush(1, {0, 0xFF000000, 0, 0xFF000000}, 4, 1, 28); CreateBrush(2, 2, 1, 0xFFFFFF)
; RGBArrayToBrush(20, {0, 0, 0xFF000000, 0xFF000000, 0, 0xFF000000}, 6, 1, 28); SetMaskMode(0); SelectMask(20); DisplayBrush(1, 0, 0); DisplayBrush(2, 4, 0); EndSelect()
; set _, a = ReadBrushPixel(20, 0, 0); set _, b = ReadBrushPixel(20, 1, 0); set _, c = ReadBrushPixel(20, 2, 0); set _, d = ReadBrushPixel(20, 3, 0); set _, e = ReadBrushPixel(20, 4, 0); set _, f = ReadBrushPixel(20, 5, 0); DebugPrint("mode", 0, a, b, c, d, e, f, GetLastError())
; RGBArrayToBrush(21, {0, 0, 0xFF000000, 0xFF000000, 0, 0xFF000000}, 6, 1, 28); SetMaskMode(1); SelectMask(21); DisplayBrush(1, 0, 0); DisplayBrush(2, 4, 0); EndSelect()
; set _, a = ReadBrushPixel(21, 0, 0); set _, b = ReadBrushPixel(21, 1, 0); set _, c = ReadBrushPixel(21, 2, 0); set _, d = ReadBrushPixel(21, 3, 0); set _, e = ReadBrushPixel(21, 4, 0); set _, f = ReadBrushPixel(21, 5, 0); DebugPrint("mode", 1, a, b, c, d, e, f, GetLastError())
; RGBArrayToBrush(22, {0, 0, 0xFF000000, 0xFF000000, 0, 0xFF000000}, 6, 1, 28); SetMaskMode(2); SelectMask(22); DisplayBrush(1, 0, 0); DisplayBrush(2, 4, 0); EndSelect()
; set _, a = ReadBrushPixel(22, 0, 0); set _, b = ReadBrushPixel(22, 1, 0); set _, c = ReadBrushPixel(22, 2, 0); set _, d = ReadBrushPixel(22, 3, 0); set _, e = ReadBrushPixel(22, 4, 0); set _, f = ReadBrushPixel(22, 5, 0); DebugPrint("mode", 2, a, b, c, d, e, f, GetLastError())
; RGBArrayToBrush(23, {0, 0, 0xFF000000, 0xFF000000, 0, 0xFF000000}, 6, 1, 28); SetMaskMode(3); SelectMask(23); DisplayBrush(1, 0, 0); DisplayBrush(2, 4, 0); EndSelect()
; set _, a = ReadBrushPixel(23, 0, 0); set _, b = ReadBrushPixel(23, 1, 0); set _, c = ReadBrushPixel(23, 2, 0); set _, d = ReadBrushPixel(23, 3, 0); set _, e = ReadBrushPixel(23, 4, 0); set _, f = ReadBrushPixel(23, 5, 0); DebugPrint("mode", 3, a, b, c, d, e, f, GetLastError())
; RGBArrayToBrush(24, {0, 0, 0xFF000000, 0xFF000000, 0, 0xFF000000}, 6, 1, 28); SetMaskMode(4); SelectMask(24); DisplayBrush(1, 0, 0); DisplayBrush(2, 4, 0); EndSelect()
; set _, a = ReadBrushPixel(24, 0, 0); set _, b = ReadBrushPixel(24, 1, 0); set _, c = ReadBrushPixel(24, 2, 0); set _, d = ReadBrushPixel(24, 3, 0); set _, e = ReadBrushPixel(24, 4, 0); set _, f = ReadBrushPixel(24, 5, 0); DebugPrint("mode", 4, a, b, c, d, e, f, GetLastError())
; RGBArrayToBrush(25, {0, 0, 0xFF000000, 0xFF000000, 0, 0xFF000000}, 6, 1, 28); SetMaskMode(5); SelectMask(25); DisplayBrush(1, 0, 0); DisplayBrush(2, 4, 0); EndSelect()
; set _, a = ReadBrushPixel(25, 0, 0); set _, b = ReadBrushPixel(25, 1, 0); set _, c = ReadBrushPixel(25, 2, 0); set _, d = ReadBrushPixel(25, 3, 0); set _, e = ReadBrushPixel(25, 4, 0); set _, f = ReadBrushPixel(25, 5, 0); DebugPrint("mode", 5, a, b, c, d, e, f, GetLastError())
; RGBArrayToBrush(29, {0, 0, 0xFF000000, 0xFF000000, 0, 0xFF000000}, 6, 1, 28); SetMaskMode(9); SelectMask(29); DisplayBrush(1, 0, 0); DisplayBrush(2, 4, 0); EndSelect()
; set _, a = ReadBrushPixel(29, 0, 0); set _, b = ReadBrushPixel(29, 1, 0); set _, c = ReadBrushPixel(29, 2, 0); set _, d = ReadBrushPixel(29, 3, 0); set _, e = ReadBrushPixel(29, 4, 0); set _, f = ReadBrushPixel(29, 5, 0); DebugPrint("mode", 9, a, b, c, d, e, f, GetLastError())
; RGBArrayToBrush(29, {0, 0, 0xFF000000, 0xFF000000, 0, 0xFF000000}, 6, 1, 28); SetMaskMode(-1); SelectMask(29); DisplayBrush(1, 0, 0); DisplayBrush(2, 4, 0); EndSelect()
; set _, a = ReadBrushPixel(29, 0, 0); set _, b = ReadBrushPixel(29, 1, 0); set _, c = ReadBrushPixel(29, 2, 0); set _, d = ReadBrushPixel(29, 3, 0); set _, e = ReadBrushPixel(29, 4, 0); set _, f = ReadBrushPixel(29, 5, 0); DebugPrint("mode", -1, a, b, c, d, e, f, GetLastError())
.source "@mask_modes.qasm"
.maxstack 12
.lineno 1
  GETGLOBAL r0 "exitonerror"
  LOADBOOL r1 0 0
  CALL r0 2 1
.lineno 2
  GETGLOBAL r0 "rgbarraytobrush"
  LOADK r1 #1
  NEWTABLE r2 0 0
  LOADK r3 #0
  SETTABLE r2 #0 r3
  LOADK r3 #4278190080
  SETTABLE r2 #1 r3
  LOADK r3 #0
  SETTABLE r2 #2 r3
  LOADK r3 #4278190080
  SETTABLE r2 #3 r3
  LOADK r3 #4
  LOADK r4 #1
  LOADK r5 #28
  CALL r0 6 1
  GETGLOBAL r0 "createbrush"
  LOADK r1 #2
  LOADK r2 #2
  LOADK r3 #1
  LOADK r4 #16777215
  CALL r0 5 1
.lineno 3
  GETGLOBAL r0 "rgbarraytobrush"
  LOADK r1 #20
  NEWTABLE r2 0 0
  LOADK r3 #0
  SETTABLE r2 #0 r3
  LOADK r3 #0
  SETTABLE r2 #1 r3
  LOADK r3 #4278190080
  SETTABLE r2 #2 r3
  LOADK r3 #4278190080
  SETTABLE r2 #3 r3
  LOADK r3 #0
  SETTABLE r2 #4 r3
  LOADK r3 #4278190080
  SETTABLE r2 #5 r3
  LOADK r3 #6
  LOADK r4 #1
  LOADK r5 #28
  CALL r0 6 1
  GETGLOBAL r0 "setmaskmode"
  LOADK r1 #0
  CALL r0 2 1
  GETGLOBAL r0 "selectmask"
  LOADK r1 #20
  CALL r0 2 1
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #1
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 1
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #2
  LOADK r2 #4
  LOADK r3 #0
  CALL r0 4 1
  GETGLOBAL r0 "endselect"
  CALL r0 1 1
.lineno 4
  GETGLOBAL r0 "readbrushpixel"
  LOADK r1 #20
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 3
  SETGLOBAL r1 "a"
  GETGLOBAL r0 "readbrushpixel"
  LOADK r1 #20
  LOADK r2 #1
  LOADK r3 #0
  CALL r0 4 3
  SETGLOBAL r1 "b"
  GETGLOBAL r0 "readbrushpixel"
  LOADK r1 #20
  LOADK r2 #2
  LOADK r3 #0
  CALL r0 4 3
  SETGLOBAL r1 "c"
  GETGLOBAL r0 "readbrushpixel"
  LOADK r1 #20
  LOADK r2 #3
  LOADK r3 #0
  CALL r0 4 3
  SETGLOBAL r1 "d"
  GETGLOBAL r0 "readbrushpixel"
  LOADK r1 #20
  LOADK r2 #4
  LOADK r3 #0
  CALL r0 4 3
  SETGLOBAL r1 "e"
  GETGLOBAL r0 "readbrushpixel"
  LOADK r1 #20
  LOADK r2 #5
  LOADK r3 #0
  CALL r0 4 3
  SETGLOBAL r1 "f"
  GETGLOBAL r0 "debugprint"
  LOADK r1 "mode"
  LOADK r2 #0
  GETGLOBAL r3 "a"
  GETGLOBAL r4 "b"
  GETGLOBAL r5 "c"
  GETGLOBAL r6 "d"
  GETGLOBAL r7 "e"
  GETGLOBAL r8 "f"
  GETGLOBAL r9 "getlasterror"
  CALL r9 1 2
  CALL r0 10 1
.lineno 5
  GETGLOBAL r0 "rgbarraytobrush"
  LOADK r1 #21
  NEWTABLE r2 0 0
  LOADK r3 #0
  SETTABLE r2 #0 r3
  LOADK r3 #0
  SETTABLE r2 #1 r3
  LOADK r3 #4278190080
  SETTABLE r2 #2 r3
  LOADK r3 #4278190080
  SETTABLE r2 #3 r3
  LOADK r3 #0
  SETTABLE r2 #4 r3
  LOADK r3 #4278190080
  SETTABLE r2 #5 r3
  LOADK r3 #6
  LOADK r4 #1
  LOADK r5 #28
  CALL r0 6 1
  GETGLOBAL r0 "setmaskmode"
  LOADK r1 #1
  CALL r0 2 1
  GETGLOBAL r0 "selectmask"
  LOADK r1 #21
  CALL r0 2 1
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #1
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 1
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #2
  LOADK r2 #4
  LOADK r3 #0
  CALL r0 4 1
  GETGLOBAL r0 "endselect"
  CALL r0 1 1
.lineno 6
  GETGLOBAL r0 "readbrushpixel"
  LOADK r1 #21
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 3
  SETGLOBAL r1 "a"
  GETGLOBAL r0 "readbrushpixel"
  LOADK r1 #21
  LOADK r2 #1
  LOADK r3 #0
  CALL r0 4 3
  SETGLOBAL r1 "b"
  GETGLOBAL r0 "readbrushpixel"
  LOADK r1 #21
  LOADK r2 #2
  LOADK r3 #0
  CALL r0 4 3
  SETGLOBAL r1 "c"
  GETGLOBAL r0 "readbrushpixel"
  LOADK r1 #21
  LOADK r2 #3
  LOADK r3 #0
  CALL r0 4 3
  SETGLOBAL r1 "d"
  GETGLOBAL r0 "readbrushpixel"
  LOADK r1 #21
  LOADK r2 #4
  LOADK r3 #0
  CALL r0 4 3
  SETGLOBAL r1 "e"
  GETGLOBAL r0 "readbrushpixel"
  LOADK r1 #21
  LOADK r2 #5
  LOADK r3 #0
  CALL r0 4 3
  SETGLOBAL r1 "f"
  GETGLOBAL r0 "debugprint"
  LOADK r1 "mode"
  LOADK r2 #1
  GETGLOBAL r3 "a"
  GETGLOBAL r4 "b"
  GETGLOBAL r5 "c"
  GETGLOBAL r6 "d"
  GETGLOBAL r7 "e"
  GETGLOBAL r8 "f"
  GETGLOBAL r9 "getlasterror"
  CALL r9 1 2
  CALL r0 10 1
.lineno 7
  GETGLOBAL r0 "rgbarraytobrush"
  LOADK r1 #22
  NEWTABLE r2 0 0
  LOADK r3 #0
  SETTABLE r2 #0 r3
  LOADK r3 #0
  SETTABLE r2 #1 r3
  LOADK r3 #4278190080
  SETTABLE r2 #2 r3
  LOADK r3 #4278190080
  SETTABLE r2 #3 r3
  LOADK r3 #0
  SETTABLE r2 #4 r3
  LOADK r3 #4278190080
  SETTABLE r2 #5 r3
  LOADK r3 #6
  LOADK r4 #1
  LOADK r5 #28
  CALL r0 6 1
  GETGLOBAL r0 "setmaskmode"
  LOADK r1 #2
  CALL r0 2 1
  GETGLOBAL r0 "selectmask"
  LOADK r1 #22
  CALL r0 2 1
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #1
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 1
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #2
  LOADK r2 #4
  LOADK r3 #0
  CALL r0 4 1
  GETGLOBAL r0 "endselect"
  CALL r0 1 1
.lineno 8
  GETGLOBAL r0 "readbrushpixel"
  LOADK r1 #22
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 3
  SETGLOBAL r1 "a"
  GETGLOBAL r0 "readbrushpixel"
  LOADK r1 #22
  LOADK r2 #1
  LOADK r3 #0
  CALL r0 4 3
  SETGLOBAL r1 "b"
  GETGLOBAL r0 "readbrushpixel"
  LOADK r1 #22
  LOADK r2 #2
  LOADK r3 #0
  CALL r0 4 3
  SETGLOBAL r1 "c"
  GETGLOBAL r0 "readbrushpixel"
  LOADK r1 #22
  LOADK r2 #3
  LOADK r3 #0
  CALL r0 4 3
  SETGLOBAL r1 "d"
  GETGLOBAL r0 "readbrushpixel"
  LOADK r1 #22
  LOADK r2 #4
  LOADK r3 #0
  CALL r0 4 3
  SETGLOBAL r1 "e"
  GETGLOBAL r0 "readbrushpixel"
  LOADK r1 #22
  LOADK r2 #5
  LOADK r3 #0
  CALL r0 4 3
  SETGLOBAL r1 "f"
  GETGLOBAL r0 "debugprint"
  LOADK r1 "mode"
  LOADK r2 #2
  GETGLOBAL r3 "a"
  GETGLOBAL r4 "b"
  GETGLOBAL r5 "c"
  GETGLOBAL r6 "d"
  GETGLOBAL r7 "e"
  GETGLOBAL r8 "f"
  GETGLOBAL r9 "getlasterror"
  CALL r9 1 2
  CALL r0 10 1
.lineno 9
  GETGLOBAL r0 "rgbarraytobrush"
  LOADK r1 #23
  NEWTABLE r2 0 0
  LOADK r3 #0
  SETTABLE r2 #0 r3
  LOADK r3 #0
  SETTABLE r2 #1 r3
  LOADK r3 #4278190080
  SETTABLE r2 #2 r3
  LOADK r3 #4278190080
  SETTABLE r2 #3 r3
  LOADK r3 #0
  SETTABLE r2 #4 r3
  LOADK r3 #4278190080
  SETTABLE r2 #5 r3
  LOADK r3 #6
  LOADK r4 #1
  LOADK r5 #28
  CALL r0 6 1
  GETGLOBAL r0 "setmaskmode"
  LOADK r1 #3
  CALL r0 2 1
  GETGLOBAL r0 "selectmask"
  LOADK r1 #23
  CALL r0 2 1
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #1
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 1
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #2
  LOADK r2 #4
  LOADK r3 #0
  CALL r0 4 1
  GETGLOBAL r0 "endselect"
  CALL r0 1 1
.lineno 10
  GETGLOBAL r0 "readbrushpixel"
  LOADK r1 #23
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 3
  SETGLOBAL r1 "a"
  GETGLOBAL r0 "readbrushpixel"
  LOADK r1 #23
  LOADK r2 #1
  LOADK r3 #0
  CALL r0 4 3
  SETGLOBAL r1 "b"
  GETGLOBAL r0 "readbrushpixel"
  LOADK r1 #23
  LOADK r2 #2
  LOADK r3 #0
  CALL r0 4 3
  SETGLOBAL r1 "c"
  GETGLOBAL r0 "readbrushpixel"
  LOADK r1 #23
  LOADK r2 #3
  LOADK r3 #0
  CALL r0 4 3
  SETGLOBAL r1 "d"
  GETGLOBAL r0 "readbrushpixel"
  LOADK r1 #23
  LOADK r2 #4
  LOADK r3 #0
  CALL r0 4 3
  SETGLOBAL r1 "e"
  GETGLOBAL r0 "readbrushpixel"
  LOADK r1 #23
  LOADK r2 #5
  LOADK r3 #0
  CALL r0 4 3
  SETGLOBAL r1 "f"
  GETGLOBAL r0 "debugprint"
  LOADK r1 "mode"
  LOADK r2 #3
  GETGLOBAL r3 "a"
  GETGLOBAL r4 "b"
  GETGLOBAL r5 "c"
  GETGLOBAL r6 "d"
  GETGLOBAL r7 "e"
  GETGLOBAL r8 "f"
  GETGLOBAL r9 "getlasterror"
  CALL r9 1 2
  CALL r0 10 1
.lineno 11
  GETGLOBAL r0 "rgbarraytobrush"
  LOADK r1 #24
  NEWTABLE r2 0 0
  LOADK r3 #0
  SETTABLE r2 #0 r3
  LOADK r3 #0
  SETTABLE r2 #1 r3
  LOADK r3 #4278190080
  SETTABLE r2 #2 r3
  LOADK r3 #4278190080
  SETTABLE r2 #3 r3
  LOADK r3 #0
  SETTABLE r2 #4 r3
  LOADK r3 #4278190080
  SETTABLE r2 #5 r3
  LOADK r3 #6
  LOADK r4 #1
  LOADK r5 #28
  CALL r0 6 1
  GETGLOBAL r0 "setmaskmode"
  LOADK r1 #4
  CALL r0 2 1
  GETGLOBAL r0 "selectmask"
  LOADK r1 #24
  CALL r0 2 1
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #1
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 1
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #2
  LOADK r2 #4
  LOADK r3 #0
  CALL r0 4 1
  GETGLOBAL r0 "endselect"
  CALL r0 1 1
.lineno 12
  GETGLOBAL r0 "readbrushpixel"
  LOADK r1 #24
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 3
  SETGLOBAL r1 "a"
  GETGLOBAL r0 "readbrushpixel"
  LOADK r1 #24
  LOADK r2 #1
  LOADK r3 #0
  CALL r0 4 3
  SETGLOBAL r1 "b"
  GETGLOBAL r0 "readbrushpixel"
  LOADK r1 #24
  LOADK r2 #2
  LOADK r3 #0
  CALL r0 4 3
  SETGLOBAL r1 "c"
  GETGLOBAL r0 "readbrushpixel"
  LOADK r1 #24
  LOADK r2 #3
  LOADK r3 #0
  CALL r0 4 3
  SETGLOBAL r1 "d"
  GETGLOBAL r0 "readbrushpixel"
  LOADK r1 #24
  LOADK r2 #4
  LOADK r3 #0
  CALL r0 4 3
  SETGLOBAL r1 "e"
  GETGLOBAL r0 "readbrushpixel"
  LOADK r1 #24
  LOADK r2 #5
  LOADK r3 #0
  CALL r0 4 3
  SETGLOBAL r1 "f"
  GETGLOBAL r0 "debugprint"
  LOADK r1 "mode"
  LOADK r2 #4
  GETGLOBAL r3 "a"
  GETGLOBAL r4 "b"
  GETGLOBAL r5 "c"
  GETGLOBAL r6 "d"
  GETGLOBAL r7 "e"
  GETGLOBAL r8 "f"
  GETGLOBAL r9 "getlasterror"
  CALL r9 1 2
  CALL r0 10 1
.lineno 13
  GETGLOBAL r0 "rgbarraytobrush"
  LOADK r1 #25
  NEWTABLE r2 0 0
  LOADK r3 #0
  SETTABLE r2 #0 r3
  LOADK r3 #0
  SETTABLE r2 #1 r3
  LOADK r3 #4278190080
  SETTABLE r2 #2 r3
  LOADK r3 #4278190080
  SETTABLE r2 #3 r3
  LOADK r3 #0
  SETTABLE r2 #4 r3
  LOADK r3 #4278190080
  SETTABLE r2 #5 r3
  LOADK r3 #6
  LOADK r4 #1
  LOADK r5 #28
  CALL r0 6 1
  GETGLOBAL r0 "setmaskmode"
  LOADK r1 #5
  CALL r0 2 1
  GETGLOBAL r0 "selectmask"
  LOADK r1 #25
  CALL r0 2 1
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #1
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 1
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #2
  LOADK r2 #4
  LOADK r3 #0
  CALL r0 4 1
  GETGLOBAL r0 "endselect"
  CALL r0 1 1
.lineno 14
  GETGLOBAL r0 "readbrushpixel"
  LOADK r1 #25
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 3
  SETGLOBAL r1 "a"
  GETGLOBAL r0 "readbrushpixel"
  LOADK r1 #25
  LOADK r2 #1
  LOADK r3 #0
  CALL r0 4 3
  SETGLOBAL r1 "b"
  GETGLOBAL r0 "readbrushpixel"
  LOADK r1 #25
  LOADK r2 #2
  LOADK r3 #0
  CALL r0 4 3
  SETGLOBAL r1 "c"
  GETGLOBAL r0 "readbrushpixel"
  LOADK r1 #25
  LOADK r2 #3
  LOADK r3 #0
  CALL r0 4 3
  SETGLOBAL r1 "d"
  GETGLOBAL r0 "readbrushpixel"
  LOADK r1 #25
  LOADK r2 #4
  LOADK r3 #0
  CALL r0 4 3
  SETGLOBAL r1 "e"
  GETGLOBAL r0 "readbrushpixel"
  LOADK r1 #25
  LOADK r2 #5
  LOADK r3 #0
  CALL r0 4 3
  SETGLOBAL r1 "f"
  GETGLOBAL r0 "debugprint"
  LOADK r1 "mode"
  LOADK r2 #5
  GETGLOBAL r3 "a"
  GETGLOBAL r4 "b"
  GETGLOBAL r5 "c"
  GETGLOBAL r6 "d"
  GETGLOBAL r7 "e"
  GETGLOBAL r8 "f"
  GETGLOBAL r9 "getlasterror"
  CALL r9 1 2
  CALL r0 10 1
.lineno 15
  GETGLOBAL r0 "rgbarraytobrush"
  LOADK r1 #29
  NEWTABLE r2 0 0
  LOADK r3 #0
  SETTABLE r2 #0 r3
  LOADK r3 #0
  SETTABLE r2 #1 r3
  LOADK r3 #4278190080
  SETTABLE r2 #2 r3
  LOADK r3 #4278190080
  SETTABLE r2 #3 r3
  LOADK r3 #0
  SETTABLE r2 #4 r3
  LOADK r3 #4278190080
  SETTABLE r2 #5 r3
  LOADK r3 #6
  LOADK r4 #1
  LOADK r5 #28
  CALL r0 6 1
  GETGLOBAL r0 "setmaskmode"
  LOADK r1 #9
  CALL r0 2 1
  GETGLOBAL r0 "selectmask"
  LOADK r1 #29
  CALL r0 2 1
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #1
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 1
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #2
  LOADK r2 #4
  LOADK r3 #0
  CALL r0 4 1
  GETGLOBAL r0 "endselect"
  CALL r0 1 1
.lineno 16
  GETGLOBAL r0 "readbrushpixel"
  LOADK r1 #29
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 3
  SETGLOBAL r1 "a"
  GETGLOBAL r0 "readbrushpixel"
  LOADK r1 #29
  LOADK r2 #1
  LOADK r3 #0
  CALL r0 4 3
  SETGLOBAL r1 "b"
  GETGLOBAL r0 "readbrushpixel"
  LOADK r1 #29
  LOADK r2 #2
  LOADK r3 #0
  CALL r0 4 3
  SETGLOBAL r1 "c"
  GETGLOBAL r0 "readbrushpixel"
  LOADK r1 #29
  LOADK r2 #3
  LOADK r3 #0
  CALL r0 4 3
  SETGLOBAL r1 "d"
  GETGLOBAL r0 "readbrushpixel"
  LOADK r1 #29
  LOADK r2 #4
  LOADK r3 #0
  CALL r0 4 3
  SETGLOBAL r1 "e"
  GETGLOBAL r0 "readbrushpixel"
  LOADK r1 #29
  LOADK r2 #5
  LOADK r3 #0
  CALL r0 4 3
  SETGLOBAL r1 "f"
  GETGLOBAL r0 "debugprint"
  LOADK r1 "mode"
  LOADK r2 #9
  GETGLOBAL r3 "a"
  GETGLOBAL r4 "b"
  GETGLOBAL r5 "c"
  GETGLOBAL r6 "d"
  GETGLOBAL r7 "e"
  GETGLOBAL r8 "f"
  GETGLOBAL r9 "getlasterror"
  CALL r9 1 2
  CALL r0 10 1
.lineno 17
  GETGLOBAL r0 "rgbarraytobrush"
  LOADK r1 #29
  NEWTABLE r2 0 0
  LOADK r3 #0
  SETTABLE r2 #0 r3
  LOADK r3 #0
  SETTABLE r2 #1 r3
  LOADK r3 #4278190080
  SETTABLE r2 #2 r3
  LOADK r3 #4278190080
  SETTABLE r2 #3 r3
  LOADK r3 #0
  SETTABLE r2 #4 r3
  LOADK r3 #4278190080
  SETTABLE r2 #5 r3
  LOADK r3 #6
  LOADK r4 #1
  LOADK r5 #28
  CALL r0 6 1
  GETGLOBAL r0 "setmaskmode"
  LOADK r1 #-1
  CALL r0 2 1
  GETGLOBAL r0 "selectmask"
  LOADK r1 #29
  CALL r0 2 1
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #1
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 1
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #2
  LOADK r2 #4
  LOADK r3 #0
  CALL r0 4 1
  GETGLOBAL r0 "endselect"
  CALL r0 1 1
.lineno 18
  GETGLOBAL r0 "readbrushpixel"
  LOADK r1 #29
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 3
  SETGLOBAL r1 "a"
  GETGLOBAL r0 "readbrushpixel"
  LOADK r1 #29
  LOADK r2 #1
  LOADK r3 #0
  CALL r0 4 3
  SETGLOBAL r1 "b"
  GETGLOBAL r0 "readbrushpixel"
  LOADK r1 #29
  LOADK r2 #2
  LOADK r3 #0
  CALL r0 4 3
  SETGLOBAL r1 "c"
  GETGLOBAL r0 "readbrushpixel"
  LOADK r1 #29
  LOADK r2 #3
  LOADK r3 #0
  CALL r0 4 3
  SETGLOBAL r1 "d"
  GETGLOBAL r0 "readbrushpixel"
  LOADK r1 #29
  LOADK r2 #4
  LOADK r3 #0
  CALL r0 4 3
  SETGLOBAL r1 "e"
  GETGLOBAL r0 "readbrushpixel"
  LOADK r1 #29
  LOADK r2 #5
  LOADK r3 #0
  CALL r0 4 3
  SETGLOBAL r1 "f"
  GETGLOBAL r0 "debugprint"
  LOADK r1 "mode"
  LOADK r2 #-1
  GETGLOBAL r3 "a"
  GETGLOBAL r4 "b"
  GETGLOBAL r5 "c"
  GETGLOBAL r6 "d"
  GETGLOBAL r7 "e"
  GETGLOBAL r8 "f"
  GETGLOBAL r9 "getlasterror"
  CALL r9 1 2
  CALL r0 10 1
  RETURN r0 1
