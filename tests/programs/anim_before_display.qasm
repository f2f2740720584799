; label: anim
; Anims declared by the applet are loaded before display 1 exists and show correctly once it does; two declared anims of one picture share it through the image cache.
.declare anim 1 "strip.png" width=16 height=16 frames=4
.declare anim 2 "anim.gif"
.declare anim 3 "strip.png" width=16 height=16 frames=2 x=32
; print GetAttribute(4, 1, 11), GetAttribute(4, 2, 11), GetAttribute(4, 2, 0), GetAttribute(4, 3, 11)
; call DisplayAnimFrame(1, 0, 0, 3)
; call DisplayAnimFrame(2, 20, 0, 2)
; call DisplayAnimFrame(3, 60, 0, 2)
; call SaveSnapshot("shot.png", 0, 1)
.source "@anim_before_display.q"
  .maxstack 9
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
  CALL r3 4 2
  GETGLOBAL r4 "getattribute"
  LOADK r5 #4
  LOADK r6 #3
  LOADK r7 #11
  CALL r4 4 0
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
  GETGLOBAL r0 "displayanimframe"
  LOADK r1 #3
  LOADK r2 #60
  LOADK r3 #0
  LOADK r4 #2
  CALL r0 5 2
.lineno 5
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "shot.png"
  LOADK r2 #0
  LOADK r3 #1
  CALL r0 4 2
  RETURN r0 1
