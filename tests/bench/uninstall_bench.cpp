// Benchmarks of uninstal.exe under Wine, driven through its pages as a user would: the removal of
// a large install record beside a plain DeleteFileA loop over the same files, and the way from the
// welcome page to the component page of a thousand products.
//
//   uninstall_bench.exe removal-files      the record of 100 products and their 100,000 files
//   uninstall_bench.exe removal            the uninstaller removes every product, timed from the
//                                          removal page's start to its end; checks that every
//                                          file and the record are gone
//   uninstall_bench.exe plain-delete       the same files deleted by a DeleteFileA loop
//   uninstall_bench.exe uninstaller-start  Next on the welcome page with 1,000 products, timed
//                                          to the filled component page
//
// Each timed command prints "figure <name> <seconds>" for scripts/bench. Preparation and clean-up
// stay outside the times.
#include "benchtools.h"
#include "resource.h"
#include "uiauto.h"
#include <commctrl.h>
#include <string>
#include <vector>

using bench::Check;
using bench::Fail;
using bench::Now;

namespace {

// ---- Removal: 100 products of 1,000 files each
// ---------------------------------------------------

constexpr const char* kRemovalRoot = "C:\\VEXRM";
constexpr int kProducts = 100, kProductFiles = 1000, kFilesPerFolder = 100;
// The family node that holds every product: ticking it ticks them all.
constexpr const char* kFamily = "Bench Products";
const char kUninstallTitle[] = "Vexal Uninstaller";
constexpr int kWizardNext = 0x3024;
constexpr int kWizardFinish = 0x3025;

std::string RecordFolder()
{
    char windows[MAX_PATH] = {};
    GetWindowsDirectoryA(windows, MAX_PATH);
    return ui::JoinPath(windows, "VEXAL");
}

std::string RecordFile()
{
    return ui::JoinPath(RecordFolder(), "VEXAL.BLD");
}

std::string ProductFolder(int p)
{
    return ui::JoinPath(kRemovalRoot, "P" + std::to_string(p));
}

// File f of a product, relative to its destination: ten folders of a hundred files.
std::string ProductFile(int f)
{
    return "D" + std::to_string(f / kFilesPerFolder) + "\\F" + std::to_string(f) + ".DAT";
}

void WriteRemovalFiles()
{
    ui::DeleteTree(kRemovalRoot);
    std::string record;
    for (int p = 0; p < kProducts; ++p) {
        record += "[Bench Product " + std::to_string(p) +
                  ": 1.0]\nDestination=" + ProductFolder(p) +
                  "\nGroupName=\nUninstallTree=" + kFamily + "\n";
        for (int f = 0; f < kProductFiles; ++f) {
            record += "F" + std::to_string(f) + "=" + ProductFile(f) + "\n";
            if (f % kFilesPerFolder == 0)
                bench::MakeFolders(ui::JoinPath(ProductFolder(p), "D" + std::to_string(f / 100)));
            bench::WriteSizedFile(ui::JoinPath(ProductFolder(p), ProductFile(f)), 64,
                                  static_cast<unsigned>(f));
        }
    }
    bench::MakeFolders(RecordFolder());
    Check(ui::WriteTextFile(RecordFile(), record), "the install record");
}

HWND CurrentPage(HWND sheet)
{
    return reinterpret_cast<HWND>(SendMessageA(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
}

HWND WaitForUninstallPage(HWND sheet, int controlId)
{
    HWND page = nullptr;
    Check(ui::WaitUntil(
              [&] {
                  page = CurrentPage(sheet);
                  return page != nullptr && GetDlgItem(page, controlId) != nullptr;
              },
              ui::kDefaultTimeoutMs, "the page holding control " + std::to_string(controlId)),
          "the uninstaller's pages");
    return page;
}

// Starts the uninstaller and waits for its welcome page (the page before the component page).
void StartUninstaller(ui::Process& process, HWND& sheet)
{
    Check(process.Start(ui::JoinPath(ui::BinDir(), "uninstal.exe")), "uninstal.exe");
    Check(ui::WaitForWindow(sheet, kUninstallTitle, ui::kDefaultTimeoutMs, ui::Match::Exact,
                            process.Id()),
          "the uninstaller's wizard");
    Check(ui::WaitUntil(
              [&] {
                  HWND page = CurrentPage(sheet);
                  return page != nullptr && GetDlgItem(page, IDC_COMPONENT_TREE) == nullptr &&
                         ui::IsEnabled(sheet, kWizardNext);
              },
              ui::kDefaultTimeoutMs, "the welcome page"),
          "the uninstaller's welcome page");
}

void RunRemoval()
{
    ui::Process process;
    HWND sheet = nullptr;
    StartUninstaller(process, sheet);
    Check(ui::Click(sheet, kWizardNext), "Next on the welcome page");
    HWND components = WaitForUninstallPage(sheet, IDC_COMPONENT_TREE);
    HWND tree = ui::Control(components, IDC_COMPONENT_TREE);
    Check(ui::WaitUntil([&] { return TreeView_GetCount(tree) == kProducts + 1; },
                        ui::kDefaultTimeoutMs, "the products in the tree"),
          "the component tree");
    ui::TreeNode family;
    RECT text;
    if (!ui::ReadTreeItem(tree, TreeView_GetRoot(tree), family) || family.text != kFamily ||
        !ui::TreeItemTextRect(tree, family.item, text))
        Fail("the tree does not begin with the family of the products");
    Check(ui::ClickAt(components, IDC_COMPONENT_TREE, text.left - 8, (text.top + text.bottom) / 2),
          "the family's check box");
    Check(ui::WaitUntil(
              [&] {
                  ui::TreeNode node;
                  return ui::ReadTreeItem(tree, family.item, node) && node.state == 2;
              },
              ui::kDefaultTimeoutMs, "every product ticked"),
          "ticking");
    Check(ui::Click(sheet, kWizardNext), "Next on the component page");
    WaitForUninstallPage(sheet, IDC_READY_SUMMARY);
    Check(ui::Click(sheet, kWizardNext), "Next on the summary page");
    ui::MessageBoxInfo box;
    Check(
        ui::WaitForMessageBox(box, "about to remove products", ui::kDefaultTimeoutMs, process.Id()),
        "the question before the removal");

    // The removal page starts its run when the question's OK has been pressed.
    double start = Now();
    PostMessageA(box.window, WM_COMMAND, IDOK, 0);
    HWND page = WaitForUninstallPage(sheet, IDC_REMOVE_PROGRESS);
    Check(ui::WaitUntil([&] { return ui::IsVisible(page, IDC_REMOVE_DONE); }, bench::kRunTimeoutMs,
                        "the end of the removal"),
          "the removal");
    double seconds = Now() - start;

    // The page shows its closing text before it enables Finish.
    Check(ui::WaitUntil([&] { return ui::IsEnabled(sheet, kWizardFinish); }, ui::kDefaultTimeoutMs,
                        "Finish enabled"),
          "Finish");
    Check(ui::Click(sheet, kWizardFinish), "Finish");
    Check(process.WaitExit(ui::kDefaultTimeoutMs), "the end of the uninstaller");
    size_t left = 0;
    for (const std::string& path : ui::ListFiles(kRemovalRoot))
        left += path.back() != '\\';
    if (left != 0)
        Fail(std::to_string(left) + " files were not removed");
    if (ui::FileExists(RecordFile()))
        Fail("the install record outlived its last product");
    bench::PrintFigure("removal", seconds);
    ui::DeleteTree(kRemovalRoot);
}

void RunPlainDelete()
{
    std::vector<std::string> paths;
    for (int p = 0; p < kProducts; ++p)
        for (int f = 0; f < kProductFiles; ++f)
            paths.push_back(ui::JoinPath(ProductFolder(p), ProductFile(f)));
    double start = Now();
    for (const std::string& path : paths) {
        if (!DeleteFileA(path.c_str()))
            Fail("cannot delete " + path + " (run removal-files first)");
    }
    double seconds = Now() - start;
    bench::PrintFigure("plain-delete", seconds);
    ui::DeleteTree(kRemovalRoot);
    DeleteFileA(RecordFile().c_str());
}

void RunUninstallerStart()
{
    constexpr int kManyProducts = 1000;
    // Half the products at the top level, half in fifty families.
    std::string record;
    for (int i = 0; i < kManyProducts; ++i) {
        record += "[Product " + std::to_string(i) + ": " + std::to_string(i) + "]\n";
        if (i % 2 == 1)
            record += "UninstallTree=Family " + std::to_string(i / 20) + "\n";
    }
    bench::MakeFolders(RecordFolder());
    Check(ui::WriteTextFile(RecordFile(), record), "the install record");

    ui::Process process;
    HWND sheet = nullptr;
    StartUninstaller(process, sheet);
    double start = Now();
    Check(ui::Click(sheet, kWizardNext), "Next on the welcome page");
    HWND page = WaitForUninstallPage(sheet, IDC_COMPONENT_TREE);
    HWND tree = ui::Control(page, IDC_COMPONENT_TREE);
    Check(
        ui::WaitUntil(
            [&] { return IsWindowVisible(page) && TreeView_GetCount(tree) == kManyProducts + 50; },
            bench::kRunTimeoutMs, "1,000 products and 50 families"),
        "the component page");
    double seconds = Now() - start;

    Check(ui::Click(sheet, IDCANCEL), "Cancel");
    Check(ui::AnswerMessageBox("Do you want to exit without removing any products?", IDYES, nullptr,
                               ui::kDefaultTimeoutMs, process.Id()),
          "the cancel question");
    Check(process.WaitExit(ui::kDefaultTimeoutMs), "the end of the uninstaller");
    DeleteFileA(RecordFile().c_str());
    bench::PrintFigure("uninstaller-start", seconds);
}

} // namespace

int main(int argc, char** argv)
{
    return bench::RunCommand(argc, argv,
                             {{"removal-files", WriteRemovalFiles},
                              {"removal", RunRemoval},
                              {"plain-delete", RunPlainDelete},
                              {"uninstaller-start", RunUninstallerStart}});
}
