"""What the benches share: the regular systems of 90 numbers written as files, and the time of
one run of a command."""
import itertools
import resource
import subprocess
import time


def write_system(path, size):
    """All the combinations of 1..90 taken `size` at a time, a row each, CR LF ended."""
    with open(path, "w", newline="") as f:
        for c in itertools.combinations(range(1, 91), size):
            f.write(" ".join(map(str, c)) + "\r\n")


def seconds(command):
    """Elapsed and CPU seconds (user + system) of one run."""
    before = resource.getrusage(resource.RUSAGE_CHILDREN)
    start = time.perf_counter()
    subprocess.run(command, stdout=subprocess.DEVNULL, check=True)
    elapsed = time.perf_counter() - start
    after = resource.getrusage(resource.RUSAGE_CHILDREN)
    return elapsed, (after.ru_utime - before.ru_utime) + (after.ru_stime - before.ru_stime)
