#pragma once

// A dialog with the statics and progress bars of the control tests, and their images.
#define IDD_CONTROLS 100
#define IDC_TITLE 1001
#define IDC_PICTURE 1002
#define IDC_PROGRESS 1003
#define IDC_NATIVE 1004
#define IDI_SQUARES 201 // 16, 32 and 48 pixels: red, green, blue squares
