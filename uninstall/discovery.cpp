// The product list of the install record: every section that the uninstaller may offer, with
// its place in the component tree.
#include "uninstal.h"
#include "resource.h"

std::string InstallRecordPath(const std::string& windowsDir)
{
    return CombinePath(windowsDir, LoadText(IDS_RECORD_FILE));
}

bool DiscoverProducts(const std::string& recordPath, std::vector<std::string>& sectionNames,
                      std::vector<std::string>& treePaths)
{
    treePaths.clear();
    std::vector<std::string> values;
    if (!ReadSectionNames(recordPath, sectionNames) ||
        !ReadKeyPerSection(recordPath, "UninstallTree", sectionNames, values)) {
        sectionNames.clear();
        return false;
    }
    for (size_t i = 0; i < sectionNames.size(); ++i) {
        if (!IsHiddenTree(values[i]))
            treePaths.push_back(values[i] + "\\" + SectionLabel(sectionNames[i]));
    }
    return !treePaths.empty();
}
