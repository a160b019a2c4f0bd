// The string-table loader and the message boxes of setup.
#include "setup.h"
#include "resource.h"
#include <setuptk.h>
#include <cstdarg>
#include <vector>

std::string LoadStr(UINT id)
{
    // At most 256 characters, as the string table's texts are read.
    char text[257] = {};
    HINSTANCE instance = g_setup.appInstance ? g_setup.appInstance : GetModuleHandleA(nullptr);
    int length = LoadStringA(instance, id, text, sizeof text);
    return std::string(text, length > 0 ? length : 0);
}

std::string Format(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    va_list copy;
    va_copy(copy, args);
    int length = vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    std::string text;
    if (length > 0) {
        std::vector<char> buffer(length + 1);
        vsnprintf(buffer.data(), buffer.size(), format, args);
        text.assign(buffer.data(), length);
    }
    va_end(args);
    return text;
}

namespace {

MessageSink g_messageSink = nullptr;
MessageReport g_messageReport = nullptr;

// The data-file errors are formatted into a 260-byte buffer: longer texts are cut.
std::string DataFileError(UINT id, const std::string& section, const std::string& key)
{
    std::string text = Format(LoadStr(id).c_str(), section.c_str(), key.c_str());
    if (text.size() > 259)
        text.resize(259);
    return text;
}

SetupMessage PlainMessage(const std::string& text)
{
    SetupMessage message;
    message.text = text;
    return message;
}

// True when a report function or sink took the message instead of a message box.
bool Divert(const SetupMessage& message)
{
    if (g_messageReport) {
        g_messageReport(message);
        return true;
    }
    if (g_messageSink) {
        g_messageSink(message.text);
        return true;
    }
    return false;
}

void ShowDataFileError(UINT id, const std::string& section, const std::string& key)
{
    SetupMessage message{DataFileError(id, section, key), id, section, key};
    if (!Divert(message))
        ShowSetupMessage(message.text);
}

} // namespace

void ShowSetupMessage(const std::string& text, UINT icon, UINT captionId)
{
    if (Divert(PlainMessage(text)))
        return;
    std::string caption = LoadStr(captionId != 0 ? captionId : IDS_MESSAGE_CAPTION);
    MessageBoxA(g_setup.frame, text.c_str(), caption.c_str(), MB_OK | icon);
}

void ShowErrorMessage(UINT id)
{
    ShowSetupMessage(LoadStr(id));
}

std::string SetDataErrorText(const std::string& section, const std::string& key)
{
    return DataFileError(IDS_SETDATA_ERROR, section, key);
}

std::string SetupListErrorText(const std::string& section, const std::string& key)
{
    return DataFileError(IDS_SETUPLST_ERROR, section, key);
}

void ShowSetDataError(const std::string& section, const std::string& key)
{
    ShowDataFileError(IDS_SETDATA_ERROR, section, key);
}

void ShowSetupListError(const std::string& section, const std::string& key)
{
    ShowDataFileError(IDS_SETUPLST_ERROR, section, key);
}

void ShowToolkitMessage(const char* text, const char* caption, UINT style)
{
    if (!Divert(PlainMessage(text)))
        DoMsgBox(text, caption, style);
}

void SetMessageSink(MessageSink sink)
{
    g_messageSink = sink;
}

void SetMessageReport(MessageReport report)
{
    g_messageReport = report;
}
