; label: stdlib.dos
; SetFileAttributes writes each date as given; a date not given keeps the file's own.
; call SetFileAttributes("both.txt", {time = "05-Mar-2010 14:07:09", lastaccesstime = "06-Apr-2011 15:08:10"})
; print GetFileAttributes("both.txt").time, GetFileAttributes("both.txt").lastaccesstime
; call SetFileAttributes("access.txt", {lastaccesstime = "07-May-2012 16:09:11"})
; print GetFileAttributes("access.txt").time, GetFileAttributes("access.txt").lastaccesstime
; call SetFileAttributes("modify.txt", {time = "08-Jun-2013 17:10:12"})
; print GetFileAttributes("modify.txt").time, GetFileAttributes("modify.txt").lastaccesstime
.source "@file_dates.qasm"
.maxstack 6
.lineno 1
  GETGLOBAL r0 "setfileattributes"
  LOADK r1 "both.txt"
  NEWTABLE r2 0 0
  LOADK r3 "05-Mar-2010 14:07:09"
  SETTABLE r2 "time" r3
  LOADK r3 "06-Apr-2011 15:08:10"
  SETTABLE r2 "lastaccesstime" r3
  CALL r0 3 1
.lineno 2
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getfileattributes"
  LOADK r2 "both.txt"
  CALL r1 2 2
  GETTABLE r1 r1 "time"
  GETGLOBAL r2 "getfileattributes"
  LOADK r3 "both.txt"
  CALL r2 2 2
  GETTABLE r2 r2 "lastaccesstime"
  CALL r0 3 1
.lineno 3
  GETGLOBAL r0 "setfileattributes"
  LOADK r1 "access.txt"
  NEWTABLE r2 0 0
  LOADK r3 "07-May-2012 16:09:11"
  SETTABLE r2 "lastaccesstime" r3
  CALL r0 3 1
.lineno 4
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getfileattributes"
  LOADK r2 "access.txt"
  CALL r1 2 2
  GETTABLE r1 r1 "time"
  GETGLOBAL r2 "getfileattributes"
  LOADK r3 "access.txt"
  CALL r2 2 2
  GETTABLE r2 r2 "lastaccesstime"
  CALL r0 3 1
.lineno 5
  GETGLOBAL r0 "setfileattributes"
  LOADK r1 "modify.txt"
  NEWTABLE r2 0 0
  LOADK r3 "08-Jun-2013 17:10:12"
  SETTABLE r2 "time" r3
  CALL r0 3 1
.lineno 6
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getfileattributes"
  LOADK r2 "modify.txt"
  CALL r1 2 2
  GETTABLE r1 r1 "time"
  GETGLOBAL r2 "getfileattributes"
  LOADK r3 "modify.txt"
  CALL r2 2 2
  GETTABLE r2 r2 "lastaccesstime"
  CALL r0 3 1
  RETURN r0 1
