; label: anim
; Anims through the player: LoadAnim of each reader (GIF, IFF ANIM, raw and Motion JPEG AVI, from disk), IsAnim, the options and their refusals, cutting a picture, CreateAnim and its refusals, the ANIM GetAttribute rows, FreeAnim and ids used again, and the frames shown (judged in the check).
; call ExitOnError(false)
; call LoadAnim(1, "anim.gif")
; print "gif", GetAttribute(4, 1, 0), GetAttribute(4, 1, 1), GetAttribute(4, 1, 11), GetAttribute(4, 1, 37, 2)
; call LoadAnim(2, "anim.iff")
; print "iff", GetAttribute(4, 2, 0), GetAttribute(4, 2, 11)
; call LoadAnim(3, "raw.avi")
; print "raw avi", GetAttribute(4, 3, 0), GetAttribute(4, 3, 11)
; h = LoadAnim(nil, "mjpeg.avi", {fromdisk = true})
; print "mjpeg from disk", GetAttribute(4, h, 1), GetAttribute(4, h, 11)
; call LoadAnim(4, "mjpeg.avi", {transparency = $FF0000})
; print "transparency", GetAttribute(4, 4, 5), GetAttribute(4, 4, 16), GetAttribute(4, 4, 17)
; print "isanim", IsAnim("anim.gif"), IsAnim("one.gif"), IsAnim("anim.iff"), IsAnim("raw.avi"), IsAnim("strip.png"), IsAnim("none.gif")
; call LoadAnim(5, "anim.gif", {transparency = 0, loadalpha = true})
; print "mask and alpha", GetLastError()
; call LoadAnim(5, "mjpeg.avi", {frames = 2, fromdisk = true})
; print "frames from disk", GetLastError()
; call LoadAnim(5, "strip.png", {width = 16, height = 16, frames = 4, fpr = 2})
; print "strip past the edge", GetLastError()
; call LoadAnim(5, "strip.png", {width = 16, height = 16, frames = 3, x = 16})
; print "strip", GetAttribute(4, 5, 0), GetAttribute(4, 5, 11), GetAttribute(4, 5, 37, 1)
; call LoadAnim(6, "strip.png")
; print "whole picture", GetAttribute(4, 6, 0), GetAttribute(4, 6, 11)
; call DisplayAnimFrame(1, 0, 0, 2)
; call DisplayAnimFrame(3, 40, 0, 3)
; call DisplayAnimFrame(h, 80, 0, 4)
; call DisplayAnimFrame(5, 120, 0, 2)
; call SaveSnapshot("shot.png", 0, 1)
; call LoadAnim(6, "none.gif")
; print "missing file", GetLastError()
; call GetAttribute(4, 1, 37, 5)
; print "delay past the frames", GetLastError()
; call GetAttribute(4, 1, 37, 0)
; print "delay of frame 0", GetLastError()
; call CreateBrush(10, 64, 16, $00FF00)
; call CreateAnim(7, 10, 16, 16, 4, 0)
; print "create", GetAttribute(4, 7, 0), GetAttribute(4, 7, 11), GetAttribute(4, 7, 16)
; call CreateAnim(8, 10, 16, 16, 2, 2, -1, 0)
; print "negative", GetLastError()
; call CreateAnim(8, 10, 16, 16, 5, 0)
; print "past the edge", GetLastError()
; call CreateAnim(8, 10, 16, 8, 8, 4)
; print "two rows", GetAttribute(4, 8, 11)
; call CreateAnim(8, 10, 16, 16, 4, -3)
; print "fpr below 1", GetAttribute(4, 8, 11)
; call CreateAnim(9, 10, 0, 16, 1, 1)
; print "zero width", GetLastError()
; call CreateAnim(9, 10, 2147483647, 16, 2, 0)
; print "huge width", GetLastError()
; call CreateAnim(9, 10, 16, 16, 2147483647, 2147483647)
; print "huge count", GetLastError()
; call CreateAnim(9, 11, 16, 16, 1, 1)
; print "no brush", GetLastError()
; print "count", GetAttribute(4, 0, 60)
; call FreeAnim(7)
; call FreeAnim(7)
; print "free twice", GetLastError()
; call GetAttribute(4, 7, 0)
; print "freed", GetLastError()
; call FreeAnim(h)
; print "count", GetAttribute(4, 0, 60)
; call FreeAnim(h)
; print "free handle twice", GetLastError()
; call CreateAnim(1, 10, 8, 8, 1, 1)
; print "replaced", GetAttribute(4, 1, 0), GetAttribute(4, 0, 60)
; call DisplayAnimFrame(5, 0, 0, 4)
; print "frame past the end", GetLastError()
.source "@anim_load.q"
  .maxstack 11
.lineno 1
  GETGLOBAL r0 "exitonerror"
  LOADBOOL r1 0 0
  CALL r0 2 2
.lineno 2
  GETGLOBAL r0 "loadanim"
  LOADK r1 #1
  LOADK r2 "anim.gif"
  CALL r0 3 2
.lineno 3
  GETGLOBAL r0 "debugprint"
  LOADK r1 "gif"
  GETGLOBAL r2 "getattribute"
  LOADK r3 #4
  LOADK r4 #1
  LOADK r5 #0
  CALL r2 4 2
  GETGLOBAL r3 "getattribute"
  LOADK r4 #4
  LOADK r5 #1
  LOADK r6 #1
  CALL r3 4 2
  GETGLOBAL r4 "getattribute"
  LOADK r5 #4
  LOADK r6 #1
  LOADK r7 #11
  CALL r4 4 2
  GETGLOBAL r5 "getattribute"
  LOADK r6 #4
  LOADK r7 #1
  LOADK r8 #37
  LOADK r9 #2
  CALL r5 5 0
  CALL r0 0 2
.lineno 4
  GETGLOBAL r0 "loadanim"
  LOADK r1 #2
  LOADK r2 "anim.iff"
  CALL r0 3 2
.lineno 5
  GETGLOBAL r0 "debugprint"
  LOADK r1 "iff"
  GETGLOBAL r2 "getattribute"
  LOADK r3 #4
  LOADK r4 #2
  LOADK r5 #0
  CALL r2 4 2
  GETGLOBAL r3 "getattribute"
  LOADK r4 #4
  LOADK r5 #2
  LOADK r6 #11
  CALL r3 4 0
  CALL r0 0 2
.lineno 6
  GETGLOBAL r0 "loadanim"
  LOADK r1 #3
  LOADK r2 "raw.avi"
  CALL r0 3 2
.lineno 7
  GETGLOBAL r0 "debugprint"
  LOADK r1 "raw avi"
  GETGLOBAL r2 "getattribute"
  LOADK r3 #4
  LOADK r4 #3
  LOADK r5 #0
  CALL r2 4 2
  GETGLOBAL r3 "getattribute"
  LOADK r4 #4
  LOADK r5 #3
  LOADK r6 #11
  CALL r3 4 0
  CALL r0 0 2
.lineno 8
  GETGLOBAL r0 "loadanim"
  LOADNIL r1 r1
  LOADK r2 "mjpeg.avi"
  NEWTABLE r3 0 4
  LOADBOOL r4 1 0
  SETTABLE r3 "fromdisk" r4
  CALL r0 4 2
  SETGLOBAL r0 "h"
.lineno 9
  GETGLOBAL r0 "debugprint"
  LOADK r1 "mjpeg from disk"
  GETGLOBAL r2 "getattribute"
  LOADK r3 #4
  GETGLOBAL r4 "h"
  LOADK r5 #1
  CALL r2 4 2
  GETGLOBAL r3 "getattribute"
  LOADK r4 #4
  GETGLOBAL r5 "h"
  LOADK r6 #11
  CALL r3 4 0
  CALL r0 0 2
.lineno 10
  GETGLOBAL r0 "loadanim"
  LOADK r1 #4
  LOADK r2 "mjpeg.avi"
  NEWTABLE r3 0 4
  LOADK r4 #16711680
  SETTABLE r3 "transparency" r4
  CALL r0 4 2
.lineno 11
  GETGLOBAL r0 "debugprint"
  LOADK r1 "transparency"
  GETGLOBAL r2 "getattribute"
  LOADK r3 #4
  LOADK r4 #4
  LOADK r5 #5
  CALL r2 4 2
  GETGLOBAL r3 "getattribute"
  LOADK r4 #4
  LOADK r5 #4
  LOADK r6 #16
  CALL r3 4 2
  GETGLOBAL r4 "getattribute"
  LOADK r5 #4
  LOADK r6 #4
  LOADK r7 #17
  CALL r4 4 0
  CALL r0 0 2
.lineno 12
  GETGLOBAL r0 "debugprint"
  LOADK r1 "isanim"
  GETGLOBAL r2 "isanim"
  LOADK r3 "anim.gif"
  CALL r2 2 2
  GETGLOBAL r3 "isanim"
  LOADK r4 "one.gif"
  CALL r3 2 2
  GETGLOBAL r4 "isanim"
  LOADK r5 "anim.iff"
  CALL r4 2 2
  GETGLOBAL r5 "isanim"
  LOADK r6 "raw.avi"
  CALL r5 2 2
  GETGLOBAL r6 "isanim"
  LOADK r7 "strip.png"
  CALL r6 2 2
  GETGLOBAL r7 "isanim"
  LOADK r8 "none.gif"
  CALL r7 2 0
  CALL r0 0 2
.lineno 13
  GETGLOBAL r0 "loadanim"
  LOADK r1 #5
  LOADK r2 "anim.gif"
  NEWTABLE r3 0 4
  LOADK r4 #0
  SETTABLE r3 "transparency" r4
  LOADBOOL r4 1 0
  SETTABLE r3 "loadalpha" r4
  CALL r0 4 2
.lineno 14
  GETGLOBAL r0 "debugprint"
  LOADK r1 "mask and alpha"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 2
.lineno 15
  GETGLOBAL r0 "loadanim"
  LOADK r1 #5
  LOADK r2 "mjpeg.avi"
  NEWTABLE r3 0 4
  LOADK r4 #2
  SETTABLE r3 "frames" r4
  LOADBOOL r4 1 0
  SETTABLE r3 "fromdisk" r4
  CALL r0 4 2
.lineno 16
  GETGLOBAL r0 "debugprint"
  LOADK r1 "frames from disk"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 2
.lineno 17
  GETGLOBAL r0 "loadanim"
  LOADK r1 #5
  LOADK r2 "strip.png"
  NEWTABLE r3 0 4
  LOADK r4 #16
  SETTABLE r3 "width" r4
  LOADK r4 #16
  SETTABLE r3 "height" r4
  LOADK r4 #4
  SETTABLE r3 "frames" r4
  LOADK r4 #2
  SETTABLE r3 "fpr" r4
  CALL r0 4 2
.lineno 18
  GETGLOBAL r0 "debugprint"
  LOADK r1 "strip past the edge"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 2
.lineno 19
  GETGLOBAL r0 "loadanim"
  LOADK r1 #5
  LOADK r2 "strip.png"
  NEWTABLE r3 0 4
  LOADK r4 #16
  SETTABLE r3 "width" r4
  LOADK r4 #16
  SETTABLE r3 "height" r4
  LOADK r4 #3
  SETTABLE r3 "frames" r4
  LOADK r4 #16
  SETTABLE r3 "x" r4
  CALL r0 4 2
.lineno 20
  GETGLOBAL r0 "debugprint"
  LOADK r1 "strip"
  GETGLOBAL r2 "getattribute"
  LOADK r3 #4
  LOADK r4 #5
  LOADK r5 #0
  CALL r2 4 2
  GETGLOBAL r3 "getattribute"
  LOADK r4 #4
  LOADK r5 #5
  LOADK r6 #11
  CALL r3 4 2
  GETGLOBAL r4 "getattribute"
  LOADK r5 #4
  LOADK r6 #5
  LOADK r7 #37
  LOADK r8 #1
  CALL r4 5 0
  CALL r0 0 2
.lineno 21
  GETGLOBAL r0 "loadanim"
  LOADK r1 #6
  LOADK r2 "strip.png"
  CALL r0 3 2
.lineno 22
  GETGLOBAL r0 "debugprint"
  LOADK r1 "whole picture"
  GETGLOBAL r2 "getattribute"
  LOADK r3 #4
  LOADK r4 #6
  LOADK r5 #0
  CALL r2 4 2
  GETGLOBAL r3 "getattribute"
  LOADK r4 #4
  LOADK r5 #6
  LOADK r6 #11
  CALL r3 4 0
  CALL r0 0 2
.lineno 23
  GETGLOBAL r0 "displayanimframe"
  LOADK r1 #1
  LOADK r2 #0
  LOADK r3 #0
  LOADK r4 #2
  CALL r0 5 2
.lineno 24
  GETGLOBAL r0 "displayanimframe"
  LOADK r1 #3
  LOADK r2 #40
  LOADK r3 #0
  LOADK r4 #3
  CALL r0 5 2
.lineno 25
  GETGLOBAL r0 "displayanimframe"
  GETGLOBAL r1 "h"
  LOADK r2 #80
  LOADK r3 #0
  LOADK r4 #4
  CALL r0 5 2
.lineno 26
  GETGLOBAL r0 "displayanimframe"
  LOADK r1 #5
  LOADK r2 #120
  LOADK r3 #0
  LOADK r4 #2
  CALL r0 5 2
.lineno 27
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "shot.png"
  LOADK r2 #0
  LOADK r3 #1
  CALL r0 4 2
.lineno 28
  GETGLOBAL r0 "loadanim"
  LOADK r1 #6
  LOADK r2 "none.gif"
  CALL r0 3 2
.lineno 29
  GETGLOBAL r0 "debugprint"
  LOADK r1 "missing file"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 2
.lineno 30
  GETGLOBAL r0 "getattribute"
  LOADK r1 #4
  LOADK r2 #1
  LOADK r3 #37
  LOADK r4 #5
  CALL r0 5 2
.lineno 31
  GETGLOBAL r0 "debugprint"
  LOADK r1 "delay past the frames"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 2
.lineno 32
  GETGLOBAL r0 "getattribute"
  LOADK r1 #4
  LOADK r2 #1
  LOADK r3 #37
  LOADK r4 #0
  CALL r0 5 2
.lineno 33
  GETGLOBAL r0 "debugprint"
  LOADK r1 "delay of frame 0"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 2
.lineno 34
  GETGLOBAL r0 "createbrush"
  LOADK r1 #10
  LOADK r2 #64
  LOADK r3 #16
  LOADK r4 #65280
  CALL r0 5 2
.lineno 35
  GETGLOBAL r0 "createanim"
  LOADK r1 #7
  LOADK r2 #10
  LOADK r3 #16
  LOADK r4 #16
  LOADK r5 #4
  LOADK r6 #0
  CALL r0 7 2
.lineno 36
  GETGLOBAL r0 "debugprint"
  LOADK r1 "create"
  GETGLOBAL r2 "getattribute"
  LOADK r3 #4
  LOADK r4 #7
  LOADK r5 #0
  CALL r2 4 2
  GETGLOBAL r3 "getattribute"
  LOADK r4 #4
  LOADK r5 #7
  LOADK r6 #11
  CALL r3 4 2
  GETGLOBAL r4 "getattribute"
  LOADK r5 #4
  LOADK r6 #7
  LOADK r7 #16
  CALL r4 4 0
  CALL r0 0 2
.lineno 37
  GETGLOBAL r0 "createanim"
  LOADK r1 #8
  LOADK r2 #10
  LOADK r3 #16
  LOADK r4 #16
  LOADK r5 #2
  LOADK r6 #2
  LOADK r7 #-1
  LOADK r8 #0
  CALL r0 9 2
.lineno 38
  GETGLOBAL r0 "debugprint"
  LOADK r1 "negative"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 2
.lineno 39
  GETGLOBAL r0 "createanim"
  LOADK r1 #8
  LOADK r2 #10
  LOADK r3 #16
  LOADK r4 #16
  LOADK r5 #5
  LOADK r6 #0
  CALL r0 7 2
.lineno 40
  GETGLOBAL r0 "debugprint"
  LOADK r1 "past the edge"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 2
.lineno 41
  GETGLOBAL r0 "createanim"
  LOADK r1 #8
  LOADK r2 #10
  LOADK r3 #16
  LOADK r4 #8
  LOADK r5 #8
  LOADK r6 #4
  CALL r0 7 2
.lineno 42
  GETGLOBAL r0 "debugprint"
  LOADK r1 "two rows"
  GETGLOBAL r2 "getattribute"
  LOADK r3 #4
  LOADK r4 #8
  LOADK r5 #11
  CALL r2 4 0
  CALL r0 0 2
.lineno 43
  GETGLOBAL r0 "createanim"
  LOADK r1 #8
  LOADK r2 #10
  LOADK r3 #16
  LOADK r4 #16
  LOADK r5 #4
  LOADK r6 #-3
  CALL r0 7 2
.lineno 44
  GETGLOBAL r0 "debugprint"
  LOADK r1 "fpr below 1"
  GETGLOBAL r2 "getattribute"
  LOADK r3 #4
  LOADK r4 #8
  LOADK r5 #11
  CALL r2 4 0
  CALL r0 0 2
.lineno 45
  GETGLOBAL r0 "createanim"
  LOADK r1 #9
  LOADK r2 #10
  LOADK r3 #0
  LOADK r4 #16
  LOADK r5 #1
  LOADK r6 #1
  CALL r0 7 2
.lineno 46
  GETGLOBAL r0 "debugprint"
  LOADK r1 "zero width"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 2
.lineno 47
  GETGLOBAL r0 "createanim"
  LOADK r1 #9
  LOADK r2 #10
  LOADK r3 #2147483647
  LOADK r4 #16
  LOADK r5 #2
  LOADK r6 #0
  CALL r0 7 2
.lineno 48
  GETGLOBAL r0 "debugprint"
  LOADK r1 "huge width"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 2
.lineno 49
  GETGLOBAL r0 "createanim"
  LOADK r1 #9
  LOADK r2 #10
  LOADK r3 #16
  LOADK r4 #16
  LOADK r5 #2147483647
  LOADK r6 #2147483647
  CALL r0 7 2
.lineno 50
  GETGLOBAL r0 "debugprint"
  LOADK r1 "huge count"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 2
.lineno 51
  GETGLOBAL r0 "createanim"
  LOADK r1 #9
  LOADK r2 #11
  LOADK r3 #16
  LOADK r4 #16
  LOADK r5 #1
  LOADK r6 #1
  CALL r0 7 2
.lineno 52
  GETGLOBAL r0 "debugprint"
  LOADK r1 "no brush"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 2
.lineno 53
  GETGLOBAL r0 "debugprint"
  LOADK r1 "count"
  GETGLOBAL r2 "getattribute"
  LOADK r3 #4
  LOADK r4 #0
  LOADK r5 #60
  CALL r2 4 0
  CALL r0 0 2
.lineno 54
  GETGLOBAL r0 "freeanim"
  LOADK r1 #7
  CALL r0 2 2
.lineno 55
  GETGLOBAL r0 "freeanim"
  LOADK r1 #7
  CALL r0 2 2
.lineno 56
  GETGLOBAL r0 "debugprint"
  LOADK r1 "free twice"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 2
.lineno 57
  GETGLOBAL r0 "getattribute"
  LOADK r1 #4
  LOADK r2 #7
  LOADK r3 #0
  CALL r0 4 2
.lineno 58
  GETGLOBAL r0 "debugprint"
  LOADK r1 "freed"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 2
.lineno 59
  GETGLOBAL r0 "freeanim"
  GETGLOBAL r1 "h"
  CALL r0 2 2
.lineno 60
  GETGLOBAL r0 "debugprint"
  LOADK r1 "count"
  GETGLOBAL r2 "getattribute"
  LOADK r3 #4
  LOADK r4 #0
  LOADK r5 #60
  CALL r2 4 0
  CALL r0 0 2
.lineno 61
  GETGLOBAL r0 "freeanim"
  GETGLOBAL r1 "h"
  CALL r0 2 2
.lineno 62
  GETGLOBAL r0 "debugprint"
  LOADK r1 "free handle twice"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 2
.lineno 63
  GETGLOBAL r0 "createanim"
  LOADK r1 #1
  LOADK r2 #10
  LOADK r3 #8
  LOADK r4 #8
  LOADK r5 #1
  LOADK r6 #1
  CALL r0 7 2
.lineno 64
  GETGLOBAL r0 "debugprint"
  LOADK r1 "replaced"
  GETGLOBAL r2 "getattribute"
  LOADK r3 #4
  LOADK r4 #1
  LOADK r5 #0
  CALL r2 4 2
  GETGLOBAL r3 "getattribute"
  LOADK r4 #4
  LOADK r5 #0
  LOADK r6 #60
  CALL r3 4 0
  CALL r0 0 2
.lineno 65
  GETGLOBAL r0 "displayanimframe"
  LOADK r1 #5
  LOADK r2 #0
  LOADK r3 #0
  LOADK r4 #4
  CALL r0 5 2
.lineno 66
  GETGLOBAL r0 "debugprint"
  LOADK r1 "frame past the end"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 2
  RETURN r0 1
