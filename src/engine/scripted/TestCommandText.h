#pragma once
// The text side of the scripted engine's test commands (the list is in
// engine/ScriptedCommands.h): what a WM_COPYDATA payload says.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace scripted {

enum class TestVerb { Over, Out, Down, Up, Move, Context, Click, Navigate, Picture, Fault, Focused, Field };

struct TestCommand {
    TestVerb verb;
    // An element id, the address for Navigate, the file for Picture; empty
    // for Fault; for Field the id, a blank and the text asked about.
    std::wstring argument;
};

// The UTF-16 text of a payload of `bytes` bytes, up to its first zero. A
// payload without one is read to its end; an odd last byte is no character.
std::wstring CommandTextFromPayload(const void* data, size_t bytes);

// "verb argument", or "fault" alone; empty when the verb is unknown, or the
// argument missing where one is wanted or given where none is.
std::optional<TestCommand> ParseTestCommand(std::wstring_view text);

}  // namespace scripted
