; label: events
; Keys and buttons held when the program resets the input state or runs another program read as
; released afterwards, while the mouse keeps its place and a new press counts again. Display
; look-ups (type 21 is a display, attribute 0 its width) name the missing number or refuse a
; freed automatic id.
; call ExitOnError(0)
; -- The input script counts its time from this first look at the events; each later look
; -- lets it go on with what comes next.
; call CheckEvent()
; while IsKeyDown("a") == 0 do
;   call Wait(1)
; end
; print "held", IsKeyDown("a"), IsLeftMouse(), MouseX(), MouseY()
; call ResetKeyStates()
; print "reset", IsKeyDown("a"), IsLeftMouse(), MouseX(), MouseY()
; call CheckEvent()
; while IsKeyDown("b") == 0 do
;   call Wait(1)
; end
; print "held", IsKeyDown("b"), IsLeftMouse()
; call Execute("/bin/true")
; print "after execute", IsKeyDown("b"), IsLeftMouse(), MouseX(), MouseY()
; call CheckEvent()
; while IsKeyDown("a") == 0 do
;   call Wait(1)
; end
; print "pressed again", IsKeyDown("a"), IsKeyDown("b")
; call CreateDisplay(2, {width = 100, height = 50})
; print "display 7", GetAttribute(21, 7, 0), GetLastError(), GetErrorName(GetLastError())
; h = CreateDisplay(nil, {width = 100, height = 50})
; call FreeDisplay(h)
; print "freed", GetAttribute(21, h, 0), GetLastError()
.source "@display_input_reset.q"
  .maxstack 8
.lineno 1
  GETGLOBAL r0 "exitonerror"
  LOADK r1 #0
  CALL r0 2 2
.lineno 4
  GETGLOBAL r0 "checkevent"
  CALL r0 1 2
.lineno 5
L1:
  GETGLOBAL r0 "iskeydown"
  LOADK r1 "a"
  CALL r0 2 2
  LOADK r1 #0
  EQ 0 r0 r1
  JMP @L2
.lineno 6
  GETGLOBAL r0 "wait"
  LOADK r1 #1
  CALL r0 2 2
.lineno 7
  JMP @L1
L2:
.lineno 8
  GETGLOBAL r0 "debugprint"
  LOADK r1 "held"
  GETGLOBAL r2 "iskeydown"
  LOADK r3 "a"
  CALL r2 2 2
  GETGLOBAL r3 "isleftmouse"
  CALL r3 1 2
  GETGLOBAL r4 "mousex"
  CALL r4 1 2
  GETGLOBAL r5 "mousey"
  CALL r5 1 0
  CALL r0 0 2
.lineno 9
  GETGLOBAL r0 "resetkeystates"
  CALL r0 1 2
.lineno 10
  GETGLOBAL r0 "debugprint"
  LOADK r1 "reset"
  GETGLOBAL r2 "iskeydown"
  LOADK r3 "a"
  CALL r2 2 2
  GETGLOBAL r3 "isleftmouse"
  CALL r3 1 2
  GETGLOBAL r4 "mousex"
  CALL r4 1 2
  GETGLOBAL r5 "mousey"
  CALL r5 1 0
  CALL r0 0 2
.lineno 11
  GETGLOBAL r0 "checkevent"
  CALL r0 1 2
.lineno 12
L3:
  GETGLOBAL r0 "iskeydown"
  LOADK r1 "b"
  CALL r0 2 2
  LOADK r1 #0
  EQ 0 r0 r1
  JMP @L4
.lineno 13
  GETGLOBAL r0 "wait"
  LOADK r1 #1
  CALL r0 2 2
.lineno 14
  JMP @L3
L4:
.lineno 15
  GETGLOBAL r0 "debugprint"
  LOADK r1 "held"
  GETGLOBAL r2 "iskeydown"
  LOADK r3 "b"
  CALL r2 2 2
  GETGLOBAL r3 "isleftmouse"
  CALL r3 1 0
  CALL r0 0 2
.lineno 16
  GETGLOBAL r0 "execute"
  LOADK r1 "/bin/true"
  CALL r0 2 2
.lineno 17
  GETGLOBAL r0 "debugprint"
  LOADK r1 "after execute"
  GETGLOBAL r2 "iskeydown"
  LOADK r3 "b"
  CALL r2 2 2
  GETGLOBAL r3 "isleftmouse"
  CALL r3 1 2
  GETGLOBAL r4 "mousex"
  CALL r4 1 2
  GETGLOBAL r5 "mousey"
  CALL r5 1 0
  CALL r0 0 2
.lineno 18
  GETGLOBAL r0 "checkevent"
  CALL r0 1 2
.lineno 19
L5:
  GETGLOBAL r0 "iskeydown"
  LOADK r1 "a"
  CALL r0 2 2
  LOADK r1 #0
  EQ 0 r0 r1
  JMP @L6
.lineno 20
  GETGLOBAL r0 "wait"
  LOADK r1 #1
  CALL r0 2 2
.lineno 21
  JMP @L5
L6:
.lineno 22
  GETGLOBAL r0 "debugprint"
  LOADK r1 "pressed again"
  GETGLOBAL r2 "iskeydown"
  LOADK r3 "a"
  CALL r2 2 2
  GETGLOBAL r3 "iskeydown"
  LOADK r4 "b"
  CALL r3 2 0
  CALL r0 0 2
.lineno 23
  GETGLOBAL r0 "createdisplay"
  LOADK r1 #2
  NEWTABLE r2 0 4
  LOADK r3 #100
  SETTABLE r2 "width" r3
  LOADK r3 #50
  SETTABLE r2 "height" r3
  CALL r0 3 2
.lineno 24
  GETGLOBAL r0 "debugprint"
  LOADK r1 "display 7"
  GETGLOBAL r2 "getattribute"
  LOADK r3 #21
  LOADK r4 #7
  LOADK r5 #0
  CALL r2 4 2
  GETGLOBAL r3 "getlasterror"
  CALL r3 1 2
  GETGLOBAL r4 "geterrorname"
  GETGLOBAL r5 "getlasterror"
  CALL r5 1 0
  CALL r4 0 0
  CALL r0 0 2
.lineno 25
  GETGLOBAL r0 "createdisplay"
  LOADNIL r1 r1
  NEWTABLE r2 0 4
  LOADK r3 #100
  SETTABLE r2 "width" r3
  LOADK r3 #50
  SETTABLE r2 "height" r3
  CALL r0 3 2
  SETGLOBAL r0 "h"
.lineno 26
  GETGLOBAL r0 "freedisplay"
  GETGLOBAL r1 "h"
  CALL r0 2 2
.lineno 27
  GETGLOBAL r0 "debugprint"
  LOADK r1 "freed"
  GETGLOBAL r2 "getattribute"
  LOADK r3 #21
  GETGLOBAL r4 "h"
  LOADK r5 #0
  CALL r2 4 2
  GETGLOBAL r3 "getlasterror"
  CALL r3 1 0
  CALL r0 0 2
  RETURN r0 1
