#!/usr/bin/env python3
"""Every entry point a client calls in either server runs in the known
floating-point environment (ComLayer/FloatingPointGuard.h).

Walks the sources of QDInterface (with its COM layer) and Glossmere and
finds every function a client, the loader or the window manager calls
directly: each COM member (STDMETHODCALLTYPE), each export (STDAPI), each
window procedure (CALLBACK) and the module entry point. Each must

- hold a FloatingPointGuard, or
- run its body through runFrame (the method frame holds one), or
- consist of a single `return f(...)` where a function f of the sources
  passes these rules itself (a member that delegates),

except IUnknown's QueryInterface, AddRef and Release, which do no
arithmetic. Prints the count of each kind; exits 1 and names every entry
that breaks the rules.

Usage: client_entries.py
"""
import os
import re
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
QDINTERFACE = os.path.dirname(HERE)
ROOT = os.path.dirname(os.path.dirname(QDINTERFACE))
FOLDERS = [QDINTERFACE, os.path.join(QDINTERFACE, 'ComLayer'), os.path.join(ROOT, 'Glossmere')]

ENTRY = re.compile(r'\b(STDMETHODCALLTYPE|STDAPI|CALLBACK|WINAPI)\s+(?:[\w:]+\s+)*?([\w:]+)\s*\(')
FUNCTION = re.compile(r'\b([A-Za-z_]\w*)\s*(?:<[^;{}()]*>)?\s*\([^;{}]*\)\s*(?:const\s*)?(?:noexcept\s*)?(?:override\s*)?\{')
DELEGATION = re.compile(r'^\{\s*return\s+(?:this->)?(?:\w+::)*([A-Za-z_]\w*)\s*(?:<[^;]*?>)?\s*\([^;]*\);\s*\}$', re.S)
IUNKNOWN = {'QueryInterface', 'AddRef', 'Release'}
# Functions the module itself starts or the runtime's entry reaches: not
# called by a client (DllMain runs under QdModuleEntry; the failure
# notice's thread is the module's own).
NOT_CLIENT = {'DllMain', 'boxThread', 'DllMainCRTStartup'}


def strip_comments(text):
    text = re.sub(r'/\*.*?\*/', lambda m: ' ' * len(m.group(0)), text, flags=re.S)
    return re.sub(r'//[^\n]*', lambda m: ' ' * len(m.group(0)), text)


def body_at(text, start):
    """The balanced braces from text[start] == '{'."""
    depth = 0
    for k in range(start, len(text)):
        if text[k] == '{':
            depth += 1
        elif text[k] == '}':
            depth -= 1
            if depth == 0:
                return text[start:k + 1]
    return text[start:]


def sources():
    for folder in FOLDERS:
        for name in sorted(os.listdir(folder)):
            if name.endswith(('.cpp', '.h')):
                path = os.path.join(folder, name)
                with open(path, encoding='utf-8') as f:
                    yield os.path.relpath(path, ROOT), strip_comments(f.read())


def main():
    files = list(sources())
    bodies = {}  # bare name -> bodies of every function of that name
    for _, text in files:
        for m in FUNCTION.finditer(text):
            bodies.setdefault(m.group(1), []).append(body_at(text, m.end() - 1))

    def guarded(body, seen):
        if 'FloatingPointGuard' in body or 'runFrame' in body:
            return True
        d = DELEGATION.match(body)
        if d is None or d.group(1) in seen:
            return False
        return any(guarded(b, seen | {d.group(1)}) for b in bodies.get(d.group(1), []))

    counts = {'guard': 0, 'runFrame': 0, 'delegating': 0, 'IUnknown': 0}
    broken = []
    for path, text in files:
        for m in ENTRY.finditer(text):
            name = m.group(2).split('::')[-1]
            rest = text[m.end():]
            brace, semicolon = rest.find('{'), rest.find(';')
            if brace < 0 or (0 <= semicolon < brace):
                continue  # a declaration
            if name in NOT_CLIENT:
                continue
            body = body_at(text, m.end() + brace)
            if name in IUNKNOWN:
                counts['IUnknown'] += 1
            elif 'FloatingPointGuard' in body:
                counts['guard'] += 1
            elif 'runFrame' in body:
                counts['runFrame'] += 1
            elif guarded(body, {name}):
                counts['delegating'] += 1
            else:
                broken.append('%s: %s' % (path, m.group(2)))
    total = sum(counts.values())
    print('client entries: %d (a guard of their own %d, through runFrame %d, delegating %d, IUnknown %d)'
          % (total, counts['guard'], counts['runFrame'], counts['delegating'], counts['IUnknown']))
    for b in broken:
        print('not in the known floating-point environment: ' + b)
    # The servers have some 220 entries (a member both classes of a pair
    # share is written, and counted, once): an empty walk proves nothing.
    if total < 200:
        print('too few entries found: the walk is broken')
        return 1
    return 1 if broken else 0


if __name__ == '__main__':
    sys.exit(main())
