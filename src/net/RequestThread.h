#pragma once
// A request run on a thread of its own, so that its caller can stop waiting
// at a deadline or at the player's cancel whatever the server does, and
// without touching the request's handles while one of WinINet's blocking
// calls is using them (HttpClient.h says why).
#include <windows.h>

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>

#include "framework/Handles.h"
#include "net/ExchangeLimit.h"

// What the caller and the request's thread share.
class RequestShare {
public:
    // Runs `touch` (which may use what the caller lent the request: a file,
    // a buffer) under the lock, unless the caller has stopped waiting; false
    // then, and the request is to end.
    template <class Touch>
    bool WhileWaitedFor(Touch&& touch) {
        std::lock_guard<std::mutex> lock(m_lock);
        if (m_abandoned) return false;
        touch();
        return true;
    }
    // Called by the caller: from now on the request touches nothing of its.
    void Abandon() {
        std::lock_guard<std::mutex> lock(m_lock);
        m_abandoned = true;
    }
    // Called by the request: `resources` are let go only once the caller has
    // its answer. Closing a request may still read the rest of its answer
    // (Wine's WinINet reads it all), which is no business of the caller's.
    void ReleaseWhenAnswered(std::shared_ptr<void> resources) { m_afterAnswer = std::move(resources); }
    // Called by the request's thread once the caller has its answer.
    void ReleaseLeftovers() { m_afterAnswer.reset(); }

    // The bytes the request has taken in so far, for the least rate.
    std::atomic<uint64_t> received{0};

private:
    std::mutex m_lock;
    bool m_abandoned = false;
    std::shared_ptr<void> m_afterAnswer;  // the request's thread's alone
};

// Runs `request` on a new thread and waits until it ends, `limit` gives it
// up, or `cancel` (an event; may be null) is set. True only when the request
// ended in time and returned true. With `answerSentMessages` the wait
// answers messages other threads send to this one's windows (the request
// sends its progress to a bar that may be this thread's).
bool RunRequest(const ExchangeLimit& limit, HANDLE cancel, std::function<bool(RequestShare&)> request,
                bool answerSentMessages = false);
