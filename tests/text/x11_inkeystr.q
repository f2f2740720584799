; InKeyStr in a real window: xdotool types 1, 2, a, 3, 4 and Return; NUMERICAL (3) with at most
; 3 characters keeps "123", printed where the input began with the cursor behind it (21, 22 of
; DISPLAY 21; quill is 8 pixels a character).
call SetTitle("Quillmere text input")
call Locate(10, 20)
s = InKeyStr(3, 3)
print s, GetAttribute(21, 0, 21), GetAttribute(21, 0, 22), GetAttribute(21, 0, 6)
