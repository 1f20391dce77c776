#include "net/HttpClient.h"

#include <commctrl.h>

#include <vector>

#include "base/BuildConfig.h"
#include "base/NewFile.h"
#include "net/HttpRules.h"
#include "net/RequestThread.h"

namespace {

const wchar_t kAgent[] = L"Vek";
// The blank after "zh-cn" is part of what the portal has always received.
const wchar_t kExtraHeaders[] = L"Accept-Language: zh-cn \r\nContent-Type: application/x-www-form-urlencoded\r\n";

// The three handles of one request; they close request, connection, session.
// Only the request's own thread ever uses or closes them.
struct Request {
    const fw::InternetFunctions* inet = fw::Internet();  // null: nothing to ask
    fw::InternetHandle session;
    fw::InternetHandle connection;
    fw::InternetHandle request;
};

// A request's handles, closed by its thread only after its caller has the
// answer (RequestShare::ReleaseWhenAnswered).
Request& NewRequest(RequestShare& share) {
    auto request = std::make_shared<Request>();
    share.ReleaseWhenAnswered(request);
    return *request;
}

bool OpenAndSend(const std::wstring& address, Request& r) {
    const std::optional<HttpAddress> split = SplitHttpAddress(address);
    if (!split || !r.inet) return false;
    r.session.reset(r.inet->InternetOpenW(kAgent, INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0));
    if (!r.session) return false;
    r.connection.reset(r.inet->InternetConnectW(r.session.get(), split->host.c_str(), split->port, nullptr, nullptr,
                                                INTERNET_SERVICE_HTTP, 0, 0));
    if (!r.connection) return false;
    // Redirects are not followed: Wine's WinINet follows a redirect loop for
    // ever, and a hop could lead a download away from the portal address it
    // was checked against. A 3xx answer is then simply not a 2xx one.
    r.request.reset(r.inet->HttpOpenRequestW(r.connection.get(), L"GET", split->path.c_str(), L"HTTP/1.1", nullptr,
                                             nullptr, INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_AUTO_REDIRECT, 0));
    if (!r.request) return false;
    // A server that goes quiet lets an abandoned request's thread go after
    // this long (Wine's WinINet has no receive time-out of its own; only the
    // request handle honours the option there).
    DWORD timeout = buildcfg::kHttpReceiveTimeoutMs;
    r.inet->InternetSetOptionW(r.request.get(), INTERNET_OPTION_RECEIVE_TIMEOUT, &timeout, sizeof(timeout));
    return r.inet->HttpSendRequestW(r.request.get(), kExtraHeaders, static_cast<DWORD>(wcslen(kExtraHeaders)),
                                    nullptr, 0) != FALSE;
}

// The status and content length of an answer that is taken; false otherwise.
bool CheckAnswer(const Request& r, DWORD* contentLength) {
    wchar_t status[16] = {};  // 32 bytes
    DWORD size = sizeof(status);
    if (!r.inet->HttpQueryInfoW(r.request.get(), HTTP_QUERY_STATUS_CODE, status, &size, nullptr)) return false;
    DWORD length = 0;
    DWORD lengthSize = sizeof(length);
    const bool hasLength = r.inet->HttpQueryInfoW(r.request.get(), HTTP_QUERY_CONTENT_LENGTH | HTTP_QUERY_FLAG_NUMBER,
                                                  &length, &lengthSize, nullptr) &&
                           lengthSize == sizeof(length);
    if (!IsAcceptedAnswer(ParseStatusCode(status), hasLength)) return false;
    *contentLength = length;
    return true;
}

// Where a download's bytes go: something of the caller's, used only while
// the caller still waits (RequestShare::WhileWaitedFor).
class DownloadSink {
public:
    virtual ~DownloadSink() = default;
    virtual bool Begin() = 0;  // the answer is taken: the first byte is coming
    virtual bool Write(const char* bytes, DWORD count) = 0;
};

// A file of the caller's, open at its start.
class HandleSink : public DownloadSink {
public:
    explicit HandleSink(HANDLE file) : m_file(file) {}
    bool Begin() override { return m_file != INVALID_HANDLE_VALUE && m_file != nullptr; }
    bool Write(const char* bytes, DWORD count) override {
        DWORD written = 0;
        return ::WriteFile(m_file, bytes, count, &written, nullptr) && written == count;
    }

private:
    HANDLE m_file;
};

// A file by its path, made anew only once an answer is taken: a file left
// there (by anyone) is deleted, never written into.
class PathSink : public DownloadSink {
public:
    explicit PathSink(const std::wstring& path) : m_path(path) {}
    bool Begin() override {
        m_file = CreateFileAnew(m_path, GENERIC_WRITE, FILE_SHARE_READ);
        return static_cast<bool>(m_file);
    }
    bool Write(const char* bytes, DWORD count) override { return HandleSink(m_file.get()).Write(bytes, count); }

private:
    std::wstring m_path;
    fw::FileHandle m_file;
};

// One download, run on the request's own thread.
bool Download(RequestShare& share, const std::wstring& address, DownloadSink* sink, HWND progress,
              uint64_t maxBytes) {
    Request& r = NewRequest(share);
    if (!OpenAndSend(address, r)) return false;
    DWORD length = 0;
    if (!CheckAnswer(r, &length)) return false;
    // An empty answer is never a complete new executable.
    if (progress && length == 0) return false;
    // Refused before a byte is written, so a huge answer costs nothing.
    if (length > maxBytes) return false;
    bool ready = false;
    if (!share.WhileWaitedFor([&] { ready = sink->Begin(); }) || !ready) return false;
    uint64_t total = 0;
    char chunk[512];
    for (;;) {
        DWORD got = 0;
        if (!r.inet->InternetReadFile(r.request.get(), chunk, sizeof(chunk), &got)) break;
        if (got == 0) break;
        // A body that runs on past the cap gets no further, and is not taken:
        // what was written is not all that came.
        if (got > maxBytes - total) return false;
        bool written = false;
        if (!share.WhileWaitedFor([&] { written = sink->Write(chunk, got); })) return false;
        if (!written) break;
        total += got;
        share.received = total;
        // Each piece waits until the bar has drawn it; never once the caller
        // has gone, though a bar that has just gone too takes no harm.
        if (progress && share.WhileWaitedFor([] {}))
            ::SendMessageW(progress, PBM_SETPOS, DownloadPercent(total, length), 0);
        if (r.inet->InternetSetFilePointer(r.request.get(), static_cast<LONG>(total), nullptr, FILE_BEGIN, 0) == 0)
            break;
    }
    return total >= length;
}

ExchangeLimit Deadline(unsigned ms) { return ExchangeLimit{ms, 0, 0}; }

}  // namespace

HttpCancel::HttpCancel() : m_event(::CreateEventW(nullptr, TRUE, FALSE, nullptr)) {}

void HttpCancel::Cancel() { ::SetEvent(m_event.get()); }

bool HttpCancel::cancelled() const { return ::WaitForSingleObject(m_event.get(), 0) == WAIT_OBJECT_0; }

ExchangeLimit ConfigFetchLimit() { return Deadline(buildcfg::kConfigDeadlineMs); }
ExchangeLimit PingLimit() { return Deadline(buildcfg::kPingDeadlineMs); }
ExchangeLimit NoticeFetchLimit() { return Deadline(buildcfg::kNoticeDeadlineMs); }
ExchangeLimit BuildDownloadLimit() {
    return ExchangeLimit{0, buildcfg::kDownloadMinBytesPerSecond, buildcfg::kDownloadRateWindowMs};
}

bool HttpPing(const std::wstring& address) {
    if (!HasHttpScheme(address)) return false;
    return RunRequest(PingLimit(), nullptr,
                      [address](RequestShare& share) { return OpenAndSend(address, NewRequest(share)); });
}

bool HttpDownloadFile(const std::wstring& address, const std::wstring& path, const ExchangeLimit& limit,
                      uint64_t maxBytes) {
    // The sink outlives no wait: the request drops it the moment the caller goes.
    PathSink sink(path);
    return RunRequest(limit, nullptr, [address, &sink, maxBytes](RequestShare& share) {
        return Download(share, address, &sink, nullptr, maxBytes);
    });
}

bool HttpDownloadInto(const std::wstring& address, HANDLE file, HWND progress, HttpCancel* cancel,
                      const ExchangeLimit& limit, uint64_t maxBytes) {
    if (cancel && cancel->cancelled()) return false;
    HandleSink sink(file);
    const bool ownBar = progress && ::GetWindowThreadProcessId(progress, nullptr) == ::GetCurrentThreadId();
    return RunRequest(
        limit, cancel ? cancel->event() : nullptr,
        [address, &sink, progress, maxBytes](RequestShare& share) {
            return Download(share, address, &sink, progress, maxBytes);
        },
        ownBar);
}

bool HttpFetchText(const std::wstring& address, std::wstring* text) {
    std::string bytes;
    const bool fetched = RunRequest(NoticeFetchLimit(), nullptr, [address, &bytes](RequestShare& share) {
        Request& r = NewRequest(share);
        if (!OpenAndSend(address, r)) return false;
        DWORD length = 0;
        if (!CheckAnswer(r, &length) || length > kMaxTextBytes) return false;
        std::vector<char> got(length + 1, 0);
        DWORD have = 0;
        // One read normally brings it all; a short answer is not the whole text.
        while (have < length) {
            DWORD more = 0;
            if (!r.inet->InternetReadFile(r.request.get(), got.data() + have, length - have, &more) || more == 0)
                return false;
            have += more;
        }
        return share.WhileWaitedFor([&] { bytes.assign(got.data(), have); });
    });
    if (!fetched) return false;
    const int chars = ::MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
    std::wstring converted(static_cast<size_t>(chars), L'\0');
    if (chars > 0)
        ::MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), &converted[0], chars);
    *text = converted;
    return true;
}

bool IsPortalAddress(const std::wstring& address) {
    return IsPortalHost(address, SplitDomainList(buildcfg::kPortalDomains));
}
