#pragma once

// Export macro of the MFC-compatible layer's DLL.
#ifdef QV_MFC_BUILD
#define QV_MFC_API __declspec(dllexport)
#else
#define QV_MFC_API __declspec(dllimport)
#endif
