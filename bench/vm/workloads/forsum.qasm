; A numeric for loop of 1.3e8 passes whose body is one instruction on a line of its own, laid
; out as a compiler lays it out: the loop's line, the body's line. Each pass changes line twice.
.source "@forsum"
.maxstack 8
.lineno 1
  LOADK r0 #0
.lineno 2
  LOADK r1 #0
  LOADK r2 #130000000
  LOADK r3 #1
  JMP @test
body:
.lineno 3
  ADD r0 r0 r1
test:
.lineno 2
  FORLOOP r1 @body
.lineno 5
  EQ 1 r0 #8450000065000000
  JMP @ok
  GETGLOBAL r4 "benchmark_result_wrong"
  CALL r4 1 1
ok:
  RETURN r0 1
