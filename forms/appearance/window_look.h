#pragma once
// What a window unit shows besides its controls: the background (colour,
// picture, picture mode), the shape, and its place in the top-most band.
#include <cstdint>
#include <string>

#include "forms/appearance/background.h"
#include "platform/window_system.h"

namespace vel {

class WindowLook {
public:
    WindowLook(plat::Widget* window, std::uint32_t colour, std::string picture, int mode, int shape,
               bool on_top);
    ~WindowLook();
    WindowLook(const WindowLook&) = delete;
    WindowLook& operator=(const WindowLook&) = delete;

    void set_colour(std::uint32_t colour);
    void set_picture(std::string bytes);
    void set_mode(int mode);
    void set_shape(int shape);
    void set_on_top(bool on);
    // The window has a new size or device ratio: the shape and the background
    // follow it.
    void resized();

    int shape() const { return m_shape; }
    bool on_top() const { return m_on_top; }
    const Background& background() const { return m_background; }

private:
    void repaint_background();
    void apply_shape();

    plat::Widget* m_window;
    Background m_background;
    int m_shape = 0;
    bool m_on_top = false;
    plat::Size m_applied;  // the size and ratio the shape and background were made for
    double m_applied_ratio = 0;
};

}  // namespace vel
