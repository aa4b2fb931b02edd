// Classes in this file:
//   CDialog        - modal or modeless dialog from a template, with a message map
//   CDataExchange  - direction and target of one data exchange
//   DDX_*          - data exchange between a control and a member
//
// Message maps are small static tables that CDialog walks; the macros below
// build them with MFC's spelling:
//
//   BEGIN_MESSAGE_MAP(CSoundPage, CSettingsPage)
//       ON_CBN_SELCHANGE(IDC_SOUND_EMULATION, OnSelchangeSoundEmulation)
//   END_MESSAGE_MAP()
//
// ON_CONTROL_RANGE gives one handler the notifications of a run of
// contiguous control ids; the handler receives the id.
#pragma once

#include "Wnd.h"

#include <commctrl.h>
#include <uxtheme.h>

#include <utility>
#include <vector>

class CDialog;
class CDataExchange;

// Message map
enum AfxSig
{
    AfxSig_end = 0,
    AfxSig_v,       // void Handler()                    WM_COMMAND notifications
    AfxSig_vw,      // void Handler(UINT nID)            WM_COMMAND notifications of a range of ids
    AfxSig_lwl,     // LRESULT Handler(WPARAM, LPARAM)   any window message
    AfxSig_notify,  // void Handler(NMHDR*, LRESULT*)    WM_NOTIFY
};

union AfxMsgFn
{
    void (CDialog::*pfn_v)();
    void (CDialog::*pfn_vw)(UINT);
    LRESULT (CDialog::*pfn_lwl)(WPARAM, LPARAM);
    void (CDialog::*pfn_notify)(NMHDR*, LRESULT*);

    constexpr AfxMsgFn() : pfn_v(nullptr) {}
    constexpr AfxMsgFn(void (CDialog::*pfn)()) : pfn_v(pfn) {}
    constexpr AfxMsgFn(void (CDialog::*pfn)(UINT)) : pfn_vw(pfn) {}
    constexpr AfxMsgFn(LRESULT (CDialog::*pfn)(WPARAM, LPARAM)) : pfn_lwl(pfn) {}
    constexpr AfxMsgFn(void (CDialog::*pfn)(NMHDR*, LRESULT*)) : pfn_notify(pfn) {}
};

struct AFX_MSGMAP_ENTRY
{
    UINT nMessage;  // window message
    UINT nCode;     // notification code for WM_COMMAND and WM_NOTIFY
    UINT nID;       // control id for WM_COMMAND and WM_NOTIFY
    UINT nLastID;   // the last control id of a range (AfxSig_vw), else nID
    AfxSig nSig;
    AfxMsgFn pfn;
};

struct AFX_MSGMAP
{
    const AFX_MSGMAP* (*pfnGetBaseMap)();
    const AFX_MSGMAP_ENTRY* lpEntries;
};

#define DECLARE_MESSAGE_MAP() \
public: \
    static const AFX_MSGMAP* GetThisMessageMap(); \
protected: \
    const AFX_MSGMAP* GetMessageMap() const override;

#define BEGIN_MESSAGE_MAP(theClass, baseClass) \
    const AFX_MSGMAP* theClass::GetMessageMap() const { return GetThisMessageMap(); } \
    const AFX_MSGMAP* theClass::GetThisMessageMap() \
    { \
        typedef theClass ThisClass; \
        typedef baseClass TheBaseClass; \
        static const AFX_MSGMAP_ENTRY _messageEntries[] = {

#define END_MESSAGE_MAP() \
            { 0, 0, 0, 0, AfxSig_end, AfxMsgFn() } \
        }; \
        static const AFX_MSGMAP messageMap = { &TheBaseClass::GetThisMessageMap, &_messageEntries[0] }; \
        return &messageMap; \
    }

#define ON_COMMAND_CODE(code, id, memberFxn) \
    { WM_COMMAND, (UINT)(code), (UINT)(id), (UINT)(id), AfxSig_v, \
      AfxMsgFn(static_cast<void (CDialog::*)()>(&ThisClass::memberFxn)) },
#define ON_CONTROL_RANGE(code, id, idLast, memberFxn) \
    { WM_COMMAND, (UINT)(code), (UINT)(id), (UINT)(idLast), AfxSig_vw, \
      AfxMsgFn(static_cast<void (CDialog::*)(UINT)>(&ThisClass::memberFxn)) },
#define ON_BN_CLICKED(id, memberFxn) ON_COMMAND_CODE(BN_CLICKED, id, memberFxn)
#define ON_EN_KILLFOCUS(id, memberFxn) ON_COMMAND_CODE(EN_KILLFOCUS, id, memberFxn)
#define ON_CBN_SELCHANGE(id, memberFxn) ON_COMMAND_CODE(CBN_SELCHANGE, id, memberFxn)
#define ON_CBN_SELENDOK(id, memberFxn) ON_COMMAND_CODE(CBN_SELENDOK, id, memberFxn)
#define ON_CBN_CLOSEUP(id, memberFxn) ON_COMMAND_CODE(CBN_CLOSEUP, id, memberFxn)
#define ON_CBN_KILLFOCUS(id, memberFxn) ON_COMMAND_CODE(CBN_KILLFOCUS, id, memberFxn)
#define ON_LBN_DBLCLK(id, memberFxn) ON_COMMAND_CODE(LBN_DBLCLK, id, memberFxn)
#define ON_MESSAGE(message, memberFxn) \
    { (UINT)(message), 0, 0, 0, AfxSig_lwl, AfxMsgFn(static_cast<LRESULT (CDialog::*)(WPARAM, LPARAM)>(&ThisClass::memberFxn)) },
#define ON_NOTIFY(code, id, memberFxn) \
    { WM_NOTIFY, (UINT)(code), (UINT)(id), (UINT)(id), AfxSig_notify, AfxMsgFn(static_cast<void (CDialog::*)(NMHDR*, LRESULT*)>(&ThisClass::memberFxn)) },

class CDialog : public CWnd
{
public:
    explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr)
        : m_nIDTemplate(nIDTemplate), m_pParentWnd(pParentWnd) {}
    ~CDialog() override;

    CDialog(const CDialog&) = delete;
    CDialog& operator=(const CDialog&) = delete;

// Operations
    // DialogBoxParam: runs the dialog modally and returns what EndDialog was
    // given. While it runs, the keys of the thread's dialogs pass through
    // PreTranslateMessage first.
    virtual INT_PTR DoModal();
    // CreateDialogParam: a modeless dialog, a child when the template says so
    BOOL Create(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    void EndDialog(int nResult) { ::EndDialog(m_hWnd, nResult); }
    // Exchanges every bound member with its control; TRUE reads the controls
    BOOL UpdateData(BOOL bSaveAndValidate = TRUE);
    // EnableThemeDialogTexture: with ETDT_ENABLETAB the dialog takes the face
    // of the tab it lies in, in place of the application's dialog colours
    void EnableThemeDialogTexture(DWORD dwFlags);
    // The dialog's control of that id, as GetDlgItem finds it. Under Wine each
    // GetDlgItem asks the window server for the list of children, and data
    // exchange asks for the same controls on every move of a slider: the
    // answer is kept for as long as that window is still the child of that id.
    HWND GetControl(int nIDC);

// Overridables
    virtual BOOL OnInitDialog();
    virtual void OnOK() { EndDialog(IDOK); }
    virtual void OnCancel() { EndDialog(IDCANCEL); }
    virtual void DoDataExchange(CDataExchange*) {}
    // A key message of a modal loop, before the dialog manager acts on it:
    // offered to the dialog of the window that it is for, then to the dialogs
    // that this one lies in. TRUE when the dialog took it.
    virtual BOOL PreTranslateMessage(MSG* /*pMsg*/) { return FALSE; }

    static const AFX_MSGMAP* GetThisMessageMap();

protected:
    virtual const AFX_MSGMAP* GetMessageMap() const { return GetThisMessageMap(); }
    // Walks the message maps; TRUE when a handler took the message
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    // Fills combo boxes and list boxes from the template's initial list entries
    void ExecuteDlgInit(UINT nIDTemplate);

    UINT m_nIDTemplate;
    CWnd* m_pParentWnd;

private:
    static INT_PTR CALLBACK DialogProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK MsgFilterProc(int nCode, WPARAM wParam, LPARAM lParam);
    // The dialog object of a window, when the window is a dialog of ours
    static CDialog* FromHandle(HWND hWnd);

    std::vector<std::pair<int, HWND>> m_controls;
    // Set by EnableThemeDialogTexture with the tab's face, until the next window
    BOOL m_bTabTexture = FALSE;
};

class CDataExchange
{
public:
    CDataExchange(CDialog* pDlgWnd, BOOL bSaveAndValidate)
        : m_bSaveAndValidate(bSaveAndValidate), m_pDlgWnd(pDlgWnd) {}

    BOOL m_bSaveAndValidate;  // TRUE: controls to members
    CDialog* m_pDlgWnd;

    HWND PrepareCtrl(int nIDC) const { return m_pDlgWnd->GetControl(nIDC); }
};

// Binds a control member to the dialog's control of that id
void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl);
// Window text of any control
void DDX_Text(CDataExchange* pDX, int nIDC, CString& value);
// Check state of a check box or radio button
void DDX_Check(CDataExchange* pDX, int nIDC, int& value);
// The style bits that tell a simple combo box, a drop-down combo and a drop-down list apart
const DWORD CBS_TYPEMASK = CBS_SIMPLE | CBS_DROPDOWN | CBS_DROPDOWNLIST;

// Combo box text: the selected entry of a drop-down list, the edit text of a
// drop-down combo; towards the control, CB_SELECTSTRING picks the first entry
// that begins with the text, and a drop-down combo also shows the text as typed
void DDX_CBString(CDataExchange* pDX, int nIDC, CString& value);
