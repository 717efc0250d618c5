#include "library/commands/whole_file.h"

#include "platform/fs/paths.h"
#include "platform/fs/whole_file.h"

namespace vel {

bool write_whole_file(std::string_view gbk_name, std::span<const std::uint8_t> bytes) {
    const auto native = plat::fs::native_path(gbk_name);
    return native && plat::fs::write_whole_file(*native, bytes);
}

}  // namespace vel
