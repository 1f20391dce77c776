#include "base/CopyDataText.h"

std::wstring CopyDataText(const COPYDATASTRUCT& data) {
    const auto* text = static_cast<const wchar_t*>(data.lpData);
    if (!text) return std::wstring();
    const size_t chars = data.cbData / sizeof(wchar_t);
    size_t length = 0;
    while (length < chars && text[length] != L'\0') ++length;
    return std::wstring(text, length);
}

COPYDATASTRUCT CopyDataRecord(ULONG_PTR tag, std::wstring& text) {
    COPYDATASTRUCT data{};
    data.dwData = tag;
    data.cbData = static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t));
    data.lpData = &text[0];
    return data;
}

bool SendCopyDataText(HWND to, HWND from, ULONG_PTR tag, std::wstring text, UINT timeoutMs, DWORD_PTR* answer) {
    COPYDATASTRUCT data = CopyDataRecord(tag, text);
    *answer = 0;
    return ::SendMessageTimeoutW(to, WM_COPYDATA, reinterpret_cast<WPARAM>(from), reinterpret_cast<LPARAM>(&data),
                                 SMTO_ABORTIFHUNG, timeoutMs, answer) != 0;
}
