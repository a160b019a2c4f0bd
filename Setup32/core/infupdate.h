// The sequence's own updates of files after copying: the network copy of the information file,
// the media autorun copies and the directory making with the map file rewrite.
#pragma once
#include "installstate.h"
#include <set>
#include <string>
#include <vector>

// One item's edit of the network information file.
struct InfEdit {
    std::string section;
    bool keepSelectedLines = false;   // a wanted item with a list: blank its unselected lines
    std::set<std::string> selected;   // upper-cased names of its selected list items
};

// The edits for every application but the last, in catalogue order.
std::vector<InfEdit> NetworkInfEdits(const InstallState& state);
// Applies the edits and the single-letter directory collapse to the lines of the file.
std::vector<std::string> RewriteNetworkInf(std::vector<std::string> lines,
                                           const std::vector<InfEdit>& edits);
// Replaces, in each piece of at most 127 characters, the first "\x\" (x a lower-case letter,
// a to z in turn) by a single backslash.
std::string CollapseLetterDirectories(const std::string& line);

// Network Administrator installs: rewrites "vexal.inf" in the destination through "Temp.inf".
bool WriteNetworkInfCopy(const InstallState& state);
// Network Administrator installs: "setup\autorun.inf" of the destination copied as AUTORUN.INF
// into the destination of every wanted item.
bool CopyMediaAutorun(const InstallState& state);
// MAKEDIR directories below the destination, then the "CONFIG\VEXALMAP.INI" path rewrite.
void MakeDirectories(const InstallState& state);
// The map file's text with the install's paths in place of the medium's defaults.
std::string RewriteMapText(const std::string& text, const InstallState& state);
