; label: vecgfx.listing
; The plug-in listing names the cairo plug-in beside the player, with capability 32.
; call ExitOnError(false)
.source "@vecgfx_listing.q"
  .maxstack 4
.lineno 3
  GETGLOBAL r0 "exitonerror"
  LOADBOOL r1 0 0
  CALL r0 2 2
  RETURN r0 1
