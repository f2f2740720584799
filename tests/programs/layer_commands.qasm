; label: layers.commands
; ExitOnError(False)
; EnableLayers()
; CreateLayer(10, 10, 20, 20, {color = $FF0000})  CreateLayer(0, 0, 8, 8)  CreateLayer(15, 15, 4, 4)
; SetLayerName(0, "Top")  DumpLayers()  -- 0 names the top layer
; SetLayerName(1, "TOP")  DebugPrint(GetLastError())  -- the name is taken: ERR_NAMEUSED
; SetLayerName(1, 256 x)  DebugPrint(GetLastError())  -- ERR_NAMETOOLONG
; SetLayerName(7, "a")  DebugPrint(GetLastError())  -- ERR_LAYERRANGE
; SetLayerZPos(3, 1)  DumpLayers()  -- the top layer to the bottom
; SetLayerZPos(2, 2)  DebugPrint(GetLastError())  -- ERR_WRONGUSAGE
; DebugPrint(GetLayerAtPos(16, 16))  DebugPrint(GetLayerAtPos(29, 29))  DebugPrint(GetLayerAtPos(30, 30))
; DisableLayers()  DumpLayers()  DebugPrint(GetLastError())  -- layers off: ERR_NOLAYERS
.source "@layer_commands.qasm"
.maxstack 16
.lineno 1
  GETGLOBAL r0 "exitonerror"
  LOADBOOL r1 0 0
  CALL r0 2 1
.lineno 2
  GETGLOBAL r0 "enablelayers"
  CALL r0 1 1
.lineno 3
  GETGLOBAL r0 "createlayer"
  LOADK r1 #10
  LOADK r2 #10
  LOADK r3 #20
  LOADK r4 #20
  NEWTABLE r5 0 1
  LOADK r6 #16711680
  SETTABLE r5 "color" r6
  CALL r0 6 1
  GETGLOBAL r0 "createlayer"
  LOADK r1 #0
  LOADK r2 #0
  LOADK r3 #8
  LOADK r4 #8
  CALL r0 5 1
  GETGLOBAL r0 "createlayer"
  LOADK r1 #15
  LOADK r2 #15
  LOADK r3 #4
  LOADK r4 #4
  CALL r0 5 1
.lineno 4
  GETGLOBAL r0 "setlayername"
  LOADK r1 #0
  LOADK r2 "Top"
  CALL r0 3 1
  GETGLOBAL r0 "dumplayers"
  CALL r0 1 1
.lineno 5
  GETGLOBAL r0 "setlayername"
  LOADK r1 #1
  LOADK r2 "TOP"
  CALL r0 3 1
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getlasterror"
  CALL r1 1 2
  CALL r0 2 1
.lineno 6
  GETGLOBAL r0 "setlayername"
  LOADK r1 #1
  LOADK r2 "xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx"
  CALL r0 3 1
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getlasterror"
  CALL r1 1 2
  CALL r0 2 1
.lineno 7
  GETGLOBAL r0 "setlayername"
  LOADK r1 #7
  LOADK r2 "a"
  CALL r0 3 1
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getlasterror"
  CALL r1 1 2
  CALL r0 2 1
.lineno 8
  GETGLOBAL r0 "setlayerzpos"
  LOADK r1 #3
  LOADK r2 #1
  CALL r0 3 1
  GETGLOBAL r0 "dumplayers"
  CALL r0 1 1
.lineno 9
  GETGLOBAL r0 "setlayerzpos"
  LOADK r1 #2
  LOADK r2 #2
  CALL r0 3 1
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getlasterror"
  CALL r1 1 2
  CALL r0 2 1
.lineno 10
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getlayeratpos"
  LOADK r2 #16
  LOADK r3 #16
  CALL r1 3 3
  CALL r0 3 1
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getlayeratpos"
  LOADK r2 #29
  LOADK r3 #29
  CALL r1 3 3
  CALL r0 3 1
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getlayeratpos"
  LOADK r2 #30
  LOADK r3 #30
  CALL r1 3 3
  CALL r0 3 1
.lineno 11
  GETGLOBAL r0 "disablelayers"
  CALL r0 1 1
  GETGLOBAL r0 "dumplayers"
  CALL r0 1 1
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getlasterror"
  CALL r1 1 2
  CALL r0 2 1
  RETURN r0 1
