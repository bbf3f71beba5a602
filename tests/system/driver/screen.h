// What is on the screen: single pixels and whole-screen pictures. Under Wine's X11 driver
// the screen DC reads the X server's picture, so windows of every process are seen (but
// Xvfb does not blend layered windows: read transparency with Opacity()).
#pragma once

#include <windows.h>

#include <optional>
#include <ostream>
#include <string>

namespace drv {

struct Rgb {
    BYTE r = 0, g = 0, b = 0;
    bool operator==(const Rgb&) const = default;
};
std::ostream& operator<<(std::ostream& out, const Rgb& color);

// The colour at a screen point; nothing when it cannot be read (off the screen).
std::optional<Rgb> PixelAt(POINT screen);
inline std::optional<Rgb> PixelAt(int x, int y) {
    return PixelAt(POINT{x, y});
}
// The whole screen as a 24-bit BMP file, for a person to look at when a test fails.
bool SaveScreenshotBmp(const std::string& path);

}  // namespace drv
