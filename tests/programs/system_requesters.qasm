; label: system.request
; ExitOnError(False)
; t = FileRequest("Load", "png|.JPG", 1)
; DebugPrint(t[0], t[1], "[", t[2], "]")
; DebugPrint("[", FileRequest("Load", "*"), "]")
; PathRequest("Folder", 1)
; DebugPrint(GetLastError())
; DebugPrint(PathRequest("Folder"))
; StringRequest("Number", "Type", "12a", 3)
; DebugPrint(GetLastError())
; StringRequest("Text", "Type", "", 0, 1025)
; DebugPrint(GetLastError())
; DebugPrint(StringRequest("Name", "Type", "Bob", 0, 2))
; DebugPrint(StringRequest("Name", "Type"))
; ListRequest("Pick", "One", {})
; DebugPrint(GetLastError())
; DebugPrint(ListRequest("Pick", "One", {"a", "b", "c"}, 7))
; DebugPrint(ListRequest("Pick", "One", {"a", "b", "c"}))
; DebugPrint(ColorRequest("Colour", $FF0000))
; f = FontRequest("Font")
; DebugPrint(f.name, f.family, f.size, f.weight, f.slant)
; DebugPrint(SystemRequest("Q", "Sure?", "Yes|No|Maybe"), SystemRequest("Q", "Sure?", "Yes|No|Maybe"))
; DebugPrint(SystemRequest("Q", "Sure?", "Yes|No"))
.source "@system_requesters.qasm"
.maxstack 16
.lineno 1
  GETGLOBAL r0 "exitonerror"
  LOADBOOL r1 0 0
  CALL r0 2 1
.lineno 2
  GETGLOBAL r0 "filerequest"
  LOADK r1 "Load"
  LOADK r2 "png|.JPG"
  LOADK r3 #1
  CALL r0 4 2
  SETGLOBAL r0 "t"
.lineno 3
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "t"
  LOADK r2 #0
  GETTABLE r1 r1 r2
  GETGLOBAL r2 "t"
  LOADK r3 #1
  GETTABLE r2 r2 r3
  LOADK r3 "["
  GETGLOBAL r4 "t"
  LOADK r5 #2
  GETTABLE r4 r4 r5
  LOADK r5 "]"
  CALL r0 6 1
.lineno 4
  GETGLOBAL r0 "debugprint"
  LOADK r1 "["
  GETGLOBAL r2 "filerequest"
  LOADK r3 "Load"
  LOADK r4 "*"
  CALL r2 3 2
  LOADK r3 "]"
  CALL r0 4 1
.lineno 5
  GETGLOBAL r0 "pathrequest"
  LOADK r1 "Folder"
  LOADK r2 #1
  CALL r0 3 1
.lineno 6
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getlasterror"
  CALL r1 1 0
  CALL r0 0 1
.lineno 7
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "pathrequest"
  LOADK r2 "Folder"
  CALL r1 2 0
  CALL r0 0 1
.lineno 8
  GETGLOBAL r0 "stringrequest"
  LOADK r1 "Number"
  LOADK r2 "Type"
  LOADK r3 "12a"
  LOADK r4 #3
  CALL r0 5 1
.lineno 9
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getlasterror"
  CALL r1 1 0
  CALL r0 0 1
.lineno 10
  GETGLOBAL r0 "stringrequest"
  LOADK r1 "Text"
  LOADK r2 "Type"
  LOADK r3 ""
  LOADK r4 #0
  LOADK r5 #1025
  CALL r0 6 1
.lineno 11
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getlasterror"
  CALL r1 1 0
  CALL r0 0 1
.lineno 12
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "stringrequest"
  LOADK r2 "Name"
  LOADK r3 "Type"
  LOADK r4 "Bob"
  LOADK r5 #0
  LOADK r6 #2
  CALL r1 6 0
  CALL r0 0 1
.lineno 13
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "stringrequest"
  LOADK r2 "Name"
  LOADK r3 "Type"
  CALL r1 3 0
  CALL r0 0 1
.lineno 14
  GETGLOBAL r0 "listrequest"
  LOADK r1 "Pick"
  LOADK r2 "One"
  NEWTABLE r3 0 0
  CALL r0 4 1
.lineno 15
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getlasterror"
  CALL r1 1 0
  CALL r0 0 1
.lineno 16
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "listrequest"
  LOADK r2 "Pick"
  LOADK r3 "One"
  NEWTABLE r4 0 0
  LOADK r5 "a"
  SETTABLE r4 #0 r5
  LOADK r5 "b"
  SETTABLE r4 #1 r5
  LOADK r5 "c"
  SETTABLE r4 #2 r5
  LOADK r5 #7
  CALL r1 5 0
  CALL r0 0 1
.lineno 17
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "listrequest"
  LOADK r2 "Pick"
  LOADK r3 "One"
  NEWTABLE r4 0 0
  LOADK r5 "a"
  SETTABLE r4 #0 r5
  LOADK r5 "b"
  SETTABLE r4 #1 r5
  LOADK r5 "c"
  SETTABLE r4 #2 r5
  CALL r1 4 0
  CALL r0 0 1
.lineno 18
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "colorrequest"
  LOADK r2 "Colour"
  LOADK r3 #16711680
  CALL r1 3 0
  CALL r0 0 1
.lineno 19
  GETGLOBAL r0 "fontrequest"
  LOADK r1 "Font"
  CALL r0 2 2
  SETGLOBAL r0 "f"
.lineno 20
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "f"
  GETTABLE r1 r1 "name"
  GETGLOBAL r2 "f"
  GETTABLE r2 r2 "family"
  GETGLOBAL r3 "f"
  GETTABLE r3 r3 "size"
  GETGLOBAL r4 "f"
  GETTABLE r4 r4 "weight"
  GETGLOBAL r5 "f"
  GETTABLE r5 r5 "slant"
  CALL r0 6 1
.lineno 21
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "systemrequest"
  LOADK r2 "Q"
  LOADK r3 "Sure?"
  LOADK r4 "Yes|No|Maybe"
  CALL r1 4 2
  GETGLOBAL r2 "systemrequest"
  LOADK r3 "Q"
  LOADK r4 "Sure?"
  LOADK r5 "Yes|No|Maybe"
  CALL r2 4 0
  CALL r0 0 1
.lineno 22
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "systemrequest"
  LOADK r2 "Q"
  LOADK r3 "Sure?"
  LOADK r4 "Yes|No"
  CALL r1 4 0
  CALL r0 0 1
  RETURN r0 1
