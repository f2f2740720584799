; label: net.transfer
; -- FTP replies that real servers seldom send: sizes in the 150 reply, odd greetings and PASV replies.
; call ExitOnError(0)
; set port = FileToString("port.txt")
; function url(scenario)
; return "ftp://" .. scenario .. ":pw@127.0.0.1:" .. port .. "/file"
; endfunction
; function watch(msg)
; set total = msg.total
; return 0
; endfunction
; function count(data, n)
; return n
; endfunction
; set total = -1
; call DownloadFile(url("size"), {}, watch)
; print "total with bytes", total
; call DownloadFile(url("nosize"), {}, watch)
; print "total without bytes", total
; print "1xx and multi-line greeting", count(DownloadFile("ftp://127.0.0.1:" .. FileToString("port2.txt") .. "/f"))
; print "multi-line reply", count(DownloadFile(url("multi")))
; print "another code ends it", DownloadFile(url("othercode"), {silentfail = True})
; print "five numbers", DownloadFile(url("badpasv"), {silentfail = True})
; print "type refused", DownloadFile(url("badtype"), {silentfail = True})
; print "address ignored", count(DownloadFile(url("elsewhere")))
; print "open connections", GetAttribute(54, 0, 60)
.maxstack 14
.lineno 2
  GETGLOBAL r0 "exitonerror"
  LOADK r1 #0
  CALL r0 2 2
.lineno 3
  GETGLOBAL r0 "filetostring"
  LOADK r1 "port.txt"
  CALL r0 2 2
  SETGLOBAL r0 "port"
.lineno 4
  CLOSURE r0 f:url
  SETGLOBAL r0 "url"
.lineno 7
  CLOSURE r0 f:watch
  SETGLOBAL r0 "watch"
.lineno 11
  CLOSURE r0 f:count
  SETGLOBAL r0 "count"
.lineno 14
  LOADK r0 #-1
  SETGLOBAL r0 "total"
.lineno 15
  GETGLOBAL r0 "downloadfile"
  GETGLOBAL r1 "url"
  LOADK r2 "size"
  CALL r1 2 2
  NEWTABLE r2 0 0
  GETGLOBAL r3 "watch"
  CALL r0 4 2
.lineno 16
  GETGLOBAL r0 "debugprint"
  LOADK r1 "total with bytes"
  GETGLOBAL r2 "total"
  CALL r0 3 1
.lineno 17
  GETGLOBAL r0 "downloadfile"
  GETGLOBAL r1 "url"
  LOADK r2 "nosize"
  CALL r1 2 2
  NEWTABLE r2 0 0
  GETGLOBAL r3 "watch"
  CALL r0 4 2
.lineno 18
  GETGLOBAL r0 "debugprint"
  LOADK r1 "total without bytes"
  GETGLOBAL r2 "total"
  CALL r0 3 1
.lineno 19
  GETGLOBAL r0 "debugprint"
  LOADK r1 "1xx and multi-line greeting"
  GETGLOBAL r2 "count"
  GETGLOBAL r3 "downloadfile"
  LOADK r4 "ftp://127.0.0.1:"
  GETGLOBAL r5 "filetostring"
  LOADK r6 "port2.txt"
  CALL r5 2 2
  LOADK r6 "/f"
  CONCAT r4 r4 r6
  CALL r3 2 0
  CALL r2 0 0
  CALL r0 0 1
.lineno 20
  GETGLOBAL r0 "debugprint"
  LOADK r1 "multi-line reply"
  GETGLOBAL r2 "count"
  GETGLOBAL r3 "downloadfile"
  GETGLOBAL r4 "url"
  LOADK r5 "multi"
  CALL r4 2 0
  CALL r3 0 0
  CALL r2 0 0
  CALL r0 0 1
.lineno 21
  GETGLOBAL r0 "debugprint"
  LOADK r1 "another code ends it"
  GETGLOBAL r2 "downloadfile"
  GETGLOBAL r3 "url"
  LOADK r4 "othercode"
  CALL r3 2 2
  NEWTABLE r4 0 1
  LOADBOOL r5 1 0
  SETTABLE r4 "silentfail" r5
  CALL r2 3 0
  CALL r0 0 1
.lineno 22
  GETGLOBAL r0 "debugprint"
  LOADK r1 "five numbers"
  GETGLOBAL r2 "downloadfile"
  GETGLOBAL r3 "url"
  LOADK r4 "badpasv"
  CALL r3 2 2
  NEWTABLE r4 0 1
  LOADBOOL r5 1 0
  SETTABLE r4 "silentfail" r5
  CALL r2 3 0
  CALL r0 0 1
.lineno 23
  GETGLOBAL r0 "debugprint"
  LOADK r1 "type refused"
  GETGLOBAL r2 "downloadfile"
  GETGLOBAL r3 "url"
  LOADK r4 "badtype"
  CALL r3 2 2
  NEWTABLE r4 0 1
  LOADBOOL r5 1 0
  SETTABLE r4 "silentfail" r5
  CALL r2 3 0
  CALL r0 0 1
.lineno 24
  GETGLOBAL r0 "debugprint"
  LOADK r1 "address ignored"
  GETGLOBAL r2 "count"
  GETGLOBAL r3 "downloadfile"
  GETGLOBAL r4 "url"
  LOADK r5 "elsewhere"
  CALL r4 2 0
  CALL r3 0 0
  CALL r2 0 0
  CALL r0 0 1
.lineno 25
  GETGLOBAL r0 "debugprint"
  LOADK r1 "open connections"
  GETGLOBAL r2 "getattribute"
  LOADK r3 #54
  LOADK r4 #0
  LOADK r5 #60
  CALL r2 4 0
  CALL r0 0 1
  RETURN r0 1
.function url
  .linedefined 4
  .params 1
  .maxstack 8
.lineno 5
  LOADK r1 "ftp://"
  MOVE r2 r0
  LOADK r3 ":pw@127.0.0.1:"
  GETGLOBAL r4 "port"
  LOADK r5 "/file"
  CONCAT r1 r1 r5
  RETURN r1 2
.lineno 6
  RETURN r0 1
.end
.function watch
  .linedefined 7
  .params 1
  .maxstack 4
.lineno 8
  MOVE r1 r0
  GETTABLE r1 r1 "total"
  SETGLOBAL r1 "total"
.lineno 9
  LOADK r1 #0
  RETURN r1 2
.lineno 10
  RETURN r0 1
.end
.function count
  .linedefined 11
  .params 2
  .maxstack 5
.lineno 12
  MOVE r2 r1
  RETURN r2 2
.lineno 13
  RETURN r0 1
.end
