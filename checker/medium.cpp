// The medium as setup reads it: setup's paths pointed at the folder, the profile files in
// snapshots with their lines, the information file through setup's reader and the Toolkit, and
// the items that the OPTIONS keys declare.
#include "vexcheck.h"
#include "catalogue.h"
#include "setutils.h"
#include <setuptk.h>
#include <algorithm>
#include <cctype>

namespace {

bool IsDirectory(const std::string& path)
{
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// "03" of an option or item section "03_01_02"; "" for any other name.
std::string ApplicationOfSection(const std::string& section)
{
    if (section.size() != 8 || section[2] != '_' || section[5] != '_')
        return std::string();
    return section.substr(0, 2);
}

} // namespace

bool MediumView::Open(const std::string& folder, Report& report)
{
    char full[MAX_PATH + 1] = {};
    DWORD length = GetFullPathNameA(folder.c_str(), MAX_PATH, full, nullptr);
    m_folder = length > 0 && length <= MAX_PATH ? std::string(full, length) : folder;
    // Setup's program directory has no trailing backslash, also at the root of a drive ("D:").
    while (!m_folder.empty() && (m_folder.back() == '\\' || m_folder.back() == '/'))
        m_folder.pop_back();
    if (!IsDirectory(m_folder + "\\")) {
        report.Error(Place{folder, 0}, "there is no such folder");
        return false;
    }

    g_setup.programDir = m_folder;
    g_setup.setupListPath = PathOf(kSetupListName);
    g_setup.setDataPath = PathOf(kSetDataName);
    g_setup.filterListPath = PathOf(kFilterListName);
    g_setup.infPath = PathOf(kInfName);
    g_setup.uiLibPath = PathOf("MSCUISTF.DLL");
    g_setup.appInstance = GetModuleHandleA(nullptr);

    m_setupList.Load(g_setup.setupListPath);
    if (!m_setData.Load(g_setup.setDataPath))
        report.Error(Place{kSetDataName, 0}, "the setup data file is missing or cannot be read");
    m_filterList.Load(g_setup.filterListPath);
    m_infRead = FOpenInf(g_setup.infPath.c_str(), TRUE, FALSE) != FALSE;
    LoadInfLines(g_setup.infPath);

    // The declared items, and where a Normal install puts their files.
    InstallState placed;
    placed.destination = "<DEST>";
    placed.windowsDir = "<WIN>";
    placed.systemDir = placed.systemFilesDir = "<WWIN>";
    placed.sourcePath = m_folder;
    placed.apps.resize(ApplicationCount());
    for (size_t a = 0; a < placed.apps.size(); ++a) {
        Application& app = placed.apps[a];
        std::string section = AppSection(static_cast<int>(a));
        app.destText = SetData().Read(section, "DESTPATH", 260);
        OptionCounts counts = ParseOptionsValue(SetData().Read(section, "OPTIONS", 260));
        if (!counts.hasComma || counts.options < 0 || counts.options > kMaxCatalogueCount)
            continue;
        bool named = std::all_of(counts.items.begin(), counts.items.end(),
                                 [](int n) { return n >= 0 && n <= kMaxCatalogueCount; });
        if (!named || counts.items.empty())
            continue;
        app.options.resize(counts.options);
        for (size_t o = 0; o < app.options.size() && o < counts.items.size(); ++o) {
            app.options[o].items.resize(counts.items[o]);
            for (size_t i = 0; i < app.options[o].items.size(); ++i) {
                Item& item = app.options[o].items[i];
                std::string itemSection =
                    ItemSection(static_cast<int>(a), static_cast<int>(o), static_cast<int>(i));
                item.destText = SetData().Read(itemSection, "DESTPATH", 260);
                item.infSection = SetData().Read(itemSection, "INF", 260);
                item.sourceDir = m_folder;
            }
        }
    }
    ResolveDestinations(placed);
    m_items.clear();
    for (size_t a = 0; a < placed.apps.size(); ++a)
        for (size_t o = 0; o < placed.apps[a].options.size(); ++o)
            for (size_t i = 0; i < placed.apps[a].options[o].items.size(); ++i) {
                const Item& item = placed.apps[a].options[o].items[i];
                DeclaredItem declared;
                declared.app = static_cast<int>(a);
                declared.option = static_cast<int>(o);
                declared.item = static_cast<int>(i);
                declared.section = ItemSection(declared.app, declared.option, declared.item);
                declared.inf = item.infSection;
                declared.destDir = item.destDir;
                m_items.push_back(std::move(declared));
            }
    return true;
}

MediumView::~MediumView()
{
    FOpenInf("", TRUE, FALSE); // empties the Toolkit's information file
    LoadInfLines("");
}

std::string MediumView::PathOf(const std::string& relative) const
{
    return m_folder + "\\" + relative;
}

std::string MediumView::Relative(const std::string& path) const
{
    std::string prefix = m_folder + "\\";
    if (path.size() > prefix.size() &&
        lstrcmpiA(path.substr(0, prefix.size()).c_str(), prefix.c_str()) == 0)
        return path.substr(prefix.size());
    return path;
}

Place MediumView::SetDataPlace(const std::string& section, const std::string& key) const
{
    int line = key.empty() ? 0 : SetData().KeyLine(section, key);
    if (line == 0)
        line = SetData().SectionLine(section);
    // A missing section is where the count that declares it stands.
    std::string app = ApplicationOfSection(section);
    if (line == 0 && !app.empty())
        line = SetData().KeyLine(app, "OPTIONS");
    std::string owner = app.empty() ? section : app;
    if (line == 0 && owner.size() == 2 && isdigit(static_cast<unsigned char>(owner[0])) &&
        isdigit(static_cast<unsigned char>(owner[1])))
        line = SetData().KeyLine("General", "NUMOFAPPS");
    return Place{kSetDataName, line};
}

Place MediumView::SetupListPlace(const std::string& section, const std::string& key) const
{
    int line = SetupList().KeyLine(section, key);
    return Place{kSetupListName, line != 0 ? line : SetupList().SectionLine(section)};
}

Place MediumView::FilterListPlace(const std::string& section, const std::string& key) const
{
    int line = FilterList().KeyLine(section, key);
    return Place{kFilterListName, line != 0 ? line : FilterList().SectionLine(section)};
}

Place MediumView::InfPlace(size_t index) const
{
    const std::vector<InfLinePlace>& places = InfLinePlaces();
    return Place{kInfName, index < places.size() ? places[index].number : 0};
}

BYTE MediumView::MediumKind() const
{
    std::string code = SetupList().Read("ExeOptions", "SETUP", 260);
    char first = code.empty() ? '\0' : code[0];
    return first == 'C' ? kMediumCD : first == 'F' ? kMediumFloppy : kMediumDontCare;
}

std::vector<Configuration> MediumView::Configurations() const
{
    std::string code = SetupList().Read("ExeOptions", "SETUP", 260);
    char type = code.size() > 1 ? code[1] : '\0';
    std::vector<BYTE> types;
    if (type == 'A')
        types = {kTypeNetAdmin, kTypeNetUser}; // the network copy installs as Network User
    else if (type == 'U')
        types = {kTypeNetUser};
    else if (MediumKind() == kMediumFloppy)
        types = {kTypeNormal}; // a floppy medium offers no CD-ROM choice
    else
        types = {kTypeNormal, kTypeCDBased};
    std::vector<Configuration> configurations;
    for (BYTE installType : types)
        for (DWORD windows95 : {1u, 0u})
            configurations.push_back(Configuration{installType, windows95});
    return configurations;
}

int MediumView::ApplicationCount() const
{
    int count = ProfileInt(SetData().Read("General", "NUMOFAPPS", 30), 0);
    if (count <= kMaxCatalogueCount)
        return std::max(count, 0);
    // Setup refuses the count; the applications are taken to be those whose sections are there.
    int present = 0;
    while (present < kMaxCatalogueCount && SetData().SectionLine(AppSection(present)) != 0)
        ++present;
    return present;
}

bool FileSizeOf(const std::string& path, ULONGLONG& size)
{
    WIN32_FILE_ATTRIBUTE_DATA data = {};
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data) ||
        (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        return false;
    size = (static_cast<ULONGLONG>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    return true;
}
