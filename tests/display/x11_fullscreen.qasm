; A red display of 400x300 that switches between full screen and a window on the keys f and w
; (the Command-Return hotkey switches by itself) and prints each switch.
; InstallEventHandler({onkeydown = k})
; Repeat WaitEvent() Forever
; Function k(msg)
;   If msg.key = "f" Then ChangeDisplayMode(#DISPMODE_FULLSCREEN, 640, 480) DebugPrint("full")
;   If msg.key = "w" Then ChangeDisplayMode(#DISPMODE_WINDOWED) DebugPrint("windowed")
; EndFunction
.declare display 1 title="Quillmere full screen" width=400 height=300 color=0xFF0000
.source "@x11_fullscreen.qasm"
.maxstack 8
.lineno 1
  GETGLOBAL r0 "installeventhandler"
  NEWTABLE r1 0 0
  CLOSURE r2 f0
  SETTABLE r1 "onkeydown" r2
  CALL r0 2 1
loop:
.lineno 2
  GETGLOBAL r0 "waitevent"
  CALL r0 1 1
  JMP @loop
  RETURN r0 1
.function
  .params 1
  .maxstack 8
.lineno 6
  GETTABLE r1 r0 "key"
  EQ 0 r1 "f"
  JMP @windowed
  GETGLOBAL r2 "changedisplaymode"
  LOADK r3 #2
  LOADK r4 #640
  LOADK r5 #480
  CALL r2 4 1
  GETGLOBAL r2 "debugprint"
  LOADK r3 "full"
  CALL r2 2 1
windowed:
.lineno 7
  EQ 0 r1 "w"
  JMP @done
  GETGLOBAL r2 "changedisplaymode"
  LOADK r3 #1
  CALL r2 2 1
  GETGLOBAL r2 "debugprint"
  LOADK r3 "windowed"
  CALL r2 2 1
done:
  RETURN r0 1
.end
