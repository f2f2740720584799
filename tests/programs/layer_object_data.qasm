; label: stdlib.system
; Data items of layers (type 22): the layer is named by position or name and carries its items.
; ExitOnError(False)
; SetObjectData(22, 1, "k", 1)  DebugPrint(GetLastError())                  -- layers off
; EnableLayers()  CreateLayer(0, 0, 4, 4)  CreateLayer(0, 0, 4, 4)  SetLayerName(2, "Top")
; SetObjectData(22, 1, "k", "bottom")  SetObjectData(22, "top", "K", "top")
; DebugPrint(GetObjectData(22, 1, "K"), GetObjectData(22, "TOP", "k"))
; SetLayerZPos(2, 1)  DebugPrint(GetObjectData(22, 1, "k"))                -- the items move along
; GetObjectData(22, 3, "k")  DebugPrint(GetLastError())                      -- no layer 3
; GetObjectData(22, "none", "k")  DebugPrint(GetLastError())                 -- no such name
; CopyObjectData(22, 1, 22, 2, 1)  DebugPrint(GetObjectData(22, 2, "k"))
; ClearObjectData(22, "Top")  GetObjectData(22, "Top", "k")  DebugPrint(GetLastError())
; SetObjectData(22, 2, "t", {})                                              -- freed with the layer
.source "@layer_object_data.qasm"
.maxstack 16
.lineno 1
  GETGLOBAL r0 "exitonerror"
  LOADBOOL r1 0 0
  CALL r0 2 1
.lineno 2
  GETGLOBAL r0 "setobjectdata"
  LOADK r1 #22
  LOADK r2 #1
  LOADK r3 "k"
  LOADK r4 #1
  CALL r0 5 1
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getlasterror"
  CALL r1 1 0
  CALL r0 0 1
.lineno 3
  GETGLOBAL r0 "enablelayers"
  CALL r0 1 1
  GETGLOBAL r0 "createlayer"
  LOADK r1 #0
  LOADK r2 #0
  LOADK r3 #4
  LOADK r4 #4
  CALL r0 5 1
  GETGLOBAL r0 "createlayer"
  LOADK r1 #0
  LOADK r2 #0
  LOADK r3 #4
  LOADK r4 #4
  CALL r0 5 1
  GETGLOBAL r0 "setlayername"
  LOADK r1 #2
  LOADK r2 "Top"
  CALL r0 3 1
.lineno 4
  GETGLOBAL r0 "setobjectdata"
  LOADK r1 #22
  LOADK r2 #1
  LOADK r3 "k"
  LOADK r4 "bottom"
  CALL r0 5 1
  GETGLOBAL r0 "setobjectdata"
  LOADK r1 #22
  LOADK r2 "top"
  LOADK r3 "K"
  LOADK r4 "top"
  CALL r0 5 1
.lineno 5
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getobjectdata"
  LOADK r2 #22
  LOADK r3 #1
  LOADK r4 "K"
  CALL r1 4 2
  GETGLOBAL r2 "getobjectdata"
  LOADK r3 #22
  LOADK r4 "TOP"
  LOADK r5 "k"
  CALL r2 4 0
  CALL r0 0 1
.lineno 6
  GETGLOBAL r0 "setlayerzpos"
  LOADK r1 #2
  LOADK r2 #1
  CALL r0 3 1
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getobjectdata"
  LOADK r2 #22
  LOADK r3 #1
  LOADK r4 "k"
  CALL r1 4 0
  CALL r0 0 1
.lineno 7
  GETGLOBAL r0 "getobjectdata"
  LOADK r1 #22
  LOADK r2 #3
  LOADK r3 "k"
  CALL r0 4 1
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getlasterror"
  CALL r1 1 0
  CALL r0 0 1
.lineno 8
  GETGLOBAL r0 "getobjectdata"
  LOADK r1 #22
  LOADK r2 "none"
  LOADK r3 "k"
  CALL r0 4 1
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getlasterror"
  CALL r1 1 0
  CALL r0 0 1
.lineno 9
  GETGLOBAL r0 "copyobjectdata"
  LOADK r1 #22
  LOADK r2 #1
  LOADK r3 #22
  LOADK r4 #2
  LOADK r5 #1
  CALL r0 6 1
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getobjectdata"
  LOADK r2 #22
  LOADK r3 #2
  LOADK r4 "k"
  CALL r1 4 0
  CALL r0 0 1
.lineno 10
  GETGLOBAL r0 "clearobjectdata"
  LOADK r1 #22
  LOADK r2 "Top"
  CALL r0 3 1
  GETGLOBAL r0 "getobjectdata"
  LOADK r1 #22
  LOADK r2 "Top"
  LOADK r3 "k"
  CALL r0 4 1
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getlasterror"
  CALL r1 1 0
  CALL r0 0 1
.lineno 11
  GETGLOBAL r0 "setobjectdata"
  LOADK r1 #22
  LOADK r2 #2
  LOADK r3 "t"
  NEWTABLE r4 0 0
  CALL r0 5 1
  RETURN r0 1
