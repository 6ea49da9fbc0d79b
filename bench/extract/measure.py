#!/usr/bin/env python3
"""Runs a command and prints 'seconds peak_rss_kib' of it on standard error's last line.

Used by the extraction benchmarks: the peak resident size of the child alone,
from getrusage, so no shell or timer program is counted."""
import os
import resource
import subprocess
import sys
import time

start = time.monotonic()
status = subprocess.call(sys.argv[1:], stdout=subprocess.DEVNULL)
elapsed = time.monotonic() - start
peak = resource.getrusage(resource.RUSAGE_CHILDREN).ru_maxrss
print(f"{elapsed:.3f} {peak}")
sys.exit(status)
