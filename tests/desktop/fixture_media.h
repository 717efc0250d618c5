#pragma once
// What the desktop tests look at and listen to: screenshots read back as RGB
// pixels, and recordings of the sound server's null sink as PCM samples.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace desk {

struct Rgb {
    int r = 0, g = 0, b = 0;
    bool operator==(const Rgb&) const = default;
    // Largest difference of one channel.
    int distance(const Rgb& other) const;
};

std::string to_string(const Rgb& c);

class Image {
public:
    Image() = default;
    Image(int width, int height) : m_width(width), m_height(height), m_rgb(width * height * 3) {}

    // Binary PPM (P6, maxval 255), as ImageMagick writes it.
    static std::optional<Image> load_ppm(const std::string& path);
    // Any format ImageMagick reads (PNG, GIF, XWD ...), converted through PPM.
    static std::optional<Image> load(const std::string& path);

    int width() const { return m_width; }
    int height() const { return m_height; }
    bool operator==(const Image&) const = default;
    bool contains(int x, int y) const { return x >= 0 && y >= 0 && x < m_width && y < m_height; }
    // The pixel at (x, y); black outside the image.
    Rgb at(int x, int y) const;
    void set(int x, int y, Rgb c);
    // The part (x, y, width, height), clipped to the image.
    Image crop(int x, int y, int width, int height) const;
    // Pixels within `tolerance` of `c` in the rectangle.
    int count(Rgb c, int tolerance, int x, int y, int width, int height) const;
    // Writes PPM, or PNG through ImageMagick when the name ends in ".png".
    bool save(const std::string& path) const;

private:
    int m_width = 0, m_height = 0;
    std::vector<std::uint8_t> m_rgb;
};

// A recorded sound, mixed to mono, samples scaled to -1 ... 1.
class Wav {
public:
    // RIFF WAVE with 8-, 16- or 32-bit integer PCM or 32-bit float samples. A
    // data chunk whose length was never filled in (recording cut short) runs
    // to the end of the file.
    static std::optional<Wav> load(const std::string& path);

    int rate() const { return m_rate; }
    double seconds() const { return m_rate ? double(m_samples.size()) / m_rate : 0; }
    const std::vector<float>& samples() const { return m_samples; }

    // Root mean square over [from, to) seconds, clipped to the recording.
    double rms(double from, double to) const;
    // The RMS of consecutive windows of `window` seconds.
    std::vector<double> rms_windows(double window) const;
    // Total length of the windows whose RMS is at least `threshold`.
    double sounding_seconds(double threshold = 0.01, double window = 0.01) const;
    // Start of the first / end of the last window at or above `threshold`.
    std::optional<double> first_sound(double threshold = 0.01, double window = 0.01) const;
    std::optional<double> last_sound(double threshold = 0.01, double window = 0.01) const;

private:
    int m_rate = 0;
    std::vector<float> m_samples;
};

}  // namespace desk
