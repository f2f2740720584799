; Numeric loop: four lines a turn, so the per-line hook runs four times per turn.
.source "@arith"
.maxstack 8
.lineno 1
  LOADK r0 #0
  LOADK r1 #1
  LOADK r2 #18000000
  LOADK r3 #1
  JMP @test
body:
.lineno 2
  ADD r0 r0 r1
.lineno 3
  MUL r4 r1 #2
.lineno 4
  SUB r0 r0 r4
test:
.lineno 5
  FORLOOP r1 @body
  RETURN r0 1
