; label: platform
; DebugPrint(SystemRequest("Pick one", "Which button?", "One|Two|Three"))
; DebugPrint(StringRequest("Your name", "Type it", "x"))
; DebugPrint(ListRequest("Which row", "One", {"a", "b", "c"}, 2))
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
.lineno 3
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "listrequest"
  LOADK r2 "Which row"
  LOADK r3 "One"
  NEWTABLE r4 0 0
  LOADK r5 "a"
  SETTABLE r4 #0 r5
  LOADK r5 "b"
  SETTABLE r4 #1 r5
  LOADK r5 "c"
  SETTABLE r4 #2 r5
  LOADK r5 #2
  CALL r1 5 0
  CALL r0 0 1
  RETURN r0 1
