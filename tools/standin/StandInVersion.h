// The texts by which the front end tells the two builds of the stand-in
// emulator apart. The tests include this header to know what to expect.
#pragma once

// The Win32 build: its version text stands before the first "Win32" of the file.
#define ZOT_STANDIN_WIN32_VERSION "ZOT 0.9 Win32 stand-in"
// The DOS build: a banner format that begins with "ZOT %".
#define ZOT_STANDIN_DOS_BANNER "ZOT %s (DOS build stand-in)"
#define ZOT_STANDIN_DOS_VERSION "0.9"

// Files the stand-in reads and writes in its own folder
#define ZOT_STANDIN_WIN32_OPTIONS ".zotrc"
#define ZOT_STANDIN_DOS_OPTIONS "zot.rc"
#define ZOT_STANDIN_RECEIPT "zot-receipt.bin"
#define ZOT_STANDIN_NO_OPTIONS "zot-receipt.none"
// Set to 1, the stand-in quits after its receipt instead of showing its window.
#define ZOT_STANDIN_EXIT_VARIABLE "ZOT_STANDIN_EXIT"
