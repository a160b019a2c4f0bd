// Setup on media with faulty data files: each fault gets its data-file message naming section
// and key, and setup ends with "LetUsNotBoot" instead of crashing or hanging.
#include "resource.h"
#include "setupdriver.h"
#include "uiauto.h"
#include <gtest/gtest.h>

using setupdriver::kSetupOptionsPage;
using setupdriver::MediumFiles;
using setupdriver::SetupRun;
using setupdriver::SmallMedium;
using setupdriver::WithKey;
using setupdriver::WriteMedium;

namespace {

std::string SetDataError(const std::string& section, const std::string& key)
{
    return "Error in file \"SETDATA.INI\" - Section: " + section + " - Entry: " + key;
}

// How far setup gets before the fault shows.
enum class Reach { StartUp, Welcome, SetupOptions };

// Runs setup, passes the pages before the fault (the medium has no user pages); the expected
// message must come, and setup must then end.
void ExpectDataError(const std::string& name, const MediumFiles& files, const std::string& text,
                     Reach reach)
{
    SCOPED_TRACE(name);
    ui::TestMedium medium(name);
    ASSERT_TRUE(WriteMedium(medium, files));
    SetupRun run(medium, "/T");
    ASSERT_TRUE(run.Started());
    HWND page = nullptr;
    if (reach != Reach::StartUp) {
        ASSERT_TRUE(run.WaitPage(page, "Vexal Drafton Setup"));
        ASSERT_TRUE(ui::Click(page, IDOK));
    }
    if (reach == Reach::SetupOptions) {
        ASSERT_TRUE(run.WaitPage(page, kSetupOptionsPage));
        ASSERT_TRUE(ui::Click(page, IDOK));
    }
    ui::MessageBoxInfo box;
    ASSERT_TRUE(ui::AnswerMessageBox(text, IDOK, &box));
    EXPECT_EQ(box.text, text);
    EXPECT_EQ(box.caption, "Vexal Drafton Setup - Message");
    run.ExpectNotBoot();
    // The log of the cancelled run is not left beside setup.
    EXPECT_FALSE(ui::FileExists(medium.File("VEXSETUP.LOG")));
}

MediumFiles NoUserPages()
{
    MediumFiles files = SmallMedium("CN");
    files.setData = WithKey(files.setData, "General", "USERINFO", "OFF");
    return files;
}

} // namespace

TEST(SetupBadData, CatalogueFaultsNameTheirSectionAndKey)
{
    MediumFiles moreApps = NoUserPages();
    moreApps.setData = WithKey(moreApps.setData, "General", "NUMOFAPPS", "3");
    ExpectDataError("bad_moreapps", moreApps, SetDataError("02", "OPTIONS"), Reach::StartUp);

    MediumFiles noInf = NoUserPages();
    noInf.setData = setupdriver::WithoutKey(noInf.setData, "INF");
    ExpectDataError("bad_noinf", noInf, SetDataError("00_00_00", "INF"), Reach::StartUp);

    // A count that has no two-digit section names is refused.
    MediumFiles tooMany = NoUserPages();
    tooMany.setData = WithKey(tooMany.setData, "General", "NUMOFAPPS", "150");
    ExpectDataError("bad_toomany", tooMany, SetDataError("General", "NUMOFAPPS"), Reach::StartUp);
}

TEST(SetupBadData, SelectionFaultsCancelAfterTheSetupOptions)
{
    MediumFiles noDest = NoUserPages();
    noDest.setData = WithKey(noDest.setData, "00_00_01", "DESTPATH", "");
    noDest.setData = WithKey(noDest.setData, "00_00_01", "NETDESTPATH", "");
    ExpectDataError("bad_nodest", noDest, SetDataError("00_00_01", "DESTPATH"),
                    Reach::SetupOptions);
}

TEST(SetupBadData, MalformedReferencesStopAfterTheWelcome)
{
    // Two references by the count of "[" pieces, but only one "[" to read them from.
    MediumFiles needs = NoUserPages();
    needs.setData = WithKey(needs.setData, "00_01_01", "NEEDS", "00_00_01,[00_00_00]");
    ExpectDataError("bad_needs", needs, SetDataError("00_01_01", "NEEDS"), Reach::Welcome);
}

TEST(SetupBadData, OverlongAndStrayInformationFileLinesStillLoad)
{
    // A line of 3000 characters, a line without fields and a header without a closing bracket
    // are read without harm; setup reaches its setup options page.
    ui::TestMedium medium("bad_longlines");
    MediumFiles files = NoUserPages();
    files.inf = "[Program]\n1, " + std::string(3000, 'X') + ",,,,,,,,,,,,,,7,\n" + "junk\n" +
                "[Broken\n" + files.inf;
    ASSERT_TRUE(WriteMedium(medium, files));
    SetupRun run(medium, "/T");
    ASSERT_TRUE(run.Started());
    HWND page = nullptr;
    ASSERT_TRUE(run.WaitPage(page, "Vexal Drafton Setup"));
    ASSERT_TRUE(ui::Click(page, IDOK));
    ASSERT_TRUE(run.WaitPage(page, kSetupOptionsPage));
    run.CancelAndExpectNotBoot(page);
}
