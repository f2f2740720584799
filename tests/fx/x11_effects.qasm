; A stripe effect and a layer effect in a real window, each stepped to its last frame and paced
; with VWait: the test compares what the X server shows with SNAPWINDOW and SNAPDISPLAY before the
; effect ends (the end refreshes the whole rectangle), so every band must have been presented.
; Between them BARS, stopped while its thin columns grow down the whole height.
; call SetDisplayAttributes({title = "Quillmere FX"})
; call SetFillStyle(1)
; call CreateBGPic(2, 320, 200, $2040A0)
; call DisplayBGPic(2)
; call CreateBrush(1, 120, 80, $FF0000)
; call SelectBrush(1)
; call Box(20, 20, 40, 20, $FFFF00)
; call EndSelect()
; h = DisplayBrushFX(1, 30, 20, {type = 0, speed = 3, parameter = 5, async = 1})
; while GetAttribute(37, h, 12) < GetAttribute(37, h, 11) do
; call AsyncDrawFrame(h)
; call VWait()
; end
; call SaveSnapshot("one_display.bmp", 1)
; call SaveSnapshot("one.bmp", 0)
; while Exists("go_one") == 0 do
; call VWait()
; end
; call AsyncDrawFrame(h)
; h = DisplayBrushFX(1, 150, 100, {type = 28, async = 1})
; call AsyncDrawFrame(h)
; call VWait()
; call AsyncDrawFrame(h)
; call VWait()
; call SaveSnapshot("bars_display.bmp", 1)
; call SaveSnapshot("bars.bmp", 0)
; while Exists("go_bars") == 0 do
; call VWait()
; end
; call CancelAsyncDraw(h)
; call CreateBGPic(3, 320, 200, $206040)
; call DisplayBGPic(3)
; call EnableLayers()
; call DisplayBrush(1, 160, 100)
; call HideLayer(1)
; h = ShowLayerFX(1, {type = 7, speed = 2, parameter = 6, async = 1})
; while GetAttribute(37, h, 12) < GetAttribute(37, h, 11) do
; call AsyncDrawFrame(h)
; call VWait()
; end
; call SaveSnapshot("two_display.bmp", 1)
; call SaveSnapshot("two.bmp", 0)
; while Exists("go_two") == 0 do
; call VWait()
; end
.source "@x11_effects.q"
  .maxstack 8
.lineno 1
  GETGLOBAL r0 "setdisplayattributes"
  NEWTABLE r1 0 4
  LOADK r2 "Quillmere FX"
  SETTABLE r1 "title" r2
  CALL r0 2 2
.lineno 2
  GETGLOBAL r0 "setfillstyle"
  LOADK r1 #1
  CALL r0 2 2
.lineno 3
  GETGLOBAL r0 "createbgpic"
  LOADK r1 #2
  LOADK r2 #320
  LOADK r3 #200
  LOADK r4 #2113696
  CALL r0 5 2
.lineno 4
  GETGLOBAL r0 "displaybgpic"
  LOADK r1 #2
  CALL r0 2 2
.lineno 5
  GETGLOBAL r0 "createbrush"
  LOADK r1 #1
  LOADK r2 #120
  LOADK r3 #80
  LOADK r4 #16711680
  CALL r0 5 2
.lineno 6
  GETGLOBAL r0 "selectbrush"
  LOADK r1 #1
  CALL r0 2 2
.lineno 7
  GETGLOBAL r0 "box"
  LOADK r1 #20
  LOADK r2 #20
  LOADK r3 #40
  LOADK r4 #20
  LOADK r5 #16776960
  CALL r0 6 2
.lineno 8
  GETGLOBAL r0 "endselect"
  CALL r0 1 2
.lineno 9
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #1
  LOADK r2 #30
  LOADK r3 #20
  NEWTABLE r4 0 4
  LOADK r5 #0
  SETTABLE r4 "type" r5
  LOADK r5 #3
  SETTABLE r4 "speed" r5
  LOADK r5 #5
  SETTABLE r4 "parameter" r5
  LOADK r5 #1
  SETTABLE r4 "async" r5
  CALL r0 5 2
  SETGLOBAL r0 "h"
.lineno 10
L1:
  GETGLOBAL r0 "getattribute"
  LOADK r1 #37
  GETGLOBAL r2 "h"
  LOADK r3 #12
  CALL r0 4 2
  GETGLOBAL r1 "getattribute"
  LOADK r2 #37
  GETGLOBAL r3 "h"
  LOADK r4 #11
  CALL r1 4 2
  LT 0 r0 r1
  JMP @L2
.lineno 11
  GETGLOBAL r0 "asyncdrawframe"
  GETGLOBAL r1 "h"
  CALL r0 2 2
.lineno 12
  GETGLOBAL r0 "vwait"
  CALL r0 1 2
.lineno 13
  JMP @L1
L2:
.lineno 14
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "one_display.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 15
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "one.bmp"
  LOADK r2 #0
  CALL r0 3 2
.lineno 16
L3:
  GETGLOBAL r0 "exists"
  LOADK r1 "go_one"
  CALL r0 2 2
  LOADK r1 #0
  EQ 0 r0 r1
  JMP @L4
.lineno 17
  GETGLOBAL r0 "vwait"
  CALL r0 1 2
.lineno 18
  JMP @L3
L4:
.lineno 19
  GETGLOBAL r0 "asyncdrawframe"
  GETGLOBAL r1 "h"
  CALL r0 2 2
.lineno 20
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #1
  LOADK r2 #150
  LOADK r3 #100
  NEWTABLE r4 0 4
  LOADK r5 #28
  SETTABLE r4 "type" r5
  LOADK r5 #1
  SETTABLE r4 "async" r5
  CALL r0 5 2
  SETGLOBAL r0 "h"
.lineno 21
  GETGLOBAL r0 "asyncdrawframe"
  GETGLOBAL r1 "h"
  CALL r0 2 2
.lineno 22
  GETGLOBAL r0 "vwait"
  CALL r0 1 2
.lineno 23
  GETGLOBAL r0 "asyncdrawframe"
  GETGLOBAL r1 "h"
  CALL r0 2 2
.lineno 24
  GETGLOBAL r0 "vwait"
  CALL r0 1 2
.lineno 25
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "bars_display.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 26
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "bars.bmp"
  LOADK r2 #0
  CALL r0 3 2
.lineno 27
L9:
  GETGLOBAL r0 "exists"
  LOADK r1 "go_bars"
  CALL r0 2 2
  LOADK r1 #0
  EQ 0 r0 r1
  JMP @L10
.lineno 28
  GETGLOBAL r0 "vwait"
  CALL r0 1 2
.lineno 29
  JMP @L9
L10:
.lineno 30
  GETGLOBAL r0 "cancelasyncdraw"
  GETGLOBAL r1 "h"
  CALL r0 2 2
.lineno 31
  GETGLOBAL r0 "createbgpic"
  LOADK r1 #3
  LOADK r2 #320
  LOADK r3 #200
  LOADK r4 #2121792
  CALL r0 5 2
.lineno 32
  GETGLOBAL r0 "displaybgpic"
  LOADK r1 #3
  CALL r0 2 2
.lineno 33
  GETGLOBAL r0 "enablelayers"
  CALL r0 1 2
.lineno 34
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #1
  LOADK r2 #160
  LOADK r3 #100
  CALL r0 4 2
.lineno 35
  GETGLOBAL r0 "hidelayer"
  LOADK r1 #1
  CALL r0 2 2
.lineno 36
  GETGLOBAL r0 "showlayerfx"
  LOADK r1 #1
  NEWTABLE r2 0 4
  LOADK r3 #7
  SETTABLE r2 "type" r3
  LOADK r3 #2
  SETTABLE r2 "speed" r3
  LOADK r3 #6
  SETTABLE r2 "parameter" r3
  LOADK r3 #1
  SETTABLE r2 "async" r3
  CALL r0 3 2
  SETGLOBAL r0 "h"
.lineno 37
L5:
  GETGLOBAL r0 "getattribute"
  LOADK r1 #37
  GETGLOBAL r2 "h"
  LOADK r3 #12
  CALL r0 4 2
  GETGLOBAL r1 "getattribute"
  LOADK r2 #37
  GETGLOBAL r3 "h"
  LOADK r4 #11
  CALL r1 4 2
  LT 0 r0 r1
  JMP @L6
.lineno 38
  GETGLOBAL r0 "asyncdrawframe"
  GETGLOBAL r1 "h"
  CALL r0 2 2
.lineno 39
  GETGLOBAL r0 "vwait"
  CALL r0 1 2
.lineno 40
  JMP @L5
L6:
.lineno 41
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "two_display.bmp"
  LOADK r2 #1
  CALL r0 3 2
.lineno 42
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "two.bmp"
  LOADK r2 #0
  CALL r0 3 2
.lineno 43
L7:
  GETGLOBAL r0 "exists"
  LOADK r1 "go_two"
  CALL r0 2 2
  LOADK r1 #0
  EQ 0 r0 r1
  JMP @L8
.lineno 44
  GETGLOBAL r0 "vwait"
  CALL r0 1 2
.lineno 45
  JMP @L7
L8:
  RETURN r0 1
