; set porttext = FileToString("port.txt")
; set port = ToNumber(porttext)
; call SetNetworkTimeout(0)
; call OpenConnection(1, "127.0.0.1", port)
; set total = 0
; set piece = 1048576
; while total < 1073741824
; call ReceiveData(1, 1, piece)
; set total = total + piece
; wend
; call CloseConnection(1)
.source "@recv.qasm"
.maxstack 6
.lineno 1
  GETGLOBAL r0 "filetostring"
  LOADK r1 "port.txt"
  CALL r0 2 2
  SETGLOBAL r0 "porttext"
.lineno 2
  GETGLOBAL r0 "tonumber"
  GETGLOBAL r1 "porttext"
  CALL r0 2 2
  SETGLOBAL r0 "port"
.lineno 3
  GETGLOBAL r0 "setnetworktimeout"
  LOADK r1 #0
  CALL r0 2 1
.lineno 4
  GETGLOBAL r0 "openconnection"
  LOADK r1 #1
  LOADK r2 "127.0.0.1"
  GETGLOBAL r3 "port"
  CALL r0 4 1
.lineno 5
  LOADK r0 #0
  SETGLOBAL r0 "total"
.lineno 6
  LOADK r0 #1048576
  SETGLOBAL r0 "piece"
.lineno 7
L1:
  GETGLOBAL r0 "total"
  LOADK r1 #1073741824
  LT 0 r0 r1
  JMP @L2
.lineno 8
  GETGLOBAL r0 "receivedata"
  LOADK r1 #1
  LOADK r2 #1
  GETGLOBAL r3 "piece"
  CALL r0 4 1
.lineno 9
  GETGLOBAL r0 "total"
  GETGLOBAL r1 "piece"
  ADD r0 r0 r1
  SETGLOBAL r0 "total"
.lineno 10
  JMP @L1
L2:
.lineno 11
  GETGLOBAL r0 "closeconnection"
  LOADK r1 #1
  CALL r0 2 1
  RETURN r0 1
