; Method calls through a metatable's __index table.
.source "@methods"
.maxstack 12
  NEWTABLE r0 0 2
  SETTABLE r0 "__index" r0
  CLOSURE r1 f0
  SETTABLE r0 "move" r1
  GETGLOBAL r1 "setmetatable"
  NEWTABLE r2 0 2
  SETTABLE r2 "x" #0
  SETTABLE r2 "y" #0
  MOVE r3 r0
  CALL r1 3 2
  LOADK r2 #0
  LOADK r3 #5000000
  LOADK r4 #1
  JMP @test
body:
  SELF r5 r1 "move"
  LOADK r7 #1
  LOADK r8 #2
  CALL r5 4 1
test:
  FORLOOP r2 @body
  GETTABLE r5 r1 "x"
  EQ 1 r5 #5000000
  JMP @ok1
  JMP @bad
ok1:
  GETTABLE r5 r1 "y"
  EQ 1 r5 #10000000
  JMP @ok
bad:
  GETGLOBAL r4 "benchmark_result_wrong"
  CALL r4 1 1
ok:
  RETURN r0 1
.function
  .params 3
  .maxstack 6
  GETTABLE r3 r0 "x"
  ADD r3 r3 r1
  SETTABLE r0 "x" r3
  GETTABLE r3 r0 "y"
  ADD r3 r3 r2
  SETTABLE r0 "y" r3
  RETURN r0 2
.end
