; label: text.print
; Print and NPrint: values joined by one blank through the script's own tostring, the cursor
; behind the text (21 cursor x, 22 cursor y of DISPLAY 21), and quill's "Hi" in the picture and
; in the window's snapshot. quill is 8 pixels a character.
; call ExitOnError(false)
; call Print("a", 1, nil)
; print GetAttribute(21, 0, 21), GetAttribute(21, 0, 22)
; call NPrint("x", "y")
; print GetAttribute(21, 0, 21), GetAttribute(21, 0, 22)
; -- A replaced tostring: a result of any length prints whole, one that is no string adds nothing.
; function long(v)
; return RepeatStr("x", 5000)
; end
; function nothing(v)
; return 7
; end
; saved = tostring
; tostring = long
; call Locate(0, 40)
; call Print(1)
; x1 = GetAttribute(21, 0, 21)
; y1 = GetAttribute(21, 0, 22)
; tostring = nothing
; call Locate(0, 40)
; call Print(1, 2, 3)
; x2 = GetAttribute(21, 0, 21)
; tostring = saved
; print "long", x1, y1
; print "no strings", x2
; -- quill "Hi" in white at 0, 100: the H's left stroke in column 1, its bar in row 2, the i's dot.
; call SetFontColor($FFFFFF)
; call Locate(0, 100)
; call Print("Hi")
; call SaveSnapshot("window.bmp", 0)
; print ReadPixel(0, 100), ReadPixel(1, 100), ReadPixel(3, 101), ReadPixel(3, 102), ReadPixel(11, 100), ReadPixel(11, 101)
; -- Print needs a value: a missing one ends the program with "Not enough arguments!".
; call Print()
; print "not reached"
.source "@text_print.q"
  .maxstack 10
.lineno 1
  GETGLOBAL r0 "exitonerror"
  LOADBOOL r1 0 0
  CALL r0 2 2
.lineno 2
  GETGLOBAL r0 "print"
  LOADK r1 "a"
  LOADK r2 #1
  LOADNIL r3 r3
  CALL r0 4 2
.lineno 3
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getattribute"
  LOADK r2 #21
  LOADK r3 #0
  LOADK r4 #21
  CALL r1 4 2
  GETGLOBAL r2 "getattribute"
  LOADK r3 #21
  LOADK r4 #0
  LOADK r5 #22
  CALL r2 4 0
  CALL r0 0 2
.lineno 4
  GETGLOBAL r0 "nprint"
  LOADK r1 "x"
  LOADK r2 "y"
  CALL r0 3 2
.lineno 5
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getattribute"
  LOADK r2 #21
  LOADK r3 #0
  LOADK r4 #21
  CALL r1 4 2
  GETGLOBAL r2 "getattribute"
  LOADK r3 #21
  LOADK r4 #0
  LOADK r5 #22
  CALL r2 4 0
  CALL r0 0 2
.lineno 7
  CLOSURE r0 f0
  SETGLOBAL r0 "long"
.lineno 10
  CLOSURE r0 f1
  SETGLOBAL r0 "nothing"
.lineno 13
  GETGLOBAL r0 "tostring"
  SETGLOBAL r0 "saved"
.lineno 14
  GETGLOBAL r0 "long"
  SETGLOBAL r0 "tostring"
.lineno 15
  GETGLOBAL r0 "locate"
  LOADK r1 #0
  LOADK r2 #40
  CALL r0 3 2
.lineno 16
  GETGLOBAL r0 "print"
  LOADK r1 #1
  CALL r0 2 2
.lineno 17
  GETGLOBAL r0 "getattribute"
  LOADK r1 #21
  LOADK r2 #0
  LOADK r3 #21
  CALL r0 4 2
  SETGLOBAL r0 "x1"
.lineno 18
  GETGLOBAL r0 "getattribute"
  LOADK r1 #21
  LOADK r2 #0
  LOADK r3 #22
  CALL r0 4 2
  SETGLOBAL r0 "y1"
.lineno 19
  GETGLOBAL r0 "nothing"
  SETGLOBAL r0 "tostring"
.lineno 20
  GETGLOBAL r0 "locate"
  LOADK r1 #0
  LOADK r2 #40
  CALL r0 3 2
.lineno 21
  GETGLOBAL r0 "print"
  LOADK r1 #1
  LOADK r2 #2
  LOADK r3 #3
  CALL r0 4 2
.lineno 22
  GETGLOBAL r0 "getattribute"
  LOADK r1 #21
  LOADK r2 #0
  LOADK r3 #21
  CALL r0 4 2
  SETGLOBAL r0 "x2"
.lineno 23
  GETGLOBAL r0 "saved"
  SETGLOBAL r0 "tostring"
.lineno 24
  GETGLOBAL r0 "debugprint"
  LOADK r1 "long"
  GETGLOBAL r2 "x1"
  GETGLOBAL r3 "y1"
  CALL r0 4 2
.lineno 25
  GETGLOBAL r0 "debugprint"
  LOADK r1 "no strings"
  GETGLOBAL r2 "x2"
  CALL r0 3 2
.lineno 27
  GETGLOBAL r0 "setfontcolor"
  LOADK r1 #16777215
  CALL r0 2 2
.lineno 28
  GETGLOBAL r0 "locate"
  LOADK r1 #0
  LOADK r2 #100
  CALL r0 3 2
.lineno 29
  GETGLOBAL r0 "print"
  LOADK r1 "Hi"
  CALL r0 2 2
.lineno 30
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "window.bmp"
  LOADK r2 #0
  CALL r0 3 2
.lineno 31
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "readpixel"
  LOADK r2 #0
  LOADK r3 #100
  CALL r1 3 2
  GETGLOBAL r2 "readpixel"
  LOADK r3 #1
  LOADK r4 #100
  CALL r2 3 2
  GETGLOBAL r3 "readpixel"
  LOADK r4 #3
  LOADK r5 #101
  CALL r3 3 2
  GETGLOBAL r4 "readpixel"
  LOADK r5 #3
  LOADK r6 #102
  CALL r4 3 2
  GETGLOBAL r5 "readpixel"
  LOADK r6 #11
  LOADK r7 #100
  CALL r5 3 2
  GETGLOBAL r6 "readpixel"
  LOADK r7 #11
  LOADK r8 #101
  CALL r6 3 0
  CALL r0 0 2
.lineno 33
  GETGLOBAL r0 "print"
  CALL r0 1 2
.lineno 34
  GETGLOBAL r0 "debugprint"
  LOADK r1 "not reached"
  CALL r0 2 2
  RETURN r0 1
.function
  .params 1
  .maxstack 8
.lineno 8
  GETGLOBAL r1 "repeatstr"
  LOADK r2 "x"
  LOADK r3 #5000
  CALL r1 3 2
  RETURN r1 2
.lineno 9
  RETURN r0 1
.end
.function
  .params 1
  .maxstack 8
.lineno 11
  LOADK r1 #7
  RETURN r1 2
.lineno 12
  RETURN r0 1
.end
