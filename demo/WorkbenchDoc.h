#pragma once

#include <afxwin.h>

namespace demo {

// The workbench's document: the pages keep their own data, so it holds nothing yet.
class WorkbenchDoc : public CDocument {
    DECLARE_DYNCREATE(WorkbenchDoc)
};

} // namespace demo
