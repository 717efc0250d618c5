#include "library/commands/file_table.h"

#include <limits>
#include <unordered_map>

namespace vel {
namespace {

struct FileTable {
    std::unordered_map<std::int32_t, OpenFile> entries;
    std::int32_t last_number = 0;
};

// Used on the user-interface thread only.
FileTable& table() {
    static FileTable t;
    return t;
}

}  // namespace

std::int32_t add_open_file(plat::fs::File file) {
    FileTable& t = table();
    do {
        t.last_number =
            t.last_number == std::numeric_limits<std::int32_t>::max() ? 1 : t.last_number + 1;
    } while (t.entries.count(t.last_number) != 0);
    t.entries.emplace(t.last_number, OpenFile{std::move(file), 0});
    return t.last_number;
}

OpenFile* find_open_file(std::int32_t number) {
    auto& entries = table().entries;
    auto it = entries.find(number);
    return it == entries.end() ? nullptr : &it->second;
}

void close_open_file(std::int32_t number) {
    table().entries.erase(number);
}

void close_all_open_files() {
    table().entries.clear();
}

int open_file_count() {
    return static_cast<int>(table().entries.size());
}

}  // namespace vel
