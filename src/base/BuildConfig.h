#pragma once
// Settings fixed when an executable is built: where it talks to. Zuva.exe
// carries the portal's names; ZuvaScripted.exe and the tests the test portal.
namespace buildcfg {
extern const wchar_t kServiceHost[];    // host[:port] of the client-service web server
extern const wchar_t kMemberHost[];     // host of the login page
extern const wchar_t kPortalHome[];     // the portal's home page address
extern const wchar_t kPortalDomains[];  // the three portal domains, separated by ';'
extern const bool kScripted;            // built with the scripted page engine
// The notice pop-up: how long after the first game page it comes, how long
// each showing lasts and the pause between showings (shorter in the scripted
// build, so that its tests need not wait for them).
extern const unsigned kNoticeDelayMs;
extern const unsigned kNoticeShowMs;
extern const unsigned kNoticePauseMs;
// The longest an HTTP request waits for the next bytes of an answer (Wine's
// WinINet has no limit of its own). The scripted build's tests wait it out
// for a server that falls silent, so it is shorter there.
extern const unsigned long kHttpReceiveTimeoutMs;
// Whole-exchange limits of the launcher's requests (net/HttpClient.h): the
// update configuration, a ping, a notice file; the build's download goes on
// while at least the least rate arrives over the window.
extern const unsigned kConfigDeadlineMs;
extern const unsigned kPingDeadlineMs;
extern const unsigned kNoticeDeadlineMs;
extern const unsigned kDownloadMinBytesPerSecond;
extern const unsigned kDownloadRateWindowMs;
// How long a swapped-in build is watched before the previous one goes.
extern const unsigned kNewBuildWatchMs;
// Who may publish builds that replace this one, as the build names it:
// "subject:O=<organisation>,CN=<common name>" or "key:<SHA-256 of the signer's
// public key>" (net/PublisherRules.h); empty: no update is ever applied.
extern const char kUpdatePublisher[];
// Whether start-up marks may be written (base/StartupTrace.h): never by
// Zuva.exe.
extern const bool kStartupTrace;
}  // namespace buildcfg
