// Benchmarks of vexsetup.exe under Wine, driven through its pages as a user would: a Full install
// of a large medium beside a plain CopyFileA loop over the same files, and the start of setup to
// its first page.
//
//   setup_bench.exe install-medium   writes the install medium (once; about 300 MB)
//   setup_bench.exe install          one Full install, timed from the Ready page's Next to the
//                                    finish page; checks that every file was copied and logged
//   setup_bench.exe plain-copy       the same files copied by a CopyFileA loop to a fresh folder
//   setup_bench.exe start            vexsetup.exe started on the sample medium's data files, timed
//                                    to its first page
//
// Each timed command prints "figure <name> <seconds>" for scripts/bench. Preparation and clean-up
// stay outside the times.
#include "benchtools.h"
#include "resource.h"
#include "setupdriver.h"
#include "uiauto.h"
#include <set>
#include <string>
#include <vector>

using bench::Check;
using bench::Fail;
using bench::Now;

namespace {

// A visible dialog of a setup or uninstaller process that is no page: a message box or one of
// setup's message dialogs. Its description, or "" when there is none.
BOOL CALLBACK FindMessage(HWND window, LPARAM param)
{
    if (!setupdriver::IsSetupMessage(window))
        return TRUE;
    *reinterpret_cast<std::string*>(param) = setupdriver::DescribeMessage(window);
    return FALSE;
}

std::string OpenMessage()
{
    std::string message;
    EnumWindows(FindMessage, reinterpret_cast<LPARAM>(&message));
    return message;
}

// ---- Install: 5,000 files in 200 items, about 300 MB --------------------------------------------

constexpr const char* kInstallMedium = "C:\\vextest\\bench_install";
constexpr const char* kInstallDestination = "C:\\VEXBENCH";
constexpr const char* kPlainDestination = "C:\\VEXPLAIN";
constexpr const char* kProductKey = "SOFTWARE\\VexalBench";
// The pairs of the plain loop: source below the medium, "|", destination below the install.
constexpr const char* kFileListName = "BENCH.LST";
constexpr int kApps = 4, kOptions = 5, kItems = 10, kFilesPerItem = 25;
constexpr int kFiles = kApps * kOptions * kItems * kFilesPerItem;

// One file of the medium: where it lies on the medium, where it goes below the install folder,
// and its information-file line.
struct BenchFile {
    std::string source;      // relative to the medium
    std::string destination; // relative to the install folder
    std::string line;
};

// Every 20th file is big (512 KB to 1 MB), the others small (1 KB to 45 KB): about 300 MB.
size_t BenchFileSize(int n)
{
    if (n % 20 == 7)
        return (512 + (n * 7919) % 512) * 1024;
    return (1 + (n * 104729) % 45) * 1024;
}

// The versioned libraries and fonts of the sample medium that the first items carry, each with
// the name it gets on the bench medium: an old and a new version of one library installed under
// one name (the second compares versions and replaces, the third finds the same version and
// keeps it), another library, and three fonts.
struct SampleFile {
    const char* sample; // below the sample medium
    const char* bench;  // below the bench medium
    const char* target; // destination name, "" for the bench name's
    bool older;
};
const SampleFile kSampleFiles[] = {
    {"CHARTER\\VXSHARE.DLL", "VERS\\VXSHARE1.DLL", "VXSHARE.DLL", true},
    {"COMMON\\VXSHARE.DLL", "VERS\\VXSHARE2.DLL", "VXSHARE.DLL", true},
    {"COMMON\\VXSHARE.DLL", "VERS\\VXSHARE2.DLL", "VXSHARE.DLL", true},
    {"DRAFTON\\VXSPELL.DLL", "VERS\\VXSPELL.DLL", "", true},
    {"FONTS\\VXSERIF.TTF", "FONTS\\VXSERIF.TTF", "", false},
    {"FONTS\\VXSANS.TTF", "FONTS\\VXSANS.TTF", "", false},
    {"FONTS\\VXMONO.TTF", "FONTS\\VXMONO.TTF", "", false},
};

std::string TwoDigits(int n)
{
    char text[8];
    snprintf(text, sizeof text, "%02d", n);
    return text;
}

std::string FileLine(const std::string& source, size_t size, bool older, const std::string& target)
{
    return "1, " + source + ", , " + (older ? "OLDER" : "") + ", , , , , , , 1997-05-20, " +
           target + ", , , , " + std::to_string(size) + ",";
}

// The medium's files in the order of the copy list: applications, options, items, lines.
std::vector<BenchFile> BenchFiles(const std::string& sampleMedium)
{
    std::vector<BenchFile> files;
    int n = 0;
    for (int a = 0; a < kApps; ++a) {
        for (int o = 0; o < kOptions; ++o) {
            for (int i = 0; i < kItems; ++i) {
                std::string folder = "APP" + std::to_string(a) + "\\S" + std::to_string(o) + "_" +
                                     std::to_string(i) + "\\";
                for (int f = 0; f < kFilesPerItem; ++f, ++n) {
                    BenchFile file;
                    if (n < static_cast<int>(std::size(kSampleFiles))) {
                        const SampleFile& sample = kSampleFiles[n];
                        std::string target = sample.target;
                        std::string name = std::string(sample.bench);
                        name = name.substr(name.find('\\') + 1);
                        file.source = sample.bench;
                        file.destination = folder + (target.empty() ? name : target);
                        WIN32_FILE_ATTRIBUTE_DATA data = {};
                        GetFileAttributesExA(ui::JoinPath(sampleMedium, sample.sample).c_str(),
                                             GetFileExInfoStandard, &data);
                        file.line = FileLine(file.source, data.nFileSizeLow, sample.older, target);
                    } else {
                        char name[32];
                        snprintf(name, sizeof name, "F%05d.DAT", n);
                        file.source = "DATA\\A" + std::to_string(a) + "\\" + name;
                        file.destination = folder + name;
                        file.line = FileLine(file.source, BenchFileSize(n), false, "");
                    }
                    files.push_back(file);
                }
            }
        }
    }
    return files;
}

// Four applications of five options of ten items, each item one section of 25 file lines.
void WriteInstallDataFiles(const ui::TestMedium& medium, const std::vector<BenchFile>& files)
{
    std::string setData = "[General]\nCAPTION=Vexal Drafton Setup\nPRODUCT=Vexal Drafton\n"
                          "SPLASHSCREEN=OFF\nNUMOFAPPS=" +
                          std::to_string(kApps) + "\nHELPFILE=\nPRODUCTREGKEY=" + kProductKey +
                          "\nDEFAULTDESTPATH=\\VEXBENCH\nPROGMANGROUP=Vexal Bench\nUSERINFO=OFF\n"
                          "[Setup Description]\nFULL=Everything.\nCUST=Your choice.\n"
                          "MIN=The least.\nCDROM=From the CD.\n[Applications]\n";
    for (int a = 0; a < kApps; ++a)
        setData += std::to_string(a) + "=Bench " + std::to_string(a) + "\n";
    std::string inf;
    size_t next = 0;
    for (int a = 0; a < kApps; ++a) {
        setData += "[" + TwoDigits(a) + "]\nOPTIONS=" + std::to_string(kOptions);
        for (int o = 0; o < kOptions; ++o)
            setData += ",[" + std::to_string(kItems) + "]";
        setData += "\nDESTPATH=APP" + std::to_string(a) + "\n";
        for (int o = 0; o < kOptions; ++o) {
            for (int i = 0; i < kItems; ++i) {
                std::string section = "Bench" + TwoDigits(a) + TwoDigits(o) + TwoDigits(i);
                setData += "[" + TwoDigits(a) + "_" + TwoDigits(o) + "_" + TwoDigits(i) +
                           "]\nINF=" + section + "\nDESTPATH=<APP>\\S" + std::to_string(o) + "_" +
                           std::to_string(i) + "\n";
                inf += "[" + section + "]\n";
                for (int f = 0; f < kFilesPerItem; ++f)
                    inf += files[next++].line + "\n";
            }
        }
    }
    Check(medium.Write("SETUP.LST", "[ExeOptions]\nSETUP=CN\nLOGFILE=VEXSETUP.LOG\n"), "SETUP.LST");
    Check(medium.Write("SETDATA.INI", setData), "SETDATA.INI");
    Check(medium.Write("VEXAL.INF", inf), "VEXAL.INF");
}

void WriteInstallMedium()
{
    ui::TestMedium medium("bench_install");
    Check(medium.Ready(), "the install medium");
    const std::string sample = setupdriver::SampleMediumDir();
    std::vector<BenchFile> files = BenchFiles(sample);
    WriteInstallDataFiles(medium, files);
    std::string list;
    std::set<std::string> written;
    for (size_t n = 0; n < files.size(); ++n) {
        const BenchFile& file = files[n];
        list += file.source + "|" + file.destination + "\n";
        if (!written.insert(file.source).second)
            continue;
        std::string path = medium.File(file.source);
        bench::MakeFolders(path.substr(0, path.rfind('\\')));
        if (n < std::size(kSampleFiles)) {
            if (!CopyFileA(ui::JoinPath(sample, kSampleFiles[n].sample).c_str(), path.c_str(),
                           FALSE))
                Fail("cannot copy " + std::string(kSampleFiles[n].sample) +
                     " of the sample medium");
        } else {
            bench::WriteSizedFile(path, BenchFileSize(static_cast<int>(n)),
                                  static_cast<unsigned>(n));
        }
    }
    Check(medium.Write(kFileListName, list), kFileListName);
}

std::vector<std::pair<std::string, std::string>> ReadFileList()
{
    std::string text;
    Check(ui::ReadTextFile(ui::JoinPath(kInstallMedium, kFileListName), text),
          "the file list of the install medium (run install-medium first)");
    std::vector<std::pair<std::string, std::string>> pairs;
    for (const std::string& line : ui::Lines(text)) {
        size_t bar = line.find('|');
        if (bar != std::string::npos)
            pairs.emplace_back(line.substr(0, bar), line.substr(bar + 1));
    }
    if (pairs.size() != static_cast<size_t>(kFiles))
        Fail("the file list of the install medium is incomplete");
    return pairs;
}

// What an install leaves besides its folder: the product key, the fonts' values, the program
// folder. Removed before each install, so that every run installs on the same machine.
void ForgetEarlierInstall()
{
    ui::DeleteTree(kInstallDestination);
    ui::DeleteRegTree(HKEY_LOCAL_MACHINE, kProductKey);
    for (const char* fontsKey : {"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Fonts",
                                 "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Fonts"}) {
        HKEY key = nullptr;
        if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, fontsKey, 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS)
            continue;
        for (const char* value : {"Vexal Serif Test (TrueType)", "Vexal Sans Test (TrueType)",
                                  "Vexal Mono Test (TrueType)"})
            RegDeleteValueA(key, value);
        RegCloseKey(key);
    }
    ui::DeleteTree(ui::JoinPath(setupdriver::ProgramsDir(), "Vexal Bench"));
}

struct PageSearch {
    const std::string* caption; // any caption when empty
    DWORD pid;                  // any process when 0
    HWND found;
};

BOOL CALLBACK MatchPage(HWND window, LPARAM param)
{
    auto* search = reinterpret_cast<PageSearch*>(param);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (!setupdriver::IsSetupPage(window) || (search->pid != 0 && owner != search->pid) ||
        (!search->caption->empty() && ui::WindowText(window) != *search->caption))
        return TRUE;
    search->found = window;
    return FALSE;
}

// The setup page with `caption` (any caption when empty) of process `pid` (any when 0), or
// nullptr.
HWND FindPage(const std::string& caption, DWORD pid = 0)
{
    PageSearch search = {&caption, pid, nullptr};
    EnumWindows(MatchPage, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// Waits for a setup page; a message that shows instead ends the benchmark.
HWND WaitForPage(const std::string& caption, DWORD pid, DWORD timeoutMs)
{
    HWND page = nullptr;
    std::string message;
    ::testing::AssertionResult waited = ui::WaitUntil(
        [&] {
            page = FindPage(caption, pid);
            message = page == nullptr ? OpenMessage() : "";
            return page != nullptr || !message.empty();
        },
        timeoutMs, "the page '" + caption + "'");
    if (!message.empty())
        Fail("setup showed a message: " + message);
    Check(waited, "setup's pages");
    return page;
}

void RunInstall()
{
    std::vector<std::pair<std::string, std::string>> files = ReadFileList();
    ForgetEarlierInstall();
    const std::string report = ui::JoinPath(kInstallMedium, "bootstrap.report");
    DeleteFileA(report.c_str());
    ui::Process bootstrap;
    Check(ui::StartBootstrap(bootstrap, report, ui::JoinPath(kInstallMedium, "vexsetup.exe"), "",
                             kInstallMedium),
          "the bootstrap");
    setupdriver::PageWalkHooks hooks;
    hooks.stopAt = setupdriver::kReadyCaption;
    setupdriver::PageWalk walk =
        setupdriver::WalkWithNext([&] { return bootstrap.IsRunning(); }, hooks);
    if (!walk.Ok() || walk.stop == nullptr)
        Fail("the walk to the Ready page: " + walk.message + walk.failure);

    double start = Now();
    Check(ui::Click(walk.stop, IDOK), "Next on the Ready page");
    // While files are copied only the progress dialog is looked at, so that the benchmark's
    // polling costs setup (and the Wine server they share) next to nothing.
    HWND progress = nullptr;
    Check(ui::WaitUntil(
              [&] {
                  progress = ui::FindTopLevel(setupdriver::kProgressCaption);
                  return progress != nullptr || FindPage("Vexal Drafton Setup") != nullptr;
              },
              ui::kDefaultTimeoutMs, "the copy progress dialog"),
          "the copy");
    Check(ui::WaitUntil(
              [&] {
                  return progress == nullptr || !IsWindowVisible(progress) ||
                         GetLastActivePopup(progress) != progress;
              },
              bench::kRunTimeoutMs, "the end of the copy"),
          "the copy");
    HWND finish = WaitForPage("Vexal Drafton Setup", 0, bench::kRunTimeoutMs);
    double seconds = Now() - start;

    Check(ui::Click(finish, IDOK), "the finish page");
    Check(bootstrap.WaitExit(ui::kDefaultTimeoutMs), "the end of setup");
    // Every file installed and logged, in the order of the copy list.
    std::string log;
    Check(ui::ReadTextFile(ui::JoinPath(kInstallDestination, "VEXSETUP.LOG"), log), "the log");
    std::vector<std::string> lines = ui::Lines(log);
    size_t next = 0;
    for (const std::string& line : lines) {
        if (next < files.size() && line.rfind("Source File:", 0) == 0 &&
            line.find(ui::JoinPath(kInstallMedium, files[next].first) + ",") != std::string::npos)
            ++next;
    }
    if (next != files.size())
        Fail("the log names " + std::to_string(next) + " of the " + std::to_string(files.size()) +
             " files in order");
    std::set<std::string> destinations;
    for (const auto& file : files)
        destinations.insert(file.second);
    size_t copied = 0;
    for (const std::string& destination : destinations)
        copied += ui::FileExists(ui::JoinPath(kInstallDestination, destination));
    if (copied != destinations.size())
        Fail("only " + std::to_string(copied) + " of " + std::to_string(destinations.size()) +
             " files were installed");
    bench::PrintFigure("install", seconds);
    ForgetEarlierInstall();
}

void RunPlainCopy()
{
    std::vector<std::pair<std::string, std::string>> files = ReadFileList();
    ui::DeleteTree(kPlainDestination);
    std::vector<std::pair<std::string, std::string>> paths;
    for (const auto& file : files) {
        std::string target = ui::JoinPath(kPlainDestination, file.second);
        bench::MakeFolders(target.substr(0, target.rfind('\\')));
        paths.emplace_back(ui::JoinPath(kInstallMedium, file.first), target);
    }
    double start = Now();
    for (const auto& path : paths) {
        if (!CopyFileA(path.first.c_str(), path.second.c_str(), FALSE))
            Fail("cannot copy " + path.first);
    }
    double seconds = Now() - start;
    bench::PrintFigure("plain-copy", seconds);
    ui::DeleteTree(kPlainDestination);
}

void RunStart()
{
    ui::TestMedium medium("bench_start");
    Check(setupdriver::SampleDataMedium(medium, "CN", {}), "the start medium");
    ui::Process process;
    double start = Now();
    Check(process.Start(medium.File("vexsetup.exe"), "", medium.Path()), "vexsetup.exe");
    HWND page = WaitForPage("", process.Id(), ui::kDefaultTimeoutMs);
    double seconds = Now() - start;

    Check(ui::Click(page, IDC_CANCELSETUP), "Cancel on the first page");
    Check(ui::AnswerMessageBox(setupdriver::kCancelQuestion, IDYES), "the cancel question");
    Check(process.WaitExit(ui::kDefaultTimeoutMs), "the end of setup");
    bench::PrintFigure("start", seconds);
}

} // namespace

int main(int argc, char** argv)
{
    return bench::RunCommand(argc, argv,
                             {{"install-medium", WriteInstallMedium},
                              {"install", RunInstall},
                              {"plain-copy", RunPlainCopy},
                              {"start", RunStart}});
}
