#pragma once

#include "qv.Logger.h"

namespace qv {

// The logging system: the registered sinks, and a printf-style warning that
// reaches every one of them. Registration does not transfer ownership. Sinks are
// called outside the registry's lock: a sink may log, add or remove sinks from its
// own output.
class QV_CORE_API Log {
public:
    static void add(Logger* sink);
    // Returns once no other thread is writing to the sink.
    static void remove(Logger* sink);

    static void warning(const char* pattern, ...);
};

} // namespace qv
