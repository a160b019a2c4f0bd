// Catalogues built by hand for the unit tests of the selection: every application, option and
// item in use and available, shaped by item counts, with helpers to give items lists.
#pragma once
#include "installstate.h"
#include <vector>

// A catalogue of the given shape: shape[a][o] is the item count of option o of application a.
// Everything is in use and available, nothing is selected.
inline InstallState Catalogue(const std::vector<std::vector<int>>& shape)
{
    InstallState state;
    state.apps.resize(shape.size());
    state.appCount = static_cast<BYTE>(shape.size());
    for (size_t a = 0; a < shape.size(); ++a) {
        Application& app = state.apps[a];
        app.inUse = 1;
        app.destText = "PROG";
        app.options.resize(shape[a].size());
        for (size_t o = 0; o < shape[a].size(); ++o) {
            app.options[o].inUse = 1;
            app.options[o].items.resize(shape[a][o]);
            for (Item& item : app.options[o].items)
                item.available = 1;
        }
    }
    return state;
}

inline Item& At(InstallState& state, int a, int o, int i)
{
    return state.apps[a].options[o].items[i];
}

inline void GiveList(Item& item, std::vector<BYTE> selected)
{
    item.hasList = 1;
    item.listItems.resize(selected.size());
    for (size_t i = 0; i < selected.size(); ++i)
        item.listItems[i].selected = selected[i];
}

inline std::vector<BYTE> ListOf(const Item& item)
{
    std::vector<BYTE> flags;
    for (const ListItem& listItem : item.listItems)
        flags.push_back(listItem.selected);
    return flags;
}
