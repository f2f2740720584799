local n = 500000
local t = {}
for i = 1, n do t[i] = "x" .. i .. "y" end
local len = 0
for i = 1, n do len = len + #t[i] end
assert(len == 3888895)
