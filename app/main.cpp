#include "LauncherApp.h"

// The one application object of the program; tests make their own.
CLauncherApp theApp;

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE, LPSTR lpCmdLine, int)
{
    return AfxWinMain(hInstance, lpCmdLine);
}
