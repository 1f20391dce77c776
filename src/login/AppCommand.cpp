#include "login/AppCommand.h"

namespace {
constexpr size_t kCommandAt = 6;
constexpr size_t kCommandLength = 8;
constexpr size_t kTextAt = 15;

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}
}  // namespace

AppCommand ParseAppCommand(const std::wstring& a) {
    AppCommand cmd;
    if (a.compare(0, 4, L"app:") != 0) return cmd;
    const std::wstring word = a.size() > kCommandAt ? a.substr(kCommandAt, kCommandLength) : std::wstring();
    if (word == L"loadgame") {
        cmd.kind = AppCommandKind::LoadGame;
        if (a.size() > kTextAt) {
            const size_t bar = a.find(L'|', kTextAt);
            if (bar != std::wstring::npos) {
                cmd.gameUrl = a.substr(bar + 1);
                cmd.loginText = a.substr(kTextAt, bar - kTextAt);
            }
        }
    } else if (word == L"exitgame") {
        cmd.kind = AppCommandKind::ExitGame;
    } else if (word == L"minimize") {
        cmd.kind = AppCommandKind::Minimize;
    } else {
        cmd.kind = AppCommandKind::Unknown;
    }
    return cmd;
}

LoginCaption BuildLoginCaption(const std::wstring& t) {
    LoginCaption c;
    const size_t k = t.find(L"服-");
    c.server = k == std::wstring::npos ? std::wstring() : t.substr(0, k);
    // Without "服-" the middle search starts at 1, as K = -1 gives M = 1.
    const size_t m = k == std::wstring::npos ? 1 : k + 2;
    const size_t l = m < t.size() ? t.find(L'-', m) : std::wstring::npos;
    if (l != std::wstring::npos && l > m) c.middle = t.substr(m, l - m);
    c.account = l == std::wstring::npos ? t : t.substr(l + 1);

    std::wstring server;
    for (wchar_t ch : c.server)
        if (ch != L'S') server.push_back(ch);
    c.server = server;
    const size_t mark = c.middle.find(L'》');
    if (mark != std::wstring::npos) c.middle = c.middle.substr(mark + 1, 4);
    c.caption = c.server + L"服-" + c.middle + L"-" + c.account;
    return c;
}

std::string PercentDecode(const std::string& bytes) {
    std::string out;
    out.reserve(bytes.size());
    for (size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '%' && i + 2 < bytes.size()) {
            const int hi = HexValue(bytes[i + 1]);
            const int lo = HexValue(bytes[i + 2]);
            if (hi >= 0 && lo >= 0) {
                out.push_back(static_cast<char>(hi * 16 + lo));
                i += 2;
                continue;
            }
        }
        out.push_back(bytes[i]);
    }
    return out;
}

std::wstring DuplicateLoginMessage(const std::wstring& account, const std::wstring& server) {
    return L"账号 " + account + L" 已在 " + server + L"服 登录，同一账号不能在一服重复登录";
}
