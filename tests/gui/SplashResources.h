#pragma once

#define IDB_SPLASH 201
#define IDS_SPLASH_LOADING 202
// Ids with no resource behind them.
#define IDB_MISSING 299
#define IDS_MISSING 298
