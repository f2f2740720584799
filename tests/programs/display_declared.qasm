; label: display
; DebugPrint(GetAttribute(#DISPLAY, 0, #ATTRTITLE), GetAttribute(#DISPLAY, 1, #ATTRSTATE), GetAttribute(#DISPLAY, 2, #ATTRSTATE), GetAttribute(#DISPLAY, 3, #ATTRSTATE), GetAttribute(#DISPLAY, 2, #ATTRACTIVE))
; DebugPrint(GetAttribute(#DISPLAY, 1, #ATTRWIDTH), GetAttribute(#DISPLAY, 2, #ATTRWIDTH), GetAttribute(#DISPLAY, 2, #ATTRHEIGHT), GetAttribute(#DISPLAY, 0, #ATTRXPOS), GetAttribute(#DISPLAY, 0, #ATTRYPOS))
; OpenDisplay(3)  DebugPrint(GetAttribute(#DISPLAY, 0, #ATTRTITLE), GetAttribute(#DISPLAY, 3, #ATTRSTATE))
; Declared: display 1 plain, display 2 active, display 3 active but hidden.
.declare display 1 title="One" width=200 height=100 x=-100000 y=-100000 flags=0
.declare display 2 title="Two" width=300 height=150 flags=0x400 x=-100000 y=-100000
.declare display 3 title="Three" width=50 height=50 flags=0xC00
.source "@display_declared.qasm"
.maxstack 13
.lineno 1
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getattribute"
  LOADK r2 #21
  LOADK r3 #0
  LOADK r4 #51
  CALL r1 4 2
  GETGLOBAL r2 "getattribute"
  LOADK r3 #21
  LOADK r4 #1
  LOADK r5 #40
  CALL r2 4 2
  GETGLOBAL r3 "getattribute"
  LOADK r4 #21
  LOADK r5 #2
  LOADK r6 #40
  CALL r3 4 2
  GETGLOBAL r4 "getattribute"
  LOADK r5 #21
  LOADK r6 #3
  LOADK r7 #40
  CALL r4 4 2
  GETGLOBAL r5 "getattribute"
  LOADK r6 #21
  LOADK r7 #2
  LOADK r8 #41
  CALL r5 4 0
  CALL r0 0 1
.lineno 2
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getattribute"
  LOADK r2 #21
  LOADK r3 #1
  LOADK r4 #0
  CALL r1 4 2
  GETGLOBAL r2 "getattribute"
  LOADK r3 #21
  LOADK r4 #2
  LOADK r5 #0
  CALL r2 4 2
  GETGLOBAL r3 "getattribute"
  LOADK r4 #21
  LOADK r5 #2
  LOADK r6 #1
  CALL r3 4 2
  GETGLOBAL r4 "getattribute"
  LOADK r5 #21
  LOADK r6 #0
  LOADK r7 #7
  CALL r4 4 2
  GETGLOBAL r5 "getattribute"
  LOADK r6 #21
  LOADK r7 #0
  LOADK r8 #8
  CALL r5 4 0
  CALL r0 0 1
.lineno 3
  GETGLOBAL r0 "opendisplay"
  LOADK r1 #3
  CALL r0 2 1
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getattribute"
  LOADK r2 #21
  LOADK r3 #0
  LOADK r4 #51
  CALL r1 4 2
  GETGLOBAL r2 "getattribute"
  LOADK r3 #21
  LOADK r4 #3
  LOADK r5 #40
  CALL r2 4 0
  CALL r0 0 1
  RETURN r0 1
