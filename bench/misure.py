"""What the benches share: the program and the runs asked on the command line, the regular
systems of 90 numbers written as files, and the time of one run of a command."""
import itertools
import resource
import subprocess
import sys
import time


def argomenti(programma, ripetizioni):
    """The program and the number of runs given as arguments, else these defaults."""
    if len(sys.argv) > 1:
        programma = sys.argv[1]
    if len(sys.argv) > 2:
        ripetizioni = int(sys.argv[2])
    return programma, ripetizioni


def scrivi_sistema(percorso, lunghezza):
    """All the combinations of 1..90 taken `lunghezza` at a time, a row each, CR LF ended."""
    with open(percorso, "w", newline="") as f:
        for c in itertools.combinations(range(1, 91), lunghezza):
            f.write(" ".join(map(str, c)) + "\r\n")


def secondi(comando):
    """Elapsed and CPU seconds (user + system) of one run."""
    prima = resource.getrusage(resource.RUSAGE_CHILDREN)
    inizio = time.perf_counter()
    subprocess.run(comando, stdout=subprocess.DEVNULL, check=True)
    trascorsi = time.perf_counter() - inizio
    dopo = resource.getrusage(resource.RUSAGE_CHILDREN)
    return trascorsi, (dopo.ru_utime - prima.ru_utime) + (dopo.ru_stime - prima.ru_stime)
