#pragma once
// The launcher's only network client: plain HTTP GET over WinINet with one
// fixed request shape, for pings, downloads into files and small texts.
//
// Every request runs on a thread of its own and its caller waits within the
// request's limit (ExchangeLimit.h) and, for the update's download, the
// player's cancel. WinINet's blocking calls cannot be ended from another
// thread: closing a handle that a call is using is not safe, and under Wine
// it does not even end the call. So a caller that stops waiting abandons the
// request; its thread touches nothing of the caller's from then on and
// closes its own handles once WinINet lets go of it.
#include <windows.h>

#include <cstdint>
#include <string>

#include "framework/Handles.h"
#include "net/ExchangeLimit.h"

// The player's stop of a running download, from any thread.
class HttpCancel {
public:
    HttpCancel();
    void Cancel();
    bool cancelled() const;
    HANDLE event() const { return m_event.get(); }

private:
    fw::KernelHandle m_event;
};

// The limits of the launcher's requests: the deadlines of the configuration,
// a ping and a notice file, and the least rate of the build's download (the
// scripted build's are shorter, for its tests).
ExchangeLimit ConfigFetchLimit();
ExchangeLimit PingLimit();
ExchangeLimit NoticeFetchLimit();
ExchangeLimit BuildDownloadLimit();

// Sends the request and reads nothing; true when it was sent within the
// ping's deadline. Addresses that do not start with "http://" (any case)
// are not sent.
bool HttpPing(const std::wstring& address);

// Downloads into `path`, made anew once the answer is taken. True
// when at least the announced length arrived within `limit`. A partial file
// stays. An answer announced or running longer than `maxBytes` fails, and no
// more than that is written.
constexpr uint64_t kAnyLength = ~uint64_t{0};
bool HttpDownloadFile(const std::wstring& address, const std::wstring& path, const ExchangeLimit& limit,
                      uint64_t maxBytes = kAnyLength);

// The most a new build may weigh. Its download goes on as long as bytes
// keep coming at the least rate, so without a cap a chunked or over-long
// answer would fill the disk under the data folder.
constexpr uint64_t kMaxBuildBytes = 64 * 1024 * 1024;

// Downloads into `file`, open for writing at its start, which the caller
// keeps. The percentage goes to the progress bar `progress` (PBM_SETPOS);
// an empty answer is never taken for a new executable. `cancel` stops it.
// As with HttpDownloadFile, an answer announced or running longer than
// `maxBytes` fails, and no more than that is written.
bool HttpDownloadInto(const std::wstring& address, HANDLE file, HWND progress, HttpCancel* cancel,
                      const ExchangeLimit& limit, uint64_t maxBytes);

// Fetches a text of at most 1023 bytes in the ANSI code page into `text`,
// within the notice's deadline.
bool HttpFetchText(const std::wstring& address, std::wstring* text);

// Whether an address lies within the portal's domains (the build's setting).
bool IsPortalAddress(const std::wstring& address);
