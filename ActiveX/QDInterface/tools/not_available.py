#!/usr/bin/env python3
"""The members of the QDInterface classes that are not available yet.

Every member of a dual interface IFoo of QDInterface.idl that the class Foo
(ActiveX/QDInterface/Foo.h, or a header of that folder it includes, such as
the members it shares with another class) does not override reports "not available yet"
through the generated member bases. A property counts as available when the
class overrides any of its accessors. The list, in the interfaces' order,
is the section "Members not available yet" of ActiveX/QDInterface/README.md
between the markers

    <!-- not-available:begin -->  ...  <!-- not-available:end -->

Usage:
    not_available.py --check    compare the README with the code (the test)
    not_available.py --write    rewrite the README's list from the code
"""
import os
import re
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
FOLDER = os.path.dirname(HERE)
IDL = os.path.join(FOLDER, 'QDInterface.idl')
README = os.path.join(FOLDER, 'README.md')
BEGIN = '<!-- not-available:begin -->'
END = '<!-- not-available:end -->'

INTERFACE = re.compile(r'^\s*interface\s+I(\w+)\s*:\s*IDispatch\s*\{(.*?)^\s*\};', re.S | re.M)
MEMBER = re.compile(r'^\s*\[([^\]]*)\]\s*HRESULT\s+(\w+)\s*\(', re.M)
OVERRIDE = re.compile(r'HRESULT\s+STDMETHODCALLTYPE\s+(?:(?:get|put|putref)_)?(\w+)\s*\(')


def interface_members():
    """(class name, [member names in IDL order]) for every dual interface."""
    with open(IDL, encoding='latin-1') as f:
        text = f.read()
    result = []
    for match in INTERFACE.finditer(text):
        names = []
        for member in MEMBER.finditer(match.group(2)):
            if member.group(2) not in names:
                names.append(member.group(2))
        result.append((match.group(1), names))
    return result


INCLUDE = re.compile(r'^#include "(\w+\.h)"', re.M)


def implemented(class_name, seen=None):
    """The members Foo.h overrides, with those of the headers of this
    folder it includes (the members a class shares with another)."""
    seen = set() if seen is None else seen
    path = os.path.join(FOLDER, class_name + '.h')
    if class_name in seen or not os.path.exists(path):
        return set()
    seen.add(class_name)
    with open(path, encoding='latin-1') as f:
        text = f.read()
    names = set(OVERRIDE.findall(text))
    for header in INCLUDE.findall(text):
        names |= implemented(header[:-2], seen)
    return names


# The order of the classes in the README; others follow in the IDL's order.
CLASS_ORDER = ['StatisticX', 'StatisticsX', 'ObservationX', 'SeriesX', 'MatrixX', 'SeriesXEx1', 'MatrixXEx1',
               'Quendar', 'QuendarASP']


def listing():
    lines = []
    interfaces = interface_members()
    rank = {name: i for i, name in enumerate(CLASS_ORDER)}
    interfaces.sort(key=lambda item: rank.get(item[0], len(CLASS_ORDER)))
    for class_name, members in interfaces:
        missing = [m for m in members if m not in implemented(class_name)]
        if missing:
            lines.append('- `%s`: %s' % (class_name, ', '.join('`%s`' % m for m in missing)))
    if not lines:
        lines.append('None: every member of every class is available.')
    return '\n'.join(lines) + '\n'


def split_readme():
    with open(README, encoding='utf-8') as f:
        text = f.read()
    start = text.index(BEGIN) + len(BEGIN) + 1
    end = text.index(END)
    return text, start, end


def main(argv):
    if len(argv) != 2 or argv[1] not in ('--check', '--write'):
        sys.stderr.write(__doc__)
        return 2
    text, start, end = split_readme()
    wanted = listing()
    if argv[1] == '--write':
        if text[start:end] != wanted:
            with open(README, 'w', encoding='utf-8') as f:
                f.write(text[:start] + wanted + text[end:])
        return 0
    if text[start:end] == wanted:
        return 0
    sys.stderr.write('ActiveX/QDInterface/README.md: the list of members not available yet differs '
                     'from the code. Run\n    python3 ActiveX/QDInterface/tools/not_available.py --write\n'
                     'The list the code gives:\n' + wanted)
    return 1


if __name__ == '__main__':
    sys.exit(main(sys.argv))
