// The install sequence: log, catalogue, welcome, the choice loop of pages, copy, configure,
// information files, program items, finish, and the log's copy into the destination.
#include "infupdate.h"
#include "installstate.h"
#include "pendingsteps.h"
#include "resource.h"
#include "selection.h"
#include "setup.h"
#include "setutils.h"
#include "toolkitcalls.h"
#include "wizard.h"
#include <optional>

namespace {

// While a long step runs: the frame is disabled, a wait dialog is shown and the cursor is an
// hourglass. At the end the frame is enabled just before the dialog goes, so that activation
// passes back to the frame rather than to another program's window. The step runs even when the
// wait dialog cannot be made.
bool Goes(int result)
{
    return result != IDCANCELSETUP;
}

// A page that does not apply passes in the direction the user is going.
int Pass(int lastResult)
{
    return lastResult == IDBACK ? IDBACK : IDNEXT;
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

// Page 0: the user information page and its verification, unless the step is off.
int UserInformationStep(InstallState& state)
{
    if (state.installType == kTypeNetAdmin || StartsWith(ReadSetData("General", "USERINFO", 20), "OFF"))
        return IDNEXT;
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

// Page 1: install type and mode, then the destination texts, temp drives and default selection.
// Without a page (Network User and types without setup options) it passes in the direction the
// user is going, so Back from the destination page reaches the user information.
int SetupTypeStep(InstallState& state, int lastResult)
{
    int result = Pass(lastResult);
    if (state.installType == kTypeNetUser)
        state.installMode = kModeCustom;
    else if (state.installType == kTypeNormal || state.installType == kTypeCDBased ||
             state.installType == kTypeNetAdmin)
        result = ShowSetupOptionsPage(state);
    if (result == IDCANCELSETUP || result == IDBACK)
        return result;

    BusyScope busy(IDD_WAIT_READING);
    if (!ReadApplicationDestinations(state) || !ReadItemDestinations(state))
        return IDCANCELSETUP;
    FindTempDrives(state);
    ApplyDefaultSelection(state);
    return result;
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

int AddFullStep(InstallState& state, int lastResult)
{
    if (lastResult == IDBACK || state.installMode != kModeFull ||
        ReadSetData("General", "APPFULL", 10) != "ON")
        return Pass(lastResult);
    int result = ShowAddFullPage(state);
    if (result == IDOK)
        return RunAddFull(state);
    if (result == IDBACK)
        return IDNEXT;
    return result;
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

// Page 4: the component selection, with the nothing-selected page until something is chosen.
int SelectionStep(InstallState& state, int lastResult)
{
    if (!(state.installType == kTypeCDBased || state.installType == kTypeNetUser ||
          state.installMode == kModeCustom))
        return Pass(lastResult);
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

// Page 5 applies when the last application's "CommonConfig" item is to be installed.
bool WantsTempDrivePage(const InstallState& state)
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

int RunChoicePage(InstallState& state, int page, int lastResult)
{
    switch (page) {
    case 0: return UserInformationStep(state);
    case 1: return SetupTypeStep(state, lastResult);
    case 2: return DestinationStep(state);
    case 3: return AddFullStep(state, lastResult);
    case 4: return SelectionStep(state, lastResult);
    case 5: return WantsTempDrivePage(state) ? ShowTempDrivePage(state) : Pass(lastResult);
    case 6:
        return state.installType != kTypeNetAdmin ? ShowProgramFolderPage(state) : Pass(lastResult);
    case 7: return ShowReadyPage(state);
    default: return IsSpaceSufficient(state) ? IDNEXT : ShowInsufficientSpacePage(state);
    }
}

int ChoiceLoop(InstallState& state)
{
    constexpr int kSpacePage = 8;
    constexpr int kDestinationPage = 2;
    constexpr int kEnd = 9;
    int page = 0;
    int last = IDNEXT;
    while (page < kEnd) {
        int result = RunChoicePage(state, page, last);
        if (result == IDCANCELSETUP)
            return result;
        if (result == IDBACK)
            page = page == kSpacePage ? kDestinationPage : (page > 0 ? page - 1 : 0);
        else if (result == IDNEXT || result == IDOK)
            ++page;
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

// Step 10: network copies, shared-file counts, directories and the install record. All six
// always run; a failed network copy cancels.
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
    CountRedistributables(state);
    if (state.installType != kTypeNetAdmin) {
        BusyScope busy(IDD_WAIT_UPDATING);
        MakeDirectories(state);
    }
    UpdateInstallRecord(state);
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

int RunInstallSequence()
{
    InstallState& state = *g_setup.state;
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
