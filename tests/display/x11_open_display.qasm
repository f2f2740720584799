; A second display opened by the program, without its "active" option: OpenDisplay still brings
; it to the front.
; CreateDisplay(2, {title = "Quillmere second", width = 120, height = 90})  OpenDisplay(2)
; For i = 1 To 1200 VWait() Next  (the test ends the player before)
.declare display 1 title="Quillmere first" width=320 height=200
.source "@x11_open_display.qasm"
.maxstack 8
.lineno 1
  GETGLOBAL r0 "createdisplay"
  LOADK r1 #2
  NEWTABLE r2 0 0
  LOADK r3 "Quillmere second"
  SETTABLE r2 "title" r3
  LOADK r3 #120
  SETTABLE r2 "width" r3
  LOADK r3 #90
  SETTABLE r2 "height" r3
  CALL r0 3 1
  GETGLOBAL r0 "opendisplay"
  LOADK r1 #2
  CALL r0 2 1
.lineno 2
  LOADK r2 #1
  LOADK r3 #1200
  LOADK r4 #1
  JMP @test
body:
  GETGLOBAL r6 "vwait"
  CALL r6 1 1
test:
  FORLOOP r2 @body
  RETURN r0 1
