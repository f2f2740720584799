; label: text.fonts
; Font objects and the font cache, seen through GetAttribute's font rows (30 ascender,
; 31 descender, 32 name, 33 size, 34 scalable, 35 anti-alias) of FONT (43) objects and of the
; display (21), which answers for the current font; 60 is ATTRCOUNT.
call ExitOnError(false)
function font(id)
return GetAttribute(43, id, 32), GetAttribute(43, id, 33), GetAttribute(43, id, 30), GetAttribute(43, id, 31), GetAttribute(43, id, 34), GetAttribute(43, id, 35)
end
-- The bitmap default at 8 is quill; the TrueType defaults open under their families' names.
call OpenFont(1, ":::default_bitmap", 8)
print font(1)
call OpenFont(2, ":::default_sans", 20)
print font(2)
call OpenFont(3, ":::default_serif", 14, {engine = 0})
print font(3)
print "fonts", GetAttribute(43, 0, 60)
-- SetFont and UseFont make a font current, which the display reports.
print GetAttribute(21, 0, 32), GetAttribute(21, 0, 33), GetAttribute(21, 0, 30)
call SetFont(":::default_mono", 12)
print GetAttribute(21, 0, 32), GetAttribute(21, 0, 33), GetAttribute(21, 0, 30)
call UseFont(2)
print GetAttribute(21, 0, 32), GetAttribute(21, 0, 33), TextHeight("x")
-- A closed font is no object any more, but the current font stays in use.
call CloseFont(2)
call GetAttribute(43, 2, 32)
print "closed", GetLastError()
print GetAttribute(21, 0, 32), TextHeight("x")
call UseFont(2)
print "use closed", GetLastError()
call CloseFont(2)
print "close again", GetLastError()
-- An id taken again loses its font object, also when the new font does not open.
call OpenFont(3, "No Such Family", 14)
print "reopened", GetLastError()
call GetAttribute(43, 3, 32)
print "gone", GetLastError()
-- Automatic ids.
f = OpenFont(nil, "quill", 8)
print GetAttribute(43, f, 32), GetAttribute(43, 0, 60)
call CloseFont(f)
call GetAttribute(43, f, 33)
print "automatic", GetLastError(), GetAttribute(43, 0, 60)
-- A name with a folder opens only with the inbuilt engine; an unknown family is tried by both.
call SetFont("fonts/VeraBd.ttf", 12)
print "folder", GetLastError()
call SetFont("/usr/share/fonts/truetype/ttf-bitstream-vera/VeraBd.ttf", 12, {engine = 4})
print "file", GetLastError(), GetAttribute(21, 0, 32)
call SetFont("No Such Family", 12, {engine = 4})
print "unknown", GetLastError()
call SetFont("quill", 8, {engine = 2})
print "engine 2", GetLastError()
