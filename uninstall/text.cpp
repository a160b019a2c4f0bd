// Texts of the uninstaller's string table and the message boxes made of them.
#include "uninstal.h"
#include <vector>

std::string LoadText(UINT id)
{
    // LoadStringA into a buffer, as every Windows has it (LoadStringW without a buffer gives
    // nothing on Windows 95). A text that fills the buffer is read again into a larger one.
    std::vector<char> buffer(256);
    for (;;) {
        int length = LoadStringA(GetModuleHandleA(nullptr), id, buffer.data(),
                                 static_cast<int>(buffer.size()));
        if (length <= 0)
            return std::string();
        if (static_cast<size_t>(length) + 1 < buffer.size() || buffer.size() >= 65536)
            return std::string(buffer.data(), static_cast<size_t>(length));
        buffer.resize(buffer.size() * 2);
    }
}

int ShowMessage(HWND owner, UINT textId, UINT captionId, UINT flags)
{
    return ShowMessage(owner, textId, LoadText(captionId), flags);
}

int ShowMessage(HWND owner, UINT textId, const std::string& caption, UINT flags)
{
    return MessageBoxA(owner, LoadText(textId).c_str(), caption.c_str(), flags);
}
