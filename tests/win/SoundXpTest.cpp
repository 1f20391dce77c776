// Muting on the older systems, end to end: probe processes that Wine tells
// they run on Windows XP silence their own audio data by interception while
// muted, and only their own; on the prefix's default version the mixer path
// runs and the data is left alone.
#include <gtest/gtest.h>

#include <windows.h>

#include <sstream>
#include <string>
#include <vector>

#include "framework/Handles.h"
#include "WinTestSupport.h"

namespace {

const wchar_t kProbeName[] = L"zuva_sound_probe.exe";
const DWORD kProbeLimitMs = 60000;

std::wstring ProbeExe() { return wintest::BuildDir() + L"\\" + kProbeName; }

// A name of this test process's own; `what` tells its uses apart.
std::wstring Unique(const std::wstring& what) {
    return L"zuva-sound-xp-" + std::to_wstring(::GetCurrentProcessId()) + L"-" + what;
}

// The Windows version Wine reports to one program: the Version value of
// HKCU\Software\Wine\AppDefaults\<program>. Put back as it was, key included,
// at the end of the test.
class ProgramVersion {
public:
    // `version` as Wine names it ("winxp"), or null for the prefix's own.
    ProgramVersion(const std::wstring& program, const wchar_t* version)
        : m_cleanup(kAppDefaults + program), m_backup(HKEY_CURRENT_USER, kAppDefaults + program, L"Version") {
        const std::wstring subkey = kAppDefaults + program;
        HKEY key = nullptr;
        if (version) {
            if (::RegCreateKeyExW(HKEY_CURRENT_USER, subkey.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &key,
                                  nullptr) != ERROR_SUCCESS)
                return;
            const fw::RegKey owned(key);
            const std::wstring value(version);
            m_ok = ::RegSetValueExW(key, L"Version", 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                                    static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
            return;
        }
        if (::RegOpenKeyExW(HKEY_CURRENT_USER, subkey.c_str(), 0, KEY_WRITE, &key) != ERROR_SUCCESS) {
            m_ok = true;  // no key, no value
            return;
        }
        const fw::RegKey owned(key);
        const LONG removed = ::RegDeleteValueW(key, L"Version");
        m_ok = removed == ERROR_SUCCESS || removed == ERROR_FILE_NOT_FOUND;
    }
    bool ok() const { return m_ok; }

private:
    static constexpr const wchar_t* kAppDefaults = L"Software\\Wine\\AppDefaults\\";

    // Removes the keys of the chain that the test made (the program's, and
    // AppDefaults itself in a fresh prefix) after the value is put back.
    class KeyCleanup {
    public:
        explicit KeyCleanup(const std::wstring& subkey) {
            for (size_t end = subkey.find(L'\\'); ; end = subkey.find(L'\\', end + 1)) {
                const std::wstring key = subkey.substr(0, end);
                HKEY opened = nullptr;
                const bool exists = ::RegOpenKeyExW(HKEY_CURRENT_USER, key.c_str(), 0, KEY_READ, &opened) == ERROR_SUCCESS;
                const fw::RegKey owned(opened);
                if (!exists) m_missing.push_back(key);
                if (end == std::wstring::npos) break;
            }
        }
        ~KeyCleanup() {
            for (auto key = m_missing.rbegin(); key != m_missing.rend(); ++key)
                ::RegDeleteKeyW(HKEY_CURRENT_USER, key->c_str());
        }
        KeyCleanup(const KeyCleanup&) = delete;
        KeyCleanup& operator=(const KeyCleanup&) = delete;

    private:
        std::vector<std::wstring> m_missing;  // outermost first
    };

    KeyCleanup m_cleanup;  // declared first: runs after the value is back
    wintest::RegistryValueBackup m_backup;
    bool m_ok = false;
};

// A probe process with its own standard output file, ended if still running
// and the file removed on destruction.
class ProbeRun {
public:
    // `name` tells the probes of one test apart.
    ProbeRun(const wchar_t* name, const std::wstring& steps) {
        m_output = wintest::TempFolder() + Unique(name) + L".txt";
        fw::FileHandle output(::CreateFileW(m_output.c_str(), GENERIC_WRITE,
                                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                            CREATE_ALWAYS, 0, nullptr));
        if (!output) return;
        // Inheritable only while this probe is started, so that a probe
        // started later does not hold this one's file open.
        ::SetHandleInformation(output.get(), HANDLE_FLAG_INHERIT, HANDLE_FLAG_INHERIT);
        std::wstring line = L"\"" + ProbeExe() + L"\" " + steps;
        std::vector<wchar_t> buffer(line.begin(), line.end());
        buffer.push_back(L'\0');
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdOutput = output.get();
        startup.hStdError = output.get();
        PROCESS_INFORMATION info{};
        if (::CreateProcessW(nullptr, buffer.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &info)) {
            ::CloseHandle(info.hThread);
            m_process.reset(info.hProcess);
        }
        ::SetHandleInformation(output.get(), HANDLE_FLAG_INHERIT, 0);
    }
    ~ProbeRun() {
        if (m_process && ::WaitForSingleObject(m_process.get(), 0) == WAIT_TIMEOUT) {
            ::TerminateProcess(m_process.get(), 99);
            ::WaitForSingleObject(m_process.get(), 5000);
        }
        ::DeleteFileW(m_output.c_str());
    }
    ProbeRun(const ProbeRun&) = delete;
    ProbeRun& operator=(const ProbeRun&) = delete;

    bool started() const { return static_cast<bool>(m_process); }
    // Waits for the end; false when the probe is still running.
    bool Finish() {
        if (!m_process || ::WaitForSingleObject(m_process.get(), kProbeLimitMs) != WAIT_OBJECT_0) return false;
        ::GetExitCodeProcess(m_process.get(), &m_exitCode);
        std::istringstream text(wintest::ReadFileBytes(m_output));
        for (std::string line; std::getline(text, line);) {
            if (!line.empty() && line.back() == '\r') line.pop_back();
            m_lines.push_back(line);
        }
        return true;
    }
    DWORD exitCode() const { return m_exitCode; }
    // The lines it printed that start with `head`.
    std::vector<std::string> Lines(const std::string& head) const {
        std::vector<std::string> found;
        for (const std::string& line : m_lines)
            if (line.compare(0, head.size(), head) == 0) found.push_back(line);
        return found;
    }
    // Everything it printed, for failure messages.
    std::string Output() const {
        std::string all;
        for (const std::string& line : m_lines) all += line + "\n";
        return all;
    }

private:
    std::wstring m_output;
    fw::KernelHandle m_process;
    DWORD m_exitCode = 0;
    std::vector<std::string> m_lines;
};

// An event the probes meet on, held open by the test so that a probe that has
// ended does not take it away from one still waiting.
class MeetingPoint {
public:
    explicit MeetingPoint(const wchar_t* what)
        : m_name(Unique(what)), m_event(::CreateEventW(nullptr, TRUE, FALSE, m_name.c_str())) {}
    bool ok() const { return static_cast<bool>(m_event); }
    std::wstring Signal() const { return L"signal:" + m_name; }
    std::wstring Wait() const { return L"wait:" + m_name; }

private:
    std::wstring m_name;
    fw::KernelHandle m_event;
};

const std::string kZeroed = "play wave=zeroed midi=zeroed dsound=zeroed";
const std::string kUntouched = "play wave=untouched midi=untouched dsound=untouched";

}  // namespace

TEST(SoundXp, AMutedProcessZeroesItsOwnAudioDataAndNotThatOfAProcessBesideIt) {
    ProgramVersion xp(kProbeName, L"winxp");
    ASSERT_TRUE(xp.ok());
    const MeetingPoint muted(L"muted-event"), played(L"played-event");
    ASSERT_TRUE(muted.ok() && played.ok());

    // The muted probe stays muted until the other has written its data, so
    // both write while one of them is muted; then it unmutes and mutes again.
    ProbeRun mutedProbe(L"muted", L"mute " + muted.Signal() + L" play " + played.Wait() + L" unmute play mute play");
    // The other installs the interceptors too (ApplyMute(false)), so only
    // the mute flag of its own process tells them apart.
    ProbeRun otherProbe(L"other", L"unmute " + muted.Wait() + L" play " + played.Signal());
    ASSERT_TRUE(mutedProbe.started() && otherProbe.started());
    ASSERT_TRUE(mutedProbe.Finish());
    ASSERT_TRUE(otherProbe.Finish());

    RecordProperty("devices", mutedProbe.Lines("devices ").empty() ? "" : mutedProbe.Lines("devices ")[0]);
    EXPECT_EQ(mutedProbe.exitCode(), 0u) << mutedProbe.Output();
    EXPECT_EQ(otherProbe.exitCode(), 0u) << otherProbe.Output();
    EXPECT_EQ(mutedProbe.Lines("major="), std::vector<std::string>{"major=5"}) << mutedProbe.Output();
    EXPECT_EQ(otherProbe.Lines("major="), std::vector<std::string>{"major=5"}) << otherProbe.Output();
    EXPECT_EQ(mutedProbe.Lines("play "), (std::vector<std::string>{kZeroed, kUntouched, kZeroed}))
        << mutedProbe.Output();
    EXPECT_EQ(otherProbe.Lines("play "), std::vector<std::string>{kUntouched}) << otherProbe.Output();
}

TEST(SoundXp, OnTheDefaultVersionTheMixerPathLeavesTheAudioDataAlone) {
    ProgramVersion own(kProbeName, nullptr);
    ASSERT_TRUE(own.ok());
    ProbeRun probe(L"probe", L"mute play unmute play");
    ASSERT_TRUE(probe.started());
    ASSERT_TRUE(probe.Finish());

    // Muting without a mixer device fails quietly: the probe goes on to the end.
    RecordProperty("devices", probe.Lines("devices ").empty() ? "" : probe.Lines("devices ")[0]);
    EXPECT_EQ(probe.exitCode(), 0u) << probe.Output();
    const std::vector<std::string> major = probe.Lines("major=");
    ASSERT_EQ(major.size(), 1u) << probe.Output();
    EXPECT_GE(std::stoul(major[0].substr(6)), 6ul);
    EXPECT_EQ(probe.Lines("play "), (std::vector<std::string>{kUntouched, kUntouched})) << probe.Output();
}
