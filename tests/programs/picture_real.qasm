; label: pictures
; ExitOnError(False)
; LoadBrush(1, "turned.tif")  SaveBrush(1, "turned.png", #NOTRANSPARENCY, #IMGFMT_PNG)
; LoadBrush(2, "rgba.tif", {loadalpha = True})  SaveBrush(2, "rgba.png", #NOTRANSPARENCY, #IMGFMT_PNG)
; LoadBrush(3, "dqt.jpg")  SaveBrush(3, "dqt.png", #NOTRANSPARENCY, #IMGFMT_PNG)
; LoadBrush(4, "alpha32.bmp", {loadalpha = True})  SaveBrush(4, "alpha32.png", #NOTRANSPARENCY, #IMGFMT_PNG)
; LoadBrush(5, "rgb16.bmp")  SaveBrush(5, "rgb16.png", #NOTRANSPARENCY, #IMGFMT_PNG)
; LoadBrush(6, "greya.tif", {loadalpha = True})  DebugPrint(GetLastError())
; LoadBrush(7, "greya.tif")  DebugPrint(GetAttribute(#BRUSH, 7, #ATTRWIDTH), GetAttribute(#BRUSH, 7, #ATTRHEIGHT))
.source "@picture_real.qasm"
.maxstack 16
.lineno 1
  GETGLOBAL r0 "exitonerror"
  LOADBOOL r1 0 0
  CALL r0 2 1
.lineno 2
  GETGLOBAL r0 "loadbrush"
  LOADK r1 #1
  LOADK r2 "turned.tif"
  CALL r0 3 1
  GETGLOBAL r0 "savebrush"
  LOADK r1 #1
  LOADK r2 "turned.png"
  LOADK r3 #4294967295
  LOADK r4 #1
  CALL r0 5 1
.lineno 3
  GETGLOBAL r0 "loadbrush"
  LOADK r1 #2
  LOADK r2 "rgba.tif"
  NEWTABLE r3 0 1
  LOADK r4 #1
  SETTABLE r3 "loadalpha" r4
  CALL r0 4 1
  GETGLOBAL r0 "savebrush"
  LOADK r1 #2
  LOADK r2 "rgba.png"
  LOADK r3 #4294967295
  LOADK r4 #1
  CALL r0 5 1
.lineno 4
  GETGLOBAL r0 "loadbrush"
  LOADK r1 #3
  LOADK r2 "dqt.jpg"
  CALL r0 3 1
  GETGLOBAL r0 "savebrush"
  LOADK r1 #3
  LOADK r2 "dqt.png"
  LOADK r3 #4294967295
  LOADK r4 #1
  CALL r0 5 1
.lineno 5
  GETGLOBAL r0 "loadbrush"
  LOADK r1 #4
  LOADK r2 "alpha32.bmp"
  NEWTABLE r3 0 1
  LOADK r4 #1
  SETTABLE r3 "loadalpha" r4
  CALL r0 4 1
  GETGLOBAL r0 "savebrush"
  LOADK r1 #4
  LOADK r2 "alpha32.png"
  LOADK r3 #4294967295
  LOADK r4 #1
  CALL r0 5 1
.lineno 6
  GETGLOBAL r0 "loadbrush"
  LOADK r1 #5
  LOADK r2 "rgb16.bmp"
  CALL r0 3 1
  GETGLOBAL r0 "savebrush"
  LOADK r1 #5
  LOADK r2 "rgb16.png"
  LOADK r3 #4294967295
  LOADK r4 #1
  CALL r0 5 1
.lineno 7
  GETGLOBAL r0 "loadbrush"
  LOADK r1 #6
  LOADK r2 "greya.tif"
  NEWTABLE r3 0 1
  LOADK r4 #1
  SETTABLE r3 "loadalpha" r4
  CALL r0 4 1
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getlasterror"
  CALL r1 1 2
  CALL r0 2 1
.lineno 8
  GETGLOBAL r0 "loadbrush"
  LOADK r1 #7
  LOADK r2 "greya.tif"
  CALL r0 3 1
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getattribute"
  LOADK r2 #3
  LOADK r3 #7
  LOADK r4 #0
  CALL r1 4 2
  GETGLOBAL r2 "getattribute"
  LOADK r3 #3
  LOADK r4 #7
  LOADK r5 #1
  CALL r2 4 2
  CALL r0 3 1
  RETURN r0 1
