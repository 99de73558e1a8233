#include "wndstate.h"

IMPLEMENT_DYNAMIC(CCmdTarget, CObject)

const AFX_MSGMAP* PASCAL CCmdTarget::GetThisMessageMap()
{
    static const AFX_MSGMAP_ENTRY entries[] = {{0, 0, 0, 0, AfxSig_end, nullptr}};
    static const AFX_MSGMAP messageMap = {nullptr, &entries[0]};
    return &messageMap;
}

const AFX_MSGMAP* CCmdTarget::GetMessageMap() const
{
    return GetThisMessageMap();
}

namespace {

union CommandHandlers {
    AFX_PMSG pfn;
    void (AFX_MSG_CALL CCmdTarget::*pfnCmd_v_v)();
    BOOL (AFX_MSG_CALL CCmdTarget::*pfnCmd_b_v)();
    void (AFX_MSG_CALL CCmdTarget::*pfnCmd_v_u)(UINT);
    BOOL (AFX_MSG_CALL CCmdTarget::*pfnCmd_b_u)(UINT);
    void (AFX_MSG_CALL CCmdTarget::*pfnNotify_v_NMHDR_pl)(NMHDR*, LRESULT*);
    BOOL (AFX_MSG_CALL CCmdTarget::*pfnNotify_b_NMHDR_pl)(NMHDR*, LRESULT*);
    void (AFX_MSG_CALL CCmdTarget::*pfnNotify_v_u_NMHDR_pl)(UINT, NMHDR*, LRESULT*);
    BOOL (AFX_MSG_CALL CCmdTarget::*pfnNotify_b_u_NMHDR_pl)(UINT, NMHDR*, LRESULT*);
    void (AFX_MSG_CALL CCmdTarget::*pfnCmdUI)(CCmdUI*);
};

const AFX_MSGMAP_ENTRY* findEntry(const AFX_MSGMAP_ENTRY* entry, UINT message, UINT code, UINT id)
{
    for (; entry->nSig != AfxSig_end; ++entry) {
        if (entry->nMessage == message && entry->nCode == code && id >= entry->nID && id <= entry->nLastID)
            return entry;
    }
    return nullptr;
}

// Calls a command or notification handler; FALSE from an _EX handler lets routing go on.
BOOL dispatchCmdMsg(CCmdTarget* target, UINT id, const AFX_MSGMAP_ENTRY* entry, void* extra)
{
    CommandHandlers handler;
    handler.pfn = entry->pfn;
    auto* notify = static_cast<AFX_NOTIFY*>(extra);
    switch (entry->nSig) {
    case AfxSigCmd_v:
        (target->*handler.pfnCmd_v_v)();
        return TRUE;
    case AfxSigCmd_b:
        return (target->*handler.pfnCmd_b_v)();
    case AfxSigCmd_RANGE:
        (target->*handler.pfnCmd_v_u)(id);
        return TRUE;
    case AfxSigCmd_EX:
        return (target->*handler.pfnCmd_b_u)(id);
    case AfxSigNotify_v:
        (target->*handler.pfnNotify_v_NMHDR_pl)(notify->pNMHDR, notify->pResult);
        return TRUE;
    case AfxSigNotify_b:
        return (target->*handler.pfnNotify_b_NMHDR_pl)(notify->pNMHDR, notify->pResult);
    case AfxSigNotify_RANGE:
        (target->*handler.pfnNotify_v_u_NMHDR_pl)(id, notify->pNMHDR, notify->pResult);
        return TRUE;
    case AfxSigNotify_EX:
        return (target->*handler.pfnNotify_b_u_NMHDR_pl)(id, notify->pNMHDR, notify->pResult);
    case AfxSigCmdUI: {
        // A handler that calls ContinueRouting lets the next target update the item too.
        auto* cmdUI = static_cast<CCmdUI*>(extra);
        cmdUI->m_bContinueRouting = FALSE;
        (target->*handler.pfnCmdUI)(cmdUI);
        return !cmdUI->m_bContinueRouting;
    }
    default:
        return FALSE;
    }
}

} // namespace

BOOL CCmdTarget::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    UINT message = WM_COMMAND;
    UINT code = static_cast<UINT>(nCode);
    if (code != CN_UPDATE_COMMAND_UI && HIWORD(code) != 0) {
        message = HIWORD(code);
        code = LOWORD(code);
    }
    for (const AFX_MSGMAP* map = GetMessageMap(); map; map = map->pfnGetBaseMap ? map->pfnGetBaseMap() : nullptr) {
        const AFX_MSGMAP_ENTRY* entry = findEntry(map->lpEntries, message, code, nID);
        if (!entry)
            continue;
        if (pHandlerInfo) {
            pHandlerInfo->pTarget = this;
            pHandlerInfo->pmf = entry->pfn;
            return TRUE;
        }
        return dispatchCmdMsg(this, nID, entry, pExtra);
    }
    return FALSE;
}

namespace qvmfc {

// The wait cursor is per thread and nests: 1 shows it, -1 removes one level, 0 shows it again
// after something changed the cursor.
void doWaitCursor(int code)
{
    auto& state = threadState();
    if (code < 0) {
        if (state.waitCursorCount > 0 && --state.waitCursorCount == 0)
            ::SetCursor(state.cursorBeforeWait);
        return;
    }
    if (code == 0 && state.waitCursorCount == 0)
        return;
    HCURSOR previous = ::SetCursor(::LoadCursor(nullptr, IDC_WAIT));
    if (code > 0 && state.waitCursorCount++ == 0)
        state.cursorBeforeWait = previous;
}

} // namespace qvmfc

namespace {

void waitCursor(int code)
{
    if (CWinApp* app = AfxGetApp())
        app->DoWaitCursor(code);
    else
        qvmfc::doWaitCursor(code);
}

} // namespace

void CCmdTarget::BeginWaitCursor()
{
    waitCursor(1);
}

void CCmdTarget::EndWaitCursor()
{
    waitCursor(-1);
}

void CCmdTarget::RestoreWaitCursor()
{
    waitCursor(0);
}
