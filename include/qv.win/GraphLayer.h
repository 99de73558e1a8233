#pragma once

#include "qv.win.h"
#include "GraphPos.h"

#include "core/qv.Color.h"
#include "core/qv.String.h"

#include <cstddef>
#include <vector>

namespace qv::gl {

// A named, coloured series of points, kept in insertion order in one contiguous array.
//
// The range of the points is cached: every change of the items marks it dirty and the next
// getDataRange recomputes it (only the appended points when nothing else changed). A layer
// that was never changed is not dirty and holds the range (0, 0)..(0, 0), so it contributes
// the origin to a graph's range; a layer emptied by removal contributes nothing.
//
// The layer also tracks, in constant time per change, whether the x values never decrease
// from one point to the next (NaN counts as a decrease): the graph window then finds the
// points of a visible x window by binary search.
class QV_WIN_API GraphLayer {
public:
    using vector2 = GraphPos::vector2;
    using color = qv::color<float, color_traits<float>>;

    // Construction

    GraphLayer();
    GraphLayer(const char* name, color colour);
    GraphLayer(const GraphLayer& other);

    // Attributes

    const char* getName() const { return name.c_str(); }
    void setName(const char* newName);
    const color& getColor() const { return colour; }
    void setColor(color newColour) { colour = newColour; }
    int getCount() const { return static_cast<int>(items.size()); }
    // A copy of the item; an index outside [0, count) throws CInvalidArgException.
    GraphPos getItem(int index) const;
    // Marks the layer dirty; an index outside [0, count) throws CInvalidArgException.
    void setItem(int index, const GraphPos& item);
    // The items as one array of getCount() points (null when empty), valid until the next change.
    const GraphPos* getItems() const { return items.data(); }
    // True when no item's x is below the x of the item before it.
    bool isOrderedX() const { return descents == 0; }
    // How many items are selected.
    int getSelectedCount() const { return static_cast<int>(selectedCount); }
    // Changes whenever a position is added, replaced or removed; selection and user data
    // changes leave it alone. Lets drawing caches tell whether the geometry changed: no two
    // layers of the process share a revision.
    unsigned getRevision() const { return revision; }
    // Changes whenever a position is replaced or removed, not when one is appended: while it
    // stays, the items a cache has seen are still there, unchanged, and new ones can only follow.
    unsigned getRewriteRevision() const { return rewriteRevision; }

    // Operations

    // Both forms return the index of the new item.
    int addItem(vector2 position, unsigned long userData);
    int addItem(const GraphPos& item);
    // False for an index outside [0, count).
    bool removeItem(int index);
    // An empty layer is left untouched (and not marked dirty).
    void removeAll();
    // Widens min and max by the layer's range; never narrows them.
    void getDataRange(vector2& min, vector2& max);

    // Overridables

    virtual ~GraphLayer();
    // Copies the name, colour, dirty flag, cached range and items.
    virtual GraphLayer& operator=(const GraphLayer& other);

protected:
    static void copyList(const std::vector<GraphPos>& source, std::vector<GraphPos>& destination);

private:
    bool _descends(size_t index) const;
    void _countDescentsAround(size_t index, int sign);
    void _changedGeometry();
    void _updateRange();

    String name;
    color colour;
    bool rangeDirty;
    vector2 rangeMin;
    vector2 rangeMax;
    std::vector<GraphPos> items;
    // How many leading items the cached range covers; 0 makes the next update start over.
    size_t rangeScanned;
    // Number of items whose x is below (or not comparable with) the x of the item before.
    size_t descents;
    size_t selectedCount;
    unsigned revision;
    unsigned rewriteRevision;
};

} // namespace qv::gl
