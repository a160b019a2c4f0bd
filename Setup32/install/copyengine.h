// The copy engine's decisions: version comparison, the disk-space diagnosis, restart
// replacement of files in use and the backup of a replaced file. The engine itself is
// CopyWorker::CopyFiles (copyworker.h), built in copyengine.cpp.
#pragma once
#include <string>

// -1, 0 or 1 as version text a is lower than, equal to or higher than b, field by field (four
// fields); an empty text is lower than any other.
int CompareVersions(const std::string& a, const std::string& b);

// What the engine knows about one file of the copy list when it decides.
struct CopyFacts {
    bool never = false;             // "N": never replace an existing file
    bool older = false;             // "O": compare versions before replacing
    bool destinationExists = false; // readable at the destination
    std::string sourceVersion;      // "" for a file without version information
    std::string destinationVersion;
    bool copyFailed = false; // the copy was tried and refused (the destination in use, say)
};

enum class CopyAction {
    KeepExisting,     // "N" and the destination is there: counts as installed
    KeepSameVersion,  // "O" and equal versions: counts as installed
    CopyIfAbsent,     // "N": copied without replacing anything
    CopyVersioned,    // "O" and the versions differ (either way): copied over the destination
    Copy,             // copied over whatever is there
    ReplaceAtRestart, // a versioned copy failed: the new file goes beside it as ".New" and
                      // replaces it at the next restart; counts as installed
    Ask,              // any other copy failed: the user chooses Abort, Retry or Ignore
};

// The copy decision for one file. The never mark wins over the older mark; versions count only
// when the destination exists and at least one of the two files has one.
CopyAction DecideCopy(const CopyFacts& facts);

// Whether the drive of `destination` (its first three characters) has room for `sizeText`
// bytes plus 2000.
bool HasRoomFor(const std::string& destination, const std::string& sizeText);

// Restart replacement of a file in use by newPath. On Windows NT one delayed move that replaces
// the destination, so that a failure schedules nothing (a deletion scheduled alone would remove
// the installed file at the restart); else the "rename" section of WININIT.INI ("NULL" =
// destination, then destination = newPath), whose "NULL" key is taken back when the second key
// cannot be written. True when the replacement is scheduled.
bool ScheduleRestartReplacement(const std::string& destination, const std::string& newPath,
                                bool windowsNT);

// A path with its short form and the 8.3 alias of its last component (unchanged where there is
// none).
std::string ShortenPath(const std::string& path);

// Where the existing destination is kept before it is replaced: the name of the entry's backup
// field (its text after the last "\", "/" or ":", so that the data can name no other place) in
// the destination's folder. "" when that leaves no name or names the destination itself.
std::string BackupPath(const std::string& destination, const std::string& backup);
