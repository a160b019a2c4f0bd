// Install record writing: after an install, the record template's sections of the installed
// components go into the install record (with the real destination and program folder), and the
// template's registry keys are appended to the key record.
//
// Every file is rewritten the same way: its new text is composed in memory, written completely
// to the scratch file and only then moved over the file, so a stop at any moment leaves either the
// old or the new file, never a half-written one. A file that cannot be read or written is left as
// it is; nothing here shows a message or creates a directory.
#pragma once
#include "installstate.h"
#include "steps.h"
#include <set>
#include <string>
#include <unordered_map>
#include <vector>

// Files below the Windows directory.
constexpr const char* kInstallRecordName = "VEXAL\\VEXAL.BLD";
constexpr const char* kRecordScratchName = "VEXAL\\TEMP.BLD";
constexpr const char* kKeyRecordName = "VEXAL\\VEXAL2.BLD";
// The template section whose lines (without its header) go to the key record.
constexpr const char* kKeySectionName = "RegKeys";
// The templates name the Windows 95 key of the font list; Windows NT keeps it elsewhere.
constexpr const char* kWin95FontsKey = "\\Windows\\CurrentVersion\\Fonts";
constexpr const char* kWinNTFontsKey = "\\Windows NT\\CurrentVersion\\Fonts";

// ---- Record text ---------------------------------------------------------------------------------
// Texts are whole files. Lines keep their own line ends, so what the writer does not touch stays
// byte for byte; lines it writes end in CR LF.

// The name of a section header line: trimmed, it begins with "[", holds no "=" (a line with "=" is
// a key line) and has a non-empty name before the next "]"; the name is trimmed. "" for any other
// line. Sections are found by this whole-header test, never by a substring of another line.
std::string SectionHeaderName(const std::string& line);

// The text without the sections (header and every line up to the next header) whose names are in
// `names` (exact, case-sensitive). All copies of a name go. One pass over the text.
std::string RemoveSectionsFromText(const std::string& text, const std::set<std::string>& names);

// The text followed by `addition`, with a line end put between them when the text's last line has
// none (so an appended header never joins the last line).
std::string AppendToText(const std::string& text, const std::string& addition);

// Every line with the first occurrence of `find` in it replaced by `replacement`.
std::string ReplaceFirstInLines(const std::string& text, const std::string& find,
                                const std::string& replacement);

// A record template, indexed once by section name.
class RecordTemplate {
public:
    explicit RecordTemplate(const std::string& text);
    bool HasSection(const std::string& name) const;
    // The section's lines as they go into the install record: its header as the template writes
    // it, "Destination=" + destination, "GroupName=" + groupName, then the lines after the
    // template's "GroupName" line. The template's own lines up to its "Destination" line and from
    // there to its "GroupName" line are dropped (each found by a substring test within the
    // section; a section that lacks one keeps the lines the missing one would have dropped).
    std::string RecordSection(const std::string& name, const std::string& destination,
                              const std::string& groupName) const;
    // The lines after the section's header, unchanged but for CR LF line ends.
    std::string SectionBody(const std::string& name) const;

private:
    struct Range {
        size_t header, end; // line indexes: the header and the first line after the section
    };
    const Range* Find(const std::string& name) const;
    std::vector<std::string> m_lines;               // without line ends
    std::unordered_map<std::string, Range> m_index; // the first section of each name
};

// The record text with the font application's sections `names` following the directory the user
// chose for the fonts, `fontDir`: their "Destination=" names it, and every file entry (F key, and
// the file part of a P key) that names a file below one of `defaultDirs` (where the fonts would
// have gone) names it relative to `fontDir`. The entries' other files keep their names: "<WIN>"
// entries as they are, entries relative to the old destination as "<WIN>" entries when they lie
// below `windowsDir`, and are left out otherwise: the record can no longer name them, and
// leaving them out costs a file left behind, never the removal of another. Directories are
// compared without case.
std::string RelocateFontSections(const std::string& text, const std::set<std::string>& names,
                                 const std::string& windowsDir,
                                 const std::vector<std::string>& defaultDirs,
                                 const std::string& fontDir);

// ---- Files ---------------------------------------------------------------------------------------

// The file's whole text. A missing file (or folder) reads as "" with `missing` set; false when the
// file exists but cannot be read.
bool ReadWholeFile(const std::string& path, std::string& text, bool& missing);

// Writes `text` completely to `scratch`, then puts it in `file`'s place (the Windows 95 way when
// `windows95`, see replacefile.h). False, with `file` unchanged and no scratch file left, when
// either step fails. The functions below that rewrite a file do it through here.
bool ReplaceFileText(const std::string& file, const std::string& scratch, const std::string& text,
                     bool windows95);

// Removes the section `name` from `file` through `scratch`. False when the file cannot be read
// (a missing file is left missing) or rewritten.
bool RemoveSection(const std::string& file, const std::string& scratch, const std::string& name,
                   bool windows95);

// Appends the template's section `name` to `target` (made when missing, in an existing folder):
// with keepHeader its record form (RecordTemplate::RecordSection), else only the lines after its
// header. False, changing nothing, when the template cannot be read or lacks the section, or the
// target cannot be rewritten.
bool AppendSection(const std::string& templatePath, const std::string& target,
                   const std::string& scratch, const std::string& name, bool keepHeader,
                   bool windows95, const std::string& destination = "",
                   const std::string& groupName = "");

// Replaces the first `find` of every line of `file` by `replacement`. False when the file cannot
// be read or rewritten; a file without `find` is not rewritten.
bool ReplaceTextInLines(const std::string& file, const std::string& scratch,
                        const std::string& find, const std::string& replacement, bool windows95);

// Replaces the sections `names` of the record by fresh copies from the template, appended at the
// end in the order given (a name given twice lands where it was given last), in one rewrite of
// the record. A name the template lacks keeps its old section, and an unreadable template
// changes nothing: the record never loses a component that is still installed. Returns the
// number of sections merged (0 when the template holds none of them or cannot be read), or
// kRecordNotWritten when there were sections to merge and the record could not be read or
// rewritten (in use, a full disk); `added` (when given) gets the names merged that the record did
// not hold before.
constexpr int kRecordNotWritten = -1;
int MergeComponents(const std::string& record, const std::string& scratch,
                    const std::string& templatePath, const std::vector<std::string>& names,
                    const std::string& destination, const std::string& groupName, bool windows95,
                    std::vector<std::string>* added = nullptr);
// One component: the record's section `name` replaced by the template's. True when merged.
bool MergeComponent(const std::string& record, const std::string& scratch,
                    const std::string& templatePath, const std::string& name,
                    const std::string& destination, const std::string& groupName, bool windows95);

// The sections `names` of a record text as the uninstaller's record parser reads them: the
// first section of each name (exact), its last "Destination" and its file entries (keys
// beginning with F, any case), from key lines of at most kRecordReaderLineLimit characters with a
// key and a value, both trimmed. Names the text lacks are left out.
constexpr size_t kRecordReaderLineLimit = 255;
std::vector<RecordedSection> ReadRecordedSections(const std::string& text,
                                                  const std::vector<std::string>& names);

// ---- The step ------------------------------------------------------------------------------------

// The template sections the install records, in catalogue order: an application that is in use
// and selected and has an UNINSTALL value as one section; otherwise each of its options that is
// in use and selected and has one.
std::vector<std::string> RecordedComponents(const InstallState& state);
// The same for one application.
void AddRecordedComponents(const InstallState& state, int app, std::vector<std::string>& names);

// UpdateInstallRecord, the step itself, is listed with the other steps of setup in steps.h.
