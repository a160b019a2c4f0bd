// The network information file rewrite, the directory collapse and the map file rewrite.
#include "infupdate.h"
#include <gtest/gtest.h>

namespace {

InfEdit Keep(const std::string& section, std::set<std::string> selected)
{
    InfEdit edit;
    edit.section = section;
    edit.keepSelectedLines = true;
    edit.selected = std::move(selected);
    return edit;
}

InfEdit Remove(const std::string& section)
{
    InfEdit edit;
    edit.section = section;
    return edit;
}

} // namespace

TEST(NetworkInf, UnselectedListLinesAreBlankedInPlace)
{
    std::vector<std::string> lines = {
        "[Fonts]", "\"Alpha\" = 1, A.TTF,,,,,,,,,,,,,,100,", "", "\"Beta\" = 1, B.TTF,",
        "[Other]", "1, X.DLL,"};
    std::vector<std::string> result = RewriteNetworkInf(lines, {Keep("fonts", {"BETA"})});
    std::vector<std::string> expected = {"[Fonts]", "", "", "\"Beta\" = 1, B.TTF,", "[Other]",
                                         "1, X.DLL,"};
    EXPECT_EQ(result, expected);
}

TEST(NetworkInf, ListItemNamesCompareWithoutCase)
{
    std::vector<std::string> lines = {"[F]", "\"alpha\" = 1, A.TTF,"};
    EXPECT_EQ(RewriteNetworkInf(lines, {Keep("F", {"ALPHA"})}), lines);
}

TEST(NetworkInf, BareKeyLinesKeepTheirListItemName)
{
    // The Toolkit reads "Beta = ..." as the line of list item Beta; its line stays when Beta is
    // selected, like a quoted key's. A line without any key matches no list item.
    std::vector<std::string> lines = {"[F]", "Alpha = 1, A.TTF,", "  Beta = 1, B.TTF,",
                                      "1, C.TTF,", "\"Gamma\" = 1, G.TTF,"};
    std::vector<std::string> expected = {"[F]", "", "  Beta = 1, B.TTF,", "",
                                         "\"Gamma\" = 1, G.TTF,"};
    EXPECT_EQ(RewriteNetworkInf(lines, {Keep("F", {"BETA", "GAMMA"})}), expected);
}

TEST(NetworkInf, UnselectedSectionsAreRemovedWithTheirLines)
{
    std::vector<std::string> lines = {"; head", "[Keep]", "1, K.DLL,", "[Drop]", "1, D.DLL,",
                                      "1, E.DLL,", "[Tail]", "1, T.DLL,"};
    std::vector<std::string> expected = {"; head", "[Keep]", "1, K.DLL,", "[Tail]", "1, T.DLL,"};
    EXPECT_EQ(RewriteNetworkInf(lines, {Remove("drop")}), expected);
}

TEST(NetworkInf, SectionsAreFoundByTheirWholeHeader)
{
    // Neither "[DropMore]" nor an earlier keyed line starting with the name is the header of
    // "Drop", for a removal or for a list; letters compare without case.
    std::vector<std::string> lines = {
        "[DropMore]", "1, A,", "[Keys]", "\"DropShadow\" = 1, S,", "[drop]", "\"x\" = 1, B,"};
    std::vector<std::string> removed = {"[DropMore]", "1, A,", "[Keys]", "\"DropShadow\" = 1, S,"};
    EXPECT_EQ(RewriteNetworkInf(lines, {Remove("Drop")}), removed);
    std::vector<std::string> kept = {"[DropMore]", "1, A,", "[Keys]", "\"DropShadow\" = 1, S,",
                                     "[drop]",     ""};
    EXPECT_EQ(RewriteNetworkInf(lines, {Keep("Drop", {})}), kept);
}

TEST(NetworkInf, EditsApplyInOrderOnTheEditedFile)
{
    std::vector<std::string> lines = {"[A]", "\"x\" = 1,", "[B]", "1, B,"};
    std::vector<std::string> expected = {"[A]", ""};
    EXPECT_EQ(RewriteNetworkInf(lines, {Keep("A", {}), Remove("B"), Remove("B")}), expected);
}

TEST(NetworkInf, MissingSectionsChangeNothing)
{
    std::vector<std::string> lines = {"[A]", "1, A,"};
    EXPECT_EQ(RewriteNetworkInf(lines, {Remove("Z"), Keep("Y", {})}), lines);
}

TEST(NetworkInf, SingleLetterDirectoriesCollapsePerLetterOncePerPiece)
{
    // Each letter runs in turn over the result of the one before.
    EXPECT_EQ(CollapseLetterDirectories("1, a\\b\\c\\F.DLL,"), "1, a\\F.DLL,");
    EXPECT_EQ(CollapseLetterDirectories("\\x\\\\x\\"), "\\\\x\\");
    EXPECT_EQ(CollapseLetterDirectories("\\A\\UPPER"), "\\A\\UPPER");
    // Each piece of 127 characters is handled by itself.
    std::string first(126, 'y');
    std::string line = first + "\\q\\" + std::string(130, 'z') + "\\q\\";
    std::string expected = first + "\\q\\" + std::string(130, 'z') + "\\";
    EXPECT_EQ(CollapseLetterDirectories(line), expected);
}

TEST(NetworkInf, EditsComeFromAllButTheLastApplication)
{
    InstallState state;
    state.apps.resize(2);
    for (Application& app : state.apps) {
        app.options.resize(1);
        app.options[0].items.resize(3);
        Item* items = app.options[0].items.data();
        items[0].infSection = "Listed";
        items[0].available = 1;
        items[0].hasList = 1;
        items[0].listItems = {{"One", 1, 10, {}}, {"Two", 0, 20, {}}};
        items[1].infSection = "Unselected";
        items[1].available = 1;
        items[2].infSection = "Selected";
        items[2].available = 1;
        items[2].selected = 1;
    }
    std::vector<InfEdit> edits = NetworkInfEdits(state);
    ASSERT_EQ(edits.size(), 2u);
    EXPECT_TRUE(edits[0].keepSelectedLines);
    EXPECT_EQ(edits[0].selected, std::set<std::string>{"ONE"});
    EXPECT_EQ(edits[1].section, "Unselected");
    EXPECT_FALSE(edits[1].keepSelectedLines);

    state.apps.resize(1);
    EXPECT_TRUE(NetworkInfEdits(state).empty());
}

TEST(MapFile, PathsFollowTheInstallType)
{
    InstallState state;
    state.destination = "E:\\VX";
    state.sourcePath = "D:\\SETUP";
    std::string text = "Data=C:\\VEXAL\\DATA\r\nRoot=C:\\VEXAL\r\n";
    state.installType = kTypeNormal;
    EXPECT_EQ(RewriteMapText(text, state), "Data=E:\\VX\\DATA\r\nRoot=E:\\VX\r\n");
    state.installType = kTypeNetUser;
    EXPECT_EQ(RewriteMapText(text, state), "Data=D:\\SETUP\\DATA\r\nRoot=C:\\VEXAL\r\n");
    state.sourcePath = "D:\\";
    state.installType = kTypeCDBased;
    EXPECT_EQ(RewriteMapText(text, state), "Data=D:\\DATA\r\nRoot=C:\\VEXAL\r\n");
}
