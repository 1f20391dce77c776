// The HTTP client against the test portal: the request as the portal receives
// it, and every way an answer is taken or refused.
#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include <windows.h>
#include <commctrl.h>

#include "net/HttpClient.h"
#include "PortalClient.h"
#include "WinTestSupport.h"

using namespace wintest;

namespace {
// A file in the portal's root, removed again afterwards.
struct ServedFile {
    ServedFile(const std::wstring& name, const std::string& bytes) : path(PortalRoot() + L"\\" + name) {
        std::ofstream(path.c_str(), std::ios::binary) << bytes;
    }
    ~ServedFile() { ::DeleteFileW(path.c_str()); }
    std::wstring path;
};

// A download target in the temporary folder, removed afterwards.
struct TempTarget {
    TempTarget() {
        path = TempFolder() + L"zuva-download-test.bin";
        ::DeleteFileW(path.c_str());
    }
    ~TempTarget() { ::DeleteFileW(path.c_str()); }
    bool exists() const { return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }
    long long size() const {
        WIN32_FILE_ATTRIBUTE_DATA data{};
        if (!::GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return -1;
        return (static_cast<long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    }
    std::wstring path;
};

// The update's download: into a file the caller holds, the percentage to a bar.
bool DownloadWithProgress(const std::wstring& address, const std::wstring& path, HWND progress) {
    fw::FileHandle file(::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    return HttpDownloadInto(address, file.get(), progress, nullptr, BuildDownloadLimit(), kMaxBuildBytes);
}

std::string Pattern(size_t n) {
    std::string s(n, '\0');
    for (size_t i = 0; i < n; ++i) s[i] = static_cast<char>('a' + i % 26);
    return s;
}
}  // namespace

TEST(HttpClient, TheRequestIsExactlyTheLaunchersOwn) {
    PortalSession portal;
    ServedFile file(L"shape.txt", "ok");
    std::wstring text;
    ASSERT_TRUE(HttpFetchText(PortalUrl(L"/shape.txt?tag=zuva&count=1"), &text));
    const std::string head = PortalLog(L"/shape.txt");
    EXPECT_EQ(head.rfind("GET /shape.txt?tag=zuva&count=1 HTTP/1.1\r\n", 0), 0u) << head;
    EXPECT_NE(head.find("\r\nUser-Agent: Vek\r\n"), std::string::npos) << head;
    // We hand WinINet the blank after "zh-cn"; Wine's WinINet trims header
    // values on the way out, Windows' keeps them.
    EXPECT_TRUE(head.find("\r\nAccept-Language: zh-cn \r\n") != std::string::npos ||
                head.find("\r\nAccept-Language: zh-cn\r\n") != std::string::npos)
        << head;
    EXPECT_NE(head.find("\r\nContent-Type: application/x-www-form-urlencoded\r\n"), std::string::npos) << head;
    EXPECT_NE(head.find("\r\nHost: 127.0.0.1:" + std::to_string(ZUVA_TEST_PORT) + "\r\n"), std::string::npos);
    // Nothing else: no cookies, no referrer, no accept types.
    EXPECT_EQ(head.find("Cookie"), std::string::npos);
    EXPECT_EQ(head.find("Referer"), std::string::npos);
    EXPECT_EQ(head.find("Accept:"), std::string::npos);
}

TEST(HttpClient, EveryRequestReachesThePortalThoughItsAnswerMayBeKept) {
    PortalSession portal;
    // An answer any cache may keep for a day.
    PortalAnswer(L"/kept.txt", L"body=kept&header=Cache-Control%3A%20public%2C%20max-age%3D86400"
                               L"&header=Expires%3A%20Fri%2C%2031%20Dec%202100%2023%3A59%3A59%20GMT");
    TempTarget target;
    std::wstring text;
    for (int i = 0; i < 2; ++i) {
        ASSERT_TRUE(HttpFetchText(PortalUrl(L"/kept.txt"), &text));
        EXPECT_EQ(text, L"kept");
        ASSERT_TRUE(HttpDownloadFile(PortalUrl(L"/kept.txt"), target.path, ConfigFetchLimit()));
    }
    EXPECT_EQ(PortalCount(L"/kept.txt"), 4) << "none was answered from the URL cache";
}

TEST(HttpClient, PingIsSentOnlyForHttpAddresses) {
    PortalSession portal;
    EXPECT_TRUE(HttpPing(PortalUrl(L"/active.htm?tag=zuva")));
    std::wstring upper = PortalUrl(L"/active.htm");
    upper.replace(0, 4, L"HTTP");
    EXPECT_TRUE(HttpPing(upper));
    EXPECT_FALSE(HttpPing(L"ftp://127.0.0.1:" + std::to_wstring(ZUVA_TEST_PORT) + L"/active.htm"));
    ::Sleep(200);
    EXPECT_EQ(PortalCount(L"/active.htm"), 2);
    // A ping does not care what comes back.
    PortalAnswer(L"/down.htm", L"status=404");
    EXPECT_TRUE(HttpPing(PortalUrl(L"/down.htm")));
}

TEST(HttpClient, ADownloadTakesOnlyWholeSuccessfulAnswers) {
    PortalSession portal;
    const std::string body = Pattern(100000);
    ServedFile file(L"payload.bin", body);

    // A file someone made there first is replaced, never written into: its
    // other name (a hard link) keeps what it held.
    TempTarget target;
    const std::wstring planted = target.path + L".planted";
    ASSERT_TRUE(WriteFileBytes(planted, "theirs"));
    ASSERT_TRUE(::CreateHardLinkW(target.path.c_str(), planted.c_str(), nullptr));
    EXPECT_TRUE(HttpDownloadFile(PortalUrl(L"/payload.bin"), target.path, ConfigFetchLimit()));
    EXPECT_EQ(target.size(), 100000);
    EXPECT_EQ(ReadFileBytes(planted), "theirs");
    ::DeleteFileW(planted.c_str());

    struct Bad {
        const wchar_t* rule;
        bool leavesPartial;
    };
    for (Bad bad : {Bad{L"status=404&file=payload.bin", false}, Bad{L"status=500&file=payload.bin", false},
                    Bad{L"mode=chunked&file=payload.bin", false}, Bad{L"mode=nolength&file=payload.bin", false},
                    Bad{L"mode=short&bytes=30000&file=payload.bin", true},
                    Bad{L"mode=wronglength&extra=100&file=payload.bin", true}, Bad{L"mode=drop", false}}) {
        PortalAnswer(L"/bad.bin", bad.rule);
        TempTarget partial;
        EXPECT_FALSE(HttpDownloadFile(PortalUrl(L"/bad.bin"), partial.path, ConfigFetchLimit())) << bad.rule;
        if (bad.leavesPartial) {
            EXPECT_TRUE(partial.exists()) << bad.rule;
            EXPECT_GT(partial.size(), 0) << bad.rule;
            EXPECT_LT(partial.size(), 100000 + 100) << bad.rule;
        }
    }
}

TEST(HttpClient, AnEmptyAnswerIsAFileButNeverANewExecutable) {
    PortalSession portal;
    PortalAnswer(L"/empty.bin", L"body=");
    TempTarget target;
    EXPECT_TRUE(HttpDownloadFile(PortalUrl(L"/empty.bin"), target.path, ConfigFetchLimit()));
    EXPECT_EQ(target.size(), 0);

    HWND progress = ::CreateWindowExW(0, L"msctls_progress32", L"", WS_POPUP, 0, 0, 100, 10, nullptr, nullptr,
                                      ::GetModuleHandleW(nullptr), nullptr);
    TempTarget exe;
    EXPECT_FALSE(DownloadWithProgress(PortalUrl(L"/empty.bin"), exe.path, progress));
    ::DestroyWindow(progress);
}

TEST(HttpClient, ProgressClimbsToAHundred) {
    PortalSession portal;
    ServedFile file(L"progress.bin", Pattern(100000));
    HWND progress = ::CreateWindowExW(0, L"msctls_progress32", L"", WS_POPUP, 0, 0, 100, 10, nullptr, nullptr,
                                      ::GetModuleHandleW(nullptr), nullptr);
    TempTarget target;
    EXPECT_TRUE(DownloadWithProgress(PortalUrl(L"/progress.bin"), target.path, progress));
    EXPECT_EQ(::SendMessageW(progress, PBM_GETPOS, 0, 0), 100);
    ::DestroyWindow(progress);
}

TEST(HttpClient, ABuildDownloadStopsAtItsCapWhateverTheAnswerSays) {
    PortalSession portal;
    TempTarget target;
    // The cap itself, a byte more, and a chunked body past the cap and the length it announces.
    for (const std::wstring rule :
         {L"garbage=100000", L"garbage=100001", L"mode=chunked&garbage=300000&header=Content-Length:1"}) {
        PortalAnswer(L"/build.bin", rule);
        fw::FileHandle file(::CreateFileW(target.path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
        const bool taken =
            HttpDownloadInto(PortalUrl(L"/build.bin"), file.get(), nullptr, nullptr, BuildDownloadLimit(), 100000);
        file.reset();
        EXPECT_EQ(taken, rule == L"garbage=100000") << rule;
        EXPECT_LE(target.size(), 100000) << rule << ": the file never grows past the cap";
    }
}

TEST(HttpClient, TextUpTo1023BytesInTheAnsiCodePage) {
    PortalSession portal;
    ServedFile fits(L"fits.txt", Pattern(1023));
    ServedFile tooLong(L"toolong.txt", Pattern(1024));
    std::wstring text;
    EXPECT_TRUE(HttpFetchText(PortalUrl(L"/fits.txt"), &text));
    EXPECT_EQ(text.size(), 1023u);
    EXPECT_FALSE(HttpFetchText(PortalUrl(L"/toolong.txt"), &text));

    // "公告|新版本" in code page 936.
    const std::wstring notice = L"公告|新版本";
    char gbk[64] = {};
    const int n = ::WideCharToMultiByte(936, 0, notice.c_str(), -1, gbk, sizeof(gbk), nullptr, nullptr);
    ServedFile chinese(L"notice.txt", std::string(gbk, static_cast<size_t>(n - 1)));
    text.clear();
    ASSERT_TRUE(HttpFetchText(PortalUrl(L"/notice.txt"), &text));
    EXPECT_EQ(text, notice);

    PortalAnswer(L"/short.txt", L"mode=short&bytes=10&body=" + std::wstring(40, L'x'));
    EXPECT_FALSE(HttpFetchText(PortalUrl(L"/short.txt"), &text)) << "a short text is not the whole text";
    PortalAnswer(L"/gone.txt", L"status=404&body=nothing");
    EXPECT_FALSE(HttpFetchText(PortalUrl(L"/gone.txt"), &text));
}

TEST(HttpClient, NothingListeningFailsQuietly) {
    TempTarget target;
    std::wstring text;
    EXPECT_FALSE(HttpDownloadFile(L"http://127.0.0.1:9/x.bin", target.path, ConfigFetchLimit()));
    EXPECT_FALSE(HttpFetchText(L"http://127.0.0.1:9/x.txt", &text));
    EXPECT_FALSE(target.exists());
}

TEST(HttpClient, PortalAddressesAreTheBuildsDomains) {
    EXPECT_TRUE(IsPortalAddress(PortalUrl(L"/files/NewBuild.exe")));
    EXPECT_FALSE(IsPortalAddress(L"http://evil.example/x?127.0.0.1"));
}
