local n = 1000000
local t = {}
for i = 1, n do t[i] = i end
for r = 1, 20 do
  for i = 1, n do t[i] = t[i] + r end
end
assert(t[n] == n + 210 and t[1] == 211)
