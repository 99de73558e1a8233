#pragma once

// A form dialog: two edits, a caption, OK, Cancel and a button that ends the dialog itself.
#define IDD_FORM 0x7F10
#define IDD_MISSING 0x7F1F
#define IDC_FIRST 1001
#define IDC_SECOND 1002
#define IDC_CAPTION 1003
#define IDC_APPLY 1004
