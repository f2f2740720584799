; label: layers
; Runs of DisplaySprite are recomposed once, before anything looks at the display: snapshots of
; the window right after the moves, a box drawn under the sprites, a timeout's callback that moves
; sprites between the main script's moves, RemoveSprites keeping them, and the frame shown all
; see every move done, sprite 2 (green) above sprite 1 (red) in list order. ReadPixel reads the
; picture, which never holds the sprites until they are kept.
; call CreateBrush(1, 16, 16, $FF0000)
; call CreateBrush(2, 16, 16, $00FF00)
; call CreateSprite(1, 3, 1)
; call CreateSprite(2, 3, 2)
; call DisplaySprite(1, 10, 10)
; call DisplaySprite(2, 18, 10)
; call DisplaySprite(1, 20, 10)
; call SaveSnapshot("start.png", 0, 1)
; for i = 1, 60 do DisplaySprite(1, 20 + i, 10 + i) DisplaySprite(2, 200 - i, 100 - i) end
; call SaveSnapshot("apart.png", 0, 1)
; for i = 1, 30 do DisplaySprite(2, 140 - i * 2, 40 + i) end
; call Box(84, 60, 4, 40, $0000FF)
; call SaveSnapshot("box.png", 0, 1)
; print ReadPixel(82, 72), ReadPixel(84, 62)
; call DisplaySprite(1, 300, 200)
; call SetTimeout(1, moved, 1)
; call WaitEvent()
; call SaveSnapshot("back.png", 0, 1)
; call DisplaySprite(1, 500, 10)
; call RemoveSprites(1)
; print ReadPixel(505, 15), ReadPixel(405, 302)
; call SaveSnapshot("kept.png", 1, 1)
; call VWait()
; call SaveSnapshot("shown.png", 0, 1)
; Function moved() DisplaySprite(2, 400, 300) SaveSnapshot("callback.png", 0, 1) DisplaySprite(1, 402, 310) EndFunction
.source "@sprite_deferred.q"
  .maxstack 16
.lineno 1
  GETGLOBAL r0 "createbrush"
  LOADK r1 #1
  LOADK r2 #16
  LOADK r3 #16
  LOADK r4 #16711680
  CALL r0 5 1
.lineno 2
  GETGLOBAL r0 "createbrush"
  LOADK r1 #2
  LOADK r2 #16
  LOADK r3 #16
  LOADK r4 #65280
  CALL r0 5 1
.lineno 3
  GETGLOBAL r0 "createsprite"
  LOADK r1 #1
  LOADK r2 #3
  LOADK r3 #1
  CALL r0 4 1
.lineno 4
  GETGLOBAL r0 "createsprite"
  LOADK r1 #2
  LOADK r2 #3
  LOADK r3 #2
  CALL r0 4 1
.lineno 5
  GETGLOBAL r0 "displaysprite"
  LOADK r1 #1
  LOADK r2 #10
  LOADK r3 #10
  CALL r0 4 1
.lineno 6
  GETGLOBAL r0 "displaysprite"
  LOADK r1 #2
  LOADK r2 #18
  LOADK r3 #10
  CALL r0 4 1
.lineno 7
  GETGLOBAL r0 "displaysprite"
  LOADK r1 #1
  LOADK r2 #20
  LOADK r3 #10
  CALL r0 4 1
.lineno 8
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "start.png"
  LOADK r2 #0
  LOADK r3 #1
  CALL r0 4 1
.lineno 9
  LOADK r10 #1
  LOADK r11 #60
  LOADK r12 #1
  SUB r10 r10 r12
  JMP @L1
L2:
  GETGLOBAL r0 "displaysprite"
  LOADK r1 #1
  ADD r2 r10 #20
  ADD r3 r10 #10
  CALL r0 4 1
  GETGLOBAL r0 "displaysprite"
  LOADK r1 #2
  SUB r2 #200 r10
  SUB r3 #100 r10
  CALL r0 4 1
L1:
  FORLOOP r10 @L2
.lineno 10
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "apart.png"
  LOADK r2 #0
  LOADK r3 #1
  CALL r0 4 1
.lineno 11
  LOADK r10 #1
  LOADK r11 #30
  LOADK r12 #1
  SUB r10 r10 r12
  JMP @L3
L4:
  GETGLOBAL r0 "displaysprite"
  LOADK r1 #2
  MUL r2 r10 #2
  SUB r2 #140 r2
  ADD r3 r10 #40
  CALL r0 4 1
L3:
  FORLOOP r10 @L4
.lineno 12
  GETGLOBAL r0 "box"
  LOADK r1 #84
  LOADK r2 #60
  LOADK r3 #4
  LOADK r4 #40
  LOADK r5 #255
  CALL r0 6 1
.lineno 13
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "box.png"
  LOADK r2 #0
  LOADK r3 #1
  CALL r0 4 1
.lineno 14
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "readpixel"
  LOADK r2 #82
  LOADK r3 #72
  CALL r1 3 2
  GETGLOBAL r2 "readpixel"
  LOADK r3 #84
  LOADK r4 #62
  CALL r2 3 2
  CALL r0 3 1
.lineno 15
  GETGLOBAL r0 "displaysprite"
  LOADK r1 #1
  LOADK r2 #300
  LOADK r3 #200
  CALL r0 4 1
.lineno 16
  GETGLOBAL r0 "settimeout"
  LOADK r1 #1
  CLOSURE r2 f:moved
  LOADK r3 #1
  CALL r0 4 1
.lineno 17
  GETGLOBAL r0 "waitevent"
  CALL r0 1 1
.lineno 18
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "back.png"
  LOADK r2 #0
  LOADK r3 #1
  CALL r0 4 1
.lineno 19
  GETGLOBAL r0 "displaysprite"
  LOADK r1 #1
  LOADK r2 #500
  LOADK r3 #10
  CALL r0 4 1
.lineno 20
  GETGLOBAL r0 "removesprites"
  LOADK r1 #1
  CALL r0 2 1
.lineno 21
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "readpixel"
  LOADK r2 #505
  LOADK r3 #15
  CALL r1 3 2
  GETGLOBAL r2 "readpixel"
  LOADK r3 #405
  LOADK r4 #302
  CALL r2 3 2
  CALL r0 3 1
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "kept.png"
  LOADK r2 #1
  LOADK r3 #1
  CALL r0 4 1
.lineno 23
  GETGLOBAL r0 "vwait"
  CALL r0 1 1
.lineno 24
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "shown.png"
  LOADK r2 #0
  LOADK r3 #1
  CALL r0 4 1
  RETURN r0 1
.function moved
  .linedefined 25
  .maxstack 8
.lineno 25
  GETGLOBAL r0 "displaysprite"
  LOADK r1 #2
  LOADK r2 #400
  LOADK r3 #300
  CALL r0 4 1
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "callback.png"
  LOADK r2 #0
  LOADK r3 #1
  CALL r0 4 1
  GETGLOBAL r0 "displaysprite"
  LOADK r1 #1
  LOADK r2 #402
  LOADK r3 #310
  CALL r0 4 1
  RETURN r0 1
.end
