#include "TestSupport.h"

#include <gtest/gtest.h>

TEST(Profile, Placeholder)
{
    CTempDir dir;
    CTestApp app(dir.File("Kovana.ini"));
    EXPECT_EQ(CString(""), app.ReadConfigValue("Video"));
}
TEST(Profile, Window)
{
    CTestHost host;
    EXPECT_TRUE(host.m_hWnd != nullptr);
}
