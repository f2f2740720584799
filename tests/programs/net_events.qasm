; label: net
; Network events of a server and its own clients: onconnect, onreceivedata once until ReceiveData,
; a connection closed in a callback while the poller stands on it, ondisconnect.
; call ExitOnError(0)
; set accepted = Nil
; set nrecv = 0
; set ndisc = 0
; set phase = 1
; function onconnect(msg)
; print msg.action, "server", msg.serverid
; set accepted = msg.clientid
; endfunction
; function onreceive(msg)
; set nrecv = nrecv + 1
; if phase == 1
; print msg.action, "server side of 10"
; else
; if msg.id == c11
; print msg.action, "client 11", ReceiveData(c11, 0, False)
; call CloseConnection(c12)
; else
; if msg.id == a12
; print msg.action, "server side of 12", ReceiveData(a12, 0, False)
; else
; print msg.action, "another connection"
; endif
; endif
; endif
; endfunction
; function ondisconnect(msg)
; set ndisc = ndisc + 1
; if msg.id == a12
; print msg.action, "server side of 12"
; else
; print msg.action, "another connection"
; endif
; endfunction
; newtable h
; setfield h.onconnect = onconnect
; setfield h.onreceivedata = onreceive
; setfield h.ondisconnect = ondisconnect
; call InstallEventHandler(h)
; call CreateServer(1, 0, "127.0.0.1")
; set port = GetLocalPort(1, 115)
; if port > 0
; print "server on a port of the kernel's"
; endif
; call OpenConnection(10, "127.0.0.1", port)
; if GetConnectionPort(10) == port
; print "client 10 reaches that port"
; endif
; repeat
; call WaitEvent()
; until accepted ~= Nil
; set a10 = accepted
; call SendData(10, "hello")
; repeat
; call WaitEvent()
; until nrecv == 1
; set i = 0
; repeat
; call CheckEvent()
; call Wait(1)
; set i = i + 1
; until i == 10
; print "events before ReceiveData", nrecv
; print "received", ReceiveData(a10, 0, False)
; call SendData(10, "again")
; repeat
; call WaitEvent()
; until nrecv == 2
; call ReceiveData(a10, 0, False)
; set phase = 2
; set c11 = OpenConnection(Nil, "127.0.0.1", port)
; set c12 = OpenConnection(Nil, "127.0.0.1", port)
; set accepted = Nil
; repeat
; call WaitEvent()
; until accepted ~= Nil
; set a11 = accepted
; set accepted = Nil
; repeat
; call WaitEvent()
; until accepted ~= Nil
; set a12 = accepted
; call SendData(a11, "x")
; call SendData(c12, "z")
; call Wait(5)
; repeat
; call WaitEvent()
; until nrecv == 4
; repeat
; call WaitEvent()
; until ndisc == 1
; call CloseServer(1)
; call CloseServer(1)
; print "server closed once", GetLastError(), GetErrorName(GetLastError())
.source "@net_events.qasm"
.maxstack 8
.lineno 1
  GETGLOBAL r0 "exitonerror"
  LOADK r1 #0
  CALL r0 2 1
.lineno 2
  LOADNIL r0 r0
  SETGLOBAL r0 "accepted"
.lineno 3
  LOADK r0 #0
  SETGLOBAL r0 "nrecv"
.lineno 4
  LOADK r0 #0
  SETGLOBAL r0 "ndisc"
.lineno 5
  LOADK r0 #1
  SETGLOBAL r0 "phase"
.lineno 6
  CLOSURE r0 f:onconnect
  SETGLOBAL r0 "onconnect"
.lineno 10
  CLOSURE r0 f:onreceive
  SETGLOBAL r0 "onreceive"
.lineno 27
  CLOSURE r0 f:ondisconnect
  SETGLOBAL r0 "ondisconnect"
.lineno 35
  NEWTABLE r0 0 0
  SETGLOBAL r0 "h"
.lineno 36
  GETGLOBAL r0 "h"
  GETGLOBAL r1 "onconnect"
  SETTABLE r0 "onconnect" r1
.lineno 37
  GETGLOBAL r0 "h"
  GETGLOBAL r1 "onreceive"
  SETTABLE r0 "onreceivedata" r1
.lineno 38
  GETGLOBAL r0 "h"
  GETGLOBAL r1 "ondisconnect"
  SETTABLE r0 "ondisconnect" r1
.lineno 39
  GETGLOBAL r0 "installeventhandler"
  GETGLOBAL r1 "h"
  CALL r0 2 1
.lineno 40
  GETGLOBAL r0 "createserver"
  LOADK r1 #1
  LOADK r2 #0
  LOADK r3 "127.0.0.1"
  CALL r0 4 1
.lineno 41
  GETGLOBAL r0 "getlocalport"
  LOADK r1 #1
  LOADK r2 #115
  CALL r0 3 2
  SETGLOBAL r0 "port"
.lineno 42
  GETGLOBAL r0 "port"
  LOADK r1 #0
  LT 0 r1 r0
  JMP @L1
.lineno 43
  GETGLOBAL r0 "debugprint"
  LOADK r1 "server on a port of the kernel's"
  CALL r0 2 1
.lineno 44
L1:
.lineno 45
  GETGLOBAL r0 "openconnection"
  LOADK r1 #10
  LOADK r2 "127.0.0.1"
  GETGLOBAL r3 "port"
  CALL r0 4 1
.lineno 46
  GETGLOBAL r0 "getconnectionport"
  LOADK r1 #10
  CALL r0 2 2
  GETGLOBAL r1 "port"
  EQ 0 r0 r1
  JMP @L2
.lineno 47
  GETGLOBAL r0 "debugprint"
  LOADK r1 "client 10 reaches that port"
  CALL r0 2 1
.lineno 48
L2:
.lineno 49
L3:
.lineno 50
  GETGLOBAL r0 "waitevent"
  CALL r0 1 1
.lineno 51
  GETGLOBAL r0 "accepted"
  LOADNIL r1 r1
  EQ 1 r0 r1
  JMP @L3
.lineno 52
  GETGLOBAL r0 "accepted"
  SETGLOBAL r0 "a10"
.lineno 53
  GETGLOBAL r0 "senddata"
  LOADK r1 #10
  LOADK r2 "hello"
  CALL r0 3 1
.lineno 54
L4:
.lineno 55
  GETGLOBAL r0 "waitevent"
  CALL r0 1 1
.lineno 56
  GETGLOBAL r0 "nrecv"
  LOADK r1 #1
  EQ 0 r0 r1
  JMP @L4
.lineno 57
  LOADK r0 #0
  SETGLOBAL r0 "i"
.lineno 58
L5:
.lineno 59
  GETGLOBAL r0 "checkevent"
  CALL r0 1 1
.lineno 60
  GETGLOBAL r0 "wait"
  LOADK r1 #1
  CALL r0 2 1
.lineno 61
  GETGLOBAL r0 "i"
  LOADK r1 #1
  ADD r0 r0 r1
  SETGLOBAL r0 "i"
.lineno 62
  GETGLOBAL r0 "i"
  LOADK r1 #10
  EQ 0 r0 r1
  JMP @L5
.lineno 63
  GETGLOBAL r0 "debugprint"
  LOADK r1 "events before ReceiveData"
  GETGLOBAL r2 "nrecv"
  CALL r0 3 1
.lineno 64
  GETGLOBAL r0 "debugprint"
  LOADK r1 "received"
  GETGLOBAL r2 "receivedata"
  GETGLOBAL r3 "a10"
  LOADK r4 #0
  LOADBOOL r5 0 0
  CALL r2 4 0
  CALL r0 0 1
.lineno 65
  GETGLOBAL r0 "senddata"
  LOADK r1 #10
  LOADK r2 "again"
  CALL r0 3 1
.lineno 66
L6:
.lineno 67
  GETGLOBAL r0 "waitevent"
  CALL r0 1 1
.lineno 68
  GETGLOBAL r0 "nrecv"
  LOADK r1 #2
  EQ 0 r0 r1
  JMP @L6
.lineno 69
  GETGLOBAL r0 "receivedata"
  GETGLOBAL r1 "a10"
  LOADK r2 #0
  LOADBOOL r3 0 0
  CALL r0 4 1
.lineno 70
  LOADK r0 #2
  SETGLOBAL r0 "phase"
.lineno 71
  GETGLOBAL r0 "openconnection"
  LOADNIL r1 r1
  LOADK r2 "127.0.0.1"
  GETGLOBAL r3 "port"
  CALL r0 4 2
  SETGLOBAL r0 "c11"
.lineno 72
  GETGLOBAL r0 "openconnection"
  LOADNIL r1 r1
  LOADK r2 "127.0.0.1"
  GETGLOBAL r3 "port"
  CALL r0 4 2
  SETGLOBAL r0 "c12"
.lineno 73
  LOADNIL r0 r0
  SETGLOBAL r0 "accepted"
.lineno 74
L7:
.lineno 75
  GETGLOBAL r0 "waitevent"
  CALL r0 1 1
.lineno 76
  GETGLOBAL r0 "accepted"
  LOADNIL r1 r1
  EQ 1 r0 r1
  JMP @L7
.lineno 77
  GETGLOBAL r0 "accepted"
  SETGLOBAL r0 "a11"
.lineno 78
  LOADNIL r0 r0
  SETGLOBAL r0 "accepted"
.lineno 79
L8:
.lineno 80
  GETGLOBAL r0 "waitevent"
  CALL r0 1 1
.lineno 81
  GETGLOBAL r0 "accepted"
  LOADNIL r1 r1
  EQ 1 r0 r1
  JMP @L8
.lineno 82
  GETGLOBAL r0 "accepted"
  SETGLOBAL r0 "a12"
.lineno 83
  GETGLOBAL r0 "senddata"
  GETGLOBAL r1 "a11"
  LOADK r2 "x"
  CALL r0 3 1
.lineno 84
  GETGLOBAL r0 "senddata"
  GETGLOBAL r1 "c12"
  LOADK r2 "z"
  CALL r0 3 1
.lineno 85
  GETGLOBAL r0 "wait"
  LOADK r1 #5
  CALL r0 2 1
.lineno 86
L9:
.lineno 87
  GETGLOBAL r0 "waitevent"
  CALL r0 1 1
.lineno 88
  GETGLOBAL r0 "nrecv"
  LOADK r1 #4
  EQ 0 r0 r1
  JMP @L9
.lineno 89
L10:
.lineno 90
  GETGLOBAL r0 "waitevent"
  CALL r0 1 1
.lineno 91
  GETGLOBAL r0 "ndisc"
  LOADK r1 #1
  EQ 0 r0 r1
  JMP @L10
.lineno 92
  GETGLOBAL r0 "closeserver"
  LOADK r1 #1
  CALL r0 2 1
.lineno 93
  GETGLOBAL r0 "closeserver"
  LOADK r1 #1
  CALL r0 2 1
.lineno 94
  GETGLOBAL r0 "debugprint"
  LOADK r1 "server closed once"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 2
  GETGLOBAL r3 "geterrorname"
  GETGLOBAL r4 "getlasterror"
  CALL r4 1 0
  CALL r3 0 0
  CALL r0 0 1
  RETURN r0 1
.function onconnect
  .linedefined 6
  .params 1
  .maxstack 8
.lineno 7
  GETGLOBAL r1 "debugprint"
  MOVE r2 r0
  LOADK r3 "action"
  GETTABLE r2 r2 r3
  LOADK r3 "server"
  MOVE r4 r0
  LOADK r5 "serverid"
  GETTABLE r4 r4 r5
  CALL r1 4 1
.lineno 8
  MOVE r1 r0
  LOADK r2 "clientid"
  GETTABLE r1 r1 r2
  SETGLOBAL r1 "accepted"
.lineno 9
  RETURN r0 1
  RETURN r0 1
.end
.function onreceive
  .linedefined 10
  .params 1
  .maxstack 10
.lineno 11
  GETGLOBAL r1 "nrecv"
  LOADK r2 #1
  ADD r1 r1 r2
  SETGLOBAL r1 "nrecv"
.lineno 12
  GETGLOBAL r1 "phase"
  LOADK r2 #1
  EQ 0 r1 r2
  JMP @L1
.lineno 13
  GETGLOBAL r1 "debugprint"
  MOVE r2 r0
  LOADK r3 "action"
  GETTABLE r2 r2 r3
  LOADK r3 "server side of 10"
  CALL r1 3 1
.lineno 14
  JMP @L2
L1:
.lineno 15
  MOVE r1 r0
  LOADK r2 "id"
  GETTABLE r1 r1 r2
  GETGLOBAL r2 "c11"
  EQ 0 r1 r2
  JMP @L3
.lineno 16
  GETGLOBAL r1 "debugprint"
  MOVE r2 r0
  LOADK r3 "action"
  GETTABLE r2 r2 r3
  LOADK r3 "client 11"
  GETGLOBAL r4 "receivedata"
  GETGLOBAL r5 "c11"
  LOADK r6 #0
  LOADBOOL r7 0 0
  CALL r4 4 0
  CALL r1 0 1
.lineno 17
  GETGLOBAL r1 "closeconnection"
  GETGLOBAL r2 "c12"
  CALL r1 2 1
.lineno 18
  JMP @L4
L3:
.lineno 19
  MOVE r1 r0
  LOADK r2 "id"
  GETTABLE r1 r1 r2
  GETGLOBAL r2 "a12"
  EQ 0 r1 r2
  JMP @L5
.lineno 20
  GETGLOBAL r1 "debugprint"
  MOVE r2 r0
  LOADK r3 "action"
  GETTABLE r2 r2 r3
  LOADK r3 "server side of 12"
  GETGLOBAL r4 "receivedata"
  GETGLOBAL r5 "a12"
  LOADK r6 #0
  LOADBOOL r7 0 0
  CALL r4 4 0
  CALL r1 0 1
.lineno 21
  JMP @L6
L5:
.lineno 22
  GETGLOBAL r1 "debugprint"
  MOVE r2 r0
  LOADK r3 "action"
  GETTABLE r2 r2 r3
  LOADK r3 "another connection"
  CALL r1 3 1
.lineno 23
L6:
.lineno 24
L4:
.lineno 25
L2:
.lineno 26
  RETURN r0 1
  RETURN r0 1
.end
.function ondisconnect
  .linedefined 27
  .params 1
  .maxstack 6
.lineno 28
  GETGLOBAL r1 "ndisc"
  LOADK r2 #1
  ADD r1 r1 r2
  SETGLOBAL r1 "ndisc"
.lineno 29
  MOVE r1 r0
  LOADK r2 "id"
  GETTABLE r1 r1 r2
  GETGLOBAL r2 "a12"
  EQ 0 r1 r2
  JMP @L1
.lineno 30
  GETGLOBAL r1 "debugprint"
  MOVE r2 r0
  LOADK r3 "action"
  GETTABLE r2 r2 r3
  LOADK r3 "server side of 12"
  CALL r1 3 1
.lineno 31
  JMP @L2
L1:
.lineno 32
  GETGLOBAL r1 "debugprint"
  MOVE r2 r0
  LOADK r3 "action"
  GETTABLE r2 r2 r3
  LOADK r3 "another connection"
  CALL r1 3 1
.lineno 33
L2:
.lineno 34
  RETURN r0 1
  RETURN r0 1
.end
