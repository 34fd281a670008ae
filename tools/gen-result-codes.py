#!/usr/bin/env python3
"""Generates engine/graphics/resultCodeNames_table.inc: the sorted table of
result codes and their symbolic names that getResultCodeName searches.

The names and values come from the MinGW-w64 Windows and DirectX headers
(Debian package mingw-w64-common). Each header is scanned for `#define NAME
expression` lines and `NAME = expression,` enumerators; the expressions are
expanded and evaluated here, so no Windows compiler is needed. Only the code
families that the engine's callers can meet are kept (see FAMILIES); later
DirectX components (DXGI, Direct3D 10/11, Direct2D) stay out and name as
"Unknown".

Usage: tools/gen-result-codes.py [include-dir] > engine/graphics/resultCodeNames_table.inc
"""
import re
import sys

INCLUDE = sys.argv[1] if len(sys.argv) > 1 else "/usr/share/mingw-w64/include"

# Scan order decides which name a code keeps when several headers (or one
# header) define it twice: the first definition wins. Direct3D 9 comes before
# DirectDraw so that shared codes carry their D3DERR_ names.
HEADERS = [
    "winerror.h",
    "d3d9.h",
    "d3dx9.h", "d3dx9xof.h",
    "ddraw.h", "dxfile.h",
    "dsound.h", "dmerror.h",
    "dinput.h", "dplay8.h",
    "vfwmsgs.h", "wbemcli.h",
    "xaudio2.h", "xapo.h", "xapofx.h", "xaudio2fx.h",
]

# Families kept, by the upper 16 bits of the code.
FAMILIES = {
    0x0000, 0x8007,
    0x8000, 0x8001, 0x8002, 0x8003, 0x8008,
    0x8004,
    0x8009, 0x800B,
    0x800F, 0x8010, 0x8011,
    0x8015, 0x0015,
    0x8876, 0x0876, 0xC877,
    0x8878, 0x0878,
    0x8896, 0x8897, 0x8AC7,
    0x0003, 0x0004, 0x0008, 0x0009, 0xC009,
}

# Outside winerror.h the DirectX headers define caps bits, flags and limits
# beside their codes, some of which look like codes (DDSCAPS_OPTIMIZED is
# 0x80000000, DPNCANCEL_PLAYER_SENDS_PRIORITY_HIGH 0x80010000). There only
# names of a result form are result codes: an error (..ERR_.., .._E_..), a
# success or information code (.._S_.., .._I_..) or a family's own success
# prefix.
RESULT_NAME = re.compile(r"ERR_|(^|_)[ESI]_|^(D3DOK|DS|DV|DPNSUCCESS)_")

# Win32 error codes are plain numbers in winerror.h; these prefixes name
# other small constants there (facilities, severities, masks), not errors.
WIN32_NON_ERRORS = ("FACILITY_", "SEVERITY_", "NOERROR", "SEC_E_OK")
WIN32_LAST = 0x3700

# Codes the period SDK headers named but the MinGW-w64 headers lack. The
# extension library's old memory failure still reaches the log.
EXTRA = [
    (0xC8770BB8, "D3DXERR_NOMEMORY"),
]

# Failure forms named for the generic COM failure instead of the Win32 error.
FAILURE_FORM_NAMES = {
    0x05: "E_ACCESSDENIED",
    0x06: "E_HANDLE",
    0x0E: "E_OUTOFMEMORY",
    0x57: "E_INVALIDARG",
}

# The Win32 codes whose failure form (0x80070000 + code) is not in the table.
NO_FAILURE_FORM = {0x00, 0xC8, 0xC9}

TYPE_WORDS = {
    "HRESULT", "SCODE", "DWORD", "LONG", "ULONG", "long", "int", "unsigned",
    "signed", "short", "__LONG32", "const", "UINT", "INT", "WORD",
}

TOKEN = re.compile(r"\s*(0[xX][0-9a-fA-F]+[uUlL]*|\d+[uUlL]*|[A-Za-z_]\w*|<<|>>|.)")


def tokenize(text):
    pos, out = 0, []
    text = text.strip()
    while pos < len(text):
        m = TOKEN.match(text, pos)
        if not m:
            break
        if m.group(1).strip():
            out.append(m.group(1))
        pos = m.end()
    return out


def strip_comments(text):
    text = re.sub(r"/\*.*?\*/", " ", text, flags=re.S)
    return re.sub(r"//[^\n]*", "", text)


class Macros:
    """Object-like and function-like macros from every scanned header."""

    def __init__(self):
        self.objects = {}
        self.functions = {}

    def define(self, name, params, body):
        if params is None:
            self.objects.setdefault(name, body)
        else:
            self.functions.setdefault(name, (params, body))

    def expand(self, tokens, depth=0):
        if depth > 20:
            raise ValueError("macro recursion")
        out, i = [], 0
        while i < len(tokens):
            t = tokens[i]
            if t in self.functions and i + 1 < len(tokens) and tokens[i + 1] == "(":
                params, body = self.functions[t]
                args, level, cur, j = [], 0, [], i + 2
                while j < len(tokens):
                    tok = tokens[j]
                    if tok == "(":
                        level += 1
                    elif tok == ")":
                        if level == 0:
                            break
                        level -= 1
                    if tok == "," and level == 0:
                        args.append(cur)
                        cur = []
                    else:
                        cur.append(tok)
                    j += 1
                args.append(cur)
                if len(args) != len(params) and not (params == [] and args == [[]]):
                    raise ValueError("argument count of " + t)
                sub = []
                for bt in tokenize(body):
                    if bt in params:
                        sub += ["("] + self.expand(args[params.index(bt)], depth + 1) + [")"]
                    else:
                        sub.append(bt)
                out += ["("] + self.expand(sub, depth + 1) + [")"]
                i = j + 1
            elif t in self.objects:
                out += ["("] + self.expand(tokenize(self.objects[t]), depth + 1) + [")"]
                i += 1
            else:
                out.append(t)
                i += 1
        return out


def drop_casts(tokens):
    """Removes C casts such as (HRESULT) and (unsigned __LONG32)."""
    out, i = [], 0
    while i < len(tokens):
        if tokens[i] == "(":
            j = i + 1
            while j < len(tokens) and tokens[j] in TYPE_WORDS:
                j += 1
            if j > i + 1 and j < len(tokens) and tokens[j] == ")":
                i = j + 1
                continue
        out.append(tokens[i])
        i += 1
    return out


def evaluate(macros, text):
    tokens = drop_casts(macros.expand(tokenize(text)))
    py = []
    for t in tokens:
        if re.fullmatch(r"0[xX][0-9a-fA-F]+[uUlL]*|\d+[uUlL]*", t):
            py.append(str(int(t.rstrip("uUlL"), 0)))
        elif re.fullmatch(r"[A-Za-z_]\w*", t):
            raise ValueError("unknown name " + t)
        elif t in ("(", ")", "|", "&", "+", "-", "<<", ">>", "~", "*"):
            py.append(t)
        else:
            raise ValueError("operator " + t)
    return eval(" ".join(py), {"__builtins__": {}}) & 0xFFFFFFFF


DEFINE = re.compile(r"^[ \t]*#[ \t]*define[ \t]+(\w+)(\(([\w, \t]*)\))?[ \t]*(.*)$", re.M)
ENUM = re.compile(r"\benum\b[^{;]*\{(.*?)\}", re.S)
ENUMERATOR = re.compile(r"^\s*(\w+)\s*=\s*(.+?)\s*$", re.S)


def scan(path, macros):
    """Returns (name, expression) pairs of one header, in file order."""
    with open(path, encoding="latin-1") as f:
        text = strip_comments(f.read().replace("\\\n", " "))
    found = []
    for m in DEFINE.finditer(text):
        name, params, body = m.group(1), m.group(3), m.group(4).strip()
        if m.group(2) is not None:
            macros.define(name, [p.strip() for p in params.split(",") if p.strip()], body)
        else:
            macros.define(name, None, body)
            if body and not name.startswith("_"):
                found.append((m.start(), name, body))
    for e in ENUM.finditer(text):
        offset = e.start(1)
        for item in e.group(1).split(","):
            m = ENUMERATOR.match(item)
            if m:
                macros.define(m.group(1), None, m.group(2))
                found.append((offset, m.group(1), m.group(2)))
            offset += len(item) + 1
    found.sort()
    return [(name, body) for _, name, body in found]


def is_win32_error(header, name, value):
    return (header == "winerror.h" and value <= WIN32_LAST
            and not name.startswith(WIN32_NON_ERRORS))


def is_range_marker(name):
    return name.endswith(("_FIRST", "_LAST", "_BASE"))


def build_table():
    macros = Macros()
    # From the MinGW-w64 base header, which is not scanned.
    macros.define("__MSABI_LONG", ["x"], "x")
    scanned = [(h, scan(f"{INCLUDE}/{h}", macros)) for h in HEADERS]
    named, markers, win32 = {}, {}, {}
    for header, pairs in scanned:
        for name, body in pairs:
            try:
                value = evaluate(macros, body)
            except (ValueError, SyntaxError, TypeError, ZeroDivisionError):
                continue
            if value >> 16 == 0:
                if is_win32_error(header, name, value):
                    win32.setdefault(value, name)
                continue
            if value >> 16 not in FAMILIES:
                continue
            if header != "winerror.h" and not RESULT_NAME.search(name):
                continue
            # Success codes of the small families must carry an HRESULT-like
            # name; plain enumerators and flags there are not result codes.
            if not (value & 0x80000000) and "_S_" not in name and "_I_" not in name \
                    and not name.startswith(("D3DOK_", "DS_", "DMUS_S_", "DPNSUCCESS_", "DV_", "S_")):
                continue
            # Range markers (OLE_E_FIRST, ...) share their code with the
            # first real code of the range, which keeps its own name.
            (markers if is_range_marker(name) else named).setdefault(value, name)
    for code, name in markers.items():
        named.setdefault(code, name)

    names = {0: "S_OK", 1: "S_FALSE"}
    for code, name in win32.items():
        names.setdefault(code, name)
        if code not in NO_FAILURE_FORM:
            # The COM failure form of a Win32 error keeps the error's name,
            # whatever other headers call it, except for the four generic
            # COM failures that live in that range.
            names[0x80070000 | code] = FAILURE_FORM_NAMES.get(code, name)
    for code, name in named.items():
        names.setdefault(code, name)
    for code, name in EXTRA:
        names.setdefault(code, name)
    for code, name in FAILURE_FORM_NAMES.items():
        if named.get(0x80070000 | code) != name:
            raise SystemExit(f"headers no longer define {name} as 0x{0x80070000 | code:08X}")
    return names


def main():
    names = build_table()
    print("// Generated by tools/gen-result-codes.py from the MinGW-w64 headers; do not edit.")
    print(f"// {len(names)} codes, {len(set(names.values()))} distinct names, sorted by code.")
    for code in sorted(names):
        print(f'{{0x{code:08X}u, "{names[code]}"}},')


if __name__ == "__main__":
    main()
