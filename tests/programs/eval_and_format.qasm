; label: stdlib.string
; DebugPrint(Eval("2^3^2"), FormatStr("%05.1f|%x|%q", 3.14159, 255, "a\"b"), "100%")
.source "@eval_and_format.qasm"
.maxstack 10
.lineno 1
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "eval"
  LOADK r2 "2^3^2"
  CALL r1 2 2
  GETGLOBAL r2 "formatstr"
  LOADK r3 "%05.1f|%x|%q"
  LOADK r4 #3.14159
  LOADK r5 #255
  LOADK r6 "a\"b"
  CALL r2 5 2
  LOADK r3 "100%"
  CALL r0 4 1
  RETURN r0 1
