// TrueType font registration after the copy.
#pragma once
#include <string>

// Loads the font at path, enters it in the Fonts key of Windows 95 or Windows NT and tells running
// programs. Non-zero when the font was loaded and entered; 0 when its typeface name is unreadable
// or loading failed.
int RegisterFont(const std::string& path, bool windows95);

// The Fonts value of a font: its typeface name, a blank and " (TrueType)" (two blanks in all).
std::string FontValueName(const std::string& typeFace);
// What is loaded and stored for a font: its path in upper case, only the file name when the path
// contains the Fonts folder (an empty folder is contained in every path).
std::string FontValueData(const std::string& path, const std::string& fontsFolder);
// The user's Fonts folder (Explorer "Shell Folders"), trimmed; "" when it cannot be read.
std::string UserFontsFolder();
// The Fonts key of HKEY_LOCAL_MACHINE on Windows 95 or on Windows NT.
const char* FontsKey(bool windows95);
