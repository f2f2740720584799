; label: stdlib.dos
; DeleteFile removes a symbolic link itself, never what it names, also when it names nothing: a
; folder holding a dangling link goes whole, a lone dangling link goes, and a link to a file
; outside the folder leaves that file alone.
; call ExitOnError(0)
; call DeleteFile("ee/lone")
; print "lone link", GetLastError()
; call DeleteFile("dd")
; print "folder with a dangling link", GetLastError()
; call DeleteFile("ff")
; print "folder with a link out", GetLastError()
.source "@data_dangling_links.qasm"
.maxstack 5
.lineno 1
  GETGLOBAL r0 "exitonerror"
  LOADK r1 #0
  CALL r0 2 1
.lineno 2
  GETGLOBAL r0 "deletefile"
  LOADK r1 "ee/lone"
  CALL r0 2 1
.lineno 3
  GETGLOBAL r0 "debugprint"
  LOADK r1 "lone link"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 1
.lineno 4
  GETGLOBAL r0 "deletefile"
  LOADK r1 "dd"
  CALL r0 2 1
.lineno 5
  GETGLOBAL r0 "debugprint"
  LOADK r1 "folder with a dangling link"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 1
.lineno 6
  GETGLOBAL r0 "deletefile"
  LOADK r1 "ff"
  CALL r0 2 1
.lineno 7
  GETGLOBAL r0 "debugprint"
  LOADK r1 "folder with a link out"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 1
  RETURN r0 1
