; label: display.pointer
; ExitOnError(false)
; CreateBrush(1, 32, 31, 0xFF0000, {mask = true})
; CreatePointer(1, 3, 1); CreatePointer(2, 3, 1, 40, 40); CreatePointer(3, 3, 1, 0, 5)
; DebugPrint("image", GetAttribute(36, 1, 0), GetAttribute(36, 1, 1), GetAttribute(36, 1, 9))
; CreatePointer(5, 36, 2); DebugPrint("kind 2", GetLastError())
; CreatePointer(5, 7, 1); DebugPrint("type", GetLastError())
; CreatePointer(4, 36, 1); DebugPrint("busy", GetAttribute(36, 4, 0), GetAttribute(36, 4, 1), GetAttribute(36, 4, 9))
; SetPointer(1); FreePointer(1); GetAttribute(36, 1, 0); DebugPrint("freed current", GetLastError(), GetAttribute(36, 0, 60))
; SetPointer(1); DebugPrint("set freed", GetLastError())
; SetPointer(4); DebugPrint("collected", GetAttribute(36, 0, 60))
; CreateDisplay(2, {width = 100, height = 80}); OpenDisplay(2)
; SetPointer(2); SelectDisplay(1); SetPointer(2); FreePointer(2)
; SetPointer(4); DebugPrint("held by display 2", GetAttribute(36, 0, 60))
; SelectDisplay(2); HidePointer(); ShowPointer(); MovePointer(10, 10); SetPointer(3); DebugPrint("released", GetAttribute(36, 0, 60))
; CreatePointer(3, 36, 0); DebugPrint("replaced", GetAttribute(36, 3, 9), GetAttribute(36, 0, 60))
; FreePointer(99); DebugPrint("missing", GetLastError())
.source "@pointers.qasm"
.maxstack 12
.lineno 1
  GETGLOBAL r0 "exitonerror"
  LOADBOOL r1 0 0
  CALL r0 2 1
.lineno 2
  GETGLOBAL r0 "createbrush"
  LOADK r1 #1
  LOADK r2 #32
  LOADK r3 #31
  LOADK r4 #16711680
  NEWTABLE r5 0 0
  GETGLOBAL r6 "mask"
  SETTABLE r5 #0 r6
  GETGLOBAL r6 "="
  SETTABLE r5 #1 r6
  LOADBOOL r6 1 0
  SETTABLE r5 #2 r6
  CALL r0 6 1
.lineno 3
  GETGLOBAL r0 "createpointer"
  LOADK r1 #1
  LOADK r2 #3
  LOADK r3 #1
  CALL r0 4 1
  GETGLOBAL r0 "createpointer"
  LOADK r1 #2
  LOADK r2 #3
  LOADK r3 #1
  LOADK r4 #40
  LOADK r5 #40
  CALL r0 6 1
  GETGLOBAL r0 "createpointer"
  LOADK r1 #3
  LOADK r2 #3
  LOADK r3 #1
  LOADK r4 #0
  LOADK r5 #5
  CALL r0 6 1
.lineno 4
  GETGLOBAL r0 "debugprint"
  LOADK r1 "image"
  GETGLOBAL r2 "getattribute"
  LOADK r3 #36
  LOADK r4 #1
  LOADK r5 #0
  CALL r2 4 2
  GETGLOBAL r3 "getattribute"
  LOADK r4 #36
  LOADK r5 #1
  LOADK r6 #1
  CALL r3 4 2
  GETGLOBAL r4 "getattribute"
  LOADK r5 #36
  LOADK r6 #1
  LOADK r7 #9
  CALL r4 4 2
  CALL r0 5 1
.lineno 5
  GETGLOBAL r0 "createpointer"
  LOADK r1 #5
  LOADK r2 #36
  LOADK r3 #2
  CALL r0 4 1
  GETGLOBAL r0 "debugprint"
  LOADK r1 "kind 2"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 2
  CALL r0 3 1
.lineno 6
  GETGLOBAL r0 "createpointer"
  LOADK r1 #5
  LOADK r2 #7
  LOADK r3 #1
  CALL r0 4 1
  GETGLOBAL r0 "debugprint"
  LOADK r1 "type"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 2
  CALL r0 3 1
.lineno 7
  GETGLOBAL r0 "createpointer"
  LOADK r1 #4
  LOADK r2 #36
  LOADK r3 #1
  CALL r0 4 1
  GETGLOBAL r0 "debugprint"
  LOADK r1 "busy"
  GETGLOBAL r2 "getattribute"
  LOADK r3 #36
  LOADK r4 #4
  LOADK r5 #0
  CALL r2 4 2
  GETGLOBAL r3 "getattribute"
  LOADK r4 #36
  LOADK r5 #4
  LOADK r6 #1
  CALL r3 4 2
  GETGLOBAL r4 "getattribute"
  LOADK r5 #36
  LOADK r6 #4
  LOADK r7 #9
  CALL r4 4 2
  CALL r0 5 1
.lineno 8
  GETGLOBAL r0 "setpointer"
  LOADK r1 #1
  CALL r0 2 1
  GETGLOBAL r0 "freepointer"
  LOADK r1 #1
  CALL r0 2 1
  GETGLOBAL r0 "getattribute"
  LOADK r1 #36
  LOADK r2 #1
  LOADK r3 #0
  CALL r0 4 1
  GETGLOBAL r0 "debugprint"
  LOADK r1 "freed current"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 2
  GETGLOBAL r3 "getattribute"
  LOADK r4 #36
  LOADK r5 #0
  LOADK r6 #60
  CALL r3 4 2
  CALL r0 4 1
.lineno 9
  GETGLOBAL r0 "setpointer"
  LOADK r1 #1
  CALL r0 2 1
  GETGLOBAL r0 "debugprint"
  LOADK r1 "set freed"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 2
  CALL r0 3 1
.lineno 10
  GETGLOBAL r0 "setpointer"
  LOADK r1 #4
  CALL r0 2 1
  GETGLOBAL r0 "debugprint"
  LOADK r1 "collected"
  GETGLOBAL r2 "getattribute"
  LOADK r3 #36
  LOADK r4 #0
  LOADK r5 #60
  CALL r2 4 2
  CALL r0 3 1
.lineno 11
  GETGLOBAL r0 "createdisplay"
  LOADK r1 #2
  NEWTABLE r2 0 0
  GETGLOBAL r3 "width"
  SETTABLE r2 #0 r3
  GETGLOBAL r3 "="
  SETTABLE r2 #1 r3
  LOADK r3 #100
  SETTABLE r2 #2 r3
  GETGLOBAL r3 "height"
  SETTABLE r2 #3 r3
  GETGLOBAL r3 "="
  SETTABLE r2 #4 r3
  LOADK r3 #80
  SETTABLE r2 #5 r3
  CALL r0 3 1
  GETGLOBAL r0 "opendisplay"
  LOADK r1 #2
  CALL r0 2 1
.lineno 12
  GETGLOBAL r0 "setpointer"
  LOADK r1 #2
  CALL r0 2 1
  GETGLOBAL r0 "selectdisplay"
  LOADK r1 #1
  CALL r0 2 1
  GETGLOBAL r0 "setpointer"
  LOADK r1 #2
  CALL r0 2 1
  GETGLOBAL r0 "freepointer"
  LOADK r1 #2
  CALL r0 2 1
.lineno 13
  GETGLOBAL r0 "setpointer"
  LOADK r1 #4
  CALL r0 2 1
  GETGLOBAL r0 "debugprint"
  LOADK r1 "held by display 2"
  GETGLOBAL r2 "getattribute"
  LOADK r3 #36
  LOADK r4 #0
  LOADK r5 #60
  CALL r2 4 2
  CALL r0 3 1
.lineno 14
  GETGLOBAL r0 "selectdisplay"
  LOADK r1 #2
  CALL r0 2 1
  GETGLOBAL r0 "hidepointer"
  CALL r0 1 1
  GETGLOBAL r0 "showpointer"
  CALL r0 1 1
  GETGLOBAL r0 "movepointer"
  LOADK r1 #10
  LOADK r2 #10
  CALL r0 3 1
  GETGLOBAL r0 "setpointer"
  LOADK r1 #3
  CALL r0 2 1
  GETGLOBAL r0 "debugprint"
  LOADK r1 "released"
  GETGLOBAL r2 "getattribute"
  LOADK r3 #36
  LOADK r4 #0
  LOADK r5 #60
  CALL r2 4 2
  CALL r0 3 1
.lineno 15
  GETGLOBAL r0 "createpointer"
  LOADK r1 #3
  LOADK r2 #36
  LOADK r3 #0
  CALL r0 4 1
  GETGLOBAL r0 "debugprint"
  LOADK r1 "replaced"
  GETGLOBAL r2 "getattribute"
  LOADK r3 #36
  LOADK r4 #3
  LOADK r5 #9
  CALL r2 4 2
  GETGLOBAL r3 "getattribute"
  LOADK r4 #36
  LOADK r5 #0
  LOADK r6 #60
  CALL r3 4 2
  CALL r0 4 1
.lineno 16
  GETGLOBAL r0 "freepointer"
  LOADK r1 #99
  CALL r0 2 1
  GETGLOBAL r0 "debugprint"
  LOADK r1 "missing"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 2
  CALL r0 3 1
  RETURN r0 1
