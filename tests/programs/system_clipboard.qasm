; label: system.clipboard
; ExitOnError(False)
; DebugPrint(PeekClipboard())
; DebugPrint(GetClipboard())
; SetClipboard(1, "café\nzwei")
; DebugPrint(PeekClipboard())
; DebugPrint(GetClipboard())
; SetClipboard(3, "x")
; DebugPrint(GetLastError())
; SetClipboard(2, 7)
; DebugPrint(GetLastError())
; LoadBrush(1, "in.png", {LoadAlpha = True})
; SetClipboard(2, 1)
; DebugPrint(PeekClipboard())
; k, h = GetClipboard()
; DebugPrint(k, GetAttribute(3, h, 0), GetAttribute(3, h, 1))
; SaveBrush(h, "out.png", $FFFFFFFF, 1)
; ClearClipboard()
; DebugPrint(PeekClipboard())
.source "@system_clipboard.qasm"
.maxstack 16
.lineno 1
  GETGLOBAL r0 "exitonerror"
  LOADBOOL r1 0 0
  CALL r0 2 1
.lineno 2
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "peekclipboard"
  CALL r1 1 0
  CALL r0 0 1
.lineno 3
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getclipboard"
  CALL r1 1 0
  CALL r0 0 1
.lineno 4
  GETGLOBAL r0 "setclipboard"
  LOADK r1 #1
  LOADK r2 "café\nzwei"
  CALL r0 3 1
.lineno 5
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "peekclipboard"
  CALL r1 1 0
  CALL r0 0 1
.lineno 6
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getclipboard"
  CALL r1 1 0
  CALL r0 0 1
.lineno 7
  GETGLOBAL r0 "setclipboard"
  LOADK r1 #3
  LOADK r2 "x"
  CALL r0 3 1
.lineno 8
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getlasterror"
  CALL r1 1 0
  CALL r0 0 1
.lineno 9
  GETGLOBAL r0 "setclipboard"
  LOADK r1 #2
  LOADK r2 #7
  CALL r0 3 1
.lineno 10
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getlasterror"
  CALL r1 1 0
  CALL r0 0 1
.lineno 11
  GETGLOBAL r0 "loadbrush"
  LOADK r1 #1
  LOADK r2 "in.png"
  NEWTABLE r3 0 0
  LOADBOOL r4 1 0
  SETTABLE r3 "loadalpha" r4
  CALL r0 4 1
.lineno 12
  GETGLOBAL r0 "setclipboard"
  LOADK r1 #2
  LOADK r2 #1
  CALL r0 3 1
.lineno 13
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "peekclipboard"
  CALL r1 1 0
  CALL r0 0 1
.lineno 14
  GETGLOBAL r0 "getclipboard"
  CALL r0 1 3
  SETGLOBAL r0 "k"
  SETGLOBAL r1 "h"
.lineno 15
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "k"
  GETGLOBAL r2 "getattribute"
  LOADK r3 #3
  GETGLOBAL r4 "h"
  LOADK r5 #0
  CALL r2 4 2
  GETGLOBAL r3 "getattribute"
  LOADK r4 #3
  GETGLOBAL r5 "h"
  LOADK r6 #1
  CALL r3 4 0
  CALL r0 0 1
.lineno 16
  GETGLOBAL r0 "savebrush"
  GETGLOBAL r1 "h"
  LOADK r2 "out.png"
  LOADK r3 #4294967295
  LOADK r4 #1
  CALL r0 5 1
.lineno 17
  GETGLOBAL r0 "clearclipboard"
  CALL r0 1 1
.lineno 18
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "peekclipboard"
  CALL r1 1 0
  CALL r0 0 1
  RETURN r0 1
