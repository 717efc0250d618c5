// JPEG through libjpeg. libjpeg reports fatal errors by calling error_exit,
// which must not return: ours jumps back into the one small function that
// set the jump point, which holds only plain C locals, so nothing with a
// destructor is skipped. A premature end of data, a mere warning to libjpeg,
// is a failure here: the rest of the image would be made up.
#include <csetjmp>
#include <cstdio>

#include <jerror.h>
#include <jpeglib.h>

#include "forms/pictures/bytes.h"
#include "forms/pictures/picture.h"

namespace vel {
namespace {

// A JPEG holds at least a few bits per 8 x 8 block: a header claiming far
// more pixels than its bytes could carry is refused before libjpeg allocates
// whole-image buffers for it.
constexpr std::int64_t kMaxPixelsPerByte = 4096;
constexpr std::int64_t kMaxSourcePixels = std::int64_t{1} << 26;

struct ErrorJump {
    jpeg_error_mgr mgr;
    std::jmp_buf jump;
};

[[noreturn]] void on_error(j_common_ptr info) {
    std::longjmp(reinterpret_cast<ErrorJump*>(info->err)->jump, 1);
}
void on_message(j_common_ptr info, int level) {
    if (level < 0 && info->err->msg_code == JWRN_JPEG_EOF) on_error(info);
}
void no_output(j_common_ptr) {}

// What the decoding function hands back; filled in plain C style.
struct JpegJob {
    const unsigned char* data;
    unsigned long size;
    std::uint32_t* (*begin)(void* owner, int w, int h);  // null: refused
    void* owner;
    const char* reason;
};

bool run_libjpeg(JpegJob* job) {
    jpeg_decompress_struct info;
    ErrorJump err;
    info.err = jpeg_std_error(&err.mgr);
    err.mgr.error_exit = on_error;
    err.mgr.emit_message = on_message;
    err.mgr.output_message = no_output;
    if (setjmp(err.jump)) {
        jpeg_destroy_decompress(&info);
        job->reason = "corrupt JPEG";
        return false;
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, job->data, job->size);
    jpeg_read_header(&info, TRUE);
    const std::int64_t source = std::int64_t{info.image_width} * info.image_height;
    if (source > kMaxSourcePixels || source > std::int64_t(job->size) * kMaxPixelsPerByte) {
        jpeg_destroy_decompress(&info);
        job->reason = "too large";
        return false;
    }
    // Larger than a picture may be: let libjpeg scale it down by 2, 4 or 8.
    info.scale_num = 1;
    info.scale_denom = 1;
    while (info.scale_denom < 8 && !picture_size_ok(info.image_width / info.scale_denom,
                                                    info.image_height / info.scale_denom))
        info.scale_denom *= 2;
    const bool cmyk = info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK;
    info.out_color_space = cmyk ? JCS_CMYK : JCS_RGB;
    jpeg_start_decompress(&info);
    const int channels = info.output_components;
    std::uint32_t* pixels = (channels == 3 || channels == 4)
                                ? job->begin(job->owner, static_cast<int>(info.output_width),
                                             static_cast<int>(info.output_height))
                                : nullptr;
    if (!pixels) {
        jpeg_destroy_decompress(&info);
        job->reason = "too large";
        return false;
    }
    JSAMPARRAY row = (*info.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&info), JPOOL_IMAGE,
                                               info.output_width * channels, 1);
    while (info.output_scanline < info.output_height) {
        std::uint32_t* out = pixels + std::size_t{info.output_scanline} * info.output_width;
        jpeg_read_scanlines(&info, row, 1);
        const JSAMPLE* in = row[0];
        for (JDIMENSION x = 0; x < info.output_width; ++x, in += channels) {
            if (channels == 3) {
                out[x] = picture_bytes::rgb_pixel(in[0], in[1], in[2]);
            } else {  // Adobe CMYK is stored inverted: the ink is 255 - value
                const unsigned k = in[3];
                out[x] =
                    picture_bytes::rgb_pixel(in[0] * k / 255, in[1] * k / 255, in[2] * k / 255);
            }
        }
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return true;
}

std::uint32_t* begin_picture(void* owner, int w, int h) {
    auto* p = static_cast<Picture*>(owner);
    if (!picture_size_ok(w, h)) return nullptr;
    p->image = plat::raster::Bitmap(w, h);
    return p->image.empty() ? nullptr : p->image.data();
}

}  // namespace

DecodeResult decode_jpeg(std::span<const std::uint8_t> data) {
    if (data.size() < 4 || data[0] != 0xFF || data[1] != 0xD8)
        return DecodeResult::fail("not JPEG");
    Picture p;
    p.kind = PictureKind::jpeg;
    JpegJob job{data.data(), static_cast<unsigned long>(data.size()), begin_picture, &p, nullptr};
    if (!run_libjpeg(&job)) return DecodeResult::fail(job.reason);
    return DecodeResult{std::move(p), {}};
}

}  // namespace vel
