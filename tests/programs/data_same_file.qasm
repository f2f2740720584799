; label: stdlib.dos
; Copying a file onto itself is refused (1055) and leaves it whole, however the target is spelt:
; its own folder, its own name, a detour through another folder, a hard link, a symbolic link.
; CompressFile and DecompressFile refuse a target that is their source. A real copy still works.
; call ExitOnError(0)
; call CopyFile("a.txt", ".")
; print "own folder", GetLastError()
; call CopyFile("a.txt", ".", "a.txt")
; print "own name", GetLastError()
; call CopyFile("d/b.txt", "d/../d")
; print "detour", GetLastError()
; call CopyFile("a.txt", ".", "hard.txt")
; print "hard link", GetLastError()
; call CopyFile("a.txt", ".", "soft.txt")
; print "symbolic link", GetLastError()
; call CompressFile("a.txt", "a.txt")
; print "compress onto itself", GetLastError()
; call CompressFile("a.txt", "p.pak")
; call DecompressFile("p.pak", "p.pak")
; print "decompress onto itself", GetLastError()
; call DecompressFile("p.pak", "./x/../p.pak")
; print "decompress by detour", GetLastError()
; call CopyFile("a.txt", "d")
; print "real copy", GetLastError(), FileToString("d/a.txt")
.source "@data_same_file.qasm"
.maxstack 7
.lineno 1
  GETGLOBAL r0 "exitonerror"
  LOADK r1 #0
  CALL r0 2 1
.lineno 2
  GETGLOBAL r0 "copyfile"
  LOADK r1 "a.txt"
  LOADK r2 "."
  CALL r0 3 1
.lineno 3
  GETGLOBAL r0 "debugprint"
  LOADK r1 "own folder"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 1
.lineno 4
  GETGLOBAL r0 "copyfile"
  LOADK r1 "a.txt"
  LOADK r2 "."
  LOADK r3 "a.txt"
  CALL r0 4 1
.lineno 5
  GETGLOBAL r0 "debugprint"
  LOADK r1 "own name"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 1
.lineno 6
  GETGLOBAL r0 "copyfile"
  LOADK r1 "d/b.txt"
  LOADK r2 "d/../d"
  CALL r0 3 1
.lineno 7
  GETGLOBAL r0 "debugprint"
  LOADK r1 "detour"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 1
.lineno 8
  GETGLOBAL r0 "copyfile"
  LOADK r1 "a.txt"
  LOADK r2 "."
  LOADK r3 "hard.txt"
  CALL r0 4 1
.lineno 9
  GETGLOBAL r0 "debugprint"
  LOADK r1 "hard link"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 1
.lineno 10
  GETGLOBAL r0 "copyfile"
  LOADK r1 "a.txt"
  LOADK r2 "."
  LOADK r3 "soft.txt"
  CALL r0 4 1
.lineno 11
  GETGLOBAL r0 "debugprint"
  LOADK r1 "symbolic link"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 1
.lineno 12
  GETGLOBAL r0 "compressfile"
  LOADK r1 "a.txt"
  LOADK r2 "a.txt"
  CALL r0 3 1
.lineno 13
  GETGLOBAL r0 "debugprint"
  LOADK r1 "compress onto itself"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 1
.lineno 14
  GETGLOBAL r0 "compressfile"
  LOADK r1 "a.txt"
  LOADK r2 "p.pak"
  CALL r0 3 1
.lineno 15
  GETGLOBAL r0 "decompressfile"
  LOADK r1 "p.pak"
  LOADK r2 "p.pak"
  CALL r0 3 1
.lineno 16
  GETGLOBAL r0 "debugprint"
  LOADK r1 "decompress onto itself"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 1
.lineno 17
  GETGLOBAL r0 "decompressfile"
  LOADK r1 "p.pak"
  LOADK r2 "./x/../p.pak"
  CALL r0 3 1
.lineno 18
  GETGLOBAL r0 "debugprint"
  LOADK r1 "decompress by detour"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 1
.lineno 19
  GETGLOBAL r0 "copyfile"
  LOADK r1 "a.txt"
  LOADK r2 "d"
  CALL r0 3 1
.lineno 20
  GETGLOBAL r0 "debugprint"
  LOADK r1 "real copy"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 2
  GETGLOBAL r3 "filetostring"
  LOADK r4 "d/a.txt"
  CALL r3 2 0
  CALL r0 0 1
  RETURN r0 1
