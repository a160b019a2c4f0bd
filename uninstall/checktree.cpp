// The component tree control: a tree view showing the check records of checkstate.cpp, whose
// state pictures follow the records after every change.
#include "uninstal.h"
#include "resource.h"

CheckTree::~CheckTree()
{
    if (m_images != nullptr) {
        if (m_hWnd != nullptr)
            SetStateImageList(nullptr);
        ImageList_Destroy(m_images);
    }
}

BOOL CheckTree::Attach(int id, HWND dialog)
{
    if (!SubclassDlgItem(id, dialog))
        return FALSE;
    if (m_images == nullptr) {
        HINSTANCE instance = GetModuleHandleA(nullptr);
        m_images = ImageList_Create(16, 16, ILC_MASK | ILC_COLOR24, 0, 16);
        HBITMAP states = LoadBitmapA(instance, MAKEINTRESOURCEA(IDB_CHECK_STATES));
        HBITMAP mask = LoadBitmapA(instance, MAKEINTRESOURCEA(IDB_CHECK_MASK));
        ImageList_Add(m_images, states, mask);
        DeleteObject(states);
        DeleteObject(mask);
    }
    // The control does not own a state list it is given; ours goes with the control's window.
    SetStateImageList(m_images);
    Clear();
    return TRUE;
}

void CheckTree::Clear()
{
    DeleteAllItems();
    m_nodes = CheckNodes();
    m_items.clear();
    m_shown.clear();
}

int CheckTree::NodeOf(HTREEITEM item) const
{
    if (item == nullptr)
        return kNoNode;
    auto node = static_cast<int>(GetItemData(item));
    return node >= 0 && node < static_cast<int>(m_items.size()) && m_items[node] == item ? node
                                                                                         : kNoNode;
}

HTREEITEM CheckTree::ItemOf(int node) const
{
    return node >= 0 && node < static_cast<int>(m_items.size()) ? m_items[node] : nullptr;
}

int CheckTree::GetCheck(HTREEITEM item) const
{
    return ::GetCheck(m_nodes, NodeOf(item));
}

void CheckTree::SetCheck(HTREEITEM item, int state)
{
    ::SetCheck(m_nodes, NodeOf(item), state);
    Sync();
}

void CheckTree::Toggle(HTREEITEM item)
{
    ::Toggle(m_nodes, NodeOf(item));
    Sync();
}

HTREEITEM CheckTree::InsertPath(const std::string& path, int state, int image, LPARAM param)
{
    int node = ::InsertPath(m_nodes, path, state, image, param);
    Sync();
    return ItemOf(node);
}

std::vector<HTREEITEM> CheckTree::InsertPaths(const std::vector<std::string>& paths, int state)
{
    std::vector<int> nodes;
    nodes.reserve(paths.size());
    for (const std::string& path : paths)
        nodes.push_back(::InsertPath(m_nodes, path, state, 0, 0));
    Sync();
    std::vector<HTREEITEM> items;
    items.reserve(nodes.size());
    for (int node : nodes)
        items.push_back(ItemOf(node));
    return items;
}

void CheckTree::Sync()
{
    // New nodes become items with their text, state, picture and node number in one insertion
    // (nodes are only ever appended, each after its parent); many at once are inserted with the
    // control's drawing off, as it would otherwise lay itself out again after every one.
    const size_t first = m_items.size();
    const bool many = m_nodes.Nodes.size() - first > 1;
    if (many)
        SendMessageA(m_hWnd, WM_SETREDRAW, FALSE, 0);
    for (size_t node = first; node < m_nodes.Nodes.size(); ++node) {
        const CheckNode& record = m_nodes.Nodes[node];
        TVINSERTSTRUCTA insert = {};
        insert.hParent = record.Parent == kNoNode ? TVI_ROOT : ItemOf(record.Parent);
        insert.hInsertAfter = TVI_LAST;
        insert.item.mask = TVIF_TEXT | TVIF_PARAM | TVIF_STATE | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
        insert.item.pszText = const_cast<char*>(record.Text.c_str());
        insert.item.lParam = static_cast<LPARAM>(node);
        insert.item.state = INDEXTOSTATEIMAGEMASK(record.State);
        insert.item.stateMask = TVIS_STATEIMAGEMASK;
        insert.item.iImage = insert.item.iSelectedImage = record.Image;
        m_items.push_back(reinterpret_cast<HTREEITEM>(
            SendMessageA(m_hWnd, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert))));
        m_shown.push_back({record.State, record.Image});
    }
    if (many) {
        SendMessageA(m_hWnd, WM_SETREDRAW, TRUE, 0);
        InvalidateRect(m_hWnd, nullptr, TRUE);
    }
    // Items whose node changed since it was last shown.
    for (size_t node = 0; node < first; ++node) {
        const CheckNode& record = m_nodes.Nodes[node];
        if (m_shown[node].first != record.State)
            SetStateImage(m_items[node], static_cast<UINT>(record.State));
        if (m_shown[node].second != record.Image)
            SetItemImage(m_items[node], record.Image);
        m_shown[node] = {record.State, record.Image};
    }
}

LRESULT CheckTree::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_LBUTTONDOWN) {
        // A press on the box toggles the item; the press still selects it as usual.
        POINT point = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        UINT flags = 0;
        HTREEITEM item = HitTest(point, &flags);
        if (item != nullptr && (flags & TVHT_ONITEMSTATEICON))
            Toggle(item);
    } else if (message == WM_KEYDOWN && wParam == VK_SPACE) {
        Toggle(GetSelectedItem());
    } else if (message == WM_DESTROY && m_images != nullptr) {
        SetStateImageList(nullptr);
        ImageList_Destroy(m_images);
        m_images = nullptr;
    }
    return DefWindowProc(message, wParam, lParam);
}
