; label: platform
; DebugPrint(SystemRequest("Pick one", "Which button?", "One|Two|Three"))
; DebugPrint(StringRequest("Your name", "Type it", "x"))
.source "@x11_requesters.qasm"
.maxstack 16
.lineno 1
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "systemrequest"
  LOADK r2 "Pick one"
  LOADK r3 "Which button?"
  LOADK r4 "One|Two|Three"
  CALL r1 4 0
  CALL r0 0 1
.lineno 2
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "stringrequest"
  LOADK r2 "Your name"
  LOADK r3 "Type it"
  LOADK r4 "x"
  CALL r1 4 0
  CALL r0 0 1
  RETURN r0 1
