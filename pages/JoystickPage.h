// Classes in this file:
//   CJoystickPage - joystick emulation on or off
#pragma once

#include "SettingsPage.h"

class CJoystickPage : public CSettingsPage
{
public:
    CJoystickPage();

    BOOL OnInitDialog() override;

// Page operations
    UINT GetTemplateID() override;
    CString GetPageName() override;
    void LoadFromProfile() override;
    void SaveToProfile() override;
    void UpdateOptions() override;
    BOOL IsModified() override;
    void AppendOptions(CString& strLine, LPCSTR pszSeparator) override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;

private:
    // The fragment the check box stands for
    CString BuildFragment();

    int m_bJoystick;
};
