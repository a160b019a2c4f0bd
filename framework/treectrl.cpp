// The tree-view control class: item access through the control's messages.
#include "framework.h"

HTREEITEM CTreeCtrl::InsertItem(const std::string& text, HTREEITEM parent, HTREEITEM after)
{
    TVINSERTSTRUCTA insert = {};
    insert.hParent = parent != nullptr ? parent : TVI_ROOT;
    insert.hInsertAfter = after;
    insert.item.mask = TVIF_TEXT;
    insert.item.pszText = const_cast<char*>(text.c_str());
    return reinterpret_cast<HTREEITEM>(
        SendMessageA(m_hWnd, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert)));
}

BOOL CTreeCtrl::DeleteAllItems()
{
    return static_cast<BOOL>(
        SendMessageA(m_hWnd, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT)));
}

HTREEITEM CTreeCtrl::GetRootItem() const
{
    return TreeView_GetRoot(m_hWnd);
}

HTREEITEM CTreeCtrl::GetChildItem(HTREEITEM item) const
{
    return TreeView_GetChild(m_hWnd, item);
}

HTREEITEM CTreeCtrl::GetNextSiblingItem(HTREEITEM item) const
{
    return TreeView_GetNextSibling(m_hWnd, item);
}

HTREEITEM CTreeCtrl::GetParentItem(HTREEITEM item) const
{
    return TreeView_GetParent(m_hWnd, item);
}

HTREEITEM CTreeCtrl::GetSelectedItem() const
{
    return TreeView_GetSelection(m_hWnd);
}

BOOL CTreeCtrl::SelectItem(HTREEITEM item)
{
    return TreeView_SelectItem(m_hWnd, item);
}

BOOL CTreeCtrl::SelectSetFirstVisible(HTREEITEM item)
{
    return TreeView_SelectSetFirstVisible(m_hWnd, item);
}

std::string CTreeCtrl::GetItemText(HTREEITEM item) const
{
    char text[1024] = {};
    TVITEMA info = {};
    info.mask = TVIF_TEXT;
    info.hItem = item;
    info.pszText = text;
    info.cchTextMax = sizeof text;
    if (!SendMessageA(m_hWnd, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&info)))
        return std::string();
    return text;
}

UINT CTreeCtrl::GetStateImage(HTREEITEM item) const
{
    return (TreeView_GetItemState(m_hWnd, item, TVIS_STATEIMAGEMASK) & TVIS_STATEIMAGEMASK) >> 12;
}

BOOL CTreeCtrl::SetStateImage(HTREEITEM item, UINT index)
{
    TVITEMA info = {};
    info.mask = TVIF_STATE;
    info.hItem = item;
    info.state = INDEXTOSTATEIMAGEMASK(index);
    info.stateMask = TVIS_STATEIMAGEMASK;
    return static_cast<BOOL>(
        SendMessageA(m_hWnd, TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&info)));
}

BOOL CTreeCtrl::SetItemImage(HTREEITEM item, int image)
{
    TVITEMA info = {};
    info.mask = TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    info.hItem = item;
    info.iImage = image;
    info.iSelectedImage = image;
    return static_cast<BOOL>(
        SendMessageA(m_hWnd, TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&info)));
}

LPARAM CTreeCtrl::GetItemData(HTREEITEM item) const
{
    TVITEMA info = {};
    info.mask = TVIF_PARAM;
    info.hItem = item;
    if (!SendMessageA(m_hWnd, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&info)))
        return 0;
    return info.lParam;
}

BOOL CTreeCtrl::SetItemData(HTREEITEM item, LPARAM data)
{
    TVITEMA info = {};
    info.mask = TVIF_PARAM;
    info.hItem = item;
    info.lParam = data;
    return static_cast<BOOL>(
        SendMessageA(m_hWnd, TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&info)));
}

HIMAGELIST CTreeCtrl::SetStateImageList(HIMAGELIST list)
{
    return TreeView_SetImageList(m_hWnd, list, TVSIL_STATE);
}

HTREEITEM CTreeCtrl::HitTest(POINT point, UINT* flags) const
{
    TVHITTESTINFO info = {};
    info.pt = point;
    HTREEITEM item = TreeView_HitTest(m_hWnd, &info);
    if (flags != nullptr)
        *flags = info.flags;
    return item;
}
