; label: text.effects
; Shadows, edges, underline, italic and bold from SetFontStyle and from inline tags, probed with
; ReadPixel on a black display, and the whole display saved for the golden picture. quill's "I" is
; a stem in column 3 (rows 1..4) under and over bars of columns 2..4; its baseline is row 6.
; Styles: 1 NORMAL, 2 BOLD, 4 ITALIC, 8 UNDERLINED, 16 ANTIALIAS, 32 SHADOW, 64 EDGE.
call ExitOnError(false)
call SetFontColor($FFFFFF)
-- A green hard edge of 2 and a red shadow 3 to the east (direction 2), shaped like the edged
-- glyph: on row 2 of the glyph the edge spans columns 0..6, the stem is column 3, and the shadow
-- shows in columns 7..9. The image lies 2 pixels left of and above the text's origin.
call SetFontStyle(64, $00FF00, 2)
call SetFontStyle(32, $FF0000, 3, 2)
call TextOut(10, 10, "I")
print "hard", ReadPixel(9, 12), ReadPixel(10, 12), ReadPixel(13, 12), ReadPixel(16, 12), ReadPixel(17, 12), ReadPixel(19, 12), ReadPixel(20, 12)
-- A shadow colour whose top byte is $80 is half transparent over the black display.
call SetFontStyle(1)
call SetFontStyle(32, $80FF0000, 4, 4)
call TextOut(40, 10, "I")
print "half shadow", ReadPixel(43, 11), ReadPixel(43, 15), ReadPixel(43, 18), ReadPixel(43, 20)
-- Direction 9 from a tag is south-east.
call SetFontStyle(1)
call TextOut(60, 10, "[shadow=$FFFF00,2,9]I")
print "tag shadow", ReadPixel(63, 11), ReadPixel(65, 13), ReadPixel(66, 17), ReadPixel(64, 12)
-- Underlined: quill's descent of 2 puts the bar on row 7, across the advance.
call TextOut(80, 10, "[u]II[/u]I")
print "underline", ReadPixel(80, 17), ReadPixel(95, 17), ReadPixel(96, 17), ReadPixel(83, 16)
-- Italic: row 0 moves 3 pixels right, row 5 one pixel, the rows at the baseline none.
call TextOut(110, 10, "[i]I")
print "italic", ReadPixel(115, 10), ReadPixel(112, 10), ReadPixel(114, 13), ReadPixel(113, 15)
-- Bold thickens the strokes by a pixel to the right.
call SetFontStyle(2)
call TextOut(130, 10, "I")
print "bold", ReadPixel(133, 12), ReadPixel(134, 12), ReadPixel(135, 12)
call SetFontStyle(1)
-- Edge tags take a colour and a size of 1..8.
call TextOut(150, 10, "[edge=$0000FF,1]I[/edge]I")
print "edge tag", ReadPixel(152, 12), ReadPixel(153, 12), ReadPixel(154, 12), ReadPixel(160, 12), ReadPixel(162, 12)
call TextOut(180, 10, "[edge=0,9]I")
print "edge 9", GetLastError()
-- Anti-aliased Vera with a soft edge and a shadow: row 75 meets the E's stem, the edge's soft
-- outer pixel, then its full colour.
call SetFont(":::default_sans", 40)
call SetFontStyle(16)
call SetFontStyle(64, $0093DD, 4)
call SetFontStyle(32, $80404040, 5, 3)
call TextOut(20, 60, "Edges [color=$FFD700]& [i]shadows[/i][/color] [u]too[/u]")
print "soft", ReadPixel(19, 75), ReadPixel(21, 75), ReadPixel(24, 75)
call SaveSnapshot("effects.bmp", 0)
