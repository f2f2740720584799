; label: draw.targets
; Box (filled) into a selected mask in each mask mode, over a mask all clear and all set: modes 0,
; 2 and 5 set the box's bits, 1 clears them, 3 toggles them and 4 (and) keeps them; the bit at
; (15, 15), outside the box, keeps what Cls left.
; ExitOnError(False)  SetFillStyle(1)  CreateBrush(3, 20, 20, 0)  SelectMask(3)
; For mode = 0 To 5  For start = 0 To 1
;   SetMaskMode(1 - start)  Cls()  SetMaskMode(mode)  Box(0, 0, 10, 10)
;   DebugPrint(mode, start, ReadPixel(4, 4), ReadPixel(15, 15))
.source "@draw_mask_modes.qasm"
.maxstack 12
.lineno 5
  GETGLOBAL r0 "exitonerror"
  LOADBOOL r1 0 0
  CALL r0 2 1
  GETGLOBAL r0 "setfillstyle"
  LOADK r1 #1
  CALL r0 2 1
  GETGLOBAL r0 "createbrush"
  LOADK r1 #3
  LOADK r2 #20
  LOADK r3 #20
  LOADK r4 #0
  CALL r0 5 1
  GETGLOBAL r0 "selectmask"
  LOADK r1 #3
  CALL r0 2 1
.lineno 7
  GETGLOBAL r0 "setmaskmode"
  LOADK r1 #1
  CALL r0 2 1
  GETGLOBAL r0 "cls"
  CALL r0 1 1
  GETGLOBAL r0 "setmaskmode"
  LOADK r1 #0
  CALL r0 2 1
  GETGLOBAL r0 "box"
  LOADK r1 #0
  LOADK r2 #0
  LOADK r3 #10
  LOADK r4 #10
  CALL r0 5 1
.lineno 8
  GETGLOBAL r0 "debugprint"
  LOADK r1 #0
  LOADK r2 #0
  GETGLOBAL r3 "readpixel"
  LOADK r4 #4
  LOADK r5 #4
  CALL r3 3 2
  GETGLOBAL r4 "readpixel"
  LOADK r5 #15
  LOADK r6 #15
  CALL r4 3 2
  CALL r0 5 1
.lineno 7
  GETGLOBAL r0 "setmaskmode"
  LOADK r1 #0
  CALL r0 2 1
  GETGLOBAL r0 "cls"
  CALL r0 1 1
  GETGLOBAL r0 "setmaskmode"
  LOADK r1 #0
  CALL r0 2 1
  GETGLOBAL r0 "box"
  LOADK r1 #0
  LOADK r2 #0
  LOADK r3 #10
  LOADK r4 #10
  CALL r0 5 1
.lineno 8
  GETGLOBAL r0 "debugprint"
  LOADK r1 #0
  LOADK r2 #1
  GETGLOBAL r3 "readpixel"
  LOADK r4 #4
  LOADK r5 #4
  CALL r3 3 2
  GETGLOBAL r4 "readpixel"
  LOADK r5 #15
  LOADK r6 #15
  CALL r4 3 2
  CALL r0 5 1
.lineno 7
  GETGLOBAL r0 "setmaskmode"
  LOADK r1 #1
  CALL r0 2 1
  GETGLOBAL r0 "cls"
  CALL r0 1 1
  GETGLOBAL r0 "setmaskmode"
  LOADK r1 #1
  CALL r0 2 1
  GETGLOBAL r0 "box"
  LOADK r1 #0
  LOADK r2 #0
  LOADK r3 #10
  LOADK r4 #10
  CALL r0 5 1
.lineno 8
  GETGLOBAL r0 "debugprint"
  LOADK r1 #1
  LOADK r2 #0
  GETGLOBAL r3 "readpixel"
  LOADK r4 #4
  LOADK r5 #4
  CALL r3 3 2
  GETGLOBAL r4 "readpixel"
  LOADK r5 #15
  LOADK r6 #15
  CALL r4 3 2
  CALL r0 5 1
.lineno 7
  GETGLOBAL r0 "setmaskmode"
  LOADK r1 #0
  CALL r0 2 1
  GETGLOBAL r0 "cls"
  CALL r0 1 1
  GETGLOBAL r0 "setmaskmode"
  LOADK r1 #1
  CALL r0 2 1
  GETGLOBAL r0 "box"
  LOADK r1 #0
  LOADK r2 #0
  LOADK r3 #10
  LOADK r4 #10
  CALL r0 5 1
.lineno 8
  GETGLOBAL r0 "debugprint"
  LOADK r1 #1
  LOADK r2 #1
  GETGLOBAL r3 "readpixel"
  LOADK r4 #4
  LOADK r5 #4
  CALL r3 3 2
  GETGLOBAL r4 "readpixel"
  LOADK r5 #15
  LOADK r6 #15
  CALL r4 3 2
  CALL r0 5 1
.lineno 7
  GETGLOBAL r0 "setmaskmode"
  LOADK r1 #1
  CALL r0 2 1
  GETGLOBAL r0 "cls"
  CALL r0 1 1
  GETGLOBAL r0 "setmaskmode"
  LOADK r1 #2
  CALL r0 2 1
  GETGLOBAL r0 "box"
  LOADK r1 #0
  LOADK r2 #0
  LOADK r3 #10
  LOADK r4 #10
  CALL r0 5 1
.lineno 8
  GETGLOBAL r0 "debugprint"
  LOADK r1 #2
  LOADK r2 #0
  GETGLOBAL r3 "readpixel"
  LOADK r4 #4
  LOADK r5 #4
  CALL r3 3 2
  GETGLOBAL r4 "readpixel"
  LOADK r5 #15
  LOADK r6 #15
  CALL r4 3 2
  CALL r0 5 1
.lineno 7
  GETGLOBAL r0 "setmaskmode"
  LOADK r1 #0
  CALL r0 2 1
  GETGLOBAL r0 "cls"
  CALL r0 1 1
  GETGLOBAL r0 "setmaskmode"
  LOADK r1 #2
  CALL r0 2 1
  GETGLOBAL r0 "box"
  LOADK r1 #0
  LOADK r2 #0
  LOADK r3 #10
  LOADK r4 #10
  CALL r0 5 1
.lineno 8
  GETGLOBAL r0 "debugprint"
  LOADK r1 #2
  LOADK r2 #1
  GETGLOBAL r3 "readpixel"
  LOADK r4 #4
  LOADK r5 #4
  CALL r3 3 2
  GETGLOBAL r4 "readpixel"
  LOADK r5 #15
  LOADK r6 #15
  CALL r4 3 2
  CALL r0 5 1
.lineno 7
  GETGLOBAL r0 "setmaskmode"
  LOADK r1 #1
  CALL r0 2 1
  GETGLOBAL r0 "cls"
  CALL r0 1 1
  GETGLOBAL r0 "setmaskmode"
  LOADK r1 #3
  CALL r0 2 1
  GETGLOBAL r0 "box"
  LOADK r1 #0
  LOADK r2 #0
  LOADK r3 #10
  LOADK r4 #10
  CALL r0 5 1
.lineno 8
  GETGLOBAL r0 "debugprint"
  LOADK r1 #3
  LOADK r2 #0
  GETGLOBAL r3 "readpixel"
  LOADK r4 #4
  LOADK r5 #4
  CALL r3 3 2
  GETGLOBAL r4 "readpixel"
  LOADK r5 #15
  LOADK r6 #15
  CALL r4 3 2
  CALL r0 5 1
.lineno 7
  GETGLOBAL r0 "setmaskmode"
  LOADK r1 #0
  CALL r0 2 1
  GETGLOBAL r0 "cls"
  CALL r0 1 1
  GETGLOBAL r0 "setmaskmode"
  LOADK r1 #3
  CALL r0 2 1
  GETGLOBAL r0 "box"
  LOADK r1 #0
  LOADK r2 #0
  LOADK r3 #10
  LOADK r4 #10
  CALL r0 5 1
.lineno 8
  GETGLOBAL r0 "debugprint"
  LOADK r1 #3
  LOADK r2 #1
  GETGLOBAL r3 "readpixel"
  LOADK r4 #4
  LOADK r5 #4
  CALL r3 3 2
  GETGLOBAL r4 "readpixel"
  LOADK r5 #15
  LOADK r6 #15
  CALL r4 3 2
  CALL r0 5 1
.lineno 7
  GETGLOBAL r0 "setmaskmode"
  LOADK r1 #1
  CALL r0 2 1
  GETGLOBAL r0 "cls"
  CALL r0 1 1
  GETGLOBAL r0 "setmaskmode"
  LOADK r1 #4
  CALL r0 2 1
  GETGLOBAL r0 "box"
  LOADK r1 #0
  LOADK r2 #0
  LOADK r3 #10
  LOADK r4 #10
  CALL r0 5 1
.lineno 8
  GETGLOBAL r0 "debugprint"
  LOADK r1 #4
  LOADK r2 #0
  GETGLOBAL r3 "readpixel"
  LOADK r4 #4
  LOADK r5 #4
  CALL r3 3 2
  GETGLOBAL r4 "readpixel"
  LOADK r5 #15
  LOADK r6 #15
  CALL r4 3 2
  CALL r0 5 1
.lineno 7
  GETGLOBAL r0 "setmaskmode"
  LOADK r1 #0
  CALL r0 2 1
  GETGLOBAL r0 "cls"
  CALL r0 1 1
  GETGLOBAL r0 "setmaskmode"
  LOADK r1 #4
  CALL r0 2 1
  GETGLOBAL r0 "box"
  LOADK r1 #0
  LOADK r2 #0
  LOADK r3 #10
  LOADK r4 #10
  CALL r0 5 1
.lineno 8
  GETGLOBAL r0 "debugprint"
  LOADK r1 #4
  LOADK r2 #1
  GETGLOBAL r3 "readpixel"
  LOADK r4 #4
  LOADK r5 #4
  CALL r3 3 2
  GETGLOBAL r4 "readpixel"
  LOADK r5 #15
  LOADK r6 #15
  CALL r4 3 2
  CALL r0 5 1
.lineno 7
  GETGLOBAL r0 "setmaskmode"
  LOADK r1 #1
  CALL r0 2 1
  GETGLOBAL r0 "cls"
  CALL r0 1 1
  GETGLOBAL r0 "setmaskmode"
  LOADK r1 #5
  CALL r0 2 1
  GETGLOBAL r0 "box"
  LOADK r1 #0
  LOADK r2 #0
  LOADK r3 #10
  LOADK r4 #10
  CALL r0 5 1
.lineno 8
  GETGLOBAL r0 "debugprint"
  LOADK r1 #5
  LOADK r2 #0
  GETGLOBAL r3 "readpixel"
  LOADK r4 #4
  LOADK r5 #4
  CALL r3 3 2
  GETGLOBAL r4 "readpixel"
  LOADK r5 #15
  LOADK r6 #15
  CALL r4 3 2
  CALL r0 5 1
.lineno 7
  GETGLOBAL r0 "setmaskmode"
  LOADK r1 #0
  CALL r0 2 1
  GETGLOBAL r0 "cls"
  CALL r0 1 1
  GETGLOBAL r0 "setmaskmode"
  LOADK r1 #5
  CALL r0 2 1
  GETGLOBAL r0 "box"
  LOADK r1 #0
  LOADK r2 #0
  LOADK r3 #10
  LOADK r4 #10
  CALL r0 5 1
.lineno 8
  GETGLOBAL r0 "debugprint"
  LOADK r1 #5
  LOADK r2 #1
  GETGLOBAL r3 "readpixel"
  LOADK r4 #4
  LOADK r5 #4
  CALL r3 3 2
  GETGLOBAL r4 "readpixel"
  LOADK r5 #15
  LOADK r6 #15
  CALL r4 3 2
  CALL r0 5 1
  RETURN r0 1
