; label: stdlib.string
; for k, v in PatternFindStr("k1=v1, k2=v2", "(%w+)=(%w+)") do DebugPrint(k, v) end
.source "@pattern_loop.qasm"
.maxstack 10
.lineno 1
  GETGLOBAL r0 "patternfindstr"
  LOADK r1 "k1=v1, k2=v2"
  LOADK r2 "(%w+)=(%w+)"
  CALL r0 3 2
  LOADNIL r1 r2
  JMP @test
body:
  GETGLOBAL r5 "debugprint"
  MOVE r6 r2
  MOVE r7 r3
  CALL r5 3 1
test:
  TFORLOOP r0 0 1
  JMP @body
  GETGLOBAL r5 "debugprint"
  LOADK r6 "done"
  CALL r5 2 1
  RETURN r0 1
