local Point = {}
Point.__index = Point
function Point.new(x, y) return setmetatable({x = x, y = y}, Point) end
function Point:move(dx, dy) self.x = self.x + dx self.y = self.y + dy return self end
local p = Point.new(0, 0)
for i = 1, 5000000 do p:move(1, 2) end
assert(p.x == 5000000 and p.y == 10000000)
