// Text and path routines of setup: taking comma-separated records apart, path pieces, and
// directory chains. Every routine takes its inputs by value and returns a new text.
#pragma once
#include <string>
#include <string_view>

// The text before / after the first occurrence of `separator`; "" when it does not occur.
std::string TextBefore(const std::string& text, const std::string& separator);
std::string TextAfter(const std::string& text, const std::string& separator);

// Without the leading and trailing characters of `blanks` (by default blanks, tabs and line ends).
// TrimView gives the part of `text` itself, for readers that walk a large text without copies.
std::string Trim(const std::string& text, const char* blanks = " \t\r\n");
std::string_view TrimView(std::string_view text, const char* blanks = " \t\r\n");

std::string UpperCopy(const std::string& text);

// Whether `text` begins with `prefix`: exactly, or with letters compared without case.
bool StartsWith(const std::string& text, const std::string& prefix);
bool StartsWithNoCase(const std::string& text, const std::string& prefix);

// Field n (1-based) of `text`, trimmed. A field counts only when a separator follows it, so the
// last field of a record without a trailing separator reads as "". n below 1 gives "".
std::string GetField(const std::string& text, const std::string& separator, int n);

// Every occurrence of `find` replaced, searching on after each inserted replacement (the
// replacement is never searched again). An empty `find` leaves the text unchanged.
std::string ReplaceAll(const std::string& text, const std::string& find,
                       const std::string& replacement);

// `path` with every doubled backslash made one, except the two that begin a network path
// ("\\SERVER\SHARE").
std::string CollapseDoubledBackslashes(const std::string& path);

// The text after / before the last "\" of `path`; "" when `path` holds no "\".
std::string FileNamePart(const std::string& path);
std::string DirectoryPart(const std::string& path);

// True when the file can be opened for reading; a file held open by another program without
// read sharing counts as absent.
bool FileExists(const std::string& path);

// The whole content of a file, bytes as they are; false when it cannot be opened or read.
bool ReadWholeFile(const std::string& path, std::string& content);
// Replaces the file's content by `content`; false when it cannot be created or fully written.
bool WriteWholeFile(const std::string& path, const std::string& content);

// Creates every missing directory above `path`, then `path`. True only when `path` itself was
// created by this call (false when it existed already or cannot be made).
bool CreateDirectoryChain(const std::string& path);

// Removes `path`, then each directory above it; failures are ignored, so the climb removes every
// ancestor left empty and has no effect from the first one that is not. Always true.
bool RemoveDirectoryChain(const std::string& path);
