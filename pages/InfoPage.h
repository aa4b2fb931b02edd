// Classes in this file:
//   CInfoPage - the author credit, the launcher style and the DOS emulator's path
#pragma once

#include "SettingsPage.h"

#include "framework/Controls.h"

// Holds no setting of the configuration: both of its settings belong to the
// front end and live in the profile's "ConfigList" section, written at once.
// The page operations keep the base behaviour.
class CInfoPage : public CSettingsPage
{
public:
    CInfoPage();

// Page operations
    UINT GetTemplateID() override;
    CString GetPageName() override { return "Info"; }

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    // Enter on the closed style list takes the style browsed to
    BOOL PreTranslateMessage(MSG* pMsg) override;
    void OnSelendokStyle();
    void OnCloseupStyle();
    void OnKillfocusStyle();
    void OnBrowse();
    void OnKillfocusDosEmulatorPath();

    DECLARE_MESSAGE_MAP()

private:
    // Stores the chosen style and ends the launcher window for the window of
    // that style; the style of the window on view changes nothing
    void ChooseStyle();
    // Stores the path in its short form, with a warning when it does not
    // name the DOS build; the path is stored all the same
    void StoreDosEmulatorPath(const CString& strPath);

    CComboBox m_comboStyle;
    CEdit m_editDosEmulatorPath;
    CString m_strDosEmulatorPath;
    // The style list's entry when the page opened: the window on view
    int m_nStyleInUse = -1;
    // The open style list closes with a choice, not cancelled
    BOOL m_bStyleChosen = FALSE;
};
