#pragma once

#include "qv.Logger.h"

namespace qv {

// The logging system: the registered sinks, and a printf-style warning that
// reaches every one of them. Registration does not transfer ownership.
class QV_CORE_API Log {
public:
    static void add(Logger* sink);
    static void remove(Logger* sink);

    static void warning(const char* pattern, ...);
};

} // namespace qv
