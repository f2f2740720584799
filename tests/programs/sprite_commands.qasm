; label: layers
; Sprites through the player: frames, what is redrawn (the recorder), the errors, baking, scaling, linked sprites, and a sprite freed while its picture is shown on a display that is not current.
; call ExitOnError(false)
; call CreateBrush(1, 8, 8, $FF0000)
; call CreateBrush(2, 8, 8, $00FF00)
; call CreateBrush(3, 8, 8, $0000FF)
; call CreateSprite(1, 3, 1)
; call CreateSprite(2, 3, 2)
; call CreateSprite(3, 3, 3)
; h = CreateSprite(nil, 32, 1, 2, 3)
; call CreateBrush(5, 24, 16, $FFFF00)
; call CreateSprite(5, 3, 5, 8, 8, 7, 3, 0, 0)
; print GetLastError()
; call CreateSprite(5, 3, 5, 8, 8, 3, 2, 0, 0)
; call VWait()
; call DisplaySprite(h, 10, 10, 3)
; call VWait()
; call DisplaySprite(h, 10, 10, 3)
; call VWait()
; call DisplaySprite(h, 11, 10, 3)
; call VWait()
; call DisplaySprite(h, 100, 100)
; call VWait()
; call SaveSnapshot("moved.png", 0, 1)
; call DisplayBrush(3, 98, 98)
; call VWait()
; call SaveSnapshot("under.png", 0, 1)
; call SaveSnapshot("underpic.png", 1, 1)
; call DisplaySprite(h, 0, 0, 4)
; print "frame range", GetLastError()
; call ScaleSprite(h, 16, 16)
; print "scale shown", GetLastError()
; call FlipSprite(h, 0)
; print "flip shown", GetLastError()
; call FlipSprite(1, 0)
; print "flip segment", GetLastError()
; call CopySprite(5, 5)
; print "copy onto itself", GetLastError()
; call CopySprite(h, 2)
; print "copy onto a segment", GetLastError()
; call RemoveSprite(2)
; print "not shown", GetLastError()
; call DisplaySprite(5, 200, 0, 0)
; call DisplaySprite(5, 200, 0, 0)
; call RemoveSprites(1)
; call VWait()
; call SaveSnapshot("kept.png", 1, 1)
; call DisplaySprite(5, 300, 0)
; call RemoveSprites()
; call VWait()
; call SaveSnapshot("gone.png", 0, 1)
; call ScaleSprite(5, "200%", 8)
; call DisplaySprite(5, 400, 0, 0)
; call VWait()
; call SaveSnapshot("scaled.png", 0, 1)
; call FreeSprite(1)
; call DisplaySprite(h, 0, 0)
; print "linked freed", GetLastError()
; call FreeSprite(7)
; print "free missing", GetLastError()
; call CreateDisplay(2, {width = 64, height = 48})
; call OpenDisplay(2)
; call SelectDisplay(1)
; call DisplaySprite(2, 20, 20)
; call SelectDisplay(2)
; call FreeSprite(2)
; call SelectDisplay(1)
; call DisplaySprite(3, 20, 20)
; call VWait()
; call SaveSnapshot("other.png", 0, 1)
; print "done"
.source "@sprite_commands.q"
  .maxstack 11
.lineno 1
  GETGLOBAL r0 "exitonerror"
  LOADBOOL r1 0 0
  CALL r0 2 2
.lineno 2
  GETGLOBAL r0 "createbrush"
  LOADK r1 #1
  LOADK r2 #8
  LOADK r3 #8
  LOADK r4 #16711680
  CALL r0 5 2
.lineno 3
  GETGLOBAL r0 "createbrush"
  LOADK r1 #2
  LOADK r2 #8
  LOADK r3 #8
  LOADK r4 #65280
  CALL r0 5 2
.lineno 4
  GETGLOBAL r0 "createbrush"
  LOADK r1 #3
  LOADK r2 #8
  LOADK r3 #8
  LOADK r4 #255
  CALL r0 5 2
.lineno 5
  GETGLOBAL r0 "createsprite"
  LOADK r1 #1
  LOADK r2 #3
  LOADK r3 #1
  CALL r0 4 2
.lineno 6
  GETGLOBAL r0 "createsprite"
  LOADK r1 #2
  LOADK r2 #3
  LOADK r3 #2
  CALL r0 4 2
.lineno 7
  GETGLOBAL r0 "createsprite"
  LOADK r1 #3
  LOADK r2 #3
  LOADK r3 #3
  CALL r0 4 2
.lineno 8
  GETGLOBAL r0 "createsprite"
  LOADNIL r1 r1
  LOADK r2 #32
  LOADK r3 #1
  LOADK r4 #2
  LOADK r5 #3
  CALL r0 6 2
  SETGLOBAL r0 "h"
.lineno 9
  GETGLOBAL r0 "createbrush"
  LOADK r1 #5
  LOADK r2 #24
  LOADK r3 #16
  LOADK r4 #16776960
  CALL r0 5 2
.lineno 10
  GETGLOBAL r0 "createsprite"
  LOADK r1 #5
  LOADK r2 #3
  LOADK r3 #5
  LOADK r4 #8
  LOADK r5 #8
  LOADK r6 #7
  LOADK r7 #3
  LOADK r8 #0
  LOADK r9 #0
  CALL r0 10 2
.lineno 11
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getlasterror"
  CALL r1 1 0
  CALL r0 0 2
.lineno 12
  GETGLOBAL r0 "createsprite"
  LOADK r1 #5
  LOADK r2 #3
  LOADK r3 #5
  LOADK r4 #8
  LOADK r5 #8
  LOADK r6 #3
  LOADK r7 #2
  LOADK r8 #0
  LOADK r9 #0
  CALL r0 10 2
.lineno 13
  GETGLOBAL r0 "vwait"
  CALL r0 1 2
.lineno 14
  GETGLOBAL r0 "displaysprite"
  GETGLOBAL r1 "h"
  LOADK r2 #10
  LOADK r3 #10
  LOADK r4 #3
  CALL r0 5 2
.lineno 15
  GETGLOBAL r0 "vwait"
  CALL r0 1 2
.lineno 16
  GETGLOBAL r0 "displaysprite"
  GETGLOBAL r1 "h"
  LOADK r2 #10
  LOADK r3 #10
  LOADK r4 #3
  CALL r0 5 2
.lineno 17
  GETGLOBAL r0 "vwait"
  CALL r0 1 2
.lineno 18
  GETGLOBAL r0 "displaysprite"
  GETGLOBAL r1 "h"
  LOADK r2 #11
  LOADK r3 #10
  LOADK r4 #3
  CALL r0 5 2
.lineno 19
  GETGLOBAL r0 "vwait"
  CALL r0 1 2
.lineno 20
  GETGLOBAL r0 "displaysprite"
  GETGLOBAL r1 "h"
  LOADK r2 #100
  LOADK r3 #100
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "vwait"
  CALL r0 1 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "moved.png"
  LOADK r2 #0
  LOADK r3 #1
  CALL r0 4 2
.lineno 23
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #3
  LOADK r2 #98
  LOADK r3 #98
  CALL r0 4 2
.lineno 24
  GETGLOBAL r0 "vwait"
  CALL r0 1 2
.lineno 25
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "under.png"
  LOADK r2 #0
  LOADK r3 #1
  CALL r0 4 2
.lineno 26
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "underpic.png"
  LOADK r2 #1
  LOADK r3 #1
  CALL r0 4 2
.lineno 27
  GETGLOBAL r0 "displaysprite"
  GETGLOBAL r1 "h"
  LOADK r2 #0
  LOADK r3 #0
  LOADK r4 #4
  CALL r0 5 2
.lineno 28
  GETGLOBAL r0 "debugprint"
  LOADK r1 "frame range"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 2
.lineno 29
  GETGLOBAL r0 "scalesprite"
  GETGLOBAL r1 "h"
  LOADK r2 #16
  LOADK r3 #16
  CALL r0 4 2
.lineno 30
  GETGLOBAL r0 "debugprint"
  LOADK r1 "scale shown"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 2
.lineno 31
  GETGLOBAL r0 "flipsprite"
  GETGLOBAL r1 "h"
  LOADK r2 #0
  CALL r0 3 2
.lineno 32
  GETGLOBAL r0 "debugprint"
  LOADK r1 "flip shown"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 2
.lineno 33
  GETGLOBAL r0 "flipsprite"
  LOADK r1 #1
  LOADK r2 #0
  CALL r0 3 2
.lineno 34
  GETGLOBAL r0 "debugprint"
  LOADK r1 "flip segment"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 2
.lineno 35
  GETGLOBAL r0 "copysprite"
  LOADK r1 #5
  LOADK r2 #5
  CALL r0 3 2
.lineno 36
  GETGLOBAL r0 "debugprint"
  LOADK r1 "copy onto itself"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 2
.lineno 37
  GETGLOBAL r0 "copysprite"
  GETGLOBAL r1 "h"
  LOADK r2 #2
  CALL r0 3 2
.lineno 38
  GETGLOBAL r0 "debugprint"
  LOADK r1 "copy onto a segment"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 2
.lineno 39
  GETGLOBAL r0 "removesprite"
  LOADK r1 #2
  CALL r0 2 2
.lineno 40
  GETGLOBAL r0 "debugprint"
  LOADK r1 "not shown"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 2
.lineno 41
  GETGLOBAL r0 "displaysprite"
  LOADK r1 #5
  LOADK r2 #200
  LOADK r3 #0
  LOADK r4 #0
  CALL r0 5 2
.lineno 42
  GETGLOBAL r0 "displaysprite"
  LOADK r1 #5
  LOADK r2 #200
  LOADK r3 #0
  LOADK r4 #0
  CALL r0 5 2
.lineno 43
  GETGLOBAL r0 "removesprites"
  LOADK r1 #1
  CALL r0 2 2
.lineno 44
  GETGLOBAL r0 "vwait"
  CALL r0 1 2
.lineno 45
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "kept.png"
  LOADK r2 #1
  LOADK r3 #1
  CALL r0 4 2
.lineno 46
  GETGLOBAL r0 "displaysprite"
  LOADK r1 #5
  LOADK r2 #300
  LOADK r3 #0
  CALL r0 4 2
.lineno 47
  GETGLOBAL r0 "removesprites"
  CALL r0 1 2
.lineno 48
  GETGLOBAL r0 "vwait"
  CALL r0 1 2
.lineno 49
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "gone.png"
  LOADK r2 #0
  LOADK r3 #1
  CALL r0 4 2
.lineno 50
  GETGLOBAL r0 "scalesprite"
  LOADK r1 #5
  LOADK r2 "200%"
  LOADK r3 #8
  CALL r0 4 2
.lineno 51
  GETGLOBAL r0 "displaysprite"
  LOADK r1 #5
  LOADK r2 #400
  LOADK r3 #0
  LOADK r4 #0
  CALL r0 5 2
.lineno 52
  GETGLOBAL r0 "vwait"
  CALL r0 1 2
.lineno 53
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "scaled.png"
  LOADK r2 #0
  LOADK r3 #1
  CALL r0 4 2
.lineno 54
  GETGLOBAL r0 "freesprite"
  LOADK r1 #1
  CALL r0 2 2
.lineno 55
  GETGLOBAL r0 "displaysprite"
  GETGLOBAL r1 "h"
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 56
  GETGLOBAL r0 "debugprint"
  LOADK r1 "linked freed"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 2
.lineno 57
  GETGLOBAL r0 "freesprite"
  LOADK r1 #7
  CALL r0 2 2
.lineno 58
  GETGLOBAL r0 "debugprint"
  LOADK r1 "free missing"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 2
.lineno 59
  GETGLOBAL r0 "createdisplay"
  LOADK r1 #2
  NEWTABLE r2 0 4
  LOADK r3 #64
  SETTABLE r2 "width" r3
  LOADK r3 #48
  SETTABLE r2 "height" r3
  CALL r0 3 2
.lineno 60
  GETGLOBAL r0 "opendisplay"
  LOADK r1 #2
  CALL r0 2 2
.lineno 61
  GETGLOBAL r0 "selectdisplay"
  LOADK r1 #1
  CALL r0 2 2
.lineno 62
  GETGLOBAL r0 "displaysprite"
  LOADK r1 #2
  LOADK r2 #20
  LOADK r3 #20
  CALL r0 4 2
.lineno 63
  GETGLOBAL r0 "selectdisplay"
  LOADK r1 #2
  CALL r0 2 2
.lineno 64
  GETGLOBAL r0 "freesprite"
  LOADK r1 #2
  CALL r0 2 2
.lineno 65
  GETGLOBAL r0 "selectdisplay"
  LOADK r1 #1
  CALL r0 2 2
.lineno 66
  GETGLOBAL r0 "displaysprite"
  LOADK r1 #3
  LOADK r2 #20
  LOADK r3 #20
  CALL r0 4 2
.lineno 67
  GETGLOBAL r0 "vwait"
  CALL r0 1 2
.lineno 68
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "other.png"
  LOADK r2 #0
  LOADK r3 #1
  CALL r0 4 2
.lineno 69
  GETGLOBAL r0 "debugprint"
  LOADK r1 "done"
  CALL r0 2 2
  RETURN r0 1
