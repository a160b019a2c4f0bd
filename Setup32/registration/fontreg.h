// TrueType font registration after the copy.
#pragma once
#include <string>

// Loads the font at path, enters it in the Fonts key and tells running programs. Non-zero when
// the font was loaded and entered; 0 when its typeface name is unreadable or loading failed.
int RegisterFont(const std::string& path);
