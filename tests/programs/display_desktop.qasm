; label: display
; The program asks for the desktop display: display 1 takes the screen's size, a fixed borderless
; window, and its picture is the desktop (black on this screen) instead of its red fill.
; DebugPrint(GetAttribute(#DISPLAY, 0, #ATTRWIDTH), GetAttribute(#DISPLAY, 0, #ATTRHEIGHT), GetAttribute(#DISPLAY, 0, #ATTRBORDERLESS), GetAttribute(#DISPLAY, 0, #ATTRFIXED))
; SaveSnapshot("d.png", #SNAPDISPLAY, #IMGFMT_PNG)
.desktop
.declare display 1 title="Desktop" width=100 height=80 color=0xFF0000
.source "@display_desktop.qasm"
.maxstack 8
.lineno 1
  GETGLOBAL r0 "debugprint"
  GETGLOBAL r1 "getattribute"
  LOADK r2 #21
  LOADK r3 #0
  LOADK r4 #0
  CALL r1 4 2
  GETGLOBAL r2 "getattribute"
  LOADK r3 #21
  LOADK r4 #0
  LOADK r5 #1
  CALL r2 4 2
  GETGLOBAL r3 "getattribute"
  LOADK r4 #21
  LOADK r5 #0
  LOADK r6 #46
  CALL r3 4 2
  GETGLOBAL r4 "getattribute"
  LOADK r5 #21
  LOADK r6 #0
  LOADK r7 #47
  CALL r4 4 0
  CALL r0 0 1
.lineno 2
  GETGLOBAL r0 "savesnapshot"
  LOADK r1 "d.png"
  LOADK r2 #1
  LOADK r3 #1
  CALL r0 4 1
  RETURN r0 1
