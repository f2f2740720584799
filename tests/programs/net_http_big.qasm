; label: net.transfer
; -- A large chunked body into memory, whose storage grows while its pages are made present ahead of the receive: byte-exact, ended early by the program, and failed by the progress function.
; call ExitOnError(0)
; set url = "http://127.0.0.1:" .. FileToString("port.txt") .. "/big"
; set body, n = DownloadFile(url)
; call StringToFile(body, "big.mem")
; print "whole", n, StrLen(body)
; function enough(msg)
; if msg.count >= 20000000 then return 1
; return 0
; endfunction
; set part, n = DownloadFile(url, {}, enough)
; print "ended by the program", n >= 20000000, StrLen(part) == n, part == LeftStr(body, n)
; function fail(msg)
; if msg.count < 20000000 then return 0
; endfunction
; call DownloadFile(url, {}, fail)
; print "error in progress", GetLastError(), GetAttribute(54, 0, 60)
.maxstack 12
.lineno 3
  GETGLOBAL r0 "exitonerror"
  LOADK r1 #0
  CALL r0 2 2
.lineno 4
  LOADK r0 "http://127.0.0.1:"
  GETGLOBAL r1 "filetostring"
  LOADK r2 "port.txt"
  CALL r1 2 2
  LOADK r2 "/big"
  CONCAT r0 r0 r2
  SETGLOBAL r0 "url"
.lineno 5
  GETGLOBAL r0 "downloadfile"
  GETGLOBAL r1 "url"
  CALL r0 2 3
  SETGLOBAL r0 "body"
  SETGLOBAL r1 "n"
.lineno 6
  GETGLOBAL r0 "stringtofile"
  GETGLOBAL r1 "body"
  LOADK r2 "big.mem"
  CALL r0 3 1
.lineno 7
  GETGLOBAL r0 "debugprint"
  LOADK r1 "whole"
  GETGLOBAL r2 "n"
  GETGLOBAL r3 "strlen"
  GETGLOBAL r4 "body"
  CALL r3 2 2
  CALL r0 4 1
.lineno 8
  CLOSURE r0 f:enough
  SETGLOBAL r0 "enough"
.lineno 12
  GETGLOBAL r0 "downloadfile"
  GETGLOBAL r1 "url"
  NEWTABLE r2 0 0
  GETGLOBAL r3 "enough"
  CALL r0 4 3
  SETGLOBAL r0 "part"
  SETGLOBAL r1 "n"
.lineno 13
  GETGLOBAL r0 "debugprint"
  LOADK r1 "ended by the program"
  GETGLOBAL r5 "n"
  LE 1 #20000000 r5
  JMP @enough_yes
  LOADBOOL r2 0 1
enough_yes:
  LOADBOOL r2 1 0
  GETGLOBAL r5 "strlen"
  GETGLOBAL r6 "part"
  CALL r5 2 2
  GETGLOBAL r6 "n"
  EQ 1 r5 r6
  JMP @length_yes
  LOADBOOL r3 0 1
length_yes:
  LOADBOOL r3 1 0
  GETGLOBAL r5 "leftstr"
  GETGLOBAL r6 "body"
  GETGLOBAL r7 "n"
  CALL r5 3 2
  GETGLOBAL r6 "part"
  EQ 1 r5 r6
  JMP @prefix_yes
  LOADBOOL r4 0 1
prefix_yes:
  LOADBOOL r4 1 0
  CALL r0 5 1
.lineno 14
  CLOSURE r0 f:fail
  SETGLOBAL r0 "fail"
.lineno 17
  GETGLOBAL r0 "downloadfile"
  GETGLOBAL r1 "url"
  NEWTABLE r2 0 0
  GETGLOBAL r3 "fail"
  CALL r0 4 1
.lineno 18
  GETGLOBAL r0 "debugprint"
  LOADK r1 "error in progress"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 2
  GETGLOBAL r3 "getattribute"
  LOADK r4 #54
  LOADK r5 #0
  LOADK r6 #60
  CALL r3 4 0
  CALL r0 0 1
  RETURN r0 1
.function enough
  .linedefined 8
  .params 1
  .maxstack 4
.lineno 9
  GETTABLE r1 r0 "count"
  LT 1 r1 #20000000
  JMP @small
  LOADK r2 #1
  RETURN r2 2
small:
.lineno 10
  LOADK r2 #0
  RETURN r2 2
.lineno 11
  RETURN r0 1
.end
.function fail
  .linedefined 14
  .params 1
  .maxstack 4
.lineno 15
  GETTABLE r1 r0 "count"
  LT 1 r1 #20000000
  JMP @large
  LOADK r2 #0
  RETURN r2 2
large:
.lineno 16
  RETURN r0 1
.end
