function fib(n) if n < 2 then return n end return fib(n - 1) + fib(n - 2) end
local s = 0
for n = 30, 32 do s = s + fib(n) end
assert(s == 4356618)
