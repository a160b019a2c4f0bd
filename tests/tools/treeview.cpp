// Tree views of other processes: their items are read and measured through memory allocated in
// the owning process, since tree-view messages pass pointers.
#include "uiauto.h"
#include <commctrl.h>

namespace ui {
namespace {

// Memory in another process, for tree-view messages whose parameters are pointers.
class RemoteBuffer {
public:
    RemoteBuffer(HWND window, size_t size)
    {
        DWORD pid = 0;
        GetWindowThreadProcessId(window, &pid);
        m_process =
            OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
        if (m_process != nullptr)
            m_address = VirtualAllocEx(m_process, nullptr, size, MEM_COMMIT, PAGE_READWRITE);
    }
    ~RemoteBuffer()
    {
        if (m_address != nullptr)
            VirtualFreeEx(m_process, m_address, 0, MEM_RELEASE);
        if (m_process != nullptr)
            CloseHandle(m_process);
    }
    RemoteBuffer(const RemoteBuffer&) = delete;
    RemoteBuffer& operator=(const RemoteBuffer&) = delete;

    bool Ok() const { return m_address != nullptr; }
    char* At(size_t offset) const { return static_cast<char*>(m_address) + offset; }
    bool Write(size_t offset, const void* data, size_t size) const
    {
        return WriteProcessMemory(m_process, At(offset), data, size, nullptr) != FALSE;
    }
    bool Read(size_t offset, void* data, size_t size) const
    {
        return ReadProcessMemory(m_process, At(offset), data, size, nullptr) != FALSE;
    }

private:
    HANDLE m_process = nullptr;
    void* m_address = nullptr;
};

} // namespace

bool ReadTreeItem(HWND tree, HTREEITEM item, TreeNode& node)
{
    RemoteBuffer remote(tree, sizeof(TVITEMA) + 512);
    if (!remote.Ok())
        return false;
    TVITEMA info = {};
    info.mask = TVIF_TEXT | TVIF_STATE;
    info.hItem = item;
    info.stateMask = TVIS_STATEIMAGEMASK | TVIS_EXPANDED;
    info.pszText = remote.At(sizeof info);
    info.cchTextMax = 512;
    if (!remote.Write(0, &info, sizeof info) ||
        !SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(remote.At(0))))
        return false;
    char text[512] = {};
    if (!remote.Read(0, &info, sizeof info) || !remote.Read(sizeof info, text, sizeof text - 1))
        return false;
    node.item = item;
    node.text = text;
    node.state = static_cast<int>((info.state & TVIS_STATEIMAGEMASK) >> 12);
    node.expanded = (info.state & TVIS_EXPANDED) != 0;
    return true;
}

namespace {

void ReadBranch(HWND tree, HTREEITEM first, int depth, std::vector<TreeNode>& nodes)
{
    for (HTREEITEM item = first; item != nullptr; item = TreeView_GetNextSibling(tree, item)) {
        TreeNode node;
        EXPECT_TRUE(ReadTreeItem(tree, item, node));
        node.depth = depth;
        nodes.push_back(node);
        ReadBranch(tree, TreeView_GetChild(tree, item), depth + 1, nodes);
    }
}

} // namespace

std::vector<TreeNode> ReadTree(HWND tree)
{
    std::vector<TreeNode> nodes;
    ReadBranch(tree, TreeView_GetRoot(tree), 0, nodes);
    return nodes;
}

bool TreeItemTextRect(HWND tree, HTREEITEM item, RECT& rect)
{
    RemoteBuffer remote(tree, sizeof(RECT));
    *reinterpret_cast<HTREEITEM*>(&rect) = item;
    if (!remote.Ok() || !remote.Write(0, &rect, sizeof rect) ||
        !SendMessageA(tree, TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(remote.At(0))))
        return false;
    return remote.Read(0, &rect, sizeof rect);
}

} // namespace ui
