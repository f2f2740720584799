#!/usr/bin/env python3
# qgen.py IN.q > OUT.qasm: a small test helper that turns a few lines of script into the assembler
# text of tools/qmasm, so that program tests can be written as script and kept readable. It knows
# only what the tests need: statements `call E`, `print E, ...` (DebugPrint), `NAME = E`,
# `if A OP B then` / `else` / `end`, `while A OP B do` / `end` (or a truth test `[not] E`), `for NAME = A, B do` / `end`,
# `function NAME(p, ...)` / `end`, `return E, ...`; expressions: numbers (also $hex), "text", nil,
# true, false, globals, parameters, calls, `a.b` and `a[E]` (also as targets of `=`), tables
# `{k = E, E, ...}` (list entries from index 0) and + - * / .. left to right. The script's lines become the program's header comment
# and its line numbers.
import re
import sys

TOKEN = re.compile(r'\s*(?:(\$[0-9A-Fa-f]+|\d+\.?\d*)|("(?:[^"\\]|\\.)*")|([A-Za-z_#][A-Za-z_0-9]*)|(==|~=|<=|>=|\.\.|[-+*/(){},.=<>\[\]]))')


def tokens(text):
    out, pos = [], 0
    text = text.rstrip()
    while pos < len(text):
        m = TOKEN.match(text, pos)
        if not m:
            raise SystemExit(f"cannot read: {text[pos:]}")
        pos = m.end()
        num, s, name, op = m.groups()
        if num is not None:
            out.append(('num', str(int(num[1:], 16)) if num.startswith('$') else num))
        elif s is not None:
            out.append(('str', s))
        elif name is not None:
            out.append(('name', name))
        elif op is not None:
            out.append(('op', op))
    return out


class Func:
    count = 0

    def __init__(self, params):
        self.params = params
        self.code = []
        self.children = []
        self.maxreg = len(params) + 2

    def emit(self, line):
        self.code.append('  ' + line)

    def label(self):
        Func.count += 1
        return f"L{Func.count}"


class Expr:
    def __init__(self, f, toks):
        self.f, self.t, self.i = f, toks, 0

    def peek(self):
        return self.t[self.i] if self.i < len(self.t) else (None, None)

    def take(self, value=None):
        tok = self.peek()
        if value is not None and tok[1] != value:
            raise SystemExit(f"expected {value}, got {tok}")
        self.i += 1
        return tok

    def reg(self, r):
        self.f.maxreg = max(self.f.maxreg, r + 2)
        return f"r{r}"

    # Compiles an expression into register r; multret leaves a last call open (C = 0).
    def expr(self, r, multret=False):
        self.primary(r, multret)
        while self.peek()[1] in ('+', '-', '*', '/', '..'):
            op = {'+': 'ADD', '-': 'SUB', '*': 'MUL', '/': 'DIV', '..': 'CONCAT'}[self.take()[1]]
            self.primary(r + 1)
            self.f.emit(f"{op} {self.reg(r)} {self.reg(r)} {self.reg(r + 1)}")
            self.last_call = False
        return r

    def primary(self, r, multret=False):
        kind, v = self.take()
        self.last_call = False
        if kind == 'op' and v == '-':
            k2, v2 = self.take()
            self.f.emit(f"LOADK {self.reg(r)} #-{v2}")
        elif kind == 'num':
            self.f.emit(f"LOADK {self.reg(r)} #{v}")
        elif kind == 'str':
            self.f.emit(f"LOADK {self.reg(r)} {v}")
        elif kind == 'name' and v in ('nil', 'Nil'):
            self.f.emit(f"LOADNIL {self.reg(r)} {self.reg(r)}")
        elif kind == 'name' and v in ('true', 'false', 'True', 'False'):
            self.f.emit(f"LOADBOOL {self.reg(r)} {1 if v.lower() == 'true' else 0} 0")
        elif kind == 'name':
            if v in self.f.params:
                self.f.emit(f"MOVE {self.reg(r)} r{self.f.params.index(v)}")
            else:
                self.f.emit(f"GETGLOBAL {self.reg(r)} \"{v.lower()}\"")
        elif kind == 'op' and v == '{':
            self.f.emit(f"NEWTABLE {self.reg(r)} 0 4")
            index = 0
            while self.peek()[1] != '}':
                keyed = self.i + 1 < len(self.t) and self.t[self.i + 1][1] == '='
                if keyed:
                    key = f'"{self.take()[1]}"'
                    self.take('=')
                else:  # a list entry, numbered from 0
                    key, index = f"#{index}", index + 1
                self.expr(r + 1)
                self.f.emit(f"SETTABLE {self.reg(r)} {key} {self.reg(r + 1)}")
                if self.peek()[1] == ',':
                    self.take()
            self.take('}')
        elif kind == 'op' and v == '(':
            self.expr(r)
            self.take(')')
        else:
            raise SystemExit(f"unexpected {v}")
        while self.peek()[1] in ('(', '.', '['):
            t = self.take()[1]
            if t == '.':
                self.f.emit(f"GETTABLE {self.reg(r)} {self.reg(r)} \"{self.take()[1]}\"")
                continue
            if t == '[':
                self.expr(r + 1)
                self.take(']')
                self.f.emit(f"GETTABLE {self.reg(r)} {self.reg(r)} {self.reg(r + 1)}")
                continue
            n, open_last = 0, False
            while self.peek()[1] != ')':
                self.expr(r + 1 + n, multret=True)
                open_last = self.last_call
                n += 1
                if self.peek()[1] == ',':
                    self.take()
                    if open_last:  # a call that is not last gives one result
                        self.f.code[-1] = self.f.code[-1].rsplit(' ', 1)[0] + ' 2'
                        open_last = False
            self.take(')')
            b = 0 if open_last else n + 1
            self.f.emit(f"CALL {self.reg(r)} {b} {0 if multret else 2}")
            self.last_call = multret


def compile_lines(lines):
    main = Func([])
    stack = [('func', main, None)]
    comments = []
    for no, raw in enumerate(lines, 1):
        line = raw.split('--')[0].strip()
        comments.append('; ' + raw.rstrip())
        if not line:
            continue
        f = stack[-1][1]
        # Statements work above the parameters, and inside a for loop above the loop's registers: a
        # call's registers must be the highest live ones, since the collector clears the cells above
        # the top while a command runs.
        loops = sum(1 for s in stack if s[0] == 'for')
        b0 = 24 + 3 * loops if loops else len(f.params)
        f.code.append(f".lineno {no}")
        m = re.match(r'function (\w+)\((.*)\)$', line)
        if m:
            params = [p.strip() for p in m.group(2).split(',') if p.strip()]
            child = Func(params)
            f.children.append(child)
            f.emit(f"CLOSURE r{b0} f{len(f.children) - 1}")
            f.emit(f"SETGLOBAL r{b0} \"{m.group(1).lower()}\"")
            stack.append(('func', child, None))
            continue
        m = re.match(r'(if|while) (.+) (then|do)$', line)
        if m:
            top = f.label()
            if m.group(1) == 'while':
                f.code.append(f"{top}:")
            cond = m.group(2)
            negate = cond.startswith('not ')
            e = Expr(f, tokens(cond[4:] if negate else cond))
            e.expr(b0)
            done = f.label()
            if e.peek()[0] is None:  # a truth test: the body runs while the value is (not) true
                f.emit(f"TEST r{b0} r{b0} {1 if negate else 0}")
            else:
                op = e.take()[1]
                e.expr(b0 + 1)
                a, b = f'r{b0}', f'r{b0 + 1}'
                code = {'==': ('EQ', 0), '~=': ('EQ', 1), '<': ('LT', 0), '<=': ('LE', 0),
                        '>': ('LT', 0), '>=': ('LE', 0)}[op]
                if op in ('>', '>='):
                    a, b = b, a
                f.emit(f"{code[0]} {code[1]} {a} {b}")
            f.emit(f"JMP @{done}")
            stack.append((m.group(1), f, (top, done)))
            continue
        m = re.match(r'for (\w+) = (.+), (.+) do$', line)
        if m:
            base = 20 + 3 * sum(1 for s in stack if s[0] == 'for')
            Expr(f, tokens(m.group(2))).expr(base)
            Expr(f, tokens(m.group(3))).expr(base + 1)
            f.emit(f"LOADK r{base + 2} #1")
            f.emit(f"SUB r{base} r{base} r{base + 2}")
            test, body = f.label(), f.label()
            f.emit(f"JMP @{test}")
            f.code.append(f"{body}:")
            f.emit(f"SETGLOBAL r{base} \"{m.group(1).lower()}\"")
            f.maxreg = max(f.maxreg, base + 4)
            stack.append(('for', f, (test, body, base)))
            continue
        if line == 'else':
            kind, g, (top, done) = stack.pop()
            end = g.label()
            g.emit(f"JMP @{end}")
            g.code.append(f"{done}:")
            stack.append(('else', g, (top, end)))
            continue
        if line == 'end':
            kind, g, data = stack.pop()
            if kind == 'func':
                g.emit("RETURN r0 1")
            elif kind == 'while':
                g.emit(f"JMP @{data[0]}")
                g.code.append(f"{data[1]}:")
            elif kind in ('if', 'else'):
                g.code.append(f"{data[1]}:")
            elif kind == 'for':
                test, body, base = data
                g.code.append(f"{test}:")
                g.emit(f"FORLOOP r{base} @{body}")
            continue
        t = tokens(line)
        if t[0] == ('name', 'call'):
            Expr(f, t[1:]).expr(b0)
        elif t[0] == ('name', 'print'):
            e = Expr(f, [('name', 'DebugPrint'), ('op', '(')] + t[1:] + [('op', ')')])
            e.expr(b0)
        elif t[0] == ('name', 'return'):
            e = Expr(f, t[1:])
            n = 0
            while e.peek()[0] is not None:
                e.expr(b0 + n)
                n += 1
                if e.peek()[1] == ',':
                    e.take()
            f.emit(f"RETURN r{b0} {n + 1}")
        elif len(t) > 1 and t[1] == ('op', '='):
            Expr(f, t[2:]).expr(b0)
            if t[0][1] in f.params:
                f.emit(f"MOVE r{f.params.index(t[0][1])} r{b0}")
            else:
                f.emit(f"SETGLOBAL r{b0} \"{t[0][1].lower()}\"")
        elif ('op', '=') in t:
            # a.b = E or a[k] = E: the table, the key, the value, then SETTABLE.
            k = t.index(('op', '='))
            target = t[:k]
            if target[-1] == ('op', ']'):
                depth, j = 0, len(target) - 1
                while True:
                    if target[j] == ('op', ']'):
                        depth += 1
                    elif target[j] == ('op', '['):
                        depth -= 1
                        if depth == 0:
                            break
                    j -= 1
                obj, key = target[:j], target[j + 1:-1]
            else:
                obj, key = target[:-2], [('str', '"' + target[-1][1] + '"')]
            Expr(f, obj).expr(b0)
            Expr(f, key).expr(b0 + 1)
            Expr(f, t[k + 1:]).expr(b0 + 2)
            f.emit(f"SETTABLE r{b0} r{b0 + 1} r{b0 + 2}")
        else:
            raise SystemExit(f"line {no}: cannot compile {line}")
    return main, comments


def write(f, out, top):
    if not top:
        out.append('.function')
        out.append(f"  .params {len(f.params)}")
    out.append(f"  .maxstack {min(max(f.maxreg, 8), 250)}")
    out.extend(f.code)
    if top:
        out.append("  RETURN r0 1")
    for c in f.children:
        write(c, out, False)
    if not top:
        out.append('.end')


def main():
    src = sys.argv[1]
    lines = open(src, encoding='latin-1').read().splitlines()
    # Comment lines and directives (.meta, .declare) head the output as they stand.
    header = [l for l in lines if l.startswith((';', '.'))]
    body = [l for l in lines if not l.startswith((';', '.'))]
    prog, comments = compile_lines(body)
    out = header + [c for c in comments if c.strip() != ';'] + [f'.source "@{src.rsplit("/", 1)[-1]}"']
    write(prog, out, True)
    print('\n'.join(out))


main()
