; label: pictures
; Without libtiff a TIFF picture is refused as a text file is, and JPEG pictures, read by the
; same importer, go on loading.
; call ExitOnError(0)
; print IsPicture("a.tif"), IsPicture("b.jpg")
; call LoadBrush(1, "a.tif")
; print "tiff", GetLastError()
; call LoadBrush(2, "text.txt")
; print "text", GetLastError()
; call LoadBrush(3, "b.jpg")
; print "jpeg", GetAttribute(#BRUSH, 3, #ATTRWIDTH), GetAttribute(#BRUSH, 3, #ATTRHEIGHT)
.source "@tiff_missing.q"
  .maxstack 8
.lineno 1
  GETGLOBAL r0 "exitonerror"
  LOADK r1 #0
  CALL r0 2 2
.lineno 2
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "ispicture"
  LOADK r2 "a.tif"
  CALL r1 2 2
  GETGLOBAL r2 "ispicture"
  LOADK r3 "b.jpg"
  CALL r2 2 2
  CALL r0 3 1
.lineno 3
  GETGLOBAL r0 "loadbrush"
  LOADK r1 #1
  LOADK r2 "a.tif"
  CALL r0 3 1
.lineno 4
  GETGLOBAL r0 "debugprint"
  LOADK r1 "tiff"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 1
.lineno 5
  GETGLOBAL r0 "loadbrush"
  LOADK r1 #2
  LOADK r2 "text.txt"
  CALL r0 3 1
.lineno 6
  GETGLOBAL r0 "debugprint"
  LOADK r1 "text"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 1
.lineno 7
  GETGLOBAL r0 "loadbrush"
  LOADK r1 #3
  LOADK r2 "b.jpg"
  CALL r0 3 1
.lineno 8
  GETGLOBAL r0 "debugprint"
  LOADK r1 "jpeg"
  GETGLOBAL r2 "getattribute"
  LOADK r3 #3
  LOADK r4 #3
  LOADK r5 #0
  CALL r2 4 2
  GETGLOBAL r3 "getattribute"
  LOADK r4 #3
  LOADK r5 #3
  LOADK r6 #1
  CALL r3 4 2
  CALL r0 4 1
  RETURN r0 1
