; label: layers.collision
; -- Collision of every kind: boxes by bounds, brushes, layers and sprites through their masks, a
; -- sprite that is not shown, and the errors.
; ExitOnError(false)
; DebugPrint(Collision(14, 0, 0, 10, 10, 9, 9, 5, 5), Collision(14, 0, 0, 10, 10, 10, 0, 5, 5), Collision(14, 0, 0, 10, 10, 0, 10, 5, 5))
; CreateBrush(1, 10, 10, $FF)
; DebugPrint(Collision(3, 1, 0, 0, 1, 9, 9), Collision(3, 1, 0, 0, 1, 10, 0))  -- no planes: the boxes decide
; LoadBrush(2, "m.png")
; SetBrushTransparency(2, $000000)  -- solid only at 7, 7
; DebugPrint(Collision(46, 2, 0, 0, 7, 7, 1, 1), Collision(46, 2, 0, 0, 0, 0, 7, 7), Collision(46, 2, 0, 0, 6, 6, 1, 1), Collision(46, 2, 0, 0, 8, 8, 9, 9))
; DebugPrint(Collision(3, 2, 0, 0, 1, 7, 7), Collision(3, 2, 0, 0, 1, 8, 8), Collision(3, 2, 0, 0, 2, 1, 1))
; CreateSprite(1, 3, 2)
; CreateSprite(2, 3, 1)
; DisplaySprite(1, 20, 20)
; DisplaySprite(2, 25, 25)
; DebugPrint(Collision(48, 1, 27, 27, 1, 1), Collision(48, 1, 20, 20, 7, 7), Collision(32, 1, 2), Collision(32, 2, 1))
; DisplaySprite(2, 28, 28)
; DebugPrint(Collision(32, 1, 2))  -- sprite 1's one solid pixel is now outside sprite 2
; Collision(32, 1, 3)
; DebugPrint(GetLastError())  -- not shown: ERR_SPRITEONSCREEN
; RemoveSprites()
; Collision(22, 1, 2)
; DebugPrint(GetLastError())  -- layers off: ERR_NOLAYERS
; EnableLayers()
; CreateLayer(0, 0, 10, 10)
; CreateLayer(20, 20, 4, 4)
; DebugPrint(Collision(22, 1, 2))
; SetLayerStyle(2, {x = 9, y = 9})
; DebugPrint(Collision(22, 1, 2))
; DisplayBrush(2, 0, 0)
; SetLayerStyle(3, {x = 30, y = 30})
; DebugPrint(Collision(47, 3, 37, 37, 1, 1), Collision(47, 3, 30, 30, 7, 7), Collision(47, 3, 38, 38, 5, 5))
; Collision(22, 1, 4)
; DebugPrint(GetLastError())  -- ERR_LAYERRANGE
; Collision(32, 1, 2)
; DebugPrint(GetLastError())  -- a sprite not shown: ERR_SPRITEONSCREEN
; Collision(48, 1, 0, 0, 5, 5)
; DebugPrint(GetLastError())
; Collision(99, 1, 2)
; DebugPrint(GetLastError())  -- ERR_WRONGUSAGE
.source "@layer_collision.qasm"
.maxstack 64
.lineno 1
  GETGLOBAL r0 "exitonerror"
  LOADBOOL r1 0 0
  CALL r0 2 1
.lineno 2
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "collision"
  LOADK r2 #14
  LOADK r3 #0
  LOADK r4 #0
  LOADK r5 #10
  LOADK r6 #10
  LOADK r7 #9
  LOADK r8 #9
  LOADK r9 #5
  LOADK r10 #5
  CALL r1 10 2
  GETGLOBAL r2 "collision"
  LOADK r3 #14
  LOADK r4 #0
  LOADK r5 #0
  LOADK r6 #10
  LOADK r7 #10
  LOADK r8 #10
  LOADK r9 #0
  LOADK r10 #5
  LOADK r11 #5
  CALL r2 10 2
  GETGLOBAL r3 "collision"
  LOADK r4 #14
  LOADK r5 #0
  LOADK r6 #0
  LOADK r7 #10
  LOADK r8 #10
  LOADK r9 #0
  LOADK r10 #10
  LOADK r11 #5
  LOADK r12 #5
  CALL r3 10 0
  CALL r0 0 1
.lineno 3
  GETGLOBAL r0 "createbrush"
  LOADK r1 #1
  LOADK r2 #10
  LOADK r3 #10
  LOADK r4 #255
  CALL r0 5 1
.lineno 4
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "collision"
  LOADK r2 #3
  LOADK r3 #1
  LOADK r4 #0
  LOADK r5 #0
  LOADK r6 #1
  LOADK r7 #9
  LOADK r8 #9
  CALL r1 8 2
  GETGLOBAL r2 "collision"
  LOADK r3 #3
  LOADK r4 #1
  LOADK r5 #0
  LOADK r6 #0
  LOADK r7 #1
  LOADK r8 #10
  LOADK r9 #0
  CALL r2 8 0
  CALL r0 0 1
.lineno 5
  GETGLOBAL r0 "loadbrush"
  LOADK r1 #2
  LOADK r2 "m.png"
  CALL r0 3 1
.lineno 6
  GETGLOBAL r0 "setbrushtransparency"
  LOADK r1 #2
  LOADK r2 #0
  CALL r0 3 1
.lineno 7
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "collision"
  LOADK r2 #46
  LOADK r3 #2
  LOADK r4 #0
  LOADK r5 #0
  LOADK r6 #7
  LOADK r7 #7
  LOADK r8 #1
  LOADK r9 #1
  CALL r1 9 2
  GETGLOBAL r2 "collision"
  LOADK r3 #46
  LOADK r4 #2
  LOADK r5 #0
  LOADK r6 #0
  LOADK r7 #0
  LOADK r8 #0
  LOADK r9 #7
  LOADK r10 #7
  CALL r2 9 2
  GETGLOBAL r3 "collision"
  LOADK r4 #46
  LOADK r5 #2
  LOADK r6 #0
  LOADK r7 #0
  LOADK r8 #6
  LOADK r9 #6
  LOADK r10 #1
  LOADK r11 #1
  CALL r3 9 2
  GETGLOBAL r4 "collision"
  LOADK r5 #46
  LOADK r6 #2
  LOADK r7 #0
  LOADK r8 #0
  LOADK r9 #8
  LOADK r10 #8
  LOADK r11 #9
  LOADK r12 #9
  CALL r4 9 0
  CALL r0 0 1
.lineno 8
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "collision"
  LOADK r2 #3
  LOADK r3 #2
  LOADK r4 #0
  LOADK r5 #0
  LOADK r6 #1
  LOADK r7 #7
  LOADK r8 #7
  CALL r1 8 2
  GETGLOBAL r2 "collision"
  LOADK r3 #3
  LOADK r4 #2
  LOADK r5 #0
  LOADK r6 #0
  LOADK r7 #1
  LOADK r8 #8
  LOADK r9 #8
  CALL r2 8 2
  GETGLOBAL r3 "collision"
  LOADK r4 #3
  LOADK r5 #2
  LOADK r6 #0
  LOADK r7 #0
  LOADK r8 #2
  LOADK r9 #1
  LOADK r10 #1
  CALL r3 8 0
  CALL r0 0 1
.lineno 9
  GETGLOBAL r0 "createsprite"
  LOADK r1 #1
  LOADK r2 #3
  LOADK r3 #2
  CALL r0 4 1
.lineno 10
  GETGLOBAL r0 "createsprite"
  LOADK r1 #2
  LOADK r2 #3
  LOADK r3 #1
  CALL r0 4 1
.lineno 11
  GETGLOBAL r0 "displaysprite"
  LOADK r1 #1
  LOADK r2 #20
  LOADK r3 #20
  CALL r0 4 1
.lineno 12
  GETGLOBAL r0 "displaysprite"
  LOADK r1 #2
  LOADK r2 #25
  LOADK r3 #25
  CALL r0 4 1
.lineno 13
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "collision"
  LOADK r2 #48
  LOADK r3 #1
  LOADK r4 #27
  LOADK r5 #27
  LOADK r6 #1
  LOADK r7 #1
  CALL r1 7 2
  GETGLOBAL r2 "collision"
  LOADK r3 #48
  LOADK r4 #1
  LOADK r5 #20
  LOADK r6 #20
  LOADK r7 #7
  LOADK r8 #7
  CALL r2 7 2
  GETGLOBAL r3 "collision"
  LOADK r4 #32
  LOADK r5 #1
  LOADK r6 #2
  CALL r3 4 2
  GETGLOBAL r4 "collision"
  LOADK r5 #32
  LOADK r6 #2
  LOADK r7 #1
  CALL r4 4 0
  CALL r0 0 1
.lineno 14
  GETGLOBAL r0 "displaysprite"
  LOADK r1 #2
  LOADK r2 #28
  LOADK r3 #28
  CALL r0 4 1
.lineno 15
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "collision"
  LOADK r2 #32
  LOADK r3 #1
  LOADK r4 #2
  CALL r1 4 0
  CALL r0 0 1
.lineno 16
  GETGLOBAL r0 "collision"
  LOADK r1 #32
  LOADK r2 #1
  LOADK r3 #3
  CALL r0 4 1
.lineno 17
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getlasterror"
  CALL r1 1 0
  CALL r0 0 1
.lineno 18
  GETGLOBAL r0 "removesprites"
  CALL r0 1 1
.lineno 19
  GETGLOBAL r0 "collision"
  LOADK r1 #22
  LOADK r2 #1
  LOADK r3 #2
  CALL r0 4 1
.lineno 20
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getlasterror"
  CALL r1 1 0
  CALL r0 0 1
.lineno 21
  GETGLOBAL r0 "enablelayers"
  CALL r0 1 1
.lineno 22
  GETGLOBAL r0 "createlayer"
  LOADK r1 #0
  LOADK r2 #0
  LOADK r3 #10
  LOADK r4 #10
  CALL r0 5 1
.lineno 23
  GETGLOBAL r0 "createlayer"
  LOADK r1 #20
  LOADK r2 #20
  LOADK r3 #4
  LOADK r4 #4
  CALL r0 5 1
.lineno 24
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "collision"
  LOADK r2 #22
  LOADK r3 #1
  LOADK r4 #2
  CALL r1 4 0
  CALL r0 0 1
.lineno 25
  GETGLOBAL r0 "setlayerstyle"
  LOADK r1 #2
  NEWTABLE r2 0 0
  LOADK r3 #9
  SETTABLE r2 "x" r3
  LOADK r3 #9
  SETTABLE r2 "y" r3
  CALL r0 3 1
.lineno 26
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "collision"
  LOADK r2 #22
  LOADK r3 #1
  LOADK r4 #2
  CALL r1 4 0
  CALL r0 0 1
.lineno 27
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #2
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 1
.lineno 28
  GETGLOBAL r0 "setlayerstyle"
  LOADK r1 #3
  NEWTABLE r2 0 0
  LOADK r3 #30
  SETTABLE r2 "x" r3
  LOADK r3 #30
  SETTABLE r2 "y" r3
  CALL r0 3 1
.lineno 29
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "collision"
  LOADK r2 #47
  LOADK r3 #3
  LOADK r4 #37
  LOADK r5 #37
  LOADK r6 #1
  LOADK r7 #1
  CALL r1 7 2
  GETGLOBAL r2 "collision"
  LOADK r3 #47
  LOADK r4 #3
  LOADK r5 #30
  LOADK r6 #30
  LOADK r7 #7
  LOADK r8 #7
  CALL r2 7 2
  GETGLOBAL r3 "collision"
  LOADK r4 #47
  LOADK r5 #3
  LOADK r6 #38
  LOADK r7 #38
  LOADK r8 #5
  LOADK r9 #5
  CALL r3 7 0
  CALL r0 0 1
.lineno 30
  GETGLOBAL r0 "collision"
  LOADK r1 #22
  LOADK r2 #1
  LOADK r3 #4
  CALL r0 4 1
.lineno 31
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getlasterror"
  CALL r1 1 0
  CALL r0 0 1
.lineno 32
  GETGLOBAL r0 "collision"
  LOADK r1 #32
  LOADK r2 #1
  LOADK r3 #2
  CALL r0 4 1
.lineno 33
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getlasterror"
  CALL r1 1 0
  CALL r0 0 1
.lineno 34
  GETGLOBAL r0 "collision"
  LOADK r1 #48
  LOADK r2 #1
  LOADK r3 #0
  LOADK r4 #0
  LOADK r5 #5
  LOADK r6 #5
  CALL r0 7 1
.lineno 35
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getlasterror"
  CALL r1 1 0
  CALL r0 0 1
.lineno 36
  GETGLOBAL r0 "collision"
  LOADK r1 #99
  LOADK r2 #1
  LOADK r3 #2
  CALL r0 4 1
.lineno 37
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getlasterror"
  CALL r1 1 0
  CALL r0 0 1
  RETURN r0 1
