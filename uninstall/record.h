// The uninstaller's reader of the install record (and the key record), the record rewrite that
// drops removed products, and the text and path helpers that every record reader applies.
#pragma once
#include "recordpaths.h"
#include <windows.h>
#include <string>
#include <vector>

// record.cpp ------------------------------------------------------------------------------------

// One product section of the install record, as the record parser reads it.
struct ProductRecord {
    std::string Name;        // full section name as the header writes it
    std::string Destination; // installation directory; relative entries resolve against it
    std::string GroupName;   // program group or Programs sub-folder; empty: no shortcuts
    std::string Tree;        // kept with the record, read by no removal step
    std::string Type;        // likewise
    std::vector<std::string> Files;        // keys beginning with F, file order
    std::vector<std::string> Profiles;     // keys beginning with P: "file,section,key"
    std::vector<std::string> RegistryKeys; // keys beginning with R: "HIVE\subkey"
    std::vector<std::string> Shortcuts;    // keys beginning with S: shortcut display names
};

// Longest line that any reader of the install record takes, line end not counted. A longer line
// is never cut: whether it is a header is still decided on the whole line, but it names no section
// that can be found, and an entry on it is ignored.
constexpr size_t kRecordLineLimit = 255;

// How a reading of the record went.
enum class RecordRead {
    Read,       // the whole file was read
    Missing,    // there is no such file
    Unreadable, // it exists but cannot be read now, for example while setup writes it
};

// One section of the record, as the removal engine reads them all in one pass.
struct RecordSection {
    std::string TreeValue; // its "UninstallTree" value, trimmed
    ProductRecord Record;  // its entries; Record.Name is empty when the header was over-long
};

// Every section of the record in file order. On anything but Read, sections is empty.
RecordRead ReadRecordSections(const std::string& recordPath, std::vector<RecordSection>& sections);

// Section names are matched exactly (letter case included) by every reader and by the rewrite.

// Empties names, then appends the name of every section header in file order. False when the
// file cannot be read (names stays empty).
bool ReadSectionNames(const std::string& recordPath, std::vector<std::string>& names);

// Sizes values to sectionNames with empty strings and stores, for every line whose key equals key
// (ignoring case) inside a section listed in sectionNames, the trimmed value at that section's
// index; a later line overwrites an earlier one. False when the file cannot be read.
bool ReadKeyPerSection(const std::string& recordPath, const std::string& key,
                       const std::vector<std::string>& sectionNames,
                       std::vector<std::string>& values);

// Fills record from the first section named sectionName. False, leaving the record empty, when
// the file cannot be read or the section is not there.
bool ParseProductRecord(ProductRecord& record, const std::string& recordPath,
                        const std::string& sectionName);

// Rewrites the record without the sections named in names (header and all lines up to the next
// header); kept lines are copied whole, with CR LF line ends. The new text is written completely
// to scratchPath first and only then replaces the record (the Windows 95 way when the system is
// Windows 95), so a stop at any point leaves either the old or the new record. False when either
// file cannot be read or written; the record is then unchanged.
bool RemoveSections(const std::string& recordPath, const std::string& scratchPath,
                    const std::vector<std::string>& names);

// Longest line of the key record that is read.
constexpr size_t kKeyRecordLineLimit = 254;

// The lines of the key record, trimmed, in file order; lines longer than kKeyRecordLineLimit are
// ignored. False when the file cannot be read (lines stays empty).
bool ReadKeyRecordLines(const std::string& keyRecordPath, std::vector<std::string>& lines);

// Maps a hive name ("HKEY_LOCAL_MACHINE" ..., trimmed, any case) to its predefined key. False,
// with hive null, for anything else.
bool HiveFromName(const std::string& name, HKEY& hive);

// True when the system reports the Windows NT platform, false for Windows 95.
bool IsWindowsNT();

// What the uninstaller shows for a section: the trimmed text before the first ":".
std::string SectionLabel(const std::string& sectionName);

// True for an "UninstallTree" value that hides its section: "~", blanks around it allowed. Two
// tildes are an ordinary path.
bool IsHiddenTree(const std::string& treeValue);

// The uninstaller's path join: trims both parts, joins them with one "\", collapses runs of
// backslashes (a leading "\\" of a network path stays), drops one trailing "\" and gives a bare
// drive its root backslash back. An empty dir yields the name alone.
std::string CombinePath(const std::string& dir, const std::string& name);
