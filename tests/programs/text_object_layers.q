; label: text.objects
; Text objects as layers of type 8: a freed object that a layer shows gives up its id at once and
; goes when the layer goes; a change while shown leaves the layer its own copy; a border follows
; the glyphs. GetAttribute LAYER (22): 9 type, 0 width, 1 height; TEXTOBJECT (8) 60 the count.
; quill's "I": bars over columns 2..4 on rows 0 and 5, the stem in column 3. Snapshots of the
; window keep what the layers showed for the check.
call ExitOnError(false)
call EnableLayers()
call SetFontColor($FFFFFF)
call CreateTextObject(1, "II")
call DisplayTextObject(1, 20, 20)
print "layer", GetAttribute(22, 1, 9), GetAttribute(22, 1, 0), GetAttribute(22, 1, 1)
-- Freed while shown: the id is free for a new object at once, and the layer keeps the old image.
call FreeTextObject(1)
print "free", GetLastError(), GetAttribute(8, 0, 60)
call CreateTextObject(1, "-")
print "new", GetAttribute(8, 1, 36), GetAttribute(8, 1, 0), GetAttribute(8, 0, 60)
call SaveSnapshot("kept.bmp", 0)
print "kept", GetAttribute(22, 1, 0)
-- Removing the layer lets the collection free the old object.
call RemoveLayer(1)
print "removed", GetAttribute(8, 0, 60)
-- Turned while shown: the layer keeps its own copy of the image.
call CreateTextObject(2, "I")
call DisplayTextObject(2, 100, 20)
call RotateTextObject(2, 90)
print "turned", GetAttribute(8, 2, 0), GetAttribute(8, 2, 1), GetAttribute(22, 1, 0), GetAttribute(22, 1, 1), GetAttribute(8, 0, 60)
call SaveSnapshot("turned.bmp", 0)
call RemoveLayer(1)
print "copy collected", GetAttribute(8, 0, 60)
-- A border of 2 in green follows the glyph: next to the stem it shows, below the stem's left the
-- box's corner stays dark.
call CreateTextObject(3, "I")
call DisplayTextObject(3, 200, 20, {border = 1, bordersize = 2, bordercolor = $00FF00})
call SaveSnapshot("border.bmp", 0)
-- The layer's style works on the object's layer as on any other.
call SetLayerStyle(1, {x = 210})
print "moved", GetAttribute(22, 1, 7), GetLastError()
