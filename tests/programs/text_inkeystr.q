; label: text.inkeystr
; InKeyStr typed by the input script (text_inkeystr.events). Afterwards: the text, the cursor
; (DISPLAY 21: 21 x, 22 y), the layers flag (69) and the number of layers (6). quill is 8 pixels
; a character. Types: 0 ALL, 2 ALPHABETICAL, 3 NUMERICAL.
call ExitOnError(false)
function show(label, s)
print label, s, GetAttribute(21, 0, 21), GetAttribute(21, 0, 22), GetAttribute(21, 0, 69), GetAttribute(21, 0, 6)
end
call Locate(10, 20)
-- The input script counts its time from this first look at the events.
call CheckEvent()
-- Numbers, at most 3: the letter, the blank and a fourth digit are ignored; the text is printed
-- once more where the input began and the cursor stays behind it.
s = InKeyStr(3, 3)
call show("digits", s)
-- Backspace takes the last character and its echo away; the password flag echoes stars.
s = InKeyStr(0, 0, 1)
call show("password", s)
-- Refused while drawing goes elsewhere.
call CreateBrush(1, 10, 10)
call SelectBrush(1)
call InKeyStr(0)
print "brush", GetLastError()
call EndSelect()
call BeginDoubleBuffer()
call InKeyStr(0)
print "double buffer", GetLastError()
call EndDoubleBuffer()
call CreateBrush(2, 10, 10)
call SetBrushTransparency(2, $000000)
call SelectMask(2)
call InKeyStr(0)
print "mask", GetLastError()
call EndSelect()
call SelectAlphaChannel(1)
call InKeyStr(0)
print "alpha channel", GetLastError()
call EndSelect()
call CreateBGPic(4, 10, 10)
call SelectBGPic(4, 0)
call InKeyStr(0)
print "picture", GetLastError()
call EndSelect()
-- With layers on, the echoes go and the whole text stays as one layer.
call EnableLayers()
s = InKeyStr(2)
call show("letters", s)
call DisableLayers()
-- A quit while typing ends the program.
call InKeyStr(0)
