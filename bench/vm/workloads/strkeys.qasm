; A table with string keys: keys made, inserted, then looked up and updated in passes.
.source "@strkeys"
.maxstack 16
  NEWTABLE r0 0 0
  LOADK r3 #0
  LOADK r4 #1000
  LOADK r5 #1
  JMP @t1
make:
  LOADK r6 "key"
  MOVE r7 r3
  CONCAT r6 r6 r7
  SETTABLE r0 r3 r6
t1:
  FORLOOP r3 @make
  NEWTABLE r1 0 0
  LOADK r3 #0
  JMP @t2
insert:
  GETTABLE r6 r0 r3
  SETTABLE r1 r6 r3
t2:
  FORLOOP r3 @insert
  LOADK r2 #0
  LOADK r6 #0
  LOADK r7 #10000
  LOADK r8 #1
  JMP @t3
pass:
  LOADK r9 #0
  LOADK r10 #1000
  LOADK r11 #1
  JMP @t4
update:
  GETTABLE r12 r0 r9
  GETTABLE r13 r1 r12
  ADD r13 r13 #1
  SETTABLE r1 r12 r13
  GETTABLE r13 r1 r12
  ADD r2 r2 r13
t4:
  FORLOOP r9 @update
t3:
  FORLOOP r6 @pass
  GETTABLE r13 r1 "key1000"
  EQ 1 r13 #11000
  JMP @ok1
  JMP @bad
ok1:
  EQ 1 r2 #55010000000
  JMP @ok
bad:
  GETGLOBAL r4 "benchmark_result_wrong"
  CALL r4 1 1
ok:
  RETURN r0 1
