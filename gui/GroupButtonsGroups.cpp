#include "GroupButtonsMap.h"

#include <algorithm>

namespace qv::gui {

// A range reaching past the last button never counts as grouped already, so groups can be laid
// out before the images that make the buttons arrive.
GroupButtons::groupData* GroupButtons::addGroup(INT64 a, INT64 b)
{
    const INT64 lo = std::min(a, b);
    const INT64 hi = std::max(a, b);
    if (lo < 0)
        return nullptr;
    if (_isButton(hi) && m_buttonGroup->firstUnmapped(lo, hi) == -1)
        return nullptr;
    m_groups.push_back(std::make_unique<groupData>(groupData{lo, hi}));
    groupData* group = m_groups.back().get();
    _mapGroup(group, lo, hi);
    return group;
}

void GroupButtons::_mapGroup(groupData* group, INT64 first, INT64 last)
{
    m_buttonGroup->assign(first, last, group);
    _invalidate();
}

bool GroupButtons::appendGroupButtons(groupData* group, INT64 button)
{
    if (!_isOwnGroup(group) || !_isButton(button))
        return false;
    if (button > group->last)
        return _appendRange(group, group->last + 1, button);
    if (button < group->first)
        return _appendRange(group, button, group->first - 1);
    return false;
}

// first ... last lies right before or right after the group.
bool GroupButtons::_appendRange(groupData* group, INT64 first, INT64 last)
{
    if (m_buttonGroup->firstUnmapped(first, last) == -1)
        return false;
    _mapGroup(group, first, last);
    group->first = std::min(group->first, first);
    group->last = std::max(group->last, last);
    return true;
}

bool GroupButtons::removeGroupButtons(groupData* group, INT64 a, INT64 b)
{
    const INT64 lo = std::min(a, b);
    const INT64 hi = std::max(a, b);
    if (!_isOwnGroup(group) || lo < group->first || hi > group->last)
        return false;
    if (lo > group->first && hi < group->last)
        return _cutGroup(group, lo, hi);
    const INT64 unmapped = m_buttonGroup->firstUnmapped(lo, hi);
    if (unmapped != -1) {
        m_buttonGroup->erase(lo, unmapped - 1, group);
        return false;
    }
    m_buttonGroup->erase(lo, hi, group);
    if (lo == group->first && hi == group->last)
        return _deleteRecord(group);
    if (lo == group->first)
        group->first = hi + 1;
    else
        group->last = lo - 1;
    _invalidate();
    return group->last > group->first || deleteGroup(group);
}

// The parts on either side of lo ... hi become groups of their own when they keep two buttons.
bool GroupButtons::_cutGroup(groupData* group, INT64 lo, INT64 hi)
{
    const INT64 first = group->first;
    const INT64 last = group->last;
    deleteGroup(group);
    if (lo - 1 > first)
        addGroup(first, lo - 1);
    if (last > hi + 1)
        addGroup(hi + 1, last);
    return true;
}

// A group with a button that belongs to no group stays in the list; the buttons before that one
// leave it.
bool GroupButtons::deleteGroup(groupData* group)
{
    if (!_isOwnGroup(group))
        return false;
    const INT64 unmapped = m_buttonGroup->firstUnmapped(group->first, group->last);
    if (unmapped != -1) {
        m_buttonGroup->erase(group->first, unmapped - 1, group);
        return false;
    }
    m_buttonGroup->erase(group->first, group->last, group);
    return _deleteRecord(group);
}

bool GroupButtons::_deleteRecord(const groupData* group)
{
    std::erase_if(m_groups, [group](const auto& owned) { return owned.get() == group; });
    _invalidate();
    return true;
}

bool GroupButtons::deleteGroupAt(INT64 index)
{
    groupData* group = getGroupAt(index);
    return group != nullptr && deleteGroup(group);
}

void GroupButtons::deleteGroupAll()
{
    m_buttonGroup->clear();
    m_groups.clear();
    _invalidate();
}

GroupButtons::groupData* GroupButtons::getGroupAt(INT64 index)
{
    return const_cast<groupData*>(std::as_const(*this).getGroupAt(index));
}

const GroupButtons::groupData* GroupButtons::getGroupAt(INT64 index) const
{
    if (index < 0 || index >= getCountGroups())
        return nullptr;
    return m_groups[size_t(index)].get();
}

INT64 GroupButtons::getCountGroups() const
{
    return INT64(m_groups.size());
}

bool GroupButtons::isEmptyGroups() const
{
    return m_groups.empty();
}

GroupButtons::groupData* GroupButtons::getGroupFromButtonIndex(INT64 button) const
{
    return _isButton(button) ? m_buttonGroup->find(button) : nullptr;
}

bool GroupButtons::isGroupButton(INT64 button) const
{
    return getGroupFromButtonIndex(button) != nullptr;
}

bool GroupButtons::isGroupButtons(INT64 a, INT64 b) const
{
    if (!_isButton(a) || !_isButton(b))
        return false;
    return m_buttonGroup->firstUnmapped(std::min(a, b), std::max(a, b)) == -1;
}

bool GroupButtons::isGroupBoundaryButton(INT64 button) const
{
    const groupData* group = getGroupFromButtonIndex(button);
    return group != nullptr && (button == group->first || button == group->last);
}

bool GroupButtons::isGroupInsideButton(INT64 button) const
{
    const groupData* group = getGroupFromButtonIndex(button);
    return group != nullptr && button != group->first && button != group->last;
}

INT64 GroupButtons::findNextGroupMarker(INT64 button) const
{
    const INT64 next = m_buttonGroup->next(button);
    return _isButton(next) ? next : -1;
}

INT64 GroupButtons::findPrevGroupMarker(INT64 button) const
{
    return m_buttonGroup->prev(std::min(button, getCount()));
}

// Only groups this control made; anything else could be a stale or foreign pointer.
bool GroupButtons::_isOwnGroup(const groupData* group) const
{
    return group != nullptr &&
           std::any_of(m_groups.begin(), m_groups.end(), [group](const auto& owned) { return owned.get() == group; });
}

} // namespace qv::gui
