; label: display
; Scaling and the desktop display do not go together: the run ends with 1312 before the program.
; DebugPrint("not reached")
.desktop
.declare display 1 title="Desktop" width=100 height=80 flags=0x440
.source "@display_desktop_autoscale.qasm"
.maxstack 4
.lineno 1
  GETGLOBAL r0 "debugprint"
  LOADK r1 "not reached"
  CALL r0 2 1
  RETURN r0 1
