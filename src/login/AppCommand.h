#pragma once
// The login page's "app:" addresses: which command one carries, and for
// "loadgame" the login text, the game address and the tab caption made from them.
#include <string>

enum class AppCommandKind { NotACommand, LoadGame, ExitGame, Minimize, Unknown };

struct AppCommand {
    AppCommandKind kind = AppCommandKind::NotACommand;
    std::wstring loginText;  // loadgame: characters 15 up to the first "|" at or after 15
    std::wstring gameUrl;    // loadgame: after that "|", to the end
};

// Reads an address by character position: "app:" (exactly) at 0, the
// command's eight characters at 6, the login text from 15.
AppCommand ParseAppCommand(const std::wstring& address);

// The parts of a login text "server服-middle-account".
struct LoginCaption {
    std::wstring server;   // every capital "S" removed
    std::wstring middle;   // after "》" only the next four characters
    std::wstring account;  // may itself contain "-"
    std::wstring caption;  // server + "服-" + middle + "-" + account
};
LoginCaption BuildLoginCaption(const std::wstring& loginText);

// Percent-decoding of bytes ("%E6%9C%8D" to the three bytes); a "%" not
// followed by two hex digits stays as it is.
std::string PercentDecode(const std::string& bytes);

// The refusal shown when the main window already holds the caption.
std::wstring DuplicateLoginMessage(const std::wstring& account, const std::wstring& server);
