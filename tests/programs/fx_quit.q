; label: fx
; A quit during a long synchronous effect ends the program at once, as a user's quit does anywhere.
call CreateBGPic(2, 640, 480, $FF0000)
print "before"
call DisplayTransitionFX(2, 7, 1)
print "not reached"
