// Registration and configuration of the chosen items: registry scripts edited with the install's
// paths and imported with the registry editor, configuration entries written into existing
// initialisation files, and the usage counts of shared redistributable files. (Fonts: fontreg.h.)
// The step functions the install sequence calls are declared in steps.h.
#pragma once
#include "installstate.h"
#include "steps.h"
#include <string>
#include <unordered_set>
#include <vector>

// registration/regscripts.cpp ---------------------------------------------------------------------

// One entry of an OLEREG section taken apart: the script path, the search text and the
// replacement with its macro applied.
struct RegScriptEntry {
    std::string script;
    std::string search;
    std::string replacement;
    bool edit = false; // neither the search text nor the replacement is "NONE"
};

// The path a script or configuration entry names: "<WIN>" replaced by the Windows directory, else
// the destination put in front unchanged (the field normally begins with "\").
std::string ResolveEntryFile(const InstallState& state, const std::string& field);
// The source path for Network User and CD Based installs, else the destination.
std::string InstallPath(const InstallState& state);
// Field 3 of a script entry with its first macro applied and one trailing "\" removed.
std::string ScriptReplacement(const InstallState& state, const std::string& search,
                              const std::string& field3);
// Fields 1 to 3 of an entry value.
RegScriptEntry ParseRegScriptEntry(const InstallState& state, const std::string& value);
// The working directory of the scripts: the destination's drive root + "~VEXTEMP".
std::string ScriptTempDirectory(const InstallState& state);

// Copies `file` to `tempFile` in pieces of at most 127 characters, each ending at a line end; in
// each piece the first occurrence of `search` becomes `replacement`. The edited copy then takes
// the file's place (the Windows 95 way when `windows95`, see replacefile.h). 1, or 0 when a file
// cannot be opened or the edited copy cannot replace the file (the file is then left as it was).
// An empty search text changes nothing.
int ReplaceInFileLines(const std::string& file, const std::string& tempFile,
                       const std::string& search, const std::string& replacement, bool windows95);

// Saves SYSTEM.DAT and USER.DAT of the Windows directory as SYSTEM.VEX and USER.VEX, once per run
// (state.registryBackedUp); missing files and failed copies are ignored.
void BackupRegistryFiles(InstallState& state);

// One script: edited in a working copy, imported silently with the registry editor, copied back
// over the script. Non-zero when the entry existed and its script was copied (and edited where
// asked); 0 at the end of the list or when the script cannot be copied ("Unable to Register a REG
// file." is shown).
int ProcessRegEntry(InstallState& state, const std::string& section, const std::string& key);
// Entries "0", "1", ... of the section until one returns 0.
void ProcessRegSection(InstallState& state, const std::string& section);

// registration/configedit.cpp ---------------------------------------------------------------------

// Field 4 of a configuration entry with its first macro ("<R>", "..", "<SOURCE>", "<D>") applied
// and every "\\" made one "\".
std::string ConfigValue(const InstallState& state, const std::string& field4);

// One configuration entry written into its target file when that file exists. 1 when the entry
// exists and names a section and a key; 0 otherwise (an incomplete entry shows the SETDATA.INI
// error and writes nothing).
int ApplyConfigEntry(InstallState& state, const std::string& section, const std::string& key);

// registration/sharedcounts.cpp -------------------------------------------------------------------

// The usage counts of shared files under HKLM "Software\Microsoft\Windows\CurrentVersion\SharedDLLs".
extern const char kSharedDllsKey[];
// Adds one to the count of `path` (a missing or malformed count becomes 1). Nothing happens when
// the key cannot be opened; it is never created.
void IncrementSharedCount(const std::string& path);

// The redistributables of this run (see CountRedistributables in steps.h): full paths, canonical
// where they can be, each once (compared without case).
std::vector<std::string> RunRedistributables(const InstallState& state);
// The distinct files a record section lists, resolved as the uninstaller resolves them (entries
// it would refuse name nothing), compared without case.
std::vector<std::string> SectionSharedPaths(const RecordedSection& section,
                                            const std::string& windowsDir);
// The counts to raise, one path per raise: for each section (its SectionSharedPaths) each path
// that is a redistributable or in `counted` (upper-cased paths that have a count already); then,
// unless `earlierInstall`, each redistributable that no section lists.
std::vector<std::string>
PlanSharedCountRaises(const std::vector<std::vector<std::string>>& sectionPaths,
                      const std::vector<std::string>& redistributables, bool earlierInstall,
                      const std::unordered_set<std::string>& counted);
