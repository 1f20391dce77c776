#include "engine/scripted/PageFetch.h"

#include <system_error>
#include <thread>

#include "engine/scripted/NavigationRules.h"
#include "framework/Handles.h"
#include "net/HttpRules.h"

namespace scripted {

namespace {

const wchar_t kAgent[] = L"ZuvaScripted/1.0";
// Slow servers are waited for, but not forever: an abandoned worker ends.
constexpr DWORD kConnectTimeoutMs = 10000;
constexpr DWORD kReceiveTimeoutMs = 30000;

FetchOutcome Failure(long status) { return FetchOutcome{status, std::string()}; }
FetchOutcome LastErrorFailure() { return Failure(StatusForFetchError(::GetLastError())); }

void SetTimeout(const fw::InternetFunctions& inet, HINTERNET handle, DWORD option, DWORD ms) {
    inet.InternetSetOptionW(handle, option, &ms, sizeof(ms));
}

FetchOutcome HttpGet(const std::wstring& url, FetchKind kind) {
    const std::optional<HttpAddress> address = SplitHttpAddress(WithoutFragment(url));
    if (!address || address->host.empty()) return Failure(kStatusInvalidUrl);
    const fw::InternetFunctions* inet = fw::Internet();
    if (!inet) return Failure(kStatusDownloadFailure);
    fw::InternetHandle session(inet->InternetOpenW(kAgent, INTERNET_OPEN_TYPE_DIRECT, nullptr, nullptr, 0));
    if (!session) return LastErrorFailure();
    SetTimeout(*inet, session.get(), INTERNET_OPTION_CONNECT_TIMEOUT, kConnectTimeoutMs);
    SetTimeout(*inet, session.get(), INTERNET_OPTION_SEND_TIMEOUT, kReceiveTimeoutMs);
    SetTimeout(*inet, session.get(), INTERNET_OPTION_RECEIVE_TIMEOUT, kReceiveTimeoutMs);
    fw::InternetHandle connection(inet->InternetConnectW(session.get(), address->host.c_str(), address->port,
                                                         nullptr, nullptr, INTERNET_SERVICE_HTTP, 0, 0));
    if (!connection) return LastErrorFailure();
    const std::wstring object = L"/" + address->path;
    const DWORD flags = INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE | INTERNET_FLAG_PRAGMA_NOCACHE |
                        INTERNET_FLAG_NO_UI;
    fw::InternetHandle request(
        inet->HttpOpenRequestW(connection.get(), L"GET", object.c_str(), nullptr, nullptr, nullptr, flags, 0));
    if (!request) return LastErrorFailure();
    if (!inet->HttpSendRequestW(request.get(), nullptr, 0, nullptr, 0)) return LastErrorFailure();

    DWORD status = 0;
    DWORD size = sizeof(status);
    if (!inet->HttpQueryInfoW(request.get(), HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &status, &size, nullptr))
        return Failure(kStatusDownloadFailure);

    FetchOutcome outcome{static_cast<long>(status), std::string()};
    const size_t limit = kind == FetchKind::Page ? kMaxPageBytes : kMaxImageBytes;
    char chunk[4096];
    for (;;) {
        DWORD got = 0;
        if (!inet->InternetReadFile(request.get(), chunk, sizeof(chunk), &got)) return LastErrorFailure();
        if (got == 0) break;
        outcome.body.append(chunk, got);
        if (outcome.body.size() <= limit) continue;
        if (kind == FetchKind::Image) return Failure(kStatusDownloadFailure);
        outcome.body.resize(limit);
        DropUnfinishedLine(outcome.body);
        break;
    }
    return outcome;
}

}  // namespace

FetchJob::FetchJob(HWND target, UINT message, WPARAM serial)
    : m_target(target), m_message(message), m_serial(serial) {}

void FetchJob::Abandon() {
    std::lock_guard<std::mutex> lock(m_lock);
    m_target = nullptr;
}

bool FetchJob::Take(FetchOutcome* outcome) {
    std::lock_guard<std::mutex> lock(m_lock);
    if (!m_done) return false;
    *outcome = std::move(m_outcome);
    m_done = false;
    return true;
}

void FetchJob::Finish(FetchOutcome outcome) {
    std::lock_guard<std::mutex> lock(m_lock);
    m_outcome = std::move(outcome);
    m_done = true;
    // Posting under the lock: Abandon() cannot slip in between the check
    // and the post, so an engine that has abandoned its job gets nothing.
    if (m_target) ::PostMessageW(m_target, m_message, m_serial, 0);
}

void StartFetch(const std::shared_ptr<FetchJob>& job, const std::wstring& url, FetchKind kind) {
    switch (ClassifyAddress(url)) {
    case AddressKind::Blank:
        job->Finish(FetchOutcome{200, std::string()});
        return;
    case AddressKind::Unsupported:
        job->Finish(Failure(kStatusUnknownProtocol));
        return;
    case AddressKind::Http:
        break;
    }
    try {
        std::thread([job, url, kind] { job->Finish(HttpGet(url, kind)); }).detach();
    } catch (const std::system_error&) {
        job->Finish(Failure(kStatusDownloadFailure));
    }
}

}  // namespace scripted
