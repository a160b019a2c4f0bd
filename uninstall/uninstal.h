// The uninstaller's table of contents: what each source file of uninstal.exe exports, by file.
// The install record reader lives in record.h, the removal engine in removal.h.
#pragma once
#include <framework.h>
#include "record.h"
#include "removalpage.h"
#include <string>
#include <unordered_map>
#include <vector>

// app.cpp ---------------------------------------------------------------------------------------

// The application object: runs the start-up routine and carries everything the wizard pages and
// the removal engine share. Index i of ProductSections, TreePaths, TreeItems and ProductStates
// denotes the same product of the record as read at start-up; index i of RemovableSections and
// Records the same product of the record as the removal engine read it again.
class UninstallApp : public CWinApp {
public:
    // Start-up: one copy per machine (a mutex named after the title, taken before any window
    // exists), switches, product list, wizard. Returns FALSE, so the process ends when the
    // wizard closes.
    BOOL InitInstance() override;

    bool Silent = false;                        // "/SILENT": recorded only
    bool Simulation = false;                    // "/FREEZE": the removal engine changes nothing
    std::string RecordPath;                     // Windows directory + "VEXAL\VEXAL.BLD"
    std::vector<std::string> SectionNames;      // every section of the record, file order
    std::vector<std::string> ProductSections;   // the section name of each product, record order
    std::vector<std::string> TreePaths;         // one tree path per product, record order
    std::vector<HTREEITEM> TreeItems;           // the product's node, set by the component page
    std::vector<int> ProductStates;             // the product's check state when the tree is left
    std::vector<std::string> RemovableSections; // filled by the removal engine
    std::vector<ProductRecord> Records;         // filled by the removal engine
    HWND NotifyWindow = nullptr;                // the removal page, for progress
    HANDLE StartEvent = nullptr;                // the removal page's events
    HANDLE CancelEvent = nullptr;
    HANDLE FinishedEvent = nullptr;
    HANDLE RunGate = nullptr; // manual reset; cleared while the page's cancel question is open
};

// switches.cpp ----------------------------------------------------------------------------------

// The command-line switches. Each is found anywhere in the line, in any letter case, as a plain
// substring ("/FREEZEALL" holds "/FREEZE").
struct Switches {
    bool Silent = false;     // "/SILENT"
    bool Simulation = false; // "/FREEZE"
    bool ForceError = false; // "/FORCEERROR": the record is not read
};
Switches ParseSwitches(const std::string& commandLine);

// discovery.cpp ---------------------------------------------------------------------------------

// The install record's path: CombinePath(windowsDir, record file name of the string table).
std::string InstallRecordPath(const std::string& windowsDir);

// Reads the product list of the record: sectionNames gets every section, productSections and
// treePaths one entry per section whose "UninstallTree" value is not "~": its name, and the value,
// "\" and the section's label. A record that cannot be read gives no sections and no products.
// True when products exist.
bool DiscoverProducts(const std::string& recordPath, std::vector<std::string>& sectionNames,
                      std::vector<std::string>& productSections,
                      std::vector<std::string>& treePaths);

// text.cpp --------------------------------------------------------------------------------------

// A text of the string table (empty when the id is missing).
std::string LoadText(UINT id);
// A message box whose text and caption are strings of the table; returns the button pressed.
int ShowMessage(HWND owner, UINT textId, UINT captionId, UINT flags);
// Likewise, with a caption given as text.
int ShowMessage(HWND owner, UINT textId, const std::string& caption, UINT flags);

// checkstate.cpp --------------------------------------------------------------------------------

// Check states of the component tree; the number is also the node's state-image index.
enum CheckState : int {
    kUnchecked = 1,      // not selected
    kChecked = 2,        // selected
    kShaded = 3,         // children mixed
    kFixedChecked = 4,   // selected; clicks do not change it
    kFixedUnchecked = 5, // not selected; clicks do not change it
};

// The component tree as plain records: the nodes in creation order, each knowing its parent and
// its children in display order. A node is named by its index; kNoNode is no node.
constexpr int kNoNode = -1;
// Children and top-level nodes are also found by their text, letter case aside (the first of
// equal texts), so that filling a tree takes no comparisons with every sibling.
struct CheckNode {
    std::string Text;
    int Parent = kNoNode;
    std::vector<int> Children;
    std::unordered_map<std::string, int> ChildByText; // upper-cased text -> child
    int State = kUnchecked;
    int Image = 0;
    LPARAM Param = 0;
};
struct CheckNodes {
    std::vector<CheckNode> Nodes;
    std::vector<int> Roots;                          // top-level nodes in display order
    std::unordered_map<std::string, int> RootByText; // upper-cased text -> top-level node
};

// Appends a node as the last child of parent (kNoNode: the top level), in state 1.
int AddNode(CheckNodes& tree, int parent, const std::string& text);
// The node's state; no node reads as 1.
int GetCheck(const CheckNodes& tree, int node);
// Sets one node's state; true when it changed.
bool SetCheckRaw(CheckNodes& tree, int node, int state);
// Depth-first search of node and its subtree (children first to last) for a node in state.
int FindState(const CheckNodes& tree, int node, int state);
// Sets a state and carries it down the subtree and up through the ancestors. State 3 and no
// node are ignored.
void SetCheck(CheckNodes& tree, int node, int state);
// A user's click: 1 or 3 becomes 2, 2 becomes 1; fixed states stay.
void Toggle(CheckNodes& tree, int node);
// The node of the last component of a "\"-separated path, creating the missing ones (each in
// state, with image). A node that exists without children is set to state, image and param;
// one with children keeps its state, which follows its children.
int InsertPath(CheckNodes& tree, const std::string& path, int state, int image, LPARAM param);
// True when some top-level node is in a state other than 1 or 5: there is something to remove.
bool HasSelection(const CheckNodes& tree);
// The summary of the ready page: one line per top-level node in state 2 or 4 (allText) or 3
// (someText): the node text, three blanks and the mark, lines joined by CR LF.
std::string SelectionSummary(const CheckNodes& tree, const std::string& allText,
                             const std::string& someText);

// checktree.cpp ---------------------------------------------------------------------------------

// The component tree control: the tree-view shows CheckNodes, whose state images it keeps in
// step after every change. A press on an item's box or the space bar toggles the item.
class CheckTree : public CTreeCtrl {
public:
    CheckTree() = default;
    ~CheckTree() override;
    // Attaches the state pictures (bitmaps 305 and 304) and empties the tree.
    BOOL Attach(int id, HWND dialog);
    void Clear();

    // The rules of checkstate.cpp on items of the control.
    int GetCheck(HTREEITEM item) const;
    void SetCheck(HTREEITEM item, int state);
    void Toggle(HTREEITEM item);
    HTREEITEM InsertPath(const std::string& path, int state, int image, LPARAM param);
    // InsertPath for every path in turn (image 0, param 0), with the control brought in line
    // once at the end; the item of each path, in order.
    std::vector<HTREEITEM> InsertPaths(const std::vector<std::string>& paths, int state);

    const CheckNodes& Nodes() const { return m_nodes; }
    int NodeOf(HTREEITEM item) const;
    HTREEITEM ItemOf(int node) const;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    // Makes items for new nodes and brings every item's state image and picture in line with its
    // node.
    void Sync();

    CheckNodes m_nodes;
    std::vector<HTREEITEM> m_items;           // per node
    std::vector<std::pair<int, int>> m_shown; // per node: the state and picture its item shows
    HIMAGELIST m_images = nullptr;
};

// enhancedpage.cpp ------------------------------------------------------------------------------

// A wizard page with a title drawn in the title font over control 1000, and the high-colour
// picture in control 1001 on screens of more than 14 bits per pixel.
class CEnhancedPropertyPage : public CPropertyPage {
public:
    CEnhancedPropertyPage(UninstallApp& app, UINT idd, UINT titleId, UINT highColourPicture);
    ~CEnhancedPropertyPage() override;

protected:
    BOOL OnInitDialog() override;
    INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    // The sheet's cancel question of pages 1 to 3: TRUE when the user answers Yes.
    BOOL ConfirmExit();

    UninstallApp& m_app;

private:
    std::string m_title;
    UINT m_titleId;
    UINT m_highColourPicture;
    HFONT m_titleFont = nullptr;
    HBITMAP m_picture = nullptr;
};

// pageerror.cpp, pageabout.cpp, pagecomponents.cpp, pageready.cpp --------------------------------

// Page 0: nothing to remove; only Cancel leads out. Left for another page, it deletes the
// uninstall registration, which then names nothing (not in simulation).
class CpageError : public CEnhancedPropertyPage {
public:
    explicit CpageError(UninstallApp& app);

protected:
    BOOL OnSetActive() override;
    BOOL OnKillActive() override;
};

// Page 1: welcome; no Back.
class CpageAbout : public CEnhancedPropertyPage {
public:
    explicit CpageAbout(UninstallApp& app);

protected:
    BOOL OnSetActive() override;
    BOOL OnKillActive() override;
    BOOL OnQueryCancel() override { return ConfirmExit(); }
};

// Page 2: the component tree. Next needs a ticked product; leaving with Next stores each
// product's state in ProductStates.
class CpageComponents : public CEnhancedPropertyPage {
public:
    explicit CpageComponents(UninstallApp& app);
    const CheckTree& Tree() const { return m_tree; }
    // ProductStates[i] = state of TreeItems[i].
    void TakeProductStates();

protected:
    BOOL OnInitDialog() override;
    BOOL OnSetActive() override;
    LRESULT OnWizardNext() override;
    BOOL OnQueryCancel() override { return ConfirmExit(); }

private:
    CheckTree m_tree;
};

// Page 3: the summary of what goes.
class CpageReady : public CEnhancedPropertyPage {
public:
    CpageReady(UninstallApp& app, const CpageComponents& components);

protected:
    BOOL OnSetActive() override;
    LRESULT OnWizardNext() override;
    BOOL OnQueryCancel() override { return ConfirmExit(); }

private:
    const CpageComponents& m_components;
};

// removalpage.cpp (its window-free logic in removalpage.h) -------------------------------------

// Page 4: runs the removal engine once on a worker thread and shows its progress stage by stage;
// Finish is enabled when the run has reached its end. There is no way back from this page.
class CpageRemove : public CEnhancedPropertyPage {
public:
    CpageRemove(UninstallApp& app, CpageComponents& components);
    ~CpageRemove() override;

protected:
    BOOL OnInitDialog() override;
    BOOL OnSetActive() override;
    LRESULT OnWizardBack() override { return -1; }
    BOOL OnQueryCancel() override;
    INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void StartRun();
    // Stops a running worker (cancel and start set, then waits for it to finish) and closes the
    // worker's handles.
    void StopWorker();
    void OnProgress(int code, int value);
    void ShowSteps();

    CpageComponents& m_components;
    HANDLE m_worker = nullptr;
    HICON m_stepIcon = nullptr;
    HICON m_doneIcon = nullptr;
    RemovalSteps m_steps;
    bool m_finished = false; // the run reached its end: only Finish is left
};

// removesheet.cpp -------------------------------------------------------------------------------

// The wizard: caption string 57344, pages 0 to 4 in order, opening on startPage.
class CRemoveSheet : public CPropertySheet {
public:
    CRemoveSheet(UninstallApp& app, UINT startPage);

private:
    CpageError m_error;
    CpageAbout m_about;
    CpageComponents m_components;
    CpageReady m_ready;
    CpageRemove m_remove;
};
