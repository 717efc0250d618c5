#pragma once
// The call gates and the external routine table.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "library/value.h"

namespace vel {

// The single call gate of the logic: zeroes a ResultRecord, runs the command
// with it and hands the record back. Inline, so that each call site calls its
// command directly (one shared indirect call is mispredicted whenever the
// command changes) and loads back only the result words it uses: a command
// that wrote the low word alone stalls an 8-byte load of the record.
inline ResultRecord call_command(CommandFn fn, int count, const ArgRecord* args) {
    ResultRecord result{};
    fn(&result, count, args);
    return result;
}
// The second gate, for the commands of the program's other command libraries
// (autostart, control style); it behaves exactly as the first.
inline ResultRecord call_library_command(int, CommandFn fn, int count, const ArgRecord* args) {
    return call_command(fn, count, args);
}

template <typename... Args>
ResultRecord call(CommandFn fn, Args... args) {
    if constexpr (sizeof...(Args) == 0) {
        return call_command(fn, 0, nullptr);
    } else {
        const std::array<ArgRecord, sizeof...(Args)> records{args...};
        return call_command(fn, static_cast<int>(records.size()), records.data());
    }
}

// One declared external routine: library file name (GBK, may be empty) and
// routine name ("#N" = ordinal N).
struct ExternalDeclaration {
    std::string library;
    std::string routine;
};

// The logic's table of declared external routines, resolved lazily over the
// platform's built-in routine tables and cached per index.
class ExternalRoutineTable {
public:
    void declare(std::vector<ExternalDeclaration> declarations);
    // Resolves (fatal error when missing) and calls routine `index`; the
    // argument count must match what the routine takes, else fatal error 6.
    std::int64_t call(int index, std::initializer_list<std::int64_t> args);
    bool resolved(int index) const;
    // Unloads every library loaded for a routine and empties the caches.
    void unload_all();

private:
    struct Entry {
        ExternalDeclaration declaration;
        const void* routine = nullptr;  // platform routine record
        int library = 0;                // platform library handle, 0 = none
    };
    const void* resolve(int index);
    std::vector<Entry> m_entries;
};

ExternalRoutineTable& external_routines();

}  // namespace vel
