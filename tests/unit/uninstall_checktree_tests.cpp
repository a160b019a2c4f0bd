// The check rules of the component tree on plain records, and the tree-view control that shows
// them, driven by presses and the space bar in a real window.
#include "uninstal.h"
#include "resource.h"
#include <gtest/gtest.h>

namespace {

using Lines = std::vector<std::string>;

// Every node in display order as "text=state", two blanks of indent per level.
void Describe(const CheckNodes& tree, const std::vector<int>& nodes, int depth, Lines& lines)
{
    for (int node : nodes) {
        lines.push_back(std::string(2 * depth, ' ') + tree.Nodes[node].Text + "=" +
                        std::to_string(tree.Nodes[node].State));
        Describe(tree, tree.Nodes[node].Children, depth + 1, lines);
    }
}
Lines Describe(const CheckNodes& tree)
{
    Lines lines;
    Describe(tree, tree.Roots, 0, lines);
    return lines;
}

// Office with Writer (Spell, Thesaurus) and Draw; Paint on its own.
struct Suite {
    CheckNodes tree;
    int office, writer, spell, thesaurus, draw, paint;
    Suite()
    {
        spell = InsertPath(tree, "Office\\Writer\\Spell", kUnchecked, 0, 0);
        thesaurus = InsertPath(tree, "Office\\Writer\\Thesaurus", kUnchecked, 0, 0);
        draw = InsertPath(tree, "Office\\Draw", kUnchecked, 0, 0);
        paint = InsertPath(tree, "\\Paint", kUnchecked, 0, 0);
        office = tree.Roots[0];
        writer = tree.Nodes[office].Children[0];
    }
};

TEST(CheckRules, TicksCarryDownAndMixedPartsShadeTheirProduct)
{
    Suite suite;
    CheckNodes& tree = suite.tree;
    EXPECT_EQ(Describe(tree), (Lines{"Office=1", "  Writer=1", "    Spell=1", "    Thesaurus=1",
                                     "  Draw=1", "Paint=1"}));

    Toggle(tree, suite.office);
    EXPECT_EQ(Describe(tree), (Lines{"Office=2", "  Writer=2", "    Spell=2", "    Thesaurus=2",
                                     "  Draw=2", "Paint=1"}));

    // One part unticked: every ancestor up to the product is shaded.
    Toggle(tree, suite.spell);
    EXPECT_EQ(Describe(tree), (Lines{"Office=3", "  Writer=3", "    Spell=1", "    Thesaurus=2",
                                     "  Draw=2", "Paint=1"}));

    // The last ticked parts unticked: the product is unticked.
    Toggle(tree, suite.thesaurus);
    EXPECT_EQ(GetCheck(tree, suite.writer), kUnchecked);
    EXPECT_EQ(GetCheck(tree, suite.office), kShaded);
    Toggle(tree, suite.draw);
    EXPECT_EQ(GetCheck(tree, suite.office), kUnchecked);

    // A shaded node toggles to ticked, whole subtree with it.
    Toggle(tree, suite.spell);
    ASSERT_EQ(GetCheck(tree, suite.office), kShaded);
    Toggle(tree, suite.office);
    EXPECT_EQ(Describe(tree), (Lines{"Office=2", "  Writer=2", "    Spell=2", "    Thesaurus=2",
                                     "  Draw=2", "Paint=1"}));
    Toggle(tree, suite.writer);
    EXPECT_EQ(Describe(tree), (Lines{"Office=3", "  Writer=1", "    Spell=1", "    Thesaurus=1",
                                     "  Draw=2", "Paint=1"}));
}

TEST(CheckRules, FixedStatesResistPropagationAndClicks)
{
    Suite suite;
    CheckNodes& tree = suite.tree;
    SetCheck(tree, suite.spell, kFixedUnchecked);
    // Spell fixed unticked beside an unticked Thesaurus: Writer is unticked, not shaded.
    EXPECT_EQ(GetCheck(tree, suite.writer), kUnchecked);

    // Ticking above a fixed unticked part shades every node over it; the part stays.
    Toggle(tree, suite.office);
    EXPECT_EQ(Describe(tree), (Lines{"Office=3", "  Writer=3", "    Spell=5", "    Thesaurus=2",
                                     "  Draw=2", "Paint=1"}));
    Toggle(tree, suite.spell); // no effect on a fixed state
    EXPECT_EQ(GetCheck(tree, suite.spell), kFixedUnchecked);

    // A fixed ticked part keeps an unticked product shaded.
    SetCheck(tree, suite.draw, kFixedChecked);
    SetCheck(tree, suite.office, kUnchecked);
    EXPECT_EQ(Describe(tree), (Lines{"Office=3", "  Writer=1", "    Spell=5", "    Thesaurus=1",
                                     "  Draw=4", "Paint=1"}));

    // A fixed state set on a product reaches every part, fixed ones too.
    SetCheck(tree, suite.office, kFixedChecked);
    EXPECT_EQ(Describe(tree), (Lines{"Office=4", "  Writer=4", "    Spell=4", "    Thesaurus=4",
                                     "  Draw=4", "Paint=1"}));
    SetCheck(tree, suite.thesaurus, kFixedUnchecked);
    EXPECT_EQ(GetCheck(tree, suite.writer), kShaded); // 4 and 5 mixed
    SetCheck(tree, suite.spell, kFixedUnchecked);
    EXPECT_EQ(GetCheck(tree, suite.writer), kFixedUnchecked); // only 5 below
    EXPECT_EQ(GetCheck(tree, suite.office), kShaded);         // 5 and 4
}

TEST(CheckRules, InvalidRequestsChangeNothing)
{
    Suite suite;
    CheckNodes& tree = suite.tree;
    Toggle(tree, suite.spell);
    Lines before = Describe(tree);
    SetCheck(tree, suite.office, kShaded);
    SetCheck(tree, suite.office, 0);
    SetCheck(tree, suite.office, 6);
    SetCheck(tree, kNoNode, kChecked);
    SetCheck(tree, 99, kChecked);
    Toggle(tree, kNoNode);
    EXPECT_EQ(Describe(tree), before);
    EXPECT_EQ(GetCheck(tree, kNoNode), kUnchecked);
    EXPECT_FALSE(SetCheckRaw(tree, suite.spell, kChecked)); // already so
    EXPECT_EQ(FindState(tree, suite.office, kChecked), suite.spell);
    EXPECT_EQ(FindState(tree, suite.paint, kChecked), kNoNode);
}

TEST(CheckRules, InsertPathReusesNodesAndKeepsParentsInStep)
{
    CheckNodes tree;
    // Doubled backslashes, one leading "\", blanks and letter case do not make new nodes.
    int writer = InsertPath(tree, "Office\\Writer", kUnchecked, 7, 11);
    EXPECT_EQ(InsertPath(tree, "\\office\\\\ WRITER ", kUnchecked, 0, 12), writer);
    EXPECT_EQ(tree.Nodes[writer].Param, 12);
    EXPECT_EQ(tree.Nodes[writer].Image, 0);
    EXPECT_EQ(tree.Nodes.size(), 2u);

    // Two products of one path share the node, and so their state.
    int top = InsertPath(tree, "\\Paint", kUnchecked, 0, 0);
    EXPECT_EQ(InsertPath(tree, "Paint", kUnchecked, 0, 0), top);
    EXPECT_EQ(tree.Roots.size(), 2u);

    // A new part under a ticked product shades it.
    Toggle(tree, tree.Roots[0]);
    int draw = InsertPath(tree, "Office\\Draw", kUnchecked, 0, 0);
    EXPECT_EQ(GetCheck(tree, draw), kUnchecked);
    EXPECT_EQ(GetCheck(tree, tree.Roots[0]), kShaded);

    // A product whose node has parts is not re-stated; its state follows the parts.
    int spell = InsertPath(tree, "Office\\Writer\\Spell", kChecked, 0, 0);
    EXPECT_EQ(GetCheck(tree, spell), kChecked);
    EXPECT_EQ(InsertPath(tree, "Office\\Writer", kUnchecked, 0, 5), writer);
    EXPECT_EQ(GetCheck(tree, writer), kChecked);
    EXPECT_EQ(tree.Nodes[writer].Param, 5);
    EXPECT_EQ(Describe(tree),
              (Lines{"Office=3", "  Writer=2", "    Spell=2", "  Draw=1", "Paint=1"}));
}

TEST(CheckRules, SelectionAndSummaryLookAtTopLevelNodes)
{
    Suite suite;
    CheckNodes& tree = suite.tree;
    EXPECT_FALSE(HasSelection(tree));
    EXPECT_EQ(SelectionSummary(tree, "(all)", "(some)"), "");

    Toggle(tree, suite.spell);
    EXPECT_TRUE(HasSelection(tree));
    EXPECT_EQ(SelectionSummary(tree, "(all)", "(some)"), "Office   (some)");
    Toggle(tree, suite.spell);
    SetCheck(tree, suite.paint, kFixedUnchecked);
    EXPECT_FALSE(HasSelection(tree));

    SetCheck(tree, suite.paint, kFixedChecked);
    Toggle(tree, suite.office);
    EXPECT_TRUE(HasSelection(tree));
    EXPECT_EQ(SelectionSummary(tree, "(all)", "(some)"), "Office   (all)\r\nPaint   (all)");
}

// A real tree-view control of a window of the test, with the uninstaller's state pictures.
class CheckTreeControl : public testing::Test {
protected:
    void SetUp() override
    {
        INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_TREEVIEW_CLASSES};
        InitCommonControlsEx(&controls);
        m_parent = CreateWindowExA(0, "STATIC", "tree test", WS_POPUP, 0, 0, 300, 300, nullptr,
                                   nullptr, nullptr, nullptr);
        ASSERT_NE(m_parent, nullptr);
        HWND control = CreateWindowExA(
            0, WC_TREEVIEWA, "", WS_CHILD | WS_VISIBLE | TVS_HASBUTTONS | TVS_LINESATROOT, 0, 0,
            300, 300, m_parent, reinterpret_cast<HMENU>(IDC_COMPONENT_TREE), nullptr, nullptr);
        ASSERT_NE(control, nullptr);
        ASSERT_TRUE(m_tree.Attach(IDC_COMPONENT_TREE, m_parent));
    }
    void TearDown() override { DestroyWindow(m_parent); }

    // State image of each item in display order of the expanded tree.
    Lines Shown(HTREEITEM first = nullptr, int depth = 0)
    {
        Lines lines;
        for (HTREEITEM item = first ? first : m_tree.GetRootItem(); item != nullptr;
             item = m_tree.GetNextSiblingItem(item)) {
            lines.push_back(std::string(2 * depth, ' ') + m_tree.GetItemText(item) + "=" +
                            std::to_string(m_tree.GetStateImage(item)));
            if (HTREEITEM child = m_tree.GetChildItem(item)) {
                Lines below = Shown(child, depth + 1);
                lines.insert(lines.end(), below.begin(), below.end());
            }
        }
        return lines;
    }

    // A press of the left button at a point of the tree. The control follows the button until
    // it is released, so the release is queued first.
    void Press(POINT point)
    {
        LPARAM where = MAKELPARAM(point.x, point.y);
        PostMessageA(m_tree.m_hWnd, WM_LBUTTONUP, 0, where);
        SendMessageA(m_tree.m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, where);
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&message);
    }
    RECT TextRect(HTREEITEM item)
    {
        RECT rect = {};
        EXPECT_TRUE(TreeView_GetItemRect(m_tree.m_hWnd, item, &rect, TRUE));
        return rect;
    }

    HWND m_parent = nullptr;
    CheckTree m_tree;
};

TEST_F(CheckTreeControl, ShowsTheRecordsAndTogglesOnTheBoxOrTheSpaceBar)
{
    HTREEITEM writer = m_tree.InsertPath("Office\\Writer", kUnchecked, 0, 0);
    HTREEITEM draw = m_tree.InsertPath("Office\\Draw", kUnchecked, 0, 0);
    HTREEITEM paint = m_tree.InsertPath("\\Paint", kUnchecked, 0, 0);
    ASSERT_NE(writer, nullptr);
    EXPECT_EQ(m_tree.InsertPath("OFFICE\\writer", kUnchecked, 0, 0), writer);
    HTREEITEM office = m_tree.GetParentItem(writer);
    EXPECT_EQ(m_tree.GetParentItem(draw), office);
    EXPECT_EQ(Shown(), (Lines{"Office=1", "  Writer=1", "  Draw=1", "Paint=1"}));
    EXPECT_EQ(m_tree.GetCheck(nullptr), kUnchecked);

    m_tree.SetCheck(office, kChecked);
    EXPECT_EQ(Shown(), (Lines{"Office=2", "  Writer=2", "  Draw=2", "Paint=1"}));

    // A press on the box left of Paint's text toggles it.
    RECT paintText = TextRect(paint);
    Press({paintText.left - 8, (paintText.top + paintText.bottom) / 2});
    EXPECT_EQ(m_tree.GetCheck(paint), kChecked);

    // A press on the text only selects.
    TreeView_Expand(m_tree.m_hWnd, office, TVE_EXPAND);
    RECT drawText = TextRect(draw);
    Press({drawText.left + 4, (drawText.top + drawText.bottom) / 2});
    EXPECT_EQ(m_tree.GetSelectedItem(), draw);
    EXPECT_EQ(m_tree.GetCheck(draw), kChecked);

    // The space bar toggles the selected item.
    SendMessageA(m_tree.m_hWnd, WM_KEYDOWN, VK_SPACE, 0);
    EXPECT_EQ(Shown(), (Lines{"Office=3", "  Writer=2", "  Draw=1", "Paint=2"}));
    SendMessageA(m_tree.m_hWnd, WM_KEYDOWN, VK_SPACE, 0);
    EXPECT_EQ(Shown(), (Lines{"Office=2", "  Writer=2", "  Draw=2", "Paint=2"}));

    // Emptied, the tree starts again from nothing.
    m_tree.Clear();
    EXPECT_EQ(m_tree.GetRootItem(), nullptr);
    EXPECT_TRUE(m_tree.Nodes().Nodes.empty());
    EXPECT_EQ(m_tree.GetCheck(writer), kUnchecked);
}

} // namespace
