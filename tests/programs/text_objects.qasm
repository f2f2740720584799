; label: text.objects
; Text objects: created with arguments or options, copied, shown with options, turned, scaled (in
; pixels, percentages and KEEPASPRAT) and freed; GetAttribute TEXTOBJECT (8): 0 width, 1 height,
; 30..35 the font rows (ascender, descender, name, size, scalable, anti-alias), 36 the text.
; quill is 8 pixels a character and 8 high; an image is one row higher than its lines. CENTER is
; -100000, RIGHT -80000, LEFT -90000, KEEPASPRAT 100000.
; call ExitOnError(false)
; function attrs(id)
; print GetAttribute(8, id, 0), GetAttribute(8, id, 1), GetAttribute(8, id, 36)
; end
; call SetFontColor($FFFFFF)
; call CreateTextObject(1, "Hello")
; call attrs(1)
; print GetAttribute(8, 1, 30), GetAttribute(8, 1, 31), GetAttribute(8, 1, 32), GetAttribute(8, 1, 33), GetAttribute(8, 1, 34), GetAttribute(8, 1, 35)
; -- Options: centred lines of a wrapped text in red.
; call CreateTextObject(2, "one two three", {align = -100000, wordwrap = 40, color = $FF0000})
; call attrs(2)
; -- An automatic id, and arguments: align, word wrap and encoding.
; t = CreateTextObject(nil, "abc", -80000, 0, 0)
; call attrs(t)
; call CreateTextObject(3, "x", -90000, -1)
; print "negative wrap", GetLastError()
; call CreateTextObject(3, "x", -90000, 0, 2)
; print "encoding 2", GetLastError()
; call GetAttribute(8, 3, 0)
; print "no object 3", GetLastError()
; -- Shown plainly, and with a transparency and a rotation.
; call DisplayTextObject(1, 10, 10)
; print "shown", ReadPixel(11, 10), ReadPixel(10, 10), ReadPixel(13, 12)
; call DisplayTextObject(2, 100, 10, {transparency = 128})
; call DisplayTextObject(1, 10, 40, {rotate = 90})
; print "options", GetLastError()
; -- Copies: their own images; a copy onto its own id is refused, onto another id replaces it.
; call CopyTextObject(1, 4)
; call attrs(4)
; call CopyTextObject(4, 4)
; print "copy onto itself", GetLastError()
; call CopyTextObject(2, 4)
; call attrs(4)
; c = CopyTextObject(1, nil)
; call attrs(c)
; -- Turned: 450 is 90, a right angle swaps the sides; 360 turns back.
; call RotateTextObject(1, 450)
; call attrs(1)
; call RotateTextObject(1, -90)
; call attrs(1)
; call RotateTextObject(1, 360)
; call attrs(1)
; -- Scaled: pixels, a percentage of the size at creation, KEEPASPRAT on either side.
; call ScaleTextObject(1, 80, 18)
; call attrs(1)
; call ScaleTextObject(1, "50%", "100%")
; call attrs(1)
; call ScaleTextObject(1, 100000, 27)
; call attrs(1)
; call ScaleTextObject(1, 120, 100000)
; call attrs(1)
; call ScaleTextObject(1, 100000, 100000)
; print "keep both", GetLastError()
; call ScaleTextObject(1, 0, 10)
; print "zero", GetLastError()
; call attrs(1)
; -- Freed: the id is gone.
; call FreeTextObject(1)
; call FreeTextObject(1)
; print "freed twice", GetLastError()
; call DisplayTextObject(1, 0, 0)
; print "display freed", GetLastError()
; print "count", GetAttribute(8, 0, 60)
; -- A size that is neither a number nor a percentage ends the program with its argument error.
; call CreateTextObject(5, "end")
; call ScaleTextObject(5, "x%", 10)
; print "not reached"
.source "@text_objects.q"
  .maxstack 11
.lineno 1
  GETGLOBAL r0 "exitonerror"
  LOADBOOL r1 0 0
  CALL r0 2 2
.lineno 2
  CLOSURE r0 f0
  SETGLOBAL r0 "attrs"
.lineno 5
  GETGLOBAL r0 "setfontcolor"
  LOADK r1 #16777215
  CALL r0 2 2
.lineno 6
  GETGLOBAL r0 "createtextobject"
  LOADK r1 #1
  LOADK r2 "Hello"
  CALL r0 3 2
.lineno 7
  GETGLOBAL r0 "attrs"
  LOADK r1 #1
  CALL r0 2 2
.lineno 8
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getattribute"
  LOADK r2 #8
  LOADK r3 #1
  LOADK r4 #30
  CALL r1 4 2
  GETGLOBAL r2 "getattribute"
  LOADK r3 #8
  LOADK r4 #1
  LOADK r5 #31
  CALL r2 4 2
  GETGLOBAL r3 "getattribute"
  LOADK r4 #8
  LOADK r5 #1
  LOADK r6 #32
  CALL r3 4 2
  GETGLOBAL r4 "getattribute"
  LOADK r5 #8
  LOADK r6 #1
  LOADK r7 #33
  CALL r4 4 2
  GETGLOBAL r5 "getattribute"
  LOADK r6 #8
  LOADK r7 #1
  LOADK r8 #34
  CALL r5 4 2
  GETGLOBAL r6 "getattribute"
  LOADK r7 #8
  LOADK r8 #1
  LOADK r9 #35
  CALL r6 4 0
  CALL r0 0 2
.lineno 10
  GETGLOBAL r0 "createtextobject"
  LOADK r1 #2
  LOADK r2 "one two three"
  NEWTABLE r3 0 4
  LOADK r4 #-100000
  SETTABLE r3 "align" r4
  LOADK r4 #40
  SETTABLE r3 "wordwrap" r4
  LOADK r4 #16711680
  SETTABLE r3 "color" r4
  CALL r0 4 2
.lineno 11
  GETGLOBAL r0 "attrs"
  LOADK r1 #2
  CALL r0 2 2
.lineno 13
  GETGLOBAL r0 "createtextobject"
  LOADNIL r1 r1
  LOADK r2 "abc"
  LOADK r3 #-80000
  LOADK r4 #0
  LOADK r5 #0
  CALL r0 6 2
  SETGLOBAL r0 "t"
.lineno 14
  GETGLOBAL r0 "attrs"
  GETGLOBAL r1 "t"
  CALL r0 2 2
.lineno 15
  GETGLOBAL r0 "createtextobject"
  LOADK r1 #3
  LOADK r2 "x"
  LOADK r3 #-90000
  LOADK r4 #-1
  CALL r0 5 2
.lineno 16
  GETGLOBAL r0 "debugprint"
  LOADK r1 "negative wrap"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 2
.lineno 17
  GETGLOBAL r0 "createtextobject"
  LOADK r1 #3
  LOADK r2 "x"
  LOADK r3 #-90000
  LOADK r4 #0
  LOADK r5 #2
  CALL r0 6 2
.lineno 18
  GETGLOBAL r0 "debugprint"
  LOADK r1 "encoding 2"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 2
.lineno 19
  GETGLOBAL r0 "getattribute"
  LOADK r1 #8
  LOADK r2 #3
  LOADK r3 #0
  CALL r0 4 2
.lineno 20
  GETGLOBAL r0 "debugprint"
  LOADK r1 "no object 3"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 2
.lineno 22
  GETGLOBAL r0 "displaytextobject"
  LOADK r1 #1
  LOADK r2 #10
  LOADK r3 #10
  CALL r0 4 2
.lineno 23
  GETGLOBAL r0 "debugprint"
  LOADK r1 "shown"
  GETGLOBAL r2 "readpixel"
  LOADK r3 #11
  LOADK r4 #10
  CALL r2 3 2
  GETGLOBAL r3 "readpixel"
  LOADK r4 #10
  LOADK r5 #10
  CALL r3 3 2
  GETGLOBAL r4 "readpixel"
  LOADK r5 #13
  LOADK r6 #12
  CALL r4 3 0
  CALL r0 0 2
.lineno 24
  GETGLOBAL r0 "displaytextobject"
  LOADK r1 #2
  LOADK r2 #100
  LOADK r3 #10
  NEWTABLE r4 0 4
  LOADK r5 #128
  SETTABLE r4 "transparency" r5
  CALL r0 5 2
.lineno 25
  GETGLOBAL r0 "displaytextobject"
  LOADK r1 #1
  LOADK r2 #10
  LOADK r3 #40
  NEWTABLE r4 0 4
  LOADK r5 #90
  SETTABLE r4 "rotate" r5
  CALL r0 5 2
.lineno 26
  GETGLOBAL r0 "debugprint"
  LOADK r1 "options"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 2
.lineno 28
  GETGLOBAL r0 "copytextobject"
  LOADK r1 #1
  LOADK r2 #4
  CALL r0 3 2
.lineno 29
  GETGLOBAL r0 "attrs"
  LOADK r1 #4
  CALL r0 2 2
.lineno 30
  GETGLOBAL r0 "copytextobject"
  LOADK r1 #4
  LOADK r2 #4
  CALL r0 3 2
.lineno 31
  GETGLOBAL r0 "debugprint"
  LOADK r1 "copy onto itself"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 2
.lineno 32
  GETGLOBAL r0 "copytextobject"
  LOADK r1 #2
  LOADK r2 #4
  CALL r0 3 2
.lineno 33
  GETGLOBAL r0 "attrs"
  LOADK r1 #4
  CALL r0 2 2
.lineno 34
  GETGLOBAL r0 "copytextobject"
  LOADK r1 #1
  LOADNIL r2 r2
  CALL r0 3 2
  SETGLOBAL r0 "c"
.lineno 35
  GETGLOBAL r0 "attrs"
  GETGLOBAL r1 "c"
  CALL r0 2 2
.lineno 37
  GETGLOBAL r0 "rotatetextobject"
  LOADK r1 #1
  LOADK r2 #450
  CALL r0 3 2
.lineno 38
  GETGLOBAL r0 "attrs"
  LOADK r1 #1
  CALL r0 2 2
.lineno 39
  GETGLOBAL r0 "rotatetextobject"
  LOADK r1 #1
  LOADK r2 #-90
  CALL r0 3 2
.lineno 40
  GETGLOBAL r0 "attrs"
  LOADK r1 #1
  CALL r0 2 2
.lineno 41
  GETGLOBAL r0 "rotatetextobject"
  LOADK r1 #1
  LOADK r2 #360
  CALL r0 3 2
.lineno 42
  GETGLOBAL r0 "attrs"
  LOADK r1 #1
  CALL r0 2 2
.lineno 44
  GETGLOBAL r0 "scaletextobject"
  LOADK r1 #1
  LOADK r2 #80
  LOADK r3 #18
  CALL r0 4 2
.lineno 45
  GETGLOBAL r0 "attrs"
  LOADK r1 #1
  CALL r0 2 2
.lineno 46
  GETGLOBAL r0 "scaletextobject"
  LOADK r1 #1
  LOADK r2 "50%"
  LOADK r3 "100%"
  CALL r0 4 2
.lineno 47
  GETGLOBAL r0 "attrs"
  LOADK r1 #1
  CALL r0 2 2
.lineno 48
  GETGLOBAL r0 "scaletextobject"
  LOADK r1 #1
  LOADK r2 #100000
  LOADK r3 #27
  CALL r0 4 2
.lineno 49
  GETGLOBAL r0 "attrs"
  LOADK r1 #1
  CALL r0 2 2
.lineno 50
  GETGLOBAL r0 "scaletextobject"
  LOADK r1 #1
  LOADK r2 #120
  LOADK r3 #100000
  CALL r0 4 2
.lineno 51
  GETGLOBAL r0 "attrs"
  LOADK r1 #1
  CALL r0 2 2
.lineno 52
  GETGLOBAL r0 "scaletextobject"
  LOADK r1 #1
  LOADK r2 #100000
  LOADK r3 #100000
  CALL r0 4 2
.lineno 53
  GETGLOBAL r0 "debugprint"
  LOADK r1 "keep both"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 2
.lineno 54
  GETGLOBAL r0 "scaletextobject"
  LOADK r1 #1
  LOADK r2 #0
  LOADK r3 #10
  CALL r0 4 2
.lineno 55
  GETGLOBAL r0 "debugprint"
  LOADK r1 "zero"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 2
.lineno 56
  GETGLOBAL r0 "attrs"
  LOADK r1 #1
  CALL r0 2 2
.lineno 58
  GETGLOBAL r0 "freetextobject"
  LOADK r1 #1
  CALL r0 2 2
.lineno 59
  GETGLOBAL r0 "freetextobject"
  LOADK r1 #1
  CALL r0 2 2
.lineno 60
  GETGLOBAL r0 "debugprint"
  LOADK r1 "freed twice"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 2
.lineno 61
  GETGLOBAL r0 "displaytextobject"
  LOADK r1 #1
  LOADK r2 #0
  LOADK r3 #0
  CALL r0 4 2
.lineno 62
  GETGLOBAL r0 "debugprint"
  LOADK r1 "display freed"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 2
.lineno 63
  GETGLOBAL r0 "debugprint"
  LOADK r1 "count"
  GETGLOBAL r2 "getattribute"
  LOADK r3 #8
  LOADK r4 #0
  LOADK r5 #60
  CALL r2 4 0
  CALL r0 0 2
.lineno 65
  GETGLOBAL r0 "createtextobject"
  LOADK r1 #5
  LOADK r2 "end"
  CALL r0 3 2
.lineno 66
  GETGLOBAL r0 "scaletextobject"
  LOADK r1 #5
  LOADK r2 "x%"
  LOADK r3 #10
  CALL r0 4 2
.lineno 67
  GETGLOBAL r0 "debugprint"
  LOADK r1 "not reached"
  CALL r0 2 2
  RETURN r0 1
.function
  .params 1
  .maxstack 9
.lineno 3
  GETGLOBAL r1 "debugprint"
  GETGLOBAL r2 "getattribute"
  LOADK r3 #8
  MOVE r4 r0
  LOADK r5 #0
  CALL r2 4 2
  GETGLOBAL r3 "getattribute"
  LOADK r4 #8
  MOVE r5 r0
  LOADK r6 #1
  CALL r3 4 2
  GETGLOBAL r4 "getattribute"
  LOADK r5 #8
  MOVE r6 r0
  LOADK r7 #36
  CALL r4 4 0
  CALL r1 0 2
.lineno 4
  RETURN r0 1
.end
