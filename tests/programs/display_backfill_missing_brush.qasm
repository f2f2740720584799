; label: display
; DebugPrint("not reached: the backfill's brush is missing")
.source "@display_backfill_missing_brush.qasm"
.maxstack 6
.lineno 1
  GETGLOBAL r0 "debugprint"
  LOADK r1 "not reached: the backfill's brush is missing"
  CALL r0 2 1
  RETURN r0 1
