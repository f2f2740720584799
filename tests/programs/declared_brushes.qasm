; label: display.brush
; Two declared brushes of one file, the first with a source rectangle that runs past the picture.
; DebugPrint(GetAttribute(#BRUSH, 1, #ATTRWIDTH), GetAttribute(#BRUSH, 1, #ATTRHEIGHT), GetAttribute(#BRUSH, 2, #ATTRWIDTH))
; SaveBrush(1, "out1.bmp", #NOTRANSPARENCY, #IMGFMT_BMP)  SaveBrush(2, "out2.bmp", #NOTRANSPARENCY, #IMGFMT_BMP)
.source "@declared_brushes.qasm"
.declare brush 1 "pic.png" x=2 y=3 width=10 height=50
.declare brush 2 "pic.png"
.maxstack 8
.lineno 1
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
  GETGLOBAL r3 "getattribute"
  LOADK r4 #3
  LOADK r5 #2
  LOADK r6 #0
  CALL r3 4 2
  CALL r0 4 1
.lineno 2
  GETGLOBAL r0 "savebrush"
  LOADK r1 #1
  LOADK r2 "out1.bmp"
  LOADK r3 #4294967295
  LOADK r4 #0
  CALL r0 5 1
  GETGLOBAL r0 "savebrush"
  LOADK r1 #2
  LOADK r2 "out2.bmp"
  LOADK r3 #4294967295
  LOADK r4 #0
  CALL r0 5 1
  RETURN r0 1
