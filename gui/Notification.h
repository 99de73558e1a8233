#pragma once

#include <afxwin.h>

namespace qv::gui {

// Sends target WM_NOTIFY with code from the control, header being the start of the record: the
// header is filled in here, the rest of the record by the caller. The receiver may destroy the
// control, so nothing of it is used after the send.
inline LRESULT sendNotification(CWnd& target, const CWnd& control, UINT code, NMHDR& header)
{
    header.hwndFrom = control.m_hWnd;
    header.idFrom = static_cast<UINT_PTR>(control.GetDlgCtrlID());
    header.code = code;
    return target.SendMessage(WM_NOTIFY, header.idFrom, reinterpret_cast<LPARAM>(&header));
}

} // namespace qv::gui
