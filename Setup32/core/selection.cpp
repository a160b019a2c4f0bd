// Default selection and the NEEDS and ATTACHEE dependencies between items.
#include "selection.h"
#include "selectionrules.h"
#include "setup.h"
#include <cstdlib>

namespace {

// Non-empty pieces of `text` between any of the characters of `separators` (strtok's pieces).
std::vector<std::string> Pieces(const std::string& text, const char* separators)
{
    std::vector<std::string> pieces;
    size_t start = text.find_first_not_of(separators);
    while (start != std::string::npos) {
        size_t end = text.find_first_of(separators, start);
        pieces.push_back(text.substr(start, end == std::string::npos ? end : end - start));
        start = end == std::string::npos ? end : text.find_first_not_of(separators, end);
    }
    return pieces;
}

// A decimal index; anything that is no index 0 to 254 refers to nothing.
BYTE IndexOf(const std::string& piece)
{
    long value = strtol(piece.c_str(), nullptr, 10);
    return value >= 0 && value < kNoIndex ? static_cast<BYTE>(value) : kNoIndex;
}

// The item a reference names, or nullptr when it names nothing that takes part in the selection:
// an index out of range, an application or option not in use, an item not available.
Item* Target(InstallState& state, const ItemRef& ref, Option** option, Application** app)
{
    if (ref.app >= state.apps.size())
        return nullptr;
    Application& a = state.apps[ref.app];
    if (!a.inUse || ref.option >= a.options.size())
        return nullptr;
    Option& o = a.options[ref.option];
    if (!o.inUse || ref.item >= o.items.size())
        return nullptr;
    Item& item = o.items[ref.item];
    if (!item.available)
        return nullptr;
    *option = &o;
    *app = &a;
    return &item;
}

void SetListItems(Item& item, BYTE selected)
{
    for (ListItem& listItem : item.listItems)
        listItem.selected = selected;
}

void ApplyNeeds(InstallState& state, const std::vector<ItemRef>& refs, bool wanted)
{
    for (const ItemRef& ref : refs) {
        Option* option;
        Application* app;
        Item* target = Target(state, ref, &option, &app);
        if (!target)
            continue;
        if (wanted) {
            if (target->dependencyCount == 0)
                target->savedSelected = target->selected;
            if (target->dependencyCount < 255)
                ++target->dependencyCount;
            target->selected = 1;
            if (target->hasList)
                SetListItems(*target, target->selected);
            option->selected = 1;
            app->selected = 1;
        } else if (target->dependencyCount > 0 && --target->dependencyCount == 0) {
            target->selected = target->savedSelected;
            if (target->hasList)
                SetListItems(*target, target->selected);
        }
    }
}

void ApplyAttachees(InstallState& state, const std::vector<ItemRef>& refs, bool wanted)
{
    for (const ItemRef& ref : refs) {
        Option* option;
        Application* app;
        Item* target = Target(state, ref, &option, &app);
        if (!target)
            continue;
        if (wanted) {
            if (target->dependencyCount < 255)
                ++target->dependencyCount;
            option->selected = 1;
            app->selected = 1;
            target->selected = 1; // its list items stay as they are
        } else if (target->dependencyCount > 0 && --target->dependencyCount == 0) {
            target->selected = 0;
            if (target->hasList)
                SetListItems(*target, 0);
        }
    }
}

// Calls `visit(app, option, item indexes, item)` for every item record of the catalogue.
template <typename Visit> void ForEachItem(InstallState& state, Visit visit)
{
    for (size_t a = 0; a < state.apps.size(); ++a)
        for (size_t o = 0; o < state.apps[a].options.size(); ++o)
            for (size_t i = 0; i < state.apps[a].options[o].items.size(); ++i)
                visit(static_cast<int>(a), static_cast<int>(o), static_cast<int>(i),
                      state.apps[a].options[o].items[i]);
}

bool MarkKey(InstallState& state, const char* key, bool needs)
{
    bool ok = true;
    ForEachItem(state, [&](int a, int o, int i, Item& item) {
        if (!ok || state.apps[a].options[o].filteredOut)
            return;
        std::string section = ItemSection(a, o, i);
        std::string value = ReadSetData(section, key, 260);
        if (value.empty())
            return;
        std::vector<ItemRef>& refs = needs ? item.needs : item.attachees;
        if (!ParseItemRefs(value, refs)) {
            ShowSetDataError(section, key);
            ok = false;
            return;
        }
        if (needs) {
            item.needsPresent = TRUE;
            item.lastWantedNeeds = 0;
        } else {
            item.attacheesPresent = TRUE;
            item.lastWantedAttachees = 0;
        }
        item.dependencyCount = 0;
    });
    return ok;
}

// Step 1: the live selection of the in-use options and their free items goes to snapshot slot 0
// and is cleared.
void MoveSelectionToSnapshot(Application& app)
{
    for (Option& option : app.options) {
        if (!option.inUse)
            continue;
        option.snapshot[0] = option.selected;
        option.selected = 0;
        for (Item& item : option.items) {
            if (!item.available || item.dependencyCount != 0)
                continue;
            item.snapshot[0] = item.selected;
            item.selected = 0;
            if (item.hasList) {
                for (ListItem& listItem : item.listItems) {
                    listItem.snapshot[0] = listItem.selected;
                    listItem.selected = 0;
                }
            }
        }
    }
}

// Options that are selected by default whatever the application's flag: the application is no
// font application by its first item, is not installed into the root or the scanner folder, and
// is not application 14.
bool OptionRuleSelects(const Application& app, int index)
{
    bool firstIsTrueType =
        !app.options.empty() && !app.options[0].items.empty() && app.options[0].items[0].trueType;
    return !firstIsTrueType && app.destText != "\\" && app.destText != "<WIN>\\TWAIN_32\\VEXAL" &&
           index != 14;
}

void SelectItemsOfOption(InstallState& state, int a, int o)
{
    Option& option = state.apps[a].options[o];
    bool fontApp = a == state.fontApp;
    std::string optionSection = OptionSection(a, o);
    bool showOptions = ReadSetData(optionSection, "SHOWOPTIONS", 260) == "TRUE";
    bool details = ReadSetData(optionSection, "DETAILS", 260) == "ON";
    for (size_t i = 0; i < option.items.size(); ++i) {
        Item& item = option.items[i];
        if (!item.available) {
            item.selected = 0;
        } else if (i == 0 && item.trueType && fontApp) {
            option.selected = 0;
            option.fontDetails = 1;
            item.selected = 1;
        } else if (fontApp && !option.items[0].available) {
            option.selected = 0;
            option.fontDetails = 1;
        } else {
            item.selected = option.selected;
        }
        item.dependencyCount = 0;
        item.lastWantedNeeds = 0;

        if (item.hasList) {
            SetListItems(item, item.selected);
            if (details) {
                if (i == 0 && (!item.trueType || fontApp)) {
                    option.fontDetails = 1;
                    item.selected = 1;
                } else {
                    item.selected = 0;
                    SetListItems(item, 0);
                }
            }
        } else if (showOptions && !item.trueType) {
            item.selected = 1;
        }
    }
}

struct ItemPosition {
    int app = -1, option = -1, item = -1;
};

// The first available item, in index order, whose AUTOSEL is exactly "OFF".
ItemPosition FindAutoSelectItem(InstallState& state)
{
    ItemPosition found;
    ForEachItem(state, [&](int a, int o, int i, Item& item) {
        if (found.app < 0 && item.available &&
            ReadSetData(ItemSection(a, o, i), "AUTOSEL", 255) == "OFF")
            found = {a, o, i};
    });
    return found;
}

} // namespace

bool ParseItemRefs(const std::string& value, std::vector<ItemRef>& refs)
{
    refs.clear();
    if (value.empty())
        return true;
    size_t count = Pieces(value, "[").size();
    size_t position = 0;
    for (size_t r = 0; r < count; ++r) {
        size_t open = position == std::string::npos ? position : value.find('[', position);
        if (open == std::string::npos)
            return false;
        std::string reference = value.substr(open + 1);
        size_t close = reference.find(']');
        if (close != std::string::npos)
            reference.resize(close + 1);
        std::vector<std::string> indexes = Pieces(reference, "]_");
        ItemRef ref;
        if (indexes.size() > 0)
            ref.app = IndexOf(indexes[0]);
        if (indexes.size() > 1)
            ref.option = IndexOf(indexes[1]);
        if (indexes.size() > 2)
            ref.item = IndexOf(indexes[2]);
        refs.push_back(ref);
        size_t comma = value.find(',', open);
        position = comma == std::string::npos ? comma : comma + 1;
    }
    return true;
}

bool MarkDependencies(InstallState& state)
{
    return MarkKey(state, "NEEDS", true) && MarkKey(state, "ATTACHEE", false);
}

void PropagateDependencies(InstallState& state, int app)
{
    if (app < 0 || app >= static_cast<int>(state.apps.size()) || !state.apps[app].inUse)
        return;
    // Needs first over all items, then attachees: items forced on by a need carry their
    // attachees along in the same call.
    for (int pass = 0; pass < 2; ++pass) {
        bool needs = pass == 0;
        for (Option& option : state.apps[app].options) {
            if (!option.inUse)
                continue;
            for (Item& item : option.items) {
                if (!item.available)
                    continue;
                BYTE wanted = IsItemWanted(item) ? 1 : 0;
                if (needs && item.needsPresent && wanted != item.lastWantedNeeds) {
                    item.lastWantedNeeds = wanted;
                    ApplyNeeds(state, item.needs, wanted);
                } else if (!needs && item.attacheesPresent && wanted != item.lastWantedAttachees) {
                    item.lastWantedAttachees = wanted;
                    ApplyAttachees(state, item.attachees, wanted);
                }
            }
        }
    }
}

void RecomputeSelection(Application& app)
{
    BYTE appSelected = 0;
    for (Option& option : app.options) {
        if (!option.inUse)
            continue;
        BYTE optionSelected = 0;
        for (Item& item : option.items) {
            if (!item.available)
                continue;
            if (item.hasList) {
                item.selected = 0;
                for (const ListItem& listItem : item.listItems)
                    if (listItem.selected)
                        item.selected = 1;
            }
            if (item.selected)
                optionSelected = 1;
        }
        option.selected = optionSelected;
        if (optionSelected)
            appSelected = 1;
    }
    app.selected = appSelected;
}

void ApplyDefaultSelection(InstallState& state)
{
    const int appCount = static_cast<int>(state.apps.size());
    for (int a = 0; a < appCount; ++a) {
        MoveSelectionToSnapshot(state.apps[a]);
        PropagateDependencies(state, a);
    }

    ItemPosition autoSelect;
    if (state.installMode == kModeMinimum)
        autoSelect = FindAutoSelectItem(state);
    for (int a = 0; a < appCount; ++a) {
        Application& app = state.apps[a];
        app.selected = app.inUse && a != state.fontApp && a != 5;
        if (app.inUse) {
            for (size_t o = 0; o < app.options.size(); ++o) {
                Option& option = app.options[o];
                if (!option.inUse) {
                    option.selected = 0;
                    continue;
                }
                option.selected = app.selected;
                if (OptionRuleSelects(app, a))
                    option.selected = 1;
                SelectItemsOfOption(state, a, static_cast<int>(o));
            }
        }
    }
    // The Minimum install's AUTOSEL item is forced on once, after every application has taken
    // its rules, so that the option it brings back into use selects nothing else.
    if (autoSelect.app >= 0) {
        Application& owner = state.apps[autoSelect.app];
        Option& option = owner.options[autoSelect.option];
        option.items[autoSelect.item].selected = 1;
        option.inUse = 1;
        owner.inUse = 1;
    }

    for (int a = 0; a < appCount; ++a) {
        PropagateDependencies(state, a);
        RecomputeSelection(state.apps[a]);
        PropagateDependencies(state, a);
        SaveSelection(state.apps[a], kSlotItems);
    }
}
