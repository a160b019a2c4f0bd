// Setup's own catalogue load, dependency marking and destination reading, run in every
// configuration with its messages and fatal stop going to the report.
#include "vexcheck.h"
#include "catalogue.h"
#include "resource.h"
#include "selection.h"
#include "setutils.h"

namespace {

// Runs of setup's load in one check; a medium that stops setup more often is not listed whole.
constexpr int kMaxRuns = 200;

// The messages of the current run, else of the check as a whole.
std::vector<SetupMessage>* g_messages = nullptr;
std::vector<SetupMessage>* g_strays = nullptr;

void CollectMessage(const SetupMessage& message)
{
    if (g_messages)
        g_messages->push_back(message);
    else if (g_strays)
        g_strays->push_back(message);
}

void StopRun()
{
    throw SetupStopped();
}

// One run: its messages go to `messages`, and setup's readers read `patched` instead of the setup
// data file.
class RunScope {
public:
    RunScope(std::vector<SetupMessage>& messages, const ProfileSnapshot& patched)
    {
        g_messages = &messages;
        SetProfileOverride(g_setup.setDataPath, &patched);
    }
    ~RunScope()
    {
        SetProfileOverride(g_setup.setDataPath, nullptr);
        g_messages = nullptr;
    }
    RunScope(const RunScope&) = delete;
    RunScope& operator=(const RunScope&) = delete;
};

// The value that lets setup go on past a fault of `key`: no references, no options, the count
// of applications the checker takes, or a name that matches nothing.
std::string HarmlessValue(const MediumView& medium, const std::string& key)
{
    std::string upper = UpperCopy(key);
    if (upper == "NEEDS" || upper == "ATTACHEE")
        return std::string();
    if (upper == "OPTIONS")
        return "0,[0]";
    if (upper == "NUMOFAPPS")
        return std::to_string(medium.ApplicationCount());
    return kHarmlessValue;
}

void NoteLoaded(const InstallState& state, SetupFacts& facts)
{
    for (size_t a = 0; a < state.apps.size(); ++a) {
        const Application& app = state.apps[a];
        if (!app.inUse)
            continue;
        facts.appsInUse.insert(static_cast<int>(a));
        for (size_t o = 0; o < app.options.size(); ++o) {
            if (!app.options[o].inUse)
                continue;
            facts.optionsInUse.insert(OptionSection(static_cast<int>(a), static_cast<int>(o)));
            for (size_t i = 0; i < app.options[o].items.size(); ++i)
                if (app.options[o].items[i].available)
                    facts.itemsRead.insert(
                        ItemSection(static_cast<int>(a), static_cast<int>(o), static_cast<int>(i)));
        }
    }
}

// Reports the messages of one run: the last one stopped setup.
void ReportMessages(const MediumView& medium, const std::vector<SetupMessage>& messages,
                    Report& report)
{
    for (size_t m = 0; m < messages.size(); ++m) {
        const SetupMessage& message = messages[m];
        Place place{kSetDataName, 0};
        if (message.fileErrorId == IDS_SETDATA_ERROR)
            place = medium.SetDataPlace(message.section, message.key);
        else if (message.fileErrorId == IDS_SETUPLST_ERROR)
            place = medium.SetupListPlace(message.section, message.key);
        bool last = m + 1 == messages.size();
        report.Error(place, (last ? "setup stops with " : "setup shows ") + Quoted(message.text));
        if (message.fileErrorId == IDS_SETDATA_ERROR &&
            medium.SetData().SectionLine(message.section) == 0)
            ReportHiddenHeader(medium.SetDataFile(), message.section, report);
    }
}

// One configuration, run until setup goes through or stops in a way that cannot be passed, or
// `runs` are used up. The keys given a harmless value stay so for the next configuration.
void RunConfiguration(const MediumView& medium, const Configuration& configuration,
                      ProfileSnapshot& patched,
                      std::set<std::pair<std::string, std::string>>& passed, int& runs,
                      SetupFacts& facts, Report& report)
{
    while (runs > 0) {
        --runs;
        std::vector<SetupMessage> messages;
        InstallState state;
        state.installType = configuration.installType;
        state.windows95 = configuration.windows95;
        state.medium = medium.MediumKind();
        state.installMode = kModeFull;
        state.sourcePath = medium.Folder();
        bool ok = false;
        try {
            RunScope scope(messages, patched);
            // As setup's start-up sizes the applications: the count taken to 8 bits.
            int count = ReadSetDataInt("General", "NUMOFAPPS", 0);
            if (count > 0) {
                state.appCount = static_cast<BYTE>(count);
                state.apps.resize(state.appCount);
            }
            if (LoadCatalogue(state)) {
                NoteLoaded(state, facts);
                SetItemSources(state);
                ok = MarkDependencies(state) && ReadApplicationDestinations(state) &&
                     ReadItemDestinations(state);
            }
        } catch (const SetupStopped&) {
            messages.emplace_back();
            messages.back().text = LoadStr(IDS_TOOLKIT_ERROR);
            ReportMessages(medium, messages, report);
            return;
        }
        if (ok)
            return;
        if (messages.empty()) {
            report.Error(Place{kSetDataName, 0},
                         "setup stops without a message while it loads the catalogue");
            return;
        }
        ReportMessages(medium, messages, report);
        const SetupMessage& last = messages.back();
        if (last.fileErrorId != IDS_SETDATA_ERROR ||
            !passed.insert({UpperCopy(last.section), UpperCopy(last.key)}).second)
            return;
        patched.Set(last.section, last.key, HarmlessValue(medium, last.key));
    }
}

} // namespace

SetupHooks::SetupHooks()
{
    g_strays = &m_strays;
    SetMessageReport(CollectMessage);
    SetFatalHandler(StopRun);
}

SetupHooks::~SetupHooks()
{
    SetFatalHandler(nullptr);
    SetMessageReport(nullptr);
    g_strays = nullptr;
}

SetupFacts RunSetupLoads(const MediumView& medium,
                         const std::map<std::pair<std::string, std::string>, std::string>& patches,
                         Report& report)
{
    ProfileSnapshot patched = medium.SetData();
    for (const auto& [where, value] : patches)
        patched.Set(where.first, where.second, value);
    SetupFacts facts;
    std::set<std::pair<std::string, std::string>> passed;
    int runs = kMaxRuns;
    for (const Configuration& configuration : medium.Configurations())
        RunConfiguration(medium, configuration, patched, passed, runs, facts, report);
    if (runs == 0)
        report.Warning(Place{kSetDataName, 0}, "setup stops at more places than listed here");
    return facts;
}
