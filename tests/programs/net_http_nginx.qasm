; label: net.transfer
; -- Downloads from nginx into memory and into files; a folder's redirect; a failed download over a file.
; call ExitOnError(0)
; set base = "http://127.0.0.1:" .. FileToString("port.txt")
; print "one byte", DownloadFile(base .. "/one")
; call StringToFile(DownloadFile(base .. "/mega"), "mega.mem")
; call StringToFile(DownloadFile(base .. "/big"), "big.mem")
; print "files", DownloadFile(base .. "/one", {file = "one.file"})
; print "mega", DownloadFile(base .. "/mega", {file = "mega.file"})
; print "big", DownloadFile(base .. "/big", {file = "big.file"})
; print "empty", DownloadFile(base .. "/empty", {silentfail = True})
; print "folder", DownloadFile(base .. "/dir")
; print "fails over a file", DownloadFile(base .. "/none", {file = "keep.txt", fail404 = True, silentfail = True})
; print "kept", FileToString("keep.txt")
; print "open connections", GetAttribute(54, 0, 60)
.maxstack 13
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
  GETGLOBAL r0 "debugprint"
  LOADK r1 "one byte"
  GETGLOBAL r2 "downloadfile"
  GETGLOBAL r3 "base"
  LOADK r4 "/one"
  CONCAT r3 r3 r4
  CALL r2 2 0
  CALL r0 0 1
.lineno 5
  GETGLOBAL r0 "stringtofile"
  GETGLOBAL r1 "downloadfile"
  GETGLOBAL r2 "base"
  LOADK r3 "/mega"
  CONCAT r2 r2 r3
  CALL r1 2 2
  LOADK r2 "mega.mem"
  CALL r0 3 2
.lineno 6
  GETGLOBAL r0 "stringtofile"
  GETGLOBAL r1 "downloadfile"
  GETGLOBAL r2 "base"
  LOADK r3 "/big"
  CONCAT r2 r2 r3
  CALL r1 2 2
  LOADK r2 "big.mem"
  CALL r0 3 2
.lineno 7
  GETGLOBAL r0 "debugprint"
  LOADK r1 "files"
  GETGLOBAL r2 "downloadfile"
  GETGLOBAL r3 "base"
  LOADK r4 "/one"
  CONCAT r3 r3 r4
  NEWTABLE r4 0 1
  LOADK r5 "one.file"
  SETTABLE r4 "file" r5
  CALL r2 3 0
  CALL r0 0 1
.lineno 8
  GETGLOBAL r0 "debugprint"
  LOADK r1 "mega"
  GETGLOBAL r2 "downloadfile"
  GETGLOBAL r3 "base"
  LOADK r4 "/mega"
  CONCAT r3 r3 r4
  NEWTABLE r4 0 1
  LOADK r5 "mega.file"
  SETTABLE r4 "file" r5
  CALL r2 3 0
  CALL r0 0 1
.lineno 9
  GETGLOBAL r0 "debugprint"
  LOADK r1 "big"
  GETGLOBAL r2 "downloadfile"
  GETGLOBAL r3 "base"
  LOADK r4 "/big"
  CONCAT r3 r3 r4
  NEWTABLE r4 0 1
  LOADK r5 "big.file"
  SETTABLE r4 "file" r5
  CALL r2 3 0
  CALL r0 0 1
.lineno 10
  GETGLOBAL r0 "debugprint"
  LOADK r1 "empty"
  GETGLOBAL r2 "downloadfile"
  GETGLOBAL r3 "base"
  LOADK r4 "/empty"
  CONCAT r3 r3 r4
  NEWTABLE r4 0 1
  LOADBOOL r5 1 0
  SETTABLE r4 "silentfail" r5
  CALL r2 3 0
  CALL r0 0 1
.lineno 11
  GETGLOBAL r0 "debugprint"
  LOADK r1 "folder"
  GETGLOBAL r2 "downloadfile"
  GETGLOBAL r3 "base"
  LOADK r4 "/dir"
  CONCAT r3 r3 r4
  CALL r2 2 0
  CALL r0 0 1
.lineno 12
  GETGLOBAL r0 "debugprint"
  LOADK r1 "fails over a file"
  GETGLOBAL r2 "downloadfile"
  GETGLOBAL r3 "base"
  LOADK r4 "/none"
  CONCAT r3 r3 r4
  NEWTABLE r4 0 3
  LOADK r5 "keep.txt"
  SETTABLE r4 "file" r5
  LOADBOOL r5 1 0
  SETTABLE r4 "fail404" r5
  LOADBOOL r5 1 0
  SETTABLE r4 "silentfail" r5
  CALL r2 3 0
  CALL r0 0 1
.lineno 13
  GETGLOBAL r0 "debugprint"
  LOADK r1 "kept"
  GETGLOBAL r2 "filetostring"
  LOADK r3 "keep.txt"
  CALL r2 2 0
  CALL r0 0 1
.lineno 14
  GETGLOBAL r0 "debugprint"
  LOADK r1 "open connections"
  GETGLOBAL r2 "getattribute"
  LOADK r3 #54
  LOADK r4 #0
  LOADK r5 #60
  CALL r2 4 0
  CALL r0 0 1
  RETURN r0 1
