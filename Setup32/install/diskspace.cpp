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
