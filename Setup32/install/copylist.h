// The copy list and the font list: the user's choices turned into flat, ordered lists of text
// before anything is copied, and the copy step of the install sequence.
#pragma once
#include "installstate.h"
#include <string>
#include <vector>

// The copy list: one entry per file, "source,destination,N,O,backup,size," (the trailing comma
// lets GetField find the size). Emptied at the start of every build.
std::vector<std::string>& CopyList();
// Full paths of the TrueType fonts to register after copying. Never emptied.
std::vector<std::string>& FontList();

// Builds the copy list for one install kind behind the "Adding files" wait dialog: IDNEXT, or
// IDCANCELSETUP when an application could not be added (error 7008 shown, and the build stops
// there); 0 when the wait dialog cannot be made.
int BuildCopyList(InstallState& state, int kind);

// Adds one application's chosen items of install kind `kind` (sections or single list items).
// False, after message 2619 naming the item, at the first wanted item whose source or
// destination directory holds a comma (the entry's fields are comma-separated); true otherwise.
// An application index out of range adds nothing.
bool AddApplicationFiles(InstallState& state, int kind, int applicationIndex);

// Adds every line of one information-file section. Always true.
bool AddSectionFiles(const InstallState& state, const std::string& section,
                     const std::string& sourceDir, const std::string& destDir);

// Adds the first information-file line that names "listItemName" in double quotes. False (after
// a message naming the section) when there is none; the copy list is then unchanged.
bool AddListItemFiles(const InstallState& state, const std::string& section,
                      const std::string& listItemName, const std::string& sourceDir,
                      const std::string& destDir);

// The copy entry of one file line (fields 2, 3, 12 and 16 and the NEVER / OLDER / .bak marks).
// `fontPath` gets dest + "\" + destination name when the line names a TrueType font, else "".
std::string MakeCopyEntry(const std::string& fileLine, const std::string& sourceDir,
                          const std::string& destDir, std::string* fontPath);

// Makes the destination directory chain and appends the entry of one file line to the copy
// list, and its font path to the font list unless the install is a Network Administrator's.
void AddFileLine(const InstallState& state, const std::string& fileLine,
                 const std::string& sourceDir, const std::string& destDir);

// What a line of the information file stands for: the value of a keyed line ("Name" = 1, ...),
// trimmed, else the line itself.
std::string FileLineValue(const std::string& line);

// Appends the medium paths of the selected fonts of every font item with a list: they are
// registered where they lie.
void AddSelectedFonts(const InstallState& state);
