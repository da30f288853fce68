#!/usr/bin/env python3
"""Writes QDInterfaceMembers.h from the C++ header that widl generated from
QDInterface.idl.

For every dual interface IFoo of the header it writes a class template
IFooMembers<Derived>: it derives from ComLayer::DualDispatch<IFoo> and gives
every member of IFoo a body that reports the member as not available yet
(through Derived::memberNotAvailable). An automation class derives from it
and overrides the members it implements, so the vtable is always complete
and the members of later work fail cleanly through the error frame.

Usage: make_member_bases.py GENERATED_HEADER OUTPUT_HEADER
"""
import re
import sys

INTERFACE = re.compile(
    r'MIDL_INTERFACE\("[0-9A-Fa-f-]+"\)\s*(\w+)\s*:\s*public\s+(\w+)\s*\{(.*?)\n\};',
    re.S)
METHOD = re.compile(
    r'virtual\s+HRESULT\s+STDMETHODCALLTYPE\s+(\w+)\s*\((.*?)\)\s*=\s*0\s*;', re.S)


def split_parameters(text):
    """Splits a parameter list at the commas outside quotes and brackets."""
    parts, depth, quote, current = [], 0, None, ''
    for ch in text:
        if quote:
            current += ch
            if ch == quote:
                quote = None
            continue
        if ch in '"\'':
            quote = ch
        elif ch in '([<':
            depth += 1
        elif ch in ')]>':
            depth -= 1
        elif ch == ',' and depth == 0:
            parts.append(current)
            current = ''
            continue
        current += ch
    if current.strip():
        parts.append(current)
    return [p.strip() for p in parts]


def parameter_type(parameter):
    """The type of one declaration, without its default and its name."""
    declaration = parameter.split('=')[0].strip()
    if declaration == 'void':
        return None
    match = re.match(r'(.*?)(\w+)\s*$', declaration, re.S)
    if not match or not match.group(1).strip():
        return declaration
    return ' '.join(match.group(1).split())


def member_name(method):
    for prefix in ('get_', 'put_', 'putref_'):
        if method.startswith(prefix):
            return method[len(prefix):]
    return method


def main():
    source, target = sys.argv[1], sys.argv[2]
    with open(source, encoding='utf-8', errors='replace') as f:
        text = f.read()
    interfaces = {}
    order = []
    for name, base, body in INTERFACE.findall(text):
        methods = []
        for method, params in METHOD.findall(body):
            types = [t for t in (parameter_type(p) for p in split_parameters(params)) if t]
            methods.append((method, types))
        interfaces[name] = (base, methods)
        order.append(name)

    out = []
    out.append('// Generated from the type library header; do not edit.')
    out.append('#ifndef QD_QDINTERFACEMEMBERS_H')
    out.append('#define QD_QDINTERFACEMEMBERS_H')
    out.append('')
    # widl writes the BSTR defaults of the IDL as C++ default arguments made
    # of string literals; they are not ours to change.
    out.append('#pragma GCC diagnostic push')
    out.append('#pragma GCC diagnostic ignored "-Wwrite-strings"')
    out.append('#include "QDInterface.h"')
    out.append('#pragma GCC diagnostic pop')
    out.append('#include "ComLayer/DualDispatch.h"')
    out.append('')
    for name in order:
        base, methods = interfaces[name]
        if base != 'IDispatch':
            continue
        out.append('template <class Derived>')
        out.append('class %sMembers : public ComLayer::DualDispatch<%s> {' % (name, name))
        out.append('public:')
        for method, types in methods:
            out.append('    HRESULT STDMETHODCALLTYPE %s(%s) override' % (method, ', '.join(types)))
            out.append('    {')
            out.append('        return static_cast<Derived*>(this)->memberNotAvailable(L"%s");'
                       % member_name(method))
            out.append('    }')
        out.append('};')
        out.append('')
    out.append('#endif')
    with open(target, 'w', encoding='utf-8') as f:
        f.write('\n'.join(out) + '\n')


if __name__ == '__main__':
    main()
