local i, s = 0, 0
while i < 50000000 do
  i = i + 1
  s = s + i
end
assert(s == 1250000025000000)
