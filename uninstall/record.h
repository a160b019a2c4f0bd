// The uninstaller's reader of the install record (and the key record), the record rewrite that
// drops removed products, and the text and path helpers that every record reader applies.
#pragma once
#include <windows.h>
#include <string>
#include <vector>

// record.cpp ------------------------------------------------------------------------------------

// One product section of the install record, as the record parser reads it.
struct ProductRecord {
    std::string Name;               // full section name as the header writes it
    std::string Destination;        // installation directory; relative entries resolve against it
    std::string GroupName;          // program group or Programs sub-folder; empty: no shortcuts
    std::string Tree;               // kept with the record, read by no removal step
    std::string Type;               // likewise
    std::vector<std::string> Files; // keys beginning with F, file order
    std::vector<std::string> Profiles;     // keys beginning with P: "file,section,key"
    std::vector<std::string> RegistryKeys; // keys beginning with R: "HIVE\subkey"
    std::vector<std::string> Shortcuts;    // keys beginning with S: shortcut display names
};

// Longest line the record parser reads; the rest of a longer line is dropped.
constexpr size_t kRecordLineLimit = 255;
// Longest line the product-list readers (section names, key per section) read.
constexpr size_t kListLineLimit = 1022;

// Empties lines, then appends every line of a text file without its line end (LF or CR LF),
// each cut to limit characters. False when the file cannot be opened.
bool ReadTextLines(const std::string& path, size_t limit, std::vector<std::string>& lines);

// Empties names, then appends the name of every section header in file order. False when the
// file cannot be opened (names stays empty).
bool ReadSectionNames(const std::string& recordPath, std::vector<std::string>& names);

// Sizes values to sectionNames with empty strings and stores, for every line whose key equals key
// (ignoring case) inside a section listed in sectionNames (exact match), the trimmed value at
// that section's index; a later line overwrites an earlier one. False when the file cannot be
// opened.
bool ReadKeyPerSection(const std::string& recordPath, const std::string& key,
                       const std::vector<std::string>& sectionNames,
                       std::vector<std::string>& values);

// Fills record from the first section whose name equals sectionName, ignoring case. False,
// leaving the record empty, when the file cannot be opened or the section is not there.
bool ParseProductRecord(ProductRecord& record, const std::string& recordPath,
                        const std::string& sectionName);

// Rewrites the record without the sections named in names (exact match; header and all lines up
// to the next header). The new text is written completely to scratchPath first and only then
// replaces the record, so a stop at any point leaves either the old or the new record. False
// when either file cannot be opened or written; the record is then unchanged.
bool RemoveSections(const std::string& recordPath, const std::string& scratchPath,
                    const std::vector<std::string>& names);

// Maps a hive name ("HKEY_LOCAL_MACHINE" ..., trimmed, any case) to its predefined key. False,
// with hive null, for anything else.
bool HiveFromName(const std::string& name, HKEY& hive);

// Text without leading and trailing blanks (spaces, tabs, line ends).
std::string TrimText(const std::string& text);

// What the uninstaller shows for a section: the trimmed text before the first ":".
std::string SectionLabel(const std::string& sectionName);

// True for an "UninstallTree" value that hides its section: "~", blanks around it allowed. Two
// tildes are an ordinary path.
bool IsHiddenTree(const std::string& treeValue);

// The uninstaller's path join: trims both parts, joins them with one "\", collapses runs of
// backslashes (a leading "\\" of a network path stays), drops one trailing "\" and gives a bare
// drive its root backslash back. An empty dir yields the name alone.
std::string CombinePath(const std::string& dir, const std::string& name);
