#include "Journal.h"

#include <qv.win/core/qv.Logger.h>

#include <cstdarg>
#include <cstdio>

namespace demo {

namespace {

qv::Logger* journal = nullptr;
constexpr size_t kMaxLine = 512;

} // namespace

void setJournal(qv::Logger* sink)
{
    journal = sink;
}

void note(const char* pattern, ...)
{
    if (!journal)
        return;
    char line[kMaxLine];
    va_list args;
    va_start(args, pattern);
    std::vsnprintf(line, sizeof line, pattern, args);
    va_end(args);
    journal->write(line, qv::LogInfo, "workbench", 0);
}

} // namespace demo
