#pragma once

namespace qv {
class Logger;
}

namespace demo {

// The workbench's own lines in its log pane, beside the warnings the library logs there:
// what the user did and what it changed.
void setJournal(qv::Logger* sink);
// A printf-style line at the information level; nothing while no pane is set.
void note(const char* pattern, ...);

} // namespace demo
