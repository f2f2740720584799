; label: text.tags
; Inline tags through TextOut in quill (8 pixels a character): each tag error names itself and
; draws nothing; colours nest back to the style's colour; [[ and ]] print the brackets.
; call ExitOnError(false)
; function try(text)
; call TextOut(0, 0, text)
; print text, GetLastError(), ReadPixel(1, 0), ReadPixel(2, 0)
; end
; call try("a]b")
; call try("[bold]H")
; call try("[ink=1]H")
; call try("[shadow=$FF,65]H")
; call try("[edge=0,9]H")
; call try("[color]H")
; call try("[color=\"1\"]H")
; call try("[color=#NOSUCHCOLOUR]H")
; call try("[b H")
; -- A constant, a nested colour, and back to the style's white after the closing tags.
; call TextOut(0, 20, "[color=#RED]H[color=$00FF00]H[/color]H[/color]H")
; print ReadPixel(1, 20), ReadPixel(9, 20), ReadPixel(17, 20), ReadPixel(25, 20)
; call TextOut(0, 30, "[color=$FF][color=$FF00]H[/color][/color][/color]H")
; print "closed thrice", GetLastError(), ReadPixel(1, 30)
; -- A shadow tag without values only switches the shadow on; its bit widens the extent.
; call TextOut(0, 40, "[shadow]H[/shadow]H")
; print "shadow", GetLastError()
; -- "[[x]]" is "[x]": three characters, the last a closing bracket.
; call TextOut(0, 60, "[[x]]")
; print ReadPixel(2, 61), ReadPixel(9, 62), ReadPixel(20, 61), ReadPixel(26, 60)
.source "@text_tags.q"
  .maxstack 8
.lineno 1
  GETGLOBAL r0 "exitonerror"
  LOADBOOL r1 0 0
  CALL r0 2 2
.lineno 2
  CLOSURE r0 f0
  SETGLOBAL r0 "try"
.lineno 6
  GETGLOBAL r0 "try"
  LOADK r1 "a]b"
  CALL r0 2 2
.lineno 7
  GETGLOBAL r0 "try"
  LOADK r1 "[bold]H"
  CALL r0 2 2
.lineno 8
  GETGLOBAL r0 "try"
  LOADK r1 "[ink=1]H"
  CALL r0 2 2
.lineno 9
  GETGLOBAL r0 "try"
  LOADK r1 "[shadow=$FF,65]H"
  CALL r0 2 2
.lineno 10
  GETGLOBAL r0 "try"
  LOADK r1 "[edge=0,9]H"
  CALL r0 2 2
.lineno 11
  GETGLOBAL r0 "try"
  LOADK r1 "[color]H"
  CALL r0 2 2
.lineno 12
  GETGLOBAL r0 "try"
  LOADK r1 "[color=\"1\"]H"
  CALL r0 2 2
.lineno 13
  GETGLOBAL r0 "try"
  LOADK r1 "[color=#NOSUCHCOLOUR]H"
  CALL r0 2 2
.lineno 14
  GETGLOBAL r0 "try"
  LOADK r1 "[b H"
  CALL r0 2 2
.lineno 16
  GETGLOBAL r0 "textout"
  LOADK r1 #0
  LOADK r2 #20
  LOADK r3 "[color=#RED]H[color=$00FF00]H[/color]H[/color]H"
  CALL r0 4 2
.lineno 17
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "readpixel"
  LOADK r2 #1
  LOADK r3 #20
  CALL r1 3 2
  GETGLOBAL r2 "readpixel"
  LOADK r3 #9
  LOADK r4 #20
  CALL r2 3 2
  GETGLOBAL r3 "readpixel"
  LOADK r4 #17
  LOADK r5 #20
  CALL r3 3 2
  GETGLOBAL r4 "readpixel"
  LOADK r5 #25
  LOADK r6 #20
  CALL r4 3 0
  CALL r0 0 2
.lineno 18
  GETGLOBAL r0 "textout"
  LOADK r1 #0
  LOADK r2 #30
  LOADK r3 "[color=$FF][color=$FF00]H[/color][/color][/color]H"
  CALL r0 4 2
.lineno 19
  GETGLOBAL r0 "debugprint"
  LOADK r1 "closed thrice"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 2
  GETGLOBAL r3 "readpixel"
  LOADK r4 #1
  LOADK r5 #30
  CALL r3 3 0
  CALL r0 0 2
.lineno 21
  GETGLOBAL r0 "textout"
  LOADK r1 #0
  LOADK r2 #40
  LOADK r3 "[shadow]H[/shadow]H"
  CALL r0 4 2
.lineno 22
  GETGLOBAL r0 "debugprint"
  LOADK r1 "shadow"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 2
.lineno 24
  GETGLOBAL r0 "textout"
  LOADK r1 #0
  LOADK r2 #60
  LOADK r3 "[[x]]"
  CALL r0 4 2
.lineno 25
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "readpixel"
  LOADK r2 #2
  LOADK r3 #61
  CALL r1 3 2
  GETGLOBAL r2 "readpixel"
  LOADK r3 #9
  LOADK r4 #62
  CALL r2 3 2
  GETGLOBAL r3 "readpixel"
  LOADK r4 #20
  LOADK r5 #61
  CALL r3 3 2
  GETGLOBAL r4 "readpixel"
  LOADK r5 #26
  LOADK r6 #60
  CALL r4 3 0
  CALL r0 0 2
  RETURN r0 1
.function
  .params 1
  .maxstack 9
.lineno 3
  GETGLOBAL r1 "textout"
  LOADK r2 #0
  LOADK r3 #0
  MOVE r4 r0
  CALL r1 4 2
.lineno 4
  GETGLOBAL r1 "debugprint"
  MOVE r2 r0
  GETGLOBAL r3 "getlasterror"
  CALL r3 1 2
  GETGLOBAL r4 "readpixel"
  LOADK r5 #1
  LOADK r6 #0
  CALL r4 3 2
  GETGLOBAL r5 "readpixel"
  LOADK r6 #2
  LOADK r7 #0
  CALL r5 3 0
  CALL r1 0 2
.lineno 5
  RETURN r0 1
.end
