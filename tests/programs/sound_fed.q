; label: sound
; A program-fed music at 48000 Hz stereo, so that its frames reach the disk driver's file as they
; were queued: pcm values (clamped, a short table ending in silence), mute, sample entries
; (converted, wrapped, freed) and the end, after which OnMusicEnd comes and nothing more is asked.
; Then a music fed a little at a time for a second: the 20 ms timer it holds while it plays
; wakes WaitEvent to ask for more far more often than an idle player wakes.
call ExitOnError(0)
print "no handler", CreateMusic(1, 48000, 3), GetLastError()
print "outside", FillMusicBuffer(1, "mute", 10), GetLastError()
calls = 0
ended = 0
call CreateSample(5, {1000, 2000, 3000}, 8000, 1)
function feed(msg)
  if msg.id == 3 then
    call steady(msg)
    return
  end
  calls = calls + 1
  if calls == 1 then
    print "first", msg.samples, msg.count
    call FillMusicBuffer(msg.id, "pcm", 4, {data = {40000, -40000, 100, -100, 7, 8}})
    call FillMusicBuffer(msg.id, "mute", 96)
    call FillMusicBuffer(msg.id, "sample", 5, {id = 5, offset = 1})
    print "kind", FillMusicBuffer(msg.id, "noise", 1), GetLastError()
    print "count", FillMusicBuffer(msg.id, "mute", -1), GetLastError()
    print "huge", FillMusicBuffer(msg.id, "mute", 1000000000), GetLastError()
    print "no data", FillMusicBuffer(msg.id, "pcm", 1, {}), GetLastError()
    print "no sample", FillMusicBuffer(msg.id, "sample", 1, {}), GetLastError()
    print "window", FillMusicBuffer(msg.id, "sample", 1, {id = 5, end = 4}), GetLastError()
    print "not fed", FillMusicBuffer(2, "mute", 1), GetLastError()
    print "play inside", PlayMusic(1), GetLastError()
  else
    enough = "short"
    if msg.samples >= 48000 - 105 then
      enough = "enough"
    end
    print "second", msg.count, enough
    call FillMusicBuffer(msg.id, "mute", 100)
    call FillMusicBuffer(msg.id, "sample", 4, {id = 5, free = 1, loop = 0, end = 2})
    call FillMusicBuffer(msg.id, "end", 0)
  end
end
steady_calls = 0
function steady(msg)
  if playing == 1 then
    steady_calls = steady_calls + 1
  end
  call FillMusicBuffer(msg.id, "mute", 480)
  if playing == 1 then
    if GetTimer(1) >= 1000 then
      call FillMusicBuffer(msg.id, "end", 0)
    end
  end
end
function onend(msg)
  print "music end", calls, GetAttribute(2, 5, 11), GetLastError()
  ended = 1
end
call InstallEventHandler({fillmusicbuffer = feed, onmusicend = onend})
print "format", CreateMusic(1, 48000, 7), GetLastError()
print "pitch", CreateMusic(1, 255, 3), GetLastError()
call OpenMusic(2, "a.wav")
call CreateMusic(1, 48000, 3)
print "created", calls
call PlayMusic(1)
while ended == 0 do
  call WaitEvent()
end
print "after", IsMusicPlaying(1)
playing = 0
ended = 0
call CreateMusic(3, 48000, 3)
call StartTimer(1)
playing = 1
call PlayMusic(3)
while ended == 0 do
  call WaitEvent()
end
often = "seldom"
if steady_calls >= 15 then
  often = "often"
end
print "steady", often
