// Keeps the test session's Wine desktop alive from the first test to the last.
//
// Wine runs each desktop in an explorer.exe process that starts with the first
// window of a session and ends about two seconds after its last user process.
// Started by a test, that process inherits the test's output pipes, and CTest
// waits for those pipes to close: every test with a window would pay the two
// seconds. The session script starts this program first, detached from any
// pipe; it owns a window on the desktop and waits until the wineserver stops.
#include <windows.h>

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE, LPSTR, int)
{
    // Not visible: only the connection to the desktop matters.
    if (!::CreateWindowExA(0, "STATIC", "Kovana test desktop", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, hInstance,
                           nullptr))
        return 1;
    MSG msg;
    while (::GetMessageA(&msg, nullptr, 0, 0) > 0)
        ::DispatchMessageA(&msg);
    return 0;
}
