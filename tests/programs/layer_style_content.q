; label: layers.style
; Text, shape and path content of layers through the player: conversions with their mandatory keys,
; the content keys and their errors, and GetLayerStyle's answers. Layer kinds: 3 BRUSH, 9 TEXTOUT,
; 11 PRINT, 14 BOX, 15 CIRCLE, 16 ELLIPSE, 17 LINE, 27 POLYGON, 31 ARC, 49 VECTORPATH.
call ExitOnError(false)
call CreateBrush(1, 20, 10, $FF0000)
call EnableLayers()
call DisplayBrush(1, 10, 10)
-- A conversion without its mandatory key fails and leaves the layer as it was.
call SetLayerStyle(1, {type = 11, x = 30})
e = GetLastError()
t = GetLayerStyle(1)
print e, t.id, t.x
-- A print layer starts from the text library's font and style and the display's cursor and margins.
call SetLayerStyle(1, {type = 11, text = "Hello", x = 30})
t = GetLayerStyle(1)
print t.text, t.font, t.fontsize, t.fontstyle, t.color, t.leftmargin, t.rightmargin, t.encoding, t.x, t.y
-- Tabs: 31 are kept, a 32nd is an internal limit, a non-number is refused; nothing changes on an error.
tabs = {}
for i = 0, 30 do
tabs[i] = 300 - i * 10
end
call SetLayerStyle(1, {tabs = tabs, text = "31 tabs"})
tabs[31] = 5
call SetLayerStyle(1, {tabs = tabs, text = "32 tabs"})
e = GetLastError()
t = GetLayerStyle(1)
print e, t.text
bad = {}
bad[0] = "ten"
call SetLayerStyle(1, {tabs = bad})
print GetLastError()
-- Font style: SHADOW and EDGE switch the layer's shadow and border, NORMAL makes the text plain and
-- leaves them alone, "fontstyleclear" takes them away.
call SetLayerStyle(1, {fontstyle = 32 + 2})
t = GetLayerStyle(1)
print t.fontstyle, t.shadow, t.border
call SetLayerStyle(1, {fontstyle = 1 + 32 + 64})
t = GetLayerStyle(1)
print t.fontstyle, t.shadow, t.border
call SetLayerStyle(1, {fontstyleclear = 32})
t = GetLayerStyle(1)
print t.shadow
-- Encoding, margins and cursor.
call SetLayerStyle(1, {encoding = 2})
print GetLastError()
call SetLayerStyle(1, {leftmargin = -1})
print GetLastError()
call SetLayerStyle(1, {cursorx = 5, x = 3})
print GetLastError()
call SetLayerStyle(1, {cursory = -100000})
print GetLastError()
call SetLayerStyle(1, {encoding = 1, leftmargin = 4, rightmargin = 200, cursorx = 7, font = "quill", fontsize = 8})
t = GetLayerStyle(1)
print t.encoding, t.leftmargin, t.rightmargin, t.x
-- Print and TextOut turn into each other keeping the whole text; TextOut reads "align".
call SetLayerStyle(1, {type = 9, align = -80000})
t = GetLayerStyle(1)
print t.text, t.align, t.encoding, t.rightmargin
-- Shapes: a box in the layer's place, then a circle, which needs its radius (its content is 11 x 11;
-- the layer keeps the on-screen size that DisplayBrush gave it).
call SetLayerStyle(1, {type = 14, color = $00FF00, sizex = 12, sizey = 6, roundlevel = 30, formstyle = 16})
t = GetLayerStyle(1)
print t.color, t.sizex, t.sizey, t.roundlevel, t.formstyle, t.fillstyle, t.x, t.y
call SetLayerStyle(1, {cornerb = 150})
t = GetLayerStyle(1)
print t.cornera, t.cornerb, t.cornerc
call SetLayerStyle(1, {type = 15})
print GetLastError()
call SetLayerStyle(1, {type = 15, radius = 5})
t = GetLayerStyle(1)
print t.radius, t.color, t.formstyle, GetAttribute(22, 1, 67), GetAttribute(22, 1, 68)
-- Round shapes carry their radii to one another; an arc needs its angles.
call SetLayerStyle(1, {type = 16, radiusb = 3})
t = GetLayerStyle(1)
print t.radiusa, t.radiusb
call SetLayerStyle(1, {type = 31})
print GetLastError()
call SetLayerStyle(1, {type = 31, startangle = 0, endangle = 90, clockwise = 1})
t = GetLayerStyle(1)
print t.startangle, t.endangle, t.clockwise, t.radiusa, t.radiusb
call SetLayerStyle(1, {radiusa = 0})
print GetLastError()
-- A line stands at the top-left of its end points, which move with it.
call SetLayerStyle(1, {type = 17, x1 = 40, y1 = 50, x2 = 20, y2 = 60, x = 0, thickness = 99})
t = GetLayerStyle(1)
print t.x, t.y, t.x1, t.y1, t.x2, t.y2, t.thickness
call TranslateLayer(1, 5, -5)
call SetLayerStyle(1, {x = 0})
t = GetLayerStyle(1)
print t.x, t.y, t.x1, t.y1, t.x2, t.y2
-- A polygon is placed at x and y plus its vertices' corner, and keeps them closed and moved to 0, 0.
v = {}
v[0] = 10
v[1] = 20
v[2] = 30
v[3] = 20
v[4] = 20
v[5] = 40
call SetLayerStyle(1, {type = 27})
print GetLastError()
call SetLayerStyle(1, {type = 27, vertices = v, x = 100, y = 100})
t = GetLayerStyle(1)
print t.x, t.y, t.numvertices, t.vertices[2], t.vertices[3], t.vertices[6], t.vertices[7], GetAttribute(22, 1, 67), GetAttribute(22, 1, 68)
-- GetLayerStyle's answer set again changes nothing.
call SetLayerStyle(1, GetLayerStyle(1))
t = GetLayerStyle(1)
print t.x, t.y, t.numvertices, t.formstyle, t.transform[0], t.transform[3]
-- No path exists yet, so a path layer cannot be made; the layer stays a polygon.
call SetLayerStyle(1, {type = 49, id = 7})
e = GetLastError()
t = GetLayerStyle(1)
print e, t.numvertices
-- Back to the brush.
call SetLayerStyle(1, {type = 3, id = 1})
t = GetLayerStyle(1)
print t.id, t.partwidth, t.partheight
