; label: display
; DebugPrint(GetAttribute(#DISPLAY, 0, #ATTRCOUNT), GetAttribute(#DISPLAY, 0, #ATTRMODE), GetAttribute(#DISPLAY, 1, #ATTRBORDERLESS), GetAttribute(#DISPLAY, 1, #ATTRFIXED), GetAttribute(#DISPLAY, 0, #ATTRHOSTWIDTH), GetAttribute(#DISPLAY, 1, #ATTRXPOS), GetAttribute(#DISPLAY, 1, #ATTRTITLE))
; ChangeDisplayMode(1)  DebugPrint(GetAttribute(#DISPLAY, 0, #ATTRCOUNT), GetAttribute(#DISPLAY, 0, #ATTRMODE), GetAttribute(#DISPLAY, 1, #ATTRBORDERLESS), GetAttribute(#DISPLAY, 0, #ATTRHOSTWIDTH))
.source "@display_backfill.qasm"
.maxstack 15
.lineno 1
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getattribute"
  LOADK r2 #21
  LOADK r3 #0
  LOADK r4 #60
  CALL r1 4 2
  GETGLOBAL r2 "getattribute"
  LOADK r3 #21
  LOADK r4 #0
  LOADK r5 #42
  CALL r2 4 2
  GETGLOBAL r3 "getattribute"
  LOADK r4 #21
  LOADK r5 #1
  LOADK r6 #46
  CALL r3 4 2
  GETGLOBAL r4 "getattribute"
  LOADK r5 #21
  LOADK r6 #1
  LOADK r7 #47
  CALL r4 4 2
  GETGLOBAL r5 "getattribute"
  LOADK r6 #21
  LOADK r7 #0
  LOADK r8 #28
  CALL r5 4 2
  GETGLOBAL r6 "getattribute"
  LOADK r7 #21
  LOADK r8 #1
  LOADK r9 #7
  CALL r6 4 2
  GETGLOBAL r7 "getattribute"
  LOADK r8 #21
  LOADK r9 #1
  LOADK r10 #51
  CALL r7 4 0
  CALL r0 0 1
.lineno 2
  GETGLOBAL r0 "changedisplaymode"
  LOADK r1 #1
  CALL r0 2 1
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getattribute"
  LOADK r2 #21
  LOADK r3 #0
  LOADK r4 #60
  CALL r1 4 2
  GETGLOBAL r2 "getattribute"
  LOADK r3 #21
  LOADK r4 #0
  LOADK r5 #42
  CALL r2 4 2
  GETGLOBAL r3 "getattribute"
  LOADK r4 #21
  LOADK r5 #1
  LOADK r6 #46
  CALL r3 4 2
  GETGLOBAL r4 "getattribute"
  LOADK r5 #21
  LOADK r6 #0
  LOADK r7 #28
  CALL r4 4 0
  CALL r0 0 1
  RETURN r0 1
