#!/usr/bin/env python3
"""The PDF of all the terni of 90 numbers (117,480 rows) by `elencario --pdf` against the same
listing through PostScript, `enscript -q -o - LISTING | ps2pdf - OUT`, side by side in one run:
the median of RUNS pairs, and the ratio. Then all the quaterne (2,555,190 rows) by `elencario
--pdf`: pages per second and peak memory. Needs enscript and ghostscript (scripts/install-deps
enscript ghostscript).

    bench/pdf_contro_enscript.py [ELENCARIO] [RUNS]      (default: build/cli/elencario, 5)
"""
import os
import statistics
import subprocess
import sys
import tempfile
import time

from misure import write_system


def elapsed(command, shell=False):
    start = time.perf_counter()
    subprocess.run(command, shell=shell, stdout=subprocess.DEVNULL, check=True)
    return time.perf_counter() - start


def pages(pdf):
    info = subprocess.run(["pdfinfo", pdf], capture_output=True, text=True, check=True).stdout
    return int(next(line.split()[1] for line in info.splitlines() if line.startswith("Pages:")))


def main():
    elencario = sys.argv[1] if len(sys.argv) > 1 else "build/cli/elencario"
    runs = int(sys.argv[2]) if len(sys.argv) > 2 else 5
    with tempfile.TemporaryDirectory() as folder:
        terni, listing = os.path.join(folder, "terni.txt"), os.path.join(folder, "terni.lst")
        ours, theirs = os.path.join(folder, "e.pdf"), os.path.join(folder, "p.pdf")
        write_system(terni, 3)
        with open(listing, "w") as f:
            subprocess.run([elencario, terni], stdout=f, check=True)
        pairs = []
        for _ in range(runs):
            pairs.append((elapsed([elencario, "--pdf", ours, terni]),
                          elapsed(f"enscript -q -o - '{listing}' | ps2pdf - '{theirs}'", True)))
        a = statistics.median(p[0] for p in pairs)
        b = statistics.median(p[1] for p in pairs)
        print(f"terni, elencario --pdf:    {a:6.3f} s  {pages(ours):6d} pages")
        print(f"terni, enscript | ps2pdf:  {b:6.3f} s  {pages(theirs):6d} pages")
        print(f"ratio: {b / a:.2f}")

        quaterne = os.path.join(folder, "quaterne.txt")
        write_system(quaterne, 4)
        start = time.perf_counter()
        child = subprocess.Popen([elencario, "--pdf", ours, quaterne], stdout=subprocess.DEVNULL)
        _, status, usage = os.wait4(child.pid, 0)
        seconds = time.perf_counter() - start
        if status != 0:
            sys.exit(f"elencario: status {status}")
        n = pages(ours)
        print(f"quaterne, elencario --pdf: {seconds:6.3f} s  {n:6d} pages  "
              f"{n / seconds:8.0f} pages/s  peak {usage.ru_maxrss / 1024:.0f} MB")


if __name__ == "__main__":
    main()
