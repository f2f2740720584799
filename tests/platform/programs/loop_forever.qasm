; DebugPrint("start"); CheckEvent(); while true do x = 1 end
.source "@loop_forever.qasm"
.maxstack 4
.lineno 1
  GETGLOBAL r0 "debugprint"
  LOADK r1 "start"
  CALL r0 2 1
  GETGLOBAL r0 "checkevent"
  CALL r0 1 1
loop:
.lineno 2
  LOADK r0 #1
.lineno 3
  JMP @loop
  RETURN r0 1
