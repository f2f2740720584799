; label: pictures
; A gradient or texture picture whose id argument is wrongly typed fails before anything is drawn:
; nothing stays allocated (the leak check at exit sees it), and numbered ids still work after.
; call ExitOnError(0)
; call CreateBrush(1, 8, 8, $FF0000)
; function gradient(k, v)
; call CreateGradientBGPic({}, 2, $FF0000, $0000FF, 640, 480)
; end
; function rainbow(k, v)
; call CreateRainbowBGPic({}, 2, $FF0000, $0000FF, 640, 480)
; end
; function textured(k, v)
; call CreateTexturedBGPic({}, 1, 640, 480)
; end
; call ForEach({a = 1}, gradient)
; print "gradient", GetLastError()
; call ForEach({a = 1}, rainbow)
; print "rainbow", GetLastError()
; call ForEach({a = 1}, textured)
; print "textured", GetLastError()
; call CreateGradientBGPic(5, 2, $FF0000, $0000FF, 64, 48)
; call CreateTexturedBGPic(6, 1, 64, 48)
; print "made", GetAttribute(1, 5, 0), GetAttribute(1, 6, 1)
.source "@create_fill_errors.qasm"
  .maxstack 8
.lineno 1
  GETGLOBAL r0 "exitonerror"
  LOADK r1 #0
  CALL r0 2 2
.lineno 2
  GETGLOBAL r0 "createbrush"
  LOADK r1 #1
  LOADK r2 #8
  LOADK r3 #8
  LOADK r4 #16711680
  CALL r0 5 2
.lineno 3
  CLOSURE r0 f0
  SETGLOBAL r0 "gradient"
.lineno 6
  CLOSURE r0 f1
  SETGLOBAL r0 "rainbow"
.lineno 9
  CLOSURE r0 f2
  SETGLOBAL r0 "textured"
.lineno 12
  GETGLOBAL r0 "foreach"
  NEWTABLE r1 0 4
  LOADK r2 #1
  SETTABLE r1 "a" r2
  GETGLOBAL r2 "gradient"
  CALL r0 3 2
.lineno 13
  GETGLOBAL r0 "debugprint"
  LOADK r1 "gradient"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 2
.lineno 14
  GETGLOBAL r0 "foreach"
  NEWTABLE r1 0 4
  LOADK r2 #1
  SETTABLE r1 "a" r2
  GETGLOBAL r2 "rainbow"
  CALL r0 3 2
.lineno 15
  GETGLOBAL r0 "debugprint"
  LOADK r1 "rainbow"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 2
.lineno 16
  GETGLOBAL r0 "foreach"
  NEWTABLE r1 0 4
  LOADK r2 #1
  SETTABLE r1 "a" r2
  GETGLOBAL r2 "textured"
  CALL r0 3 2
.lineno 17
  GETGLOBAL r0 "debugprint"
  LOADK r1 "textured"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 2
.lineno 18
  GETGLOBAL r0 "creategradientbgpic"
  LOADK r1 #5
  LOADK r2 #2
  LOADK r3 #16711680
  LOADK r4 #255
  LOADK r5 #64
  LOADK r6 #48
  CALL r0 7 2
.lineno 19
  GETGLOBAL r0 "createtexturedbgpic"
  LOADK r1 #6
  LOADK r2 #1
  LOADK r3 #64
  LOADK r4 #48
  CALL r0 5 2
.lineno 20
  GETGLOBAL r0 "debugprint"
  LOADK r1 "made"
  GETGLOBAL r2 "getattribute"
  LOADK r3 #1
  LOADK r4 #5
  LOADK r5 #0
  CALL r2 4 2
  GETGLOBAL r3 "getattribute"
  LOADK r4 #1
  LOADK r5 #6
  LOADK r6 #1
  CALL r3 4 0
  CALL r0 0 2
  RETURN r0 1
.function
  .params 2
  .maxstack 10
.lineno 4
  GETGLOBAL r2 "creategradientbgpic"
  NEWTABLE r3 0 4
  LOADK r4 #2
  LOADK r5 #16711680
  LOADK r6 #255
  LOADK r7 #640
  LOADK r8 #480
  CALL r2 7 2
.lineno 5
  RETURN r0 1
.end
.function
  .params 2
  .maxstack 10
.lineno 7
  GETGLOBAL r2 "createrainbowbgpic"
  NEWTABLE r3 0 4
  LOADK r4 #2
  LOADK r5 #16711680
  LOADK r6 #255
  LOADK r7 #640
  LOADK r8 #480
  CALL r2 7 2
.lineno 8
  RETURN r0 1
.end
.function
  .params 2
  .maxstack 8
.lineno 10
  GETGLOBAL r2 "createtexturedbgpic"
  NEWTABLE r3 0 4
  LOADK r4 #1
  LOADK r5 #640
  LOADK r6 #480
  CALL r2 5 2
.lineno 11
  RETURN r0 1
.end
