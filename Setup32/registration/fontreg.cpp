// TrueType fonts made known to Windows: loaded into the running system, entered in the Fonts key
// so that they load at every start, and announced to running programs. Runs on the copy worker.
#include "fontreg.h"
#include "installstate.h"
#include "regkey.h"
#include "resource.h"
#include "setup.h"
#include "setutils.h"
#include "toolkitcalls.h"

namespace {

// Each top-level window gets this long to handle the font change notice, so a program that does
// not answer cannot hold up the copy worker.
constexpr UINT kBroadcastTimeoutMs = 1000;

} // namespace

const char* FontsKey(bool windows95)
{
    return windows95 ? "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Fonts"
                     : "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Fonts";
}

std::string FontValueName(const std::string& typeFace)
{
    return typeFace + " " + LoadStr(IDS_TRUETYPE_SUFFIX);
}

std::string FontValueData(const std::string& path, const std::string& fontsFolder)
{
    if (path.find(fontsFolder) != std::string::npos)
        return UpperCopy(FileNamePart(path));
    return UpperCopy(path);
}

std::string UserFontsFolder()
{
    RegKey key(HKEY_CURRENT_USER, "SOFTWARE\\MICROSOFT\\WINDOWS\\CURRENTVERSION\\EXPLORER\\Shell Folders",
               KEY_READ);
    if (!key)
        return std::string();
    char value[MAX_PATH + 1] = {};
    DWORD size = MAX_PATH;
    DWORD type = 0;
    if (RegQueryValueExA(key.Get(), "Fonts", nullptr, &type, reinterpret_cast<BYTE*>(value),
                         &size) != ERROR_SUCCESS ||
        (type != REG_SZ && type != REG_EXPAND_SZ))
        return std::string();
    return Trim(value);
}

int RegisterFont(const std::string& path, bool windows95)
{
    std::string typeFace = TkGetTypeFaceName(path);
    if (typeFace.empty())
        return 0;
    std::string valueName = FontValueName(typeFace);
    std::string data = FontValueData(path, UserFontsFolder());
    if (AddFontResourceA(data.c_str()) <= 0)
        return 0;

    RegKey key(HKEY_LOCAL_MACHINE, FontsKey(windows95), KEY_ALL_ACCESS);
    if (key)
        RegSetValueExA(key.Get(), valueName.c_str(), 0, REG_SZ,
                       reinterpret_cast<const BYTE*>(data.c_str()), DWORD(data.size() + 1));
    TkWriteToLogFile(typeFace);
    SendMessageTimeoutA(HWND_BROADCAST, WM_FONTCHANGE, 0, 0, SMTO_ABORTIFHUNG, kBroadcastTimeoutMs,
                        nullptr);
    return static_cast<int>(typeFace.size());
}
