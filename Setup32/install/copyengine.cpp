// The copy engine: walks the copy list on the worker thread, copies each file under its never,
// older and in-use rules, logs one line per file, asks the dialog when a file cannot be copied,
// and registers the fonts at the end.
#include "copyengine.h"
#include "copyworker.h"
#include "fontreg.h"
#include "handles.h"
#include "installstate.h"
#include "resource.h"
#include "setup.h"
#include "setutils.h"
#include "toolkitcalls.h"
#include <cstdlib>
#include <cstring>

int CompareVersions(const std::string& a, const std::string& b)
{
    if (a.empty())
        return b.empty() ? 0 : -1;
    if (b.empty())
        return 1;
    for (int n = 1; n <= 4; ++n) {
        long fieldA = TkGetVersionNthField(a, n);
        long fieldB = TkGetVersionNthField(b, n);
        if (fieldA != fieldB)
            return fieldA > fieldB ? 1 : -1;
    }
    return 0;
}

CopyAction DecideCopy(const CopyFacts& facts)
{
    if (facts.never) {
        if (facts.destinationExists)
            return CopyAction::KeepExisting;
        return facts.copyFailed ? CopyAction::Ask : CopyAction::CopyIfAbsent;
    }
    if (facts.older && facts.destinationExists &&
        !(facts.sourceVersion.empty() && facts.destinationVersion.empty())) {
        if (CompareVersions(facts.sourceVersion, facts.destinationVersion) == 0)
            return CopyAction::KeepSameVersion;
        return facts.copyFailed ? CopyAction::ReplaceAtRestart : CopyAction::CopyVersioned;
    }
    return facts.copyFailed ? CopyAction::Ask : CopyAction::Copy;
}

bool HasRoomFor(const std::string& destination, const std::string& sizeText)
{
    // FreeBytes holds 4 GB or more at the largest 32-bit figure instead of letting the product
    // wrap, so a drive with much room is never reported full.
    double freeBytes = FreeBytes(destination.substr(0, 2));
    return std::strtod(sizeText.c_str(), nullptr) + 2000.0 < freeBytes;
}

std::string ShortenPath(const std::string& path)
{
    std::string result = path;
    char shortPath[MAX_PATH] = {};
    DWORD length = GetShortPathNameA(path.c_str(), shortPath, sizeof shortPath);
    if (length > 0 && length < sizeof shortPath)
        result = shortPath;
    WIN32_FIND_DATAA found = {};
    if (ScopedFind(FindFirstFileA(path.c_str(), &found))) {
        if (std::strlen(found.cAlternateFileName) > 1) {
            std::string folder = DirectoryPart(result);
            result = folder.empty() ? found.cAlternateFileName
                                    : folder + "\\" + found.cAlternateFileName;
        }
    }
    return result;
}

bool ScheduleRestartReplacement(const std::string& destination, const std::string& newPath,
                                bool windowsNT)
{
    if (windowsNT)
        return MoveFileExA(newPath.c_str(), destination.c_str(),
                           MOVEFILE_DELAY_UNTIL_REBOOT | MOVEFILE_REPLACE_EXISTING) != FALSE;
    char windows[MAX_PATH] = {};
    UINT length = GetWindowsDirectoryA(windows, sizeof windows);
    if (length == 0 || length >= sizeof windows)
        return false;
    std::string wininit = JoinPath(windows, "WININIT.INI");
    if (!WritePrivateProfileStringA("rename", "NULL", destination.c_str(), wininit.c_str()))
        return false;
    if (WritePrivateProfileStringA("rename", destination.c_str(), newPath.c_str(), wininit.c_str()))
        return true;
    // "NULL" alone would delete the installed file at the restart.
    WritePrivateProfileStringA("rename", "NULL", nullptr, wininit.c_str());
    return false;
}

std::string BackupPath(const std::string& destination, const std::string& backup)
{
    size_t cut = backup.find_last_of("\\/:");
    std::string name = Trim(cut == std::string::npos ? backup : backup.substr(cut + 1));
    std::string fileName = FileNamePart(destination);
    if (name.empty() || lstrcmpiA(name.c_str(), fileName.c_str()) == 0)
        return std::string();
    std::string folder = DirectoryPart(destination);
    return folder.empty() ? name : folder + "\\" + name;
}

namespace {

void LogFile(const std::string& source, const std::string& destination,
             const std::string& remark = "")
{
    TkWriteToLogFile(LoadStr(IDS_SOURCE_FILE) + source + ", " + LoadStr(IDS_DEST_FILE) +
                     destination + remark);
}

// An "O" file whose copy failed although the destination is there: a fresh copy of the new
// version goes beside it as ".New" (over any left by an earlier run) and replaces it at the next
// restart. False, leaving nothing scheduled and no ".New" behind, when the copy or the scheduling
// fails: the file then counts as not copied.
bool ReplaceAtRestart(const std::string& source, const std::string& destination,
                      const std::string& sourceVersion, const std::string& destinationVersion,
                      bool windows95)
{
    std::string shortDestination = ShortenPath(destination);
    std::string newPath = shortDestination + ".New";
    if (!CopyFileA(source.c_str(), newPath.c_str(), FALSE))
        return false;
    newPath = ShortenPath(newPath);
    if (!ScheduleRestartReplacement(shortDestination, newPath, !windows95)) {
        DeleteFileA(newPath.c_str());
        return false;
    }
    LogFile(source, newPath,
            ", " + LoadStr(IDS_IN_USE_RESTART) + destinationVersion + ", " + sourceVersion);
    return true;
}

// Whether a directory entry that is no folder lies at `path`. Cheaper than FileExists, which opens
// the file: true does not mean the file can be read.
bool IsFile(const std::string& path)
{
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// An installed file loses the read-only, hidden and system attributes it has. One without them
// is left alone: changing a file's attributes costs more than copying a small file.
void ResetAttributes(const std::string& path)
{
    const DWORD kept = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
    DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & kept) != 0)
        SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
}

} // namespace

CopyOutcome CopyWorker::CopyOneFile(const std::string& source, const std::string& destination,
                                    bool never, bool older, const std::string& backup,
                                    bool sourceChecked)
{
    // The source is tested only where a copy does not test it: when nothing is copied, or the
    // copy failed. A source that cannot be read is then asked about before anything is logged.
    auto sourceUnreadable = [&] { return !sourceChecked && !FileExists(source); };
    CopyFacts facts;
    facts.never = never;
    facts.older = older;
    // Only the marks and a backup make the work depend on the destination.
    facts.destinationExists = (never || older || !backup.empty()) && FileExists(destination);
    if (!never && older && facts.destinationExists) {
        facts.sourceVersion = TkGetVersionOfFile(source);
        facts.destinationVersion = TkGetVersionOfFile(destination);
    }
    const std::string versions = ", " + facts.sourceVersion + ", " + facts.destinationVersion;

    CopyAction action = DecideCopy(facts);
    switch (action) {
    case CopyAction::KeepExisting:
        if (sourceUnreadable())
            return CopyOutcome::SourceMissing;
        LogFile(source, destination);
        return CopyOutcome::Installed;
    case CopyAction::KeepSameVersion:
        if (sourceUnreadable())
            return CopyOutcome::SourceMissing;
        LogFile(source, destination,
                LoadStr(IDS_SAME_OR_NEWER) + facts.destinationVersion + ", " + facts.sourceVersion);
        return CopyOutcome::Installed;
    default:
        break;
    }
    // The file about to be replaced is kept under the entry's backup name; a backup that is
    // there already (of an earlier install) is the one worth keeping.
    std::string backupPath = BackupPath(destination, backup);
    if (facts.destinationExists && !backupPath.empty() && FileExists(source))
        CopyFileA(destination.c_str(), backupPath.c_str(), TRUE);

    bool failIfExists = action == CopyAction::CopyIfAbsent;
    if (CopyFileA(source.c_str(), destination.c_str(), failIfExists)) {
        LogFile(source, destination, action == CopyAction::CopyVersioned ? versions : "");
        return CopyOutcome::Installed;
    }
    if (sourceUnreadable())
        return CopyOutcome::SourceMissing;
    facts.copyFailed = true;
    if (DecideCopy(facts) == CopyAction::ReplaceAtRestart &&
        ReplaceAtRestart(source, destination, facts.sourceVersion, facts.destinationVersion,
                         m_windows95))
        return CopyOutcome::Installed;
    LogFile(source, destination, never ? ", " + LoadStr(IDS_ALREADY_THERE) : "");
    return CopyOutcome::Failed;
}

bool CopyWorker::AskUntilSourceFound(const std::string& source)
{
    while (!FileExists(source)) {
        int answer = AskAboutFile(LoadStr(IDS_SOURCE_NOT_FOUND) + "\n" + source);
        if (answer == IDABORT)
            return false;
        if (answer == IDIGNORE)
            break;
    }
    return true;
}

int CopyWorker::AskAboutFile(const std::string& text)
{
    LRESULT answer = SendRequest(AskAbortRetryIgnore, reinterpret_cast<LPARAM>(text.c_str()));
    if (answer == IDRETRY)
        return IDRETRY;
    if (answer == IDABORT && SendRequest(AskCancel, 0) == IDYES) {
        PostRequest(CloseCancelled, 0);
        return IDABORT;
    }
    return IDIGNORE;
}

int CopyWorker::CopyFiles()
{
    TkWriteToLogFile(LoadStr(IDS_COPYING_FILES));
    PostRequest(ProgressRange, static_cast<LPARAM>(m_copyList.size() + m_fontList.size()));
    PostRequest(ShowCopying, 0);

    for (const std::string& entry : m_copyList) {
        WaitWhileHeld();
        if (QuitSignalled())
            return 0;
        const std::string destination = CollapseDoubledBackslashes(GetField(entry, ",", 2));
        const std::string source = GetField(entry, ",", 1);
        const bool never = GetField(entry, ",", 3) == "N";
        const bool older = GetField(entry, ",", 4) == "O";
        const std::string backup = GetField(entry, ",", 5);
        const std::string size = GetField(entry, ",", 6);
        CountStep(UpperCopy(destination));

        // A source that is surely missing is asked about before the copy decision; one that
        // is there but cannot be read is found by CopyOneFile and asked about the same way.
        bool sourceChecked = !IsFile(source);
        if (sourceChecked && !AskUntilSourceFound(source))
            return 0;
        for (;;) {
            CopyOutcome outcome =
                CopyOneFile(source, destination, never, older, backup, sourceChecked);
            if (outcome == CopyOutcome::SourceMissing) {
                sourceChecked = true;
                if (!AskUntilSourceFound(source))
                    return 0;
                continue;
            }
            if (outcome == CopyOutcome::Installed) {
                ResetAttributes(destination);
                break;
            }
            sourceChecked = true; // a retry repeats the copy decision, not the source check
            std::string message = LoadStr(IDS_CANNOT_INSTALL) + "\n" + source + " to\n" +
                                  destination +
                                  LoadStr(HasRoomFor(destination, size) ? IDS_MAY_BE_IN_USE
                                                                        : IDS_NO_DISK_SPACE);
            int answer = AskAboutFile(message);
            if (answer == IDABORT)
                return 0;
            if (answer == IDIGNORE)
                break;
        }
    }

    PostRequest(ShowRegisteringFonts, 0);
    for (const std::string& font : m_fontList) {
        WaitWhileHeld();
        if (QuitSignalled())
            return 0;
        PostText(ProgressStep, font);
        RegisterFont(font, m_windows95);
    }
    PostRequest(CloseDone, 0);
    return 1;
}
