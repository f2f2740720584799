; label: display
; ExitOnError(False)
; m = GetDisplayModes()
; DebugPrint(m[0].width, m[0].height, m[1].width, m[1].height, m[2].width, m[2].height, m[3].width, m[3].height)
; ChangeDisplayMode(#DISPMODE_WINDOWED)  DebugPrint(GetLastError(), GetAttribute(#DISPLAY, 0, #ATTRMODE), GetAttribute(#DISPLAY, 0, #ATTRCOUNT))
; ChangeDisplayMode(2, 800, 600)  DebugPrint(GetAttribute(#DISPLAY, 0, #ATTRMODE), GetAttribute(#DISPLAY, 0, #ATTRHOSTWIDTH), GetAttribute(#DISPLAY, 0, #ATTRBORDERLESS), GetAttribute(#DISPLAY, 0, #ATTRFIXED), GetAttribute(#DISPLAY, 0, #ATTRSTATE), GetAttribute(#DISPLAY, 0, #ATTRCOUNT))
; ChangeDisplayMode(2, 800, 600)  DebugPrint(GetLastError(), GetAttribute(#DISPLAY, 0, #ATTRCOUNT))
; ChangeDisplayMode(2, 123, 45)  DebugPrint(GetLastError(), GetAttribute(#DISPLAY, 0, #ATTRSTATE), GetAttribute(#DISPLAY, 0, #ATTRHOSTWIDTH), GetAttribute(#DISPLAY, 0, #ATTRCOUNT))
; ChangeDisplayMode(1)  DebugPrint(GetAttribute(#DISPLAY, 0, #ATTRMODE), GetAttribute(#DISPLAY, 0, #ATTRBORDERLESS), GetAttribute(#DISPLAY, 0, #ATTRSTATE), GetAttribute(#DISPLAY, 0, #ATTRCOUNT), GetAttribute(#DISPLAY, 0, #ATTRHOSTWIDTH))
; ChangeDisplayMode(3)  DebugPrint(GetLastError())
; ChangeDisplayMode(2, 0, 10)  DebugPrint(GetLastError())
.source "@display_modes.qasm"
.maxstack 14
.lineno 1
  GETGLOBAL r0 "exitonerror"
  LOADBOOL r1 0 0
  CALL r0 2 1
.lineno 2
  GETGLOBAL r0 "getdisplaymodes"
  CALL r0 1 2
  SETGLOBAL r0 "m"
.lineno 3
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "m"
  GETTABLE r1 r1 #0
  GETTABLE r1 r1 "width"
  GETGLOBAL r2 "m"
  GETTABLE r2 r2 #0
  GETTABLE r2 r2 "height"
  GETGLOBAL r3 "m"
  GETTABLE r3 r3 #1
  GETTABLE r3 r3 "width"
  GETGLOBAL r4 "m"
  GETTABLE r4 r4 #1
  GETTABLE r4 r4 "height"
  GETGLOBAL r5 "m"
  GETTABLE r5 r5 #2
  GETTABLE r5 r5 "width"
  GETGLOBAL r6 "m"
  GETTABLE r6 r6 #2
  GETTABLE r6 r6 "height"
  GETGLOBAL r7 "m"
  GETTABLE r7 r7 #3
  GETTABLE r7 r7 "width"
  GETGLOBAL r8 "m"
  GETTABLE r8 r8 #3
  GETTABLE r8 r8 "height"
  CALL r0 9 1
.lineno 4
  GETGLOBAL r0 "changedisplaymode"
  LOADK r1 #1
  CALL r0 2 1
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getlasterror"
  CALL r1 1 2
  GETGLOBAL r2 "getattribute"
  LOADK r3 #21
  LOADK r4 #0
  LOADK r5 #42
  CALL r2 4 2
  GETGLOBAL r3 "getattribute"
  LOADK r4 #21
  LOADK r5 #0
  LOADK r6 #60
  CALL r3 4 0
  CALL r0 0 1
.lineno 5
  GETGLOBAL r0 "changedisplaymode"
  LOADK r1 #2
  LOADK r2 #800
  LOADK r3 #600
  CALL r0 4 1
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getattribute"
  LOADK r2 #21
  LOADK r3 #0
  LOADK r4 #42
  CALL r1 4 2
  GETGLOBAL r2 "getattribute"
  LOADK r3 #21
  LOADK r4 #0
  LOADK r5 #28
  CALL r2 4 2
  GETGLOBAL r3 "getattribute"
  LOADK r4 #21
  LOADK r5 #0
  LOADK r6 #46
  CALL r3 4 2
  GETGLOBAL r4 "getattribute"
  LOADK r5 #21
  LOADK r6 #0
  LOADK r7 #47
  CALL r4 4 2
  GETGLOBAL r5 "getattribute"
  LOADK r6 #21
  LOADK r7 #0
  LOADK r8 #40
  CALL r5 4 2
  GETGLOBAL r6 "getattribute"
  LOADK r7 #21
  LOADK r8 #0
  LOADK r9 #60
  CALL r6 4 0
  CALL r0 0 1
.lineno 6
  GETGLOBAL r0 "changedisplaymode"
  LOADK r1 #2
  LOADK r2 #800
  LOADK r3 #600
  CALL r0 4 1
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getlasterror"
  CALL r1 1 2
  GETGLOBAL r2 "getattribute"
  LOADK r3 #21
  LOADK r4 #0
  LOADK r5 #60
  CALL r2 4 0
  CALL r0 0 1
.lineno 7
  GETGLOBAL r0 "changedisplaymode"
  LOADK r1 #2
  LOADK r2 #123
  LOADK r3 #45
  CALL r0 4 1
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getlasterror"
  CALL r1 1 2
  GETGLOBAL r2 "getattribute"
  LOADK r3 #21
  LOADK r4 #0
  LOADK r5 #40
  CALL r2 4 2
  GETGLOBAL r3 "getattribute"
  LOADK r4 #21
  LOADK r5 #0
  LOADK r6 #28
  CALL r3 4 2
  GETGLOBAL r4 "getattribute"
  LOADK r5 #21
  LOADK r6 #0
  LOADK r7 #60
  CALL r4 4 0
  CALL r0 0 1
.lineno 8
  GETGLOBAL r0 "changedisplaymode"
  LOADK r1 #1
  CALL r0 2 1
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getattribute"
  LOADK r2 #21
  LOADK r3 #0
  LOADK r4 #42
  CALL r1 4 2
  GETGLOBAL r2 "getattribute"
  LOADK r3 #21
  LOADK r4 #0
  LOADK r5 #46
  CALL r2 4 2
  GETGLOBAL r3 "getattribute"
  LOADK r4 #21
  LOADK r5 #0
  LOADK r6 #40
  CALL r3 4 2
  GETGLOBAL r4 "getattribute"
  LOADK r5 #21
  LOADK r6 #0
  LOADK r7 #60
  CALL r4 4 2
  GETGLOBAL r5 "getattribute"
  LOADK r6 #21
  LOADK r7 #0
  LOADK r8 #28
  CALL r5 4 0
  CALL r0 0 1
.lineno 9
  GETGLOBAL r0 "changedisplaymode"
  LOADK r1 #3
  CALL r0 2 1
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getlasterror"
  CALL r1 1 0
  CALL r0 0 1
.lineno 10
  GETGLOBAL r0 "changedisplaymode"
  LOADK r1 #2
  LOADK r2 #0
  LOADK r3 #10
  CALL r0 4 1
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getlasterror"
  CALL r1 1 0
  CALL r0 0 1
  RETURN r0 1
