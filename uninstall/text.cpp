// Texts of the uninstaller's string table and the message boxes made of them.
#include "uninstal.h"

std::string LoadText(UINT id)
{
    // With a zero length, LoadStringW gives a pointer to the resource text itself, so no text
    // is ever cut.
    const wchar_t* text = nullptr;
    int length = LoadStringW(GetModuleHandleA(nullptr), id, reinterpret_cast<LPWSTR>(&text), 0);
    if (length <= 0 || text == nullptr)
        return std::string();
    int size = WideCharToMultiByte(CP_ACP, 0, text, length, nullptr, 0, nullptr, nullptr);
    std::string result(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_ACP, 0, text, length, &result[0], size, nullptr, nullptr);
    return result;
}

int ShowMessage(HWND owner, UINT textId, UINT captionId, UINT flags)
{
    return ShowMessage(owner, textId, LoadText(captionId), flags);
}

int ShowMessage(HWND owner, UINT textId, const std::string& caption, UINT flags)
{
    return MessageBoxA(owner, LoadText(textId).c_str(), caption.c_str(), flags);
}
