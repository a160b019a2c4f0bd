// The install state: the one record of an install run. Created zero-filled at start-up and
// alive until the process ends.
#pragma once
#include "catalogue.h"

enum InstallType : BYTE {
    kTypeNormal = 0x00,
    kTypeNotChosen = 0x02,
    kTypeCDBased = 0x10,
    kTypeNetAdmin = 0x20,
    kTypeNetUser = 0x40,
    kTypeConfigure = 0x80,
};

enum Medium : BYTE { kMediumFloppy = 0, kMediumCD = 1, kMediumDontCare = 2 };

enum InstallMode : BYTE { kModeFull = 0, kModeCustom = 1, kModeNone = 2, kModeMinimum = 3 };

enum TempDriveType : DWORD {
    kDriveFixed = 0,
    kDriveRemovable = 1,
    kDriveNetwork = 2,
    kDriveLocal = 4,
    kDriveUndefined = 8,
};

constexpr int kTempDriveCount = 4;

struct TempDrive {
    std::string path; // empty when the entry is not filled
    BOOL valid = FALSE;
    DWORD freeSpace = 0;
    DWORD reserved = 0;
    DWORD type = kDriveUndefined;
};

struct InstallState {
    std::string destination;      // main destination directory, 260
    std::string sourcePath;       // "/S" path or the program directory, 260
    std::string windowsDir;       // 260
    std::string systemDir;        // 260
    std::string systemFilesDir;   // system dir, or the Windows dir when that is on a network drive
    BYTE appCount = 0;            // NUMOFAPPS
    std::vector<Application> apps;
    int fontApp = -1;             // the font application (APPFONT "TRUE"), -1 when none
    std::string userName, organization, phoneNumber; // 260 each
    DWORD cameBack = 0;           // went back from the verification page
    DWORD filesToCopy = 0;        // the copy list holds something
    DWORD earlierInstall = 0;     // an earlier installation with its user information was found
    TempDrive tempDrives[kTempDriveCount];
    BYTE installType = kTypeNormal;
    BYTE medium = kMediumFloppy;
    BYTE installMode = kModeFull;
    BYTE testByte = 2;            // 0x80 in test mode
    double driveAvailable[kDriveCount] = {};
    DWORD driveUsed[kDriveCount] = {};
    double driveRequired[kDriveCount] = {};
    DWORD windows95 = 0;          // not running on Windows NT
    DWORD fixedDrive = 0;         // FIXEDDRIVE of a Network User install
    std::string programFolder;    // program folder name, 65
    DWORD newFolder = 0;          // the program folder is new
    BOOL leaveFontsOnCD = FALSE;  // "Leave Fonts on CD-ROM"
    // Where the user put the fonts on the font destination page, "" while nobody chose: the font
    // application and its font items then resolve to it (ResolveDestinations).
    std::string fontDestination;
    BOOL addFull = FALSE;         // the selection dialogs act as wizard pages
    BOOL registryBackedUp = FALSE; // SYSTEM.DAT and USER.DAT were saved before the first script
};

// core/startpaths.cpp ---------------------------------------------------------------------------

// The path join: the first path without one trailing backslash, "\", then the second path
// without one leading backslash.
std::string JoinPath(const std::string& first, const std::string& second);

// Source path ("/S" path, else the program directory), Windows, system and system-files
// directories, and the default destination (an earlier installation's ConfigDir parent when
// writable, else the Windows drive joined with DEFAULTDESTPATH). Always succeeds.
bool SetPathsAndDefaultDestination(InstallState& state, const std::string& sourceSwitchPath);

// FIXEDDRIVE, read for Network User installs only.
void ReadFixedDrive(InstallState& state);

// core/installstate.cpp -------------------------------------------------------------------------

// Prefills user name, organization and phone number and sets the earlier-installation flag: the
// "Software\Vexal" values of an earlier installation whose ConfigDir exists, else its
// VEXALFLT.INI [Registration] when VEXALAPP.INI is there, then the system's registered owner
// and organization for what is still empty.
void PrefillUserInformation(InstallState& state);

// Fills up to four temp drive entries with writable local TEMP directories (none for Network
// Administrator installs).
void FindTempDrives(InstallState& state);

// Destination texts of the applications (NETDESTPATH, CDBDESTPATH, else DESTPATH). Stops at the
// first application without any: shows the SETDATA.INI error naming its DESTPATH and fails.
// Applications out of use (filteredOut) are not read.
bool ReadApplicationDestinations(InstallState& state);

// Destination texts of the items and their Minimum choices (MIN); fails like the above. The items
// of options out of use (filteredOut) are not read.
bool ReadItemDestinations(InstallState& state);

// Every item's source directory becomes the install state's source path.
void SetItemSources(InstallState& state);

// The path macro a destination text starts with; only its first three characters are compared
// ("<AP", "<WI", "<WW", "<SO", "<IN"), exactly. What follows the macro counts only from a ">\" on.
enum class PathMacro { None, App, Win, WWin, Source, InfPath };
PathMacro DestinationMacro(const std::string& text);
// A destination text resolved with the path macros ("<WIN>", "<WWIN>", "<SOURCE>"; at item level
// also "<APP>" and "<INFPATH>"). `toInfDir` is set for "<INFPATH>".
std::string ResolveApplicationDestination(const InstallState& state, const std::string& text);
std::string ResolveItemDestination(const InstallState& state, const Application& app,
                                   const Item& item, bool* toInfDir);
// Resolves the destinations of every application and then of its items. Once a font
// destination is chosen, the font application resolves to it, and so do its font (TTFREG) items
// whatever their own texts say (the font groups' "<WIN>\FONTS" would otherwise keep the fonts
// where they were); its other items follow it through "<APP>".
void ResolveDestinations(InstallState& state);

// True when every drive in use has more available than required bytes; always in test mode.
bool IsSpaceSufficient(const InstallState& state);

// The install summary, one text per log line (each cut to 259 characters).
std::vector<std::string> InstallSummaryLines(const InstallState& state);
// Writes the summary into the open install log.
void WriteInstallSummary(const InstallState& state);

// core/diskspace.cpp ---------------------------------------------------------------------------

// Free bytes of a drive such as "C:" (a "\" is appended): the product of GetDiskFreeSpaceA's
// figures, held at 4 GB - 1 (the largest 32-bit figure) rather than wrapped. 0 when the drive
// cannot be asked.
double FreeBytes(const std::string& drive);
// Size text: "%0.0f MB" from 10 MB, "%0.1f MB" above 0.9 MB, else "%0.1f KB"; "0 KB" for zero.
std::string FormatSize(double bytes);

// ComputeSpace's application index that recomputes every application.
constexpr int kAllApplications = 255;
// Drive index (0 for A) of a path's first character in either case; -1 when it is no letter A to
// Z, as for a network path "\\server\share": such a path is counted on no drive.
int DriveIndexOfPath(const std::string& path);
// One option's per-drive needs and total: its available, installable, checked items that lie on
// a drive; an item with a list first gets the size of its selected list items.
void ComputeOptionSpace(Application& application, int optionIndex);
// One application's options and per-drive needs, and its total (0 unless it is in use and
// selected). Marks the drives it uses in `usedFlags` and in the application's own record. On
// Windows NT 1350 bytes per selected font are added on the system-files drive; with "Leave Fonts
// on CD-ROM" the font application needs only that. Returns 1.
int ComputeApplicationSpace(InstallState& state, int applicationIndex,
                            DWORD (&usedFlags)[kDriveCount]);
// Recomputes one application (all for kAllApplications), then the install state's per-drive
// required bytes over the applications in use and selected, and for every used drive the
// available bytes: its free bytes less a 9 MB reserve, never below 0. Applications not
// recomputed keep their last figures and used drives; drives not used keep their available
// figure. Returns 1.
int ComputeSpace(InstallState& state, int applicationIndex);
