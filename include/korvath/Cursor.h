#pragma once
// The mouse: the pointer and its buttons, holding the pointer at the window's
// centre for mouse-look, a textured cursor quad, the world direction under the
// pointer, and picking objects under it with GL selection mode.
#include <cstdint>
#include <string>

#include "korvath/Material.h"
#include "korvath/Types.h"

namespace korvath {

// The buttons' virtual-key codes; the values are part of the interface.
enum CURSOR_CONTROLS : int32_t {
    MOUSE_LEFT = 1,
    MOUSE_RIGHT = 2,
    MOUSE_MIDDLE = 4,
};

struct CURSOR_AXES {
    int32_t x = 0, y = 0;
};

class Cursor {
public:
    Cursor() = default;
    ~Cursor();  // ends a selection left open, so GL never writes into a freed buffer
    Cursor(const Cursor&) = delete;
    Cursor& operator=(const Cursor&) = delete;

    // Reads the pointer and the render window, and (unless Relative) moves the
    // pointer back to the window's centre.
    void Update();
    // The cursor quad of half-size Size with the material, under the current
    // projection; x and y are in twips, the quad moves the other way in x.
    void Render(float x = 0, float y = 0, float Size = 0);
    // Picking: BeginSelection with the name of what the host then draws,
    // EndSelection, then CheckSelection with that name. Another BeginSelection
    // before EndSelection names the next candidate of the same selection, and
    // the nearest one hit is selected. Only the first character of a name
    // counts; an empty name throws Error.
    void BeginSelection(const std::string& Name);
    void EndSelection();
    bool CheckSelection(const std::string& Name = "") const;

    // The pointer's offset from the centre: positive to the left and upward.
    CURSOR_AXES Axes() const;
    // Down now, or pressed since the previous query.
    bool Button(CURSOR_CONTROLS Control) const;
    // From the camera to the surface under the pointer (to the far plane where
    // nothing was drawn), in world units; not normalised.
    VECTOR3 Direction() const;
    CURSOR_AXES Position() const { return point_; }
    void Position(const CURSOR_AXES& Value) { point_ = Value; }
    CURSOR_AXES Rotation() const { return centre_; }  // the window's centre
    void Rotation(const CURSOR_AXES& Value) { centre_ = Value; }
    bool Relative() const { return relative_; }
    void Relative(bool Value) { relative_ = Value; }
    SHADER Shader() const { return material_; }
    void Shader(const SHADER& Value) { material_ = Value; }

    static constexpr int32_t kSelectWords = 64;

private:
    // The pointer in window pixels, y down from the window's top.
    CURSOR_AXES InWindow() const;

    int32_t windowLeft_ = 0, windowTop_ = 0, windowRight_ = 0, windowBottom_ = 0;
    CURSOR_AXES point_, centre_;
    SHADER material_;
    uint32_t selectBuffer_[kSelectWords] = {};
    int32_t viewport_[4] = {};
    int32_t hits_ = 0;
    int32_t selected_ = 0;
    bool selecting_ = false;
    bool relative_ = false;
};

}  // namespace korvath
