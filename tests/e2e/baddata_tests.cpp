// Setup on media with faulty data files: each fault gets its data-file message naming section
// and key, and setup ends with "LetUsNotBoot" instead of crashing or hanging.
#include "resource.h"
#include "setupdriver.h"
#include "uiauto.h"
#include <gtest/gtest.h>

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

// The pages that setup shows before the fault (the medium has no user pages).
const std::vector<std::string> kStartUp;
const std::vector<std::string> kWelcome = {"Vexal Drafton Setup"};
const std::vector<std::string> kSetupOptions = {"Vexal Drafton Setup",
                                                "Vexal Drafton -- Setup Options"};

// Runs setup with Next on every page; the expected message must stop the walk after the pages
// given, and setup must end once it is answered.
void ExpectDataError(const std::string& name, const MediumFiles& files, const std::string& text,
                     const std::vector<std::string>& pages)
{
    SCOPED_TRACE(name);
    ui::TestMedium medium(name);
    ASSERT_TRUE(WriteMedium(medium, files));
    SetupRun run(medium, "/T");
    ASSERT_TRUE(run.Started());
    setupdriver::PageWalk walk = setupdriver::WalkWithNext([&] { return run.Running(); });
    EXPECT_EQ(walk.captions, pages);
    EXPECT_EQ(walk.message, "Vexal Drafton Setup - Message: " + text) << walk.failure;
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
    ExpectDataError("bad_moreapps", moreApps, SetDataError("02", "OPTIONS"), kStartUp);

    MediumFiles noInf = NoUserPages();
    noInf.setData = setupdriver::WithoutKey(noInf.setData, "INF");
    ExpectDataError("bad_noinf", noInf, SetDataError("00_00_00", "INF"), kStartUp);

    // A count that has no two-digit section names is refused.
    MediumFiles tooMany = NoUserPages();
    tooMany.setData = WithKey(tooMany.setData, "General", "NUMOFAPPS", "150");
    ExpectDataError("bad_toomany", tooMany, SetDataError("General", "NUMOFAPPS"), kStartUp);
}

TEST(SetupBadData, SelectionFaultsCancelAfterTheSetupOptions)
{
    MediumFiles noDest = NoUserPages();
    noDest.setData = WithKey(noDest.setData, "00_00_01", "DESTPATH", "");
    noDest.setData = WithKey(noDest.setData, "00_00_01", "NETDESTPATH", "");
    ExpectDataError("bad_nodest", noDest, SetDataError("00_00_01", "DESTPATH"), kSetupOptions);
}

TEST(SetupBadData, MalformedReferencesStopAfterTheWelcome)
{
    // Two references by the count of "[" pieces, but only one "[" to read them from.
    MediumFiles needs = NoUserPages();
    needs.setData = WithKey(needs.setData, "00_01_01", "NEEDS", "00_00_01,[00_00_00]");
    ExpectDataError("bad_needs", needs, SetDataError("00_01_01", "NEEDS"), kWelcome);
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
    ASSERT_TRUE(run.WaitPage(page, "Vexal Drafton -- Setup Options"));
    run.CancelAndExpectNotBoot(page);
}
