local keys = {}
for i = 1, 1000 do keys[i] = "key" .. i end
local t = {}
for i = 1, 1000 do t[keys[i]] = i end
local s = 0
for r = 1, 10000 do
  for i = 1, 1000 do
    local k = keys[i]
    t[k] = t[k] + 1
    s = s + t[k]
  end
end
assert(t["key1000"] == 11000 and s == 55010000000)
