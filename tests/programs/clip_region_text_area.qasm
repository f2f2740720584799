; label: display.clip
; Switching a clip region on moves the text cursor to the region's left edge at the top and the
; margins to its sides; switching it off (0 or -1) moves them back to the output's edges. While a
; brush is the output its width counts, and ending the selection brings back the display's.
; Function show(label)
;   DebugPrint(label, GetAttribute(#DISPLAY, 0, #ATTRCURSORX), GetAttribute(#DISPLAY, 0, #ATTRCURSORY),
;              GetAttribute(#DISPLAY, 0, #ATTRMARGINLEFT), GetAttribute(#DISPLAY, 0, #ATTRMARGINRIGHT))
; EndFunction
; show("start")
; CreateClipRegion(1, #BOX, 100, 20, 40, 30)  SetClipRegion(1)  show("on")
; SetClipRegion(0)  show("off")
; SetClipRegion(1)  SetClipRegion(-1)  show("off again")
; SetClipRegion(1)  CreateBrush(2, 64, 48)  SelectBrush(2)
; CreateClipRegion(3, #BOX, 10, 5, 20, 8)  SetClipRegion(3)  show("brush on")
; SetClipRegion(0)  show("brush off")
; SetClipRegion(3)  EndSelect()  show("display")
.source "@clip_region_text_area.qasm"
.maxstack 8
.lineno 1
  CLOSURE r0 f0
  SETGLOBAL r0 "show"
.lineno 2
  GETGLOBAL r0 "show"
  LOADK r1 "start"
  CALL r0 2 1
.lineno 3
  GETGLOBAL r0 "createclipregion"
  LOADK r1 #1
  LOADK r2 #14
  LOADK r3 #100
  LOADK r4 #20
  LOADK r5 #40
  LOADK r6 #30
  CALL r0 7 1
  GETGLOBAL r0 "setclipregion"
  LOADK r1 #1
  CALL r0 2 1
  GETGLOBAL r0 "show"
  LOADK r1 "on"
  CALL r0 2 1
.lineno 4
  GETGLOBAL r0 "setclipregion"
  LOADK r1 #0
  CALL r0 2 1
  GETGLOBAL r0 "show"
  LOADK r1 "off"
  CALL r0 2 1
.lineno 5
  GETGLOBAL r0 "setclipregion"
  LOADK r1 #1
  CALL r0 2 1
  GETGLOBAL r0 "setclipregion"
  LOADK r1 #-1
  CALL r0 2 1
  GETGLOBAL r0 "show"
  LOADK r1 "off again"
  CALL r0 2 1
.lineno 6
  GETGLOBAL r0 "setclipregion"
  LOADK r1 #1
  CALL r0 2 1
  GETGLOBAL r0 "createbrush"
  LOADK r1 #2
  LOADK r2 #64
  LOADK r3 #48
  CALL r0 4 1
  GETGLOBAL r0 "selectbrush"
  LOADK r1 #2
  CALL r0 2 1
.lineno 7
  GETGLOBAL r0 "createclipregion"
  LOADK r1 #3
  LOADK r2 #14
  LOADK r3 #10
  LOADK r4 #5
  LOADK r5 #20
  LOADK r6 #8
  CALL r0 7 1
  GETGLOBAL r0 "setclipregion"
  LOADK r1 #3
  CALL r0 2 1
  GETGLOBAL r0 "show"
  LOADK r1 "brush on"
  CALL r0 2 1
.lineno 8
  GETGLOBAL r0 "setclipregion"
  LOADK r1 #0
  CALL r0 2 1
  GETGLOBAL r0 "show"
  LOADK r1 "brush off"
  CALL r0 2 1
.lineno 9
  GETGLOBAL r0 "setclipregion"
  LOADK r1 #3
  CALL r0 2 1
  GETGLOBAL r0 "endselect"
  CALL r0 1 1
  GETGLOBAL r0 "show"
  LOADK r1 "display"
  CALL r0 2 1
  RETURN r0 1
.function show
.params 1
.maxstack 10
  GETGLOBAL r1 "debugprint"
  MOVE r2 r0
  GETGLOBAL r3 "getattribute"
  LOADK r4 #21
  LOADK r5 #0
  LOADK r6 #21
  CALL r3 4 2
  GETGLOBAL r4 "getattribute"
  LOADK r5 #21
  LOADK r6 #0
  LOADK r7 #22
  CALL r4 4 2
  GETGLOBAL r5 "getattribute"
  LOADK r6 #21
  LOADK r7 #0
  LOADK r8 #52
  CALL r5 4 2
  GETGLOBAL r6 "getattribute"
  LOADK r7 #21
  LOADK r8 #0
  LOADK r9 #53
  CALL r6 4 2
  CALL r1 6 1
  RETURN r0 1
.end
