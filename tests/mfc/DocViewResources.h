#pragma once

// A document template resource: the frame's title and document name, its menu and accelerators.
#define IDR_DRAWING 0x7F02
#define ID_DRAWING_FILL 0x8001
