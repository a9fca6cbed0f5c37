#!/usr/bin/env python3
"""Writes a data list of N JAN rows (default 6,500) for timing a print:
   make_print_list.py OUT.lst [N]"""
import sys

out = sys.argv[1]
count = int(sys.argv[2]) if len(sys.argv) > 2 else 6500
with open(out, "wb") as f:
    for row in range(1, count + 1):
        line = "[DATA_LIST]=%d;Label %d;490000%06d;\r\n" % (row, row, row)
        f.write(line.encode("cp932"))
    # The program writes the empty row past the last one, and reads a file's last
    # line as that row: without it the last label would not be printed.
    f.write(("[DATA_LIST]=%d;;;\r\n" % (count + 1)).encode("cp932"))
