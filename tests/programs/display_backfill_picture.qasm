; label: display
; DebugPrint(GetAttribute(#DISPLAY, 0, #ATTRCOUNT), GetAttribute(#DISPLAY, 0, #ATTRMODE), GetAttribute(#BRUSH, 0, #ATTRCOUNT))
; SaveSnapshot("desk.png", #SNAPDESKTOP, #IMGFMT_PNG)
.source "@display_backfill_picture.qasm"
.maxstack 11
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
  LOADK r4 #3
  LOADK r5 #0
  LOADK r6 #60
  CALL r3 4 0
  CALL r0 0 1
.lineno 2
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "desk.png"
  LOADK r2 #2
  LOADK r3 #1
  CALL r0 4 1
  RETURN r0 1
