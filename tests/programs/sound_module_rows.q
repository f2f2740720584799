; label: sound
; The song position and row are those that sound: while row 0 of position 0 plays (2.4 s long),
; the player has already read it and moved on to row 5 of position 1, which only sounds later.
call ExitOnError(0)
call LoadModule(1, "rows.mod")
call PlayModule(1)
call Wait(10)
print "first row", GetSongPosition(), GetPatternPosition()
call WaitPatternPosition(5)
print "after the break", GetSongPosition(), GetPatternPosition()
call PlaySubsong(0)
call Wait(10)
print "jumped back", GetSongPosition(), GetPatternPosition()
call StopModule()
print "stopped", GetSongPosition(), GetPatternPosition()
