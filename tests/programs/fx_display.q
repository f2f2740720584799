; label: fx
; Pictures shown with transitions through the player: a new background picture, a masked brush
; partly off the display, a part of a picture and ClearScreen. Each final snapshot is compared with
; the target by the .check, which also finds the outside of the rectangle as it was.
call SetFillStyle(1)
call CreateBGPic(1, 160, 120, $203040)
call SelectBGPic(1, 0)
call Box(20, 20, 40, 30, $FFFF00)
call EndSelect()
call DisplayBGPic(1)
call CreateBGPic(2, 160, 120, $FF8000)
call SelectBGPic(2, 0)
call Box(100, 60, 30, 30, $00FFFF)
call EndSelect()
call DisplayTransitionFX(2, 7, 5)
call SaveSnapshot("picture.bmp", 1)
call SaveSnapshot("picture_window.bmp", 0)
-- A brush with a black hole made transparent, shown at (-10, -7).
call CreateBrush(3, 40, 30, $00FF00)
call SelectBrush(3)
call Box(10, 10, 20, 10, $000000)
call EndSelect()
call SetBrushTransparency(3, $000000)
call DisplayBrushFX(3, -10, -7, 0, 3)
call SaveSnapshot("brush.bmp", 1)
-- The yellow box of picture 1 at (100, 10) of the display.
call DisplayBGPicPartFX(1, 20, 20, 40, 30, 7, 5, -1, 100, 10)
call SaveSnapshot("part.bmp", 1)
call SaveSnapshot("part_window.bmp", 0)
call ClearScreen(0, $0000FF, 7)
call SaveSnapshot("clear.bmp", 1)
print "done"
