; set url = FileToString("url.txt")
; set n = 0
; while n < 1000
; call DownloadFile(url)
; set n = n + 1
; wend
.maxstack 4
.lineno 1
  GETGLOBAL r0 "filetostring"
  LOADK r1 "url.txt"
  CALL r0 2 2
  SETGLOBAL r0 "url"
.lineno 2
  LOADK r0 #0
  SETGLOBAL r0 "n"
.lineno 3
L1:
  GETGLOBAL r0 "n"
  LOADK r1 #1000
  LT 0 r0 r1
  JMP @L2
.lineno 4
  GETGLOBAL r0 "downloadfile"
  GETGLOBAL r1 "url"
  CALL r0 2 1
.lineno 5
  GETGLOBAL r0 "n"
  ADD r0 r0 #1
  SETGLOBAL r0 "n"
.lineno 6
  JMP @L1
L2:
  RETURN r0 1
