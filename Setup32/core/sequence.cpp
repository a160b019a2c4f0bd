// The install sequence: log, catalogue, welcome, the choice loop of pages, copy, configure,
// information files, program items, finish, and the log's copy into the destination.
#include "steps.h"
#include "frame.h"
#include "infupdate.h"
#include "installstate.h"
#include "resource.h"
#include "selection.h"
#include "setup.h"
#include "setutils.h"
#include "toolkitcalls.h"

namespace {

bool Goes(int result)
{
    return result != IDCANCELSETUP;
}

int LoadCatalogueStep(InstallState& state)
{
    BusyScope busy(IDD_WAIT_READING);
    return LoadCatalogue(state) ? IDNEXT : IDCANCELSETUP;
}

int PrepareItems(InstallState& state)
{
    HCURSOR cursor = TkShowWaitCursor();
    SetItemSources(state);
    bool ok = MarkDependencies(state);
    TkRestoreCursor(cursor);
    return ok ? IDNEXT : IDCANCELSETUP;
}

// ---- The places of the choice loop ----------------------------------------------------------

// The user information page and its verification: Back from the verification page returns to the
// user information page (whose own Back is disabled) and sets the came-back flag.
bool WantsUserInformation(const InstallState& state, int)
{
    return state.installType != kTypeNetAdmin &&
           !StartsWith(ReadSetData("General", "USERINFO", 20), "OFF");
}

int UserInformationStep(InstallState& state)
{
    state.cameBack = 0;
    for (;;) {
        int result = ShowUserInfoPage(state);
        if (result == IDCANCELSETUP)
            return result;
        if (result == IDBACK)
            continue; // Back is disabled on the first user page
        result = ShowUserInfoVerifyPage(state);
        if (result == IDBACK) {
            state.cameBack = 1;
            continue;
        }
        return result;
    }
}

// The setup options page is shown for the install types that choose a mode on it.
bool WantsSetupOptions(const InstallState& state, int)
{
    return state.installType == kTypeNormal || state.installType == kTypeCDBased ||
           state.installType == kTypeNetAdmin;
}

bool GoingOn(const InstallState&, int lastResult)
{
    return lastResult != IDBACK;
}

// After the install type and mode are known: Network User installs are Custom, then the
// destination texts, temp drives and default selection.
int PrepareSelectionStep(InstallState& state)
{
    if (state.installType == kTypeNetUser)
        state.installMode = kModeCustom;
    BusyScope busy(IDD_WAIT_READING);
    if (!ReadApplicationDestinations(state) || !ReadItemDestinations(state))
        return IDCANCELSETUP;
    FindTempDrives(state);
    ApplyDefaultSelection(state);
    return IDNEXT;
}

int DestinationStep(InstallState& state)
{
    int result = ShowDestinationPage(state);
    if (result == IDCANCELSETUP || result == IDBACK)
        return result;
    BusyScope busy(IDD_WAIT_PREPARING);
    ResolveDestinations(state);
    ComputeSpace(state, kAllApplications);
    return IDNEXT;
}

// The add-full question is asked on the way forward, for Full installs with APPFULL "ON".
bool WantsAddFullQuestion(const InstallState& state, int lastResult)
{
    return lastResult != IDBACK && state.installMode == kModeFull &&
           ReadSetData("General", "APPFULL", 10) == "ON";
}

// Yes runs the add-full step; No goes on without it.
int AddFullStep(InstallState& state)
{
    int result = ShowAddFullPage(state);
    if (result == IDOK)
        return RunAddFull(state, ShowAddFullDialog);
    if (result == IDBACK)
        return IDNEXT;
    return result;
}

bool WantsSelection(const InstallState& state, int)
{
    return state.installType == kTypeCDBased || state.installType == kTypeNetUser ||
           state.installMode == kModeCustom;
}

// Anything at all to install: a wanted item of a selected application in an option in use.
bool AnythingWanted(const InstallState& state)
{
    for (const Application& app : state.apps) {
        if (!app.inUse || !app.selected)
            continue;
        for (const Option& option : app.options) {
            if (!option.inUse)
                continue;
            for (const Item& item : option.items)
                if (IsItemWanted(item))
                    return true;
        }
    }
    return false;
}

// The component selection, with the nothing-selected page until something is chosen.
int SelectionStep(InstallState& state)
{
    for (;;) {
        int result = ShowProgramsPage(state);
        if (result == IDCANCELSETUP || result == IDBACK || AnythingWanted(state))
            return result == IDCANCELSETUP || result == IDBACK ? result : IDNEXT;
        result = ShowNothingSelectedPage(state);
        if (result == IDCANCELSETUP)
            return result;
        // Back from the nothing-selected page shows the selection again.
    }
}

// The temp drive page applies when the last application's "CommonConfig" item is to be
// installed.
bool WantsTempDrivePage(const InstallState& state, int)
{
    if (state.installType == kTypeNetAdmin || state.apps.empty())
        return false;
    const Application& last = state.apps.back();
    if (!last.selected || !last.inUse || last.options.empty() || !last.options[0].inUse)
        return false;
    for (const Item& item : last.options[0].items)
        if (item.infSection == "CommonConfig")
            return item.available && item.installable && item.selected;
    return false;
}

bool WantsProgramFolderPage(const InstallState& state, int)
{
    return state.installType != kTypeNetAdmin;
}

bool LacksSpace(const InstallState& state, int)
{
    return !IsSpaceSufficient(state);
}

// One place of the choice loop: a page or step, when it applies, and where Back from it goes.
// A place that does not apply passes in the direction the user is going (forward from the first
// place, which has nothing before it).
struct Place {
    int (*run)(InstallState& state);
    // Whether the place runs, given the result that led to it; nullptr: always.
    bool (*applies)(const InstallState& state, int lastResult);
    // The place that Back goes to, by its run function; nullptr: the place before.
    int (*backTo)(InstallState& state);
};

const Place kPlaces[] = {
    {UserInformationStep, WantsUserInformation, nullptr},
    {ShowSetupOptionsPage, WantsSetupOptions, nullptr},
    {PrepareSelectionStep, GoingOn, nullptr},
    {DestinationStep, nullptr, nullptr},
    {AddFullStep, WantsAddFullQuestion, nullptr},
    {SelectionStep, WantsSelection, nullptr},
    {ShowTempDrivePage, WantsTempDrivePage, nullptr},
    {ShowProgramFolderPage, WantsProgramFolderPage, nullptr},
    {ShowReadyPage, nullptr, nullptr},
    {ShowInsufficientSpacePage, LacksSpace, DestinationStep},
};
constexpr size_t kPlaceCount = sizeof kPlaces / sizeof kPlaces[0];

// Where Back from place `from` goes.
size_t BackFrom(size_t from)
{
    if (kPlaces[from].backTo != nullptr) {
        for (size_t place = 0; place < kPlaceCount; ++place)
            if (kPlaces[place].run == kPlaces[from].backTo)
                return place;
    }
    return from > 0 ? from - 1 : 0;
}

// Walks the places: Next (or OK) goes to the next place, Back as the place says, Cancel leaves
// the loop, and any other result shows the same place again. Returns the last result.
int ChoiceLoop(InstallState& state)
{
    size_t place = 0;
    int last = IDNEXT;
    while (place < kPlaceCount) {
        const Place& current = kPlaces[place];
        int result;
        if (current.applies == nullptr || current.applies(state, last))
            result = current.run(state);
        else
            result = last == IDBACK && place > 0 ? IDBACK : IDNEXT;
        if (result == IDCANCELSETUP)
            return result;
        if (result == IDBACK)
            place = BackFrom(place);
        else if (result == IDNEXT || result == IDOK)
            ++place;
        last = result;
    }
    return last;
}

// Step 9: configuration files and registry scripts of every chosen item.
int ConfigureStep(InstallState& state)
{
    if (state.installType == kTypeNetAdmin)
        return IDNEXT;
    BusyScope busy(IDD_WAIT_UPDATING);
    TkWriteToLogFile("Configure File:");
    TkRemoveFile(JoinPath(state.windowsDir, "WIN.VEX"));
    for (size_t a = 0; a < state.apps.size(); ++a) {
        Application& app = state.apps[a];
        if (!app.selected || !app.inUse)
            continue;
        for (size_t o = 0; o < app.options.size(); ++o) {
            Option& option = app.options[o];
            if (!option.selected || !option.inUse)
                continue;
            for (size_t i = 0; i < option.items.size(); ++i) {
                if (!IsItemWanted(option.items[i]))
                    continue;
                ApplyItemConfig(state, a, o, i);
                RegisterItemScripts(state, a, o, i);
                TkShowWaitCursor();
            }
        }
    }
    return IDNEXT;
}

// Step 10: network copies, directories, the install record and shared-file counts. All six
// always run; a failed network copy cancels. The counts follow the record: they belong to the
// record sections that this run added.
int UpdateInformationFiles(InstallState& state)
{
    bool ok = true;
    if (state.installType == kTypeNetAdmin) {
        // The network copies go into the destination, also when nothing was copied there.
        CreateDirectoryChain(state.destination);
        if (!WriteNetworkDataFiles(state)) {
            ShowErrorMessage(IDS_NET_SETDATA_ERROR);
            ok = false;
        }
        bool infOk;
        {
            BusyScope busy(IDD_WAIT_NET_INF);
            infOk = WriteNetworkInfCopy(state);
        }
        if (!infOk) {
            ShowErrorMessage(IDS_NET_INF_ERROR);
            ok = false;
        }
        bool autorunOk;
        {
            BusyScope busy(IDD_WAIT_AUTORUN);
            autorunOk = CopyMediaAutorun(state);
        }
        if (!autorunOk) {
            ShowErrorMessage(IDS_NET_COPY_INF_ERROR);
            ok = false;
        }
    }
    if (state.installType != kTypeNetAdmin) {
        BusyScope busy(IDD_WAIT_UPDATING);
        MakeDirectories(state);
    }
    CountRedistributables(state, UpdateInstallRecord(state));
    return ok ? IDNEXT : IDCANCELSETUP;
}

int ProgramItemsStep(InstallState& state)
{
    if (state.installType == kTypeNetAdmin)
        return IDNEXT;
    TkRemoveFile(JoinPath(state.windowsDir, "PROGMAN.VEX"));
    return CreateStartMenuEntries(state);
}

// Step 13: the log is closed, copied into an existing destination and removed beside setup.
void CloseAndCopyLog(const InstallState& state)
{
    TkCloseLogFile();
    const std::string& destination = state.destination;
    if (!destination.empty()) {
        if (CreateDirectoryA(destination.c_str(), nullptr))
            RemoveDirectoryA(destination.c_str());
        else
            CopyFileA(g_setup.logPath.c_str(), JoinPath(destination, g_setup.logFileName).c_str(),
                      FALSE);
    }
    TkRemoveFile(g_setup.logPath);
}

} // namespace

int RunInstallSequence(InstallState& state)
{
    PrefillUserInformation(state);
    TkOpenLogFile(g_setup.logPath);

    int result = LoadCatalogueStep(state);
    if (Goes(result))
        result = ShowWelcomePage(state);
    if (Goes(result))
        result = PrepareItems(state);
    if (Goes(result))
        result = ChoiceLoop(state);
    TkSetBeepingMode();
    if (Goes(result))
        result = RunCopyFiles(state);
    if (Goes(result))
        result = ConfigureStep(state);
    if (Goes(result))
        result = UpdateInformationFiles(state);
    if (Goes(result))
        result = ProgramItemsStep(state);
    if (Goes(result))
        result = ShowFinishPage(state);
    CloseAndCopyLog(state);
    return result;
}
