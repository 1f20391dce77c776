#pragma once
// The launcher's HTTP rules that need no network: how an address is split
// into host, port and object path, which answers are accepted, which hosts
// belong to the portal, and how far a download has come.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

struct HttpAddress {
    std::wstring host;
    uint16_t port = 80;
    std::wstring path;  // after the first "/", without it
};

// Splits "http://host[:port][/path]" by position: the first seven characters
// are the scheme and are skipped. Empty when the host would be longer than
// 259 characters or the path longer than 511: such an address is refused
// rather than cut into one that asks for something else.
std::optional<HttpAddress> SplitHttpAddress(const std::wstring& address);

// The scheme check the ping makes: "http://" in any letter case.
bool HasHttpScheme(const std::wstring& address);

// Whether an address may be fetched as portal content: its host (the one a
// request would connect to) is one of the portal's domains or lies below one
// ("x.korvel.example"), in any letter case, and is a plain host name. A
// domain merely mentioned in the path or query does not count.
bool IsPortalHost(const std::wstring& address, const std::vector<std::wstring>& domains);

// Whether an address may be shown as one of the portal's pages (the game a
// login hands over): "http://" or "https://", in any letter case, with a
// host IsPortalHost takes. Nothing else: no file, share or other protocol.
bool IsPortalPageAddress(const std::wstring& address, const std::vector<std::wstring>& domains);
// The domains of a "a;b;c" list.
std::vector<std::wstring> SplitDomainList(const std::wstring& list);

// Whether an answer is taken: a 2xx status and a Content-Length header.
bool IsAcceptedAnswer(int status, bool hasContentLength);
// The status code from its text, or 0 when it is no number.
int ParseStatusCode(const std::wstring& text);

// The percentage shown for `total` bytes of `length` (0..100; 64-bit so that
// large files do not wrap).
uint32_t DownloadPercent(uint64_t total, uint64_t length);

// Text fetches are limited to 1023 bytes.
constexpr uint32_t kMaxTextBytes = 1023;
