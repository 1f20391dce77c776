#pragma once
// How long an HTTP exchange may take as a whole. A read time-out alone bounds
// only each wait for the next bytes: a host that sends one byte now and then
// (or a status line that never ends) would hold a request for days. So every
// request has a deadline for the whole exchange, a download a least rate.
#include <cstdint>
#include <deque>
#include <utility>

struct ExchangeLimit {
    uint32_t wholeMs = 0;            // the whole exchange, sending included; 0: no deadline
    uint32_t minBytesPerSecond = 0;  // the least rate that keeps it going; 0: none
    uint32_t rateWindowMs = 0;       // averaged over this long, counted from the request's start
};

// Watches one exchange against its limit. Times are milliseconds of any
// steady clock; byte counts are totals received so far.
class ExchangePace {
public:
    ExchangePace(const ExchangeLimit& limit, uint64_t startMs);

    // What had arrived by `nowMs`. Totals never go down.
    void Received(uint64_t nowMs, uint64_t totalBytes);

    // Whether the exchange is to be given up at `nowMs`: past its deadline, or
    // slower than the least rate over the last window (a request that has not
    // run a whole window yet is given the time).
    bool ShouldStop(uint64_t nowMs) const;

private:
    uint64_t TotalAt(uint64_t ms) const;

    ExchangeLimit m_limit;
    uint64_t m_startMs;
    uint64_t m_total = 0;
    // (time, total) as they came, the oldest only as far back as a window needs.
    std::deque<std::pair<uint64_t, uint64_t>> m_samples;
};
