; Table writes and reads, one line each.
.source "@tables"
.maxstack 8
.lineno 1
  NEWTABLE r0 0 0
  LOADK r1 #1
  LOADK r2 #6000000
  LOADK r3 #1
  JMP @test
body:
.lineno 2
  MOD r5 r1 #1000
.lineno 3
  SETTABLE r0 r5 r1
.lineno 4
  GETTABLE r6 r0 r5
test:
.lineno 5
  FORLOOP r1 @body
  RETURN r0 1
