; label: text.objects
; Text objects as layers of type 8: a freed object that a layer shows gives up its id at once and
; goes when the layer goes; a change while shown leaves the layer its own copy; a border follows
; the glyphs. GetAttribute LAYER (22): 9 type, 0 width, 1 height; TEXTOBJECT (8) 60 the count.
; quill's "I": bars over columns 2..4 on rows 0 and 5, the stem in column 3. Snapshots of the
; window keep what the layers showed for the check.
; call ExitOnError(false)
; call EnableLayers()
; call SetFontColor($FFFFFF)
; call CreateTextObject(1, "II")
; call DisplayTextObject(1, 20, 20)
; print "layer", GetAttribute(22, 1, 9), GetAttribute(22, 1, 0), GetAttribute(22, 1, 1)
; -- Freed while shown: the id is free for a new object at once, and the layer keeps the old image.
; call FreeTextObject(1)
; print "free", GetLastError(), GetAttribute(8, 0, 60)
; call CreateTextObject(1, "-")
; print "new", GetAttribute(8, 1, 36), GetAttribute(8, 1, 0), GetAttribute(8, 0, 60)
; call SaveSnapshot("kept.bmp", 0)
; print "kept", GetAttribute(22, 1, 0)
; -- Removing the layer lets the collection free the old object.
; call RemoveLayer(1)
; print "removed", GetAttribute(8, 0, 60)
; -- Turned while shown: the layer keeps its own copy of the image.
; call CreateTextObject(2, "I")
; call DisplayTextObject(2, 100, 20)
; call RotateTextObject(2, 90)
; print "turned", GetAttribute(8, 2, 0), GetAttribute(8, 2, 1), GetAttribute(22, 1, 0), GetAttribute(22, 1, 1), GetAttribute(8, 0, 60)
; call SaveSnapshot("turned.bmp", 0)
; call RemoveLayer(1)
; print "copy collected", GetAttribute(8, 0, 60)
; -- A border of 2 in green follows the glyph: next to the stem it shows, below the stem's left the
; -- box's corner stays dark.
; call CreateTextObject(3, "I")
; call DisplayTextObject(3, 200, 20, {border = 1, bordersize = 2, bordercolor = $00FF00})
; call SaveSnapshot("border.bmp", 0)
; -- The layer's style works on the object's layer as on any other.
; call SetLayerStyle(1, {x = 210})
; print "moved", GetAttribute(22, 1, 7), GetLastError()
.source "@text_object_layers.q"
  .maxstack 11
.lineno 1
  GETGLOBAL r0 "exitonerror"
  LOADBOOL r1 0 0
  CALL r0 2 2
.lineno 2
  GETGLOBAL r0 "enablelayers"
  CALL r0 1 2
.lineno 3
  GETGLOBAL r0 "setfontcolor"
  LOADK r1 #16777215
  CALL r0 2 2
.lineno 4
  GETGLOBAL r0 "createtextobject"
  LOADK r1 #1
  LOADK r2 "II"
  CALL r0 3 2
.lineno 5
  GETGLOBAL r0 "displaytextobject"
  LOADK r1 #1
  LOADK r2 #20
  LOADK r3 #20
  CALL r0 4 2
.lineno 6
  GETGLOBAL r0 "debugprint"
  LOADK r1 "layer"
  GETGLOBAL r2 "getattribute"
  LOADK r3 #22
  LOADK r4 #1
  LOADK r5 #9
  CALL r2 4 2
  GETGLOBAL r3 "getattribute"
  LOADK r4 #22
  LOADK r5 #1
  LOADK r6 #0
  CALL r3 4 2
  GETGLOBAL r4 "getattribute"
  LOADK r5 #22
  LOADK r6 #1
  LOADK r7 #1
  CALL r4 4 0
  CALL r0 0 2
.lineno 8
  GETGLOBAL r0 "freetextobject"
  LOADK r1 #1
  CALL r0 2 2
.lineno 9
  GETGLOBAL r0 "debugprint"
  LOADK r1 "free"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 2
  GETGLOBAL r3 "getattribute"
  LOADK r4 #8
  LOADK r5 #0
  LOADK r6 #60
  CALL r3 4 0
  CALL r0 0 2
.lineno 10
  GETGLOBAL r0 "createtextobject"
  LOADK r1 #1
  LOADK r2 "-"
  CALL r0 3 2
.lineno 11
  GETGLOBAL r0 "debugprint"
  LOADK r1 "new"
  GETGLOBAL r2 "getattribute"
  LOADK r3 #8
  LOADK r4 #1
  LOADK r5 #36
  CALL r2 4 2
  GETGLOBAL r3 "getattribute"
  LOADK r4 #8
  LOADK r5 #1
  LOADK r6 #0
  CALL r3 4 2
  GETGLOBAL r4 "getattribute"
  LOADK r5 #8
  LOADK r6 #0
  LOADK r7 #60
  CALL r4 4 0
  CALL r0 0 2
.lineno 12
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "kept.bmp"
  LOADK r2 #0
  CALL r0 3 2
.lineno 13
  GETGLOBAL r0 "debugprint"
  LOADK r1 "kept"
  GETGLOBAL r2 "getattribute"
  LOADK r3 #22
  LOADK r4 #1
  LOADK r5 #0
  CALL r2 4 0
  CALL r0 0 2
.lineno 15
  GETGLOBAL r0 "removelayer"
  LOADK r1 #1
  CALL r0 2 2
.lineno 16
  GETGLOBAL r0 "debugprint"
  LOADK r1 "removed"
  GETGLOBAL r2 "getattribute"
  LOADK r3 #8
  LOADK r4 #0
  LOADK r5 #60
  CALL r2 4 0
  CALL r0 0 2
.lineno 18
  GETGLOBAL r0 "createtextobject"
  LOADK r1 #2
  LOADK r2 "I"
  CALL r0 3 2
.lineno 19
  GETGLOBAL r0 "displaytextobject"
  LOADK r1 #2
  LOADK r2 #100
  LOADK r3 #20
  CALL r0 4 2
.lineno 20
  GETGLOBAL r0 "rotatetextobject"
  LOADK r1 #2
  LOADK r2 #90
  CALL r0 3 2
.lineno 21
  GETGLOBAL r0 "debugprint"
  LOADK r1 "turned"
  GETGLOBAL r2 "getattribute"
  LOADK r3 #8
  LOADK r4 #2
  LOADK r5 #0
  CALL r2 4 2
  GETGLOBAL r3 "getattribute"
  LOADK r4 #8
  LOADK r5 #2
  LOADK r6 #1
  CALL r3 4 2
  GETGLOBAL r4 "getattribute"
  LOADK r5 #22
  LOADK r6 #1
  LOADK r7 #0
  CALL r4 4 2
  GETGLOBAL r5 "getattribute"
  LOADK r6 #22
  LOADK r7 #1
  LOADK r8 #1
  CALL r5 4 2
  GETGLOBAL r6 "getattribute"
  LOADK r7 #8
  LOADK r8 #0
  LOADK r9 #60
  CALL r6 4 0
  CALL r0 0 2
.lineno 22
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "turned.bmp"
  LOADK r2 #0
  CALL r0 3 2
.lineno 23
  GETGLOBAL r0 "removelayer"
  LOADK r1 #1
  CALL r0 2 2
.lineno 24
  GETGLOBAL r0 "debugprint"
  LOADK r1 "copy collected"
  GETGLOBAL r2 "getattribute"
  LOADK r3 #8
  LOADK r4 #0
  LOADK r5 #60
  CALL r2 4 0
  CALL r0 0 2
.lineno 27
  GETGLOBAL r0 "createtextobject"
  LOADK r1 #3
  LOADK r2 "I"
  CALL r0 3 2
.lineno 28
  GETGLOBAL r0 "displaytextobject"
  LOADK r1 #3
  LOADK r2 #200
  LOADK r3 #20
  NEWTABLE r4 0 4
  LOADK r5 #1
  SETTABLE r4 "border" r5
  LOADK r5 #2
  SETTABLE r4 "bordersize" r5
  LOADK r5 #65280
  SETTABLE r4 "bordercolor" r5
  CALL r0 5 2
.lineno 29
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "border.bmp"
  LOADK r2 #0
  CALL r0 3 2
.lineno 31
  GETGLOBAL r0 "setlayerstyle"
  LOADK r1 #1
  NEWTABLE r2 0 4
  LOADK r3 #210
  SETTABLE r2 "x" r3
  CALL r0 3 2
.lineno 32
  GETGLOBAL r0 "debugprint"
  LOADK r1 "moved"
  GETGLOBAL r2 "getattribute"
  LOADK r3 #22
  LOADK r4 #1
  LOADK r5 #7
  CALL r2 4 2
  GETGLOBAL r3 "getlasterror"
  CALL r3 1 0
  CALL r0 0 2
  RETURN r0 1
