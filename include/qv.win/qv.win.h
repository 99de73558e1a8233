#pragma once

// Export macro of the qv.win DLL.
#ifdef QV_WIN_BUILD
#define QV_WIN_API __declspec(dllexport)
#else
#define QV_WIN_API __declspec(dllimport)
#endif
