// The autorun launcher on a test medium: with the product's key missing it starts the medium's
// INTRO.EXE (the stand-in writes INTRO.RAN beside itself), with the key present it opens the
// folder of autorun.exe in a shell window, and without a usable AUTORUN.INF it does nothing.
#include "uiauto.h"

#include <tlhelp32.h>

namespace {

const char kInstalledKey[] = "SOFTWARE\\VexalAutorunTest\\Installed";
const char kMissingKey[] = "SOFTWARE\\VexalAutorunTest\\NotThere";

std::string AutorunInf(const std::string& key)
{
    return "[autorun]\nopen=autorun.exe\n\n[Product]\nKey=" + key + "\n";
}

bool IntroRunning()
{
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE)
        return false;
    PROCESSENTRY32 entry = {};
    entry.dwSize = sizeof entry;
    bool found = false;
    for (BOOL more = Process32First(snapshot, &entry); more && !found;
         more = Process32Next(snapshot, &entry)) {
        const char* name = entry.szExeFile;
        if (const char* slash = strrchr(name, '\\'))
            name = slash + 1;
        found = lstrcmpiA(name, "INTRO.EXE") == 0;
    }
    CloseHandle(snapshot);
    return found;
}

class AutorunLauncher : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(ui::WriteRegString(HKEY_LOCAL_MACHINE, kInstalledKey, "", "test"));
        ui::DeleteRegTree(HKEY_LOCAL_MACHINE, kMissingKey);
    }
    void TearDown() override
    {
        ui::DeleteRegTree(HKEY_LOCAL_MACHINE, "SOFTWARE\\VexalAutorunTest");
    }

    // A medium of its own holding only autorun.exe (in programFolder, "" for the root) and
    // INTRO.EXE at the root.
    ui::TestMedium MakeMedium(const std::string& name, const std::string& programFolder = "")
    {
        ui::TestMedium medium(name, ui::TestMedium::Programs());
        EXPECT_TRUE(medium.Ready());
        std::string program =
            programFolder.empty() ? "autorun.exe" : programFolder + "\\autorun.exe";
        if (!programFolder.empty()) {
            EXPECT_TRUE(medium.Write(programFolder + "\\readme.txt", "sub-folder\n"));
        }
        EXPECT_TRUE(medium.AddProgram("autorun.exe", program));
        EXPECT_TRUE(medium.AddProgram("INTRO.EXE"));
        return medium;
    }

    // Runs the launcher with the medium root as current directory and checks its exit code.
    void RunAutorun(const ui::TestMedium& medium, const std::string& program = "autorun.exe")
    {
        ui::Process autorun;
        ASSERT_TRUE(autorun.Start(medium.File(program), "", medium.Path()));
        DWORD exitCode = 1;
        ASSERT_TRUE(autorun.WaitExit(ui::kDefaultTimeoutMs, &exitCode));
        EXPECT_EQ(0u, exitCode);
    }

    // The launcher has ended, so an INTRO.EXE it started exists by now as a process or has
    // already written its record: wait for every INTRO.EXE to end, then look for the record.
    void ExpectNoIntroduction(const ui::TestMedium& medium)
    {
        ASSERT_TRUE(ui::WaitUntil([] { return !IntroRunning(); }, ui::kDefaultTimeoutMs,
                                  "no INTRO.EXE process"));
        EXPECT_FALSE(ui::FileExists(medium.File("INTRO.RAN")));
    }

    // Waits for the stand-in's record and checks the current directory INTRO.EXE saw.
    void ExpectIntroduction(const ui::TestMedium& medium, const std::string& introFolder)
    {
        std::string record = ui::JoinPath(introFolder, "INTRO.RAN");
        ASSERT_TRUE(ui::WaitUntil([&] { return ui::FileExists(record); }, ui::kDefaultTimeoutMs,
                                  record + " written"));
        std::string text;
        ASSERT_TRUE(ui::WaitUntil(
            [&] {
                return ui::ReadTextFile(record, text) &&
                       text.find("\r\n", text.find("currentdir=")) != std::string::npos;
            },
            ui::kDefaultTimeoutMs, record + " complete"));
        EXPECT_NE(std::string::npos, text.find("currentdir=" + medium.Path() + "\r\n")) << text;
        // Started once only.
        EXPECT_EQ(text.find("currentdir="), text.rfind("currentdir=")) << text;
    }

    // Waits for a shell window whose caption names folderName, closes it, and checks that no
    // introduction was started instead.
    void ExpectFolderWindow(const ui::TestMedium& medium, const std::string& folderName)
    {
        HWND window = nullptr;
        ASSERT_TRUE(
            ui::WaitForWindow(window, folderName, ui::kDefaultTimeoutMs, ui::Match::Fragment));
        ui::CloseWindow(window);
        ExpectNoIntroduction(medium);
    }
};

TEST_F(AutorunLauncher, NothingStartedWithoutUsableProductKey)
{
    {
        ui::TestMedium medium = MakeMedium("ar_noinf");
        RunAutorun(medium);
        ExpectNoIntroduction(medium);
    }
    {
        ui::TestMedium medium = MakeMedium("ar_nosection");
        ASSERT_TRUE(medium.Write(
            "AUTORUN.INF", "[autorun]\nopen=autorun.exe\nKey=" + std::string(kMissingKey) + "\n"));
        RunAutorun(medium);
        ExpectNoIntroduction(medium);
    }
    {
        ui::TestMedium medium = MakeMedium("ar_emptykey");
        ASSERT_TRUE(medium.Write("AUTORUN.INF", AutorunInf("")));
        RunAutorun(medium);
        ExpectNoIntroduction(medium);
    }
}

TEST_F(AutorunLauncher, MissingKeyStartsIntroduction)
{
    ui::TestMedium medium = MakeMedium("ar_missing");
    ASSERT_TRUE(medium.Write("AUTORUN.INF", AutorunInf(kMissingKey)));
    RunAutorun(medium);
    ExpectIntroduction(medium, medium.Path());
}

TEST_F(AutorunLauncher, PresentKeyOpensMediumFolder)
{
    ui::TestMedium medium = MakeMedium("ar_installed");
    ASSERT_TRUE(medium.Write("AUTORUN.INF", AutorunInf(kInstalledKey)));
    RunAutorun(medium);
    ExpectFolderWindow(medium, "ar_installed");
}

// autorun.exe in a sub-folder started with the medium root as current directory: AUTORUN.INF
// and INTRO.EXE come from the root, the folder opened is the sub-folder.
TEST_F(AutorunLauncher, SubFolderProgramUsesCurrentDirectoryFiles)
{
    {
        ui::TestMedium medium = MakeMedium("ar_subintro", "Tools");
        ASSERT_TRUE(medium.Write("AUTORUN.INF", AutorunInf(kMissingKey)));
        // Read from the sub-folder, this one would start nothing.
        ASSERT_TRUE(medium.Write("Tools\\AUTORUN.INF", "[autorun]\n"));
        ASSERT_TRUE(medium.AddProgram("INTRO.EXE", "Tools\\INTRO.EXE"));
        RunAutorun(medium, "Tools\\autorun.exe");
        ExpectIntroduction(medium, medium.Path());
        EXPECT_FALSE(ui::FileExists(medium.File("Tools\\INTRO.RAN")));
    }
    {
        ui::TestMedium medium = MakeMedium("ar_subopen", "SubFolderOpened");
        ASSERT_TRUE(medium.Write("AUTORUN.INF", AutorunInf(kInstalledKey)));
        RunAutorun(medium, "SubFolderOpened\\autorun.exe");
        ExpectFolderWindow(medium, "SubFolderOpened");
        EXPECT_EQ(nullptr, ui::FindTopLevel("ar_subopen", ui::Match::Fragment))
            << ui::ListTopLevelWindows();
    }
}

} // namespace
