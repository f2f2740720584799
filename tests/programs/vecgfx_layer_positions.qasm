; label: vecgfx.layers
; With layers on, DrawPath refuses a position beyond +-16777216 with 1055 as Box does, judged by
; the program's own x and y (the path's origin then moves the layer to its extents' corner).
; ExitOnError(False)  EnableLayers()  StartPath(1)  AddBoxToPath(1, 0, 0, 10, 10)
; Function try(x, y)
;   DrawPath(1, x, y)  p = GetLastError()
;   Box(x, y, 10, 10)  DebugPrint(x, y, p, GetLastError())
; EndFunction
; try(16777216, 0)  try(16777217, 0)  try(-16777217, 0)  try(1e300, 0)  try(0, 16777217)  try(0, -1e300)
.source "@vecgfx_layer_positions.qasm"
.maxstack 8
.lineno 4
  GETGLOBAL r0 "exitonerror"
  LOADBOOL r1 0 0
  CALL r0 2 1
  GETGLOBAL r0 "enablelayers"
  CALL r0 1 1
  GETGLOBAL r0 "startpath"
  LOADK r1 #1
  CALL r0 2 1
  GETGLOBAL r0 "addboxtopath"
  LOADK r1 #1
  LOADK r2 #0
  LOADK r3 #0
  LOADK r4 #10
  LOADK r5 #10
  CALL r0 6 1
.lineno 5
  CLOSURE r0 f0
  SETGLOBAL r0 "try"
.lineno 9
  GETGLOBAL r0 "try"
  LOADK r1 #16777216
  LOADK r2 #0
  CALL r0 3 1
  GETGLOBAL r0 "try"
  LOADK r1 #16777217
  LOADK r2 #0
  CALL r0 3 1
  GETGLOBAL r0 "try"
  LOADK r1 #-16777217
  LOADK r2 #0
  CALL r0 3 1
  GETGLOBAL r0 "try"
  LOADK r1 #1e300
  LOADK r2 #0
  CALL r0 3 1
  GETGLOBAL r0 "try"
  LOADK r1 #0
  LOADK r2 #16777217
  CALL r0 3 1
  GETGLOBAL r0 "try"
  LOADK r1 #0
  LOADK r2 #-1e300
  CALL r0 3 1
  RETURN r0 1
.function
  .params 2
  .maxstack 8
.lineno 6
  GETGLOBAL r2 "drawpath"
  LOADK r3 #1
  MOVE r4 r0
  MOVE r5 r1
  CALL r2 4 1
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 2
.lineno 7
  GETGLOBAL r3 "box"
  MOVE r4 r0
  MOVE r5 r1
  LOADK r6 #10
  LOADK r7 #10
  CALL r3 5 1
  GETGLOBAL r3 "debugprint"
  MOVE r4 r0
  MOVE r5 r1
  MOVE r6 r2
  GETGLOBAL r7 "getlasterror"
  CALL r7 1 0
  CALL r3 0 1
  RETURN r0 1
.end
