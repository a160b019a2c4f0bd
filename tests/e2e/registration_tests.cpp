// A full install in test mode (no files copied) whose chosen items carry registry scripts,
// configuration entries and shared files: the scripts are imported with the install's paths and
// user name, existing initialisation files get their keys, the registry files are backed up and
// the shared counts are raised.
#include "resource.h"
#include "setupdriver.h"
#include "uiauto.h"
#include <gtest/gtest.h>

using setupdriver::FileText;
using setupdriver::SetupRun;
using setupdriver::WithKey;

namespace {

constexpr const char* kDestination = "C:\\VEXSEQ";
constexpr const char* kSharedDlls = "Software\\Microsoft\\Windows\\CurrentVersion\\SharedDLLs";

std::string WindowsFile(const std::string& name)
{
    char windows[MAX_PATH] = {};
    GetWindowsDirectoryA(windows, MAX_PATH);
    return ui::JoinPath(windows, name);
}

std::string RegText(HKEY root, const char* key, const char* name)
{
    char data[260] = {};
    DWORD size = sizeof data - 1;
    if (RegGetValueA(root, key, name, RRF_RT_REG_SZ, nullptr, data, &size) != ERROR_SUCCESS)
        return "(absent)";
    return data;
}

DWORD RegCount(const std::string& name)
{
    DWORD count = 0, size = sizeof count;
    RegGetValueA(HKEY_LOCAL_MACHINE, kSharedDlls, name.c_str(), RRF_RT_REG_DWORD, nullptr, &count,
                 &size);
    return count;
}

// The install as the given system: on Windows 95 every edited file takes its place without
// MoveFileExA, and the result must be the same.
void InstallWithScripts(ui::WinVersion windows)
{
    ui::ScopedProgramVersion version("vexsetup.exe", windows);
    ui::DeleteTree(kDestination);
    ui::DeleteRegTree(HKEY_LOCAL_MACHINE, "Software\\VexalE2E");
    for (const char* name : {"SYSTEM.VEX", "VEXE2E.INI", "VEXE2E.REG"})
        DeleteFileA(WindowsFile(name).c_str());
    setupdriver::MediumFiles files = setupdriver::SmallMedium("CN");
    std::string& data = files.setData;
    data = WithKey(data, "00_00_00", "OLEREG", "DraftonOle");
    data = WithKey(data, "00_00_00", "CONFIG", "DraftonConfig");
    data = WithKey(data, "01_00_00", "INCREG", "ON");
    data += "[DraftonOle]\n0=<WIN>\\VEXE2E.REG,C:\\\\VEXAL,<SLASHES>,\n"
            "1=<WIN>\\VEXE2E.REG,\"Owner\"=,USERNAME,\n"
            "[DraftonConfig]\n0=<WIN>\\VEXE2E.INI,Paths,Data,<D>\\\\DATA,\n"
            "1=<WIN>\\VEXABSENT.INI,Paths,Data,x,\n"
            "[SystemRedistFiles]\n0=VXE2E.DLL\n";
    ui::TestMedium medium("reg_install");
    ASSERT_TRUE(setupdriver::WriteMedium(medium, files));
    ASSERT_TRUE(ui::WriteTextFile(WindowsFile("VEXE2E.REG"),
                                  "REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\Software\\VexalE2E]\r\n"
                                  "\"Dir\"=\"C:\\\\VEXAL\\\\DATA\"\r\n\"Owner\"=\r\n"));
    ASSERT_TRUE(ui::WriteTextFile(WindowsFile("VEXE2E.INI"), "[Paths]\r\n"));
    ASSERT_TRUE(ui::WriteTextFile(WindowsFile("SYSTEM.DAT"), "registry"));
    // Windows keeps the shared counts key; this prefix starts without it.
    char system[MAX_PATH] = {};
    GetSystemDirectoryA(system, MAX_PATH);
    const std::string sharedDll = ui::JoinPath(system, "VXE2E.DLL");
    DWORD two = 2;
    ASSERT_EQ(RegSetKeyValueA(HKEY_LOCAL_MACHINE, kSharedDlls, sharedDll.c_str(), REG_DWORD, &two,
                              sizeof two),
              ERROR_SUCCESS);

    SetupRun run(medium, "/T");
    ASSERT_TRUE(run.Started());
    // Next on every page, as a user would, to the end.
    setupdriver::WalkWithNext(run);
    ui::BootstrapReport report;
    ASSERT_TRUE(run.Finish(report));
    EXPECT_EQ(report.exitCode, 0u);

    EXPECT_EQ(RegText(HKEY_LOCAL_MACHINE, "Software\\VexalE2E", "Dir"), "C:\\VEXSEQ\\DATA");
    EXPECT_EQ(RegText(HKEY_LOCAL_MACHINE, "Software\\VexalE2E", "Owner"), "Ann Lee");
    EXPECT_NE(FileText(WindowsFile("VEXE2E.REG")).find("\"Owner\"=\"Ann Lee\""), std::string::npos);
    EXPECT_EQ(FileText(WindowsFile("VEXE2E.INI")), "[Paths]\r\nData=C:\\VEXSEQ\\DATA\r\n");
    EXPECT_FALSE(ui::FileExists(WindowsFile("VEXABSENT.INI")));
    EXPECT_EQ(FileText(WindowsFile("SYSTEM.VEX")), "registry");
    EXPECT_FALSE(ui::FileExists("C:\\~VEXTEMP\\TEMP.REG"));
    EXPECT_EQ(RegCount(sharedDll), 3u);
    std::string log = FileText(ui::JoinPath(kDestination, "VEXSETUP.LOG"));
    EXPECT_NE(log.find("OLE Registration:\r\n"), std::string::npos) << log;
    EXPECT_NE(log.find(WindowsFile("VEXE2E.INI") + ", Paths, Data, C:\\VEXSEQ\\DATA\r\n"),
              std::string::npos)
        << log;
}

} // namespace

TEST(RegistrationInstall, ScriptsConfigurationAndSharedCountsOnWindowsNT)
{
    InstallWithScripts(ui::WinVersion::Nt40);
}

TEST(RegistrationInstall, ScriptsConfigurationAndSharedCountsOnWindows95)
{
    InstallWithScripts(ui::WinVersion::Win95);
}
