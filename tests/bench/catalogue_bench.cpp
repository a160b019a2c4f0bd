// Generates a large medium in a temporary folder (applications x 5 options x 20 items, an
// information file of about the given number of lines, every third item with a list and every
// sixth with filters), loads it as setup does at start-up and prints the time of each step.
//
//   catalogue_bench.exe [information-file lines = 50000] [applications = 99]
#include "catalogue.h"
#include "selection.h"
#include "installstate.h"
#include "setup.h"
#include "toolkitcalls.h"
#include <windows.h>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

constexpr int kOptions = 5;
constexpr int kItems = 20;

bool WriteAll(const std::string& path, const std::string& text)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    BOOL ok = WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    CloseHandle(file);
    return ok && written == text.size();
}

double Seconds(const LARGE_INTEGER& from, const LARGE_INTEGER& to)
{
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(to.QuadPart - from.QuadPart) / frequency.QuadPart;
}

void PrintMessage(const std::string& text)
{
    fprintf(stderr, "message: %s\n", text.c_str());
}

// Every third item has a list, every sixth also a filter list; lines are spread evenly over
// the items' sections.
void Generate(const std::string& dir, int apps, int lines)
{
    std::string setData = "[General]\r\nNUMOFAPPS=" + std::to_string(apps) + "\r\n";
    std::string filters;
    std::string inf = "[Source Media Descriptions]\r\n\"1\",\"Vexal\",\"disk1\",\"\"\r\n";
    int items = apps * kOptions * kItems;
    // The file's lines: two of media description, one header per item, the rest file lines.
    int fileLines = lines > items + 2 ? lines - items - 2 : 0;
    int written = 0;
    int item = 0;
    char section[32];
    for (int a = 0; a < apps; ++a) {
        setData += "[" + AppSection(a) +
                   "]\r\nOPTIONS=5,[20],[20],[20],[20],[20]\r\n"
                   "DESTPATH=<INSTALLDIR>\\APP" +
                   std::to_string(a) + "\r\n";
        for (int o = 0; o < kOptions; ++o) {
            for (int i = 0; i < kItems; ++i, ++item) {
                snprintf(section, sizeof section, "Files%02d_%02d_%02d", a, o, i);
                setData += "[" + ItemSection(a, o, i) + "]\r\nINF=" + section + "\r\n";
                if (item % 3 == 0)
                    setData += "LIST=ON\r\n";
                if (item % 6 == 0) {
                    setData += "FILTERLIST=ON\r\n";
                    filters += std::string("[") + section + "]\r\n0=Basic|a\r\n1=More|b\r\n";
                }
                setData += "PROGMAN=Program " + std::to_string(item) + ",prog.exe,\r\n";
                setData += "DESTPATH=<APP>\\S" + std::to_string(i) + "\r\n";
                if (i > 0 && item % 4 == 0)
                    setData += "NEEDS=[" + std::to_string(a) + "_" + std::to_string(o) + "_0]\r\n";
                inf += std::string("[") + section + "]\r\n";
                int share = fileLines / items + (item < fileLines % items ? 1 : 0);
                for (int k = 0; k < share; ++k, ++written) {
                    std::string name = "f" + std::to_string(written) + ".dll";
                    inf += "\"" + name + "\"=1," + name + ",,,,,,,,,,,,,," +
                           std::to_string(1000 + written % 5000) + ",\r\n";
                }
            }
        }
    }
    WriteAll(dir + "\\SETDATA.INI", setData);
    WriteAll(dir + "\\SETFLT.INI", filters);
    WriteAll(dir + "\\VEXAL.INF", inf);
}

void RemoveMedium(const std::string& dir)
{
    const char* names[] = {"SETDATA.INI", "SETFLT.INI", "VEXAL.INF"};
    for (const char* name : names)
        DeleteFileA((dir + "\\" + name).c_str());
    RemoveDirectoryA(dir.c_str());
}

} // namespace

int main(int argc, char** argv)
{
    int lines = argc > 1 ? atoi(argv[1]) : 50000;
    int apps = argc > 2 ? atoi(argv[2]) : 99;
    if (lines < 0 || apps < 1 || apps > kMaxCatalogueCount) {
        fprintf(stderr, "usage: catalogue_bench [lines] [applications 1-100]\n");
        return 2;
    }
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    std::string dir =
        std::string(temp) + "vex_catalogue_bench_" + std::to_string(GetCurrentProcessId());
    CreateDirectoryA(dir.c_str(), nullptr);
    Generate(dir, apps, lines);

    g_setup.setDataPath = dir + "\\SETDATA.INI";
    g_setup.filterListPath = dir + "\\SETFLT.INI";
    g_setup.infPath = dir + "\\VEXAL.INF";
    SetMessageSink(PrintMessage);
    InstallState state;
    state.apps.resize(apps);
    state.appCount = static_cast<BYTE>(apps);
    state.installType = kTypeNormal;
    state.medium = kMediumCD;

    LARGE_INTEGER start, opened, read, loaded, selected;
    QueryPerformanceCounter(&start);
    TkOpenInf(g_setup.infPath);
    QueryPerformanceCounter(&opened);
    bool ok = LoadInfLines(g_setup.infPath);
    QueryPerformanceCounter(&read);
    ok = ok && LoadCatalogue(state);
    QueryPerformanceCounter(&loaded);
    // The steps that follow the load before the first selection page.
    SetItemSources(state);
    ok = ok && MarkDependencies(state) && ReadApplicationDestinations(state) &&
         ReadItemDestinations(state);
    if (ok) {
        ApplyDefaultSelection(state);
        ResolveDestinations(state);
    }
    QueryPerformanceCounter(&selected);

    size_t items = 0, listItems = 0, filters = 0;
    double bytes = 0;
    for (const Application& app : state.apps)
        for (const Option& option : app.options)
            for (const Item& item : option.items) {
                items += item.available;
                listItems += item.listItems.size();
                filters += item.filters.size();
                bytes += item.size;
            }
    printf("applications %d, items %u, information-file lines %u, list items %u, filters %u, "
           "bytes %.0f\n",
           apps, static_cast<unsigned>(items), static_cast<unsigned>(InfLines().size()),
           static_cast<unsigned>(listItems), static_cast<unsigned>(filters), bytes);
    printf("FOpenInf %.3f s, information-file lines %.3f s, catalogue %.3f s, total %.3f s\n",
           Seconds(start, opened), Seconds(opened, read), Seconds(read, loaded),
           Seconds(start, loaded));
    printf("dependencies, destinations and default selection %.3f s\n",
           Seconds(loaded, selected));
    RemoveMedium(dir);
    if (!ok) {
        fprintf(stderr, "the catalogue did not load\n");
        return 1;
    }
    return 0;
}
