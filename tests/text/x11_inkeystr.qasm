; InKeyStr in a real window: xdotool types 1, 2, a, 3, 4 and Return; NUMERICAL (3) with at most
; 3 characters keeps "123", printed where the input began with the cursor behind it (21, 22 of
; DISPLAY 21; quill is 8 pixels a character).
; call SetTitle("Quillmere text input")
; call Locate(10, 20)
; s = InKeyStr(3, 3)
; print s, GetAttribute(21, 0, 21), GetAttribute(21, 0, 22), GetAttribute(21, 0, 6)
.source "@x11_inkeystr.q"
  .maxstack 9
.lineno 1
  GETGLOBAL r0 "settitle"
  LOADK r1 "Quillmere text input"
  CALL r0 2 2
.lineno 2
  GETGLOBAL r0 "locate"
  LOADK r1 #10
  LOADK r2 #20
  CALL r0 3 2
.lineno 3
  GETGLOBAL r0 "inkeystr"
  LOADK r1 #3
  LOADK r2 #3
  CALL r0 3 2
  SETGLOBAL r0 "s"
.lineno 4
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "s"
  GETGLOBAL r2 "getattribute"
  LOADK r3 #21
  LOADK r4 #0
  LOADK r5 #21
  CALL r2 4 2
  GETGLOBAL r3 "getattribute"
  LOADK r4 #21
  LOADK r5 #0
  LOADK r6 #22
  CALL r3 4 2
  GETGLOBAL r4 "getattribute"
  LOADK r5 #21
  LOADK r6 #0
  LOADK r7 #6
  CALL r4 4 0
  CALL r0 0 2
  RETURN r0 1
