; The bundled example: greets, counts to three in a Gosub and says goodbye, all with DebugPrint.
.source "@hello.qasm"
.maxstack 8
.lineno 1
  GETGLOBAL r0 "debugprint"
  LOADK r1 "Hello from Quillmere!"
  CALL r0 2 1
.lineno 2
  GOSUB @count
.lineno 3
  GETGLOBAL r0 "debugprint"
  LOADK r1 "Goodbye."
  CALL r0 2 1
  RETURN r0 1
count:
.lineno 5
  LOADK r1 #0
  LOADK r2 #3
  LOADK r3 #1
  JMP @test
body:
.lineno 6
  GETGLOBAL r4 "debugprint"
  LOADK r5 "counting"
  MOVE r6 r1
  CALL r4 3 1
test:
.lineno 7
  FORLOOP r1 @body
  RETURN 0 0 1
