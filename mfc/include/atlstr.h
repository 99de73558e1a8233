#pragma once

// ATL's name for the string header.

#include "afxstr.h"
