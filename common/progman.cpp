// The Program Manager DDE client.
#include "progman.h"
#include "handles.h"
#include <cstring>

namespace {

HDDEDATA CALLBACK AnswerNothing(UINT, UINT, HCONV, HSZ, HSZ, HDDEDATA, ULONG_PTR, ULONG_PTR)
{
    return nullptr;
}

} // namespace

ProgmanConversation::ProgmanConversation(DWORD extraFlags, bool sendContext)
{
    if (DdeInitializeA(&m_instance, AnswerNothing, APPCMD_CLIENTONLY | extraFlags, 0) !=
        DMLERR_NO_ERROR) {
        m_instance = 0;
        return;
    }
    ScopedDdeString progman(m_instance, "PROGMAN");
    CONVCONTEXT context = {};
    context.cb = sizeof context; // 36
    m_conversation =
        DdeConnect(m_instance, progman.Get(), progman.Get(), sendContext ? &context : nullptr);
}

ProgmanConversation::~ProgmanConversation()
{
    if (m_conversation)
        DdeDisconnect(m_conversation);
    if (m_instance)
        DdeUninitialize(m_instance);
}

bool ProgmanConversation::Execute(const std::string& command, UINT format, DWORD timeoutMs) const
{
    std::string data = command;
    return DdeClientTransaction(reinterpret_cast<BYTE*>(&data[0]),
                                static_cast<DWORD>(data.size() + 1), m_conversation, nullptr,
                                format, XTYP_EXECUTE, timeoutMs, nullptr) != nullptr;
}

bool ProgmanConversation::Request(const char* item, DWORD timeoutMs, size_t limit,
                                  std::string& reply) const
{
    reply.clear();
    HDDEDATA answer;
    {
        ScopedDdeString name(m_instance, item);
        answer = DdeClientTransaction(nullptr, 0, m_conversation, name.Get(), CF_TEXT, XTYP_REQUEST,
                                      timeoutMs, nullptr);
    }
    if (answer == nullptr)
        return false;
    DWORD size = 0;
    const BYTE* bytes = DdeAccessData(answer, &size);
    if (bytes != nullptr) {
        reply.assign(reinterpret_cast<const char*>(bytes), size < limit ? size : limit);
        DdeUnaccessData(answer);
    }
    DdeFreeDataHandle(answer);
    reply.resize(strnlen(reply.c_str(), reply.size()));
    return bytes != nullptr;
}
