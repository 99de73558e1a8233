#pragma once

#define IDR_MAINFRAME 128
#define IDB_SPLASH 129
#define IDI_STATICS 130

#define ID_APP_EXIT 0xE141
#define ID_FILE_EXPORT_SETTINGS 32771
#define ID_VIEW_NEXT_PAGE 32772
#define ID_VIEW_PREVIOUS_PAGE 32773
// One command per page, in page order.
#define ID_VIEW_PAGE_FIRST 32780
#define ID_VIEW_PAGE_LAST 32799

// The statics and progress page: a dialog template whose controls the page takes over.
#define IDD_STATICS 140
#define IDC_STATICS_FIRST 1000 // six statics
#define IDC_LABELS_FIRST 1010  // five labels over the bars
#define IDC_BARS_FIRST 1020    // seven progress bars
#define IDC_STEP 1030
