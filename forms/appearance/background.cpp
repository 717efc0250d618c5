#include "forms/appearance/background.h"

#include <algorithm>
#include <span>
#include <vector>

#include "platform/appearance.h"
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

void Background::render(Bitmap& out) {
    const Colour fill = resolve_colour(m_colour);
    const int cw = out.width(), ch = out.height();
    const Picture* pic = picture_for(cw, ch);
    if (!pic) {
        out.fill(fill);
        return;
    }
    const Bitmap& img = pic->image;
    const int pw = img.width(), ph = img.height();
    const Rect whole{0, 0, pw, ph};
    switch (m_mode) {
        case 1:  // tiles from the top-left corner; nothing is filled
            for (int y = 0; y < ch; y += ph)
                for (int x = 0; x < cw; x += pw)
                    plat::raster::stretch_blit(out, {x, y, pw, ph}, img, whole);
            break;
        case 2: {  // centred, shrunk to fit keeping its proportions
            std::int64_t w = pw, h = ph;
            if (pw > cw || ph > ch) {
                // The smaller ratio, compared without rounding.
                if (std::int64_t{cw} * ph <= std::int64_t{ch} * pw) {
                    w = cw;
                    h = std::int64_t{ph} * cw / pw;
                } else {
                    h = ch;
                    w = std::int64_t{pw} * ch / ph;
                }
            }
            out.fill(fill);
            const Rect to{static_cast<int>((cw - w) / 2), static_cast<int>((ch - h) / 2),
                          static_cast<int>(w), static_cast<int>(h)};
            plat::raster::stretch_blit(out, to, img, whole, plat::raster::CopyMode::copy,
                                       plat::raster::Stretch::smooth);
            break;
        }
        case 3:  // stretched over the whole client area
            plat::raster::stretch_blit(out, {0, 0, cw, ch}, img, whole,
                                       plat::raster::CopyMode::copy, plat::raster::Stretch::smooth);
            break;
        default:  // own size at the top-left; the rest in the colour
            out.fill(fill);
            plat::raster::stretch_blit(out, whole, img, whole);
            break;
    }
}

const Bitmap& Background::rendered(int width, int height) {
    width = std::max(1, width);
    height = std::max(1, height);
    if (!m_rendered_valid || m_rendered.width() != width || m_rendered.height() != height) {
        m_rendered = Bitmap(width, height, 0);
        if (!m_rendered.empty()) {
            render(m_rendered);
            keep_shown_part(width, height);
        }
        m_rendered_valid = true;
    }
    return m_rendered;
}

void Background::paint(Bitmap& dst, Rect area) {
    if (dst.empty()) return;
    area = plat::raster::clip_to(dst, area);
    if (area.w <= 0 || area.h <= 0) return;
    // Without a picture there is nothing to keep: fill directly.
    if (m_bytes.empty() || !has_picture()) {
        plat::raster::fill_rect(dst, area, resolve_colour(m_colour));
        return;
    }
    const Bitmap& bg = rendered(dst.width(), dst.height());
    if (bg.empty()) return;
    for (int y = area.y; y < area.y + area.h; ++y)
        std::copy_n(bg.row(y) + area.x, area.w, dst.row(y) + area.x);
}

}  // namespace vel
