#include "MainDlg.h"

#include "LauncherApp.h"
#include "launchers/ListLauncherDlg.h"
#include "launchers/ModernLauncherDlg.h"
#include "launchers/TabLauncherDlg.h"
#include "res/resource.h"

#include <vector>

// The start-up lives here, with the hidden dialog it runs, above the
// launcher windows that the dialog chooses from.
BOOL CLauncherApp::InitInstance()
{
    INITCOMMONCONTROLSEX icc = { sizeof(icc), ICC_WIN95_CLASSES | ICC_TAB_CLASSES | ICC_BAR_CLASSES };
    ::InitCommonControlsEx(&icc);
    if (!FindProfile())
        return FALSE;
    // Before anything reads or writes the profile: a second copy on it shows
    // the first one's window and ends.
    if (!m_profileLock.Take(m_strProfile))
        return FALSE;

    CMainDlg dlg;
    m_pMainWnd = &dlg;
    dlg.DoModal();
    m_pMainWnd = nullptr;
    // No message loop of our own: the program ends here.
    return FALSE;
}

CMainDlg::CMainDlg(CWnd* pParent)
    : CDialog(IDD_MAIN, pParent)
{
    m_hIcon = AfxLoadWindowIcon(IDR_MAINFRAME, TRUE);
    m_hSmallIcon = AfxLoadWindowIcon(IDR_MAINFRAME, FALSE);
}

// All the work happens here, before the dialog manager would show the dialog.
BOOL CMainDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    SetIcon(m_hIcon, TRUE);
    SetIcon(m_hSmallIcon, FALSE);

    CLauncherApp& app = *GetLauncherApp();
    CString strStyle(app.m_lpCmdLine);
    strStyle.Trim();
    app.m_crButtonFace = ButtonFaceColor(HKEY_CURRENT_USER);

    for (;;)
    {
        // The command line chooses only the first window; after a style change
        // the style comes from the profile.
        if (strStyle.IsEmpty())
        {
            strStyle = app.ReadProfileString("ConfigList", "BrimloStyle", "1", 50);
            app.m_strStyle = strStyle;
        }
        BOOL bModern;
        CDialog* pLauncher = NewLauncher(strStyle, bModern);
        app.m_pLauncher = pLauncher;
        if (bModern)
            app.SetDialogBkColor(RGB(255, 255, 255), RGB(0, 0, 0));
        INT_PTR nResult = pLauncher->DoModal();
        app.m_pLauncher = nullptr;
        delete pLauncher;
        if (nResult != CLauncherApp::STYLE_CHANGED)
            break;
        strStyle.Empty();
        if (bModern)
            app.SetDialogBkColor(app.m_crButtonFace, RGB(0, 0, 0));
    }

    EndDialog(IDCANCEL);
    return TRUE;
}

CDialog* CMainDlg::NewLauncher(const CString& strStyle, BOOL& bModern)
{
    bModern = strStyle != "1" && strStyle != "2";
    if (bModern)
        return new CModernLauncherDlg();
    if (strStyle == "2")
        return new CListLauncherDlg();
    return new CTabLauncherDlg();
}

COLORREF CMainDlg::ButtonFaceColor(HKEY hKeyRoot)
{
    // Without a colour scheme in the registry, the system's own button face:
    // black would draw the next launcher window black on black.
    COLORREF crColor = 0;
    if (!ReadButtonFaceColor(hKeyRoot, crColor))
        crColor = ::GetSysColor(COLOR_BTNFACE);
    return crColor;
}

BOOL CMainDlg::ReadButtonFaceColor(HKEY hKeyRoot, COLORREF& crColor)
{
    HKEY hKey;
    if (::RegOpenKeyExA(hKeyRoot, "Control Panel\\Colors", 0, KEY_READ, &hKey) == ERROR_SUCCESS)
    {
        char szText[64];
        DWORD nSize = sizeof(szText);
        LONG nError = ::RegQueryValueExA(hKey, "ButtonFace", nullptr, nullptr, (BYTE*)szText, &nSize);
        ::RegCloseKey(hKey);
        if (nError == ERROR_SUCCESS)
        {
            crColor = ParseColorText(szText, (int)nSize);
            return TRUE;
        }
    }

    if (::RegOpenKeyExA(hKeyRoot, "Control Panel\\Appearance", 0, KEY_READ, &hKey) != ERROR_SUCCESS)
        return FALSE;
    char szScheme[256];
    DWORD nSize = sizeof(szScheme) - 1;
    LONG nError = ::RegQueryValueExA(hKey, "Current", nullptr, nullptr, (BYTE*)szScheme, &nSize);
    ::RegCloseKey(hKey);
    if (nError != ERROR_SUCCESS)
        return FALSE;
    szScheme[nSize] = '\0';

    if (::RegOpenKeyExA(hKeyRoot, "Control Panel\\Appearance\\Schemes", 0, KEY_READ, &hKey) != ERROR_SUCCESS)
        return FALSE;
    BOOL bFound = FALSE;
    nSize = 0;
    if (::RegQueryValueExA(hKey, szScheme, nullptr, nullptr, nullptr, &nSize) == ERROR_SUCCESS && nSize > 0)
    {
        std::vector<BYTE> data(nSize);
        if (::RegQueryValueExA(hKey, szScheme, nullptr, nullptr, data.data(), &nSize) == ERROR_SUCCESS)
            bFound = ParseSchemeColor(data.data(), nSize, crColor);
    }
    ::RegCloseKey(hKey);
    return bFound;
}

// The decimal number at nPos as the C library's atoi reads it, cut to its low
// 8 bits; 0 when the text ends before nPos.
static BYTE ColorComponentAt(LPCSTR pchText, int nLength, int nPos)
{
    int i = nPos;
    while (i < nLength && (pchText[i] == ' ' || (pchText[i] >= '\t' && pchText[i] <= '\r')))
        i++;
    BOOL bNegative = FALSE;
    if (i < nLength && (pchText[i] == '-' || pchText[i] == '+'))
        bNegative = pchText[i++] == '-';
    unsigned nValue = 0;
    for (; i < nLength && pchText[i] >= '0' && pchText[i] <= '9'; i++)
        nValue = (nValue * 10 + (pchText[i] - '0')) & 0xFF;
    return (BYTE)(bNegative ? 0x100 - nValue : nValue);
}

COLORREF CMainDlg::ParseColorText(LPCSTR pchText, int nLength)
{
    // The registry need not end a text with a zero byte, nor stop at the first.
    int nTextLength = 0;
    while (nTextLength < nLength && pchText[nTextLength])
        nTextLength++;
    return RGB(ColorComponentAt(pchText, nTextLength, 0), ColorComponentAt(pchText, nTextLength, 4),
               ColorComponentAt(pchText, nTextLength, 8));
}

BOOL CMainDlg::ParseSchemeColor(const BYTE* pData, DWORD nSize, COLORREF& crColor)
{
    if (nSize < 40)
        return FALSE;
    crColor = RGB(pData[nSize - 40], pData[nSize - 39], pData[nSize - 38]);
    return TRUE;
}
