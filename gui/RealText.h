#pragma once

#include <afxwin.h>

// Text of the real-valued controls: the patterns they print with and the numbers they read.
namespace qv::gui::realtext {

// True when the pattern prints exactly one double: one %a, %e, %f or %g conversion (upper case
// too) with flags, width and precision of at most three digits each, and any number of %%.
bool isRealPattern(const CString& pattern);
// The text as the C library reads a number; 0 for text that is not a finite number.
double parse(const CString& text);

} // namespace qv::gui::realtext
