; Nothing: measures start-up and exit.
.source "@empty"
.maxstack 2
  RETURN r0 1
