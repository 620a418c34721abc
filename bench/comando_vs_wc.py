#!/usr/bin/env python3
"""Time of `elencario FILE > /dev/null` against `wc -l FILE` on all the quaterne of 90 numbers
(2,555,190 rows, 32 MB), the file in the page cache: elapsed and CPU time (user + system, start-up
included), each the fastest of RUNS runs.

    bench/comando_vs_wc.py [ELENCARIO] [RUNS]      (default: build-release/cli/elencario, 20)
"""
import os
import subprocess
import sys
import tempfile

from misure import seconds, write_system


def main():
    elencario = sys.argv[1] if len(sys.argv) > 1 else "build-release/cli/elencario"
    runs = int(sys.argv[2]) if len(sys.argv) > 2 else 20
    with tempfile.TemporaryDirectory() as folder:
        path = os.path.join(folder, "quaterne.txt")
        write_system(path, 4)
        best = {}
        print(f"{'':10} {'elapsed':>10} {'CPU':>10}")
        for name, command in (("wc -l", ["wc", "-l", path]), ("elencario", [elencario, path])):
            times = [seconds(command) for _ in range(runs)]
            best[name] = (min(t[0] for t in times), min(t[1] for t in times))
            print(f"{name:10} {best[name][0] * 1000:7.1f} ms {best[name][1] * 1000:7.1f} ms")
        ratios = [best["elencario"][i] / best["wc -l"][i] for i in (0, 1)]
        print(f"{'ratio':10} {ratios[0]:8.1f} x {ratios[1]:8.1f} x")


if __name__ == "__main__":
    main()
