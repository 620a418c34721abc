#!/usr/bin/env python3
"""Time of `elencario --verifica "ESTRAZIONE" FILE > /dev/null` against `elencario FILE > /dev/null`
on all the quaterne of 90 numbers (2,555,190 rows, 32 MB), the file in the page cache, side by
side: elapsed and CPU time (user + system, start-up and loading included), each the fastest of
RUNS runs. The draws: five numbers (36,555 winning rows) and all ninety (every row wins).

    bench/verifica_vs_elenco.py [ELENCARIO] [RUNS]      (default: build/cli/elencario, 20)
"""
import os
import subprocess
import tempfile

from misure import argomenti, scrivi_sistema, secondi


def main():
    elencario, ripetizioni = argomenti("build/cli/elencario", 20)
    with tempfile.TemporaryDirectory() as cartella:
        percorso = os.path.join(cartella, "quaterne.txt")
        scrivi_sistema(percorso, 4)
        comandi = (
            ("elenco", [elencario, percorso]),
            ("verifica 5", [elencario, "--verifica", "3 15 27 42 90", percorso]),
            ("verifica 90", [elencario, "--verifica", " ".join(map(str, range(1, 91))), percorso]),
        )
        migliori = {}
        print(f"{'':12} {'elapsed':>10} {'CPU':>10} {'ratio':>14}")
        # Interleaved, so that a busy moment of the machine weighs on all of them alike.
        tempi = {nome: [] for nome, _ in comandi}
        for _ in range(ripetizioni):
            for nome, comando in comandi:
                tempi[nome].append(secondi(comando))
        for nome, _ in comandi:
            migliori[nome] = (min(t[0] for t in tempi[nome]), min(t[1] for t in tempi[nome]))
            rapporto = [migliori[nome][i] / migliori["elenco"][i] for i in (0, 1)]
            print(f"{nome:12} {migliori[nome][0] * 1000:7.1f} ms {migliori[nome][1] * 1000:7.1f} ms"
                  f" {rapporto[0]:6.2f} x {rapporto[1]:5.2f} x")


if __name__ == "__main__":
    main()
