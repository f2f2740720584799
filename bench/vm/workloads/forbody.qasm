; The loop workload laid out line by line: the for line, then its body on a line of its own.
.source "@forbody"
.maxstack 8
.lineno 1
  LOADK r0 #0
.lineno 2
  LOADK r1 #0
  LOADK r2 #50000000
  LOADK r3 #1
  JMP @test
body:
.lineno 3
  MUL r4 r1 #0.5
  ADD r4 r0 r4
  SUB r0 r4 #3
test:
.lineno 2
  FORLOOP r1 @body
.lineno 5
  EQ 1 r0 #624999862500000
  JMP @ok
  GETGLOBAL r4 "benchmark_result_wrong"
  CALL r4 1 1
ok:
  RETURN r0 1
