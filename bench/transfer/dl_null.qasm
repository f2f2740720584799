; call DownloadFile(FileToString("url.txt"), {file = "/dev/null"})
.maxstack 6
.lineno 1
  GETGLOBAL r0 "downloadfile"
  GETGLOBAL r1 "filetostring"
  LOADK r2 "url.txt"
  CALL r1 2 2
  NEWTABLE r2 0 1
  LOADK r3 "/dev/null"
  SETTABLE r2 "file" r3
  CALL r0 3 1
  RETURN r0 1
