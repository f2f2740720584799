; label: events
; ExitOnError(False)
; SetInterval(1, tick, 20)  Repeat WaitEvent() Until n >= 3  ; tick counts, prints and clears itself at 3
; DebugPrint("ticks", n)  t = CheckEvent()  DebugPrint(t.action, t.id, t.nresults, t.triggered, RawGet(t, "results"))
; SetTimeout(2, once, 30)  Repeat WaitEvent() Until done  ; once prints, tries WaitEvent inside
; ClearTimeout(2)  DebugPrint("cleared fired", GetLastError())
; SetInterval(3, tick, 0) -> 1055; SetInterval(3, tick, 1) -> 0; SetInterval(3, 5, 10) -> 1185
; SetInterval(4, tick, 1000)  SetInterval(4, once, 1000)  ClearInterval(4) -> 0  ClearInterval(4) -> 1194
; h = SetTimeout(Nil, three, 1)  t = WaitEvent()  DebugPrint(t.action, t.nresults, t.results[0..2], t.triggered)
; SetTimeout(6, ud, 1, "mine")  WaitEvent()  SetTimeout(7, ud, 1)  WaitEvent()
.source "@event_timers.qasm"
.maxstack 12
.lineno 1
  GETGLOBAL r0 "exitonerror"
  LOADBOOL r1 0 0
  CALL r0 2 1
  LOADK r0 #0
  SETGLOBAL r0 "n"
  CLOSURE r0 f0
  SETGLOBAL r0 "tick"
  CLOSURE r0 f1
  SETGLOBAL r0 "once"
  CLOSURE r0 f2
  SETGLOBAL r0 "three"
  CLOSURE r0 f3
  SETGLOBAL r0 "ud"
.lineno 2
  GETGLOBAL r0 "setinterval"
  LOADK r1 #1
  GETGLOBAL r2 "tick"
  LOADK r3 #20
  CALL r0 4 1
loop1:
  GETGLOBAL r0 "waitevent"
  CALL r0 1 1
  GETGLOBAL r0 "n"
  LT 1 r0 #3
  JMP @loop1
.lineno 3
  GETGLOBAL r0 "debugprint"
  LOADK r1 "ticks"
  GETGLOBAL r2 "n"
  CALL r0 3 1
  GETGLOBAL r0 "checkevent"
  CALL r0 1 2
  GETGLOBAL r1 "debugprint"
  GETTABLE r2 r0 "action"
  GETTABLE r3 r0 "id"
  GETTABLE r4 r0 "nresults"
  GETTABLE r5 r0 "triggered"
  GETGLOBAL r6 "rawget"
  MOVE r7 r0
  LOADK r8 "results"
  CALL r6 3 2
  CALL r1 6 1
.lineno 4
  GETGLOBAL r0 "settimeout"
  LOADK r1 #2
  GETGLOBAL r2 "once"
  LOADK r3 #30
  CALL r0 4 1
loop2:
  GETGLOBAL r0 "waitevent"
  CALL r0 1 1
  GETGLOBAL r0 "done"
  EQ 1 r0 #nil
  JMP @loop2
.lineno 5
  GETGLOBAL r0 "cleartimeout"
  LOADK r1 #2
  CALL r0 2 1
  GETGLOBAL r0 "debugprint"
  LOADK r1 "cleared fired"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 1
.lineno 6
  GETGLOBAL r0 "setinterval"
  LOADK r1 #3
  GETGLOBAL r2 "tick"
  LOADK r3 #0
  CALL r0 4 1
  GETGLOBAL r0 "debugprint"
  LOADK r1 "zero ms"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 1
  GETGLOBAL r0 "setinterval"
  LOADK r1 #3
  GETGLOBAL r2 "tick"
  LOADK r3 #1
  CALL r0 4 1
  GETGLOBAL r0 "debugprint"
  LOADK r1 "one ms"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 1
  GETGLOBAL r0 "clearinterval"
  LOADK r1 #3
  CALL r0 2 1
  GETGLOBAL r0 "setinterval"
  LOADK r1 #3
  LOADK r2 #5
  LOADK r3 #10
  CALL r0 4 1
  GETGLOBAL r0 "debugprint"
  LOADK r1 "not a function"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 1
.lineno 7
  GETGLOBAL r0 "setinterval"
  LOADK r1 #4
  GETGLOBAL r2 "tick"
  LOADK r3 #1000
  CALL r0 4 1
  GETGLOBAL r0 "setinterval"
  LOADK r1 #4
  GETGLOBAL r2 "once"
  LOADK r3 #1000
  CALL r0 4 1
  GETGLOBAL r0 "clearinterval"
  LOADK r1 #4
  CALL r0 2 1
  GETGLOBAL r0 "debugprint"
  LOADK r1 "replaced"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 1
  GETGLOBAL r0 "clearinterval"
  LOADK r1 #4
  CALL r0 2 1
  GETGLOBAL r0 "debugprint"
  LOADK r1 "gone"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 1
.lineno 8
  GETGLOBAL r0 "settimeout"
  LOADNIL r1 r1
  GETGLOBAL r2 "three"
  LOADK r3 #1
  CALL r0 4 2
  SETGLOBAL r0 "h"
  GETGLOBAL r0 "waitevent"
  CALL r0 1 2
  GETTABLE r1 r0 "results"
  GETGLOBAL r2 "debugprint"
  GETTABLE r3 r0 "action"
  GETTABLE r4 r0 "nresults"
  GETTABLE r5 r1 #0
  GETTABLE r6 r1 #1
  GETTABLE r7 r1 #2
  GETTABLE r8 r0 "triggered"
  CALL r2 7 1
  GETTABLE r1 r0 "id"
  GETGLOBAL r2 "h"
  EQ 1 r1 r2
  JMP @sameid
  JMP @line9
sameid:
  GETGLOBAL r2 "debugprint"
  LOADK r3 "id is the handle"
  CALL r2 2 1
line9:
.lineno 9
  GETGLOBAL r0 "settimeout"
  LOADK r1 #6
  GETGLOBAL r2 "ud"
  LOADK r3 #1
  LOADK r4 "mine"
  CALL r0 5 1
  GETGLOBAL r0 "waitevent"
  CALL r0 1 1
  GETGLOBAL r0 "settimeout"
  LOADK r1 #7
  GETGLOBAL r2 "ud"
  LOADK r3 #1
  CALL r0 4 1
  GETGLOBAL r0 "waitevent"
  CALL r0 1 1
  RETURN r0 1
; tick(msg): n = n + 1, prints, clears interval 1 at 3
.function
  .params 1
  .maxstack 8
  GETGLOBAL r1 "n"
  ADD r1 r1 #1
  SETGLOBAL r1 "n"
  GETGLOBAL r2 "debugprint"
  GETTABLE r3 r0 "action"
  GETTABLE r4 r0 "id"
  MOVE r5 r1
  CALL r2 4 1
  EQ 1 r1 #3
  JMP @clear
  RETURN r0 1
clear:
  GETGLOBAL r2 "clearinterval"
  LOADK r3 #1
  CALL r2 2 1
  RETURN r0 1
.end
; once(msg): prints, WaitEvent inside a callback fails, done = 1
.function
  .params 1
  .maxstack 8
  GETGLOBAL r2 "debugprint"
  GETTABLE r3 r0 "action"
  GETTABLE r4 r0 "id"
  CALL r2 3 1
  GETGLOBAL r2 "waitevent"
  CALL r2 1 1
  GETGLOBAL r2 "debugprint"
  LOADK r3 "inside"
  GETGLOBAL r4 "getlasterror"
  CALL r4 1 0
  CALL r2 0 1
  LOADK r1 #1
  SETGLOBAL r1 "done"
  RETURN r0 1
.end
; three(msg): return 7, 8, 9
.function
  .params 1
  .maxstack 6
  LOADK r1 #7
  LOADK r2 #8
  LOADK r3 #9
  RETURN r1 4
.end
; ud(msg): prints the id and the user data
.function
  .params 1
  .maxstack 6
  GETGLOBAL r1 "debugprint"
  GETTABLE r2 r0 "id"
  GETGLOBAL r3 "rawget"
  MOVE r4 r0
  LOADK r5 "userdata"
  CALL r3 3 2
  CALL r1 3 1
  RETURN r0 1
.end
