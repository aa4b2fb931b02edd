#include "ConfigNameDlg.h"

#include "LauncherApp.h"
#include "ProfileSection.h"
#include "res/resource.h"

// The list's names are read back from the profile like any value.
static const int CONFIG_NAME_MAX = CLauncherApp::PROFILE_VALUE_MAX;

CConfigNameDlg::CConfigNameDlg(CWnd* pParentWnd) : CNameDlg(IDD_CONFIG_NAME, IDC_CONFIG_NAME, CONFIG_NAME_MAX, pParentWnd)
{
}

CString CConfigNameDlg::CheckName(const CString& strName)
{
    CString strProblem = CheckLine(strName, "A configuration name", CONFIG_NAME_MAX);
    if (!strProblem.IsEmpty())
        return strProblem;
    int nLength = strName.GetLength();
    if (nLength == 0)
        return "Please give the configuration a name.";
    if (!IsPlainSectionName(strName))
        return "A configuration name cannot begin or end with a blank or a tab.";
    // A value in quotes is read back without them.
    if (nLength >= 2 && (strName[0] == '"' || strName[0] == '\'') && strName[nLength - 1] == strName[0])
        return "A configuration name cannot be enclosed in quotation marks.";
    if (IsSameName(strName, "ConfigList"))
        return "\"ConfigList\" holds the list of configurations. Please choose another name.";
    return "";
}
