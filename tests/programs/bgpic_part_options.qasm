; label: display
; DisplayBGPicPart's eighth argument: an option table like DisplayBrush's, or the copy flag that
; gives a layer its own copy of the part.
; CreateBGPic(10, 64, 48, $204080)  DisplayBGPic(10)  CreateBGPic(11, 8, 8, $FF0000)  ExitOnError(False)
; DisplayBGPicPart(11, 0, 0, 4, 4, 2, 2, {scalex = 2, scaley = 2})  -- 8 x 8 red at 2, 2
; DisplayBGPicPart(11, 0, 0, 4, 4, 40, 2, {transparency = 255})    -- nothing
; DisplayBGPicPart(11, 0, 0, 4, 4, 40, 30, 1)                        -- a plain copy at 40, 30
; SaveSnapshot("a.png", #SNAPWINDOW, #IMGFMT_PNG)
; DisplayBGPicPart(11, 8, 0, 4, 4)  DebugPrint(GetLastError())  DisplayBGPicPart(11, 0, 0, 0, 4)  DebugPrint(GetLastError())
; EnableLayers()  DisplayBGPicPart(11, 0, 0, 4, 4, 20, 20, 1)  DisplayBGPicPart(11, 0, 0, 4, 4, 30, 20, {layers = True})
; DebugPrint(GetAttribute(#DISPLAY, 0, #ATTRLAYERSON))
; SaveSnapshot("b.png", #SNAPWINDOW, #IMGFMT_PNG)
.source "@bgpic_part_options.qasm"
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
  GETGLOBAL r0 "createbgpic"
  LOADK r1 #11
  LOADK r2 #8
  LOADK r3 #8
  LOADK r4 #16711680
  CALL r0 5 1
  GETGLOBAL r0 "exitonerror"
  LOADBOOL r1 0 0
  CALL r0 2 1
.lineno 2
  GETGLOBAL r0 "displaybgpicpart"
  LOADK r1 #11
  LOADK r2 #0
  LOADK r3 #0
  LOADK r4 #4
  LOADK r5 #4
  LOADK r6 #2
  LOADK r7 #2
  NEWTABLE r8 0 0
  LOADK r9 #2
  SETTABLE r8 "scalex" r9
  SETTABLE r8 "scaley" r9
  CALL r0 9 1
.lineno 3
  GETGLOBAL r0 "displaybgpicpart"
  LOADK r1 #11
  LOADK r2 #0
  LOADK r3 #0
  LOADK r4 #4
  LOADK r5 #4
  LOADK r6 #40
  LOADK r7 #2
  NEWTABLE r8 0 0
  LOADK r9 #255
  SETTABLE r8 "transparency" r9
  CALL r0 9 1
.lineno 4
  GETGLOBAL r0 "displaybgpicpart"
  LOADK r1 #11
  LOADK r2 #0
  LOADK r3 #0
  LOADK r4 #4
  LOADK r5 #4
  LOADK r6 #40
  LOADK r7 #30
  LOADK r8 #1
  CALL r0 9 1
.lineno 5
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "a.png"
  LOADK r2 #0
  LOADK r3 #1
  CALL r0 4 1
.lineno 6
  GETGLOBAL r0 "displaybgpicpart"
  LOADK r1 #11
  LOADK r2 #8
  LOADK r3 #0
  LOADK r4 #4
  LOADK r5 #4
  CALL r0 6 1
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getlasterror"
  CALL r1 1 0
  CALL r0 0 1
  GETGLOBAL r0 "displaybgpicpart"
  LOADK r1 #11
  LOADK r2 #0
  LOADK r3 #0
  LOADK r4 #0
  LOADK r5 #4
  CALL r0 6 1
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getlasterror"
  CALL r1 1 0
  CALL r0 0 1
.lineno 7
  GETGLOBAL r0 "enablelayers"
  CALL r0 1 1
  GETGLOBAL r0 "displaybgpicpart"
  LOADK r1 #11
  LOADK r2 #0
  LOADK r3 #0
  LOADK r4 #4
  LOADK r5 #4
  LOADK r6 #20
  LOADK r7 #20
  LOADK r8 #1
  CALL r0 9 1
  GETGLOBAL r0 "displaybgpicpart"
  LOADK r1 #11
  LOADK r2 #0
  LOADK r3 #0
  LOADK r4 #4
  LOADK r5 #4
  LOADK r6 #30
  LOADK r7 #20
  NEWTABLE r8 0 0
  LOADBOOL r9 1 0
  SETTABLE r8 "layers" r9
  CALL r0 9 1
.lineno 8
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getattribute"
  LOADK r2 #21
  LOADK r3 #0
  LOADK r4 #69
  CALL r1 4 0
  CALL r0 0 1
.lineno 9
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "b.png"
  LOADK r2 #0
  LOADK r3 #1
  CALL r0 4 1
  RETURN r0 1
