#pragma once
// Media carried inside the executable: each is a ByteSet block (int32 1,
// int32 length, the bytes) in read-only data, found by its file name.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace vel {

struct EmbeddedBlob {
    const char* name;
    const unsigned char* block;  // the ByteSet block
    const unsigned char* end;    // one past the last data byte
};

// The ByteSet block of the embedded file `name` ("dial.gif", "ring03.wav" ...),
// or nullptr when there is none.
const unsigned char* embedded_byteset(std::string_view name);

// The data bytes of the embedded file `name`; empty when there is none.
std::span<const std::uint8_t> embedded_bytes(std::string_view name);

// Every embedded blob, ended by a row whose name is nullptr. The runtime
// registers each as a static range so that release() never frees them.
std::span<const EmbeddedBlob> embedded_blobs();

}  // namespace vel
