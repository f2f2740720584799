; label: fx
; A quit during a long synchronous effect ends the program at once, as a user's quit does anywhere.
; call CreateBGPic(2, 640, 480, $FF0000)
; print "before"
; call DisplayTransitionFX(2, 7, 1)
; print "not reached"
.source "@fx_quit.q"
  .maxstack 8
.lineno 1
  GETGLOBAL r0 "createbgpic"
  LOADK r1 #2
  LOADK r2 #640
  LOADK r3 #480
  LOADK r4 #16711680
  CALL r0 5 2
.lineno 2
  GETGLOBAL r0 "debugprint"
  LOADK r1 "before"
  CALL r0 2 2
.lineno 3
  GETGLOBAL r0 "displaytransitionfx"
  LOADK r1 #2
  LOADK r2 #7
  LOADK r3 #1
  CALL r0 4 2
.lineno 4
  GETGLOBAL r0 "debugprint"
  LOADK r1 "not reached"
  CALL r0 2 2
  RETURN r0 1
