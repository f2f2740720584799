; label: layers
; GetAttribute for sprites, event handlers, intervals and timeouts: for each type the attributes that answer (every other one gives 1080 and is not printed; any other error is), then their values and the look-up errors.
; function answered(type, id)
;   qtype = type
;   qid = id
;   for a = 0, 73 do
;     call GetAttribute(qtype, qid, a)
;     e = GetLastError()
;     if e == 0 then
;       print "answers", qtype, a
;     end
;     if e ~= 0 then
;       if e ~= 1080 then
;         print "fails", qtype, a, e
;       end
;     end
;   end
; end
; function handler()
; end
; call ExitOnError(false)
; call CreateBrush(1, 8, 6, $FF00FF)
; call SetBrushTransparency(1, $FF00FF)
; call CreateBrush(2, 8, 6, $00FF00)
; call CreateSprite(1, 3, 1)
; call CreateSprite(2, 3, 2)
; h = CreateSprite(nil, 32, 1, 2)
; call answered(32, 1)
; call DisplaySprite(1, 10, 20)
; call answered(32, 1)
; print "sprite", GetAttribute(32, 1, 0), GetAttribute(32, 1, 1), GetAttribute(32, 1, 5), GetAttribute(32, 1, 11), GetAttribute(32, 1, 16), GetAttribute(32, 1, 17)
; print "shown", GetAttribute(32, 1, 7), GetAttribute(32, 1, 8), GetAttribute(32, 1, 12), GetAttribute(32, 1, 23)
; call DisplaySprite(1, 30, 40, 1)
; print "moved", GetAttribute(32, 1, 7), GetAttribute(32, 1, 8)
; print "plain", GetAttribute(32, 2, 5), GetAttribute(32, 2, 16), GetAttribute(32, 2, 23)
; print "linked", GetAttribute(32, h, 0), GetAttribute(32, h, 5), GetAttribute(32, h, 11), GetAttribute(32, h, 16), GetAttribute(32, h, 23)
; call GetAttribute(32, h, 7)
; print "linked not shown", GetLastError()
; call GetAttribute(32, 2, 12)
; print "not shown", GetLastError()
; call CopySprite(1, 3)
; print "copy", GetAttribute(32, 3, 5), GetAttribute(32, 3, 23)
; call GetAttribute(32, 9, 0)
; print "missing sprite", GetLastError()
; print "sprite count", GetAttribute(32, 999, 60)
; call RemoveSprite(1)
; print "removed", GetAttribute(32, 1, 23)
; call InstallEventHandler({onkeydown = handler, onsampleend = handler}, 42)
; call answered(40, "onkeydown")
; f = GetAttribute(40, "OnKeyDown", 58)
; if f == handler then
;   print "display handler is the function"
; end
; f = GetAttribute(40, "ONSAMPLEEND", 58)
; if f == handler then
;   print "global handler is the function"
; end
; print "user data", GetAttribute(40, "onkeydown", 59), GetAttribute(40, "onsampleend", 59)
; print "none installed", GetAttribute(40, "onmusicend", 58), GetAttribute(40, "onmusicend", 59), GetAttribute(40, "closewindow", 58)
; call GetAttribute(40, "onkeypress", 58)
; print "unknown handler", GetLastError()
; call SetInterval(1, handler, 5000, 7)
; t = SetTimeout(nil, handler, 6000)
; call answered(41, 1)
; call answered(42, t)
; f = GetAttribute(41, 1, 58)
; if f == handler then
;   print "interval function"
; end
; print "interval", GetAttribute(41, 1, 14), GetAttribute(41, 1, 59)
; print "timeout", GetAttribute(42, t, 14), GetAttribute(42, t, 59)
; call GetAttribute(41, 2, 14)
; print "missing interval", GetLastError()
; call GetAttribute(42, 2, 14)
; print "missing timeout", GetLastError()
.source "@object_attributes.q"
  .maxstack 12
.lineno 1
  CLOSURE r0 f0
  SETGLOBAL r0 "answered"
.lineno 17
  CLOSURE r0 f1
  SETGLOBAL r0 "handler"
.lineno 19
  GETGLOBAL r0 "exitonerror"
  LOADBOOL r1 0 0
  CALL r0 2 2
.lineno 20
  GETGLOBAL r0 "createbrush"
  LOADK r1 #1
  LOADK r2 #8
  LOADK r3 #6
  LOADK r4 #16711935
  CALL r0 5 2
.lineno 21
  GETGLOBAL r0 "setbrushtransparency"
  LOADK r1 #1
  LOADK r2 #16711935
  CALL r0 3 2
.lineno 22
  GETGLOBAL r0 "createbrush"
  LOADK r1 #2
  LOADK r2 #8
  LOADK r3 #6
  LOADK r4 #65280
  CALL r0 5 2
.lineno 23
  GETGLOBAL r0 "createsprite"
  LOADK r1 #1
  LOADK r2 #3
  LOADK r3 #1
  CALL r0 4 2
.lineno 24
  GETGLOBAL r0 "createsprite"
  LOADK r1 #2
  LOADK r2 #3
  LOADK r3 #2
  CALL r0 4 2
.lineno 25
  GETGLOBAL r0 "createsprite"
  LOADNIL r1 r1
  LOADK r2 #32
  LOADK r3 #1
  LOADK r4 #2
  CALL r0 5 2
  SETGLOBAL r0 "h"
.lineno 26
  GETGLOBAL r0 "answered"
  LOADK r1 #32
  LOADK r2 #1
  CALL r0 3 2
.lineno 27
  GETGLOBAL r0 "displaysprite"
  LOADK r1 #1
  LOADK r2 #10
  LOADK r3 #20
  CALL r0 4 2
.lineno 28
  GETGLOBAL r0 "answered"
  LOADK r1 #32
  LOADK r2 #1
  CALL r0 3 2
.lineno 29
  GETGLOBAL r0 "debugprint"
  LOADK r1 "sprite"
  GETGLOBAL r2 "getattribute"
  LOADK r3 #32
  LOADK r4 #1
  LOADK r5 #0
  CALL r2 4 2
  GETGLOBAL r3 "getattribute"
  LOADK r4 #32
  LOADK r5 #1
  LOADK r6 #1
  CALL r3 4 2
  GETGLOBAL r4 "getattribute"
  LOADK r5 #32
  LOADK r6 #1
  LOADK r7 #5
  CALL r4 4 2
  GETGLOBAL r5 "getattribute"
  LOADK r6 #32
  LOADK r7 #1
  LOADK r8 #11
  CALL r5 4 2
  GETGLOBAL r6 "getattribute"
  LOADK r7 #32
  LOADK r8 #1
  LOADK r9 #16
  CALL r6 4 2
  GETGLOBAL r7 "getattribute"
  LOADK r8 #32
  LOADK r9 #1
  LOADK r10 #17
  CALL r7 4 0
  CALL r0 0 2
.lineno 30
  GETGLOBAL r0 "debugprint"
  LOADK r1 "shown"
  GETGLOBAL r2 "getattribute"
  LOADK r3 #32
  LOADK r4 #1
  LOADK r5 #7
  CALL r2 4 2
  GETGLOBAL r3 "getattribute"
  LOADK r4 #32
  LOADK r5 #1
  LOADK r6 #8
  CALL r3 4 2
  GETGLOBAL r4 "getattribute"
  LOADK r5 #32
  LOADK r6 #1
  LOADK r7 #12
  CALL r4 4 2
  GETGLOBAL r5 "getattribute"
  LOADK r6 #32
  LOADK r7 #1
  LOADK r8 #23
  CALL r5 4 0
  CALL r0 0 2
.lineno 31
  GETGLOBAL r0 "displaysprite"
  LOADK r1 #1
  LOADK r2 #30
  LOADK r3 #40
  LOADK r4 #1
  CALL r0 5 2
.lineno 32
  GETGLOBAL r0 "debugprint"
  LOADK r1 "moved"
  GETGLOBAL r2 "getattribute"
  LOADK r3 #32
  LOADK r4 #1
  LOADK r5 #7
  CALL r2 4 2
  GETGLOBAL r3 "getattribute"
  LOADK r4 #32
  LOADK r5 #1
  LOADK r6 #8
  CALL r3 4 0
  CALL r0 0 2
.lineno 33
  GETGLOBAL r0 "debugprint"
  LOADK r1 "plain"
  GETGLOBAL r2 "getattribute"
  LOADK r3 #32
  LOADK r4 #2
  LOADK r5 #5
  CALL r2 4 2
  GETGLOBAL r3 "getattribute"
  LOADK r4 #32
  LOADK r5 #2
  LOADK r6 #16
  CALL r3 4 2
  GETGLOBAL r4 "getattribute"
  LOADK r5 #32
  LOADK r6 #2
  LOADK r7 #23
  CALL r4 4 0
  CALL r0 0 2
.lineno 34
  GETGLOBAL r0 "debugprint"
  LOADK r1 "linked"
  GETGLOBAL r2 "getattribute"
  LOADK r3 #32
  GETGLOBAL r4 "h"
  LOADK r5 #0
  CALL r2 4 2
  GETGLOBAL r3 "getattribute"
  LOADK r4 #32
  GETGLOBAL r5 "h"
  LOADK r6 #5
  CALL r3 4 2
  GETGLOBAL r4 "getattribute"
  LOADK r5 #32
  GETGLOBAL r6 "h"
  LOADK r7 #11
  CALL r4 4 2
  GETGLOBAL r5 "getattribute"
  LOADK r6 #32
  GETGLOBAL r7 "h"
  LOADK r8 #16
  CALL r5 4 2
  GETGLOBAL r6 "getattribute"
  LOADK r7 #32
  GETGLOBAL r8 "h"
  LOADK r9 #23
  CALL r6 4 0
  CALL r0 0 2
.lineno 35
  GETGLOBAL r0 "getattribute"
  LOADK r1 #32
  GETGLOBAL r2 "h"
  LOADK r3 #7
  CALL r0 4 2
.lineno 36
  GETGLOBAL r0 "debugprint"
  LOADK r1 "linked not shown"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 2
.lineno 37
  GETGLOBAL r0 "getattribute"
  LOADK r1 #32
  LOADK r2 #2
  LOADK r3 #12
  CALL r0 4 2
.lineno 38
  GETGLOBAL r0 "debugprint"
  LOADK r1 "not shown"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 2
.lineno 39
  GETGLOBAL r0 "copysprite"
  LOADK r1 #1
  LOADK r2 #3
  CALL r0 3 2
.lineno 40
  GETGLOBAL r0 "debugprint"
  LOADK r1 "copy"
  GETGLOBAL r2 "getattribute"
  LOADK r3 #32
  LOADK r4 #3
  LOADK r5 #5
  CALL r2 4 2
  GETGLOBAL r3 "getattribute"
  LOADK r4 #32
  LOADK r5 #3
  LOADK r6 #23
  CALL r3 4 0
  CALL r0 0 2
.lineno 41
  GETGLOBAL r0 "getattribute"
  LOADK r1 #32
  LOADK r2 #9
  LOADK r3 #0
  CALL r0 4 2
.lineno 42
  GETGLOBAL r0 "debugprint"
  LOADK r1 "missing sprite"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 2
.lineno 43
  GETGLOBAL r0 "debugprint"
  LOADK r1 "sprite count"
  GETGLOBAL r2 "getattribute"
  LOADK r3 #32
  LOADK r4 #999
  LOADK r5 #60
  CALL r2 4 0
  CALL r0 0 2
.lineno 44
  GETGLOBAL r0 "removesprite"
  LOADK r1 #1
  CALL r0 2 2
.lineno 45
  GETGLOBAL r0 "debugprint"
  LOADK r1 "removed"
  GETGLOBAL r2 "getattribute"
  LOADK r3 #32
  LOADK r4 #1
  LOADK r5 #23
  CALL r2 4 0
  CALL r0 0 2
.lineno 46
  GETGLOBAL r0 "installeventhandler"
  NEWTABLE r1 0 4
  GETGLOBAL r2 "handler"
  SETTABLE r1 "onkeydown" r2
  GETGLOBAL r2 "handler"
  SETTABLE r1 "onsampleend" r2
  LOADK r2 #42
  CALL r0 3 2
.lineno 47
  GETGLOBAL r0 "answered"
  LOADK r1 #40
  LOADK r2 "onkeydown"
  CALL r0 3 2
.lineno 48
  GETGLOBAL r0 "getattribute"
  LOADK r1 #40
  LOADK r2 "OnKeyDown"
  LOADK r3 #58
  CALL r0 4 2
  SETGLOBAL r0 "f"
.lineno 49
  GETGLOBAL r0 "f"
  GETGLOBAL r1 "handler"
  EQ 0 r0 r1
  JMP @L1632_2
.lineno 50
  GETGLOBAL r0 "debugprint"
  LOADK r1 "display handler is the function"
  CALL r0 2 2
.lineno 51
L1632_2:
.lineno 52
  GETGLOBAL r0 "getattribute"
  LOADK r1 #40
  LOADK r2 "ONSAMPLEEND"
  LOADK r3 #58
  CALL r0 4 2
  SETGLOBAL r0 "f"
.lineno 53
  GETGLOBAL r0 "f"
  GETGLOBAL r1 "handler"
  EQ 0 r0 r1
  JMP @L1632_4
.lineno 54
  GETGLOBAL r0 "debugprint"
  LOADK r1 "global handler is the function"
  CALL r0 2 2
.lineno 55
L1632_4:
.lineno 56
  GETGLOBAL r0 "debugprint"
  LOADK r1 "user data"
  GETGLOBAL r2 "getattribute"
  LOADK r3 #40
  LOADK r4 "onkeydown"
  LOADK r5 #59
  CALL r2 4 2
  GETGLOBAL r3 "getattribute"
  LOADK r4 #40
  LOADK r5 "onsampleend"
  LOADK r6 #59
  CALL r3 4 0
  CALL r0 0 2
.lineno 57
  GETGLOBAL r0 "debugprint"
  LOADK r1 "none installed"
  GETGLOBAL r2 "getattribute"
  LOADK r3 #40
  LOADK r4 "onmusicend"
  LOADK r5 #58
  CALL r2 4 2
  GETGLOBAL r3 "getattribute"
  LOADK r4 #40
  LOADK r5 "onmusicend"
  LOADK r6 #59
  CALL r3 4 2
  GETGLOBAL r4 "getattribute"
  LOADK r5 #40
  LOADK r6 "closewindow"
  LOADK r7 #58
  CALL r4 4 0
  CALL r0 0 2
.lineno 58
  GETGLOBAL r0 "getattribute"
  LOADK r1 #40
  LOADK r2 "onkeypress"
  LOADK r3 #58
  CALL r0 4 2
.lineno 59
  GETGLOBAL r0 "debugprint"
  LOADK r1 "unknown handler"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 2
.lineno 60
  GETGLOBAL r0 "setinterval"
  LOADK r1 #1
  GETGLOBAL r2 "handler"
  LOADK r3 #5000
  LOADK r4 #7
  CALL r0 5 2
.lineno 61
  GETGLOBAL r0 "settimeout"
  LOADNIL r1 r1
  GETGLOBAL r2 "handler"
  LOADK r3 #6000
  CALL r0 4 2
  SETGLOBAL r0 "t"
.lineno 62
  GETGLOBAL r0 "answered"
  LOADK r1 #41
  LOADK r2 #1
  CALL r0 3 2
.lineno 63
  GETGLOBAL r0 "answered"
  LOADK r1 #42
  GETGLOBAL r2 "t"
  CALL r0 3 2
.lineno 64
  GETGLOBAL r0 "getattribute"
  LOADK r1 #41
  LOADK r2 #1
  LOADK r3 #58
  CALL r0 4 2
  SETGLOBAL r0 "f"
.lineno 65
  GETGLOBAL r0 "f"
  GETGLOBAL r1 "handler"
  EQ 0 r0 r1
  JMP @L1632_6
.lineno 66
  GETGLOBAL r0 "debugprint"
  LOADK r1 "interval function"
  CALL r0 2 2
.lineno 67
L1632_6:
.lineno 68
  GETGLOBAL r0 "debugprint"
  LOADK r1 "interval"
  GETGLOBAL r2 "getattribute"
  LOADK r3 #41
  LOADK r4 #1
  LOADK r5 #14
  CALL r2 4 2
  GETGLOBAL r3 "getattribute"
  LOADK r4 #41
  LOADK r5 #1
  LOADK r6 #59
  CALL r3 4 0
  CALL r0 0 2
.lineno 69
  GETGLOBAL r0 "debugprint"
  LOADK r1 "timeout"
  GETGLOBAL r2 "getattribute"
  LOADK r3 #42
  GETGLOBAL r4 "t"
  LOADK r5 #14
  CALL r2 4 2
  GETGLOBAL r3 "getattribute"
  LOADK r4 #42
  GETGLOBAL r5 "t"
  LOADK r6 #59
  CALL r3 4 0
  CALL r0 0 2
.lineno 70
  GETGLOBAL r0 "getattribute"
  LOADK r1 #41
  LOADK r2 #2
  LOADK r3 #14
  CALL r0 4 2
.lineno 71
  GETGLOBAL r0 "debugprint"
  LOADK r1 "missing interval"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 2
.lineno 72
  GETGLOBAL r0 "getattribute"
  LOADK r1 #42
  LOADK r2 #2
  LOADK r3 #14
  CALL r0 4 2
.lineno 73
  GETGLOBAL r0 "debugprint"
  LOADK r1 "missing timeout"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 2
  RETURN r0 1
.function
  .params 2
  .maxstack 48
.lineno 2
  MOVE r0 r0
  SETGLOBAL r0 "qtype"
.lineno 3
  MOVE r0 r1
  SETGLOBAL r0 "qid"
.lineno 4
  LOADK r20 #0
  LOADK r21 #73
  LOADK r22 #1
  SUB r20 r20 r22
  JMP @L1856_1
L1856_2:
  SETGLOBAL r20 "a"
.lineno 5
  GETGLOBAL r24 "getattribute"
  GETGLOBAL r25 "qtype"
  GETGLOBAL r26 "qid"
  GETGLOBAL r27 "a"
  CALL r24 4 2
.lineno 6
  GETGLOBAL r24 "getlasterror"
  CALL r24 1 2
  SETGLOBAL r24 "e"
.lineno 7
  GETGLOBAL r24 "e"
  LOADK r25 #0
  EQ 0 r24 r25
  JMP @L1856_4
.lineno 8
  GETGLOBAL r24 "debugprint"
  LOADK r25 "answers"
  GETGLOBAL r26 "qtype"
  GETGLOBAL r27 "a"
  CALL r24 4 2
.lineno 9
L1856_4:
.lineno 10
  GETGLOBAL r24 "e"
  LOADK r25 #0
  EQ 1 r24 r25
  JMP @L1856_6
.lineno 11
  GETGLOBAL r24 "e"
  LOADK r25 #1080
  EQ 1 r24 r25
  JMP @L1856_8
.lineno 12
  GETGLOBAL r24 "debugprint"
  LOADK r25 "fails"
  GETGLOBAL r26 "qtype"
  GETGLOBAL r27 "a"
  GETGLOBAL r28 "e"
  CALL r24 5 2
.lineno 13
L1856_8:
.lineno 14
L1856_6:
.lineno 15
L1856_1:
  FORLOOP r20 @L1856_2
.lineno 16
  RETURN r0 1
.end
.function
  .params 0
  .maxstack 8
.lineno 18
  RETURN r0 1
.end
