// Classes in this file:
//   CSettingsPage - base of the twelve settings pages
#pragma once

#include "framework/Dialog.h"

class CLauncherApp;

class CSettingsPage : public CDialog
{
public:
    explicit CSettingsPage(UINT nIDTemplate, CWnd* pParentWnd = nullptr) : CDialog(nIDTemplate, pParentWnd) {}

// Page operations
    virtual UINT GetTemplateID() = 0;
    virtual CString GetPageName() = 0;
    // Reads the page's keys from the current configuration's section and shows them
    virtual void LoadFromProfile() {}
    // Writes the option map's values of the page's keys into that section
    virtual void SaveToProfile() {}
    // Builds each key's fragment from the controls and stores it in the option map
    virtual void UpdateOptions() {}
    // TRUE when a fragment built from the controls differs from the option map
    virtual BOOL IsModified() { return FALSE; }
    // Appends the page's command-line fragments to the line
    virtual void AppendOptions(CString& /*strLine*/, LPCSTR /*pszSeparator*/) {}

    // Appends the option map's value of the key, with the separator only
    // between two non-empty fragments
    void AppendOption(CString& strLine, LPCSTR pszSeparator, LPCSTR pszKey);

protected:
    // The number at the start of a text: leading blanks, a sign and the
    // digits up to the first other character, 0 without digits; held at the
    // limits of an int
    static int TextNumber(LPCSTR pszText);

    // Enter and Esc belong to the launcher window, never to a page.
    void OnOK() override {}
    void OnCancel() override {}

    static CLauncherApp& App();
    // The value of a stored fragment: its text after the dash, letter and blank
    static CString FragmentValue(const CString& strFragment) { return strFragment.Mid(3); }
    // The number in a stored fragment's value; a slider brings it within its own range
    static int FragmentNumber(const CString& strFragment) { return TextNumber(FragmentValue(strFragment)); }
    // The option map's value of the key, looked up without entering a missing key
    static CString OptionValue(LPCSTR pszKey);
};
