; label: display.brush
; ExitOnError(False)
; CreateBrush(1, 30, 20, $FF0000)
; DebugPrint(GetAttribute(#BRUSH, 1, #ATTRWIDTH), GetAttribute(#BRUSH, 1, #ATTRHEIGHT))
; ScaleBrush(1, "50%", #KEEPASPRAT)
; DebugPrint(GetAttribute(#BRUSH, 1, #ATTRWIDTH), GetAttribute(#BRUSH, 1, #ATTRHEIGHT))
; CreateBrush(2, 0, 5)     DebugPrint(GetLastError())
; CopyBrush(1, 1)          DebugPrint(GetLastError())
; h = CreateBrush(Nil, 4, 4, 0, {mask = True})
; DebugPrint(GetAttribute(#BRUSH, h, #ATTRHASMASK), GetAttribute(#BRUSH, h, #ATTRTRANSPARENTCOLOR))
; CreateGradientBGPic(1, #LINEAR, $000000, $FFFFFF, 64, 48, 0)
; ScaleBGPic(1, 128, #KEEPASPRAT)
; DebugPrint(GetAttribute(#BGPIC, 1, #ATTRWIDTH), GetAttribute(#BGPIC, 1, #ATTRHEIGHT), GetAttribute(#BGPIC, 1, #ATTRTYPE))
; FreeBrush(1)  FreeBrush(1)  DebugPrint(GetLastError(), GetAttribute(#BRUSH, 0, #ATTRCOUNT))
; TintBrush(1, $0000FF, 128)  DebugPrint(GetLastError())   ; a missing brush is the command's own error
.source "@brush_commands.qasm"
.maxstack 16
.lineno 1
  GETGLOBAL r0 "exitonerror"
  LOADBOOL r1 0 0
  CALL r0 2 1
.lineno 2
  GETGLOBAL r0 "createbrush"
  LOADK r1 #1
  LOADK r2 #30
  LOADK r3 #20
  LOADK r4 #16711680
  CALL r0 5 1
.lineno 3
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getattribute"
  LOADK r2 #3
  LOADK r3 #1
  LOADK r4 #0
  CALL r1 4 2
  GETGLOBAL r2 "getattribute"
  LOADK r3 #3
  LOADK r4 #1
  LOADK r5 #1
  CALL r2 4 2
  CALL r0 3 1
.lineno 4
  GETGLOBAL r0 "scalebrush"
  LOADK r1 #1
  LOADK r2 "50%"
  LOADK r3 #100000
  CALL r0 4 1
.lineno 5
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getattribute"
  LOADK r2 #3
  LOADK r3 #1
  LOADK r4 #0
  CALL r1 4 2
  GETGLOBAL r2 "getattribute"
  LOADK r3 #3
  LOADK r4 #1
  LOADK r5 #1
  CALL r2 4 2
  CALL r0 3 1
.lineno 6
  GETGLOBAL r0 "createbrush"
  LOADK r1 #2
  LOADK r2 #0
  LOADK r3 #5
  CALL r0 4 1
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getlasterror"
  CALL r1 1 2
  CALL r0 2 1
.lineno 7
  GETGLOBAL r0 "copybrush"
  LOADK r1 #1
  LOADK r2 #1
  CALL r0 3 1
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getlasterror"
  CALL r1 1 2
  CALL r0 2 1
.lineno 8
  GETGLOBAL r8 "createbrush"
  LOADNIL r9 r9
  LOADK r10 #4
  LOADK r11 #4
  LOADK r12 #0
  NEWTABLE r13 0 1
  LOADBOOL r14 1 0
  SETTABLE r13 "mask" r14
  CALL r8 6 2
.lineno 9
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getattribute"
  LOADK r2 #3
  MOVE r3 r8
  LOADK r4 #16
  CALL r1 4 2
  GETGLOBAL r2 "getattribute"
  LOADK r3 #3
  MOVE r4 r8
  LOADK r5 #5
  CALL r2 4 2
  CALL r0 3 1
.lineno 10
  GETGLOBAL r0 "creategradientbgpic"
  LOADK r1 #1
  LOADK r2 #2
  LOADK r3 #0
  LOADK r4 #16777215
  LOADK r5 #64
  LOADK r6 #48
  LOADK r7 #0
  CALL r0 8 1
.lineno 11
  GETGLOBAL r0 "scalebgpic"
  LOADK r1 #1
  LOADK r2 #128
  LOADK r3 #100000
  CALL r0 4 1
.lineno 12
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getattribute"
  LOADK r2 #1
  LOADK r3 #1
  LOADK r4 #0
  CALL r1 4 2
  GETGLOBAL r2 "getattribute"
  LOADK r3 #1
  LOADK r4 #1
  LOADK r5 #1
  CALL r2 4 2
  GETGLOBAL r3 "getattribute"
  LOADK r4 #1
  LOADK r5 #1
  LOADK r6 #9
  CALL r3 4 2
  CALL r0 4 1
.lineno 13
  GETGLOBAL r0 "freebrush"
  LOADK r1 #1
  CALL r0 2 1
  GETGLOBAL r0 "freebrush"
  LOADK r1 #1
  CALL r0 2 1
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getlasterror"
  CALL r1 1 2
  GETGLOBAL r2 "getattribute"
  LOADK r3 #3
  LOADK r4 #0
  LOADK r5 #60
  CALL r2 4 2
  CALL r0 3 1
.lineno 14
  GETGLOBAL r0 "tintbrush"
  LOADK r1 #1
  LOADK r2 #255
  LOADK r3 #128
  CALL r0 4 1
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getlasterror"
  CALL r1 1 2
  CALL r0 2 1
  RETURN r0 1
