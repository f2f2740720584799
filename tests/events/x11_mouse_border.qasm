; A 64 x 48 picture shown scaled with kept proportions: once the window is made 256 x 96, the
; picture is 128 x 96 in the middle with 64-pixel strips either side. Each click prints MouseX and
; MouseY; the second ends the program.
; CreateBGPic(2, 64, 48, $204080)
; SetDisplayAttributes({bgpic = 2, sizeable = True, keepproportions = True, scalemode = 1, scalewidth = 128, scaleheight = 96})
; SetTitle("Quillmere mouse border")
; InstallEventHandler({sizewindow = s, onmousedown = m})
; Repeat WaitEvent() Until n = 2
; s: DebugPrint("size", msg.width, msg.height)  m: n = n + 1  DebugPrint(MouseX(), MouseY())
.source "@x11_mouse_border.qasm"
.maxstack 8
  LOADK r0 #0
  SETGLOBAL r0 "n"
  GETGLOBAL r0 "createbgpic"
  LOADK r1 #2
  LOADK r2 #64
  LOADK r3 #48
  LOADK r4 #2113664
  CALL r0 5 1
  GETGLOBAL r0 "setdisplayattributes"
  NEWTABLE r1 0 6
  SETTABLE r1 "bgpic" #2
  LOADBOOL r2 1 0
  SETTABLE r1 "sizeable" r2
  SETTABLE r1 "keepproportions" r2
  SETTABLE r1 "scalemode" #1
  SETTABLE r1 "scalewidth" #128
  SETTABLE r1 "scaleheight" #96
  CALL r0 2 1
  GETGLOBAL r0 "settitle"
  LOADK r1 "Quillmere mouse border"
  CALL r0 2 1
  GETGLOBAL r0 "installeventhandler"
  NEWTABLE r1 0 2
  CLOSURE r2 f0
  SETTABLE r1 "sizewindow" r2
  CLOSURE r2 f1
  SETTABLE r1 "onmousedown" r2
  CALL r0 2 1
loop:
  GETGLOBAL r0 "waitevent"
  CALL r0 1 1
  GETGLOBAL r0 "n"
  LT 1 r0 #2
  JMP @loop
  RETURN r0 1
.function
  .params 1
  .maxstack 6
  GETGLOBAL r1 "debugprint"
  LOADK r2 "size"
  GETTABLE r3 r0 "width"
  GETTABLE r4 r0 "height"
  CALL r1 4 1
  RETURN r0 1
.end
.function
  .params 1
  .maxstack 6
  GETGLOBAL r1 "n"
  ADD r1 r1 #1
  SETGLOBAL r1 "n"
  GETGLOBAL r1 "debugprint"
  GETGLOBAL r2 "mousex"
  CALL r2 1 2
  GETGLOBAL r3 "mousey"
  CALL r3 1 2
  CALL r1 3 1
  RETURN r0 1
.end
