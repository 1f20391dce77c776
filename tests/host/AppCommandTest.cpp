#include "login/AppCommand.h"

#include <gtest/gtest.h>

#include "base/Utf8Text.h"

TEST(AppCommand, LoadGameSplitsAtTheFirstBarAfterTheText) {
    const AppCommand c = ParseAppCommand(L"app://loadgame?S12服-双线》青龙-lucky|http://g.korvel.example/play?a|b");
    EXPECT_EQ(c.kind, AppCommandKind::LoadGame);
    EXPECT_EQ(c.loginText, L"S12服-双线》青龙-lucky");
    EXPECT_EQ(c.gameUrl, L"http://g.korvel.example/play?a|b");
}

TEST(AppCommand, CommandsAreReadByPositionAndCase) {
    EXPECT_EQ(ParseAppCommand(L"app://exitgame").kind, AppCommandKind::ExitGame);
    EXPECT_EQ(ParseAppCommand(L"app:xxminimize").kind, AppCommandKind::Minimize) << "4 and 5 are not examined";
    EXPECT_EQ(ParseAppCommand(L"app://LoadGame?x|y").kind, AppCommandKind::Unknown) << "cancelled, does nothing";
    EXPECT_EQ(ParseAppCommand(L"APP://loadgame?x|y").kind, AppCommandKind::NotACommand);
    EXPECT_EQ(ParseAppCommand(L"app://").kind, AppCommandKind::Unknown);
    EXPECT_EQ(ParseAppCommand(L"app://loadgam").kind, AppCommandKind::Unknown);
    EXPECT_EQ(ParseAppCommand(L"http://x/app://loadgame").kind, AppCommandKind::NotACommand);
}

TEST(AppCommand, LoadGameWithoutABarHasNoTextAndNoAddress) {
    AppCommand c = ParseAppCommand(L"app://loadgame?S12服-青龙-lucky");
    EXPECT_EQ(c.kind, AppCommandKind::LoadGame);
    EXPECT_EQ(c.loginText, L"");
    EXPECT_EQ(c.gameUrl, L"");
    c = ParseAppCommand(L"app://loadgame");
    EXPECT_EQ(c.loginText, L"");
    // A bar before position 15 does not count.
    c = ParseAppCommand(L"app://loadgame|x");
    EXPECT_EQ(c.gameUrl, L"");
    c = ParseAppCommand(L"app://loadgame?|http://g/");
    EXPECT_EQ(c.loginText, L"");
    EXPECT_EQ(c.gameUrl, L"http://g/");
}

TEST(LoginCaption, ServerMiddleAndAccount) {
    LoginCaption c = BuildLoginCaption(L"S12服-双线》青龙-lucky");
    EXPECT_EQ(c.server, L"12");
    EXPECT_EQ(c.middle, L"青龙");
    EXPECT_EQ(c.account, L"lucky");
    EXPECT_EQ(c.caption, L"12服-青龙-lucky");

    c = BuildLoginCaption(L"S3服-电信一区-my-long-name");
    EXPECT_EQ(c.caption, L"3服-电信一区-my-long-name") << "dashes stay in the account";
    c = BuildLoginCaption(L"SS1S服-a》bcdefg-x");
    EXPECT_EQ(c.server, L"1");
    EXPECT_EQ(c.middle, L"bcde") << "four characters after the mark";
    c = BuildLoginCaption(L"s7服--acc");
    EXPECT_EQ(c.server, L"s7") << "only capital S goes";
    EXPECT_EQ(c.middle, L"");
    EXPECT_EQ(c.account, L"acc");
}

TEST(LoginCaption, TextsWithoutTheMarkersStillMakeACaption) {
    LoginCaption c = BuildLoginCaption(L"lucky");
    EXPECT_EQ(c.server, L"");
    EXPECT_EQ(c.account, L"lucky");
    EXPECT_EQ(c.caption, L"服--lucky");
    c = BuildLoginCaption(L"ab-cd");
    EXPECT_EQ(c.middle, L"b") << "the middle search starts at 1 without the server mark";
    EXPECT_EQ(c.account, L"cd");
    c = BuildLoginCaption(L"");
    EXPECT_EQ(c.caption, L"服--");
    c = BuildLoginCaption(L"S12服-");
    EXPECT_EQ(c.account, L"S12服-");
}

TEST(LoginText, PercentEncodedUtf8Decodes) {
    const std::string bytes = PercentDecode("S12%E6%9C%8D-%E5%8F%8C%E7%BA%BF%E3%80%8B%E9%9D%92%E9%BE%99-lucky");
    EXPECT_EQ(text::DecodeUtf8(bytes), L"S12服-双线》青龙-lucky");
    EXPECT_EQ(PercentDecode("100%"), "100%");
    EXPECT_EQ(PercentDecode("%zz%4"), "%zz%4");
    EXPECT_EQ(PercentDecode("a+b%20c"), "a+b c") << "plus signs are not blanks here";
    EXPECT_EQ(text::DecodeUtf8("\xE6\x9C"), std::wstring(L"\xFFFD\xFFFD")) << "a cut sequence";
    EXPECT_EQ(text::DecodeUtf8("\xC0\xAF"), std::wstring(L"\xFFFD\xFFFD")) << "an overlong form";
    const std::string longText(5000, 'a');
    EXPECT_EQ(text::DecodeUtf8(PercentDecode(longText)).size(), 5000u) << "no buffer limit to overflow";
}

TEST(LoginText, RefusalMessage) {
    EXPECT_EQ(DuplicateLoginMessage(L"lucky", L"12"), L"账号 lucky 已在 12服 登录，同一账号不能在一服重复登录");
}
