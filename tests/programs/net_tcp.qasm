; label: net
; TCP connections through a line and echo server: lines, bytes, all, time-outs, sending and ids.
; call ExitOnError(0)
; set nl = Chr(10)
; set porttext = FileToString("port.txt")
; set port = ToNumber(porttext)
; function talk(id, cmd)
; call OpenConnection(id, "127.0.0.1", port)
; call SendData(id, cmd .. nl)
; endfunction
; call talk(1, "LINE")
; print "line", ReceiveData(1, 2)
; call CloseConnection(1)
; call talk(1, "SPLIT")
; print "split", ReceiveData(1, 2)
; call CloseConnection(1)
; call talk(1, "BYTES")
; print "bytes", ReceiveData(1, 1, 8)
; print "rest", ReceiveData(1, 1, 2)
; call CloseConnection(1)
; call talk(1, "ALLNOW")
; print "marker", ReceiveData(1, 2)
; print "all, no wait", ReceiveData(1, 0, False)
; call CloseConnection(1)
; call talk(1, "ALLCLOSE")
; print "all until closed", ReceiveData(1, 0, True)
; call CloseConnection(1)
; call SetNetworkTimeout(300)
; call talk(1, "SILENT")
; call ReceiveData(1, 2)
; print "silence", GetLastError(), GetErrorName(GetLastError())
; call CloseConnection(1)
; call SetNetworkTimeout(0)
; call talk(1, "LATE")
; print "no limit", ReceiveData(1, 2)
; call CloseConnection(1)
; call SetNetworkTimeout(10000)
; call talk(1, "COUNT 1048576")
; print "sent", SendData(1, RepeatStr("x", 1048576))
; print "counted", ReceiveData(1, 2)
; print "peer", GetConnectionIP(1)
; if GetConnectionPort(1) == port
; print "peer port is the server's"
; endif
; call CloseConnection(1)
; call CloseConnection(99)
; print "close 99", GetLastError(), GetErrorName(GetLastError())
; call talk(1, "HOLD")
; call talk(1, "OPEN")
; print "open besides", ReceiveData(1, 2)
; call CloseConnection(1)
; call CloseConnection(1)
; print "closed once", GetLastError()
; call ReceiveData(5, 2)
; print "unknown", GetLastError()
; call talk(2, "LINE")
; call ReceiveData(2, 1, 0)
; print "count 0", GetLastError()
; call ReceiveData(2, 7)
; print "mode 7", GetLastError()
; call SetNetworkTimeout(-1)
; print "negative time-out", GetLastError()
; call OpenConnection(3, "127.0.0.1", 70000)
; print "port 70000", GetLastError()
.source "@net_tcp.qasm"
.maxstack 9
.lineno 1
  GETGLOBAL r0 "exitonerror"
  LOADK r1 #0
  CALL r0 2 1
.lineno 2
  GETGLOBAL r0 "chr"
  LOADK r1 #10
  CALL r0 2 2
  SETGLOBAL r0 "nl"
.lineno 3
  GETGLOBAL r0 "filetostring"
  LOADK r1 "port.txt"
  CALL r0 2 2
  SETGLOBAL r0 "porttext"
.lineno 4
  GETGLOBAL r0 "tonumber"
  GETGLOBAL r1 "porttext"
  CALL r0 2 2
  SETGLOBAL r0 "port"
.lineno 5
  CLOSURE r0 f:talk
  SETGLOBAL r0 "talk"
.lineno 9
  GETGLOBAL r0 "talk"
  LOADK r1 #1
  LOADK r2 "LINE"
  CALL r0 3 1
.lineno 10
  GETGLOBAL r0 "debugprint"
  LOADK r1 "line"
  GETGLOBAL r2 "receivedata"
  LOADK r3 #1
  LOADK r4 #2
  CALL r2 3 0
  CALL r0 0 1
.lineno 11
  GETGLOBAL r0 "closeconnection"
  LOADK r1 #1
  CALL r0 2 1
.lineno 12
  GETGLOBAL r0 "talk"
  LOADK r1 #1
  LOADK r2 "SPLIT"
  CALL r0 3 1
.lineno 13
  GETGLOBAL r0 "debugprint"
  LOADK r1 "split"
  GETGLOBAL r2 "receivedata"
  LOADK r3 #1
  LOADK r4 #2
  CALL r2 3 0
  CALL r0 0 1
.lineno 14
  GETGLOBAL r0 "closeconnection"
  LOADK r1 #1
  CALL r0 2 1
.lineno 15
  GETGLOBAL r0 "talk"
  LOADK r1 #1
  LOADK r2 "BYTES"
  CALL r0 3 1
.lineno 16
  GETGLOBAL r0 "debugprint"
  LOADK r1 "bytes"
  GETGLOBAL r2 "receivedata"
  LOADK r3 #1
  LOADK r4 #1
  LOADK r5 #8
  CALL r2 4 0
  CALL r0 0 1
.lineno 17
  GETGLOBAL r0 "debugprint"
  LOADK r1 "rest"
  GETGLOBAL r2 "receivedata"
  LOADK r3 #1
  LOADK r4 #1
  LOADK r5 #2
  CALL r2 4 0
  CALL r0 0 1
.lineno 18
  GETGLOBAL r0 "closeconnection"
  LOADK r1 #1
  CALL r0 2 1
.lineno 19
  GETGLOBAL r0 "talk"
  LOADK r1 #1
  LOADK r2 "ALLNOW"
  CALL r0 3 1
.lineno 20
  GETGLOBAL r0 "debugprint"
  LOADK r1 "marker"
  GETGLOBAL r2 "receivedata"
  LOADK r3 #1
  LOADK r4 #2
  CALL r2 3 0
  CALL r0 0 1
.lineno 21
  GETGLOBAL r0 "debugprint"
  LOADK r1 "all, no wait"
  GETGLOBAL r2 "receivedata"
  LOADK r3 #1
  LOADK r4 #0
  LOADBOOL r5 0 0
  CALL r2 4 0
  CALL r0 0 1
.lineno 22
  GETGLOBAL r0 "closeconnection"
  LOADK r1 #1
  CALL r0 2 1
.lineno 23
  GETGLOBAL r0 "talk"
  LOADK r1 #1
  LOADK r2 "ALLCLOSE"
  CALL r0 3 1
.lineno 24
  GETGLOBAL r0 "debugprint"
  LOADK r1 "all until closed"
  GETGLOBAL r2 "receivedata"
  LOADK r3 #1
  LOADK r4 #0
  LOADBOOL r5 1 0
  CALL r2 4 0
  CALL r0 0 1
.lineno 25
  GETGLOBAL r0 "closeconnection"
  LOADK r1 #1
  CALL r0 2 1
.lineno 26
  GETGLOBAL r0 "setnetworktimeout"
  LOADK r1 #300
  CALL r0 2 1
.lineno 27
  GETGLOBAL r0 "talk"
  LOADK r1 #1
  LOADK r2 "SILENT"
  CALL r0 3 1
.lineno 28
  GETGLOBAL r0 "receivedata"
  LOADK r1 #1
  LOADK r2 #2
  CALL r0 3 1
.lineno 29
  GETGLOBAL r0 "debugprint"
  LOADK r1 "silence"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 2
  GETGLOBAL r3 "geterrorname"
  GETGLOBAL r4 "getlasterror"
  CALL r4 1 0
  CALL r3 0 0
  CALL r0 0 1
.lineno 30
  GETGLOBAL r0 "closeconnection"
  LOADK r1 #1
  CALL r0 2 1
.lineno 31
  GETGLOBAL r0 "setnetworktimeout"
  LOADK r1 #0
  CALL r0 2 1
.lineno 32
  GETGLOBAL r0 "talk"
  LOADK r1 #1
  LOADK r2 "LATE"
  CALL r0 3 1
.lineno 33
  GETGLOBAL r0 "debugprint"
  LOADK r1 "no limit"
  GETGLOBAL r2 "receivedata"
  LOADK r3 #1
  LOADK r4 #2
  CALL r2 3 0
  CALL r0 0 1
.lineno 34
  GETGLOBAL r0 "closeconnection"
  LOADK r1 #1
  CALL r0 2 1
.lineno 35
  GETGLOBAL r0 "setnetworktimeout"
  LOADK r1 #10000
  CALL r0 2 1
.lineno 36
  GETGLOBAL r0 "talk"
  LOADK r1 #1
  LOADK r2 "COUNT 1048576"
  CALL r0 3 1
.lineno 37
  GETGLOBAL r0 "debugprint"
  LOADK r1 "sent"
  GETGLOBAL r2 "senddata"
  LOADK r3 #1
  GETGLOBAL r4 "repeatstr"
  LOADK r5 "x"
  LOADK r6 #1048576
  CALL r4 3 0
  CALL r2 0 0
  CALL r0 0 1
.lineno 38
  GETGLOBAL r0 "debugprint"
  LOADK r1 "counted"
  GETGLOBAL r2 "receivedata"
  LOADK r3 #1
  LOADK r4 #2
  CALL r2 3 0
  CALL r0 0 1
.lineno 39
  GETGLOBAL r0 "debugprint"
  LOADK r1 "peer"
  GETGLOBAL r2 "getconnectionip"
  LOADK r3 #1
  CALL r2 2 0
  CALL r0 0 1
.lineno 40
  GETGLOBAL r0 "getconnectionport"
  LOADK r1 #1
  CALL r0 2 2
  GETGLOBAL r1 "port"
  EQ 0 r0 r1
  JMP @L1
.lineno 41
  GETGLOBAL r0 "debugprint"
  LOADK r1 "peer port is the server's"
  CALL r0 2 1
.lineno 42
L1:
.lineno 43
  GETGLOBAL r0 "closeconnection"
  LOADK r1 #1
  CALL r0 2 1
.lineno 44
  GETGLOBAL r0 "closeconnection"
  LOADK r1 #99
  CALL r0 2 1
.lineno 45
  GETGLOBAL r0 "debugprint"
  LOADK r1 "close 99"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 2
  GETGLOBAL r3 "geterrorname"
  GETGLOBAL r4 "getlasterror"
  CALL r4 1 0
  CALL r3 0 0
  CALL r0 0 1
.lineno 46
  GETGLOBAL r0 "talk"
  LOADK r1 #1
  LOADK r2 "HOLD"
  CALL r0 3 1
.lineno 47
  GETGLOBAL r0 "talk"
  LOADK r1 #1
  LOADK r2 "OPEN"
  CALL r0 3 1
.lineno 48
  GETGLOBAL r0 "debugprint"
  LOADK r1 "open besides"
  GETGLOBAL r2 "receivedata"
  LOADK r3 #1
  LOADK r4 #2
  CALL r2 3 0
  CALL r0 0 1
.lineno 49
  GETGLOBAL r0 "closeconnection"
  LOADK r1 #1
  CALL r0 2 1
.lineno 50
  GETGLOBAL r0 "closeconnection"
  LOADK r1 #1
  CALL r0 2 1
.lineno 51
  GETGLOBAL r0 "debugprint"
  LOADK r1 "closed once"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 1
.lineno 52
  GETGLOBAL r0 "receivedata"
  LOADK r1 #5
  LOADK r2 #2
  CALL r0 3 1
.lineno 53
  GETGLOBAL r0 "debugprint"
  LOADK r1 "unknown"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 1
.lineno 54
  GETGLOBAL r0 "talk"
  LOADK r1 #2
  LOADK r2 "LINE"
  CALL r0 3 1
.lineno 55
  GETGLOBAL r0 "receivedata"
  LOADK r1 #2
  LOADK r2 #1
  LOADK r3 #0
  CALL r0 4 1
.lineno 56
  GETGLOBAL r0 "debugprint"
  LOADK r1 "count 0"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 1
.lineno 57
  GETGLOBAL r0 "receivedata"
  LOADK r1 #2
  LOADK r2 #7
  CALL r0 3 1
.lineno 58
  GETGLOBAL r0 "debugprint"
  LOADK r1 "mode 7"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 1
.lineno 59
  GETGLOBAL r0 "setnetworktimeout"
  LOADK r1 #0
  LOADK r2 #1
  SUB r1 r1 r2
  CALL r0 2 1
.lineno 60
  GETGLOBAL r0 "debugprint"
  LOADK r1 "negative time-out"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 1
.lineno 61
  GETGLOBAL r0 "openconnection"
  LOADK r1 #3
  LOADK r2 "127.0.0.1"
  LOADK r3 #70000
  CALL r0 4 1
.lineno 62
  GETGLOBAL r0 "debugprint"
  LOADK r1 "port 70000"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 1
  RETURN r0 1
.function talk
  .linedefined 5
  .params 2
  .maxstack 8
.lineno 6
  GETGLOBAL r2 "openconnection"
  MOVE r3 r0
  LOADK r4 "127.0.0.1"
  GETGLOBAL r5 "port"
  CALL r2 4 1
.lineno 7
  GETGLOBAL r2 "senddata"
  MOVE r3 r0
  MOVE r4 r1
  GETGLOBAL r5 "nl"
  CONCAT r4 r4 r5
  CALL r2 3 1
.lineno 8
  RETURN r0 1
  RETURN r0 1
.end
