; call DownloadFile(FileToString("url.txt"))
.maxstack 4
.lineno 1
  GETGLOBAL r0 "downloadfile"
  GETGLOBAL r1 "filetostring"
  LOADK r2 "url.txt"
  CALL r1 2 2
  CALL r0 2 1
  RETURN r0 1
