#!/usr/bin/env python3
"""Measures the CPU use of the headless program while it polls a loopback server once a second.

A small UDP server answers every "getstatus" with a real recorded reply; the program runs for
the given seconds and its user+system CPU time is divided by the wall time.
usage: tools/measure_idle_cpu.py BINARY [SECONDS] [CAPTURE]
"""
import os
import resource
import socket
import subprocess
import sys
import tempfile
import threading
import time

binary = sys.argv[1]
seconds = float(sys.argv[2]) if len(sys.argv) > 2 else 60
capture = sys.argv[3] if len(sys.argv) > 3 else os.path.join(
    os.path.dirname(__file__), "..", "..", "shared", "captures", "tdm_oa_dm1_x1.q3cap")

reply = None
with open(capture) as f:
    for line in f:
        if not line.startswith("#") and not line.rstrip().endswith(" -"):
            reply = bytes.fromhex(line.split()[1])
server = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
server.bind(("127.0.0.1", 0))
server.settimeout(0.5)
port = server.getsockname()[1]
answered = 0
stop = False


def serve():
    global answered
    while not stop:
        try:
            data, addr = server.recvfrom(2048)
        except socket.timeout:
            continue
        if data == b"\xff\xff\xff\xffgetstatus":
            server.sendto(reply, addr)
            answered += 1


threading.Thread(target=serve, daemon=True).start()
with tempfile.TemporaryDirectory() as d:
    start = time.monotonic()
    subprocess.run([binary, "--headless", "--json", "--dir", d, "--server",
                    f"127.0.0.1:{port}", "--duration", str(seconds)],
                   stdout=subprocess.DEVNULL, check=True)
    wall = time.monotonic() - start
stop = True
usage = resource.getrusage(resource.RUSAGE_CHILDREN)
cpu = usage.ru_utime + usage.ru_stime
print(f"polled {answered} replies of {len(reply)} bytes in {wall:.1f} s: "
      f"CPU {cpu:.3f} s = {100 * cpu / wall:.2f} % of one core "
      f"(max RSS {usage.ru_maxrss / 1024:.1f} MiB)")
