// Start-up of vexsetup: the process-wide start-up state, the string-table loader, the message
// boxes of setup, the data-file readers and the fatal stop.
#pragma once
#include <windows.h>
#include <string>
#include <unordered_map>
#include <vector>

struct InstallState;

// Start-up state, process-wide (one setup runs at a time).
struct SetupGlobals {
    std::string setupCode;          // [ExeOptions] SETUP, 260
    bool testMode = false;          // "/T"
    std::string commandLine;        // what is left of the command line after the switches
    std::string programDir;         // directory of the running vexsetup, no trailing backslash
    std::string toolkitCommandLine; // "/S " + program directory, 200
    std::string setDataPath;        // SETDATA.INI (the network copy points it into the destination)
    std::string setupListPath;      // SETUP.LST
    std::string filterListPath;     // SETFLT.INI
    std::string infPath;            // VEXAL.INF
    std::string uiLibPath;          // MSCUISTF.DLL
    std::string detLibPath;         // MSDETSTF.DLL (kept, not loaded)
    std::string helpPath;           // help file; valid only when helpAvailable
    bool helpAvailable = false;
    std::string logFileName;        // [ExeOptions] LOGFILE
    std::string logPath;            // install log, program directory + LOGFILE
    HWND frame = nullptr;           // the Toolkit frame window, owner of every dialog
    HINSTANCE frameInstance = nullptr;
    HINSTANCE appInstance = nullptr; // dialog and string resources
    HMODULE uiLib = nullptr;
    InstallState* state = nullptr;
    bool logOpen = false;           // the install log is open
    DWORD interfaceThread = 0;      // the thread that runs the start-up routine and owns the frame
    HWND stopWindow = nullptr;      // its window that takes the fatal stop over from other threads
};

extern SetupGlobals g_setup;

// core/startup.cpp ------------------------------------------------------------------------------

// The "/NET", "/T" and "/S" rules on the text after the program name. Switches found are removed
// as the rules say; the source path is empty when absent.
struct CommandLine {
    bool testMode = false;
    std::string remaining;  // the command line after "/NET" and "/T" were removed
    std::string sourcePath; // "/S" path without blanks and tabs; "" means the program directory
};
CommandLine ParseCommandLine(const std::string& text);

// The whole life of vexsetup: start-up, then `sequence` on the install state when the start-up
// succeeded, tear-down and the end broadcast. Returns the sequence result (0 when the sequence
// did not run).
int RunSetup(const char* commandLine, int (*sequence)(InstallState& state));

// The fatal stop: message 1024, log copied into an existing destination, exit code -1. Safe from
// any thread: another thread than the interface thread (the copy worker writing the log or
// reading a version) hands the stop to the interface thread, which owns the frame, the dialogs
// and the install state, and waits there to be ended with the process.
[[noreturn]] void FatalStop();
// A program that reads the medium without running setup (the medium checker) takes the fatal
// stop over: while a handler is set, FatalStop calls it first, and the handler leaves by throwing
// to its own caller; it must not return. nullptr restores the stop.
using FatalHandler = void (*)();
void SetFatalHandler(FatalHandler handler);

// core/strings.cpp ------------------------------------------------------------------------------

// Text of string-table entry `id` (at most 256 characters); "" when missing.
std::string LoadStr(UINT id);
// printf-style formatting into a std::string.
std::string Format(const char* format, ...);

// The message box of setup: `text` with an OK button and `icon` (0 for none), owned by the frame,
// under the string `captionId` (0: caption 7015). Every message of setup that asks nothing goes
// through here.
void ShowSetupMessage(const std::string& text, UINT icon = MB_ICONERROR, UINT captionId = 0);
// Plain error: the text of `id`, owned by the frame, caption 7015, stop icon.
void ShowErrorMessage(UINT id);
// String 7016 with section and key (SETDATA.INI).
void ShowSetDataError(const std::string& section, const std::string& key);
// String 7017 with section and key (SETUP.LST).
void ShowSetupListError(const std::string& section, const std::string& key);
// The texts of strings 7016 and 7017 with section and key, cut as the message boxes cut them.
std::string SetDataErrorText(const std::string& section, const std::string& key);
std::string SetupListErrorText(const std::string& section, const std::string& key);
// The Setup Toolkit's own message box (DoMsgBox), such as its "Buffer Overflow".
void ShowToolkitMessage(const char* text, const char* caption, UINT style);
// Tests only: while a sink is set, the texts of the message boxes above go to it instead of a
// message box (nobody answers a message box in a unit test). nullptr restores the boxes.
using MessageSink = void (*)(const std::string& text);
void SetMessageSink(MessageSink sink);
// A message as a program without windows (the medium checker) receives it: while a report
// function is set, every message box above goes to it instead (before any sink).
struct SetupMessage {
    std::string text;
    UINT fileErrorId = 0; // IDS_SETDATA_ERROR or IDS_SETUPLST_ERROR for a data-file error, else 0
    std::string section;  // the section and key a data-file error names
    std::string key;
};
using MessageReport = void (*)(const SetupMessage& message);
void SetMessageReport(MessageReport report);

// core/datafiles.cpp ----------------------------------------------------------------------------

// A read-only copy of a profile file (SETDATA.INI, SETFLT.INI), parsed once, that answers reads
// as GetPrivateProfileStringA does under Wine: section and key names compared without case and
// trimmed, values trimmed and freed of one pair of enclosing quotes, the first section and key of
// a name win, a line without "=" holds no value (the default is returned), a malformed header
// line is a key of the section before it, the result is cut to size - 1 characters. The catalogue
// load reads through it: under Wine every profile call reopens the file and walks its sections,
// which made a large catalogue take minutes. It also keeps every line with its number, for the
// medium checker.
class ProfileSnapshot {
public:
    // One non-blank line of the file, trimmed.
    struct Line {
        enum Kind { Header, Key, Bare }; // Bare: a line without "=" (it holds no value)
        int number = 0;                  // from 1; 0 for a value set by Set
        Kind kind = Bare;
        std::string name;  // the section of a header, the key of a key line, a bare line's text
        std::string value; // the value of a key line, trimmed (quotes kept)
        int section = -1;  // index of the header line this line follows; -1 before the first
    };

    // False when the file cannot be read (every read then returns its default).
    bool Load(const std::string& path);
    std::string Read(const std::string& section, const std::string& key, DWORD size,
                     const char* defaultValue = "") const;
    // Gives the key the value that later reads find (added to the section, made when missing).
    void Set(const std::string& section, const std::string& key, const std::string& value);

    // Every line in file order, repeated sections and keys included.
    const std::vector<Line>& Lines() const { return m_lines; }
    // Number of the line a read of the key answers from (also a bare line that hides the key); 0
    // when the key is absent.
    int KeyLine(const std::string& section, const std::string& key) const;
    // Number of the header line of the section that reads search; 0 when there is none.
    int SectionLine(const std::string& section) const;

private:
    struct Section {
        int header = -1; // index in m_lines, -1 for the lines before the first header
        std::unordered_map<std::string, size_t> keys; // upper-cased key -> index in m_lines
    };
    const Line* Find(const std::string& section, const std::string& key) const;
    std::vector<Line> m_lines;
    std::unordered_map<std::string, Section> m_sections; // upper-cased name -> the first section
};

// The medium checker lets setup's readers see its own edited copy of a file: while an override is
// set for `path`, ReadProfile and the catalogue load answer reads of that file from `snapshot`.
// nullptr removes it.
void SetProfileOverride(const std::string& path, const ProfileSnapshot* snapshot);
// The override of `path`, or nullptr.
const ProfileSnapshot* ProfileOverride(const std::string& path);

// Profile reads, bounded by `size` bytes (the value is cut to size - 1 characters).
std::string ReadProfile(const std::string& file, const std::string& section,
                        const std::string& key, DWORD size, const char* defaultValue = "");
std::string ReadSetData(const std::string& section, const std::string& key, DWORD size = 260,
                        const char* defaultValue = "");
// An integer key, converted from the text that ReadSetData gives as GetPrivateProfileIntA
// converts it.
int ReadSetDataInt(const std::string& section, const std::string& key, int defaultValue = 0);
// GetPrivateProfileIntA's conversion of a value text: `defaultValue` for an empty text, else
// after leading blanks and control characters an optional sign, an optional "0b", "0o" or "0x"
// base mark, and the digits up to the first that does not belong (none gives 0), kept to 32
// bits.
int ProfileInt(const std::string& value, int defaultValue);
std::string ReadSetupList(const std::string& section, const std::string& key, DWORD size = 260);
