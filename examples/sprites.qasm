; The sprites example: eight sprites bounce over a gradient, moved by an interval every 20 ms;
; each cycles through four frames cut from one gradient brush. The red button at the bottom
; right, a key or closing the window ends it. With QM_EXAMPLE_SNAPSHOT set it saves a snapshot of its window there as PNG
; after a second and ends.
.meta title "Quillmere sprites"
.declare display 1 title="Quillmere sprites" width=640 height=480
; call CreateGradientBGPic(2, 2, $102060, $70B0F0, 640, 480, 90)
; call DisplayBGPic(2)
; call CreateGradientBrush(1, 128, 32, 2, $F0C020, $E04010, 90)
; x = {}
; y = {}
; dx = {}
; dy = {}
; for i = 1, 8 do
; call CreateSprite(i, 3, 1, 32, 32, 4, 4, 0, 0)
; x[i] = 40 * i
; y[i] = 420 - 50 * i
; dx[i] = i + 2
; dy[i] = 11 - i
; end
; function tick(msg)
; for i = 1, 8 do
; nx = x[i] + dx[i]
; if nx < 0 then
; dx[i] = 0 - dx[i]
; nx = 0 - nx
; end
; if nx > 608 then
; dx[i] = 0 - dx[i]
; nx = 1216 - nx
; end
; ny = y[i] + dy[i]
; if ny < 0 then
; dy[i] = 0 - dy[i]
; ny = 0 - ny
; end
; if ny > 448 then
; dy[i] = 0 - dy[i]
; ny = 896 - ny
; end
; x[i] = nx
; y[i] = ny
; call DisplaySprite(i, nx, ny, 0)
; end
; ticks = ticks + 1
; end
; function quit(msg)
; done = 1
; end
; ticks = 0
; done = 0
; call CreateBrush(20, 80, 32, $C03030)
; call DisplayBrush(20, 550, 440)
; call MakeButton(1, 0, 550, 440, 80, 32, {onmouseup = quit})
; call InstallEventHandler({onkeydown = quit})
; call SetInterval(1, tick, 20)
; snap = GetEnv("QM_EXAMPLE_SNAPSHOT")
; while done == 0 do
; call WaitEvent()
; if snap ~= "" then
; if ticks >= 50 then
; call SaveSnapshot(snap, 0, 1)
; done = 1
; end
; end
; end
.source "@sprites.q"
  .maxstack 24
.lineno 1
  GETGLOBAL r0 "creategradientbgpic"
  LOADK r1 #2
  LOADK r2 #2
  LOADK r3 #1056864
  LOADK r4 #7385328
  LOADK r5 #640
  LOADK r6 #480
  LOADK r7 #90
  CALL r0 8 2
.lineno 2
  GETGLOBAL r0 "displaybgpic"
  LOADK r1 #2
  CALL r0 2 2
.lineno 3
  GETGLOBAL r0 "creategradientbrush"
  LOADK r1 #1
  LOADK r2 #128
  LOADK r3 #32
  LOADK r4 #2
  LOADK r5 #15777824
  LOADK r6 #14696464
  LOADK r7 #90
  CALL r0 8 2
.lineno 4
  NEWTABLE r0 0 4
  SETGLOBAL r0 "x"
.lineno 5
  NEWTABLE r0 0 4
  SETGLOBAL r0 "y"
.lineno 6
  NEWTABLE r0 0 4
  SETGLOBAL r0 "dx"
.lineno 7
  NEWTABLE r0 0 4
  SETGLOBAL r0 "dy"
.lineno 8
  LOADK r20 #1
  LOADK r21 #8
  LOADK r22 #1
  SUB r20 r20 r22
  JMP @L1
L2:
  SETGLOBAL r20 "i"
.lineno 9
  GETGLOBAL r0 "createsprite"
  GETGLOBAL r1 "i"
  LOADK r2 #3
  LOADK r3 #1
  LOADK r4 #32
  LOADK r5 #32
  LOADK r6 #4
  LOADK r7 #4
  LOADK r8 #0
  LOADK r9 #0
  CALL r0 10 2
.lineno 10
  GETGLOBAL r0 "x"
  GETGLOBAL r1 "i"
  LOADK r2 #40
  GETGLOBAL r3 "i"
  MUL r2 r2 r3
  SETTABLE r0 r1 r2
.lineno 11
  GETGLOBAL r0 "y"
  GETGLOBAL r1 "i"
  LOADK r2 #420
  LOADK r3 #50
  SUB r2 r2 r3
  GETGLOBAL r3 "i"
  MUL r2 r2 r3
  SETTABLE r0 r1 r2
.lineno 12
  GETGLOBAL r0 "dx"
  GETGLOBAL r1 "i"
  GETGLOBAL r2 "i"
  LOADK r3 #2
  ADD r2 r2 r3
  SETTABLE r0 r1 r2
.lineno 13
  GETGLOBAL r0 "dy"
  GETGLOBAL r1 "i"
  LOADK r2 #11
  GETGLOBAL r3 "i"
  SUB r2 r2 r3
  SETTABLE r0 r1 r2
.lineno 14
L1:
  FORLOOP r20 @L2
.lineno 15
  CLOSURE r0 f0
  SETGLOBAL r0 "tick"
.lineno 41
  CLOSURE r0 f1
  SETGLOBAL r0 "quit"
.lineno 44
  LOADK r0 #0
  SETGLOBAL r0 "ticks"
.lineno 45
  LOADK r0 #0
  SETGLOBAL r0 "done"
.lineno 46
  GETGLOBAL r0 "createbrush"
  LOADK r1 #20
  LOADK r2 #80
  LOADK r3 #32
  LOADK r4 #12595248
  CALL r0 5 2
.lineno 47
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #20
  LOADK r2 #550
  LOADK r3 #440
  CALL r0 4 2
.lineno 48
  GETGLOBAL r0 "makebutton"
  LOADK r1 #1
  LOADK r2 #0
  LOADK r3 #550
  LOADK r4 #440
  LOADK r5 #80
  LOADK r6 #32
  NEWTABLE r7 0 4
  GETGLOBAL r8 "quit"
  SETTABLE r7 "onmouseup" r8
  CALL r0 8 2
.lineno 49
  GETGLOBAL r0 "installeventhandler"
  NEWTABLE r1 0 4
  GETGLOBAL r2 "quit"
  SETTABLE r1 "onkeydown" r2
  CALL r0 2 2
.lineno 50
  GETGLOBAL r0 "setinterval"
  LOADK r1 #1
  GETGLOBAL r2 "tick"
  LOADK r3 #20
  CALL r0 4 2
.lineno 51
  GETGLOBAL r0 "getenv"
  LOADK r1 "QM_EXAMPLE_SNAPSHOT"
  CALL r0 2 2
  SETGLOBAL r0 "snap"
.lineno 52
L13:
  GETGLOBAL r0 "done"
  LOADK r1 #0
  EQ 0 r0 r1
  JMP @L14
.lineno 53
  GETGLOBAL r0 "waitevent"
  CALL r0 1 2
.lineno 54
  GETGLOBAL r0 "snap"
  LOADK r1 ""
  EQ 1 r0 r1
  JMP @L16
.lineno 55
  GETGLOBAL r0 "ticks"
  LOADK r1 #50
  LE 0 r1 r0
  JMP @L18
.lineno 56
  GETGLOBAL r0 "savesnapshot"
  GETGLOBAL r1 "snap"
  LOADK r2 #0
  LOADK r3 #1
  CALL r0 4 2
.lineno 57
  LOADK r0 #1
  SETGLOBAL r0 "done"
.lineno 58
L18:
.lineno 59
L16:
.lineno 60
  JMP @L13
L14:
  RETURN r0 1
.function
  .params 1
  .maxstack 24
.lineno 16
  LOADK r20 #1
  LOADK r21 #8
  LOADK r22 #1
  SUB r20 r20 r22
  JMP @L3
L4:
  SETGLOBAL r20 "i"
.lineno 17
  GETGLOBAL r1 "x"
  GETGLOBAL r2 "i"
  GETTABLE r1 r1 r2
  GETGLOBAL r2 "dx"
  GETGLOBAL r3 "i"
  GETTABLE r2 r2 r3
  ADD r1 r1 r2
  SETGLOBAL r1 "nx"
.lineno 18
  GETGLOBAL r1 "nx"
  LOADK r2 #0
  LT 0 r1 r2
  JMP @L6
.lineno 19
  GETGLOBAL r1 "dx"
  GETGLOBAL r2 "i"
  LOADK r3 #0
  GETGLOBAL r4 "dx"
  GETGLOBAL r5 "i"
  GETTABLE r4 r4 r5
  SUB r3 r3 r4
  SETTABLE r1 r2 r3
.lineno 20
  LOADK r1 #0
  GETGLOBAL r2 "nx"
  SUB r1 r1 r2
  SETGLOBAL r1 "nx"
.lineno 21
L6:
.lineno 22
  GETGLOBAL r1 "nx"
  LOADK r2 #608
  LT 0 r2 r1
  JMP @L8
.lineno 23
  GETGLOBAL r1 "dx"
  GETGLOBAL r2 "i"
  LOADK r3 #0
  GETGLOBAL r4 "dx"
  GETGLOBAL r5 "i"
  GETTABLE r4 r4 r5
  SUB r3 r3 r4
  SETTABLE r1 r2 r3
.lineno 24
  LOADK r1 #1216
  GETGLOBAL r2 "nx"
  SUB r1 r1 r2
  SETGLOBAL r1 "nx"
.lineno 25
L8:
.lineno 26
  GETGLOBAL r1 "y"
  GETGLOBAL r2 "i"
  GETTABLE r1 r1 r2
  GETGLOBAL r2 "dy"
  GETGLOBAL r3 "i"
  GETTABLE r2 r2 r3
  ADD r1 r1 r2
  SETGLOBAL r1 "ny"
.lineno 27
  GETGLOBAL r1 "ny"
  LOADK r2 #0
  LT 0 r1 r2
  JMP @L10
.lineno 28
  GETGLOBAL r1 "dy"
  GETGLOBAL r2 "i"
  LOADK r3 #0
  GETGLOBAL r4 "dy"
  GETGLOBAL r5 "i"
  GETTABLE r4 r4 r5
  SUB r3 r3 r4
  SETTABLE r1 r2 r3
.lineno 29
  LOADK r1 #0
  GETGLOBAL r2 "ny"
  SUB r1 r1 r2
  SETGLOBAL r1 "ny"
.lineno 30
L10:
.lineno 31
  GETGLOBAL r1 "ny"
  LOADK r2 #448
  LT 0 r2 r1
  JMP @L12
.lineno 32
  GETGLOBAL r1 "dy"
  GETGLOBAL r2 "i"
  LOADK r3 #0
  GETGLOBAL r4 "dy"
  GETGLOBAL r5 "i"
  GETTABLE r4 r4 r5
  SUB r3 r3 r4
  SETTABLE r1 r2 r3
.lineno 33
  LOADK r1 #896
  GETGLOBAL r2 "ny"
  SUB r1 r1 r2
  SETGLOBAL r1 "ny"
.lineno 34
L12:
.lineno 35
  GETGLOBAL r1 "x"
  GETGLOBAL r2 "i"
  GETGLOBAL r3 "nx"
  SETTABLE r1 r2 r3
.lineno 36
  GETGLOBAL r1 "y"
  GETGLOBAL r2 "i"
  GETGLOBAL r3 "ny"
  SETTABLE r1 r2 r3
.lineno 37
  GETGLOBAL r1 "displaysprite"
  GETGLOBAL r2 "i"
  GETGLOBAL r3 "nx"
  GETGLOBAL r4 "ny"
  LOADK r5 #0
  CALL r1 5 2
.lineno 38
L3:
  FORLOOP r20 @L4
.lineno 39
  GETGLOBAL r1 "ticks"
  LOADK r2 #1
  ADD r1 r1 r2
  SETGLOBAL r1 "ticks"
.lineno 40
  RETURN r0 1
.end
.function
  .params 1
  .maxstack 8
.lineno 42
  LOADK r1 #1
  SETGLOBAL r1 "done"
.lineno 43
  RETURN r0 1
.end
