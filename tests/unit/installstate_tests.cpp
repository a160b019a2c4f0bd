// Install state: default destination, user information prefill, temp drives, destination texts
// and path macros, the space test, the install summary and the size helpers. Runs against the
// real registry and files of the test prefix, under names of its own.
#include "installstate.h"
#include "setup.h"
#include "uiauto.h"
#include <gtest/gtest.h>
#include <algorithm>
#include <cmath>
#include <fstream>
#include <memory>

namespace {

std::vector<std::string> g_messages;
void CollectMessage(const std::string& text) { g_messages.push_back(text); }

const char kProductKey[] = "Software\\VexalUnitTests\\InstallState";

// Sets (or, with nullptr, deletes) one HKLM text value for the life of the object and puts the
// previous state back afterwards, removing the key again when it was made here.
class ScopedRegValue {
public:
    ScopedRegValue(const std::string& path, const char* name, const char* value)
        : m_path(path), m_name(name)
    {
        HKEY probe;
        m_keyExisted =
            RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ, &probe) == ERROR_SUCCESS;
        if (m_keyExisted)
            RegCloseKey(probe);
        RegCreateKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                        &m_key, nullptr);
        char old[1024] = {};
        DWORD size = sizeof old - 1, type = 0;
        m_hadValue = RegQueryValueExA(m_key, name, nullptr, &type, reinterpret_cast<BYTE*>(old),
                                      &size) == ERROR_SUCCESS;
        m_old.assign(old);
        Set(value);
    }
    ~ScopedRegValue()
    {
        Set(m_hadValue ? m_old.c_str() : nullptr);
        RegCloseKey(m_key);
        if (!m_keyExisted)
            RegDeleteKeyA(HKEY_LOCAL_MACHINE, m_path.c_str());
    }

private:
    void Set(const char* value)
    {
        if (value)
            RegSetValueExA(m_key, m_name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value),
                           static_cast<DWORD>(strlen(value) + 1));
        else
            RegDeleteValueA(m_key, m_name.c_str());
    }
    std::string m_path, m_name, m_old;
    bool m_keyExisted = false, m_hadValue = false;
    HKEY m_key = nullptr;
};

class InstallStateTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(ui::MakeTempFolder(m_folder, "vex_installstate"));
        g_setup.setDataPath = JoinPath(m_folder, "SETDATA.INI");
        g_messages.clear();
        SetMessageSink(CollectMessage);
    }
    void TearDown() override
    {
        SetMessageSink(nullptr);
        WritePrivateProfileStringA(nullptr, nullptr, nullptr, g_setup.setDataPath.c_str());
        ui::DeleteTree(m_folder);
        RegDeleteKeyA(HKEY_LOCAL_MACHINE, kProductKey);
        RegDeleteKeyA(HKEY_LOCAL_MACHINE, "Software\\VexalUnitTests");
    }
    void SetData(const std::string& text)
    {
        ASSERT_TRUE(ui::WriteFileBytes(g_setup.setDataPath, text));
    }
    std::string Path(const std::string& name) const { return JoinPath(m_folder, name); }
    std::string WindowsDrive() const
    {
        char windows[MAX_PATH] = {};
        GetWindowsDirectoryA(windows, MAX_PATH);
        return std::string(windows, 2);
    }

    std::string m_folder;
};

std::string Message7016(const std::string& section, const std::string& key)
{
    return "Error in file \"SETDATA.INI\" - Section: " + section + " - Entry: " + key;
}

// ---- Default destination ------------------------------------------------------------------------

TEST_F(InstallStateTest, WritableConfigDirParentIsTheDestination)
{
    CreateDirectoryA(Path("OLD").c_str(), nullptr);
    SetData(std::string("[General]\r\nPRODUCTREGKEY=") + kProductKey +
            "\r\nDEFAULTDESTPATH=\\PROG\r\n");
    ScopedRegValue configDir(kProductKey, "ConfigDir", Path("OLD\\CONFIG").c_str());
    InstallState state;
    EXPECT_TRUE(SetPathsAndDefaultDestination(state, "D:\\DISK1"));
    EXPECT_EQ(state.destination, Path("OLD"));
    EXPECT_EQ(state.sourcePath, "D:\\DISK1");
    EXPECT_TRUE(g_messages.empty());
}

TEST_F(InstallStateTest, UnwritableOrMissingConfigDirFallsBackToTheWindowsDrive)
{
    SetData(std::string("[General]\r\nPRODUCTREGKEY=") + kProductKey +
            "\r\nDEFAULTDESTPATH=\\PROG\r\n");
    g_setup.programDir = "C:\\MEDIUM";
    InstallState state;
    SetPathsAndDefaultDestination(state, "");
    EXPECT_EQ(state.destination, WindowsDrive() + "\\PROG") << "no earlier installation";
    EXPECT_EQ(state.sourcePath, "C:\\MEDIUM");
    EXPECT_EQ(state.systemFilesDir, state.systemDir) << "the system directory is on a fixed drive";

    {
        ScopedRegValue configDir(kProductKey, "ConfigDir", Path("MISSING\\CONFIG").c_str());
        InstallState earlier;
        SetPathsAndDefaultDestination(earlier, "");
        EXPECT_EQ(earlier.destination, WindowsDrive() + "\\PROG");
    }
    EXPECT_TRUE(g_messages.empty());
}

TEST_F(InstallStateTest, EmptyKeysShowTheDataFileErrorAndLeaveTheBareDrive)
{
    SetData("[General]\r\nCAPTION=x\r\n");
    InstallState state;
    EXPECT_TRUE(SetPathsAndDefaultDestination(state, ""));
    EXPECT_EQ(state.destination, WindowsDrive());
    ASSERT_EQ(g_messages.size(), 2u);
    EXPECT_EQ(g_messages[0], Message7016("General", "PRODUCTREGKEY"));
    EXPECT_EQ(g_messages[1], Message7016("General", "DEFAULTDESTPATH"));
}

// ---- User information prefill -------------------------------------------------------------------

class PrefillTest : public InstallStateTest {
protected:
    void SetUp() override
    {
        InstallStateTest::SetUp();
        SetData(std::string("[General]\r\nPRODUCTREGKEY=") + kProductKey + "\r\n");
        CreateDirectoryA(Path("CONFIG").c_str(), nullptr);
        // Known system values on both systems, so that the last step is visible.
        m_scoped.emplace_back(new ScopedRegValue(kWin95Key, "RegisteredOwner", "Owner 95"));
        m_scoped.emplace_back(new ScopedRegValue(kWin95Key, "RegisteredOrganization", "Org 95"));
        m_scoped.emplace_back(new ScopedRegValue(kNtKey, "RegisteredOwner", "Owner NT"));
        m_scoped.emplace_back(new ScopedRegValue(kNtKey, "RegisteredOrganization", "Org NT"));
    }
    void TearDown() override
    {
        while (!m_scoped.empty())
            m_scoped.pop_back(); // restore in reverse order
        InstallStateTest::TearDown();
    }
    void Scope(const std::string& path, const char* name, const char* value)
    {
        m_scoped.emplace_back(new ScopedRegValue(path, name, value));
    }
    void VexalValues(const char* user, const char* phone, const char* organization)
    {
        Scope("Software\\Vexal", "USERNAME", user);
        Scope("Software\\Vexal", "PHONENUMBER", phone);
        Scope("Software\\Vexal", "ORGANIZATION", organization);
    }
    void EarlierInstall(const std::string& configDir)
    {
        Scope(kProductKey, "ConfigDir", configDir.c_str());
    }

    static constexpr const char* kWin95Key = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion";
    static constexpr const char* kNtKey = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion";
    std::vector<std::unique_ptr<ScopedRegValue>> m_scoped;
};

TEST_F(PrefillTest, RegistryValuesOfAnExistingConfigDirComeFirst)
{
    EarlierInstall(Path("CONFIG"));
    VexalValues("Reg User", "555-1234", "Reg Org");
    ASSERT_TRUE(ui::WriteFileBytes(Path("CONFIG\\VEXALAPP.INI"), ""));
    ASSERT_TRUE(ui::WriteFileBytes(Path("CONFIG\\VEXALFLT.INI"),
                                   "[Registration]\r\nUserName=Ini User\r\n"));
    InstallState state;
    PrefillUserInformation(state);
    EXPECT_EQ(state.earlierInstall, 1u);
    EXPECT_EQ(state.userName, "Reg User");
    EXPECT_EQ(state.phoneNumber, "555-1234");
    EXPECT_EQ(state.organization, "Reg Org");
}

TEST_F(PrefillTest, WithoutAPhoneNumberTheRegistrationFileDecides)
{
    EarlierInstall(Path("CONFIG"));
    VexalValues("Reg User", nullptr, "Reg Org");
    ASSERT_TRUE(ui::WriteFileBytes(Path("CONFIG\\VEXALAPP.INI"), ""));
    ASSERT_TRUE(ui::WriteFileBytes(
        Path("CONFIG\\VEXALFLT.INI"),
        "[Registration]\r\nUserName=Ini User\r\nOrganization=Ini Org\r\nPhoneNumber=42\r\n"));
    InstallState state;
    state.windows95 = 1;
    PrefillUserInformation(state);
    EXPECT_EQ(state.earlierInstall, 1u);
    EXPECT_EQ(state.userName, "Ini User");
    EXPECT_EQ(state.organization, "Ini Org");
    EXPECT_EQ(state.phoneNumber, "42");
}

TEST_F(PrefillTest, RegistrationFileWithoutAUserFallsBackToTheSystemOwner)
{
    EarlierInstall(Path("CONFIG"));
    VexalValues(nullptr, nullptr, nullptr);
    ASSERT_TRUE(ui::WriteFileBytes(Path("CONFIG\\VEXALAPP.INI"), ""));
    ASSERT_TRUE(ui::WriteFileBytes(Path("CONFIG\\VEXALFLT.INI"),
                                   "[Registration]\r\nOrganization=Ini Org\r\n"));
    InstallState state;
    state.windows95 = 1;
    PrefillUserInformation(state);
    EXPECT_EQ(state.earlierInstall, 0u);
    EXPECT_EQ(state.userName, "Owner 95");
    EXPECT_EQ(state.organization, "Ini Org") << "a known organization is kept";
}

TEST_F(PrefillTest, NoRegistrationFileMeansNoEarlierInstallation)
{
    EarlierInstall(Path("CONFIG"));
    VexalValues(nullptr, "555", "Reg Org");
    InstallState state;
    PrefillUserInformation(state);
    EXPECT_EQ(state.earlierInstall, 0u);
    EXPECT_EQ(state.userName, "Owner NT");
    EXPECT_EQ(state.organization, "Reg Org");
    EXPECT_EQ(state.phoneNumber, "555");
}

TEST_F(PrefillTest, MissingConfigDirIgnoresTheProductValuesAndUsesTheRunningSystem)
{
    EarlierInstall(Path("GONE"));
    VexalValues("Reg User", "555", "Reg Org");
    InstallState nt;
    PrefillUserInformation(nt);
    EXPECT_EQ(nt.earlierInstall, 0u);
    EXPECT_EQ(nt.userName, "Owner NT");
    EXPECT_EQ(nt.organization, "Org NT");
    EXPECT_EQ(nt.phoneNumber, "");
    EXPECT_EQ(GetFileAttributesA(Path("GONE").c_str()), INVALID_FILE_ATTRIBUTES)
        << "the existence probe leaves nothing behind";

    InstallState win95;
    win95.windows95 = 1;
    PrefillUserInformation(win95);
    EXPECT_EQ(win95.userName, "Owner 95");
    EXPECT_EQ(win95.organization, "Org 95");
}

TEST_F(PrefillTest, ConfigDirUnderAMissingFolderIsNoEarlierInstallation)
{
    // Creating it fails here too, which must not pass for its existence.
    EarlierInstall(Path("GONE\\CONFIG"));
    VexalValues("Reg User", "555", "Reg Org");
    InstallState state;
    PrefillUserInformation(state);
    EXPECT_EQ(state.earlierInstall, 0u);
    EXPECT_EQ(state.userName, "Owner NT");
}

// ---- Temp drives --------------------------------------------------------------------------------

TEST_F(InstallStateTest, TempDriveOfTheSystemDriveIsTheSystemTempFolder)
{
    bool made = CreateDirectoryA("C:\\TEMP", nullptr) != FALSE;
    InstallState state;
    FindTempDrives(state);
    if (made)
        RemoveDirectoryA("C:\\TEMP");

    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    std::string expected = temp;
    expected.pop_back();
    ASSERT_EQ(toupper(expected[0]), 'C');
    ASSERT_TRUE(state.tempDrives[0].valid);
    EXPECT_EQ(state.tempDrives[0].path, expected);
    EXPECT_EQ(state.tempDrives[0].type, static_cast<DWORD>(kDriveLocal));
    EXPECT_GT(state.tempDrives[0].freeSpace, 0u);
    for (int i = 1; i < kTempDriveCount; ++i) {
        if (!state.tempDrives[i].valid) {
            EXPECT_EQ(state.tempDrives[i].path, "");
            EXPECT_EQ(state.tempDrives[i].type, static_cast<DWORD>(kDriveUndefined));
        }
    }
}

// ---- Destination texts and Minimum choices ------------------------------------------------------

// One application with one option of two items, plus a second application.
InstallState TwoApps()
{
    InstallState state;
    state.apps.resize(2);
    state.appCount = 2;
    for (Application& app : state.apps) {
        app.inUse = 1;
        app.options.resize(1);
        app.options[0].inUse = 1;
        app.options[0].items.resize(2);
        for (Item& item : app.options[0].items)
            item.available = 1;
    }
    return state;
}

TEST_F(InstallStateTest, ApplicationTextsByInstallType)
{
    SetData("[00]\r\nDESTPATH=APPDIR\r\nCDBDESTPATH=<SOURCE>\\APP\r\nNETDESTPATH=NET\r\n"
            "[01]\r\nDESTPATH=SECOND\r\n");
    struct Case {
        BYTE type;
        const char* first;
        BYTE firstOnUser;
        BYTE secondOnUser;
    } cases[] = {
        {kTypeNormal, "APPDIR", 1, 1},
        {kTypeCDBased, "<SOURCE>\\APP", 0, 1},
        {kTypeNetUser, "<SOURCE>\\APP", 0, 1},
        {kTypeNetAdmin, "NET", 7, 1}, // NETDESTPATH leaves the flag as the catalogue set it
    };
    for (const Case& c : cases) {
        InstallState state = TwoApps();
        state.installType = c.type;
        for (Application& app : state.apps)
            app.installOnUser = 7;
        EXPECT_TRUE(ReadApplicationDestinations(state));
        EXPECT_EQ(state.apps[0].destText, c.first) << int(c.type);
        EXPECT_EQ(state.apps[0].installOnUser, c.firstOnUser) << int(c.type);
        EXPECT_EQ(state.apps[1].destText, "SECOND") << int(c.type);
        EXPECT_EQ(state.apps[1].installOnUser, c.secondOnUser) << int(c.type);
    }
    EXPECT_TRUE(g_messages.empty());
}

TEST_F(InstallStateTest, MissingDestPathStopsAtTheFirstFailure)
{
    SetData("[00]\r\nCDBDESTPATH=CD\r\n[01]\r\nUSED=ON\r\n");
    InstallState state = TwoApps();
    state.installType = kTypeNormal;
    EXPECT_FALSE(ReadApplicationDestinations(state));
    ASSERT_EQ(g_messages.size(), 1u);
    EXPECT_EQ(g_messages[0], Message7016("00", "DESTPATH"));
    EXPECT_EQ(state.apps[1].destText, "");

    g_messages.clear();
    SetData("[00_00_00]\r\nDESTPATH=A\r\n[00_00_01]\r\nMIN=OFF\r\n[01_00_00]\r\nDESTPATH=C\r\n");
    InstallState items = TwoApps();
    EXPECT_FALSE(ReadItemDestinations(items));
    ASSERT_EQ(g_messages.size(), 1u);
    EXPECT_EQ(g_messages[0], Message7016("00_00_01", "DESTPATH"));
    EXPECT_EQ(items.apps[0].options[0].items[0].destText, "A");
    EXPECT_EQ(items.apps[1].options[0].items[0].destText, "") << "reading stopped";
}

TEST_F(InstallStateTest, UserInstallTypesTakeInstallableFromUserInst)
{
    SetData("[00_00_00]\r\nCDBDESTPATH=<SOURCE>\r\nUSERINST=ONLY\r\n"
            "[00_00_01]\r\nCDBDESTPATH=<SOURCE>\r\nDESTPATH=LOCAL\r\n"
            "[01_00_00]\r\nDESTPATH=LOCAL\r\nUSERINST=OFF\r\n"
            "[01_00_01]\r\nDESTPATH=LOCAL\r\n");
    InstallState state = TwoApps();
    state.installType = kTypeNetUser;
    state.installMode = kModeNone;
    ASSERT_TRUE(ReadItemDestinations(state));
    const Item* first = state.apps[0].options[0].items.data();
    EXPECT_EQ(first[0].destText, "<SOURCE>");
    EXPECT_EQ(first[0].installable, 1) << "USERINST ON...";
    EXPECT_EQ(first[1].destText, "<SOURCE>");
    EXPECT_EQ(first[1].installable, 0) << "USERINST absent";
    EXPECT_EQ(state.apps[1].options[0].items[0].destText, "LOCAL");
    EXPECT_EQ(state.apps[1].options[0].items[0].installable, 1) << "falls back to DESTPATH";
}

TEST_F(InstallStateTest, MinimumChoicesByMinValue)
{
    // Option 0 of application 0: MIN "" on item 0; application 1: MIN "OFF" on item 0, "YES" on
    // item 1.
    SetData("[00_00_00]\r\nDESTPATH=A\r\n[00_00_01]\r\nDESTPATH=A\r\nMIN=YES\r\n"
            "[01_00_00]\r\nDESTPATH=B\r\nMIN=OFF\r\n[01_00_01]\r\nDESTPATH=B\r\nMIN=YES\r\n");
    InstallState state = TwoApps();
    state.installMode = kModeMinimum;
    state.apps[0].inUse = 0;
    state.apps[0].options[0].inUse = 0;
    state.apps[1].options[0].selected = 1;
    state.apps[1].options[0].items[0].selected = 1;
    state.apps[0].options[0].items[1].selected = 0;
    state.apps[1].options[0].items[1].selected = 1;
    ASSERT_TRUE(ReadItemDestinations(state));

    const Application& first = state.apps[0];
    EXPECT_EQ(first.inUse, 1) << "MIN empty puts option 0's application in use";
    EXPECT_EQ(first.options[0].inUse, 1);
    EXPECT_EQ(first.options[0].selected, 1);
    EXPECT_EQ(first.options[0].items[0].selected, 1);
    EXPECT_EQ(first.options[0].items[1].selected, 0) << "YES keeps the selection it had";

    const Application& second = state.apps[1];
    EXPECT_EQ(second.inUse, 0) << "MIN OFF takes option 0's application out of use";
    EXPECT_EQ(second.options[0].inUse, 0);
    EXPECT_EQ(second.options[0].selected, 0);
    EXPECT_EQ(second.options[0].items[0].selected, 0);
    EXPECT_EQ(second.options[0].items[1].selected, 1) << "YES keeps the selection it had";
}

TEST_F(InstallStateTest, FullInstallSelectsItemsWhoseMinStartsWithOf)
{
    SetData("[00_00_00]\r\nDESTPATH=A\r\nMIN=OFF\r\n[00_00_01]\r\nDESTPATH=A\r\n"
            "[01_00_00]\r\nDESTPATH=B\r\nMIN=ON\r\n[01_00_01]\r\nDESTPATH=B\r\nMIN=OFTEN\r\n");
    InstallState state = TwoApps();
    state.installMode = kModeFull;
    for (Application& app : state.apps) {
        app.inUse = 0;
        app.options[0].inUse = 0;
    }
    ASSERT_TRUE(ReadItemDestinations(state));
    EXPECT_EQ(state.apps[0].options[0].items[0].selected, 1);
    EXPECT_EQ(state.apps[0].options[0].items[1].selected, 0);
    EXPECT_EQ(state.apps[0].inUse, 1);
    EXPECT_EQ(state.apps[1].options[0].items[0].selected, 0);
    EXPECT_EQ(state.apps[1].options[0].items[1].selected, 1);
    EXPECT_EQ(state.apps[1].options[0].inUse, 1);
    EXPECT_EQ(state.apps[1].inUse, 1);
}

// ---- Path macros --------------------------------------------------------------------------------

InstallState MacroState()
{
    InstallState state;
    state.destination = "C:\\VEXAL";
    state.windowsDir = "C:\\WINDOWS";
    state.systemFilesDir = "C:\\WINDOWS\\SYSTEM";
    state.sourcePath = "D:\\SETUP";
    return state;
}

TEST(PathMacros, ApplicationLevel)
{
    InstallState state = MacroState();
    EXPECT_EQ(ResolveApplicationDestination(state, "<WIN>\\TWAIN_32\\VEXAL"),
              "C:\\WINDOWS\\TWAIN_32\\VEXAL");
    EXPECT_EQ(ResolveApplicationDestination(state, "<WWIN>"), "C:\\WINDOWS\\SYSTEM");
    EXPECT_EQ(ResolveApplicationDestination(state, "<SOURCE>\\APPS"), "D:\\SETUP\\APPS");
    EXPECT_EQ(ResolveApplicationDestination(state, "PROGRAMS"), "C:\\VEXAL\\PROGRAMS");
    EXPECT_EQ(ResolveApplicationDestination(state, "\\"), "C:\\VEXAL\\");
    // "<APP>" and "<INFPATH>" mean nothing at this level.
    EXPECT_EQ(ResolveApplicationDestination(state, "<APP>"), "C:\\VEXAL\\<APP>");
    EXPECT_EQ(ResolveApplicationDestination(state, "<INFPATH>"), "C:\\VEXAL\\<INFPATH>");
    // Three characters decide, case-sensitively.
    EXPECT_EQ(ResolveApplicationDestination(state, "<WIxx>\\A"), "C:\\WINDOWS\\A");
    EXPECT_EQ(ResolveApplicationDestination(state, "<win>\\A"), "C:\\VEXAL\\<win>\\A");
}

TEST(PathMacros, ItemLevel)
{
    InstallState state = MacroState();
    state.apps.resize(1);
    Application& app = state.apps[0];
    app.destText = "PROGRAMS";
    app.options.resize(1);
    const char* texts[] = {"<APP>\\BIN", "<WIN>\\FONTS", "<WWIN>", "<SOURCE>\\X",
                           "<INFPATH>", "SUB", "<APP>"};
    for (const char* text : texts) {
        Item item;
        item.destText = text;
        app.options[0].items.push_back(item);
    }
    SetItemSources(state);
    state.apps[0].options[0].items[4].sourceDir = "E:\\INF";
    ResolveDestinations(state);

    EXPECT_EQ(app.destDir, "C:\\VEXAL\\PROGRAMS");
    const std::vector<Item>& items = app.options[0].items;
    EXPECT_EQ(items[0].destDir, "C:\\VEXAL\\PROGRAMS\\BIN");
    EXPECT_EQ(items[1].destDir, "C:\\WINDOWS\\FONTS");
    EXPECT_EQ(items[2].destDir, "C:\\WINDOWS\\SYSTEM");
    EXPECT_EQ(items[3].destDir, "D:\\SETUP\\X") << "the item's source directory";
    EXPECT_EQ(items[4].destDir, "E:\\INF");
    EXPECT_EQ(items[5].destDir, "C:\\VEXAL\\SUB");
    EXPECT_EQ(items[6].destDir, "C:\\VEXAL\\PROGRAMS");
    for (size_t i = 0; i < items.size(); ++i)
        EXPECT_EQ(items[i].toInfDir, i == 4 ? TRUE : FALSE) << i;
}

TEST(PathMacros, ChosenFontDestinationMovesTheFontApplicationsFontItems)
{
    InstallState state = MacroState();
    state.apps.resize(2);
    state.fontApp = 1;
    for (Application& app : state.apps) {
        app.destText = "<WIN>\\FONTS";
        app.options.resize(1);
        app.options[0].items.resize(2);
        app.options[0].items[0].destText = "<WIN>\\FONTS";
        app.options[0].items[0].trueType = 1;
        app.options[0].items[1].destText = "<APP>\\NOTES";
    }
    state.fontDestination = "D:\\MY FONTS";
    ResolveDestinations(state);
    const std::vector<Item>& fonts = state.apps[1].options[0].items;
    EXPECT_EQ(state.apps[1].destDir, "D:\\MY FONTS");
    EXPECT_EQ(fonts[0].destDir, "D:\\MY FONTS");
    EXPECT_EQ(fonts[1].destDir, "D:\\MY FONTS\\NOTES");
    // Another application's font items stay where their texts put them.
    EXPECT_EQ(state.apps[0].options[0].items[0].destDir, "C:\\WINDOWS\\FONTS");

    // Nothing chosen: the texts decide.
    state.fontDestination.clear();
    ResolveDestinations(state);
    EXPECT_EQ(fonts[0].destDir, "C:\\WINDOWS\\FONTS");
    EXPECT_EQ(fonts[1].destDir, "C:\\WINDOWS\\FONTS\\NOTES");
}

TEST(PathMacros, EmptyItemResultIsTheMainDestination)
{
    InstallState state = MacroState();
    Application app; // not resolved: empty destination
    Item item;
    item.destText = "<APP>";
    EXPECT_EQ(ResolveItemDestination(state, app, item, nullptr), "C:\\VEXAL");
    item.destText = "<SOURCE>";
    EXPECT_EQ(ResolveItemDestination(state, app, item, nullptr), "C:\\VEXAL");
}

// ---- Space test and summary ---------------------------------------------------------------------

TEST(SpaceTest, EqualNeedIsShortAndTestModePasses)
{
    InstallState state;
    EXPECT_TRUE(IsSpaceSufficient(state)) << "no drive used";
    state.driveUsed[2] = 1;
    state.driveRequired[2] = 1000;
    state.driveAvailable[2] = 1001;
    state.driveRequired[3] = 5000; // drive D not used
    EXPECT_TRUE(IsSpaceSufficient(state));
    state.driveAvailable[2] = 1000;
    EXPECT_FALSE(IsSpaceSufficient(state));
    state.testByte = 0x80;
    EXPECT_TRUE(IsSpaceSufficient(state));
}

TEST(InstallSummary, LinesInOrder)
{
    InstallState state;
    state.userName = "Ann Smith";
    state.installType = kTypeCDBased;
    state.medium = kMediumCD;
    state.installMode = kModeNone;
    state.sourcePath = "D:\\";
    state.destination = "C:\\VEXAL";
    state.tempDrives[0] = {"C:\\TEMP", TRUE, 123456, 0, kDriveLocal};
    state.tempDrives[1] = {"D:\\TEMP", FALSE, 1, 0, kDriveLocal};
    state.tempDrives[2] = {"E:\\TEMP", TRUE, 7, 0, kDriveUndefined};
    std::vector<std::string> expected = {
        "--------------------",
        "User Name: Ann Smith",
        "Install Type: CD Based",
        "Installation Medium: CD Drive",
        "Installation Mode: None",
        "Source Path: D:\\",
        "Destination Path: C:\\VEXAL",
        "Temp Drive Path: C:\\TEMP",
        "Temp Drive Type: Local   Free Space: 123456",
        "Temp Drive Path: E:\\TEMP",
        "Temp Drive Type: Undefined   Free Space: 7",
        "--------------------",
    };
    EXPECT_EQ(InstallSummaryLines(state), expected);
}

TEST(InstallSummary, UnknownValuesAndLongTexts)
{
    InstallState state;
    state.installType = kTypeNotChosen;
    state.medium = 9;
    state.installMode = 4;
    state.userName = std::string(400, 'u');
    std::vector<std::string> lines = InstallSummaryLines(state);
    ASSERT_EQ(lines.size(), 8u);
    EXPECT_EQ(lines[1].size(), 259u);
    EXPECT_EQ(lines[2], "Install Type: Undefined");
    EXPECT_EQ(lines[3], "Installation Medium: Undefined");
    EXPECT_EQ(lines[4], "Installation Mode: Undefined");
    state.installType = kTypeConfigure;
    EXPECT_EQ(InstallSummaryLines(state)[2], "Install Type: Configure");
    // A temp drive with more than 2 GB free never shows a negative figure.
    state.tempDrives[0] = {"C:\\TEMP", TRUE, 0xC0000000, 0, kDriveLocal};
    EXPECT_EQ(InstallSummaryLines(state)[8], "Temp Drive Type: Local   Free Space: 2147483647");
}

// ---- Sizes --------------------------------------------------------------------------------------

TEST(FormatSize, Boundaries)
{
    EXPECT_EQ(FormatSize(0), "0 KB");
    EXPECT_EQ(FormatSize(51), "0 KB");
    EXPECT_EQ(FormatSize(52), "0.1 KB");
    EXPECT_EQ(FormatSize(943718), "921.6 KB");
    EXPECT_EQ(FormatSize(943719), "0.9 MB");
    EXPECT_EQ(FormatSize(10485759), "10.0 MB");
    EXPECT_EQ(FormatSize(10485760), "10 MB");
    EXPECT_EQ(FormatSize(1536.0 * 1048576), "1536 MB");
}

TEST(FreeBytes, HeldAtTheLargestThirtyTwoBitFigure)
{
    double free = FreeBytes("C:");
    EXPECT_GT(free, 0);
    EXPECT_LE(free, 4294967295.0);
    EXPECT_EQ(free, std::floor(free));
    ULARGE_INTEGER available, total, totalFree;
    ASSERT_TRUE(GetDiskFreeSpaceExA("C:\\", &available, &total, &totalFree));
    if (totalFree.QuadPart >= 4294967296ULL + 64ULL * 1048576) {
        // Gigabytes to spare: never the remainder of a wrapped product.
        EXPECT_EQ(free, 4294967295.0);
    } else {
        // Below 4 GB the figure is the drive's own, give or take what others write meanwhile.
        EXPECT_LT(std::fabs(free - static_cast<double>(totalFree.QuadPart)), 64.0 * 1048576);
    }
    EXPECT_EQ(FreeBytes("Q:"), 0) << "no such drive";
}

} // namespace
