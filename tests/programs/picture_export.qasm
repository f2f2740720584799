; label: pictures
; ExitOnError(False)
; CreateBrush(1, 6, 4, $FF8000)
; SaveBrush(1, "b.png", #NOTRANSPARENCY, #IMGFMT_PNG)
; SaveBrush(1, "b.gif", #NOTRANSPARENCY, #IMGFMT_GIF, {colors = 16})
; SaveBrush(1, "b.jpg", #NOTRANSPARENCY, #IMGFMT_JPEG, 75)
; SaveBrush(1, "b.x", #NOTRANSPARENCY, 5)  DebugPrint(GetLastError())
; SaveBrush(1, "no/such/dir/b.gif", #NOTRANSPARENCY, #IMGFMT_GIF)  DebugPrint(GetLastError())
; SaveBrush(1, "k.gif", $FF8000, #IMGFMT_GIF)
.source "@picture_export.qasm"
.maxstack 16
.lineno 1
  GETGLOBAL r0 "exitonerror"
  LOADBOOL r1 0 0
  CALL r0 2 1
.lineno 2
  GETGLOBAL r0 "createbrush"
  LOADK r1 #1
  LOADK r2 #6
  LOADK r3 #4
  LOADK r4 #16744448
  CALL r0 5 1
.lineno 3
  GETGLOBAL r0 "savebrush"
  LOADK r1 #1
  LOADK r2 "b.png"
  LOADK r3 #4294967295
  LOADK r4 #1
  CALL r0 5 1
.lineno 4
  GETGLOBAL r0 "savebrush"
  LOADK r1 #1
  LOADK r2 "b.gif"
  LOADK r3 #4294967295
  LOADK r4 #3
  NEWTABLE r5 0 1
  LOADK r6 #16
  SETTABLE r5 "colors" r6
  CALL r0 6 1
.lineno 5
  GETGLOBAL r0 "savebrush"
  LOADK r1 #1
  LOADK r2 "b.jpg"
  LOADK r3 #4294967295
  LOADK r4 #2
  LOADK r5 #75
  CALL r0 6 1
.lineno 6
  GETGLOBAL r0 "savebrush"
  LOADK r1 #1
  LOADK r2 "b.x"
  LOADK r3 #4294967295
  LOADK r4 #5
  CALL r0 5 1
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getlasterror"
  CALL r1 1 2
  CALL r0 2 1
.lineno 7
  GETGLOBAL r0 "savebrush"
  LOADK r1 #1
  LOADK r2 "no/such/dir/b.gif"
  LOADK r3 #4294967295
  LOADK r4 #3
  CALL r0 5 1
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getlasterror"
  CALL r1 1 2
  CALL r0 2 1
.lineno 8
  GETGLOBAL r0 "savebrush"
  LOADK r1 #1
  LOADK r2 "k.gif"
  LOADK r3 #16744448
  LOADK r4 #3
  CALL r0 5 1
  RETURN r0 1
