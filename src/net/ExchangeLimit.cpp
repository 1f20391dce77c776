#include "net/ExchangeLimit.h"

ExchangePace::ExchangePace(const ExchangeLimit& limit, uint64_t startMs) : m_limit(limit), m_startMs(startMs) {
    m_samples.emplace_back(startMs, 0);
}

void ExchangePace::Received(uint64_t nowMs, uint64_t totalBytes) {
    if (totalBytes < m_total || nowMs < m_samples.back().first) return;
    m_total = totalBytes;
    m_samples.emplace_back(nowMs, totalBytes);
    // Keep one sample at or before the start of the window that ends now: what
    // arrived since is the window's share.
    const uint64_t window = m_limit.rateWindowMs;
    while (m_samples.size() > 2 && nowMs >= window && m_samples[1].first <= nowMs - window) m_samples.pop_front();
}

uint64_t ExchangePace::TotalAt(uint64_t ms) const {
    uint64_t total = 0;
    for (const auto& sample : m_samples) {
        if (sample.first > ms) break;
        total = sample.second;
    }
    return total;
}

bool ExchangePace::ShouldStop(uint64_t nowMs) const {
    const uint64_t elapsed = nowMs >= m_startMs ? nowMs - m_startMs : 0;
    if (m_limit.wholeMs != 0 && elapsed >= m_limit.wholeMs) return true;
    const uint64_t window = m_limit.rateWindowMs;
    if (m_limit.minBytesPerSecond == 0 || window == 0 || elapsed < window) return false;
    const uint64_t inWindow = m_total - TotalAt(nowMs - window);
    return inWindow * 1000 < uint64_t{m_limit.minBytesPerSecond} * window;
}
