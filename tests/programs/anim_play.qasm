; label: anim
; Playing anims with layers off: PlayAnim at the fastest speed once leaves the last frame shown; an async playback draws its first frame at once and the next only when due, and locks its anim meanwhile; a masked frame plays over what it covers; the drawing targets that refuse a playback.
; call ExitOnError(false)
; call LoadAnim(1, "strip.png", {width = 16, height = 16, frames = 4})
; call PlayAnim(1, 10, 10, -2, 1)
; print "played", GetLastError()
; call SaveSnapshot("last.png", 0, 1)
; h = PlayAnim(1, 40, 10, {speed = 50, times = 1, async = true})
; print "async", AsyncDrawFrame(h)
; print "not due", AsyncDrawFrame(h)
; call SaveSnapshot("async.png", 0, 1)
; call FreeAnim(1)
; print "free while playing", GetLastError()
; call ScaleAnim(1, 8, 8)
; print "scale while playing", GetLastError()
; call CancelAsyncDraw(h)
; call LoadAnim(2, "half.png", {width = 16, height = 16, frames = 2, transparency = $FF0000})
; call CreateBrush(9, 40, 20, $0000FF)
; call DisplayBrush(9, 70, 5)
; call PlayAnim(2, 70, 5, 0, 2)
; call SaveSnapshot("masked.png", 0, 1)
; call CreateBrush(3, 8, 8, 0, {mask = true})
; call CreateBrush(4, 8, 8, 0, {alphachannel = true})
; call CreateBGPic(5, 8, 8)
; call BeginDoubleBuffer()
; call PlayAnim(2, 0, 0)
; print "double buffer", GetLastError()
; call EndDoubleBuffer()
; call SelectBrush(3)
; call PlayAnim(2, 0, 0)
; print "brush", GetLastError()
; call EndSelect()
; call SelectMask(3)
; call PlayAnim(2, 0, 0)
; print "mask", GetLastError()
; call EndSelect()
; call SelectAlphaChannel(4)
; call PlayAnim(2, 0, 0)
; print "alpha channel", GetLastError()
; call EndSelect()
; call SelectBGPic(5, 0)
; call PlayAnim(2, 0, 0)
; print "picture", GetLastError()
; call EndSelect()
; call SelectAnim(2, 1)
; call PlayAnim(1, 0, 0)
; print "anim frame", GetLastError()
; call FreeAnim(2)
; print "free the selected anim", GetLastError()
; call ScaleAnim(2, 8, 8)
; print "scale the selected anim", GetLastError()
; call PlayAnim(2, 100, 100, -2, 1)
; print "the selected anim ends its selection", GetLastError()
; call PlayAnim(7, 0, 0)
; print "no anim", GetLastError()
; call PlayAnim(2, 0, 0, -2, -1)
; print "negative times", GetLastError()
.source "@anim_play.q"
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
  GETGLOBAL r0 "playanim"
  LOADK r1 #1
  LOADK r2 #10
  LOADK r3 #10
  LOADK r4 #-2
  LOADK r5 #1
  CALL r0 6 2
.lineno 4
  GETGLOBAL r0 "debugprint"
  LOADK r1 "played"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 2
.lineno 5
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "last.png"
  LOADK r2 #0
  LOADK r3 #1
  CALL r0 4 2
.lineno 6
  GETGLOBAL r0 "playanim"
  LOADK r1 #1
  LOADK r2 #40
  LOADK r3 #10
  NEWTABLE r4 0 4
  LOADK r5 #50
  SETTABLE r4 "speed" r5
  LOADK r5 #1
  SETTABLE r4 "times" r5
  LOADBOOL r5 1 0
  SETTABLE r4 "async" r5
  CALL r0 5 2
  SETGLOBAL r0 "h"
.lineno 7
  GETGLOBAL r0 "debugprint"
  LOADK r1 "async"
  GETGLOBAL r2 "asyncdrawframe"
  GETGLOBAL r3 "h"
  CALL r2 2 0
  CALL r0 0 2
.lineno 8
  GETGLOBAL r0 "debugprint"
  LOADK r1 "not due"
  GETGLOBAL r2 "asyncdrawframe"
  GETGLOBAL r3 "h"
  CALL r2 2 0
  CALL r0 0 2
.lineno 9
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "async.png"
  LOADK r2 #0
  LOADK r3 #1
  CALL r0 4 2
.lineno 10
  GETGLOBAL r0 "freeanim"
  LOADK r1 #1
  CALL r0 2 2
.lineno 11
  GETGLOBAL r0 "debugprint"
  LOADK r1 "free while playing"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 2
.lineno 12
  GETGLOBAL r0 "scaleanim"
  LOADK r1 #1
  LOADK r2 #8
  LOADK r3 #8
  CALL r0 4 2
.lineno 13
  GETGLOBAL r0 "debugprint"
  LOADK r1 "scale while playing"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 2
.lineno 14
  GETGLOBAL r0 "cancelasyncdraw"
  GETGLOBAL r1 "h"
  CALL r0 2 2
.lineno 15
  GETGLOBAL r0 "loadanim"
  LOADK r1 #2
  LOADK r2 "half.png"
  NEWTABLE r3 0 4
  LOADK r4 #16
  SETTABLE r3 "width" r4
  LOADK r4 #16
  SETTABLE r3 "height" r4
  LOADK r4 #2
  SETTABLE r3 "frames" r4
  LOADK r4 #16711680
  SETTABLE r3 "transparency" r4
  CALL r0 4 2
.lineno 16
  GETGLOBAL r0 "createbrush"
  LOADK r1 #9
  LOADK r2 #40
  LOADK r3 #20
  LOADK r4 #255
  CALL r0 5 2
.lineno 17
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #9
  LOADK r2 #70
  LOADK r3 #5
  CALL r0 4 2
.lineno 18
  GETGLOBAL r0 "playanim"
  LOADK r1 #2
  LOADK r2 #70
  LOADK r3 #5
  LOADK r4 #0
  LOADK r5 #2
  CALL r0 6 2
.lineno 19
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "masked.png"
  LOADK r2 #0
  LOADK r3 #1
  CALL r0 4 2
.lineno 20
  GETGLOBAL r0 "createbrush"
  LOADK r1 #3
  LOADK r2 #8
  LOADK r3 #8
  LOADK r4 #0
  NEWTABLE r5 0 4
  LOADBOOL r6 1 0
  SETTABLE r5 "mask" r6
  CALL r0 6 2
.lineno 21
  GETGLOBAL r0 "createbrush"
  LOADK r1 #4
  LOADK r2 #8
  LOADK r3 #8
  LOADK r4 #0
  NEWTABLE r5 0 4
  LOADBOOL r6 1 0
  SETTABLE r5 "alphachannel" r6
  CALL r0 6 2
.lineno 22
  GETGLOBAL r0 "createbgpic"
  LOADK r1 #5
  LOADK r2 #8
  LOADK r3 #8
  CALL r0 4 2
.lineno 23
  GETGLOBAL r0 "begindoublebuffer"
  CALL r0 1 2
.lineno 24
  GETGLOBAL r0 "playanim"
  LOADK r1 #2
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 25
  GETGLOBAL r0 "debugprint"
  LOADK r1 "double buffer"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 2
.lineno 26
  GETGLOBAL r0 "enddoublebuffer"
  CALL r0 1 2
.lineno 27
  GETGLOBAL r0 "selectbrush"
  LOADK r1 #3
  CALL r0 2 2
.lineno 28
  GETGLOBAL r0 "playanim"
  LOADK r1 #2
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 29
  GETGLOBAL r0 "debugprint"
  LOADK r1 "brush"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 2
.lineno 30
  GETGLOBAL r0 "endselect"
  CALL r0 1 2
.lineno 31
  GETGLOBAL r0 "selectmask"
  LOADK r1 #3
  CALL r0 2 2
.lineno 32
  GETGLOBAL r0 "playanim"
  LOADK r1 #2
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 33
  GETGLOBAL r0 "debugprint"
  LOADK r1 "mask"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 2
.lineno 34
  GETGLOBAL r0 "endselect"
  CALL r0 1 2
.lineno 35
  GETGLOBAL r0 "selectalphachannel"
  LOADK r1 #4
  CALL r0 2 2
.lineno 36
  GETGLOBAL r0 "playanim"
  LOADK r1 #2
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 37
  GETGLOBAL r0 "debugprint"
  LOADK r1 "alpha channel"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 2
.lineno 38
  GETGLOBAL r0 "endselect"
  CALL r0 1 2
.lineno 39
  GETGLOBAL r0 "selectbgpic"
  LOADK r1 #5
  LOADK r2 #0
  CALL r0 3 2
.lineno 40
  GETGLOBAL r0 "playanim"
  LOADK r1 #2
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 41
  GETGLOBAL r0 "debugprint"
  LOADK r1 "picture"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 2
.lineno 42
  GETGLOBAL r0 "endselect"
  CALL r0 1 2
.lineno 43
  GETGLOBAL r0 "selectanim"
  LOADK r1 #2
  LOADK r2 #1
  CALL r0 3 2
.lineno 44
  GETGLOBAL r0 "playanim"
  LOADK r1 #1
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 45
  GETGLOBAL r0 "debugprint"
  LOADK r1 "anim frame"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 2
.lineno 46
  GETGLOBAL r0 "freeanim"
  LOADK r1 #2
  CALL r0 2 2
.lineno 47
  GETGLOBAL r0 "debugprint"
  LOADK r1 "free the selected anim"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 2
.lineno 48
  GETGLOBAL r0 "scaleanim"
  LOADK r1 #2
  LOADK r2 #8
  LOADK r3 #8
  CALL r0 4 2
.lineno 49
  GETGLOBAL r0 "debugprint"
  LOADK r1 "scale the selected anim"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 2
.lineno 50
  GETGLOBAL r0 "playanim"
  LOADK r1 #2
  LOADK r2 #100
  LOADK r3 #100
  LOADK r4 #-2
  LOADK r5 #1
  CALL r0 6 2
.lineno 51
  GETGLOBAL r0 "debugprint"
  LOADK r1 "the selected anim ends its selection"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 2
.lineno 52
  GETGLOBAL r0 "playanim"
  LOADK r1 #7
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 53
  GETGLOBAL r0 "debugprint"
  LOADK r1 "no anim"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 2
.lineno 54
  GETGLOBAL r0 "playanim"
  LOADK r1 #2
  LOADK r2 #0
  LOADK r3 #0
  LOADK r4 #-2
  LOADK r5 #-1
  CALL r0 6 2
.lineno 55
  GETGLOBAL r0 "debugprint"
  LOADK r1 "negative times"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 2
  RETURN r0 1
