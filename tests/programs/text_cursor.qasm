; label: text.cursor
; The cursor, margins and tab stops of the display, read through GetAttribute DISPLAY (21):
; 21 cursor x, 22 cursor y, 52 left margin, 53 right margin. quill is 8 pixels a character.
; call ExitOnError(false)
; function show(label)
; print label, GetAttribute(21, 0, 21), GetAttribute(21, 0, 22), GetAttribute(21, 0, 52), GetAttribute(21, 0, 53)
; end
; call show("start")
; call SetMargins(20, 300)
; call show("margins")
; call Locate(100, 50)
; call show("locate")
; -- Outside the margins x falls back to the left margin; y is taken as it stands.
; call Locate(5, -40)
; call show("left of them")
; call Locate(301, 7)
; call show("right of them")
; -- Coordinate constants are refused.
; call Locate(-100000, 5)
; print "center x", GetLastError()
; call Locate(5, -60000)
; print "bottom y", GetLastError()
; -- Left must lie below right; the right margin stops at the output's last column, and a left
; -- margin past that leaves no line area.
; call SetMargins(50, 50)
; print "equal", GetLastError()
; call SetMargins(700, 800)
; print "past the edge", GetLastError()
; call show("unchanged")
; call SetMargins(-10, 10000)
; call show("clamped")
; -- Tab stops go in ascending; a tab past the last stop starts a new line.
; call AddTab(30, 10, 20)
; call Print("\ta")
; call show("tab 1")
; call Print("\tb")
; call show("tab 2")
; call Print("\tc")
; call show("tab 3")
; call Print("\td")
; call show("past the stops")
; call ResetTabs()
; call Print("\te")
; call show("no stops")
; -- A negative stop fails, keeping the stops before it in the same call.
; call AddTab(5, -1, 9)
; print "negative", GetLastError()
; call Locate(0, 100)
; call Print("\tf")
; call show("kept")
; call Print("\tg")
; call show("not added")
; -- 32 stops at most.
; call ResetTabs()
; for i = 1, 32 do
; call AddTab(i * 10)
; end
; print "32 stops", GetLastError()
; call AddTab(1000)
; print "33rd", GetLastError()
.source "@text_cursor.q"
  .maxstack 31
.lineno 1
  GETGLOBAL r0 "exitonerror"
  LOADBOOL r1 0 0
  CALL r0 2 2
.lineno 2
  CLOSURE r0 f0
  SETGLOBAL r0 "show"
.lineno 5
  GETGLOBAL r0 "show"
  LOADK r1 "start"
  CALL r0 2 2
.lineno 6
  GETGLOBAL r0 "setmargins"
  LOADK r1 #20
  LOADK r2 #300
  CALL r0 3 2
.lineno 7
  GETGLOBAL r0 "show"
  LOADK r1 "margins"
  CALL r0 2 2
.lineno 8
  GETGLOBAL r0 "locate"
  LOADK r1 #100
  LOADK r2 #50
  CALL r0 3 2
.lineno 9
  GETGLOBAL r0 "show"
  LOADK r1 "locate"
  CALL r0 2 2
.lineno 11
  GETGLOBAL r0 "locate"
  LOADK r1 #5
  LOADK r2 #-40
  CALL r0 3 2
.lineno 12
  GETGLOBAL r0 "show"
  LOADK r1 "left of them"
  CALL r0 2 2
.lineno 13
  GETGLOBAL r0 "locate"
  LOADK r1 #301
  LOADK r2 #7
  CALL r0 3 2
.lineno 14
  GETGLOBAL r0 "show"
  LOADK r1 "right of them"
  CALL r0 2 2
.lineno 16
  GETGLOBAL r0 "locate"
  LOADK r1 #-100000
  LOADK r2 #5
  CALL r0 3 2
.lineno 17
  GETGLOBAL r0 "debugprint"
  LOADK r1 "center x"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 2
.lineno 18
  GETGLOBAL r0 "locate"
  LOADK r1 #5
  LOADK r2 #-60000
  CALL r0 3 2
.lineno 19
  GETGLOBAL r0 "debugprint"
  LOADK r1 "bottom y"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 2
.lineno 22
  GETGLOBAL r0 "setmargins"
  LOADK r1 #50
  LOADK r2 #50
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "debugprint"
  LOADK r1 "equal"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 2
.lineno 24
  GETGLOBAL r0 "setmargins"
  LOADK r1 #700
  LOADK r2 #800
  CALL r0 3 2
.lineno 25
  GETGLOBAL r0 "debugprint"
  LOADK r1 "past the edge"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 2
.lineno 26
  GETGLOBAL r0 "show"
  LOADK r1 "unchanged"
  CALL r0 2 2
.lineno 27
  GETGLOBAL r0 "setmargins"
  LOADK r1 #-10
  LOADK r2 #10000
  CALL r0 3 2
.lineno 28
  GETGLOBAL r0 "show"
  LOADK r1 "clamped"
  CALL r0 2 2
.lineno 30
  GETGLOBAL r0 "addtab"
  LOADK r1 #30
  LOADK r2 #10
  LOADK r3 #20
  CALL r0 4 2
.lineno 31
  GETGLOBAL r0 "print"
  LOADK r1 "\ta"
  CALL r0 2 2
.lineno 32
  GETGLOBAL r0 "show"
  LOADK r1 "tab 1"
  CALL r0 2 2
.lineno 33
  GETGLOBAL r0 "print"
  LOADK r1 "\tb"
  CALL r0 2 2
.lineno 34
  GETGLOBAL r0 "show"
  LOADK r1 "tab 2"
  CALL r0 2 2
.lineno 35
  GETGLOBAL r0 "print"
  LOADK r1 "\tc"
  CALL r0 2 2
.lineno 36
  GETGLOBAL r0 "show"
  LOADK r1 "tab 3"
  CALL r0 2 2
.lineno 37
  GETGLOBAL r0 "print"
  LOADK r1 "\td"
  CALL r0 2 2
.lineno 38
  GETGLOBAL r0 "show"
  LOADK r1 "past the stops"
  CALL r0 2 2
.lineno 39
  GETGLOBAL r0 "resettabs"
  CALL r0 1 2
.lineno 40
  GETGLOBAL r0 "print"
  LOADK r1 "\te"
  CALL r0 2 2
.lineno 41
  GETGLOBAL r0 "show"
  LOADK r1 "no stops"
  CALL r0 2 2
.lineno 43
  GETGLOBAL r0 "addtab"
  LOADK r1 #5
  LOADK r2 #-1
  LOADK r3 #9
  CALL r0 4 2
.lineno 44
  GETGLOBAL r0 "debugprint"
  LOADK r1 "negative"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 2
.lineno 45
  GETGLOBAL r0 "locate"
  LOADK r1 #0
  LOADK r2 #100
  CALL r0 3 2
.lineno 46
  GETGLOBAL r0 "print"
  LOADK r1 "\tf"
  CALL r0 2 2
.lineno 47
  GETGLOBAL r0 "show"
  LOADK r1 "kept"
  CALL r0 2 2
.lineno 48
  GETGLOBAL r0 "print"
  LOADK r1 "\tg"
  CALL r0 2 2
.lineno 49
  GETGLOBAL r0 "show"
  LOADK r1 "not added"
  CALL r0 2 2
.lineno 51
  GETGLOBAL r0 "resettabs"
  CALL r0 1 2
.lineno 52
  LOADK r20 #1
  LOADK r21 #32
  LOADK r22 #1
  SUB r20 r20 r22
  JMP @L1
L2:
  SETGLOBAL r20 "i"
.lineno 53
  GETGLOBAL r27 "addtab"
  GETGLOBAL r28 "i"
  LOADK r29 #10
  MUL r28 r28 r29
  CALL r27 2 2
.lineno 54
L1:
  FORLOOP r20 @L2
.lineno 55
  GETGLOBAL r0 "debugprint"
  LOADK r1 "32 stops"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 2
.lineno 56
  GETGLOBAL r0 "addtab"
  LOADK r1 #1000
  CALL r0 2 2
.lineno 57
  GETGLOBAL r0 "debugprint"
  LOADK r1 "33rd"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 2
  RETURN r0 1
.function
  .params 1
  .maxstack 11
.lineno 3
  GETGLOBAL r1 "debugprint"
  MOVE r2 r0
  GETGLOBAL r3 "getattribute"
  LOADK r4 #21
  LOADK r5 #0
  LOADK r6 #21
  CALL r3 4 2
  GETGLOBAL r4 "getattribute"
  LOADK r5 #21
  LOADK r6 #0
  LOADK r7 #22
  CALL r4 4 2
  GETGLOBAL r5 "getattribute"
  LOADK r6 #21
  LOADK r7 #0
  LOADK r8 #52
  CALL r5 4 2
  GETGLOBAL r6 "getattribute"
  LOADK r7 #21
  LOADK r8 #0
  LOADK r9 #53
  CALL r6 4 0
  CALL r1 0 2
.lineno 4
  RETURN r0 1
.end
