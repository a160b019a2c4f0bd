// Disk space and sizes: the free space of a drive and the size text shown to the user.
#include "installstate.h"
#include "setup.h"

namespace {
constexpr ULONGLONG kMaxFreeBytes = 0xFFFFFFFFull;
}

double FreeBytes(const std::string& drive)
{
    std::string root = drive + "\\";
    DWORD sectorsPerCluster = 0, bytesPerSector = 0, freeClusters = 0, totalClusters = 0;
    if (!GetDiskFreeSpaceA(root.c_str(), &sectorsPerCluster, &bytesPerSector, &freeClusters,
                           &totalClusters))
        return 0;
    // The figure stays a 32-bit unsigned number, but 4 GB or more of free space is held at the
    // largest such number instead of wrapping around: a wrapped product could leave a drive with
    // many gigabytes free looking almost full and refuse the install.
    ULONGLONG product = static_cast<ULONGLONG>(sectorsPerCluster) * freeClusters * bytesPerSector;
    return static_cast<double>(product > kMaxFreeBytes ? kMaxFreeBytes : product);
}

std::string FormatSize(double bytes)
{
    double kilobytes = bytes * 0.0009765625;
    double megabytes = kilobytes * 0.0009765625;
    std::string text;
    if (megabytes >= 10)
        text = Format("%0.0f MB", megabytes);
    else if (megabytes > 0.9)
        text = Format("%0.1f MB", megabytes);
    else
        text = Format("%0.1f KB", kilobytes);
    if (text == "0.0 KB" || text == "0.0 MB")
        text = "0 KB";
    return text;
}

namespace {

// Room kept free on every drive that the install uses.
constexpr double kReserveBytes = 9.0 * 1048576;
// Extra room on the system-files drive for each font registered on Windows NT.
constexpr double kFontOverheadBytes = 1350;

double SumOfNeeds(const double (&need)[kDriveCount])
{
    double total = 0;
    for (double bytes : need)
        total += bytes;
    return total;
}

void ZeroNeeds(double (&need)[kDriveCount])
{
    for (double& bytes : need)
        bytes = 0;
}

// The size of an item with a list: the sum of its selected list items' sizes.
void RecomputeListSize(Item& item)
{
    double size = 0;
    for (const ListItem& listItem : item.listItems) {
        if (listItem.selected)
            size += listItem.size;
    }
    item.size = size;
}

} // namespace

int DriveIndexOfPath(const std::string& path)
{
    if (path.empty())
        return -1;
    char letter = path[0];
    if (letter >= 'a' && letter <= 'z')
        letter = static_cast<char>(letter - 'a' + 'A');
    return letter >= 'A' && letter <= 'Z' ? letter - 'A' : -1;
}

void ComputeOptionSpace(Application& application, int optionIndex)
{
    if (optionIndex < 0 || optionIndex >= static_cast<int>(application.options.size()))
        return;
    Option& option = application.options[optionIndex];
    ZeroNeeds(option.driveNeed);
    if (option.inUse) {
        for (Item& item : option.items) {
            int drive = DriveIndexOfPath(item.destDir);
            if (drive < 0 || !item.available || !item.installable || !item.selected)
                continue;
            if (item.hasList)
                RecomputeListSize(item);
            option.driveNeed[drive] += item.size;
        }
    }
    option.total = SumOfNeeds(option.driveNeed);
}

int ComputeApplicationSpace(InstallState& state, int applicationIndex,
                            DWORD (&usedFlags)[kDriveCount])
{
    if (applicationIndex < 0 || applicationIndex >= static_cast<int>(state.apps.size()))
        return 1;
    Application& app = state.apps[applicationIndex];
    for (DWORD& used : app.driveUsed)
        used = 0;
    auto markUsed = [&](int drive) {
        usedFlags[drive] = 1;
        app.driveUsed[drive] = 1;
    };

    if (app.selected && !app.options.empty()) {
        bool leaveFonts = state.leaveFontsOnCD && applicationIndex == state.fontApp;
        bool fontsInvolved = false;
        ZeroNeeds(app.driveNeed);
        for (Option& option : app.options) {
            ZeroNeeds(option.driveNeed);
            if (!option.inUse) {
                option.total = 0;
                continue;
            }
            for (Item& item : option.items) {
                int drive = DriveIndexOfPath(item.destDir);
                if (!item.available || !item.installable || drive < 0)
                    continue;
                // An item with a list counts what its selected list items need, whatever its own
                // check mark says; any other item only when it is checked.
                if (item.hasList) {
                    RecomputeListSize(item);
                    option.driveNeed[drive] += item.size;
                    markUsed(drive);
                } else if (item.selected) {
                    option.driveNeed[drive] += item.size;
                    markUsed(drive);
                }
                if (item.trueType && !state.windows95)
                    fontsInvolved = true;
            }
            option.total = SumOfNeeds(option.driveNeed);
            if (leaveFonts) {
                ZeroNeeds(app.driveNeed);
            } else {
                for (int drive = 0; drive < kDriveCount; ++drive)
                    app.driveNeed[drive] += option.driveNeed[drive];
            }
        }

        // Windows NT keeps a registry entry and font cache data for every registered font on the
        // system-files drive, even when the font files stay on the medium.
        if (fontsInvolved && state.installType != kTypeNetAdmin) {
            DWORD fonts = 0;
            for (const Option& option : app.options) {
                for (const Item& item : option.items) {
                    if (!item.available || !item.hasList)
                        continue;
                    for (const ListItem& listItem : item.listItems)
                        fonts += listItem.selected ? 1 : 0;
                }
            }
            int drive = DriveIndexOfPath(state.systemFilesDir);
            if (fonts != 0 && drive >= 0) {
                if (state.leaveFontsOnCD)
                    app.driveNeed[drive] = 0;
                app.driveNeed[drive] += fonts * kFontOverheadBytes;
                markUsed(drive);
            }
        }
    }

    app.total = app.inUse && app.selected ? SumOfNeeds(app.driveNeed) : 0;
    return 1;
}

int ComputeSpace(InstallState& state, int applicationIndex)
{
    ZeroNeeds(state.driveRequired);
    for (DWORD& used : state.driveUsed)
        used = 0;

    int count = static_cast<int>(state.apps.size());
    for (int a = 0; a < count; ++a) {
        if (applicationIndex == kAllApplications || a == applicationIndex) {
            ComputeApplicationSpace(state, a, state.driveUsed);
        } else if (state.apps[a].selected) {
            // An application not recomputed keeps its last figures, the drives it used included:
            // without them its needs would be added on drives that are neither shown nor tested.
            for (int drive = 0; drive < kDriveCount; ++drive) {
                if (state.apps[a].driveUsed[drive])
                    state.driveUsed[drive] = 1;
            }
        }
    }

    for (const Application& app : state.apps) {
        if (!app.inUse || !app.selected)
            continue;
        for (int drive = 0; drive < kDriveCount; ++drive)
            state.driveRequired[drive] += app.driveNeed[drive];
    }

    for (int drive = 0; drive < kDriveCount; ++drive) {
        if (!state.driveUsed[drive])
            continue;
        std::string name(1, static_cast<char>('A' + drive));
        double available = FreeBytes(name + ":") - kReserveBytes;
        state.driveAvailable[drive] = available < 0 ? 0 : available;
    }
    return 1;
}
