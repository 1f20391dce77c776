#include "GameLogin.h"

#include <windows.h>

#include <string>

#include "PortalClient.h"

namespace wintest {

std::wstring QueryEncode(const std::wstring& text) {
    const int size = static_cast<int>(text.size());
    const int bytes = ::WideCharToMultiByte(CP_UTF8, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<size_t>(bytes > 0 ? bytes : 0), '\0');
    if (bytes > 0) ::WideCharToMultiByte(CP_UTF8, 0, text.data(), size, &utf8[0], bytes, nullptr, nullptr);
    std::wstring out;
    const wchar_t hex[] = L"0123456789ABCDEF";
    for (unsigned char c : utf8) {
        if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '_' ||
            c == '.') {
            out += static_cast<wchar_t>(c);
        } else {
            out += L'%';
            out += hex[c >> 4];
            out += hex[c & 15];
        }
    }
    return out;
}

bool LogInToGame(LauncherInstance& app, const std::wstring& gamePath) {
    // The caption of account "lucky" on server S12, as the portal's login page gives it.
    const std::wstring script =
        L"title 登录\n"
        L"element mine td x=64 y=80 w=400 h=34 bg=#dfe8f3 text=\"lucky · S12服\" "
        L"href=\"app://loadgame?S12%E6%9C%8D-%E5%8F%8C%E7%BA%BF%E3%80%8B%E9%9D%92%E9%BE%99-lucky|" +
        PortalUrl(gamePath) + L"\"\n";
    PortalAnswer(L"/yxzuva/", L"body=" + QueryEncode(script));
    HWND login = app.NextLogin();
    if (!login || !SendPageCommand(login, L"click mine") || !app.WaitForPages(1)) return false;
    HWND frame = PageFrames(app.main)[0];
    return WaitUntil([&] { return ::IsWindowVisible(frame) != FALSE; }, 15000);
}

}  // namespace wintest
