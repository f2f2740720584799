; label: text.layers
; With layers on, Print and TextOut make PRINT (11) and TEXTOUT (9) layers that keep their text
; and render it again when their style changes. GetAttribute LAYER (22): 9 type, 0 width,
; 1 height, 7 x, 8 y, 36 the text, 30..35 the font rows (ascender, descender, name, size,
; scalable, anti-alias). quill is 8 pixels a character.
call ExitOnError(false)
call EnableLayers()
function layer(n)
print GetAttribute(22, n, 9), GetAttribute(22, n, 0), GetAttribute(22, n, 1), GetAttribute(22, n, 7), GetAttribute(22, n, 8), GetAttribute(22, n, 36)
end
call Locate(16, 8)
call Print("Hello")
call layer(1)
print "cursor", GetAttribute(21, 0, 21), GetAttribute(21, 0, 22)
call TextOut(100, 50, "Text out")
call layer(2)
print GetAttribute(22, 2, 32), GetAttribute(22, 2, 33), GetAttribute(22, 2, 30), GetAttribute(22, 2, 31), GetAttribute(22, 2, 34), GetAttribute(22, 2, 35)
-- Other layers hold no text.
call CreateBrush(1, 4, 4)
call DisplayBrush(1, 0, 0)
call GetAttribute(22, 3, 36)
print "brush layer", GetLastError()
-- EDGE and SHADOW become the layer's border and shadow, the colour's transparency the layer's.
call SetFontStyle(64, $00FF00, 3)
call SetFontStyle(32, $0000FF, 5, 4)
call SetFontColor($80FF0000)
call TextOut(200, 200, "Effects")
t = GetLayerStyle(4)
print t.border, t.bordercolor, t.bordersize, t.shadow, t.shadowcolor, t.shadowsize, t.shadowdir, t.fontstyle, t.transparency, t.color
call SetFontStyle(1)
call SetFontColor($FFFFFF)
-- A new text renders for real: the layer takes its size.
call SetLayerStyle(2, {text = "A longer text out"})
call layer(2)
call SetLayerStyle(2, {text = "two\nlines"})
call layer(2)
-- So does a new font; one that does not open leaves the layer as it was.
call SetLayerStyle(2, {font = ":::default_sans", fontsize = 20})
print GetAttribute(22, 2, 32), GetAttribute(22, 2, 33), GetAttribute(22, 2, 1), GetAttribute(22, 2, 34), GetAttribute(22, 2, 35)
call SetLayerStyle(2, {font = "No Such Family", fontsize = 12})
print "unknown font", GetLastError(), GetAttribute(22, 2, 32), GetAttribute(22, 2, 33)
call SetLayerStyle(2, {font = "fonts/Vera.ttf"})
print "font file", GetLastError(), GetAttribute(22, 2, 32)
-- A tag error in a new text leaves no layer without content.
call SetLayerStyle(2, {text = "[bold]"})
print "tag error", GetLastError(), GetAttribute(22, 2, 36)
