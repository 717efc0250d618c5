#pragma once
// Little-endian reading and writing of the resource's fields. The reader
// stops at the first field that runs past the end of its block: from then on
// every read yields zero/empty and failed() stays true, so a parser can read
// a whole record and check once.
#include <cstdint>
#include <cstring>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace vel::resource_io {

class ByteReader {
public:
    explicit ByteReader(std::span<const std::uint8_t> bytes, std::size_t base = 0)
        : m_bytes(bytes), m_base(base) {}

    bool failed() const { return m_failed; }
    std::size_t position() const { return m_pos; }
    std::size_t remaining() const { return m_bytes.size() - m_pos; }
    // Offset in the whole resource, for error reports.
    std::size_t absolute() const { return m_base + m_pos; }
    std::string_view reason() const { return m_reason; }
    // Absolute offset at which reading failed.
    std::size_t fail_offset() const { return m_fail_at; }

    // `reason` must outlive the reader (a literal).
    void fail(std::string_view reason) { fail(reason, absolute()); }
    void fail(std::string_view reason, std::size_t at) {
        if (!m_failed) {
            m_failed = true;
            m_reason = reason;
            m_fail_at = at;
        }
    }

    std::uint32_t u32() {
        std::uint8_t b[4] = {};
        if (!take(b, 4)) return 0;
        return std::uint32_t{b[0]} | std::uint32_t{b[1]} << 8 | std::uint32_t{b[2]} << 16 |
               std::uint32_t{b[3]} << 24;
    }
    std::int32_t i32() { return static_cast<std::int32_t>(u32()); }
    std::uint16_t u16() {
        std::uint8_t b[2] = {};
        if (!take(b, 2)) return 0;
        return static_cast<std::uint16_t>(b[0] | b[1] << 8);
    }

    // `n` raw bytes as a view into the block; empty on failure.
    std::span<const std::uint8_t> bytes(std::size_t n) {
        if (m_failed) return {};
        if (n > remaining()) {
            fail("field runs past the end of its block");
            return {};
        }
        auto out = m_bytes.subspan(m_pos, n);
        m_pos += n;
        return out;
    }

    // An i32 length followed by that many bytes; a negative length is corrupt.
    std::vector<std::uint8_t> counted_block() {
        std::int32_t n = i32();
        if (n < 0) {
            fail("negative length");
            return {};
        }
        auto b = bytes(static_cast<std::size_t>(n));
        return {b.begin(), b.end()};
    }
    std::string counted_text() {
        auto b = counted_block();
        return {b.begin(), b.end()};
    }
    // Bytes up to a zero byte, which is consumed.
    std::string zero_text() {
        if (m_failed) return {};
        auto rest = m_bytes.subspan(m_pos);
        const void* zero = std::memchr(rest.data(), 0, rest.size());
        if (!zero) {
            fail("text without terminator");
            return {};
        }
        std::size_t n = static_cast<const std::uint8_t*>(zero) - rest.data();
        std::string out(reinterpret_cast<const char*>(rest.data()), n);
        m_pos += n + 1;
        return out;
    }

private:
    bool take(std::uint8_t* out, std::size_t n) {
        auto b = bytes(n);
        if (b.size() != n) return false;
        std::memcpy(out, b.data(), n);
        return true;
    }

    std::span<const std::uint8_t> m_bytes;
    std::size_t m_base = 0;
    std::size_t m_pos = 0;
    bool m_failed = false;
    std::string_view m_reason;
    std::size_t m_fail_at = 0;
};

class ByteWriter {
public:
    std::vector<std::uint8_t>& bytes() { return m_out; }
    std::size_t size() const { return m_out.size(); }

    void u32(std::uint32_t v) {
        for (int i = 0; i < 4; ++i) m_out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
    }
    void i32(std::int32_t v) { u32(static_cast<std::uint32_t>(v)); }
    void u16(std::uint16_t v) {
        m_out.push_back(static_cast<std::uint8_t>(v));
        m_out.push_back(static_cast<std::uint8_t>(v >> 8));
    }
    void raw(std::span<const std::uint8_t> b) { m_out.insert(m_out.end(), b.begin(), b.end()); }
    void raw(std::string_view s) { m_out.insert(m_out.end(), s.begin(), s.end()); }
    void counted(std::span<const std::uint8_t> b) {
        i32(static_cast<std::int32_t>(b.size()));
        raw(b);
    }
    void counted(std::string_view s) {
        i32(static_cast<std::int32_t>(s.size()));
        raw(s);
    }
    // A text holding a zero byte would end early on reading: it is cut there.
    void zero_text(std::string_view s) {
        raw(s.substr(0, s.find('\0')));
        m_out.push_back(0);
    }

private:
    std::vector<std::uint8_t> m_out;
};

}  // namespace vel::resource_io
