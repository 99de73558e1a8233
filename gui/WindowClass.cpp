#include "WindowClass.h"

namespace qv::gui {

void registerWindowClass(const wchar_t* name, UINT style)
{
    WNDCLASS windowClass{};
    windowClass.style = style;
    windowClass.lpfnWndProc = ::DefWindowProc;
    windowClass.hInstance = AfxGetInstanceHandle();
    windowClass.hCursor = ::LoadCursor(nullptr, IDC_ARROW);
    windowClass.lpszClassName = name;
    if (!AfxRegisterClass(&windowClass))
        AfxThrowResourceException();
}

} // namespace qv::gui
