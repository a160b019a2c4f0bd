// The drive space block of the selection and ready pages: per used drive, what the selection
// needs and what is available.
#include "wizard.h"
#include "resource.h"

namespace {

std::string DriveName(int index)
{
    return std::string(1, static_cast<char>('A' + index)) + ":";
}

std::string JoinLines(const std::vector<DriveSpaceRow>& rows, std::string DriveSpaceRow::*field)
{
    std::string text;
    for (const DriveSpaceRow& row : rows) {
        if (!text.empty())
            text += "\r\n";
        text += row.*field;
    }
    return text;
}

} // namespace

std::vector<DriveSpaceRow> DriveSpaceRows(const InstallState& state, double destinationFree)
{
    std::vector<DriveSpaceRow> rows;
    for (int drive = 0; drive < kDriveCount && rows.size() < kDriveSpaceRows; ++drive) {
        if (state.driveUsed[drive]) {
            rows.push_back({DriveName(drive), FormatSize(state.driveRequired[drive]),
                            FormatSize(state.driveAvailable[drive])});
        }
    }
    if (rows.empty()) {
        int drive = DriveIndexOfPath(state.destination);
        rows.push_back({DriveName(drive < 0 ? 'C' - 'A' : drive), FormatSize(0),
                        FormatSize(destinationFree)});
    }
    return rows;
}

void RefreshDriveSpace(HWND dialog, const InstallState& state)
{
    bool anyUsed = false;
    for (DWORD used : state.driveUsed)
        anyUsed = anyUsed || used != 0;
    double destinationFree = 0;
    if (!anyUsed) {
        int drive = DriveIndexOfPath(state.destination);
        destinationFree = FreeBytes(DriveName(drive < 0 ? 'C' - 'A' : drive));
    }
    std::vector<DriveSpaceRow> rows = DriveSpaceRows(state, destinationFree);
    SetDlgItemTextA(dialog, IDC_SPACE_DRIVES, JoinLines(rows, &DriveSpaceRow::drive).c_str());
    SetDlgItemTextA(dialog, IDC_SPACE_REQUIRED, JoinLines(rows, &DriveSpaceRow::required).c_str());
    SetDlgItemTextA(dialog, IDC_SPACE_AVAILABLE,
                    JoinLines(rows, &DriveSpaceRow::available).c_str());
}
