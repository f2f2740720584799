; label: text.style
; SetFontStyle's accumulation and clamps, seen in TextExtent of quill's "A" (ink 0..7 across,
; -6..1 about the baseline). Styles: 1 NORMAL, 2 BOLD, 4 ITALIC, 32 SHADOW, 64 EDGE.
; call ExitOnError(false)
; function ext(label)
; t = TextExtent("A")
; print label, t.minx, t.maxx, t.miny, t.maxy, t.width, t.height
; end
; call ext("plain")
; -- A shadow distance of 100 and direction 9 become 64 and south-east.
; call SetFontStyle(32, $FF0000, 100, 9)
; call ext("shadow")
; -- Styles add up until NORMAL; an edge size of 0 becomes 1, a fourth argument is ignored.
; call SetFontStyle(64, $00FF00, 0, 5)
; call ext("edge too")
; call SetFontStyle(1)
; call ext("normal")
; -- Only SHADOW and EDGE take more arguments; a refused call changes nothing.
; call SetFontStyle(2, 5)
; print "bold", GetLastError()
; call SetFontStyle(34, 5)
; print "bold and shadow", GetLastError()
; call ext("unchanged")
; -- The bit alone brings back the colour and sizes set before.
; call SetFontStyle(32)
; call ext("shadow again")
; call SetFontStyle(1)
; call SetFontStyle(32, 0, -4, 2)
; call ext("shadow east")
; -- A font that does not draw bold and italic itself has their ink widened.
; call SetFontStyle(1)
; call SetFontStyle(6)
; call ext("bold italic")
; call SetFontStyle(16)
; call TextOut(0, 0, "AA")
; print "quill antialiased", GetLastError()
.source "@text_style.q"
  .maxstack 8
.lineno 1
  GETGLOBAL r0 "exitonerror"
  LOADBOOL r1 0 0
  CALL r0 2 2
.lineno 2
  CLOSURE r0 f0
  SETGLOBAL r0 "ext"
.lineno 6
  GETGLOBAL r0 "ext"
  LOADK r1 "plain"
  CALL r0 2 2
.lineno 8
  GETGLOBAL r0 "setfontstyle"
  LOADK r1 #32
  LOADK r2 #16711680
  LOADK r3 #100
  LOADK r4 #9
  CALL r0 5 2
.lineno 9
  GETGLOBAL r0 "ext"
  LOADK r1 "shadow"
  CALL r0 2 2
.lineno 11
  GETGLOBAL r0 "setfontstyle"
  LOADK r1 #64
  LOADK r2 #65280
  LOADK r3 #0
  LOADK r4 #5
  CALL r0 5 2
.lineno 12
  GETGLOBAL r0 "ext"
  LOADK r1 "edge too"
  CALL r0 2 2
.lineno 13
  GETGLOBAL r0 "setfontstyle"
  LOADK r1 #1
  CALL r0 2 2
.lineno 14
  GETGLOBAL r0 "ext"
  LOADK r1 "normal"
  CALL r0 2 2
.lineno 16
  GETGLOBAL r0 "setfontstyle"
  LOADK r1 #2
  LOADK r2 #5
  CALL r0 3 2
.lineno 17
  GETGLOBAL r0 "debugprint"
  LOADK r1 "bold"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 2
.lineno 18
  GETGLOBAL r0 "setfontstyle"
  LOADK r1 #34
  LOADK r2 #5
  CALL r0 3 2
.lineno 19
  GETGLOBAL r0 "debugprint"
  LOADK r1 "bold and shadow"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 2
.lineno 20
  GETGLOBAL r0 "ext"
  LOADK r1 "unchanged"
  CALL r0 2 2
.lineno 22
  GETGLOBAL r0 "setfontstyle"
  LOADK r1 #32
  CALL r0 2 2
.lineno 23
  GETGLOBAL r0 "ext"
  LOADK r1 "shadow again"
  CALL r0 2 2
.lineno 24
  GETGLOBAL r0 "setfontstyle"
  LOADK r1 #1
  CALL r0 2 2
.lineno 25
  GETGLOBAL r0 "setfontstyle"
  LOADK r1 #32
  LOADK r2 #0
  LOADK r3 #-4
  LOADK r4 #2
  CALL r0 5 2
.lineno 26
  GETGLOBAL r0 "ext"
  LOADK r1 "shadow east"
  CALL r0 2 2
.lineno 28
  GETGLOBAL r0 "setfontstyle"
  LOADK r1 #1
  CALL r0 2 2
.lineno 29
  GETGLOBAL r0 "setfontstyle"
  LOADK r1 #6
  CALL r0 2 2
.lineno 30
  GETGLOBAL r0 "ext"
  LOADK r1 "bold italic"
  CALL r0 2 2
.lineno 31
  GETGLOBAL r0 "setfontstyle"
  LOADK r1 #16
  CALL r0 2 2
.lineno 32
  GETGLOBAL r0 "textout"
  LOADK r1 #0
  LOADK r2 #0
  LOADK r3 "AA"
  CALL r0 4 2
.lineno 33
  GETGLOBAL r0 "debugprint"
  LOADK r1 "quill antialiased"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 2
  RETURN r0 1
.function
  .params 1
  .maxstack 10
.lineno 3
  GETGLOBAL r1 "textextent"
  LOADK r2 "A"
  CALL r1 2 2
  SETGLOBAL r1 "t"
.lineno 4
  GETGLOBAL r1 "debugprint"
  MOVE r2 r0
  GETGLOBAL r3 "t"
  GETTABLE r3 r3 "minx"
  GETGLOBAL r4 "t"
  GETTABLE r4 r4 "maxx"
  GETGLOBAL r5 "t"
  GETTABLE r5 r5 "miny"
  GETGLOBAL r6 "t"
  GETTABLE r6 r6 "maxy"
  GETGLOBAL r7 "t"
  GETTABLE r7 r7 "width"
  GETGLOBAL r8 "t"
  GETTABLE r8 r8 "height"
  CALL r1 8 2
.lineno 5
  RETURN r0 1
.end
