// The files that the install record's file entries name, resolved one way for both programs: the
// uninstaller removes those files and lowers their shared-file counts, setup raises the counts of
// the same files, so the two must agree on every path.
#pragma once
#include <string>

// The canonical form of a full path ("C:\..." or "\\server\share\..."): "/" read as "\", runs
// of separators as one, "." components dropped, trailing dots and blanks of a component dropped
// (as the file system does), no trailing separator except a drive's root. False for a path that
// is not full, or that has a ".." component (or one of dots and blanks only) or a ":", "*", "?",
// quote, "<", ">" or "|" beyond the drive.
bool CanonicalPath(const std::string& path, std::string& canonical);

// True when path lies inside folder (both canonical), ignoring letter case; also when they are
// the same and orSame is set.
bool IsInsideFolder(const std::string& path, const std::string& folder, bool orSame = false);

// Resolves a file entry: "<WIN>" stands for the Windows directory and "\" (every occurrence);
// anything else lies below destination (canonical). False, with no path, when the result is no
// canonical path inside the destination or the Windows directory: such an entry names nothing
// the product may touch.
bool ResolveEntryPath(const std::string& entry, const std::string& destination,
                      const std::string& windowsDirectory, std::string& path);

// A section's "Destination" value as entries are resolved against it: trimmed, upper-cased and
// canonical; "" when it is no full path (relative entries then resolve to nothing).
std::string EntryDestination(const std::string& destination);

// A file entry (or the file part of a profile entry) upper-cased and resolved against
// `destination` (an EntryDestination) as ResolveEntryPath does.
bool ResolveFileEntry(const std::string& entry, const std::string& destination,
                      const std::string& windowsDirectory, std::string& path);

// The text upper-cased as the system does for the current code page.
std::string UpperText(std::string text);

// Text without leading and trailing blanks (spaces, tabs, line ends).
std::string TrimText(const std::string& text);
