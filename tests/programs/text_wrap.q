; label: text.wrap
; TextOut's word wrap, alignment, word-wrap table, encoding and their errors, seen in the size
; and place of the TEXTOUT layers they make: GetAttribute LAYER (22) 0 width, 1 height, 7 x,
; 8 y; DISPLAY (21) 6 counts the layers. quill: 8 pixels a character, lines 8 high (and the
; row below the last). Alignments: -90000 LEFT, -100000 CENTER, -80000 RIGHT.
call ExitOnError(false)
call EnableLayers()
function size(label)
n = GetAttribute(21, 0, 6)
print label, GetAttribute(22, n, 0), GetAttribute(22, n, 1), GetAttribute(22, n, 7), GetAttribute(22, n, 8)
end
-- "cccc" does not fit behind "aaa bbb" in 56 pixels: it moves whole to the second line.
call TextOut(10, 10, "aaa bbb cccc dd", -90000, 56)
call size("wrap 56")
call TextOut(10, 10, "aaa bbb cccc dd", {wordwrap = 56, align = -80000})
call size("right")
-- A first word wider than the width stays on its line, and the image is cut at the width.
call TextOut(10, 10, "abcdefghij k", {wordwrap = 40})
call size("wide word")
-- A word-wrap table breaks before the words it numbers (from 0), whatever the width.
t = {}
t[0] = 1
t[1] = 3
call TextOut(10, 10, "one two three four", {wordwraptable = t, wordwrap = 8})
call size("table")
-- Special coordinates are resolved against the text's size.
call TextOut(-100000, -60000, "centred at the bottom")
call size("specials")
-- UTF-8: two bytes make one character.
call TextOut(0, 0, "\xC3\xA9t\xC3\xA9", {encoding = 1})
call size("utf-8")
call TextOut(0, 0, "\xC3\xA9t\xC3\xA9")
call size("latin-1")
-- Bad input makes no layer.
call TextOut(10, 10, "x", {wordwrap = -1})
print "negative width", GetLastError(), GetAttribute(21, 0, 6)
call TextOut(10, 10, "x", -90000, -5)
print "negative argument", GetLastError()
call TextOut(10, 10, "x", {encoding = 2})
print "encoding 2", GetLastError()
t[2] = "five"
call TextOut(10, 10, "x", {wordwraptable = t})
print "not a number", GetLastError()
big = {}
for i = 0, 32766 do
big[i] = i
end
call TextOut(10, 10, "x", {wordwraptable = big})
print "32767 entries", GetLastError(), GetAttribute(21, 0, 6)
big[32766] = nil
call TextOut(10, 10, "x", {wordwraptable = big})
print "32766 entries", GetLastError(), GetAttribute(21, 0, 6)
