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

from misure import argomenti, scrivi_sistema


def trascorsi(comando, shell=False):
    inizio = time.perf_counter()
    subprocess.run(comando, shell=shell, stdout=subprocess.DEVNULL, check=True)
    return time.perf_counter() - inizio


def pagine(pdf):
    informazioni = subprocess.run(["pdfinfo", pdf], capture_output=True, text=True, check=True)
    righe = informazioni.stdout.splitlines()
    return int(next(riga.split()[1] for riga in righe if riga.startswith("Pages:")))


def main():
    elencario, ripetizioni = argomenti("build/cli/elencario", 5)
    with tempfile.TemporaryDirectory() as cartella:
        terni, elenco = os.path.join(cartella, "terni.txt"), os.path.join(cartella, "terni.lst")
        nostro, loro = os.path.join(cartella, "e.pdf"), os.path.join(cartella, "p.pdf")
        scrivi_sistema(terni, 3)
        with open(elenco, "w") as f:
            subprocess.run([elencario, terni], stdout=f, check=True)
        coppie = []
        for _ in range(ripetizioni):
            coppie.append((trascorsi([elencario, "--pdf", nostro, terni]),
                           trascorsi(f"enscript -q -o - '{elenco}' | ps2pdf - '{loro}'", True)))
        a = statistics.median(p[0] for p in coppie)
        b = statistics.median(p[1] for p in coppie)
        print(f"terni, elencario --pdf:    {a:6.3f} s  {pagine(nostro):6d} pages")
        print(f"terni, enscript | ps2pdf:  {b:6.3f} s  {pagine(loro):6d} pages")
        print(f"ratio: {b / a:.2f}")

        quaterne = os.path.join(cartella, "quaterne.txt")
        scrivi_sistema(quaterne, 4)
        inizio = time.perf_counter()
        figlio = subprocess.Popen([elencario, "--pdf", nostro, quaterne], stdout=subprocess.DEVNULL)
        _, stato, uso = os.wait4(figlio.pid, 0)
        secondi = time.perf_counter() - inizio
        if stato != 0:
            sys.exit(f"elencario: status {stato}")
        n = pagine(nostro)
        print(f"quaterne, elencario --pdf: {secondi:6.3f} s  {n:6d} pages  "
              f"{n / secondi:8.0f} pages/s  peak {uso.ru_maxrss / 1024:.0f} MB")


if __name__ == "__main__":
    main()
