// The portal's notice under every server fault: a notice is shown and
// remembered only as it was published, and the fetch ends within the
// request's own time-outs.
#include <gtest/gtest.h>

#include "PortalClient.h"
#include "ServerFaults.h"
#include "WinTestSupport.h"
#include "extras/PopInfoDlg.h"

using namespace wintest;

namespace {
const wchar_t kNoticePath[] = L"/notice/zuva.txt";

std::wstring IniPath() { return BuildDir() + L"\\Statistic.ini"; }  // beside the test executable

std::wstring StoredRecord() {
    wchar_t value[1100] = {};
    ::GetPrivateProfileStringW(L"Zuva", L"PopInfo", L"", value, 1100, IniPath().c_str());
    return value;
}

void ForgetNotices() {
    ::WritePrivateProfileStringW(L"Zuva", L"PopInfo", nullptr, IniPath().c_str());
    ::WritePrivateProfileStringW(L"Zuva", L"PopEnable", nullptr, IniPath().c_str());
}

std::wstring Today() {
    SYSTEMTIME now{};
    ::GetLocalTime(&now);
    wchar_t text[16];
    swprintf(text, 16, L"%04d-%02d-%02d", now.wYear, now.wMonth, now.wDay);
    return text;
}
}  // namespace

TEST(NoticeFaults, ANoticeIsTakenOnlyAsPublished) {
    FileBackup ini(IniPath());
    const std::wstring record = L"fault|" + Today() + L"|Fault title|" + PortalUrl(L"/notice/details.htm") +
                                L"|A notice that must arrive whole.||3";
    std::wstring encoded;
    for (wchar_t c : record) encoded += c == L'|' ? std::wstring(L"%7C") : c == L' ' ? L"%20" : std::wstring(1, c);
    for (const ServerFault& fault : ServerFaults()) {
        if (fault.costly) continue;  // the pings and start-up meet those
        SCOPED_TRACE(fault.name);
        PortalSession portal;
        InstallFaultHelpers();
        ForgetNotices();
        PortalAnswer(kNoticePath, FaultRule(fault, L"body=" + encoded));
        CPopInfoDlg notice;
        const DWORD start = ::GetTickCount();
        const bool shown = notice.FetchNotice();
        const DWORD ms = ::GetTickCount() - start;
        ReportFault("notice", fault, ms, shown ? "shown" : "not shown");
        EXPECT_LE(ms, FaultBoundMs(fault));
        switch (fault.framing) {
        case Framing::Broken:
            EXPECT_FALSE(shown);
            EXPECT_EQ(StoredRecord(), L"");
            break;
        case Framing::Sound:
            EXPECT_TRUE(shown);
            EXPECT_EQ(StoredRecord(), record);
            break;
        case Framing::Deceptive:
            EXPECT_EQ(StoredRecord(), shown ? record : L"") << "never a notice the portal did not publish";
            break;
        }
        SettleConnections();
        EXPECT_GE(PortalCount(kNoticePath), 1);
    }
}
