; label: display
; Commands that answer True or False give the numbers 1 and 0, so that a script may print them
; and compare them with True and False.
; SaveSnapshot("p.png", #SNAPDISPLAY, #IMGFMT_PNG)
; ok, info = IsPicture("p.png")  DebugPrint("picture", ok, info.width, ok = True)
; DebugPrint("text", IsPicture("t.txt"), IsPicture("t.txt") = False)
; DebugPrint("shift", IsKeyDown("LSHIFT"), IsKeyDown("LSHIFT") = False)
; CreateBrush(2, 4, 4, $FF0000)  h = MoveBrush(2, 0, 0, 30, 0, {async = True})
; n = 0  Repeat n = n + 1 Until AsyncDrawFrame(h) = True  DebugPrint("async", n)
.source "@boolean_results.qasm"
.maxstack 8
.lineno 1
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "p.png"
  LOADK r2 #1
  LOADK r3 #1
  CALL r0 4 1
.lineno 2
  GETGLOBAL r0 "ispicture"
  LOADK r1 "p.png"
  CALL r0 2 3
  GETGLOBAL r2 "debugprint"
  LOADK r3 "picture"
  MOVE r4 r0
  GETTABLE r5 r1 "width"
  EQ 1 r0 #1
  JMP @picture_true
  LOADBOOL r6 0 1
picture_true:
  LOADBOOL r6 1 0
  CALL r2 5 1
.lineno 3
  GETGLOBAL r0 "debugprint"
  LOADK r1 "text"
  GETGLOBAL r2 "ispicture"
  LOADK r3 "t.txt"
  CALL r2 2 2
  EQ 1 r2 #0
  JMP @text_true
  LOADBOOL r3 0 1
text_true:
  LOADBOOL r3 1 0
  CALL r0 4 1
.lineno 4
  GETGLOBAL r0 "debugprint"
  LOADK r1 "shift"
  GETGLOBAL r2 "iskeydown"
  LOADK r3 "LSHIFT"
  CALL r2 2 2
  EQ 1 r2 #0
  JMP @shift_true
  LOADBOOL r3 0 1
shift_true:
  LOADBOOL r3 1 0
  CALL r0 4 1
.lineno 5
  GETGLOBAL r0 "createbrush"
  LOADK r1 #2
  LOADK r2 #4
  LOADK r3 #4
  LOADK r4 #16711680
  CALL r0 5 1
  GETGLOBAL r0 "movebrush"
  LOADK r1 #2
  LOADK r2 #0
  LOADK r3 #0
  LOADK r4 #30
  LOADK r5 #0
  NEWTABLE r6 0 1
  LOADBOOL r7 1 0
  SETTABLE r6 "async" r7
  CALL r0 7 2
  SETGLOBAL r0 "h"
.lineno 6
  LOADK r0 #0
  SETGLOBAL r0 "n"
step:
  GETGLOBAL r0 "n"
  ADD r0 r0 #1
  SETGLOBAL r0 "n"
  GETGLOBAL r0 "asyncdrawframe"
  GETGLOBAL r1 "h"
  CALL r0 2 2
  EQ 0 r0 #1
  JMP @step
  GETGLOBAL r0 "debugprint"
  LOADK r1 "async"
  GETGLOBAL r2 "n"
  CALL r0 3 1
  RETURN r0 1
