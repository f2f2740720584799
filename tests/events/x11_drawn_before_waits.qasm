; Drawing shows before the player waits: a box drawn right before a long Wait, and another right
; before WaitLeftMouse, are on the screen while the program still waits.
; SetTitle("Quillmere drawn before waits")
; SetFillStyle(1)
; Box(10, 10, 40, 40, $FF0000)
; Wait(250)
; Box(60, 10, 40, 40, $00FF00)
; DebugPrint("waiting")
; WaitLeftMouse()
; DebugPrint("clicked")
.source "@x11_drawn_before_waits.qasm"
.maxstack 8
  GETGLOBAL r0 "settitle"
  LOADK r1 "Quillmere drawn before waits"
  CALL r0 2 1
  GETGLOBAL r0 "setfillstyle"
  LOADK r1 #1
  CALL r0 2 1
  GETGLOBAL r0 "box"
  LOADK r1 #10
  LOADK r2 #10
  LOADK r3 #40
  LOADK r4 #40
  LOADK r5 #16711680
  CALL r0 6 1
  GETGLOBAL r0 "wait"
  LOADK r1 #250
  CALL r0 2 1
  GETGLOBAL r0 "box"
  LOADK r1 #60
  LOADK r2 #10
  LOADK r3 #40
  LOADK r4 #40
  LOADK r5 #65280
  CALL r0 6 1
  GETGLOBAL r0 "debugprint"
  LOADK r1 "waiting"
  CALL r0 2 1
  GETGLOBAL r0 "waitleftmouse"
  CALL r0 1 1
  GETGLOBAL r0 "debugprint"
  LOADK r1 "clicked"
  CALL r0 2 1
  RETURN r0 1
