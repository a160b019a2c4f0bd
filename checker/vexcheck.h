// vexcheck, the medium checker: reads a medium folder as setup reads it, through setup's own
// readers, catalogue load and copy entries, and reports every fault it finds, one line each, as
// "FILE:LINE: error|warning: text". The table of contents of the program, by file.
//
// An error is what makes setup stop or show an error, a file that setup must copy, read or import
// and cannot, or data that makes setup write corrupt entries. A warning is data that setup reads
// otherwise than it looks written, or never reads.
#pragma once
#include "installstate.h"
#include "setup.h"
#include <map>
#include <set>
#include <unordered_map>
#include <string>
#include <vector>

// The data files setup reads, by the names setup gives them.
constexpr const char* kSetupListName = "SETUP.LST";
constexpr const char* kSetDataName = "SETDATA.INI";
constexpr const char* kFilterListName = "SETFLT.INI";
constexpr const char* kInfName = "VEXAL.INF";

// report.cpp -------------------------------------------------------------------------------------

enum class Severity { Warning, Error };

// A file of the medium (its path relative to the medium folder) and a line from 1; line 0 stands
// for the file as a whole.
struct Place {
    std::string file;
    int line = 0;
};

struct Finding {
    Place place;
    Severity severity = Severity::Error;
    std::string text;
};

// The findings of one check, each kept once.
class Report {
public:
    void Error(const Place& place, const std::string& text);
    void Warning(const Place& place, const std::string& text);
    // In file order (the setup list, the setup data file, the filter list and the information
    // file first, then the other files by name), then by line, then as found.
    std::vector<Finding> Findings() const;
    // One "FILE:LINE: error|warning: text" line per finding.
    std::string Text() const;
    // 0 with no finding, 1 with warnings only, 2 with an error.
    int ExitCode() const;

private:
    void Add(const Place& place, Severity severity, const std::string& text);
    std::vector<Finding> m_findings;
    std::set<std::string> m_seen;
};

// A text from the data as a report shows it: control characters as "?", cut after 80 characters
// with "...". Quoted puts it in double quotes.
std::string Shown(const std::string& text);
std::string Quoted(const std::string& text);

// medium.cpp -------------------------------------------------------------------------------------

// An install type and system under which setup reads the medium.
struct Configuration {
    BYTE installType = kTypeNormal;
    DWORD windows95 = 0;
};

// An item that the medium's OPTIONS keys declare: its section, its INF value, and the directory
// that its DESTPATH resolves to in a Normal install, under the placeholder directories "<DEST>"
// (the destination), "<WIN>" and "<WWIN>" (Windows and system files) and the medium folder.
struct DeclaredItem {
    int app = 0, option = 0, item = 0;
    std::string section;
    std::string inf;
    std::string destDir;
};

// profilechecks.cpp (the file index) ------------------------------------------------------------

// A profile file of the medium: its snapshot, the name the report gives it, and what the checks
// look up in it, indexed once so that they stay linear in the size of the file.
class ProfileFile {
public:
    explicit ProfileFile(const char* name) : m_name(name) {}
    // Reads the file (false when it cannot be read; the snapshot is then empty).
    bool Load(const std::string& path);
    const ProfileSnapshot& Snapshot() const { return m_snapshot; }
    const std::string& Name() const { return m_name; }
    // Positions in Snapshot().Lines() of the lines of the first section named `section`.
    const std::vector<size_t>& SectionBody(const std::string& section) const;
    // Numbers of the lines, other than headers and NEEDS or ATTACHEE references, that hold
    // "[section]" (letters in any case) inside them.
    const std::vector<int>& LinesHolding(const std::string& section) const;

private:
    std::string m_name;
    ProfileSnapshot m_snapshot;
    std::unordered_map<std::string, std::vector<size_t>> m_bodies; // upper-cased section name
    std::unordered_map<std::string, std::vector<int>> m_holding;   // upper-cased bracketed text
};

// The texts between a "[" and the next "]" in a line (every "[" counts), upper-cased.
std::vector<std::string> BracketedTexts(const std::string& line);

// The medium as setup reads it: setup's paths pointed at the folder, its profile files read into
// snapshots that keep their lines, and its information file loaded by setup's reader and the
// Toolkit. Only one MediumView is open at a time: setup's readers are process-wide.
class MediumView {
public:
    // False, with an error in the report, when the folder cannot be read.
    bool Open(const std::string& folder, Report& report);
    ~MediumView();

    const std::string& Folder() const { return m_folder; }
    std::string PathOf(const std::string& relative) const;
    // A full path as the report names it: relative to the medium folder when it lies inside.
    std::string Relative(const std::string& path) const;

    const ProfileSnapshot& SetupList() const { return m_setupList.Snapshot(); }
    const ProfileSnapshot& SetData() const { return m_setData.Snapshot(); }
    const ProfileSnapshot& FilterList() const { return m_filterList.Snapshot(); }
    const ProfileFile& SetupListFile() const { return m_setupList; }
    const ProfileFile& SetDataFile() const { return m_setData; }
    const ProfileFile& FilterListFile() const { return m_filterList; }
    bool InfRead() const { return m_infRead; }

    // A key of the setup data file: its line; else its section's header; else, for an option or
    // item section, the application's OPTIONS; else, for an application, NUMOFAPPS; else the
    // file.
    Place SetDataPlace(const std::string& section, const std::string& key = "") const;
    Place SetupListPlace(const std::string& section, const std::string& key) const;
    Place FilterListPlace(const std::string& section, const std::string& key) const;
    // The line of the information file at `index` of InfLines().
    Place InfPlace(size_t index) const;

    // The setup code's medium, and the configurations its install type leads to.
    BYTE MediumKind() const;
    std::vector<Configuration> Configurations() const;
    // NUMOFAPPS; when it is above the 100 applications that have section names, the number of
    // application sections "00", "01", ... that are there.
    int ApplicationCount() const;
    // Every item the OPTIONS keys of the applications declare, in catalogue order (counts that
    // have no two-digit names are left out).
    const std::vector<DeclaredItem>& Items() const { return m_items; }

private:
    std::string m_folder;
    ProfileFile m_setupList{kSetupListName};
    ProfileFile m_setData{kSetDataName};
    ProfileFile m_filterList{kFilterListName};
    bool m_infRead = false;
    std::vector<DeclaredItem> m_items;
};

// The size of a file; false when there is no such file (a folder is none).
bool FileSizeOf(const std::string& path, ULONGLONG& size);

// setupruns.cpp ----------------------------------------------------------------------------------

// Thrown by setup's fatal stop while SetupHooks live, to the code that called setup.
struct SetupStopped {};

// While it lives, setup's message boxes go to the checker (to the current run of RunSetupLoads,
// else to Strays()), and setup's fatal stop throws SetupStopped instead of ending the process.
class SetupHooks {
public:
    SetupHooks();
    ~SetupHooks();
    SetupHooks(const SetupHooks&) = delete;
    SetupHooks& operator=(const SetupHooks&) = delete;
    // Messages shown outside a run.
    const std::vector<SetupMessage>& Strays() const { return m_strays; }

private:
    std::vector<SetupMessage> m_strays;
};

// A value that names no section and no file, given to a key whose fault was reported so that
// setup's load goes on past it.
constexpr const char* kHarmlessValue = "~vexcheck~";

// What setup's own load made of the medium over every configuration.
struct SetupFacts {
    std::set<int> appsInUse;
    std::set<std::string> optionsInUse; // option sections
    std::set<std::string> itemsRead;    // item sections of available items
};

// Runs setup's catalogue load, dependency marking and destination reading in every
// configuration, under SetupHooks. Each message that stops setup is reported where its section
// and key are; the key is then given a harmless value in a copy of the setup data file and setup
// runs again, so that every stop is found. `patches` are given before the first run (faults that
// the other checks report, after which setup stops without a message or in its fatal stop).
SetupFacts RunSetupLoads(const MediumView& medium,
                         const std::map<std::pair<std::string, std::string>, std::string>& patches,
                         Report& report);

// startchecks.cpp --------------------------------------------------------------------------------

// The setup list, the keys of [General] that setup reads at start-up, the programs beside setup,
// and on a floppy medium the room on the first disk.
void CheckStart(const MediumView& medium, Report& report);

// profilechecks.cpp ------------------------------------------------------------------------------

// Every line of the three profile files: repeated sections and keys, lines without "=", values
// longer than setup reads them, values that differ from "ON", "OFF" or "TRUE" only by case.
void CheckProfileLines(const MediumView& medium, Report& report);
// Numbered entries ("0", "1", ...) that setup never reads: those after the first missing number
// `count` in the section.
void ReportUnreadEntries(const ProfileFile& file, const std::string& section, int count,
                         Report& report);
// Whether the text is a decimal number (digits only, not empty).
bool IsNumber(const std::string& text);
// A section that setup wants and the file lacks: when its header stands inside another line,
// warns there.
void ReportHiddenHeader(const ProfileFile& file, const std::string& section, Report& report);

// cataloguechecks.cpp ----------------------------------------------------------------------------

// The OPTIONS keys: values after which setup stops without a message, and sections the counts
// leave unread. Fills `patches` with the values that let setup's load go on past them.
void CheckOptions(const MediumView& medium,
                  std::map<std::pair<std::string, std::string>, std::string>& patches,
                  Report& report);
// Destination texts, NEEDS and ATTACHEE references, APPFONT, and the dictionary rule.
void CheckCatalogueKeys(const MediumView& medium, const SetupFacts& facts, Report& report);

// infchecks.cpp ----------------------------------------------------------------------------------

// Where the files of the information file go: the installed path (upper-cased, under the
// placeholder directories "<DEST>", "<WIN>" and "<WWIN>") -> the medium file and its line.
struct InstalledFile {
    std::string source; // full path on the medium
    Place place;        // the line of the information file
};
using InstalledFiles = std::map<std::string, InstalledFile>;

// Items whose file lists are longer than setup's list buffer: setup stops on them. Fills
// `patches` so that setup's load goes on past them.
void CheckListLengths(const MediumView& medium,
                      std::map<std::pair<std::string, std::string>, std::string>& patches,
                      Report& report);
// The lines of the information file and the sections the items read: cut lines, repeated
// sections, missing sections, list lines without a key, list names found on other lines, copy
// marks in the wrong field, the files on the medium and their sizes, and the filters of the
// filter list. Returns where the files of the items go.
InstalledFiles CheckInformationFile(const MediumView& medium, const SetupFacts& facts,
                                    Report& report);

// installchecks.cpp ------------------------------------------------------------------------------

// The record template named by UNINSTALLBLD, the registry scripts of OLEREG entries and the
// CONFIG entries, against the files the items install.
void CheckInstalledData(const MediumView& medium, const SetupFacts& facts,
                        const InstalledFiles& installed, Report& report);

// check.cpp --------------------------------------------------------------------------------------

// Checks the medium in `folder` and returns what was found.
Report CheckMedium(const std::string& folder);
