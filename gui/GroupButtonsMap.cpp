#include "GroupButtonsMap.h"

#include <algorithm>
#include <limits>

namespace qv::gui {

namespace {

constexpr INT64 kLastButton = std::numeric_limits<INT64>::max();

} // namespace

GroupButtons::GroupMap::Runs::const_iterator GroupButtons::GroupMap::_runAt(INT64 button) const
{
    auto run = m_runs.upper_bound(button);
    if (run == m_runs.begin())
        return m_runs.end();
    --run;
    return button <= run->second.last ? run : m_runs.end();
}

GroupButtons::groupData* GroupButtons::GroupMap::find(INT64 button) const
{
    const auto run = _runAt(button);
    return run == m_runs.end() ? nullptr : run->second.group;
}

void GroupButtons::GroupMap::_splitAt(INT64 button)
{
    auto run = m_runs.upper_bound(button);
    if (run == m_runs.begin())
        return;
    --run;
    if (run->first == button || run->second.last < button)
        return;
    const Run tail = run->second;
    run->second.last = button - 1;
    m_runs.emplace(button, tail);
}

void GroupButtons::GroupMap::assign(INT64 first, INT64 last, groupData* group)
{
    erase(first, last, nullptr);
    m_runs.emplace(first, Run{last, group});
}

// A null group forgets the buttons whatever group they belong to.
void GroupButtons::GroupMap::erase(INT64 first, INT64 last, const groupData* group)
{
    if (first > last)
        return;
    _splitAt(first);
    if (last < kLastButton)
        _splitAt(last + 1);
    for (auto run = m_runs.lower_bound(first); run != m_runs.end() && run->first <= last;) {
        if (group == nullptr || run->second.group == group)
            run = m_runs.erase(run);
        else
            ++run;
    }
}

INT64 GroupButtons::GroupMap::firstUnmapped(INT64 first, INT64 last) const
{
    for (INT64 button = first; button <= last;) {
        const auto run = _runAt(button);
        if (run == m_runs.end())
            return button;
        if (run->second.last >= last)
            return -1;
        button = run->second.last + 1;
    }
    return -1;
}

INT64 GroupButtons::GroupMap::next(INT64 button) const
{
    if (button == kLastButton)
        return -1;
    const INT64 after = std::max<INT64>(button + 1, 0);
    if (_runAt(after) != m_runs.end())
        return after;
    const auto run = m_runs.upper_bound(after);
    return run == m_runs.end() ? -1 : run->first;
}

INT64 GroupButtons::GroupMap::prev(INT64 button) const
{
    if (button <= 0)
        return -1;
    auto run = m_runs.upper_bound(button - 1);
    if (run == m_runs.begin())
        return -1;
    --run;
    return std::min(run->second.last, button - 1);
}

} // namespace qv::gui
