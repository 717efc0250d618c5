#include "forms/appearance/background.h"

#include <algorithm>
#include <cmath>
#include <span>
#include <vector>

#include "forms/pictures/double_size.h"
#include "platform/appearance.h"
#include "platform/device_pixels.h"
#include "platform/raster/blit.h"
#include "platform/raster/draw.h"

namespace vel {

using plat::raster::Bitmap;
using plat::raster::Colour;
using plat::raster::Rect;

plat::raster::Colour resolve_colour(std::uint32_t colour) {
    return colour == kSystemColour ? plat::system_face_colour() : colour & 0xFFFFFFu;
}

void Background::set_colour(std::uint32_t colour) {
    m_colour = colour;
    m_rendered_valid = false;
}

void Background::set_picture(std::string bytes) {
    m_bytes = std::move(bytes);
    m_decoded.reset();
    m_double.reset();
    m_double_tried = false;
    m_tried = false;
    m_rendered_valid = false;
}

void Background::set_mode(int mode) {
    m_mode = mode;
    m_rendered_valid = false;
}

bool Background::has_picture() {
    if (!m_tried && !m_bytes.empty()) {
        m_tried = true;
        auto span =
            std::span(reinterpret_cast<const std::uint8_t*>(m_bytes.data()), m_bytes.size());
        DecodeResult r = decode_picture(span);
        if (r && !r.picture->image.empty()) {
            m_decoded = std::move(*r.picture);
            m_decoded_width = m_decoded->width();
            m_decoded_height = m_decoded->height();
        }
    }
    return m_decoded.has_value();
}

const Picture* Background::picture_for(int width, int height) {
    if (m_decoded) {
        const int w = m_decoded->width(), h = m_decoded->height();
        const bool whole = w == m_decoded_width && h == m_decoded_height;
        const bool from_corner = m_mode == 0 || m_mode == 1;
        if (!whole && (!from_corner || w < std::min(m_decoded_width, width) ||
                       h < std::min(m_decoded_height, height))) {
            m_decoded.reset();
            m_tried = false;
        }
    }
    return has_picture() ? &*m_decoded : nullptr;
}

// Cutting a picture to the client area shows the same in modes 0 and 1: it
// is cut only where it reaches past the area, so a tile then fills it.
void Background::keep_shown_part(int width, int height) {
    if (!m_decoded || (m_mode != 0 && m_mode != 1)) return;
    Picture& p = *m_decoded;
    const int w = std::min(p.width(), width), h = std::min(p.height(), height);
    if (w == p.width() && h == p.height()) return;
    Bitmap part(w, h, plat::raster::kUnfilled);
    for (int y = 0; y < h; ++y) std::copy_n(p.image.row(y), w, part.row(y));
    if (!p.alpha.empty()) {
        std::vector<std::uint8_t> alpha(static_cast<std::size_t>(w) * h);
        for (int y = 0; y < h; ++y)
            std::copy_n(p.alpha.begin() + static_cast<std::ptrdiff_t>(y) * p.width(), w,
                        alpha.begin() + static_cast<std::ptrdiff_t>(y) * w);
        p.alpha = std::move(alpha);
    }
    p.image = std::move(part);
}

namespace {

// The client length shown by `device` pixels at `ratio`, rounded up so
// that what is kept of a picture always covers what is shown.
int client_length(int device, double ratio) {
    return ratio == 1.0 ? device : static_cast<int>(std::ceil((device + 0.5) / ratio));
}

}  // namespace

void Background::render(Bitmap& out, double ratio) {
    const Colour fill = resolve_colour(m_colour);
    const int dw = out.width(), dh = out.height();
    const Picture* pic = picture_for(client_length(dw, ratio), client_length(dh, ratio));
    if (!pic) {
        out.fill(fill);
        return;
    }
    const int pw = pic->width(), ph = pic->height();
    // Above ratio 1 the partner's pixels, read at twice every length.
    const Bitmap* src = &pic->image;
    int scale = 1;
    if (ratio != 1.0) {
        if (!m_double_tried) {
            m_double_tried = true;
            m_double = double_size_for(
                std::span(reinterpret_cast<const std::uint8_t*>(m_bytes.data()), m_bytes.size()),
                m_decoded_width, m_decoded_height);
        }
        if (m_double) {
            src = m_double.get();
            scale = 2;
        }
    }
    const auto device = [ratio](std::int64_t v) {
        return plat::device_length(static_cast<int>(std::min<std::int64_t>(v, 1 << 30)), ratio);
    };
    const auto draw = [&](Rect to, int w, int h) {
        plat::raster::stretch_blit(out, to, *src, {0, 0, w * scale, h * scale},
                                   plat::raster::CopyMode::copy, plat::raster::Stretch::smooth);
    };
    switch (m_mode) {
        case 0:
        case 1: {
            // Only the part a client area shows: the same whether or not the
            // rest was cut off (keep_shown_part).
            const int sw = std::min(pw, client_length(dw, ratio));
            const int sh = std::min(ph, client_length(dh, ratio));
            if (m_mode == 0) {  // own size at the top-left; the rest in the colour
                out.fill(fill);
                draw({0, 0, device(sw), device(sh)}, sw, sh);
                break;
            }
            // Tiles from the top-left corner; nothing is filled.
            for (std::int64_t j = 0; device(j * sh) < dh; ++j) {
                const int y0 = device(j * sh), y1 = device((j + 1) * sh);
                for (std::int64_t i = 0; device(i * sw) < dw; ++i) {
                    const int x0 = device(i * sw), x1 = device((i + 1) * sw);
                    draw({x0, y0, x1 - x0, y1 - y0}, sw, sh);
                }
            }
            break;
        }
        case 2: {  // centred, shrunk to fit keeping its proportions
            std::int64_t w = device(pw), h = device(ph);
            if (w > dw || h > dh) {
                // The smaller ratio, compared without rounding.
                if (std::int64_t{dw} * ph <= std::int64_t{dh} * pw) {
                    w = dw;
                    h = std::int64_t{ph} * dw / pw;
                } else {
                    h = dh;
                    w = std::int64_t{pw} * dh / ph;
                }
            }
            out.fill(fill);
            draw({static_cast<int>((dw - w) / 2), static_cast<int>((dh - h) / 2),
                  static_cast<int>(w), static_cast<int>(h)},
                 pw, ph);
            break;
        }
        case 3:  // stretched over the whole client area
            draw({0, 0, dw, dh}, pw, ph);
            break;
        default:
            out.fill(fill);
            draw({0, 0, device(pw), device(ph)}, pw, ph);
            break;
    }
}

const Bitmap& Background::rendered(int width, int height, double ratio) {
    width = std::max(1, width);
    height = std::max(1, height);
    if (!m_rendered_valid || m_rendered.width() != width || m_rendered.height() != height ||
        m_rendered_ratio != ratio) {
        m_rendered = Bitmap(width, height, 0);
        m_rendered_ratio = ratio;
        if (!m_rendered.empty()) {
            render(m_rendered, ratio);
            keep_shown_part(client_length(width, ratio), client_length(height, ratio));
        }
        m_rendered_valid = true;
    }
    return m_rendered;
}

void Background::paint(Bitmap& dst, Rect area, double ratio) {
    if (dst.empty()) return;
    area = plat::raster::clip_to(dst, area);
    if (area.w <= 0 || area.h <= 0) return;
    // Without a picture there is nothing to keep: fill directly.
    if (m_bytes.empty() || !has_picture()) {
        plat::raster::fill_rect(dst, area, resolve_colour(m_colour));
        return;
    }
    const Bitmap& bg = rendered(dst.width(), dst.height(), ratio);
    if (bg.empty()) return;
    for (int y = area.y; y < area.y + area.h; ++y)
        std::copy_n(bg.row(y) + area.x, area.w, dst.row(y) + area.x);
}

}  // namespace vel
