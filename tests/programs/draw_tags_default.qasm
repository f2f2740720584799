; label: display.brush
; SetDrawTagsDefault reads its table as the showings read theirs: an anchor outside 0..1, a zero
; scale, a negative insert position and a name of 256 characters are refused, and a refused table
; changes nothing, not even its valid fields; a transparency above 255 is 255 and "50%" half of it.
; ExitOnError(False)
; CreateBGPic(2, 64, 48, $000000)  DisplayBGPic(2)  CreateBrush(1, 4, 4, $FF0000)
; SetDrawTagsDefault({transparency = 100, anchorx = 2})  DebugPrint("anchorx", GetLastError())
; SetDrawTagsDefault({anchory = 7})  DebugPrint("anchory", GetLastError())
; SetDrawTagsDefault({scalex = 0})  DebugPrint("scalex", GetLastError())
; SetDrawTagsDefault({insertpos = -1})  DebugPrint("insertpos", GetLastError())
; SetDrawTagsDefault({name = RepeatStr("a", 256)})  DebugPrint("name", GetLastError())
; DisplayBrush(1, 10, 10)
; SetDrawTagsDefault({transparency = 300})  DebugPrint("300", GetLastError())  DisplayBrush(1, 20, 10)
; SetDrawTagsDefault({transparency = "50%"})  DebugPrint("50%", GetLastError())  DisplayBrush(1, 30, 10)
; SaveSnapshot("tags.png", #SNAPDISPLAY, #IMGFMT_PNG)
.source "@draw_tags_default.qasm"
.maxstack 8
.lineno 1
  GETGLOBAL r0 "exitonerror"
  LOADBOOL r1 0 0
  CALL r0 2 1
.lineno 2
  GETGLOBAL r0 "createbgpic"
  LOADK r1 #2
  LOADK r2 #64
  LOADK r3 #48
  LOADK r4 #0
  CALL r0 5 1
  GETGLOBAL r0 "displaybgpic"
  LOADK r1 #2
  CALL r0 2 1
  GETGLOBAL r0 "createbrush"
  LOADK r1 #1
  LOADK r2 #4
  LOADK r3 #4
  LOADK r4 #16711680
  CALL r0 5 1
.lineno 3
  NEWTABLE r1 0 2
  SETTABLE r1 "transparency" #100
  SETTABLE r1 "anchorx" #2
  GETGLOBAL r0 "setdrawtagsdefault"
  CALL r0 2 1
  GETGLOBAL r0 "debugprint"
  LOADK r1 "anchorx"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 2
  CALL r0 3 1
.lineno 4
  NEWTABLE r1 0 1
  SETTABLE r1 "anchory" #7
  GETGLOBAL r0 "setdrawtagsdefault"
  CALL r0 2 1
  GETGLOBAL r0 "debugprint"
  LOADK r1 "anchory"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 2
  CALL r0 3 1
.lineno 5
  NEWTABLE r1 0 1
  SETTABLE r1 "scalex" #0
  GETGLOBAL r0 "setdrawtagsdefault"
  CALL r0 2 1
  GETGLOBAL r0 "debugprint"
  LOADK r1 "scalex"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 2
  CALL r0 3 1
.lineno 6
  NEWTABLE r1 0 1
  SETTABLE r1 "insertpos" #-1
  GETGLOBAL r0 "setdrawtagsdefault"
  CALL r0 2 1
  GETGLOBAL r0 "debugprint"
  LOADK r1 "insertpos"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 2
  CALL r0 3 1
.lineno 7
  NEWTABLE r1 0 1
  SETTABLE r1 "name" "aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa"
  GETGLOBAL r0 "setdrawtagsdefault"
  CALL r0 2 1
  GETGLOBAL r0 "debugprint"
  LOADK r1 "name"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 2
  CALL r0 3 1
.lineno 8
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #1
  LOADK r2 #10
  LOADK r3 #10
  CALL r0 4 1
.lineno 9
  NEWTABLE r1 0 1
  SETTABLE r1 "transparency" #300
  GETGLOBAL r0 "setdrawtagsdefault"
  CALL r0 2 1
  GETGLOBAL r0 "debugprint"
  LOADK r1 "300"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 2
  CALL r0 3 1
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #1
  LOADK r2 #20
  LOADK r3 #10
  CALL r0 4 1
.lineno 10
  NEWTABLE r1 0 1
  SETTABLE r1 "transparency" "50%"
  GETGLOBAL r0 "setdrawtagsdefault"
  CALL r0 2 1
  GETGLOBAL r0 "debugprint"
  LOADK r1 "50%"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 2
  CALL r0 3 1
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #1
  LOADK r2 #30
  LOADK r3 #10
  CALL r0 4 1
.lineno 11
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "tags.png"
  LOADK r2 #1
  LOADK r3 #1
  CALL r0 4 1
  RETURN r0 1
