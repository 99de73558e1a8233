#include "WorkbenchDoc.h"

namespace demo {

IMPLEMENT_DYNCREATE(WorkbenchDoc, CDocument)

} // namespace demo
