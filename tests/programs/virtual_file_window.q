# A virtual file's window is clamped to its host file: a window of 2^53 bytes from offset 3 of a
# 16-byte file holds the 13 bytes that are there.
set v = DefineVirtualFile("host.bin", 3, 9007199254740992, "p")
print "size", FileSize(v)
print "read", FileToString(v)
set w = DefineVirtualFile("host.bin", 40, 100, "q")
print "past the end", FileSize(w), FileToString(w)
