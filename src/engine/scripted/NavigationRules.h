#pragma once
// How the scripted engine treats addresses and answers, without the network:
// what it fetches, which statuses it reports for failures, where its error
// page lives, and how a link is resolved against the page it is on.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace scripted {

enum class AddressKind {
    Http,         // fetched with a GET
    Blank,        // "about:blank": an empty page, no fetch
    Unsupported,  // every other scheme ("app:", "res:", "ftp:" ...): a navigation error
};
AddressKind ClassifyAddress(std::wstring_view url);

// A navigation shows its page when the status is 2xx.
bool IsSuccessStatus(long status);

// Failures without an HTTP status are reported as the platform browser
// reports them: its negative error codes in place of the status, so host
// code needs no second set of cases.
constexpr long StatusFromCode(uint32_t code) { return static_cast<long>(static_cast<int32_t>(code)); }
constexpr long kStatusInvalidUrl = StatusFromCode(0x800C0002);
constexpr long kStatusNotFound = StatusFromCode(0x800C0005);  // no connection, unknown host
constexpr long kStatusDownloadFailure = StatusFromCode(0x800C0008);
constexpr long kStatusTimeout = StatusFromCode(0x800C000B);
constexpr long kStatusUnknownProtocol = StatusFromCode(0x800C000D);

// The status for a request that failed with a WinINet error number.
long StatusForFetchError(unsigned long error);

// "404", or "0x800C0005" for the negative codes.
std::wstring DescribeStatus(long status);

// The address of the built-in error page for a failed `url`.
std::wstring ErrorPageAddress(std::wstring_view url);
constexpr wchar_t kErrorPageTitle[] = L"无法显示此页";

// What is requested: the address without its "#fragment".
std::wstring WithoutFragment(std::wstring_view url);

// A link or onload target as an address: absolute ones ("app://...",
// "http://...") as they are; "/x" against the page's host; "x" against its
// folder; "?q" and "#f" against the page itself. No ".." folding.
std::wstring ResolveAddress(std::wstring_view base, std::wstring_view href);

// Page bodies are read up to this many bytes.
constexpr size_t kMaxPageBytes = 64 * 1024;
// An image of a page may be this large; a larger one is not shown at all.
constexpr size_t kMaxImageBytes = 1024 * 1024;
// A body that was cut at the limit drops its last, unfinished line, so no
// half line is read as a whole one.
void DropUnfinishedLine(std::string& body);

}  // namespace scripted
