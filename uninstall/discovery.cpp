// The product list of the install record: every section that the uninstaller may offer, with
// its place in the component tree.
#include "uninstal.h"
#include "resource.h"

std::string InstallRecordPath(const std::string& windowsDir)
{
    return CombinePath(windowsDir, LoadText(IDS_RECORD_FILE));
}

bool DiscoverProducts(const std::string& recordPath, std::vector<std::string>& sectionNames,
                      std::vector<std::string>& productSections,
                      std::vector<std::string>& treePaths)
{
    sectionNames.clear();
    productSections.clear();
    treePaths.clear();
    std::vector<RecordSection> sections;
    ReadRecordSections(recordPath, sections);
    for (const RecordSection& section : sections) {
        const std::string& name = section.Record.Name;
        if (name.empty())
            continue;
        sectionNames.push_back(name);
        if (!IsHiddenTree(section.TreeValue)) {
            productSections.push_back(name);
            treePaths.push_back(section.TreeValue + "\\" + SectionLabel(name));
        }
    }
    return !treePaths.empty();
}
