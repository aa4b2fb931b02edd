#include "Dialog.h"

#include <algorithm>
#include <cstring>
#include <vector>

// The template's initial list entries live in a resource of this type with the
// template's id: a sequence of (WORD control id, NUL-terminated entry text),
// ended by a control id of 0. windres cannot compile MFC's own DLGINIT.
static LPCSTR const RT_LISTINIT = "LISTINIT";

const AFX_MSGMAP* CDialog::GetThisMessageMap()
{
    static const AFX_MSGMAP_ENTRY entries[] = { { 0, 0, 0, 0, AfxSig_end, AfxMsgFn() } };
    static const AFX_MSGMAP messageMap = { nullptr, &entries[0] };
    return &messageMap;
}

CDialog::~CDialog()
{
    // A modeless window must not call back into a destroyed object.
    if (m_hWnd && ::IsWindow(m_hWnd))
        ::SetWindowLongPtrA(m_hWnd, DWLP_USER, 0);
}

// The dialog manager's modal loop offers every message to the thread's
// message filter hooks (MSGF_DIALOGBOX) before it acts on it: the one place
// where a dialog run by DialogBoxParam sees a key first. One hook serves the
// modal loops nested in the thread.
static thread_local HHOOK s_hMsgFilter = nullptr;
static thread_local int s_nModalDepth = 0;

INT_PTR CDialog::DoModal()
{
    if (s_nModalDepth++ == 0)
        s_hMsgFilter = ::SetWindowsHookExA(WH_MSGFILTER, MsgFilterProc, nullptr, ::GetCurrentThreadId());
    HWND hWndParent = m_pParentWnd ? m_pParentWnd->m_hWnd : nullptr;
    INT_PTR nResult = ::DialogBoxParamA(AfxGetInstanceHandle(), MAKEINTRESOURCEA(m_nIDTemplate),
                                        hWndParent, DialogProc, (LPARAM)this);
    if (--s_nModalDepth == 0 && s_hMsgFilter)
    {
        ::UnhookWindowsHookEx(s_hMsgFilter);
        s_hMsgFilter = nullptr;
    }
    m_hWnd = nullptr;
    return nResult;
}

LRESULT CALLBACK CDialog::MsgFilterProc(int nCode, WPARAM wParam, LPARAM lParam)
{
    MSG* pMsg = (MSG*)lParam;
    if (nCode == MSGF_DIALOGBOX && pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST)
    {
        try
        {
            for (HWND hWnd = pMsg->hwnd; hWnd; hWnd = ::GetParent(hWnd))
            {
                CDialog* pDlg = FromHandle(hWnd);
                if (pDlg && pDlg->PreTranslateMessage(pMsg))
                    return TRUE;
                // Beyond a top-level window, GetParent gives its owner.
                if (!(::GetWindowLongA(hWnd, GWL_STYLE) & WS_CHILD))
                    break;
            }
        }
        catch (...)
        {
        }
    }
    return ::CallNextHookEx(nullptr, nCode, wParam, lParam);
}

CDialog* CDialog::FromHandle(HWND hWnd)
{
    if (::GetWindowLongPtrA(hWnd, DWLP_DLGPROC) != (LONG_PTR)DialogProc)
        return nullptr;
    return (CDialog*)::GetWindowLongPtrA(hWnd, DWLP_USER);
}

BOOL CDialog::Create(UINT nIDTemplate, CWnd* pParentWnd)
{
    m_nIDTemplate = nIDTemplate;
    m_pParentWnd = pParentWnd;
    m_bTabTexture = FALSE;
    HWND hWnd = ::CreateDialogParamA(AfxGetInstanceHandle(), MAKEINTRESOURCEA(nIDTemplate),
                                     pParentWnd ? pParentWnd->m_hWnd : nullptr, DialogProc, (LPARAM)this);
    return hWnd != nullptr;
}

void CDialog::EnableThemeDialogTexture(DWORD dwFlags)
{
    if (SUCCEEDED(::EnableThemeDialogTexture(m_hWnd, dwFlags)))
        m_bTabTexture = (dwFlags & ETDT_USETABTEXTURE) != 0;
}

BOOL CDialog::UpdateData(BOOL bSaveAndValidate)
{
    CDataExchange dx(this, bSaveAndValidate);
    DoDataExchange(&dx);
    return TRUE;
}

HWND CDialog::GetControl(int nIDC)
{
    auto known = std::find_if(m_controls.begin(), m_controls.end(),
                              [nIDC](const std::pair<int, HWND>& control) { return control.first == nIDC; });
    if (known != m_controls.end() && ::IsWindow(known->second) && ::GetParent(known->second) == m_hWnd
        && ::GetDlgCtrlID(known->second) == nIDC)
        return known->second;
    HWND hWndCtrl = ::GetDlgItem(m_hWnd, nIDC);
    if (known != m_controls.end())
        known->second = hWndCtrl;
    else if (hWndCtrl)
        m_controls.emplace_back(nIDC, hWndCtrl);
    return hWndCtrl;
}

BOOL CDialog::OnInitDialog()
{
    ExecuteDlgInit(m_nIDTemplate);
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::ExecuteDlgInit(UINT nIDTemplate)
{
    HINSTANCE hInstance = AfxGetInstanceHandle();
    HRSRC hResource = ::FindResourceA(hInstance, MAKEINTRESOURCEA(nIDTemplate), RT_LISTINIT);
    if (!hResource)
        return;
    HGLOBAL hData = ::LoadResource(hInstance, hResource);
    const BYTE* p = hData ? (const BYTE*)::LockResource(hData) : nullptr;
    if (!p)
        return;
    const BYTE* pEnd = p + ::SizeofResource(hInstance, hResource);
    // Each list is redrawn once when it is full, not once for every entry.
    std::vector<HWND> filled;
    while (p + sizeof(WORD) <= pEnd)
    {
        WORD nIDC;
        memcpy(&nIDC, p, sizeof(WORD));
        p += sizeof(WORD);
        if (nIDC == 0)
            break;
        const BYTE* pText = p;
        while (p < pEnd && *p)
            p++;
        if (p == pEnd)
            break;  // an entry without its terminator ends the data
        p++;
        HWND hWndCtrl = GetControl(nIDC);
        char szClass[16] = "";
        ::GetClassNameA(hWndCtrl, szClass, sizeof(szClass));
        BOOL bCombo = lstrcmpiA(szClass, "ComboBox") == 0;
        if (!bCombo && lstrcmpiA(szClass, "ListBox") != 0)
            continue;
        if (std::find(filled.begin(), filled.end(), hWndCtrl) == filled.end())
        {
            ::SendMessageA(hWndCtrl, WM_SETREDRAW, FALSE, 0);
            filled.push_back(hWndCtrl);
        }
        ::SendMessageA(hWndCtrl, bCombo ? CB_ADDSTRING : LB_ADDSTRING, 0, (LPARAM)pText);
    }
    for (HWND hWndCtrl : filled)
        ::SendMessageA(hWndCtrl, WM_SETREDRAW, TRUE, 0);
}

BOOL CDialog::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    for (const AFX_MSGMAP* pMap = GetMessageMap(); pMap; pMap = pMap->pfnGetBaseMap ? pMap->pfnGetBaseMap() : nullptr)
    {
        for (const AFX_MSGMAP_ENTRY* pEntry = pMap->lpEntries; pEntry->nSig != AfxSig_end; pEntry++)
        {
            if (pEntry->nMessage != message)
                continue;
            switch (pEntry->nSig)
            {
            case AfxSig_v:
                if (pEntry->nCode != HIWORD(wParam) || pEntry->nID != LOWORD(wParam))
                    continue;
                (this->*pEntry->pfn.pfn_v)();
                *pResult = 0;
                return TRUE;
            case AfxSig_vw:
                if (pEntry->nCode != HIWORD(wParam) || LOWORD(wParam) < pEntry->nID || LOWORD(wParam) > pEntry->nLastID)
                    continue;
                (this->*pEntry->pfn.pfn_vw)(LOWORD(wParam));
                *pResult = 0;
                return TRUE;
            case AfxSig_lwl:
                *pResult = (this->*pEntry->pfn.pfn_lwl)(wParam, lParam);
                return TRUE;
            case AfxSig_notify:
            {
                NMHDR* pNMHDR = (NMHDR*)lParam;
                if (pEntry->nCode != pNMHDR->code || pEntry->nID != pNMHDR->idFrom)
                    continue;
                *pResult = 0;
                (this->*pEntry->pfn.pfn_notify)(pNMHDR, pResult);
                return TRUE;
            }
            case AfxSig_end:
                break;
            }
        }
    }

    if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED)
    {
        if (LOWORD(wParam) == IDOK)
        {
            OnOK();
            return TRUE;
        }
        if (LOWORD(wParam) == IDCANCEL)
        {
            OnCancel();
            return TRUE;
        }
    }
    return FALSE;
}

// A dialog procedure returns the result of these messages itself; for every
// other message the result goes into DWLP_MSGRESULT.
static BOOL ReturnsResultDirectly(UINT message)
{
    switch (message)
    {
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
    case WM_COMPAREITEM:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
    case WM_QUERYDRAGICON:
    case WM_INITDIALOG:
        return TRUE;
    }
    return FALSE;
}

INT_PTR CALLBACK CDialog::DialogProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    CDialog* pDlg;
    if (message == WM_INITDIALOG)
    {
        pDlg = (CDialog*)lParam;
        ::SetWindowLongPtrA(hWnd, DWLP_USER, lParam);
        pDlg->m_hWnd = hWnd;
    }
    else
        pDlg = (CDialog*)::GetWindowLongPtrA(hWnd, DWLP_USER);
    if (!pDlg)
        return FALSE;

    // No exception may unwind through the window manager.
    try
    {
        if (message == WM_INITDIALOG)
            return pDlg->OnInitDialog();

        LRESULT lResult = 0;
        if (pDlg->OnWndMsg(message, wParam, lParam, &lResult))
        {
            if (ReturnsResultDirectly(message))
                return (INT_PTR)lResult;
            ::SetWindowLongPtrA(hWnd, DWLP_MSGRESULT, lResult);
            return TRUE;
        }

        // Dialog colours set by the application apply to every dialog and its
        // statics that do not choose their own, but for a page in a tab of
        // today's look: that one takes the face of the tab's body.
        CWinApp* pApp = AfxGetApp();
        if (pApp && pApp->GetDialogBkBrush()
            && (message == WM_CTLCOLORDLG || message == WM_CTLCOLORSTATIC || message == WM_CTLCOLORBTN)
            && !pDlg->m_bTabTexture)
        {
            ::SetBkColor((HDC)wParam, pApp->GetDialogBkColor());
            ::SetTextColor((HDC)wParam, pApp->GetDialogTextColor());
            return (INT_PTR)pApp->GetDialogBkBrush();
        }
        if (message == WM_NCDESTROY)
            pDlg->m_hWnd = nullptr;
        return FALSE;
    }
    catch (...)
    {
        return FALSE;
    }
}

void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl)
{
    // Page windows are created anew by every launcher window; rebind then.
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (rControl.m_hWnd != hWndCtrl)
        rControl.SubclassWindow(hWndCtrl);
}

void DDX_Text(CDataExchange* pDX, int nIDC, CString& value)
{
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        value = AfxGetWindowText(hWndCtrl);
    else
        AfxSetWindowText(hWndCtrl, value);
}

void DDX_Check(CDataExchange* pDX, int nIDC, int& value)
{
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        value = (int)::SendMessageA(hWndCtrl, BM_GETCHECK, 0, 0);
    else
        ::SendMessageA(hWndCtrl, BM_SETCHECK, (WPARAM)value, 0);
}

void DDX_CBString(CDataExchange* pDX, int nIDC, CString& value)
{
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    BOOL bDropDownList = (::GetWindowLongA(hWndCtrl, GWL_STYLE) & CBS_TYPEMASK) == CBS_DROPDOWNLIST;
    if (pDX->m_bSaveAndValidate)
    {
        if (!bDropDownList)
        {
            value = AfxGetWindowText(hWndCtrl);
            return;
        }
        value.Empty();
        int nIndex = (int)::SendMessageA(hWndCtrl, CB_GETCURSEL, 0, 0);
        if (nIndex == CB_ERR)
            return;
        int nLength = (int)::SendMessageA(hWndCtrl, CB_GETLBTEXTLEN, nIndex, 0);
        if (nLength > 0)
        {
            ::SendMessageA(hWndCtrl, CB_GETLBTEXT, nIndex, (LPARAM)value.GetBuffer(nLength));
            value.ReleaseBuffer(nLength);
        }
    }
    else if (::SendMessageA(hWndCtrl, CB_SELECTSTRING, (WPARAM)-1, (LPARAM)(LPCSTR)value) == CB_ERR && !bDropDownList)
        AfxSetWindowText(hWndCtrl, value);
}
