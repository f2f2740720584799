; A while loop of 5e7 passes with two body lines, laid out line by line: the test on the while
; line, each body line, the jump back. Each pass changes line three times.
.source "@whilesum"
.maxstack 8
.lineno 1
  LOADK r0 #0
  LOADK r1 #0
.lineno 2
  JMP @test
body:
.lineno 3
  ADD r0 r0 #1
.lineno 4
  ADD r1 r1 r0
test:
.lineno 2
  LT 1 r0 #50000000
  JMP @body
.lineno 6
  EQ 1 r1 #1250000025000000
  JMP @ok
  GETGLOBAL r4 "benchmark_result_wrong"
  CALL r4 1 1
ok:
  RETURN r0 1
