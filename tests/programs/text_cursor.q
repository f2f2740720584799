; label: text.cursor
; The cursor, margins and tab stops of the display, read through GetAttribute DISPLAY (21):
; 21 cursor x, 22 cursor y, 52 left margin, 53 right margin. quill is 8 pixels a character.
call ExitOnError(false)
function show(label)
print label, GetAttribute(21, 0, 21), GetAttribute(21, 0, 22), GetAttribute(21, 0, 52), GetAttribute(21, 0, 53)
end
call show("start")
call SetMargins(20, 300)
call show("margins")
call Locate(100, 50)
call show("locate")
-- Outside the margins x falls back to the left margin; y is taken as it stands.
call Locate(5, -40)
call show("left of them")
call Locate(301, 7)
call show("right of them")
-- Coordinate constants are refused.
call Locate(-100000, 5)
print "center x", GetLastError()
call Locate(5, -60000)
print "bottom y", GetLastError()
-- Left must lie below right; the right margin stops at the output's last column, and a left
-- margin past that leaves no line area.
call SetMargins(50, 50)
print "equal", GetLastError()
call SetMargins(700, 800)
print "past the edge", GetLastError()
call show("unchanged")
call SetMargins(-10, 10000)
call show("clamped")
-- Tab stops go in ascending; a tab past the last stop starts a new line.
call AddTab(30, 10, 20)
call Print("\ta")
call show("tab 1")
call Print("\tb")
call show("tab 2")
call Print("\tc")
call show("tab 3")
call Print("\td")
call show("past the stops")
call ResetTabs()
call Print("\te")
call show("no stops")
-- A negative stop fails, keeping the stops before it in the same call.
call AddTab(5, -1, 9)
print "negative", GetLastError()
call Locate(0, 100)
call Print("\tf")
call show("kept")
call Print("\tg")
call show("not added")
-- 32 stops at most.
call ResetTabs()
for i = 1, 32 do
call AddTab(i * 10)
end
print "32 stops", GetLastError()
call AddTab(1000)
print "33rd", GetLastError()
