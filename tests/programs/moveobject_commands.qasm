; label: layers
; Moving objects through the player: a brush drawn directly, a sprite, an async move stepped by AsyncDrawFrame, a layer, and the errors.
; call ExitOnError(false)
; call CreateBrush(1, 16, 16, $FF0000)
; call CreateBrush(2, 8, 8, $00FF00)
; call CreateSprite(1, 3, 2)
; call VWait()
; call MoveBrush(1, 50, 50, 50, 50)
; call VWait()
; call MoveBrush(1, 0, 0, 100, 40)
; call SaveSnapshot("brush.png", 0, 1)
; call MoveBrush(1, 0, 0, 10, 10, 0)
; print "speed 0", GetLastError()
; call MoveAnim(4, 0, 0, 10, 10)
; print "anim", GetLastError()
; call MoveTextObject(4, 0, 0, 10, 10)
; print "text object", GetLastError()
; call MoveSprite(1, 200, 0, 300, 0, 20, -1, 3)
; call SaveSnapshot("sprite.png", 0, 1)
; call SaveSnapshot("spritepic.png", 1, 1)
; h = MoveBrush(2, 0, 100, 100, 100, {async = true})
; n = 0
; while not AsyncDrawFrame(h) do
; n = n + 1
; end
; print "async steps", n
; call AsyncDrawFrame(h)
; print "collected", GetLastError()
; call RemoveSprites()
; call EnableLayers()
; call MoveSprite(1, 0, 0, 10, 10)
; print "sprite with layers", GetLastError()
; call MoveBrush(2, 0, 200, 50, 200)
; print "brush layer", GetAttribute(22, 1, 7), GetAttribute(22, 1, 8)
; call MoveLayer(1, 100000, 100000, 20, 300, 10, 4)
; print "layer", GetAttribute(22, 1, 7), GetAttribute(22, 1, 8)
; call MoveLayer(2, 0, 0, 10, 10)
; print "no layer", GetLastError()
; call SaveSnapshot("layers.png", 0, 1)
.source "@moveobject_commands.q"
  .maxstack 10
.lineno 1
  GETGLOBAL r0 "exitonerror"
  LOADBOOL r1 0 0
  CALL r0 2 2
.lineno 2
  GETGLOBAL r0 "createbrush"
  LOADK r1 #1
  LOADK r2 #16
  LOADK r3 #16
  LOADK r4 #16711680
  CALL r0 5 2
.lineno 3
  GETGLOBAL r0 "createbrush"
  LOADK r1 #2
  LOADK r2 #8
  LOADK r3 #8
  LOADK r4 #65280
  CALL r0 5 2
.lineno 4
  GETGLOBAL r0 "createsprite"
  LOADK r1 #1
  LOADK r2 #3
  LOADK r3 #2
  CALL r0 4 2
.lineno 5
  GETGLOBAL r0 "vwait"
  CALL r0 1 2
.lineno 6
  GETGLOBAL r0 "movebrush"
  LOADK r1 #1
  LOADK r2 #50
  LOADK r3 #50
  LOADK r4 #50
  LOADK r5 #50
  CALL r0 6 2
.lineno 7
  GETGLOBAL r0 "vwait"
  CALL r0 1 2
.lineno 8
  GETGLOBAL r0 "movebrush"
  LOADK r1 #1
  LOADK r2 #0
  LOADK r3 #0
  LOADK r4 #100
  LOADK r5 #40
  CALL r0 6 2
.lineno 9
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "brush.png"
  LOADK r2 #0
  LOADK r3 #1
  CALL r0 4 2
.lineno 10
  GETGLOBAL r0 "movebrush"
  LOADK r1 #1
  LOADK r2 #0
  LOADK r3 #0
  LOADK r4 #10
  LOADK r5 #10
  LOADK r6 #0
  CALL r0 7 2
.lineno 11
  GETGLOBAL r0 "debugprint"
  LOADK r1 "speed 0"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 2
.lineno 12
  GETGLOBAL r0 "moveanim"
  LOADK r1 #4
  LOADK r2 #0
  LOADK r3 #0
  LOADK r4 #10
  LOADK r5 #10
  CALL r0 6 2
.lineno 13
  GETGLOBAL r0 "debugprint"
  LOADK r1 "anim"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 2
.lineno 14
  GETGLOBAL r0 "movetextobject"
  LOADK r1 #4
  LOADK r2 #0
  LOADK r3 #0
  LOADK r4 #10
  LOADK r5 #10
  CALL r0 6 2
.lineno 15
  GETGLOBAL r0 "debugprint"
  LOADK r1 "text object"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 2
.lineno 16
  GETGLOBAL r0 "movesprite"
  LOADK r1 #1
  LOADK r2 #200
  LOADK r3 #0
  LOADK r4 #300
  LOADK r5 #0
  LOADK r6 #20
  LOADK r7 #-1
  LOADK r8 #3
  CALL r0 9 2
.lineno 17
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "sprite.png"
  LOADK r2 #0
  LOADK r3 #1
  CALL r0 4 2
.lineno 18
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "spritepic.png"
  LOADK r2 #1
  LOADK r3 #1
  CALL r0 4 2
.lineno 19
  GETGLOBAL r0 "movebrush"
  LOADK r1 #2
  LOADK r2 #0
  LOADK r3 #100
  LOADK r4 #100
  LOADK r5 #100
  NEWTABLE r6 0 4
  LOADBOOL r7 1 0
  SETTABLE r6 "async" r7
  CALL r0 7 2
  SETGLOBAL r0 "h"
.lineno 20
  LOADK r0 #0
  SETGLOBAL r0 "n"
.lineno 21
L1:
  GETGLOBAL r0 "asyncdrawframe"
  GETGLOBAL r1 "h"
  CALL r0 2 2
  TEST r0 r0 1
  JMP @L2
.lineno 22
  GETGLOBAL r0 "n"
  LOADK r1 #1
  ADD r0 r0 r1
  SETGLOBAL r0 "n"
.lineno 23
  JMP @L1
L2:
.lineno 24
  GETGLOBAL r0 "debugprint"
  LOADK r1 "async steps"
  GETGLOBAL r2 "n"
  CALL r0 3 2
.lineno 25
  GETGLOBAL r0 "asyncdrawframe"
  GETGLOBAL r1 "h"
  CALL r0 2 2
.lineno 26
  GETGLOBAL r0 "debugprint"
  LOADK r1 "collected"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 2
.lineno 27
  GETGLOBAL r0 "removesprites"
  CALL r0 1 2
.lineno 28
  GETGLOBAL r0 "enablelayers"
  CALL r0 1 2
.lineno 29
  GETGLOBAL r0 "movesprite"
  LOADK r1 #1
  LOADK r2 #0
  LOADK r3 #0
  LOADK r4 #10
  LOADK r5 #10
  CALL r0 6 2
.lineno 30
  GETGLOBAL r0 "debugprint"
  LOADK r1 "sprite with layers"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 2
.lineno 31
  GETGLOBAL r0 "movebrush"
  LOADK r1 #2
  LOADK r2 #0
  LOADK r3 #200
  LOADK r4 #50
  LOADK r5 #200
  CALL r0 6 2
.lineno 32
  GETGLOBAL r0 "debugprint"
  LOADK r1 "brush layer"
  GETGLOBAL r2 "getattribute"
  LOADK r3 #22
  LOADK r4 #1
  LOADK r5 #7
  CALL r2 4 2
  GETGLOBAL r3 "getattribute"
  LOADK r4 #22
  LOADK r5 #1
  LOADK r6 #8
  CALL r3 4 0
  CALL r0 0 2
.lineno 33
  GETGLOBAL r0 "movelayer"
  LOADK r1 #1
  LOADK r2 #100000
  LOADK r3 #100000
  LOADK r4 #20
  LOADK r5 #300
  LOADK r6 #10
  LOADK r7 #4
  CALL r0 8 2
.lineno 34
  GETGLOBAL r0 "debugprint"
  LOADK r1 "layer"
  GETGLOBAL r2 "getattribute"
  LOADK r3 #22
  LOADK r4 #1
  LOADK r5 #7
  CALL r2 4 2
  GETGLOBAL r3 "getattribute"
  LOADK r4 #22
  LOADK r5 #1
  LOADK r6 #8
  CALL r3 4 0
  CALL r0 0 2
.lineno 35
  GETGLOBAL r0 "movelayer"
  LOADK r1 #2
  LOADK r2 #0
  LOADK r3 #0
  LOADK r4 #10
  LOADK r5 #10
  CALL r0 6 2
.lineno 36
  GETGLOBAL r0 "debugprint"
  LOADK r1 "no layer"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 2
.lineno 37
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "layers.png"
  LOADK r2 #0
  LOADK r3 #1
  CALL r0 4 2
  RETURN r0 1
