// libFuzzer entry: a picture decoder (VEL_FUZZ_DECODER, one per target) on
// arbitrary bytes must fail cleanly or give a picture of the size it reports.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "forms/pictures/picture.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const vel::DecodeResult r = vel::VEL_FUZZ_DECODER(std::span(data, size));
    if (r && (r.picture->width() < 1 || r.picture->height() < 1 ||
              (!r.picture->alpha.empty() &&
               r.picture->alpha.size() !=
                   static_cast<std::size_t>(r.picture->width()) * r.picture->height())))
        std::abort();
    return 0;
}
