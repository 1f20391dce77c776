// Fuzz target: the login page's "app:" addresses, from the raw address to the
// tab caption, as a page could send them.
#include <cstddef>
#include <cstdint>
#include <string>

#include "base/Utf8Text.h"
#include "login/AppCommand.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    // The address as the browser hands it over (UTF-16 from whatever the page had).
    const std::wstring address = text::DecodeUtf8(bytes);
    const AppCommand command = ParseAppCommand(address);
    if (command.kind == AppCommandKind::LoadGame) {
        // The login text goes through the ANSI form byte for byte; here the
        // low byte of each character stands in for it.
        std::string ansi;
        for (wchar_t c : command.loginText) ansi.push_back(static_cast<char>(c & 0xFF));
        const LoginCaption caption = BuildLoginCaption(text::DecodeUtf8(PercentDecode(ansi)));
        (void)DuplicateLoginMessage(caption.account, caption.server);
    }
    (void)BuildLoginCaption(address);
    return 0;
}
