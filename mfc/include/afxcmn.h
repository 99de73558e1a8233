#pragma once

// The common controls of the MFC-compatible layer:
//   afxcmn_.h  CImageList, CToolTipCtrl (CToolInfo), CSpinButtonCtrl, CProgressCtrl

#include "afxwin.h"

#include "afxcmn_.h"
