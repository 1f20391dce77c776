#include "net/RequestThread.h"

#include <memory>

namespace {
// How often the caller looks at the request's pace while it waits.
constexpr DWORD kPaceLookMs = 100;

// What the caller and the request's thread both hold, for as long as either
// still needs it: the share, the request itself, and the event that tells
// the caller the request is over.
struct RequestJob {
    RequestShare share;
    std::function<bool(RequestShare&)> request;
    fw::KernelHandle done{::CreateEventW(nullptr, TRUE, FALSE, nullptr)};
    bool succeeded = false;  // written before `done` is set
};
using JobRef = std::shared_ptr<RequestJob>;

DWORD WINAPI RunJob(void* param) {
    const JobRef job = *std::unique_ptr<JobRef>(static_cast<JobRef*>(param));
    job->succeeded = job->request(job->share);
    ::SetEvent(job->done.get());
    job->share.ReleaseLeftovers();
    return 0;
}
}  // namespace

bool RunRequest(const ExchangeLimit& limit, HANDLE cancel, std::function<bool(RequestShare&)> request,
                bool answerSentMessages) {
    auto job = std::make_shared<RequestJob>();
    if (!job->done) return false;
    job->request = std::move(request);
    auto handOver = std::make_unique<JobRef>(job);
    fw::KernelHandle thread(::CreateThread(nullptr, 0, &RunJob, handOver.get(), 0, nullptr));
    if (!thread) return false;
    handOver.release();  // the thread's reference now
    ExchangePace pace(limit, ::GetTickCount64());
    const HANDLE waits[] = {job->done.get(), cancel};
    for (;;) {
        const DWORD count = cancel ? 2 : 1;
        const DWORD woke = answerSentMessages
                               ? ::MsgWaitForMultipleObjects(count, waits, FALSE, kPaceLookMs, QS_SENDMESSAGE)
                               : ::WaitForMultipleObjects(count, waits, FALSE, kPaceLookMs);
        if (woke == WAIT_OBJECT_0) return job->succeeded;
        if (woke == WAIT_OBJECT_0 + count) {
            // Only sent messages are answered here; posted ones wait their turn.
            MSG msg;
            ::PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
        }
        const uint64_t now = ::GetTickCount64();
        pace.Received(now, job->share.received.load());
        const bool cancelled = cancel && woke == WAIT_OBJECT_0 + 1;
        if (cancelled || woke == WAIT_FAILED || pace.ShouldStop(now)) {
            job->share.Abandon();
            return false;
        }
    }
}
