#pragma once

// Export macro of the qv.core DLL.
#ifdef QV_CORE_BUILD
#define QV_CORE_API __declspec(dllexport)
#else
#define QV_CORE_API __declspec(dllimport)
#endif
