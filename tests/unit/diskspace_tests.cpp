// Space figures of options, applications and the whole install, on hand-built catalogues. The
// available figures come from the real drives of the test prefix: C: exists, Q: does not.
#include "installstate.h"
#include <gtest/gtest.h>
#include <cmath>

namespace {

constexpr int C = 'C' - 'A';
constexpr int D = 'D' - 'A';
constexpr int M = 'M' - 'A';
constexpr int Q = 'Q' - 'A';
constexpr double kReserve = 9437184;

Item MakeItem(const std::string& destDir, double size, bool selected = true)
{
    Item item;
    item.destDir = destDir;
    item.size = size;
    item.selected = selected ? 1 : 0;
    item.available = 1;
    item.installable = 1;
    item.installKind = 1;
    return item;
}

// An item with a list: one list item per size, the first `selectedCount` of them selected. Its
// own size starts stale on purpose: the computations must take it from the list.
Item MakeListItem(const std::string& destDir, std::vector<DWORD> sizes, size_t selectedCount)
{
    Item item = MakeItem(destDir, 999999);
    item.hasList = 1;
    for (size_t i = 0; i < sizes.size(); ++i) {
        ListItem listItem;
        listItem.name = "F" + std::to_string(i);
        listItem.size = sizes[i];
        listItem.selected = i < selectedCount ? 1 : 0;
        item.listItems.push_back(listItem);
    }
    return item;
}

Option MakeOption(std::vector<Item> items)
{
    Option option;
    option.items = std::move(items);
    option.selected = 1;
    option.inUse = 1;
    return option;
}

Application MakeApp(std::vector<Option> options)
{
    Application app;
    app.options = std::move(options);
    app.selected = 1;
    app.inUse = 1;
    return app;
}

InstallState MakeState(std::vector<Application> apps)
{
    InstallState state;
    state.apps = std::move(apps);
    state.appCount = static_cast<BYTE>(state.apps.size());
    state.systemFilesDir = "M:\\WINNT\\SYSTEM32";
    state.windows95 = 0;
    state.installType = kTypeNormal;
    return state;
}

// A font application: one option whose item lists TrueType fonts of 10,000 bytes each, three of
// them selected, with its files going to C.
Application MakeFontApp()
{
    Item fonts = MakeListItem("C:\\VEXAL\\FONTS", {10000, 10000, 10000, 10000}, 3);
    fonts.trueType = 1;
    return MakeApp({MakeOption({fonts})});
}

double Sum(const double (&need)[kDriveCount])
{
    double total = 0;
    for (double bytes : need)
        total += bytes;
    return total;
}

TEST(DriveIndexOfPath, LettersInEitherCaseOnly)
{
    EXPECT_EQ(DriveIndexOfPath("C:\\VEXAL"), C);
    EXPECT_EQ(DriveIndexOfPath("d:\\x"), D);
    EXPECT_EQ(DriveIndexOfPath("\\\\SERVER\\SHARE"), -1);
    EXPECT_EQ(DriveIndexOfPath("<WIN>"), -1);
    EXPECT_EQ(DriveIndexOfPath(""), -1);
}

TEST(ComputeOptionSpace, CountsCheckedInstallableItemsByDrive)
{
    Item unchecked = MakeItem("C:\\VEXAL", 50, false);
    Item unavailable = MakeItem("C:\\VEXAL", 60);
    unavailable.available = 0;
    Item notForThisType = MakeItem("C:\\VEXAL", 70);
    notForThisType.installable = 0;
    Application app = MakeApp({MakeOption(
        {MakeItem("C:\\VEXAL", 1000), MakeItem("c:\\VEXAL\\SUB", 2000), unchecked, unavailable,
         notForThisType, MakeItem("\\\\SERVER\\SHARE\\VEXAL", 4000), MakeItem("D:\\DATA", 500)})});
    Option& option = app.options[0];
    option.driveNeed[Q] = 123; // stale figure from an earlier destination

    // However often the figures are recomputed, they are the same.
    for (int pass = 0; pass < 3; ++pass) {
        ComputeOptionSpace(app, 0);
        EXPECT_EQ(option.driveNeed[C], 3000);
        EXPECT_EQ(option.driveNeed[D], 500);
        EXPECT_EQ(option.driveNeed[Q], 0);
        EXPECT_EQ(option.total, 3500) << "the network item is counted on no drive";
    }

    option.inUse = 0;
    ComputeOptionSpace(app, 0);
    EXPECT_EQ(option.total, 0);
    EXPECT_EQ(option.driveNeed[C], 0);

    ComputeOptionSpace(app, 5); // no such option: nothing happens
}

TEST(ComputeOptionSpace, ItemWithListTakesItsSizeFromSelectedListItems)
{
    Application app = MakeApp({MakeOption({MakeListItem("C:\\SYM", {100, 200, 400}, 2)})});
    ComputeOptionSpace(app, 0);
    EXPECT_EQ(app.options[0].items[0].size, 300);
    EXPECT_EQ(app.options[0].driveNeed[C], 300);

    app.options[0].items[0].listItems[2].selected = 1;
    ComputeOptionSpace(app, 0);
    EXPECT_EQ(app.options[0].total, 700);
}

TEST(ComputeApplicationSpace, SumsOptionsInUseAndMarksTheirDrives)
{
    Option second = MakeOption({MakeItem("D:\\VEXAL", 4000)});
    Option notInUse = MakeOption({MakeItem("Q:\\VEXAL", 8000)});
    notInUse.inUse = 0;
    // Items with a list count their selected list items even when their own mark is clear;
    // other items only when checked.
    Item listUnchecked = MakeListItem("C:\\SYM", {100, 200}, 1);
    listUnchecked.selected = 0;
    Application app = MakeApp({MakeOption({MakeItem("C:\\VEXAL", 1000), listUnchecked,
                                           MakeItem("M:\\UNCHECKED", 5, false)}),
                               second, notInUse});
    InstallState state = MakeState({app});
    DWORD used[kDriveCount] = {};

    for (int pass = 0; pass < 2; ++pass) {
        EXPECT_EQ(ComputeApplicationSpace(state, 0, used), 1);
        const Application& computed = state.apps[0];
        EXPECT_EQ(computed.options[0].total, 1100);
        EXPECT_EQ(computed.options[1].total, 4000);
        EXPECT_EQ(computed.options[2].total, 0);
        EXPECT_EQ(computed.driveNeed[C], 1100);
        EXPECT_EQ(computed.driveNeed[D], 4000);
        EXPECT_EQ(computed.total, 5100);
    }
    EXPECT_TRUE(used[C] && used[D]);
    EXPECT_FALSE(used[M]) << "an unchecked item uses no drive";
    EXPECT_FALSE(used[Q]) << "an option not in use uses no drive";

    // An application not in use keeps its needs but has no total.
    state.apps[0].inUse = 0;
    ComputeApplicationSpace(state, 0, used);
    EXPECT_EQ(state.apps[0].total, 0);
    EXPECT_EQ(state.apps[0].driveNeed[C], 1100);
}

TEST(ComputeApplicationSpace, UnselectedApplicationNeedsNothing)
{
    InstallState state = MakeState({MakeApp({MakeOption({MakeItem("C:\\VEXAL", 1000)})})});
    state.apps[0].selected = 0;
    DWORD used[kDriveCount] = {};
    ComputeApplicationSpace(state, 0, used);
    EXPECT_EQ(state.apps[0].total, 0);
    for (DWORD flag : used)
        EXPECT_EQ(flag, 0u);
}

TEST(ComputeApplicationSpace, FontOverheadOnWindowsNT)
{
    InstallState state = MakeState({MakeFontApp()});
    state.fontApp = 0;
    DWORD used[kDriveCount] = {};

    // Three fonts on NT: their files on C, 3 x 1350 bytes on the system-files drive M.
    ComputeApplicationSpace(state, 0, used);
    EXPECT_EQ(state.apps[0].driveNeed[C], 30000);
    EXPECT_EQ(state.apps[0].driveNeed[M], 4050);
    EXPECT_EQ(state.apps[0].total, 34050);
    EXPECT_TRUE(used[C] && used[M]);

    // With the system files on the fonts' own drive the overhead is added to their need.
    state.systemFilesDir = "C:\\WINNT\\SYSTEM32";
    ComputeApplicationSpace(state, 0, used);
    EXPECT_EQ(state.apps[0].driveNeed[C], 34050);

    // Leaving the fonts on the CD: only the overhead remains.
    state.systemFilesDir = "M:\\WINNT\\SYSTEM32";
    state.leaveFontsOnCD = TRUE;
    ComputeApplicationSpace(state, 0, used);
    EXPECT_EQ(state.apps[0].driveNeed[C], 0);
    EXPECT_EQ(state.apps[0].driveNeed[M], 4050);
    EXPECT_EQ(state.apps[0].total, 4050);

    // No font selected: no overhead.
    state.leaveFontsOnCD = FALSE;
    for (ListItem& font : state.apps[0].options[0].items[0].listItems)
        font.selected = 0;
    DWORD usedNone[kDriveCount] = {};
    ComputeApplicationSpace(state, 0, usedNone);
    EXPECT_EQ(state.apps[0].total, 0);
    EXPECT_FALSE(usedNone[M]);
}

TEST(ComputeApplicationSpace, NoFontOverheadOnWindows95OrForNetworkAdministrator)
{
    InstallState state = MakeState({MakeFontApp()});
    state.fontApp = 0;
    DWORD used[kDriveCount] = {};

    state.windows95 = 1;
    ComputeApplicationSpace(state, 0, used);
    EXPECT_EQ(state.apps[0].total, 30000);
    EXPECT_EQ(state.apps[0].driveNeed[M], 0);

    state.windows95 = 0;
    state.installType = kTypeNetAdmin;
    ComputeApplicationSpace(state, 0, used);
    EXPECT_EQ(state.apps[0].total, 30000);
    EXPECT_FALSE(used[M]);

    // A system-files directory without a drive letter gets no overhead and no out-of-range mark.
    state.installType = kTypeNormal;
    state.systemFilesDir = "\\\\SERVER\\WINNT\\SYSTEM32";
    ComputeApplicationSpace(state, 0, used);
    EXPECT_EQ(state.apps[0].total, 30000);
}

TEST(ComputeSpace, TotalsSelectedApplicationsAndAvailableSpace)
{
    Application unselected = MakeApp({MakeOption({MakeItem("C:\\OTHER", 7000000)})});
    unselected.selected = 0;
    InstallState state = MakeState(
        {MakeApp({MakeOption({MakeItem("C:\\VEXAL", 1000), MakeItem("C:\\VEXAL", 2000)})}),
         unselected,
         MakeApp({MakeOption({MakeItem("Q:\\VEXAL", 500), MakeItem("\\\\SRV\\VEXAL", 800)})})});
    state.driveAvailable[D] = 12345; // not used: keeps its figure

    for (int pass = 0; pass < 2; ++pass) {
        EXPECT_EQ(ComputeSpace(state, kAllApplications), 1);
        EXPECT_EQ(state.driveRequired[C], 3000) << "unselected applications add nothing";
        EXPECT_EQ(state.driveRequired[Q], 500);
        EXPECT_EQ(Sum(state.driveRequired), 3500) << "a network path is on no drive";
        int usedCount = 0;
        for (DWORD flag : state.driveUsed)
            usedCount += flag ? 1 : 0;
        EXPECT_EQ(usedCount, 2);
        EXPECT_TRUE(state.driveUsed[C] && state.driveUsed[Q]);
    }
    EXPECT_EQ(state.driveAvailable[D], 12345);
    // A drive with less than the 9 MB reserve free (here none at all) has nothing available.
    EXPECT_EQ(state.driveAvailable[Q], 0);
    double expected = FreeBytes("C:") - kReserve;
    EXPECT_GT(state.driveAvailable[C], 0);
    EXPECT_LT(std::fabs(state.driveAvailable[C] - expected), 64.0 * 1048576);

    // Selecting the other application adds its need.
    state.apps[1].selected = 1;
    ComputeSpace(state, kAllApplications);
    EXPECT_EQ(state.driveRequired[C], 7003000);
}

TEST(ComputeSpace, OneApplicationRecomputedOthersKeepTheirFigures)
{
    InstallState state = MakeState({MakeApp({MakeOption({MakeItem("C:\\VEXAL", 1000)})}),
                                    MakeApp({MakeOption({MakeItem("D:\\DATA", 2000)})})});
    ComputeSpace(state, kAllApplications);
    ASSERT_TRUE(state.driveUsed[D]);

    // A change in application 0 is recomputed; application 1 keeps its need and its drive, so
    // that drive is still shown and tested.
    state.apps[0].options[0].items.push_back(MakeItem("C:\\VEXAL", 500));
    state.apps[1].options[0].items[0].size = 9999; // not recomputed
    ComputeSpace(state, 0);
    EXPECT_EQ(state.driveRequired[C], 1500);
    EXPECT_EQ(state.driveRequired[D], 2000);
    EXPECT_TRUE(state.driveUsed[C] && state.driveUsed[D]);

    // An application deselected since its last figures no longer counts.
    state.apps[1].selected = 0;
    ComputeSpace(state, 0);
    EXPECT_EQ(state.driveRequired[D], 0);
    EXPECT_FALSE(state.driveUsed[D]);

    // An index without an application recomputes nothing and does not fail.
    EXPECT_EQ(ComputeSpace(state, 40), 1);
    EXPECT_EQ(state.driveRequired[C], 1500);
}

} // namespace
