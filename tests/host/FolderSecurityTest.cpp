#include "app/FolderSecurityRules.h"
#include "base/AdminOnlyDescriptor.h"

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

TEST(FolderSecurity, TheDataFolderIsTheAdministratorsAndOnlyReadableByUsers) {
    const auto parsed = ParseSddl(kDataFolderSddl);
    ASSERT_TRUE(parsed);
    EXPECT_EQ(parsed->owner, L"S-1-5-32-544");
    EXPECT_TRUE(parsed->daclProtected) << "nothing inherited from the common folder above";
    // Its files and folders take it; users may read and run, nothing more.
    std::vector<std::tuple<wchar_t, std::wstring, uint32_t, std::wstring>> entries;
    for (const AccessEntry& e : parsed->dacl) entries.emplace_back(e.type, e.flags, e.rights, e.sid);
    EXPECT_EQ(entries, (decltype(entries){{L'A', L"OICI", 0x1F01FF, L"S-1-5-18"},
                                          {L'A', L"OICI", 0x1F01FF, L"S-1-5-32-544"},
                                          {L'A', L"OICI", 0x1200A9, L"S-1-5-32-545"}}));
}

// Wine keeps no DACL on a file: what the dump and the uninstall script are
// created with is read back here.
TEST(FolderSecurity, OnlyTheSystemAndAdministratorsMayOpenAnAdminOnlyFile) {
    const auto parsed = ParseSddl(kAdminOnlySddl);
    ASSERT_TRUE(parsed);
    EXPECT_TRUE(parsed->daclProtected) << "nothing comes from the folder";
    std::vector<std::tuple<wchar_t, uint32_t, std::wstring>> entries;
    for (const AccessEntry& e : parsed->dacl) entries.emplace_back(e.type, e.rights, e.sid);
    EXPECT_EQ(entries, (decltype(entries){{L'A', 0x1F01FF, L"S-1-5-18"}, {L'A', 0x1F01FF, L"S-1-5-32-544"}}));
}

TEST(FolderSecurity, OnlyTheDataFoldersOwnDescriptorCountsAsSecured) {
    const struct {
        const wchar_t* sddl;
        bool secured;
    } cases[] = {
        // As the system may write it back: numeric SIDs, another order, flags reordered.
        {L"O:S-1-5-32-544D:PAI(A;CIOI;0x1200a9;;;S-1-5-32-545)(A;OICI;FA;;;S-1-5-18)(A;OICI;0x1f01ff;;;BA)", true},
        {L"O:BAD:AI(A;OICI;FA;;;SY)(A;OICI;FA;;;BA)(A;OICI;0x1200a9;;;BU)", false},  // inherits from above
        {L"O:S-1-5-21-1-2-3-1001D:PAI(A;OICI;FA;;;SY)(A;OICI;FA;;;BA)(A;OICI;0x1200a9;;;BU)", false},  // a user owns it
        {L"O:BAD:PAI(A;OICI;FA;;;SY)(A;OICI;FA;;;BA)(A;OICI;FA;;;BU)", false},  // users may write
        {L"O:BAD:PAI(A;OICI;FA;;;SY)(A;OICI;FA;;;BA)(A;OICI;0x1200a9;;;BU)(A;;FA;;;WD)", false},
        {L"O:BAD:PAI(A;OICIID;FA;;;SY)(A;OICI;FA;;;BA)(A;OICI;0x1200a9;;;BU)", false},
        // What Wine makes up for any file.
        {L"O:S-1-5-21-0-0-0-1000D:(A;;FA;;;SY)(A;;FA;;;S-1-5-21-0-0-0-1000)(A;;FR;;;WD)", false},
    };
    for (const auto& c : cases) {
        const auto parsed = ParseSddl(c.sddl);
        ASSERT_TRUE(parsed) << c.sddl;
        EXPECT_EQ(IsDataFolderSecurity(*parsed), c.secured) << c.sddl;
    }
    for (const wchar_t* unread : {L"O:BAD:PAI(A;OICI;FA;;;SY)S:(AU;SA;FA;;;WD)", L"O:XXD:P", L"D:(OA;;CR;guid;;SY)",
                                  L"D:(A;;FA;;;SY", L"O:S-1-", L"D:(A;OICI;0x123456789;;;SY)"})
        EXPECT_FALSE(ParseSddl(unread)) << unread;
}

TEST(FolderSecurity, TheFolderAboveIsChangedOnlyWhenSomeoneElseCouldReplaceTheDataFolder) {
    const struct {
        const wchar_t* sddl;
        bool safe;
    } cases[] = {
        // As an elevated program leaves it under the common folder: users may create, not delete.
        {L"O:BAD:AI(A;OICIID;FA;;;SY)(A;OICIID;FA;;;BA)(A;OICIIOID;GA;;;CO)(A;OICIID;0x1200a9;;;BU)"
         L"(A;CIID;0x100116;;;BU)",
         true},
        {kDataFolderSddl, true},
        {L"O:S-1-5-21-1-2-3-1001D:AI(A;OICIID;FA;;;SY)(A;OICIID;FA;;;BA)", false},  // a user made it
        {L"O:BAD:AI(A;OICIID;FA;;;SY)(A;ID;FA;;;S-1-5-21-1-2-3-1001)", false},  // a user may delete inside
        {L"O:BAD:(A;;0x40;;;BU)", false},                                       // users may delete inside
        {L"O:BAD:(A;;WD;;;WD)", false},                                         // anyone may change its DACL
    };
    for (const auto& c : cases) {
        const auto parsed = ParseSddl(c.sddl);
        ASSERT_TRUE(parsed) << c.sddl;
        EXPECT_EQ(IsSafeAboveDataFolder(*parsed), c.safe) << c.sddl;
    }
}
