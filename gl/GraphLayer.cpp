#include <qv.win/GraphLayer.h>

#include "GraphRange.h"

#include <afx.h>

#include <limits>

namespace qv::gl {

namespace {

constexpr float kLargest = std::numeric_limits<float>::max();
const GraphLayer::color kBlack{0, 0, 0, 1};

// Revisions are drawn from one sequence for all layers, so that a layer created where a deleted
// one lived never shows a revision the old one had.
unsigned nextRevision()
{
    static unsigned last = 0;
    return ++last;
}

} // namespace

GraphLayer::GraphLayer() : GraphLayer("", kBlack) {}

GraphLayer::GraphLayer(const char* layerName, color layerColour)
    : name(layerName), colour(layerColour), rangeDirty(false), rangeMin{0, 0}, rangeMax{0, 0}, rangeScanned(0),
      descents(0), selectedCount(0), revision(nextRevision()), rewriteRevision(revision)
{
}

GraphLayer::GraphLayer(const GraphLayer& other) : GraphLayer()
{
    operator=(other);
}

GraphLayer::~GraphLayer() = default;

GraphLayer& GraphLayer::operator=(const GraphLayer& other)
{
    if (this == &other)
        return *this;
    name = other.name;
    colour = other.colour;
    rangeDirty = other.rangeDirty;
    rangeMin = other.rangeMin;
    rangeMax = other.rangeMax;
    rangeScanned = other.rangeScanned;
    copyList(other.items, items);
    descents = other.descents;
    selectedCount = other.selectedCount;
    revision = rewriteRevision = nextRevision();
    return *this;
}

void GraphLayer::setName(const char* newName)
{
    name = newName;
}

GraphPos GraphLayer::getItem(int index) const
{
    if (index < 0 || index >= getCount())
        AfxThrowInvalidArgException();
    return items[static_cast<size_t>(index)];
}

void GraphLayer::setItem(int index, const GraphPos& item)
{
    if (index < 0 || index >= getCount())
        AfxThrowInvalidArgException();
    const size_t at = static_cast<size_t>(index);
    const bool moved = !(items[at].getItem() == item.getItem());
    _countDescentsAround(at, -1);
    selectedCount -= items[at].getSelected();
    items[at] = item;
    selectedCount += item.getSelected();
    _countDescentsAround(at, +1);
    rangeDirty = true;
    if (moved) {
        rangeScanned = 0;
        revision = rewriteRevision = nextRevision();
    }
}

int GraphLayer::addItem(vector2 position, unsigned long userData)
{
    return addItem(GraphPos(position, userData, false));
}

int GraphLayer::addItem(const GraphPos& item)
{
    rangeDirty = true;
    items.push_back(item);
    descents += _descends(items.size() - 1);
    selectedCount += item.getSelected();
    revision = nextRevision();
    return getCount() - 1;
}

bool GraphLayer::removeItem(int index)
{
    if (index < 0 || index >= getCount())
        return false;
    const size_t at = static_cast<size_t>(index);
    _countDescentsAround(at, -1);
    selectedCount -= items[at].getSelected();
    items.erase(items.begin() + index);
    if (at > 0 && at < items.size())
        descents += _descends(at);
    _changedGeometry();
    return true;
}

void GraphLayer::removeAll()
{
    if (items.empty())
        return;
    items.clear();
    descents = 0;
    selectedCount = 0;
    _changedGeometry();
}

void GraphLayer::getDataRange(vector2& min, vector2& max)
{
    if (rangeDirty)
        _updateRange();
    widenRange(rangeMin, rangeMax, min, max);
}

void GraphLayer::copyList(const std::vector<GraphPos>& source, std::vector<GraphPos>& destination)
{
    destination.clear();
    destination.reserve(source.size());
    for (const GraphPos& item : source)
        destination.push_back(item);
}

// The pair (index - 1, index) counts as a descent unless x rises or stays: NaN descends.
bool GraphLayer::_descends(size_t index) const
{
    return index > 0 && index < items.size() && !(items[index].getItem().x >= items[index - 1].getItem().x);
}

void GraphLayer::_countDescentsAround(size_t index, int sign)
{
    const size_t around = static_cast<size_t>(_descends(index)) + static_cast<size_t>(_descends(index + 1));
    descents = sign > 0 ? descents + around : descents - around;
}

void GraphLayer::_changedGeometry()
{
    rangeDirty = true;
    rangeScanned = 0;
    revision = rewriteRevision = nextRevision();
}

// Items appended since the last update only widen the cache; any other change starts over.
void GraphLayer::_updateRange()
{
    if (rangeScanned == 0) {
        rangeMin = {kLargest, kLargest};
        rangeMax = {-kLargest, -kLargest};
    }
    for (size_t i = rangeScanned; i < items.size(); ++i)
        widenRange(items[i].getItem(), items[i].getItem(), rangeMin, rangeMax);
    rangeScanned = items.size();
    rangeDirty = false;
}

} // namespace qv::gl
