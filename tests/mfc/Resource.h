#pragma once

// String resources of the MFC base tests.
#define IDS_GREETING 101
#define IDS_VALUE_FORMAT 102
#define IDS_ACCENTED 103
#define IDS_MISSING 199
