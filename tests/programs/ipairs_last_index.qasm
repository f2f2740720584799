; label: stdlib.system
; The iterator IPairs hands out, called at the largest index, ends the loop without overflow.
; print "after max", IPairs({10, 20}, 2147483647)
; print "after 0", IPairs({10, 20}, 0)
; print "after -1", IPairs({10, 20}, -1)
.source "@ipairs_last_index.qasm"
.maxstack 7
.lineno 1
  GETGLOBAL r0 "debugprint"
  LOADK r1 "after max"
  GETGLOBAL r2 "ipairs"
  NEWTABLE r3 0 0
  LOADK r4 #10
  SETTABLE r3 #0 r4
  LOADK r4 #20
  SETTABLE r3 #1 r4
  LOADK r4 #2147483647
  CALL r2 3 0
  CALL r0 0 1
.lineno 2
  GETGLOBAL r0 "debugprint"
  LOADK r1 "after 0"
  GETGLOBAL r2 "ipairs"
  NEWTABLE r3 0 0
  LOADK r4 #10
  SETTABLE r3 #0 r4
  LOADK r4 #20
  SETTABLE r3 #1 r4
  LOADK r4 #0
  CALL r2 3 0
  CALL r0 0 1
.lineno 3
  GETGLOBAL r0 "debugprint"
  LOADK r1 "after -1"
  GETGLOBAL r2 "ipairs"
  NEWTABLE r3 0 0
  LOADK r4 #10
  SETTABLE r3 #0 r4
  LOADK r4 #20
  SETTABLE r3 #1 r4
  LOADK r4 #-1
  CALL r2 3 0
  CALL r0 0 1
  RETURN r0 1
