#include "net/UsagePings.h"

#include <gtest/gtest.h>

TEST(UsagePings, EachEventHasItsCounterAndAddress) {
    const std::wstring host = L"svc.korvel.test:8080";
    struct Case {
        UsageEvent event;
        const wchar_t* counter;
        const wchar_t* address;
    };
    const Case cases[] = {
        {UsageEvent::Install, L"Inst", L"http://svc.korvel.test:8080/install.htm?tag=zuva&ver=3.0.0.1&count=1"},
        {UsageEvent::PortalHome, L"Korvel",
         L"http://svc.korvel.test:8080/active.htm?tag=webKorvel&ver=3.0.0.1&count=1"},
        {UsageEvent::GameStart, L"Game", L"http://svc.korvel.test:8080/active.htm?tag=zuva&ver=3.0.0.1&count=1"},
        {UsageEvent::Uninstall, L"UnInst",
         L"http://svc.korvel.test:8080/uninstall.htm?tag=zuva&ver=3.0.0.1&count=1"},
    };
    for (const Case& c : cases) {
        EXPECT_STREQ(UsageCounterKey(c.event), c.counter);
        EXPECT_EQ(PingAddress(c.event, host, 1), c.address);
    }
}

TEST(UsagePings, TheCountIsUnsignedDecimalAfterTheBase) {
    const std::wstring base = PingBaseAddress(UsageEvent::GameStart, L"h");
    EXPECT_EQ(base, L"http://h/active.htm?tag=zuva&ver=3.0.0.1");
    EXPECT_EQ(PingAddress(UsageEvent::GameStart, L"h", 0), base + L"&count=0");
    // A counter past the signed limit stays positive on the wire.
    EXPECT_EQ(PingAddress(UsageEvent::GameStart, L"h", 2147483648u), base + L"&count=2147483648");
    EXPECT_EQ(PingAddress(UsageEvent::GameStart, L"h", 4294967295u), base + L"&count=4294967295");
}
