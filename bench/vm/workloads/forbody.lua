local s = 0
for i = 1, 50000000 do
  s = s + i * 0.5 - 3
end
assert(s == 624999862500000)
