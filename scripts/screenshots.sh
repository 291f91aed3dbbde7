#!/usr/bin/env bash
# Takes the screenshots in docs/screenshots: the login window and the main window after a
# demo dealer's sign-in, under a virtual X server (needs xvfb, xdotool and imagemagick).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bin=$root/build/bin
out=$root/docs/screenshots
tmp=$(mktemp -d)
trap 'kill "${server:-0}" 2>/dev/null || true; rm -rf "$tmp"' EXIT
mkdir -p "$out"

"$bin/kaveltrim-server" init-demo --db "$tmp/demo.db" >/dev/null
"$bin/kaveltrim-server" serve --db "$tmp/demo.db" --port 0 >"$tmp/server.log" &
server=$!
for _ in $(seq 50); do grep -q "listening on" "$tmp/server.log" && break; sleep 0.1; done
port=$(sed -n 's/.*:\([0-9]*\)$/\1/p' "$tmp/server.log" | head -1)

export KAVELTRIM_SERVER_HOST=127.0.0.1 KAVELTRIM_SERVER_PORT=$port
export KAVELTRIM_WEB_URL=http://127.0.0.1:$port/ KAVELTRIM_IP_URL=http://127.0.0.1:$port/ip.php
export KAVELTRIM_WORKSTATION_ID=KVDEMO-BAYI-0 KAVELTRIM_DATA_DIR=$tmp/veri LANG=tr_TR.UTF-8
# Signs in as the demo dealer, then searches; wide on 1440 pixels, narrow on 1152.
shoot() {
  local size=$1 first=$2 search=$3
  xvfb-run -a -s "-screen 0 ${size}x24" bash -c "
    '$bin/kaveltrim-dornep' & sleep 2
    [ -n '$first' ] && import -window root '$out/giris.png'
    xdotool type demo; xdotool key Return; xdotool type 1234; xdotool key Return; sleep 3
    [ -n '$first' ] && import -window root '$out/ana-pencere.png'
    xdotool type 'fren balatasi on'; xdotool key Return; sleep 3
    import -window root '$out/$search'
    kill %1"
}
shoot 1440x900 1 stok-listesi-genis.png
shoot 1152x864 '' stok-listesi-dar.png
ls "$out"
