#include "net/HttpClient.h"

#include <commctrl.h>
#include <wininet.h>

#include <cstdio>
#include <memory>
#include <vector>

#include "base/BuildConfig.h"
#include "framework/Handles.h"
#include "net/HttpRules.h"

namespace {

const wchar_t kAgent[] = L"Vek";
// The blank after "zh-cn" is part of what the portal has always received.
const wchar_t kExtraHeaders[] = L"Accept-Language: zh-cn \r\nContent-Type: application/x-www-form-urlencoded\r\n";

// The three handles of one request; they close request, connection, session.
struct Request {
    fw::InternetHandle session;
    fw::InternetHandle connection;
    fw::InternetHandle request;
};

bool OpenAndSend(const std::wstring& address, Request& r) {
    const std::optional<HttpAddress> split = SplitHttpAddress(address);
    if (!split) return false;
    r.session.reset(::InternetOpenW(kAgent, INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0));
    if (!r.session) return false;
    r.connection.reset(::InternetConnectW(r.session.get(), split->host.c_str(), split->port, nullptr, nullptr,
                                          INTERNET_SERVICE_HTTP, 0, 0));
    if (!r.connection) return false;
    // Redirects are not followed: Wine's WinINet follows a redirect loop for
    // ever, and a hop could lead a download away from the portal address it
    // was checked against. A 3xx answer is then simply not a 2xx one.
    r.request.reset(::HttpOpenRequestW(r.connection.get(), L"GET", split->path.c_str(), L"HTTP/1.1", nullptr,
                                       nullptr, INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_AUTO_REDIRECT, 0));
    if (!r.request) return false;
    // Wine's WinINet has no receive time-out of its own, so a server that
    // goes quiet (after a "100 Continue", or in the middle of a body) would
    // hold a ping, start-up's configuration fetch or the download for ever.
    // Only the request handle honours the option there.
    DWORD timeout = buildcfg::kHttpReceiveTimeoutMs;
    ::InternetSetOptionW(r.request.get(), INTERNET_OPTION_RECEIVE_TIMEOUT, &timeout, sizeof(timeout));
    return ::HttpSendRequestW(r.request.get(), kExtraHeaders, static_cast<DWORD>(wcslen(kExtraHeaders)), nullptr,
                              0) != FALSE;
}

// The status and content length of an answer that is taken; false otherwise.
bool CheckAnswer(HINTERNET request, DWORD* contentLength) {
    wchar_t status[16] = {};  // 32 bytes
    DWORD size = sizeof(status);
    if (!::HttpQueryInfoW(request, HTTP_QUERY_STATUS_CODE, status, &size, nullptr)) return false;
    DWORD length = 0;
    DWORD lengthSize = sizeof(length);
    const bool hasLength = ::HttpQueryInfoW(request, HTTP_QUERY_CONTENT_LENGTH | HTTP_QUERY_FLAG_NUMBER, &length,
                                            &lengthSize, nullptr) &&
                           lengthSize == sizeof(length);
    if (!IsAcceptedAnswer(ParseStatusCode(status), hasLength)) return false;
    *contentLength = length;
    return true;
}

}  // namespace

// Ties a request to an HttpCancel for as long as it runs.
class CancelRegistration {
public:
    CancelRegistration(HttpCancel* cancel, fw::InternetHandle& request) : m_cancel(cancel), m_request(request) {
        if (!m_cancel) return;
        std::lock_guard<std::mutex> lock(m_cancel->m_lock);
        m_cancel->m_request = request.get();
    }
    ~CancelRegistration() {
        if (!m_cancel) return;
        std::lock_guard<std::mutex> lock(m_cancel->m_lock);
        // A cancel closed the request already: it is not ours to close again.
        if (m_cancel->m_cancelled) m_request.release();
        m_cancel->m_request = nullptr;
    }
    CancelRegistration(const CancelRegistration&) = delete;
    CancelRegistration& operator=(const CancelRegistration&) = delete;

private:
    HttpCancel* m_cancel;
    fw::InternetHandle& m_request;
};

void HttpCancel::Cancel() {
    std::lock_guard<std::mutex> lock(m_lock);
    if (m_cancelled) return;
    m_cancelled = true;
    if (m_request) ::InternetCloseHandle(m_request);
}

bool HttpCancel::cancelled() const {
    std::lock_guard<std::mutex> lock(m_lock);
    return m_cancelled;
}

bool HttpPing(const std::wstring& address) {
    if (!HasHttpScheme(address)) return false;
    Request r;
    return OpenAndSend(address, r);
}

bool HttpDownloadFile(const std::wstring& address, const std::wstring& path, HWND progress, HttpCancel* cancel,
                      uint64_t maxBytes) {
    Request r;
    if (cancel && cancel->cancelled()) return false;
    const bool sent = OpenAndSend(address, r);
    CancelRegistration registration(cancel, r.request);
    if (!sent || (cancel && cancel->cancelled())) return false;
    DWORD length = 0;
    if (!CheckAnswer(r.request.get(), &length)) return false;
    // An empty answer is never a complete new executable.
    if (progress && length == 0) return false;
    // Refused before a byte is written, so a huge answer costs nothing.
    if (length > maxBytes) return false;

    fw::StdioFile file(_wfopen(path.c_str(), L"wb"));
    if (!file) return false;
    uint64_t total = 0;
    char chunk[512];
    for (;;) {
        if (cancel && cancel->cancelled()) break;
        DWORD got = 0;
        if (!::InternetReadFile(r.request.get(), chunk, sizeof(chunk), &got)) break;
        if (got == 0) break;
        // A body that runs on past its announced length gets no further.
        if (got > maxBytes - total) break;
        if (std::fwrite(chunk, 1, got, file.get()) != got) break;
        total += got;
        if (progress) ::SendMessageW(progress, PBM_SETPOS, DownloadPercent(total, length), 0);
        if (::InternetSetFilePointer(r.request.get(), static_cast<LONG>(total), nullptr, FILE_BEGIN, 0) == 0) break;
    }
    file.reset();
    return !(cancel && cancel->cancelled()) && total >= length;
}

bool HttpFetchText(const std::wstring& address, std::wstring* text) {
    Request r;
    if (!OpenAndSend(address, r)) return false;
    DWORD length = 0;
    if (!CheckAnswer(r.request.get(), &length) || length > kMaxTextBytes) return false;
    std::vector<char> bytes(length + 1, 0);
    DWORD got = 0;
    // One read normally brings it all; a short answer is not the whole text.
    while (got < length) {
        DWORD more = 0;
        if (!::InternetReadFile(r.request.get(), bytes.data() + got, length - got, &more) || more == 0) return false;
        got += more;
    }
    const int chars = ::MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(got), nullptr, 0);
    std::wstring converted(static_cast<size_t>(chars), L'\0');
    if (chars > 0)
        ::MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(got), &converted[0], chars);
    *text = converted;
    return true;
}

bool IsPortalAddress(const std::wstring& address) {
    return IsPortalHost(address, SplitDomainList(buildcfg::kPortalDomains));
}
