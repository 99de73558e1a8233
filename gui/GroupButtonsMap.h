#pragma once

#include <qv.win/GroupButtons.h>

#include <map>

namespace qv::gui {

// Which group each button belongs to, kept as runs of consecutive buttons of one group, so that
// a group costs the same whatever its length. Buttons are never negative, so -1 answers "none".
class GroupButtons::GroupMap {
public:
    groupData* find(INT64 button) const;
    // first ... last now belong to the group, whatever they belonged to before.
    void assign(INT64 first, INT64 last, groupData* group);
    // Forgets the buttons of first ... last that belong to the group.
    void erase(INT64 first, INT64 last, const groupData* group);
    // The first button of first ... last that belongs to no group, -1 when all do.
    INT64 firstUnmapped(INT64 first, INT64 last) const;
    // The nearest grouped button after (before) the given one, -1 when there is none.
    INT64 next(INT64 button) const;
    INT64 prev(INT64 button) const;
    void clear() { m_runs.clear(); }

private:
    struct Run {
        INT64 last;
        groupData* group;
    };
    using Runs = std::map<INT64, Run>; // keyed by the run's first button

    // The run holding the button, or end.
    Runs::const_iterator _runAt(INT64 button) const;
    // Splits the run that holds the button so that a run starts there.
    void _splitAt(INT64 button);

    Runs m_runs;
};

} // namespace qv::gui
