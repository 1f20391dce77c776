// The portal's notice under every server fault: a notice is shown and
// remembered only as it was published, and the fetch ends within the
// request's own time-outs.
#include <gtest/gtest.h>

#include "extras/PopInfoDlg.h"
#include "PortalClient.h"
#include "ServerFaults.h"
#include "WinTestSupport.h"

using namespace wintest;

namespace {
const wchar_t kNoticePath[] = L"/notice/zuva.txt";

// The notice record CPopInfoDlg stored beside the test executable ("" for none).
std::wstring StoredRecord(const ExeIni& ini) { return ini.Read(L"PopInfo", L""); }

// Every fault starts from a launcher that has met no notice yet.
void ForgetNotices(const ExeIni& ini) {
    ini.Set(L"PopInfo", nullptr);
    ini.Set(L"PopEnable", nullptr);
}
}  // namespace

TEST(NoticeFaults, ANoticeIsTakenOnlyAsPublished) {
    ExeIni ini;
    const std::wstring record = L"fault|" + LocalDay() + L"|Fault title|" + PortalUrl(L"/notice/details.htm") +
                                L"|A notice that must arrive whole.||3";
    std::wstring encoded;
    for (wchar_t c : record) encoded += c == L'|' ? std::wstring(L"%7C") : c == L' ' ? L"%20" : std::wstring(1, c);
    for (const ServerFault& fault : ServerFaults()) {
        if (fault.costly) continue;  // the pings and start-up meet those
        SCOPED_TRACE(fault.name);
        PortalSession portal;
        InstallFaultHelpers();
        ForgetNotices(ini);
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
            EXPECT_EQ(StoredRecord(ini), L"");
            break;
        case Framing::Sound:
            EXPECT_TRUE(shown);
            EXPECT_EQ(StoredRecord(ini), record);
            break;
        case Framing::Deceptive:
            EXPECT_EQ(StoredRecord(ini), shown ? record : L"") << "never a notice the portal did not publish";
            break;
        }
        SettleConnections();
        EXPECT_GE(PortalCount(kNoticePath), 1);
    }
}
