; label: anim
; An anim declared by the applet is loaded before display 1 exists and shows correctly once it does.
.declare anim 1 "strip.png" width=16 height=16 frames=4
.declare anim 2 "anim.gif"
; print GetAttribute(4, 1, 11), GetAttribute(4, 2, 11), GetAttribute(4, 2, 0)
; call DisplayAnimFrame(1, 0, 0, 3)
; call DisplayAnimFrame(2, 20, 0, 2)
; call SaveSnapshot("shot.png", 0, 1)
.source "@anim_before_display.q"
  .maxstack 8
.lineno 1
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getattribute"
  LOADK r2 #4
  LOADK r3 #1
  LOADK r4 #11
  CALL r1 4 2
  GETGLOBAL r2 "getattribute"
  LOADK r3 #4
  LOADK r4 #2
  LOADK r5 #11
  CALL r2 4 2
  GETGLOBAL r3 "getattribute"
  LOADK r4 #4
  LOADK r5 #2
  LOADK r6 #0
  CALL r3 4 0
  CALL r0 0 2
.lineno 2
  GETGLOBAL r0 "displayanimframe"
  LOADK r1 #1
  LOADK r2 #0
  LOADK r3 #0
  LOADK r4 #3
  CALL r0 5 2
.lineno 3
  GETGLOBAL r0 "displayanimframe"
  LOADK r1 #2
  LOADK r2 #20
  LOADK r3 #0
  LOADK r4 #2
  CALL r0 5 2
.lineno 4
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "shot.png"
  LOADK r2 #0
  LOADK r3 #1
  CALL r0 4 2
  RETURN r0 1
