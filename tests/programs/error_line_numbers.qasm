; Without .lineno an applet's error report names the line of the source file (here with the debug
; device: "file:line: message").
; DebugPrint("before")  LeftStr()
.applet
.maxstack 4
  GETGLOBAL r0 "debugprint"
  LOADK r1 "before"
  CALL r0 2 1
  GETGLOBAL r0 "leftstr"
  CALL r0 1 1
  RETURN r0 1
