; A table with integer keys: filled, then twenty read-modify-write passes.
.source "@intkeys"
.maxstack 12
  NEWTABLE r0 0 0
  LOADK r1 #0
  LOADK r2 #1000000
  LOADK r3 #1
  JMP @t1
fill:
  SETTABLE r0 r1 r1
t1:
  FORLOOP r1 @fill
  LOADK r4 #0
  LOADK r5 #20
  LOADK r6 #1
  JMP @t2
pass:
  LOADK r7 #0
  LOADK r8 #1000000
  LOADK r9 #1
  JMP @t3
rmw:
  GETTABLE r10 r0 r7
  ADD r10 r10 r4
  SETTABLE r0 r7 r10
t3:
  FORLOOP r7 @rmw
t2:
  FORLOOP r4 @pass
  GETTABLE r10 r0 #1000000
  EQ 1 r10 #1000210
  JMP @ok1
  JMP @bad
ok1:
  GETTABLE r10 r0 #1
  EQ 1 r10 #211
  JMP @ok
bad:
  GETGLOBAL r4 "benchmark_result_wrong"
  CALL r4 1 1
ok:
  RETURN r0 1
