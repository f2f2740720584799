; The bundled example: a title with an edge and a shadow, anti-aliased shapes, a chime made from
; numbers, a text object that turns, and a transition from a cool picture to a warm one, all made
; by the program. It ends after about eight seconds, or at once on a key, a click or the close
; button. With QM_EXAMPLE_SNAPSHOT set it saves a snapshot of its window there as PNG on the way.
.meta title "Quillmere example"
.declare display 1 title="Quillmere example" width=640 height=480
; -- The scene: a gradient, the title, four shapes and a hint, drawn into background picture id.
; function scene(id, top, bottom, a, b, c, d)
;   call CreateGradientBrush(id, 640, 480, 2, top, bottom, 0)
;   call SelectBrush(id)
;   call SetFont("Bitstream Vera Sans", 72)
;   call SetFontStyle(16)
;   call SetFontStyle(64, $102040, 3)
;   call SetFontStyle(32, $80000000, 5, 9)
;   call SetFontColor($FFFFFF)
;   call TextOut(-100000, 28, "Quillmere")
;   call SetFormStyle(1)
;   call SetFormStyle(16)
;   call SetFormStyle(64, $FFFFFF, 3)
;   call SetFormStyle(32, $60000000, 6, 3)
;   call SetFillStyle(1)
;   call Circle(50, 150, 60, a)
;   call Box(200, 150, 120, 120, b, 24)
;   call Ellipse(350, 165, 60, 45, c)
;   call Polygon(475, 145, star, 10, d)
;   call SetFormStyle(1)
;   call SetFont("Bitstream Vera Sans", 16)
;   call SetFontStyle(1)
;   call SetFontStyle(16)
;   call TextOut(-100000, 450, "Press a key or click to end")
;   call EndSelect()
;   call BrushToBGPic(id, id)
;   call CopyBGPic(id, id + 10)
; end
; -- A five-pointed star, its outline from the top point clockwise.
; star = {66, 4, 82, 48, 129, 50, 92, 78, 105, 123, 66, 97, 27, 123, 40, 78, 3, 50, 50, 48}
; call scene(1, $0B1A40, $3A78C8, $F0C020, $30C080, $E05050, $FFFFFF)
; call scene(2, $401030, $F09040, $3070E0, $F0E040, $30C0A0, $FFF0C0)
; call DisplayBGPic(1)
; -- A chime: two notes of a decaying sine, a quarter of a second each, at 22050 frames a second.
; wave = {}
; for i = 0, 11024 do
;   f = 0.188
;   if i > 5512 then
;     f = 0.282
;   end
;   wave[i] = Int(Sin(i * f) * 60 * (11025 - i) / 11025)
; end
; call CreateSample(1, wave, 22050)
; call PlaySample(1)
; -- The turning text, centred on (320, 365). Drawing goes into the picture shown, so each frame
; -- first puts back that part of the picture from its clean copy.
; call SetFont("Bitstream Vera Sans", 24)
; call SetFontStyle(1)
; call SetFontStyle(16)
; call SetFontStyle(64, $102040, 2)
; call SetFontColor($FFFFFF)
; call CreateTextObject(1, "turning text")
; function turn(angle)
;   call DisplayBGPicPart(pic + 10, 230, 275, 180, 180, 230, 275)
;   call RotateTextObject(1, angle)
;   call DisplayTextObject(1, 320 - (GetAttribute(8, 1, 0) / 2), 365 - (GetAttribute(8, 1, 1) / 2))
; end
; function quit(msg)
;   done = 1
; end
; call InstallEventHandler({onkeydown = quit, onmouseup = quit})
; snap = GetEnv("QM_EXAMPLE_SNAPSHOT")
; pic = 1
; done = 0
; frame = 0
; while done == 0 do
;   call turn(frame * 2)
;   call VWait()
;   call CheckEvent()
;   frame = frame + 1
;   if frame == 150 then
;     pic = 2
;     call DisplayTransitionFX(2, {type = 115})
;     call PlaySample(1)
;   end
;   if frame == 190 then
;     if snap ~= "" then
;       call SaveSnapshot(snap, 0, 1)
;     end
;   end
;   if frame == 420 then
;     done = 1
;   end
; end
.source "@example.q"
  .maxstack 34
.lineno 2
  CLOSURE r0 f0
  SETGLOBAL r0 "scene"
.lineno 30
  NEWTABLE r0 0 4
  LOADK r1 #66
  SETTABLE r0 #0 r1
  LOADK r1 #4
  SETTABLE r0 #1 r1
  LOADK r1 #82
  SETTABLE r0 #2 r1
  LOADK r1 #48
  SETTABLE r0 #3 r1
  LOADK r1 #129
  SETTABLE r0 #4 r1
  LOADK r1 #50
  SETTABLE r0 #5 r1
  LOADK r1 #92
  SETTABLE r0 #6 r1
  LOADK r1 #78
  SETTABLE r0 #7 r1
  LOADK r1 #105
  SETTABLE r0 #8 r1
  LOADK r1 #123
  SETTABLE r0 #9 r1
  LOADK r1 #66
  SETTABLE r0 #10 r1
  LOADK r1 #97
  SETTABLE r0 #11 r1
  LOADK r1 #27
  SETTABLE r0 #12 r1
  LOADK r1 #123
  SETTABLE r0 #13 r1
  LOADK r1 #40
  SETTABLE r0 #14 r1
  LOADK r1 #78
  SETTABLE r0 #15 r1
  LOADK r1 #3
  SETTABLE r0 #16 r1
  LOADK r1 #50
  SETTABLE r0 #17 r1
  LOADK r1 #50
  SETTABLE r0 #18 r1
  LOADK r1 #48
  SETTABLE r0 #19 r1
  SETGLOBAL r0 "star"
.lineno 31
  GETGLOBAL r0 "scene"
  LOADK r1 #1
  LOADK r2 #727616
  LOADK r3 #3832008
  LOADK r4 #15777824
  LOADK r5 #3195008
  LOADK r6 #14700624
  LOADK r7 #16777215
  CALL r0 8 2
.lineno 32
  GETGLOBAL r0 "scene"
  LOADK r1 #2
  LOADK r2 #4198448
  LOADK r3 #15765568
  LOADK r4 #3174624
  LOADK r5 #15786048
  LOADK r6 #3195040
  LOADK r7 #16773312
  CALL r0 8 2
.lineno 33
  GETGLOBAL r0 "displaybgpic"
  LOADK r1 #1
  CALL r0 2 2
.lineno 35
  NEWTABLE r0 0 4
  SETGLOBAL r0 "wave"
.lineno 36
  LOADK r20 #0
  LOADK r21 #11024
  LOADK r22 #1
  SUB r20 r20 r22
  JMP @L1
L2:
  SETGLOBAL r20 "i"
.lineno 37
  LOADK r27 #0.188
  SETGLOBAL r27 "f"
.lineno 38
  GETGLOBAL r27 "i"
  LOADK r28 #5512
  LT 0 r28 r27
  JMP @L4
.lineno 39
  LOADK r27 #0.282
  SETGLOBAL r27 "f"
.lineno 40
L4:
.lineno 41
  GETGLOBAL r27 "wave"
  GETGLOBAL r28 "i"
  GETGLOBAL r29 "int"
  GETGLOBAL r30 "sin"
  GETGLOBAL r31 "i"
  GETGLOBAL r32 "f"
  MUL r31 r31 r32
  CALL r30 2 0
  LOADK r31 #60
  MUL r30 r30 r31
  LOADK r31 #11025
  GETGLOBAL r32 "i"
  SUB r31 r31 r32
  MUL r30 r30 r31
  LOADK r31 #11025
  DIV r30 r30 r31
  CALL r29 2 2
  SETTABLE r27 r28 r29
.lineno 42
L1:
  FORLOOP r20 @L2
.lineno 43
  GETGLOBAL r0 "createsample"
  LOADK r1 #1
  GETGLOBAL r2 "wave"
  LOADK r3 #22050
  CALL r0 4 2
.lineno 44
  GETGLOBAL r0 "playsample"
  LOADK r1 #1
  CALL r0 2 2
.lineno 47
  GETGLOBAL r0 "setfont"
  LOADK r1 "Bitstream Vera Sans"
  LOADK r2 #24
  CALL r0 3 2
.lineno 48
  GETGLOBAL r0 "setfontstyle"
  LOADK r1 #1
  CALL r0 2 2
.lineno 49
  GETGLOBAL r0 "setfontstyle"
  LOADK r1 #16
  CALL r0 2 2
.lineno 50
  GETGLOBAL r0 "setfontstyle"
  LOADK r1 #64
  LOADK r2 #1056832
  LOADK r3 #2
  CALL r0 4 2
.lineno 51
  GETGLOBAL r0 "setfontcolor"
  LOADK r1 #16777215
  CALL r0 2 2
.lineno 52
  GETGLOBAL r0 "createtextobject"
  LOADK r1 #1
  LOADK r2 "turning text"
  CALL r0 3 2
.lineno 53
  CLOSURE r0 f1
  SETGLOBAL r0 "turn"
.lineno 58
  CLOSURE r0 f2
  SETGLOBAL r0 "quit"
.lineno 61
  GETGLOBAL r0 "installeventhandler"
  NEWTABLE r1 0 4
  GETGLOBAL r2 "quit"
  SETTABLE r1 "onkeydown" r2
  GETGLOBAL r2 "quit"
  SETTABLE r1 "onmouseup" r2
  CALL r0 2 2
.lineno 62
  GETGLOBAL r0 "getenv"
  LOADK r1 "QM_EXAMPLE_SNAPSHOT"
  CALL r0 2 2
  SETGLOBAL r0 "snap"
.lineno 63
  LOADK r0 #1
  SETGLOBAL r0 "pic"
.lineno 64
  LOADK r0 #0
  SETGLOBAL r0 "done"
.lineno 65
  LOADK r0 #0
  SETGLOBAL r0 "frame"
.lineno 66
L5:
  GETGLOBAL r0 "done"
  LOADK r1 #0
  EQ 0 r0 r1
  JMP @L6
.lineno 67
  GETGLOBAL r0 "turn"
  GETGLOBAL r1 "frame"
  LOADK r2 #2
  MUL r1 r1 r2
  CALL r0 2 2
.lineno 68
  GETGLOBAL r0 "vwait"
  CALL r0 1 2
.lineno 69
  GETGLOBAL r0 "checkevent"
  CALL r0 1 2
.lineno 70
  GETGLOBAL r0 "frame"
  LOADK r1 #1
  ADD r0 r0 r1
  SETGLOBAL r0 "frame"
.lineno 71
  GETGLOBAL r0 "frame"
  LOADK r1 #150
  EQ 0 r0 r1
  JMP @L8
.lineno 72
  LOADK r0 #2
  SETGLOBAL r0 "pic"
.lineno 73
  GETGLOBAL r0 "displaytransitionfx"
  LOADK r1 #2
  NEWTABLE r2 0 4
  LOADK r3 #115
  SETTABLE r2 "type" r3
  CALL r0 3 2
.lineno 74
  GETGLOBAL r0 "playsample"
  LOADK r1 #1
  CALL r0 2 2
.lineno 75
L8:
.lineno 76
  GETGLOBAL r0 "frame"
  LOADK r1 #190
  EQ 0 r0 r1
  JMP @L10
.lineno 77
  GETGLOBAL r0 "snap"
  LOADK r1 ""
  EQ 1 r0 r1
  JMP @L12
.lineno 78
  GETGLOBAL r0 "savesnapshot"
  GETGLOBAL r1 "snap"
  LOADK r2 #0
  LOADK r3 #1
  CALL r0 4 2
.lineno 79
L12:
.lineno 80
L10:
.lineno 81
  GETGLOBAL r0 "frame"
  LOADK r1 #420
  EQ 0 r0 r1
  JMP @L14
.lineno 82
  LOADK r0 #1
  SETGLOBAL r0 "done"
.lineno 83
L14:
.lineno 84
  JMP @L5
L6:
  RETURN r0 1
.function
  .params 7
  .maxstack 16
.lineno 3
  GETGLOBAL r7 "creategradientbrush"
  MOVE r8 r0
  LOADK r9 #640
  LOADK r10 #480
  LOADK r11 #2
  MOVE r12 r1
  MOVE r13 r2
  LOADK r14 #0
  CALL r7 8 2
.lineno 4
  GETGLOBAL r7 "selectbrush"
  MOVE r8 r0
  CALL r7 2 2
.lineno 5
  GETGLOBAL r7 "setfont"
  LOADK r8 "Bitstream Vera Sans"
  LOADK r9 #72
  CALL r7 3 2
.lineno 6
  GETGLOBAL r7 "setfontstyle"
  LOADK r8 #16
  CALL r7 2 2
.lineno 7
  GETGLOBAL r7 "setfontstyle"
  LOADK r8 #64
  LOADK r9 #1056832
  LOADK r10 #3
  CALL r7 4 2
.lineno 8
  GETGLOBAL r7 "setfontstyle"
  LOADK r8 #32
  LOADK r9 #2147483648
  LOADK r10 #5
  LOADK r11 #9
  CALL r7 5 2
.lineno 9
  GETGLOBAL r7 "setfontcolor"
  LOADK r8 #16777215
  CALL r7 2 2
.lineno 10
  GETGLOBAL r7 "textout"
  LOADK r8 #-100000
  LOADK r9 #28
  LOADK r10 "Quillmere"
  CALL r7 4 2
.lineno 11
  GETGLOBAL r7 "setformstyle"
  LOADK r8 #1
  CALL r7 2 2
.lineno 12
  GETGLOBAL r7 "setformstyle"
  LOADK r8 #16
  CALL r7 2 2
.lineno 13
  GETGLOBAL r7 "setformstyle"
  LOADK r8 #64
  LOADK r9 #16777215
  LOADK r10 #3
  CALL r7 4 2
.lineno 14
  GETGLOBAL r7 "setformstyle"
  LOADK r8 #32
  LOADK r9 #1610612736
  LOADK r10 #6
  LOADK r11 #3
  CALL r7 5 2
.lineno 15
  GETGLOBAL r7 "setfillstyle"
  LOADK r8 #1
  CALL r7 2 2
.lineno 16
  GETGLOBAL r7 "circle"
  LOADK r8 #50
  LOADK r9 #150
  LOADK r10 #60
  MOVE r11 r3
  CALL r7 5 2
.lineno 17
  GETGLOBAL r7 "box"
  LOADK r8 #200
  LOADK r9 #150
  LOADK r10 #120
  LOADK r11 #120
  MOVE r12 r4
  LOADK r13 #24
  CALL r7 7 2
.lineno 18
  GETGLOBAL r7 "ellipse"
  LOADK r8 #350
  LOADK r9 #165
  LOADK r10 #60
  LOADK r11 #45
  MOVE r12 r5
  CALL r7 6 2
.lineno 19
  GETGLOBAL r7 "polygon"
  LOADK r8 #475
  LOADK r9 #145
  GETGLOBAL r10 "star"
  LOADK r11 #10
  MOVE r12 r6
  CALL r7 6 2
.lineno 20
  GETGLOBAL r7 "setformstyle"
  LOADK r8 #1
  CALL r7 2 2
.lineno 21
  GETGLOBAL r7 "setfont"
  LOADK r8 "Bitstream Vera Sans"
  LOADK r9 #16
  CALL r7 3 2
.lineno 22
  GETGLOBAL r7 "setfontstyle"
  LOADK r8 #1
  CALL r7 2 2
.lineno 23
  GETGLOBAL r7 "setfontstyle"
  LOADK r8 #16
  CALL r7 2 2
.lineno 24
  GETGLOBAL r7 "textout"
  LOADK r8 #-100000
  LOADK r9 #450
  LOADK r10 "Press a key or click to end"
  CALL r7 4 2
.lineno 25
  GETGLOBAL r7 "endselect"
  CALL r7 1 2
.lineno 26
  GETGLOBAL r7 "brushtobgpic"
  MOVE r8 r0
  MOVE r9 r0
  CALL r7 3 2
.lineno 27
  GETGLOBAL r7 "copybgpic"
  MOVE r8 r0
  MOVE r9 r0
  LOADK r10 #10
  ADD r9 r9 r10
  CALL r7 3 2
.lineno 28
  RETURN r0 1
.end
.function
  .params 1
  .maxstack 10
.lineno 54
  GETGLOBAL r1 "displaybgpicpart"
  GETGLOBAL r2 "pic"
  LOADK r3 #10
  ADD r2 r2 r3
  LOADK r3 #230
  LOADK r4 #275
  LOADK r5 #180
  LOADK r6 #180
  LOADK r7 #230
  LOADK r8 #275
  CALL r1 8 2
.lineno 55
  GETGLOBAL r1 "rotatetextobject"
  LOADK r2 #1
  MOVE r3 r0
  CALL r1 3 2
.lineno 56
  GETGLOBAL r1 "displaytextobject"
  LOADK r2 #1
  LOADK r3 #320
  GETGLOBAL r4 "getattribute"
  LOADK r5 #8
  LOADK r6 #1
  LOADK r7 #0
  CALL r4 4 2
  LOADK r5 #2
  DIV r4 r4 r5
  SUB r3 r3 r4
  LOADK r4 #365
  GETGLOBAL r5 "getattribute"
  LOADK r6 #8
  LOADK r7 #1
  LOADK r8 #1
  CALL r5 4 2
  LOADK r6 #2
  DIV r5 r5 r6
  SUB r4 r4 r5
  CALL r1 4 2
.lineno 57
  RETURN r0 1
.end
.function
  .params 1
  .maxstack 8
.lineno 59
  LOADK r1 #1
  SETGLOBAL r1 "done"
.lineno 60
  RETURN r0 1
.end
