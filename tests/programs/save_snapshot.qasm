; label: pictures
; ExitOnError(False)
; SaveSnapshot("s.bmp", 3)                              DebugPrint(GetLastError())
; SaveSnapshot("s.bmp")                                 DebugPrint(GetLastError())
; SaveSnapshot("s.png", #SNAPDISPLAY, #IMGFMT_PNG, 80)  DebugPrint(GetLastError())
.source "@save_snapshot.qasm"
.maxstack 8
.lineno 1
  GETGLOBAL r0 "exitonerror"
  LOADBOOL r1 0 0
  CALL r0 2 1
.lineno 2
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "s.bmp"
  LOADK r2 #3
  CALL r0 3 1
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getlasterror"
  CALL r1 1 2
  CALL r0 2 1
.lineno 3
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "s.bmp"
  CALL r0 2 1
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getlasterror"
  CALL r1 1 2
  CALL r0 2 1
.lineno 4
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "s.png"
  LOADK r2 #1
  LOADK r3 #1
  LOADK r4 #80
  CALL r0 5 1
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getlasterror"
  CALL r1 1 2
  CALL r0 2 1
  RETURN r0 1
