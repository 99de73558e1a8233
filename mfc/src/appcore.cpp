#include "wndstate.h"

using qvmfc::threadState;

IMPLEMENT_DYNAMIC(CWinThread, CCmdTarget)
IMPLEMENT_DYNAMIC(CWinApp, CWinThread)

BEGIN_MESSAGE_MAP(CWinApp, CWinThread)
END_MESSAGE_MAP()

namespace {

CWinApp* theApp = nullptr;
HINSTANCE instanceHandle = nullptr;

// Messages that do not end an idle period: mouse moves to the same place and caret blinks.
const UINT caretBlinkTimerMessage = 0x0118;

BOOL pumpMessage(MSG& msg)
{
    if (!::GetMessage(&msg, nullptr, 0, 0))
        return FALSE;
    if (!AfxPreTranslateMessage(&msg)) {
        ::TranslateMessage(&msg);
        ::DispatchMessage(&msg);
    }
    return TRUE;
}

} // namespace

// Threads

CWinThread::CWinThread()
{
    m_hThread = ::GetCurrentThread();
    m_nThreadID = ::GetCurrentThreadId();
}

CWinThread::~CWinThread()
{
    auto& state = threadState();
    if (state.currentThread == this)
        state.currentThread = nullptr;
}

int CWinThread::ExitInstance()
{
    return static_cast<int>(m_msgCur.wParam);
}

int CWinThread::Run()
{
    bool idle = true;
    LONG idleCount = 0;
    for (;;) {
        while (idle && !::PeekMessage(&m_msgCur, nullptr, 0, 0, PM_NOREMOVE)) {
            if (!OnIdle(idleCount++))
                idle = false;
        }
        do {
            if (!PumpMessage())
                return ExitInstance();
            if (IsIdleMessage(&m_msgCur)) {
                idle = true;
                idleCount = 0;
            }
        } while (::PeekMessage(&m_msgCur, nullptr, 0, 0, PM_NOREMOVE));
    }
}

BOOL CWinThread::PreTranslateMessage(MSG* pMsg)
{
    CWnd* mainWnd = GetMainWnd();
    if (CWnd::WalkPreTranslateTree(CWnd::SafeHandle(mainWnd), pMsg))
        return TRUE;
    if (mainWnd && pMsg->hwnd) {
        CWnd* target = CWnd::FromHandle(pMsg->hwnd);
        if (target->GetTopLevelParent() != mainWnd)
            return mainWnd->PreTranslateMessage(pMsg);
    }
    return FALSE;
}

BOOL CWinThread::PumpMessage()
{
    return pumpMessage(m_msgCur);
}

BOOL CWinThread::OnIdle(LONG lCount)
{
    if (lCount <= 0)
        return TRUE;
    AfxLockTempMaps();
    AfxUnlockTempMaps();
    return FALSE;
}

BOOL CWinThread::IsIdleMessage(MSG* pMsg)
{
    return AfxIsIdleMessage(pMsg);
}

// The application

CWinApp::CWinApp(LPCTSTR lpszAppName) : m_pszAppName(lpszAppName)
{
    theApp = this;
    threadState().currentThread = this;
    m_hInstance = AfxGetInstanceHandle();
}

CWinApp::~CWinApp()
{
    for (CDocTemplate* docTemplate : m_templates)
        delete docTemplate;
    if (theApp == this)
        theApp = nullptr;
}

HCURSOR CWinApp::LoadCursor(LPCTSTR lpszResourceName) const
{
    return ::LoadCursor(AfxFindResourceHandle(lpszResourceName, RT_GROUP_CURSOR), lpszResourceName);
}

HICON CWinApp::LoadIcon(LPCTSTR lpszResourceName) const
{
    return ::LoadIcon(AfxFindResourceHandle(lpszResourceName, RT_GROUP_ICON), lpszResourceName);
}

void CWinApp::AddDocTemplate(CDocTemplate* pTemplate)
{
    m_templates.push_back(pTemplate);
}

int CWinApp::ExitInstance()
{
    return CWinThread::ExitInstance();
}

int CWinApp::Run()
{
    return CWinThread::Run();
}

BOOL CWinApp::OnIdle(LONG lCount)
{
    return CWinThread::OnIdle(lCount);
}

void CWinApp::DoWaitCursor(int nCode)
{
    qvmfc::doWaitCursor(nCode);
}

LRESULT CWinApp::ProcessWndProcException(CException* e, const MSG* pMsg)
{
    return qvmfc::defaultWndProcException(e, pMsg);
}

void CWinApp::OnFileNew()
{
    if (!m_templates.empty())
        m_templates.front()->OpenDocumentFile(nullptr);
}

// Global functions

CWinApp* AFXAPI AfxGetApp()
{
    return theApp;
}

CWinThread* AFXAPI AfxGetThread()
{
    return threadState().currentThread;
}

CWnd* AFXAPI AfxGetMainWnd()
{
    CWinThread* thread = AfxGetThread();
    return thread ? thread->GetMainWnd() : nullptr;
}

HINSTANCE AFXAPI AfxGetInstanceHandle()
{
    return instanceHandle ? instanceHandle : ::GetModuleHandle(nullptr);
}

HINSTANCE AFXAPI AfxFindResourceHandle(LPCTSTR lpszName, LPCTSTR lpszType)
{
    HINSTANCE resources = AfxGetResourceHandle();
    if (::FindResource(resources, lpszName, lpszType))
        return resources;
    HINSTANCE instance = AfxGetInstanceHandle();
    return ::FindResource(instance, lpszName, lpszType) ? instance : resources;
}

BOOL AFXAPI AfxWinInit(HINSTANCE hInstance, HINSTANCE, LPTSTR lpCmdLine, int nCmdShow)
{
    instanceHandle = hInstance;
    if (CWinApp* app = AfxGetApp()) {
        app->m_hInstance = hInstance;
        app->m_lpCmdLine = lpCmdLine;
        app->m_nCmdShow = nCmdShow;
    }
    return TRUE;
}

int AFXAPI AfxWinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPTSTR lpCmdLine, int nCmdShow)
{
    CWinThread* thread = AfxGetThread();
    CWinApp* app = AfxGetApp();
    if (!thread || !AfxWinInit(hInstance, hPrevInstance, lpCmdLine, nCmdShow))
        return -1;
    if (app && !app->InitApplication())
        return thread->ExitInstance();
    if (!thread->InitInstance()) {
        if (thread->m_pMainWnd)
            thread->m_pMainWnd->DestroyWindow();
        return thread->ExitInstance();
    }
    return thread->Run();
}

void AFXAPI AfxPostQuitMessage(int nExitCode)
{
    ::PostQuitMessage(nExitCode);
}

BOOL AFXAPI AfxPreTranslateMessage(MSG* pMsg)
{
    if (CWinThread* thread = AfxGetThread())
        return thread->PreTranslateMessage(pMsg);
    return CWnd::WalkPreTranslateTree(nullptr, pMsg);
}

BOOL AFXAPI AfxPumpMessage()
{
    if (CWinThread* thread = AfxGetThread())
        return thread->PumpMessage();
    MSG msg;
    return pumpMessage(msg);
}

BOOL AFXAPI AfxIsIdleMessage(MSG* pMsg)
{
    thread_local POINT lastMousePoint{-1, -1};
    if (pMsg->message == WM_MOUSEMOVE || pMsg->message == WM_NCMOUSEMOVE) {
        if (pMsg->pt.x == lastMousePoint.x && pMsg->pt.y == lastMousePoint.y)
            return FALSE;
        lastMousePoint = pMsg->pt;
        return TRUE;
    }
    return pMsg->message != WM_PAINT && pMsg->message != caretBlinkTimerMessage;
}
