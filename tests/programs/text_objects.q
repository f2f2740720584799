; label: text.objects
; Text objects: created with arguments or options, copied, shown with options, turned, scaled (in
; pixels, percentages and KEEPASPRAT) and freed; GetAttribute TEXTOBJECT (8): 0 width, 1 height,
; 30..35 the font rows (ascender, descender, name, size, scalable, anti-alias), 36 the text.
; quill is 8 pixels a character and 8 high; an image is one row higher than its lines. CENTER is
; -100000, RIGHT -80000, LEFT -90000, KEEPASPRAT 100000.
call ExitOnError(false)
function attrs(id)
print GetAttribute(8, id, 0), GetAttribute(8, id, 1), GetAttribute(8, id, 36)
end
call SetFontColor($FFFFFF)
call CreateTextObject(1, "Hello")
call attrs(1)
print GetAttribute(8, 1, 30), GetAttribute(8, 1, 31), GetAttribute(8, 1, 32), GetAttribute(8, 1, 33), GetAttribute(8, 1, 34), GetAttribute(8, 1, 35)
-- Options: centred lines of a wrapped text in red.
call CreateTextObject(2, "one two three", {align = -100000, wordwrap = 40, color = $FF0000})
call attrs(2)
-- An automatic id, and arguments: align, word wrap and encoding.
t = CreateTextObject(nil, "abc", -80000, 0, 0)
call attrs(t)
call CreateTextObject(3, "x", -90000, -1)
print "negative wrap", GetLastError()
call CreateTextObject(3, "x", -90000, 0, 2)
print "encoding 2", GetLastError()
call GetAttribute(8, 3, 0)
print "no object 3", GetLastError()
-- Shown plainly, and with a transparency and a rotation.
call DisplayTextObject(1, 10, 10)
print "shown", ReadPixel(11, 10), ReadPixel(10, 10), ReadPixel(13, 12)
call DisplayTextObject(2, 100, 10, {transparency = 128})
call DisplayTextObject(1, 10, 40, {rotate = 90})
print "options", GetLastError()
-- Copies: their own images; a copy onto its own id is refused, onto another id replaces it.
call CopyTextObject(1, 4)
call attrs(4)
call CopyTextObject(4, 4)
print "copy onto itself", GetLastError()
call CopyTextObject(2, 4)
call attrs(4)
c = CopyTextObject(1, nil)
call attrs(c)
-- Turned: 450 is 90, a right angle swaps the sides; 360 turns back.
call RotateTextObject(1, 450)
call attrs(1)
call RotateTextObject(1, -90)
call attrs(1)
call RotateTextObject(1, 360)
call attrs(1)
-- Scaled: pixels, a percentage of the size at creation, KEEPASPRAT on either side.
call ScaleTextObject(1, 80, 18)
call attrs(1)
call ScaleTextObject(1, "50%", "100%")
call attrs(1)
call ScaleTextObject(1, 100000, 27)
call attrs(1)
call ScaleTextObject(1, 120, 100000)
call attrs(1)
call ScaleTextObject(1, 100000, 100000)
print "keep both", GetLastError()
call ScaleTextObject(1, 0, 10)
print "zero", GetLastError()
call attrs(1)
-- Freed: the id is gone.
call FreeTextObject(1)
call FreeTextObject(1)
print "freed twice", GetLastError()
call DisplayTextObject(1, 0, 0)
print "display freed", GetLastError()
print "count", GetAttribute(8, 0, 60)
-- A size that is neither a number nor a percentage ends the program with its argument error.
call CreateTextObject(5, "end")
call ScaleTextObject(5, "x%", 10)
print "not reached"
