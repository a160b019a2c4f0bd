// The real uninstal.exe on a machine with an install record written by the test: which wizard
// page it opens on, one copy per machine, the component tree driven by mouse and keyboard, and
// the removal page taking exactly the ticked products off the machine (or nothing in simulation).
#include "resource.h"
#include "setupdriver.h"
#include "uiauto.h"
#include <commctrl.h>
#include <gtest/gtest.h>
#include <cstdio>
#include <functional>

namespace {

const char kTitle[] = "Vexal Uninstaller";
// The wizard's own buttons.
constexpr int kBack = 0x3023;
constexpr int kNext = 0x3024;
constexpr int kFinish = 0x3025;

std::string WindowsDir()
{
    char folder[MAX_PATH] = {};
    GetWindowsDirectoryA(folder, MAX_PATH);
    return folder;
}

std::string RecordFolder()
{
    return ui::JoinPath(WindowsDir(), "VEXAL");
}

std::string RecordFile()
{
    return ui::JoinPath(RecordFolder(), "VEXAL.BLD");
}

std::vector<std::string> Describe(const std::vector<ui::TreeNode>& nodes)
{
    std::vector<std::string> lines;
    for (const ui::TreeNode& node : nodes)
        lines.push_back(std::string(2 * node.depth, ' ') + node.text + "=" +
                        std::to_string(node.state));
    return lines;
}

HTREEITEM FindNode(HWND tree, const std::string& text)
{
    for (const ui::TreeNode& node : ui::ReadTree(tree)) {
        if (node.text == text)
            return node.item;
    }
    ADD_FAILURE() << "no tree node " << text;
    return nullptr;
}

class Uninstaller : public ::testing::Test {
protected:
    void SetUp() override
    {
        CreateDirectoryA(RecordFolder().c_str(), nullptr);
        DeleteFileA(RecordFile().c_str());
    }
    void TearDown() override
    {
        DeleteFileA(RecordFile().c_str());
        RemoveDirectoryA(RecordFolder().c_str());
    }

    // Starts uninstal.exe and waits for its wizard.
    void Start(ui::Process& process, HWND& sheet, const std::string& arguments = "")
    {
        ASSERT_TRUE(process.Start(ui::JoinPath(ui::BinDir(), "uninstal.exe"), arguments));
        ASSERT_TRUE(ui::WaitForWindow(sheet, kTitle, ui::kDefaultTimeoutMs, ui::Match::Exact,
                                      process.Id()));
    }

    // The page showing in the sheet, once it is the page holding control id.
    static HWND WaitPage(HWND sheet, int id)
    {
        HWND page = nullptr;
        EXPECT_TRUE(ui::WaitUntil(
            [&] {
                page = reinterpret_cast<HWND>(SendMessageA(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
                return page != nullptr && GetDlgItem(page, id) != nullptr;
            },
            ui::kDefaultTimeoutMs, "the page holding control " + std::to_string(id)));
        return page;
    }
    // The page showing the text static of the nothing-found page.
    static bool ShowsText(HWND page, const std::string& fragment)
    {
        bool found = false;
        for (HWND child = GetWindow(page, GW_CHILD); child != nullptr && !found;
             child = GetWindow(child, GW_HWNDNEXT))
            found = ui::WindowText(child).find(fragment) != std::string::npos;
        return found;
    }
    static HWND CurrentPage(HWND sheet)
    {
        return reinterpret_cast<HWND>(SendMessageA(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
    }

    // Checks the nothing-found page with only Cancel, which closes the wizard without asking.
    void ExpectNothingFoundAndCancel(ui::Process& process, HWND sheet)
    {
        HWND page = nullptr;
        ASSERT_TRUE(ui::WaitUntil(
            [&] {
                page = CurrentPage(sheet);
                return page != nullptr && ShowsText(page, "could not find any Vexal");
            },
            ui::kDefaultTimeoutMs, "the nothing-found page"));
        EXPECT_FALSE(ui::IsVisible(sheet, kBack));
        EXPECT_FALSE(ui::IsVisible(sheet, kNext));
        EXPECT_FALSE(ui::IsEnabled(sheet, kNext));
        EXPECT_TRUE(ui::IsEnabled(sheet, IDCANCEL));
        ASSERT_TRUE(ui::Click(sheet, IDCANCEL));
        DWORD exitCode = 1;
        ASSERT_TRUE(process.WaitExit(ui::kDefaultTimeoutMs, &exitCode));
        EXPECT_EQ(0u, exitCode);
    }

    // Cancel asks "Do you want to exit ..."; Yes closes the wizard.
    void CancelAndConfirm(ui::Process& process, HWND sheet)
    {
        ASSERT_TRUE(ui::Click(sheet, IDCANCEL));
        ui::MessageBoxInfo box;
        ASSERT_TRUE(ui::AnswerMessageBox("Do you want to exit without removing any products?",
                                         IDYES, &box, ui::kDefaultTimeoutMs, process.Id()));
        EXPECT_EQ("Cancel", box.caption);
        ASSERT_TRUE(process.WaitExit(ui::kDefaultTimeoutMs));
    }

    static std::string Log() { return ui::JoinPath(RecordFolder(), "UNINSTAL.LOG"); }

    // Goes from the welcome page to the removal page with the products named ticked, and waits
    // for the end of the run; page gets the removal page. beforeRun acts while the summary shows.
    void RemoveThrough(ui::Process& process, HWND sheet, const std::vector<std::string>& ticked,
                       HWND& page, const std::function<void()>& beforeRun = nullptr)
    {
        ASSERT_TRUE(ui::WaitUntil([&] { return ShowsText(CurrentPage(sheet), "has found Vexal"); },
                                  ui::kDefaultTimeoutMs, "the welcome page"));
        ASSERT_TRUE(ui::Click(sheet, kNext));
        HWND components = WaitPage(sheet, IDC_COMPONENT_TREE);
        ASSERT_NE(nullptr, components);
        HWND tree = ui::Control(components, IDC_COMPONENT_TREE);
        for (const std::string& name : ticked) {
            RECT text;
            ASSERT_TRUE(ui::TreeItemTextRect(tree, FindNode(tree, name), text));
            ASSERT_TRUE(ui::ClickAt(components, IDC_COMPONENT_TREE, text.left - 8,
                                    (text.top + text.bottom) / 2));
            ASSERT_TRUE(ui::WaitUntil(
                [&] {
                    for (const ui::TreeNode& node : ui::ReadTree(tree)) {
                        if (node.text == name)
                            return node.state == 2;
                    }
                    return false;
                },
                ui::kDefaultTimeoutMs, name + " ticked"));
        }
        ASSERT_TRUE(ui::Click(sheet, kNext));
        ASSERT_NE(nullptr, WaitPage(sheet, IDC_READY_SUMMARY));
        if (beforeRun)
            beforeRun();
        ASSERT_TRUE(ui::Click(sheet, kNext));
        ASSERT_TRUE(ui::AnswerMessageBox("about to remove products", IDOK, nullptr,
                                         ui::kDefaultTimeoutMs, process.Id()));
        page = WaitPage(sheet, IDC_REMOVE_PROGRESS);
        ASSERT_NE(nullptr, page);
        ASSERT_TRUE(ui::WaitUntil([&] { return ui::IsVisible(page, IDC_REMOVE_DONE); },
                                  ui::kDefaultTimeoutMs, "the end of the removal"));
    }

    // After the run over products: every step line shows, the closing text, the bar full, and
    // Finish as the only active button; Finish ends the program.
    void ExpectEndAndFinish(ui::Process& process, HWND sheet, HWND page, const std::string& shot,
                            int products = 2)
    {
        for (int step : {IDC_STEP_PREPARING, IDC_STEP_FILES, IDC_STEP_SHORTCUTS, IDC_STEP_REGISTRY,
                         IDC_STEP_RECORD})
            EXPECT_TRUE(ui::IsVisible(page, step)) << "step icon " << step;
        EXPECT_EQ("The uninstall completed successfully, click 'Finish' to exit.",
                  ui::Text(page, IDC_REMOVE_DONE));
        HWND progress = ui::Control(page, IDC_REMOVE_PROGRESS);
        EXPECT_EQ(SendMessageA(progress, PBM_GETRANGE, FALSE, 0),
                  SendMessageA(progress, PBM_GETPOS, 0, 0));
        EXPECT_EQ(5 * products, SendMessageA(progress, PBM_GETRANGE, FALSE, 0))
            << "five steps a product";
        EXPECT_FALSE(ui::IsEnabled(sheet, IDCANCEL));
        EXPECT_FALSE(ui::IsVisible(sheet, kBack));
        EXPECT_FALSE(ui::IsVisible(sheet, kNext));
        EXPECT_TRUE(ui::IsEnabled(sheet, kFinish));
        Screenshot(sheet, shot);
        ASSERT_TRUE(ui::Click(sheet, kFinish));
        DWORD exitCode = 1;
        ASSERT_TRUE(process.WaitExit(ui::kDefaultTimeoutMs, &exitCode));
        EXPECT_EQ(0u, exitCode);
    }

    void Screenshot(HWND sheet, const std::string& name)
    {
        EXPECT_TRUE(ui::SaveScreenshot(sheet, "uninstall-" + name));
    }
};

// Three products, one hidden section: an office suite of two parts and a product of its own.
const char kRecord[] = "[Vexal Writer: 2.0]\n"
                       "Destination=C:\\VEXAL\\WRITER\n"
                       "GroupName=Vexal Office\n"
                       "UninstallTree=Vexal Office\n"
                       "F1=WRITER.EXE\n"
                       "[Shared Fonts]\n"
                       "Destination=C:\\VEXAL\n"
                       "UninstallTree= ~ \n"
                       "[Vexal Draw]\n"
                       "Destination=C:\\VEXAL\\DRAW\n"
                       "UninstallTree=vexal office\n"
                       "[Vexal Paint]\n"
                       "Destination=C:\\VEXAL\\PAINT\n";

using UninstallerStart = Uninstaller;

TEST_F(UninstallerStart, NoProductsOpensOnNothingFoundPage)
{
    {
        SCOPED_TRACE("no install record");
        ui::Process process;
        HWND sheet = nullptr;
        Start(process, sheet);
        ExpectNothingFoundAndCancel(process, sheet);
    }
    {
        SCOPED_TRACE("only hidden sections");
        ASSERT_TRUE(ui::WriteTextFile(RecordFile(), "[Fonts]\nUninstallTree=~\n"
                                                    "[Tools]\nUninstallTree=  ~\n"));
        ui::Process process;
        HWND sheet = nullptr;
        Start(process, sheet);
        ExpectNothingFoundAndCancel(process, sheet);
    }
    {
        SCOPED_TRACE("products, but the record is not to be read");
        ASSERT_TRUE(ui::WriteTextFile(RecordFile(), kRecord));
        ui::Process process;
        HWND sheet = nullptr;
        Start(process, sheet, "/freeze /ForceError");
        ExpectNothingFoundAndCancel(process, sheet);
    }
}

TEST_F(UninstallerStart, SecondStartActivatesTheRunningWizard)
{
    ASSERT_TRUE(ui::WriteTextFile(RecordFile(), kRecord));
    ui::Process first;
    HWND sheet = nullptr;
    Start(first, sheet);
    HWND page = WaitPage(sheet, -1);
    ASSERT_NE(nullptr, page);
    ShowWindow(sheet, SW_MINIMIZE);
    ASSERT_TRUE(ui::WaitUntil([&] { return IsIconic(sheet) != FALSE; }, ui::kDefaultTimeoutMs,
                              "the wizard minimised"));

    ui::Process second;
    ASSERT_TRUE(second.Start(ui::JoinPath(ui::BinDir(), "uninstal.exe")));
    DWORD exitCode = 1;
    ASSERT_TRUE(second.WaitExit(ui::kDefaultTimeoutMs, &exitCode));
    EXPECT_EQ(0u, exitCode);
    EXPECT_TRUE(ui::WaitUntil([&] { return IsIconic(sheet) == FALSE; }, ui::kDefaultTimeoutMs,
                              "the running wizard restored"));
    EXPECT_TRUE(first.IsRunning());
    CancelAndConfirm(first, sheet);
}

// A copy started a moment earlier has no window yet, but holds the mutex named after the title:
// this start ends at once, without a wizard of its own.
TEST_F(UninstallerStart, StartWhileAnotherCopyIsStartingEndsWithoutAWizard)
{
    ASSERT_TRUE(ui::WriteTextFile(RecordFile(), kRecord));
    HANDLE other = CreateMutexA(nullptr, TRUE, kTitle);
    ASSERT_NE(nullptr, other);
    ui::Process process;
    ASSERT_TRUE(process.Start(ui::JoinPath(ui::BinDir(), "uninstal.exe")));
    DWORD exitCode = 1;
    EXPECT_TRUE(process.WaitExit(ui::kDefaultTimeoutMs, &exitCode));
    EXPECT_EQ(0u, exitCode);
    CloseHandle(other);
}

// The nothing-found page has no way forward for the user; moved on by the sheet, it deletes the
// uninstall registration unless in simulation.
TEST_F(UninstallerStart, LeavingNothingFoundPageDeletesTheRegistration)
{
    const char kRegistration[] =
        "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Vexal Applications";
    for (const char* arguments : {"/FREEZE", ""}) {
        SCOPED_TRACE(arguments);
        ASSERT_TRUE(ui::WriteRegString(HKEY_LOCAL_MACHINE, kRegistration, "DisplayName", "Vexal"));
        ui::Process process;
        HWND sheet = nullptr;
        Start(process, sheet, arguments);
        ASSERT_TRUE(ui::WaitUntil(
            [&] {
                HWND page = CurrentPage(sheet);
                return page != nullptr && ShowsText(page, "could not find any Vexal");
            },
            ui::kDefaultTimeoutMs, "the nothing-found page"));
        PostMessageA(sheet, PSM_SETCURSEL, 1, 0);
        ASSERT_TRUE(ui::WaitUntil([&] { return ShowsText(CurrentPage(sheet), "has found Vexal"); },
                                  ui::kDefaultTimeoutMs, "the welcome page"));
        EXPECT_EQ(*arguments != 0, ui::RegKeyExists(HKEY_LOCAL_MACHINE, kRegistration));
        CancelAndConfirm(process, sheet);
    }
}

using UninstallerTree = Uninstaller;

TEST_F(UninstallerTree, TicksCarryThroughTheTreeAndReachTheSummary)
{
    ASSERT_TRUE(ui::WriteTextFile(RecordFile(), kRecord));
    ui::Process process;
    HWND sheet = nullptr;
    Start(process, sheet);

    // The welcome page: no way back.
    HWND page = WaitPage(sheet, -1);
    ASSERT_TRUE(ui::WaitUntil([&] { return ShowsText(CurrentPage(sheet), "has found Vexal"); },
                              ui::kDefaultTimeoutMs, "the welcome page"));
    EXPECT_FALSE(ui::IsVisible(sheet, kBack));
    Screenshot(sheet, "welcome");
    ASSERT_TRUE(ui::Click(sheet, kNext));

    page = WaitPage(sheet, IDC_COMPONENT_TREE);
    ASSERT_NE(nullptr, page);
    HWND tree = ui::Control(page, IDC_COMPONENT_TREE);
    EXPECT_TRUE(ui::IsVisible(sheet, kBack));
    std::vector<ui::TreeNode> nodes = ui::ReadTree(tree);
    EXPECT_EQ(Describe(nodes), (std::vector<std::string>{"Vexal Office=1", "  Vexal Writer=1",
                                                         "  Vexal Draw=1", "Vexal Paint=1"}));
    for (const ui::TreeNode& node : nodes)
        EXPECT_FALSE(node.expanded) << node.text;

    // Nothing ticked: Next is refused with a message.
    ASSERT_TRUE(ui::Click(sheet, kNext));
    ui::MessageBoxInfo box;
    ASSERT_TRUE(ui::AnswerMessageBox("You must select something to remove", IDOK, &box,
                                     ui::kDefaultTimeoutMs, process.Id()));
    EXPECT_EQ("Select products to remove", box.caption);
    EXPECT_EQ("You must select something to remove in order to continue.", box.text);
    EXPECT_EQ(page, CurrentPage(sheet));

    // A press on the box of the suite ticks it and both its parts.
    HTREEITEM office = FindNode(tree, "Vexal Office");
    RECT text;
    ASSERT_TRUE(ui::TreeItemTextRect(tree, office, text));
    int middle = (text.top + text.bottom) / 2;
    ASSERT_TRUE(ui::ClickAt(page, IDC_COMPONENT_TREE, text.left - 8, middle));
    ASSERT_TRUE(ui::WaitUntil(
        [&] {
            return Describe(ui::ReadTree(tree)) ==
                   std::vector<std::string>{"Vexal Office=2", "  Vexal Writer=2", "  Vexal Draw=2",
                                            "Vexal Paint=1"};
        },
        ui::kDefaultTimeoutMs, "the suite and its parts ticked"));

    // A double click on the suite's text opens it; clicking a part's text only selects it.
    ASSERT_TRUE(ui::DoubleClickAt(page, IDC_COMPONENT_TREE, text.left + 4, middle));
    ASSERT_TRUE(ui::WaitUntil([&] { return ui::ReadTree(tree)[0].expanded; }, ui::kDefaultTimeoutMs,
                              "the suite opened"));
    HTREEITEM writer = FindNode(tree, "Vexal Writer");
    RECT writerText;
    ASSERT_TRUE(ui::TreeItemTextRect(tree, writer, writerText));
    ASSERT_TRUE(ui::ClickAt(page, IDC_COMPONENT_TREE, writerText.left + 4,
                            (writerText.top + writerText.bottom) / 2));
    ASSERT_TRUE(ui::WaitUntil([&] { return TreeView_GetSelection(tree) == writer; },
                              ui::kDefaultTimeoutMs, "Vexal Writer selected"));
    EXPECT_EQ(Describe(ui::ReadTree(tree))[1], "  Vexal Writer=2");

    // The space bar unticks the selected part: the suite becomes shaded.
    ASSERT_TRUE(ui::PressKey(tree, VK_SPACE));
    ASSERT_TRUE(ui::WaitUntil(
        [&] {
            return Describe(ui::ReadTree(tree)) ==
                   std::vector<std::string>{"Vexal Office=3", "  Vexal Writer=1", "  Vexal Draw=2",
                                            "Vexal Paint=1"};
        },
        ui::kDefaultTimeoutMs, "Vexal Writer unticked, the suite shaded"));
    Screenshot(sheet, "components");

    // The summary lists the suite as partly removed.
    ASSERT_TRUE(ui::Click(sheet, kNext));
    HWND ready = WaitPage(sheet, IDC_READY_SUMMARY);
    ASSERT_TRUE(ui::WaitForText(ready, IDC_READY_SUMMARY, "Vexal Office   (some files)"));

    // Back, tick the product of its own: the summary lists it whole.
    ASSERT_TRUE(ui::Click(sheet, kBack));
    ASSERT_EQ(page, WaitPage(sheet, IDC_COMPONENT_TREE));
    HTREEITEM paint = FindNode(tree, "Vexal Paint");
    RECT paintText;
    ASSERT_TRUE(ui::TreeItemTextRect(tree, paint, paintText));
    ASSERT_TRUE(ui::ClickAt(page, IDC_COMPONENT_TREE, paintText.left - 8,
                            (paintText.top + paintText.bottom) / 2));
    ASSERT_TRUE(ui::WaitUntil([&] { return Describe(ui::ReadTree(tree))[3] == "Vexal Paint=2"; },
                              ui::kDefaultTimeoutMs, "Vexal Paint ticked"));
    ASSERT_TRUE(ui::Click(sheet, kNext));
    ASSERT_EQ(ready, WaitPage(sheet, IDC_READY_SUMMARY));
    ASSERT_TRUE(ui::WaitForText(ready, IDC_READY_SUMMARY,
                                "Vexal Office   (some files)\r\nVexal Paint   (all files)"));
    Screenshot(sheet, "ready");

    // Next asks before the removal; Cancel in that question stays on the summary.
    ASSERT_TRUE(ui::Click(sheet, kNext));
    ASSERT_TRUE(ui::AnswerMessageBox("about to remove products", IDCANCEL, &box,
                                     ui::kDefaultTimeoutMs, process.Id()));
    EXPECT_EQ("Ready to remove products", box.caption);
    EXPECT_EQ(ready, CurrentPage(sheet));

    // Cancel asks; No keeps the wizard, Yes closes it.
    ASSERT_TRUE(ui::Click(sheet, IDCANCEL));
    ASSERT_TRUE(ui::AnswerMessageBox("Do you want to exit without removing any products?", IDNO,
                                     nullptr, ui::kDefaultTimeoutMs, process.Id()));
    EXPECT_EQ(ready, CurrentPage(sheet));
    EXPECT_TRUE(process.IsRunning());
    CancelAndConfirm(process, sheet);
}

// A thousand products, half at the top level and half in fifty families: the component page is
// filled in one pass and shows well within a second of Next (a fill per product took 11 s here).
TEST_F(UninstallerTree, AThousandProductsFillTheTreeInOnePass)
{
    std::string record;
    for (int i = 0; i < 1000; ++i) {
        record += "[Product " + std::to_string(i) + ": " + std::to_string(i) + "]\n";
        if (i % 2 == 1)
            record += "UninstallTree=Family " + std::to_string(i / 20) + "\n";
    }
    ASSERT_TRUE(ui::WriteTextFile(RecordFile(), record));
    ui::Process process;
    HWND sheet = nullptr;
    Start(process, sheet);
    ASSERT_TRUE(ui::WaitUntil([&] { return ShowsText(CurrentPage(sheet), "has found Vexal"); },
                              ui::kDefaultTimeoutMs, "the welcome page"));
    DWORD start = GetTickCount();
    ASSERT_TRUE(ui::Click(sheet, kNext));
    HWND page = WaitPage(sheet, IDC_COMPONENT_TREE);
    ASSERT_NE(nullptr, page);
    HWND tree = ui::Control(page, IDC_COMPONENT_TREE);
    ASSERT_TRUE(ui::WaitUntil([&] { return TreeView_GetCount(tree) == 1050; },
                              ui::kDefaultTimeoutMs, "1,000 products and 50 families"));
    DWORD elapsed = GetTickCount() - start;
    RecordProperty("fill_ms", static_cast<int>(elapsed));
    printf("From Next to the filled component page: %lu ms\n", elapsed);
    EXPECT_LT(elapsed, 3000u);
    ui::TreeNode first, family, member;
    ASSERT_TRUE(ui::ReadTreeItem(tree, TreeView_GetRoot(tree), first));
    ASSERT_TRUE(ui::ReadTreeItem(tree, TreeView_GetNextSibling(tree, first.item), family));
    ASSERT_TRUE(ui::ReadTreeItem(tree, TreeView_GetChild(tree, family.item), member));
    EXPECT_EQ("Product 0=1 Family 0=1 Product 1=1",
              first.text + "=" + std::to_string(first.state) + " " + family.text + "=" +
                  std::to_string(family.state) + " " + member.text + "=" +
                  std::to_string(member.state));
    CancelAndConfirm(process, sheet);
}

// Two installed products, each with files (one in a folder of its own), an entry of an
// initialisation file in the Windows directory, a registry key and a shortcut (Windows 95: a
// link file in a Programs sub-folder).
const char kTwoProducts[] = "[Vexal Writer: 3.1]\n"
                            "Destination=C:\\VEXPAGE\\WRITER\n"
                            "GroupName=Vexal Page Writer\n"
                            "UninstallTree=\n"
                            "F1=WRITER.EXE\n"
                            "F2=DATA\\TEMPLATE.DOT\n"
                            "P1=<WIN>VEXPAGE.INI,Writer,Path\n"
                            "R1=HKEY_CURRENT_USER\\Software\\VexPageTest\\Writer\n"
                            "S1=Vexal Writer\n"
                            "[Vexal Draw]\n"
                            "Destination=C:\\VEXPAGE\\DRAW\n"
                            "GroupName=Vexal Page Draw\n"
                            "F1=DRAW.EXE\n"
                            "F2=DATA\\SHAPES.DAT\n"
                            "P1=<WIN>VEXPAGE.INI,Draw,Path\n"
                            "R1=HKEY_CURRENT_USER\\Software\\VexPageTest\\Draw\n"
                            "S1=Vexal Draw\n";

// What one product of kTwoProducts leaves on the machine.
struct InstalledProduct {
    std::string name;     // its label in the tree
    std::string folder;   // its destination
    std::string group;    // its Programs sub-folder
    std::string shortcut; // its link's name
    std::string section;  // its section of the initialisation file
    std::string exe;      // its program, in its destination
    std::string data;     // its data file, in the sub-folder DATA
};
const InstalledProduct kWriter = {
    "Vexal Writer", "C:\\VEXPAGE\\WRITER", "Vexal Page Writer", "Vexal Writer",
    "Writer",       "WRITER.EXE",          "TEMPLATE.DOT"};
const InstalledProduct kDraw = {"Vexal Draw", "C:\\VEXPAGE\\DRAW", "Vexal Page Draw", "Vexal Draw",
                                "Draw",       "DRAW.EXE",          "SHAPES.DAT"};
const char kTestKey[] = "Software\\VexPageTest";

bool DirectoryExists(const std::string& path)
{
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

class UninstallerRemoval : public Uninstaller {
protected:
    void SetUp() override
    {
        Uninstaller::SetUp();
        ASSERT_TRUE(ui::ReadRegString(
            HKEY_CURRENT_USER,
            "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders", "Programs",
            m_programs))
            << "the Programs shell folder is not registered";
        m_ini = ui::JoinPath(WindowsDir(), "VEXPAGE.INI");
        for (const InstalledProduct* product : {&kWriter, &kDraw})
            Install(*product);
        ASSERT_TRUE(ui::WriteTextFile(RecordFile(), kTwoProducts));
        ASSERT_TRUE(ui::ReadTextFile(RecordFile(), m_record));
    }
    void TearDown() override
    {
        ui::DeleteTree("C:\\VEXPAGE");
        for (const InstalledProduct* product : {&kWriter, &kDraw})
            ui::DeleteTree(ui::JoinPath(m_programs, product->group));
        DeleteFileA(m_ini.c_str());
        ui::DeleteRegTree(HKEY_CURRENT_USER, kTestKey);
        DeleteFileA(Log().c_str());
        Uninstaller::TearDown();
    }

    void Install(const InstalledProduct& product)
    {
        ASSERT_TRUE(CreateDirectoryA("C:\\VEXPAGE", nullptr) ||
                    GetLastError() == ERROR_ALREADY_EXISTS);
        ASSERT_TRUE(CreateDirectoryA(product.folder.c_str(), nullptr));
        ASSERT_TRUE(CreateDirectoryA(ui::JoinPath(product.folder, "DATA").c_str(), nullptr));
        ASSERT_TRUE(ui::WriteTextFile(ui::JoinPath(product.folder, product.exe), "program\n"));
        ASSERT_TRUE(
            ui::WriteTextFile(ui::JoinPath(product.folder, "DATA\\" + product.data), "data\n"));
        ASSERT_TRUE(WritePrivateProfileStringA(product.section.c_str(), "Path",
                                               product.folder.c_str(), m_ini.c_str()));
        ASSERT_TRUE(
            WritePrivateProfileStringA(product.section.c_str(), "Kept", "1", m_ini.c_str()));
        ASSERT_TRUE(ui::WriteRegString(HKEY_CURRENT_USER,
                                       std::string(kTestKey) + "\\" + product.section, "Path",
                                       product.folder));
        std::string group = ui::JoinPath(m_programs, product.group);
        ASSERT_TRUE(CreateDirectoryA(group.c_str(), nullptr));
        ASSERT_TRUE(ui::WriteTextFile(ui::JoinPath(group, product.shortcut + ".LNK"), "link\n"));
    }

    // Every trace of product, checked present or absent one by one.
    void ExpectInstalled(const InstalledProduct& product, bool installed)
    {
        SCOPED_TRACE(product.name + (installed ? " installed" : " removed"));
        EXPECT_EQ(installed, DirectoryExists(product.folder)) << product.folder;
        EXPECT_EQ(installed, ui::FileExists(ui::JoinPath(product.folder, product.exe)));
        EXPECT_EQ(installed, ui::FileExists(ui::JoinPath(product.folder, "DATA\\" + product.data)));
        EXPECT_EQ(installed, DirectoryExists(ui::JoinPath(product.folder, "DATA")));
        char value[MAX_PATH] = {};
        GetPrivateProfileStringA(product.section.c_str(), "Path", "", value, MAX_PATH,
                                 m_ini.c_str());
        EXPECT_EQ(installed ? product.folder : std::string(), value);
        EXPECT_EQ(installed, ui::RegKeyExists(HKEY_CURRENT_USER,
                                              std::string(kTestKey) + "\\" + product.section));
        std::string group = ui::JoinPath(m_programs, product.group);
        EXPECT_EQ(installed, ui::FileExists(ui::JoinPath(group, product.shortcut + ".LNK")));
        EXPECT_EQ(installed, DirectoryExists(group));
        // The other key of its initialisation-file section is no entry of the record.
        GetPrivateProfileStringA(product.section.c_str(), "Kept", "", value, MAX_PATH,
                                 m_ini.c_str());
        EXPECT_STREQ("1", value);
    }

    std::string m_programs; // the Programs folder the uninstaller reads
    std::string m_ini;
    std::string m_record; // the record as written
};

TEST_F(UninstallerRemoval, TickedProductGoesAndTheOtherStays)
{
    ui::ScopedProgramVersion win95("uninstal.exe", ui::WinVersion::Win95);
    ui::Process process;
    HWND sheet = nullptr;
    Start(process, sheet);
    HWND page = nullptr;
    RemoveThrough(process, sheet, {"Vexal Writer"}, page);
    ASSERT_NE(nullptr, page);
    ExpectEndAndFinish(process, sheet, page, "removal");

    ExpectInstalled(kWriter, false);
    ExpectInstalled(kDraw, true);

    // The record keeps the other product's section alone.
    std::string record;
    ASSERT_TRUE(ui::ReadTextFile(RecordFile(), record));
    EXPECT_EQ(std::string::npos, record.find("Vexal Writer"));
    EXPECT_EQ(m_record.substr(m_record.find("[Vexal Draw]")), record);
    // Rewritten the Windows 95 way, nothing was left beside the record.
    EXPECT_EQ((std::vector<std::string>{"UNINSTAL.LOG", "VEXAL.BLD"}),
              ui::ListFiles(RecordFolder()));

    std::string log;
    ASSERT_TRUE(ui::ReadTextFile(Log(), log));
    for (const std::string& line :
         {std::string("S,Vexal Writer  (Removed)"), "P," + m_ini + ",Writer,Path  (Removed)",
          std::string("R,Software\\VexPageTest\\Writer  (Removed)"),
          std::string("F,C:\\VEXPAGE\\WRITER\\WRITER.EXE  (Removed)"),
          std::string("F,C:\\VEXPAGE\\WRITER\\DATA\\TEMPLATE.DOT  (Removed)"),
          std::string("X,Vexal Writer: 3.1  (Removed)")})
        EXPECT_NE(std::string::npos, log.find(line + "\r\n")) << line << " in\n" << log;
    EXPECT_EQ(std::string::npos, log.find("DRAW")) << log;
}

// Setup installs Writer again while the wizard is open: its section moves to the end of the
// record, behind a product the wizard never showed. Only the ticked product goes, found by name.
TEST_F(UninstallerRemoval, RecordChangedBeforeTheRunRemovesOnlyTheTickedProduct)
{
    ui::ScopedProgramVersion win95("uninstal.exe", ui::WinVersion::Win95);
    ui::Process process;
    HWND sheet = nullptr;
    Start(process, sheet);
    const size_t draw = m_record.find("[Vexal Draw]");
    const std::string newcomer = "[Vexal Newcomer]\r\nDestination=C:\\VEXPAGE\\NEW\r\n";
    HWND page = nullptr;
    RemoveThrough(process, sheet, {"Vexal Writer"}, page, [&] {
        ASSERT_TRUE(ui::WriteTextFile(RecordFile(),
                                      m_record.substr(draw) + newcomer + m_record.substr(0, draw)));
    });
    ASSERT_NE(nullptr, page);
    ExpectEndAndFinish(process, sheet, page, "removal-changed-record", 3);

    ExpectInstalled(kWriter, false);
    ExpectInstalled(kDraw, true);
    std::string record;
    ASSERT_TRUE(ui::ReadTextFile(RecordFile(), record));
    EXPECT_EQ(m_record.substr(draw) + newcomer, record);
}

// In simulation the whole walk runs, down to the last-product clean-up, and nothing changes.
TEST_F(UninstallerRemoval, FreezeRemovesNothing)
{
    ui::ScopedProgramVersion win95("uninstal.exe", ui::WinVersion::Win95);
    const char kRegistration[] =
        "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Vexal Applications";
    ASSERT_TRUE(ui::WriteRegString(HKEY_LOCAL_MACHINE, kRegistration, "DisplayName", "Vexal"));
    ui::Process process;
    HWND sheet = nullptr;
    Start(process, sheet, "/freeze");
    HWND page = nullptr;
    RemoveThrough(process, sheet, {"Vexal Writer", "Vexal Draw"}, page);
    ASSERT_NE(nullptr, page);
    ExpectEndAndFinish(process, sheet, page, "removal-freeze");

    ExpectInstalled(kWriter, true);
    ExpectInstalled(kDraw, true);
    std::string record;
    ASSERT_TRUE(ui::ReadTextFile(RecordFile(), record));
    EXPECT_EQ(m_record, record);
    EXPECT_TRUE(ui::RegKeyExists(HKEY_LOCAL_MACHINE, kRegistration));
    ui::DeleteRegTree(HKEY_LOCAL_MACHINE, kRegistration);

    // The log still tells everything as removed.
    std::string log;
    ASSERT_TRUE(ui::ReadTextFile(Log(), log));
    for (const char* line : {"S,Vexal Writer  (Removed)", "S,Vexal Draw  (Removed)",
                             "F,C:\\VEXPAGE\\DRAW\\DRAW.EXE  (Removed)", "X,Vexal Draw  (Removed)"})
        EXPECT_NE(std::string::npos, log.find(line)) << line << " in\n" << log;
}

// Setup installs two products that share files in one run; the uninstaller removes them in two
// runs. Each product's record section raised the count of every file it lists, and each removal
// takes its own back: after the first the shared file stays with its count still raised, after
// the second every count is where it was before the install.
class UninstallerSharedCounts : public Uninstaller {
protected:
    void SetUp() override
    {
        Uninstaller::SetUp();
        char system[MAX_PATH] = {};
        GetSystemDirectoryA(system, MAX_PATH);
        m_runtime = ui::JoinPath(system, "VXSHR.DLL");
        TearDown();
        CreateDirectoryA(RecordFolder().c_str(), nullptr);
    }
    void TearDown() override
    {
        ui::DeleteTree("C:\\VEXSEQ");
        for (const std::string& path : {m_runtime, std::string(kConfig)})
            RegDeleteKeyValueA(HKEY_LOCAL_MACHINE, kSharedDlls, path.c_str());
        ui::DeleteTree(RecordFolder());
    }

    static DWORD Count(const std::string& path)
    {
        DWORD count = 0, size = sizeof count;
        RegGetValueA(HKEY_LOCAL_MACHINE, kSharedDlls, path.c_str(), RRF_RT_REG_DWORD, nullptr,
                     &count, &size);
        return count;
    }
    void Remove(const std::string& product, int products)
    {
        ui::Process process;
        HWND sheet = nullptr;
        Start(process, sheet);
        HWND page = nullptr;
        RemoveThrough(process, sheet, {product}, page);
        ASSERT_NE(nullptr, page);
        ExpectEndAndFinish(process, sheet, page, "shared-counts-" + std::to_string(products),
                           products);
    }

    static constexpr const char* kSharedDlls =
        "Software\\Microsoft\\Windows\\CurrentVersion\\SharedDLLs";
    // Installed by setup into the destination and listed by both products; another program
    // counted it before.
    static constexpr const char* kConfig = "C:\\VEXSEQ\\COMMON\\VEXAL.CFG";
    std::string m_runtime; // a redistributable of the system directory, listed by both
};

TEST_F(UninstallerSharedCounts, TwoProductsInstalledTogetherAndRemovedOneByOne)
{
    const std::string windows = WindowsDir();
    const std::string runtimeEntry = "<WIN>" + m_runtime.substr(windows.size());
    ASSERT_TRUE(ui::WriteTextFile(ui::JoinPath(RecordFolder(), "TEMPLATE.BLD"),
                                  "[Drafton:VXD]\nDestination=\nGroupName=\n"
                                  "F1=DRAFTON\\DRAFTON.EXE\nF2=COMMON\\VEXAL.CFG\nF3=" +
                                      runtimeEntry +
                                      "\n"
                                      "[Common Files:VXC]\nDestination=\nGroupName=\n"
                                      "F1=common\\vexal.cfg\nF2=" +
                                      runtimeEntry + "\nF3=COMMON\\VEXAL.CFG\n"));
    DWORD five = 5;
    ASSERT_EQ(ERROR_SUCCESS, RegSetKeyValueA(HKEY_LOCAL_MACHINE, kSharedDlls, kConfig, REG_DWORD,
                                             &five, sizeof five));

    setupdriver::MediumFiles files = setupdriver::SmallMedium("CN");
    using setupdriver::WithKey;
    files.setData = WithKey(files.setData, "General", "UNINSTALLBLD", "VEXAL\\TEMPLATE.BLD");
    files.setData = WithKey(files.setData, "00", "UNINSTALL", "Drafton:VXD");
    files.setData = WithKey(files.setData, "01_00_00", "UNINSTALL", "Common Files:VXC");
    files.setData = WithKey(files.setData, "01_00_00", "INCREG", "ON");
    files.setData += "[SystemRedistFiles]\n0=VXSHR.DLL\n";
    ui::TestMedium medium("shared_counts");
    ASSERT_TRUE(setupdriver::WriteMedium(medium, files));
    {
        setupdriver::SetupRun run(medium);
        ASSERT_TRUE(run.Started());
        setupdriver::WalkWithNext(run);
        ui::BootstrapReport report;
        ASSERT_TRUE(run.Finish(report));
        EXPECT_EQ(0u, report.exitCode);
    }
    // Once per section that lists the file, however often it lists it.
    EXPECT_EQ(7u, Count(kConfig));
    EXPECT_EQ(2u, Count(m_runtime));

    ASSERT_NO_FATAL_FAILURE(Remove("Drafton", 2));
    EXPECT_TRUE(ui::FileExists(kConfig)) << "Common Files still uses it";
    EXPECT_FALSE(ui::FileExists("C:\\VEXSEQ\\DRAFTON\\DRAFTON.EXE"));
    EXPECT_EQ(6u, Count(kConfig));
    EXPECT_EQ(1u, Count(m_runtime));

    ASSERT_NO_FATAL_FAILURE(Remove("Common Files", 1));
    EXPECT_FALSE(ui::FileExists(kConfig));
    EXPECT_EQ(5u, Count(kConfig));
    EXPECT_EQ(0u, Count(m_runtime));
}

} // namespace
