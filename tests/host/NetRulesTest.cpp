#include <gtest/gtest.h>

#include "base/StoreRules.h"
#include "net/ExchangeLimit.h"
#include "net/HttpRules.h"
#include "net/UpdateRules.h"

TEST(HttpAddress, SplitsHostPortAndPathByPosition) {
    auto a = SplitHttpAddress(L"http://host:8080/a/b.htm");
    ASSERT_TRUE(a);
    EXPECT_EQ(a->host, L"host");
    EXPECT_EQ(a->port, 8080);
    EXPECT_EQ(a->path, L"a/b.htm");

    a = SplitHttpAddress(L"http://host");
    ASSERT_TRUE(a);
    EXPECT_EQ(a->host, L"host");
    EXPECT_EQ(a->port, 80);
    EXPECT_EQ(a->path, L"");

    a = SplitHttpAddress(L"http://127.0.0.1:47861/update/ConfigZuva.htm?x=1");
    EXPECT_EQ(a->host, L"127.0.0.1");
    EXPECT_EQ(a->path, L"update/ConfigZuva.htm?x=1");

    // The port field holds 16 bits; digits stop at the first non-digit.
    EXPECT_EQ(SplitHttpAddress(L"http://h:65617/")->port, 81);
    EXPECT_EQ(SplitHttpAddress(L"http://h:80x/")->port, 80);
    EXPECT_EQ(SplitHttpAddress(L"http://h:/")->port, 0);
    // The scheme is skipped by position, whatever it says.
    EXPECT_EQ(SplitHttpAddress(L"ftp://ahost/x")->host, L"host");
}

TEST(HttpAddress, OverlongPartsAreRefusedNotCut) {
    EXPECT_TRUE(SplitHttpAddress(L"http://" + std::wstring(259, L'h') + L"/" + std::wstring(511, L'p')));
    EXPECT_FALSE(SplitHttpAddress(L"http://" + std::wstring(260, L'h') + L"/x"));
    EXPECT_FALSE(SplitHttpAddress(L"http://h/" + std::wstring(512, L'p')));
}

TEST(HttpAddress, PingSchemeCheck) {
    EXPECT_TRUE(HasHttpScheme(L"HTTP://host/x"));
    EXPECT_TRUE(HasHttpScheme(L"http://host"));
    EXPECT_FALSE(HasHttpScheme(L"ftp://host/x"));
    EXPECT_FALSE(HasHttpScheme(L"HTTPX://host"));
    EXPECT_FALSE(HasHttpScheme(L"http:/"));
}

TEST(PortalHost, GenuinePortalAddressesPass) {
    const auto domains = SplitDomainList(L"korvel.example;korvelgame.example;kvgame.example");
    ASSERT_EQ(domains.size(), 3u);
    EXPECT_TRUE(IsPortalHost(L"http://korvel.example/new.exe", domains));
    EXPECT_TRUE(IsPortalHost(L"http://dl.korvel.example/update/Zuva.exe", domains));
    EXPECT_TRUE(IsPortalHost(L"HTTP://CDN.KvGame.Example:8080/x.jpg", domains));
    EXPECT_TRUE(IsPortalHost(L"http://a.b.korvelgame.example", domains));
}

TEST(PortalHost, HostileAddressesFail) {
    const auto domains = SplitDomainList(L"korvel.example;korvelgame.example;kvgame.example");
    for (const wchar_t* address : {
             L"http://evil.example/x?korvel.example",        // domain in the query
             L"http://evil.example/korvel.example/new.exe",  // in the path
             L"http://korvel.example.evil.example/x",        // as a prefix of another host
             L"http://evilkorvel.example/x",                  // no dot before the domain
             L"http://korvel.example@evil.example/x",         // user part
             L"http://evil.example#.korvel.example/x",        // fragment in the host field
             L"http://evil.example\\.korvel.example/x",       // backslash
             L"https://korvel.example/x",                      // not the scheme we split
             L"korvel.example/x",
             L"http://",
             L"",
         })
        EXPECT_FALSE(IsPortalHost(address, domains)) << address;
    EXPECT_FALSE(IsPortalHost(L"http://korvel.example/x", {}));
}

// The game a login hands over: a portal page over http or https, nothing else.
TEST(PortalHost, AGameAddressIsAPortalPageOverHttpOrHttps) {
    const auto domains = SplitDomainList(L"korvel.example;korvelgame.example;kvgame.example");
    EXPECT_TRUE(IsPortalPageAddress(L"http://s12.korvelgame.example/game.htm?x=1", domains));
    EXPECT_TRUE(IsPortalPageAddress(L"HTTPS://s12.KorvelGame.example:8443/game.htm", domains));
    for (const wchar_t* address : {
             L"file:///C:/Windows/win.ini",
             L"\\\\evil.example\\share\\game.htm",
             L"ftp://korvel.example/game.htm",
             L"javascript:alert(1)",
             L"https://korvel.example.evil.example/x",
             L"https://korvel.example@evil.example/x",
             L"https://",
             L"httpsx://korvel.example/",
         })
        EXPECT_FALSE(IsPortalPageAddress(address, domains)) << address;
}

TEST(HttpAnswer, OnlySuccessWithALengthIsTaken) {
    EXPECT_TRUE(IsAcceptedAnswer(200, true));
    EXPECT_TRUE(IsAcceptedAnswer(206, true));
    EXPECT_FALSE(IsAcceptedAnswer(200, false)) << "chunked: no Content-Length";
    for (int status : {0, 199, 301, 304, 404, 500, 503})
        EXPECT_FALSE(IsAcceptedAnswer(status, true)) << status;
    EXPECT_EQ(ParseStatusCode(L"404"), 404);
    EXPECT_EQ(ParseStatusCode(L""), 0);
}

TEST(HttpAnswer, PercentNeverWrapsOrPassesAHundred) {
    EXPECT_EQ(DownloadPercent(0, 100000), 0u);
    EXPECT_EQ(DownloadPercent(512, 100000), 0u);
    EXPECT_EQ(DownloadPercent(50000, 100000), 50u);
    EXPECT_EQ(DownloadPercent(100000, 100000), 100u);
    EXPECT_EQ(DownloadPercent(60000000, 100000000), 60u) << "above 42 MB 32 bits would wrap";
    EXPECT_EQ(DownloadPercent(120, 100), 100u);
    EXPECT_EQ(DownloadPercent(5, 0), 0u);
}

// The whole exchange is bounded, however the host spends it.
TEST(ExchangePace, ADeadlineEndsEvenAnExchangeThatKeepsTrickling) {
    ExchangePace pace(ExchangeLimit{10000, 0, 0}, 5000);
    for (uint64_t t = 5000; t < 15000; t += 1000) {
        pace.Received(t, t);  // bytes keep coming, fast enough for any read time-out
        EXPECT_FALSE(pace.ShouldStop(t)) << t;
    }
    EXPECT_TRUE(pace.ShouldStop(15000));
}

TEST(ExchangePace, ADownloadGoesOnWhileItsWindowBringsTheLeastRate) {
    const ExchangeLimit limit{0, 1024, 30000};
    {
        SCOPED_TRACE("a byte every 29 s: never quiet long enough for a read time-out");
        ExchangePace pace(limit, 0);
        uint64_t t = 0, total = 0;
        for (; t < 30000; t += 29000) pace.Received(t, ++total);
        EXPECT_FALSE(pace.ShouldStop(29999)) << "a whole window is given first";
        EXPECT_TRUE(pace.ShouldStop(30000));
    }
    {
        SCOPED_TRACE("steady at 1.5 KB/s for ten minutes, then silence");
        ExchangePace pace(limit, 0);
        uint64_t t = 0;
        for (; t <= 600000; t += 500) {
            pace.Received(t, t * 3 / 2);
            ASSERT_FALSE(pace.ShouldStop(t)) << t;
        }
        // What the last window brought counts, not the ten minutes before it.
        EXPECT_FALSE(pace.ShouldStop(605000));
        EXPECT_TRUE(pace.ShouldStop(620000));
    }
    {
        SCOPED_TRACE("nothing at all, not even the answer's head");
        ExchangePace pace(limit, 1000);
        EXPECT_FALSE(pace.ShouldStop(30999));
        EXPECT_TRUE(pace.ShouldStop(31000));
    }
}

TEST(Counters, CountOnFromWhatIsStored) {
    EXPECT_EQ(NextCounterValue(L"0"), 1u);
    EXPECT_EQ(NextCounterValue(L"abc"), 1u);
    EXPECT_EQ(NextCounterValue(L"41"), 42u);
    EXPECT_EQ(NextCounterValue(L"4294967295"), 2147483648u);
    EXPECT_EQ(NextCounterValue(L"2147483648"), 2147483648u) << "and stays there";
    EXPECT_EQ(NextCounterValue(L" 7x"), 8u);
}

TEST(RestDays, BytesNameTheDaysOfRest) {
    EXPECT_FALSE(IsRestDay(0, 0)) << "0: every day may check";
    const uint32_t sunWedFri = 0 | (3u << 8) | (5u << 16);
    for (int day = 0; day < 7; ++day) EXPECT_EQ(IsRestDay(sunWedFri, day), day == 0 || day == 3 || day == 5) << day;
}

TEST(RestDays, ComputedFromTheGeneratorAndTheMillisecond) {
    CrtRandom random;
    const int r1 = random.Next();
    const int r2 = random.Next();
    EXPECT_EQ(r1, 41);
    EXPECT_EQ(r2, 18467);
    EXPECT_EQ(ComputeRestDays(r1, r2, 500), 5u | (0u << 8) | (3u << 16));
    EXPECT_EQ(ComputeRestDays(r1, r2, 3), 5u | (3u << 8) | (2u << 16));
    for (unsigned m = 0; m < 1000; ++m) {
        const uint32_t v = ComputeRestDays(r1, r2, m);
        EXPECT_EQ(v >> 24, 0u);
        EXPECT_LT(v & 0xFF, 7u);
        EXPECT_NE(v & 0xFF, (v >> 8) & 0xFF) << "D2 never equals D1";
        EXPECT_NE((v >> 16) & 0xFF, (v >> 8) & 0xFF) << "D3 never equals D1";
    }
}

TEST(UpdateDue, NotOnTheDayOfTheLastUpdateNorOnARestDay) {
    const Date today{2026, 12, 8};
    EXPECT_FALSE(IsUpdateCheckDueOn(Date{2026, 12, 8}, 0, today, 2));
    EXPECT_TRUE(IsUpdateCheckDueOn(Date{2026, 12, 7}, 0, today, 2));
    EXPECT_TRUE(IsUpdateCheckDueOn(Date{}, 0, today, 2)) << "never updated";
    const uint32_t tueThuSat = 2 | (4u << 8) | (6u << 16);
    EXPECT_FALSE(IsUpdateCheckDueOn(Date{}, tueThuSat, today, 2));
    EXPECT_TRUE(IsUpdateCheckDueOn(Date{}, tueThuSat, Date{2026, 12, 7}, 1));
}

TEST(VersionKey, DigestEndsInTheVersionDigits) {
    EXPECT_EQ(VersionDigits(kProgramVersion), L"3001");
    EXPECT_EQ(LocalVersionKey(L"0123456789abcdef0123456789abcdef", L"3001"), L"0123456789abcdef0123456789ab3001");
    EXPECT_EQ(LocalVersionKey(L"0123", L"3001"), L"") << "no shorter key is ever built";
    const std::wstring local = L"0123456789abcdef0123456789ab3001";
    EXPECT_FALSE(IsDifferentBuild(L"0123456789ABCDEF0123456789AB3001", local));
    EXPECT_TRUE(IsDifferentBuild(L"0123456789abcdef0123456789ab3002", local));
    EXPECT_TRUE(IsDifferentBuild(L"0123456789abcdef0123456789ab300", local)) << "another length: always an update";
}

TEST(VersionKey, APublishedKeyNamesTheDownloadByItsFirst28Digits) {
    const std::wstring md5 = L"0123456789abcdef0123456789abcdef";
    // What the build itself will compute after the swap, in any case.
    EXPECT_TRUE(IsBuildOfKey(md5, L"0123456789ABCDEF0123456789AB3001"));
    EXPECT_TRUE(IsBuildOfKey(md5, L"0123456789abcdef0123456789abzzzz")) << "the last four are not the digest";
    EXPECT_FALSE(IsBuildOfKey(md5, L"0123456789abcdef0123456789ac3001")) << "the 28th digit differs";
    EXPECT_FALSE(IsBuildOfKey(L"ffff456789abcdef0123456789abcdef", L"0123456789abcdef0123456789ab3001"));
    // Keys that name no build: nothing downloaded can ever match them.
    for (const wchar_t* key : {L"", L"0123456789abcdef0123456789ab300", L"0123456789abcdef0123456789ab30011",
                               L"0123456789abcdeg0123456789ab3001", L"0123456789abcdef 123456789ab3001"}) {
        EXPECT_EQ(KeyDigestPrefix(key), L"") << key;
        EXPECT_FALSE(IsBuildOfKey(md5, key)) << key;
    }
    EXPECT_FALSE(IsBuildOfKey(L"", L"")) << "no digest of the download: no match";
}

TEST(PendingRenames, OnlyTheDeletionsOfThePathGo) {
    using namespace std::string_literals;
    const std::wstring old = L"C:\\ProgramData\\Korvel\\GameLogin\\OldZuva.exe";
    // Deletions leave empty strings inside the list: it is read by pairs.
    const std::wstring list = L"\\??\\C:\\x.tmp\0\0"s
                              L"\\??\\c:\\programdata\\korvel\\gamelogin\\OLDZUVA.EXE\0\0"s
                              L"\\??\\C:\\a.dll\0!\\??\\C:\\b.dll\0"s
                              L"\\??\\C:\\ProgramData\\Korvel\\GameLogin\\OldZuva.exe\0\0\0"s;
    EXPECT_EQ(WithoutPendingDeletionOf(list, old),
              L"\\??\\C:\\x.tmp\0\0\\??\\C:\\a.dll\0!\\??\\C:\\b.dll\0\0"s);
    // A rename of the path elsewhere is no deletion of it, and stays.
    const std::wstring renamed = L"\\??\\"s + old + L"\0\\??\\C:\\elsewhere.exe\0\0"s;
    EXPECT_EQ(WithoutPendingDeletionOf(renamed, old), renamed);
    EXPECT_EQ(WithoutPendingDeletionOf(L"\\??\\"s + old + L"\0\0\0"s, old), L"");
}
