; label: text.tags
; Inline tags through TextOut in quill (8 pixels a character): each tag error names itself and
; draws nothing; colours nest back to the style's colour; [[ and ]] print the brackets.
call ExitOnError(false)
function try(text)
call TextOut(0, 0, text)
print text, GetLastError(), ReadPixel(1, 0), ReadPixel(2, 0)
end
call try("a]b")
call try("[bold]H")
call try("[ink=1]H")
call try("[shadow=$FF,65]H")
call try("[edge=0,9]H")
call try("[color]H")
call try("[color=\"1\"]H")
call try("[color=#NOSUCHCOLOUR]H")
call try("[b H")
-- A constant, a nested colour, and back to the style's white after the closing tags.
call TextOut(0, 20, "[color=#RED]H[color=$00FF00]H[/color]H[/color]H")
print ReadPixel(1, 20), ReadPixel(9, 20), ReadPixel(17, 20), ReadPixel(25, 20)
call TextOut(0, 30, "[color=$FF][color=$FF00]H[/color][/color][/color]H")
print "closed thrice", GetLastError(), ReadPixel(1, 30)
-- A shadow tag without values only switches the shadow on; its bit widens the extent.
call TextOut(0, 40, "[shadow]H[/shadow]H")
print "shadow", GetLastError()
-- "[[x]]" is "[x]": three characters, the last a closing bracket.
call TextOut(0, 60, "[[x]]")
print ReadPixel(2, 61), ReadPixel(9, 62), ReadPixel(20, 61), ReadPixel(26, 60)
