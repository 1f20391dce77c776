#pragma once
// The launcher's only network client: plain HTTP GET over WinINet with one
// fixed request shape, for pings, downloads into files and small texts.
#include <windows.h>

#include <cstdint>
#include <mutex>
#include <string>

typedef void* HINTERNET;

// Lets another thread stop a running download: Cancel() closes its request
// so that a blocking read returns, and the download then ends as failed.
class HttpCancel {
public:
    void Cancel();
    bool cancelled() const;

private:
    friend class CancelRegistration;
    mutable std::mutex m_lock;
    HINTERNET m_request = nullptr;
    bool m_cancelled = false;
};

// Sends the request and reads nothing; true when it was sent. Addresses
// that do not start with "http://" (any case) are not sent.
bool HttpPing(const std::wstring& address);

// Downloads into `path` (created or truncated). True when at least the
// announced length arrived. A partial file stays. With `progress` the
// percentage goes to that progress bar (PBM_SETPOS), and an empty answer is
// not taken as a download. `cancel`, when given, can stop it from another
// thread. An answer announced or running longer than `maxBytes` fails, and
// no more than that is written.
constexpr uint64_t kAnyLength = ~uint64_t{0};
bool HttpDownloadFile(const std::wstring& address, const std::wstring& path, HWND progress = nullptr,
                      HttpCancel* cancel = nullptr, uint64_t maxBytes = kAnyLength);

// Fetches a text of at most 1023 bytes in the ANSI code page into `text`.
bool HttpFetchText(const std::wstring& address, std::wstring* text);

// Whether an address lies within the portal's domains (the build's setting).
bool IsPortalAddress(const std::wstring& address);
