#include "platform/routine_tables.h"

#include <algorithm>
#include <cctype>
#include <map>
#include <mutex>
#include <string>
#include <vector>

namespace plat {
namespace {

struct Registry {
    std::mutex lock;
    std::vector<const BuiltinLibrary*> libraries;
    std::map<int, const BuiltinLibrary*> loaded;  // handle -> library
    int next_handle = 1;
};
Registry& registry() {
    static Registry r;
    return r;
}

bool same_name(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

// "C:\Windows\system32\USER32.DLL", "./user32.dll" and "user32" all name User32.dll.
std::string_view base_name(std::string_view path) {
    const std::size_t cut = path.find_last_of("\\/:");
    if (cut != std::string_view::npos) path.remove_prefix(cut + 1);
    return path;
}

bool names_library(std::string_view requested, std::string_view file_name) {
    requested = base_name(requested);
    if (same_name(requested, file_name)) return true;
    const std::size_t dot = file_name.rfind('.');
    return dot != std::string_view::npos && same_name(requested, file_name.substr(0, dot));
}

const BuiltinLibrary* library_of(int handle) {
    Registry& r = registry();
    std::lock_guard guard(r.lock);
    auto it = r.loaded.find(handle);
    return it == r.loaded.end() ? nullptr : it->second;
}

}  // namespace

void register_builtin_library(const BuiltinLibrary* library) {
    Registry& r = registry();
    std::lock_guard guard(r.lock);
    r.libraries.insert(r.libraries.begin(), library);
}

void unregister_builtin_library(const BuiltinLibrary* library) {
    Registry& r = registry();
    std::lock_guard guard(r.lock);
    std::erase(r.libraries, library);
    std::erase_if(r.loaded, [&](const auto& kv) { return kv.second == library; });
}

int load_library(std::string_view file_name) {
    Registry& r = registry();
    std::lock_guard guard(r.lock);
    for (const BuiltinLibrary* lib : r.libraries) {
        if (names_library(file_name, lib->file_name)) {
            const int handle = r.next_handle++;
            r.loaded[handle] = lib;
            return handle;
        }
    }
    return 0;
}

const BuiltinRoutine* find_routine(int library, std::string_view name) {
    const BuiltinLibrary* lib = library_of(library);
    if (!lib) return nullptr;
    for (const BuiltinRoutine& routine : lib->routines)
        if (name == routine.name) return &routine;
    return nullptr;
}

const BuiltinRoutine* find_routine_by_ordinal(int library, int ordinal) {
    const BuiltinLibrary* lib = library_of(library);
    if (!lib) return nullptr;
    for (const BuiltinRoutine& routine : lib->routines)
        if (routine.ordinal == ordinal) return &routine;
    return nullptr;
}

void unload_library(int library) {
    Registry& r = registry();
    std::lock_guard guard(r.lock);
    r.loaded.erase(library);
}

int loaded_library_count() {
    Registry& r = registry();
    std::lock_guard guard(r.lock);
    return static_cast<int>(r.loaded.size());
}

}  // namespace plat
