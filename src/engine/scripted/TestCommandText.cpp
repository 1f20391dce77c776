#include "engine/scripted/TestCommandText.h"

#include <cstdint>
#include <cstring>

namespace scripted {

namespace {

struct VerbName {
    const wchar_t* name;
    TestVerb verb;
    bool takesArgument;
};

constexpr VerbName kVerbs[] = {
    {L"over", TestVerb::Over, true},         {L"out", TestVerb::Out, true},
    {L"down", TestVerb::Down, true},         {L"up", TestVerb::Up, true},
    {L"move", TestVerb::Move, true},         {L"context", TestVerb::Context, true},
    {L"click", TestVerb::Click, true},       {L"navigate", TestVerb::Navigate, true},
    {L"picture", TestVerb::Picture, true},   {L"fault", TestVerb::Fault, false},
    {L"focused", TestVerb::Focused, true},   {L"field", TestVerb::Field, true},
};

bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t' || c == L'\r' || c == L'\n'; }

}  // namespace

std::wstring CommandTextFromPayload(const void* data, size_t bytes) {
    std::wstring text;
    if (!data) return text;
    const auto* p = static_cast<const unsigned char*>(data);
    for (size_t i = 0; i + 1 < bytes; i += 2) {
        uint16_t unit = 0;
        std::memcpy(&unit, p + i, sizeof(unit));  // the payload need not be aligned
        if (unit == 0) break;
        text += static_cast<wchar_t>(unit);
    }
    return text;
}

std::optional<TestCommand> ParseTestCommand(std::wstring_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    size_t end = 0;
    while (end < text.size() && !IsBlank(text[end])) ++end;
    const std::wstring_view verb = text.substr(0, end);
    std::wstring_view argument = text.substr(end);
    while (!argument.empty() && IsBlank(argument.front())) argument.remove_prefix(1);
    for (const VerbName& known : kVerbs) {
        if (verb != known.name) continue;
        if (argument.empty() == known.takesArgument) return std::nullopt;
        return TestCommand{known.verb, std::wstring(argument)};
    }
    return std::nullopt;
}

}  // namespace scripted
