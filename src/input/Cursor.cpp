#include "korvath/Cursor.h"

#include "core/Display.h"
#include "core/Math.h"
#include "platform/KeyTable.h"
#include "platform/Pointer.h"

namespace korvath {

namespace {
// The window Initialize draws into; the one Window::Load made when the host has
// not initialised yet.
int32_t RenderWindow() { return Display().DeviceContext ? Display().DeviceContext : Display().WindowHandle; }
}  // namespace

Cursor::~Cursor() {
    if (selecting_) EndSelection();
}

void Cursor::Update() {
    const int32_t window = RenderWindow();
    platform::ScreenRect rect;
    platform::WindowRectangle(window, rect);
    windowLeft_ = rect.left;
    windowTop_ = rect.top;
    windowRight_ = rect.right;
    windowBottom_ = rect.bottom;
    const platform::ScreenPoint pointer = platform::PointerPosition();
    point_ = {pointer.x, pointer.y};
    centre_ = {RoundHalfEven(windowLeft_ + Display().ScreenWidth / 2.0),
               RoundHalfEven(windowTop_ + Display().ScreenHeight / 2.0)};
    if (!relative_) platform::WarpPointer(window, centre_.x, centre_.y);
}

CURSOR_AXES Cursor::Axes() const { return {centre_.x - point_.x, centre_.y - point_.y}; }

bool Cursor::Button(CURSOR_CONTROLS Control) const { return platform::Keys().AsyncKeyState(Control) != 0; }

CURSOR_AXES Cursor::InWindow() const { return {point_.x - windowLeft_, point_.y - windowTop_}; }

}  // namespace korvath
