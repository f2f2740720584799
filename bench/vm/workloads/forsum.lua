local s = 0
for i = 1, 130000000 do
  s = s + i
end
assert(s == 8450000065000000)
