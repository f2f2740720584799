; DebugPrint writes the player's Latin-1 text as UTF-8 at the terminal.
; DebugPrint("Gr��e", "caf�", Chr(255))
.maxstack 6
  GETGLOBAL r0 "debugprint"
  LOADK r1 "Gr\xfc\xdfe"
  LOADK r2 "caf\xe9"
  GETGLOBAL r3 "chr"
  LOADK r4 #255
  CALL r3 2 2
  CALL r0 4 1
  RETURN r0 1
