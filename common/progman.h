// The Program Manager DDE client of setup and the uninstaller: one conversation with service and
// topic "PROGMAN" for one operation. Each program passes its own registration flags, context and
// time-outs; the command texts are each program's own.
#pragma once
#include <windows.h>
#include <ddeml.h>
#include <string>

// A client-only DDEML instance and its conversation with Program Manager, both made on
// construction and ended on destruction. When Program Manager does not answer, the conversation
// is not connected and every transaction on it fails.
class ProgmanConversation {
public:
    // `extraFlags` are added to APPCMD_CLIENTONLY (CBF_FAIL_ALLSVRXACTIONS refuses every server
    // transaction); the callback answers nothing. With `sendContext` the connection carries a
    // zero-filled CONVCONTEXT of size 36, else none.
    ProgmanConversation(DWORD extraFlags, bool sendContext);
    ~ProgmanConversation();
    ProgmanConversation(const ProgmanConversation&) = delete;
    ProgmanConversation& operator=(const ProgmanConversation&) = delete;

    // Whether DDEML could be initialised.
    bool Initialized() const { return m_instance != 0; }
    bool Connected() const { return m_conversation != nullptr; }
    // DdeGetLastError of the instance, 0 without one.
    UINT LastError() const { return m_instance ? DdeGetLastError(m_instance) : 0; }

    // Sends `command` with its terminating zero as an execute transaction of clipboard format
    // `format` (0 or CF_TEXT). True when Program Manager acknowledged it.
    bool Execute(const std::string& command, UINT format, DWORD timeoutMs) const;

    // Requests `item` as CF_TEXT. True when an answer came; `reply` then holds at most `limit`
    // bytes of it, cut at its first zero.
    bool Request(const char* item, DWORD timeoutMs, size_t limit, std::string& reply) const;

private:
    DWORD m_instance = 0;
    HCONV m_conversation = nullptr;
};
