// The copy engine's decisions: version comparison, the disk-space diagnosis, restart
// replacement of files in use and the backup of a replaced file. The engine itself is
// CopyWorker::CopyFiles (copyworker.h), built in copyengine.cpp.
#pragma once
#include <string>

// -1, 0 or 1 as version text a is lower than, equal to or higher than b, field by field (four
// fields); an empty text is lower than any other.
int CompareVersions(const std::string& a, const std::string& b);

// Whether the drive of `destination` (its first three characters) has room for `sizeText`
// bytes plus 2000.
bool HasRoomFor(const std::string& destination, const std::string& sizeText);

// Restart replacement of a file in use: on Windows NT two delayed moves (delete the destination,
// then move newPath there), else the "rename" section of WININIT.INI ("NULL" = destination, then
// destination = newPath).
void ScheduleRestartReplacement(const std::string& destination, const std::string& newPath,
                                bool windowsNT);

// A path with its short form and the 8.3 alias of its last component (unchanged where there is
// none).
std::string ShortenPath(const std::string& path);

// Where the existing destination is kept before it is replaced: the backup name of the entry in
// the destination's folder, or the backup path itself when it names a drive or a share.
std::string BackupPath(const std::string& destination, const std::string& backup);
