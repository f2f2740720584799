; label: net.transfer
; DownloadFile from a peer that breaks its replies off: a stall ends with the receive time-out, a
; reset as a close does, a chunk size cut by the line reader is no size, nor are a status line's
; first digits a status; a download into a file that fails leaves no file behind.
; ExitOnError(0)
; SetNetworkTimeout(300)
; base = "http://127.0.0.1:" .. FileToString("port.txt")
; Function try(name)
;   DebugPrint(name, DownloadFile(base .. "/" .. name, {silentfail = True}))
;   DebugPrint(name, "file", DownloadFile(base .. "/" .. name, {silentfail = True, file = "got.bin"}), Exists("got.bin"))
; EndFunction
; try("short")  try("shortreset")  try("headreset")  try("chunkreset")  try("chunkcut")  try("statuscut")  try("statusshort")  try("statuslong")  try("silent")
; DebugPrint("open connections", GetAttribute(54, 0, 60))
.source "@net_http_hostile.qasm"
.maxstack 8
.lineno 5
  GETGLOBAL r0 "exitonerror"
  LOADK r1 #0
  CALL r0 2 1
.lineno 6
  GETGLOBAL r0 "setnetworktimeout"
  LOADK r1 #300
  CALL r0 2 1
.lineno 7
  LOADK r0 "http://127.0.0.1:"
  GETGLOBAL r1 "filetostring"
  LOADK r2 "port.txt"
  CALL r1 2 2
  CONCAT r0 r0 r1
  SETGLOBAL r0 "base"
.lineno 8
  CLOSURE r0 f:try
  SETGLOBAL r0 "try"
.lineno 12
  GETGLOBAL r0 "try"
  LOADK r1 "short"
  CALL r0 2 1
  GETGLOBAL r0 "try"
  LOADK r1 "shortreset"
  CALL r0 2 1
  GETGLOBAL r0 "try"
  LOADK r1 "headreset"
  CALL r0 2 1
  GETGLOBAL r0 "try"
  LOADK r1 "chunkreset"
  CALL r0 2 1
  GETGLOBAL r0 "try"
  LOADK r1 "chunkcut"
  CALL r0 2 1
  GETGLOBAL r0 "try"
  LOADK r1 "statuscut"
  CALL r0 2 1
  GETGLOBAL r0 "try"
  LOADK r1 "statusshort"
  CALL r0 2 1
  GETGLOBAL r0 "try"
  LOADK r1 "statuslong"
  CALL r0 2 1
  GETGLOBAL r0 "try"
  LOADK r1 "silent"
  CALL r0 2 1
.lineno 13
  GETGLOBAL r0 "debugprint"
  LOADK r1 "open connections"
  GETGLOBAL r2 "getattribute"
  LOADK r3 #54
  LOADK r4 #0
  LOADK r5 #60
  CALL r2 4 0
  CALL r0 0 1
  RETURN r0 1
.function try
  .params 1
  .maxstack 12
.lineno 9
  GETGLOBAL r1 "debugprint"
  MOVE r2 r0
  GETGLOBAL r3 "downloadfile"
  GETGLOBAL r4 "base"
  LOADK r5 "/"
  MOVE r6 r0
  CONCAT r4 r4 r6
  NEWTABLE r5 0 1
  LOADBOOL r6 1 0
  SETTABLE r5 "silentfail" r6
  CALL r3 3 0
  CALL r1 0 1
.lineno 10
  GETGLOBAL r1 "debugprint"
  MOVE r2 r0
  LOADK r3 "file"
  GETGLOBAL r4 "downloadfile"
  GETGLOBAL r5 "base"
  LOADK r6 "/"
  MOVE r7 r0
  CONCAT r5 r5 r7
  NEWTABLE r6 0 2
  LOADBOOL r7 1 0
  SETTABLE r6 "silentfail" r7
  LOADK r7 "got.bin"
  SETTABLE r6 "file" r7
  CALL r4 3 3
  GETGLOBAL r6 "exists"
  LOADK r7 "got.bin"
  CALL r6 2 2
  CALL r1 6 1
  RETURN r0 1
.end
