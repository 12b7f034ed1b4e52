#!/usr/bin/env python3
"""The binary interface of the Windows libraries, in one place.

Writes the module-definition files the Windows build needs (import
libraries for KERNEL32 and FTD2XX, the simulated FTD2XX.dll, import
libraries of the three libraries for test hosts) and checks a built DLL's
export and import tables, as printed by `llvm-objdump -p`, against it.

    winabi.py def KIND --arch x86|x64 [--dll NAME] > file.def
    winabi.py check --dll NAME --arch x86|x64 FILE.dll
"""

import argparse
import re
import subprocess
import sys

# The driver operations the libraries import, with their ordinals and the
# bytes of their arguments on 32-bit x86 (stdcall decoration).
D2XX = [
    ("FT_Open", 1, 8),
    ("FT_Close", 2, 4),
    ("FT_Read", 3, 16),
    ("FT_Write", 4, 16),
    ("FT_SetBaudRate", 7, 8),
    ("FT_SetDataCharacteristics", 8, 16),
    ("FT_SetTimeouts", 17, 12),
    ("FT_GetStatus", 21, 16),
    ("FT_CreateDeviceInfoList", 70, 4),
    ("FT_GetDeviceInfoDetail", 72, 32),
]

# KERNEL32 functions used by the libraries (first two) and by test hosts.
KERNEL32 = [
    ("Sleep", 4),
    ("GetTickCount64", 0),
    ("GetStdHandle", 4),
    ("WriteFile", 20),
    ("ExitProcess", 4),
    ("LoadLibraryA", 4),
    ("GetProcAddress", 8),
    ("GetModuleHandleA", 4),
    ("CreateThread", 24),
    ("WaitForSingleObject", 8),
    ("CloseHandle", 4),
]
LIBRARY_KERNEL32 = {"Sleep", "GetTickCount64"}

# The fourteen port functions: name and MSVC argument codes.
PORT = [
    ("zuzovEraVeOpen", "K"),
    ("zuzovEraVeClose", "K"),
    ("zuzovEraVeDir", "KK"),
    ("zuzovEraVeDirH", "KK"),
    ("zuzovEraVeDirL", "KK"),
    ("zuzovEraVeWrite", "KK"),
    ("zuzovEraVeWriteH", "KK"),
    ("zuzovEraVeWriteL", "KK"),
    ("zuzovEraVeRead", "KP"),
    ("zuzovEraVeReadH", "KP"),
    ("zuzovEraVeReadL", "KP"),
    ("zuzovEraVeReadback", "KP"),
    ("zuzovEraVeUnitID", "KP"),
    ("zuzovEraVeBit", "KKH"),
]

# Each library: its architecture and its plug-in functions with their
# stdcall argument bytes.
LIBRARIES = {
    "ZUVIVID": ("x86", "Zuvivid", {"Device_Open": 4, "Device_Close": 4, "Out": 8, "In": 8}),
    "DIDOVUR6": ("x86", "Didovur6", {"Device_Open": 4, "Device_Close": 4, "Out": 12, "In": 12}),
    "DADADAZ4": ("x64", "Dadadaz4", {"Device_Open": 4, "Device_Close": 4, "Out": 12, "In": 12}),
}


def decorated(name, codes, arch):
    """MSVC name of `int ZEV_CALL name(...)` with unsigned long arguments."""
    conv = "YG" if arch == "x86" else "YA"
    ptr = "PAK" if arch == "x86" else "PEAK"
    args = "".join(ptr if c == "P" else c for c in codes)
    return f"?{name}@@{conv}H{args}@Z"


def port_exports(arch):
    return [decorated(n, c, arch) for n, c in PORT]


def plugin_exports(library):
    _, prefix, funcs = LIBRARIES[library]
    return [(f"{prefix}_{f}", b) for f, b in funcs.items()]


def expected_exports(library):
    arch = LIBRARIES[library][0]
    return sorted(port_exports(arch) + [n for n, _ in plugin_exports(library)])


def stdcall(name, nbytes, arch):
    return f"{name}@{nbytes}" if arch == "x86" else name


def def_text(kind, arch, library=None):
    lines = []
    if kind == "ftd2xx-imports":
        # Import by ordinal only: the libraries carry no driver names.
        lines.append("LIBRARY FTD2XX.dll")
        lines.append("EXPORTS")
        lines += [f"  {stdcall(n, b, arch)} @{o} NONAME" for n, o, b in D2XX]
    elif kind == "ftd2xx-sim":
        # The simulated driver exports the same operations by name and by
        # the same ordinals; its control functions follow by name.
        lines.append("LIBRARY FTD2XX.dll")
        lines.append("EXPORTS")
        lines += [f"  {n} @{o}" for n, o, _ in D2XX]
    elif kind == "kernel32":
        lines.append("LIBRARY KERNEL32.dll")
        lines.append("EXPORTS")
        lines += [f"  {stdcall(n, b, arch)}" for n, b in KERNEL32]
    elif kind == "library":
        # Import library of one of our DLLs, as a host would link it.
        lines.append(f"LIBRARY {library}.dll")
        lines.append("EXPORTS")
        lines += [f"  {n}" for n in port_exports(arch)]
        lines += [f"  {stdcall(n, b, arch)}" for n, b in plugin_exports(library)]
    elif kind == "plain-exports":
        # Linker options exporting the stdcall plug-in functions under their
        # plain names (x86 symbols carry "_" and "@N").
        lines += [f"/EXPORT:{n}=_{n}@{b}" for n, b in plugin_exports(library)]
    else:
        raise SystemExit(f"unknown def kind {kind}")
    return "\n".join(lines) + "\n"


def parse_objdump(text):
    """Returns (magic, exports, imports) where imports maps a DLL name to a
    list of ("ord", n) or ("name", s)."""
    magic = None
    m = re.search(r"^Magic\s+\S+\s+\((PE32\+?)\)", text, re.M)
    if m:
        magic = m.group(1)
    exports = []
    imports = {}
    section = None
    current = None
    for line in text.splitlines():
        if line.startswith("The Import Tables:"):
            section = "imports"
            continue
        if line.startswith("Export Table:"):
            section = "exports"
            continue
        if section == "imports":
            m = re.match(r"\s+DLL Name: (\S+)", line)
            if m:
                current = m.group(1)
                imports.setdefault(current, [])
                continue
            m = re.match(r"\s+(\d+)\s+(\S+)\s*$", line)
            if m and current is not None:
                imports[current].append(("name", m.group(2)))
                continue
            m = re.match(r"\s+(\d+)\s*$", line)
            if m and current is not None:
                imports[current].append(("ord", int(m.group(1))))
        elif section == "exports":
            m = re.match(r"\s+(\d+)\s+0x([0-9a-fA-F]+)\s+(\S+)\s*$", line)
            if m:
                exports.append(m.group(3))
    return magic, exports, imports


def objdump(dll):
    return subprocess.run(["llvm-objdump", "-p", dll], check=True, capture_output=True,
                          text=True).stdout


def check(library, arch, text):
    """Problems found in the `llvm-objdump -p` text of a library."""
    magic, exports, imports = parse_objdump(text)
    problems = []
    want_magic = "PE32" if arch == "x86" else "PE32+"
    if magic != want_magic:
        problems.append(f"image is {magic}, expected {want_magic}")
    want = expected_exports(library)
    for name in sorted(set(want) - set(exports)):
        problems.append(f"missing export {name}")
    for name in sorted(set(exports) - set(want)):
        problems.append(f"unexpected export {name}")
    if len(exports) != len(set(exports)):
        problems.append("an export name appears twice")
    allowed = {"KERNEL32.dll", "FTD2XX.dll"}
    for dll_name in imports:
        if dll_name not in allowed:
            problems.append(f"unexpected import library {dll_name}")
    kernel = imports.get("KERNEL32.dll", [])
    for kind, value in kernel:
        if kind != "name" or value not in LIBRARY_KERNEL32:
            problems.append(f"unexpected KERNEL32 import {value}")
    ftd = imports.get("FTD2XX.dll", [])
    want_ords = {o for _, o, _ in D2XX}
    got_ords = set()
    for kind, value in ftd:
        if kind != "ord":
            problems.append(f"FTD2XX import by name {value} (must be by ordinal)")
        else:
            got_ords.add(value)
    for o in sorted(want_ords - got_ords):
        problems.append(f"missing FTD2XX import ordinal {o}")
    for o in sorted(got_ords - want_ords):
        problems.append(f"unexpected FTD2XX import ordinal {o}")
    m = re.search(r"Entry 9 ([0-9a-fA-F]+) ([0-9a-fA-F]+) Thread Storage", text)
    if m is None or int(m.group(2), 16) != 0:
        problems.append("image has a thread-local storage directory")
    return problems, exports, imports


def selftest(library, arch, text):
    """Seeds one fault at a time into a good table dump and makes sure the
    check names it. Returns the list of seeded faults it missed."""
    prefix = LIBRARIES[library][1]
    port = port_exports(arch)[0]
    wrong_port = port.replace("@@YG", "@@YA") if arch == "x86" else port.replace("@@YA", "@@YG")
    # An FTD2XX import line: "Hint/Ord" column holding ordinal 70.
    ordinal_line = re.compile(r"^(\s+)70\s*$", re.M)
    cases = [
        ("renamed plug-in export", lambda t: t.replace(f"{prefix}_In\n", f"{prefix}_Inx\n"),
         f"{prefix}_In"),
        ("port export of the other convention", lambda t: t.replace(port, wrong_port), port),
        ("plug-in export with stdcall decoration",
         lambda t: t.replace(f" {prefix}_Out\n", f" _{prefix}_Out@12\n"), f"{prefix}_Out"),
        ("driver import by another ordinal", lambda t: ordinal_line.sub(r"\g<1>71", t), "71"),
        ("driver import by name", lambda t: ordinal_line.sub(r"\g<1>70  FT_CreateDeviceInfoList", t),
         "by name"),
        ("another KERNEL32 import", lambda t: t.replace("  Sleep\n", "  Sleep\n           0  HeapAlloc\n"),
         "HeapAlloc"),
        ("a runtime DLL import",
         lambda t: t.replace("Export Table:", "    DLL Name: MSVCRT.dll\n    Hint/Ord  Name\n"
                             "           0  memset\n\nExport Table:"),
         "MSVCRT.dll"),
        ("a 32-bit image where 64-bit is due, or the reverse",
         lambda t: t.replace("(PE32+)", "(PE32)") if arch == "x64" else t.replace("(PE32)", "(PE32+)"),
         "image is"),
    ]
    missed = []
    clean, _, _ = check(library, arch, text)
    if clean:
        missed.append(f"the unmodified tables already fail: {clean}")
    for name, mutate, needle in cases:
        seeded = mutate(text)
        if seeded == text:
            missed.append(f"{name}: could not seed the fault")
            continue
        problems, _, _ = check(library, arch, seeded)
        if not any(needle in p for p in problems):
            missed.append(f"{name}: not reported (got {problems})")
    return missed


def report(prefix, problems, success):
    """Prints the problems, or the success line when there are none; returns
    the exit status."""
    for p in problems:
        print(f"{prefix}: {p}", file=sys.stderr)
    if problems:
        return 1
    print(success)
    return 0


def main():
    ap = argparse.ArgumentParser()
    sub = ap.add_subparsers(dest="cmd", required=True)
    d = sub.add_parser("def")
    d.add_argument("kind")
    d.add_argument("--arch", required=True, choices=["x86", "x64"])
    d.add_argument("--dll")
    d.add_argument("-o", "--output")
    c = sub.add_parser("check")
    c.add_argument("--dll", required=True, choices=sorted(LIBRARIES))
    c.add_argument("file")
    c.add_argument("--list", action="store_true", help="print the tables as found")
    c.add_argument("--selftest", action="store_true",
                   help="seed faults into the tables and check that each is reported")
    args = ap.parse_args()
    if args.cmd == "def":
        text = def_text(args.kind, args.arch, args.dll)
        if args.output:
            with open(args.output, "w", encoding="ascii") as f:
                f.write(text)
        else:
            sys.stdout.write(text)
        return 0
    arch = LIBRARIES[args.dll][0]
    text = objdump(args.file)
    if args.selftest:
        return report(f"{args.dll} check self-test", selftest(args.dll, arch, text),
                      f"{args.dll}: the check reports every seeded fault")
    problems, exports, imports = check(args.dll, arch, text)
    if args.list:
        print(f"{args.dll}.dll exports ({len(exports)}):")
        for name in exports:
            print(f"  {name}")
        for dll_name, entries in imports.items():
            print(f"imports from {dll_name}:")
            for kind, value in entries:
                print(f"  {'ordinal ' + str(value) if kind == 'ord' else value}")
    return report(args.dll, problems,
                  f"{args.dll}: {len(exports)} exports and the imports are as expected")


if __name__ == "__main__":
    sys.exit(main())
