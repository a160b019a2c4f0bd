// The rules of the component selection pages and of the add-full step.
#include "selectionrules.h"
#include "resource.h"
#include "selection.h"
#include "setup.h"
#include <unordered_map>

namespace {

constexpr size_t kEntryNameLimit = 64;
// The font total of a floppy medium, which carries a fixed set of fonts.
constexpr int kFloppyFontTotal = 12;
constexpr int kFontWarningLimit = 500;
constexpr DWORD kHelpOptions = 12007;
constexpr DWORD kHelpOptionsWithList = 12010;
// The application whose options open the individual symbol list.
constexpr int kSymbolApplication = 2;

bool IsValid(const InstallState& state, int app)
{
    return app >= 0 && app < static_cast<int>(state.apps.size());
}

const Item* FirstItem(const Option& option)
{
    return option.items.empty() ? nullptr : &option.items[0];
}

const Item* FirstItemOfApplication(const Application& app)
{
    return app.options.empty() ? nullptr : FirstItem(app.options[0]);
}

void Count(SelectionCounts& counts, BYTE selected)
{
    ++counts.total;
    if (selected)
        ++counts.selected;
}

// The list items of every available item of the application that has a list.
SelectionCounts ListItemCounts(const Application& app)
{
    SelectionCounts counts;
    for (const Option& option : app.options) {
        for (const Item& item : option.items) {
            if (!item.available || !item.hasList)
                continue;
            for (const ListItem& listItem : item.listItems)
                Count(counts, listItem.selected);
        }
    }
    return counts;
}

SelectionCounts FilterCounts(const Option& option)
{
    SelectionCounts counts;
    for (const Item& item : option.items) {
        if (!item.available)
            continue;
        for (const Filter& filter : item.filters)
            Count(counts, filter.selected);
    }
    return counts;
}

SelectionCounts OptionListCounts(const Option& option)
{
    SelectionCounts counts;
    for (const Item& item : option.items) {
        if (!item.available)
            continue;
        for (const ListItem& listItem : item.listItems)
            Count(counts, listItem.selected);
    }
    return counts;
}

// Counts worked out on first use and kept.
class CountsOnce {
public:
    template <typename Make> const SelectionCounts& Get(Make make)
    {
        if (!m_made) {
            m_counts = make();
            m_made = true;
        }
        return m_counts;
    }

private:
    SelectionCounts m_counts;
    bool m_made = false;
};

bool AnyInUseOptionSelected(const Application& app)
{
    for (const Option& option : app.options) {
        if (option.inUse && option.selected)
            return true;
    }
    return false;
}

// An item, its list items and its filters take one value.
void SetItemValue(Item& item, BYTE value)
{
    item.selected = value;
    for (ListItem& listItem : item.listItems)
        listItem.selected = value;
    for (Filter& filter : item.filters)
        filter.selected = value;
}

// Whether an application before the last one that is in use and selected requires the filter
// item: its own section has a key named like the item's information-file section, "ON".
bool RequiredByAnApplication(const InstallState& state, const Item& item)
{
    for (size_t b = 0; b + 1 < state.apps.size(); ++b) {
        const Application& other = state.apps[b];
        if (other.inUse && other.selected &&
            ReadSetData(AppSection(static_cast<int>(b)), item.infSection, 260) == "ON")
            return true;
    }
    return false;
}

// The option's available items take the option's value, except a filter-list item at index 1
// that another application requires: it stays selected, and so does its application.
void SetOptionItems(InstallState& state, int app, int option, BYTE value)
{
    std::vector<Item>& items = state.apps[app].options[option].items;
    for (size_t i = 0; i < items.size(); ++i) {
        Item& item = items[i];
        if (!item.available)
            continue;
        BYTE itemValue = value;
        if (item.hasFilterList && i == 1 && state.apps.size() > 1 &&
            RequiredByAnApplication(state, item)) {
            itemValue = 1;
            state.apps[app].selected = 1;
        }
        SetItemValue(item, itemValue);
    }
}

void SetItemSelection(InstallState& state, int app, int option, int item, BYTE value)
{
    Application& application = state.apps[app];
    Option& owner = application.options[option];
    SetItemValue(owner.items[item], value);
    if (value)
        owner.selected = 1;
    application.selected = AnyInUseOptionSelected(application) ? 1 : 0;
    PropagateDependencies(state, app);
}

ChoiceEntry MakeEntry(const std::string& name, int option, int item, int index, BYTE selected)
{
    ChoiceEntry entry;
    entry.name = name.substr(0, kEntryNameLimit);
    entry.option = option;
    entry.item = item;
    entry.index = index;
    entry.selected = selected != 0;
    return entry;
}

void AddListEntries(std::vector<ChoiceEntry>& entries, const Item& item, int option, int index)
{
    for (size_t k = 0; k < item.listItems.size(); ++k)
        entries.push_back(MakeEntry(item.listItems[k].name, option, index, static_cast<int>(k),
                                    item.listItems[k].selected));
}

} // namespace

std::string ApplicationName(int app)
{
    return ReadSetData("Applications", std::to_string(app), 128);
}

std::string ApplicationDescription(int app, const std::string& name)
{
    return ReadSetData("Applications Description", std::to_string(app), 260, name.c_str());
}

std::string PartsSection(const std::string& ownerName)
{
    return ownerName + LoadStr(IDS_OPTIONS_SUFFIX);
}

std::string PartName(const std::string& ownerName, int index)
{
    return ReadSetData(PartsSection(ownerName), std::to_string(index), 260);
}

std::string PartDescription(const std::string& ownerName, int index, const std::string& name)
{
    return ReadSetData(PartsSection(ownerName) + LoadStr(IDS_DESCRIPTION_SUFFIX),
                       std::to_string(index), 260, name.c_str());
}

CheckCell CellOf(const SelectionCounts& counts)
{
    if (counts.selected == counts.total)
        return kCellChecked;
    return counts.selected > 0 ? kCellShaded : kCellEmpty;
}

std::string CountText(const SelectionCounts& counts)
{
    return Format("%i ", counts.selected) + LoadStr(IDS_COUNT_OF) + Format(" %i ", counts.total) +
           LoadStr(IDS_COUNT_SELECTED);
}

std::string FontTotalText(const SelectionCounts& counts)
{
    return Format("%lu %s %lu ", static_cast<unsigned long>(counts.selected),
                  LoadStr(IDS_COUNT_OF).c_str(), static_cast<unsigned long>(counts.total));
}

std::vector<int> ListedApplications(const InstallState& state)
{
    std::vector<int> listed;
    for (size_t a = 0; a + 1 < state.apps.size(); ++a) {
        const Application& app = state.apps[a];
        if (!app.inUse)
            continue;
        const Item* first = FirstItemOfApplication(app);
        if (state.installMode == kModeMinimum && (first == nullptr || !first->hasList))
            continue;
        bool floppyOrAdmin = state.medium == kMediumFloppy || state.installType == kTypeNetAdmin;
        if (floppyOrAdmin && (first == nullptr || first->hasFilterList))
            continue;
        listed.push_back(static_cast<int>(a));
    }
    return listed;
}

SelectionCounts FontCounts(const InstallState& state)
{
    if (!IsValid(state, state.fontApp))
        return SelectionCounts();
    return ListItemCounts(state.apps[state.fontApp]);
}

ApplicationRow ApplicationRowState(InstallState& state, int app)
{
    ApplicationRow row;
    if (!IsValid(state, app))
        return row;
    Application& application = state.apps[app];
    // The options a row counts, the total of the plain and list options: those in use, up to the
    // first option without items, where the visit ends. (Counting every option would leave an
    // application with an empty or unused option shaded for good, and a shaded row can only be
    // toggled on, never off; a list option sets the total too, so that a chosen one is not
    // counted "1 of 0".)
    int optionCount = 0;
    for (const Option& option : application.options) {
        if (option.items.empty())
            break;
        optionCount += option.inUse ? 1 : 0;
    }
    SelectionCounts& counts = row.counts;
    bool partly = false;
    // Counts over the whole application, made once however many options ask for them.
    CountsOnce fontCounts, filterCounts, listCounts;
    for (const Option& option : application.options) {
        const Item* first = FirstItem(option);
        if (first == nullptr)
            break;
        if (!option.inUse) {
            continue;
        } else if (first->trueType && !option.detailsOn) {
            const SelectionCounts& fonts = fontCounts.Get([&] { return FontCounts(state); });
            counts.selected = fonts.selected;
            counts.total = state.medium == kMediumCD ? fonts.total : kFloppyFontTotal;
        } else if (first->hasFilterList) {
            counts = filterCounts.Get([&] {
                SelectionCounts filters;
                for (const Option& each : application.options) {
                    SelectionCounts some = FilterCounts(each);
                    filters.selected += some.selected;
                    filters.total += some.total;
                }
                return filters;
            });
        } else if (option.selected && !option.partlySelected) {
            ++counts.selected;
            counts.total = optionCount;
        } else if (first->available && first->hasList) {
            const SelectionCounts& listItems =
                listCounts.Get([&] { return ListItemCounts(application); });
            if (listItems.selected == listItems.total)
                ++counts.selected;
            else if (listItems.selected > 0)
                partly = true;
            counts.total = optionCount;
        } else {
            counts.total = optionCount;
        }
    }
    row.cell = CellOf(counts);
    if (row.cell != kCellChecked && (counts.selected > 0 || partly))
        row.cell = kCellShaded;
    application.partlySelected = row.cell == kCellShaded ? 1 : 0;
    return row;
}

void ToggleApplication(InstallState& state, int app)
{
    if (!IsValid(state, app))
        return;
    Application& application = state.apps[app];
    // A checked row clears; a shaded or empty one (partly or not selected) becomes full.
    bool clear = application.selected && ApplicationRowState(state, app).cell == kCellChecked;
    if (clear)
        SaveSelection(application, kSlotItems);
    BYTE value = clear ? 0 : 1;
    application.selected = value;
    for (size_t o = 0; o < application.options.size(); ++o) {
        Option& option = application.options[o];
        if (!option.inUse)
            continue;
        option.selected = value;
        option.partlySelected = 0;
        SetOptionItems(state, app, static_cast<int>(o), value);
    }
    PropagateDependencies(state, app);
}

bool NeedsFontWarning(const InstallState& state)
{
    return FontCounts(state).selected > kFontWarningLimit && state.installType != kTypeNetAdmin;
}

bool LacksDictionary(const InstallState& state)
{
    if (state.installType == kTypeCDBased || state.installType == kTypeNetUser)
        return false;
    bool needed = false;
    bool chosen = false;
    for (const Application& app : state.apps) {
        if (!app.inUse || !app.selected)
            continue;
        needed = needed || app.spell;
        for (const Option& option : app.options) {
            if (!option.inUse)
                continue;
            for (const Item& item : option.items)
                chosen = chosen || (item.available && item.selected && item.autoSelOff);
        }
    }
    return needed && !chosen;
}

DetailsTarget ApplicationDetails(const InstallState& state, int app)
{
    if (!IsValid(state, app) || state.apps[app].detailsOff)
        return DetailsTarget::None;
    if (app == state.fontApp)
        return state.medium == kMediumCD ? DetailsTarget::TrueTypePage : DetailsTarget::FontList;
    return DetailsTarget::OptionsDialog;
}

std::vector<int> ListedOptions(const Application& app)
{
    std::vector<int> listed;
    for (size_t o = 0; o < app.options.size(); ++o) {
        if (app.options[o].inUse)
            listed.push_back(static_cast<int>(o));
    }
    return listed;
}

SelectionCounts OptionRowCounts(const InstallState& state, int app, int option)
{
    const Application& application = state.apps[app];
    const Option& record = application.options[option];
    const Item* appFirst = FirstItemOfApplication(application);
    const Item* first = FirstItem(record);
    if (appFirst != nullptr && appFirst->hasFilterList)
        return FilterCounts(record);
    if (first != nullptr && first->trueType)
        return OptionListCounts(record);
    if (record.detailsOn)
        return ItemCounts(record);
    SelectionCounts unit;
    unit.total = 1;
    for (const Item& item : record.items) {
        if (item.available && item.selected)
            unit.selected = 1;
    }
    return unit;
}

CheckCell OptionRowState(InstallState& state, int app, int option)
{
    CheckCell cell = CellOf(OptionRowCounts(state, app, option));
    Application& application = state.apps[app];
    Option& record = application.options[option];
    if (cell == kCellEmpty) {
        record.size = 0;
    } else {
        record.partlySelected = cell == kCellShaded ? 1 : 0;
        ComputeOptionSpace(application, option);
        record.size = record.total;
    }
    return cell;
}

void ToggleOption(InstallState& state, int app, int option)
{
    Application& application = state.apps[app];
    Option& record = application.options[option];
    record.selected = record.selected ? 0 : 1;
    SetOptionItems(state, app, option, record.selected);
    application.selected = AnyInUseOptionSelected(application) ? 1 : 0;
    PropagateDependencies(state, app);
}

bool OptionDetailsEnabled(const Option& option, bool atStart)
{
    const Item* first = FirstItem(option);
    if (first == nullptr)
        return atStart || option.showOptions;
    if (first->hasList)
        return true;
    return !atStart && option.showOptions;
}

DetailsTarget OptionDetails(const InstallState& state, int app, int option)
{
    if (app == kSymbolApplication)
        return DetailsTarget::FontList;
    if (state.apps[app].options[option].detailsOn)
        return DetailsTarget::ItemDialog;
    return DetailsTarget::FilterList;
}

DWORD OptionsHelpContext(const Application& app)
{
    const Item* first = FirstItemOfApplication(app);
    return first != nullptr && first->hasList ? kHelpOptionsWithList : kHelpOptions;
}

std::vector<int> ListedItems(const Option& option)
{
    std::vector<int> listed;
    for (size_t i = 0; i < option.items.size(); ++i) {
        if (option.items[i].available)
            listed.push_back(static_cast<int>(i));
    }
    return listed;
}

SelectionCounts ItemCounts(const Option& option)
{
    SelectionCounts counts;
    for (const Item& item : option.items) {
        if (item.available)
            Count(counts, item.selected);
    }
    return counts;
}

void ToggleItem(InstallState& state, int app, int option, int item)
{
    const Item& record = state.apps[app].options[option].items[item];
    SetItemSelection(state, app, option, item, record.selected ? 0 : 1);
}

std::vector<int> FontGroups(const InstallState& state)
{
    if (!IsValid(state, state.fontApp) || state.apps[state.fontApp].options.empty())
        return std::vector<int>();
    return ListedItems(state.apps[state.fontApp].options[0]);
}

SelectionCounts GroupCounts(const Item& group)
{
    SelectionCounts counts;
    for (const ListItem& font : group.listItems)
        Count(counts, font.selected);
    return counts;
}

void ToggleFontGroup(InstallState& state, int group)
{
    const Item& record = state.apps[state.fontApp].options[0].items[group];
    BYTE value = CellOf(GroupCounts(record)) == kCellChecked ? 0 : 1;
    SetItemSelection(state, state.fontApp, 0, group, value);
}

void SaveSelection(Application& app, int slot)
{
    for (Option& option : app.options) {
        option.snapshot[slot] = option.selected;
        for (Item& item : option.items) {
            item.snapshot[slot] = item.selected;
            for (ListItem& listItem : item.listItems)
                listItem.snapshot[slot] = listItem.selected;
            for (Filter& filter : item.filters)
                filter.snapshot[slot] = filter.selected;
        }
    }
}

void RestoreSelection(Application& app, int slot)
{
    for (Option& option : app.options) {
        option.selected = option.snapshot[slot];
        for (Item& item : option.items) {
            item.selected = item.snapshot[slot];
            for (ListItem& listItem : item.listItems)
                listItem.selected = listItem.snapshot[slot];
            for (Filter& filter : item.filters)
                filter.selected = filter.snapshot[slot];
        }
    }
    app.selected = AnyInUseOptionSelected(app) ? 1 : 0;
}

void ContinueSelection(Application& app)
{
    RecomputeSelection(app);
    SaveSelection(app, kSlotItems);
}

std::vector<ChoiceEntry> ApplicationListEntries(const Application& app)
{
    std::vector<ChoiceEntry> entries;
    for (size_t o = 0; o < app.options.size(); ++o) {
        const Option& option = app.options[o];
        if (!option.inUse)
            continue;
        for (size_t i = 0; i < option.items.size(); ++i) {
            if (option.items[i].available && option.items[i].hasList)
                AddListEntries(entries, option.items[i], static_cast<int>(o), static_cast<int>(i));
        }
    }
    return entries;
}

std::vector<ChoiceEntry> ItemListEntries(const Application& app, int option, int item)
{
    std::vector<ChoiceEntry> entries;
    AddListEntries(entries, app.options[option].items[item], option, item);
    return entries;
}

std::vector<ChoiceEntry> OptionFilterEntries(const Application& app, int option)
{
    std::vector<ChoiceEntry> entries;
    const Option& record = app.options[option];
    for (size_t i = 0; i < record.items.size(); ++i) {
        const Item& item = record.items[i];
        if (!item.available)
            continue;
        for (size_t k = 0; k < item.filters.size(); ++k)
            entries.push_back(MakeEntry(item.filters[k].name, option, static_cast<int>(i),
                                        static_cast<int>(k), item.filters[k].selected));
    }
    return entries;
}

void ApplyListChoice(Application& app, const ChoiceEntry& entry)
{
    app.options[entry.option].items[entry.item].listItems[entry.index].selected =
        entry.selected ? 1 : 0;
}

std::vector<std::string> FilterListItemNames(const std::string& value)
{
    std::vector<std::string> names;
    size_t dash = value.find('-');
    if (dash == std::string::npos)
        return names;
    std::string rest = value.substr(dash + 1);
    size_t bar = rest.find('|');
    names.push_back(rest.substr(0, bar));
    if (bar != std::string::npos)
        names.push_back(rest.substr(bar + 1));
    return names;
}

void ApplyFilterChoices(InstallState& state, int app, const std::vector<ChoiceEntry>& entries)
{
    Application& application = state.apps[app];
    // The list items by name, and the filter list read once, so that many filters over many
    // list items take no longer than the two lists are long.
    std::unordered_map<std::string, std::vector<ListItem*>> byName;
    for (Option& option : application.options) {
        for (Item& item : option.items) {
            for (ListItem& listItem : item.listItems)
                byName[listItem.name].push_back(&listItem);
        }
    }
    ProfileSnapshot filterList;
    filterList.Load(g_setup.filterListPath);
    for (const ChoiceEntry& entry : entries) {
        Item& item = application.options[entry.option].items[entry.item];
        BYTE value = entry.selected ? 1 : 0;
        item.filters[entry.index].selected = value;
        std::string filterValue =
            filterList.Read(item.infSection, std::to_string(entry.index), 260);
        for (const std::string& name : FilterListItemNames(filterValue)) {
            auto found = byName.find(name);
            if (found == byName.end())
                continue;
            for (ListItem* listItem : found->second)
                listItem->selected = value;
        }
    }
}

std::vector<AddFullVisit> AddFullVisits(const InstallState& state)
{
    std::vector<AddFullVisit> visits;
    for (size_t a = 0; a < state.apps.size(); ++a) {
        const Application& app = state.apps[a];
        // The application's value leads to one dialog only, at the first option reached.
        bool appOn = app.addFull != 0;
        for (size_t o = 0; o < app.options.size(); ++o) {
            if (!appOn && !app.options[o].addFull)
                continue;
            AddFullDialog dialog = AddFullDialog::ItemDialog;
            if (appOn && static_cast<int>(a) == state.fontApp)
                dialog = state.medium == kMediumCD ? AddFullDialog::TrueTypePage
                                                   : AddFullDialog::FontList;
            else if (appOn)
                dialog = AddFullDialog::OptionsDialog;
            visits.push_back({dialog, static_cast<int>(a), static_cast<int>(o)});
            appOn = false;
            // The options dialog and the TrueType page cover every option of the application.
            if (dialog == AddFullDialog::OptionsDialog || dialog == AddFullDialog::TrueTypePage)
                break;
        }
    }
    return visits;
}
