#!/usr/bin/env python3
"""Times pakmak-lsp as an editor meets it (run by scripts/bench.sh).

Usage: lsp_bench.py PAKMAK_LSP FOLDER

FOLDER holds Native.ina, Uninst.inf and an Install.inf of about 1 MB. The
script opens Install.inf, then makes 20 one-character changes, one at a time,
each timed from sending didChange to the publishDiagnostics of its version
(the server's wait for the next change included). Prints the median in
milliseconds and the server's memory from /proc/PID/status: its resident
memory (VmRSS) at rest with the file open after the changes, the idle
server's (after initialize, before the file is opened) beside it, and the
peak (VmHWM, reached while the didOpen message is read). The file's share is
the resident memory with the file open less the idle server's: what the
server holds because of the file, which the target compares with 3x the
file's size. The idle server's resident memory is mostly the code pages of
the program and of the C and C++ libraries, shared with other processes and
the same for every file.
"""
import json
import os
import statistics
import subprocess
import sys
import time


def main():
    server_path, folder = sys.argv[1], sys.argv[2]
    path = os.path.abspath(os.path.join(folder, "Install.inf"))
    with open(path, "rb") as f:
        text = f.read().decode("cp932")
    uri = "file://" + path
    server = subprocess.Popen([server_path], stdin=subprocess.PIPE, stdout=subprocess.PIPE)
    buffer = b""

    def send(message):
        body = json.dumps(message).encode()
        server.stdin.write(b"Content-Length: %d\r\n\r\n" % len(body) + body)
        server.stdin.flush()

    def receive():
        nonlocal buffer
        while True:
            end = buffer.find(b"\r\n\r\n")
            if end >= 0:
                length = int(buffer[:end].split(b":")[1])
                if len(buffer) >= end + 4 + length:
                    body = buffer[end + 4:end + 4 + length]
                    buffer = buffer[end + 4 + length:]
                    return json.loads(body)
            chunk = os.read(server.stdout.fileno(), 1 << 20)
            if not chunk:
                sys.exit("lsp_bench: the server ended")
            buffer += chunk

    def published(version):
        while True:
            message = receive()
            if message.get("method") == "textDocument/publishDiagnostics" and \
                    message["params"]["uri"] == uri and message["params"].get("version") == version:
                return message["params"]["diagnostics"]

    def memory():
        with open("/proc/%d/status" % server.pid) as f:
            return {line.split(":")[0]: int(line.split()[1]) for line in f if line.startswith(("VmRSS:", "VmHWM:"))}

    send({"jsonrpc": "2.0", "id": 1, "method": "initialize", "params": {"capabilities": {}}})
    send({"jsonrpc": "2.0", "method": "initialized", "params": {}})
    receive()  # the answer to initialize
    time.sleep(0.2)
    idle_kib = memory()["VmRSS"]
    send({"jsonrpc": "2.0", "method": "textDocument/didOpen",
          "params": {"textDocument": {"uri": uri, "languageId": "inf", "version": 1, "text": text}}})
    found = published(1)
    if any(d["severity"] == 1 for d in found):
        sys.exit("lsp_bench: the description has errors: %s" % found[:3])
    times = []
    for version in range(2, 22):
        # Line 1 is "Maker = Bench": its last letter toggles between h and H.
        letter = "H" if version % 2 == 0 else "h"
        change = {"range": {"start": {"line": 1, "character": 12}, "end": {"line": 1, "character": 13}},
                  "text": letter}
        start = time.perf_counter()
        send({"jsonrpc": "2.0", "method": "textDocument/didChange",
              "params": {"textDocument": {"uri": uri, "version": version}, "contentChanges": [change]}})
        published(version)
        times.append((time.perf_counter() - start) * 1000)
    # At rest: after the last check has given back what it held for a moment.
    time.sleep(0.5)
    status = memory()
    rss_kib, peak_kib = status["VmRSS"], status["VmHWM"]
    send({"jsonrpc": "2.0", "id": 2, "method": "shutdown"})
    send({"jsonrpc": "2.0", "method": "exit"})
    server.wait(timeout=10)
    size_kib = os.path.getsize(path) / 1024
    print("%-34s %10.1f ms (target: at most 50 ms)" % ("(k) pakmak-lsp, change to published",
                                                       statistics.median(times)))
    print("%-34s %10d KiB = %.2fx the file's %d KiB (VmRSS; idle server %d KiB)" %
          ("(k) pakmak-lsp resident, file open", rss_kib, rss_kib / size_kib, size_kib, idle_kib))
    print("%-34s %10d KiB = %.2fx the file (target: under 3x)" %
          ("(k) of it, the file's share", rss_kib - idle_kib, (rss_kib - idle_kib) / size_kib))
    print("%-34s %10d KiB = %.2fx the file; %.2fx over the idle server (VmHWM)" %
          ("(k) pakmak-lsp peak resident", peak_kib, peak_kib / size_kib, (peak_kib - idle_kib) / size_kib))


if __name__ == "__main__":
    main()
