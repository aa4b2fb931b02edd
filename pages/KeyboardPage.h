// Classes in this file:
//   CKeyboardPage - the keyboard layout
#pragma once

#include "KeyedPage.h"
#include "framework/Controls.h"

class CKeyboardPage : public CKeyedPage
{
public:
    CKeyboardPage();

    BOOL OnInitDialog() override;

// Page operations
    UINT GetTemplateID() override;
    CString GetPageName() override;
    void LoadFromProfile() override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    // The fragment the selected layout stands for
    BOOL BuildFragment(int nKey, CString& strFragment) override;

private:
    CComboBox m_comboLayout;
};
