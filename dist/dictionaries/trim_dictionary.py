#!/usr/bin/env python3
"""Copies a hunspell dictionary (.dic and .aff) for the web engine's converter.

The converter keeps words of at most 60 bytes and refuses a word list with a
longer one; such words (a handful of jokes and long compounds in the Korean
list) are left out, and the count on the first line is made to match.

usage: trim_dictionary.py SOURCE.dic SOURCE.aff OUTPUT.dic OUTPUT.aff
"""
import os
import shutil
import sys

MAX_WORD_BYTES = 60


def main(argv):
    if len(argv) != 5:
        sys.stderr.write(__doc__)
        return 2
    source_dic, source_aff, output_dic, output_aff = argv[1:]
    with open(source_dic, encoding='utf-8') as f:
        lines = f.read().split('\n')
    words = [line for line in lines[1:]
             if line and len(line.split('/')[0].encode('utf-8')) <= MAX_WORD_BYTES]
    for target in (output_dic, output_aff):
        os.makedirs(os.path.dirname(os.path.abspath(target)), exist_ok=True)
    temporary = output_dic + '.part'
    with open(temporary, 'w', encoding='utf-8') as f:
        f.write('%d\n' % len(words))
        f.write('\n'.join(words) + '\n')
    os.replace(temporary, output_dic)
    shutil.copyfile(source_aff, output_aff + '.part')
    os.replace(output_aff + '.part', output_aff)
    return 0


if __name__ == '__main__':
    sys.exit(main(sys.argv))
