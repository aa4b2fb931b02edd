// Classes in this file:
//   CMainDlg - the hidden main dialog that runs the launcher windows
#pragma once

#include "framework/Dialog.h"

class CMainDlg : public CDialog
{
public:
    explicit CMainDlg(CWnd* pParent = nullptr);

// Button-face colour of the desktop's colour scheme, read from the registry
    // The colour of the scheme under hKeyRoot, or the system's button face
    static COLORREF ButtonFaceColor(HKEY hKeyRoot);
    // Both sources in turn under hKeyRoot (HKEY_CURRENT_USER for the program);
    // FALSE when neither gives a colour, and crColor is left as it was
    static BOOL ReadButtonFaceColor(HKEY hKeyRoot, COLORREF& crColor);
    // "Control Panel\Colors" "ButtonFace": the numbers at positions 0, 4 and 8 of the text
    static COLORREF ParseColorText(LPCSTR pchText, int nLength);
    // A value of "Control Panel\Appearance\Schemes": the bytes 40, 39 and 38 before its end;
    // FALSE when the value is too short to hold them
    static BOOL ParseSchemeColor(const BYTE* pData, DWORD nSize, COLORREF& crColor);

protected:
    BOOL OnInitDialog() override;

private:
    // The launcher window of a style; bModern tells whether it is the modern window
    CDialog* NewLauncher(const CString& strStyle, BOOL& bModern);

    HICON m_hIcon;
    HICON m_hSmallIcon;
};
