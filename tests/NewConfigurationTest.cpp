// What a first start writes: the new configuration's whole section, from the
// pages' defaults, in the order a new section receives its keys.
#include "ModalSteps.h"
#include "TestSupport.h"
#include "harness/DefaultProfile.h"

#include "res/resource.h"

#include <gtest/gtest.h>

namespace {

TEST(NewConfiguration, FirstStartWritesTheWholeSectionInPageOrder)
{
    CTempDir dir;
    CTestApp app(dir.File("Kovana.ini"));
    CTestHost host;
    // The Config page finds no configuration and asks for the first one's name.
    CModalSteps steps({ [] {
        HWND hDlg = ::FindWindowA("#32770", "Configuration name");
        if (!IsRunning(hDlg))
            return false;
        ::SetDlgItemTextA(hDlg, IDC_CONFIG_NAME, "Amiga 500");
        ClickButton(hDlg, IDOK);
        return true;
    } });
    ASSERT_TRUE(CreatePageWindows(app, host));
    ASSERT_TRUE(steps.Done());

    // Every page's keys, pages in their fixed order, byte for byte: the
    // profile that the other tests start from
    EXPECT_EQ(DefaultProfile(nullptr, "", "DOS", "Amiga 500"), ReadWholeFile(app.m_strProfile));
}

}  // namespace
