; label: anim
; Anims with layers on: PlayAnim inserts one layer and steps its frame; FreeAnim of a shown anim keeps the layer and frees the id at once; ModifyAnimFrames and ScaleAnim of a shown anim leave the layer its own copy; ScaleAnim of a disk anim only records the size; the refusals of ModifyAnimFrames and SetAnimFrameDelay; SelectAnim draws into a frame that DisplayAnimFrame then shows.
; call ExitOnError(false)
; call EnableLayers()
; call LoadAnim(1, "strip.png", {width = 16, height = 16, frames = 4})
; call PlayAnim(1, 10, 10, -2, 1)
; print "layers", GetAttribute(22, 1, 6), GetAttribute(22, 1, 11), GetAttribute(22, 1, 12)
; call FreeAnim(1)
; print "free shown", GetLastError(), GetAttribute(4, 0, 60)
; call GetAttribute(4, 1, 0)
; print "id free", GetLastError()
; call CreateBrush(2, 16, 16, $FF00FF)
; call CreateAnim(1, 2, 16, 16, 1, 1)
; call DisplayAnimFrame(1, 40, 10, 1)
; print "new anim of the id", GetAttribute(4, 1, 11), GetAttribute(22, 1, 6)
; call SaveSnapshot("freed.png", 0, 1)
; call LoadAnim(3, "strip.png", {width = 16, height = 16, frames = 4})
; call DisplayAnimFrame(3, 70, 10, 2)
; call ModifyAnimFrames(3, 2)
; print "modified", GetAttribute(4, 3, 11), GetAttribute(22, 3, 11), GetAttribute(22, 3, 12)
; call ScaleAnim(3, 16, 16)
; print "same size", GetAttribute(4, 3, 0), GetAttribute(4, 0, 60)
; call ScaleAnim(3, "50%", "50%")
; print "half", GetAttribute(4, 3, 0), GetAttribute(4, 3, 1), GetAttribute(22, 3, 0)
; call GetAnimFrame(4, 2, 3)
; print "frame as brush", GetAttribute(3, 4, 0)
; call DisplayBrush(4, 100, 10)
; call SaveSnapshot("scaled.png", 0, 1)
; h = LoadAnim(nil, "mjpeg.avi", {fromdisk = true})
; call ScaleAnim(h, "50%", 6)
; print "disk scaled", GetAttribute(4, h, 0), GetAttribute(4, h, 1)
; call GetAnimFrame(5, 2, h)
; print "disk frame", GetAttribute(3, 5, 0), GetAttribute(3, 5, 1)
; call CopyAnim(h, 6)
; call FreeAnim(h)
; call GetAnimFrame(7, 5, 6)
; print "copy of a disk anim", GetAttribute(4, 6, 0), GetAttribute(4, 6, 11), GetAttribute(3, 7, 0), GetLastError()
; call CopyAnim(6, 6)
; print "copy onto itself", GetLastError()
; call ModifyAnimFrames(6, 1)
; print "modify disk", GetLastError()
; call ModifyAnimFrames(3, 1, 7)
; print "position past the frames", GetLastError()
; call ModifyAnimFrames(3, -6)
; print "remove all", GetLastError()
; call ModifyAnimFrames(3, -3, 5)
; print "remove past the end", GetLastError()
; call ModifyAnimFrames(3, 0)
; print "count 0", GetLastError()
; call ModifyAnimFrames(3, -2, 1)
; print "removed", GetAttribute(4, 3, 11)
; call ModifyAnimFrames(3, 2147483647)
; print "huge insert", GetLastError()
; call ScaleAnim(3, 60000, 60000)
; print "huge scale", GetLastError(), GetAttribute(4, 3, 0)
; call SetAnimFrameDelay(3, 1, -1)
; print "negative delay", GetLastError()
; call SetAnimFrameDelay(3, 1, 40)
; call SetAnimFrameDelay(3, 9, 40)
; print "delay past the frames", GetLastError()
; print "delay", GetAttribute(4, 3, 37, 1)
; call SelectAnim(3, 2)
; call Box(0, 0, 4, 4, $FF0000)
; call EndSelect()
; call DisplayAnimFrame(3, 130, 10, 2)
; call SaveSnapshot("selected.png", 0, 1)
; call FreeAnim(3)
; print "done", GetLastError(), GetAttribute(22, 1, 6)
; call SelectLayer(1)
; call Box(0, 0, 4, 4, $00FFFF)
; call EndSelect()
; print "drawn into an anim layer", GetLastError(), GetAttribute(22, 1, 9)
; call SaveSnapshot("layer.png", 0, 1)
.source "@anim_layers.q"
  .maxstack 9
.lineno 1
  GETGLOBAL r0 "exitonerror"
  LOADBOOL r1 0 0
  CALL r0 2 2
.lineno 2
  GETGLOBAL r0 "enablelayers"
  CALL r0 1 2
.lineno 3
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
.lineno 4
  GETGLOBAL r0 "playanim"
  LOADK r1 #1
  LOADK r2 #10
  LOADK r3 #10
  LOADK r4 #-2
  LOADK r5 #1
  CALL r0 6 2
.lineno 5
  GETGLOBAL r0 "debugprint"
  LOADK r1 "layers"
  GETGLOBAL r2 "getattribute"
  LOADK r3 #22
  LOADK r4 #1
  LOADK r5 #6
  CALL r2 4 2
  GETGLOBAL r3 "getattribute"
  LOADK r4 #22
  LOADK r5 #1
  LOADK r6 #11
  CALL r3 4 2
  GETGLOBAL r4 "getattribute"
  LOADK r5 #22
  LOADK r6 #1
  LOADK r7 #12
  CALL r4 4 0
  CALL r0 0 2
.lineno 6
  GETGLOBAL r0 "freeanim"
  LOADK r1 #1
  CALL r0 2 2
.lineno 7
  GETGLOBAL r0 "debugprint"
  LOADK r1 "free shown"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 2
  GETGLOBAL r3 "getattribute"
  LOADK r4 #4
  LOADK r5 #0
  LOADK r6 #60
  CALL r3 4 0
  CALL r0 0 2
.lineno 8
  GETGLOBAL r0 "getattribute"
  LOADK r1 #4
  LOADK r2 #1
  LOADK r3 #0
  CALL r0 4 2
.lineno 9
  GETGLOBAL r0 "debugprint"
  LOADK r1 "id free"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 2
.lineno 10
  GETGLOBAL r0 "createbrush"
  LOADK r1 #2
  LOADK r2 #16
  LOADK r3 #16
  LOADK r4 #16711935
  CALL r0 5 2
.lineno 11
  GETGLOBAL r0 "createanim"
  LOADK r1 #1
  LOADK r2 #2
  LOADK r3 #16
  LOADK r4 #16
  LOADK r5 #1
  LOADK r6 #1
  CALL r0 7 2
.lineno 12
  GETGLOBAL r0 "displayanimframe"
  LOADK r1 #1
  LOADK r2 #40
  LOADK r3 #10
  LOADK r4 #1
  CALL r0 5 2
.lineno 13
  GETGLOBAL r0 "debugprint"
  LOADK r1 "new anim of the id"
  GETGLOBAL r2 "getattribute"
  LOADK r3 #4
  LOADK r4 #1
  LOADK r5 #11
  CALL r2 4 2
  GETGLOBAL r3 "getattribute"
  LOADK r4 #22
  LOADK r5 #1
  LOADK r6 #6
  CALL r3 4 0
  CALL r0 0 2
.lineno 14
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "freed.png"
  LOADK r2 #0
  LOADK r3 #1
  CALL r0 4 2
.lineno 15
  GETGLOBAL r0 "loadanim"
  LOADK r1 #3
  LOADK r2 "strip.png"
  NEWTABLE r3 0 4
  LOADK r4 #16
  SETTABLE r3 "width" r4
  LOADK r4 #16
  SETTABLE r3 "height" r4
  LOADK r4 #4
  SETTABLE r3 "frames" r4
  CALL r0 4 2
.lineno 16
  GETGLOBAL r0 "displayanimframe"
  LOADK r1 #3
  LOADK r2 #70
  LOADK r3 #10
  LOADK r4 #2
  CALL r0 5 2
.lineno 17
  GETGLOBAL r0 "modifyanimframes"
  LOADK r1 #3
  LOADK r2 #2
  CALL r0 3 2
.lineno 18
  GETGLOBAL r0 "debugprint"
  LOADK r1 "modified"
  GETGLOBAL r2 "getattribute"
  LOADK r3 #4
  LOADK r4 #3
  LOADK r5 #11
  CALL r2 4 2
  GETGLOBAL r3 "getattribute"
  LOADK r4 #22
  LOADK r5 #3
  LOADK r6 #11
  CALL r3 4 2
  GETGLOBAL r4 "getattribute"
  LOADK r5 #22
  LOADK r6 #3
  LOADK r7 #12
  CALL r4 4 0
  CALL r0 0 2
.lineno 19
  GETGLOBAL r0 "scaleanim"
  LOADK r1 #3
  LOADK r2 #16
  LOADK r3 #16
  CALL r0 4 2
.lineno 20
  GETGLOBAL r0 "debugprint"
  LOADK r1 "same size"
  GETGLOBAL r2 "getattribute"
  LOADK r3 #4
  LOADK r4 #3
  LOADK r5 #0
  CALL r2 4 2
  GETGLOBAL r3 "getattribute"
  LOADK r4 #4
  LOADK r5 #0
  LOADK r6 #60
  CALL r3 4 0
  CALL r0 0 2
.lineno 21
  GETGLOBAL r0 "scaleanim"
  LOADK r1 #3
  LOADK r2 "50%"
  LOADK r3 "50%"
  CALL r0 4 2
.lineno 22
  GETGLOBAL r0 "debugprint"
  LOADK r1 "half"
  GETGLOBAL r2 "getattribute"
  LOADK r3 #4
  LOADK r4 #3
  LOADK r5 #0
  CALL r2 4 2
  GETGLOBAL r3 "getattribute"
  LOADK r4 #4
  LOADK r5 #3
  LOADK r6 #1
  CALL r3 4 2
  GETGLOBAL r4 "getattribute"
  LOADK r5 #22
  LOADK r6 #3
  LOADK r7 #0
  CALL r4 4 0
  CALL r0 0 2
.lineno 23
  GETGLOBAL r0 "getanimframe"
  LOADK r1 #4
  LOADK r2 #2
  LOADK r3 #3
  CALL r0 4 2
.lineno 24
  GETGLOBAL r0 "debugprint"
  LOADK r1 "frame as brush"
  GETGLOBAL r2 "getattribute"
  LOADK r3 #3
  LOADK r4 #4
  LOADK r5 #0
  CALL r2 4 0
  CALL r0 0 2
.lineno 25
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #4
  LOADK r2 #100
  LOADK r3 #10
  CALL r0 4 2
.lineno 26
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "scaled.png"
  LOADK r2 #0
  LOADK r3 #1
  CALL r0 4 2
.lineno 27
  GETGLOBAL r0 "loadanim"
  LOADNIL r1 r1
  LOADK r2 "mjpeg.avi"
  NEWTABLE r3 0 4
  LOADBOOL r4 1 0
  SETTABLE r3 "fromdisk" r4
  CALL r0 4 2
  SETGLOBAL r0 "h"
.lineno 28
  GETGLOBAL r0 "scaleanim"
  GETGLOBAL r1 "h"
  LOADK r2 "50%"
  LOADK r3 #6
  CALL r0 4 2
.lineno 29
  GETGLOBAL r0 "debugprint"
  LOADK r1 "disk scaled"
  GETGLOBAL r2 "getattribute"
  LOADK r3 #4
  GETGLOBAL r4 "h"
  LOADK r5 #0
  CALL r2 4 2
  GETGLOBAL r3 "getattribute"
  LOADK r4 #4
  GETGLOBAL r5 "h"
  LOADK r6 #1
  CALL r3 4 0
  CALL r0 0 2
.lineno 30
  GETGLOBAL r0 "getanimframe"
  LOADK r1 #5
  LOADK r2 #2
  GETGLOBAL r3 "h"
  CALL r0 4 2
.lineno 31
  GETGLOBAL r0 "debugprint"
  LOADK r1 "disk frame"
  GETGLOBAL r2 "getattribute"
  LOADK r3 #3
  LOADK r4 #5
  LOADK r5 #0
  CALL r2 4 2
  GETGLOBAL r3 "getattribute"
  LOADK r4 #3
  LOADK r5 #5
  LOADK r6 #1
  CALL r3 4 0
  CALL r0 0 2
.lineno 32
  GETGLOBAL r0 "copyanim"
  GETGLOBAL r1 "h"
  LOADK r2 #6
  CALL r0 3 2
.lineno 33
  GETGLOBAL r0 "freeanim"
  GETGLOBAL r1 "h"
  CALL r0 2 2
.lineno 34
  GETGLOBAL r0 "getanimframe"
  LOADK r1 #7
  LOADK r2 #5
  LOADK r3 #6
  CALL r0 4 2
.lineno 35
  GETGLOBAL r0 "debugprint"
  LOADK r1 "copy of a disk anim"
  GETGLOBAL r2 "getattribute"
  LOADK r3 #4
  LOADK r4 #6
  LOADK r5 #0
  CALL r2 4 2
  GETGLOBAL r3 "getattribute"
  LOADK r4 #4
  LOADK r5 #6
  LOADK r6 #11
  CALL r3 4 2
  GETGLOBAL r4 "getattribute"
  LOADK r5 #3
  LOADK r6 #7
  LOADK r7 #0
  CALL r4 4 2
  GETGLOBAL r5 "getlasterror"
  CALL r5 1 0
  CALL r0 0 2
.lineno 36
  GETGLOBAL r0 "copyanim"
  LOADK r1 #6
  LOADK r2 #6
  CALL r0 3 2
.lineno 37
  GETGLOBAL r0 "debugprint"
  LOADK r1 "copy onto itself"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 2
.lineno 38
  GETGLOBAL r0 "modifyanimframes"
  LOADK r1 #6
  LOADK r2 #1
  CALL r0 3 2
.lineno 39
  GETGLOBAL r0 "debugprint"
  LOADK r1 "modify disk"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 2
.lineno 40
  GETGLOBAL r0 "modifyanimframes"
  LOADK r1 #3
  LOADK r2 #1
  LOADK r3 #7
  CALL r0 4 2
.lineno 41
  GETGLOBAL r0 "debugprint"
  LOADK r1 "position past the frames"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 2
.lineno 42
  GETGLOBAL r0 "modifyanimframes"
  LOADK r1 #3
  LOADK r2 #-6
  CALL r0 3 2
.lineno 43
  GETGLOBAL r0 "debugprint"
  LOADK r1 "remove all"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 2
.lineno 44
  GETGLOBAL r0 "modifyanimframes"
  LOADK r1 #3
  LOADK r2 #-3
  LOADK r3 #5
  CALL r0 4 2
.lineno 45
  GETGLOBAL r0 "debugprint"
  LOADK r1 "remove past the end"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 2
.lineno 46
  GETGLOBAL r0 "modifyanimframes"
  LOADK r1 #3
  LOADK r2 #0
  CALL r0 3 2
.lineno 47
  GETGLOBAL r0 "debugprint"
  LOADK r1 "count 0"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 2
.lineno 48
  GETGLOBAL r0 "modifyanimframes"
  LOADK r1 #3
  LOADK r2 #-2
  LOADK r3 #1
  CALL r0 4 2
.lineno 49
  GETGLOBAL r0 "debugprint"
  LOADK r1 "removed"
  GETGLOBAL r2 "getattribute"
  LOADK r3 #4
  LOADK r4 #3
  LOADK r5 #11
  CALL r2 4 0
  CALL r0 0 2
.lineno 50
  GETGLOBAL r0 "modifyanimframes"
  LOADK r1 #3
  LOADK r2 #2147483647
  CALL r0 3 2
.lineno 51
  GETGLOBAL r0 "debugprint"
  LOADK r1 "huge insert"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 2
.lineno 52
  GETGLOBAL r0 "scaleanim"
  LOADK r1 #3
  LOADK r2 #60000
  LOADK r3 #60000
  CALL r0 4 2
.lineno 53
  GETGLOBAL r0 "debugprint"
  LOADK r1 "huge scale"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 2
  GETGLOBAL r3 "getattribute"
  LOADK r4 #4
  LOADK r5 #3
  LOADK r6 #0
  CALL r3 4 0
  CALL r0 0 2
.lineno 54
  GETGLOBAL r0 "setanimframedelay"
  LOADK r1 #3
  LOADK r2 #1
  LOADK r3 #-1
  CALL r0 4 2
.lineno 55
  GETGLOBAL r0 "debugprint"
  LOADK r1 "negative delay"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 2
.lineno 56
  GETGLOBAL r0 "setanimframedelay"
  LOADK r1 #3
  LOADK r2 #1
  LOADK r3 #40
  CALL r0 4 2
.lineno 57
  GETGLOBAL r0 "setanimframedelay"
  LOADK r1 #3
  LOADK r2 #9
  LOADK r3 #40
  CALL r0 4 2
.lineno 58
  GETGLOBAL r0 "debugprint"
  LOADK r1 "delay past the frames"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 2
.lineno 59
  GETGLOBAL r0 "debugprint"
  LOADK r1 "delay"
  GETGLOBAL r2 "getattribute"
  LOADK r3 #4
  LOADK r4 #3
  LOADK r5 #37
  LOADK r6 #1
  CALL r2 5 0
  CALL r0 0 2
.lineno 60
  GETGLOBAL r0 "selectanim"
  LOADK r1 #3
  LOADK r2 #2
  CALL r0 3 2
.lineno 61
  GETGLOBAL r0 "box"
  LOADK r1 #0
  LOADK r2 #0
  LOADK r3 #4
  LOADK r4 #4
  LOADK r5 #16711680
  CALL r0 6 2
.lineno 62
  GETGLOBAL r0 "endselect"
  CALL r0 1 2
.lineno 63
  GETGLOBAL r0 "displayanimframe"
  LOADK r1 #3
  LOADK r2 #130
  LOADK r3 #10
  LOADK r4 #2
  CALL r0 5 2
.lineno 64
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "selected.png"
  LOADK r2 #0
  LOADK r3 #1
  CALL r0 4 2
.lineno 65
  GETGLOBAL r0 "freeanim"
  LOADK r1 #3
  CALL r0 2 2
.lineno 66
  GETGLOBAL r0 "debugprint"
  LOADK r1 "done"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 2
  GETGLOBAL r3 "getattribute"
  LOADK r4 #22
  LOADK r5 #1
  LOADK r6 #6
  CALL r3 4 0
  CALL r0 0 2
.lineno 67
  GETGLOBAL r0 "selectlayer"
  LOADK r1 #1
  CALL r0 2 2
.lineno 68
  GETGLOBAL r0 "box"
  LOADK r1 #0
  LOADK r2 #0
  LOADK r3 #4
  LOADK r4 #4
  LOADK r5 #65535
  CALL r0 6 2
.lineno 69
  GETGLOBAL r0 "endselect"
  CALL r0 1 2
.lineno 70
  GETGLOBAL r0 "debugprint"
  LOADK r1 "drawn into an anim layer"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 2
  GETGLOBAL r3 "getattribute"
  LOADK r4 #22
  LOADK r5 #1
  LOADK r6 #9
  CALL r3 4 0
  CALL r0 0 2
.lineno 71
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "layer.png"
  LOADK r2 #0
  LOADK r3 #1
  CALL r0 4 2
  RETURN r0 1
