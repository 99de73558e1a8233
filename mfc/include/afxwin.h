#pragma once

// Windows, GDI, the application and document/view of the MFC-compatible layer.

#include "afx.h"
#include "atltypes.h"
#include "afxstr.h"

#include "afxgdi_.h"
#include "afxmsg_.h"
#include "afxwnd_.h"
#include "afxapp_.h"
#include "afxdoc_.h"
