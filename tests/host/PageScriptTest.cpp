// The scripted page engine's portable rules: reading page scripts, finding
// the element under the mouse, which page events the mouse raises, test
// command texts, addresses, and what the engine draws.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "base/Utf8Text.h"
#include "engine/scripted/CssColour.h"
#include "engine/scripted/NavigationRules.h"
#include "engine/scripted/PageLook.h"
#include "engine/scripted/PageScript.h"
#include "engine/scripted/PointerModel.h"
#include "engine/scripted/TestCommandText.h"

using namespace scripted;

namespace {
const ElementDef& Element(const PageScript& page, const wchar_t* id) {
    static const ElementDef none;
    const size_t i = page.Find(id);
    return i == PageScript::kNone ? none : page.elements[i];
}
}  // namespace

TEST(PageScript, ReadsEveryKindOfLine) {
    const PageScript page = ParsePageScript(
        "\xEF\xBB\xBF# a comment\r\n"
        "TITLE  游戏大厅  \r\n"
        "background #eef2f7\r"
        "text 第一行\\n第二行\n"
        "   # an indented comment\n"
        "Element panel DIV X=10 y=20 w=300 h=200 bg=#fff class=\"panel  main\"\n"
        "element go a x=20 y=30 w=80 h=24 parent=panel class=button text=\"开始 \\\"游戏\\\"\" href=app://start "
        "disabled\n"
        "element art img x=0 y=0 w=64 h=48 parent=panel bg=navy FADE=#000 src=\"art/s 12.jpg\" size=28 plain\n"
        "onload navigate next.page\n"
        "onunload alert 确定要离开吗？\n");
    EXPECT_EQ(page.title, L"游戏大厅");
    EXPECT_EQ(page.background, 0xEEF2F7u);
    EXPECT_EQ(page.text, std::vector<std::wstring>{L"第一行\n第二行"});
    EXPECT_EQ(page.onloadNavigate, L"next.page");
    EXPECT_EQ(page.onunloadAlert, std::wstring(L"确定要离开吗？"));

    ASSERT_EQ(page.elements.size(), 4u);
    EXPECT_EQ(page.elements[0].id + page.elements[0].tag, L"bodybody");
    const ElementDef& panel = Element(page, L"panel");
    EXPECT_EQ(panel.tag, L"DIV") << "tags keep their spelling";
    EXPECT_EQ(panel.className, L"panel  main") << "the attribute exactly as written";
    EXPECT_EQ((std::vector<int>{panel.x, panel.y, panel.width, panel.height}), (std::vector<int>{10, 20, 300, 200}));
    EXPECT_EQ(panel.background, 0xFFFFFFu);
    EXPECT_EQ(panel.parent, 0u);
    EXPECT_FALSE(panel.disabled);
    const ElementDef& go = Element(page, L"go");
    EXPECT_EQ(go.parent, page.Find(L"panel"));
    EXPECT_EQ(go.text, L"开始 \"游戏\"");
    EXPECT_EQ(go.href, L"app://start");
    EXPECT_TRUE(go.disabled);
    EXPECT_FALSE(go.background);
    EXPECT_FALSE(go.fade);
    EXPECT_TRUE(go.src.empty());
    EXPECT_EQ(go.labelSize, 0) << "the engine's own";
    EXPECT_FALSE(go.plain);
    const ElementDef& art = Element(page, L"art");
    EXPECT_EQ(art.background, 0x000080u);
    EXPECT_EQ(art.fade, 0x000000u);
    EXPECT_EQ(art.src, L"art/s 12.jpg") << "as written, resolved when fetched";
    EXPECT_EQ(art.labelSize, 28);
    EXPECT_TRUE(art.plain);
}

TEST(PageScript, FlawedLinesAreSkippedOrMended) {
    const PageScript page = ParsePageScript(
        "element\n"
        "element lonely\n"
        "element x=1 div\n"
        "element body div x=1\n"
        "element dup div x=1\n"
        "element dup span x=2\n"
        "element n div x=12px y=-5 w=-40 h=abc\n"
        "element big div x=99999999999999999999 w=+7\n"
        "element early div parent=late\n"
        "element late div text=\"never closed x=5\n"
        "element flags div disabled=false bg=transparent plain=0 fade=bluish\n"
        "element tiny div size=3\n"
        "element huge div size=500px\n"
        "element nosize div size=abc src=\n"
        "onload reload now\n"
        "onunload confirm leave?\n"
        "frobnicate everything\n");
    EXPECT_EQ(page.elements.size(), 10u);
    EXPECT_EQ(page.elements[0].tag, L"body") << "the body cannot be redefined";
    EXPECT_EQ(Element(page, L"dup").tag, L"div") << "the first of two ids wins";
    const ElementDef& n = Element(page, L"n");
    EXPECT_EQ((std::vector<int>{n.x, n.y, n.width, n.height}), (std::vector<int>{12, -5, 0, 0}));
    EXPECT_EQ(Element(page, L"big").x, PageScript::kMaxCoordinate);
    EXPECT_EQ(Element(page, L"big").width, 7);
    EXPECT_EQ(Element(page, L"early").parent, 0u) << "only an earlier element can be a parent";
    EXPECT_EQ(Element(page, L"late").text, L"never closed x=5") << "an open quote runs to the end of the line";
    EXPECT_FALSE(Element(page, L"flags").disabled);
    EXPECT_FALSE(Element(page, L"flags").background);
    EXPECT_FALSE(Element(page, L"flags").plain);
    EXPECT_FALSE(Element(page, L"flags").fade);
    EXPECT_EQ(Element(page, L"tiny").labelSize, PageScript::kMinLabelSize);
    EXPECT_EQ(Element(page, L"huge").labelSize, PageScript::kMaxLabelSize);
    EXPECT_EQ(Element(page, L"nosize").labelSize, 0);
    EXPECT_TRUE(Element(page, L"nosize").src.empty());
    EXPECT_TRUE(page.onloadNavigate.empty());
    EXPECT_FALSE(page.onunloadAlert);
}

TEST(PageScript, HostilePagesStayBounded) {
    std::string many;
    for (int i = 0; i < 3000; ++i) many += "element e" + std::to_string(i) + " div w=1 h=1 src=a.png\ntext t\n";
    const PageScript page = ParsePageScript(many);
    EXPECT_EQ(page.elements.size(), PageScript::kMaxElements + 1);
    EXPECT_EQ(page.text.size(), PageScript::kMaxTextLines);
    EXPECT_EQ(page.elements[PageScript::kMaxImages].src, L"a.png");
    EXPECT_TRUE(page.elements[PageScript::kMaxImages + 1].src.empty()) << "no more images than the bound";

    // Random bytes mixed with the format's own words never crash and always
    // leave a body and a sound tree.
    std::mt19937 random(1234);
    const char alphabet[] =
        "element title text onload onunload alert navigate = \" \\ # x=1 \n\r\t\xE6\x9C\x8D\xFF\x80\0";
    for (int round = 0; round < 300; ++round) {
        std::string bytes;
        for (int i = static_cast<int>(random() % 400); i > 0; --i)
            bytes += random() % 4 ? alphabet[random() % (sizeof(alphabet) - 1)] : static_cast<char>(random());
        const PageScript garbage = ParsePageScript(bytes);
        ASSERT_EQ(garbage.elements.at(0).id, L"body");
        for (const ElementDef& e : garbage.elements) ASSERT_LT(e.parent, garbage.elements.size());
    }
}

TEST(PageScript, HitTestFindsTheTopmostElementElseTheBody) {
    const PageScript page = ParsePageScript(
        "element under div x=0 y=0 w=100 h=100\n"
        "element over div x=50 y=50 w=100 h=100\n"
        "element empty div x=10 y=10 w=0 h=50\n");
    EXPECT_EQ(page.HitTest(10, 10), page.Find(L"under"));
    EXPECT_EQ(page.HitTest(60, 60), page.Find(L"over")) << "later elements lie on top";
    EXPECT_EQ(page.HitTest(149, 149), page.Find(L"over"));
    EXPECT_EQ(page.HitTest(150, 60), 0u) << "right edge is outside";
    EXPECT_EQ(page.HitTest(60, 150), 0u) << "bottom edge is outside";
    EXPECT_EQ(page.HitTest(-1, 0), 0u);
}

TEST(PageScript, TextDecodingAndColours) {
    EXPECT_EQ(text::DecodeUtf8("a\xE6\x9C\x8D"), L"a服");
    EXPECT_EQ(text::DecodeUtf8("\xF0\x9F\x98\x80").size(), sizeof(wchar_t) == 2 ? 2u : 1u);
    EXPECT_EQ(text::DecodeUtf8(std::string("x\0y", 3)), L"x\uFFFDy") << "a NUL never cuts the text";
    EXPECT_EQ(text::DecodeUtf8("\x80\xC0\xAF"), L"\uFFFD\uFFFD\uFFFD") << "stray and overlong";
    EXPECT_EQ(text::DecodeUtf8("\xED\xA0\x80"), L"\uFFFD\uFFFD\uFFFD") << "surrogate";
    EXPECT_EQ(text::DecodeUtf8("\xF4\x90\x80\x80"), L"\uFFFD\uFFFD\uFFFD\uFFFD") << "past U+10FFFF";
    EXPECT_EQ(text::DecodeUtf8("ok\xE6\x9C"), L"ok\uFFFD\uFFFD") << "cut off at the end";

    EXPECT_EQ(ParseCssColour(L"#1a2B3c"), 0x1A2B3Cu);
    EXPECT_EQ(ParseCssColour(L"#abc"), 0xAABBCCu);
    EXPECT_EQ(ParseCssColour(L"Orange"), 0xFFA500u);
    EXPECT_EQ(ParseCssColour(L"rgb(1, 2,3)"), 0x010203u);
    for (const wchar_t* bad : {L"", L"#12", L"#12345g", L"rgb(256,0,0)", L"rgb(1,2)", L"rgb(1,2,3,4)", L"bluish"})
        EXPECT_FALSE(ParseCssColour(bad)) << bad;
}

TEST(PointerModel, RealMouseRaisesOverOutMoveAndClicks) {
    PointerModel model;
    auto kinds = [](const std::vector<PointerStep>& steps) {
        std::string s;
        for (const PointerStep& step : steps)
            s += "OoMDUC"[static_cast<int>(step.kind)] + std::to_string(step.element) +
                 (step.clickOnDefault ? "! " : " ");
        return s;
    };
    EXPECT_EQ(kinds(model.Move(0)), "O0 M0 ");
    EXPECT_EQ(kinds(model.Move(0)), "M0 ");
    EXPECT_EQ(kinds(model.Move(2)), "o0 O2 M2 ");
    EXPECT_EQ(kinds(model.LeftDown(2)), "D2 ");
    EXPECT_EQ(kinds(model.LeftUp(2)), "U2! ") << "down and up on one element: a click";
    EXPECT_EQ(kinds(model.LeftUp(2)), "U2 ") << "no press, no click";
    model.LeftDown(2);
    EXPECT_EQ(kinds(model.LeftUp(3)), "o2 O3 U3 ") << "released elsewhere: no click";
    EXPECT_EQ(kinds(model.RightUp(3)), "C3 ");
    EXPECT_TRUE(model.RightUp(3)[0].menuOnDefault);
    EXPECT_EQ(kinds(model.Leave()), "o3 ");
    EXPECT_EQ(kinds(model.Leave()), "");
    EXPECT_EQ(kinds(model.LeftDown(1)), "O1 D1 ") << "a press where the mouse never moved";
    model.Reset();
    EXPECT_EQ(kinds(model.LeftUp(1)), "O1 U1 ") << "a new document forgets the press";

    // Test commands: over always raises, and hands the hover over.
    EXPECT_EQ(kinds(model.ComeOver(1)), "O1 M1 ");
    EXPECT_EQ(kinds(model.ComeOver(5)), "o1 O5 M5 ");
    EXPECT_EQ(kinds(model.MoveOn(7)), "M7 ");
    EXPECT_EQ(model.hovered(), 5u) << "a move command does not move the hover";
}

TEST(TestCommandText, PayloadsAndVerbs) {
    const char16_t text[] = u"over btn\0tail";  // payloads are UTF-16 whatever wchar_t is
    EXPECT_EQ(CommandTextFromPayload(text, sizeof(text)), L"over btn");
    EXPECT_EQ(CommandTextFromPayload(text, 9), L"over") << "an odd byte is no character";
    EXPECT_EQ(CommandTextFromPayload(nullptr, 40), L"");

    const auto nav = ParseTestCommand(L"  navigate http://h/a b \r\n");
    ASSERT_TRUE(nav);
    EXPECT_EQ(nav->verb, TestVerb::Navigate);
    EXPECT_EQ(nav->argument, L"http://h/a b");
    EXPECT_EQ(ParseTestCommand(L"context body")->verb, TestVerb::Context);
    const auto picture = ParseTestCommand(L"picture C:\\users\\my pictures\\page 1.bmp ");
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->verb, TestVerb::Picture);
    EXPECT_EQ(picture->argument, L"C:\\users\\my pictures\\page 1.bmp") << "a path may hold blanks";
    const auto fault = ParseTestCommand(L" fault\r\n");
    ASSERT_TRUE(fault);
    EXPECT_EQ(fault->verb, TestVerb::Fault);
    for (const wchar_t* bad : {L"click", L"hover btn", L"CLICK btn", L"", L"picture", L"fault now"})
        EXPECT_FALSE(ParseTestCommand(bad)) << bad;
}

TEST(NavigationRules, AddressesStatusesAndLinks) {
    EXPECT_EQ(ClassifyAddress(L"HTTP://h/x"), AddressKind::Http);
    EXPECT_EQ(ClassifyAddress(L"About:Blank"), AddressKind::Blank);
    EXPECT_EQ(ClassifyAddress(L"app://loadgame?x"), AddressKind::Unsupported);
    EXPECT_LT(kStatusNotFound, 0) << "failures without a status are negative, as the platform's";
    EXPECT_EQ(StatusForFetchError(12029), kStatusNotFound);
    EXPECT_EQ(DescribeStatus(kStatusNotFound), L"0x800C0005");

    const std::wstring base = L"http://127.0.0.1:47861/pages/lobby.page?s=1#top";
    EXPECT_EQ(ResolveAddress(base, L"app://loadgame?S12|http://x/"), L"app://loadgame?S12|http://x/");
    EXPECT_EQ(ResolveAddress(base, L"game.page"), L"http://127.0.0.1:47861/pages/game.page");
    EXPECT_EQ(ResolveAddress(base, L"/root.page"), L"http://127.0.0.1:47861/root.page");
    EXPECT_EQ(ResolveAddress(base, L"?s=2"), L"http://127.0.0.1:47861/pages/lobby.page?s=2");
    EXPECT_EQ(ResolveAddress(base, L"#end"), L"http://127.0.0.1:47861/pages/lobby.page?s=1#end");
    EXPECT_EQ(ResolveAddress(L"http://h", L"a.page"), L"http://h/a.page");
    EXPECT_EQ(ResolveAddress(L"http://h/dir/x?a=/b", L"y"), L"http://h/dir/y") << "a slash in the query is no folder";

    std::string body = "title a\nelement b div te";
    DropUnfinishedLine(body);
    EXPECT_EQ(body, "title a\n");
}

TEST(PageLook, SpriteFramesAndClasses) {
    EXPECT_EQ(ShownSpriteFrame(0, 80), 0);
    EXPECT_EQ(ShownSpriteFrame(-80, 80), 1);
    EXPECT_EQ(ShownSpriteFrame(-160, 80), 2);
    EXPECT_EQ(ShownSpriteFrame(-100, 80), 1) << "part of frame 1 shows at the left edge";
    EXPECT_EQ(ShownSpriteFrame(10, 80), -1);
    EXPECT_EQ(ShownSpriteFrame(-160, 0), 0);
    EXPECT_TRUE(HasClass(L"  big\tbutton ", L"button"));
    EXPECT_FALSE(HasClass(L"buttons", L"button"));
    EXPECT_FALSE(HasClass(L"Button", L"button")) << "class names are case-sensitive";

    EXPECT_EQ(InkOn(0xFFFFFF), InkOn(0xF0A030)) << "white and amber take dark ink";
    EXPECT_EQ(InkOn(0x000000), InkOn(0x1C2F5E)) << "black and night blue take light ink";
    EXPECT_NE(InkOn(0xFFFFFF), InkOn(0x000000));
    EXPECT_EQ(InkOn(0x00FF00), InkOn(0xFFFFFF)) << "pure green is bright";
    EXPECT_EQ(InkOn(0x0000FF), InkOn(0x000000)) << "pure blue is dark";
    EXPECT_EQ(InkOn(0x808080), InkOn(0x000000)) << "middle grey still takes light ink";
    EXPECT_EQ(InkOn(0x9A9A9A), InkOn(0xFFFFFF));
    EXPECT_EQ(MiddleColour(0x204060, 0x6080A1), 0x406080u);
    EXPECT_EQ(MiddleColour(0xFF00FF, 0xFF00FF), 0xFF00FFu);
}
