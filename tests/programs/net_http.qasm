; label: net.transfer
; -- HTTP downloads from a scripted peer: the request's bytes, replies of every kind, errors and progress.
; call ExitOnError(0)
; set base = "http://127.0.0.1:" .. FileToString("port.txt")
; function open()
; return GetAttribute(54, 0, 60)
; endfunction
; print "request", DownloadFile(base .. "/echo/a b~+%{|}$,\"^`" .. Chr(233) .. Chr(10))
; print "post", DownloadFile(base .. "/echo", {post = "a=1&b=2", posttype = "text/plain"})
; print "proxy", DownloadFile("http://origin.test:8080/echo/p", {proxy = base})
; print "open connections", open()
; print "length", DownloadFile(base .. "/len")
; call DownloadFile(base .. "/len", {file = "len.txt"})
; print "into a file", FileToString("len.txt")
; print "chunked", DownloadFile(base .. "/chunked")
; call DownloadFile(base .. "/chunked", {file = "chunked.txt"})
; print "chunked file", FileToString("chunked.txt")
; print "100 then 200", DownloadFile(base .. "/continue")
; print "redirects", DownloadFile(base .. "/redir/1")
; print "redirect off", DownloadFile(base .. "/redir/1", {redirect = False})
; print "relative", DownloadFile(base .. "/relative", {silentfail = True})
; print "204", DownloadFile(base .. "/status/204", {silentfail = True})
; print "304", DownloadFile(base .. "/status/304", {silentfail = True})
; print "101", DownloadFile(base .. "/status/101", {silentfail = True})
; print "no length", DownloadFile(base .. "/nolength", {silentfail = True})
; print "bad 1", DownloadFile(base .. "/bad1", {silentfail = True})
; print "bad 2", DownloadFile(base .. "/bad2", {silentfail = True})
; print "bad 3", DownloadFile(base .. "/bad3", {silentfail = True})
; print "gzip", DownloadFile(base .. "/gzip", {silentfail = True})
; print "404 body", DownloadFile(base .. "/missing")
; print "fail404", DownloadFile(base .. "/missing", {fail404 = True, silentfail = True})
; print "long cookie", DownloadFile(base .. "/cookie")
; print "long location", DownloadFile(base .. "/longlocation", {silentfail = True})
; print "huge length", DownloadFile(base .. "/hugelength", {silentfail = True})
; print "huge chunk", DownloadFile(base .. "/hugechunk", {silentfail = True})
; print "no chunk size", DownloadFile(base .. "/nochunk", {silentfail = True})
; print "open connections", open()
; call DownloadFile(base .. "/bad1")
; print "not silent", GetLastError(), open()
; call DownloadFile("gopher://127.0.0.1/")
; print "scheme", GetLastError()
; call DownloadFile(base .. "/len", {transfermode = 3})
; print "transfer mode", GetLastError()
; call DownloadFile(base .. "/len", {post = ""})
; print "empty post", GetLastError()
; call DownloadFile(base .. "/len", {post = "x", posttype = "a" .. Chr(13) .. Chr(10) .. "X-Evil: 1"})
; print "post type with a line break", GetLastError()
; call DownloadFile(base .. "/len", {proxy = "ftp://127.0.0.1"})
; print "ftp proxy", GetLastError()
; call DownloadFile("http://user:pw@127.0.0.1/len")
; print "http login", GetLastError()
; call DownloadFile("http://127.0.0.1:x/len")
; print "port without digits", GetLastError()
; call DownloadFile("http://127.0.0.1/" .. RepeatStr("a", 1100))
; print "long url", GetLastError()
; call DownloadFile("http://127.0.0.1/" .. RepeatStr(" ", 400))
; print "long once encoded", GetLastError()
; call UploadFile(base .. "/len", {data = "x"})
; print "upload over http", GetLastError()
; function stop(msg)
; print "progress", msg.action, msg.count, msg.total, msg.userdata
; return 1
; endfunction
; print "ended by the program", DownloadFile(base .. "/slow", {}, stop, "mine")
; function watch(msg)
; set last = msg.count .. "/" .. msg.total
; return 0
; endfunction
; call DownloadFile(base .. "/slow", {}, watch)
; print "progress at the end", last
; function churn(msg)
; set junk = RepeatStr("j", 1000) .. msg.count
; call CollectGarbage()
; return 0
; endfunction
; set body, n = DownloadFile(base .. "/many", {}, churn)
; print "collections meanwhile", n, StrLen(body), MidStr(body, 9995, 10), body == DownloadFile(base .. "/many")
; print "as the program's own", DownloadFile(base .. "/len") == "hello"
; function fail(msg)
; call Error("from progress")
; endfunction
; call DownloadFile(base .. "/many", {}, fail)
; print "error in progress", GetLastError(), open()
; print "open connections", open()
.maxstack 15
.lineno 2
  GETGLOBAL r0 "exitonerror"
  LOADK r1 #0
  CALL r0 2 2
.lineno 3
  LOADK r0 "http://127.0.0.1:"
  GETGLOBAL r1 "filetostring"
  LOADK r2 "port.txt"
  CALL r1 2 2
  CONCAT r0 r0 r1
  SETGLOBAL r0 "base"
.lineno 4
  CLOSURE r0 f:open
  SETGLOBAL r0 "open"
.lineno 7
  GETGLOBAL r0 "debugprint"
  LOADK r1 "request"
  GETGLOBAL r2 "downloadfile"
  GETGLOBAL r3 "base"
  LOADK r4 "/echo/a b~+%{|}$,\"^`"
  GETGLOBAL r5 "chr"
  LOADK r6 #233
  CALL r5 2 2
  GETGLOBAL r6 "chr"
  LOADK r7 #10
  CALL r6 2 2
  CONCAT r3 r3 r6
  CALL r2 2 0
  CALL r0 0 1
.lineno 8
  GETGLOBAL r0 "debugprint"
  LOADK r1 "post"
  GETGLOBAL r2 "downloadfile"
  GETGLOBAL r3 "base"
  LOADK r4 "/echo"
  CONCAT r3 r3 r4
  NEWTABLE r4 0 2
  LOADK r5 "a=1&b=2"
  SETTABLE r4 "post" r5
  LOADK r5 "text/plain"
  SETTABLE r4 "posttype" r5
  CALL r2 3 0
  CALL r0 0 1
.lineno 9
  GETGLOBAL r0 "debugprint"
  LOADK r1 "proxy"
  GETGLOBAL r2 "downloadfile"
  LOADK r3 "http://origin.test:8080/echo/p"
  NEWTABLE r4 0 1
  GETGLOBAL r5 "base"
  SETTABLE r4 "proxy" r5
  CALL r2 3 0
  CALL r0 0 1
.lineno 10
  GETGLOBAL r0 "debugprint"
  LOADK r1 "open connections"
  GETGLOBAL r2 "open"
  CALL r2 1 0
  CALL r0 0 1
.lineno 11
  GETGLOBAL r0 "debugprint"
  LOADK r1 "length"
  GETGLOBAL r2 "downloadfile"
  GETGLOBAL r3 "base"
  LOADK r4 "/len"
  CONCAT r3 r3 r4
  CALL r2 2 0
  CALL r0 0 1
.lineno 12
  GETGLOBAL r0 "downloadfile"
  GETGLOBAL r1 "base"
  LOADK r2 "/len"
  CONCAT r1 r1 r2
  NEWTABLE r2 0 1
  LOADK r3 "len.txt"
  SETTABLE r2 "file" r3
  CALL r0 3 2
.lineno 13
  GETGLOBAL r0 "debugprint"
  LOADK r1 "into a file"
  GETGLOBAL r2 "filetostring"
  LOADK r3 "len.txt"
  CALL r2 2 0
  CALL r0 0 1
.lineno 14
  GETGLOBAL r0 "debugprint"
  LOADK r1 "chunked"
  GETGLOBAL r2 "downloadfile"
  GETGLOBAL r3 "base"
  LOADK r4 "/chunked"
  CONCAT r3 r3 r4
  CALL r2 2 0
  CALL r0 0 1
.lineno 15
  GETGLOBAL r0 "downloadfile"
  GETGLOBAL r1 "base"
  LOADK r2 "/chunked"
  CONCAT r1 r1 r2
  NEWTABLE r2 0 1
  LOADK r3 "chunked.txt"
  SETTABLE r2 "file" r3
  CALL r0 3 2
.lineno 16
  GETGLOBAL r0 "debugprint"
  LOADK r1 "chunked file"
  GETGLOBAL r2 "filetostring"
  LOADK r3 "chunked.txt"
  CALL r2 2 0
  CALL r0 0 1
.lineno 17
  GETGLOBAL r0 "debugprint"
  LOADK r1 "100 then 200"
  GETGLOBAL r2 "downloadfile"
  GETGLOBAL r3 "base"
  LOADK r4 "/continue"
  CONCAT r3 r3 r4
  CALL r2 2 0
  CALL r0 0 1
.lineno 18
  GETGLOBAL r0 "debugprint"
  LOADK r1 "redirects"
  GETGLOBAL r2 "downloadfile"
  GETGLOBAL r3 "base"
  LOADK r4 "/redir/1"
  CONCAT r3 r3 r4
  CALL r2 2 0
  CALL r0 0 1
.lineno 19
  GETGLOBAL r0 "debugprint"
  LOADK r1 "redirect off"
  GETGLOBAL r2 "downloadfile"
  GETGLOBAL r3 "base"
  LOADK r4 "/redir/1"
  CONCAT r3 r3 r4
  NEWTABLE r4 0 1
  LOADBOOL r5 0 0
  SETTABLE r4 "redirect" r5
  CALL r2 3 0
  CALL r0 0 1
.lineno 20
  GETGLOBAL r0 "debugprint"
  LOADK r1 "relative"
  GETGLOBAL r2 "downloadfile"
  GETGLOBAL r3 "base"
  LOADK r4 "/relative"
  CONCAT r3 r3 r4
  NEWTABLE r4 0 1
  LOADBOOL r5 1 0
  SETTABLE r4 "silentfail" r5
  CALL r2 3 0
  CALL r0 0 1
.lineno 21
  GETGLOBAL r0 "debugprint"
  LOADK r1 "204"
  GETGLOBAL r2 "downloadfile"
  GETGLOBAL r3 "base"
  LOADK r4 "/status/204"
  CONCAT r3 r3 r4
  NEWTABLE r4 0 1
  LOADBOOL r5 1 0
  SETTABLE r4 "silentfail" r5
  CALL r2 3 0
  CALL r0 0 1
.lineno 22
  GETGLOBAL r0 "debugprint"
  LOADK r1 "304"
  GETGLOBAL r2 "downloadfile"
  GETGLOBAL r3 "base"
  LOADK r4 "/status/304"
  CONCAT r3 r3 r4
  NEWTABLE r4 0 1
  LOADBOOL r5 1 0
  SETTABLE r4 "silentfail" r5
  CALL r2 3 0
  CALL r0 0 1
.lineno 23
  GETGLOBAL r0 "debugprint"
  LOADK r1 "101"
  GETGLOBAL r2 "downloadfile"
  GETGLOBAL r3 "base"
  LOADK r4 "/status/101"
  CONCAT r3 r3 r4
  NEWTABLE r4 0 1
  LOADBOOL r5 1 0
  SETTABLE r4 "silentfail" r5
  CALL r2 3 0
  CALL r0 0 1
.lineno 24
  GETGLOBAL r0 "debugprint"
  LOADK r1 "no length"
  GETGLOBAL r2 "downloadfile"
  GETGLOBAL r3 "base"
  LOADK r4 "/nolength"
  CONCAT r3 r3 r4
  NEWTABLE r4 0 1
  LOADBOOL r5 1 0
  SETTABLE r4 "silentfail" r5
  CALL r2 3 0
  CALL r0 0 1
.lineno 25
  GETGLOBAL r0 "debugprint"
  LOADK r1 "bad 1"
  GETGLOBAL r2 "downloadfile"
  GETGLOBAL r3 "base"
  LOADK r4 "/bad1"
  CONCAT r3 r3 r4
  NEWTABLE r4 0 1
  LOADBOOL r5 1 0
  SETTABLE r4 "silentfail" r5
  CALL r2 3 0
  CALL r0 0 1
.lineno 26
  GETGLOBAL r0 "debugprint"
  LOADK r1 "bad 2"
  GETGLOBAL r2 "downloadfile"
  GETGLOBAL r3 "base"
  LOADK r4 "/bad2"
  CONCAT r3 r3 r4
  NEWTABLE r4 0 1
  LOADBOOL r5 1 0
  SETTABLE r4 "silentfail" r5
  CALL r2 3 0
  CALL r0 0 1
.lineno 27
  GETGLOBAL r0 "debugprint"
  LOADK r1 "bad 3"
  GETGLOBAL r2 "downloadfile"
  GETGLOBAL r3 "base"
  LOADK r4 "/bad3"
  CONCAT r3 r3 r4
  NEWTABLE r4 0 1
  LOADBOOL r5 1 0
  SETTABLE r4 "silentfail" r5
  CALL r2 3 0
  CALL r0 0 1
.lineno 28
  GETGLOBAL r0 "debugprint"
  LOADK r1 "gzip"
  GETGLOBAL r2 "downloadfile"
  GETGLOBAL r3 "base"
  LOADK r4 "/gzip"
  CONCAT r3 r3 r4
  NEWTABLE r4 0 1
  LOADBOOL r5 1 0
  SETTABLE r4 "silentfail" r5
  CALL r2 3 0
  CALL r0 0 1
.lineno 29
  GETGLOBAL r0 "debugprint"
  LOADK r1 "404 body"
  GETGLOBAL r2 "downloadfile"
  GETGLOBAL r3 "base"
  LOADK r4 "/missing"
  CONCAT r3 r3 r4
  CALL r2 2 0
  CALL r0 0 1
.lineno 30
  GETGLOBAL r0 "debugprint"
  LOADK r1 "fail404"
  GETGLOBAL r2 "downloadfile"
  GETGLOBAL r3 "base"
  LOADK r4 "/missing"
  CONCAT r3 r3 r4
  NEWTABLE r4 0 2
  LOADBOOL r5 1 0
  SETTABLE r4 "fail404" r5
  LOADBOOL r5 1 0
  SETTABLE r4 "silentfail" r5
  CALL r2 3 0
  CALL r0 0 1
.lineno 31
  GETGLOBAL r0 "debugprint"
  LOADK r1 "long cookie"
  GETGLOBAL r2 "downloadfile"
  GETGLOBAL r3 "base"
  LOADK r4 "/cookie"
  CONCAT r3 r3 r4
  CALL r2 2 0
  CALL r0 0 1
.lineno 32
  GETGLOBAL r0 "debugprint"
  LOADK r1 "long location"
  GETGLOBAL r2 "downloadfile"
  GETGLOBAL r3 "base"
  LOADK r4 "/longlocation"
  CONCAT r3 r3 r4
  NEWTABLE r4 0 1
  LOADBOOL r5 1 0
  SETTABLE r4 "silentfail" r5
  CALL r2 3 0
  CALL r0 0 1
.lineno 33
  GETGLOBAL r0 "debugprint"
  LOADK r1 "huge length"
  GETGLOBAL r2 "downloadfile"
  GETGLOBAL r3 "base"
  LOADK r4 "/hugelength"
  CONCAT r3 r3 r4
  NEWTABLE r4 0 1
  LOADBOOL r5 1 0
  SETTABLE r4 "silentfail" r5
  CALL r2 3 0
  CALL r0 0 1
.lineno 34
  GETGLOBAL r0 "debugprint"
  LOADK r1 "huge chunk"
  GETGLOBAL r2 "downloadfile"
  GETGLOBAL r3 "base"
  LOADK r4 "/hugechunk"
  CONCAT r3 r3 r4
  NEWTABLE r4 0 1
  LOADBOOL r5 1 0
  SETTABLE r4 "silentfail" r5
  CALL r2 3 0
  CALL r0 0 1
.lineno 35
  GETGLOBAL r0 "debugprint"
  LOADK r1 "no chunk size"
  GETGLOBAL r2 "downloadfile"
  GETGLOBAL r3 "base"
  LOADK r4 "/nochunk"
  CONCAT r3 r3 r4
  NEWTABLE r4 0 1
  LOADBOOL r5 1 0
  SETTABLE r4 "silentfail" r5
  CALL r2 3 0
  CALL r0 0 1
.lineno 36
  GETGLOBAL r0 "debugprint"
  LOADK r1 "open connections"
  GETGLOBAL r2 "open"
  CALL r2 1 0
  CALL r0 0 1
.lineno 37
  GETGLOBAL r0 "downloadfile"
  GETGLOBAL r1 "base"
  LOADK r2 "/bad1"
  CONCAT r1 r1 r2
  CALL r0 2 2
.lineno 38
  GETGLOBAL r0 "debugprint"
  LOADK r1 "not silent"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 2
  GETGLOBAL r3 "open"
  CALL r3 1 0
  CALL r0 0 1
.lineno 39
  GETGLOBAL r0 "downloadfile"
  LOADK r1 "gopher://127.0.0.1/"
  CALL r0 2 2
.lineno 40
  GETGLOBAL r0 "debugprint"
  LOADK r1 "scheme"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 1
.lineno 41
  GETGLOBAL r0 "downloadfile"
  GETGLOBAL r1 "base"
  LOADK r2 "/len"
  CONCAT r1 r1 r2
  NEWTABLE r2 0 1
  LOADK r3 #3
  SETTABLE r2 "transfermode" r3
  CALL r0 3 2
.lineno 42
  GETGLOBAL r0 "debugprint"
  LOADK r1 "transfer mode"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 1
.lineno 43
  GETGLOBAL r0 "downloadfile"
  GETGLOBAL r1 "base"
  LOADK r2 "/len"
  CONCAT r1 r1 r2
  NEWTABLE r2 0 1
  LOADK r3 ""
  SETTABLE r2 "post" r3
  CALL r0 3 2
.lineno 44
  GETGLOBAL r0 "debugprint"
  LOADK r1 "empty post"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 1
.lineno 45
  GETGLOBAL r0 "downloadfile"
  GETGLOBAL r1 "base"
  LOADK r2 "/len"
  CONCAT r1 r1 r2
  NEWTABLE r2 0 2
  LOADK r3 "x"
  SETTABLE r2 "post" r3
  LOADK r3 "a"
  GETGLOBAL r4 "chr"
  LOADK r5 #13
  CALL r4 2 2
  GETGLOBAL r5 "chr"
  LOADK r6 #10
  CALL r5 2 2
  LOADK r6 "X-Evil: 1"
  CONCAT r3 r3 r6
  SETTABLE r2 "posttype" r3
  CALL r0 3 2
.lineno 46
  GETGLOBAL r0 "debugprint"
  LOADK r1 "post type with a line break"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 1
.lineno 47
  GETGLOBAL r0 "downloadfile"
  GETGLOBAL r1 "base"
  LOADK r2 "/len"
  CONCAT r1 r1 r2
  NEWTABLE r2 0 1
  LOADK r3 "ftp://127.0.0.1"
  SETTABLE r2 "proxy" r3
  CALL r0 3 2
.lineno 48
  GETGLOBAL r0 "debugprint"
  LOADK r1 "ftp proxy"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 1
.lineno 49
  GETGLOBAL r0 "downloadfile"
  LOADK r1 "http://user:pw@127.0.0.1/len"
  CALL r0 2 2
.lineno 50
  GETGLOBAL r0 "debugprint"
  LOADK r1 "http login"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 1
.lineno 51
  GETGLOBAL r0 "downloadfile"
  LOADK r1 "http://127.0.0.1:x/len"
  CALL r0 2 2
.lineno 52
  GETGLOBAL r0 "debugprint"
  LOADK r1 "port without digits"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 1
.lineno 53
  GETGLOBAL r0 "downloadfile"
  LOADK r1 "http://127.0.0.1/"
  GETGLOBAL r2 "repeatstr"
  LOADK r3 "a"
  LOADK r4 #1100
  CALL r2 3 2
  CONCAT r1 r1 r2
  CALL r0 2 2
.lineno 54
  GETGLOBAL r0 "debugprint"
  LOADK r1 "long url"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 1
.lineno 55
  GETGLOBAL r0 "downloadfile"
  LOADK r1 "http://127.0.0.1/"
  GETGLOBAL r2 "repeatstr"
  LOADK r3 " "
  LOADK r4 #400
  CALL r2 3 2
  CONCAT r1 r1 r2
  CALL r0 2 2
.lineno 56
  GETGLOBAL r0 "debugprint"
  LOADK r1 "long once encoded"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 1
.lineno 57
  GETGLOBAL r0 "uploadfile"
  GETGLOBAL r1 "base"
  LOADK r2 "/len"
  CONCAT r1 r1 r2
  NEWTABLE r2 0 1
  LOADK r3 "x"
  SETTABLE r2 "data" r3
  CALL r0 3 2
.lineno 58
  GETGLOBAL r0 "debugprint"
  LOADK r1 "upload over http"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 1
.lineno 59
  CLOSURE r0 f:stop
  SETGLOBAL r0 "stop"
.lineno 63
  GETGLOBAL r0 "debugprint"
  LOADK r1 "ended by the program"
  GETGLOBAL r2 "downloadfile"
  GETGLOBAL r3 "base"
  LOADK r4 "/slow"
  CONCAT r3 r3 r4
  NEWTABLE r4 0 0
  GETGLOBAL r5 "stop"
  LOADK r6 "mine"
  CALL r2 5 0
  CALL r0 0 1
.lineno 64
  CLOSURE r0 f:watch
  SETGLOBAL r0 "watch"
.lineno 68
  GETGLOBAL r0 "downloadfile"
  GETGLOBAL r1 "base"
  LOADK r2 "/slow"
  CONCAT r1 r1 r2
  NEWTABLE r2 0 0
  GETGLOBAL r3 "watch"
  CALL r0 4 2
.lineno 69
  GETGLOBAL r0 "debugprint"
  LOADK r1 "progress at the end"
  GETGLOBAL r2 "last"
  CALL r0 3 1
.lineno 70
  CLOSURE r0 f:churn
  SETGLOBAL r0 "churn"
.lineno 75
  GETGLOBAL r0 "downloadfile"
  GETGLOBAL r1 "base"
  LOADK r2 "/many"
  CONCAT r1 r1 r2
  NEWTABLE r2 0 0
  GETGLOBAL r3 "churn"
  CALL r0 4 3
  SETGLOBAL r0 "body"
  SETGLOBAL r1 "n"
.lineno 76
  GETGLOBAL r0 "debugprint"
  LOADK r1 "collections meanwhile"
  GETGLOBAL r2 "n"
  GETGLOBAL r3 "strlen"
  GETGLOBAL r4 "body"
  CALL r3 2 2
  GETGLOBAL r4 "midstr"
  GETGLOBAL r5 "body"
  LOADK r6 #9995
  LOADK r7 #10
  CALL r4 4 2
  GETGLOBAL r6 "downloadfile"
  GETGLOBAL r7 "base"
  LOADK r8 "/many"
  CONCAT r7 r7 r8
  CALL r6 2 2
  GETGLOBAL r7 "body"
  EQ 1 r7 r6
  JMP @same_body
  LOADBOOL r5 0 1
same_body:
  LOADBOOL r5 1 0
  CALL r0 6 1
.lineno 77
  GETGLOBAL r0 "debugprint"
  LOADK r1 "as the program's own"
  GETGLOBAL r3 "downloadfile"
  GETGLOBAL r4 "base"
  LOADK r5 "/len"
  CONCAT r4 r4 r5
  CALL r3 2 2
  EQ 1 r3 "hello"
  JMP @same_hello
  LOADBOOL r2 0 1
same_hello:
  LOADBOOL r2 1 0
  CALL r0 3 1
.lineno 78
  CLOSURE r0 f:fail
  SETGLOBAL r0 "fail"
.lineno 81
  GETGLOBAL r0 "downloadfile"
  GETGLOBAL r1 "base"
  LOADK r2 "/many"
  CONCAT r1 r1 r2
  NEWTABLE r2 0 0
  GETGLOBAL r3 "fail"
  CALL r0 4 1
.lineno 82
  GETGLOBAL r0 "debugprint"
  LOADK r1 "error in progress"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 2
  GETGLOBAL r3 "open"
  CALL r3 1 0
  CALL r0 0 1
.lineno 83
  GETGLOBAL r0 "debugprint"
  LOADK r1 "open connections"
  GETGLOBAL r2 "open"
  CALL r2 1 0
  CALL r0 0 1
  RETURN r0 1
.function open
  .linedefined 4
  .params 0
  .maxstack 11
.lineno 5
  GETGLOBAL r0 "getattribute"
  LOADK r1 #54
  LOADK r2 #0
  LOADK r3 #60
  CALL r0 4 2
  RETURN r0 2
.lineno 6
  RETURN r0 1
.end
.function stop
  .linedefined 59
  .params 1
  .maxstack 9
.lineno 60
  GETGLOBAL r1 "debugprint"
  LOADK r2 "progress"
  MOVE r3 r0
  GETTABLE r3 r3 "action"
  MOVE r4 r0
  GETTABLE r4 r4 "count"
  MOVE r5 r0
  GETTABLE r5 r5 "total"
  MOVE r6 r0
  GETTABLE r6 r6 "userdata"
  CALL r1 6 1
.lineno 61
  LOADK r1 #1
  RETURN r1 2
.lineno 62
  RETURN r0 1
.end
.function watch
  .linedefined 64
  .params 1
  .maxstack 6
.lineno 65
  MOVE r1 r0
  GETTABLE r1 r1 "count"
  LOADK r2 "/"
  MOVE r3 r0
  GETTABLE r3 r3 "total"
  CONCAT r1 r1 r3
  SETGLOBAL r1 "last"
.lineno 66
  LOADK r1 #0
  RETURN r1 2
.lineno 67
  RETURN r0 1
.end
.function churn
  .linedefined 70
  .params 1
  .maxstack 6
.lineno 71
  GETGLOBAL r1 "repeatstr"
  LOADK r2 "j"
  LOADK r3 #1000
  CALL r1 3 2
  GETTABLE r2 r0 "count"
  CONCAT r1 r1 r2
  SETGLOBAL r1 "junk"
.lineno 72
  GETGLOBAL r1 "collectgarbage"
  CALL r1 1 1
.lineno 73
  LOADK r1 #0
  RETURN r1 2
.lineno 74
  RETURN r0 1
.end
.function fail
  .linedefined 78
  .params 1
  .maxstack 4
.lineno 79
  GETGLOBAL r1 "error"
  LOADK r2 "from progress"
  CALL r1 2 1
.lineno 80
  RETURN r0 1
.end
