#pragma once

#include "qv.win.h"
#include "zoombox.h"

#include "core/qv.Aabb.h"
#include "core/qv.Matrix.h"
#include "core/qv.Radian.h"

#include <afxwin.h>

namespace qv::gl {

class Manager;

// Turns a world box into an OpenGL projection and model-view set-up for one GL manager.
//
// The zoom-box part holds the 2D view: its content volume is the world's bounding
// square seen from the front (y up, so its top is the smaller y), its box the zoomed
// and panned window into it. Every change of the bound view volume rebuilds the
// orthographic or perspective projection. The world turns about worldCenter by a
// rotation matrix kept in OpenGL's element order.
//
// The matrix is read the way OpenGL reads it (column by column) everywhere: in applyGL
// and in the screen/world conversions, so convert3DTo2D lands on the pixel where the
// rendered point appears for every view direction, and convert2DTo3D inverts it;
// getViewVector points from the scene toward the viewer, against the pick ray. The
// conversions use the GL matrices as the last setupViewVolume left them (model-view at
// identity), so they belong outside the render pass.
//
// Without a manager the GL set-up calls and refresh requests are skipped. Every
// operation with a refresh flag ends, when it is set, in manager->refreshScreen(false, true).
class QV_WIN_API Camera : public zoombox<float, int> {
public:
    using vector3 = basic_vector<3, float>;
    using vector2 = basic_vector<2, float>;
    using matrix4 = basic_matrix<4, 4, float>;
    using box3 = basic_aabb<3, float>;

    // Standard views: the world direction looked along, and the one shown upward.
    enum ViewDirection : int {
        Isometric = 0,       // along (0, -0.816, -0.577), up (0.707, -0.408, 0.577)
        TopZUp = 1,          // along -y, up +z
        TopZDown = 2,        // along -y, up -z
        TopXUp = 3,          // along -y, up +x
        TopXDown = 4,        // along -y, up -x
        Front = 5,           // along -z, up +y (the identity)
        Back = 6,            // along +z, up +y
        FrontUpsideDown = 7, // along -z, up -y
    };

    // Construction

    explicit Camera(Manager* manager);
    // A default camera (no manager, empty world) that then takes other's geometry.
    Camera(const Camera& other);

    // Attributes

    Manager* getManager() const { return manager; }
    void setManager(Manager* newManager) { manager = newManager; }
    CSize getScreenSize() const { return screenSize; }
    // Sets the GL viewport and the zoom box's. A side of 0 makes the ratio infinite (NaN
    // for 0 by 0); the manager never passes one, it skips empty surfaces.
    void setScreenSize(const CSize& size);
    float getScreenRatio() const { return screenRatio; }
    bool isHeightScreenRatio() const { return heightScreenRatio; }
    const matrix4* getMatrix() const { return &matrix; }
    void setMatrix(const matrix4& newMatrix) { matrix = newMatrix; }
    bool isPerspective() const { return perspective; }
    void setPerspective(bool on, bool refresh);
    const box3& getWorldSize() const { return worldSize; }
    void setWorldSize(box3 box, bool fit);
    const vector3& getWorldCenter() const { return worldCenter; }
    void setWorldCenter(const vector3& centre) { worldCenter = centre; }
    const rect<float>& getWorldVolume() const { return worldVolume; }
    rect<float> getBoundVolume(bool world) const;
    void setBoundVolume(const rect<float>& volume);
    float getWorldRadius() const { return worldRadius; }
    float getBoundRadius() const { return boundRadius; }
    float getDepthNear() const { return depthNear; }
    float getDepthFar() const { return depthFar; }
    float getDistanceByPixel() const { return distanceByPixel; }

    // World units per pixel of the current GL viewport.
    vector2 getBoundVolumeRatio() const;
    vector2 getWorldVolumeRatio() const;
    vector3 getViewVector() const;

    // Operations

    // Pixel units over (x, y, cx, cy), origin bottom-left unless flipY.
    void setupOrthogonal2D(int cx, int cy, bool flipY, int x, int y);
    void setupOrthogonal2D(bool flipY);
    void setupOrthogonal3D();
    void setupPerspective3D();

    // Window pixel to world: on the near plane with the direction toward the viewer,
    // or at depth 0 (near plane) .. 1 (far plane).
    vector3 convert2DTo3D(CPoint point, vector3& direction) const;
    vector3 convert2DTo3D(CPoint point, long depth) const;
    CPoint convert3DTo2D(vector3 world) const;

    // Trackball vector of a window pixel: unit length, z toward the viewer.
    vector3 screenPt2Vector(int x, int y, float tolerance) const;
    vector3 screenPt2Vector(basic_vector<2, int> point, float tolerance) const;

    // Pre-multiplies a rotation of degrees about axis with OpenGL's own matrix code.
    void worldRotate(vector3 axis, float degrees, bool refresh);

    // An XOR outline: drawing the same rectangle twice erases it.
    void rubberBandBox(CDC* dc, CPoint from, CPoint to, int width);
    void rubberBandBox(CPoint from, CPoint to, int width);

    // Overridables

    virtual ~Camera();
    // Copies the camera's own geometry only: not the zoom box, manager, screen or interaction.
    virtual Camera& operator=(const Camera& other);
    // Values above 7 are ignored.
    virtual void viewDirection(ViewDirection direction, bool refresh);
    // A positive dx moves the visible window toward larger x.
    virtual void pan(int dx, int dy, bool refresh);
    // The absolute zoom becomes factor; the world point under pixel (x, y) stays there.
    virtual void zoom(int x, int y, float factor, bool refresh);
    virtual void zoom(float factor, bool refresh);
    virtual void zoomBox(CPoint from, CPoint to, bool refresh);
    virtual void zoomFit(bool refresh);
    // angle in radians; the rotation is applied before the current one (R * matrix).
    virtual void rotate(radian<float> angle, vector3 axis, bool refresh);
    virtual void rotate(radian<float> angle, float x, float y, float z, bool refresh);
    virtual void rotateX(radian<float> angle, bool refresh);
    virtual void rotateY(radian<float> angle, bool refresh);
    virtual void rotateZ(radian<float> angle, bool refresh);
    // Non-zero when the message was consumed; the base camera consumes nothing.
    virtual int preTranslateMessage(MSG* message);
    // Multiplies the rotation and the centre translation onto the current matrix.
    virtual void applyGL();
    virtual rect<float> makeViewVolumeFromRadius(float radius);
    virtual void onChangeWorldSize(box3 box);
    // Adapts volume to the screen ratio about its centre; returns half the reference
    // side, or 0 (volume untouched) when a side would be 0.
    virtual float calcViewVolume(rect<float>& volume);
    virtual void setupViewVolume(bool measurePixel);

protected:
    void onChangedBoundViewVolume(rect<float> oldVolume, rect<float> newVolume) override;

    // Interaction state, used by derived cameras.
    CPoint mousePoint;
    CPoint dragStart;
    CPoint rubberBandEnd;
    bool rubberBandShown;
    bool zoomBoxArmed;

private:
    void _refresh(bool refresh) const;
    void _setupProjection(bool frustum);
    vector3 _toWorld(const vector3& eye) const;

    Manager* manager;
    CSize screenSize;
    float screenRatio;
    bool heightScreenRatio;
    matrix4 matrix;
    bool perspective;
    box3 worldSize;
    vector3 worldCenter;
    rect<float> worldVolume;
    rect<float> boundVolume;
    float worldRadius;
    float boundRadius;
    float depthNear;
    float depthFar;
    float distanceByPixel;
};

} // namespace qv::gl
