; label: net
; A peer that resets the connection raises ondisconnect once and wakes the wait for it; a
; time-out ends the wait when the event never comes.
; ndisc = 0  done = 0
; Function gone(msg) ndisc = ndisc + 1  DebugPrint(msg.action, msg.id)  done = 1  EndFunction
; Function late(msg) DebugPrint("no disconnect")  done = 1  EndFunction
; Function stop(msg) done = 1  EndFunction
; InstallEventHandler({ondisconnect = gone})
; OpenConnection(1, "127.0.0.1", ToNumber(FileToString("port.txt")))
; SetTimeout(1, late, 5000)  SendData(1, "h")  Repeat WaitEvent() Until done = 1
; done = 0  SetTimeout(2, stop, 300)  Repeat WaitEvent() Until done = 1  ; nothing more comes
; DebugPrint("disconnects", ndisc)
.source "@net_reset.qasm"
.maxstack 8
.lineno 4
  LOADK r0 #0
  SETGLOBAL r0 "ndisc"
  SETGLOBAL r0 "done"
.lineno 5
  CLOSURE r0 f:gone
  SETGLOBAL r0 "gone"
.lineno 6
  CLOSURE r0 f:late
  SETGLOBAL r0 "late"
.lineno 7
  CLOSURE r0 f:stop
  SETGLOBAL r0 "stop"
.lineno 8
  GETGLOBAL r0 "installeventhandler"
  NEWTABLE r1 0 1
  GETGLOBAL r2 "gone"
  SETTABLE r1 "ondisconnect" r2
  CALL r0 2 1
.lineno 9
  GETGLOBAL r0 "openconnection"
  LOADK r1 #1
  LOADK r2 "127.0.0.1"
  GETGLOBAL r3 "tonumber"
  GETGLOBAL r4 "filetostring"
  LOADK r5 "port.txt"
  CALL r4 2 2
  CALL r3 2 2
  CALL r0 4 1
.lineno 10
  GETGLOBAL r0 "settimeout"
  LOADK r1 #1
  GETGLOBAL r2 "late"
  LOADK r3 #5000
  CALL r0 4 1
  GETGLOBAL r0 "senddata"
  LOADK r1 #1
  LOADK r2 "h"
  CALL r0 3 1
first:
  GETGLOBAL r0 "waitevent"
  CALL r0 1 1
  GETGLOBAL r0 "done"
  EQ 0 r0 #1
  JMP @first
.lineno 11
  LOADK r0 #0
  SETGLOBAL r0 "done"
  GETGLOBAL r0 "settimeout"
  LOADK r1 #2
  GETGLOBAL r2 "stop"
  LOADK r3 #300
  CALL r0 4 1
second:
  GETGLOBAL r0 "waitevent"
  CALL r0 1 1
  GETGLOBAL r0 "done"
  EQ 0 r0 #1
  JMP @second
.lineno 12
  GETGLOBAL r0 "debugprint"
  LOADK r1 "disconnects"
  GETGLOBAL r2 "ndisc"
  CALL r0 3 1
  RETURN r0 1
.function gone
  .params 1
  .maxstack 6
.lineno 5
  GETGLOBAL r1 "ndisc"
  LOADK r2 #1
  ADD r1 r1 r2
  SETGLOBAL r1 "ndisc"
  GETGLOBAL r1 "debugprint"
  GETTABLE r2 r0 "action"
  GETTABLE r3 r0 "id"
  CALL r1 3 1
  LOADK r1 #1
  SETGLOBAL r1 "done"
  RETURN r0 1
.end
.function late
  .params 1
  .maxstack 4
.lineno 6
  GETGLOBAL r1 "debugprint"
  LOADK r2 "no disconnect"
  CALL r1 2 1
  LOADK r1 #1
  SETGLOBAL r1 "done"
  RETURN r0 1
.end
.function stop
  .params 1
  .maxstack 2
.lineno 7
  LOADK r1 #1
  SETGLOBAL r1 "done"
  RETURN r0 1
.end
