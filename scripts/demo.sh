#!/usr/bin/env bash
# Installs what is missing, builds in Release, creates the demo database when missing, starts
# the reference server on loopback, runs the client against it and stops the server afterwards.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

"$root/scripts/install-deps.sh"
cmake -S "$root" -B "$root/build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$root/build" -j "$(nproc)" --target kaveltrim-dornep kaveltrim-server

bin=$root/build/bin
db=$root/demo-data/kaveltrim.db
port=${KAVELTRIM_SERVER_PORT:-9090}
mkdir -p "$root/demo-data"
if [[ ! -s "$db" ]]; then
  echo "Demo veritabanı oluşturuluyor: $db"
  "$bin/kaveltrim-server" init-demo --db "$db"
fi

# This workstation signs in as the demo dealer.
workstation=$("$bin/kaveltrim-dornep" --istasyon-kimligi)
"$bin/kaveltrim-server" register-workstation --db "$db" --id "$workstation" --user DEMO

log=$root/demo-data/server.log
"$bin/kaveltrim-server" serve --db "$db" --listen 127.0.0.1 --port "$port" >"$log" 2>&1 &
server=$!
trap 'kill "$server" 2>/dev/null; wait "$server" 2>/dev/null || true' EXIT
for _ in $(seq 50); do
  grep -q "listening on" "$log" && break
  kill -0 "$server" 2>/dev/null || { cat "$log"; exit 1; }
  sleep 0.1
done

echo "Sunucu 127.0.0.1:$port adresinde çalışıyor. Giriş: kullanıcı adı DEMO, şifre 1234"
export KAVELTRIM_SERVER_HOST=127.0.0.1 KAVELTRIM_SERVER_PORT=$port
export KAVELTRIM_WEB_URL=http://127.0.0.1:$port/ KAVELTRIM_IP_URL=http://127.0.0.1:$port/ip.php
"$bin/kaveltrim-dornep"
