; Script function calls: the callee's lines count too.
.source "@calls"
.maxstack 8
.lineno 1
  CLOSURE r0 f0
  LOADK r1 #1
  LOADK r2 #4500000
  LOADK r3 #1
  JMP @test
body:
.lineno 2
  MOVE r5 r0
  MOVE r6 r1
  CALL r5 2 2
test:
.lineno 3
  FORLOOP r1 @body
  RETURN r0 1
.function inc
.params 1
.maxstack 3
.lineno 10
  ADD r1 r0 #1
.lineno 11
  RETURN r1 2
.end
