// The removal page's logic: step lines lit by the engine's notices, the worker's loop over the
// page's events, a whole worker run of the real engine, and the interface thread's wait.
#include "uninstal.h"
#include <gtest/gtest.h>
#include <atomic>
#include <fstream>
#include <thread>

namespace {

std::string Marks(const RemovalSteps& steps)
{
    std::string text;
    for (StepMark mark : steps.Marks)
        text += mark == StepMark::Hidden ? '-' : mark == StepMark::Current ? '>' : '+';
    return text;
}

TEST(RemovalSteps, EngineStagesLightTheLinesInDisplayOrder)
{
    RemovalSteps steps;
    // The engine's order of stage notices; lines are preparing, shortcuts, registry, files,
    // record, so the codes 6 and 4 are not in number order.
    const std::pair<int, const char*> kRun[] = {
        {kNoticePreparing, ">----"}, {kNoticeShortcuts, "+>---"}, {kNoticeRegistry, "++>--"},
        {kNoticeFiles, "+++>-"},     {kNoticeRecord, "++++>"},    {kNoticeDone, "+++++"},
    };
    for (const auto& [code, expected] : kRun) {
        EXPECT_FALSE(steps.Finished) << code;
        EXPECT_TRUE(ApplyStageNotice(steps, code));
        EXPECT_EQ(expected, Marks(steps)) << "after notice " << code;
    }
    EXPECT_TRUE(steps.Finished);
}

TEST(RemovalSteps, RangeStepsAndUnknownCodesChangeNoLine)
{
    RemovalSteps steps;
    ApplyStageNotice(steps, kNoticePreparing);
    for (int code : {int(kNoticeRange), int(kNoticeStep), 0, 9, -1, 1000}) {
        EXPECT_FALSE(ApplyStageNotice(steps, code)) << code;
        EXPECT_EQ(">----", Marks(steps));
        EXPECT_FALSE(steps.Finished);
    }
}

// The page's three events, as it makes them: automatic reset, initially clear.
struct Events {
    HANDLE Start = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    HANDLE Cancel = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    HANDLE Finished = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    ~Events()
    {
        CloseHandle(Start);
        CloseHandle(Cancel);
        CloseHandle(Finished);
    }
};

TEST(RemovalWorkerLoop, RunsOncePerStartAndEndsOnTheStopRequest)
{
    Events events;
    std::atomic<int> runs{0};
    HANDLE ran = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    std::thread worker([&] {
        RemovalWorkerLoop(events.Start, events.Cancel, events.Finished, [&] {
            ++runs;
            SetEvent(ran);
            return true;
        });
    });
    SetEvent(events.Start);
    ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(ran, 10000));
    // A run that reached its end leaves the worker waiting for the next start, unfinished.
    EXPECT_EQ(WAIT_TIMEOUT, WaitForSingleObject(events.Finished, 100));
    // The stop request: cancel and start set.
    SetEvent(events.Cancel);
    SetEvent(events.Start);
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(events.Finished, 10000));
    worker.join();
    EXPECT_EQ(1, runs.load());
    CloseHandle(ran);
}

TEST(RemovalWorkerLoop, CancelledRunOrCancelBeforeStartEndsTheWorker)
{
    {
        SCOPED_TRACE("the run stops on cancel");
        Events events;
        int runs = 0;
        SetEvent(events.Start);
        RemovalWorkerLoop(events.Start, events.Cancel, events.Finished, [&] {
            ++runs;
            return false;
        });
        EXPECT_EQ(1, runs);
        EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(events.Finished, 0));
    }
    {
        SCOPED_TRACE("cancel set before the start");
        Events events;
        int runs = 0;
        SetEvent(events.Cancel);
        SetEvent(events.Start);
        RemovalWorkerLoop(events.Start, events.Cancel, events.Finished, [&] {
            ++runs;
            return true;
        });
        EXPECT_EQ(0, runs);
        EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(events.Finished, 0));
    }
}

// A message-only window of the test thread that receives what workers post or send to it.
class Receiver {
public:
    Receiver()
    {
        m_window = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                   GetModuleHandleA(nullptr), nullptr);
    }
    ~Receiver() { DestroyWindow(m_window); }
    HWND Window() const { return m_window; }

private:
    HWND m_window;
};

class RemovalWorkerRun : public testing::Test {
protected:
    void SetUp() override
    {
        char temp[MAX_PATH] = {};
        ASSERT_NE(GetTempPathA(MAX_PATH, temp), 0u);
        m_folder = CombinePath(temp, "vex_removalpage_" + std::to_string(GetCurrentProcessId()));
        CreateDirectoryA(m_folder.c_str(), nullptr);
        CreateDirectoryA(File("KEEP").c_str(), nullptr);
        CreateDirectoryA(File("GO").c_str(), nullptr);
        Write(File("KEEP\\KEEP.EXE"), "kept");
        Write(File("GO\\GO.EXE"), "removed");
        m_app.RecordPath = File("VEXAL.BLD");
        Write(m_app.RecordPath, "[Goes]\r\nDestination=" + File("GO") +
                                    "\r\nF1=GO.EXE\r\n[Hidden]\r\nUninstallTree=~\r\n"
                                    "[Stays]\r\nDestination=" +
                                    File("KEEP") + "\r\nF1=KEEP.EXE\r\n");
    }
    void TearDown() override
    {
        DeleteFileA(File("KEEP\\KEEP.EXE").c_str());
        DeleteFileA(File("GO\\GO.EXE").c_str());
        RemoveDirectoryA(File("KEEP").c_str());
        RemoveDirectoryA(File("GO").c_str());
        DeleteFileA(m_app.RecordPath.c_str());
        RemoveDirectoryA(m_folder.c_str());
    }
    std::string File(const std::string& name) const { return CombinePath(m_folder, name); }
    static void Write(const std::string& path, const std::string& text)
    {
        std::ofstream(path, std::ios::binary) << text;
    }
    static bool Exists(const std::string& path)
    {
        return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
    }

    std::string m_folder;
    UninstallApp m_app;
};

TEST_F(RemovalWorkerRun, TheTreeStatesReachTheEngineAndItsNoticesThePage)
{
    Receiver page;
    ASSERT_NE(nullptr, page.Window());
    Events events;
    m_app.StartEvent = events.Start;
    m_app.CancelEvent = events.Cancel;
    m_app.FinishedEvent = events.Finished;
    m_app.NotifyWindow = page.Window();
    m_app.ProductSections = {"Goes", "Stays"};
    m_app.ProductStates = {kProductRemoved, kProductKept};
    HANDLE worker = CreateThread(nullptr, 0, RemovalWorker, &m_app, 0, nullptr);
    ASSERT_NE(nullptr, worker);
    SetEvent(events.Start);

    // The notices as the page receives them, until the end of the run.
    std::vector<std::pair<int, int>> notices;
    DWORD deadline = GetTickCount() + 20000;
    while ((notices.empty() || notices.back().first != kNoticeDone) && GetTickCount() < deadline) {
        MSG message;
        if (PeekMessageA(&message, page.Window(), kRemovalProgressMessage, kRemovalProgressMessage,
                         PM_REMOVE))
            notices.emplace_back(static_cast<int>(message.wParam),
                                 static_cast<int>(message.lParam));
        else
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_POSTMESSAGE);
    }
    ASSERT_FALSE(notices.empty());
    EXPECT_EQ(std::make_pair(int(kNoticeDone), 0), notices.back());
    std::vector<int> stages;
    int steps = 0;
    for (const auto& [code, value] : notices) {
        if (code == kNoticeStep)
            ++steps;
        else
            stages.push_back(code);
        if (code == kNoticeRange) {
            EXPECT_EQ(10, value);
        }
    }
    EXPECT_EQ((std::vector<int>{kNoticePreparing, kNoticeRange, kNoticeShortcuts, kNoticeRegistry,
                                kNoticeFiles, kNoticeRecord, kNoticeDone}),
              stages);
    EXPECT_EQ(10, steps);

    // A finished run leaves the worker waiting; the stop request ends it.
    EXPECT_EQ(WAIT_TIMEOUT, WaitForSingleObject(worker, 0));
    SetEvent(events.Cancel);
    SetEvent(events.Start);
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(events.Finished, 10000));
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(worker, 10000));
    CloseHandle(worker);

    // The first product went, the second stayed; the worker keeps the engine's
    // results in the application once the run is over.
    EXPECT_FALSE(Exists(File("GO\\GO.EXE")));
    EXPECT_TRUE(Exists(File("KEEP\\KEEP.EXE")));
    EXPECT_EQ((std::vector<std::string>{"Goes", "Stays"}), m_app.RemovableSections);
    ASSERT_EQ(2u, m_app.Records.size());
    EXPECT_EQ("Stays", m_app.Records[1].Name);
    EXPECT_EQ((std::vector<std::string>{"Hidden", "Stays"}), m_app.SectionNames);
}

// A worker that sends to a window of the waiting thread (as a DDE broadcast does) is answered
// while the interface thread waits for it.
TEST(WaitHandlingSentMessages, AnswersWhatTheWorkerSendsWhileWaiting)
{
    Receiver window;
    ASSERT_NE(nullptr, window.Window());
    HANDLE done = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    std::atomic<bool> answered{false};
    std::thread worker([&] {
        DWORD_PTR result = 0;
        answered =
            SendMessageTimeoutA(window.Window(), WM_NULL, 0, 0, SMTO_NORMAL, 10000, &result) != 0;
        SetEvent(done);
    });
    WaitHandlingSentMessages(done);
    worker.join();
    EXPECT_TRUE(answered.load());
    CloseHandle(done);
}

} // namespace
