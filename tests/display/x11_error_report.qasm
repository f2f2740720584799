; Opens its display (the default one), then calls a command that does not exist on line 9.
; DebugPrint("up")  nothing()
.applet
.maxstack 4
  GETGLOBAL r0 "debugprint"
  LOADK r1 "up"
  CALL r0 2 1
  GETGLOBAL r0 "nothing"
  CALL r0 1 1
  RETURN r0 1
