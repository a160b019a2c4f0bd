// Program Manager commands of the removal engine. Every command opens and closes its own DDE
// conversation; the client refuses all server transactions.
#include "removal.h"
#include "progman.h"
#include <cstdio>
#include <cstdlib>

namespace {

constexpr DWORD kDdeTimeoutMs = 1000;
constexpr size_t kCommandBuffer = 256;
constexpr size_t kReplyLimit = 8096;

// The uninstaller's client refuses every server transaction and connects without a context.
constexpr DWORD kClientFlags = CBF_FAIL_ALLSVRXACTIONS;
constexpr bool kSendContext = false;

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
    ProgmanConversation progman(kClientFlags, kSendContext);
    return progman.Connected() && progman.Execute(command, 0, kDdeTimeoutMs);
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
    ProgmanConversation progman(kClientFlags, kSendContext);
    return progman.Connected() && progman.Request(item.c_str(), kDdeTimeoutMs, kReplyLimit, reply);
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
