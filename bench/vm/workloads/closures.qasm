; Closures over a counter made and called in a loop.
.source "@closures"
.maxstack 10
  CLOSURE r0 f0
  LOADK r4 #0
  LOADK r1 #0
  LOADK r2 #2000000
  LOADK r3 #1
  JMP @test
body:
  MOVE r5 r0
  CALL r5 1 2
  MOVE r6 r5
  CALL r6 1 1
  MOVE r6 r5
  CALL r6 1 1
  MOVE r6 r5
  CALL r6 1 2
  ADD r4 r4 r6
  CLOSE r5
test:
  FORLOOP r1 @body
  EQ 1 r4 #6000000
  JMP @ok
  GETGLOBAL r4 "benchmark_result_wrong"
  CALL r4 1 1
ok:
  RETURN r0 1
.function
  .maxstack 2
  LOADK r0 #0
  CLOSURE r1 f0
  MOVE 0 r0
  RETURN r1 2
  .function
    .upvalues 1
    .maxstack 2
    GETUPVAL r0 0
    ADD r0 r0 #1
    SETUPVAL r0 0
    RETURN r0 2
  .end
.end
