; label: net.transfer
; A quit ends a download that waits without a time-out for a server that never answers (the
; program's own server, which never accepts): the program ends at once, without its last line.
; SetNetworkTimeout(0)
; CreateServer(1, 0, "127.0.0.1")
; DebugPrint("start")
; CheckEvent()  -- the quit is timed from this first look at the events
; DownloadFile("http://127.0.0.1:" .. GetLocalPort(1, 115) .. "/")
; DebugPrint("not reached")
.source "@net_http_quit.qasm"
.maxstack 6
.lineno 4
  GETGLOBAL r0 "setnetworktimeout"
  LOADK r1 #0
  CALL r0 2 1
.lineno 5
  GETGLOBAL r0 "createserver"
  LOADK r1 #1
  LOADK r2 #0
  LOADK r3 "127.0.0.1"
  CALL r0 4 1
.lineno 6
  GETGLOBAL r0 "debugprint"
  LOADK r1 "start"
  CALL r0 2 1
.lineno 7
  GETGLOBAL r0 "checkevent"
  CALL r0 1 1
.lineno 8
  GETGLOBAL r0 "downloadfile"
  LOADK r1 "http://127.0.0.1:"
  GETGLOBAL r2 "getlocalport"
  LOADK r3 #1
  LOADK r4 #115
  CALL r2 3 2
  LOADK r3 "/"
  CONCAT r1 r1 r3
  CALL r0 2 1
.lineno 9
  GETGLOBAL r0 "debugprint"
  LOADK r1 "not reached"
  CALL r0 2 1
  RETURN r0 1
