#include "desktop/fixture_media.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <sstream>

#include "desktop/fixture_process.h"

namespace desk {
namespace {

constexpr int kMaxSide = 16384;
// The real ImageMagick; another "convert" may come first in PATH.
constexpr const char* kConvert = "/usr/bin/convert";

std::optional<std::string> read_all(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    return std::string(std::istreambuf_iterator<char>(in), {});
}

std::uint32_t le(const std::string& s, size_t at, int bytes) {
    std::uint32_t v = 0;
    for (int i = bytes - 1; i >= 0; --i) v = v << 8 | static_cast<unsigned char>(s[at + i]);
    return v;
}

}  // namespace

int Rgb::distance(const Rgb& o) const {
    return std::max({std::abs(r - o.r), std::abs(g - o.g), std::abs(b - o.b)});
}

std::string to_string(const Rgb& c) {
    return "(" + std::to_string(c.r) + ", " + std::to_string(c.g) + ", " + std::to_string(c.b) +
           ")";
}

std::optional<Image> Image::load_ppm(const std::string& path) {
    auto data = read_all(path);
    if (!data) return std::nullopt;
    std::istringstream in(*data);
    std::string magic;
    int w = 0, h = 0, maxval = 0;
    in >> magic >> w >> h >> maxval;
    if (!in || magic != "P6" || maxval != 255) return std::nullopt;
    if (w <= 0 || h <= 0 || w > kMaxSide || h > kMaxSide) return std::nullopt;
    in.get();  // the single white space before the pixels
    size_t offset = static_cast<size_t>(in.tellg());
    size_t bytes = size_t(w) * h * 3;
    if (data->size() < offset + bytes) return std::nullopt;
    Image image(w, h);
    std::memcpy(image.m_rgb.data(), data->data() + offset, bytes);
    return image;
}

std::optional<Image> Image::load(const std::string& path) {
    std::string ppm = path + ".read.ppm";
    if (!run({kConvert, path + "[0]", "-alpha", "off", "-depth", "8", "ppm:" + ppm}, make_env({}))
             .ok())
        return std::nullopt;
    auto image = load_ppm(ppm);
    std::remove(ppm.c_str());
    return image;
}

Rgb Image::at(int x, int y) const {
    if (!contains(x, y)) return {};
    const auto* p = &m_rgb[(size_t(y) * m_width + x) * 3];
    return {p[0], p[1], p[2]};
}

void Image::set(int x, int y, Rgb c) {
    if (!contains(x, y)) return;
    auto* p = &m_rgb[(size_t(y) * m_width + x) * 3];
    p[0] = std::uint8_t(c.r);
    p[1] = std::uint8_t(c.g);
    p[2] = std::uint8_t(c.b);
}

Image Image::crop(int x, int y, int width, int height) const {
    int x0 = std::clamp(x, 0, m_width), y0 = std::clamp(y, 0, m_height);
    int x1 = std::clamp(x + width, x0, m_width), y1 = std::clamp(y + height, y0, m_height);
    Image out(x1 - x0, y1 - y0);
    for (int j = y0; j < y1; ++j)
        for (int i = x0; i < x1; ++i) out.set(i - x0, j - y0, at(i, j));
    return out;
}

int Image::count(Rgb c, int tolerance, int x, int y, int width, int height) const {
    int n = 0;
    for (int j = std::max(y, 0); j < std::min(y + height, m_height); ++j)
        for (int i = std::max(x, 0); i < std::min(x + width, m_width); ++i)
            if (at(i, j).distance(c) <= tolerance) ++n;
    return n;
}

bool Image::save(const std::string& path) const {
    bool png = path.size() > 4 && path.compare(path.size() - 4, 4, ".png") == 0;
    std::string ppm = png ? path + ".ppm" : path;
    {
        std::ofstream out(ppm, std::ios::binary);
        out << "P6\n" << m_width << ' ' << m_height << "\n255\n";
        out.write(reinterpret_cast<const char*>(m_rgb.data()), std::streamsize(m_rgb.size()));
        if (!out) return false;
    }
    if (!png) return true;
    bool ok = run({kConvert, "ppm:" + ppm, "png:" + path}, make_env({})).ok();
    std::remove(ppm.c_str());
    return ok;
}

std::optional<Wav> Wav::load(const std::string& path) {
    auto data = read_all(path);
    if (!data || data->size() < 12 || data->compare(0, 4, "RIFF") != 0 ||
        data->compare(8, 4, "WAVE") != 0)
        return std::nullopt;
    int format = 0, channels = 0, bits = 0, rate = 0;
    size_t at = 12;
    while (at + 8 <= data->size()) {
        std::string id = data->substr(at, 4);
        size_t size = le(*data, at + 4, 4);
        size_t body = at + 8;
        if (id == "fmt " && body + 16 <= data->size()) {
            format = int(le(*data, body, 2));
            channels = int(le(*data, body + 2, 2));
            rate = int(le(*data, body + 4, 4));
            bits = int(le(*data, body + 14, 2));
            if (format == 0xFFFE && size >= 26) format = int(le(*data, body + 24, 2));
        } else if (id == "data") {
            if (size == 0 || size == 0xFFFFFFFFu || body + size > data->size())
                size = data->size() - body;
            bool known = (format == 1 && (bits == 8 || bits == 16 || bits == 32)) ||
                         (format == 3 && bits == 32);
            if (!known || channels <= 0 || rate <= 0) return std::nullopt;
            Wav wav;
            wav.m_rate = rate;
            size_t frame = size_t(channels) * bits / 8;
            for (size_t f = body; f + frame <= body + size; f += frame) {
                double sum = 0;
                for (int c = 0; c < channels; ++c) {
                    size_t s = f + size_t(c) * bits / 8;
                    std::uint32_t raw = le(*data, s, bits / 8);
                    double v = 0;
                    if (format == 3) {
                        float fl;
                        std::memcpy(&fl, &raw, 4);
                        v = fl;
                    } else if (bits == 8) {
                        v = (int(raw) - 128) / 128.0;
                    } else if (bits == 16) {
                        v = std::int16_t(raw) / 32768.0;
                    } else {
                        v = std::int32_t(raw) / 2147483648.0;
                    }
                    sum += v;
                }
                wav.m_samples.push_back(float(sum / channels));
            }
            return wav;
        }
        at = body + size + (size & 1);
    }
    return std::nullopt;
}

double Wav::rms(double from, double to) const {
    auto clip = [&](double t) {
        return std::clamp<size_t>(size_t(std::max(0.0, t) * m_rate), 0, m_samples.size());
    };
    size_t a = clip(from), b = clip(to);
    if (b <= a) return 0;
    double sum = 0;
    for (size_t i = a; i < b; ++i) sum += double(m_samples[i]) * m_samples[i];
    return std::sqrt(sum / double(b - a));
}

std::vector<double> Wav::rms_windows(double window) const {
    std::vector<double> out;
    if (window <= 0) return out;
    for (double t = 0; t < seconds(); t += window) out.push_back(rms(t, t + window));
    return out;
}

double Wav::sounding_seconds(double threshold, double window) const {
    auto windows = rms_windows(window);
    return double(std::count_if(windows.begin(), windows.end(),
                                [&](double r) { return r >= threshold; })) *
           window;
}

std::optional<double> Wav::first_sound(double threshold, double window) const {
    auto windows = rms_windows(window);
    for (size_t i = 0; i < windows.size(); ++i)
        if (windows[i] >= threshold) return double(i) * window;
    return std::nullopt;
}

std::optional<double> Wav::last_sound(double threshold, double window) const {
    auto windows = rms_windows(window);
    for (size_t i = windows.size(); i-- > 0;)
        if (windows[i] >= threshold) return double(i + 1) * window;
    return std::nullopt;
}

}  // namespace desk
