#!/usr/bin/env python3
"""Turns a captured status stream (tests/data/*.q3cap) into a recording (.rec): every answered
datagram becomes one record, stamped with its receive time in seconds since midnight (the
capture's start, UTC, plus its milliseconds), the reply bytes unchanged; the server record
before the first names the capture's target, as the program's own recordings do."""
import struct
import sys
from datetime import datetime


def time_text(seconds):
    single = struct.unpack("f", struct.pack("f", seconds))[0]
    return " %.7g" % single


def main(source, target):
    start = None
    target_address = None
    out = bytearray()
    with open(source, encoding="ascii") as f:
        for line in f:
            line = line.rstrip("\n")
            if line.startswith("# started_utc "):
                stamp = datetime.strptime(line.split()[2][:19], "%Y-%m-%dT%H:%M:%S")
                fraction = float("0." + line.split(".")[1].rstrip("Z"))
                start = stamp.hour * 3600 + stamp.minute * 60 + stamp.second + fraction
            if line.startswith("# target "):
                target_address = line.split()[2]
            if line.startswith("#") or not line:
                continue
            ms, data = line.split(" ", 1)
            if data == "-":
                continue
            reply = bytes.fromhex(data)
            time = time_text(start + int(ms) / 1000)
            if target_address:
                server = b"\xff\xff\xff\xffdisconnect recorded from " + target_address.encode()
                out += time.encode() + b"\r\n" + server + b"\r\n"
                target_address = None
            if b"\r" in reply:
                time += " %d" % len(reply)  # the length form: the reply's bytes are counted
            out += time.encode() + b"\r\n" + reply + b"\r\n"
    with open(target, "wb") as f:
        f.write(out)


if __name__ == "__main__":
    main(sys.argv[1], sys.argv[2])
