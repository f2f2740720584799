; label: text.effects
; Shadows, edges, underline, italic and bold from SetFontStyle and from inline tags, probed with
; ReadPixel on a black display, and the whole display saved for the golden picture. quill's "I" is
; a stem in column 3 (rows 1..4) under and over bars of columns 2..4; its baseline is row 6.
; Styles: 1 NORMAL, 2 BOLD, 4 ITALIC, 8 UNDERLINED, 16 ANTIALIAS, 32 SHADOW, 64 EDGE.
; call ExitOnError(false)
; call SetFontColor($FFFFFF)
; -- A green hard edge of 2 and a red shadow 3 to the east (direction 2), shaped like the edged
; -- glyph: on row 2 of the glyph the edge spans columns 0..6, the stem is column 3, and the shadow
; -- shows in columns 7..9. The image lies 2 pixels left of and above the text's origin.
; call SetFontStyle(64, $00FF00, 2)
; call SetFontStyle(32, $FF0000, 3, 2)
; call TextOut(10, 10, "I")
; print "hard", ReadPixel(9, 12), ReadPixel(10, 12), ReadPixel(13, 12), ReadPixel(16, 12), ReadPixel(17, 12), ReadPixel(19, 12), ReadPixel(20, 12)
; -- A shadow colour whose top byte is $80 is half transparent over the black display.
; call SetFontStyle(1)
; call SetFontStyle(32, $80FF0000, 4, 4)
; call TextOut(40, 10, "I")
; print "half shadow", ReadPixel(43, 11), ReadPixel(43, 15), ReadPixel(43, 18), ReadPixel(43, 20)
; -- Direction 9 from a tag is south-east.
; call SetFontStyle(1)
; call TextOut(60, 10, "[shadow=$FFFF00,2,9]I")
; print "tag shadow", ReadPixel(63, 11), ReadPixel(65, 13), ReadPixel(66, 17), ReadPixel(64, 12)
; -- Underlined: quill's descent of 2 puts the bar on row 7, across the advance.
; call TextOut(80, 10, "[u]II[/u]I")
; print "underline", ReadPixel(80, 17), ReadPixel(95, 17), ReadPixel(96, 17), ReadPixel(83, 16)
; -- Italic: row 0 moves 3 pixels right, row 5 one pixel, the rows at the baseline none.
; call TextOut(110, 10, "[i]I")
; print "italic", ReadPixel(115, 10), ReadPixel(112, 10), ReadPixel(114, 13), ReadPixel(113, 15)
; -- Bold thickens the strokes by a pixel to the right.
; call SetFontStyle(2)
; call TextOut(130, 10, "I")
; print "bold", ReadPixel(133, 12), ReadPixel(134, 12), ReadPixel(135, 12)
; call SetFontStyle(1)
; -- Edge tags take a colour and a size of 1..8.
; call TextOut(150, 10, "[edge=$0000FF,1]I[/edge]I")
; print "edge tag", ReadPixel(152, 12), ReadPixel(153, 12), ReadPixel(154, 12), ReadPixel(160, 12), ReadPixel(162, 12)
; call TextOut(180, 10, "[edge=0,9]I")
; print "edge 9", GetLastError()
; -- Anti-aliased Vera with a soft edge and a shadow: row 75 meets the E's stem, the edge's soft
; -- outer pixel, then its full colour.
; call SetFont(":::default_sans", 40)
; call SetFontStyle(16)
; call SetFontStyle(64, $0093DD, 4)
; call SetFontStyle(32, $80404040, 5, 3)
; call TextOut(20, 60, "Edges [color=$FFD700]& [i]shadows[/i][/color] [u]too[/u]")
; print "soft", ReadPixel(19, 75), ReadPixel(21, 75), ReadPixel(24, 75)
; call SaveSnapshot("effects.bmp", 0)
.source "@text_effects.q"
  .maxstack 12
.lineno 1
  GETGLOBAL r0 "exitonerror"
  LOADBOOL r1 0 0
  CALL r0 2 2
.lineno 2
  GETGLOBAL r0 "setfontcolor"
  LOADK r1 #16777215
  CALL r0 2 2
.lineno 6
  GETGLOBAL r0 "setfontstyle"
  LOADK r1 #64
  LOADK r2 #65280
  LOADK r3 #2
  CALL r0 4 2
.lineno 7
  GETGLOBAL r0 "setfontstyle"
  LOADK r1 #32
  LOADK r2 #16711680
  LOADK r3 #3
  LOADK r4 #2
  CALL r0 5 2
.lineno 8
  GETGLOBAL r0 "textout"
  LOADK r1 #10
  LOADK r2 #10
  LOADK r3 "I"
  CALL r0 4 2
.lineno 9
  GETGLOBAL r0 "debugprint"
  LOADK r1 "hard"
  GETGLOBAL r2 "readpixel"
  LOADK r3 #9
  LOADK r4 #12
  CALL r2 3 2
  GETGLOBAL r3 "readpixel"
  LOADK r4 #10
  LOADK r5 #12
  CALL r3 3 2
  GETGLOBAL r4 "readpixel"
  LOADK r5 #13
  LOADK r6 #12
  CALL r4 3 2
  GETGLOBAL r5 "readpixel"
  LOADK r6 #16
  LOADK r7 #12
  CALL r5 3 2
  GETGLOBAL r6 "readpixel"
  LOADK r7 #17
  LOADK r8 #12
  CALL r6 3 2
  GETGLOBAL r7 "readpixel"
  LOADK r8 #19
  LOADK r9 #12
  CALL r7 3 2
  GETGLOBAL r8 "readpixel"
  LOADK r9 #20
  LOADK r10 #12
  CALL r8 3 0
  CALL r0 0 2
.lineno 11
  GETGLOBAL r0 "setfontstyle"
  LOADK r1 #1
  CALL r0 2 2
.lineno 12
  GETGLOBAL r0 "setfontstyle"
  LOADK r1 #32
  LOADK r2 #2164195328
  LOADK r3 #4
  LOADK r4 #4
  CALL r0 5 2
.lineno 13
  GETGLOBAL r0 "textout"
  LOADK r1 #40
  LOADK r2 #10
  LOADK r3 "I"
  CALL r0 4 2
.lineno 14
  GETGLOBAL r0 "debugprint"
  LOADK r1 "half shadow"
  GETGLOBAL r2 "readpixel"
  LOADK r3 #43
  LOADK r4 #11
  CALL r2 3 2
  GETGLOBAL r3 "readpixel"
  LOADK r4 #43
  LOADK r5 #15
  CALL r3 3 2
  GETGLOBAL r4 "readpixel"
  LOADK r5 #43
  LOADK r6 #18
  CALL r4 3 2
  GETGLOBAL r5 "readpixel"
  LOADK r6 #43
  LOADK r7 #20
  CALL r5 3 0
  CALL r0 0 2
.lineno 16
  GETGLOBAL r0 "setfontstyle"
  LOADK r1 #1
  CALL r0 2 2
.lineno 17
  GETGLOBAL r0 "textout"
  LOADK r1 #60
  LOADK r2 #10
  LOADK r3 "[shadow=$FFFF00,2,9]I"
  CALL r0 4 2
.lineno 18
  GETGLOBAL r0 "debugprint"
  LOADK r1 "tag shadow"
  GETGLOBAL r2 "readpixel"
  LOADK r3 #63
  LOADK r4 #11
  CALL r2 3 2
  GETGLOBAL r3 "readpixel"
  LOADK r4 #65
  LOADK r5 #13
  CALL r3 3 2
  GETGLOBAL r4 "readpixel"
  LOADK r5 #66
  LOADK r6 #17
  CALL r4 3 2
  GETGLOBAL r5 "readpixel"
  LOADK r6 #64
  LOADK r7 #12
  CALL r5 3 0
  CALL r0 0 2
.lineno 20
  GETGLOBAL r0 "textout"
  LOADK r1 #80
  LOADK r2 #10
  LOADK r3 "[u]II[/u]I"
  CALL r0 4 2
.lineno 21
  GETGLOBAL r0 "debugprint"
  LOADK r1 "underline"
  GETGLOBAL r2 "readpixel"
  LOADK r3 #80
  LOADK r4 #17
  CALL r2 3 2
  GETGLOBAL r3 "readpixel"
  LOADK r4 #95
  LOADK r5 #17
  CALL r3 3 2
  GETGLOBAL r4 "readpixel"
  LOADK r5 #96
  LOADK r6 #17
  CALL r4 3 2
  GETGLOBAL r5 "readpixel"
  LOADK r6 #83
  LOADK r7 #16
  CALL r5 3 0
  CALL r0 0 2
.lineno 23
  GETGLOBAL r0 "textout"
  LOADK r1 #110
  LOADK r2 #10
  LOADK r3 "[i]I"
  CALL r0 4 2
.lineno 24
  GETGLOBAL r0 "debugprint"
  LOADK r1 "italic"
  GETGLOBAL r2 "readpixel"
  LOADK r3 #115
  LOADK r4 #10
  CALL r2 3 2
  GETGLOBAL r3 "readpixel"
  LOADK r4 #112
  LOADK r5 #10
  CALL r3 3 2
  GETGLOBAL r4 "readpixel"
  LOADK r5 #114
  LOADK r6 #13
  CALL r4 3 2
  GETGLOBAL r5 "readpixel"
  LOADK r6 #113
  LOADK r7 #15
  CALL r5 3 0
  CALL r0 0 2
.lineno 26
  GETGLOBAL r0 "setfontstyle"
  LOADK r1 #2
  CALL r0 2 2
.lineno 27
  GETGLOBAL r0 "textout"
  LOADK r1 #130
  LOADK r2 #10
  LOADK r3 "I"
  CALL r0 4 2
.lineno 28
  GETGLOBAL r0 "debugprint"
  LOADK r1 "bold"
  GETGLOBAL r2 "readpixel"
  LOADK r3 #133
  LOADK r4 #12
  CALL r2 3 2
  GETGLOBAL r3 "readpixel"
  LOADK r4 #134
  LOADK r5 #12
  CALL r3 3 2
  GETGLOBAL r4 "readpixel"
  LOADK r5 #135
  LOADK r6 #12
  CALL r4 3 0
  CALL r0 0 2
.lineno 29
  GETGLOBAL r0 "setfontstyle"
  LOADK r1 #1
  CALL r0 2 2
.lineno 31
  GETGLOBAL r0 "textout"
  LOADK r1 #150
  LOADK r2 #10
  LOADK r3 "[edge=$0000FF,1]I[/edge]I"
  CALL r0 4 2
.lineno 32
  GETGLOBAL r0 "debugprint"
  LOADK r1 "edge tag"
  GETGLOBAL r2 "readpixel"
  LOADK r3 #152
  LOADK r4 #12
  CALL r2 3 2
  GETGLOBAL r3 "readpixel"
  LOADK r4 #153
  LOADK r5 #12
  CALL r3 3 2
  GETGLOBAL r4 "readpixel"
  LOADK r5 #154
  LOADK r6 #12
  CALL r4 3 2
  GETGLOBAL r5 "readpixel"
  LOADK r6 #160
  LOADK r7 #12
  CALL r5 3 2
  GETGLOBAL r6 "readpixel"
  LOADK r7 #162
  LOADK r8 #12
  CALL r6 3 0
  CALL r0 0 2
.lineno 33
  GETGLOBAL r0 "textout"
  LOADK r1 #180
  LOADK r2 #10
  LOADK r3 "[edge=0,9]I"
  CALL r0 4 2
.lineno 34
  GETGLOBAL r0 "debugprint"
  LOADK r1 "edge 9"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 2
.lineno 37
  GETGLOBAL r0 "setfont"
  LOADK r1 ":::default_sans"
  LOADK r2 #40
  CALL r0 3 2
.lineno 38
  GETGLOBAL r0 "setfontstyle"
  LOADK r1 #16
  CALL r0 2 2
.lineno 39
  GETGLOBAL r0 "setfontstyle"
  LOADK r1 #64
  LOADK r2 #37853
  LOADK r3 #4
  CALL r0 4 2
.lineno 40
  GETGLOBAL r0 "setfontstyle"
  LOADK r1 #32
  LOADK r2 #2151694400
  LOADK r3 #5
  LOADK r4 #3
  CALL r0 5 2
.lineno 41
  GETGLOBAL r0 "textout"
  LOADK r1 #20
  LOADK r2 #60
  LOADK r3 "Edges [color=$FFD700]& [i]shadows[/i][/color] [u]too[/u]"
  CALL r0 4 2
.lineno 42
  GETGLOBAL r0 "debugprint"
  LOADK r1 "soft"
  GETGLOBAL r2 "readpixel"
  LOADK r3 #19
  LOADK r4 #75
  CALL r2 3 2
  GETGLOBAL r3 "readpixel"
  LOADK r4 #21
  LOADK r5 #75
  CALL r3 3 2
  GETGLOBAL r4 "readpixel"
  LOADK r5 #24
  LOADK r6 #75
  CALL r4 3 0
  CALL r0 0 2
.lineno 43
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "effects.bmp"
  LOADK r2 #0
  CALL r0 3 2
  RETURN r0 1
