// The program started again on a profile that a running copy holds.
#include "Driver.h"

#include "res/resource.h"

#include <gtest/gtest.h>

namespace {

// A window of this test that holds the foreground until something takes it
class CForegroundHolder
{
public:
    CForegroundHolder()
    {
        WNDCLASSA wc = {};
        wc.lpfnWndProc = ::DefWindowProcA;
        wc.hInstance = ::GetModuleHandleA(nullptr);
        wc.lpszClassName = "KovanaForegroundHolder";
        ::RegisterClassA(&wc);
        m_hWnd = ::CreateWindowExA(0, wc.lpszClassName, "Holder", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 100,
                                   nullptr, nullptr, wc.hInstance, nullptr);
        ::SetForegroundWindow(m_hWnd);
    }
    ~CForegroundHolder() { ::DestroyWindow(m_hWnd); }
    CForegroundHolder(const CForegroundHolder&) = delete;
    CForegroundHolder& operator=(const CForegroundHolder&) = delete;

    HWND m_hWnd;
};

ULONGLONG WriteTime(LPCSTR pszPath)
{
    WIN32_FILE_ATTRIBUTE_DATA data = {};
    ::GetFileAttributesExA(pszPath, GetFileExInfoStandard, &data);
    return ((ULONGLONG)data.ftLastWriteTime.dwHighDateTime << 32) | data.ftLastWriteTime.dwLowDateTime;
}

// The second copy ends at once without writing a byte, whichever spelling of
// the folder started it, and what the first copy shows comes to the front:
// the name dialog of a first start, and the launcher window, minimised or not.
TEST(SecondCopy, EndsWithoutWritingAndBringsTheFirstCopyForward)
{
    CProgramRun run;
    ASSERT_TRUE(run.Start());
    HWND hNameDialog = run.WaitForWindow("Configuration name");
    ASSERT_TRUE(hNameDialog);
    {
        CForegroundHolder holder;
        ASSERT_EQ(holder.m_hWnd, ::GetForegroundWindow());
        ASSERT_TRUE(run.RunAgain(run.File("Kovana.exe")));
        EXPECT_EQ(hNameDialog, ::GetForegroundWindow());
    }
    EXPECT_FALSE(FileExists(run.Profile()));
    TypeText(::GetDlgItem(hNameDialog, IDC_CONFIG_NAME), "Work");
    ClickButton(hNameDialog, IDOK);
    HWND hLauncher = run.WaitForWindow("ZOT Brimlo - Work");
    ASSERT_TRUE(hLauncher);

    const std::string profile = ReadWholeFile(run.Profile());
    const ULONGLONG nWriteTime = WriteTime(run.Profile());
    std::string upper = run.File("Kovana.exe").str();
    ::CharUpperBuffA(&upper[0], (DWORD)upper.size());
    char szShortFolder[MAX_PATH] = "";
    ::GetShortPathNameA(run.Folder(), szShortFolder, sizeof(szShortFolder));
    ASSERT_NE(run.Folder(), CString(szShortFolder));
    for (const CString& strExe : { run.File("Kovana.exe"), CString(upper), CString(szShortFolder) + "\\KOVANA.EXE" })
    {
        SCOPED_TRACE(strExe.str());
        ::ShowWindowAsync(hLauncher, SW_MINIMIZE);
        ASSERT_TRUE(WaitUntil([&] { return ::IsIconic(hLauncher) != 0; }));
        CForegroundHolder holder;
        ASSERT_TRUE(run.RunAgain(strExe));
        EXPECT_TRUE(WaitUntil([&] { return !::IsIconic(hLauncher) && ::GetForegroundWindow() == hLauncher; }));
        EXPECT_EQ(profile, ReadWholeFile(run.Profile()));
        EXPECT_EQ(nWriteTime, WriteTime(run.Profile()));
        EXPECT_FALSE(FileExists(run.Profile() + ".new"));
    }
    ClickButton(hLauncher, IDCANCEL);
    EXPECT_TRUE(run.WaitForExit());
}

}  // namespace
