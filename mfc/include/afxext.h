#pragma once

// Extensions of afxwin.h. This layer's frames and views need nothing beyond afxwin.h.

#include "afxwin.h"
