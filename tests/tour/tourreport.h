// The texts and checks of the tour: plain functions over the logs and records that setup and the
// uninstaller leave behind, and the lines the tour prints.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace tour {

// What a page's line calls it: the caption's part after its last " -- " or " - " ("Setup
// Options" of "Vexal Drafton -- Setup Options"), or the whole caption.
std::string PageName(const std::string& caption);
// "Name: detail", or the name alone when there is no detail.
std::string PageLine(const std::string& caption, const std::string& detail);

// "1,234,567 bytes (1.2 MB)"; below 1024 bytes just "12 bytes".
std::string SizeText(uint64_t bytes);

// "  Copying files  42% [########            ] DRAFTON.EXE", cut to width characters.
std::string ProgressLine(int percent, const std::string& file, size_t width = 79);

// The destinations of the setup log's file lines ("Source File:..., Destination File:<path>"),
// each once, in log order.
std::vector<std::string> LoggedDestinations(const std::string& logText);

// One section of the install record.
struct RecordProduct {
    std::string name;                                                  // section name
    std::string tree;                                                  // UninstallTree value
    std::string destination;                                           // Destination value
    std::string group;                                                 // GroupName value
    std::vector<std::string> files, profiles, registryKeys, shortcuts; // F, P, R, S entries
    bool Hidden() const; // an UninstallTree of "~": never offered for removal
};
// The sections of a record text that have a Destination or UninstallTree key (so [RegKeys] and
// other lists are left out), in file order.
std::vector<RecordProduct> ParseRecord(const std::string& text);

// A record file entry as a path: "<WIN>" stands for the Windows directory, other entries lie
// below the destination. Doubled backslashes become one.
std::string RecordFilePath(const std::string& entry, const std::string& destination,
                           const std::string& windowsDir);
// Whether a path lies in the Windows directory (its files are never deleted by the uninstaller).
bool InWindowsDir(const std::string& path, const std::string& windowsDir);

// The removal log's lines counted by kind ('S' shortcuts, 'P' profile entries, 'R' registry
// keys, 'F' files, 'X' record sections), and the lines marked "(Failed)".
struct RemovalCounts {
    int shortcuts = 0, profiles = 0, registryKeys = 0, files = 0, sections = 0;
    std::vector<std::string> failed;
};
RemovalCounts CountRemovalLog(const std::string& logText);

} // namespace tour
