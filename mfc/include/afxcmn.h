#pragma once

// The common controls of the MFC-compatible layer:
//   afxcmn_.h  CImageList, CToolTipCtrl (CToolInfo), CSpinButtonCtrl, CProgressCtrl, CTabCtrl
//   afxlist_.h CHeaderCtrl, CListCtrl
//   afxrich_.h CRichEditCtrl; AfxInitRichEdit2, AfxInitRichEdit5

#include "afxwin.h"

#include "afxcmn_.h"
#include "afxlist_.h"
#include "afxrich_.h"
