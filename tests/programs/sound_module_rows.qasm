; label: sound
; The song position and row are those that sound: while row 0 of position 0 plays (2.4 s long),
; the player has already read it and moved on to row 5 of position 1, which only sounds later.
; call ExitOnError(0)
; call LoadModule(1, "rows.mod")
; call PlayModule(1)
; call Wait(10)
; print "first row", GetSongPosition(), GetPatternPosition()
; call WaitPatternPosition(5)
; print "after the break", GetSongPosition(), GetPatternPosition()
; call PlaySubsong(0)
; call Wait(10)
; print "jumped back", GetSongPosition(), GetPatternPosition()
; call StopModule()
; print "stopped", GetSongPosition(), GetPatternPosition()
.source "@sound_module_rows.q"
  .maxstack 8
.lineno 1
  GETGLOBAL r0 "exitonerror"
  LOADK r1 #0
  CALL r0 2 2
.lineno 2
  GETGLOBAL r0 "loadmodule"
  LOADK r1 #1
  LOADK r2 "rows.mod"
  CALL r0 3 2
.lineno 3
  GETGLOBAL r0 "playmodule"
  LOADK r1 #1
  CALL r0 2 2
.lineno 4
  GETGLOBAL r0 "wait"
  LOADK r1 #10
  CALL r0 2 2
.lineno 5
  GETGLOBAL r0 "debugprint"
  LOADK r1 "first row"
  GETGLOBAL r2 "getsongposition"
  CALL r2 1 2
  GETGLOBAL r3 "getpatternposition"
  CALL r3 1 0
  CALL r0 0 2
.lineno 6
  GETGLOBAL r0 "waitpatternposition"
  LOADK r1 #5
  CALL r0 2 2
.lineno 7
  GETGLOBAL r0 "debugprint"
  LOADK r1 "after the break"
  GETGLOBAL r2 "getsongposition"
  CALL r2 1 2
  GETGLOBAL r3 "getpatternposition"
  CALL r3 1 0
  CALL r0 0 2
.lineno 8
  GETGLOBAL r0 "playsubsong"
  LOADK r1 #0
  CALL r0 2 2
.lineno 9
  GETGLOBAL r0 "wait"
  LOADK r1 #10
  CALL r0 2 2
.lineno 10
  GETGLOBAL r0 "debugprint"
  LOADK r1 "jumped back"
  GETGLOBAL r2 "getsongposition"
  CALL r2 1 2
  GETGLOBAL r3 "getpatternposition"
  CALL r3 1 0
  CALL r0 0 2
.lineno 11
  GETGLOBAL r0 "stopmodule"
  CALL r0 1 2
.lineno 12
  GETGLOBAL r0 "debugprint"
  LOADK r1 "stopped"
  GETGLOBAL r2 "getsongposition"
  CALL r2 1 2
  GETGLOBAL r3 "getpatternposition"
  CALL r3 1 0
  CALL r0 0 2
  RETURN r0 1
