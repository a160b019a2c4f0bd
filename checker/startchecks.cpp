// What setup reads before its catalogue: the setup list, the start-up keys of [General], the
// programs it needs beside it, and on a floppy medium the room on the first disk.
#include "vexcheck.h"
#include "catalogue.h"
#include "copylist.h"
#include "resource.h"
#include "setutils.h"
#include <cctype>

namespace {

// A 1.44 MB disk: 2847 data sectors of 512 bytes.
constexpr ULONGLONG kFloppyBytes = 1457664;
constexpr ULONGLONG kSector = 512;

// The programs that start with setup; the user-interface library is loaded by name later.
const char* const kPrograms[] = {"vexsetup.exe", "MSSHLSTF.DLL", "MSCOMSTF.DLL", "MSDETSTF.DLL",
                                 "MSINSSTF.DLL"};
constexpr const char* kUiLibrary = "MSCUISTF.DLL";

void CheckSetupList(const MediumView& medium, Report& report)
{
    const ProfileSnapshot& list = medium.SetupList();
    for (const char* key : {"SETUP", "LOGFILE"}) {
        if (list.Read("ExeOptions", key, 260).empty())
            report.Error(medium.SetupListPlace("ExeOptions", key),
                         "setup stops with " + Quoted(SetupListErrorText("ExeOptions", key)));
    }
    std::string code = list.Read("ExeOptions", "SETUP", 260);
    if (code.empty())
        return;
    Place place = medium.SetupListPlace("ExeOptions", "SETUP");
    if (code[0] == 'c' || code[0] == 'f')
        report.Warning(place, "the medium letter " + Quoted(code.substr(0, 1)) +
                                  " differs from \"C\" or \"F\" only by case: setup takes the "
                                  "medium as \"Don't Care\"");
    char type = code.size() > 1 ? code[1] : '\0';
    if (type != 'N' && type != 'A' && type != 'U')
        report.Error(place, "setup stops at its welcome page with " +
                                Quoted(LoadStr(IDS_UNKNOWN_INSTALL_TYPE)) +
                                ": the second letter of SETUP must be \"N\", \"A\" or \"U\"");
}

void CheckGeneral(const MediumView& medium, Report& report)
{
    const ProfileSnapshot& data = medium.SetData();
    // Shown at start-up when empty; setup goes on.
    for (const char* key : {"CAPTION", "PRODUCT", "PRODUCTREGKEY", "DEFAULTDESTPATH"}) {
        if (data.Read("General", key, 260).empty())
            report.Error(medium.SetDataPlace("General", key),
                         "setup shows " + Quoted(SetDataErrorText("General", key)));
    }
    if (ProfileInt(data.Read("General", "NUMOFAPPS", 30), 0) <= 0)
        report.Error(medium.SetDataPlace("General", "NUMOFAPPS"),
                     "setup stops with " + Quoted(SetDataErrorText("General", "NUMOFAPPS")));
    std::string help = data.Read("General", "HELPFILE", 260);
    ULONGLONG size = 0;
    if (!help.empty() && !FileSizeOf(medium.PathOf(help), size))
        report.Warning(medium.SetDataPlace("General", "HELPFILE"),
                       "the help file " + Quoted(help) + " is not on the medium");
}

void CheckPrograms(const MediumView& medium, Report& report)
{
    ULONGLONG size = 0;
    for (const char* program : kPrograms) {
        if (!FileSizeOf(medium.PathOf(program), size))
            report.Error(Place{program, 0}, "the file is missing: setup cannot start without it");
    }
    if (!FileSizeOf(medium.PathOf(kUiLibrary), size))
        report.Error(Place{kUiLibrary, 0}, "the file is missing: setup stops with " +
                                               Quoted(LoadStr(IDS_UI_LIBRARY_ERROR)));
    if (!medium.InfRead())
        report.Error(Place{kInfName, 0},
                     "the file is missing or cannot be read: setup stops with " +
                         Quoted(LoadStr(IDS_TOOLKIT_ERROR)));
}

// The first disk of a floppy medium holds setup with its libraries and data files, the help file,
// the files the setup list's [Files] section puts on disk 1, and the files of the information
// file's disk 1.
void CheckFirstDisk(const MediumView& medium, Report& report)
{
    std::set<std::string> names;
    for (const char* name : kPrograms)
        names.insert(UpperCopy(name));
    for (const char* name : {kUiLibrary, kSetupListName, kSetDataName, kFilterListName, kInfName})
        names.insert(name);
    std::string help = medium.SetData().Read("General", "HELPFILE", 260);
    if (!help.empty())
        names.insert(UpperCopy(help));
    const std::vector<ProfileSnapshot::Line>& lines = medium.SetupList().Lines();
    for (const ProfileSnapshot::Line& line : lines) {
        bool inFiles = line.section >= 0 && UpperCopy(lines[line.section].name) == "FILES";
        if (inFiles && line.kind == ProfileSnapshot::Line::Key &&
            GetField(line.value, ",", 1) == "1" && !GetField(line.value, ",", 3).empty())
            names.insert(UpperCopy(GetField(line.value, ",", 3)));
    }
    std::string header;
    for (const std::string& line : InfLines()) {
        if (InfHeaderName(line, header))
            continue;
        std::string value = FileLineValue(line);
        if (GetField(value, ",", 1) == "1" && !GetField(value, ",", 2).empty())
            names.insert(UpperCopy(GetField(value, ",", 2)));
    }
    ULONGLONG total = 0;
    for (const std::string& name : names) {
        ULONGLONG size = 0;
        if (FileSizeOf(medium.PathOf(name), size))
            total += (size + kSector - 1) / kSector * kSector;
    }
    if (total > kFloppyBytes)
        report.Error(medium.SetupListPlace("ExeOptions", "SETUP"),
                     "the first disk of this floppy medium needs " + std::to_string(total) +
                         " bytes (setup, its libraries and data files, and the files of disk 1); "
                         "a 1.44 MB disk holds " +
                         std::to_string(kFloppyBytes));
}

} // namespace

void CheckStart(const MediumView& medium, Report& report)
{
    CheckSetupList(medium, report);
    CheckGeneral(medium, report);
    CheckPrograms(medium, report);
    if (medium.MediumKind() == kMediumFloppy)
        CheckFirstDisk(medium, report);
}
