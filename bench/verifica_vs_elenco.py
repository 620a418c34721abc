#!/usr/bin/env python3
"""Time of `elencario --verifica "ESTRAZIONE" FILE > /dev/null` against `elencario FILE > /dev/null`
on all the quaterne of 90 numbers (2,555,190 rows, 32 MB), the file in the page cache, side by
side: elapsed and CPU time (user + system, start-up and loading included), each the fastest of
RUNS runs. The draws: five numbers (36,555 winning rows) and all ninety (every row wins).

    bench/verifica_vs_elenco.py [ELENCARIO] [RUNS]      (default: build/cli/elencario, 20)
"""
import os
import subprocess
import sys
import tempfile

from misure import seconds, write_system


def main():
    elencario = sys.argv[1] if len(sys.argv) > 1 else "build/cli/elencario"
    runs = int(sys.argv[2]) if len(sys.argv) > 2 else 20
    with tempfile.TemporaryDirectory() as folder:
        path = os.path.join(folder, "quaterne.txt")
        write_system(path, 4)
        commands = (
            ("elenco", [elencario, path]),
            ("verifica 5", [elencario, "--verifica", "3 15 27 42 90", path]),
            ("verifica 90", [elencario, "--verifica", " ".join(map(str, range(1, 91))), path]),
        )
        best = {}
        print(f"{'':12} {'elapsed':>10} {'CPU':>10} {'ratio':>14}")
        # Interleaved, so that a busy moment of the machine weighs on all of them alike.
        times = {name: [] for name, _ in commands}
        for _ in range(runs):
            for name, command in commands:
                times[name].append(seconds(command))
        for name, _ in commands:
            best[name] = (min(t[0] for t in times[name]), min(t[1] for t in times[name]))
            ratio = [best[name][i] / best["elenco"][i] for i in (0, 1)]
            print(f"{name:12} {best[name][0] * 1000:7.1f} ms {best[name][1] * 1000:7.1f} ms"
                  f" {ratio[0]:6.2f} x {ratio[1]:5.2f} x")


if __name__ == "__main__":
    main()
