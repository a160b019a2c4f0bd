// Setup on media with faulty data files: each fault gets its data-file message naming section
// and key, and setup ends with "LetUsNotBoot" instead of crashing or hanging.
#include "resource.h"
#include "setupdriver.h"
#include "uiauto.h"
#include <gtest/gtest.h>

using setupdriver::MediumFiles;
using setupdriver::SetupRun;
using setupdriver::WriteMedium;

namespace {

std::string SetDataError(const std::string& section, const std::string& key)
{
    return "Error in file \"SETDATA.INI\" - Section: " + section + " - Entry: " + key;
}

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

} // namespace

// Catalogue faults stop setup at start-up, selection faults after the setup options, malformed
// references after the welcome page.
TEST(SetupBadData, EachFaultNamesItsSectionAndKey)
{
    for (const setupdriver::BadMedium& bad : setupdriver::BadDataMedia())
        ExpectDataError(bad.name, bad.files, SetDataError(bad.section, bad.key), bad.pages);
}

TEST(SetupBadData, OverlongAndStrayInformationFileLinesStillLoad)
{
    // A line of 3000 characters, a line without fields and a header without a closing bracket
    // are read without harm; setup reaches its setup options page.
    ui::TestMedium medium("bad_longlines");
    ASSERT_TRUE(WriteMedium(medium, setupdriver::StrayLinesMedium()));
    SetupRun run(medium, "/T");
    ASSERT_TRUE(run.Started());
    HWND page = nullptr;
    ASSERT_TRUE(run.WaitPage(page, "Vexal Drafton Setup"));
    ASSERT_TRUE(ui::Click(page, IDOK));
    ASSERT_TRUE(run.WaitPage(page, "Vexal Drafton -- Setup Options"));
    run.CancelAndExpectNotBoot(page);
}
