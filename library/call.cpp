#include "library/call.h"

#include <cstdio>
#include <cstdlib>

#include "library/runtime_errors.h"
#include "platform/routine_tables.h"

namespace vel {

namespace {

// The libraries tried, in this order, for a routine declared without one.
const char* const k_system_libraries[] = {"Kernel32.dll", "Gdi32.dll", "User32.dll",
                                          "Advapi32.dll", "Mpr.dll",   "Shell32.dll"};

// "#N" names the export with ordinal N (decimal, low 16 bits); -1 otherwise.
int ordinal_of(const std::string& name) {
    if (name.size() < 2 || name[0] != '#') return -1;
    long n = 0;
    for (std::size_t i = 1; i < name.size(); ++i) {
        if (name[i] < '0' || name[i] > '9') return -1;
        n = (n * 10 + (name[i] - '0')) & 0xFFFFFFF;
    }
    return static_cast<int>(n & 0xFFFF);
}

const plat::BuiltinRoutine* look_up(int library, const std::string& routine) {
    const int ordinal = ordinal_of(routine);
    return ordinal >= 0 ? plat::find_routine_by_ordinal(library, ordinal)
                        : plat::find_routine(library, routine);
}

[[noreturn]] void missing_routine(const ExternalDeclaration& d) {
    char text[600];
    if (d.library.empty())
        // "无法找到指定DLL库文件中的输出命令“%s”"
        std::snprintf(text, sizeof text,
                      "\xCE\xDE\xB7\xA8\xD5\xD2\xB5\xBD\xD6\xB8\xB6\xA8"
                      "DLL\xBF\xE2\xCE\xC4\xBC\xFE\xD6\xD0\xB5\xC4\xCA\xE4\xB3\xF6\xC3\xFC\xC1\xEE"
                      "\xA1\xB0%s\xA1\xB1",
                      d.routine.c_str());
    else
        // "无法找到指定DLL库文件“%s”中的输出命令“%s”"
        std::snprintf(
            text, sizeof text,
            "\xCE\xDE\xB7\xA8\xD5\xD2\xB5\xBD\xD6\xB8\xB6\xA8"
            "DLL\xBF\xE2\xCE\xC4\xBC\xFE\xA1\xB0%s\xA1\xB1\xD6\xD0\xB5\xC4\xCA\xE4\xB3\xF6"
            "\xC3\xFC\xC1\xEE\xA1\xB0%s\xA1\xB1",
            d.library.c_str(), d.routine.c_str());
    fatal_runtime_error(0, text);
}

}  // namespace

void ExternalRoutineTable::declare(std::vector<ExternalDeclaration> declarations) {
    unload_all();
    m_entries.clear();
    for (auto& d : declarations) m_entries.push_back(Entry{std::move(d), nullptr, 0});
}

bool ExternalRoutineTable::resolved(int index) const {
    return index >= 0 && index < static_cast<int>(m_entries.size()) &&
           m_entries[static_cast<std::size_t>(index)].routine != nullptr;
}

const void* ExternalRoutineTable::resolve(int index) {
    Entry& e = m_entries.at(static_cast<std::size_t>(index));
    if (e.routine) return e.routine;
    const ExternalDeclaration& d = e.declaration;
    int library = 0;
    const plat::BuiltinRoutine* routine = nullptr;
    if (d.library.empty()) {
        for (const char* name : k_system_libraries) {
            library = plat::load_library(name);
            if (library == 0) continue;
            routine = look_up(library, d.routine);
            if (routine) break;
            plat::unload_library(library);
            library = 0;
        }
    } else {
        // Beside the program first, then by the bare name; a name holding ':'
        // is a path of its own. The built-in tables match by file name alone.
        library = plat::load_library(d.library);
        if (library) routine = look_up(library, d.routine);
    }
    if (routine == nullptr) {
        if (library) plat::unload_library(library);
        missing_routine(d);
    }
    e.routine = routine;
    e.library = library;
    return routine;
}

std::int64_t ExternalRoutineTable::call(int index, std::initializer_list<std::int64_t> args) {
    const auto* routine = static_cast<const plat::BuiltinRoutine*>(resolve(index));
    // A call whose argument count differs from what the routine takes would
    // leave the stack unbalanced on the original platform.
    if (static_cast<int>(args.size()) != routine->arg_count)
        fatal_runtime_error(kErrStackUnbalanced, fatal_code_message(kErrStackUnbalanced));
    return routine->fn(args.begin());
}

void ExternalRoutineTable::unload_all() {
    for (Entry& e : m_entries) {
        if (e.library) plat::unload_library(e.library);
        e.library = 0;
        e.routine = nullptr;
    }
}

ExternalRoutineTable& external_routines() {
    static ExternalRoutineTable table;
    return table;
}

}  // namespace vel
