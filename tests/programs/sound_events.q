; label: sound
; A program that waits in WaitEvent gets OnSampleLoop at the start of every pass and OnSampleEnd
; after the last, with the time into the play and the pass count: three passes of a one-second
; sample, and 2500 ms of it (three passes, the last one half long).
call ExitOnError(0)
function onloop(msg)
  print "loop", msg.time, msg.starts
end
function onend(msg)
  print "end", msg.time, msg.starts
  done = 1
end
call LoadSample(1, "second.wav")
call InstallEventHandler({onsampleloop = onloop, onsampleend = onend})
done = 0
call PlaySample(1, 3)
while done == 0 do
  call WaitEvent()
end
done = 0
call PlaySample(1, {time = 2500})
while done == 0 do
  call WaitEvent()
end
print "playing", IsSamplePlaying(1)
