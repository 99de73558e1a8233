#pragma once

// Threads, the application object and the message pump of afxwin.h.

#include "afxwnd_.h"

#include <vector>

class CDocTemplate;

class QV_MFC_API CWinThread : public CCmdTarget {
    DECLARE_DYNAMIC(CWinThread)
public:
    CWinThread();
    virtual ~CWinThread();

    // Attributes
    CWnd* m_pMainWnd = nullptr;
    BOOL m_bAutoDelete = TRUE;
    HANDLE m_hThread = nullptr;
    DWORD m_nThreadID = 0;
    MSG m_msgCur{};

    virtual CWnd* GetMainWnd() { return m_pMainWnd; }

    // Overridables
    virtual BOOL InitInstance() { return FALSE; }
    virtual int ExitInstance();
    // The message loop: pump until WM_QUIT, calling OnIdle with a growing count whenever the
    // queue is empty.
    virtual int Run();
    // Offers the message to the windows from its target up to the main window, then to the
    // main window when the target lies outside it.
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    virtual BOOL PumpMessage();
    // lCount 0: idle updates; 1 and more: temporary handle-map objects are deleted. Returns
    // TRUE while more idle work remains.
    virtual BOOL OnIdle(LONG lCount);
    virtual BOOL IsIdleMessage(MSG* pMsg);
};

class QV_MFC_API CWinApp : public CWinThread {
    DECLARE_DYNAMIC(CWinApp)
public:
    explicit CWinApp(LPCTSTR lpszAppName = nullptr);
    virtual ~CWinApp();

    // Attributes
    LPCTSTR m_pszAppName = nullptr;
    HINSTANCE m_hInstance = nullptr;
    LPTSTR m_lpCmdLine = nullptr;
    int m_nCmdShow = SW_SHOWNORMAL;

    // Operations
    HCURSOR LoadCursor(LPCTSTR lpszResourceName) const;
    HCURSOR LoadCursor(UINT nIDResource) const { return LoadCursor(MAKEINTRESOURCE(nIDResource)); }
    HCURSOR LoadStandardCursor(LPCTSTR lpszCursorName) const { return ::LoadCursor(nullptr, lpszCursorName); }
    HICON LoadIcon(LPCTSTR lpszResourceName) const;
    HICON LoadIcon(UINT nIDResource) const { return LoadIcon(MAKEINTRESOURCE(nIDResource)); }
    HICON LoadStandardIcon(LPCTSTR lpszIconName) const { return ::LoadIcon(nullptr, lpszIconName); }
    // The application owns its templates and deletes them when it is destroyed.
    void AddDocTemplate(CDocTemplate* pTemplate);

    // Overridables
    virtual BOOL InitApplication() { return TRUE; }
    virtual BOOL InitInstance() { return TRUE; }
    virtual int ExitInstance();
    virtual int Run();
    virtual BOOL OnIdle(LONG lCount);
    // nCode 1 shows the wait cursor (nested), -1 removes one level, 0 restores it.
    virtual void DoWaitCursor(int nCode);
    // An exception that escaped a message handler: logged to the debugger and deleted; the
    // result is -1 for WM_CREATE, else 0.
    virtual LRESULT ProcessWndProcException(CException* e, const MSG* pMsg);

    // Command handlers
    afx_msg void OnFileNew();

protected:
    std::vector<CDocTemplate*> m_templates;

    DECLARE_MESSAGE_MAP()
};

QV_MFC_API CWinApp* AFXAPI AfxGetApp();
// The CWinThread of the calling thread: the application on the thread that constructed it,
// NULL on a thread without one (a host that pumps messages itself).
QV_MFC_API CWinThread* AFXAPI AfxGetThread();
QV_MFC_API CWnd* AFXAPI AfxGetMainWnd();
QV_MFC_API HINSTANCE AFXAPI AfxGetInstanceHandle();
QV_MFC_API HINSTANCE AFXAPI AfxFindResourceHandle(LPCTSTR lpszName, LPCTSTR lpszType);
QV_MFC_API BOOL AFXAPI AfxWinInit(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPTSTR lpCmdLine, int nCmdShow);
// The body of WinMain: InitApplication, InitInstance, Run (or ExitInstance when init fails).
QV_MFC_API int AFXAPI AfxWinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPTSTR lpCmdLine, int nCmdShow);
QV_MFC_API void AFXAPI AfxPostQuitMessage(int nExitCode);

// For hosts that run their own message loop: pre-translation of one message (the thread's
// PreTranslateMessage when it has a CWinThread, else the walk from the target window up its
// parents). TRUE means the message was handled and must not be dispatched.
QV_MFC_API BOOL AFXAPI AfxPreTranslateMessage(MSG* pMsg);
// One GetMessage/pre-translate/dispatch step; FALSE on WM_QUIT.
QV_MFC_API BOOL AFXAPI AfxPumpMessage();
QV_MFC_API BOOL AFXAPI AfxIsIdleMessage(MSG* pMsg);
// Temporary handle-map objects are deleted when the lock count returns to zero. Window
// procedures hold a lock while they run; an idle handler calls AfxLockTempMaps and then
// AfxUnlockTempMaps, which deletes the temporaries only when no window procedure is running.
QV_MFC_API void AFXAPI AfxLockTempMaps();
QV_MFC_API BOOL AFXAPI AfxUnlockTempMaps(BOOL bDeleteTemps = TRUE);
