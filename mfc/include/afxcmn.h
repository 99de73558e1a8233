#pragma once

// The common controls of the MFC-compatible layer:
//   afxcmn_.h  CImageList, CToolTipCtrl (CToolInfo), CSpinButtonCtrl, CProgressCtrl
//   afxcmn2_.h CListCtrl, CRichEditCtrl; AfxInitRichEdit2

#include "afxwin.h"

#include "afxcmn_.h"
#include "afxcmn2_.h"
