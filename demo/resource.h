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
