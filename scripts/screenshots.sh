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

# The basket errand on 1440 x 900: two items put into the basket (the first through the stock
# item window with the quantity 2), delivery, cargo type, company and a note chosen, "Gönder".
xvfb-run -a -s "-screen 0 1440x900x24" bash -c "
    '$bin/kaveltrim-dornep' & sleep 2
    xdotool type demo; xdotool key Return; xdotool type 1234; xdotool key Return; sleep 3
    xdotool type 'fren balatasi on'; xdotool key Return; sleep 3
    xdotool mousemove 250 275 click --repeat 2 --delay 80 1; sleep 2
    import -window root '$out/stok-ayrinti.png'
    xdotool type 2; xdotool key Return; sleep 1
    xdotool mousemove 250 335 click --repeat 2 --delay 80 1; sleep 1
    xdotool key Return; sleep 1
    xdotool mousemove 187 180 click 1; sleep 2
    xdotool mousemove 180 780 click 1; sleep 1
    xdotool mousemove 487 737 click 1; sleep 1
    xdotool key Down Down Return; sleep 1
    xdotool mousemove 850 770 click 1
    xdotool type 'Sabah teslim edilirse sevinirim.'; xdotool key Return
    xdotool type 'Teslim adresi: Merkez depo.'; sleep 1
    import -window root '$out/sepet.png'
    xdotool mousemove 1361 731 click 1; sleep 2
    import -window root '$out/siparis-onay.png'
    kill %1"

ls "$out"
