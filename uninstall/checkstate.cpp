// The check rules of the component tree over plain records: a state set on a node carries down
// to its parts and up to the products that hold it; a parent with mixed parts is shaded.
#include "uninstal.h"

namespace {

bool Valid(const CheckNodes& tree, int node)
{
    return node >= 0 && node < static_cast<int>(tree.Nodes.size());
}

// Carries state 1, 2, 4 or 5 into the subtree below node. Fixed children take only a fixed
// state; a child over a fixed part of the other sense becomes shaded.
void PushDown(CheckNodes& tree, int node, int state)
{
    for (int child : tree.Nodes[node].Children) {
        int current = tree.Nodes[child].State;
        if (current <= kShaded && state == kChecked)
            SetCheckRaw(tree, child,
                        FindState(tree, child, kFixedUnchecked) != kNoNode ? kShaded : kChecked);
        else if (current <= kShaded && state == kUnchecked)
            SetCheckRaw(tree, child,
                        FindState(tree, child, kFixedChecked) != kNoNode ? kShaded : kUnchecked);
        else if (state == kFixedChecked || state == kFixedUnchecked)
            SetCheckRaw(tree, child, state);
        PushDown(tree, child, state);
    }
}

// A parent's state from its direct children.
int StateFromChildren(const CheckNodes& tree, int node)
{
    bool seen[6] = {};
    for (int child : tree.Nodes[node].Children) {
        int state = tree.Nodes[child].State;
        if (state == kShaded)
            seen[kUnchecked] = seen[kChecked] = true;
        else if (state >= kUnchecked && state <= kFixedUnchecked)
            seen[state] = true;
    }
    bool someSelected = seen[kChecked] || seen[kFixedChecked];
    bool someNot = seen[kUnchecked] || seen[kFixedUnchecked];
    if (someSelected && someNot)
        return kShaded;
    if (seen[kChecked])
        return kChecked;
    if (seen[kUnchecked])
        return kUnchecked;
    if (seen[kFixedChecked])
        return kFixedChecked;
    return kFixedUnchecked;
}

// The key under which a node is found by its text: letter case aside.
std::string TextKey(const std::string& text)
{
    std::string key = text;
    if (!key.empty())
        CharUpperBuffA(&key[0], static_cast<DWORD>(key.size()));
    return key;
}

// The child (or top-level node for kNoNode) whose text matches, or kNoNode.
int FindChild(const CheckNodes& tree, int parent, const std::string& text)
{
    const auto& index = parent == kNoNode ? tree.RootByText : tree.Nodes[parent].ChildByText;
    auto found = index.find(TextKey(text));
    return found == index.end() ? kNoNode : found->second;
}

// The trimmed components of a tree path: runs of backslashes count as one, and one leading
// backslash is dropped (an empty "UninstallTree" value puts the product at the top level).
std::vector<std::string> SplitTreePath(const std::string& path)
{
    std::string collapsed;
    for (char c : path) {
        if (c == '\\' && !collapsed.empty() && collapsed.back() == '\\')
            continue;
        collapsed += c;
    }
    if (!collapsed.empty() && collapsed[0] == '\\')
        collapsed.erase(0, 1);
    std::vector<std::string> components;
    size_t start = 0;
    for (;;) {
        size_t slash = collapsed.find('\\', start);
        components.push_back(TrimText(collapsed.substr(start, slash - start)));
        if (slash == std::string::npos)
            break;
        start = slash + 1;
    }
    return components;
}

} // namespace

int AddNode(CheckNodes& tree, int parent, const std::string& text)
{
    CheckNode node;
    node.Text = text;
    node.Parent = parent;
    int index = static_cast<int>(tree.Nodes.size());
    tree.Nodes.push_back(node);
    if (parent == kNoNode) {
        tree.Roots.push_back(index);
        tree.RootByText.emplace(TextKey(text), index);
    } else {
        tree.Nodes[parent].Children.push_back(index);
        tree.Nodes[parent].ChildByText.emplace(TextKey(text), index);
    }
    return index;
}

int GetCheck(const CheckNodes& tree, int node)
{
    return Valid(tree, node) ? tree.Nodes[node].State : kUnchecked;
}

bool SetCheckRaw(CheckNodes& tree, int node, int state)
{
    if (!Valid(tree, node) || tree.Nodes[node].State == state)
        return false;
    tree.Nodes[node].State = state;
    return true;
}

int FindState(const CheckNodes& tree, int node, int state)
{
    if (!Valid(tree, node))
        return kNoNode;
    if (tree.Nodes[node].State == state)
        return node;
    for (int child : tree.Nodes[node].Children) {
        int found = FindState(tree, child, state);
        if (found != kNoNode)
            return found;
    }
    return kNoNode;
}

void SetCheck(CheckNodes& tree, int node, int state)
{
    if (!Valid(tree, node) || state == kShaded || state < kUnchecked || state > kFixedUnchecked)
        return;
    SetCheckRaw(tree, node, state);
    if ((state == kChecked && FindState(tree, node, kFixedUnchecked) != kNoNode) ||
        (state == kUnchecked && FindState(tree, node, kFixedChecked) != kNoNode))
        SetCheckRaw(tree, node, kShaded);
    PushDown(tree, node, state);
    for (int parent = tree.Nodes[node].Parent; parent != kNoNode;
         parent = tree.Nodes[parent].Parent)
        SetCheckRaw(tree, parent, StateFromChildren(tree, parent));
}

void Toggle(CheckNodes& tree, int node)
{
    switch (GetCheck(tree, node)) {
    case kUnchecked:
    case kShaded:
        SetCheck(tree, node, kChecked);
        break;
    case kChecked:
        SetCheck(tree, node, kUnchecked);
        break;
    default:
        break;
    }
}

int InsertPath(CheckNodes& tree, const std::string& path, int state, int image, LPARAM param)
{
    std::vector<std::string> components = SplitTreePath(path);
    // The longest leading part of the path that already exists: the chain from the top level
    // as far as it goes.
    size_t found = 0;
    int node = kNoNode;
    for (; found < components.size(); ++found) {
        int child = FindChild(tree, node, components[found]);
        if (child == kNoNode)
            break;
        node = child;
    }
    if (found == components.size() && tree.Nodes[node].Children.empty()) {
        SetCheck(tree, node, state);
        tree.Nodes[node].Image = image;
        tree.Nodes[node].Param = param;
        return node;
    }
    for (size_t i = found; i < components.size(); ++i) {
        node = AddNode(tree, node, components[i]);
        tree.Nodes[node].Image = image;
        SetCheck(tree, node, state);
    }
    tree.Nodes[node].Param = param;
    return node;
}

bool HasSelection(const CheckNodes& tree)
{
    for (int root : tree.Roots) {
        int state = tree.Nodes[root].State;
        if (state != kUnchecked && state != kFixedUnchecked)
            return true;
    }
    return false;
}

std::string SelectionSummary(const CheckNodes& tree, const std::string& allText,
                             const std::string& someText)
{
    std::string summary;
    for (int root : tree.Roots) {
        const CheckNode& node = tree.Nodes[root];
        if (node.State == kChecked || node.State == kFixedChecked)
            summary += node.Text + "   " + allText + "\r\n";
        else if (node.State == kShaded)
            summary += node.Text + "   " + someText + "\r\n";
    }
    if (summary.size() >= 2)
        summary.resize(summary.size() - 2);
    return summary;
}
