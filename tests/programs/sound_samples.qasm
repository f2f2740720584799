; label: sound
; Samples made from numbers, open files and memory blocks, and what they refuse. Object type 2 is
; a sample; the attributes read are 9 type, 11 frames, 14 duration and 15 pitch; format 2 is
; STEREO8, 1 MONO16.
; call ExitOnError(0)
; function show(id)
;   t = GetSampleData(id)
;   print GetAttribute(2, id, 11), GetAttribute(2, id, 9), t[0], t[1]
; end
; call CreateSample(1, {0, 127, -128, 5}, 8000)
; call show(1)
; call CreateSample(2, {-32768, 32767, 1, -1}, 44100, 3)
; call show(2)
; t = GetSampleData(2)
; print t[2], t[3]
; print "stereo8 odd", CreateSample(3, {1, 2, 3, 4, 5}, 8000, 2), GetLastError()
; print "8-bit 128", CreateSample(3, {128}, 8000), GetLastError()
; print "16-bit 32768", CreateSample(3, {32768}, 8000, 1), GetLastError()
; print "empty", CreateSample(3, {}, 8000), GetLastError()
; print "format 7", CreateSample(3, {1}, 8000, 7), GetLastError()
; print "pitch 255", CreateSample(3, {1}, 255), GetLastError()
; print "source", CreateSample(3, {source = "tape"}, 8000), GetLastError()
; -- The length argument takes that many frames of the list.
; call CreateSample(4, {1, 2, 3, 4, 5}, 8000, 0, 2)
; call show(4)
; -- Half a second lasts 500 ms.
; call CreateSample(5, {source = "memory", id = 1}, 8000, 0, 4000)
; print "no block", GetLastError()
; call AllocMem(1, 8000)
; call Poke(1, 0, $0102, 6)
; call Poke(1, 2, $FFFE, 6)
; call CreateSample(5, {source = "memory", id = 1}, 8000, 0, 4000)
; print "duration", GetAttribute(2, 5, 14), GetAttribute(2, 5, 11)
; call CreateSample(6, {source = "memory", id = 1, swap = 1}, 8000, 1, 2)
; call show(6)
; call CreateSample(6, {source = "memory", id = 1}, 8000, 1, 2)
; call show(6)
; call CreateSample(7, {source = "memory", id = 1, offset = 7999}, 8000, 1, 1)
; print "offset past the block", GetLastError()
; call CreateSample(7, {source = "memory", id = 1, offset = 5000000000}, 8000, 1, 1)
; print "offset past 32 bits", GetLastError()
; -- Files: bytes at the file's position, which moves on.
; call OpenFile(1, "bytes.bin")
; call CreateSample(7, {source = "file", id = 1}, 8000, 0, 2)
; call show(7)
; call CreateSample(7, {source = "file", id = 1}, 8000, 0, 2)
; call show(7)
; call CreateSample(8, {source = "file", id = 1}, 8000, 0, 100)
; print "short read", GetLastError()
; call CloseFile(1)
; call OpenFile(2, "new.bin", 1006)
; call CreateSample(8, {source = "file", id = 2}, 8000, 0, 1)
; print "write-only", GetLastError()
; call CloseFile(2)
; -- Playing: five pairs are refused, and a call that fails half way leaves no channel taken.
; print "five pairs", PlaySample(1, 1, 1, 1, 1, 1, 1, 1, 1, 1), GetLastError()
; call PlaySample(1, {pitch = 255})
; print "pitch 255", GetLastError()
; for i = 1, 10 do
;   call PlaySample(1, 1, 99, 1)
; end
; print "missing second", GetLastError(), IsSamplePlaying(1)
; call PlaySample(1, {time = 0})
; print "time 0", GetLastError()
; call PlaySample(1, 1, 2, 1, 4, 1, 5, 1)
; print "four", GetLastError()
; call StopSample(1)
; call StopSample(2)
; call StopSample(4)
; call StopSample(5)
; print "stopped", IsSamplePlaying(1), IsSamplePlaying(5)
; -- Copies hold their own data: the source freed, they stay.
; call CopySample(1, 9)
; h = CopySample(1, nil)
; print "copy onto itself", CopySample(1, 1), GetLastError()
; call FreeSample(1)
; call show(9)
; call show(h)
; call FreeSample(h)
; print "freed", GetAttribute(2, 1, 11), GetLastError(), GetAttribute(2, 0, 60)
.source "@sound_samples.q"
  .maxstack 33
.lineno 1
  GETGLOBAL r0 "exitonerror"
  LOADK r1 #0
  CALL r0 2 2
.lineno 2
  CLOSURE r0 f0
  SETGLOBAL r0 "show"
.lineno 6
  GETGLOBAL r0 "createsample"
  LOADK r1 #1
  NEWTABLE r2 0 4
  LOADK r3 #0
  SETTABLE r2 #0 r3
  LOADK r3 #127
  SETTABLE r2 #1 r3
  LOADK r3 #-128
  SETTABLE r2 #2 r3
  LOADK r3 #5
  SETTABLE r2 #3 r3
  LOADK r3 #8000
  CALL r0 4 2
.lineno 7
  GETGLOBAL r0 "show"
  LOADK r1 #1
  CALL r0 2 2
.lineno 8
  GETGLOBAL r0 "createsample"
  LOADK r1 #2
  NEWTABLE r2 0 4
  LOADK r3 #-32768
  SETTABLE r2 #0 r3
  LOADK r3 #32767
  SETTABLE r2 #1 r3
  LOADK r3 #1
  SETTABLE r2 #2 r3
  LOADK r3 #-1
  SETTABLE r2 #3 r3
  LOADK r3 #44100
  LOADK r4 #3
  CALL r0 5 2
.lineno 9
  GETGLOBAL r0 "show"
  LOADK r1 #2
  CALL r0 2 2
.lineno 10
  GETGLOBAL r0 "getsampledata"
  LOADK r1 #2
  CALL r0 2 2
  SETGLOBAL r0 "t"
.lineno 11
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "t"
  LOADK r2 #2
  GETTABLE r1 r1 r2
  GETGLOBAL r2 "t"
  LOADK r3 #3
  GETTABLE r2 r2 r3
  CALL r0 3 2
.lineno 12
  GETGLOBAL r0 "debugprint"
  LOADK r1 "stereo8 odd"
  GETGLOBAL r2 "createsample"
  LOADK r3 #3
  NEWTABLE r4 0 4
  LOADK r5 #1
  SETTABLE r4 #0 r5
  LOADK r5 #2
  SETTABLE r4 #1 r5
  LOADK r5 #3
  SETTABLE r4 #2 r5
  LOADK r5 #4
  SETTABLE r4 #3 r5
  LOADK r5 #5
  SETTABLE r4 #4 r5
  LOADK r5 #8000
  LOADK r6 #2
  CALL r2 5 2
  GETGLOBAL r3 "getlasterror"
  CALL r3 1 0
  CALL r0 0 2
.lineno 13
  GETGLOBAL r0 "debugprint"
  LOADK r1 "8-bit 128"
  GETGLOBAL r2 "createsample"
  LOADK r3 #3
  NEWTABLE r4 0 4
  LOADK r5 #128
  SETTABLE r4 #0 r5
  LOADK r5 #8000
  CALL r2 4 2
  GETGLOBAL r3 "getlasterror"
  CALL r3 1 0
  CALL r0 0 2
.lineno 14
  GETGLOBAL r0 "debugprint"
  LOADK r1 "16-bit 32768"
  GETGLOBAL r2 "createsample"
  LOADK r3 #3
  NEWTABLE r4 0 4
  LOADK r5 #32768
  SETTABLE r4 #0 r5
  LOADK r5 #8000
  LOADK r6 #1
  CALL r2 5 2
  GETGLOBAL r3 "getlasterror"
  CALL r3 1 0
  CALL r0 0 2
.lineno 15
  GETGLOBAL r0 "debugprint"
  LOADK r1 "empty"
  GETGLOBAL r2 "createsample"
  LOADK r3 #3
  NEWTABLE r4 0 4
  LOADK r5 #8000
  CALL r2 4 2
  GETGLOBAL r3 "getlasterror"
  CALL r3 1 0
  CALL r0 0 2
.lineno 16
  GETGLOBAL r0 "debugprint"
  LOADK r1 "format 7"
  GETGLOBAL r2 "createsample"
  LOADK r3 #3
  NEWTABLE r4 0 4
  LOADK r5 #1
  SETTABLE r4 #0 r5
  LOADK r5 #8000
  LOADK r6 #7
  CALL r2 5 2
  GETGLOBAL r3 "getlasterror"
  CALL r3 1 0
  CALL r0 0 2
.lineno 17
  GETGLOBAL r0 "debugprint"
  LOADK r1 "pitch 255"
  GETGLOBAL r2 "createsample"
  LOADK r3 #3
  NEWTABLE r4 0 4
  LOADK r5 #1
  SETTABLE r4 #0 r5
  LOADK r5 #255
  CALL r2 4 2
  GETGLOBAL r3 "getlasterror"
  CALL r3 1 0
  CALL r0 0 2
.lineno 18
  GETGLOBAL r0 "debugprint"
  LOADK r1 "source"
  GETGLOBAL r2 "createsample"
  LOADK r3 #3
  NEWTABLE r4 0 4
  LOADK r5 "tape"
  SETTABLE r4 "source" r5
  LOADK r5 #8000
  CALL r2 4 2
  GETGLOBAL r3 "getlasterror"
  CALL r3 1 0
  CALL r0 0 2
.lineno 20
  GETGLOBAL r0 "createsample"
  LOADK r1 #4
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
  LOADK r4 #0
  LOADK r5 #2
  CALL r0 6 2
.lineno 21
  GETGLOBAL r0 "show"
  LOADK r1 #4
  CALL r0 2 2
.lineno 23
  GETGLOBAL r0 "createsample"
  LOADK r1 #5
  NEWTABLE r2 0 4
  LOADK r3 "memory"
  SETTABLE r2 "source" r3
  LOADK r3 #1
  SETTABLE r2 "id" r3
  LOADK r3 #8000
  LOADK r4 #0
  LOADK r5 #4000
  CALL r0 6 2
.lineno 24
  GETGLOBAL r0 "debugprint"
  LOADK r1 "no block"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 2
.lineno 25
  GETGLOBAL r0 "allocmem"
  LOADK r1 #1
  LOADK r2 #8000
  CALL r0 3 2
.lineno 26
  GETGLOBAL r0 "poke"
  LOADK r1 #1
  LOADK r2 #0
  LOADK r3 #258
  LOADK r4 #6
  CALL r0 5 2
.lineno 27
  GETGLOBAL r0 "poke"
  LOADK r1 #1
  LOADK r2 #2
  LOADK r3 #65534
  LOADK r4 #6
  CALL r0 5 2
.lineno 28
  GETGLOBAL r0 "createsample"
  LOADK r1 #5
  NEWTABLE r2 0 4
  LOADK r3 "memory"
  SETTABLE r2 "source" r3
  LOADK r3 #1
  SETTABLE r2 "id" r3
  LOADK r3 #8000
  LOADK r4 #0
  LOADK r5 #4000
  CALL r0 6 2
.lineno 29
  GETGLOBAL r0 "debugprint"
  LOADK r1 "duration"
  GETGLOBAL r2 "getattribute"
  LOADK r3 #2
  LOADK r4 #5
  LOADK r5 #14
  CALL r2 4 2
  GETGLOBAL r3 "getattribute"
  LOADK r4 #2
  LOADK r5 #5
  LOADK r6 #11
  CALL r3 4 0
  CALL r0 0 2
.lineno 30
  GETGLOBAL r0 "createsample"
  LOADK r1 #6
  NEWTABLE r2 0 4
  LOADK r3 "memory"
  SETTABLE r2 "source" r3
  LOADK r3 #1
  SETTABLE r2 "id" r3
  LOADK r3 #1
  SETTABLE r2 "swap" r3
  LOADK r3 #8000
  LOADK r4 #1
  LOADK r5 #2
  CALL r0 6 2
.lineno 31
  GETGLOBAL r0 "show"
  LOADK r1 #6
  CALL r0 2 2
.lineno 32
  GETGLOBAL r0 "createsample"
  LOADK r1 #6
  NEWTABLE r2 0 4
  LOADK r3 "memory"
  SETTABLE r2 "source" r3
  LOADK r3 #1
  SETTABLE r2 "id" r3
  LOADK r3 #8000
  LOADK r4 #1
  LOADK r5 #2
  CALL r0 6 2
.lineno 33
  GETGLOBAL r0 "show"
  LOADK r1 #6
  CALL r0 2 2
.lineno 34
  GETGLOBAL r0 "createsample"
  LOADK r1 #7
  NEWTABLE r2 0 4
  LOADK r3 "memory"
  SETTABLE r2 "source" r3
  LOADK r3 #1
  SETTABLE r2 "id" r3
  LOADK r3 #7999
  SETTABLE r2 "offset" r3
  LOADK r3 #8000
  LOADK r4 #1
  LOADK r5 #1
  CALL r0 6 2
.lineno 35
  GETGLOBAL r0 "debugprint"
  LOADK r1 "offset past the block"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 2
.lineno 36
  GETGLOBAL r0 "createsample"
  LOADK r1 #7
  NEWTABLE r2 0 4
  LOADK r3 "memory"
  SETTABLE r2 "source" r3
  LOADK r3 #1
  SETTABLE r2 "id" r3
  LOADK r3 #5000000000
  SETTABLE r2 "offset" r3
  LOADK r3 #8000
  LOADK r4 #1
  LOADK r5 #1
  CALL r0 6 2
.lineno 37
  GETGLOBAL r0 "debugprint"
  LOADK r1 "offset past 32 bits"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 2
.lineno 39
  GETGLOBAL r0 "openfile"
  LOADK r1 #1
  LOADK r2 "bytes.bin"
  CALL r0 3 2
.lineno 40
  GETGLOBAL r0 "createsample"
  LOADK r1 #7
  NEWTABLE r2 0 4
  LOADK r3 "file"
  SETTABLE r2 "source" r3
  LOADK r3 #1
  SETTABLE r2 "id" r3
  LOADK r3 #8000
  LOADK r4 #0
  LOADK r5 #2
  CALL r0 6 2
.lineno 41
  GETGLOBAL r0 "show"
  LOADK r1 #7
  CALL r0 2 2
.lineno 42
  GETGLOBAL r0 "createsample"
  LOADK r1 #7
  NEWTABLE r2 0 4
  LOADK r3 "file"
  SETTABLE r2 "source" r3
  LOADK r3 #1
  SETTABLE r2 "id" r3
  LOADK r3 #8000
  LOADK r4 #0
  LOADK r5 #2
  CALL r0 6 2
.lineno 43
  GETGLOBAL r0 "show"
  LOADK r1 #7
  CALL r0 2 2
.lineno 44
  GETGLOBAL r0 "createsample"
  LOADK r1 #8
  NEWTABLE r2 0 4
  LOADK r3 "file"
  SETTABLE r2 "source" r3
  LOADK r3 #1
  SETTABLE r2 "id" r3
  LOADK r3 #8000
  LOADK r4 #0
  LOADK r5 #100
  CALL r0 6 2
.lineno 45
  GETGLOBAL r0 "debugprint"
  LOADK r1 "short read"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 2
.lineno 46
  GETGLOBAL r0 "closefile"
  LOADK r1 #1
  CALL r0 2 2
.lineno 47
  GETGLOBAL r0 "openfile"
  LOADK r1 #2
  LOADK r2 "new.bin"
  LOADK r3 #1006
  CALL r0 4 2
.lineno 48
  GETGLOBAL r0 "createsample"
  LOADK r1 #8
  NEWTABLE r2 0 4
  LOADK r3 "file"
  SETTABLE r2 "source" r3
  LOADK r3 #2
  SETTABLE r2 "id" r3
  LOADK r3 #8000
  LOADK r4 #0
  LOADK r5 #1
  CALL r0 6 2
.lineno 49
  GETGLOBAL r0 "debugprint"
  LOADK r1 "write-only"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 2
.lineno 50
  GETGLOBAL r0 "closefile"
  LOADK r1 #2
  CALL r0 2 2
.lineno 52
  GETGLOBAL r0 "debugprint"
  LOADK r1 "five pairs"
  GETGLOBAL r2 "playsample"
  LOADK r3 #1
  LOADK r4 #1
  LOADK r5 #1
  LOADK r6 #1
  LOADK r7 #1
  LOADK r8 #1
  LOADK r9 #1
  LOADK r10 #1
  LOADK r11 #1
  LOADK r12 #1
  CALL r2 11 2
  GETGLOBAL r3 "getlasterror"
  CALL r3 1 0
  CALL r0 0 2
.lineno 53
  GETGLOBAL r0 "playsample"
  LOADK r1 #1
  NEWTABLE r2 0 4
  LOADK r3 #255
  SETTABLE r2 "pitch" r3
  CALL r0 3 2
.lineno 54
  GETGLOBAL r0 "debugprint"
  LOADK r1 "pitch 255"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 2
.lineno 55
  LOADK r20 #1
  LOADK r21 #10
  LOADK r22 #1
  SUB r20 r20 r22
  JMP @L1
L2:
  SETGLOBAL r20 "i"
.lineno 56
  GETGLOBAL r27 "playsample"
  LOADK r28 #1
  LOADK r29 #1
  LOADK r30 #99
  LOADK r31 #1
  CALL r27 5 2
.lineno 57
L1:
  FORLOOP r20 @L2
.lineno 58
  GETGLOBAL r0 "debugprint"
  LOADK r1 "missing second"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 2
  GETGLOBAL r3 "issampleplaying"
  LOADK r4 #1
  CALL r3 2 0
  CALL r0 0 2
.lineno 59
  GETGLOBAL r0 "playsample"
  LOADK r1 #1
  NEWTABLE r2 0 4
  LOADK r3 #0
  SETTABLE r2 "time" r3
  CALL r0 3 2
.lineno 60
  GETGLOBAL r0 "debugprint"
  LOADK r1 "time 0"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 2
.lineno 61
  GETGLOBAL r0 "playsample"
  LOADK r1 #1
  LOADK r2 #1
  LOADK r3 #2
  LOADK r4 #1
  LOADK r5 #4
  LOADK r6 #1
  LOADK r7 #5
  LOADK r8 #1
  CALL r0 9 2
.lineno 62
  GETGLOBAL r0 "debugprint"
  LOADK r1 "four"
  GETGLOBAL r2 "getlasterror"
  CALL r2 1 0
  CALL r0 0 2
.lineno 63
  GETGLOBAL r0 "stopsample"
  LOADK r1 #1
  CALL r0 2 2
.lineno 64
  GETGLOBAL r0 "stopsample"
  LOADK r1 #2
  CALL r0 2 2
.lineno 65
  GETGLOBAL r0 "stopsample"
  LOADK r1 #4
  CALL r0 2 2
.lineno 66
  GETGLOBAL r0 "stopsample"
  LOADK r1 #5
  CALL r0 2 2
.lineno 67
  GETGLOBAL r0 "debugprint"
  LOADK r1 "stopped"
  GETGLOBAL r2 "issampleplaying"
  LOADK r3 #1
  CALL r2 2 2
  GETGLOBAL r3 "issampleplaying"
  LOADK r4 #5
  CALL r3 2 0
  CALL r0 0 2
.lineno 69
  GETGLOBAL r0 "copysample"
  LOADK r1 #1
  LOADK r2 #9
  CALL r0 3 2
.lineno 70
  GETGLOBAL r0 "copysample"
  LOADK r1 #1
  LOADNIL r2 r2
  CALL r0 3 2
  SETGLOBAL r0 "h"
.lineno 71
  GETGLOBAL r0 "debugprint"
  LOADK r1 "copy onto itself"
  GETGLOBAL r2 "copysample"
  LOADK r3 #1
  LOADK r4 #1
  CALL r2 3 2
  GETGLOBAL r3 "getlasterror"
  CALL r3 1 0
  CALL r0 0 2
.lineno 72
  GETGLOBAL r0 "freesample"
  LOADK r1 #1
  CALL r0 2 2
.lineno 73
  GETGLOBAL r0 "show"
  LOADK r1 #9
  CALL r0 2 2
.lineno 74
  GETGLOBAL r0 "show"
  GETGLOBAL r1 "h"
  CALL r0 2 2
.lineno 75
  GETGLOBAL r0 "freesample"
  GETGLOBAL r1 "h"
  CALL r0 2 2
.lineno 76
  GETGLOBAL r0 "debugprint"
  LOADK r1 "freed"
  GETGLOBAL r2 "getattribute"
  LOADK r3 #2
  LOADK r4 #1
  LOADK r5 #11
  CALL r2 4 2
  GETGLOBAL r3 "getlasterror"
  CALL r3 1 2
  GETGLOBAL r4 "getattribute"
  LOADK r5 #2
  LOADK r6 #0
  LOADK r7 #60
  CALL r4 4 0
  CALL r0 0 2
  RETURN r0 1
.function
  .params 1
  .maxstack 8
.lineno 3
  GETGLOBAL r1 "getsampledata"
  MOVE r2 r0
  CALL r1 2 2
  SETGLOBAL r1 "t"
.lineno 4
  GETGLOBAL r1 "debugprint"
  GETGLOBAL r2 "getattribute"
  LOADK r3 #2
  MOVE r4 r0
  LOADK r5 #11
  CALL r2 4 2
  GETGLOBAL r3 "getattribute"
  LOADK r4 #2
  MOVE r5 r0
  LOADK r6 #9
  CALL r3 4 2
  GETGLOBAL r4 "t"
  LOADK r5 #0
  GETTABLE r4 r4 r5
  GETGLOBAL r5 "t"
  LOADK r6 #1
  GETTABLE r5 r5 r6
  CALL r1 5 2
.lineno 5
  RETURN r0 1
.end
