#include "ModalSteps.h"
#include "TestSupport.h"

#include "drives/HardDiskPage.h"
#include "res/resource.h"

#include <gtest/gtest.h>

class HardDiskPageTest : public CPageTest<CHardDiskPage, CLauncherApp::PAGE_HARDDISK>
{
protected:
    static CString Key(int nDisk)
    {
        CString strKey;
        strKey.Format("DH%dPath", nDisk);
        return strKey;
    }
    CString Row(int nRow) const
    {
        const CListCtrl& list = page.m_listDisks;
        return list.GetItemText(nRow, 0) + "|" + list.GetItemText(nRow, 1) + "|" + list.GetItemText(nRow, 2) + "|" +
               list.GetItemText(nRow, 3);
    }
    void FocusRow(int nRow)
    {
        LVITEMA item = {};
        item.stateMask = item.state = LVIS_FOCUSED | LVIS_SELECTED;
        ::SendMessageA(page.m_listDisks, LVM_SETITEMSTATE, nRow, (LPARAM)&item);
    }
};

TEST_F(HardDiskPageTest, NamedDisksGiveTheirFragmentsAndShortTwinsInDiskOrder)
{
    CString strLong = dir.File("Amiga Hard Disk Folder");
    ASSERT_TRUE(::CreateDirectoryA(strLong, nullptr));
    char szShort[MAX_PATH];
    ASSERT_NE(0u, ::GetShortPathNameA(strLong, szShort, sizeof(szShort)));
    ASSERT_NE(strLong, CString(szShort));

    // The disks not listed stay free.
    const struct { int nDisk; LPCSTR pszName; BOOL bReadOnly; CString strPath, strFragment, strShort; } disks[] = {
        { 0, "Work", TRUE, strLong, "-M Work:" + strLong, CString("-M Work:") + szShort },
        { 1, "", TRUE, strLong, "", "" },  // no name: free, whatever else the row shows
        { 2, "Games", FALSE, "C:\\", "-m Games:C:\\", "-m Games:C:\\" },
        { 9, "Data Disk", FALSE, strLong, "-m Data Disk:" + strLong, CString("-m Data Disk:") + szShort },
    };
    EXPECT_FALSE(page.IsModified());
    for (const auto& d : disks)
        page.SetDiskRow(CString("DH") + CString((char)('0' + d.nDisk)), d.pszName, d.bReadOnly, d.strPath);
    EXPECT_TRUE(page.IsModified());
    page.UpdateOptions();
    EXPECT_FALSE(page.IsModified());
    app.SaveConfig();

    CString strExpectedLine = "-G";
    for (int n = 0; n < 10; n++)
    {
        SCOPED_TRACE(Key(n));
        CString strFragment, strShort;
        for (const auto& d : disks)
            if (d.nDisk == n)
                strFragment = d.strFragment, strShort = d.strShort;
        EXPECT_EQ(strFragment, Option(Key(n)));
        EXPECT_EQ(strShort, Option(Key(n) + "DOS"));
        EXPECT_EQ(strFragment, ProfileValue(app.m_strProfile, "Test", Key(n), "(absent)"));
        EXPECT_EQ(CString("(absent)"), ProfileValue(app.m_strProfile, "Test", Key(n) + "DOS", "(absent)"));
        if (!strShort.IsEmpty())
            strExpectedLine += "?" + strShort;
    }
    CString strLine = "-G";
    page.AppendOptions(strLine, "?");
    EXPECT_EQ(strExpectedLine, strLine);
}

TEST_F(HardDiskPageTest, StoredFragmentsLoadBackIntoTheList)
{
    const struct { LPCSTR pszStored, pszRow; } wellFormed[] = {
        { "-m Work:C:\\Amiga\\Work", "DH0|Work|No|C:\\Amiga\\Work" },
        { "-M System:D:\\Sys", "DH1|System|Yes|D:\\Sys" },
        { "", "DH2|||" },
        { "-m Blank Name:E:\\A b", "DH3|Blank Name|No|E:\\A b" },
    }, oddShapes[] = {
        { "-m NoColon", "DH4||No|-m NoColon" },  // no colon: all path, and free
        { "-x A:B", "DH5|A|No|B" },              // only a capital M is read-only
        { "-M :C:\\x", "DH6||Yes|C:\\x" },        // the colon at the name's start
        { "-M Name:", "DH7|Name||" },             // no path: no R/O either
    };
    for (int n = 0; n < 4; n++)
        ::WritePrivateProfileStringA("Test", Key(n), wellFormed[n].pszStored, app.m_strProfile);
    ASSERT_TRUE(app.LoadConfig());
    for (int n = 0; n < 4; n++)
        EXPECT_EQ(CString(wellFormed[n].pszRow), Row(n));
    EXPECT_FALSE(page.IsModified());

    FocusRow(1);
    Click(IDC_HARDDISK_DELETE);
    EXPECT_EQ(CString("DH1|||"), Row(1));
    EXPECT_TRUE(page.IsModified());
    EXPECT_EQ(CString("-M System:D:\\Sys"), Option("DH1Path"));

    for (int n = 0; n < 4; n++)
        ::WritePrivateProfileStringA("Test", Key(4 + n), oddShapes[n].pszStored, app.m_strProfile);
    ASSERT_TRUE(app.LoadConfig());
    for (int n = 0; n < 4; n++)
        EXPECT_EQ(CString(oddShapes[n].pszRow), Row(4 + n));
}

TEST_F(HardDiskPageTest, EditTakesTheConfirmedFolderAndTheNameDialogsAnswer)
{
    ::CreateDirectoryA(dir.File("Old"), nullptr);
    ::WritePrivateProfileStringA("Test", "DH2Path", "-M Old:" + dir.File("Old"), app.m_strProfile);
    ASSERT_TRUE(app.LoadConfig());
    CPromptRecorder prompts;
    Click(IDC_HARDDISK_EDIT);  // no row has the focus yet
    EXPECT_TRUE(prompts.folderDialogs.empty());

    FocusRow(2);
    prompts.folders = { std::string(dir.File("New Disk")), "C:\\", "C:\\other" };
    CString strShownName;
    BOOL bShownReadOnly = FALSE;
    // Each step answers the name dialog once the folder pickers before it were answered.
    auto answer = [&](size_t nPickers, size_t nBoxes, LPCSTR pszName, std::vector<int> clicks) {
        return [=, &prompts, &strShownName, &bShownReadOnly] {
            HWND hDlg = ::FindWindowA(nullptr, "Hard Disk Name");
            if (!IsRunning(hDlg) || prompts.folderDialogs.size() != nPickers || prompts.boxes.size() != nBoxes)
                return false;
            if (nPickers == 1 && nBoxes == 0)
            {
                strShownName = AfxGetWindowText(::GetDlgItem(hDlg, IDC_HARDDISK_NAME));
                bShownReadOnly = ::IsDlgButtonChecked(hDlg, IDC_HARDDISK_READ_ONLY);
            }
            if (pszName)
                ::SetDlgItemTextA(hDlg, IDC_HARDDISK_NAME, pszName);
            for (int nID : clicks)
                ClickButton(hDlg, nID);
            return true;
        };
    };
    CModalSteps steps({ answer(1, 0, "Work:Space", { IDOK }),  // a colon would cut the name once stored
                        answer(1, 1, "Work Space", { IDC_HARDDISK_READ_ONLY, IDOK }),
                        answer(2, 1, nullptr, { IDOK }),        // confirmed at a drive's root
                        answer(3, 1, "Other", { IDCANCEL }) });
    // A double-click on the list edits as the button does.
    NMHDR nmhdr = { page.m_listDisks.m_hWnd, IDC_HARDDISK_LIST, (UINT)NM_DBLCLK };
    ::SendMessageA(page.m_hWnd, WM_NOTIFY, IDC_HARDDISK_LIST, (LPARAM)&nmhdr);
    EXPECT_EQ(CString("Old"), strShownName);
    EXPECT_TRUE(bShownReadOnly);
    ASSERT_EQ(1u, prompts.boxes.size());
    EXPECT_EQ("ERROR", prompts.boxes[0].caption);
    // The picker opens on the disk's folder, owned by the window the page is in.
    EXPECT_EQ(std::string(dir.File("Old")), prompts.folderDialogs[0].initialFolder);
    EXPECT_EQ(host.m_hWnd, prompts.folderDialogs[0].hWndOwner);
    EXPECT_EQ("DH2|Work Space|No|" + dir.File("New Disk"), Row(2));

    for (int nClick = 0; nClick < 3; nClick++)  // the last folder picker is cancelled
        Click(IDC_HARDDISK_EDIT);
    EXPECT_TRUE(steps.Done());
    ASSERT_EQ(4u, prompts.folderDialogs.size());
    EXPECT_EQ(std::string(dir.File("New Disk")), prompts.folderDialogs[1].initialFolder);
    EXPECT_EQ("C:\\", prompts.folderDialogs[2].initialFolder);
    EXPECT_EQ(CString("DH2|Work Space|No|C:\\"), Row(2));
    page.UpdateOptions();
    EXPECT_EQ(CString("-m Work Space:C:\\"), Option("DH2Path"));
}
