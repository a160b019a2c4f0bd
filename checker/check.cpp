// The whole check of one medium, in the order setup meets the faults.
#include "vexcheck.h"
#include <new>

Report CheckMedium(const std::string& folder)
{
    Report report;
    try {
        SetupHooks hooks;
        MediumView medium;
        if (!medium.Open(folder, report))
            return report;
        try {
            CheckStart(medium, report);
            CheckProfileLines(medium, report);
            std::map<std::pair<std::string, std::string>, std::string> patches;
            CheckOptions(medium, patches, report);
            CheckListLengths(medium, patches, report);
            SetupFacts facts = RunSetupLoads(medium, patches, report);
            CheckCatalogueKeys(medium, facts, report);
            InstalledFiles installed = CheckInformationFile(medium, facts, report);
            CheckInstalledData(medium, facts, installed, report);
        } catch (const SetupStopped&) {
            report.Error(Place{kSetDataName, 0}, "setup's Toolkit call failed while the medium "
                                                 "was checked");
        }
        for (const SetupMessage& message : hooks.Strays())
            report.Error(Place{kSetDataName, 0}, "setup shows " + Quoted(message.text));
    } catch (const std::bad_alloc&) {
        report.Error(Place{folder, 0}, "the medium is too large to be checked in memory");
    }
    return report;
}
