; label: display
; The "filters" option of DisplayBrush: run on the shown picture without layers, carried by the
; layer with layers on; an unknown filter is refused.
; CreateBGPic(10, 64, 48, $204080)  DisplayBGPic(10)  CreateBrush(1, 6, 4, $FF0000)  ExitOnError(False)
; DisplayBrush(1, 2, 2, {filters = {[0] = {name = "invert"}}})   -- cyan
; DisplayBrush(1, 20, 2, {filters = {[0] = {name = "nosuchfilter"}}})  DebugPrint(GetLastError())
; SaveSnapshot("a.png", #SNAPWINDOW, #IMGFMT_PNG)
; EnableLayers()  DisplayBrush(1, 30, 30, {filters = {[0] = {name = "invert"}}})
; SaveSnapshot("b.png", #SNAPWINDOW, #IMGFMT_PNG)
.source "@display_brush_filters.qasm"
.maxstack 12
.lineno 1
  GETGLOBAL r0 "createbgpic"
  LOADK r1 #10
  LOADK r2 #64
  LOADK r3 #48
  LOADK r4 #2113664
  CALL r0 5 1
  GETGLOBAL r0 "displaybgpic"
  LOADK r1 #10
  CALL r0 2 1
  GETGLOBAL r0 "createbrush"
  LOADK r1 #1
  LOADK r2 #6
  LOADK r3 #4
  LOADK r4 #16711680
  CALL r0 5 1
  GETGLOBAL r0 "exitonerror"
  LOADBOOL r1 0 0
  CALL r0 2 1
.lineno 2
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #1
  LOADK r2 #2
  LOADK r3 #2
  NEWTABLE r4 0 0
  NEWTABLE r5 0 0
  NEWTABLE r6 0 0
  LOADK r7 "invert"
  SETTABLE r6 "name" r7
  SETTABLE r5 #0 r6
  SETTABLE r4 "filters" r5
  CALL r0 5 1
.lineno 3
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #1
  LOADK r2 #20
  LOADK r3 #2
  NEWTABLE r4 0 0
  NEWTABLE r5 0 0
  NEWTABLE r6 0 0
  LOADK r7 "nosuchfilter"
  SETTABLE r6 "name" r7
  SETTABLE r5 #0 r6
  SETTABLE r4 "filters" r5
  CALL r0 5 1
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getlasterror"
  CALL r1 1 0
  CALL r0 0 1
.lineno 4
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "a.png"
  LOADK r2 #0
  LOADK r3 #1
  CALL r0 4 1
.lineno 5
  GETGLOBAL r0 "enablelayers"
  CALL r0 1 1
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #1
  LOADK r2 #30
  LOADK r3 #30
  NEWTABLE r4 0 0
  NEWTABLE r5 0 0
  NEWTABLE r6 0 0
  LOADK r7 "invert"
  SETTABLE r6 "name" r7
  SETTABLE r5 #0 r6
  SETTABLE r4 "filters" r5
  CALL r0 5 1
.lineno 6
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "b.png"
  LOADK r2 #0
  LOADK r3 #1
  CALL r0 4 1
  RETURN r0 1
