#pragma once
// Turning description tokens into resource values: numbers and named
// constants, UTF-8 strings into GBK texts, files into byte blocks.
#include <filesystem>
#include <optional>
#include <span>
#include <string>

#include "forms/resource/form_resource.h"
#include "tools/formc/lexer.h"

namespace formc {

using Args = std::span<const Token>;

// Where `file "..."` paths are resolved, and what went wrong last.
struct ValueContext {
    std::filesystem::path base_dir;
    std::string error;
    // A missing file becomes an empty block (with a warning) instead of an
    // error: lets the forms build before every media file exists.
    bool missing_files_empty = false;
};

// Numbers, "default" (the system colour 0xFF000000), "on"/"off".
std::optional<std::uint32_t> to_u32(const Token& t, ValueContext& cx);
std::optional<std::int32_t> to_i32(const Token& t, ValueContext& cx);
// A quoted string converted to GBK.
std::optional<std::string> to_text(const Token& t, ValueContext& cx);
// "" for an empty block, or: file "path" (relative to the description).
std::optional<vel::ResourceBytes> to_block(Args args, ValueContext& cx);
// none | height N weight N italic N charset N face "name" ... as a 60-byte record.
std::optional<vel::ResourceBytes> to_font(Args args, ValueContext& cx);

// UTF-8 to GBK through iconv; empty when a character has no GBK form.
std::optional<std::string> utf8_to_gbk(std::string_view utf8);

}  // namespace formc
