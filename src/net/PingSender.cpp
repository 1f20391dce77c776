#include "net/PingSender.h"

#include <memory>

#include "base/BuildConfig.h"
#include "base/SettingsStore.h"
#include "framework/Handles.h"
#include "net/HttpClient.h"

namespace {
// What a worker owns. The events are its own duplicates: the application
// closes its handles at exit, and a worker still finishing its request then
// must not signal a closed (or by then reused) handle.
struct PingJob {
    const std::wstring* callerAddress = nullptr;  // valid until `taken` is set
    fw::KernelHandle taken;
    fw::KernelHandle done;
};

fw::KernelHandle DuplicateOf(HANDLE h) {
    HANDLE copy = nullptr;
    if (!h || !::DuplicateHandle(::GetCurrentProcess(), h, ::GetCurrentProcess(), &copy, 0, FALSE,
                                 DUPLICATE_SAME_ACCESS))
        return fw::KernelHandle();
    return fw::KernelHandle(copy);
}

DWORD WINAPI PingWorker(LPVOID param) {
    std::unique_ptr<PingJob> job(static_cast<PingJob*>(param));
    const std::wstring address = *job->callerAddress;
    job->callerAddress = nullptr;
    ::SetEvent(job->taken.get());
    HttpPing(address);
    ::SetEvent(job->done.get());
    return 0;
}
}  // namespace

void SendPing(const std::wstring& address, const PingSignals& signals) {
    auto job = std::make_unique<PingJob>();
    job->callerAddress = &address;
    job->taken = DuplicateOf(signals.taken);
    job->done = DuplicateOf(signals.done);
    if (!job->taken || !job->done) {
        if (signals.done) ::SetEvent(signals.done);
        return;
    }
    fw::KernelHandle worker(::CreateThread(nullptr, 0, &PingWorker, job.get(), 0, nullptr));
    if (!worker) {
        ::SetEvent(signals.done);
        return;
    }
    job.release();  // the worker owns it now
    ::WaitForSingleObject(signals.taken, INFINITE);
    ::ResetEvent(signals.taken);
}

uint32_t CountAndSendPing(UsageEvent event, const PingSignals& signals) {
    const uint32_t count = IncrementCounter(UsageCounterKey(event));
    SendPing(PingAddress(event, buildcfg::kServiceHost, count), signals);
    return count;
}
