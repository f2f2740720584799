; Strings made by concatenation in a loop, then their lengths summed.
.source "@concat"
.maxstack 12
  NEWTABLE r0 0 0
  LOADK r1 #0
  LOADK r2 #500000
  LOADK r3 #1
  JMP @t1
make:
  LOADK r5 "x"
  MOVE r6 r1
  LOADK r7 "y"
  CONCAT r4 r5 r7
  SETTABLE r0 r1 r4
t1:
  FORLOOP r1 @make
  LOADK r4 #0
  LOADK r1 #0
  JMP @t2
measure:
  GETGLOBAL r5 "strlen"
  GETTABLE r6 r0 r1
  CALL r5 2 2
  ADD r4 r4 r5
t2:
  FORLOOP r1 @measure
  EQ 1 r4 #3888895
  JMP @ok
  GETGLOBAL r4 "benchmark_result_wrong"
  CALL r4 1 1
ok:
  RETURN r0 1
