#!/usr/bin/env bash
# Takes the README's pictures (docs/*.png, docs/pages/*.png) from the real
# program: builds it, prepares a configuration with an emulator, a Kickstart
# file, floppies, hard disks and a catalog under way, and copies each window
# from a Wine virtual desktop (which draws the title bars) on a private display.
# The three windows are taken again with the display at 150 % (144 DPI), as
# docs/*-window-144dpi.png.
#   usage: tools/screenshots.sh
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/tools/build.sh"

kovana_build tests screenshots -- Kovana zot zotdos desktop_keeper kovana_shots

shots="$build/shots"
rm -rf "$shots"
mkdir -p "$shots"

# A prefix of its own: the pictures need the virtual desktop, which must never
# show around the program that tools/start.sh runs.
. "$root/tools/wine-session.sh" "$build/wine-shots" desktop
kovana_detached wine "$build/tests/desktop_keeper.exe"

# A program takes the display's scale when it starts, from this value; the
# picture taker runs at the same scale as the program, whose title bar it reads.
set_dpi() {
    kovana_run wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f \
        >/dev/null 2>&1 </dev/null
}
set_dpi 96
kovana_run wine "$build/tools/screenshots/kovana_shots.exe" "Z:${shots//\//\\}"
set_dpi 144
kovana_run wine "$build/tools/screenshots/kovana_shots.exe" "Z:${shots//\//\\}" -144dpi
set_dpi 96

# The copies are 24-bit bitmaps; PNG files of the same pixels, without metadata
# that would change from one run to the next.
mkdir -p "$root/docs/pages"
python3 - "$shots" "$root/docs" <<'PYTHON'
import os, struct, sys, zlib

shots, docs = sys.argv[1], sys.argv[2]
count = 0
for folder in ("", "pages"):
    for name in sorted(os.listdir(os.path.join(shots, folder))):
        if not name.endswith(".bmp"):
            continue
        data = open(os.path.join(shots, folder, name), "rb").read()
        offset, = struct.unpack_from("<I", data, 10)
        width, height, _, bits = struct.unpack_from("<iiHH", data, 18)
        if bits != 24:
            sys.exit("screenshots.sh: %s is not a 24-bit bitmap" % name)
        stride = (width * 3 + 3) & ~3
        rows = []
        for y in range(abs(height)):
            line = y if height < 0 else abs(height) - 1 - y
            bgr = data[offset + line * stride:offset + line * stride + width * 3]
            rgb = bytearray(len(bgr))
            rgb[0::3], rgb[1::3], rgb[2::3] = bgr[2::3], bgr[1::3], bgr[0::3]
            rows.append(b"\0" + bytes(rgb))

        def chunk(tag, body):
            return struct.pack(">I", len(body)) + tag + body + struct.pack(">I", zlib.crc32(tag + body))
        png = (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, abs(height), 8, 2, 0, 0, 0))
               + chunk(b"IDAT", zlib.compress(b"".join(rows), 9)) + chunk(b"IEND", b""))
        with open(os.path.join(docs, folder, name[:-4] + ".png"), "wb") as f:
            f.write(png)
        count += 1
print("screenshots.sh: %d pictures written under %s" % (count, docs))
PYTHON
