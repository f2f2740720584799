; label: stdlib.dos
; A NUL byte inside a file name is refused before the name reaches the host, which would act on
; the name cut short: 1045 for a name read, 1052 for a name written, 1055 for any other.
; call ExitOnError(0)
; call DeleteFile("box\x00/nothing")
; print "DeleteFile", GetLastError()
; call StringToFile("X", "keep.txt\x00.bak")
; print "StringToFile", GetLastError()
; call OpenFile(1, "keep.txt\x00.bak", 1006)
; print "OpenFile for writing", GetLastError()
; call OpenFile(2, "keep.txt\x00.bak")
; print "OpenFile for reading", GetLastError()
; call FileToString("keep.txt\x00.bak")
; print "FileToString", GetLastError()
; call Rename("keep.txt\x00.bak", "gone.txt")
; print "Rename", GetLastError()
; call MakeDirectory("box\x00/new")
; print "MakeDirectory", GetLastError()
; call Exists("keep.txt\x00.bak")
; print "Exists", GetLastError()
; call CopyFile("keep.txt", "box\x00/x")
; print "CopyFile", GetLastError()
.source "@data_nul_names.qasm"
.maxstack 6
.lineno 1
  GETGLOBAL r0 "exitonerror"
  LOADK r1 #0
  CALL r0 2 1
.lineno 2
  GETGLOBAL r0 "deletefile"
  LOADK r1 "box\x00/nothing"
  CALL r0 2 1
.lineno 3
  GETGLOBAL r0 "debugprint"
  LOADK r1 "DeleteFile"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 1
.lineno 4
  GETGLOBAL r0 "stringtofile"
  LOADK r1 "X"
  LOADK r2 "keep.txt\x00.bak"
  CALL r0 3 1
.lineno 5
  GETGLOBAL r0 "debugprint"
  LOADK r1 "StringToFile"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 1
.lineno 6
  GETGLOBAL r0 "openfile"
  LOADK r1 #1
  LOADK r2 "keep.txt\x00.bak"
  LOADK r3 #1006
  CALL r0 4 1
.lineno 7
  GETGLOBAL r0 "debugprint"
  LOADK r1 "OpenFile for writing"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 1
.lineno 8
  GETGLOBAL r0 "openfile"
  LOADK r1 #2
  LOADK r2 "keep.txt\x00.bak"
  CALL r0 3 1
.lineno 9
  GETGLOBAL r0 "debugprint"
  LOADK r1 "OpenFile for reading"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 1
.lineno 10
  GETGLOBAL r0 "filetostring"
  LOADK r1 "keep.txt\x00.bak"
  CALL r0 2 1
.lineno 11
  GETGLOBAL r0 "debugprint"
  LOADK r1 "FileToString"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 1
.lineno 12
  GETGLOBAL r0 "rename"
  LOADK r1 "keep.txt\x00.bak"
  LOADK r2 "gone.txt"
  CALL r0 3 1
.lineno 13
  GETGLOBAL r0 "debugprint"
  LOADK r1 "Rename"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 1
.lineno 14
  GETGLOBAL r0 "makedirectory"
  LOADK r1 "box\x00/new"
  CALL r0 2 1
.lineno 15
  GETGLOBAL r0 "debugprint"
  LOADK r1 "MakeDirectory"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 1
.lineno 16
  GETGLOBAL r0 "exists"
  LOADK r1 "keep.txt\x00.bak"
  CALL r0 2 1
.lineno 17
  GETGLOBAL r0 "debugprint"
  LOADK r1 "Exists"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 1
.lineno 18
  GETGLOBAL r0 "copyfile"
  LOADK r1 "keep.txt"
  LOADK r2 "box\x00/x"
  CALL r0 3 1
.lineno 19
  GETGLOBAL r0 "debugprint"
  LOADK r1 "CopyFile"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 1
  RETURN r0 1
