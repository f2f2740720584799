; label: events
; MakeButton with the number of an existing button replaces it and lets go of the old one's
; callbacks and user data. Each of 50 rounds remakes simple button 1 and layer button 2 (on its
; own layer, which must not count as bound) with a new closure and a new user-data table, both
; also kept in a table with weak values; after a collection only the last round's are left. The
; last button answers a click; each DeleteButton lets go of what only it held.
; function alive(label)
;   call CollectGarbage()
;   for k = 1, 100 do
;     if RawGet(seen, k) ~= nil then
;       print label, k
;     end
;   end
; end
; call CreateBrush(1, 4, 4, $FF0000)
; call EnableLayers()
; call DisplayBrush(1, 100, 100)
; seen = SetMetaTable({}, {__mode = "v"})
; for i = 1, 50 do
;   function cb(msg)
;     print msg.action, msg.id, msg.userdata.n
;     done = 1
;   end
;   ud = {n = i}
;   seen[i] = cb
;   seen[50 + i] = ud
;   call MakeButton(1, 0, 10, 10, 20, 20, {onmousedown = cb}, ud)
;   call MakeButton(2, 1, 1, false, false, {onmouseup = cb}, ud)
; end
; cb = nil
; ud = nil
; call alive("replaced")
; done = 0
; while done == 0 do
;   call WaitEvent()
; end
; call DeleteButton(1)
; call alive("one deleted")
; call DeleteButton(2)
; call alive("both deleted")
; print "end"
.source "@event_button_refs.q"
  .maxstack 37
.lineno 1
  CLOSURE r0 f0
  SETGLOBAL r0 "alive"
.lineno 9
  GETGLOBAL r0 "createbrush"
  LOADK r1 #1
  LOADK r2 #4
  LOADK r3 #4
  LOADK r4 #16711680
  CALL r0 5 2
.lineno 10
  GETGLOBAL r0 "enablelayers"
  CALL r0 1 2
.lineno 11
  GETGLOBAL r0 "displaybrush"
  LOADK r1 #1
  LOADK r2 #100
  LOADK r3 #100
  CALL r0 4 2
.lineno 12
  GETGLOBAL r0 "setmetatable"
  NEWTABLE r1 0 4
  NEWTABLE r2 0 4
  LOADK r3 "v"
  SETTABLE r2 "__mode" r3
  CALL r0 3 2
  SETGLOBAL r0 "seen"
.lineno 13
  LOADK r20 #1
  LOADK r21 #50
  LOADK r22 #1
  SUB r20 r20 r22
  JMP @L5
L6:
  SETGLOBAL r20 "i"
.lineno 14
  CLOSURE r27 f1
  SETGLOBAL r27 "cb"
.lineno 18
  NEWTABLE r27 0 4
  GETGLOBAL r28 "i"
  SETTABLE r27 "n" r28
  SETGLOBAL r27 "ud"
.lineno 19
  GETGLOBAL r27 "seen"
  GETGLOBAL r28 "i"
  GETGLOBAL r29 "cb"
  SETTABLE r27 r28 r29
.lineno 20
  GETGLOBAL r27 "seen"
  LOADK r28 #50
  GETGLOBAL r29 "i"
  ADD r28 r28 r29
  GETGLOBAL r29 "ud"
  SETTABLE r27 r28 r29
.lineno 21
  GETGLOBAL r27 "makebutton"
  LOADK r28 #1
  LOADK r29 #0
  LOADK r30 #10
  LOADK r31 #10
  LOADK r32 #20
  LOADK r33 #20
  NEWTABLE r34 0 4
  GETGLOBAL r35 "cb"
  SETTABLE r34 "onmousedown" r35
  GETGLOBAL r35 "ud"
  CALL r27 9 2
.lineno 22
  GETGLOBAL r27 "makebutton"
  LOADK r28 #2
  LOADK r29 #1
  LOADK r30 #1
  LOADBOOL r31 0 0
  LOADBOOL r32 0 0
  NEWTABLE r33 0 4
  GETGLOBAL r34 "cb"
  SETTABLE r33 "onmouseup" r34
  GETGLOBAL r34 "ud"
  CALL r27 8 2
.lineno 23
L5:
  FORLOOP r20 @L6
.lineno 24
  LOADNIL r0 r0
  SETGLOBAL r0 "cb"
.lineno 25
  LOADNIL r0 r0
  SETGLOBAL r0 "ud"
.lineno 26
  GETGLOBAL r0 "alive"
  LOADK r1 "replaced"
  CALL r0 2 2
.lineno 27
  LOADK r0 #0
  SETGLOBAL r0 "done"
.lineno 28
L7:
  GETGLOBAL r0 "done"
  LOADK r1 #0
  EQ 0 r0 r1
  JMP @L8
.lineno 29
  GETGLOBAL r0 "waitevent"
  CALL r0 1 2
.lineno 30
  JMP @L7
L8:
.lineno 31
  GETGLOBAL r0 "deletebutton"
  LOADK r1 #1
  CALL r0 2 2
.lineno 32
  GETGLOBAL r0 "alive"
  LOADK r1 "one deleted"
  CALL r0 2 2
.lineno 33
  GETGLOBAL r0 "deletebutton"
  LOADK r1 #2
  CALL r0 2 2
.lineno 34
  GETGLOBAL r0 "alive"
  LOADK r1 "both deleted"
  CALL r0 2 2
.lineno 35
  GETGLOBAL r0 "debugprint"
  LOADK r1 "end"
  CALL r0 2 2
  RETURN r0 1
.function
  .params 1
  .maxstack 31
.lineno 2
  GETGLOBAL r1 "collectgarbage"
  CALL r1 1 2
.lineno 3
  LOADK r20 #1
  LOADK r21 #100
  LOADK r22 #1
  SUB r20 r20 r22
  JMP @L1
L2:
  SETGLOBAL r20 "k"
.lineno 4
  GETGLOBAL r27 "rawget"
  GETGLOBAL r28 "seen"
  GETGLOBAL r29 "k"
  CALL r27 3 2
  LOADNIL r28 r28
  EQ 1 r27 r28
  JMP @L4
.lineno 5
  GETGLOBAL r27 "debugprint"
  MOVE r28 r0
  GETGLOBAL r29 "k"
  CALL r27 3 2
.lineno 6
L4:
.lineno 7
L1:
  FORLOOP r20 @L2
.lineno 8
  RETURN r0 1
.end
.function
  .params 1
  .maxstack 32
.lineno 15
  GETGLOBAL r27 "debugprint"
  MOVE r28 r0
  GETTABLE r28 r28 "action"
  MOVE r29 r0
  GETTABLE r29 r29 "id"
  MOVE r30 r0
  GETTABLE r30 r30 "userdata"
  GETTABLE r30 r30 "n"
  CALL r27 4 2
.lineno 16
  LOADK r27 #1
  SETGLOBAL r27 "done"
.lineno 17
  RETURN r0 1
.end
