; The network example: a server on a port the system picks, a client of its own, and messages that
; go to the server and come back, each line of the exchange shown in the window. Nothing leaves
; this machine (127.0.0.1). It ends a few seconds after the last echo, or at once on a key, a
; click or the close button. With QM_EXAMPLE_SNAPSHOT set it saves a snapshot of its window there as
; PNG before it ends.
.meta title "Quillmere network"
.declare display 1 title="Quillmere network" width=640 height=480
; function say(text, colour)
;   call SetFontColor(colour)
;   call TextOut(40, row, text)
;   row = row + 27
; end
; -- The server sends back whatever a connection sends it. The client has an automatic id (a handle,
; -- as the connections that the server accepts have), so that the ids compare.
; function onconnect(msg)
;   call say("server: a client connected", $F0C020)
; end
; function onreceive(msg)
;   data = ReceiveData(msg.id, 0, false)
;   if msg.id == client then
;     call say("client: the echo is \"" .. data .. "\"", $80E0FF)
;     echoes = echoes + 1
;     wait = 40
;     if echoes == 3 then
;       call say("all three came back; the example ends in a moment", $FFFFFF)
;       wait = 180
;     end
;   else
;     call say("server: got \"" .. data .. "\", sending it back", $F0C020)
;     call SendData(msg.id, data)
;   end
; end
; function quit(msg)
;   done = 1
; end
; call CreateGradientBGPic(1, 2, $101828, $2C4470, 640, 480, 0)
; call DisplayBGPic(1)
; call SetFont("Bitstream Vera Sans", 30)
; call SetFontStyle(16)
; call SetFontStyle(32, $80000000, 3, 9)
; call SetFontColor($FFFFFF)
; call TextOut(40, 30, "A loopback echo")
; call SetFontStyle(1)
; call SetFont("Bitstream Vera Sans", 14)
; call SetFontStyle(16)
; call SetFontColor($A0A8C0)
; call TextOut(40, 450, "Press a key or click to end")
; call SetFont("Bitstream Vera Sans", 18)
; call SetFontStyle(16)
; row = 90
; call InstallEventHandler({onkeydown = quit, onmouseup = quit, onconnect = onconnect, onreceivedata = onreceive})
; call CreateServer(1, 0, "127.0.0.1")
; port = GetLocalPort(1, 115)
; call say("server: listening on 127.0.0.1, port " .. port, $F0C020)
; client = OpenConnection(nil, "127.0.0.1", port)
; call say("client: connected to port " .. port, $80E0FF)
; messages = {"Hello, server!", "Is anybody out there?", "Goodbye."}
; sent = 0
; echoes = 0
; wait = 20
; done = 0
; while done == 0 do
;   call CheckEvent()
;   call VWait()
;   if echoes == sent then
;     wait = wait - 1
;     if wait == 0 then
;       if sent == 3 then
;         done = 1
;       else
;         call say("client: sending \"" .. messages[sent] .. "\"", $80E0FF)
;         call SendData(client, messages[sent])
;         sent = sent + 1
;       end
;     end
;   end
; end
; call CloseConnection(client)
; call CloseServer(1)
; snap = GetEnv("QM_EXAMPLE_SNAPSHOT")
; if snap ~= "" then
;   call SaveSnapshot(snap, 0, 1)
; end
.source "@net.q"
  .maxstack 9
.lineno 1
  CLOSURE r0 f0
  SETGLOBAL r0 "say"
.lineno 8
  CLOSURE r0 f1
  SETGLOBAL r0 "onconnect"
.lineno 11
  CLOSURE r0 f2
  SETGLOBAL r0 "onreceive"
.lineno 26
  CLOSURE r0 f3
  SETGLOBAL r0 "quit"
.lineno 29
  GETGLOBAL r0 "creategradientbgpic"
  LOADK r1 #1
  LOADK r2 #2
  LOADK r3 #1054760
  LOADK r4 #2901104
  LOADK r5 #640
  LOADK r6 #480
  LOADK r7 #0
  CALL r0 8 2
.lineno 30
  GETGLOBAL r0 "displaybgpic"
  LOADK r1 #1
  CALL r0 2 2
.lineno 31
  GETGLOBAL r0 "setfont"
  LOADK r1 "Bitstream Vera Sans"
  LOADK r2 #30
  CALL r0 3 2
.lineno 32
  GETGLOBAL r0 "setfontstyle"
  LOADK r1 #16
  CALL r0 2 2
.lineno 33
  GETGLOBAL r0 "setfontstyle"
  LOADK r1 #32
  LOADK r2 #2147483648
  LOADK r3 #3
  LOADK r4 #9
  CALL r0 5 2
.lineno 34
  GETGLOBAL r0 "setfontcolor"
  LOADK r1 #16777215
  CALL r0 2 2
.lineno 35
  GETGLOBAL r0 "textout"
  LOADK r1 #40
  LOADK r2 #30
  LOADK r3 "A loopback echo"
  CALL r0 4 2
.lineno 36
  GETGLOBAL r0 "setfontstyle"
  LOADK r1 #1
  CALL r0 2 2
.lineno 37
  GETGLOBAL r0 "setfont"
  LOADK r1 "Bitstream Vera Sans"
  LOADK r2 #14
  CALL r0 3 2
.lineno 38
  GETGLOBAL r0 "setfontstyle"
  LOADK r1 #16
  CALL r0 2 2
.lineno 39
  GETGLOBAL r0 "setfontcolor"
  LOADK r1 #10528960
  CALL r0 2 2
.lineno 40
  GETGLOBAL r0 "textout"
  LOADK r1 #40
  LOADK r2 #450
  LOADK r3 "Press a key or click to end"
  CALL r0 4 2
.lineno 41
  GETGLOBAL r0 "setfont"
  LOADK r1 "Bitstream Vera Sans"
  LOADK r2 #18
  CALL r0 3 2
.lineno 42
  GETGLOBAL r0 "setfontstyle"
  LOADK r1 #16
  CALL r0 2 2
.lineno 43
  LOADK r0 #90
  SETGLOBAL r0 "row"
.lineno 44
  GETGLOBAL r0 "installeventhandler"
  NEWTABLE r1 0 4
  GETGLOBAL r2 "quit"
  SETTABLE r1 "onkeydown" r2
  GETGLOBAL r2 "quit"
  SETTABLE r1 "onmouseup" r2
  GETGLOBAL r2 "onconnect"
  SETTABLE r1 "onconnect" r2
  GETGLOBAL r2 "onreceive"
  SETTABLE r1 "onreceivedata" r2
  CALL r0 2 2
.lineno 45
  GETGLOBAL r0 "createserver"
  LOADK r1 #1
  LOADK r2 #0
  LOADK r3 "127.0.0.1"
  CALL r0 4 2
.lineno 46
  GETGLOBAL r0 "getlocalport"
  LOADK r1 #1
  LOADK r2 #115
  CALL r0 3 2
  SETGLOBAL r0 "port"
.lineno 47
  GETGLOBAL r0 "say"
  LOADK r1 "server: listening on 127.0.0.1, port "
  GETGLOBAL r2 "port"
  CONCAT r1 r1 r2
  LOADK r2 #15777824
  CALL r0 3 2
.lineno 48
  GETGLOBAL r0 "openconnection"
  LOADNIL r1 r1
  LOADK r2 "127.0.0.1"
  GETGLOBAL r3 "port"
  CALL r0 4 2
  SETGLOBAL r0 "client"
.lineno 49
  GETGLOBAL r0 "say"
  LOADK r1 "client: connected to port "
  GETGLOBAL r2 "port"
  CONCAT r1 r1 r2
  LOADK r2 #8446207
  CALL r0 3 2
.lineno 50
  NEWTABLE r0 0 4
  LOADK r1 "Hello, server!"
  SETTABLE r0 #0 r1
  LOADK r1 "Is anybody out there?"
  SETTABLE r0 #1 r1
  LOADK r1 "Goodbye."
  SETTABLE r0 #2 r1
  SETGLOBAL r0 "messages"
.lineno 51
  LOADK r0 #0
  SETGLOBAL r0 "sent"
.lineno 52
  LOADK r0 #0
  SETGLOBAL r0 "echoes"
.lineno 53
  LOADK r0 #20
  SETGLOBAL r0 "wait"
.lineno 54
  LOADK r0 #0
  SETGLOBAL r0 "done"
.lineno 55
L6:
  GETGLOBAL r0 "done"
  LOADK r1 #0
  EQ 0 r0 r1
  JMP @L7
.lineno 56
  GETGLOBAL r0 "checkevent"
  CALL r0 1 2
.lineno 57
  GETGLOBAL r0 "vwait"
  CALL r0 1 2
.lineno 58
  GETGLOBAL r0 "echoes"
  GETGLOBAL r1 "sent"
  EQ 0 r0 r1
  JMP @L9
.lineno 59
  GETGLOBAL r0 "wait"
  LOADK r1 #1
  SUB r0 r0 r1
  SETGLOBAL r0 "wait"
.lineno 60
  GETGLOBAL r0 "wait"
  LOADK r1 #0
  EQ 0 r0 r1
  JMP @L11
.lineno 61
  GETGLOBAL r0 "sent"
  LOADK r1 #3
  EQ 0 r0 r1
  JMP @L13
.lineno 62
  LOADK r0 #1
  SETGLOBAL r0 "done"
.lineno 63
  JMP @L14
L13:
.lineno 64
  GETGLOBAL r0 "say"
  LOADK r1 "client: sending \""
  GETGLOBAL r2 "messages"
  GETGLOBAL r3 "sent"
  GETTABLE r2 r2 r3
  CONCAT r1 r1 r2
  LOADK r2 "\""
  CONCAT r1 r1 r2
  LOADK r2 #8446207
  CALL r0 3 2
.lineno 65
  GETGLOBAL r0 "senddata"
  GETGLOBAL r1 "client"
  GETGLOBAL r2 "messages"
  GETGLOBAL r3 "sent"
  GETTABLE r2 r2 r3
  CALL r0 3 2
.lineno 66
  GETGLOBAL r0 "sent"
  LOADK r1 #1
  ADD r0 r0 r1
  SETGLOBAL r0 "sent"
.lineno 67
L14:
.lineno 68
L11:
.lineno 69
L9:
.lineno 70
  JMP @L6
L7:
.lineno 71
  GETGLOBAL r0 "closeconnection"
  GETGLOBAL r1 "client"
  CALL r0 2 2
.lineno 72
  GETGLOBAL r0 "closeserver"
  LOADK r1 #1
  CALL r0 2 2
.lineno 73
  GETGLOBAL r0 "getenv"
  LOADK r1 "QM_EXAMPLE_SNAPSHOT"
  CALL r0 2 2
  SETGLOBAL r0 "snap"
.lineno 74
  GETGLOBAL r0 "snap"
  LOADK r1 ""
  EQ 1 r0 r1
  JMP @L16
.lineno 75
  GETGLOBAL r0 "savesnapshot"
  GETGLOBAL r1 "snap"
  LOADK r2 #0
  LOADK r3 #1
  CALL r0 4 2
.lineno 76
L16:
  RETURN r0 1
.function
  .params 2
  .maxstack 8
.lineno 2
  GETGLOBAL r2 "setfontcolor"
  MOVE r3 r1
  CALL r2 2 2
.lineno 3
  GETGLOBAL r2 "textout"
  LOADK r3 #40
  GETGLOBAL r4 "row"
  MOVE r5 r0
  CALL r2 4 2
.lineno 4
  GETGLOBAL r2 "row"
  LOADK r3 #27
  ADD r2 r2 r3
  SETGLOBAL r2 "row"
.lineno 5
  RETURN r0 1
.end
.function
  .params 1
  .maxstack 8
.lineno 9
  GETGLOBAL r1 "say"
  LOADK r2 "server: a client connected"
  LOADK r3 #15777824
  CALL r1 3 2
.lineno 10
  RETURN r0 1
.end
.function
  .params 1
  .maxstack 8
.lineno 12
  GETGLOBAL r1 "receivedata"
  MOVE r2 r0
  GETTABLE r2 r2 "id"
  LOADK r3 #0
  LOADBOOL r4 0 0
  CALL r1 4 2
  SETGLOBAL r1 "data"
.lineno 13
  MOVE r1 r0
  GETTABLE r1 r1 "id"
  GETGLOBAL r2 "client"
  EQ 0 r1 r2
  JMP @L2
.lineno 14
  GETGLOBAL r1 "say"
  LOADK r2 "client: the echo is \""
  GETGLOBAL r3 "data"
  CONCAT r2 r2 r3
  LOADK r3 "\""
  CONCAT r2 r2 r3
  LOADK r3 #8446207
  CALL r1 3 2
.lineno 15
  GETGLOBAL r1 "echoes"
  LOADK r2 #1
  ADD r1 r1 r2
  SETGLOBAL r1 "echoes"
.lineno 16
  LOADK r1 #40
  SETGLOBAL r1 "wait"
.lineno 17
  GETGLOBAL r1 "echoes"
  LOADK r2 #3
  EQ 0 r1 r2
  JMP @L4
.lineno 18
  GETGLOBAL r1 "say"
  LOADK r2 "all three came back; the example ends in a moment"
  LOADK r3 #16777215
  CALL r1 3 2
.lineno 19
  LOADK r1 #180
  SETGLOBAL r1 "wait"
.lineno 20
L4:
.lineno 21
  JMP @L5
L2:
.lineno 22
  GETGLOBAL r1 "say"
  LOADK r2 "server: got \""
  GETGLOBAL r3 "data"
  CONCAT r2 r2 r3
  LOADK r3 "\", sending it back"
  CONCAT r2 r2 r3
  LOADK r3 #15777824
  CALL r1 3 2
.lineno 23
  GETGLOBAL r1 "senddata"
  MOVE r2 r0
  GETTABLE r2 r2 "id"
  GETGLOBAL r3 "data"
  CALL r1 3 2
.lineno 24
L5:
.lineno 25
  RETURN r0 1
.end
.function
  .params 1
  .maxstack 8
.lineno 27
  LOADK r1 #1
  SETGLOBAL r1 "done"
.lineno 28
  RETURN r0 1
.end
