; label: pictures
; ExitOnError(False)
; LoadBrush(1, "png_named.bmp")  DebugPrint(GetAttribute(#BRUSH, 1, #ATTRWIDTH), GetAttribute(#BRUSH, 1, #ATTRHEIGHT))  SaveBrush(1, "out1.bmp", #NOTRANSPARENCY, #IMGFMT_BMP)
; LoadBrush(2, "deep.iff")  DebugPrint(GetAttribute(#BRUSH, 2, #ATTRWIDTH), GetAttribute(#BRUSH, 2, #ATTRHEIGHT))  SaveBrush(2, "out2.bmp", #NOTRANSPARENCY, #IMGFMT_BMP)
; LoadBrush(3, "pal.iff")  DebugPrint(GetAttribute(#BRUSH, 3, #ATTRWIDTH), GetAttribute(#BRUSH, 3, #ATTRHEIGHT))  SaveBrush(3, "out3.bmp", #NOTRANSPARENCY, #IMGFMT_BMP)
; LoadBrush(4, "ham.iff")  DebugPrint(GetAttribute(#BRUSH, 4, #ATTRWIDTH), GetAttribute(#BRUSH, 4, #ATTRHEIGHT))  SaveBrush(4, "out4.bmp", #NOTRANSPARENCY, #IMGFMT_BMP)
; LoadBrush(5, "pal.bmp")  DebugPrint(GetAttribute(#BRUSH, 5, #ATTRWIDTH), GetAttribute(#BRUSH, 5, #ATTRHEIGHT))  SaveBrush(5, "out5.bmp", #NOTRANSPARENCY, #IMGFMT_BMP)
; LoadBrush(6, "photo.jpg")  DebugPrint(GetAttribute(#BRUSH, 6, #ATTRWIDTH), GetAttribute(#BRUSH, 6, #ATTRHEIGHT))  SaveBrush(6, "out6.bmp", #NOTRANSPARENCY, #IMGFMT_BMP)
; LoadBrush(7, "pic.tif")  DebugPrint(GetAttribute(#BRUSH, 7, #ATTRWIDTH), GetAttribute(#BRUSH, 7, #ATTRHEIGHT))  SaveBrush(7, "out7.bmp", #NOTRANSPARENCY, #IMGFMT_BMP)
; LoadBrush(8, "still.gif")  DebugPrint(GetAttribute(#BRUSH, 8, #ATTRWIDTH), GetAttribute(#BRUSH, 8, #ATTRHEIGHT))  SaveBrush(8, "out8.bmp", #NOTRANSPARENCY, #IMGFMT_BMP)
; LoadBrush(20, "anim.iff")  DebugPrint(GetLastError())
; LoadBrush(21, "notag.jpg")  DebugPrint(GetAttribute(#BRUSH, 21, #ATTRWIDTH), GetAttribute(#BRUSH, 21, #ATTRHEIGHT))  SaveBrush(21, "out9.bmp", #NOTRANSPARENCY, #IMGFMT_BMP)
; LoadBrush(22, "missing.png")  DebugPrint(GetLastError())
.source "@picture_load.qasm"
.maxstack 16
.lineno 1
  GETGLOBAL r0 "exitonerror"
  LOADBOOL r1 0 0
  CALL r0 2 1
.lineno 2
  GETGLOBAL r0 "loadbrush"
  LOADK r1 #1
  LOADK r2 "png_named.bmp"
  CALL r0 3 1
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getattribute"
  LOADK r2 #3
  LOADK r3 #1
  LOADK r4 #0
  CALL r1 4 2
  GETGLOBAL r2 "getattribute"
  LOADK r3 #3
  LOADK r4 #1
  LOADK r5 #1
  CALL r2 4 2
  CALL r0 3 1
  GETGLOBAL r0 "savebrush"
  LOADK r1 #1
  LOADK r2 "out1.bmp"
  LOADK r3 #4294967295
  LOADK r4 #0
  CALL r0 5 1
.lineno 3
  GETGLOBAL r0 "loadbrush"
  LOADK r1 #2
  LOADK r2 "deep.iff"
  CALL r0 3 1
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getattribute"
  LOADK r2 #3
  LOADK r3 #2
  LOADK r4 #0
  CALL r1 4 2
  GETGLOBAL r2 "getattribute"
  LOADK r3 #3
  LOADK r4 #2
  LOADK r5 #1
  CALL r2 4 2
  CALL r0 3 1
  GETGLOBAL r0 "savebrush"
  LOADK r1 #2
  LOADK r2 "out2.bmp"
  LOADK r3 #4294967295
  LOADK r4 #0
  CALL r0 5 1
.lineno 4
  GETGLOBAL r0 "loadbrush"
  LOADK r1 #3
  LOADK r2 "pal.iff"
  CALL r0 3 1
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getattribute"
  LOADK r2 #3
  LOADK r3 #3
  LOADK r4 #0
  CALL r1 4 2
  GETGLOBAL r2 "getattribute"
  LOADK r3 #3
  LOADK r4 #3
  LOADK r5 #1
  CALL r2 4 2
  CALL r0 3 1
  GETGLOBAL r0 "savebrush"
  LOADK r1 #3
  LOADK r2 "out3.bmp"
  LOADK r3 #4294967295
  LOADK r4 #0
  CALL r0 5 1
.lineno 5
  GETGLOBAL r0 "loadbrush"
  LOADK r1 #4
  LOADK r2 "ham.iff"
  CALL r0 3 1
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getattribute"
  LOADK r2 #3
  LOADK r3 #4
  LOADK r4 #0
  CALL r1 4 2
  GETGLOBAL r2 "getattribute"
  LOADK r3 #3
  LOADK r4 #4
  LOADK r5 #1
  CALL r2 4 2
  CALL r0 3 1
  GETGLOBAL r0 "savebrush"
  LOADK r1 #4
  LOADK r2 "out4.bmp"
  LOADK r3 #4294967295
  LOADK r4 #0
  CALL r0 5 1
.lineno 6
  GETGLOBAL r0 "loadbrush"
  LOADK r1 #5
  LOADK r2 "pal.bmp"
  CALL r0 3 1
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getattribute"
  LOADK r2 #3
  LOADK r3 #5
  LOADK r4 #0
  CALL r1 4 2
  GETGLOBAL r2 "getattribute"
  LOADK r3 #3
  LOADK r4 #5
  LOADK r5 #1
  CALL r2 4 2
  CALL r0 3 1
  GETGLOBAL r0 "savebrush"
  LOADK r1 #5
  LOADK r2 "out5.bmp"
  LOADK r3 #4294967295
  LOADK r4 #0
  CALL r0 5 1
.lineno 7
  GETGLOBAL r0 "loadbrush"
  LOADK r1 #6
  LOADK r2 "photo.jpg"
  CALL r0 3 1
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getattribute"
  LOADK r2 #3
  LOADK r3 #6
  LOADK r4 #0
  CALL r1 4 2
  GETGLOBAL r2 "getattribute"
  LOADK r3 #3
  LOADK r4 #6
  LOADK r5 #1
  CALL r2 4 2
  CALL r0 3 1
  GETGLOBAL r0 "savebrush"
  LOADK r1 #6
  LOADK r2 "out6.bmp"
  LOADK r3 #4294967295
  LOADK r4 #0
  CALL r0 5 1
.lineno 8
  GETGLOBAL r0 "loadbrush"
  LOADK r1 #7
  LOADK r2 "pic.tif"
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
  GETGLOBAL r0 "savebrush"
  LOADK r1 #7
  LOADK r2 "out7.bmp"
  LOADK r3 #4294967295
  LOADK r4 #0
  CALL r0 5 1
.lineno 9
  GETGLOBAL r0 "loadbrush"
  LOADK r1 #8
  LOADK r2 "still.gif"
  CALL r0 3 1
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getattribute"
  LOADK r2 #3
  LOADK r3 #8
  LOADK r4 #0
  CALL r1 4 2
  GETGLOBAL r2 "getattribute"
  LOADK r3 #3
  LOADK r4 #8
  LOADK r5 #1
  CALL r2 4 2
  CALL r0 3 1
  GETGLOBAL r0 "savebrush"
  LOADK r1 #8
  LOADK r2 "out8.bmp"
  LOADK r3 #4294967295
  LOADK r4 #0
  CALL r0 5 1
.lineno 10
  GETGLOBAL r0 "loadbrush"
  LOADK r1 #20
  LOADK r2 "anim.iff"
  CALL r0 3 1
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getlasterror"
  CALL r1 1 2
  CALL r0 2 1
.lineno 11
  GETGLOBAL r0 "loadbrush"
  LOADK r1 #21
  LOADK r2 "notag.jpg"
  CALL r0 3 1
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getattribute"
  LOADK r2 #3
  LOADK r3 #21
  LOADK r4 #0
  CALL r1 4 2
  GETGLOBAL r2 "getattribute"
  LOADK r3 #3
  LOADK r4 #21
  LOADK r5 #1
  CALL r2 4 2
  CALL r0 3 1
  GETGLOBAL r0 "savebrush"
  LOADK r1 #21
  LOADK r2 "out9.bmp"
  LOADK r3 #4294967295
  LOADK r4 #0
  CALL r0 5 1
.lineno 12
  GETGLOBAL r0 "loadbrush"
  LOADK r1 #22
  LOADK r2 "missing.png"
  CALL r0 3 1
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getlasterror"
  CALL r1 1 2
  CALL r0 2 1
  RETURN r0 1
