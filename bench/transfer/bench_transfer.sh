#!/usr/bin/env bash
# bench_transfer: DownloadFile against curl in the same run, hyperfine's mean of 5 runs each,
# servers on loopback: nginx for 1 GB into a file, 256 MB into memory and 1000 sequential 1 KB
# GETs (each on a new connection; curl gets all URLs in one call with "Connection: close"); a
# scripted chunked server for 100 MB into memory; pyftpdlib for 1 GB over FTP (both sides into
# /dev/null). Prints the time ratios (ours over curl's) with their goals.
set -euo pipefail
player=${QUILLMERE:-@QUILLMERE@}
qmasm=${QMASM:-@QMASM@}
here=${BENCH_DIR:-@BENCH_DIR@}
work=$(mktemp -d /tmp/bench_transfer.XXXXXX)
pids=()
trap 'for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done; rm -rf "$work"' EXIT
cd "$work"
export SDL_VIDEODRIVER=offscreen SDL_AUDIODRIVER=dummy
for p in dl_file dl_null dl_mem gets; do "$qmasm" "$here/$p.qasm" -o "$p.qmb"; done
free_port() { /usr/bin/python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])'; }
wait_port() { for _ in $(seq 200); do (exec 3<>"/dev/tcp/127.0.0.1/$1") 2>/dev/null && return; sleep 0.05; done; }

mkdir -p root nginx/tmp
truncate -s 1G root/big
head -c 268435456 /dev/zero > root/mid
head -c 1024 /dev/urandom > root/small
web=$(free_port)
cat > nginx/nginx.conf <<CONF
daemon off; master_process off; worker_processes 1;
error_log $work/nginx/error.log; pid $work/nginx/nginx.pid;
events { worker_connections 256; }
http { access_log off; sendfile on; client_body_temp_path $work/nginx/tmp; proxy_temp_path $work/nginx/tmp;
  fastcgi_temp_path $work/nginx/tmp; uwsgi_temp_path $work/nginx/tmp; scgi_temp_path $work/nginx/tmp;
  server { listen 127.0.0.1:$web; root $work/root; } }
CONF
/usr/sbin/nginx -p "$work/nginx" -c "$work/nginx/nginx.conf" & pids+=($!)
chunked=$(free_port)
/usr/bin/python3 - "$chunked" <<'PY' & pids+=($!)
# 100 MB in chunks of 64 KB to every request.
import socket, sys, threading
piece = b"%x\r\n" % 65536 + b"c" * 65536 + b"\r\n"
def serve(conn):
    f = conn.makefile("rb")
    while (line := f.readline()) != b"\r\n":
        if not line:  # the readiness probe: connected and gone without a request
            conn.close()
            return
    conn.sendall(b"HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n")
    for _ in range(1600):
        conn.sendall(piece)
    conn.sendall(b"0\r\n\r\n")
    conn.close()
s = socket.socket(); s.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
s.bind(("127.0.0.1", int(sys.argv[1]))); s.listen(16)
while True:
    c, _ = s.accept()
    threading.Thread(target=serve, args=(c,), daemon=True).start()
PY
ftp=$(free_port)
/usr/bin/python3 -m pyftpdlib -i 127.0.0.1 -p "$ftp" -d "$work/root" > ftp.log 2>&1 & pids+=($!)
wait_port "$web"; wait_port "$chunked"; wait_port "$ftp"

# compare LABEL GOAL URL OURS PEER
compare() {
  printf %s "$3" > url.txt
  hyperfine --style none --runs 5 --export-json times.json "$4" "$5" > /dev/null 2>&1
  /usr/bin/python3 - "$1" "$2" <<'PY'
import json, sys
ours, peer = json.load(open("times.json"))["results"]
print(f"{sys.argv[1]}: ours {ours['mean']:.3f} s, curl {peer['mean']:.3f} s, "
      f"ratio {ours['mean'] / peer['mean']:.2f} (goal <= {sys.argv[2]})")
PY
}

compare "1 GB into a file" 1.2 "http://127.0.0.1:$web/big" \
  "$player -quiet dl_file.qmb" "curl -s -o out.bin http://127.0.0.1:$web/big"
compare "256 MB into memory" 1.3 "http://127.0.0.1:$web/mid" \
  "$player -quiet dl_mem.qmb" "curl -s -o /dev/null http://127.0.0.1:$web/mid"
compare "100 MB chunked into memory" 1.3 "http://127.0.0.1:$chunked/c" \
  "$player -quiet dl_mem.qmb" "curl -s -o /dev/null http://127.0.0.1:$chunked/c"
urls=$(for i in $(seq 1000); do printf 'http://127.0.0.1:%s/small ' "$web"; done)
compare "1000 sequential 1 KB GETs" 1.2 "http://127.0.0.1:$web/small" \
  "$player -quiet gets.qmb" "curl -s -o /dev/null -H 'Connection: close' $urls"
compare "1 GB over FTP" 1.2 "ftp://127.0.0.1:$ftp/big" \
  "$player -quiet dl_null.qmb" "curl -s -o /dev/null ftp://127.0.0.1:$ftp/big"
