local function counter() local c = 0 return function() c = c + 1 return c end end
local s = 0
for i = 1, 2000000 do local f = counter() f() f() s = s + f() end
assert(s == 6000000)
