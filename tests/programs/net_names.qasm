; label: net
; Host names: ToIP and ToHostName host tables, a look-up that fails through the seam, IsOnline
; against a loopback listener, and a connect to the any-address.
; call ExitOnError(0)
; set ip, t = ToIP("localhost")
; print "ToIP", ip, t.name, t.ip[1]
; set name, t = ToHostName("127.0.0.1")
; print "ToHostName", name, t.name, t.ip[1]
; call ToIP("nohost")
; print "nohost", GetLastError(), GetErrorName(GetLastError())
; print "online", IsOnline()
; call OpenConnection(1, "*", 80)
; print "any address", GetLastError()
; if GetHostName() ~= ""
; print "a host name"
; endif
.source "@net_names.qasm"
.maxstack 8
.lineno 1
  GETGLOBAL r0 "exitonerror"
  LOADK r1 #0
  CALL r0 2 1
.lineno 2
  GETGLOBAL r0 "toip"
  LOADK r1 "localhost"
  CALL r0 2 3
  SETGLOBAL r0 "ip"
  SETGLOBAL r1 "t"
.lineno 3
  GETGLOBAL r0 "debugprint"
  LOADK r1 "ToIP"
  GETGLOBAL r2 "ip"
  GETGLOBAL r3 "t"
  LOADK r4 "name"
  GETTABLE r3 r3 r4
  GETGLOBAL r4 "t"
  LOADK r5 "ip"
  GETTABLE r4 r4 r5
  LOADK r5 #1
  GETTABLE r4 r4 r5
  CALL r0 5 1
.lineno 4
  GETGLOBAL r0 "tohostname"
  LOADK r1 "127.0.0.1"
  CALL r0 2 3
  SETGLOBAL r0 "name"
  SETGLOBAL r1 "t"
.lineno 5
  GETGLOBAL r0 "debugprint"
  LOADK r1 "ToHostName"
  GETGLOBAL r2 "name"
  GETGLOBAL r3 "t"
  LOADK r4 "name"
  GETTABLE r3 r3 r4
  GETGLOBAL r4 "t"
  LOADK r5 "ip"
  GETTABLE r4 r4 r5
  LOADK r5 #1
  GETTABLE r4 r4 r5
  CALL r0 5 1
.lineno 6
  GETGLOBAL r0 "toip"
  LOADK r1 "nohost"
  CALL r0 2 1
.lineno 7
  GETGLOBAL r0 "debugprint"
  LOADK r1 "nohost"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 2
  GETGLOBAL r3 "geterrorname"
  GETGLOBAL r4 "getlasterror"
  CALL r4 1 0
  CALL r3 0 0
  CALL r0 0 1
.lineno 8
  GETGLOBAL r0 "debugprint"
  LOADK r1 "online"
  GETGLOBAL r2 "isonline"
  CALL r2 1 0
  CALL r0 0 1
.lineno 9
  GETGLOBAL r0 "openconnection"
  LOADK r1 #1
  LOADK r2 "*"
  LOADK r3 #80
  CALL r0 4 1
.lineno 10
  GETGLOBAL r0 "debugprint"
  LOADK r1 "any address"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 1
.lineno 11
  GETGLOBAL r0 "gethostname"
  CALL r0 1 2
  LOADK r1 ""
  EQ 1 r0 r1
  JMP @L1
.lineno 12
  GETGLOBAL r0 "debugprint"
  LOADK r1 "a host name"
  CALL r0 2 1
.lineno 13
L1:
  RETURN r0 1
