#pragma once

// CDialog of afxwin.h: a dialog box made from a dialog template resource (or a template in
// memory). Create makes it modeless; DoModal disables the owner and runs a modal loop until
// EndDialog, then destroys the window and returns the result. Both pre-translate the keyboard
// through IsDialogMessage, so Tab, the arrows, Enter (IDOK or the default button) and Escape
// (IDCANCEL) work as in any dialog. OnInitDialog runs once the template's controls exist: the
// place to wrap them with SubclassDlgItem.

#include "afxwnd_.h"

class QV_MFC_API CDialog : public CWnd {
    DECLARE_DYNAMIC(CDialog)
public:
    // Construction
    CDialog() = default;
    // For DoModal.
    explicit CDialog(LPCTSTR lpszTemplateName, CWnd* pParentWnd = nullptr);
    explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr);

    // Modeless; FALSE when the template is missing or the window could not be made.
    virtual BOOL Create(LPCTSTR lpszTemplateName, CWnd* pParentWnd = nullptr);
    virtual BOOL Create(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    virtual BOOL CreateIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd = nullptr,
                                void* lpDialogInit = nullptr);
    // A template in memory for DoModal.
    BOOL InitModalIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd = nullptr, void* lpDialogInit = nullptr);

    // Attributes
    void MapDialogRect(LPRECT lpRect) const { ::MapDialogRect(m_hWnd, lpRect); }
    void SetDefID(UINT nID) { SendMessage(DM_SETDEFID, nID); }
    DWORD GetDefID() const { return static_cast<DWORD>(SendMessage(DM_GETDEFID)); }

    // Operations
    // The result given to EndDialog; -1 when the template is missing or creation failed.
    virtual INT_PTR DoModal();
    void EndDialog(int nResult);
    void NextDlgCtrl() const { SendMessage(WM_NEXTDLGCTL, 0); }
    void PrevDlgCtrl() const { SendMessage(WM_NEXTDLGCTL, 1); }
    void GotoDlgCtrl(CWnd* pWndCtrl)
    {
        SendMessage(WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(SafeHandle(pWndCtrl)), TRUE);
    }

    // Overridables
    // TRUE lets the dialog give the focus to its first control.
    virtual BOOL OnInitDialog();
    BOOL PreTranslateMessage(MSG* pMsg) override;

    // Implementation
    LPCTSTR m_lpszTemplateName = nullptr;
    LPCDLGTEMPLATE m_lpDialogTemplate = nullptr;
    CWnd* m_pParentWnd = nullptr;

protected:
    // End the dialog with IDOK and IDCANCEL.
    virtual void OnOK();
    virtual void OnCancel();

    DECLARE_MESSAGE_MAP()

private:
    BOOL createFromTemplate(LPCDLGTEMPLATE dialogTemplate, HWND owner);
};
