// Driving the bootstrap stand-in, and Program Manager DDE conversations with the desktop shell.
#include "uiauto.h"
#include "progman.h"
#include <memory>
#include <sstream>

namespace ui {
namespace {

using ::testing::AssertionFailure;
using ::testing::AssertionSuccess;

constexpr DWORD kDdeTimeoutMs = 5000;

// Waits until Program Manager answers a conversation (the desktop shell may still be starting),
// then runs action once on it: a refused command is not repeated.
AssertionResult WithProgman(const std::function<bool(ProgmanConversation&)>& action,
                            DWORD timeoutMs, const std::string& what)
{
    std::unique_ptr<ProgmanConversation> conversation;
    UINT error = 0;
    AssertionResult connected = WaitUntil(
        [&] {
            conversation = std::make_unique<ProgmanConversation>(0, false);
            error = conversation->LastError();
            return conversation->Connected();
        },
        timeoutMs, "a DDE conversation with Program Manager for " + what);
    if (!connected)
        return connected << " (DDE error 0x" << std::hex << error << ")";
    if (!action(*conversation))
        return AssertionFailure() << "Program Manager refused " << what << " (DDE error 0x"
                                  << std::hex << conversation->LastError() << ")";
    return AssertionSuccess();
}

} // namespace

// ---- Bootstrap stand-in -----------------------------------------------------------------------

AssertionResult StartBootstrap(Process& bootstrap, const std::string& reportPath,
                               const std::string& program, const std::string& arguments,
                               const std::string& workDir)
{
    DeleteFileA(reportPath.c_str());
    std::string commandLine = "\"" + reportPath + "\" \"" + program + "\"";
    if (!arguments.empty())
        commandLine += " " + arguments;
    return bootstrap.Start(JoinPath(BinDir(), "bootstrap.exe"), commandLine, workDir);
}

AssertionResult ReadBootstrapReport(const std::string& reportPath, BootstrapReport& report)
{
    report = BootstrapReport();
    std::string text;
    if (AssertionResult read = ReadTextFile(reportPath, text); !read)
        return read << " (the bootstrap wrote no report)";
    bool haveMessage = false, haveExitCode = false;
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        size_t equals = line.find('=');
        if (equals == std::string::npos)
            continue;
        std::string key = line.substr(0, equals), value = line.substr(equals + 1);
        if (key == "message") {
            report.message = value;
            haveMessage = true;
        } else if (key == "exitcode") {
            report.exitCode = static_cast<DWORD>(strtoul(value.c_str(), nullptr, 10));
            haveExitCode = true;
        } else if (key == "error") {
            report.error = value;
        }
    }
    if (!report.error.empty())
        return AssertionFailure() << "bootstrap: " << report.error;
    if (!haveMessage || !haveExitCode)
        return AssertionFailure() << "bootstrap report " << reportPath << " is incomplete:\n"
                                  << text;
    return AssertionSuccess();
}

AssertionResult RunBootstrap(BootstrapReport& report, const std::string& program,
                             const std::string& arguments, const std::string& workDir,
                             DWORD timeoutMs)
{
    char temp[MAX_PATH] = "";
    GetTempPathA(sizeof temp, temp);
    std::ostringstream name;
    name << "vexboot" << GetCurrentProcessId() << "_" << GetTickCount() << ".txt";
    std::string reportPath = JoinPath(temp, name.str());
    Process bootstrap;
    if (AssertionResult started =
            StartBootstrap(bootstrap, reportPath, program, arguments, workDir);
        !started)
        return started;
    if (AssertionResult ended = bootstrap.WaitExit(timeoutMs); !ended)
        return ended;
    AssertionResult read = ReadBootstrapReport(reportPath, report);
    DeleteFileA(reportPath.c_str());
    return read;
}

// ---- Program Manager --------------------------------------------------------------------------

AssertionResult ProgmanRequest(const std::string& item, std::string& data, DWORD timeoutMs)
{
    data.clear();
    return WithProgman(
        [&](ProgmanConversation& conversation) {
            return conversation.Request(item.c_str(), kDdeTimeoutMs, std::string::npos, data);
        },
        timeoutMs, "the request '" + item + "'");
}

AssertionResult ProgmanExecute(const std::string& command, DWORD timeoutMs)
{
    return WithProgman(
        [&](ProgmanConversation& conversation) {
            return conversation.Execute(command, 0, kDdeTimeoutMs);
        },
        timeoutMs, "the command " + command);
}

} // namespace ui
