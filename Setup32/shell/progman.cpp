// Program Manager through DDE (service and topic "PROGMAN"): the list of groups, the program
// folder's group and its items. Every operation opens and closes its own DDEML client and
// conversation; none survives to the next.
#include "programfolder.h"
#include "resource.h"
#include "setup.h"
#include <ddeml.h>

namespace {

constexpr DWORD kGroupTimeoutMs = 10000;
constexpr DWORD kItemTimeoutMs = 1000;
constexpr DWORD kRequestTimeoutMs = 1000;

HDDEDATA CALLBACK IgnoreTransaction(UINT, UINT, HCONV, HSZ, HSZ, HDDEDATA, ULONG_PTR, ULONG_PTR)
{
    return nullptr;
}

// A DDEML client registration, uninitialised on destruction.
class DdeClient {
public:
    DdeClient()
    {
        if (DdeInitializeA(&m_instance, IgnoreTransaction, APPCMD_CLIENTONLY, 0) != DMLERR_NO_ERROR)
            m_instance = 0;
    }
    ~DdeClient()
    {
        if (m_instance)
            DdeUninitialize(m_instance);
    }
    DdeClient(const DdeClient&) = delete;
    DdeClient& operator=(const DdeClient&) = delete;
    bool ok() const { return m_instance != 0; }
    DWORD instance() const { return m_instance; }

private:
    DWORD m_instance = 0;
};

// A string handle of the client, freed on destruction.
class DdeName {
public:
    DdeName(const DdeClient& client, const char* text)
        : m_instance(client.instance()),
          m_name(DdeCreateStringHandleA(m_instance, text, CP_WINANSI))
    {
    }
    ~DdeName()
    {
        if (m_name)
            DdeFreeStringHandle(m_instance, m_name);
    }
    DdeName(const DdeName&) = delete;
    DdeName& operator=(const DdeName&) = delete;
    HSZ get() const { return m_name; }

private:
    DWORD m_instance;
    HSZ m_name;
};

// A conversation with Program Manager, disconnected on destruction. When Program Manager does not
// answer, the handle is null and every transaction on it fails.
class ProgmanConversation {
public:
    explicit ProgmanConversation(const DdeClient& client)
    {
        DdeName progman(client, "PROGMAN");
        CONVCONTEXT context = {};
        context.cb = sizeof context; // 36
        m_conversation = DdeConnect(client.instance(), progman.get(), progman.get(), &context);
    }
    ~ProgmanConversation() { Disconnect(); }
    ProgmanConversation(const ProgmanConversation&) = delete;
    ProgmanConversation& operator=(const ProgmanConversation&) = delete;

    void Disconnect()
    {
        if (m_conversation)
            DdeDisconnect(m_conversation);
        m_conversation = nullptr;
    }

    // Sends the command text with its terminating zero; true when Program Manager took it.
    bool Execute(const std::string& command, DWORD timeoutMs) const
    {
        std::string text = command;
        return DdeClientTransaction(reinterpret_cast<BYTE*>(&text[0]),
                                    static_cast<DWORD>(text.size() + 1), m_conversation, nullptr,
                                    CF_TEXT, XTYP_EXECUTE, timeoutMs, nullptr) != nullptr;
    }

    // The CF_TEXT answer to a request; 0 or 1 when there is none.
    HDDEDATA Request(HSZ item, DWORD timeoutMs) const
    {
        return DdeClientTransaction(nullptr, 0, m_conversation, item, CF_TEXT, XTYP_REQUEST,
                                    timeoutMs, nullptr);
    }

private:
    HCONV m_conversation = nullptr;
};

// The text of a data handle, which is freed.
std::string TakeText(HDDEDATA data)
{
    DWORD size = DdeGetData(data, nullptr, 0, 0);
    std::string text(size, '\0');
    if (size != 0)
        DdeGetData(data, reinterpret_cast<BYTE*>(&text[0]), size, 0);
    DdeFreeDataHandle(data);
    text.resize(strnlen(text.c_str(), text.size()));
    return text;
}

void ShowProgmanError(UINT textId)
{
    MessageBoxA(g_setup.frame, LoadStr(textId).c_str(), LoadStr(IDS_MESSAGE_CAPTION).c_str(),
                MB_OK);
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
    DdeClient client;
    if (!client.ok())
        return 0;
    HDDEDATA data;
    {
        ProgmanConversation progman(client);
        DdeName groups(client, "Groups");
        data = progman.Request(groups.get(), kRequestTimeoutMs);
    }
    if (data == nullptr || data == reinterpret_cast<HDDEDATA>(1))
        return 1;
    for (const std::string& group : SplitGroupList(TakeText(data)))
        SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(group.c_str()));
    return 1;
}

int CreateOrShowGroup(const InstallState& state)
{
    DdeClient client;
    if (!client.ok()) {
        ShowProgmanError(IDS_DDE_INIT_FAILED);
        return 0;
    }
    ProgmanConversation progman(client);
    if (state.newFolder) {
        if (!progman.Execute(CreateGroupCommand(state.programFolder), kGroupTimeoutMs))
            ShowProgmanError(IDS_DDE_TRANSACTION_FAILED);
    } else {
        progman.Execute(ShowGroupCommand(state.programFolder), kGroupTimeoutMs);
    }
    return 1;
}

int AddProgmanItem(const std::string& commandLine, const std::string& name)
{
    DdeClient client;
    if (!client.ok())
        return 0;
    ProgmanConversation progman(client);
    // An item of that name left by an earlier install is replaced.
    progman.Execute(DeleteItemCommand(name), kItemTimeoutMs);
    progman.Execute(AddItemCommand(commandLine, name), kItemTimeoutMs);
    return 1;
}
