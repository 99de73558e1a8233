#pragma once

// Windows, GDI, the application and document/view of the MFC-compatible layer, in the order
// MFC declares them:
//   afxgdi_.h  CGdiObject, CPen, CBrush, CFont, CBitmap, CPalette, CRgn; CDC, CPaintDC,
//              CClientDC, CWindowDC
//   afxmsg_.h  message-map entries, handler signatures and the ON_ macros
//   afxwnd_.h  CCmdTarget, CWnd, CScrollBar; AfxWndProc, AfxRegisterClass, AfxRegisterWndClass,
//              AfxExtractSubString
//   afxmenu_.h CMenu
//   afxctl_.h  CStatic, CButton, CEdit
//   afxdlg_.h  CDialog
//   afxapp_.h  CWinThread, CWinApp; AfxGetApp, AfxPreTranslateMessage, AfxUnlockTempMaps
//   afxdoc_.h  CCreateContext, CDocument, CView, CFrameWnd, CDocTemplate, CSingleDocTemplate
// Windows work on a thread with or without a CWinApp: a host that runs its own message loop
// calls AfxPreTranslateMessage for each message and AfxUnlockTempMaps when it is idle.

#include "afx.h"
#include "atltypes.h"
#include "afxstr.h"

#include "afxgdi_.h"
#include "afxmsg_.h"
#include "afxwnd_.h"
#include "afxmenu_.h"
#include "afxctl_.h"
#include "afxdlg_.h"
#include "afxapp_.h"
#include "afxdoc_.h"
