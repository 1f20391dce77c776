#include "net/HttpRules.h"

#include <algorithm>

#include "base/LenientNumber.h"

namespace {
constexpr size_t kSchemeLength = 7;  // "http://"
constexpr size_t kMaxHost = 259;
constexpr size_t kMaxPath = 511;

wchar_t Lower(wchar_t c) { return (c >= L'A' && c <= L'Z') ? static_cast<wchar_t>(c + 32) : c; }

std::wstring ToLower(std::wstring s) {
    std::transform(s.begin(), s.end(), s.begin(), Lower);
    return s;
}

bool IsHostNameChar(wchar_t c) {
    return (c >= L'a' && c <= L'z') || (c >= L'0' && c <= L'9') || c == L'-' || c == L'.';
}
}  // namespace

std::optional<HttpAddress> SplitHttpAddress(const std::wstring& address) {
    const std::wstring rest = address.size() > kSchemeLength ? address.substr(kSchemeLength) : std::wstring();
    HttpAddress a;
    const size_t slash = rest.find(L'/');
    std::wstring hostPart = slash == std::wstring::npos ? rest : rest.substr(0, slash);
    a.path = slash == std::wstring::npos ? std::wstring() : rest.substr(slash + 1);
    const size_t colon = hostPart.find(L':');
    if (colon != std::wstring::npos) {
        // Digits up to the first non-digit, kept to 16 bits as the port field is.
        a.port = static_cast<uint16_t>(ParseLenientInt(hostPart.substr(colon + 1)));
        hostPart.resize(colon);
    }
    a.host = hostPart;
    if (a.host.size() > kMaxHost || a.path.size() > kMaxPath) return std::nullopt;
    return a;
}

bool HasHttpScheme(const std::wstring& address) {
    return address.size() >= kSchemeLength && ToLower(address.substr(0, kSchemeLength)) == L"http://";
}

std::vector<std::wstring> SplitDomainList(const std::wstring& list) {
    std::vector<std::wstring> domains;
    size_t start = 0;
    while (start <= list.size()) {
        size_t end = list.find(L';', start);
        if (end == std::wstring::npos) end = list.size();
        if (end > start) domains.push_back(ToLower(list.substr(start, end - start)));
        start = end + 1;
    }
    return domains;
}

bool IsPortalHost(const std::wstring& address, const std::vector<std::wstring>& domains) {
    if (!HasHttpScheme(address)) return false;
    const std::optional<HttpAddress> split = SplitHttpAddress(address);
    if (!split) return false;
    const std::wstring host = ToLower(split->host);
    if (host.empty() || !std::all_of(host.begin(), host.end(), IsHostNameChar)) return false;
    for (const std::wstring& anyCase : domains) {
        const std::wstring domain = ToLower(anyCase);
        if (domain.empty()) continue;
        if (host == domain) return true;
        if (host.size() > domain.size() + 1 && host.compare(host.size() - domain.size(), domain.size(), domain) == 0 &&
            host[host.size() - domain.size() - 1] == L'.')
            return true;
    }
    return false;
}

bool IsPortalPageAddress(const std::wstring& address, const std::vector<std::wstring>& domains) {
    const std::wstring https = L"https://";
    if (address.size() > https.size() && ToLower(address.substr(0, https.size())) == https)
        return IsPortalHost(L"http://" + address.substr(https.size()), domains);
    return IsPortalHost(address, domains);
}

bool IsAcceptedAnswer(int status, bool hasContentLength) {
    return status >= 200 && status < 300 && hasContentLength;
}

int ParseStatusCode(const std::wstring& text) { return ParseLenientInt(text); }

uint32_t DownloadPercent(uint64_t total, uint64_t length) {
    if (length == 0) return 0;
    const uint64_t percent = total * 100 / length;
    return static_cast<uint32_t>(std::min<uint64_t>(percent, 100));
}
