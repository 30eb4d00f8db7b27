#!/usr/bin/env python3
"""Fails when an include crosses the layers of the source tree.

Every C++ file outside the tests and benchmarks belongs to the deepest folder
named in the allow-list; each quoted include is resolved as the compiler does
(beside the file first, then from the source root, so "../window/x.h" counts
as browser/window) and must land in the file's own folder or in one that
folder may use. Only the web part of the platform may include the web engine, and only the
program's entry the web part.
The allow-list itself must not close a circle.

Usage: check_layers.py SOURCE_DIR [ALLOW_LIST]
"""
import fnmatch
import os
import re
import sys

INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^">]+)[">]')
WEB_ENGINE = re.compile(r'^(QtWebEngine|QWebEngine)')
SKIPPED_DIRS = {'tests', 'testing', '.git'}
TOP_SKIPPED = {'bench', 'tests', 'dist', 'docs', 'scripts', 'themepacks'}


def read_allow_list(path):
    allowed, web, users = {}, [], []
    with open(path, encoding='utf-8') as f:
        for raw in f:
            line = raw.split('#', 1)[0].strip()
            if not line:
                continue
            name, _, rest = line.partition(':')
            name = name.strip()
            if name == 'web':
                web = rest.split()
            elif name == 'web-users':
                users = rest.split()
            else:
                allowed[name] = set(rest.split())
    return allowed, web, users


def find_cycle(allowed):
    """A circle of folders through the allow-list, or None."""
    state = {}

    def visit(node, trail):
        state[node] = 'open'
        for nxt in sorted(allowed.get(node, ())):
            if state.get(nxt) == 'open':
                return trail + [node, nxt]
            if nxt not in state:
                found = visit(nxt, trail + [node])
                if found:
                    return found
        state[node] = 'done'
        return None

    for node in sorted(allowed):
        if node not in state:
            found = visit(node, [])
            if found:
                return found
    return None


def matches(path, patterns):
    return any(fnmatch.fnmatch(path, pattern) for pattern in patterns)


def owner(path, folders):
    """The deepest listed folder holding path, or None. "name/*" holds only the
    files directly in name."""
    best = None
    for folder in folders:
        if folder.endswith('/*'):
            if os.path.dirname(path) == folder[:-2]:
                return folder
            continue
        if path == folder or path.startswith(folder + '/'):
            if best is None or len(folder) > len(best):
                best = folder
    return best


def sources(root):
    for top in sorted(os.listdir(root)):
        if top in TOP_SKIPPED or top.startswith('build') or not os.path.isdir(os.path.join(root, top)):
            continue
        for folder, dirs, files in os.walk(os.path.join(root, top)):
            dirs[:] = sorted(d for d in dirs if d not in SKIPPED_DIRS)
            for name in sorted(files):
                if name.endswith(('.h', '.cpp')):
                    yield os.path.relpath(os.path.join(folder, name), root).replace(os.sep, '/')
    for name in sorted(os.listdir(root)):
        if name.endswith(('.h', '.cpp')):
            yield name


def resolve(root, including, target):
    beside = os.path.normpath(os.path.join(os.path.dirname(including), target)).replace(os.sep, '/')
    if not beside.startswith('../') and os.path.exists(os.path.join(root, beside)):
        return beside
    from_root = os.path.normpath(target).replace(os.sep, '/')
    if from_root.startswith('../') or os.path.isabs(target):
        return None
    if os.path.exists(os.path.join(root, from_root)):
        return from_root
    # An include that leaves the tree or names no file of it is judged by where it points.
    return beside if not beside.startswith('../') else None


def check(root, allow_path):
    allowed, web, users = read_allow_list(allow_path)
    problems = []
    cycle = find_cycle(allowed)
    if cycle:
        problems.append('the allow-list closes a circle: ' + ' -> '.join(cycle))
    folders = list(allowed)
    for path in sources(root):
        mine = owner(path, folders)
        if mine is None:
            problems.append(f'{path}: its folder is not in the allow-list')
            continue
        with open(os.path.join(root, path), encoding='utf-8', errors='replace') as f:
            for number, line in enumerate(f, 1):
                m = INCLUDE.match(line)
                if not m:
                    continue
                kind, target = m.groups()
                if kind == '<':
                    if WEB_ENGINE.match(target) and not matches(path, web):
                        problems.append(f'{path}:{number}: only the web part of the platform may use the web engine: {target}')
                    continue
                resolved = resolve(root, path, target)
                if resolved is not None and matches(resolved, web) and not matches(path, web + users):
                    problems.append(f'{path}:{number}: only the program\'s entry may use the platform\'s web part: {target}')
                if resolved is None:
                    problems.append(f'{path}:{number}: the include leaves the source tree: {target}')
                    continue
                theirs = owner(resolved, folders)
                if theirs is None or theirs == mine:
                    continue
                if theirs not in allowed[mine]:
                    problems.append(f'{path}:{number}: {mine} may not include {theirs}: {target}')
    return problems


def main(argv):
    if len(argv) < 2:
        print(__doc__)
        return 2
    root = argv[1]
    allow_path = argv[2] if len(argv) > 2 else os.path.join(os.path.dirname(os.path.abspath(__file__)), 'allowed.deps')
    problems = check(root, allow_path)
    for problem in problems:
        print(problem)
    if problems:
        print(f'{len(problems)} include(s) against the layers')
        return 1
    print('every include keeps to the layers')
    return 0


if __name__ == '__main__':
    sys.exit(main(sys.argv))
