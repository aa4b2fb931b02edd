// The launcher windows from the keyboard: Tab goes through every control in
// reading order, page controls included, and Alt with a label's letter goes to
// the control beside the label. Keys go through the dialog manager, as in the
// program's modal loop.
#include "Fixtures.h"
#include "TestSupport.h"

#include "launchers/ListLauncherDlg.h"
#include "launchers/TabLauncherDlg.h"
#include "res/resource.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

RECT WindowRect(HWND hWnd)
{
    RECT rc = {};
    ::GetWindowRect(hWnd, &rc);
    return rc;
}

bool Holds(const RECT& rcOuter, const RECT& rcInner)
{
    return rcOuter.left <= rcInner.left && rcOuter.top <= rcInner.top && rcInner.right <= rcOuter.right
           && rcInner.bottom <= rcOuter.bottom;
}

// Read top to bottom and left to right: a holds b, lies wholly above it, or
// beside it on its left
bool ReadsBefore(const RECT& a, const RECT& b)
{
    if (Holds(a, b))
        return true;
    if (a.bottom <= b.top)
        return true;
    return a.top < b.bottom && b.top < a.bottom && a.right <= b.left;
}

struct KeyboardView
{
    HWND hDlg;
    std::vector<HWND> stops;   // what Tab must reach: visible, enabled tab stops
    std::vector<HWND> frames;  // what groups them: group boxes, frames, pages, the tab control
    std::vector<HWND> labels;  // texts and group boxes with an underlined letter
};

BOOL CALLBACK Collect(HWND hWnd, LPARAM lParam)
{
    KeyboardView& view = *(KeyboardView*)lParam;
    if (!::IsWindowVisible(hWnd))
        return TRUE;
    char szClass[32] = "";
    ::GetClassNameA(hWnd, szClass, sizeof(szClass));
    DWORD dwStyle = ::GetWindowLongA(hWnd, GWL_STYLE);
    bool bButton = lstrcmpiA(szClass, "Button") == 0, bStatic = lstrcmpiA(szClass, "Static") == 0;
    bool bGroupBox = bButton && (dwStyle & BS_TYPEMASK) == BS_GROUPBOX;
    DWORD dwFrame = dwStyle & SS_TYPEMASK;
    bool bFrame = bStatic && (dwFrame == SS_ETCHEDFRAME || dwFrame == SS_BLACKFRAME);
    char szParentClass[32] = "";
    ::GetClassNameA(::GetParent(hWnd), szParentClass, sizeof(szParentClass));
    if ((dwStyle & WS_TABSTOP) && ::IsWindowEnabled(hWnd) && lstrcmpA(szParentClass, "#32770") == 0)
        view.stops.push_back(hWnd);
    if (bGroupBox || bFrame || lstrcmpiA(szClass, "#32770") == 0 || lstrcmpiA(szClass, WC_TABCONTROLA) == 0)
        view.frames.push_back(hWnd);
    std::string text = WindowText(hWnd).str();
    size_t nAmp = text.find('&');
    if ((bGroupBox || (bStatic && !bFrame)) && nAmp != std::string::npos && nAmp + 1 < text.size())
        view.labels.push_back(hWnd);
    return TRUE;
}

KeyboardView Collect(HWND hDlg)
{
    KeyboardView view = { hDlg, {}, {}, {} };
    ::EnumChildWindows(hDlg, Collect, (LPARAM)&view);
    return view;
}

// The control that has the focus, or holds it (a combo box's edit)
HWND FocusedStop(const KeyboardView& view)
{
    for (HWND hWnd = ::GetFocus(); hWnd && hWnd != view.hDlg; hWnd = ::GetParent(hWnd))
        if (std::find(view.stops.begin(), view.stops.end(), hWnd) != view.stops.end())
            return hWnd;
    return nullptr;
}

// The outermost frame that holds hWnd but not hOther; hWnd itself when none does
RECT GroupApart(const KeyboardView& view, HWND hWnd, HWND hOther)
{
    RECT rcGroup = WindowRect(hWnd), rcOther = WindowRect(hOther);
    for (HWND hFrame : view.frames)
    {
        RECT rcFrame = WindowRect(hFrame);
        if (hFrame != hWnd && hFrame != hOther && Holds(rcFrame, rcGroup) && !Holds(rcFrame, rcOther))
            rcGroup = rcFrame;
    }
    return rcGroup;
}

std::string Name(HWND hWnd)
{
    return std::to_string(::GetDlgCtrlID(hWnd)) + " \"" + WindowText(hWnd).str() + "\"";
}

// Tab from the first control round to it again, in reading order, group
// after group; every control that takes the focus comes once.
void ExpectTabInReadingOrder(const KeyboardView& view)
{
    HWND hFirst = ::GetNextDlgTabItem(view.hDlg, nullptr, FALSE);
    ASSERT_TRUE(hFirst != nullptr);
    ::SetFocus(hFirst);
    std::vector<HWND> order;
    for (size_t i = 0; i <= view.stops.size(); i++)
    {
        HWND hStop = FocusedStop(view);
        ASSERT_TRUE(hStop != nullptr) << "after " << Name(order.back());
        if (!order.empty() && hStop == order.front())
            break;
        order.push_back(hStop);
        PressInDialog(view.hDlg, WM_KEYDOWN, VK_TAB, 1);
    }
    EXPECT_EQ(view.stops.size(), order.size());
    for (HWND hStop : view.stops)
        EXPECT_EQ(1, std::count(order.begin(), order.end(), hStop)) << Name(hStop);
    for (size_t i = 0; i < order.size(); i++)
        for (size_t j = i + 1; j < order.size(); j++)
            EXPECT_FALSE(ReadsBefore(GroupApart(view, order[j], order[i]), GroupApart(view, order[i], order[j])))
                << Name(order[j]) << " reads before " << Name(order[i]);
}

int Distance(const RECT& a, const RECT& b)
{
    int dx = std::max({ 0L, b.left - a.right, a.left - b.right });
    int dy = std::max({ 0L, b.top - a.bottom, a.top - b.bottom });
    return std::max(dx, dy);
}

// Alt and a text's letter go to the nearest control beside it that takes the
// focus; a group box's letter to a control inside the group.
void ExpectLabelsLeadToTheirControls(const KeyboardView& view)
{
    for (HWND hLabel : view.labels)
    {
        std::string text = WindowText(hLabel).str();
        ::SetFocus(view.stops.front());
        PressInDialog(view.hDlg, WM_SYSCHAR, (BYTE)text[text.find('&') + 1], 1 << 29);
        HWND hReached = FocusedStop(view);
        ASSERT_TRUE(hReached != nullptr) << Name(hLabel);
        RECT rcLabel = WindowRect(hLabel);
        char szClass[32] = "";
        ::GetClassNameA(hLabel, szClass, sizeof(szClass));
        if (lstrcmpiA(szClass, "Button") == 0)
        {
            EXPECT_TRUE(Holds(rcLabel, WindowRect(hReached))) << Name(hLabel) << " reached " << Name(hReached);
            continue;
        }
        for (HWND hStop : view.stops)
        {
            if (::GetParent(hStop) != ::GetParent(hLabel))
                continue;
            EXPECT_LE(Distance(rcLabel, WindowRect(hReached)), Distance(rcLabel, WindowRect(hStop)))
                << Name(hLabel) << " reached " << Name(hReached) << ", not " << Name(hStop);
        }
    }
}

template <class TDlg>
class LauncherKeyboard : public CLauncherTest<TDlg>
{
protected:
    // With the Win32 build as the emulator, every control is enabled.
    LauncherKeyboard()
    {
        ::WritePrivateProfileStringA("Work", "EmulatorPath", StandInEmulatorPath(FALSE), this->m_app.m_strProfile);
    }

    // Every page in turn, in a window on view
    void ExpectEveryPage(UINT nIDTemplate)
    {
        this->Open(nIDTemplate);
        this->m_dlg.ShowWindow(SW_SHOW);
        size_t nLabels = 0;
        for (int nPage = 0; nPage < CLauncherApp::PAGE_COUNT; nPage++)
        {
            SCOPED_TRACE(PAGE_NAMES[nPage]);
            this->m_dlg.ShowPage(nPage);
            KeyboardView view = Collect(this->m_dlg.m_hWnd);
            ExpectTabInReadingOrder(view);
            ExpectLabelsLeadToTheirControls(view);
            nLabels += view.labels.size();
        }
        EXPECT_GE(nLabels, (size_t)CLauncherApp::PAGE_COUNT);
    }
};

using TabLauncherKeyboard = LauncherKeyboard<CTabLauncherDlg>;
using ListLauncherKeyboard = LauncherKeyboard<CListLauncherDlg>;

TEST_F(TabLauncherKeyboard, TabReadsEveryPageInOrderAndLabelsLeadToTheirControls)
{
    ExpectEveryPage(IDD_TAB_LAUNCHER);
}

TEST_F(ListLauncherKeyboard, TabReadsEveryPageInOrderAndLabelsLeadToTheirControls)
{
    ExpectEveryPage(IDD_LIST_LAUNCHER);
}

}  // namespace
