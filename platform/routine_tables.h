#pragma once
// Built-in tables of named routines that stand in for the system's dynamic
// libraries ("Kernel32.dll", "User32.dll" ...). A library is "loaded" by name
// (case-insensitive, with or without directory) and routines are found by
// name or by ordinal.
#include <cstdint>
#include <span>
#include <string_view>

namespace plat {

struct BuiltinRoutine {
    const char* name;
    int ordinal;    // 1-based export ordinal
    int arg_count;  // the routine takes exactly this many arguments
    std::int64_t (*fn)(const std::int64_t* args);
};

struct BuiltinLibrary {
    const char* file_name;  // "User32.dll"
    std::span<const BuiltinRoutine> routines;
};

// Adds a library to the registry (later registrations of the same name win).
void register_builtin_library(const BuiltinLibrary* library);
void unregister_builtin_library(const BuiltinLibrary* library);

// Returns a handle > 0, or 0 when no library of that name exists.
int load_library(std::string_view file_name);
// The routine named `name` ("#N" is not parsed here: pass the ordinal).
const BuiltinRoutine* find_routine(int library, std::string_view name);
const BuiltinRoutine* find_routine_by_ordinal(int library, int ordinal);
void unload_library(int library);
int loaded_library_count();  // for tests

}  // namespace plat
