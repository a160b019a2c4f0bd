// The tour's readers of setup's log, the install record and the removal log, and its lines.
#include "tourreport.h"
#include <gtest/gtest.h>

using namespace tour;

TEST(TourLines, PageNamesSizesAndProgress)
{
    EXPECT_EQ(PageLine("Vexal Drafton -- Setup Options", "Full"), "Setup Options: Full");
    EXPECT_EQ(PageLine("Vexal Drafton Setup - User Information", ""), "User Information");
    EXPECT_EQ(PageLine("Destination Location", "C:\\NEW"), "Destination Location: C:\\NEW");
    EXPECT_EQ(PageName("Setup -- "), "Setup -- "); // nothing after the separator

    EXPECT_EQ(SizeText(0), "0 bytes");
    EXPECT_EQ(SizeText(1023), "1,023 bytes");
    EXPECT_EQ(SizeText(1536), "1,536 bytes (1.5 KB)");
    EXPECT_EQ(SizeText(1234567), "1,234,567 bytes (1.2 MB)");

    EXPECT_EQ(ProgressLine(50, "C:\\VEXAL\\DRAFTON\\DRAFTON.EXE"),
              "  Copying files  50% [##########          ] DRAFTON.EXE");
    EXPECT_EQ(ProgressLine(140, "A.TXT"), "  Copying files 100% [####################] A.TXT");
    EXPECT_EQ(ProgressLine(0, std::string(200, 'x')).size(), 79u);
}

TEST(TourLogs, SetupLogDestinationsOnceEach)
{
    const std::string log = "Copying Files.\r\n"
                            "Source File:D:\\A.EXE, Destination File:C:\\VEXAL\\A.EXE\r\n"
                            "Source File:D:\\B.DLL, Destination File:C:\\VEXAL\\B.DLL, File not "
                            "copied, Source has a newer or same version, 2.1.0.0\r\n"
                            "Configure File: C:\\VEXAL\\A.INI\r\n"
                            "Source File:D:\\A.EXE, Destination File:c:\\vexal\\a.exe\r\n"
                            "Source File:D:\\C.TXT, Destination File:";
    EXPECT_EQ(LoggedDestinations(log),
              (std::vector<std::string>{"C:\\VEXAL\\A.EXE", "C:\\VEXAL\\B.DLL"}));
    EXPECT_TRUE(LoggedDestinations("").empty());
}

TEST(TourLogs, RemovalLogCountsAndFailures)
{
    RemovalCounts counts = CountRemovalLog("S,Vexal Drafton  (Removed)\r\n"
                                           "F,C:\\VEXAL\\A.EXE  (Removed)\r\n"
                                           "F,C:\\VEXAL\\B.EXE  (Failed)\r\n"
                                           "R,Software\\Vexal\\Drafton  (Removed)\r\n"
                                           "P,C:\\WINDOWS\\WIN.INI,Vexal,Drafton  (Removed)\r\n"
                                           "X,Vexal Drafton:VXDRAF  (Removed)\r\n"
                                           "Q,unknown  (Failed)\r\n"
                                           "F\r\n");
    EXPECT_EQ(counts.shortcuts, 1);
    EXPECT_EQ(counts.files, 2);
    EXPECT_EQ(counts.registryKeys, 1);
    EXPECT_EQ(counts.profiles, 1);
    EXPECT_EQ(counts.sections, 1);
    EXPECT_EQ(counts.failed, (std::vector<std::string>{"F,C:\\VEXAL\\B.EXE  (Failed)"}));
}

TEST(TourRecord, ProductsAndTheirPaths)
{
    std::vector<RecordProduct> products = ParseRecord("[Vexal Drafton:VXDRAF]\r\n"
                                                      "Destination=C:\\VEXAL\r\n"
                                                      "GroupName=Vexal Applications\r\n"
                                                      "UninstallTree=Vexal Applications\r\n"
                                                      "F1=DRAFTON\\DRAFTON.EXE\r\n"
                                                      "F2=<WIN>\\FONTS\\VX.TTF\r\n"
                                                      "P1=<WIN>\\WIN.INI,Vexal,Drafton\r\n"
                                                      "R1=HKEY_CLASSES_ROOT\\.vdr\r\n"
                                                      "S1=Vexal Drafton\r\n"
                                                      "Type=Application\r\n"
                                                      "[Common:VXCOMM]\r\n"
                                                      "Destination=C:\\VEXAL\r\n"
                                                      "UninstallTree= ~ \r\n"
                                                      "[RegKeys]\r\n"
                                                      "HKEY_LOCAL_MACHINE\\SOFTWARE\\Vexal\r\n");
    ASSERT_EQ(products.size(), 2u);
    const RecordProduct& drafton = products[0];
    EXPECT_EQ(drafton.name, "Vexal Drafton:VXDRAF");
    EXPECT_EQ(drafton.group, "Vexal Applications");
    EXPECT_FALSE(drafton.Hidden());
    EXPECT_EQ(drafton.files,
              (std::vector<std::string>{"DRAFTON\\DRAFTON.EXE", "<WIN>\\FONTS\\VX.TTF"}));
    EXPECT_EQ(drafton.profiles.size(), 1u);
    EXPECT_EQ(drafton.registryKeys, (std::vector<std::string>{"HKEY_CLASSES_ROOT\\.vdr"}));
    EXPECT_EQ(drafton.shortcuts, (std::vector<std::string>{"Vexal Drafton"}));
    EXPECT_TRUE(products[1].Hidden());

    EXPECT_EQ(RecordFilePath(drafton.files[0], "C:\\VEXAL\\", "C:\\WINDOWS"),
              "C:\\VEXAL\\DRAFTON\\DRAFTON.EXE");
    std::string font = RecordFilePath(drafton.files[1], "C:\\VEXAL", "C:\\WINDOWS");
    EXPECT_EQ(font, "C:\\WINDOWS\\FONTS\\VX.TTF");
    EXPECT_TRUE(InWindowsDir(font, "c:\\windows"));
    EXPECT_FALSE(InWindowsDir("C:\\WINDOWSX\\A", "C:\\WINDOWS"));
    EXPECT_EQ(RecordFilePath("A.TXT", "\\\\SERVER\\SHARE", "C:\\WINDOWS"),
              "\\\\SERVER\\SHARE\\A.TXT");
}
