#!/usr/bin/env python3
"""Double default values for the QDInterface type library.

widl cannot write a [defaultvalue] of type double into a type library: it
does not parse floating-point literals, and for a double parameter with an
integer default it leaves an unreadable entry. This tool works around that
in two steps around the widl run:

  strip IDL_IN TLB_IDL HEADER_IDL TABLE
      Writes TLB_IDL, a copy of the IDL with the default of every double
      parameter replaced by 0, for the type library; HEADER_IDL, a copy
      without any default value, for the C/C++ header (widl would turn the
      defaults into C++ default arguments that do not compile for VARIANT
      and enum parameters); and TABLE: one line per double default with its
      interface, member, invoke kind, position, name and the real value.

  patch TLB_IN TLB_OUT TABLE
      Reads the type library widl wrote from the stripped IDL and writes
      each double default of TABLE as a real VT_R8 value, then checks that
      every parameter marked as having a default has a readable one.

  run COMMAND...
      Runs COMMAND (the widl call) and passes its output on, without the
      warning widl gives for each double default it cannot write.

Type library layout used here (the "MSFT" format written by widl and read by
oleaut32): a header, the offsets of the type infos, a directory of fifteen
segments (offset, length, two reserved words), the segments, and for each
type info a block of function records. A function record ends with its
parameter descriptors (type, name offset, flags; 12 bytes each), preceded,
when the function has defaults, by one 32-bit default word per parameter. A
default word with the top bit set holds a small value inline; otherwise it is
an offset into the custom-data segment, where a value is stored as a 16-bit
VARTYPE followed by its data. A double needs 8 bytes of data, so it is
always stored in the custom-data segment. The patch moves that segment to
the end of the file, appends one entry per distinct double and points the
default words at them.

Only the Python standard library is used.
"""

import re
import struct
import subprocess
import sys

VT_R8 = 5
PARAMFLAG_FHASDEFAULT = 0x20
SEG_TYPEINFO = 0
SEG_NAMES = 7
SEG_CUSTDATA = 11
NUM_SEGMENTS = 15
TKIND_INTERFACE = 3
TKIND_DISPATCH = 4
INLINE_R8 = 0x80000000 | (VT_R8 << 16) | VT_R8

INVOKE_KINDS = {"func": 1, "propget": 2, "propput": 4, "propputref": 8}

FLOAT_LITERAL = r"[-+]?(?:\d+\.\d*|\.\d+|\d+)(?:[eE][-+]?\d+)?"


class ToolError(Exception):
    pass


# ---------------------------------------------------------------------------
# IDL side
# ---------------------------------------------------------------------------

def split_top_level(text, sep=","):
    """Splits text at sep outside brackets and parentheses."""
    parts, depth, start = [], 0, 0
    for i, ch in enumerate(text):
        if ch in "[(":
            depth += 1
        elif ch in "])":
            depth -= 1
        elif ch == sep and depth == 0:
            parts.append(text[start:i])
            start = i + 1
    parts.append(text[start:])
    return [p.strip() for p in parts if p.strip()]


def strip_comments(text):
    text = re.sub(r"/\*.*?\*/", lambda m: re.sub(r"[^\n]", " ", m.group(0)), text, flags=re.S)
    return re.sub(r"//[^\n]*", lambda m: " " * len(m.group(0)), text)


METHOD = re.compile(r"\[([^\[\]]*)\]\s*HRESULT\s+(\w+)\s*\(([^;]*?)\)\s*;", re.S)
INTERFACE = re.compile(r"\binterface\s+(\w+)\s*:\s*\w+\s*\{")
PARAM = re.compile(r"^\[(.*)\]\s*(.+?)\s*\b(\w+)\s*$", re.S)
DEFAULT = re.compile(r"defaultvalue\s*\(\s*(" + FLOAT_LITERAL + r")\s*\)")


def strip_idl(src):
    """Returns (new IDL text, table rows)."""
    clean = strip_comments(src)
    interfaces = [(m.start(), m.group(1)) for m in INTERFACE.finditer(clean)]
    rows, edits = [], []
    for m in METHOD.finditer(clean):
        owner = None
        for pos, name in interfaces:
            if pos < m.start():
                owner = name
        if owner is None:
            raise ToolError("method %s outside an interface" % m.group(2))
        attrs = [a.strip() for a in split_top_level(m.group(1))]
        kind = "func"
        for a in attrs:
            if a in INVOKE_KINDS:
                kind = a
        params_start = m.start(3)
        offset = 0
        params_text = m.group(3)
        for index, param in enumerate(split_top_level(params_text)):
            pm = PARAM.match(param)
            if not pm:
                raise ToolError("cannot read parameter '%s' of %s.%s" % (param, owner, m.group(2)))
            ptype = " ".join(pm.group(2).split())
            pname = pm.group(3)
            dm = DEFAULT.search(pm.group(1))
            if ptype != "double" or not dm:
                continue
            value = float(dm.group(1))
            rows.append((owner, m.group(2), kind, index, pname, value))
            # Position of the literal in the original text.
            where = params_text.find(param, offset)
            offset = where + len(param)
            lit_start = params_start + where + 1 + dm.start(1)
            edits.append((lit_start, lit_start + len(dm.group(1))))
    out = src
    for start, end in sorted(edits, reverse=True):
        out = out[:start] + "0" + out[end:]
    return out, rows


ANY_DEFAULT = re.compile(r"\s*,\s*defaultvalue\s*\((?:\"[^\"]*\"|[^()\"])*\)")


def strip_all_defaults(src):
    return ANY_DEFAULT.sub("", src)


def write_table(path, rows):
    with open(path, "w", encoding="ascii") as f:
        for owner, method, kind, index, pname, value in rows:
            f.write("%s %s %s %d %s %s\n" % (owner, method, kind, index, pname, repr(value)))


def read_table(path):
    rows = []
    with open(path, encoding="ascii") as f:
        for line in f:
            if line.strip():
                owner, method, kind, index, pname, value = line.split()
                rows.append((owner, method, kind, int(index), pname, float(value)))
    return rows


# ---------------------------------------------------------------------------
# Type library side
# ---------------------------------------------------------------------------

class TypeLib:
    def __init__(self, data):
        self.data = bytearray(data)
        if self.data[:4] != b"MSFT":
            raise ToolError("not an MSFT type library")
        count = self.i32(0x20)
        varflags = self.i32(0x14)
        pos = 0x54 + (4 if varflags & 0x100 else 0)
        self.typeinfo_offsets = [self.i32(pos + 4 * i) for i in range(count)]
        self.segdir = pos + 4 * count

    def i32(self, off):
        return struct.unpack_from("<i", self.data, off)[0]

    def u32(self, off):
        return struct.unpack_from("<I", self.data, off)[0]

    def segment(self, index):
        base = self.segdir + 16 * index
        return self.i32(base), self.i32(base + 4)

    def set_segment(self, index, offset, length):
        base = self.segdir + 16 * index
        struct.pack_into("<ii", self.data, base, offset, length)

    def name(self, name_offset):
        start = self.segment(SEG_NAMES)[0] + name_offset
        length = self.data[start + 8]
        return self.data[start + 12:start + 12 + length].decode("latin-1")

    def functions(self):
        """Yields (interface, function name, invoke kind, params) where params
        is a list of [type word, name, flags, offset of default word or None]."""
        typeinfos = self.segment(SEG_TYPEINFO)[0]
        for ti in self.typeinfo_offsets:
            base = typeinfos + ti
            kind = self.i32(base) & 0xF
            if kind not in (TKIND_INTERFACE, TKIND_DISPATCH):
                continue
            owner = self.name(self.i32(base + 0x34))
            block = self.i32(base + 4)
            nfuncs = self.i32(base + 0x18) & 0xFFFF
            nvars = (self.u32(base + 0x18) >> 16) & 0xFFFF
            if nfuncs == 0:
                continue
            records_len = self.i32(block)
            arrays = block + 4 + records_len
            name_offsets = arrays + 4 * (nfuncs + nvars)
            rec = block + 4
            for f in range(nfuncs):
                reclen = self.i32(rec) & 0xFFFF
                flags_word = self.i32(rec + 16)
                nargs = struct.unpack_from("<h", self.data, rec + 20)[0]
                invkind = (flags_word >> 3) & 0xF
                fname = self.name(self.i32(name_offsets + 4 * f))
                end = rec + reclen
                params_at = end - 12 * nargs
                defaults_at = params_at - 4 * nargs if flags_word & 0x1000 else None
                params = []
                for p in range(nargs):
                    pbase = params_at + 12 * p
                    params.append([self.u32(pbase), self.name(self.i32(pbase + 4)),
                                   self.i32(pbase + 8),
                                   None if defaults_at is None else defaults_at + 4 * p])
                yield owner, fname, invkind, params
                rec = end

    def custdata_vt(self, default_word):
        if default_word < 0:
            return (default_word >> 26) & 0x1F, None
        start, _ = self.segment(SEG_CUSTDATA)
        vt = struct.unpack_from("<H", self.data, start + default_word)[0]
        value = None
        if vt == VT_R8:
            value = struct.unpack_from("<d", self.data, start + default_word + 2)[0]
        return vt, value


def patch_tlb(data, rows):
    tlb = TypeLib(data)
    wanted = {}
    for owner, method, kind, index, pname, value in rows:
        wanted[(owner, method, INVOKE_KINDS[kind], index)] = (pname, value)

    # Move the custom-data segment to the end of the file and append one
    # VT_R8 entry per distinct value.
    cd_start, cd_len = tlb.segment(SEG_CUSTDATA)
    custdata = bytearray(tlb.data[cd_start:cd_start + cd_len]) if cd_start >= 0 else bytearray()
    while len(tlb.data) % 4:
        tlb.data.append(0)
    entries = {}

    def entry_for(value):
        key = struct.pack("<d", value)
        if key not in entries:
            entries[key] = len(custdata)
            custdata.extend(struct.pack("<H", VT_R8) + key + b"WW")
        return entries[key]

    done = set()
    for owner, fname, invkind, params in tlb.functions():
        for index, (ptype, pname, pflags, default_at) in enumerate(params):
            key = (owner, fname, invkind, index)
            if key not in wanted:
                continue
            expect_name, value = wanted[key]
            if pname != expect_name:
                raise ToolError("%s.%s parameter %d is '%s', expected '%s'"
                                % (owner, fname, index, pname, expect_name))
            if ptype != INLINE_R8 or not (pflags & PARAMFLAG_FHASDEFAULT) or default_at is None:
                raise ToolError("%s.%s(%s) is not a double with a default" % (owner, fname, pname))
            struct.pack_into("<i", tlb.data, default_at, entry_for(value))
            done.add(key)
    missing = set(wanted) - done
    if missing:
        raise ToolError("not found in the type library: %s" % sorted(missing))

    new_start = len(tlb.data)
    tlb.data.extend(custdata)
    tlb.set_segment(SEG_CUSTDATA, new_start, len(custdata))
    verify(tlb, wanted)
    return bytes(tlb.data)


def verify(tlb, wanted):
    """Every default must be readable; every double default must be VT_R8."""
    for owner, fname, invkind, params in tlb.functions():
        for index, (ptype, pname, pflags, default_at) in enumerate(params):
            if not pflags & PARAMFLAG_FHASDEFAULT:
                continue
            if default_at is None:
                raise ToolError("%s.%s(%s): default flag without a default" % (owner, fname, pname))
            word = tlb.i32(default_at)
            if word == -1:
                raise ToolError("%s.%s(%s): unreadable default" % (owner, fname, pname))
            vt, value = tlb.custdata_vt(word)
            if ptype == INLINE_R8:
                expected = wanted.get((owner, fname, invkind, index))
                if vt != VT_R8 or expected is None or value != expected[1]:
                    raise ToolError("%s.%s(%s): double default not written" % (owner, fname, pname))


def main(argv):
    try:
        if len(argv) == 6 and argv[1] == "strip":
            with open(argv[2], encoding="latin-1") as f:
                src = f.read()
            text, rows = strip_idl(src)
            with open(argv[3], "w", encoding="latin-1") as f:
                f.write(text)
            with open(argv[4], "w", encoding="latin-1") as f:
                f.write(strip_all_defaults(src))
            write_table(argv[5], rows)
        elif len(argv) == 5 and argv[1] == "patch":
            with open(argv[2], "rb") as f:
                data = f.read()
            patched = patch_tlb(data, read_table(argv[4]))
            with open(argv[3], "wb") as f:
                f.write(patched)
        elif len(argv) > 2 and argv[1] == "run":
            proc = subprocess.run(argv[2:], stdout=subprocess.PIPE, stderr=subprocess.STDOUT,
                                  universal_newlines=True)
            for line in proc.stdout.splitlines():
                if "can't write value of type 5" not in line:
                    print(line)
            return proc.returncode
        else:
            sys.stderr.write(__doc__)
            return 2
    except (ToolError, OSError, struct.error) as e:
        sys.stderr.write("typelib_defaults: %s\n" % e)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
