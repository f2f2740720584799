; Eight files loaded whole, mixed into one 16-bit stereo sample as long as the first and saved:
; the player's side of bench_mixsample.
; for i = 1, 8 do
;   call LoadSample(i, "in" .. i .. ".wav")
; end
; call MixSample(9, GetAttribute(2, 1, 11), 44100, 3, 1, {}, 2, {}, 3, {}, 4, {}, 5, {}, 6, {}, 7, {}, 8, {})
; call SaveSample(9, "ours.wav")
.source "@mix_eight.q"
  .maxstack 32
.lineno 1
  LOADK r20 #1
  LOADK r21 #8
  LOADK r22 #1
  SUB r20 r20 r22
  JMP @L1
L2:
  SETGLOBAL r20 "i"
.lineno 2
  GETGLOBAL r27 "loadsample"
  GETGLOBAL r28 "i"
  LOADK r29 "in"
  GETGLOBAL r30 "i"
  CONCAT r29 r29 r30
  LOADK r30 ".wav"
  CONCAT r29 r29 r30
  CALL r27 3 2
.lineno 3
L1:
  FORLOOP r20 @L2
.lineno 4
  GETGLOBAL r0 "mixsample"
  LOADK r1 #9
  GETGLOBAL r2 "getattribute"
  LOADK r3 #2
  LOADK r4 #1
  LOADK r5 #11
  CALL r2 4 2
  LOADK r3 #44100
  LOADK r4 #3
  LOADK r5 #1
  NEWTABLE r6 0 4
  LOADK r7 #2
  NEWTABLE r8 0 4
  LOADK r9 #3
  NEWTABLE r10 0 4
  LOADK r11 #4
  NEWTABLE r12 0 4
  LOADK r13 #5
  NEWTABLE r14 0 4
  LOADK r15 #6
  NEWTABLE r16 0 4
  LOADK r17 #7
  NEWTABLE r18 0 4
  LOADK r19 #8
  NEWTABLE r20 0 4
  CALL r0 21 2
.lineno 5
  GETGLOBAL r0 "savesample"
  LOADK r1 #9
  LOADK r2 "ours.wav"
  CALL r0 3 2
  RETURN r0 1
