; label: anim
; Anims saved whole and anim streams written from brushes, as GIF and Motion JPEG AVI files
; (format 1), and what they refuse; positions -100000 are #CENTER, -80000 #RIGHT and -60000
; #BOTTOM. The files are judged by giftext, ffprobe and ffmpeg. A stream left open at the end is
; completed.
; call ExitOnError(0)
; call CreateGradientBrush(1, 64, 48, 2, $FF2000, $1040FF)
; call SaveBrush(1, "gradient.bmp")
; call CreateBrush(2, 64, 48, $0000FF)
; call CreateBrush(3, 16, 8, $00FF00)
; call BeginAnimStream(1, "s.gif", 64, 48)
; call WriteAnimFrame(1, 1, {delay = 100})
; call WriteAnimFrame(1, 2, {delay = 250, colors = 2})
; call WriteAnimFrame(1, 1, {colors = 1})
; print "colors 1", GetLastError()
; call WriteAnimFrame(1, 1, {colors = 257})
; print "colors 257", GetLastError()
; call WriteAnimFrame(1, 3, {x = -100000, y = -100000, transparency = $FFFFFF, delay = 40})
; call WriteAnimFrame(1, 7)
; print "no brush", GetLastError()
; call FinishAnimStream(1)
; call FinishAnimStream(1)
; print "finished", GetLastError()
; call WriteAnimFrame(1, 1)
; print "no stream", GetLastError()
; call BeginAnimStream(2, "s.avi", 64, 48, 1)
; for i = 1, 5 do
; call WriteAnimFrame(2, 1, {delay = 1000})
; call WriteAnimFrame(2, 2)
; end
; call FinishAnimStream(2)
; call BeginAnimStream(3, "never.anim", 64, 48, 7)
; print "format 7", GetLastError()
; call BeginAnimStream(3, "never.avi", 64, 48, 1, {fps = 0})
; print "fps 0", GetLastError()
; call BeginAnimStream(3, "never.avi", 64, 48, 1, {fps = 44101})
; print "fps 44101", GetLastError()
; call BeginAnimStream(3, "never.gif", 0, 48)
; print "width 0", GetLastError()
; call BeginAnimStream(3, "", 64, 48)
; print "no name", GetLastError()
; h = BeginAnimStream(nil, "open.avi", 64, 48, 1, {fps = 10, quality = 50})
; call WriteAnimFrame(h, 1)
; call WriteAnimFrame(h, 3, {x = -80000, y = -60000})
; call BeginAnimStream(4, "open.gif", 32, 32)
; call WriteAnimFrame(4, 3, {delay = 500})
; call CreateGradientBrush(5, 128, 48, 2, $FF2000, $1040FF)
; call CreateAnim(1, 5, 64, 48, 2, 2)
; call SetAnimFrameDelay(1, 1, 120)
; call SetAnimFrameDelay(1, 2, 30)
; call GetAnimFrame(6, 1, 1)
; call SaveBrush(6, "frame1.bmp")
; call GetAnimFrame(7, 2, 1)
; call SaveBrush(7, "frame2.bmp")
; call SaveAnim(1, "a.gif")
; call SaveAnim(1, "a.avi", 1)
; call SaveAnim(1, "two.gif", 0, {colors = 2})
; print "colors 2", GetLastError()
; call SaveAnim(1, "key.gif", 0, {colors = 2, transparency = $FF2000})
; call SaveAnim(1, "never.gif", 0, {colors = 1})
; print "save colors 1", GetLastError()
; call SaveAnim(1, "never.gif", 0, {colors = 257})
; print "save colors 257", GetLastError()
; call SaveAnim(1, "never.anim", 7)
; print "save format 7", GetLastError()
; call SaveAnim(9, "never.gif")
; print "no anim", GetLastError()
; call SaveAnim(1, "re.avi", 1, {fps = 5})
; call SaveAnim(1, "re.avi", 1)
; call LoadAnim(2, "a.gif", {fromdisk = 1})
; call SaveAnim(2, "disk.avi", 1, {quality = 95})
; print "disk", GetLastError()
.source "@anim_save.q"
  .maxstack 33
.lineno 1
  GETGLOBAL r0 "exitonerror"
  LOADK r1 #0
  CALL r0 2 2
.lineno 2
  GETGLOBAL r0 "creategradientbrush"
  LOADK r1 #1
  LOADK r2 #64
  LOADK r3 #48
  LOADK r4 #2
  LOADK r5 #16719872
  LOADK r6 #1065215
  CALL r0 7 2
.lineno 3
  GETGLOBAL r0 "savebrush"
  LOADK r1 #1
  LOADK r2 "gradient.bmp"
  CALL r0 3 2
.lineno 4
  GETGLOBAL r0 "createbrush"
  LOADK r1 #2
  LOADK r2 #64
  LOADK r3 #48
  LOADK r4 #255
  CALL r0 5 2
.lineno 5
  GETGLOBAL r0 "createbrush"
  LOADK r1 #3
  LOADK r2 #16
  LOADK r3 #8
  LOADK r4 #65280
  CALL r0 5 2
.lineno 6
  GETGLOBAL r0 "beginanimstream"
  LOADK r1 #1
  LOADK r2 "s.gif"
  LOADK r3 #64
  LOADK r4 #48
  CALL r0 5 2
.lineno 7
  GETGLOBAL r0 "writeanimframe"
  LOADK r1 #1
  LOADK r2 #1
  NEWTABLE r3 0 4
  LOADK r4 #100
  SETTABLE r3 "delay" r4
  CALL r0 4 2
.lineno 8
  GETGLOBAL r0 "writeanimframe"
  LOADK r1 #1
  LOADK r2 #2
  NEWTABLE r3 0 4
  LOADK r4 #250
  SETTABLE r3 "delay" r4
  LOADK r4 #2
  SETTABLE r3 "colors" r4
  CALL r0 4 2
.lineno 9
  GETGLOBAL r0 "writeanimframe"
  LOADK r1 #1
  LOADK r2 #1
  NEWTABLE r3 0 4
  LOADK r4 #1
  SETTABLE r3 "colors" r4
  CALL r0 4 2
.lineno 10
  GETGLOBAL r0 "debugprint"
  LOADK r1 "colors 1"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 2
.lineno 11
  GETGLOBAL r0 "writeanimframe"
  LOADK r1 #1
  LOADK r2 #1
  NEWTABLE r3 0 4
  LOADK r4 #257
  SETTABLE r3 "colors" r4
  CALL r0 4 2
.lineno 12
  GETGLOBAL r0 "debugprint"
  LOADK r1 "colors 257"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 2
.lineno 13
  GETGLOBAL r0 "writeanimframe"
  LOADK r1 #1
  LOADK r2 #3
  NEWTABLE r3 0 4
  LOADK r4 #-100000
  SETTABLE r3 "x" r4
  LOADK r4 #-100000
  SETTABLE r3 "y" r4
  LOADK r4 #16777215
  SETTABLE r3 "transparency" r4
  LOADK r4 #40
  SETTABLE r3 "delay" r4
  CALL r0 4 2
.lineno 14
  GETGLOBAL r0 "writeanimframe"
  LOADK r1 #1
  LOADK r2 #7
  CALL r0 3 2
.lineno 15
  GETGLOBAL r0 "debugprint"
  LOADK r1 "no brush"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 2
.lineno 16
  GETGLOBAL r0 "finishanimstream"
  LOADK r1 #1
  CALL r0 2 2
.lineno 17
  GETGLOBAL r0 "finishanimstream"
  LOADK r1 #1
  CALL r0 2 2
.lineno 18
  GETGLOBAL r0 "debugprint"
  LOADK r1 "finished"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 2
.lineno 19
  GETGLOBAL r0 "writeanimframe"
  LOADK r1 #1
  LOADK r2 #1
  CALL r0 3 2
.lineno 20
  GETGLOBAL r0 "debugprint"
  LOADK r1 "no stream"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 2
.lineno 21
  GETGLOBAL r0 "beginanimstream"
  LOADK r1 #2
  LOADK r2 "s.avi"
  LOADK r3 #64
  LOADK r4 #48
  LOADK r5 #1
  CALL r0 6 2
.lineno 22
  LOADK r20 #1
  LOADK r21 #5
  LOADK r22 #1
  SUB r20 r20 r22
  JMP @L1
L2:
  SETGLOBAL r20 "i"
.lineno 23
  GETGLOBAL r27 "writeanimframe"
  LOADK r28 #2
  LOADK r29 #1
  NEWTABLE r30 0 4
  LOADK r31 #1000
  SETTABLE r30 "delay" r31
  CALL r27 4 2
.lineno 24
  GETGLOBAL r27 "writeanimframe"
  LOADK r28 #2
  LOADK r29 #2
  CALL r27 3 2
.lineno 25
L1:
  FORLOOP r20 @L2
.lineno 26
  GETGLOBAL r0 "finishanimstream"
  LOADK r1 #2
  CALL r0 2 2
.lineno 27
  GETGLOBAL r0 "beginanimstream"
  LOADK r1 #3
  LOADK r2 "never.anim"
  LOADK r3 #64
  LOADK r4 #48
  LOADK r5 #7
  CALL r0 6 2
.lineno 28
  GETGLOBAL r0 "debugprint"
  LOADK r1 "format 7"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 2
.lineno 29
  GETGLOBAL r0 "beginanimstream"
  LOADK r1 #3
  LOADK r2 "never.avi"
  LOADK r3 #64
  LOADK r4 #48
  LOADK r5 #1
  NEWTABLE r6 0 4
  LOADK r7 #0
  SETTABLE r6 "fps" r7
  CALL r0 7 2
.lineno 30
  GETGLOBAL r0 "debugprint"
  LOADK r1 "fps 0"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 2
.lineno 31
  GETGLOBAL r0 "beginanimstream"
  LOADK r1 #3
  LOADK r2 "never.avi"
  LOADK r3 #64
  LOADK r4 #48
  LOADK r5 #1
  NEWTABLE r6 0 4
  LOADK r7 #44101
  SETTABLE r6 "fps" r7
  CALL r0 7 2
.lineno 32
  GETGLOBAL r0 "debugprint"
  LOADK r1 "fps 44101"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 2
.lineno 33
  GETGLOBAL r0 "beginanimstream"
  LOADK r1 #3
  LOADK r2 "never.gif"
  LOADK r3 #0
  LOADK r4 #48
  CALL r0 5 2
.lineno 34
  GETGLOBAL r0 "debugprint"
  LOADK r1 "width 0"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 2
.lineno 35
  GETGLOBAL r0 "beginanimstream"
  LOADK r1 #3
  LOADK r2 ""
  LOADK r3 #64
  LOADK r4 #48
  CALL r0 5 2
.lineno 36
  GETGLOBAL r0 "debugprint"
  LOADK r1 "no name"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 2
.lineno 37
  GETGLOBAL r0 "beginanimstream"
  LOADNIL r1 r1
  LOADK r2 "open.avi"
  LOADK r3 #64
  LOADK r4 #48
  LOADK r5 #1
  NEWTABLE r6 0 4
  LOADK r7 #10
  SETTABLE r6 "fps" r7
  LOADK r7 #50
  SETTABLE r6 "quality" r7
  CALL r0 7 2
  SETGLOBAL r0 "h"
.lineno 38
  GETGLOBAL r0 "writeanimframe"
  GETGLOBAL r1 "h"
  LOADK r2 #1
  CALL r0 3 2
.lineno 39
  GETGLOBAL r0 "writeanimframe"
  GETGLOBAL r1 "h"
  LOADK r2 #3
  NEWTABLE r3 0 4
  LOADK r4 #-80000
  SETTABLE r3 "x" r4
  LOADK r4 #-60000
  SETTABLE r3 "y" r4
  CALL r0 4 2
.lineno 40
  GETGLOBAL r0 "beginanimstream"
  LOADK r1 #4
  LOADK r2 "open.gif"
  LOADK r3 #32
  LOADK r4 #32
  CALL r0 5 2
.lineno 41
  GETGLOBAL r0 "writeanimframe"
  LOADK r1 #4
  LOADK r2 #3
  NEWTABLE r3 0 4
  LOADK r4 #500
  SETTABLE r3 "delay" r4
  CALL r0 4 2
.lineno 42
  GETGLOBAL r0 "creategradientbrush"
  LOADK r1 #5
  LOADK r2 #128
  LOADK r3 #48
  LOADK r4 #2
  LOADK r5 #16719872
  LOADK r6 #1065215
  CALL r0 7 2
.lineno 43
  GETGLOBAL r0 "createanim"
  LOADK r1 #1
  LOADK r2 #5
  LOADK r3 #64
  LOADK r4 #48
  LOADK r5 #2
  LOADK r6 #2
  CALL r0 7 2
.lineno 44
  GETGLOBAL r0 "setanimframedelay"
  LOADK r1 #1
  LOADK r2 #1
  LOADK r3 #120
  CALL r0 4 2
.lineno 45
  GETGLOBAL r0 "setanimframedelay"
  LOADK r1 #1
  LOADK r2 #2
  LOADK r3 #30
  CALL r0 4 2
.lineno 46
  GETGLOBAL r0 "getanimframe"
  LOADK r1 #6
  LOADK r2 #1
  LOADK r3 #1
  CALL r0 4 2
.lineno 47
  GETGLOBAL r0 "savebrush"
  LOADK r1 #6
  LOADK r2 "frame1.bmp"
  CALL r0 3 2
.lineno 48
  GETGLOBAL r0 "getanimframe"
  LOADK r1 #7
  LOADK r2 #2
  LOADK r3 #1
  CALL r0 4 2
.lineno 49
  GETGLOBAL r0 "savebrush"
  LOADK r1 #7
  LOADK r2 "frame2.bmp"
  CALL r0 3 2
.lineno 50
  GETGLOBAL r0 "saveanim"
  LOADK r1 #1
  LOADK r2 "a.gif"
  CALL r0 3 2
.lineno 51
  GETGLOBAL r0 "saveanim"
  LOADK r1 #1
  LOADK r2 "a.avi"
  LOADK r3 #1
  CALL r0 4 2
.lineno 52
  GETGLOBAL r0 "saveanim"
  LOADK r1 #1
  LOADK r2 "two.gif"
  LOADK r3 #0
  NEWTABLE r4 0 4
  LOADK r5 #2
  SETTABLE r4 "colors" r5
  CALL r0 5 2
.lineno 53
  GETGLOBAL r0 "debugprint"
  LOADK r1 "colors 2"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 2
.lineno 54
  GETGLOBAL r0 "saveanim"
  LOADK r1 #1
  LOADK r2 "key.gif"
  LOADK r3 #0
  NEWTABLE r4 0 4
  LOADK r5 #2
  SETTABLE r4 "colors" r5
  LOADK r5 #16719872
  SETTABLE r4 "transparency" r5
  CALL r0 5 2
.lineno 55
  GETGLOBAL r0 "saveanim"
  LOADK r1 #1
  LOADK r2 "never.gif"
  LOADK r3 #0
  NEWTABLE r4 0 4
  LOADK r5 #1
  SETTABLE r4 "colors" r5
  CALL r0 5 2
.lineno 56
  GETGLOBAL r0 "debugprint"
  LOADK r1 "save colors 1"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 2
.lineno 57
  GETGLOBAL r0 "saveanim"
  LOADK r1 #1
  LOADK r2 "never.gif"
  LOADK r3 #0
  NEWTABLE r4 0 4
  LOADK r5 #257
  SETTABLE r4 "colors" r5
  CALL r0 5 2
.lineno 58
  GETGLOBAL r0 "debugprint"
  LOADK r1 "save colors 257"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 2
.lineno 59
  GETGLOBAL r0 "saveanim"
  LOADK r1 #1
  LOADK r2 "never.anim"
  LOADK r3 #7
  CALL r0 4 2
.lineno 60
  GETGLOBAL r0 "debugprint"
  LOADK r1 "save format 7"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 2
.lineno 61
  GETGLOBAL r0 "saveanim"
  LOADK r1 #9
  LOADK r2 "never.gif"
  CALL r0 3 2
.lineno 62
  GETGLOBAL r0 "debugprint"
  LOADK r1 "no anim"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 2
.lineno 63
  GETGLOBAL r0 "saveanim"
  LOADK r1 #1
  LOADK r2 "re.avi"
  LOADK r3 #1
  NEWTABLE r4 0 4
  LOADK r5 #5
  SETTABLE r4 "fps" r5
  CALL r0 5 2
.lineno 64
  GETGLOBAL r0 "saveanim"
  LOADK r1 #1
  LOADK r2 "re.avi"
  LOADK r3 #1
  CALL r0 4 2
.lineno 65
  GETGLOBAL r0 "loadanim"
  LOADK r1 #2
  LOADK r2 "a.gif"
  NEWTABLE r3 0 4
  LOADK r4 #1
  SETTABLE r3 "fromdisk" r4
  CALL r0 4 2
.lineno 66
  GETGLOBAL r0 "saveanim"
  LOADK r1 #2
  LOADK r2 "disk.avi"
  LOADK r3 #1
  NEWTABLE r4 0 4
  LOADK r5 #95
  SETTABLE r4 "quality" r5
  CALL r0 5 2
.lineno 67
  GETGLOBAL r0 "debugprint"
  LOADK r1 "disk"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 2
  RETURN r0 1
