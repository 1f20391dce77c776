#include "engine/scripted/Clipboard.h"

#include <cstring>

#include "framework/Handles.h"

namespace scripted {

namespace {

// The clipboard, open for this thread while the object lives.
class OpenClipboardScope {
public:
    explicit OpenClipboardScope(HWND owner) : m_open(::OpenClipboard(owner) != FALSE) {}
    ~OpenClipboardScope() {
        if (m_open) ::CloseClipboard();
    }
    OpenClipboardScope(const OpenClipboardScope&) = delete;
    OpenClipboardScope& operator=(const OpenClipboardScope&) = delete;
    bool ok() const { return m_open; }

private:
    bool m_open;
};

// Memory that is ours to free until the clipboard takes it.
using GlobalMemory = fw::UniqueHandle<fw::NullTraits<HGLOBAL, &::GlobalFree>>;

// A global block's lock, undone when the object goes.
class GlobalLock {
public:
    explicit GlobalLock(HGLOBAL memory) : m_memory(memory), m_data(::GlobalLock(memory)) {}
    ~GlobalLock() {
        if (m_data) ::GlobalUnlock(m_memory);
    }
    GlobalLock(const GlobalLock&) = delete;
    GlobalLock& operator=(const GlobalLock&) = delete;
    void* data() const { return m_data; }

private:
    HGLOBAL m_memory;
    void* m_data;
};

}  // namespace

std::wstring ReadClipboardText(HWND owner) {
    OpenClipboardScope clipboard(owner);
    if (!clipboard.ok()) return std::wstring();
    // The clipboard keeps owning this block.
    HANDLE memory = ::GetClipboardData(CF_UNICODETEXT);
    if (!memory) return std::wstring();
    GlobalLock lock(memory);
    if (!lock.data()) return std::wstring();
    const auto* text = static_cast<const wchar_t*>(lock.data());
    const size_t capacity = ::GlobalSize(memory) / sizeof(wchar_t);
    size_t length = 0;
    while (length < capacity && text[length]) ++length;
    return std::wstring(text, length);
}

bool WriteClipboardText(HWND owner, const std::wstring& text) {
    GlobalMemory memory(::GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t)));
    if (!memory) return false;
    {
        GlobalLock lock(memory.get());
        if (!lock.data()) return false;
        std::memcpy(lock.data(), text.c_str(), (text.size() + 1) * sizeof(wchar_t));
    }
    OpenClipboardScope clipboard(owner);
    if (!clipboard.ok() || !::EmptyClipboard()) return false;
    if (!::SetClipboardData(CF_UNICODETEXT, memory.get())) return false;
    memory.release();  // the system owns it now
    return true;
}

}  // namespace scripted
