; label: system.request
; The dialog program (a stand-in on PATH, see .setup) sees the rows and which one starts chosen.
; DebugPrint(ListRequest("Pick", "One", {"a", "b", "c"}, 2))
; DebugPrint(ListRequest("Pick", "One", {"-a", "", "c"}, 7))  -- out of range: none chosen
; DebugPrint(ListRequest("Pick", "One", {"a", "b"}))           -- the first by default
; f = FontRequest("Font", "DejaVu Sans Mono Bold")             -- a full name: its family's row
; DebugPrint(f.name, f.size, f.bold, f.italic, f.underline)
.source "@system_dialogs.qasm"
.maxstack 16
.lineno 3
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "listrequest"
  LOADK r2 "Pick"
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
.lineno 4
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "listrequest"
  LOADK r2 "Pick"
  LOADK r3 "One"
  NEWTABLE r4 0 0
  LOADK r5 "-a"
  SETTABLE r4 #0 r5
  LOADK r5 ""
  SETTABLE r4 #1 r5
  LOADK r5 "c"
  SETTABLE r4 #2 r5
  LOADK r5 #7
  CALL r1 5 0
  CALL r0 0 1
.lineno 5
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "listrequest"
  LOADK r2 "Pick"
  LOADK r3 "One"
  NEWTABLE r4 0 0
  LOADK r5 "a"
  SETTABLE r4 #0 r5
  LOADK r5 "b"
  SETTABLE r4 #1 r5
  CALL r1 4 0
  CALL r0 0 1
.lineno 6
  GETGLOBAL r0 "fontrequest"
  LOADK r1 "Font"
  LOADK r2 "DejaVu Sans Mono Bold"
  CALL r0 3 2
  SETGLOBAL r0 "f"
.lineno 7
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "f"
  GETTABLE r1 r1 "name"
  GETGLOBAL r2 "f"
  GETTABLE r2 r2 "size"
  GETGLOBAL r3 "f"
  GETTABLE r3 r3 "bold"
  GETGLOBAL r4 "f"
  GETTABLE r4 r4 "italic"
  GETGLOBAL r5 "f"
  GETTABLE r5 r5 "underline"
  CALL r0 6 1
  RETURN r0 1
