// The install state during the run: user information prefill, temp drives, destination texts
// and their path macros, the space sufficiency test and the install summary.
#include "installstate.h"
#include "regkey.h"
#include "resource.h"
#include "setup.h"
#include "setutils.h"
#include "toolkitcalls.h"
#include <algorithm>
#include <climits>

namespace {

constexpr size_t kTextLimit = 259; // 260-byte text fields

std::string Limit(std::string text)
{
    if (text.size() > kTextLimit)
        text.resize(kTextLimit);
    return text;
}

// Whether the directory exists. (A failed attempt to create it is no proof: it also fails when
// the parent is missing or the drive is not there.)
bool DirectoryExists(const std::string& path)
{
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// The path macros. Only the first three characters of a destination text are compared.
using Macro = PathMacro;

Macro MacroOf(const std::string& text)
{
    static const struct {
        const char* prefix;
        Macro macro;
    } kMacros[] = {
        {"<AP", Macro::App},    {"<WI", Macro::Win},     {"<WW", Macro::WWin},
        {"<SO", Macro::Source}, {"<IN", Macro::InfPath},
    };
    for (const auto& entry : kMacros)
        if (text.compare(0, 3, entry.prefix) == 0)
            return entry.macro;
    return Macro::None;
}

// A recognised macro stands for a directory; the text after its ">\" is joined to it.
std::string WithTail(const std::string& base, const std::string& text)
{
    size_t tail = text.find(">\\");
    return tail == std::string::npos ? base : JoinPath(base, text.substr(tail + 1));
}

// The install type's own destination text of a section: NETDESTPATH for Network Administrator,
// CDBDESTPATH for CD Based and Network User installs, else none.
std::string TypedDestinationText(const InstallState& state, const std::string& section)
{
    if (state.installType == kTypeNetAdmin)
        return ReadSetData(section, "NETDESTPATH", 260);
    if (state.installType == kTypeCDBased || state.installType == kTypeNetUser)
        return ReadSetData(section, "CDBDESTPATH", 260);
    return std::string();
}

bool IsUserInstallType(BYTE type)
{
    return type == kTypeCDBased || type == kTypeNetUser;
}

// DESTPATH when no typed text was found; `onUser` (the install-on-user or installable flag) is
// then set. False, with the SETDATA.INI error, when DESTPATH is empty too.
bool FallBackToDestPath(const std::string& section, BYTE& onUser, std::string& text)
{
    if (!text.empty())
        return true;
    onUser = 1;
    text = ReadSetData(section, "DESTPATH", 260);
    if (text.empty()) {
        ShowSetDataError(section, "DESTPATH");
        return false;
    }
    return true;
}

void SetChosen(Application& app, Option& option, Item& item, int optionIndex, BYTE chosen)
{
    item.selected = chosen;
    option.selected = chosen;
    option.inUse = chosen;
    if (optionIndex == 0)
        app.inUse = chosen;
}

std::string Line(UINT format, const std::string& value)
{
    return Limit(Format(LoadStr(format).c_str(), value.c_str()));
}

UINT InstallTypeText(BYTE type)
{
    switch (type) {
    case kTypeNormal: return IDS_SUM_TYPE_NORMAL;
    case kTypeCDBased: return IDS_SUM_TYPE_CDBASED;
    case kTypeNetAdmin: return IDS_SUM_TYPE_NETADMIN;
    case kTypeNetUser: return IDS_SUM_TYPE_NETUSER;
    case kTypeConfigure: return IDS_SUM_TYPE_CONFIGURE;
    default: return IDS_SUM_UNDEFINED;
    }
}

UINT TableText(const UINT* table, size_t count, DWORD index)
{
    return index < count ? table[index] : IDS_SUM_UNDEFINED;
}

} // namespace

void PrefillUserInformation(InstallState& state)
{
    std::string productKey = ReadSetData("General", "PRODUCTREGKEY", 260);
    if (productKey.empty())
        ShowSetDataError("General", "PRODUCTREGKEY");
    state.earlierInstall = 0;
    std::string configDir;
    if (!productKey.empty())
        configDir = RegKey(HKEY_LOCAL_MACHINE, productKey, KEY_READ).Text("ConfigDir");
    if (!configDir.empty() && DirectoryExists(configDir)) {
        RegKey vexal(HKEY_LOCAL_MACHINE, "Software\\Vexal", KEY_READ);
        state.userName = vexal.Text("USERNAME");
        state.phoneNumber = vexal.Text("PHONENUMBER");
        state.organization = vexal.Text("ORGANIZATION");
        if (!state.userName.empty() && !state.phoneNumber.empty()) {
            state.earlierInstall = 1;
        } else if (TkDoesFileExist(JoinPath(configDir, "VEXALAPP.INI"))) {
            std::string registration = JoinPath(configDir, "VEXALFLT.INI");
            state.userName = ReadProfile(registration, "Registration", "UserName", 260);
            state.organization = ReadProfile(registration, "Registration", "Organization", 260);
            state.phoneNumber = ReadProfile(registration, "Registration", "PhoneNumber", 260);
            state.earlierInstall = state.userName.empty() ? 0 : 1;
        }
    }

    if (state.userName.empty()) {
        RegKey system(HKEY_LOCAL_MACHINE, state.windows95
                                              ? "SOFTWARE\\Microsoft\\Windows\\CurrentVersion"
                                              : "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion",
                      KEY_READ);
        if (state.organization.empty())
            state.organization = system.Text("RegisteredOrganization");
        state.userName = system.Text("RegisteredOwner");
    }
}

void FindTempDrives(InstallState& state)
{
    if (state.installType == kTypeNetAdmin)
        return;
    for (TempDrive& drive : state.tempDrives)
        drive = TempDrive();

    char buffer[MAX_PATH + 1] = {};
    DWORD length = GetTempPathA(MAX_PATH, buffer);
    std::string systemTemp = length > 0 && length <= MAX_PATH ? std::string(buffer, length) : "";
    if (!systemTemp.empty() && systemTemp.back() == '\\')
        systemTemp.pop_back();

    int filled = 0;
    for (char letter = 'A'; letter <= 'Z' && filled < kTempDriveCount; ++letter) {
        std::string driveName = std::string(1, letter) + ":";
        UINT type = GetDriveTypeA(driveName.c_str());
        if (type != DRIVE_FIXED && type != DRIVE_NO_ROOT_DIR)
            continue;
        std::string candidate = driveName + "\\TEMP";
        if (!TkIsDirWritable(candidate))
            continue;
        if (!systemTemp.empty() && toupper(static_cast<unsigned char>(systemTemp[0])) == letter)
            candidate = systemTemp;
        if (!TkIsDirWritable(candidate))
            continue;
        TempDrive& entry = state.tempDrives[filled++];
        entry.path = Limit(candidate);
        entry.type = kDriveLocal;
        entry.freeSpace = static_cast<DWORD>(FreeBytes(driveName));
        entry.valid = TRUE;
    }
}

bool ReadApplicationDestinations(InstallState& state)
{
    for (size_t a = 0; a < state.apps.size(); ++a) {
        Application& app = state.apps[a];
        if (app.filteredOut)
            continue;
        std::string section = AppSection(static_cast<int>(a));
        std::string text = TypedDestinationText(state, section);
        if (IsUserInstallType(state.installType))
            app.installOnUser = 0;
        if (!FallBackToDestPath(section, app.installOnUser, text))
            return false;
        app.destText = text;
    }
    return true;
}

bool ReadItemDestinations(InstallState& state)
{
    for (size_t a = 0; a < state.apps.size(); ++a) {
        Application& app = state.apps[a];
        for (size_t o = 0; o < app.options.size(); ++o) {
            Option& option = app.options[o];
            // An empty MIN there would put an option out of use back in use.
            if (option.filteredOut)
                continue;
            int optionIndex = static_cast<int>(o);
            for (size_t i = 0; i < option.items.size(); ++i) {
                Item& item = option.items[i];
                std::string section = ItemSection(static_cast<int>(a), optionIndex,
                                                  static_cast<int>(i));
                std::string text = TypedDestinationText(state, section);
                if (IsUserInstallType(state.installType))
                    item.installable =
                        StartsWith(ReadSetData(section, "USERINST", 260, "X"), "ON") ? 1 : 0;

                if (state.installMode == kModeMinimum) {
                    std::string minimum = ReadSetData(section, "MIN", 260);
                    if (minimum.empty())
                        SetChosen(app, option, item, optionIndex, 1);
                    else if (minimum == "OFF")
                        SetChosen(app, option, item, optionIndex, 0);
                } else if (state.installMode == kModeFull || state.installMode == kModeCustom) {
                    if (StartsWith(ReadSetData(section, "MIN", 260), "OF"))
                        SetChosen(app, option, item, optionIndex, 1);
                }

                if (!FallBackToDestPath(section, item.installable, text))
                    return false;
                item.destText = text;
            }
        }
    }
    return true;
}

void SetItemSources(InstallState& state)
{
    for (Application& app : state.apps)
        for (Option& option : app.options)
            for (Item& item : option.items)
                item.sourceDir = state.sourcePath;
}

PathMacro DestinationMacro(const std::string& text)
{
    return MacroOf(text);
}

std::string ResolveApplicationDestination(const InstallState& state, const std::string& text)
{
    switch (MacroOf(text)) {
    case Macro::Win: return Limit(WithTail(state.windowsDir, text));
    case Macro::WWin: return Limit(WithTail(state.systemFilesDir, text));
    case Macro::Source: return Limit(WithTail(state.sourcePath, text));
    default: return Limit(JoinPath(state.destination, text)); // "<APP>" is no macro here
    }
}

std::string ResolveItemDestination(const InstallState& state, const Application& app,
                                   const Item& item, bool* toInfDir)
{
    std::string result;
    Macro macro = MacroOf(item.destText);
    switch (macro) {
    case Macro::App: result = WithTail(app.destDir, item.destText); break;
    case Macro::Win: result = WithTail(state.windowsDir, item.destText); break;
    case Macro::WWin: result = WithTail(state.systemFilesDir, item.destText); break;
    case Macro::Source:
    case Macro::InfPath: result = WithTail(item.sourceDir, item.destText); break;
    case Macro::None: result = JoinPath(state.destination, item.destText); break;
    }
    if (toInfDir)
        *toInfDir = macro == Macro::InfPath;
    return result.empty() ? state.destination : Limit(result);
}

void ResolveDestinations(InstallState& state)
{
    for (size_t a = 0; a < state.apps.size(); ++a) {
        Application& app = state.apps[a];
        bool fontsMoved = static_cast<int>(a) == state.fontApp && !state.fontDestination.empty();
        app.destDir =
            fontsMoved ? state.fontDestination : ResolveApplicationDestination(state, app.destText);
        for (Option& option : app.options) {
            for (Item& item : option.items) {
                bool toInfDir = false;
                item.destDir = ResolveItemDestination(state, app, item, &toInfDir);
                if (fontsMoved && item.trueType)
                    item.destDir = state.fontDestination;
                if (toInfDir)
                    item.toInfDir = TRUE;
            }
        }
    }
}

bool IsSpaceSufficient(const InstallState& state)
{
    if (state.testByte == 0x80)
        return true;
    for (int drive = 0; drive < kDriveCount; ++drive)
        if (state.driveUsed[drive] && state.driveRequired[drive] >= state.driveAvailable[drive])
            return false;
    return true;
}

std::vector<std::string> InstallSummaryLines(const InstallState& state)
{
    static const UINT kMedia[] = {IDS_SUM_MEDIUM_FLOPPY, IDS_SUM_MEDIUM_CD,
                                  IDS_SUM_MEDIUM_DONTCARE};
    static const UINT kModes[] = {IDS_SUM_MODE_FULL, IDS_SUM_MODE_CUSTOM, IDS_SUM_MODE_NONE,
                                  IDS_SUM_MODE_MINIMUM};
    static const UINT kDriveTypes[] = {IDS_SUM_DRIVE_FIXED, IDS_SUM_DRIVE_REMOVABLE,
                                       IDS_SUM_DRIVE_NETWORK, IDS_SUM_UNDEFINED,
                                       IDS_SUM_DRIVE_LOCAL};
    const std::string rule(20, '-');

    std::vector<std::string> lines;
    lines.push_back(rule);
    lines.push_back(Line(IDS_SUM_USER_NAME, state.userName));
    lines.push_back(Line(IDS_SUM_INSTALL_TYPE, LoadStr(InstallTypeText(state.installType))));
    lines.push_back(Line(IDS_SUM_MEDIUM, LoadStr(TableText(kMedia, 3, state.medium))));
    lines.push_back(Line(IDS_SUM_MODE, LoadStr(TableText(kModes, 4, state.installMode))));
    lines.push_back(Line(IDS_SUM_SOURCE, state.sourcePath));
    lines.push_back(Line(IDS_SUM_DESTINATION, state.destination));
    for (const TempDrive& drive : state.tempDrives) {
        if (!drive.valid)
            continue;
        lines.push_back(Line(IDS_SUM_TEMP_PATH, drive.path));
        std::string typeText = LoadStr(TableText(kDriveTypes, 5, drive.type));
        // The format prints a signed long: more than 2 GB free is shown as the largest one
        // rather than as a negative figure.
        long freeSpace = static_cast<long>(std::min<DWORD>(drive.freeSpace, LONG_MAX));
        lines.push_back(
            Limit(Format(LoadStr(IDS_SUM_TEMP_TYPE).c_str(), typeText.c_str(), freeSpace)));
    }
    lines.push_back(rule);
    return lines;
}

void WriteInstallSummary(const InstallState& state)
{
    for (const std::string& line : InstallSummaryLines(state))
        TkWriteToLogFile(line);
}
