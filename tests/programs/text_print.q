; label: text.print
; Print and NPrint: values joined by one blank through the script's own tostring, the cursor
; behind the text (21 cursor x, 22 cursor y of DISPLAY 21), and quill's "Hi" in the picture and
; in the window's snapshot. quill is 8 pixels a character.
call ExitOnError(false)
call Print("a", 1, nil)
print GetAttribute(21, 0, 21), GetAttribute(21, 0, 22)
call NPrint("x", "y")
print GetAttribute(21, 0, 21), GetAttribute(21, 0, 22)
-- A replaced tostring: a result of any length prints whole, one that is no string adds nothing.
function long(v)
return RepeatStr("x", 5000)
end
function nothing(v)
return 7
end
saved = tostring
tostring = long
call Locate(0, 40)
call Print(1)
x1 = GetAttribute(21, 0, 21)
y1 = GetAttribute(21, 0, 22)
tostring = nothing
call Locate(0, 40)
call Print(1, 2, 3)
x2 = GetAttribute(21, 0, 21)
tostring = saved
print "long", x1, y1
print "no strings", x2
-- quill "Hi" in white at 0, 100: the H's left stroke in column 1, its bar in row 2, the i's dot.
call SetFontColor($FFFFFF)
call Locate(0, 100)
call Print("Hi")
call SaveSnapshot("window.bmp", 0)
print ReadPixel(0, 100), ReadPixel(1, 100), ReadPixel(3, 101), ReadPixel(3, 102), ReadPixel(11, 100), ReadPixel(11, 101)
-- Print needs a value: a missing one ends the program with "Not enough arguments!".
call Print()
print "not reached"
