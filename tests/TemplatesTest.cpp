// Every dialog template of the program, control by control in tab order: the
// id the code binds, the kind of control with the style bits the program
// relies on, and its caption (for lists, their initial entries).
#include "TestSupport.h"

#include "res/resource.h"

#include <gtest/gtest.h>

#include <cctype>
#include <map>


namespace {

bool Has(DWORD dwStyle, DWORD dwBits) { return (dwStyle & dwBits) == dwBits; }

// The kind of a control as the templates describe it
std::string Kind(HWND hWnd)
{
    char szClass[64] = "";
    ::GetClassNameA(hWnd, szClass, sizeof(szClass));
    DWORD dwStyle = ::GetWindowLongA(hWnd, GWL_STYLE);
    std::string strKind;
    if (lstrcmpiA(szClass, "Button") == 0)
    {
        switch (dwStyle & BS_TYPEMASK)
        {
        case BS_GROUPBOX: strKind = "group box"; break;
        case BS_PUSHBUTTON: strKind = "push button"; break;
        case BS_DEFPUSHBUTTON: strKind = "default push button"; break;
        case BS_AUTOCHECKBOX: strKind = "check box"; break;
        case BS_OWNERDRAW: strKind = "picture button"; break;
        default: strKind = "button " + std::to_string(dwStyle & BS_TYPEMASK);
        }
    }
    else if (lstrcmpiA(szClass, "Static") == 0)
    {
        switch (dwStyle & SS_TYPEMASK)
        {
        case SS_LEFT: strKind = "text"; break;
        case SS_LEFTNOWORDWRAP: strKind = "text, one line"; break;
        case SS_ICON: strKind = "icon"; break;
        case SS_BLACKFRAME: strKind = "black frame"; break;
        case SS_ETCHEDFRAME: strKind = "etched frame"; break;
        case SS_ETCHEDHORZ: strKind = "etched line"; break;
        default: strKind = "static " + std::to_string(dwStyle & SS_TYPEMASK);
        }
    }
    else if (lstrcmpiA(szClass, "ComboBox") == 0)
    {
        strKind = (dwStyle & CBS_TYPEMASK) == CBS_DROPDOWNLIST ? "drop-down list" : "drop-down combo";
        if (dwStyle & CBS_SORT)
            strKind += ", sorted";
    }
    else if (lstrcmpiA(szClass, "ListBox") == 0)
        strKind = std::string("list box") + (dwStyle & LBS_SORT ? ", sorted" : "") + (dwStyle & LBS_NOTIFY ? ", notifies" : "");
    else if (lstrcmpiA(szClass, "Edit") == 0)
        strKind = std::string("edit") + (dwStyle & ES_AUTOHSCROLL ? ", scrolls" : "");
    else if (lstrcmpiA(szClass, TRACKBAR_CLASSA) == 0)
        strKind = std::string(dwStyle & TBS_VERT ? "vertical slider" : "slider") + (dwStyle & TBS_NOTICKS ? ", no ticks" : "");
    else if (lstrcmpiA(szClass, PROGRESS_CLASSA) == 0)
        strKind = "progress bar";
    else if (lstrcmpiA(szClass, WC_LISTVIEWA) == 0)
    {
        strKind = (dwStyle & LVS_TYPEMASK) == LVS_REPORT ? "report list" : "icon list";
        if (dwStyle & LVS_NOCOLUMNHEADER)
            strKind += " without heading";
        if (Has(dwStyle, LVS_SINGLESEL | LVS_SHOWSELALWAYS))
            strKind += ", one selection shown";
        if (dwStyle & LVS_SORTASCENDING)
            strKind += ", sorted";
    }
    else if (lstrcmpiA(szClass, WC_TABCONTROLA) == 0)
        strKind = std::string("tabs") + (dwStyle & TCS_MULTILINE ? ", several rows" : "");
    else
        strKind = szClass;
    if ((dwStyle & WS_TABSTOP) && strKind.find("text") != 0 && strKind.find("frame") == std::string::npos)
        strKind += ", tab stop";
    if (!(dwStyle & WS_VISIBLE))
        strKind += ", hidden";
    return strKind;
}

// A control's caption; for a list, its entries joined by "|"
std::string Caption(HWND hWnd)
{
    char szClass[64] = "";
    ::GetClassNameA(hWnd, szClass, sizeof(szClass));
    bool bCombo = lstrcmpiA(szClass, "ComboBox") == 0, bList = lstrcmpiA(szClass, "ListBox") == 0;
    if (!bCombo && !bList)
        return WindowText(hWnd).str();
    std::string strEntries;
    int nCount = (int)::SendMessageA(hWnd, bCombo ? CB_GETCOUNT : LB_GETCOUNT, 0, 0);
    for (int i = 0; i < nCount; i++)
    {
        char szEntry[256] = "";
        ::SendMessageA(hWnd, bCombo ? CB_GETLBTEXT : LB_GETTEXT, i, (LPARAM)szEntry);
        strEntries += (i ? "|" : "") + std::string(szEntry);
    }
    return strEntries;
}

struct Control
{
    int nID;
    std::string kind;
    std::string caption;
    bool operator==(const Control& o) const { return nID == o.nID && kind == o.kind && caption == o.caption; }
};

void PrintTo(const Control& c, std::ostream* os)
{
    *os << "{ " << c.nID << ", \"" << c.kind << "\", \"" << c.caption << "\" }";
}

// The controls of a template in tab order, with the initial list entries that
// the framework puts in
std::vector<Control> Controls(UINT nIDTemplate)
{
    CTestHost host;
    CDialog dlg(nIDTemplate);
    std::vector<Control> controls;
    if (!dlg.Create(nIDTemplate, &host))
        return controls;
    for (HWND hWnd = ::GetWindow(dlg.m_hWnd, GW_CHILD); hWnd; hWnd = ::GetWindow(hWnd, GW_HWNDNEXT))
        controls.push_back({ ::GetDlgCtrlID(hWnd), Kind(hWnd), Caption(hWnd) });
    dlg.DestroyWindow();
    return controls;
}

const int NO_ID = -1;

const struct
{
    UINT nID;
    std::vector<Control> controls;
} s_templates[] = {
    { IDD_MODERN_LAUNCHER, {
        { IDC_MODERN_EMULATOR, "picture button, tab stop", "EMUL_" },
        { IDC_MODERN_KICKSTART, "picture button, tab stop", "KICKSTART_" },
        { IDC_MODERN_VIDEO, "picture button, tab stop", "VIDEO_" },
        { IDC_MODERN_MEMORY, "picture button, tab stop", "MEMORY_" },
        { IDC_MODERN_HARDDISK, "picture button, tab stop", "HD_" },
        { IDC_MODERN_FLOPPY, "picture button, tab stop", "FLOPPY_" },
        { IDC_MODERN_JOYSTICK, "picture button, tab stop", "JOYSTICK_" },
        { IDC_MODERN_SOUND, "picture button, tab stop", "SOUND_" },
        { IDC_MODERN_KEYBOARD, "picture button, tab stop", "KEYBOARD_" },
        { IDC_MODERN_MISC, "picture button, tab stop", "MISC_" },
        { IDC_MODERN_CONFIG, "picture button, tab stop", "CONFIG_" },
        { IDC_MODERN_INFO, "picture button, tab stop", "INFO_" },
        { IDC_MODERN_LAUNCH, "picture button, tab stop", "LAUNCH_" },
        { IDC_MODERN_LEAVE, "picture button, tab stop", "LEAVE_" },
        { IDC_MODERN_PAGE_AREA, "black frame", "" },
    } },
    { IDD_INFO_PAGE, {
        { NO_ID, "group box", "Information" },
        { NO_ID, "text", "Kovana, the launcher for Zot," },
        { NO_ID, "text", "written and kept by the Kovana authors" },
        { NO_ID, "text", "Default DOS emulator (to use with the DOS Brimlo)" },
        { IDC_INFO_DOS_EMULATOR_PATH, "edit, scrolls, tab stop", "" },
        { IDC_INFO_BROWSE, "push button, tab stop", "&Browse" },
        { NO_ID, "text", "Brimlo &style" },
        { IDC_INFO_STYLE, "drop-down list, tab stop", "Tab Dialog|List Dialog|Modern Dialog" },
    } },
    { IDD_CONFIG_PAGE, {
        { NO_ID, "group box", "&Configuration" },
        { IDC_CONFIG_LIST, "list box, notifies, tab stop", "" },
        { IDC_CONFIG_NEW, "push button, tab stop", "&New" },
        { IDC_CONFIG_LOAD, "push button, tab stop", "L&oad" },
        { IDC_CONFIG_SAVE, "push button, tab stop", "&Save" },
        { IDC_CONFIG_DELETE, "push button, tab stop", "&Delete" },
    } },
    { IDD_JOYSTICK_PAGE, {
        { IDC_JOYSTICK_EMULATION, "check box, tab stop", "&Joystick Emulation" },
        { NO_ID, "group box", "Joystick" },
    } },
    { IDD_SOUND_PAGE, {
        { NO_ID, "group box", "&Sound" },
        { IDC_SOUND_EMULATION, "drop-down list, tab stop", "Off (FrameSync disabled)|Off|Off (Interupts enabled)|On|On (Emulated perfectly)" },
        { NO_ID, "text, one line", "&Number of sound bits" },
        { IDC_SOUND_BITS, "drop-down list, sorted, tab stop", "16|8" },
        { NO_ID, "text, one line", "&Buffer size" },
        { IDC_SOUND_BUFFER, "edit, scrolls, tab stop", "" },
        { NO_ID, "text, one line", "&Frequency" },
        { IDC_SOUND_FREQUENCY, "edit, scrolls, tab stop", "" },
    } },
    { IDD_KEYBOARD_PAGE, {
        { NO_ID, "group box", "Keyboard" },
        { NO_ID, "text, one line", "&Keyboard Layout" },
        { IDC_KEYBOARD_LAYOUT, "drop-down list, sorted, tab stop", "" },
    } },
    { IDD_MISC_PAGE, {
        { NO_ID, "group box", "Misc" },
        { NO_ID, "text", "&Accuracy" },
        { IDC_MISC_ACCURACY, "vertical slider, no ticks, tab stop", "" },
        { NO_ID, "text", "2" },
        { NO_ID, "text", "1" },
        { NO_ID, "text", "0" },
        { NO_ID, "text", "Disabled" },
        { IDC_MISC_ILLEGAL_INSTRUCTIONS, "check box, tab stop", "&Print illegal instructions" },
        { IDC_MISC_DEBUGGER, "check box, tab stop", "&Debugger enabled" },
        { IDC_MISC_IMMEDIATE_BLITS, "check box, tab stop", "Enable &immediate blits" },
        { IDC_MISC_32BIT_BLITS, "check box, tab stop", "Enable 32 bit &blits" },
        { NO_ID, "text", "System &clock" },
        { IDC_MISC_SYSTEM_CLOCK, "drop-down list, tab stop", "Disabled|Automatic|100|120|133|150|166|180|200|233|250" },
        { NO_ID, "etched frame", "" },
    } },
    { IDD_EMULATOR_PAGE, {
        { NO_ID, "group box", "&Emulator" },
        { IDC_EMULATOR_TYPE, "text", "" },
        { IDC_EMULATOR_PATH, "edit, scrolls, tab stop", "" },
        { IDC_EMULATOR_BROWSE, "push button, tab stop", "&Browse" },
        { NO_ID, "etched line", "" },
        { NO_ID, "etched frame", "" },
        { NO_ID, "text, one line", "Emulator &Priority:" },
        { IDC_EMULATOR_PRIORITY_VALUE, "text", "Static" },
        { IDC_EMULATOR_PRIORITY, "slider, no ticks, tab stop", "" },
        { NO_ID, "text", "Normal" },
        { NO_ID, "text", "Idle" },
        { NO_ID, "text", "High" },
        { NO_ID, "text", "Real Time" },
        { NO_ID, "etched frame", "" },
        { NO_ID, "text, one line", "CPU &Speed:" },
        { IDC_EMULATOR_SPEED_VALUE, "text", "Static" },
        { IDC_EMULATOR_SPEED, "slider, no ticks, tab stop", "" },
    } },
    { IDD_KICKSTART_PAGE, {
        { NO_ID, "group box", "Kickstart" },
        { NO_ID, "text, one line", "&Kickstart Version" },
        { IDC_KICKSTART_VERSION, "text", "" },
        { IDC_KICKSTART_PATH, "edit, scrolls, tab stop", "" },
        { IDC_KICKSTART_BROWSE, "push button, tab stop", "&Browse" },
    } },
    { IDD_VIDEO_PAGE, {
        { NO_ID, "group box", "Video" },
        { NO_ID, "text", "&Resolution  ( x : y )" },
        { IDC_VIDEO_RESOLUTION, "drop-down combo, tab stop", "320:240|640:480|800:600" },
        { NO_ID, "etched frame", "" },
        { NO_ID, "text", "&Frame rate:" },
        { IDC_VIDEO_FRAME_RATE_VALUE, "text", "Static" },
        { IDC_VIDEO_FRAME_RATE, "slider, no ticks, tab stop", "" },
        { IDC_VIDEO_CENTER_HORIZONTALLY, "check box, tab stop", "Center &horizontally" },
        { IDC_VIDEO_CENTER_VERTICALLY, "check box, tab stop", "Center ver&tically" },
        { IDC_VIDEO_DOUBLE_HEIGHT, "check box, tab stop", "&Double height" },
        { IDC_VIDEO_CORRECT_ASPECT, "check box, tab stop", "&Correct Aspect" },
        { IDC_VIDEO_LOWRES, "check box, tab stop", "L&owRes" },
        { IDC_VIDEO_1081_EMULATION, "check box, tab stop", "&Emulate Commodore 1081 PAL monitor" },
        { IDC_VIDEO_DESKTOP_WINDOW, "check box, tab stop", "Open ZOT display as desktop &window" },
    } },
    { IDD_MEMORY_PAGE, {
        { NO_ID, "group box", "Memory" },
        { NO_ID, "etched frame", "" },
        { NO_ID, "text", "&Fast Memory:" },
        { IDC_MEMORY_FAST_SIZE, "text", "Static" },
        { IDC_MEMORY_FAST, "slider, no ticks, tab stop", "" },
        { NO_ID, "etched frame", "" },
        { NO_ID, "text", "&Chip Memory" },
        { IDC_MEMORY_CHIP_SIZE, "text", "Static" },
        { IDC_MEMORY_CHIP, "slider, no ticks, tab stop", "" },
        { NO_ID, "etched frame", "" },
        { NO_ID, "text", "&Slow Memory:" },
        { IDC_MEMORY_SLOW_SIZE, "text", "Static" },
        { IDC_MEMORY_SLOW, "slider, no ticks, tab stop", "" },
    } },
    { IDD_HARDDISK_PAGE, {
        { IDC_HARDDISK_GROUP, "group box", "&Hard Disk" },
        { IDC_HARDDISK_LIST, "report list, one selection shown, tab stop", "" },
        { IDC_HARDDISK_EDIT, "push button, tab stop", "&Edit" },
        { IDC_HARDDISK_DELETE, "push button, tab stop", "&Delete" },
    } },
    { IDD_FLOPPY_PAGE, {
        { NO_ID, "group box", "&Floppy" },
        { IDC_FLOPPY_LIST, "report list, one selection shown, tab stop", "" },
        { IDC_FLOPPY_INSERT, "push button, tab stop", "&Insert" },
        { IDC_FLOPPY_EJECT, "push button, tab stop", "&Eject" },
        { NO_ID, "etched line", "" },
        { NO_ID, "text", "Catalog floppy images" },
        { IDC_FLOPPY_CATALOG, "push button, tab stop", "&Start" },
        { IDC_FLOPPY_PROGRESS, "progress bar", "" },
    } },
    { IDD_TAB_LAUNCHER, {
        { IDC_TAB_PAGES, "tabs, several rows, tab stop", "Tab1" },
        { IDC_TAB_PAGE_AREA, "black frame, hidden", "" },
        { IDOK, "default push button, tab stop", "&Launch" },
        { IDCANCEL, "push button, tab stop", "Lea&ve" },
        { IDC_TAB_PAGE_ICON, "icon", "" },
    } },
    { IDD_LIST_LAUNCHER, {
        { IDC_LIST_PAGES, "report list without heading, one selection shown, tab stop", "List1" },
        { IDC_LIST_PAGE_AREA, "black frame, hidden", "" },
        { IDOK, "default push button, tab stop", "&Launch" },
        { IDCANCEL, "push button, tab stop", "Lea&ve" },
    } },
    { IDD_HARDDISK_NAME, {
        { NO_ID, "text", "&Give that hard disk a name you want Amiga to display." },
        { IDC_HARDDISK_NAME, "edit, scrolls, tab stop", "" },
        { IDC_HARDDISK_READ_ONLY, "check box, tab stop", "&Read Only" },
        { IDOK, "default push button, tab stop", "OK" },
        { IDCANCEL, "push button, tab stop", "Cancel" },
    } },
    { IDD_CONFIG_NAME, {
        { NO_ID, "text", "Give a name for that configuration" },
        { IDC_CONFIG_NAME, "edit, scrolls, tab stop", "" },
        { IDOK, "default push button, tab stop", "OK" },
        { IDCANCEL, "push button, tab stop", "Cancel" },
    } },
    { IDD_MAIN, {
        { IDOK, "default push button, tab stop", "OK" },
        { IDCANCEL, "push button, tab stop", "Cancel" },
    } },
    { IDD_WRITE_PROGRESS, {
        { NO_ID, "text", "Writing the profile..." },
        { IDC_WRITE_PROGRESS, "progress bar", "" },
    } },
};

TEST(Templates, EveryControlHasItsIdKindAndCaptionInTabOrder)
{
    for (const auto& t : s_templates)
        EXPECT_EQ(t.controls, Controls(t.nID)) << "template " << t.nID;
}

// The letter that a caption underlines ("&&" shows a plain "&"); 0 for none
char Mnemonic(const std::string& caption)
{
    for (size_t i = 0; i + 1 < caption.size(); i++)
    {
        if (caption[i] != '&')
            continue;
        if (caption[i + 1] != '&')
            return (char)toupper((unsigned char)caption[i + 1]);
        i++;
    }
    return 0;
}

// Alt and a letter go to the first control from the focus on that underlines
// it: a letter underlined twice where both show reaches one of them only, and
// a button's letter presses the button. Each page shows with the window's own
// controls in all three windows; the dialogs show alone.
TEST(Templates, NoLetterIsUnderlinedTwiceWhereBothShow)
{
    const UINT pages[] = { IDD_EMULATOR_PAGE, IDD_KICKSTART_PAGE, IDD_VIDEO_PAGE, IDD_MEMORY_PAGE,
                           IDD_HARDDISK_PAGE, IDD_FLOPPY_PAGE,   IDD_JOYSTICK_PAGE, IDD_SOUND_PAGE,
                           IDD_KEYBOARD_PAGE, IDD_MISC_PAGE,     IDD_CONFIG_PAGE,   IDD_INFO_PAGE };
    std::vector<std::vector<UINT>> together;
    for (UINT nWindow : { IDD_TAB_LAUNCHER, IDD_LIST_LAUNCHER, IDD_MODERN_LAUNCHER })
        for (UINT nPage : pages)
            together.push_back({ nWindow, nPage });
    together.push_back({ IDD_HARDDISK_NAME });
    together.push_back({ IDD_CONFIG_NAME });

    std::map<UINT, std::vector<Control>> controls;
    size_t nLabels = 0;
    for (const std::vector<UINT>& templates : together)
    {
        std::map<char, std::string> owners;
        for (UINT nID : templates)
            for (const Control& c : controls.count(nID) ? controls[nID] : (controls[nID] = Controls(nID)))
            {
                // Only buttons and texts take their letter; lists show entries.
                bool bLabel = c.kind.find("button") != std::string::npos || c.kind.find("check box") == 0
                              || c.kind.find("group box") == 0 || c.kind.find("text") == 0;
                char chLetter = Mnemonic(c.caption);
                if (!bLabel || !chLetter || c.kind.find("hidden") != std::string::npos)
                    continue;
                nLabels++;
                auto inserted = owners.emplace(chLetter, c.caption);
                EXPECT_TRUE(inserted.second) << "\"" << c.caption << "\" and \"" << inserted.first->second
                                             << "\" in templates " << templates[0] << ", " << templates.back();
            }
    }
    EXPECT_GT(nLabels, together.size());
}

}  // namespace
