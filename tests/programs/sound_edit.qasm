; label: sound
; InsertSample and MixSample against hand-computed values. dump prints a sample's values as
; GetSampleData gives them (8-bit unsigned ones shown signed). Formats: 0 MONO8, 1 MONO16,
; 2 STEREO8, 3 STEREO16.
; call ExitOnError(0)
; function dump(label, id)
;   t = GetSampleData(id)
;   n = GetAttribute(2, id, 11)
;   if GetAttribute(2, id, 9) >= 2 then
;     n = n * 2
;   end
;   s = label
;   for i = 0, n - 1 do
;     s = s .. " " .. t[i]
;   end
;   print s
; end
; -- Conversions into the destination's layout: 16 to 8 bits keeps the high byte, 8 to 16 widens,
; -- mono fills both sides, stereo into mono is the mean, unsigned and signed meet at 128.
; call CreateSample(1, {1, 2, 3, 4}, 8000)
; call CreateSample(2, {256, -512, 32767}, 8000, 1)
; call InsertSample(2, 1, 2)
; call dump("16 into 8 at 2", 1)
; call CreateSample(3, {100, 200}, 8000, 1)
; call CreateSample(4, {1, -1}, 8000)
; call InsertSample(4, 3, 99)
; call dump("8 into 16, position clamped", 3)
; call CreateSample(5, {1, 2}, 8000, 3)
; call CreateSample(6, {5, 6}, 8000, 1)
; call InsertSample(6, 5, -3, 1)
; call dump("mono into stereo, 1 frame at 0", 5)
; call CreateSample(7, {0}, 8000, 1)
; call CreateSample(8, {10, 20, -10, -30}, 8000, 3)
; call InsertSample(8, 7, 0, 0)
; call dump("stereo into mono", 7)
; call LoadSample(9, "u8.wav")
; call dump("unsigned", 9)
; call CreateSample(10, {7}, 8000, 1)
; call InsertSample(9, 10, 1)
; call dump("unsigned into 16", 10)
; call CreateSample(11, {5, -5}, 8000)
; call InsertSample(11, 9, 0)
; call dump("signed into unsigned", 9)
; -- The read window: from offset, wrapping from end back to start unless loop is 0.
; call CreateSample(12, {1, 2, 3, 4, 5}, 8000)
; call CreateSample(13, {0}, 8000)
; call InsertSample(12, 13, 1, 5, {offset = 3, start = 1, end = 4})
; call dump("window", 13)
; call CreateSample(13, {0}, 8000)
; call InsertSample(12, 13, 1, 5, {offset = 3, end = 4, loop = 0})
; call dump("no loop", 13)
; print "end past", InsertSample(12, 13, 0, 1, {end = 6}), GetLastError()
; print "start after end", InsertSample(12, 13, 0, 1, {start = 3, end = 2}), GetLastError()
; print "offset", InsertSample(12, 13, 0, 1, {offset = -1}), GetLastError()
; print "itself", InsertSample(12, 12, 0), GetLastError()
; call AllocMem(1, 16)
; call CreateSample(14, {source = "memory", id = 1}, 8000, 0, 0)
; call InsertSample(14, 13, 0)
; print "empty source", GetAttribute(2, 14, 11), GetAttribute(2, 13, 11)
; call PlaySample(13, 0)
; print "playing", InsertSample(12, 13, 0), GetLastError()
; call StopSample(13)
; -- Mixing: two sources add up; each reads at its pitch over the output's, from its offset, from
; -- the output frame of its threshold on, for length frames, wrapping unless loop is 0.
; call CreateSample(20, {1000, 2000, 3000, 4000}, 8000, 1)
; call CreateSample(21, {10, 20, 30, 40}, 8000, 1)
; call MixSample(30, 4, 8000, 1, 20, {}, 21, {})
; call dump("a + b", 30)
; call MixSample(30, 4, 8000, 1, 20, {}, 21, {pitch = 16000})
; call dump("a + b at twice", 30)
; call MixSample(30, 4, 8000, 1, 21, {offset = 1.5})
; call dump("offset 1.5", 30)
; call MixSample(30, 4, 8000, 1, 21, {pitch = 4000})
; call dump("half speed", 30)
; call MixSample(30, 4, 8000, 1, 21, {threshold = 2})
; call dump("threshold 2", 30)
; call MixSample(30, 4, 8000, 1, 21, {threshold = 1, length = 2})
; call dump("length 2", 30)
; call MixSample(30, 4, 8000, 1, 21, {offset = 2, loop = 0})
; call dump("no loop", 30)
; call MixSample(30, 4, 8000, 1, 21, {scale = 0.5})
; call dump("scale 0.5", 30)
; call CreateSample(22, {30000, -30000, -1000, 1000}, 8000, 1)
; call MixSample(30, 4, 8000, 1, 22, {}, 22, {})
; call dump("clamped", 30)
; call MixSample(30, 4, 8000, 0, 22, {})
; call dump("into 8 bits", 30)
; call MixSample(30, 2, 8000, 3, 21, {})
; call dump("mono into stereo", 30)
; call CreateSample(23, {100, 300, -100, -301}, 8000, 3)
; call MixSample(30, 2, 8000, 1, 23, {})
; call dump("stereo into mono", 30)
; call CreateSample(24, {100, -100}, 8000)
; call MixSample(30, 2, 8000, 1, 24, {}, 14, {})
; call dump("8-bit and empty sources", 30)
; call MixSample(20, 4, 8000, 1, 20, {}, 21, {})
; call dump("into a source", 20)
; h = MixSample(nil, 3, 8000, 1, 21, {})
; call dump("automatic", h)
; print "count 0", MixSample(31, 0, 8000, 1, 21, {}), GetLastError()
; print "odd", MixSample(31, 4, 8000, 1, 21, {}, 22), GetLastError()
; print "pitch 255", MixSample(31, 4, 255, 1, 21, {}), GetLastError()
; print "format 7", MixSample(31, 4, 8000, 7, 21, {}), GetLastError()
; print "source pitch 0", MixSample(31, 4, 8000, 1, 21, {pitch = 0}), GetLastError()
; print "offset -1", MixSample(31, 4, 8000, 1, 21, {offset = -1}), GetLastError()
; print "no source", MixSample(31, 4, 8000, 1, 99, {}), GetLastError()
; print "huge", MixSample(31, 2000000000, 8000, 3, 21, {}), GetLastError()
; print "none made", GetAttribute(2, 31, 11), GetLastError()
.source "@sound_edit.q"
  .maxstack 11
.lineno 1
  GETGLOBAL r0 "exitonerror"
  LOADK r1 #0
  CALL r0 2 2
.lineno 2
  CLOSURE r0 f0
  SETGLOBAL r0 "dump"
.lineno 16
  GETGLOBAL r0 "createsample"
  LOADK r1 #1
  NEWTABLE r2 0 4
  LOADK r3 #1
  SETTABLE r2 #0 r3
  LOADK r3 #2
  SETTABLE r2 #1 r3
  LOADK r3 #3
  SETTABLE r2 #2 r3
  LOADK r3 #4
  SETTABLE r2 #3 r3
  LOADK r3 #8000
  CALL r0 4 2
.lineno 17
  GETGLOBAL r0 "createsample"
  LOADK r1 #2
  NEWTABLE r2 0 4
  LOADK r3 #256
  SETTABLE r2 #0 r3
  LOADK r3 #-512
  SETTABLE r2 #1 r3
  LOADK r3 #32767
  SETTABLE r2 #2 r3
  LOADK r3 #8000
  LOADK r4 #1
  CALL r0 5 2
.lineno 18
  GETGLOBAL r0 "insertsample"
  LOADK r1 #2
  LOADK r2 #1
  LOADK r3 #2
  CALL r0 4 2
.lineno 19
  GETGLOBAL r0 "dump"
  LOADK r1 "16 into 8 at 2"
  LOADK r2 #1
  CALL r0 3 2
.lineno 20
  GETGLOBAL r0 "createsample"
  LOADK r1 #3
  NEWTABLE r2 0 4
  LOADK r3 #100
  SETTABLE r2 #0 r3
  LOADK r3 #200
  SETTABLE r2 #1 r3
  LOADK r3 #8000
  LOADK r4 #1
  CALL r0 5 2
.lineno 21
  GETGLOBAL r0 "createsample"
  LOADK r1 #4
  NEWTABLE r2 0 4
  LOADK r3 #1
  SETTABLE r2 #0 r3
  LOADK r3 #-1
  SETTABLE r2 #1 r3
  LOADK r3 #8000
  CALL r0 4 2
.lineno 22
  GETGLOBAL r0 "insertsample"
  LOADK r1 #4
  LOADK r2 #3
  LOADK r3 #99
  CALL r0 4 2
.lineno 23
  GETGLOBAL r0 "dump"
  LOADK r1 "8 into 16, position clamped"
  LOADK r2 #3
  CALL r0 3 2
.lineno 24
  GETGLOBAL r0 "createsample"
  LOADK r1 #5
  NEWTABLE r2 0 4
  LOADK r3 #1
  SETTABLE r2 #0 r3
  LOADK r3 #2
  SETTABLE r2 #1 r3
  LOADK r3 #8000
  LOADK r4 #3
  CALL r0 5 2
.lineno 25
  GETGLOBAL r0 "createsample"
  LOADK r1 #6
  NEWTABLE r2 0 4
  LOADK r3 #5
  SETTABLE r2 #0 r3
  LOADK r3 #6
  SETTABLE r2 #1 r3
  LOADK r3 #8000
  LOADK r4 #1
  CALL r0 5 2
.lineno 26
  GETGLOBAL r0 "insertsample"
  LOADK r1 #6
  LOADK r2 #5
  LOADK r3 #-3
  LOADK r4 #1
  CALL r0 5 2
.lineno 27
  GETGLOBAL r0 "dump"
  LOADK r1 "mono into stereo, 1 frame at 0"
  LOADK r2 #5
  CALL r0 3 2
.lineno 28
  GETGLOBAL r0 "createsample"
  LOADK r1 #7
  NEWTABLE r2 0 4
  LOADK r3 #0
  SETTABLE r2 #0 r3
  LOADK r3 #8000
  LOADK r4 #1
  CALL r0 5 2
.lineno 29
  GETGLOBAL r0 "createsample"
  LOADK r1 #8
  NEWTABLE r2 0 4
  LOADK r3 #10
  SETTABLE r2 #0 r3
  LOADK r3 #20
  SETTABLE r2 #1 r3
  LOADK r3 #-10
  SETTABLE r2 #2 r3
  LOADK r3 #-30
  SETTABLE r2 #3 r3
  LOADK r3 #8000
  LOADK r4 #3
  CALL r0 5 2
.lineno 30
  GETGLOBAL r0 "insertsample"
  LOADK r1 #8
  LOADK r2 #7
  LOADK r3 #0
  LOADK r4 #0
  CALL r0 5 2
.lineno 31
  GETGLOBAL r0 "dump"
  LOADK r1 "stereo into mono"
  LOADK r2 #7
  CALL r0 3 2
.lineno 32
  GETGLOBAL r0 "loadsample"
  LOADK r1 #9
  LOADK r2 "u8.wav"
  CALL r0 3 2
.lineno 33
  GETGLOBAL r0 "dump"
  LOADK r1 "unsigned"
  LOADK r2 #9
  CALL r0 3 2
.lineno 34
  GETGLOBAL r0 "createsample"
  LOADK r1 #10
  NEWTABLE r2 0 4
  LOADK r3 #7
  SETTABLE r2 #0 r3
  LOADK r3 #8000
  LOADK r4 #1
  CALL r0 5 2
.lineno 35
  GETGLOBAL r0 "insertsample"
  LOADK r1 #9
  LOADK r2 #10
  LOADK r3 #1
  CALL r0 4 2
.lineno 36
  GETGLOBAL r0 "dump"
  LOADK r1 "unsigned into 16"
  LOADK r2 #10
  CALL r0 3 2
.lineno 37
  GETGLOBAL r0 "createsample"
  LOADK r1 #11
  NEWTABLE r2 0 4
  LOADK r3 #5
  SETTABLE r2 #0 r3
  LOADK r3 #-5
  SETTABLE r2 #1 r3
  LOADK r3 #8000
  CALL r0 4 2
.lineno 38
  GETGLOBAL r0 "insertsample"
  LOADK r1 #11
  LOADK r2 #9
  LOADK r3 #0
  CALL r0 4 2
.lineno 39
  GETGLOBAL r0 "dump"
  LOADK r1 "signed into unsigned"
  LOADK r2 #9
  CALL r0 3 2
.lineno 41
  GETGLOBAL r0 "createsample"
  LOADK r1 #12
  NEWTABLE r2 0 4
  LOADK r3 #1
  SETTABLE r2 #0 r3
  LOADK r3 #2
  SETTABLE r2 #1 r3
  LOADK r3 #3
  SETTABLE r2 #2 r3
  LOADK r3 #4
  SETTABLE r2 #3 r3
  LOADK r3 #5
  SETTABLE r2 #4 r3
  LOADK r3 #8000
  CALL r0 4 2
.lineno 42
  GETGLOBAL r0 "createsample"
  LOADK r1 #13
  NEWTABLE r2 0 4
  LOADK r3 #0
  SETTABLE r2 #0 r3
  LOADK r3 #8000
  CALL r0 4 2
.lineno 43
  GETGLOBAL r0 "insertsample"
  LOADK r1 #12
  LOADK r2 #13
  LOADK r3 #1
  LOADK r4 #5
  NEWTABLE r5 0 4
  LOADK r6 #3
  SETTABLE r5 "offset" r6
  LOADK r6 #1
  SETTABLE r5 "start" r6
  LOADK r6 #4
  SETTABLE r5 "end" r6
  CALL r0 6 2
.lineno 44
  GETGLOBAL r0 "dump"
  LOADK r1 "window"
  LOADK r2 #13
  CALL r0 3 2
.lineno 45
  GETGLOBAL r0 "createsample"
  LOADK r1 #13
  NEWTABLE r2 0 4
  LOADK r3 #0
  SETTABLE r2 #0 r3
  LOADK r3 #8000
  CALL r0 4 2
.lineno 46
  GETGLOBAL r0 "insertsample"
  LOADK r1 #12
  LOADK r2 #13
  LOADK r3 #1
  LOADK r4 #5
  NEWTABLE r5 0 4
  LOADK r6 #3
  SETTABLE r5 "offset" r6
  LOADK r6 #4
  SETTABLE r5 "end" r6
  LOADK r6 #0
  SETTABLE r5 "loop" r6
  CALL r0 6 2
.lineno 47
  GETGLOBAL r0 "dump"
  LOADK r1 "no loop"
  LOADK r2 #13
  CALL r0 3 2
.lineno 48
  GETGLOBAL r0 "debugprint"
  LOADK r1 "end past"
  GETGLOBAL r2 "insertsample"
  LOADK r3 #12
  LOADK r4 #13
  LOADK r5 #0
  LOADK r6 #1
  NEWTABLE r7 0 4
  LOADK r8 #6
  SETTABLE r7 "end" r8
  CALL r2 6 2
  GETGLOBAL r3 "getlasterror"
  CALL r3 1 0
  CALL r0 0 2
.lineno 49
  GETGLOBAL r0 "debugprint"
  LOADK r1 "start after end"
  GETGLOBAL r2 "insertsample"
  LOADK r3 #12
  LOADK r4 #13
  LOADK r5 #0
  LOADK r6 #1
  NEWTABLE r7 0 4
  LOADK r8 #3
  SETTABLE r7 "start" r8
  LOADK r8 #2
  SETTABLE r7 "end" r8
  CALL r2 6 2
  GETGLOBAL r3 "getlasterror"
  CALL r3 1 0
  CALL r0 0 2
.lineno 50
  GETGLOBAL r0 "debugprint"
  LOADK r1 "offset"
  GETGLOBAL r2 "insertsample"
  LOADK r3 #12
  LOADK r4 #13
  LOADK r5 #0
  LOADK r6 #1
  NEWTABLE r7 0 4
  LOADK r8 #-1
  SETTABLE r7 "offset" r8
  CALL r2 6 2
  GETGLOBAL r3 "getlasterror"
  CALL r3 1 0
  CALL r0 0 2
.lineno 51
  GETGLOBAL r0 "debugprint"
  LOADK r1 "itself"
  GETGLOBAL r2 "insertsample"
  LOADK r3 #12
  LOADK r4 #12
  LOADK r5 #0
  CALL r2 4 2
  GETGLOBAL r3 "getlasterror"
  CALL r3 1 0
  CALL r0 0 2
.lineno 52
  GETGLOBAL r0 "allocmem"
  LOADK r1 #1
  LOADK r2 #16
  CALL r0 3 2
.lineno 53
  GETGLOBAL r0 "createsample"
  LOADK r1 #14
  NEWTABLE r2 0 4
  LOADK r3 "memory"
  SETTABLE r2 "source" r3
  LOADK r3 #1
  SETTABLE r2 "id" r3
  LOADK r3 #8000
  LOADK r4 #0
  LOADK r5 #0
  CALL r0 6 2
.lineno 54
  GETGLOBAL r0 "insertsample"
  LOADK r1 #14
  LOADK r2 #13
  LOADK r3 #0
  CALL r0 4 2
.lineno 55
  GETGLOBAL r0 "debugprint"
  LOADK r1 "empty source"
  GETGLOBAL r2 "getattribute"
  LOADK r3 #2
  LOADK r4 #14
  LOADK r5 #11
  CALL r2 4 2
  GETGLOBAL r3 "getattribute"
  LOADK r4 #2
  LOADK r5 #13
  LOADK r6 #11
  CALL r3 4 0
  CALL r0 0 2
.lineno 56
  GETGLOBAL r0 "playsample"
  LOADK r1 #13
  LOADK r2 #0
  CALL r0 3 2
.lineno 57
  GETGLOBAL r0 "debugprint"
  LOADK r1 "playing"
  GETGLOBAL r2 "insertsample"
  LOADK r3 #12
  LOADK r4 #13
  LOADK r5 #0
  CALL r2 4 2
  GETGLOBAL r3 "getlasterror"
  CALL r3 1 0
  CALL r0 0 2
.lineno 58
  GETGLOBAL r0 "stopsample"
  LOADK r1 #13
  CALL r0 2 2
.lineno 61
  GETGLOBAL r0 "createsample"
  LOADK r1 #20
  NEWTABLE r2 0 4
  LOADK r3 #1000
  SETTABLE r2 #0 r3
  LOADK r3 #2000
  SETTABLE r2 #1 r3
  LOADK r3 #3000
  SETTABLE r2 #2 r3
  LOADK r3 #4000
  SETTABLE r2 #3 r3
  LOADK r3 #8000
  LOADK r4 #1
  CALL r0 5 2
.lineno 62
  GETGLOBAL r0 "createsample"
  LOADK r1 #21
  NEWTABLE r2 0 4
  LOADK r3 #10
  SETTABLE r2 #0 r3
  LOADK r3 #20
  SETTABLE r2 #1 r3
  LOADK r3 #30
  SETTABLE r2 #2 r3
  LOADK r3 #40
  SETTABLE r2 #3 r3
  LOADK r3 #8000
  LOADK r4 #1
  CALL r0 5 2
.lineno 63
  GETGLOBAL r0 "mixsample"
  LOADK r1 #30
  LOADK r2 #4
  LOADK r3 #8000
  LOADK r4 #1
  LOADK r5 #20
  NEWTABLE r6 0 4
  LOADK r7 #21
  NEWTABLE r8 0 4
  CALL r0 9 2
.lineno 64
  GETGLOBAL r0 "dump"
  LOADK r1 "a + b"
  LOADK r2 #30
  CALL r0 3 2
.lineno 65
  GETGLOBAL r0 "mixsample"
  LOADK r1 #30
  LOADK r2 #4
  LOADK r3 #8000
  LOADK r4 #1
  LOADK r5 #20
  NEWTABLE r6 0 4
  LOADK r7 #21
  NEWTABLE r8 0 4
  LOADK r9 #16000
  SETTABLE r8 "pitch" r9
  CALL r0 9 2
.lineno 66
  GETGLOBAL r0 "dump"
  LOADK r1 "a + b at twice"
  LOADK r2 #30
  CALL r0 3 2
.lineno 67
  GETGLOBAL r0 "mixsample"
  LOADK r1 #30
  LOADK r2 #4
  LOADK r3 #8000
  LOADK r4 #1
  LOADK r5 #21
  NEWTABLE r6 0 4
  LOADK r7 #1.5
  SETTABLE r6 "offset" r7
  CALL r0 7 2
.lineno 68
  GETGLOBAL r0 "dump"
  LOADK r1 "offset 1.5"
  LOADK r2 #30
  CALL r0 3 2
.lineno 69
  GETGLOBAL r0 "mixsample"
  LOADK r1 #30
  LOADK r2 #4
  LOADK r3 #8000
  LOADK r4 #1
  LOADK r5 #21
  NEWTABLE r6 0 4
  LOADK r7 #4000
  SETTABLE r6 "pitch" r7
  CALL r0 7 2
.lineno 70
  GETGLOBAL r0 "dump"
  LOADK r1 "half speed"
  LOADK r2 #30
  CALL r0 3 2
.lineno 71
  GETGLOBAL r0 "mixsample"
  LOADK r1 #30
  LOADK r2 #4
  LOADK r3 #8000
  LOADK r4 #1
  LOADK r5 #21
  NEWTABLE r6 0 4
  LOADK r7 #2
  SETTABLE r6 "threshold" r7
  CALL r0 7 2
.lineno 72
  GETGLOBAL r0 "dump"
  LOADK r1 "threshold 2"
  LOADK r2 #30
  CALL r0 3 2
.lineno 73
  GETGLOBAL r0 "mixsample"
  LOADK r1 #30
  LOADK r2 #4
  LOADK r3 #8000
  LOADK r4 #1
  LOADK r5 #21
  NEWTABLE r6 0 4
  LOADK r7 #1
  SETTABLE r6 "threshold" r7
  LOADK r7 #2
  SETTABLE r6 "length" r7
  CALL r0 7 2
.lineno 74
  GETGLOBAL r0 "dump"
  LOADK r1 "length 2"
  LOADK r2 #30
  CALL r0 3 2
.lineno 75
  GETGLOBAL r0 "mixsample"
  LOADK r1 #30
  LOADK r2 #4
  LOADK r3 #8000
  LOADK r4 #1
  LOADK r5 #21
  NEWTABLE r6 0 4
  LOADK r7 #2
  SETTABLE r6 "offset" r7
  LOADK r7 #0
  SETTABLE r6 "loop" r7
  CALL r0 7 2
.lineno 76
  GETGLOBAL r0 "dump"
  LOADK r1 "no loop"
  LOADK r2 #30
  CALL r0 3 2
.lineno 77
  GETGLOBAL r0 "mixsample"
  LOADK r1 #30
  LOADK r2 #4
  LOADK r3 #8000
  LOADK r4 #1
  LOADK r5 #21
  NEWTABLE r6 0 4
  LOADK r7 #0.5
  SETTABLE r6 "scale" r7
  CALL r0 7 2
.lineno 78
  GETGLOBAL r0 "dump"
  LOADK r1 "scale 0.5"
  LOADK r2 #30
  CALL r0 3 2
.lineno 79
  GETGLOBAL r0 "createsample"
  LOADK r1 #22
  NEWTABLE r2 0 4
  LOADK r3 #30000
  SETTABLE r2 #0 r3
  LOADK r3 #-30000
  SETTABLE r2 #1 r3
  LOADK r3 #-1000
  SETTABLE r2 #2 r3
  LOADK r3 #1000
  SETTABLE r2 #3 r3
  LOADK r3 #8000
  LOADK r4 #1
  CALL r0 5 2
.lineno 80
  GETGLOBAL r0 "mixsample"
  LOADK r1 #30
  LOADK r2 #4
  LOADK r3 #8000
  LOADK r4 #1
  LOADK r5 #22
  NEWTABLE r6 0 4
  LOADK r7 #22
  NEWTABLE r8 0 4
  CALL r0 9 2
.lineno 81
  GETGLOBAL r0 "dump"
  LOADK r1 "clamped"
  LOADK r2 #30
  CALL r0 3 2
.lineno 82
  GETGLOBAL r0 "mixsample"
  LOADK r1 #30
  LOADK r2 #4
  LOADK r3 #8000
  LOADK r4 #0
  LOADK r5 #22
  NEWTABLE r6 0 4
  CALL r0 7 2
.lineno 83
  GETGLOBAL r0 "dump"
  LOADK r1 "into 8 bits"
  LOADK r2 #30
  CALL r0 3 2
.lineno 84
  GETGLOBAL r0 "mixsample"
  LOADK r1 #30
  LOADK r2 #2
  LOADK r3 #8000
  LOADK r4 #3
  LOADK r5 #21
  NEWTABLE r6 0 4
  CALL r0 7 2
.lineno 85
  GETGLOBAL r0 "dump"
  LOADK r1 "mono into stereo"
  LOADK r2 #30
  CALL r0 3 2
.lineno 86
  GETGLOBAL r0 "createsample"
  LOADK r1 #23
  NEWTABLE r2 0 4
  LOADK r3 #100
  SETTABLE r2 #0 r3
  LOADK r3 #300
  SETTABLE r2 #1 r3
  LOADK r3 #-100
  SETTABLE r2 #2 r3
  LOADK r3 #-301
  SETTABLE r2 #3 r3
  LOADK r3 #8000
  LOADK r4 #3
  CALL r0 5 2
.lineno 87
  GETGLOBAL r0 "mixsample"
  LOADK r1 #30
  LOADK r2 #2
  LOADK r3 #8000
  LOADK r4 #1
  LOADK r5 #23
  NEWTABLE r6 0 4
  CALL r0 7 2
.lineno 88
  GETGLOBAL r0 "dump"
  LOADK r1 "stereo into mono"
  LOADK r2 #30
  CALL r0 3 2
.lineno 89
  GETGLOBAL r0 "createsample"
  LOADK r1 #24
  NEWTABLE r2 0 4
  LOADK r3 #100
  SETTABLE r2 #0 r3
  LOADK r3 #-100
  SETTABLE r2 #1 r3
  LOADK r3 #8000
  CALL r0 4 2
.lineno 90
  GETGLOBAL r0 "mixsample"
  LOADK r1 #30
  LOADK r2 #2
  LOADK r3 #8000
  LOADK r4 #1
  LOADK r5 #24
  NEWTABLE r6 0 4
  LOADK r7 #14
  NEWTABLE r8 0 4
  CALL r0 9 2
.lineno 91
  GETGLOBAL r0 "dump"
  LOADK r1 "8-bit and empty sources"
  LOADK r2 #30
  CALL r0 3 2
.lineno 92
  GETGLOBAL r0 "mixsample"
  LOADK r1 #20
  LOADK r2 #4
  LOADK r3 #8000
  LOADK r4 #1
  LOADK r5 #20
  NEWTABLE r6 0 4
  LOADK r7 #21
  NEWTABLE r8 0 4
  CALL r0 9 2
.lineno 93
  GETGLOBAL r0 "dump"
  LOADK r1 "into a source"
  LOADK r2 #20
  CALL r0 3 2
.lineno 94
  GETGLOBAL r0 "mixsample"
  LOADNIL r1 r1
  LOADK r2 #3
  LOADK r3 #8000
  LOADK r4 #1
  LOADK r5 #21
  NEWTABLE r6 0 4
  CALL r0 7 2
  SETGLOBAL r0 "h"
.lineno 95
  GETGLOBAL r0 "dump"
  LOADK r1 "automatic"
  GETGLOBAL r2 "h"
  CALL r0 3 2
.lineno 96
  GETGLOBAL r0 "debugprint"
  LOADK r1 "count 0"
  GETGLOBAL r2 "mixsample"
  LOADK r3 #31
  LOADK r4 #0
  LOADK r5 #8000
  LOADK r6 #1
  LOADK r7 #21
  NEWTABLE r8 0 4
  CALL r2 7 2
  GETGLOBAL r3 "getlasterror"
  CALL r3 1 0
  CALL r0 0 2
.lineno 97
  GETGLOBAL r0 "debugprint"
  LOADK r1 "odd"
  GETGLOBAL r2 "mixsample"
  LOADK r3 #31
  LOADK r4 #4
  LOADK r5 #8000
  LOADK r6 #1
  LOADK r7 #21
  NEWTABLE r8 0 4
  LOADK r9 #22
  CALL r2 8 2
  GETGLOBAL r3 "getlasterror"
  CALL r3 1 0
  CALL r0 0 2
.lineno 98
  GETGLOBAL r0 "debugprint"
  LOADK r1 "pitch 255"
  GETGLOBAL r2 "mixsample"
  LOADK r3 #31
  LOADK r4 #4
  LOADK r5 #255
  LOADK r6 #1
  LOADK r7 #21
  NEWTABLE r8 0 4
  CALL r2 7 2
  GETGLOBAL r3 "getlasterror"
  CALL r3 1 0
  CALL r0 0 2
.lineno 99
  GETGLOBAL r0 "debugprint"
  LOADK r1 "format 7"
  GETGLOBAL r2 "mixsample"
  LOADK r3 #31
  LOADK r4 #4
  LOADK r5 #8000
  LOADK r6 #7
  LOADK r7 #21
  NEWTABLE r8 0 4
  CALL r2 7 2
  GETGLOBAL r3 "getlasterror"
  CALL r3 1 0
  CALL r0 0 2
.lineno 100
  GETGLOBAL r0 "debugprint"
  LOADK r1 "source pitch 0"
  GETGLOBAL r2 "mixsample"
  LOADK r3 #31
  LOADK r4 #4
  LOADK r5 #8000
  LOADK r6 #1
  LOADK r7 #21
  NEWTABLE r8 0 4
  LOADK r9 #0
  SETTABLE r8 "pitch" r9
  CALL r2 7 2
  GETGLOBAL r3 "getlasterror"
  CALL r3 1 0
  CALL r0 0 2
.lineno 101
  GETGLOBAL r0 "debugprint"
  LOADK r1 "offset -1"
  GETGLOBAL r2 "mixsample"
  LOADK r3 #31
  LOADK r4 #4
  LOADK r5 #8000
  LOADK r6 #1
  LOADK r7 #21
  NEWTABLE r8 0 4
  LOADK r9 #-1
  SETTABLE r8 "offset" r9
  CALL r2 7 2
  GETGLOBAL r3 "getlasterror"
  CALL r3 1 0
  CALL r0 0 2
.lineno 102
  GETGLOBAL r0 "debugprint"
  LOADK r1 "no source"
  GETGLOBAL r2 "mixsample"
  LOADK r3 #31
  LOADK r4 #4
  LOADK r5 #8000
  LOADK r6 #1
  LOADK r7 #99
  NEWTABLE r8 0 4
  CALL r2 7 2
  GETGLOBAL r3 "getlasterror"
  CALL r3 1 0
  CALL r0 0 2
.lineno 103
  GETGLOBAL r0 "debugprint"
  LOADK r1 "huge"
  GETGLOBAL r2 "mixsample"
  LOADK r3 #31
  LOADK r4 #2000000000
  LOADK r5 #8000
  LOADK r6 #3
  LOADK r7 #21
  NEWTABLE r8 0 4
  CALL r2 7 2
  GETGLOBAL r3 "getlasterror"
  CALL r3 1 0
  CALL r0 0 2
.lineno 104
  GETGLOBAL r0 "debugprint"
  LOADK r1 "none made"
  GETGLOBAL r2 "getattribute"
  LOADK r3 #2
  LOADK r4 #31
  LOADK r5 #11
  CALL r2 4 2
  GETGLOBAL r3 "getlasterror"
  CALL r3 1 0
  CALL r0 0 2
  RETURN r0 1
.function
  .params 2
  .maxstack 31
.lineno 3
  GETGLOBAL r2 "getsampledata"
  MOVE r3 r1
  CALL r2 2 2
  SETGLOBAL r2 "t"
.lineno 4
  GETGLOBAL r2 "getattribute"
  LOADK r3 #2
  MOVE r4 r1
  LOADK r5 #11
  CALL r2 4 2
  SETGLOBAL r2 "n"
.lineno 5
  GETGLOBAL r2 "getattribute"
  LOADK r3 #2
  MOVE r4 r1
  LOADK r5 #9
  CALL r2 4 2
  LOADK r3 #2
  LE 0 r3 r2
  JMP @L2
.lineno 6
  GETGLOBAL r2 "n"
  LOADK r3 #2
  MUL r2 r2 r3
  SETGLOBAL r2 "n"
.lineno 7
L2:
.lineno 8
  MOVE r2 r0
  SETGLOBAL r2 "s"
.lineno 9
  LOADK r20 #0
  GETGLOBAL r21 "n"
  LOADK r22 #1
  SUB r21 r21 r22
  LOADK r22 #1
  SUB r20 r20 r22
  JMP @L3
L4:
  SETGLOBAL r20 "i"
.lineno 10
  GETGLOBAL r27 "s"
  LOADK r28 " "
  CONCAT r27 r27 r28
  GETGLOBAL r28 "t"
  GETGLOBAL r29 "i"
  GETTABLE r28 r28 r29
  CONCAT r27 r27 r28
  SETGLOBAL r27 "s"
.lineno 11
L3:
  FORLOOP r20 @L4
.lineno 12
  GETGLOBAL r2 "debugprint"
  GETGLOBAL r3 "s"
  CALL r2 2 2
.lineno 13
  RETURN r0 1
.end
