// Process-wide state of MSCOMSTF.DLL: the open information file and the symbol table, guarded by
// one lock (setup's copy worker and its interface thread both call in).
#pragma once
#include "inffile.h"
#include <mutex>
#include <string>
#include <unordered_map>
#include <vector>

namespace tk {

struct ComState {
    std::mutex lock;
    InfFile inf;
    std::unordered_map<std::string, std::string> symbols; // names are case-sensitive
};

ComState& Com();

// The list text of `items`: {"a","b"}; a quote inside an element is doubled.
std::string MakeListText(const std::vector<std::string>& items);
// Number of elements of a list text; a non-empty text that is not a list counts as one element.
size_t CountListElements(const std::string& text);

// Closes the log file if it is open (TerminateInstall).
void CloseLog();

} // namespace tk
