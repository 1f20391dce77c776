#include "engine/scripted/NavigationRules.h"

#include <algorithm>
#include <cstdio>

#include "net/HttpRules.h"

namespace scripted {

namespace {

// WinINet's error numbers that mean "nobody answered there".
constexpr unsigned long kErrorTimeout = 12002;
constexpr unsigned long kErrorNameNotResolved = 12007;
constexpr unsigned long kErrorCannotConnect = 12029;

bool IsSchemeChar(wchar_t c) {
    return (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z') || (c >= L'0' && c <= L'9') || c == L'+' ||
           c == L'-' || c == L'.';
}

bool HasScheme(std::wstring_view href) {
    for (size_t i = 0; i < href.size(); ++i) {
        if (href[i] == L':') return i > 0;
        if (!IsSchemeChar(href[i])) return false;
    }
    return false;
}

bool SameAscii(std::wstring_view a, std::wstring_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        wchar_t x = a[i], y = b[i];
        if (x >= L'A' && x <= L'Z') x = static_cast<wchar_t>(x - L'A' + L'a');
        if (y >= L'A' && y <= L'Z') y = static_cast<wchar_t>(y - L'A' + L'a');
        if (x != y) return false;
    }
    return true;
}

}  // namespace

AddressKind ClassifyAddress(std::wstring_view url) {
    if (SameAscii(url, L"about:blank")) return AddressKind::Blank;
    if (HasHttpScheme(std::wstring(url))) return AddressKind::Http;
    return AddressKind::Unsupported;
}

bool IsSuccessStatus(long status) { return status >= 200 && status <= 299; }

long StatusForFetchError(unsigned long error) {
    switch (error) {
    case kErrorCannotConnect:
    case kErrorNameNotResolved:
        return kStatusNotFound;
    case kErrorTimeout:
        return kStatusTimeout;
    default:
        return kStatusDownloadFailure;
    }
}

std::wstring DescribeStatus(long status) {
    if (status >= 0) return std::to_wstring(status);
    char text[16];
    std::snprintf(text, sizeof(text), "0x%08X", static_cast<unsigned>(static_cast<uint32_t>(status)));
    return std::wstring(text, text + std::char_traits<char>::length(text));
}

std::wstring ErrorPageAddress(std::wstring_view url) {
    return L"res://ieframe.dll/navcancl.htm#" + std::wstring(url);
}

std::wstring WithoutFragment(std::wstring_view url) { return std::wstring(url.substr(0, url.find(L'#'))); }

std::wstring ResolveAddress(std::wstring_view base, std::wstring_view href) {
    if (href.empty() || HasScheme(href) || !HasHttpScheme(std::wstring(base))) return std::wstring(href);
    const size_t hostEnd = std::min(base.find_first_of(L"/?#", 7), base.size());
    const std::wstring_view origin = base.substr(0, hostEnd);
    if (href.substr(0, 2) == L"//") return L"http:" + std::wstring(href);
    if (href.front() == L'/') return std::wstring(origin) + std::wstring(href);
    const std::wstring page = WithoutFragment(base);
    if (href.front() == L'#') return page + std::wstring(href);
    const std::wstring_view document = std::wstring_view(page).substr(0, page.find(L'?'));
    if (href.front() == L'?') return std::wstring(document) + std::wstring(href);
    const size_t slash = document.rfind(L'/');
    if (slash == std::wstring_view::npos || slash < hostEnd) return std::wstring(origin) + L"/" + std::wstring(href);
    return std::wstring(document.substr(0, slash + 1)) + std::wstring(href);
}

void DropUnfinishedLine(std::string& body) {
    const size_t end = body.find_last_of("\r\n");
    body.resize(end == std::string::npos ? 0 : end + 1);
}

}  // namespace scripted
