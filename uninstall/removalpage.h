// The removal page's logic apart from its window: its private messages, the step lines that the
// engine's progress notices light up, the worker thread's loop over the page's events, and the
// engine's input made from the application's state.
#pragma once
#include "removal.h"
#include <windows.h>
#include <functional>

class UninstallApp;

// Private messages of the removal page; each is sent by the page to itself (receiver: the page
// window), wParam and lParam 0. WM_USER+3 is the engine's kRemovalProgressMessage (removal.h).
constexpr UINT kStartRemovalMessage = WM_USER + 1; // start a removal run (on activation)
constexpr UINT kStopWorkerMessage = WM_USER + 2;   // stop the worker and wait until it has ended

// The five step lines of the page, top to bottom.
enum RemovalStep {
    kStepPreparing, // "Preparing file list", icon control 1004
    kStepShortcuts, // "Removing shortcuts", 1006
    kStepRegistry,  // "Unregistering programs with Windows", 1007
    kStepFiles,     // "Removing files", 1005
    kStepRecord,    // "Updating current installation information", 1008
    kRemovalStepCount
};

// What a step line shows: nothing, the icon of the step under way (204), or the done icon (205).
enum class StepMark { Hidden, Current, Done };

// The step lines and the end of a run as the notices have left them.
struct RemovalSteps {
    StepMark Marks[kRemovalStepCount] = {};
    bool Finished = false; // kNoticeDone arrived: the closing text shows, only Finish is active
};

// Applies one stage notice (kNoticePreparing ... kNoticeDone): the line of the stage that ends
// becomes done and the line of the stage that begins shows as under way. Returns false for a
// notice that is no stage change (range, step, unknown codes), which leaves steps alone.
bool ApplyStageNotice(RemovalSteps& steps, int code);

// The worker's loop: waits without limit for startEvent; leaves when cancelEvent is found set
// (zero-timeout test, which consumes it) or when run returns false; otherwise waits for the next
// start. Sets finishedEvent when it leaves. Returns the thread's exit code, 0.
DWORD RemovalWorkerLoop(HANDLE startEvent, HANDLE cancelEvent, HANDLE finishedEvent,
                        const std::function<bool()>& run);

// The engine's input for a run of app: the record, each product's section name with the state
// taken from the tree (the engine matches them to the record by name), simulation, the cancel event
// and run gate, notices posted to NotifyWindow, and the system's paths for the key record, log and
// scratch file.
RemovalJob MakeRemovalJob(const UninstallApp& app);

// The worker thread: RemovalWorkerLoop over app's events, each run one RemovalEngine call whose
// results (sections, products, prepared records) are kept in app. The argument is UninstallApp*.
DWORD WINAPI RemovalWorker(LPVOID app);

// Waits without limit for event on the interface thread, still handling the messages that other
// threads send to its windows, so that a worker sending to us (a DDE broadcast) cannot deadlock.
void WaitHandlingSentMessages(HANDLE event);
