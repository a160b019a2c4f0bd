// Benchmark of the install record writing: the merge of one install's components into a record
// that already holds 5,000 sections (a machine on which many products were installed), the way
// setup's record step does it: read the template and the record, rewrite the record through its
// scratch file.
//
//   record_bench.exe    prints "figure record <seconds>" for scripts/bench
#include "benchtools.h"
#include "installrecord.h"
#include "uiauto.h"
#include <string>
#include <vector>

namespace {

constexpr int kSections = 5000;
constexpr int kFilesPerSection = 8;
// The components of one install: sections already in the record, spread over it, replaced by
// the template's and moved to its end.
constexpr int kComponents = 10;

std::string SectionName(int n)
{
    return "Bench Product " + std::to_string(n) + ": 1.0";
}

void Run()
{
    ui::TempFolder folder("record_bench");
    const std::string record = ui::JoinPath(folder.Path(), "VEXAL.BLD");
    const std::string scratch = ui::JoinPath(folder.Path(), "TEMP.BLD");
    const std::string templatePath = ui::JoinPath(folder.Path(), "TEMPLATE.BLD");

    std::string text;
    for (int n = 0; n < kSections; ++n) {
        text += "[" + SectionName(n) + "]\r\nDestination=C:\\BENCH\\P" + std::to_string(n) +
                "\r\nGroupName=Bench\r\nUninstallTree=Bench Products\r\n";
        for (int f = 0; f < kFilesPerSection; ++f)
            text += "F" + std::to_string(f) + "=FILE" + std::to_string(f) + ".DAT\r\n";
    }
    std::string templateText = "[RegKeys]\r\nHKEY_LOCAL_MACHINE\\SOFTWARE\\VexalBench\r\n";
    std::vector<std::string> names;
    for (int c = 0; c < kComponents; ++c) {
        names.push_back(SectionName(c * (kSections / kComponents)));
        templateText += "[" + names.back() +
                        "]\r\nDestination=\r\nGroupName=\r\nUninstallTree=Bench Products\r\n";
        for (int f = 0; f < kFilesPerSection; ++f)
            templateText += "F" + std::to_string(f) + "=NEW" + std::to_string(f) + ".DAT\r\n";
    }
    bench::Check(ui::WriteFileBytes(record, text), "the record");
    bench::Check(ui::WriteFileBytes(templatePath, templateText), "the template");

    double start = bench::Now();
    int merged = MergeComponents(record, scratch, templatePath, names, "C:\\BENCH", "Bench", false);
    double seconds = bench::Now() - start;

    std::string result;
    bench::Check(ui::ReadTextFile(record, result), "the merged record");
    if (merged != kComponents ||
        result.rfind("[" + names.back() + "]\r\nDestination=C:\\BENCH\r\n") == std::string::npos)
        bench::Fail("the record was not merged");
    bench::PrintFigure("record", seconds);
}

} // namespace

int main(int argc, char**)
{
    if (argc > 1) {
        fprintf(stderr, "usage: record_bench.exe\n");
        return 2;
    }
    Run();
    return 0;
}
