#pragma once
// One page fetch: an HTTP GET on a worker thread whose outcome is posted
// back to the engine's window. The worker owns its job through a shared
// pointer, so an engine that is gone or has moved on costs it nothing but a
// dropped result, however slow the server is.
#include <windows.h>

#include <memory>
#include <mutex>
#include <string>

namespace scripted {

struct FetchOutcome {
    long status = 0;   // the HTTP status, or a negative failure status (NavigationRules.h)
    std::string body;  // at most kMaxPageBytes for a page, kMaxImageBytes for an image
};

// A page's body is cut at its limit (at a line end); an image over its limit
// is a failed fetch, since part of a picture is no picture.
enum class FetchKind { Page, Image };

class FetchJob {
public:
    // Once done, the job posts `message` with wParam `serial` to `target`.
    FetchJob(HWND target, UINT message, WPARAM serial);
    FetchJob(const FetchJob&) = delete;
    FetchJob& operator=(const FetchJob&) = delete;

    // From now on nothing is posted; the worker may still run to its end.
    void Abandon();
    // The outcome, once the job's message came; false before.
    bool Take(FetchOutcome* outcome);
    // The worker's side: keeps the outcome and posts unless abandoned.
    void Finish(FetchOutcome outcome);

private:
    std::mutex m_lock;
    HWND m_target;
    UINT m_message;
    WPARAM m_serial;
    bool m_done = false;
    FetchOutcome m_outcome;
};

// Starts the fetch of `url` for `job`. "about:blank" and addresses of
// other schemes are answered at once, still through the posted message, so
// every navigation completes asynchronously; http addresses get a thread.
void StartFetch(const std::shared_ptr<FetchJob>& job, const std::wstring& url, FetchKind kind = FetchKind::Page);

}  // namespace scripted
