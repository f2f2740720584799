; label: net
; UDP objects: a round trip to itself, the argument checks, onreceiveudpdata, and IsOnline
; answering False under the suite, whose on-line host is a closed loopback port.
; call ExitOnError(0)
; set n = 0
; call CreateUDPObject(1, 0, "127.0.0.1")
; set port = GetLocalPort(1, 117)
; print "nothing waiting", ReceiveUDPData(1)
; print "sent", SendUDPData(1, "ping", "127.0.0.1", port)
; set data, ip, from = ReceiveUDPData(1)
; print "received", data, ip
; if from == port
; print "from its own port"
; endif
; call SendUDPData(1, "x", "localhost", port)
; print "name for ip", GetLastError(), GetErrorName(GetLastError())
; call SendUDPData(1, "", "127.0.0.1", port)
; print "empty data", GetLastError()
; call SendUDPData(1, "x", "127.0.0.1", 0)
; print "port 0", GetLastError()
; call SendUDPData(1, "abcdef", "127.0.0.1", port)
; call ReceiveUDPData(1, 0)
; print "maximum 0", GetLastError()
; set data, ip, from = ReceiveUDPData(1, 3)
; print "maximum 3", data, ip
; function onudp(msg)
; set n = n + 1
; set data, ip, from = ReceiveUDPData(msg.id)
; print msg.action, msg.id, data, ip
; endfunction
; newtable h
; setfield h.onreceiveudpdata = onudp
; call InstallEventHandler(h)
; call CreateUDPObject(2)
; call SendUDPData(2, "pong", "127.0.0.1", port)
; repeat
; call WaitEvent()
; until n == 1
; print "online", IsOnline()
; call CloseUDPObject(1)
; call CloseUDPObject(1)
; print "closed once", GetLastError(), GetErrorName(GetLastError())
.source "@net_udp.qasm"
.maxstack 9
.lineno 1
  GETGLOBAL r0 "exitonerror"
  LOADK r1 #0
  CALL r0 2 1
.lineno 2
  LOADK r0 #0
  SETGLOBAL r0 "n"
.lineno 3
  GETGLOBAL r0 "createudpobject"
  LOADK r1 #1
  LOADK r2 #0
  LOADK r3 "127.0.0.1"
  CALL r0 4 1
.lineno 4
  GETGLOBAL r0 "getlocalport"
  LOADK r1 #1
  LOADK r2 #117
  CALL r0 3 2
  SETGLOBAL r0 "port"
.lineno 5
  GETGLOBAL r0 "debugprint"
  LOADK r1 "nothing waiting"
  GETGLOBAL r2 "receiveudpdata"
  LOADK r3 #1
  CALL r2 2 0
  CALL r0 0 1
.lineno 6
  GETGLOBAL r0 "debugprint"
  LOADK r1 "sent"
  GETGLOBAL r2 "sendudpdata"
  LOADK r3 #1
  LOADK r4 "ping"
  LOADK r5 "127.0.0.1"
  GETGLOBAL r6 "port"
  CALL r2 5 0
  CALL r0 0 1
.lineno 7
  GETGLOBAL r0 "receiveudpdata"
  LOADK r1 #1
  CALL r0 2 4
  SETGLOBAL r0 "data"
  SETGLOBAL r1 "ip"
  SETGLOBAL r2 "from"
.lineno 8
  GETGLOBAL r0 "debugprint"
  LOADK r1 "received"
  GETGLOBAL r2 "data"
  GETGLOBAL r3 "ip"
  CALL r0 4 1
.lineno 9
  GETGLOBAL r0 "from"
  GETGLOBAL r1 "port"
  EQ 0 r0 r1
  JMP @L1
.lineno 10
  GETGLOBAL r0 "debugprint"
  LOADK r1 "from its own port"
  CALL r0 2 1
.lineno 11
L1:
.lineno 12
  GETGLOBAL r0 "sendudpdata"
  LOADK r1 #1
  LOADK r2 "x"
  LOADK r3 "localhost"
  GETGLOBAL r4 "port"
  CALL r0 5 1
.lineno 13
  GETGLOBAL r0 "debugprint"
  LOADK r1 "name for ip"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 2
  GETGLOBAL r3 "geterrorname"
  GETGLOBAL r4 "getlasterror"
  CALL r4 1 0
  CALL r3 0 0
  CALL r0 0 1
.lineno 14
  GETGLOBAL r0 "sendudpdata"
  LOADK r1 #1
  LOADK r2 ""
  LOADK r3 "127.0.0.1"
  GETGLOBAL r4 "port"
  CALL r0 5 1
.lineno 15
  GETGLOBAL r0 "debugprint"
  LOADK r1 "empty data"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 1
.lineno 16
  GETGLOBAL r0 "sendudpdata"
  LOADK r1 #1
  LOADK r2 "x"
  LOADK r3 "127.0.0.1"
  LOADK r4 #0
  CALL r0 5 1
.lineno 17
  GETGLOBAL r0 "debugprint"
  LOADK r1 "port 0"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 1
.lineno 18
  GETGLOBAL r0 "sendudpdata"
  LOADK r1 #1
  LOADK r2 "abcdef"
  LOADK r3 "127.0.0.1"
  GETGLOBAL r4 "port"
  CALL r0 5 1
.lineno 19
  GETGLOBAL r0 "receiveudpdata"
  LOADK r1 #1
  LOADK r2 #0
  CALL r0 3 1
.lineno 20
  GETGLOBAL r0 "debugprint"
  LOADK r1 "maximum 0"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 1
.lineno 21
  GETGLOBAL r0 "receiveudpdata"
  LOADK r1 #1
  LOADK r2 #3
  CALL r0 3 4
  SETGLOBAL r0 "data"
  SETGLOBAL r1 "ip"
  SETGLOBAL r2 "from"
.lineno 22
  GETGLOBAL r0 "debugprint"
  LOADK r1 "maximum 3"
  GETGLOBAL r2 "data"
  GETGLOBAL r3 "ip"
  CALL r0 4 1
.lineno 23
  CLOSURE r0 f:onudp
  SETGLOBAL r0 "onudp"
.lineno 28
  NEWTABLE r0 0 0
  SETGLOBAL r0 "h"
.lineno 29
  GETGLOBAL r0 "h"
  GETGLOBAL r1 "onudp"
  SETTABLE r0 "onreceiveudpdata" r1
.lineno 30
  GETGLOBAL r0 "installeventhandler"
  GETGLOBAL r1 "h"
  CALL r0 2 1
.lineno 31
  GETGLOBAL r0 "createudpobject"
  LOADK r1 #2
  CALL r0 2 1
.lineno 32
  GETGLOBAL r0 "sendudpdata"
  LOADK r1 #2
  LOADK r2 "pong"
  LOADK r3 "127.0.0.1"
  GETGLOBAL r4 "port"
  CALL r0 5 1
.lineno 33
L2:
.lineno 34
  GETGLOBAL r0 "waitevent"
  CALL r0 1 1
.lineno 35
  GETGLOBAL r0 "n"
  LOADK r1 #1
  EQ 0 r0 r1
  JMP @L2
.lineno 36
  GETGLOBAL r0 "debugprint"
  LOADK r1 "online"
  GETGLOBAL r2 "isonline"
  CALL r2 1 0
  CALL r0 0 1
.lineno 37
  GETGLOBAL r0 "closeudpobject"
  LOADK r1 #1
  CALL r0 2 1
.lineno 38
  GETGLOBAL r0 "closeudpobject"
  LOADK r1 #1
  CALL r0 2 1
.lineno 39
  GETGLOBAL r0 "debugprint"
  LOADK r1 "closed once"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 2
  GETGLOBAL r3 "geterrorname"
  GETGLOBAL r4 "getlasterror"
  CALL r4 1 0
  CALL r3 0 0
  CALL r0 0 1
  RETURN r0 1
.function onudp
  .linedefined 23
  .params 1
  .maxstack 8
.lineno 24
  GETGLOBAL r1 "n"
  LOADK r2 #1
  ADD r1 r1 r2
  SETGLOBAL r1 "n"
.lineno 25
  GETGLOBAL r1 "receiveudpdata"
  MOVE r2 r0
  LOADK r3 "id"
  GETTABLE r2 r2 r3
  CALL r1 2 4
  SETGLOBAL r1 "data"
  SETGLOBAL r2 "ip"
  SETGLOBAL r3 "from"
.lineno 26
  GETGLOBAL r1 "debugprint"
  MOVE r2 r0
  LOADK r3 "action"
  GETTABLE r2 r2 r3
  MOVE r3 r0
  LOADK r4 "id"
  GETTABLE r3 r3 r4
  GETGLOBAL r4 "data"
  GETGLOBAL r5 "ip"
  CALL r1 5 1
.lineno 27
  RETURN r0 1
  RETURN r0 1
.end
