"""Tests of ActiveX/QDInterface/typelib_defaults.py (run by ctest)."""

import os
import shutil
import struct
import subprocess
import sys
import tempfile
import unittest

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "..", "ActiveX", "QDInterface"))

import typelib_defaults as td  # noqa: E402

IDL = """
import "oaidl.idl";
[uuid(0B8E5D37-4B0C-4D8E-9E0B-5F3B7A1C2D01), version(1.0)]
library TestLib
{
    importlib("stdole2.tlb");
    [object, uuid(0B8E5D37-4B0C-4D8E-9E0B-5F3B7A1C2D02), dual, oleautomation]
    interface ITest : IDispatch
    {
        // A comment that mentions defaultvalue(9.5) changes nothing.
        [id(1)] HRESULT Fit([in, defaultvalue(-2)] long last,
                            [in, defaultvalue(-3.0)] double alpha,
                            [in, defaultvalue("(x)")] BSTR note,
                            [in, defaultvalue(2)] double whole);
        [id(2), propget] HRESULT Level([in, defaultvalue(0.125)] double w, [out, retval] double* pVal);
        [id(2), propput] HRESULT Level([in, defaultvalue(0.125)] double w, [in] double newVal);
    };
};
"""


class StripTest(unittest.TestCase):
    def test_records_every_double_default_and_replaces_it(self):
        text, rows = td.strip_idl(IDL)
        self.assertEqual(rows, [
            ("ITest", "Fit", "func", 1, "alpha", -3.0),
            ("ITest", "Fit", "func", 3, "whole", 2.0),
            ("ITest", "Level", "propget", 0, "w", 0.125),
            ("ITest", "Level", "propput", 0, "w", 0.125),
        ])
        self.assertIn("[in, defaultvalue(0)] double alpha", text)
        self.assertIn("[in, defaultvalue(0)] double whole", text)
        self.assertIn("[in, defaultvalue(-2)] long last", text)
        self.assertIn("defaultvalue(9.5)", text)  # the comment is left alone
        self.assertNotIn("-3.0", text)

    def test_header_copy_has_no_default_at_all(self):
        text = td.strip_all_defaults(IDL)
        self.assertEqual(text.count("defaultvalue"), 1)  # the comment
        self.assertIn("[in] BSTR note", text)
        self.assertIn("[in] double w, [out, retval] double* pVal", text)

    def test_table_round_trip(self):
        _, rows = td.strip_idl(IDL)
        with tempfile.TemporaryDirectory() as tmp:
            path = os.path.join(tmp, "table.txt")
            td.write_table(path, rows)
            self.assertEqual(td.read_table(path), rows)


def find_widl():
    for name in ("widl", "i686-w64-mingw32-widl"):
        path = shutil.which(name)
        if path:
            return path
    return None


def find_dir(candidates, name):
    for d in candidates:
        if os.path.exists(os.path.join(d, name)):
            return d
    return None


IDL_DIRS = ["/usr/include/wine/wine/windows", "/usr/include/wine/windows"]
STDOLE_DIRS = ["/usr/lib/i386-linux-gnu/wine/i386-windows", "/usr/lib/wine/i386-windows",
               "/usr/lib/x86_64-linux-gnu/wine/x86_64-windows"]


@unittest.skipUnless(find_widl() and find_dir(IDL_DIRS, "oaidl.idl"), "widl or its IDL files not installed")
class PatchTest(unittest.TestCase):
    def build(self, tmp):
        text, rows = td.strip_idl(IDL)
        src = os.path.join(tmp, "test.idl")
        with open(src, "w") as f:
            f.write(text)
        cmd = [find_widl(), "--win32", "-I" + find_dir(IDL_DIRS, "oaidl.idl")]
        stdole = find_dir(STDOLE_DIRS, "stdole2.tlb")
        if stdole:
            cmd.append("-L" + stdole)
        raw = os.path.join(tmp, "test.tlb")
        subprocess.run(cmd + ["-t", "-o", raw, src], check=True,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        with open(raw, "rb") as f:
            return f.read(), rows

    def defaults(self, data):
        tlb = td.TypeLib(data)
        out = {}
        for owner, fname, invkind, params in tlb.functions():
            for i, (ptype, pname, pflags, at) in enumerate(params):
                if pflags & td.PARAMFLAG_FHASDEFAULT:
                    out[(fname, invkind, pname)] = tlb.custdata_vt(tlb.i32(at))
        return out

    def test_doubles_become_vt_r8_and_other_defaults_stay(self):
        with tempfile.TemporaryDirectory() as tmp:
            raw, rows = self.build(tmp)
            before = self.defaults(raw)
            patched = td.patch_tlb(raw, rows)
            after = self.defaults(patched)
        self.assertEqual(after[("Fit", 1, "alpha")], (td.VT_R8, -3.0))
        self.assertEqual(after[("Fit", 1, "whole")], (td.VT_R8, 2.0))
        self.assertEqual(after[("Level", 2, "w")], (td.VT_R8, 0.125))
        self.assertEqual(after[("Level", 4, "w")], (td.VT_R8, 0.125))
        self.assertEqual(after[("Fit", 1, "last")], before[("Fit", 1, "last")])
        self.assertEqual(after[("Fit", 1, "note")][0], 8)  # VT_BSTR

    def test_a_table_that_does_not_match_is_refused(self):
        with tempfile.TemporaryDirectory() as tmp:
            raw, rows = self.build(tmp)
        wrong_name = [("ITest", "Fit", "func", 1, "beta", -3.0)] + rows[1:]
        with self.assertRaises(td.ToolError):
            td.patch_tlb(raw, wrong_name)
        with self.assertRaises(td.ToolError):  # alpha left out: unreadable default remains
            td.patch_tlb(raw, rows[1:])
        with self.assertRaises(td.ToolError):
            td.patch_tlb(raw, rows + [("ITest", "Gone", "func", 0, "x", 1.0)])

    def test_not_a_type_library(self):
        with self.assertRaises(td.ToolError):
            td.patch_tlb(b"MZ" + bytes(200), [])


if __name__ == "__main__":
    unittest.main()
