; The anim example: an anim of a turning star, drawn by the program frame by frame into one brush
; and cut into twelve frames with CreateAnim, plays as three layers that glide over a gradient
; while a four-channel module plays (the build writes the module with examples/tune.py and links
; it into the applet). It ends after about ten seconds, or at once on a key, a click or the close
; button. With QM_EXAMPLE_SNAPSHOT set it saves a snapshot of its window there as PNG on the way.
.meta title "Quillmere anim"
.declare display 1 title="Quillmere anim" width=640 height=480
.declare music 1 link="tune.mod"
; -- Twelve frames of 120 x 120 side by side: a star turned by 6 degrees more in each, so that the
; -- twelfth leads back to the first (a star looks the same after 72 degrees).
; call CreateBrush(1, 1440, 120, 0)
; call SelectBrush(1)
; call SetFormStyle(16)
; call SetFormStyle(64, $301000, 3)
; call SetFillStyle(1)
; for k = 0, 11 do
;   points = {}
;   for j = 0, 9 do
;     r = 54 - (32 * Mod(j, 2))
;     a = Rad((k * 6) + (j * 36) - 90)
;     points[j * 2] = 60 + (r * Cos(a))
;     points[(j * 2) + 1] = 60 + (r * Sin(a))
;   end
;   call Polygon(k * 120, 0, points, 10, $FFC830)
; end
; call EndSelect()
; call SetBrushTransparency(1, $000000)
; call CreateAnim(1, 1, 120, 120, 12, 12)
; call CreateGradientBGPic(1, 2, $0A2030, $1E7890, 640, 480, 0)
; call DisplayBGPic(1)
; call EnableLayers()
; call SetFont("Bitstream Vera Sans", 36)
; call SetFontStyle(16)
; call SetFontStyle(32, $80000000, 4, 9)
; call SetFontColor($FFFFFF)
; call TextOut(-100000, 30, "An anim and a module")
; call SetFont("Bitstream Vera Sans", 16)
; call SetFontStyle(1)
; call SetFontStyle(16)
; call SetFontColor($C0E0F0)
; call TextOut(-100000, 450, "Press a key or click to end")
; -- Layers 3, 4 and 5 show the anim; each moves on its own course and turns to its next frame
; -- every other display frame.
; call DisplayAnimFrame(1, 60, 120, 1)
; call DisplayAnimFrame(1, 260, 250, 5)
; call DisplayAnimFrame(1, 460, 150, 9)
; x = {60, 260, 460}
; y = {120, 250, 150}
; dx = {3, -2, 2}
; dy = {2, 3, -2}
; function quit(msg)
;   done = 1
; end
; call InstallEventHandler({onkeydown = quit, onmouseup = quit})
; call PlayMusic(1)
; snap = GetEnv("QM_EXAMPLE_SNAPSHOT")
; done = 0
; frame = 0
; while done == 0 do
;   for i = 0, 2 do
;     nx = x[i] + dx[i]
;     if nx < 0 then
;       dx[i] = 0 - dx[i]
;     end
;     if nx > 520 then
;       dx[i] = 0 - dx[i]
;     end
;     ny = y[i] + dy[i]
;     if ny < 90 then
;       dy[i] = 0 - dy[i]
;     end
;     if ny > 320 then
;       dy[i] = 0 - dy[i]
;     end
;     x[i] = nx
;     y[i] = ny
;     if Mod(frame, 2) == 0 then
;       call SetLayerStyle(i + 3, {x = nx, y = ny, frame = 0})
;     else
;       call SetLayerStyle(i + 3, {x = nx, y = ny})
;     end
;   end
;   call VWait()
;   call CheckEvent()
;   frame = frame + 1
;   if frame == 150 then
;     if snap ~= "" then
;       call SaveSnapshot(snap, 0, 1)
;     end
;   end
;   if frame == 600 then
;     done = 1
;   end
; end
; call StopMusic()
.source "@anim.q"
  .maxstack 37
.lineno 3
  GETGLOBAL r0 "createbrush"
  LOADK r1 #1
  LOADK r2 #1440
  LOADK r3 #120
  LOADK r4 #0
  CALL r0 5 2
.lineno 4
  GETGLOBAL r0 "selectbrush"
  LOADK r1 #1
  CALL r0 2 2
.lineno 5
  GETGLOBAL r0 "setformstyle"
  LOADK r1 #16
  CALL r0 2 2
.lineno 6
  GETGLOBAL r0 "setformstyle"
  LOADK r1 #64
  LOADK r2 #3149824
  LOADK r3 #3
  CALL r0 4 2
.lineno 7
  GETGLOBAL r0 "setfillstyle"
  LOADK r1 #1
  CALL r0 2 2
.lineno 8
  LOADK r20 #0
  LOADK r21 #11
  LOADK r22 #1
  SUB r20 r20 r22
  JMP @L1
L2:
  SETGLOBAL r20 "k"
.lineno 9
  NEWTABLE r27 0 4
  SETGLOBAL r27 "points"
.lineno 10
  LOADK r23 #0
  LOADK r24 #9
  LOADK r25 #1
  SUB r23 r23 r25
  JMP @L3
L4:
  SETGLOBAL r23 "j"
.lineno 11
  LOADK r30 #54
  LOADK r31 #32
  GETGLOBAL r32 "mod"
  GETGLOBAL r33 "j"
  LOADK r34 #2
  CALL r32 3 2
  MUL r31 r31 r32
  SUB r30 r30 r31
  SETGLOBAL r30 "r"
.lineno 12
  GETGLOBAL r30 "rad"
  GETGLOBAL r31 "k"
  LOADK r32 #6
  MUL r31 r31 r32
  GETGLOBAL r32 "j"
  LOADK r33 #36
  MUL r32 r32 r33
  ADD r31 r31 r32
  LOADK r32 #90
  SUB r31 r31 r32
  CALL r30 2 2
  SETGLOBAL r30 "a"
.lineno 13
  GETGLOBAL r30 "points"
  GETGLOBAL r31 "j"
  LOADK r32 #2
  MUL r31 r31 r32
  LOADK r32 #60
  GETGLOBAL r33 "r"
  GETGLOBAL r34 "cos"
  GETGLOBAL r35 "a"
  CALL r34 2 2
  MUL r33 r33 r34
  ADD r32 r32 r33
  SETTABLE r30 r31 r32
.lineno 14
  GETGLOBAL r30 "points"
  GETGLOBAL r31 "j"
  LOADK r32 #2
  MUL r31 r31 r32
  LOADK r32 #1
  ADD r31 r31 r32
  LOADK r32 #60
  GETGLOBAL r33 "r"
  GETGLOBAL r34 "sin"
  GETGLOBAL r35 "a"
  CALL r34 2 2
  MUL r33 r33 r34
  ADD r32 r32 r33
  SETTABLE r30 r31 r32
.lineno 15
L3:
  FORLOOP r23 @L4
.lineno 16
  GETGLOBAL r27 "polygon"
  GETGLOBAL r28 "k"
  LOADK r29 #120
  MUL r28 r28 r29
  LOADK r29 #0
  GETGLOBAL r30 "points"
  LOADK r31 #10
  LOADK r32 #16762928
  CALL r27 6 2
.lineno 17
L1:
  FORLOOP r20 @L2
.lineno 18
  GETGLOBAL r0 "endselect"
  CALL r0 1 2
.lineno 19
  GETGLOBAL r0 "setbrushtransparency"
  LOADK r1 #1
  LOADK r2 #0
  CALL r0 3 2
.lineno 20
  GETGLOBAL r0 "createanim"
  LOADK r1 #1
  LOADK r2 #1
  LOADK r3 #120
  LOADK r4 #120
  LOADK r5 #12
  LOADK r6 #12
  CALL r0 7 2
.lineno 21
  GETGLOBAL r0 "creategradientbgpic"
  LOADK r1 #1
  LOADK r2 #2
  LOADK r3 #663600
  LOADK r4 #1996944
  LOADK r5 #640
  LOADK r6 #480
  LOADK r7 #0
  CALL r0 8 2
.lineno 22
  GETGLOBAL r0 "displaybgpic"
  LOADK r1 #1
  CALL r0 2 2
.lineno 23
  GETGLOBAL r0 "enablelayers"
  CALL r0 1 2
.lineno 24
  GETGLOBAL r0 "setfont"
  LOADK r1 "Bitstream Vera Sans"
  LOADK r2 #36
  CALL r0 3 2
.lineno 25
  GETGLOBAL r0 "setfontstyle"
  LOADK r1 #16
  CALL r0 2 2
.lineno 26
  GETGLOBAL r0 "setfontstyle"
  LOADK r1 #32
  LOADK r2 #2147483648
  LOADK r3 #4
  LOADK r4 #9
  CALL r0 5 2
.lineno 27
  GETGLOBAL r0 "setfontcolor"
  LOADK r1 #16777215
  CALL r0 2 2
.lineno 28
  GETGLOBAL r0 "textout"
  LOADK r1 #-100000
  LOADK r2 #30
  LOADK r3 "An anim and a module"
  CALL r0 4 2
.lineno 29
  GETGLOBAL r0 "setfont"
  LOADK r1 "Bitstream Vera Sans"
  LOADK r2 #16
  CALL r0 3 2
.lineno 30
  GETGLOBAL r0 "setfontstyle"
  LOADK r1 #1
  CALL r0 2 2
.lineno 31
  GETGLOBAL r0 "setfontstyle"
  LOADK r1 #16
  CALL r0 2 2
.lineno 32
  GETGLOBAL r0 "setfontcolor"
  LOADK r1 #12640496
  CALL r0 2 2
.lineno 33
  GETGLOBAL r0 "textout"
  LOADK r1 #-100000
  LOADK r2 #450
  LOADK r3 "Press a key or click to end"
  CALL r0 4 2
.lineno 36
  GETGLOBAL r0 "displayanimframe"
  LOADK r1 #1
  LOADK r2 #60
  LOADK r3 #120
  LOADK r4 #1
  CALL r0 5 2
.lineno 37
  GETGLOBAL r0 "displayanimframe"
  LOADK r1 #1
  LOADK r2 #260
  LOADK r3 #250
  LOADK r4 #5
  CALL r0 5 2
.lineno 38
  GETGLOBAL r0 "displayanimframe"
  LOADK r1 #1
  LOADK r2 #460
  LOADK r3 #150
  LOADK r4 #9
  CALL r0 5 2
.lineno 39
  NEWTABLE r0 0 4
  LOADK r1 #60
  SETTABLE r0 #0 r1
  LOADK r1 #260
  SETTABLE r0 #1 r1
  LOADK r1 #460
  SETTABLE r0 #2 r1
  SETGLOBAL r0 "x"
.lineno 40
  NEWTABLE r0 0 4
  LOADK r1 #120
  SETTABLE r0 #0 r1
  LOADK r1 #250
  SETTABLE r0 #1 r1
  LOADK r1 #150
  SETTABLE r0 #2 r1
  SETGLOBAL r0 "y"
.lineno 41
  NEWTABLE r0 0 4
  LOADK r1 #3
  SETTABLE r0 #0 r1
  LOADK r1 #-2
  SETTABLE r0 #1 r1
  LOADK r1 #2
  SETTABLE r0 #2 r1
  SETGLOBAL r0 "dx"
.lineno 42
  NEWTABLE r0 0 4
  LOADK r1 #2
  SETTABLE r0 #0 r1
  LOADK r1 #3
  SETTABLE r0 #1 r1
  LOADK r1 #-2
  SETTABLE r0 #2 r1
  SETGLOBAL r0 "dy"
.lineno 43
  CLOSURE r0 f0
  SETGLOBAL r0 "quit"
.lineno 46
  GETGLOBAL r0 "installeventhandler"
  NEWTABLE r1 0 4
  GETGLOBAL r2 "quit"
  SETTABLE r1 "onkeydown" r2
  GETGLOBAL r2 "quit"
  SETTABLE r1 "onmouseup" r2
  CALL r0 2 2
.lineno 47
  GETGLOBAL r0 "playmusic"
  LOADK r1 #1
  CALL r0 2 2
.lineno 48
  GETGLOBAL r0 "getenv"
  LOADK r1 "QM_EXAMPLE_SNAPSHOT"
  CALL r0 2 2
  SETGLOBAL r0 "snap"
.lineno 49
  LOADK r0 #0
  SETGLOBAL r0 "done"
.lineno 50
  LOADK r0 #0
  SETGLOBAL r0 "frame"
.lineno 51
L5:
  GETGLOBAL r0 "done"
  LOADK r1 #0
  EQ 0 r0 r1
  JMP @L6
.lineno 52
  LOADK r20 #0
  LOADK r21 #2
  LOADK r22 #1
  SUB r20 r20 r22
  JMP @L7
L8:
  SETGLOBAL r20 "i"
.lineno 53
  GETGLOBAL r27 "x"
  GETGLOBAL r28 "i"
  GETTABLE r27 r27 r28
  GETGLOBAL r28 "dx"
  GETGLOBAL r29 "i"
  GETTABLE r28 r28 r29
  ADD r27 r27 r28
  SETGLOBAL r27 "nx"
.lineno 54
  GETGLOBAL r27 "nx"
  LOADK r28 #0
  LT 0 r27 r28
  JMP @L10
.lineno 55
  GETGLOBAL r27 "dx"
  GETGLOBAL r28 "i"
  LOADK r29 #0
  GETGLOBAL r30 "dx"
  GETGLOBAL r31 "i"
  GETTABLE r30 r30 r31
  SUB r29 r29 r30
  SETTABLE r27 r28 r29
.lineno 56
L10:
.lineno 57
  GETGLOBAL r27 "nx"
  LOADK r28 #520
  LT 0 r28 r27
  JMP @L12
.lineno 58
  GETGLOBAL r27 "dx"
  GETGLOBAL r28 "i"
  LOADK r29 #0
  GETGLOBAL r30 "dx"
  GETGLOBAL r31 "i"
  GETTABLE r30 r30 r31
  SUB r29 r29 r30
  SETTABLE r27 r28 r29
.lineno 59
L12:
.lineno 60
  GETGLOBAL r27 "y"
  GETGLOBAL r28 "i"
  GETTABLE r27 r27 r28
  GETGLOBAL r28 "dy"
  GETGLOBAL r29 "i"
  GETTABLE r28 r28 r29
  ADD r27 r27 r28
  SETGLOBAL r27 "ny"
.lineno 61
  GETGLOBAL r27 "ny"
  LOADK r28 #90
  LT 0 r27 r28
  JMP @L14
.lineno 62
  GETGLOBAL r27 "dy"
  GETGLOBAL r28 "i"
  LOADK r29 #0
  GETGLOBAL r30 "dy"
  GETGLOBAL r31 "i"
  GETTABLE r30 r30 r31
  SUB r29 r29 r30
  SETTABLE r27 r28 r29
.lineno 63
L14:
.lineno 64
  GETGLOBAL r27 "ny"
  LOADK r28 #320
  LT 0 r28 r27
  JMP @L16
.lineno 65
  GETGLOBAL r27 "dy"
  GETGLOBAL r28 "i"
  LOADK r29 #0
  GETGLOBAL r30 "dy"
  GETGLOBAL r31 "i"
  GETTABLE r30 r30 r31
  SUB r29 r29 r30
  SETTABLE r27 r28 r29
.lineno 66
L16:
.lineno 67
  GETGLOBAL r27 "x"
  GETGLOBAL r28 "i"
  GETGLOBAL r29 "nx"
  SETTABLE r27 r28 r29
.lineno 68
  GETGLOBAL r27 "y"
  GETGLOBAL r28 "i"
  GETGLOBAL r29 "ny"
  SETTABLE r27 r28 r29
.lineno 69
  GETGLOBAL r27 "mod"
  GETGLOBAL r28 "frame"
  LOADK r29 #2
  CALL r27 3 2
  LOADK r28 #0
  EQ 0 r27 r28
  JMP @L18
.lineno 70
  GETGLOBAL r27 "setlayerstyle"
  GETGLOBAL r28 "i"
  LOADK r29 #3
  ADD r28 r28 r29
  NEWTABLE r29 0 4
  GETGLOBAL r30 "nx"
  SETTABLE r29 "x" r30
  GETGLOBAL r30 "ny"
  SETTABLE r29 "y" r30
  LOADK r30 #0
  SETTABLE r29 "frame" r30
  CALL r27 3 2
.lineno 71
  JMP @L19
L18:
.lineno 72
  GETGLOBAL r27 "setlayerstyle"
  GETGLOBAL r28 "i"
  LOADK r29 #3
  ADD r28 r28 r29
  NEWTABLE r29 0 4
  GETGLOBAL r30 "nx"
  SETTABLE r29 "x" r30
  GETGLOBAL r30 "ny"
  SETTABLE r29 "y" r30
  CALL r27 3 2
.lineno 73
L19:
.lineno 74
L7:
  FORLOOP r20 @L8
.lineno 75
  GETGLOBAL r0 "vwait"
  CALL r0 1 2
.lineno 76
  GETGLOBAL r0 "checkevent"
  CALL r0 1 2
.lineno 77
  GETGLOBAL r0 "frame"
  LOADK r1 #1
  ADD r0 r0 r1
  SETGLOBAL r0 "frame"
.lineno 78
  GETGLOBAL r0 "frame"
  LOADK r1 #150
  EQ 0 r0 r1
  JMP @L21
.lineno 79
  GETGLOBAL r0 "snap"
  LOADK r1 ""
  EQ 1 r0 r1
  JMP @L23
.lineno 80
  GETGLOBAL r0 "savesnapshot"
  GETGLOBAL r1 "snap"
  LOADK r2 #0
  LOADK r3 #1
  CALL r0 4 2
.lineno 81
L23:
.lineno 82
L21:
.lineno 83
  GETGLOBAL r0 "frame"
  LOADK r1 #600
  EQ 0 r0 r1
  JMP @L25
.lineno 84
  LOADK r0 #1
  SETGLOBAL r0 "done"
.lineno 85
L25:
.lineno 86
  JMP @L5
L6:
.lineno 87
  GETGLOBAL r0 "stopmusic"
  CALL r0 1 2
  RETURN r0 1
.function
  .params 1
  .maxstack 8
.lineno 44
  LOADK r1 #1
  SETGLOBAL r1 "done"
.lineno 45
  RETURN r0 1
.end
