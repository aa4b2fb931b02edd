#include "ModalSteps.h"
#include "TestSupport.h"

#include "launchers/ListLauncherDlg.h"
#include "res/resource.h"

#include <gtest/gtest.h>

namespace {

class ListLauncher : public CLauncherTest<CListLauncherDlg>
{
protected:
    void Open() { CLauncherTest::Open(IDD_LIST_LAUNCHER); }

    int SelectedItem() { return m_dlg.m_listCtrl.GetNextItem(-1, LVNI_SELECTED); }

    void ExpectEntriesInView()
    {
        RECT rcClient;
        ::GetClientRect(m_dlg.m_listCtrl, &rcClient);
        EXPECT_FALSE(::GetWindowLongA(m_dlg.m_listCtrl, GWL_STYLE) & WS_HSCROLL);
        for (int i = 0; i < CLauncherApp::PAGE_COUNT; i++)
        {
            RECT rcIcon = { LVIR_ICON, 0, 0, 0 }, rcBounds = { LVIR_BOUNDS, 0, 0, 0 };
            m_dlg.m_listCtrl.SendMessage(LVM_GETITEMRECT, i, (LPARAM)&rcIcon);
            m_dlg.m_listCtrl.SendMessage(LVM_GETITEMRECT, i, (LPARAM)&rcBounds);
            EXPECT_GE(rcIcon.left, 0) << i;
            EXPECT_LE(rcBounds.right, rcClient.right) << i;
        }
    }

    // A mouse click at a point of the list view: it selects, then reports NM_CLICK
    void ClickAt(POINT pt)
    {
        LPARAM lPoint = MAKELPARAM(pt.x, pt.y);
        m_dlg.m_listCtrl.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, lPoint);
        m_dlg.m_listCtrl.SendMessage(WM_LBUTTONUP, 0, lPoint);
        PumpMessages();
    }

    // A click on the part of the item in view. Wine scrolls an item wider than
    // the list view sideways to bring its right end into view.
    void ClickItem(int nItem)
    {
        m_dlg.m_listCtrl.EnsureVisible(nItem, TRUE);
        RECT rcItem = { LVIR_BOUNDS, 0, 0, 0 }, rcClient, rc;
        ASSERT_TRUE(m_dlg.m_listCtrl.SendMessage(LVM_GETITEMRECT, nItem, (LPARAM)&rcItem));
        ::GetClientRect(m_dlg.m_listCtrl, &rcClient);
        ASSERT_TRUE(::IntersectRect(&rc, &rcItem, &rcClient)) << nItem;
        ClickAt({ (rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2 });
    }

    // Selects an item as the program would see a click on it; -1 selects none
    void SelectItem(int nItem)
    {
        const UINT nBoth = LVIS_SELECTED | LVIS_FOCUSED;
        m_dlg.m_listCtrl.SetItemState(-1, 0, nBoth);
        if (nItem >= 0)
            m_dlg.m_listCtrl.SetItemState(nItem, nBoth, nBoth);
        NMHDR nm = { m_dlg.m_listCtrl.m_hWnd, IDC_LIST_PAGES, (UINT)NM_CLICK };
        m_dlg.SendMessage(WM_NOTIFY, IDC_LIST_PAGES, (LPARAM)&nm);
    }

    // The image of an item, and its text into szText
    int ItemImage(int nItem, char (&szText)[64])
    {
        LVITEMA item = {};
        item.mask = LVIF_TEXT | LVIF_IMAGE;
        item.iItem = nItem;
        item.pszText = szText;
        item.cchTextMax = sizeof(szText);
        return m_dlg.m_listCtrl.SendMessage(LVM_GETITEMA, 0, (LPARAM)&item) ? item.iImage : -1;
    }
};

TEST_F(ListLauncher, OpensWithAnEntryPerPageAndTheFirstPageShown)
{
    Open();
    ASSERT_EQ(CLauncherApp::PAGE_COUNT, m_dlg.m_listCtrl.GetItemCount());
    for (int i = 0; i < CLauncherApp::PAGE_COUNT; i++)
    {
        char szText[64] = "";
        EXPECT_EQ(i, ItemImage(i, szText));
        EXPECT_STREQ(PAGE_NAMES[i], szText);
        EXPECT_EQ((DWORD_PTR)m_app.m_pPages[i], m_dlg.m_listCtrl.GetItemData(i)) << i;
    }
    EXPECT_EQ((LRESULT)(HIMAGELIST)m_dlg.m_imageList, m_dlg.m_listCtrl.SendMessage(LVM_GETIMAGELIST, LVSIL_SMALL));
    EXPECT_EQ(0, ShownPage());
    EXPECT_EQ(-1, SelectedItem());
    EXPECT_EQ(m_dlg.m_listCtrl.m_hWnd, ::GetFocus());
    // Every entry fits the list's width: nothing scrolls sideways, and no icon
    // is ever out of view
    ExpectEntriesInView();
    EXPECT_EQ(CString("ZOT Brimlo - Work"), m_dlg.GetWindowText());
}

TEST_F(ListLauncher, ClickingAnEntryShowsExactlyItsPage)
{
    Open();
    for (int nItem : { 5, 11, 1, 0, 7 })
    {
        ClickItem(nItem);
        EXPECT_EQ(nItem, SelectedItem());
        EXPECT_EQ(nItem, ShownPage());
    }
    // Below the last item nothing is selected, and the page stays
    m_dlg.m_listCtrl.EnsureVisible(CLauncherApp::PAGE_COUNT - 1, FALSE);
    RECT rcClient;
    ::GetClientRect(m_dlg.m_listCtrl, &rcClient);
    ClickAt({ rcClient.right / 2, rcClient.bottom - 2 });
    EXPECT_EQ(-1, SelectedItem());
    EXPECT_EQ(7, ShownPage());
}

TEST_F(ListLauncher, KeysShowThePageTheyWillSelect)
{
    const int NONE = -2;
    struct
    {
        WORD nVKey;
        int nFrom;  // the selected item, -1 for none
        int nPage;  // the page shown, NONE when the key changes nothing
    } cases[] = {
        { VK_DOWN, -1, 0 },   { VK_NEXT, -1, 4 },   { VK_PRIOR, 3, 0 },  { VK_NEXT, 9, 11 },
        { VK_PRIOR, 0, NONE }, { VK_NEXT, 11, NONE }, { VK_UP, 0, NONE }, { VK_DOWN, 11, NONE },
        { VK_UP, 6, 5 },      { VK_DOWN, 6, 7 },    { VK_END, 2, 11 },   { VK_HOME, 7, 0 },
        { VK_LEFT, 5, NONE }, { VK_RIGHT, 5, NONE }, { 'A', 5, NONE },
    };
    Open();
    for (const auto& c : cases)
    {
        m_dlg.ShowPage(CLauncherApp::PAGE_KEYBOARD);  // stays on view when no item is selected
        SelectItem(c.nFrom);
        int nBefore = ShownPage();
        m_dlg.m_listCtrl.SendMessage(WM_KEYDOWN, c.nVKey, 0);
        PumpMessages();
        EXPECT_EQ(c.nPage == NONE ? nBefore : c.nPage, ShownPage()) << c.nVKey << " from " << c.nFrom;
        // Once the list view has acted on the key, its one selected item is the page on view
        if (c.nPage != NONE)
        {
            EXPECT_EQ(c.nPage, SelectedItem()) << c.nVKey << " from " << c.nFrom;
            EXPECT_EQ(1, m_dlg.m_listCtrl.SendMessage(LVM_GETSELECTEDCOUNT));
        }
        ExpectEntriesInView();
    }
}

TEST_F(ListLauncher, LeaveAsksOnlyWhenAPageChanged)
{
    struct
    {
        bool bChange;
        int nAnswer;
        bool bSaved;
    } cases[] = { { false, IDYES, false }, { true, IDNO, false }, { true, IDYES, true } };
    int nCase = 0;
    for (const auto& c : cases)
    {
        m_app.m_strProfile.Format("%s\\Kovana%d.ini", (LPCSTR)m_dir.Path(), ++nCase);
        SaveDefaultConfiguration(m_app, "Work");
        CString strPath;
        strPath.Format("%s\\zot%d.exe", (LPCSTR)m_dir.Path(), nCase);
        m_prompts.boxes.clear();
        m_prompts.answers = { c.nAnswer };
        CListLauncherDlg dlg;
        CModalSteps steps({ [&] {
            if (!IsRunning(dlg.m_hWnd))
                return false;
            if (c.bChange)
                ::SetDlgItemTextA(m_app.m_pPages[CLauncherApp::PAGE_EMULATOR]->m_hWnd, IDC_EMULATOR_PATH, strPath);
            ClickButton(dlg.m_hWnd, IDCANCEL);
            return true;
        } });
        m_app.m_pLauncher = &dlg;
        EXPECT_EQ(1, dlg.DoModal()) << nCase;
        ASSERT_EQ(c.bChange ? 1u : 0u, m_prompts.boxes.size()) << nCase;
        for (const ShownBox& box : m_prompts.boxes)
            EXPECT_EQ("Do you want to save the current config first?", box.text);
        EXPECT_EQ(c.bSaved, ProfileValue(m_app.m_strProfile, "Work", "EmulatorPath") == strPath) << nCase;
    }
}

}  // namespace
