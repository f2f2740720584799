; label: events
; Keys and buttons held when the program resets the input state or runs another program read as
; released afterwards, while the mouse keeps its place and a new press counts again. Display
; look-ups (type 21 is a display, attribute 0 its width) name the missing number or refuse a
; freed automatic id.
call ExitOnError(0)
-- The input script counts its time from this first look at the events; each later look
-- lets it go on with what comes next.
call CheckEvent()
while IsKeyDown("a") == 0 do
  call Wait(1)
end
print "held", IsKeyDown("a"), IsLeftMouse(), MouseX(), MouseY()
call ResetKeyStates()
print "reset", IsKeyDown("a"), IsLeftMouse(), MouseX(), MouseY()
call CheckEvent()
while IsKeyDown("b") == 0 do
  call Wait(1)
end
print "held", IsKeyDown("b"), IsLeftMouse()
call Execute("/bin/true")
print "after execute", IsKeyDown("b"), IsLeftMouse(), MouseX(), MouseY()
call CheckEvent()
while IsKeyDown("a") == 0 do
  call Wait(1)
end
print "pressed again", IsKeyDown("a"), IsKeyDown("b")
call CreateDisplay(2, {width = 100, height = 50})
print "display 7", GetAttribute(21, 7, 0), GetLastError(), GetErrorName(GetLastError())
h = CreateDisplay(nil, {width = 100, height = 50})
call FreeDisplay(h)
print "freed", GetAttribute(21, h, 0), GetLastError()
