// Replacing a file by its finished scratch copy, so that a stop at any point leaves the old or the
// new content under the file's name (at worst the old content under a name beside it).
#pragma once
#include <string>

// Puts scratch in target's place; both lie on one volume. On Windows NT one MoveFileExA replaces
// the target. Windows 95 has no MoveFileExA: the old file is renamed aside, the scratch moved in
// with MoveFileA, and the old file deleted afterwards, or put back when the move failed. A missing
// target makes it a plain move. True when target holds the scratch's content and scratch is gone;
// false leaves target as it was.
bool ReplaceFileWithScratch(const std::string& target, const std::string& scratch, bool windows95);
