#pragma once
// Building form resource bytes field by field in tests, so that each byte of
// a layout test is written next to its meaning.
#include <cstdint>
#include <map>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace vel::test {

class Bytes {
public:
    Bytes& u32(std::uint32_t v) {
        for (int i = 0; i < 4; ++i) m_b.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
        return *this;
    }
    Bytes& i32(std::int32_t v) { return u32(static_cast<std::uint32_t>(v)); }
    Bytes& u16(std::uint16_t v) {
        m_b.push_back(static_cast<std::uint8_t>(v));
        m_b.push_back(static_cast<std::uint8_t>(v >> 8));
        return *this;
    }
    Bytes& zeros(int words) {
        for (int i = 0; i < words; ++i) u32(0);
        return *this;
    }
    Bytes& zt(std::string_view s) {
        m_b.insert(m_b.end(), s.begin(), s.end());
        m_b.push_back(0);
        return *this;
    }
    Bytes& counted(std::string_view s) {
        i32(static_cast<std::int32_t>(s.size()));
        m_b.insert(m_b.end(), s.begin(), s.end());
        return *this;
    }
    Bytes& raw(std::span<const std::uint8_t> b) {
        m_b.insert(m_b.end(), b.begin(), b.end());
        return *this;
    }
    // Remembers the current offset under `name` (for corrupting it later).
    Bytes& mark(const std::string& name) {
        m_marks[name] = m_b.size();
        return *this;
    }
    std::size_t at(const std::string& name) const { return m_marks.at(name); }
    std::size_t size() const { return m_b.size(); }
    const std::vector<std::uint8_t>& bytes() const { return m_b; }

private:
    std::vector<std::uint8_t> m_b;
    std::map<std::string, std::size_t> m_marks;
};

inline void put_u32(std::vector<std::uint8_t>& b, std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) b[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
}

}  // namespace vel::test
