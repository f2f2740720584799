; label: layers
; Move lists through the player: the 513th entry, lists under automatic ids, one refresh for overlapping areas (the recorder), new layers for unshown brushes, and the errors.
; call ExitOnError(false)
; call EnableLayers()
; call CreateBrush(1, 16, 16, $FF0000)
; call CreateBrush(2, 16, 16, $00FF00)
; call CreateBrush(3, 16, 16, $0000FF)
; for i = 1, 513 do
; call AddMove(1, 24, 1, i, 0, 0)
; end
; print "513th", GetLastError()
; call DoMove(1)
; print "inserted", GetAttribute(22, 1, 6), GetAttribute(22, 512, 7), GetAttribute(22, 1, 7)
; call ClearMove(1)
; call DoMove(1)
; print "cleared", GetLastError()
; h = AddMove(nil, 22, 1, 5, 5)
; call DoMove(h)
; print "automatic", GetLastError(), GetAttribute(22, 1, 7)
; call ClearMove(h)
; call DoMove(h)
; print "automatic cleared", GetLastError()
; call CreateBGPic(2, 100, 50, $000000)
; call DisplayBGPic(2)
; call VWait()
; call AddMove(4, 3, 1, 0, 0)
; call AddMove(4, 3, 2, 10, 0)
; call DoMove(4)
; call VWait()
; call AddMove(5, 22, 1, 4, 0)
; call AddMove(5, 22, 2, 14, 0, 1)
; call DoMove(5)
; call VWait()
; print "moved", GetAttribute(22, 1, 7), GetAttribute(22, 2, 7), GetAttribute(22, 2, 10)
; call DoMove(4)
; call VWait()
; print "found", GetAttribute(22, 1, 7), GetAttribute(22, 2, 7), GetAttribute(22, 2, 10)
; call AddMove(6, 23, 3, 0, 0)
; call DoMove(6)
; print "hide unshown", GetLastError()
; call AddMove(7, 26, 1, 0, 0)
; call AddMove(7, 10, 3, 2, 1)
; call DoMove(7)
; print "removed", GetAttribute(22, 1, 9), GetLastError()
; call AddMove(8, 22, 9, 0, 0)
; call DoMove(8)
; print "no layer", GetLastError()
; call DisableLayers()
; call DoMove(4)
; print "layers off", GetLastError()
.source "@movelist_commands.q"
  .maxstack 48
.lineno 1
  GETGLOBAL r0 "exitonerror"
  LOADBOOL r1 0 0
  CALL r0 2 2
.lineno 2
  GETGLOBAL r0 "enablelayers"
  CALL r0 1 2
.lineno 3
  GETGLOBAL r0 "createbrush"
  LOADK r1 #1
  LOADK r2 #16
  LOADK r3 #16
  LOADK r4 #16711680
  CALL r0 5 2
.lineno 4
  GETGLOBAL r0 "createbrush"
  LOADK r1 #2
  LOADK r2 #16
  LOADK r3 #16
  LOADK r4 #65280
  CALL r0 5 2
.lineno 5
  GETGLOBAL r0 "createbrush"
  LOADK r1 #3
  LOADK r2 #16
  LOADK r3 #16
  LOADK r4 #255
  CALL r0 5 2
.lineno 6
  LOADK r20 #1
  LOADK r21 #513
  LOADK r22 #1
  SUB r20 r20 r22
  JMP @L1
L2:
  SETGLOBAL r20 "i"
.lineno 7
  GETGLOBAL r24 "addmove"
  LOADK r25 #1
  LOADK r26 #24
  LOADK r27 #1
  GETGLOBAL r28 "i"
  LOADK r29 #0
  LOADK r30 #0
  CALL r24 7 2
.lineno 8
L1:
  FORLOOP r20 @L2
.lineno 9
  GETGLOBAL r0 "debugprint"
  LOADK r1 "513th"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 2
.lineno 10
  GETGLOBAL r0 "domove"
  LOADK r1 #1
  CALL r0 2 2
.lineno 11
  GETGLOBAL r0 "debugprint"
  LOADK r1 "inserted"
  GETGLOBAL r2 "getattribute"
  LOADK r3 #22
  LOADK r4 #1
  LOADK r5 #6
  CALL r2 4 2
  GETGLOBAL r3 "getattribute"
  LOADK r4 #22
  LOADK r5 #512
  LOADK r6 #7
  CALL r3 4 2
  GETGLOBAL r4 "getattribute"
  LOADK r5 #22
  LOADK r6 #1
  LOADK r7 #7
  CALL r4 4 0
  CALL r0 0 2
.lineno 12
  GETGLOBAL r0 "clearmove"
  LOADK r1 #1
  CALL r0 2 2
.lineno 13
  GETGLOBAL r0 "domove"
  LOADK r1 #1
  CALL r0 2 2
.lineno 14
  GETGLOBAL r0 "debugprint"
  LOADK r1 "cleared"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 2
.lineno 15
  GETGLOBAL r0 "addmove"
  LOADNIL r1 r1
  LOADK r2 #22
  LOADK r3 #1
  LOADK r4 #5
  LOADK r5 #5
  CALL r0 6 2
  SETGLOBAL r0 "h"
.lineno 16
  GETGLOBAL r0 "domove"
  GETGLOBAL r1 "h"
  CALL r0 2 2
.lineno 17
  GETGLOBAL r0 "debugprint"
  LOADK r1 "automatic"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 2
  GETGLOBAL r3 "getattribute"
  LOADK r4 #22
  LOADK r5 #1
  LOADK r6 #7
  CALL r3 4 0
  CALL r0 0 2
.lineno 18
  GETGLOBAL r0 "clearmove"
  GETGLOBAL r1 "h"
  CALL r0 2 2
.lineno 19
  GETGLOBAL r0 "domove"
  GETGLOBAL r1 "h"
  CALL r0 2 2
.lineno 20
  GETGLOBAL r0 "debugprint"
  LOADK r1 "automatic cleared"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 2
.lineno 21
  GETGLOBAL r0 "createbgpic"
  LOADK r1 #2
  LOADK r2 #100
  LOADK r3 #50
  LOADK r4 #0
  CALL r0 5 2
.lineno 22
  GETGLOBAL r0 "displaybgpic"
  LOADK r1 #2
  CALL r0 2 2
.lineno 23
  GETGLOBAL r0 "vwait"
  CALL r0 1 2
.lineno 24
  GETGLOBAL r0 "addmove"
  LOADK r1 #4
  LOADK r2 #3
  LOADK r3 #1
  LOADK r4 #0
  LOADK r5 #0
  CALL r0 6 2
.lineno 25
  GETGLOBAL r0 "addmove"
  LOADK r1 #4
  LOADK r2 #3
  LOADK r3 #2
  LOADK r4 #10
  LOADK r5 #0
  CALL r0 6 2
.lineno 26
  GETGLOBAL r0 "domove"
  LOADK r1 #4
  CALL r0 2 2
.lineno 27
  GETGLOBAL r0 "vwait"
  CALL r0 1 2
.lineno 28
  GETGLOBAL r0 "addmove"
  LOADK r1 #5
  LOADK r2 #22
  LOADK r3 #1
  LOADK r4 #4
  LOADK r5 #0
  CALL r0 6 2
.lineno 29
  GETGLOBAL r0 "addmove"
  LOADK r1 #5
  LOADK r2 #22
  LOADK r3 #2
  LOADK r4 #14
  LOADK r5 #0
  LOADK r6 #1
  CALL r0 7 2
.lineno 30
  GETGLOBAL r0 "domove"
  LOADK r1 #5
  CALL r0 2 2
.lineno 31
  GETGLOBAL r0 "vwait"
  CALL r0 1 2
.lineno 32
  GETGLOBAL r0 "debugprint"
  LOADK r1 "moved"
  GETGLOBAL r2 "getattribute"
  LOADK r3 #22
  LOADK r4 #1
  LOADK r5 #7
  CALL r2 4 2
  GETGLOBAL r3 "getattribute"
  LOADK r4 #22
  LOADK r5 #2
  LOADK r6 #7
  CALL r3 4 2
  GETGLOBAL r4 "getattribute"
  LOADK r5 #22
  LOADK r6 #2
  LOADK r7 #10
  CALL r4 4 0
  CALL r0 0 2
.lineno 33
  GETGLOBAL r0 "domove"
  LOADK r1 #4
  CALL r0 2 2
.lineno 34
  GETGLOBAL r0 "vwait"
  CALL r0 1 2
.lineno 35
  GETGLOBAL r0 "debugprint"
  LOADK r1 "found"
  GETGLOBAL r2 "getattribute"
  LOADK r3 #22
  LOADK r4 #1
  LOADK r5 #7
  CALL r2 4 2
  GETGLOBAL r3 "getattribute"
  LOADK r4 #22
  LOADK r5 #2
  LOADK r6 #7
  CALL r3 4 2
  GETGLOBAL r4 "getattribute"
  LOADK r5 #22
  LOADK r6 #2
  LOADK r7 #10
  CALL r4 4 0
  CALL r0 0 2
.lineno 36
  GETGLOBAL r0 "addmove"
  LOADK r1 #6
  LOADK r2 #23
  LOADK r3 #3
  LOADK r4 #0
  LOADK r5 #0
  CALL r0 6 2
.lineno 37
  GETGLOBAL r0 "domove"
  LOADK r1 #6
  CALL r0 2 2
.lineno 38
  GETGLOBAL r0 "debugprint"
  LOADK r1 "hide unshown"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 2
.lineno 39
  GETGLOBAL r0 "addmove"
  LOADK r1 #7
  LOADK r2 #26
  LOADK r3 #1
  LOADK r4 #0
  LOADK r5 #0
  CALL r0 6 2
.lineno 40
  GETGLOBAL r0 "addmove"
  LOADK r1 #7
  LOADK r2 #10
  LOADK r3 #3
  LOADK r4 #2
  LOADK r5 #1
  CALL r0 6 2
.lineno 41
  GETGLOBAL r0 "domove"
  LOADK r1 #7
  CALL r0 2 2
.lineno 42
  GETGLOBAL r0 "debugprint"
  LOADK r1 "removed"
  GETGLOBAL r2 "getattribute"
  LOADK r3 #22
  LOADK r4 #1
  LOADK r5 #9
  CALL r2 4 2
  GETGLOBAL r3 "getlasterror"
  CALL r3 1 0
  CALL r0 0 2
.lineno 43
  GETGLOBAL r0 "addmove"
  LOADK r1 #8
  LOADK r2 #22
  LOADK r3 #9
  LOADK r4 #0
  LOADK r5 #0
  CALL r0 6 2
.lineno 44
  GETGLOBAL r0 "domove"
  LOADK r1 #8
  CALL r0 2 2
.lineno 45
  GETGLOBAL r0 "debugprint"
  LOADK r1 "no layer"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 2
.lineno 46
  GETGLOBAL r0 "disablelayers"
  CALL r0 1 2
.lineno 47
  GETGLOBAL r0 "domove"
  LOADK r1 #4
  CALL r0 2 2
.lineno 48
  GETGLOBAL r0 "debugprint"
  LOADK r1 "layers off"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 2
  RETURN r0 1
