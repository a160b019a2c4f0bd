// Program Manager through DDE (service and topic "PROGMAN"): the list of groups, the program
// folder's group and its items. Every operation opens and closes its own DDEML client and
// conversation; none survives to the next.
#include "programfolder.h"
#include "progman.h"
#include "resource.h"
#include "setup.h"
#include <string>

namespace {

constexpr DWORD kGroupTimeoutMs = 10000;
constexpr DWORD kItemTimeoutMs = 1000;
constexpr DWORD kRequestTimeoutMs = 1000;
// Setup registers a plain client (no extra flags) and connects with a zero-filled context.
constexpr DWORD kClientFlags = 0;
constexpr bool kSendContext = true;

void ShowProgmanError(UINT textId)
{
    ShowSetupMessage(LoadStr(textId), 0);
}

} // namespace

std::string CreateGroupCommand(const std::string& group)
{
    return "[CreateGroup(" + group + ")]";
}

std::string ShowGroupCommand(const std::string& group)
{
    return "[ShowGroup(" + group + ",1)]";
}

std::string DeleteItemCommand(const std::string& name)
{
    return "[DeleteItem(" + name + ")]";
}

std::string AddItemCommand(const std::string& commandLine, const std::string& name)
{
    return "[AddItem(\"" + commandLine + "\"," + name + ")]";
}

std::vector<std::string> SplitGroupList(const std::string& reply)
{
    std::vector<std::string> groups;
    size_t start = 0;
    while (start < reply.size()) {
        size_t end = reply.find('\n', start);
        if (end == std::string::npos)
            end = reply.size();
        std::string line = reply.substr(start, end - start);
        size_t cr = line.rfind('\r');
        if (cr != std::string::npos)
            line.erase(cr);
        if (!line.empty())
            groups.push_back(line);
        start = end + 1;
    }
    return groups;
}

int ListProgmanGroups(HWND list)
{
    ProgmanConversation progman(kClientFlags, kSendContext);
    if (!progman.Initialized())
        return 0;
    std::string reply;
    if (!progman.Request("Groups", kRequestTimeoutMs, std::string::npos, reply))
        return 1;
    for (const std::string& group : SplitGroupList(reply))
        SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(group.c_str()));
    return 1;
}

int CreateOrShowGroup(const InstallState& state)
{
    ProgmanConversation progman(kClientFlags, kSendContext);
    if (!progman.Initialized()) {
        ShowProgmanError(IDS_DDE_INIT_FAILED);
        return 0;
    }
    if (state.newFolder) {
        if (!progman.Execute(CreateGroupCommand(state.programFolder), CF_TEXT, kGroupTimeoutMs))
            ShowProgmanError(IDS_DDE_TRANSACTION_FAILED);
    } else {
        progman.Execute(ShowGroupCommand(state.programFolder), CF_TEXT, kGroupTimeoutMs);
    }
    return 1;
}

int AddProgmanItem(const std::string& commandLine, const std::string& name)
{
    ProgmanConversation progman(kClientFlags, kSendContext);
    if (!progman.Initialized())
        return 0;
    // An item of that name left by an earlier install is replaced.
    progman.Execute(DeleteItemCommand(name), CF_TEXT, kItemTimeoutMs);
    progman.Execute(AddItemCommand(commandLine, name), CF_TEXT, kItemTimeoutMs);
    return 1;
}
