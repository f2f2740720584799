; label: anim
; Anims as sprite sources and moving objects: LoadSprite of an anim file and CreateSprite from an anim take the anim's frames; MoveAnim along a line leaves the last frame at the end with the background restored behind; ConvertToBrush of frame 2.
; call ExitOnError(false)
; call LoadSprite(1, "anim.gif")
; print "sprite of a file", GetAttribute(32, 1, 0), GetAttribute(32, 1, 11)
; call LoadAnim(1, "strip.png", {width = 16, height = 16, frames = 4})
; call CreateSprite(2, 4, 1)
; print "sprite of an anim", GetAttribute(32, 2, 0), GetAttribute(32, 2, 11)
; call CreateSprite(3, 4, 1, 2)
; print "too many", GetLastError()
; call CreateSprite(3, 4, 9)
; print "no anim", GetLastError()
; call DisplaySprite(2, 200, 10, 3)
; call ConvertToBrush(4, 1, 5, 2)
; print "converted", GetAttribute(3, 5, 0), GetAttribute(3, 5, 1), GetLastError()
; call DisplayBrush(5, 230, 10)
; call ConvertToBrush(4, 1, 6, 5)
; print "convert past the frames", GetLastError()
; call MoveAnim(1, 10, 40, 100, 40, {speed = 30, animspeed = -2})
; print "moved", GetLastError()
; call FreeAnim(1)
; print "free after the move", GetLastError()
; call MoveAnim(1, 10, 40, 100, 40)
; print "move of a freed anim", GetLastError()
; call SaveSnapshot("moved.png", 0, 1)
.source "@anim_sprites.q"
  .maxstack 9
.lineno 1
  GETGLOBAL r0 "exitonerror"
  LOADBOOL r1 0 0
  CALL r0 2 2
.lineno 2
  GETGLOBAL r0 "loadsprite"
  LOADK r1 #1
  LOADK r2 "anim.gif"
  CALL r0 3 2
.lineno 3
  GETGLOBAL r0 "debugprint"
  LOADK r1 "sprite of a file"
  GETGLOBAL r2 "getattribute"
  LOADK r3 #32
  LOADK r4 #1
  LOADK r5 #0
  CALL r2 4 2
  GETGLOBAL r3 "getattribute"
  LOADK r4 #32
  LOADK r5 #1
  LOADK r6 #11
  CALL r3 4 0
  CALL r0 0 2
.lineno 4
  GETGLOBAL r0 "loadanim"
  LOADK r1 #1
  LOADK r2 "strip.png"
  NEWTABLE r3 0 4
  LOADK r4 #16
  SETTABLE r3 "width" r4
  LOADK r4 #16
  SETTABLE r3 "height" r4
  LOADK r4 #4
  SETTABLE r3 "frames" r4
  CALL r0 4 2
.lineno 5
  GETGLOBAL r0 "createsprite"
  LOADK r1 #2
  LOADK r2 #4
  LOADK r3 #1
  CALL r0 4 2
.lineno 6
  GETGLOBAL r0 "debugprint"
  LOADK r1 "sprite of an anim"
  GETGLOBAL r2 "getattribute"
  LOADK r3 #32
  LOADK r4 #2
  LOADK r5 #0
  CALL r2 4 2
  GETGLOBAL r3 "getattribute"
  LOADK r4 #32
  LOADK r5 #2
  LOADK r6 #11
  CALL r3 4 0
  CALL r0 0 2
.lineno 7
  GETGLOBAL r0 "createsprite"
  LOADK r1 #3
  LOADK r2 #4
  LOADK r3 #1
  LOADK r4 #2
  CALL r0 5 2
.lineno 8
  GETGLOBAL r0 "debugprint"
  LOADK r1 "too many"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 2
.lineno 9
  GETGLOBAL r0 "createsprite"
  LOADK r1 #3
  LOADK r2 #4
  LOADK r3 #9
  CALL r0 4 2
.lineno 10
  GETGLOBAL r0 "debugprint"
  LOADK r1 "no anim"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 2
.lineno 11
  GETGLOBAL r0 "displaysprite"
  LOADK r1 #2
  LOADK r2 #200
  LOADK r3 #10
  LOADK r4 #3
  CALL r0 5 2
.lineno 12
  GETGLOBAL r0 "converttobrush"
  LOADK r1 #4
  LOADK r2 #1
  LOADK r3 #5
  LOADK r4 #2
  CALL r0 5 2
.lineno 13
  GETGLOBAL r0 "debugprint"
  LOADK r1 "converted"
  GETGLOBAL r2 "getattribute"
  LOADK r3 #3
  LOADK r4 #5
  LOADK r5 #0
  CALL r2 4 2
  GETGLOBAL r3 "getattribute"
  LOADK r4 #3
  LOADK r5 #5
  LOADK r6 #1
  CALL r3 4 2
  GETGLOBAL r4 "getlasterror"
  CALL r4 1 0
  CALL r0 0 2
.lineno 14
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #5
  LOADK r2 #230
  LOADK r3 #10
  CALL r0 4 2
.lineno 15
  GETGLOBAL r0 "converttobrush"
  LOADK r1 #4
  LOADK r2 #1
  LOADK r3 #6
  LOADK r4 #5
  CALL r0 5 2
.lineno 16
  GETGLOBAL r0 "debugprint"
  LOADK r1 "convert past the frames"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 2
.lineno 17
  GETGLOBAL r0 "moveanim"
  LOADK r1 #1
  LOADK r2 #10
  LOADK r3 #40
  LOADK r4 #100
  LOADK r5 #40
  NEWTABLE r6 0 4
  LOADK r7 #30
  SETTABLE r6 "speed" r7
  LOADK r7 #-2
  SETTABLE r6 "animspeed" r7
  CALL r0 7 2
.lineno 18
  GETGLOBAL r0 "debugprint"
  LOADK r1 "moved"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 2
.lineno 19
  GETGLOBAL r0 "freeanim"
  LOADK r1 #1
  CALL r0 2 2
.lineno 20
  GETGLOBAL r0 "debugprint"
  LOADK r1 "free after the move"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 2
.lineno 21
  GETGLOBAL r0 "moveanim"
  LOADK r1 #1
  LOADK r2 #10
  LOADK r3 #40
  LOADK r4 #100
  LOADK r5 #40
  CALL r0 6 2
.lineno 22
  GETGLOBAL r0 "debugprint"
  LOADK r1 "move of a freed anim"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 2
.lineno 23
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "moved.png"
  LOADK r2 #0
  LOADK r3 #1
  CALL r0 4 2
  RETURN r0 1
