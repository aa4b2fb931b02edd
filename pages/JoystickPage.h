// Classes in this file:
//   CJoystickPage - joystick emulation on or off
#pragma once

#include "KeyedPage.h"

class CJoystickPage : public CKeyedPage
{
public:
    CJoystickPage();

    BOOL OnInitDialog() override;

// Page operations
    UINT GetTemplateID() override;
    CString GetPageName() override;
    void LoadFromProfile() override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    // The fragment the check box stands for
    BOOL BuildFragment(int nKey, CString& strFragment) override;

private:
    int m_bJoystick;
};
