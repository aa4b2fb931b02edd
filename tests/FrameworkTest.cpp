// The framework layer on real controls: data exchange, initial list entries,
// message maps and the notifying slider.
#include "TestSupport.h"

#include "framework/Controls.h"
#include "pages/NotifySliderCtrl.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "TestResources.h"

namespace {

TEST(CStringTest, ExtractionClampsLikeMfc)
{
    CString s("-S 2");
    EXPECT_EQ(CString("2"), s.Mid(3));
    EXPECT_EQ(CString(""), s.Mid(10));
    EXPECT_EQ(CString("-S"), s.Mid(-5, 2));
    EXPECT_EQ(CString(" 2"), s.Mid(2, 100));
    EXPECT_EQ(CString(""), s.Left(-1));
    EXPECT_EQ(CString("-S 2"), s.Left(99));
    EXPECT_EQ(CString("S 2"), s.Right(3));
    EXPECT_EQ(-1, s.Find('x'));
    EXPECT_EQ(-1, s.Find('S', 10));
    EXPECT_EQ(2, CString("C:\\zot.exe").ReverseFind('\\'));
    EXPECT_EQ(-1, CString("zot.exe").ReverseFind('\\'));

    CString f;
    f.Format("-w %d", 7);
    EXPECT_EQ(CString("-w 7"), f);
    f.Format("%s", std::string(5000, 'q').c_str());
    EXPECT_EQ(5000, f.GetLength());
}

class CExchangeDlg : public CDialog
{
public:
    CExchangeDlg() : CDialog(IDD_TEST_EXCHANGE) {}

    CString m_strList, m_strCombo, m_strEdit;
    int m_nCheck = 0;
    int m_nClicks = 0;

    void DoDataExchange(CDataExchange* pDX) override
    {
        DDX_CBString(pDX, IDC_TEST_LIST, m_strList);
        DDX_CBString(pDX, IDC_TEST_COMBO, m_strCombo);
        DDX_Text(pDX, IDC_TEST_EDIT, m_strEdit);
        DDX_Check(pDX, IDC_TEST_CHECK, m_nCheck);
    }
    void OnButton() { m_nClicks++; }
    // The dialog manager takes a colour message's brush from the dialog
    // procedure's own result.
    LRESULT OnCtlColorEdit(WPARAM, LPARAM) { return (LRESULT)::GetStockObject(GRAY_BRUSH); }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CExchangeDlg, CDialog)
    ON_BN_CLICKED(IDC_TEST_BUTTON, OnButton)
    ON_MESSAGE(WM_CTLCOLOREDIT, OnCtlColorEdit)
END_MESSAGE_MAP()

class ExchangeTest : public ::testing::Test
{
protected:
    CExchangeDlg dlg;

    void SetUp() override { ASSERT_TRUE(dlg.Create(IDD_TEST_EXCHANGE)); }
    void TearDown() override { dlg.DestroyWindow(); }

    CString ItemText(int nID) { return AfxGetWindowText(dlg.GetDlgItem(nID)); }
    int ListSelection() { return (int)::SendMessageA(dlg.GetDlgItem(IDC_TEST_LIST), CB_GETCURSEL, 0, 0); }
};

TEST_F(ExchangeTest, InitialEntriesFillTheListsInTemplateOrder)
{
    CComboBox list, combo;
    list.m_hWnd = dlg.GetDlgItem(IDC_TEST_LIST);
    combo.m_hWnd = dlg.GetDlgItem(IDC_TEST_COMBO);
    ASSERT_EQ(3, list.GetCount());
    ASSERT_EQ(2, combo.GetCount());
    // The sorted list sorts what it is given; the other keeps the given order.
    CString text;
    list.GetLBText(0, text);
    EXPECT_EQ(CString("Alpha"), text);
    list.GetLBText(2, text);
    EXPECT_EQ(CString("Beta"), text);
    combo.GetLBText(0, text);
    EXPECT_EQ(CString("first"), text);
}

TEST_F(ExchangeTest, ComboTextSelectsTheFirstEntryStartingWithIt)
{
    dlg.m_strList = "alpha";
    dlg.UpdateData(FALSE);
    EXPECT_EQ(0, ListSelection());
    dlg.m_strList = "ALPHA T";
    dlg.UpdateData(FALSE);
    EXPECT_EQ(1, ListSelection());

    // No entry matches: the selection stays where it was.
    dlg.m_strList = "Gamma";
    dlg.UpdateData(FALSE);
    EXPECT_EQ(1, ListSelection());
    dlg.UpdateData(TRUE);
    EXPECT_EQ(CString("alpha two"), dlg.m_strList);

    // A drop-down combo shows a text that matches no entry as typed.
    dlg.m_strCombo = "third";
    dlg.UpdateData(FALSE);
    EXPECT_EQ(CString("third"), ItemText(IDC_TEST_COMBO));
    dlg.m_strCombo = "sec";
    dlg.UpdateData(FALSE);
    dlg.UpdateData(TRUE);
    EXPECT_EQ(CString("second"), dlg.m_strCombo);
}

TEST_F(ExchangeTest, TextAndCheckTravelBothWays)
{
    dlg.m_strEdit = "-R 22050";
    dlg.m_nCheck = 1;
    dlg.UpdateData(FALSE);
    EXPECT_EQ(CString("-R 22050"), ItemText(IDC_TEST_EDIT));
    EXPECT_EQ(BST_CHECKED, (int)::SendMessageA(dlg.GetDlgItem(IDC_TEST_CHECK), BM_GETCHECK, 0, 0));

    // A text is written only when it differs: the user's selection stays in
    // a text that is already there, and a long text that differs only late
    // still arrives.
    HWND hEdit = dlg.GetDlgItem(IDC_TEST_EDIT);
    ::SendMessageA(hEdit, EM_SETSEL, 2, 5);
    dlg.UpdateData(FALSE);
    DWORD nSelStart = 0, nSelEnd = 0;
    ::SendMessageA(hEdit, EM_GETSEL, (WPARAM)&nSelStart, (LPARAM)&nSelEnd);
    EXPECT_EQ(std::make_pair(2ul, 5ul), std::make_pair(nSelStart, nSelEnd));
    std::string strLong(300, 'x');
    dlg.m_strEdit = strLong.c_str();
    dlg.UpdateData(FALSE);
    strLong[290] = 'y';
    dlg.m_strEdit = strLong.c_str();
    dlg.UpdateData(FALSE);
    EXPECT_EQ(CString(strLong.c_str()), ItemText(IDC_TEST_EDIT));

    ::SetWindowTextA(dlg.GetDlgItem(IDC_TEST_EDIT), "");
    ::SendMessageA(dlg.GetDlgItem(IDC_TEST_CHECK), BM_SETCHECK, BST_UNCHECKED, 0);
    ::SendMessageA(dlg.GetDlgItem(IDC_TEST_LIST), CB_SETCURSEL, (WPARAM)-1, 0);
    dlg.UpdateData(TRUE);
    EXPECT_EQ(CString(""), dlg.m_strEdit);
    EXPECT_EQ(0, dlg.m_nCheck);
    EXPECT_EQ(CString(""), dlg.m_strList);
}

TEST_F(ExchangeTest, ExchangeFollowsAControlThatWasReplaced)
{
    dlg.m_strEdit = "first";
    dlg.UpdateData(FALSE);
    ::DestroyWindow(dlg.GetDlgItem(IDC_TEST_EDIT));
    ASSERT_TRUE(::CreateWindowExA(0, "EDIT", "", WS_CHILD, 0, 0, 50, 12, dlg.m_hWnd, (HMENU)IDC_TEST_EDIT, nullptr,
                                  nullptr));
    dlg.m_strEdit = "second";
    dlg.UpdateData(FALSE);
    EXPECT_EQ(CString("second"), ItemText(IDC_TEST_EDIT));
}

TEST_F(ExchangeTest, MessageMapRoutesMessagesAndTheirResults)
{
    ::SendMessageA(dlg.GetDlgItem(IDC_TEST_BUTTON), BM_CLICK, 0, 0);
    EXPECT_EQ(1, dlg.m_nClicks);
    // Another notification of the same control reaches no handler.
    ::SendMessageA(dlg.m_hWnd, WM_COMMAND, MAKEWPARAM(IDC_TEST_BUTTON, BN_SETFOCUS),
                   (LPARAM)dlg.GetDlgItem(IDC_TEST_BUTTON));
    EXPECT_EQ(1, dlg.m_nClicks);

    HDC hDC = ::GetDC(dlg.m_hWnd);
    EXPECT_EQ((LRESULT)::GetStockObject(GRAY_BRUSH),
              ::SendMessageA(dlg.m_hWnd, WM_CTLCOLOREDIT, (WPARAM)hDC, (LPARAM)dlg.GetDlgItem(IDC_TEST_EDIT)));
    ::ReleaseDC(dlg.m_hWnd, hDC);
}

// A test's application object is current while it lives; the one made before
// it is current again afterwards, whatever order they go in.
TEST(CWinAppTest, TheNewestLivingApplicationIsCurrent)
{
    EXPECT_EQ(nullptr, AfxGetApp());
    auto pOlder = std::make_unique<CTestApp>("older.ini");
    {
        CTestApp newer("newer.ini");
        EXPECT_EQ(&newer, GetLauncherApp());
    }
    EXPECT_EQ(pOlder.get(), GetLauncherApp());
    CWinApp plain;
    EXPECT_EQ(&plain, AfxGetApp());
    EXPECT_EQ(nullptr, GetLauncherApp());  // the current one is no launcher application
    pOlder.reset();
    EXPECT_EQ(&plain, AfxGetApp());
}

// The slider's parent records the position the slider had when each
// notification arrived.
struct SliderReport
{
    WPARAM id;
    int pos;
};
std::vector<SliderReport> g_reports;

LRESULT CALLBACK SliderParentProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_SLIDERCHANGE)
    {
        HWND hSlider = ::GetDlgItem(hWnd, 77);
        g_reports.push_back({ wParam, (int)::SendMessageA(hSlider, TBM_GETPOS, 0, 0) });
        return 0;
    }
    return ::DefWindowProcA(hWnd, message, wParam, lParam);
}

TEST(NotifySliderCtrl, ReportsThePositionBeforeEachEventReachesTheTrackbar)
{
    WNDCLASSA wc = {};
    wc.lpfnWndProc = SliderParentProc;
    wc.hInstance = ::GetModuleHandleA(nullptr);
    wc.lpszClassName = "SliderParent";
    ::RegisterClassA(&wc);
    HWND hParent = ::CreateWindowExA(0, "SliderParent", "", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 300, 100,
                                     nullptr, nullptr, wc.hInstance, nullptr);
    HWND hTrackbar = ::CreateWindowExA(0, TRACKBAR_CLASSA, "", WS_CHILD | WS_VISIBLE | TBS_HORZ | TBS_NOTICKS, 10, 10,
                                       250, 30, hParent, (HMENU)77, wc.hInstance, nullptr);
    CNotifySliderCtrl slider;
    slider.SubclassWindow(hTrackbar);
    slider.SetNotifyID(2);
    slider.SetRange(1, 256);
    slider.SetPos(64);
    g_reports.clear();

    ::SendMessageA(hTrackbar, WM_KEYDOWN, VK_RIGHT, 0);
    ::SendMessageA(hTrackbar, WM_KEYUP, VK_RIGHT, 0xC0000001);
    ASSERT_EQ(2u, g_reports.size());
    EXPECT_EQ(2u, g_reports[0].id);
    EXPECT_EQ(64, g_reports[0].pos);
    EXPECT_EQ(65, g_reports[1].pos);
    EXPECT_EQ(65, slider.GetPos());

    g_reports.clear();
    ::SendMessageA(hTrackbar, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    ::SendMessageA(hTrackbar, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    ::SendMessageA(hTrackbar, WM_CHAR, 'a', 0);
    EXPECT_EQ(2u, g_reports.size());

    ::DestroyWindow(hParent);
    EXPECT_EQ(nullptr, slider.m_hWnd);
}

}  // namespace
