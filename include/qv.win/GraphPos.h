#pragma once

#include "qv.win.h"

#include "core/qv.Vector.h"

namespace qv::gl {

// One point of a graph layer: a position in graph units, a value of the caller's that the
// graph never interprets, and whether the point is selected.
//
// Layers hold their points by value in one contiguous array, so the positions of a layer can
// be handed to OpenGL as a vertex array of stride sizeof(GraphPos).
class QV_WIN_API GraphPos {
public:
    using vector2 = basic_vector<2, float>;

    // Construction

    GraphPos() : position{0, 0}, userData(0), selected(false) {}
    GraphPos(vector2 position, unsigned long userData, bool selected)
        : position(position), userData(userData), selected(selected)
    {
    }
    GraphPos(const GraphPos& other) : position(other.position), userData(other.userData), selected(other.selected) {}

    // Attributes

    const vector2& getItem() const { return position; }
    void setItem(vector2 newPosition) { position = newPosition; }
    bool getSelected() const { return selected; }
    void setSelected(bool select) { selected = select; }
    unsigned long getUserData() const { return userData; }
    void setUserData(unsigned long data) { userData = data; }

    // Overridables

    virtual ~GraphPos() = default;
    virtual GraphPos& operator=(const GraphPos& other)
    {
        position = other.position;
        userData = other.userData;
        selected = other.selected;
        return *this;
    }

private:
    vector2 position;
    unsigned long userData;
    bool selected;
};

} // namespace qv::gl
