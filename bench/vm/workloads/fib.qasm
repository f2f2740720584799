; Recursive fib through a global, summed over fib(30..32).
.source "@fib"
.maxstack 8
  CLOSURE r0 f0
  SETGLOBAL r0 "fib"
  LOADK r0 #0
  LOADK r1 #29
  LOADK r2 #32
  LOADK r3 #1
  JMP @test
body:
  GETGLOBAL r4 "fib"
  MOVE r5 r1
  CALL r4 2 2
  ADD r0 r0 r4
test:
  FORLOOP r1 @body
  EQ 1 r0 #4356618
  JMP @ok
  GETGLOBAL r4 "benchmark_result_wrong"
  CALL r4 1 1
ok:
  RETURN r0 1
.function
  .params 1
  .maxstack 4
  LT 1 r0 #2
  JMP @base
  GETGLOBAL r1 "fib"
  SUB r2 r0 #1
  CALL r1 2 2
  GETGLOBAL r2 "fib"
  SUB r3 r0 #2
  CALL r2 2 2
  ADD r1 r1 r2
  RETURN r1 2
base:
  RETURN r0 2
.end
