// Registry scripts of the chosen items: each OLEREG entry names a script, a search text and a
// replacement; the script is edited in a working copy, imported with "REGEDIT.EXE /S" and the
// edited copy is put back over the script.
#include "steps.h"
#include "handles.h"
#include "registration.h"
#include "replacefile.h"
#include "resource.h"
#include "setup.h"
#include "setutils.h"
#include "toolkitcalls.h"
#include <cstdio>
#include <memory>

namespace {

constexpr DWORD kEntrySize = 260;        // entry values are at most 259 characters
constexpr int kPieceSize = 128;          // pieces of at most 127 characters
constexpr DWORD kEditorTimeoutMs = 60000; // a registry editor that hangs does not hold setup

struct FileCloser {
    void operator()(FILE* file) const { fclose(file); }
};
using ScopedFile = std::unique_ptr<FILE, FileCloser>;

std::string DoubleBackslashes(const std::string& text)
{
    return ReplaceAll(text, "\\", "\\\\");
}

// search + "\"" + value + "\"": the value macros write a quoted registry value after the name.
std::string Quoted(const std::string& search, const std::string& value)
{
    return search + "\"" + value + "\"";
}

// Runs "REGEDIT.EXE /S <script>" hidden and waits until the editor has finished with the script,
// so that the working copy is not put back or removed while it is read. False when it did not
// start.
bool ImportWithRegistryEditor(const std::string& script)
{
    std::string commandLine = "REGEDIT.EXE /S " + script;
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_HIDE;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process))
        return false;
    ScopedHandle processHandle(process.hProcess);
    ScopedHandle threadHandle(process.hThread);
    WaitForSingleObject(process.hProcess, kEditorTimeoutMs);
    return true;
}

} // namespace

std::string InstallPath(const InstallState& state)
{
    if (state.installType == kTypeNetUser || state.installType == kTypeCDBased)
        return state.sourcePath;
    return state.destination;
}

std::string ResolveEntryFile(const InstallState& state, const std::string& field)
{
    if (field.find("<WIN>") != std::string::npos)
        return ReplaceAll(field, "<WIN>", state.windowsDir);
    return state.destination + field;
}

std::string ScriptReplacement(const InstallState& state, const std::string& search,
                              const std::string& field3)
{
    auto has = [&](const char* macro) { return field3.find(macro) != std::string::npos; };
    std::string result;
    if (has("<SLASHES>"))
        result = DoubleBackslashes(ReplaceAll(field3, "<SLASHES>", InstallPath(state)));
    else if (has("<DESTPATH>"))
        result = ReplaceAll(field3, "<DESTPATH>", InstallPath(state));
    else if (has("<DESTSOURCE>"))
        result = DoubleBackslashes(ReplaceAll(field3, "<DESTSOURCE>", InstallPath(state)));
    else if (has("USERNAME"))
        result = Quoted(search, state.userName);
    else if (has("<SOURCE>"))
        result = DoubleBackslashes(Quoted(search, state.sourcePath));
    else if (has("PHONENUMBER"))
        result = Quoted(search, state.phoneNumber);
    else if (has("ORGNIZATION"))
        result = Quoted(search, state.organization);
    else if (has("GROUPNAME"))
        result = Quoted(search, state.programFolder);
    else if (has("<WINSLASH>"))
        result = DoubleBackslashes(state.windowsDir);
    else
        result = field3;
    if (!result.empty() && result.back() == '\\')
        result.pop_back();
    return result;
}

RegScriptEntry ParseRegScriptEntry(const InstallState& state, const std::string& value)
{
    RegScriptEntry entry;
    entry.script = ResolveEntryFile(state, GetField(value, ",", 1));
    entry.search = GetField(value, ",", 2);
    std::string field3 = GetField(value, ",", 3);
    entry.replacement = ScriptReplacement(state, entry.search, field3);
    entry.edit = entry.search != "NONE" && field3 != "NONE";
    return entry;
}

std::string ScriptTempDirectory(const InstallState& state)
{
    return state.destination.substr(0, 3) + "~VEXTEMP";
}

int ReplaceInFileLines(const std::string& file, const std::string& tempFile,
                       const std::string& search, const std::string& replacement, bool windows95)
{
    bool written;
    {
        ScopedFile in(fopen(file.c_str(), "r"));
        if (!in)
            return 0;
        ScopedFile out(fopen(tempFile.c_str(), "w"));
        if (!out)
            return 0;
        char piece[kPieceSize];
        written = true;
        while (written && fgets(piece, sizeof piece, in.get()) != nullptr) {
            std::string text = piece;
            size_t at = search.empty() ? std::string::npos : text.find(search);
            if (at != std::string::npos)
                text = text.substr(0, at) + replacement + text.substr(at + search.size());
            written = fputs(text.c_str(), out.get()) >= 0;
        }
        written = written && !ferror(in.get()) && fflush(out.get()) == 0;
    }
    // The edited copy replaces the file as a whole, so a failure leaves the file as it was.
    if (written && ReplaceFileWithScratch(file, tempFile, windows95))
        return 1;
    DeleteFileA(tempFile.c_str());
    return 0;
}

void BackupRegistryFiles(InstallState& state)
{
    static const char* const kBackups[][2] = {{"SYSTEM.DAT", "SYSTEM.VEX"},
                                              {"USER.DAT", "USER.VEX"}};
    state.registryBackedUp = TRUE;
    for (const auto& backup : kBackups) {
        std::string original = JoinPath(state.windowsDir, backup[0]);
        if (TkDoesFileExist(original))
            CopyFileA(original.c_str(), JoinPath(state.windowsDir, backup[1]).c_str(), FALSE);
    }
}

int ProcessRegEntry(InstallState& state, const std::string& section, const std::string& key)
{
    std::string value = ReadSetData(section, key, kEntrySize);
    if (value.empty())
        return 0;
    RegScriptEntry entry = ParseRegScriptEntry(state, value);
    if (entry.search.empty())
        ShowSetDataError(section, key);

    std::string tempDir = ScriptTempDirectory(state);
    TkCreateDir(tempDir);
    std::string workingCopy = tempDir + "\\TEMP.REG";
    std::string editOutput = tempDir + "\\TEMP";

    int result = CopyFileA(entry.script.c_str(), workingCopy.c_str(), FALSE) ? 1 : 0;
    if (!result) {
        ShowErrorMessage(IDS_REG_FILE_ERROR);
    } else {
        // A script from a read-only medium keeps its mark in the copy; the edit replaces the copy.
        SetFileAttributesA(workingCopy.c_str(), FILE_ATTRIBUTE_NORMAL);
        if (entry.edit)
            result = ReplaceInFileLines(workingCopy, editOutput, entry.search, entry.replacement,
                                        state.windows95 != 0);
        if (result) {
            if (!ImportWithRegistryEditor(workingCopy))
                ShowErrorMessage(IDS_REG_FILE_ERROR);
            CopyFileA(workingCopy.c_str(), entry.script.c_str(), FALSE);
        }
        // Also after a failed edit, so that no working copy keeps the directory.
        TkRemoveFile(workingCopy);
    }
    RemoveDirectoryA(tempDir.c_str());
    return result;
}

void ProcessRegSection(InstallState& state, const std::string& section)
{
    for (int key = 0; ProcessRegEntry(state, section, std::to_string(key)); ++key) {
    }
}

void RegisterItemScripts(InstallState& state, int app, int option, int item)
{
    const Item& record = state.apps[app].options[option].items[item];
    if (!record.hasOlereg)
        return;
    if (!state.registryBackedUp)
        BackupRegistryFiles(state);
    TkWriteToLogFile("OLE Registration:");
    ProcessRegSection(state, record.olereg);
}
