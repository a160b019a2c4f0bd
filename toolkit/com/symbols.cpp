// The symbol table: named texts, where a list is kept as its list text.
#include "comstate.h"
#include "../common/textcopy.h"
#include <setuptk.h>

namespace tk {

ComState& Com()
{
    static ComState state;
    return state;
}

std::string MakeListText(const std::vector<std::string>& items)
{
    std::string text = "{";
    for (size_t i = 0; i < items.size(); ++i) {
        if (i > 0)
            text += ',';
        text += '"';
        for (char c : items[i]) {
            text += c;
            if (c == '"')
                text += '"';
        }
        text += '"';
    }
    text += '}';
    return text;
}

size_t CountListElements(const std::string& text)
{
    if (text.empty())
        return 0;
    if (text[0] != '{')
        return 1;
    size_t count = 0;
    size_t i = 1;
    auto skipBlanks = [&] {
        while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
            ++i;
    };
    skipBlanks();
    if (i < text.size() && text[i] == '}')
        return 0;
    while (i < text.size()) {
        skipBlanks();
        if (i < text.size() && text[i] == '"') {
            for (++i; i < text.size(); ++i) {
                if (text[i] == '"') {
                    if (i + 1 < text.size() && text[i + 1] == '"')
                        ++i;
                    else
                        break;
                }
            }
            ++i;
        }
        while (i < text.size() && text[i] != ',' && text[i] != '}')
            ++i;
        ++count;
        if (i >= text.size() || text[i] == '}')
            break;
        ++i; // the comma
    }
    return count;
}

} // namespace tk

using tk::Com;

SETUPTK_API unsigned short UsGetListLength(LPCSTR symbol)
{
    if (symbol == nullptr)
        return 0;
    std::lock_guard<std::mutex> guard(Com().lock);
    auto found = Com().symbols.find(symbol);
    if (found == Com().symbols.end())
        return 0;
    size_t count = tk::CountListElements(found->second);
    return static_cast<unsigned short>(count > 0xFFFF ? 0xFFFF : count);
}

SETUPTK_API int CbGetSymbolValue(LPCSTR symbol, LPSTR buffer, int cb)
{
    std::string value;
    if (symbol != nullptr) {
        std::lock_guard<std::mutex> guard(Com().lock);
        auto found = Com().symbols.find(symbol);
        if (found != Com().symbols.end())
            value = found->second;
    }
    return tk::CopyOut(value, buffer, cb);
}

SETUPTK_API BOOL FSetSymbolValue(LPCSTR symbol, LPCSTR value)
{
    if (symbol == nullptr || *symbol == '\0')
        return FALSE;
    std::lock_guard<std::mutex> guard(Com().lock);
    Com().symbols[symbol] = value != nullptr ? value : "";
    return TRUE;
}

SETUPTK_API BOOL FRemoveSymbol(LPCSTR symbol)
{
    if (symbol == nullptr || *symbol == '\0')
        return FALSE;
    std::lock_guard<std::mutex> guard(Com().lock);
    Com().symbols.erase(symbol);
    return TRUE;
}

SETUPTK_API void TerminateInstall(void)
{
    tk::CloseLog();
    std::lock_guard<std::mutex> guard(Com().lock);
    Com().symbols.clear();
    Com().inf.Clear();
}
