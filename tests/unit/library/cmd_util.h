#pragma once
// Calling commands through the real gate and owning what they return.
#include <string>
#include <vector>

#include "library/blocks.h"
#include "library/call.h"

namespace vel::test {

// The text a command returned, taken into an owner; "" for null.
inline std::string take_text(const ResultRecord& r) {
    Text owner(r.as_ptr<char>());
    return std::string(view(owner));
}

inline bool returned_null(const ResultRecord& r) {
    return r.as_ptr<void>() == nullptr;
}

// The pieces of a returned array of texts (a null element reads as "").
inline std::vector<std::string> take_texts(const ResultRecord& r) {
    void* array = r.as_ptr<void>();
    std::vector<std::string> out;
    const ArrayData d = array_data(array);
    auto* slots = static_cast<char**>(d.first);
    for (std::int64_t i = 0; i < d.count; ++i) out.emplace_back(slots[i] ? slots[i] : "");
    release_array(array, TAG_TEXT);
    return out;
}

}  // namespace vel::test
