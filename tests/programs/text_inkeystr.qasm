; label: text.inkeystr
; InKeyStr typed by the input script (text_inkeystr.events). Afterwards: the text, the cursor
; (DISPLAY 21: 21 x, 22 y), the layers flag (69) and the number of layers (6). quill is 8 pixels
; a character. Types: 0 ALL, 2 ALPHABETICAL, 3 NUMERICAL.
; call ExitOnError(false)
; function show(label, s)
; print label, s, GetAttribute(21, 0, 21), GetAttribute(21, 0, 22), GetAttribute(21, 0, 69), GetAttribute(21, 0, 6)
; end
; call Locate(10, 20)
; -- The input script counts its time from this first look at the events.
; call CheckEvent()
; -- Numbers, at most 3: the letter, the blank and a fourth digit are ignored; the text is printed
; -- once more where the input began and the cursor stays behind it.
; s = InKeyStr(3, 3)
; call show("digits", s)
; -- Backspace takes the last character and its echo away; the password flag echoes stars.
; s = InKeyStr(0, 0, 1)
; call show("password", s)
; -- Refused while drawing goes elsewhere.
; call CreateBrush(1, 10, 10)
; call SelectBrush(1)
; call InKeyStr(0)
; print "brush", GetLastError()
; call EndSelect()
; call BeginDoubleBuffer()
; call InKeyStr(0)
; print "double buffer", GetLastError()
; call EndDoubleBuffer()
; call CreateBrush(2, 10, 10)
; call SetBrushTransparency(2, $000000)
; call SelectMask(2)
; call InKeyStr(0)
; print "mask", GetLastError()
; call EndSelect()
; call SelectAlphaChannel(1)
; call InKeyStr(0)
; print "alpha channel", GetLastError()
; call EndSelect()
; call CreateBGPic(4, 10, 10)
; call SelectBGPic(4, 0)
; call InKeyStr(0)
; print "picture", GetLastError()
; call EndSelect()
; -- With layers on, the echoes go and the whole text stays as one layer.
; call EnableLayers()
; s = InKeyStr(2)
; call show("letters", s)
; call DisableLayers()
; -- A quit while typing ends the program.
; call InKeyStr(0)
.source "@text_inkeystr.q"
  .maxstack 8
.lineno 1
  GETGLOBAL r0 "exitonerror"
  LOADBOOL r1 0 0
  CALL r0 2 2
.lineno 2
  CLOSURE r0 f0
  SETGLOBAL r0 "show"
.lineno 5
  GETGLOBAL r0 "locate"
  LOADK r1 #10
  LOADK r2 #20
  CALL r0 3 2
.lineno 7
  GETGLOBAL r0 "checkevent"
  CALL r0 1 2
.lineno 10
  GETGLOBAL r0 "inkeystr"
  LOADK r1 #3
  LOADK r2 #3
  CALL r0 3 2
  SETGLOBAL r0 "s"
.lineno 11
  GETGLOBAL r0 "show"
  LOADK r1 "digits"
  GETGLOBAL r2 "s"
  CALL r0 3 2
.lineno 13
  GETGLOBAL r0 "inkeystr"
  LOADK r1 #0
  LOADK r2 #0
  LOADK r3 #1
  CALL r0 4 2
  SETGLOBAL r0 "s"
.lineno 14
  GETGLOBAL r0 "show"
  LOADK r1 "password"
  GETGLOBAL r2 "s"
  CALL r0 3 2
.lineno 16
  GETGLOBAL r0 "createbrush"
  LOADK r1 #1
  LOADK r2 #10
  LOADK r3 #10
  CALL r0 4 2
.lineno 17
  GETGLOBAL r0 "selectbrush"
  LOADK r1 #1
  CALL r0 2 2
.lineno 18
  GETGLOBAL r0 "inkeystr"
  LOADK r1 #0
  CALL r0 2 2
.lineno 19
  GETGLOBAL r0 "debugprint"
  LOADK r1 "brush"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 2
.lineno 20
  GETGLOBAL r0 "endselect"
  CALL r0 1 2
.lineno 21
  GETGLOBAL r0 "begindoublebuffer"
  CALL r0 1 2
.lineno 22
  GETGLOBAL r0 "inkeystr"
  LOADK r1 #0
  CALL r0 2 2
.lineno 23
  GETGLOBAL r0 "debugprint"
  LOADK r1 "double buffer"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 2
.lineno 24
  GETGLOBAL r0 "enddoublebuffer"
  CALL r0 1 2
.lineno 25
  GETGLOBAL r0 "createbrush"
  LOADK r1 #2
  LOADK r2 #10
  LOADK r3 #10
  CALL r0 4 2
.lineno 26
  GETGLOBAL r0 "setbrushtransparency"
  LOADK r1 #2
  LOADK r2 #0
  CALL r0 3 2
.lineno 27
  GETGLOBAL r0 "selectmask"
  LOADK r1 #2
  CALL r0 2 2
.lineno 28
  GETGLOBAL r0 "inkeystr"
  LOADK r1 #0
  CALL r0 2 2
.lineno 29
  GETGLOBAL r0 "debugprint"
  LOADK r1 "mask"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 2
.lineno 30
  GETGLOBAL r0 "endselect"
  CALL r0 1 2
.lineno 31
  GETGLOBAL r0 "selectalphachannel"
  LOADK r1 #1
  CALL r0 2 2
.lineno 32
  GETGLOBAL r0 "inkeystr"
  LOADK r1 #0
  CALL r0 2 2
.lineno 33
  GETGLOBAL r0 "debugprint"
  LOADK r1 "alpha channel"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 2
.lineno 34
  GETGLOBAL r0 "endselect"
  CALL r0 1 2
.lineno 35
  GETGLOBAL r0 "createbgpic"
  LOADK r1 #4
  LOADK r2 #10
  LOADK r3 #10
  CALL r0 4 2
.lineno 36
  GETGLOBAL r0 "selectbgpic"
  LOADK r1 #4
  LOADK r2 #0
  CALL r0 3 2
.lineno 37
  GETGLOBAL r0 "inkeystr"
  LOADK r1 #0
  CALL r0 2 2
.lineno 38
  GETGLOBAL r0 "debugprint"
  LOADK r1 "picture"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 2
.lineno 39
  GETGLOBAL r0 "endselect"
  CALL r0 1 2
.lineno 41
  GETGLOBAL r0 "enablelayers"
  CALL r0 1 2
.lineno 42
  GETGLOBAL r0 "inkeystr"
  LOADK r1 #2
  CALL r0 2 2
  SETGLOBAL r0 "s"
.lineno 43
  GETGLOBAL r0 "show"
  LOADK r1 "letters"
  GETGLOBAL r2 "s"
  CALL r0 3 2
.lineno 44
  GETGLOBAL r0 "disablelayers"
  CALL r0 1 2
.lineno 46
  GETGLOBAL r0 "inkeystr"
  LOADK r1 #0
  CALL r0 2 2
  RETURN r0 1
.function
  .params 2
  .maxstack 13
.lineno 3
  GETGLOBAL r2 "debugprint"
  MOVE r3 r0
  MOVE r4 r1
  GETGLOBAL r5 "getattribute"
  LOADK r6 #21
  LOADK r7 #0
  LOADK r8 #21
  CALL r5 4 2
  GETGLOBAL r6 "getattribute"
  LOADK r7 #21
  LOADK r8 #0
  LOADK r9 #22
  CALL r6 4 2
  GETGLOBAL r7 "getattribute"
  LOADK r8 #21
  LOADK r9 #0
  LOADK r10 #69
  CALL r7 4 2
  GETGLOBAL r8 "getattribute"
  LOADK r9 #21
  LOADK r10 #0
  LOADK r11 #6
  CALL r8 4 0
  CALL r2 0 2
.lineno 4
  RETURN r0 1
.end
