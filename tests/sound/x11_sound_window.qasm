; The sound output opens, then the program waits for events until its window goes.
; print "sound", IsSound()
; while 1 == 1 do
;   call WaitEvent()
; end
.source "@xs.q"
  .maxstack 8
.lineno 1
  GETGLOBAL r0 "debugprint"
  LOADK r1 "sound"
  GETGLOBAL r2 "issound"
  CALL r2 1 0
  CALL r0 0 2
.lineno 2
L1:
  LOADK r0 #1
  LOADK r1 #1
  EQ 0 r0 r1
  JMP @L2
.lineno 3
  GETGLOBAL r0 "waitevent"
  CALL r0 1 2
.lineno 4
  JMP @L1
L2:
  RETURN r0 1
