; A numeric for loop of 5e7 steps with arithmetic on the index.
.source "@loop"
.maxstack 8
  LOADK r0 #0
  LOADK r1 #0
  LOADK r2 #50000000
  LOADK r3 #1
  JMP @test
body:
  MUL r4 r1 #0.5
  ADD r4 r0 r4
  SUB r0 r4 #3
test:
  FORLOOP r1 @body
  EQ 1 r0 #624999862500000
  JMP @ok
  GETGLOBAL r4 "benchmark_result_wrong"
  CALL r4 1 1
ok:
  RETURN r0 1
