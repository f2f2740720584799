; label: layers.commands
; CreateBGPic(10, 64, 48, $204080)  DisplayBGPic(10)  ExitOnError(False)  CreateBrush(1, 6, 4, $FF0000)
; BeginDoubleBuffer()  EnableLayers(): ERR_ENDDOUBLEBUFFER  EndDoubleBuffer()  EnableLayers()
; InsertLayer(0, #BRUSH, 1, 2, 3)  DumpLayers()  -- 0 puts the brush on top
; DisplayBrush(1, 20, 10, {name = "b", insertpos = 1})  DumpLayers()  -- at the bottom, named, at its place
; InsertLayer("b", #BRUSH, 1, 40, 30, True)  DumpLayers()  -- a name gives the position; hidden
; InsertLayer(-1, ...): ERR_INVINSERT; kind 99: ERR_WRONGUSAGE; #ANIM of no anim: ERR_FINDANIM; an unknown name: ERR_FINDLAYER
; ModifyLayerFrames(1, 3): ERR_NOANMLAYER  CreateLayer(56, 40, 4, 4, {frames = 2}): an anim layer of two black frames
; SaveSnapshot("a.png", #SNAPWINDOW, #IMGFMT_PNG)
; SelectBGPic(Nil)  DisplayBrush(1, 30, 30)  SaveSnapshot("b.png", #SNAPWINDOW, #IMGFMT_PNG)  -- collected, not shown
; EndSelect()  SaveSnapshot("c.png", #SNAPWINDOW, #IMGFMT_PNG)  -- shown at the end of the select
; SelectBrush(1)  CreateLayer(0, 0, 2, 2): ERR_SELECTBRUSH  EnableLayers(): ERR_LAYERSON  EndSelect()
; CreateBGPic(11, 16, 16)  SelectBGPic(11)  CreateLayer(1, 1, 2, 2)  FreeBGPic(11): refused while selected  EndSelect()  DebugPrint(GetAttribute(#BGPIC, 11, #ATTRLAYERS))  FreeBGPic(11)
.source "@layer_insert.qasm"
.maxstack 24
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
  GETGLOBAL r0 "exitonerror"
  LOADBOOL r1 0 0
  CALL r0 2 1
  GETGLOBAL r0 "createbrush"
  LOADK r1 #1
  LOADK r2 #6
  LOADK r3 #4
  LOADK r4 #16711680
  CALL r0 5 1
.lineno 2
  GETGLOBAL r0 "begindoublebuffer"
  CALL r0 1 1
  GETGLOBAL r0 "enablelayers"
  CALL r0 1 1
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getlasterror"
  CALL r1 1 2
  CALL r0 2 1
  GETGLOBAL r0 "enddoublebuffer"
  CALL r0 1 1
  GETGLOBAL r0 "enablelayers"
  CALL r0 1 1
.lineno 3
  GETGLOBAL r0 "insertlayer"
  LOADK r1 #0
  LOADK r2 #3
  LOADK r3 #1
  LOADK r4 #2
  LOADK r5 #3
  CALL r0 6 1
  GETGLOBAL r0 "dumplayers"
  CALL r0 1 1
.lineno 4
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #1
  LOADK r2 #20
  LOADK r3 #10
  NEWTABLE r4 0 2
  LOADK r5 "b"
  SETTABLE r4 "name" r5
  LOADK r5 #1
  SETTABLE r4 "insertpos" r5
  CALL r0 5 1
  GETGLOBAL r0 "dumplayers"
  CALL r0 1 1
.lineno 5
  GETGLOBAL r0 "insertlayer"
  LOADK r1 "b"
  LOADK r2 #3
  LOADK r3 #1
  LOADK r4 #40
  LOADK r5 #30
  LOADBOOL r6 1 0
  CALL r0 7 1
  GETGLOBAL r0 "dumplayers"
  CALL r0 1 1
.lineno 6
  GETGLOBAL r0 "insertlayer"
  LOADK r1 #-1
  LOADK r2 #3
  LOADK r3 #1
  LOADK r4 #0
  LOADK r5 #0
  CALL r0 6 1
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getlasterror"
  CALL r1 1 2
  CALL r0 2 1
  GETGLOBAL r0 "insertlayer"
  LOADK r1 #1
  LOADK r2 #99
  LOADK r3 #1
  LOADK r4 #0
  LOADK r5 #0
  CALL r0 6 1
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getlasterror"
  CALL r1 1 2
  CALL r0 2 1
  GETGLOBAL r0 "insertlayer"
  LOADK r1 #1
  LOADK r2 #4
  LOADK r3 #1
  LOADK r4 #0
  LOADK r5 #0
  CALL r0 6 1
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getlasterror"
  CALL r1 1 2
  CALL r0 2 1
  GETGLOBAL r0 "insertlayer"
  LOADK r1 "nope"
  LOADK r2 #3
  LOADK r3 #1
  LOADK r4 #0
  LOADK r5 #0
  CALL r0 6 1
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getlasterror"
  CALL r1 1 2
  CALL r0 2 1
.lineno 7
  GETGLOBAL r0 "modifylayerframes"
  LOADK r1 #1
  LOADK r2 #3
  CALL r0 3 1
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getlasterror"
  CALL r1 1 2
  CALL r0 2 1
  GETGLOBAL r0 "createlayer"
  LOADK r1 #56
  LOADK r2 #40
  LOADK r3 #4
  LOADK r4 #4
  NEWTABLE r5 0 1
  LOADK r6 #2
  SETTABLE r5 "frames" r6
  CALL r0 6 1
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getlasterror"
  CALL r1 1 2
  CALL r0 2 1
.lineno 8
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "a.png"
  LOADK r2 #0
  LOADK r3 #1
  CALL r0 4 1
.lineno 9
  GETGLOBAL r0 "selectbgpic"
  LOADNIL r1 r1
  CALL r0 2 1
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #1
  LOADK r2 #30
  LOADK r3 #30
  CALL r0 4 1
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "b.png"
  LOADK r2 #0
  LOADK r3 #1
  CALL r0 4 1
.lineno 10
  GETGLOBAL r0 "endselect"
  CALL r0 1 1
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "c.png"
  LOADK r2 #0
  LOADK r3 #1
  CALL r0 4 1
.lineno 11
  GETGLOBAL r0 "selectbrush"
  LOADK r1 #1
  CALL r0 2 1
  GETGLOBAL r0 "createlayer"
  LOADK r1 #0
  LOADK r2 #0
  LOADK r3 #2
  LOADK r4 #2
  CALL r0 5 1
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getlasterror"
  CALL r1 1 2
  CALL r0 2 1
  GETGLOBAL r0 "enablelayers"
  CALL r0 1 1
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getlasterror"
  CALL r1 1 2
  CALL r0 2 1
  GETGLOBAL r0 "endselect"
  CALL r0 1 1
.lineno 12
  GETGLOBAL r0 "createbgpic"
  LOADK r1 #11
  LOADK r2 #16
  LOADK r3 #16
  CALL r0 4 1
  GETGLOBAL r0 "selectbgpic"
  LOADK r1 #11
  CALL r0 2 1
  GETGLOBAL r0 "createlayer"
  LOADK r1 #1
  LOADK r2 #1
  LOADK r3 #2
  LOADK r4 #2
  CALL r0 5 1
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getlasterror"
  CALL r1 1 2
  CALL r0 2 1
  GETGLOBAL r0 "freebgpic"
  LOADK r1 #11
  CALL r0 2 1
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getlasterror"
  CALL r1 1 2
  CALL r0 2 1
  GETGLOBAL r0 "endselect"
  CALL r0 1 1
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getattribute"
  LOADK r2 #1
  LOADK r3 #11
  LOADK r4 #6
  CALL r1 4 2
  CALL r0 2 1
  GETGLOBAL r0 "freebgpic"
  LOADK r1 #11
  CALL r0 2 1
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getlasterror"
  CALL r1 1 2
  CALL r0 2 1
  RETURN r0 1
