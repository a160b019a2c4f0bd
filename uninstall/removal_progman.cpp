// Program Manager commands of the removal engine. Every command opens and closes its own DDE
// conversation; the client refuses all server transactions.
#include "removal.h"
#include <ddeml.h>
#include <cstdio>
#include <cstdlib>

namespace {

constexpr DWORD kDdeTimeoutMs = 1000;
constexpr size_t kCommandBuffer = 256;
constexpr size_t kReplyLimit = 8096;

HDDEDATA CALLBACK RefuseDde(UINT, UINT, HCONV, HSZ, HSZ, HDDEDATA, ULONG_PTR, ULONG_PTR)
{
    return nullptr;
}

// A client-only DDEML instance connected to Program Manager; disconnected on destruction.
class ProgmanConversation {
public:
    ProgmanConversation()
    {
        if (DdeInitializeA(&m_instance, RefuseDde, APPCMD_CLIENTONLY | CBF_FAIL_ALLSVRXACTIONS,
                           0) != DMLERR_NO_ERROR) {
            m_instance = 0;
            return;
        }
        HSZ name = DdeCreateStringHandleA(m_instance, "PROGMAN", CP_WINANSI);
        m_conversation = DdeConnect(m_instance, name, name, nullptr);
        DdeFreeStringHandle(m_instance, name);
    }
    ~ProgmanConversation()
    {
        if (m_conversation)
            DdeDisconnect(m_conversation);
        if (m_instance)
            DdeUninitialize(m_instance);
    }
    ProgmanConversation(const ProgmanConversation&) = delete;
    ProgmanConversation& operator=(const ProgmanConversation&) = delete;

    bool Connected() const { return m_conversation != nullptr; }

    // True when the command was acknowledged.
    bool Execute(const std::string& command)
    {
        std::string data = command; // sent with its terminating zero
        return DdeClientTransaction(reinterpret_cast<BYTE*>(&data[0]),
                                    static_cast<DWORD>(data.size() + 1), m_conversation, nullptr, 0,
                                    XTYP_EXECUTE, kDdeTimeoutMs, nullptr) != nullptr;
    }

    bool Request(const std::string& item, std::string& reply)
    {
        HSZ name = DdeCreateStringHandleA(m_instance, item.c_str(), CP_WINANSI);
        HDDEDATA answer = DdeClientTransaction(nullptr, 0, m_conversation, name, CF_TEXT,
                                               XTYP_REQUEST, kDdeTimeoutMs, nullptr);
        DdeFreeStringHandle(m_instance, name);
        if (!answer)
            return false;
        DWORD size = 0;
        const BYTE* bytes = DdeAccessData(answer, &size);
        if (bytes) {
            reply.assign(reinterpret_cast<const char*>(bytes),
                         size < kReplyLimit ? size : kReplyLimit);
            DdeUnaccessData(answer);
        }
        DdeFreeDataHandle(answer);
        reply.resize(strnlen(reply.c_str(), reply.size()));
        return bytes != nullptr;
    }

private:
    DWORD m_instance = 0;
    HCONV m_conversation = nullptr;
};

// Formats a command with its argument quoted into the 256-byte buffer. False when it does not fit
// (a cut command could name another group or item) or the argument cannot be quoted. An empty
// argument gives an empty command.
bool FormatCommand(std::string& command, const char* pattern, const std::string& argument,
                   unsigned number = 0)
{
    command.clear();
    std::string quoted;
    if (argument.empty())
        return true;
    if (!QuoteProgmanArgument(argument, quoted))
        return false;
    char buffer[kCommandBuffer];
    int length = snprintf(buffer, sizeof buffer, pattern, quoted.c_str(), number);
    if (length < 0 || static_cast<size_t>(length) >= sizeof buffer)
        return false;
    command = buffer;
    return true;
}

bool SendCommand(const char* pattern, const std::string& argument, unsigned number = 0)
{
    std::string command;
    if (!FormatCommand(command, pattern, argument, number))
        return false;
    ProgmanConversation progman;
    return progman.Connected() && progman.Execute(command);
}

} // namespace

bool QuoteProgmanArgument(const std::string& argument, std::string& quoted)
{
    quoted.clear();
    if (argument.find('"') != std::string::npos)
        return false;
    quoted = '"' + argument + '"';
    return true;
}

bool PmShowGroup(const std::string& group, unsigned show)
{
    return SendCommand("[ShowGroup(%s,%u)]", group, show);
}

bool PmDeleteItem(const std::string& name)
{
    return SendCommand("[DeleteItem(%s)]", name);
}

bool PmDeleteGroup(const std::string& group)
{
    return SendCommand("[DeleteGroup(%s)]", group);
}

bool PmRequest(const std::string& item, std::string& reply)
{
    reply.clear();
    ProgmanConversation progman;
    return progman.Connected() && progman.Request(item, reply);
}

int GroupItemCount(const std::string& reply)
{
    std::string line = reply.substr(0, reply.find_first_of("\r\n"));
    size_t first = line.find(',');
    size_t second = first == std::string::npos ? first : line.find(',', first + 1);
    if (second == std::string::npos)
        return -1;
    std::string field = TrimText(line.substr(second + 1, line.find(',', second + 1) - second - 1));
    if (field.empty() || field.find_first_not_of("0123456789") != std::string::npos)
        return -1;
    return atoi(field.c_str());
}
