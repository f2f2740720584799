; label: display
; ExitOnError(False)
; DebugPrint(RGB(1, 2, 3), ARGB(255, 0), MixRGB($FF0000, 0, 128), MixRGB(0, $FFFFFF, "50%"), MixRGB($102030, $302010, 255))
; MixRGB($FF0000, 0, 256)  DebugPrint(GetLastError())
; MixRGB($FF0000, 0, -1)  DebugPrint(GetLastError())
; DebugPrint(Red($123456), Green($123456), Blue($123456), Red(-5), Blue(5000000000), GetRealColor($ABCDEF))
; DebugPrint(GetPen(-3), GetPen(300))
; LoadBGPic(2, "p.iff")  DisplayBGPic(2)  DebugPrint(GetPen(-3), GetPen(0), GetPen(1), GetPen(300))
; SetFPSLimit(-5)  DebugPrint(GetFPSLimit())
; SetFPSLimit(25.9)  DebugPrint(GetFPSLimit())
; SetFPSLimit(0)  DebugPrint(GetFPSLimit(), DumpVideoTime())
; SetDrawTagsDefault({transparency = 300})  DebugPrint(GetLastError())
; SetDrawTagsDefault({shadow = True, shadowradius = 0})  DebugPrint(GetLastError())
; SetDrawTagsDefault(5)  DebugPrint(GetLastError())
; SetDrawTagsDefault({transparency = 20, anchorx = 0.5})  DebugPrint(GetLastError())
.source "@colour_commands.qasm"
.maxstack 13
.lineno 1
  GETGLOBAL r0 "exitonerror"
  LOADBOOL r1 0 0
  CALL r0 2 1
.lineno 2
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "rgb"
  LOADK r2 #1
  LOADK r3 #2
  LOADK r4 #3
  CALL r1 4 2
  GETGLOBAL r2 "argb"
  LOADK r3 #255
  LOADK r4 #0
  CALL r2 3 2
  GETGLOBAL r3 "mixrgb"
  LOADK r4 #16711680
  LOADK r5 #0
  LOADK r6 #128
  CALL r3 4 2
  GETGLOBAL r4 "mixrgb"
  LOADK r5 #0
  LOADK r6 #16777215
  LOADK r7 "50%"
  CALL r4 4 2
  GETGLOBAL r5 "mixrgb"
  LOADK r6 #1056816
  LOADK r7 #3153936
  LOADK r8 #255
  CALL r5 4 0
  CALL r0 0 1
.lineno 3
  GETGLOBAL r0 "mixrgb"
  LOADK r1 #16711680
  LOADK r2 #0
  LOADK r3 #256
  CALL r0 4 1
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getlasterror"
  CALL r1 1 0
  CALL r0 0 1
.lineno 4
  GETGLOBAL r0 "mixrgb"
  LOADK r1 #16711680
  LOADK r2 #0
  LOADK r3 #-1
  CALL r0 4 1
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getlasterror"
  CALL r1 1 0
  CALL r0 0 1
.lineno 5
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "red"
  LOADK r2 #1193046
  CALL r1 2 2
  GETGLOBAL r2 "green"
  LOADK r3 #1193046
  CALL r2 2 2
  GETGLOBAL r3 "blue"
  LOADK r4 #1193046
  CALL r3 2 2
  GETGLOBAL r4 "red"
  LOADK r5 #-5
  CALL r4 2 2
  GETGLOBAL r5 "blue"
  LOADK r6 #5000000000
  CALL r5 2 2
  GETGLOBAL r6 "getrealcolor"
  LOADK r7 #11259375
  CALL r6 2 0
  CALL r0 0 1
.lineno 6
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getpen"
  LOADK r2 #-3
  CALL r1 2 2
  GETGLOBAL r2 "getpen"
  LOADK r3 #300
  CALL r2 2 0
  CALL r0 0 1
.lineno 7
  GETGLOBAL r0 "loadbgpic"
  LOADK r1 #2
  LOADK r2 "p.iff"
  CALL r0 3 1
  GETGLOBAL r0 "displaybgpic"
  LOADK r1 #2
  CALL r0 2 1
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getpen"
  LOADK r2 #-3
  CALL r1 2 2
  GETGLOBAL r2 "getpen"
  LOADK r3 #0
  CALL r2 2 2
  GETGLOBAL r3 "getpen"
  LOADK r4 #1
  CALL r3 2 2
  GETGLOBAL r4 "getpen"
  LOADK r5 #300
  CALL r4 2 0
  CALL r0 0 1
.lineno 8
  GETGLOBAL r0 "setfpslimit"
  LOADK r1 #-5
  CALL r0 2 1
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getfpslimit"
  CALL r1 1 0
  CALL r0 0 1
.lineno 9
  GETGLOBAL r0 "setfpslimit"
  LOADK r1 #25.9
  CALL r0 2 1
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getfpslimit"
  CALL r1 1 0
  CALL r0 0 1
.lineno 10
  GETGLOBAL r0 "setfpslimit"
  LOADK r1 #0
  CALL r0 2 1
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getfpslimit"
  CALL r1 1 2
  GETGLOBAL r2 "dumpvideotime"
  CALL r2 1 0
  CALL r0 0 1
.lineno 11
  GETGLOBAL r0 "setdrawtagsdefault"
  NEWTABLE r1 0 0
  LOADK r2 #300
  SETTABLE r1 "transparency" r2
  CALL r0 2 1
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getlasterror"
  CALL r1 1 0
  CALL r0 0 1
.lineno 12
  GETGLOBAL r0 "setdrawtagsdefault"
  NEWTABLE r1 0 0
  LOADBOOL r2 1 0
  SETTABLE r1 "shadow" r2
  LOADK r2 #0
  SETTABLE r1 "shadowradius" r2
  CALL r0 2 1
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getlasterror"
  CALL r1 1 0
  CALL r0 0 1
.lineno 13
  GETGLOBAL r0 "setdrawtagsdefault"
  LOADK r1 #5
  CALL r0 2 1
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getlasterror"
  CALL r1 1 0
  CALL r0 0 1
.lineno 14
  GETGLOBAL r0 "setdrawtagsdefault"
  NEWTABLE r1 0 0
  LOADK r2 #20
  SETTABLE r1 "transparency" r2
  LOADK r2 #0.5
  SETTABLE r1 "anchorx" r2
  CALL r0 2 1
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getlasterror"
  CALL r1 1 0
  CALL r0 0 1
  RETURN r0 1
