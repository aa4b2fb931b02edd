// A stand-in for the Win32 build of the emulator: it shows the options file
// that the front end wrote beside it, and ends. Its version text carries the
// build marker that the front end looks for.
#include <windows.h>

#include <cstdio>
#include <string>

static const char VERSION[] = "ZOT 0.9 stand-in (Win32)";

static bool ReadOptions(const char* pszName, std::string& text)
{
    FILE* f = fopen(pszName, "rb");
    if (!f)
        return false;
    char buffer[4096];
    size_t n;
    while ((n = fread(buffer, 1, sizeof(buffer), f)) > 0)
        text.append(buffer, n);
    fclose(f);
    return true;
}

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    std::string text;
    std::string message;
    if (ReadOptions(".zotrc", text))
        message = "Options from .zotrc:\r\n\r\n" + text;
    else if (ReadOptions("zot.rc", text))
        message = "Options from zot.rc:\r\n\r\n" + text;
    else
        message = "No options file in this folder.";
    ::MessageBoxA(nullptr, message.c_str(), VERSION, MB_OK | MB_ICONINFORMATION);
    return 0;
}
