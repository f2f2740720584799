; The bundled example: greets, counts to three in a loop and returns through a Gosub.
.source "@hello.qasm"
.maxstack 8
.lineno 1
  GETGLOBAL r0 "print"
  LOADK r1 "Hello from Quillmere!"
  CALL r0 2 1
  GOSUB @count
  GETGLOBAL r0 "print"
  LOADK r1 "Goodbye."
  CALL r0 2 1
  RETURN r0 1
count:
  LOADK r1 #0
  LOADK r2 #3
  LOADK r3 #1
  JMP @test
body:
  GETGLOBAL r4 "print"
  LOADK r5 "counting"
  MOVE r6 r1
  CALL r4 3 1
test:
  FORLOOP r1 @body
  RETURN 0 0 1
