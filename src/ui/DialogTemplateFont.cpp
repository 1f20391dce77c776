#include "ui/DialogTemplateFont.h"

namespace {
constexpr uint32_t kSetFontStyle = 0x40;  // DS_SETFONT (DS_SHELLFONT includes it)

// Reads the template's little-endian fields in order; every read past the
// end fails and leaves the reader failed.
class TemplateReader {
public:
    TemplateReader(const uint8_t* bytes, size_t size) : m_bytes(bytes), m_size(size) {}

    bool ok() const { return m_ok; }
    uint16_t Word() {
        if (!Has(2)) return 0;
        const uint16_t v = static_cast<uint16_t>(m_bytes[m_at] | (m_bytes[m_at + 1] << 8));
        m_at += 2;
        return v;
    }
    uint32_t Dword() {
        const uint32_t low = Word();
        return low | (static_cast<uint32_t>(Word()) << 16);
    }
    void Skip(size_t n) {
        if (Has(n)) m_at += n;
    }
    // A zero-terminated UTF-16 string.
    void SkipString() {
        while (m_ok && Word() != 0) {}
    }
    // The menu and class fields: nothing (0), an ordinal (0xFFFF, then its
    // value) or a string.
    void SkipNameOrOrdinal() {
        const uint16_t first = Word();
        if (first == 0xFFFF) Skip(2);
        else if (first != 0) SkipString();
    }

private:
    bool Has(size_t n) {
        if (m_ok && m_size - m_at >= n) return true;
        m_ok = false;
        return false;
    }

    const uint8_t* m_bytes;
    size_t m_size;
    size_t m_at = 0;
    bool m_ok = true;
};
}  // namespace

std::optional<int> DialogTemplatePointSize(const uint8_t* bytes, size_t size) {
    if (!bytes) return std::nullopt;
    TemplateReader in(bytes, size);
    const uint16_t version = in.Word();
    const uint16_t signature = in.Word();
    const bool extended = version == 1 && signature == 0xFFFF;
    uint32_t style = 0;
    if (extended) {
        in.Skip(8);  // help id, extended style
        style = in.Dword();
    } else {
        style = version | (static_cast<uint32_t>(signature) << 16);
        in.Skip(4);  // extended style
    }
    in.Skip(10);  // item count, x, y, cx, cy
    in.SkipNameOrOrdinal();  // menu
    in.SkipNameOrOrdinal();  // class
    in.SkipString();         // title
    if (!(style & kSetFontStyle)) return std::nullopt;
    const uint16_t points = in.Word();
    if (!in.ok()) return std::nullopt;
    return static_cast<int>(points);
}
