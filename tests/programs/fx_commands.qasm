; label: fx
; The transition commands through the player: argument forms that are refused and the error codes
; of the driver, under ExitOnError(0); GetRandomFX with the generators seeded by QM_RANDOM_SEED; a
; layer removed by UndoFX. Effect 0 is HSTRIPES, 7 VSTRIPES; object type 3 is a brush.
; call ExitOnError(0)
; call CreateBrush(1, 20, 10, $FF0000)
; call CreateBrush(3, 8, 8, $00FF00)
; call CreateBGPic(2, 64, 48, $0000FF)
; -- A new background picture is no async object; undo and layer effects need layers.
; call DisplayTransitionFX(2, {async = 1})
; print "async picture", GetLastError()
; call UndoFX(3, 1)
; print "undo without layers", GetLastError()
; call ShowLayerFX(1, 0)
; print "layer without layers", GetLastError()
; -- A selected brush, mask, alpha channel or picture as the output refuses effects.
; call SelectBrush(3)
; call DisplayBrushFX(1, 0, 0, 0)
; print "brush output", GetLastError()
; call EndSelect()
; call SelectMask(3)
; call DisplayBrushFX(1, 0, 0, 0)
; print "mask output", GetLastError()
; call EndSelect()
; call SelectAlphaChannel(3)
; call DisplayBrushFX(1, 0, 0, 0)
; print "alpha output", GetLastError()
; call EndSelect()
; call SelectBGPic(2, 0)
; call DisplayBrushFX(1, 0, 0, 0)
; print "picture output", GetLastError()
; call EndSelect()
; call DisplayBrushFX(9, 0, 0, 0)
; print "no brush", GetLastError()
; call DisplayTextObjectFX(1, 0, 0, 0)
; print "no text object", GetLastError()
; call DisplayBGPicPartFX(2, 0, 0, 10, 10, {layers = 1, type = 0})
; print "part as a layer without layers", GetLastError()
; call EnableLayers()
; call ShowLayerFX(5, 0)
; print "layer out of range", GetLastError()
; call ShowLayerFX(1, {bgpicemu = 1})
; print "bgpicemu without bgpic", GetLastError()
; call DisplayBrush(1, 10, 10)
; call DisplayBrush(1, 40, 10)
; call UndoFX(3, 7)
; print "undo of nothing", GetLastError()
; call UndoFX(3, 1, 0, -1, -1, 3)
; print "undo past the matches", GetLastError()
; h = ShowLayerFX(1, {type = 7, async = 1})
; call HideLayerFX(1, 0)
; print "second effect", GetLastError()
; call CancelAsyncDraw(h)
; -- UndoFX takes the second match from the top: the first layer shown.
; call UndoFX(3, 1, 0, 50, -1, 2)
; print "undone", GetLastError(), GetAttribute(21, 0, 6), GetLayerStyle(1).x
; -- Seeded: the same draws on every run (the .out was checked against drand48 seeded with 7).
; print GetRandomFX(0), GetRandomFX(0), GetRandomFX(0), GetRandomFX(0), GetRandomFX(0)
; print GetRandomFX(1), GetRandomFX(1), GetRandomFX(1), GetRandomFX(1), GetRandomFX(1)
.source "@fx_commands.q"
  .maxstack 9
.lineno 1
  GETGLOBAL r0 "exitonerror"
  LOADK r1 #0
  CALL r0 2 2
.lineno 2
  GETGLOBAL r0 "createbrush"
  LOADK r1 #1
  LOADK r2 #20
  LOADK r3 #10
  LOADK r4 #16711680
  CALL r0 5 2
.lineno 3
  GETGLOBAL r0 "createbrush"
  LOADK r1 #3
  LOADK r2 #8
  LOADK r3 #8
  LOADK r4 #65280
  CALL r0 5 2
.lineno 4
  GETGLOBAL r0 "createbgpic"
  LOADK r1 #2
  LOADK r2 #64
  LOADK r3 #48
  LOADK r4 #255
  CALL r0 5 2
.lineno 6
  GETGLOBAL r0 "displaytransitionfx"
  LOADK r1 #2
  NEWTABLE r2 0 4
  LOADK r3 #1
  SETTABLE r2 "async" r3
  CALL r0 3 2
.lineno 7
  GETGLOBAL r0 "debugprint"
  LOADK r1 "async picture"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 2
.lineno 8
  GETGLOBAL r0 "undofx"
  LOADK r1 #3
  LOADK r2 #1
  CALL r0 3 2
.lineno 9
  GETGLOBAL r0 "debugprint"
  LOADK r1 "undo without layers"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 2
.lineno 10
  GETGLOBAL r0 "showlayerfx"
  LOADK r1 #1
  LOADK r2 #0
  CALL r0 3 2
.lineno 11
  GETGLOBAL r0 "debugprint"
  LOADK r1 "layer without layers"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 2
.lineno 13
  GETGLOBAL r0 "selectbrush"
  LOADK r1 #3
  CALL r0 2 2
.lineno 14
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #1
  LOADK r2 #0
  LOADK r3 #0
  LOADK r4 #0
  CALL r0 5 2
.lineno 15
  GETGLOBAL r0 "debugprint"
  LOADK r1 "brush output"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 2
.lineno 16
  GETGLOBAL r0 "endselect"
  CALL r0 1 2
.lineno 17
  GETGLOBAL r0 "selectmask"
  LOADK r1 #3
  CALL r0 2 2
.lineno 18
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #1
  LOADK r2 #0
  LOADK r3 #0
  LOADK r4 #0
  CALL r0 5 2
.lineno 19
  GETGLOBAL r0 "debugprint"
  LOADK r1 "mask output"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 2
.lineno 20
  GETGLOBAL r0 "endselect"
  CALL r0 1 2
.lineno 21
  GETGLOBAL r0 "selectalphachannel"
  LOADK r1 #3
  CALL r0 2 2
.lineno 22
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #1
  LOADK r2 #0
  LOADK r3 #0
  LOADK r4 #0
  CALL r0 5 2
.lineno 23
  GETGLOBAL r0 "debugprint"
  LOADK r1 "alpha output"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 2
.lineno 24
  GETGLOBAL r0 "endselect"
  CALL r0 1 2
.lineno 25
  GETGLOBAL r0 "selectbgpic"
  LOADK r1 #2
  LOADK r2 #0
  CALL r0 3 2
.lineno 26
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #1
  LOADK r2 #0
  LOADK r3 #0
  LOADK r4 #0
  CALL r0 5 2
.lineno 27
  GETGLOBAL r0 "debugprint"
  LOADK r1 "picture output"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 2
.lineno 28
  GETGLOBAL r0 "endselect"
  CALL r0 1 2
.lineno 29
  GETGLOBAL r0 "displaybrushfx"
  LOADK r1 #9
  LOADK r2 #0
  LOADK r3 #0
  LOADK r4 #0
  CALL r0 5 2
.lineno 30
  GETGLOBAL r0 "debugprint"
  LOADK r1 "no brush"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 2
.lineno 31
  GETGLOBAL r0 "displaytextobjectfx"
  LOADK r1 #1
  LOADK r2 #0
  LOADK r3 #0
  LOADK r4 #0
  CALL r0 5 2
.lineno 32
  GETGLOBAL r0 "debugprint"
  LOADK r1 "no text object"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 2
.lineno 33
  GETGLOBAL r0 "displaybgpicpartfx"
  LOADK r1 #2
  LOADK r2 #0
  LOADK r3 #0
  LOADK r4 #10
  LOADK r5 #10
  NEWTABLE r6 0 4
  LOADK r7 #1
  SETTABLE r6 "layers" r7
  LOADK r7 #0
  SETTABLE r6 "type" r7
  CALL r0 7 2
.lineno 34
  GETGLOBAL r0 "debugprint"
  LOADK r1 "part as a layer without layers"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 2
.lineno 35
  GETGLOBAL r0 "enablelayers"
  CALL r0 1 2
.lineno 36
  GETGLOBAL r0 "showlayerfx"
  LOADK r1 #5
  LOADK r2 #0
  CALL r0 3 2
.lineno 37
  GETGLOBAL r0 "debugprint"
  LOADK r1 "layer out of range"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 2
.lineno 38
  GETGLOBAL r0 "showlayerfx"
  LOADK r1 #1
  NEWTABLE r2 0 4
  LOADK r3 #1
  SETTABLE r2 "bgpicemu" r3
  CALL r0 3 2
.lineno 39
  GETGLOBAL r0 "debugprint"
  LOADK r1 "bgpicemu without bgpic"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 2
.lineno 40
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #1
  LOADK r2 #10
  LOADK r3 #10
  CALL r0 4 2
.lineno 41
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #1
  LOADK r2 #40
  LOADK r3 #10
  CALL r0 4 2
.lineno 42
  GETGLOBAL r0 "undofx"
  LOADK r1 #3
  LOADK r2 #7
  CALL r0 3 2
.lineno 43
  GETGLOBAL r0 "debugprint"
  LOADK r1 "undo of nothing"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 2
.lineno 44
  GETGLOBAL r0 "undofx"
  LOADK r1 #3
  LOADK r2 #1
  LOADK r3 #0
  LOADK r4 #-1
  LOADK r5 #-1
  LOADK r6 #3
  CALL r0 7 2
.lineno 45
  GETGLOBAL r0 "debugprint"
  LOADK r1 "undo past the matches"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 2
.lineno 46
  GETGLOBAL r0 "showlayerfx"
  LOADK r1 #1
  NEWTABLE r2 0 4
  LOADK r3 #7
  SETTABLE r2 "type" r3
  LOADK r3 #1
  SETTABLE r2 "async" r3
  CALL r0 3 2
  SETGLOBAL r0 "h"
.lineno 47
  GETGLOBAL r0 "hidelayerfx"
  LOADK r1 #1
  LOADK r2 #0
  CALL r0 3 2
.lineno 48
  GETGLOBAL r0 "debugprint"
  LOADK r1 "second effect"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 2
.lineno 49
  GETGLOBAL r0 "cancelasyncdraw"
  GETGLOBAL r1 "h"
  CALL r0 2 2
.lineno 51
  GETGLOBAL r0 "undofx"
  LOADK r1 #3
  LOADK r2 #1
  LOADK r3 #0
  LOADK r4 #50
  LOADK r5 #-1
  LOADK r6 #2
  CALL r0 7 2
.lineno 52
  GETGLOBAL r0 "debugprint"
  LOADK r1 "undone"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 2
  GETGLOBAL r3 "getattribute"
  LOADK r4 #21
  LOADK r5 #0
  LOADK r6 #6
  CALL r3 4 2
  GETGLOBAL r4 "getlayerstyle"
  LOADK r5 #1
  CALL r4 2 0
  GETTABLE r4 r4 "x"
  CALL r0 0 2
.lineno 54
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getrandomfx"
  LOADK r2 #0
  CALL r1 2 2
  GETGLOBAL r2 "getrandomfx"
  LOADK r3 #0
  CALL r2 2 2
  GETGLOBAL r3 "getrandomfx"
  LOADK r4 #0
  CALL r3 2 2
  GETGLOBAL r4 "getrandomfx"
  LOADK r5 #0
  CALL r4 2 2
  GETGLOBAL r5 "getrandomfx"
  LOADK r6 #0
  CALL r5 2 0
  CALL r0 0 2
.lineno 55
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getrandomfx"
  LOADK r2 #1
  CALL r1 2 2
  GETGLOBAL r2 "getrandomfx"
  LOADK r3 #1
  CALL r2 2 2
  GETGLOBAL r3 "getrandomfx"
  LOADK r4 #1
  CALL r3 2 2
  GETGLOBAL r4 "getrandomfx"
  LOADK r5 #1
  CALL r4 2 2
  GETGLOBAL r5 "getrandomfx"
  LOADK r6 #1
  CALL r5 2 0
  CALL r0 0 2
  RETURN r0 1
