; label: text.wrap
; TextOut's word wrap, alignment, word-wrap table, encoding and their errors, seen in the size
; and place of the TEXTOUT layers they make: GetAttribute LAYER (22) 0 width, 1 height, 7 x,
; 8 y; DISPLAY (21) 6 counts the layers. quill: 8 pixels a character, lines 8 high (and the
; row below the last). Alignments: -90000 LEFT, -100000 CENTER, -80000 RIGHT.
; call ExitOnError(false)
; call EnableLayers()
; function size(label)
; n = GetAttribute(21, 0, 6)
; print label, GetAttribute(22, n, 0), GetAttribute(22, n, 1), GetAttribute(22, n, 7), GetAttribute(22, n, 8)
; end
; -- "cccc" does not fit behind "aaa bbb" in 56 pixels: it moves whole to the second line.
; call TextOut(10, 10, "aaa bbb cccc dd", -90000, 56)
; call size("wrap 56")
; call TextOut(10, 10, "aaa bbb cccc dd", {wordwrap = 56, align = -80000})
; call size("right")
; -- A first word wider than the width stays on its line, and the image is cut at the width.
; call TextOut(10, 10, "abcdefghij k", {wordwrap = 40})
; call size("wide word")
; -- A word-wrap table breaks before the words it numbers (from 0), whatever the width.
; t = {}
; t[0] = 1
; t[1] = 3
; call TextOut(10, 10, "one two three four", {wordwraptable = t, wordwrap = 8})
; call size("table")
; -- Special coordinates are resolved against the text's size.
; call TextOut(-100000, -60000, "centred at the bottom")
; call size("specials")
; -- UTF-8: two bytes make one character.
; call TextOut(0, 0, "\xC3\xA9t\xC3\xA9", {encoding = 1})
; call size("utf-8")
; call TextOut(0, 0, "\xC3\xA9t\xC3\xA9")
; call size("latin-1")
; -- Bad input makes no layer.
; call TextOut(10, 10, "x", {wordwrap = -1})
; print "negative width", GetLastError(), GetAttribute(21, 0, 6)
; call TextOut(10, 10, "x", -90000, -5)
; print "negative argument", GetLastError()
; call TextOut(10, 10, "x", {encoding = 2})
; print "encoding 2", GetLastError()
; t[2] = "five"
; call TextOut(10, 10, "x", {wordwraptable = t})
; print "not a number", GetLastError()
; big = {}
; for i = 0, 32766 do
; big[i] = i
; end
; call TextOut(10, 10, "x", {wordwraptable = big})
; print "32767 entries", GetLastError(), GetAttribute(21, 0, 6)
; big[32766] = nil
; call TextOut(10, 10, "x", {wordwraptable = big})
; print "32766 entries", GetLastError(), GetAttribute(21, 0, 6)
.source "@text_wrap.q"
  .maxstack 31
.lineno 1
  GETGLOBAL r0 "exitonerror"
  LOADBOOL r1 0 0
  CALL r0 2 2
.lineno 2
  GETGLOBAL r0 "enablelayers"
  CALL r0 1 2
.lineno 3
  CLOSURE r0 f0
  SETGLOBAL r0 "size"
.lineno 8
  GETGLOBAL r0 "textout"
  LOADK r1 #10
  LOADK r2 #10
  LOADK r3 "aaa bbb cccc dd"
  LOADK r4 #-90000
  LOADK r5 #56
  CALL r0 6 2
.lineno 9
  GETGLOBAL r0 "size"
  LOADK r1 "wrap 56"
  CALL r0 2 2
.lineno 10
  GETGLOBAL r0 "textout"
  LOADK r1 #10
  LOADK r2 #10
  LOADK r3 "aaa bbb cccc dd"
  NEWTABLE r4 0 4
  LOADK r5 #56
  SETTABLE r4 "wordwrap" r5
  LOADK r5 #-80000
  SETTABLE r4 "align" r5
  CALL r0 5 2
.lineno 11
  GETGLOBAL r0 "size"
  LOADK r1 "right"
  CALL r0 2 2
.lineno 13
  GETGLOBAL r0 "textout"
  LOADK r1 #10
  LOADK r2 #10
  LOADK r3 "abcdefghij k"
  NEWTABLE r4 0 4
  LOADK r5 #40
  SETTABLE r4 "wordwrap" r5
  CALL r0 5 2
.lineno 14
  GETGLOBAL r0 "size"
  LOADK r1 "wide word"
  CALL r0 2 2
.lineno 16
  NEWTABLE r0 0 4
  SETGLOBAL r0 "t"
.lineno 17
  GETGLOBAL r0 "t"
  LOADK r1 #0
  LOADK r2 #1
  SETTABLE r0 r1 r2
.lineno 18
  GETGLOBAL r0 "t"
  LOADK r1 #1
  LOADK r2 #3
  SETTABLE r0 r1 r2
.lineno 19
  GETGLOBAL r0 "textout"
  LOADK r1 #10
  LOADK r2 #10
  LOADK r3 "one two three four"
  NEWTABLE r4 0 4
  GETGLOBAL r5 "t"
  SETTABLE r4 "wordwraptable" r5
  LOADK r5 #8
  SETTABLE r4 "wordwrap" r5
  CALL r0 5 2
.lineno 20
  GETGLOBAL r0 "size"
  LOADK r1 "table"
  CALL r0 2 2
.lineno 22
  GETGLOBAL r0 "textout"
  LOADK r1 #-100000
  LOADK r2 #-60000
  LOADK r3 "centred at the bottom"
  CALL r0 4 2
.lineno 23
  GETGLOBAL r0 "size"
  LOADK r1 "specials"
  CALL r0 2 2
.lineno 25
  GETGLOBAL r0 "textout"
  LOADK r1 #0
  LOADK r2 #0
  LOADK r3 "\xC3\xA9t\xC3\xA9"
  NEWTABLE r4 0 4
  LOADK r5 #1
  SETTABLE r4 "encoding" r5
  CALL r0 5 2
.lineno 26
  GETGLOBAL r0 "size"
  LOADK r1 "utf-8"
  CALL r0 2 2
.lineno 27
  GETGLOBAL r0 "textout"
  LOADK r1 #0
  LOADK r2 #0
  LOADK r3 "\xC3\xA9t\xC3\xA9"
  CALL r0 4 2
.lineno 28
  GETGLOBAL r0 "size"
  LOADK r1 "latin-1"
  CALL r0 2 2
.lineno 30
  GETGLOBAL r0 "textout"
  LOADK r1 #10
  LOADK r2 #10
  LOADK r3 "x"
  NEWTABLE r4 0 4
  LOADK r5 #-1
  SETTABLE r4 "wordwrap" r5
  CALL r0 5 2
.lineno 31
  GETGLOBAL r0 "debugprint"
  LOADK r1 "negative width"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 2
  GETGLOBAL r3 "getattribute"
  LOADK r4 #21
  LOADK r5 #0
  LOADK r6 #6
  CALL r3 4 0
  CALL r0 0 2
.lineno 32
  GETGLOBAL r0 "textout"
  LOADK r1 #10
  LOADK r2 #10
  LOADK r3 "x"
  LOADK r4 #-90000
  LOADK r5 #-5
  CALL r0 6 2
.lineno 33
  GETGLOBAL r0 "debugprint"
  LOADK r1 "negative argument"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 2
.lineno 34
  GETGLOBAL r0 "textout"
  LOADK r1 #10
  LOADK r2 #10
  LOADK r3 "x"
  NEWTABLE r4 0 4
  LOADK r5 #2
  SETTABLE r4 "encoding" r5
  CALL r0 5 2
.lineno 35
  GETGLOBAL r0 "debugprint"
  LOADK r1 "encoding 2"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 2
.lineno 36
  GETGLOBAL r0 "t"
  LOADK r1 #2
  LOADK r2 "five"
  SETTABLE r0 r1 r2
.lineno 37
  GETGLOBAL r0 "textout"
  LOADK r1 #10
  LOADK r2 #10
  LOADK r3 "x"
  NEWTABLE r4 0 4
  GETGLOBAL r5 "t"
  SETTABLE r4 "wordwraptable" r5
  CALL r0 5 2
.lineno 38
  GETGLOBAL r0 "debugprint"
  LOADK r1 "not a number"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 2
.lineno 39
  NEWTABLE r0 0 4
  SETGLOBAL r0 "big"
.lineno 40
  LOADK r20 #0
  LOADK r21 #32766
  LOADK r22 #1
  SUB r20 r20 r22
  JMP @L1
L2:
  SETGLOBAL r20 "i"
.lineno 41
  GETGLOBAL r27 "big"
  GETGLOBAL r28 "i"
  GETGLOBAL r29 "i"
  SETTABLE r27 r28 r29
.lineno 42
L1:
  FORLOOP r20 @L2
.lineno 43
  GETGLOBAL r0 "textout"
  LOADK r1 #10
  LOADK r2 #10
  LOADK r3 "x"
  NEWTABLE r4 0 4
  GETGLOBAL r5 "big"
  SETTABLE r4 "wordwraptable" r5
  CALL r0 5 2
.lineno 44
  GETGLOBAL r0 "debugprint"
  LOADK r1 "32767 entries"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 2
  GETGLOBAL r3 "getattribute"
  LOADK r4 #21
  LOADK r5 #0
  LOADK r6 #6
  CALL r3 4 0
  CALL r0 0 2
.lineno 45
  GETGLOBAL r0 "big"
  LOADK r1 #32766
  LOADNIL r2 r2
  SETTABLE r0 r1 r2
.lineno 46
  GETGLOBAL r0 "textout"
  LOADK r1 #10
  LOADK r2 #10
  LOADK r3 "x"
  NEWTABLE r4 0 4
  GETGLOBAL r5 "big"
  SETTABLE r4 "wordwraptable" r5
  CALL r0 5 2
.lineno 47
  GETGLOBAL r0 "debugprint"
  LOADK r1 "32766 entries"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 2
  GETGLOBAL r3 "getattribute"
  LOADK r4 #21
  LOADK r5 #0
  LOADK r6 #6
  CALL r3 4 0
  CALL r0 0 2
  RETURN r0 1
.function
  .params 1
  .maxstack 11
.lineno 4
  GETGLOBAL r1 "getattribute"
  LOADK r2 #21
  LOADK r3 #0
  LOADK r4 #6
  CALL r1 4 2
  SETGLOBAL r1 "n"
.lineno 5
  GETGLOBAL r1 "debugprint"
  MOVE r2 r0
  GETGLOBAL r3 "getattribute"
  LOADK r4 #22
  GETGLOBAL r5 "n"
  LOADK r6 #0
  CALL r3 4 2
  GETGLOBAL r4 "getattribute"
  LOADK r5 #22
  GETGLOBAL r6 "n"
  LOADK r7 #1
  CALL r4 4 2
  GETGLOBAL r5 "getattribute"
  LOADK r6 #22
  GETGLOBAL r7 "n"
  LOADK r8 #7
  CALL r5 4 2
  GETGLOBAL r6 "getattribute"
  LOADK r7 #22
  GETGLOBAL r8 "n"
  LOADK r9 #8
  CALL r6 4 0
  CALL r1 0 2
.lineno 6
  RETURN r0 1
.end
