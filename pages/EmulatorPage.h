// Classes in this file:
//   CEmulatorPage - the emulator's executable, its kind, its priority and CPU speed
#pragma once

#include "NotifySliderCtrl.h"
#include "SettingsPage.h"

class CEmulatorPage : public CSettingsPage
{
public:
    // Notify ids of the two sliders
    enum { SLIDER_SPEED = 1, SLIDER_PRIORITY = 2 };

    CEmulatorPage();

// Page operations
    UINT GetTemplateID() override;
    CString GetPageName() override { return "Emulator"; }
    void LoadFromProfile() override;
    void SaveToProfile() override;
    void UpdateOptions() override;
    BOOL IsModified() override;
    void AppendOptions(CString& strLine, LPCSTR pszSeparator) override;

    CString m_strEmulatorPath;
    CString m_strEmulatorType;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    LRESULT OnSliderMoved(WPARAM wParam, LPARAM lParam);
    void OnBrowseEmulator();
    void OnKillfocusEmulatorPath();

    DECLARE_MESSAGE_MAP()

private:
    // Enables both sliders for the Win32 build, disables them otherwise
    void EnableSliders();
    // "-w" and "-P" fragments of the sliders' current positions
    void BuildFragments(CString& strSpeed, CString& strPriority) const;

    CNotifySliderCtrl m_sliderPriority;
    CNotifySliderCtrl m_sliderSpeed;
    CString m_strSpeed;
    CString m_strPriority;
};
