; label: anim
; Playback timing on the fake clock: a speed of n waits n ticks of 20 ms a frame, the named speeds 60, 0 and 160 ms, DEFAULTSPEED each frame's own delay, times the passes; an async playback draws a frame only once its due time has come.
; call ExitOnError(false)
; call LoadAnim(1, "strip.png", {width = 16, height = 16, frames = 4})
; call StartTimer(1)
; call PlayAnim(1, 0, 0, 5, 1)
; print "speed 5", GetTimer(1)
; call StartTimer(1)
; call PlayAnim(1, 0, 0, -2, 3)
; print "fastest", GetTimer(1)
; call StartTimer(1)
; call PlayAnim(1, 0, 0, -1, 2)
; print "normal twice", GetTimer(1)
; call StartTimer(1)
; call PlayAnim(1, 0, 0)
; print "defaults", GetTimer(1)
; call StartTimer(1)
; call PlayAnim(1, 0, 0, -3, 1)
; print "slow", GetTimer(1)
; call SetAnimFrameDelay(1, 2, 250)
; call SetAnimFrameDelay(1, 4, 30)
; call StartTimer(1)
; call PlayAnim(1, 0, 0, {speed = -4})
; print "own delays", GetTimer(1)
; h = PlayAnim(1, 40, 0, {speed = 50, times = 2, async = true})
; print "first", AsyncDrawFrame(h)
; call Wait(25)
; print "half way", AsyncDrawFrame(h)
; call SaveSnapshot("early.png", 0, 1)
; call Wait(25)
; print "due", AsyncDrawFrame(h)
; call SaveSnapshot("due.png", 0, 1)
; call CancelAsyncDraw(h)
; call FreeAnim(1)
; print "freed after the cancel", GetLastError()
.source "@anim_timing.q"
  .maxstack 8
.lineno 1
  GETGLOBAL r0 "exitonerror"
  LOADBOOL r1 0 0
  CALL r0 2 2
.lineno 2
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
.lineno 3
  GETGLOBAL r0 "starttimer"
  LOADK r1 #1
  CALL r0 2 2
.lineno 4
  GETGLOBAL r0 "playanim"
  LOADK r1 #1
  LOADK r2 #0
  LOADK r3 #0
  LOADK r4 #5
  LOADK r5 #1
  CALL r0 6 2
.lineno 5
  GETGLOBAL r0 "debugprint"
  LOADK r1 "speed 5"
  GETGLOBAL r2 "gettimer"
  LOADK r3 #1
  CALL r2 2 0
  CALL r0 0 2
.lineno 6
  GETGLOBAL r0 "starttimer"
  LOADK r1 #1
  CALL r0 2 2
.lineno 7
  GETGLOBAL r0 "playanim"
  LOADK r1 #1
  LOADK r2 #0
  LOADK r3 #0
  LOADK r4 #-2
  LOADK r5 #3
  CALL r0 6 2
.lineno 8
  GETGLOBAL r0 "debugprint"
  LOADK r1 "fastest"
  GETGLOBAL r2 "gettimer"
  LOADK r3 #1
  CALL r2 2 0
  CALL r0 0 2
.lineno 9
  GETGLOBAL r0 "starttimer"
  LOADK r1 #1
  CALL r0 2 2
.lineno 10
  GETGLOBAL r0 "playanim"
  LOADK r1 #1
  LOADK r2 #0
  LOADK r3 #0
  LOADK r4 #-1
  LOADK r5 #2
  CALL r0 6 2
.lineno 11
  GETGLOBAL r0 "debugprint"
  LOADK r1 "normal twice"
  GETGLOBAL r2 "gettimer"
  LOADK r3 #1
  CALL r2 2 0
  CALL r0 0 2
.lineno 12
  GETGLOBAL r0 "starttimer"
  LOADK r1 #1
  CALL r0 2 2
.lineno 13
  GETGLOBAL r0 "playanim"
  LOADK r1 #1
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 14
  GETGLOBAL r0 "debugprint"
  LOADK r1 "defaults"
  GETGLOBAL r2 "gettimer"
  LOADK r3 #1
  CALL r2 2 0
  CALL r0 0 2
.lineno 15
  GETGLOBAL r0 "starttimer"
  LOADK r1 #1
  CALL r0 2 2
.lineno 16
  GETGLOBAL r0 "playanim"
  LOADK r1 #1
  LOADK r2 #0
  LOADK r3 #0
  LOADK r4 #-3
  LOADK r5 #1
  CALL r0 6 2
.lineno 17
  GETGLOBAL r0 "debugprint"
  LOADK r1 "slow"
  GETGLOBAL r2 "gettimer"
  LOADK r3 #1
  CALL r2 2 0
  CALL r0 0 2
.lineno 18
  GETGLOBAL r0 "setanimframedelay"
  LOADK r1 #1
  LOADK r2 #2
  LOADK r3 #250
  CALL r0 4 2
.lineno 19
  GETGLOBAL r0 "setanimframedelay"
  LOADK r1 #1
  LOADK r2 #4
  LOADK r3 #30
  CALL r0 4 2
.lineno 20
  GETGLOBAL r0 "starttimer"
  LOADK r1 #1
  CALL r0 2 2
.lineno 21
  GETGLOBAL r0 "playanim"
  LOADK r1 #1
  LOADK r2 #0
  LOADK r3 #0
  NEWTABLE r4 0 4
  LOADK r5 #-4
  SETTABLE r4 "speed" r5
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "debugprint"
  LOADK r1 "own delays"
  GETGLOBAL r2 "gettimer"
  LOADK r3 #1
  CALL r2 2 0
  CALL r0 0 2
.lineno 23
  GETGLOBAL r0 "playanim"
  LOADK r1 #1
  LOADK r2 #40
  LOADK r3 #0
  NEWTABLE r4 0 4
  LOADK r5 #50
  SETTABLE r4 "speed" r5
  LOADK r5 #2
  SETTABLE r4 "times" r5
  LOADBOOL r5 1 0
  SETTABLE r4 "async" r5
  CALL r0 5 2
  SETGLOBAL r0 "h"
.lineno 24
  GETGLOBAL r0 "debugprint"
  LOADK r1 "first"
  GETGLOBAL r2 "asyncdrawframe"
  GETGLOBAL r3 "h"
  CALL r2 2 0
  CALL r0 0 2
.lineno 25
  GETGLOBAL r0 "wait"
  LOADK r1 #25
  CALL r0 2 2
.lineno 26
  GETGLOBAL r0 "debugprint"
  LOADK r1 "half way"
  GETGLOBAL r2 "asyncdrawframe"
  GETGLOBAL r3 "h"
  CALL r2 2 0
  CALL r0 0 2
.lineno 27
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "early.png"
  LOADK r2 #0
  LOADK r3 #1
  CALL r0 4 2
.lineno 28
  GETGLOBAL r0 "wait"
  LOADK r1 #25
  CALL r0 2 2
.lineno 29
  GETGLOBAL r0 "debugprint"
  LOADK r1 "due"
  GETGLOBAL r2 "asyncdrawframe"
  GETGLOBAL r3 "h"
  CALL r2 2 0
  CALL r0 0 2
.lineno 30
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "due.png"
  LOADK r2 #0
  LOADK r3 #1
  CALL r0 4 2
.lineno 31
  GETGLOBAL r0 "cancelasyncdraw"
  GETGLOBAL r1 "h"
  CALL r0 2 2
.lineno 32
  GETGLOBAL r0 "freeanim"
  LOADK r1 #1
  CALL r0 2 2
.lineno 33
  GETGLOBAL r0 "debugprint"
  LOADK r1 "freed after the cancel"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 2
  RETURN r0 1
