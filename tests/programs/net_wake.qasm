; label: net
; A WaitEvent loop wakes as soon as data reaches a connection: the peer pings 20 times at uneven
; pauses and times the answers, which onreceivedata sends (net_wake.check judges them).
; done = 0
; Function answer(msg)
;   If ReceiveData(msg.id, 0, False) = "q" Then done = 1 Else SendData(msg.id, "a")
; EndFunction
; InstallEventHandler({onreceivedata = answer})
; OpenConnection(1, "127.0.0.1", ToNumber(FileToString("port.txt")))
; SendData(1, "h")
; Repeat WaitEvent() Until done = 1
; DebugPrint("done")
.source "@net_wake.qasm"
.maxstack 8
.lineno 4
  LOADK r0 #0
  SETGLOBAL r0 "done"
.lineno 5
  CLOSURE r0 f0
  SETGLOBAL r0 "answer"
.lineno 8
  GETGLOBAL r0 "installeventhandler"
  NEWTABLE r1 0 1
  GETGLOBAL r2 "answer"
  SETTABLE r1 "onreceivedata" r2
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
  GETGLOBAL r0 "senddata"
  LOADK r1 #1
  LOADK r2 "h"
  CALL r0 3 1
.lineno 11
loop:
  GETGLOBAL r0 "waitevent"
  CALL r0 1 1
  GETGLOBAL r0 "done"
  EQ 0 r0 #1
  JMP @loop
.lineno 12
  GETGLOBAL r0 "debugprint"
  LOADK r1 "done"
  CALL r0 2 1
  RETURN r0 1
.function
  .params 1
  .maxstack 6
.lineno 6
  GETGLOBAL r1 "receivedata"
  GETTABLE r2 r0 "id"
  LOADK r3 #0
  LOADBOOL r4 0 0
  CALL r1 4 2
  EQ 0 r1 "q"
  JMP @send
  LOADK r1 #1
  SETGLOBAL r1 "done"
  RETURN r0 1
send:
  GETGLOBAL r1 "senddata"
  GETTABLE r2 r0 "id"
  LOADK r3 "a"
  CALL r1 3 1
  RETURN r0 1
.end
