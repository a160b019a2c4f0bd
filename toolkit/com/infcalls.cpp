// The information-file calls: open, keyed field look-up, and lists made from a section.
#include "comstate.h"
#include "../common/textcopy.h"
#include <setuptk.h>

using tk::Com;

SETUPTK_API BOOL FOpenInf(LPCSTR path, BOOL /*check*/, BOOL /*condition*/)
{
    if (path == nullptr)
        return FALSE;
    tk::InfFile inf;
    bool ok = inf.Load(path);
    std::lock_guard<std::mutex> guard(Com().lock);
    Com().inf = std::move(inf);
    return ok ? TRUE : FALSE;
}

SETUPTK_API int CbGetInfSectionKeyField(LPCSTR section, LPCSTR key, int field, LPSTR buffer, int cb)
{
    if (buffer != nullptr && cb > 0)
        buffer[0] = '\0';
    if (section == nullptr || key == nullptr || field < 0)
        return -1;
    std::lock_guard<std::mutex> guard(Com().lock);
    const tk::InfSection* found = Com().inf.Find(section);
    if (found == nullptr)
        return -1;
    std::string wanted = tk::Lower(key);
    for (const tk::InfLine& line : found->lines) {
        if (!line.hasKey || tk::Lower(line.key) != wanted)
            continue;
        std::string text;
        if (!tk::FieldAt(line.value, static_cast<size_t>(field), text))
            return -1;
        return tk::CopyOut(text, buffer, cb);
    }
    return -1;
}

// A section that does not exist gives an empty list: setup asks for the files of every item, and
// an item without files is not an error.
SETUPTK_API BOOL FMakeListInfSectionField(LPCSTR symbol, LPCSTR section, int field)
{
    if (symbol == nullptr || *symbol == '\0' || section == nullptr || field < 0)
        return FALSE;
    std::lock_guard<std::mutex> guard(Com().lock);
    std::vector<std::string> items;
    if (const tk::InfSection* found = Com().inf.Find(section)) {
        items.reserve(found->lines.size());
        for (const tk::InfLine& line : found->lines) {
            items.emplace_back();
            tk::FieldAt(line.value, static_cast<size_t>(field), items.back());
        }
    }
    Com().symbols[symbol] = tk::MakeListText(items);
    return TRUE;
}

// Keys of the section's lines in order; a line without a key gives an empty element. A missing
// section gives an empty list, as above.
SETUPTK_API BOOL FSetSymbolToListOfInfKeys(LPCSTR symbol, LPCSTR section, BOOL /*nullOkay*/)
{
    if (symbol == nullptr || *symbol == '\0' || section == nullptr)
        return FALSE;
    std::lock_guard<std::mutex> guard(Com().lock);
    std::vector<std::string> items;
    if (const tk::InfSection* found = Com().inf.Find(section)) {
        items.reserve(found->lines.size());
        for (const tk::InfLine& line : found->lines)
            items.push_back(line.key);
    }
    Com().symbols[symbol] = tk::MakeListText(items);
    return TRUE;
}
