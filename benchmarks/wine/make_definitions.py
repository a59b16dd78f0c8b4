#!/usr/bin/env python3
"""Writes a definition set for the Wine benchmark, and what makes part of it present.

make_definitions.py OUT FILE_LINES REGISTRY_LINES EVERY [PROGRAM_FILES]

OUT gets FileDefinition.dat and RegistryDefinition.dat in the stored (scrambled) form, the
plain lists the bare loop checks (bare-files.txt, bare-registry.txt), the files to create
(present-files.txt, below the Program Files folder) and the registry values to create
(present.reg); with PROGRAM_FILES (the prefix's folder) the files are made there. Every EVERY-th line of each kind is present (0: none). Each file line is a
threat of its own, so the found traces are as many threats and as many rows.
"""
import os
import sys


def scramble(text):
    # The stored form: a character code p becomes p + 64 up to 191, p - 191 above.
    codes = text.encode("latin-1")
    return bytes(c + 64 if c <= 191 else c - 191 for c in codes)


def main():
    out, file_lines, registry_lines, every = sys.argv[1], *map(int, sys.argv[2:5])
    program_files = sys.argv[5] if len(sys.argv) > 5 else None
    os.makedirs(out, exist_ok=True)
    present = lambda i: every > 0 and i % every == 0

    with open(os.path.join(out, "FileDefinition.dat"), "wb") as stored, \
            open(os.path.join(out, "bare-files.txt"), "w", newline="\r\n") as bare, \
            open(os.path.join(out, "present-files.txt"), "w") as made:
        for i in range(file_lines):
            folder = "BenchSet\\d%02d" % (i % 100)
            name = "f%06d.dll" % i
            stored.write(scramble("%s=Bench Threat %06d|[progfil]%s|Bench file" %
                                  (name, i, folder)) + b"\r\n")
            bare.write("[progfil]%s\\%s\n" % (folder, name))
            if present(i):
                made.write("%s/%s\n" % (folder.replace("\\", "/"), name))
                if program_files:
                    where = os.path.join(program_files, *folder.split("\\"))
                    os.makedirs(where, exist_ok=True)
                    with open(os.path.join(where, name), "wb") as planted:
                        planted.write(b"bench\r\n")

    with open(os.path.join(out, "RegistryDefinition.dat"), "wb") as stored, \
            open(os.path.join(out, "bare-registry.txt"), "w", newline="\r\n") as bare, \
            open(os.path.join(out, "present.reg"), "w", newline="\r\n") as reg:
        reg.write("REGEDIT4\n\n")
        for i in range(registry_lines):
            key = "Software\\BenchSet\\k%03d" % (i % 200)
            value = "v%06d" % i
            stored.write(scramble("1^%s^%s=Bench Value %06d|Bench value" % (key, value, i)) +
                         b"\r\n")
            bare.write("%s\t%s\n" % (key, value))
            # The registry's part stays at 1%: the found traces are the files.
            if i % max(every, 100) == 0 and every > 0:
                reg.write("[HKEY_CURRENT_USER\\%s]\n\"%s\"=\"bench\"\n\n" % (key, value))


if __name__ == "__main__":
    main()
