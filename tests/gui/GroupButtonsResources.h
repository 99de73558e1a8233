#pragma once

// Four 8 x 8 images: the left half of each magenta, the right half RGB(200, 0, 0).
#define IDB_GROUP_STRIP 101
