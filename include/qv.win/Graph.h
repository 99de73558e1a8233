#pragma once

#include "qv.win.h"
#include "GraphLayer.h"

#include "core/qv.String.h"

#include <vector>

namespace qv::gl {

// An ordered set of layers with a name, a range policy and the grid arithmetic of the line
// graph; the base of the graph window, which draws the layers.
//
// The graph owns the layers added to it and deletes them when they are removed or when it is
// destroyed; a layer refused by addLayer (its name is taken) stays the caller's. Layers are
// found by name, compared byte for byte; a null name is the empty name.
class QV_WIN_API Graph {
public:
    using vector2 = GraphLayer::vector2;

    // Construction

    Graph();
    Graph(const Graph&) = delete;
    Graph& operator=(const Graph&) = delete;

    // Attributes

    const char* getName() const { return name.c_str(); }
    void setName(const char* newName);
    bool isAutoRange() const { return autoRange; }
    void setAutoRange(bool on) { autoRange = on; }
    void getUserMinMax(vector2& min, vector2& max) const;
    void setUserMinMax(vector2 min, vector2 max);
    int getLayerCount() const { return static_cast<int>(layers.size()); }
    // Not owned by the caller; null for an index outside [0, count).
    GraphLayer* getLayer(int index) const;

    // Operations

    // Adds the point to the layer of that name, created black when there is none; returns the
    // item's index within the layer.
    int add(const char* layerName, vector2 position, unsigned long userData);
    // Takes the layer and returns its index, or -1 (layer not taken) when the name exists.
    int addLayer(GraphLayer* layer);
    bool deleteLayer(int index);
    void removeAllLayer();
    int findLayer(const char* layerName) const;
    // With auto range: widens min and max by the range of every layer, so the caller starts
    // them inverted to recognise an empty result. Otherwise overwrites them with the user range.
    void getDataRange(vector2& min, vector2& max) const;
    // Appends (without clearing) the multiples of the grid interval for count steps that lie in
    // [min, max] (widened by a float epsilon, at most half an interval), ascending. Nothing for
    // count < 1, or when min equals max. A count above kMaxGridCount (more lines than a screen
    // has pixels) counts as kMaxGridCount.
    static void calcGrid(float min, float max, int count, std::vector<float>& values);

    static constexpr int kMaxGridCount = 1 << 16;

    // Overridables

    virtual ~Graph();

protected:
    // The grid interval for count steps over [min, max]: 1, 2 or 5 times a power of ten (never
    // below 1 with integerOnly). Also gives the bounds rounded outward to the interval and the
    // decimals a label needs; each out-pointer may be null.
    static double getOptimalInterval(double min, double max, unsigned int count, double* outMin, double* outMax,
                                     int* outDecimals, bool integerOnly);

private:
    String name;
    bool autoRange;
    vector2 userMin;
    vector2 userMax;
    std::vector<GraphLayer*> layers;
};

} // namespace qv::gl
