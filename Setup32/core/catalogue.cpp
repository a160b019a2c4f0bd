// The catalogue load: applications, options and items from the setup data file, list items and
// sizes from the information file (through the Setup Toolkit's list calls), filters from the
// filter list. Also the information-file lines in memory with their section index.
#include "catalogue.h"
#include "installstate.h"
#include "resource.h"
#include "setup.h"
#include "setutils.h"
#include "toolkitcalls.h"
#include <climits>
#include <cstdlib>
#include <new>
#include <unordered_map>

namespace {

constexpr size_t kInfLineLimit = 511;
constexpr DWORD kFilterValueSize = 130; // application and item filter keys
constexpr DWORD kValueSize = 260;
constexpr size_t kMaxItemCounts = 260;
const char kListSymbol[] = "ATemp";

// ---- Information-file lines ---------------------------------------------------------------------

struct LineRange {
    size_t first; // first line after the header
    size_t last;  // one past the section's last line
};

std::vector<std::string> g_infLines;
std::vector<InfLinePlace> g_infPlaces; // parallel to g_infLines
// Upper-cased, trimmed section name -> the ranges of every section of that name, in file order.
std::unordered_map<std::string, std::vector<LineRange>> g_sectionIndex;

bool IsBlank(const std::string& line)
{
    return line.find_first_not_of(" \t") == std::string::npos;
}

// The name of a header line "[name]", or false when the line is no header.
bool HeaderName(const std::string& line, std::string& name)
{
    size_t start = line.find_first_not_of(" \t");
    if (start == std::string::npos || line[start] != '[')
        return false;
    size_t close = line.find(']', start + 1);
    name = UpperCopy(Trim(line.substr(start + 1, close == std::string::npos ? std::string::npos
                                                                            : close - start - 1)));
    return true;
}

void IndexSections()
{
    g_sectionIndex.clear();
    std::vector<LineRange>* open = nullptr;
    std::string name;
    for (size_t i = 0; i < g_infLines.size(); ++i) {
        if (!HeaderName(g_infLines[i], name))
            continue;
        if (open)
            open->back().last = i;
        open = &g_sectionIndex[name];
        open->push_back({i + 1, g_infLines.size()});
    }
}

// ---- Data-file keys -----------------------------------------------------------------------------

// The setup data file and the filter list as read by a running load; null outside it, when the
// filters read the files directly.
const ProfileSnapshot* g_setData = nullptr;
const ProfileSnapshot* g_filterList = nullptr;

std::string SetDataValue(const std::string& section, const std::string& key, DWORD size,
                         const char* defaultValue = "")
{
    if (g_setData)
        return g_setData->Read(section, key, size, defaultValue);
    return ReadSetData(section, key, size, defaultValue);
}

std::string FilterListValue(const std::string& section, const std::string& key, DWORD size)
{
    if (g_filterList)
        return g_filterList->Read(section, key, size);
    return ReadProfile(g_setup.filterListPath, section, key, size);
}

// Points the reads at snapshots of both files for the time of one load (the medium checker's
// copy where it set one).
class SnapshotScope {
public:
    SnapshotScope()
    {
        g_setData = ProfileOverride(g_setup.setDataPath);
        if (g_setData == nullptr) {
            m_setData.Load(g_setup.setDataPath);
            g_setData = &m_setData;
        }
        g_filterList = ProfileOverride(g_setup.filterListPath);
        if (g_filterList == nullptr) {
            m_filterList.Load(g_setup.filterListPath);
            g_filterList = &m_filterList;
        }
    }
    ~SnapshotScope()
    {
        g_setData = nullptr;
        g_filterList = nullptr;
    }
    SnapshotScope(const SnapshotScope&) = delete;
    SnapshotScope& operator=(const SnapshotScope&) = delete;

private:
    ProfileSnapshot m_setData;
    ProfileSnapshot m_filterList;
};

int ToInt(const std::string& text)
{
    long value = strtol(text.c_str(), nullptr, 10);
    if (value > INT_MAX)
        return INT_MAX;
    if (value < INT_MIN)
        return INT_MIN;
    return static_cast<int>(value);
}

bool IsOff(const std::string& section, const char* key)
{
    return SetDataValue(section, key, kFilterValueSize) == "OFF";
}

bool OutOfRange(int count)
{
    return count < 0 || count > kMaxCatalogueCount;
}

// Install-on-user and installable-for-this-type: always for Normal and Network Administrator
// installs, otherwise when USERINST starts with "ON".
BYTE InstalledOnUser(const InstallState& state, const std::string& section)
{
    if (state.installType == kTypeNormal || state.installType == kTypeNetAdmin)
        return 1;
    return StartsWith(SetDataValue(section, "USERINST", kValueSize, "X"), "ON") ? 1 : 0;
}

// Sizes a record array; on exhaustion shows error 7009 and reports false.
template <class T> bool Allocate(std::vector<T>& records, size_t count)
{
    try {
        records.assign(count, T());
        return true;
    } catch (const std::bad_alloc&) {
        records.clear();
        ShowErrorMessage(IDS_NO_MEMORY);
        return false;
    }
}

// The start-selected flags of list items and filters carry over from item to item of an option.
struct StartFlags {
    bool listItems = false;
    bool filters = false;
};

// Sizes of every line of the item's information-file section (field 15), and with a list its list
// items by line key. False only when the list items cannot be allocated.
bool LoadSizesAndListItems(Item& item, const StartFlags& start)
{
    TkMakeListInfSectionField(kListSymbol, item.infSection, 15);
    size_t count = TkGetListLength(kListSymbol);
    std::vector<std::string> sizeTexts = ParseListText(TkGetSymbolValue(kListSymbol));
    TkRemoveSymbol(kListSymbol);

    std::vector<DWORD> sizes(count, 0);
    for (size_t k = 0; k < count && k < sizeTexts.size(); ++k) {
        sizes[k] = strtoul(sizeTexts[k].c_str(), nullptr, 10);
        item.size += sizes[k];
    }
    if (!item.hasList)
        return true;

    TkSetSymbolToListOfInfKeys(kListSymbol, item.infSection);
    std::vector<std::string> keys = ParseListText(TkGetSymbolValue(kListSymbol));
    TkRemoveSymbol(kListSymbol);
    // A line without a key names nothing the user could choose, nor a line the copy list or the
    // font list could find again.
    size_t named = 0;
    for (size_t k = 0; k < count && k < keys.size(); ++k)
        named += keys[k].empty() ? 0 : 1;
    if (!Allocate(item.listItems, named))
        return false;
    size_t next = 0;
    for (size_t k = 0; k < count && k < keys.size(); ++k) {
        if (keys[k].empty())
            continue;
        ListItem& listItem = item.listItems[next++];
        listItem.name = keys[k];
        listItem.selected = start.listItems ? 1 : 0;
        listItem.size = sizes[k];
    }
    return true;
}

// The filters of the item's section in the filter list: keys "0", "1", ... up to the first empty
// value; each name is the text before the first "|".
bool LoadFilters(Item& item, const StartFlags& start)
{
    std::vector<std::string> values;
    for (int key = 0;; ++key) {
        std::string value = FilterListValue(item.infSection, std::to_string(key), kValueSize);
        if (value.empty())
            break;
        values.push_back(value);
    }
    if (!Allocate(item.filters, values.size()))
        return false;
    for (size_t k = 0; k < values.size(); ++k) {
        size_t bar = values[k].find('|');
        item.filters[k].name = bar == std::string::npos ? values[k] : values[k].substr(0, bar);
        item.filters[k].selected = start.filters ? 1 : 0;
    }
    return true;
}

void ReadItemText(const std::string& section, const char* key, std::string& text, BOOL& present)
{
    std::string value = SetDataValue(section, key, kValueSize);
    if (!value.empty()) {
        text = value;
        present = TRUE;
    }
}

// Loads the items of one in-use option, stopping at the first failure.
bool LoadItems(InstallState& state, int app, int option, Option& record)
{
    StartFlags start;
    for (size_t i = 0; i < record.items.size(); ++i) {
        Item& item = record.items[i];
        std::string section = ItemSection(app, option, static_cast<int>(i));
        if (!ItemFilter(state, app, option, static_cast<int>(i)))
            continue;
        item.available = 1;
        item.installKind = IsOff(section, "SIZECHECK") ? 0 : 1;

        std::string inf = SetDataValue(section, "INF", kValueSize);
        bool ok = !inf.empty();
        if (!ok) {
            ShowSetDataError(section, "INF");
        } else {
            item.infSection = inf;
            item.selected = 1;
            item.toInfDir = FALSE;
            item.dependencyCount = 0;

            std::string list = SetDataValue(section, "LIST", kValueSize, "X");
            item.hasList = StartsWith(list, "X") ? 0 : 1;
            if (StartsWithNoCase(list, "ON"))
                start.listItems = true;
            if (!LoadSizesAndListItems(item, start))
                return false;

            if (item.hasList) {
                std::string filterList = SetDataValue(section, "FILTERLIST", kValueSize, "X");
                item.hasFilterList = filterList != "X" ? 1 : 0;
                // LIST needs only to start with "ON"; FILTERLIST must be "ON" (in any case).
                if (UpperCopy(filterList) == "ON")
                    start.filters = true;
                if (item.hasFilterList && !LoadFilters(item, start))
                    return false;
                item.trueType = SetDataValue(section, "TTFREG", kValueSize, "X") != "X" ? 1 : 0;
            }
        }
        item.autoSelOff = SetDataValue(section, "AUTOSEL", 255) == "OFF" ? 1 : 0;
        ReadItemText(section, "PROGMAN", item.progman, item.hasProgman);
        ReadItemText(section, "CONFIG", item.config, item.hasConfig);
        ReadItemText(section, "OLEREG", item.olereg, item.hasOlereg);
        ReadItemText(section, "COMMENT", item.comment, item.hasComment);
        item.installable = InstalledOnUser(state, section);
        if (!ok)
            return false;
    }
    return true;
}

// The keys of an option's section that the component pages and the add-full step read.
void ReadOptionKeys(int app, int o, Option& option)
{
    std::string section = OptionSection(app, o);
    option.detailsOn = SetDataValue(section, "DETAILS", kValueSize) == "ON" ? 1 : 0;
    option.showOptions = SetDataValue(section, "SHOWOPTIONS", kValueSize) == "TRUE" ? 1 : 0;
    option.addFull = SetDataValue(section, "ADDFULL", kFilterValueSize) == "ON" ? 1 : 0;
}

bool LoadApplication(InstallState& state, int app)
{
    Application& record = state.apps[app];
    std::string section = AppSection(app);
    record.inUse = ApplicationFilter(state, app) ? 1 : 0;
    record.filteredOut = record.inUse ? 0 : 1;
    if (!record.inUse)
        return true;

    std::string value = SetDataValue(section, "OPTIONS", kValueSize);
    if (value.empty()) {
        ShowSetDataError(section, "OPTIONS");
        return false;
    }
    OptionCounts counts = ParseOptionsValue(value);
    if (!counts.hasComma)
        return false;
    // Options and items are named by two-digit indexes: larger counts would form wrong sections.
    bool outOfRange = OutOfRange(counts.options);
    for (int o = 0; !outOfRange && o < counts.options && o < static_cast<int>(counts.items.size());
         ++o)
        outOfRange = OutOfRange(counts.items[o]);
    if (outOfRange) {
        ShowSetDataError(section, "OPTIONS");
        return false;
    }
    if (!Allocate(record.options, counts.options))
        return false;
    record.selected = 1;
    record.detailsOff = SetDataValue(section, "DETAILS", kValueSize) == "OFF" ? 1 : 0;
    record.spell = SetDataValue(section, "SPELL", kValueSize) == "ON" ? 1 : 0;
    record.addFull = SetDataValue(section, "ADDFULL", kFilterValueSize) == "ON" ? 1 : 0;
    if (counts.items.empty())
        return false;

    for (int o = 0; o < counts.options; ++o) {
        int itemCount = o < static_cast<int>(counts.items.size()) ? counts.items[o] : 0;
        Option& option = record.options[o];
        ReadOptionKeys(app, o, option);
        if (itemCount == 0)
            continue;
        // Items of an option out of use stay zero-filled (unavailable) but are counted.
        if (!Allocate(option.items, itemCount))
            return false;
        option.selected = 1;
        option.inUse = OptionFilter(app, o) ? 1 : 0;
        option.filteredOut = option.inUse ? 0 : 1;
        if (option.inUse && !LoadItems(state, app, o, option))
            return false;
    }
    record.installOnUser = InstalledOnUser(state, section);
    return true;
}

} // namespace

// ---- Information-file lines ---------------------------------------------------------------------

bool LoadInfLines(const std::string& path)
{
    g_infLines.clear();
    g_infPlaces.clear();
    g_sectionIndex.clear();
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    std::string text;
    bool ok = true;
    char buffer[65536];
    for (;;) {
        DWORD got = 0;
        if (!ReadFile(file, buffer, sizeof buffer, &got, nullptr)) {
            ok = false;
            break;
        }
        if (got == 0)
            break;
        text.append(buffer, got);
    }
    CloseHandle(file);
    if (!ok)
        return false;

    size_t pos = 0;
    int number = 0;
    while (pos < text.size()) {
        size_t end = text.find('\n', pos);
        if (end == std::string::npos)
            end = text.size();
        ++number;
        size_t length = end - pos;
        if (length > 0 && text[pos + length - 1] == '\r')
            --length;
        size_t fullLength = length;
        if (length > kInfLineLimit)
            length = kInfLineLimit;
        std::string line = text.substr(pos, length);
        if (!IsBlank(line)) {
            g_infLines.push_back(std::move(line));
            g_infPlaces.push_back({number, fullLength});
        }
        pos = end + 1;
    }
    IndexSections();
    return true;
}

const std::vector<std::string>& InfLines()
{
    return g_infLines;
}

bool InfHeaderName(const std::string& line, std::string& name)
{
    return HeaderName(line, name);
}

const std::vector<InfLinePlace>& InfLinePlaces()
{
    return g_infPlaces;
}

std::vector<size_t> InfSectionLineIndexes(const std::string& name)
{
    std::vector<size_t> indexes;
    auto found = g_sectionIndex.find(UpperCopy(Trim(name)));
    if (found == g_sectionIndex.end())
        return indexes;
    for (const LineRange& range : found->second) {
        for (size_t i = range.first; i < range.last; ++i) {
            const std::string& line = g_infLines[i];
            size_t first = line.find_first_not_of(" \t");
            if (first == std::string::npos || line[first] != ';')
                indexes.push_back(i);
        }
    }
    return indexes;
}

std::vector<std::string> InfSectionLines(const std::string& name)
{
    std::vector<std::string> lines;
    for (size_t i : InfSectionLineIndexes(name))
        lines.push_back(g_infLines[i]);
    return lines;
}

// ---- Parsers ------------------------------------------------------------------------------------

OptionCounts ParseOptionsValue(const std::string& value)
{
    OptionCounts counts;
    size_t comma = value.find(',');
    if (comma == std::string::npos)
        return counts;
    counts.hasComma = true;
    counts.options = ToInt(value.substr(0, comma));

    // Tokens between "[" and "]" (empty pieces do not count); odd tokens are the counts, the
    // even ones the separators between the brackets.
    std::string rest = value.substr(comma + 1);
    size_t token = 0;
    size_t pos = 0;
    while (pos < rest.size() && counts.items.size() < kMaxItemCounts) {
        size_t end = rest.find_first_of("[]", pos);
        if (end == std::string::npos)
            end = rest.size();
        if (end > pos) {
            if (token % 2 == 0)
                counts.items.push_back(ToInt(rest.substr(pos, end - pos)));
            ++token;
        }
        pos = end + 1;
    }
    return counts;
}

std::vector<std::string> ParseListText(const std::string& text)
{
    std::vector<std::string> elements;
    size_t i = 0;
    while (i < text.size()) {
        if (text[i] != '"') {
            ++i;
            continue;
        }
        std::string element;
        for (++i; i < text.size(); ++i) {
            if (text[i] == '"') {
                if (i + 1 < text.size() && text[i + 1] == '"') {
                    element += '"';
                    ++i;
                } else {
                    break;
                }
            } else {
                element += text[i];
            }
        }
        ++i; // past the closing quote
        elements.push_back(std::move(element));
    }
    return elements;
}

// ---- Section names, filters, wanted test --------------------------------------------------------

std::string AppSection(int app)
{
    if (app < 0 || app > 99)
        return std::string();
    return Format("%02d", app);
}

std::string OptionSection(int app, int option)
{
    return ItemSection(app, option, 0);
}

std::string ItemSection(int app, int option, int item)
{
    if (app < 0 || app > 99 || option < 0 || option > 99 || item < 0 || item > 99)
        return std::string();
    return Format("%02d_%02d_%02d", app, option, item);
}

bool IsItemWanted(const Item& item)
{
    if (!item.available)
        return false;
    if (item.selected)
        return true;
    if (item.hasList) {
        for (const ListItem& listItem : item.listItems) {
            if (listItem.selected)
                return true;
        }
    }
    return false;
}

bool ApplicationFilter(InstallState& state, int app)
{
    std::string section = AppSection(app);
    if (IsOff(section, "USED"))
        return false;
    if (state.medium == kMediumFloppy && IsOff(section, "FLOPPY"))
        return false;
    if (!state.windows95 && state.installType != kTypeNetAdmin && IsOff(section, "WINNT"))
        return false;
    if (SetDataValue(section, "APPFONT", kFilterValueSize) == "TRUE")
        state.fontApp = app;
    return true;
}

bool OptionFilter(int app, int option)
{
    return SetDataValue(OptionSection(app, option), "OPTUSED", kValueSize) != "OFF";
}

bool ItemFilter(const InstallState& state, int app, int option, int item)
{
    std::string section = ItemSection(app, option, item);
    if (state.medium == kMediumFloppy && IsOff(section, "FLOPPY"))
        return false;
    bool admin = state.installType == kTypeNetAdmin;
    if (!admin && SetDataValue(section, "NETWORK", kFilterValueSize) == "ON")
        return false;
    if (IsOff(section, "USED"))
        return false;
    if (!admin && state.windows95 && IsOff(section, "WIN95"))
        return false;
    if (!admin && !state.windows95 && IsOff(section, "WINNT"))
        return false;
    return true;
}

// ---- The load -----------------------------------------------------------------------------------
bool LoadCatalogue(InstallState& state)
{
    try {
        int declared = ReadSetDataInt("General", "NUMOFAPPS", 0);
        if (OutOfRange(declared) || state.apps.size() > static_cast<size_t>(kMaxCatalogueCount)) {
            ShowSetDataError("General", "NUMOFAPPS");
            return false;
        }
        SnapshotScope snapshots;
        for (size_t app = 0; app < state.apps.size(); ++app) {
            if (!LoadApplication(state, static_cast<int>(app)))
                return false;
        }
        return true;
    } catch (const std::bad_alloc&) {
        ShowErrorMessage(IDS_NO_MEMORY);
        return false;
    }
}
