#!/usr/bin/env python3
"""Time of `elencario FILE > /dev/null` against `wc -l FILE` on all the quaterne of 90 numbers
(2,555,190 rows, 32 MB), the file in the page cache: elapsed and CPU time (user + system, start-up
included), each the fastest of RUNS runs.

    bench/comando_vs_wc.py [ELENCARIO] [RUNS]      (default: build-release/cli/elencario, 20)
"""
import os
import subprocess
import tempfile

from misure import argomenti, scrivi_sistema, secondi


def main():
    elencario, ripetizioni = argomenti("build-release/cli/elencario", 20)
    with tempfile.TemporaryDirectory() as cartella:
        percorso = os.path.join(cartella, "quaterne.txt")
        scrivi_sistema(percorso, 4)
        migliori = {}
        print(f"{'':10} {'elapsed':>10} {'CPU':>10}")
        comandi = (("wc -l", ["wc", "-l", percorso]), ("elencario", [elencario, percorso]))
        for nome, comando in comandi:
            tempi = [secondi(comando) for _ in range(ripetizioni)]
            migliori[nome] = (min(t[0] for t in tempi), min(t[1] for t in tempi))
            trascorsi, cpu = migliori[nome]
            print(f"{nome:10} {trascorsi * 1000:7.1f} ms {cpu * 1000:7.1f} ms")
        rapporti = [migliori["elencario"][i] / migliori["wc -l"][i] for i in (0, 1)]
        print(f"{'ratio':10} {rapporti[0]:8.1f} x {rapporti[1]:8.1f} x")


if __name__ == "__main__":
    main()
