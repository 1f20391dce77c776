// Links are only ever made for a launcher that is there.
#include <gtest/gtest.h>

#include "app/ShortcutPaths.h"
#include "app/Shortcuts.h"
#include "InstallStage.h"

using namespace wintest;

TEST(Shortcuts, AMissingTargetGetsNoLinkAndNoFolder) {
    InstallStage stage;
    ASSERT_FALSE(FileExists(stage.StartMenuFolder()));
    const std::wstring missing = TempFolder() + L"no-such-launcher.exe";
    EXPECT_FALSE(CreateDesktopShortcut(missing));
    EXPECT_FALSE(CreateStartMenuShortcut(kGameLinkName, missing, kShortcutSwitch));
    EXPECT_FALSE(CreateDesktopShortcut(TempFolder()));  // a folder is no launcher
    EXPECT_FALSE(CreateStartMenuShortcut(L"", ScriptedExe(), kShortcutSwitch));
    EXPECT_FALSE(FileExists(stage.DesktopLink(kGameLinkName)));
    EXPECT_FALSE(FileExists(stage.StartMenuFolder()));
}
