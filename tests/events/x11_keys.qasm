; SetTitle("Quillmere event keys")  InstallEventHandler({onkeydown = k})
; Repeat WaitEvent() Until n = 3  ; k: n = n + 1  DebugPrint(msg.action, "[" .. msg.key .. "]")
.source "@x11_keys.qasm"
.maxstack 8
  LOADK r0 #0
  SETGLOBAL r0 "n"
  GETGLOBAL r0 "settitle"
  LOADK r1 "Quillmere event keys"
  CALL r0 2 1
  GETGLOBAL r0 "installeventhandler"
  NEWTABLE r1 0 0
  CLOSURE r2 f0
  SETTABLE r1 "onkeydown" r2
  CALL r0 2 1
loop:
  GETGLOBAL r0 "waitevent"
  CALL r0 1 1
  GETGLOBAL r0 "n"
  LT 1 r0 #3
  JMP @loop
  RETURN r0 1
.function
  .params 1
  .maxstack 8
  GETGLOBAL r1 "n"
  ADD r1 r1 #1
  SETGLOBAL r1 "n"
  GETGLOBAL r1 "debugprint"
  GETTABLE r2 r0 "action"
  LOADK r3 "["
  GETTABLE r4 r0 "key"
  LOADK r5 "]"
  CONCAT r3 r3 r5
  CALL r1 3 1
  RETURN r0 1
.end
