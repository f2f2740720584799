; label: text.fonts
; Font objects and the font cache, seen through GetAttribute's font rows (30 ascender,
; 31 descender, 32 name, 33 size, 34 scalable, 35 anti-alias) of FONT (43) objects and of the
; display (21), which answers for the current font; 60 is ATTRCOUNT.
; call ExitOnError(false)
; function font(id)
; return GetAttribute(43, id, 32), GetAttribute(43, id, 33), GetAttribute(43, id, 30), GetAttribute(43, id, 31), GetAttribute(43, id, 34), GetAttribute(43, id, 35)
; end
; -- The bitmap default at 8 is quill; the TrueType defaults open under their families' names.
; call OpenFont(1, ":::default_bitmap", 8)
; print font(1)
; call OpenFont(2, ":::default_sans", 20)
; print font(2)
; call OpenFont(3, ":::default_serif", 14, {engine = 0})
; print font(3)
; print "fonts", GetAttribute(43, 0, 60)
; -- SetFont and UseFont make a font current, which the display reports.
; print GetAttribute(21, 0, 32), GetAttribute(21, 0, 33), GetAttribute(21, 0, 30)
; call SetFont(":::default_mono", 12)
; print GetAttribute(21, 0, 32), GetAttribute(21, 0, 33), GetAttribute(21, 0, 30)
; call UseFont(2)
; print GetAttribute(21, 0, 32), GetAttribute(21, 0, 33), TextHeight("x")
; -- A closed font is no object any more, but the current font stays in use.
; call CloseFont(2)
; call GetAttribute(43, 2, 32)
; print "closed", GetLastError()
; print GetAttribute(21, 0, 32), TextHeight("x")
; call UseFont(2)
; print "use closed", GetLastError()
; call CloseFont(2)
; print "close again", GetLastError()
; -- An id taken again loses its font object, also when the new font does not open.
; call OpenFont(3, "No Such Family", 14)
; print "reopened", GetLastError()
; call GetAttribute(43, 3, 32)
; print "gone", GetLastError()
; -- Automatic ids.
; f = OpenFont(nil, "quill", 8)
; print GetAttribute(43, f, 32), GetAttribute(43, 0, 60)
; call CloseFont(f)
; call GetAttribute(43, f, 33)
; print "automatic", GetLastError(), GetAttribute(43, 0, 60)
; -- A name with a folder opens only with the inbuilt engine; an unknown family is tried by both.
; call SetFont("fonts/VeraBd.ttf", 12)
; print "folder", GetLastError()
; call SetFont("/usr/share/fonts/truetype/ttf-bitstream-vera/VeraBd.ttf", 12, {engine = 4})
; print "file", GetLastError(), GetAttribute(21, 0, 32)
; call SetFont("No Such Family", 12, {engine = 4})
; print "unknown", GetLastError()
; call SetFont("quill", 8, {engine = 2})
; print "engine 2", GetLastError()
.source "@text_fonts.q"
  .maxstack 8
.lineno 1
  GETGLOBAL r0 "exitonerror"
  LOADBOOL r1 0 0
  CALL r0 2 2
.lineno 2
  CLOSURE r0 f0
  SETGLOBAL r0 "font"
.lineno 6
  GETGLOBAL r0 "openfont"
  LOADK r1 #1
  LOADK r2 ":::default_bitmap"
  LOADK r3 #8
  CALL r0 4 2
.lineno 7
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "font"
  LOADK r2 #1
  CALL r1 2 0
  CALL r0 0 2
.lineno 8
  GETGLOBAL r0 "openfont"
  LOADK r1 #2
  LOADK r2 ":::default_sans"
  LOADK r3 #20
  CALL r0 4 2
.lineno 9
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "font"
  LOADK r2 #2
  CALL r1 2 0
  CALL r0 0 2
.lineno 10
  GETGLOBAL r0 "openfont"
  LOADK r1 #3
  LOADK r2 ":::default_serif"
  LOADK r3 #14
  NEWTABLE r4 0 4
  LOADK r5 #0
  SETTABLE r4 "engine" r5
  CALL r0 5 2
.lineno 11
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "font"
  LOADK r2 #3
  CALL r1 2 0
  CALL r0 0 2
.lineno 12
  GETGLOBAL r0 "debugprint"
  LOADK r1 "fonts"
  GETGLOBAL r2 "getattribute"
  LOADK r3 #43
  LOADK r4 #0
  LOADK r5 #60
  CALL r2 4 0
  CALL r0 0 2
.lineno 14
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getattribute"
  LOADK r2 #21
  LOADK r3 #0
  LOADK r4 #32
  CALL r1 4 2
  GETGLOBAL r2 "getattribute"
  LOADK r3 #21
  LOADK r4 #0
  LOADK r5 #33
  CALL r2 4 2
  GETGLOBAL r3 "getattribute"
  LOADK r4 #21
  LOADK r5 #0
  LOADK r6 #30
  CALL r3 4 0
  CALL r0 0 2
.lineno 15
  GETGLOBAL r0 "setfont"
  LOADK r1 ":::default_mono"
  LOADK r2 #12
  CALL r0 3 2
.lineno 16
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getattribute"
  LOADK r2 #21
  LOADK r3 #0
  LOADK r4 #32
  CALL r1 4 2
  GETGLOBAL r2 "getattribute"
  LOADK r3 #21
  LOADK r4 #0
  LOADK r5 #33
  CALL r2 4 2
  GETGLOBAL r3 "getattribute"
  LOADK r4 #21
  LOADK r5 #0
  LOADK r6 #30
  CALL r3 4 0
  CALL r0 0 2
.lineno 17
  GETGLOBAL r0 "usefont"
  LOADK r1 #2
  CALL r0 2 2
.lineno 18
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getattribute"
  LOADK r2 #21
  LOADK r3 #0
  LOADK r4 #32
  CALL r1 4 2
  GETGLOBAL r2 "getattribute"
  LOADK r3 #21
  LOADK r4 #0
  LOADK r5 #33
  CALL r2 4 2
  GETGLOBAL r3 "textheight"
  LOADK r4 "x"
  CALL r3 2 0
  CALL r0 0 2
.lineno 20
  GETGLOBAL r0 "closefont"
  LOADK r1 #2
  CALL r0 2 2
.lineno 21
  GETGLOBAL r0 "getattribute"
  LOADK r1 #43
  LOADK r2 #2
  LOADK r3 #32
  CALL r0 4 2
.lineno 22
  GETGLOBAL r0 "debugprint"
  LOADK r1 "closed"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 2
.lineno 23
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getattribute"
  LOADK r2 #21
  LOADK r3 #0
  LOADK r4 #32
  CALL r1 4 2
  GETGLOBAL r2 "textheight"
  LOADK r3 "x"
  CALL r2 2 0
  CALL r0 0 2
.lineno 24
  GETGLOBAL r0 "usefont"
  LOADK r1 #2
  CALL r0 2 2
.lineno 25
  GETGLOBAL r0 "debugprint"
  LOADK r1 "use closed"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 2
.lineno 26
  GETGLOBAL r0 "closefont"
  LOADK r1 #2
  CALL r0 2 2
.lineno 27
  GETGLOBAL r0 "debugprint"
  LOADK r1 "close again"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 2
.lineno 29
  GETGLOBAL r0 "openfont"
  LOADK r1 #3
  LOADK r2 "No Such Family"
  LOADK r3 #14
  CALL r0 4 2
.lineno 30
  GETGLOBAL r0 "debugprint"
  LOADK r1 "reopened"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 2
.lineno 31
  GETGLOBAL r0 "getattribute"
  LOADK r1 #43
  LOADK r2 #3
  LOADK r3 #32
  CALL r0 4 2
.lineno 32
  GETGLOBAL r0 "debugprint"
  LOADK r1 "gone"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 2
.lineno 34
  GETGLOBAL r0 "openfont"
  LOADNIL r1 r1
  LOADK r2 "quill"
  LOADK r3 #8
  CALL r0 4 2
  SETGLOBAL r0 "f"
.lineno 35
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getattribute"
  LOADK r2 #43
  GETGLOBAL r3 "f"
  LOADK r4 #32
  CALL r1 4 2
  GETGLOBAL r2 "getattribute"
  LOADK r3 #43
  LOADK r4 #0
  LOADK r5 #60
  CALL r2 4 0
  CALL r0 0 2
.lineno 36
  GETGLOBAL r0 "closefont"
  GETGLOBAL r1 "f"
  CALL r0 2 2
.lineno 37
  GETGLOBAL r0 "getattribute"
  LOADK r1 #43
  GETGLOBAL r2 "f"
  LOADK r3 #33
  CALL r0 4 2
.lineno 38
  GETGLOBAL r0 "debugprint"
  LOADK r1 "automatic"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 2
  GETGLOBAL r3 "getattribute"
  LOADK r4 #43
  LOADK r5 #0
  LOADK r6 #60
  CALL r3 4 0
  CALL r0 0 2
.lineno 40
  GETGLOBAL r0 "setfont"
  LOADK r1 "fonts/VeraBd.ttf"
  LOADK r2 #12
  CALL r0 3 2
.lineno 41
  GETGLOBAL r0 "debugprint"
  LOADK r1 "folder"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 2
.lineno 42
  GETGLOBAL r0 "setfont"
  LOADK r1 "/usr/share/fonts/truetype/ttf-bitstream-vera/VeraBd.ttf"
  LOADK r2 #12
  NEWTABLE r3 0 4
  LOADK r4 #4
  SETTABLE r3 "engine" r4
  CALL r0 4 2
.lineno 43
  GETGLOBAL r0 "debugprint"
  LOADK r1 "file"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 2
  GETGLOBAL r3 "getattribute"
  LOADK r4 #21
  LOADK r5 #0
  LOADK r6 #32
  CALL r3 4 0
  CALL r0 0 2
.lineno 44
  GETGLOBAL r0 "setfont"
  LOADK r1 "No Such Family"
  LOADK r2 #12
  NEWTABLE r3 0 4
  LOADK r4 #4
  SETTABLE r3 "engine" r4
  CALL r0 4 2
.lineno 45
  GETGLOBAL r0 "debugprint"
  LOADK r1 "unknown"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 2
.lineno 46
  GETGLOBAL r0 "setfont"
  LOADK r1 "quill"
  LOADK r2 #8
  NEWTABLE r3 0 4
  LOADK r4 #2
  SETTABLE r3 "engine" r4
  CALL r0 4 2
.lineno 47
  GETGLOBAL r0 "debugprint"
  LOADK r1 "engine 2"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 2
  RETURN r0 1
.function
  .params 1
  .maxstack 11
.lineno 3
  GETGLOBAL r1 "getattribute"
  LOADK r2 #43
  MOVE r3 r0
  LOADK r4 #32
  CALL r1 4 2
  GETGLOBAL r2 "getattribute"
  LOADK r3 #43
  MOVE r4 r0
  LOADK r5 #33
  CALL r2 4 2
  GETGLOBAL r3 "getattribute"
  LOADK r4 #43
  MOVE r5 r0
  LOADK r6 #30
  CALL r3 4 2
  GETGLOBAL r4 "getattribute"
  LOADK r5 #43
  MOVE r6 r0
  LOADK r7 #31
  CALL r4 4 2
  GETGLOBAL r5 "getattribute"
  LOADK r6 #43
  MOVE r7 r0
  LOADK r8 #34
  CALL r5 4 2
  GETGLOBAL r6 "getattribute"
  LOADK r7 #43
  MOVE r8 r0
  LOADK r9 #35
  CALL r6 4 2
  RETURN r1 7
.lineno 4
  RETURN r0 1
.end
