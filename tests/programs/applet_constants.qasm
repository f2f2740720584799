; label: runtime.applet
; An applet's own constants never hide a built-in one of the same name; its other ones are found.
; print GetConstant("#ERR_MEM"), GetConstant("#MYVALUE")
.source "@applet_constants.qasm"
.maxstack 6
.constant ERR_MEM 5
.constant MyValue 7
.lineno 1
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getconstant"
  LOADK r2 "#ERR_MEM"
  CALL r1 2 2
  GETGLOBAL r2 "getconstant"
  LOADK r3 "#MYVALUE"
  CALL r2 2 0
  CALL r0 0 1
  RETURN r0 1
