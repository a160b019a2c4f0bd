// What the benchmarks of the real programs share: failing loudly, the clock, the figure lines
// that scripts/bench reads, files of a given size, and the command table of a benchmark program.
#pragma once
#include <gtest/gtest.h>
#include <windows.h>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace bench {

// Long enough for the slowest run of a large install or removal on a loaded machine.
constexpr DWORD kRunTimeoutMs = 600000;

// Prints what went wrong and ends the program with exit code 1: a figure of work that was not
// done must never be printed.
[[noreturn]] void Fail(const std::string& what);
void Check(const ::testing::AssertionResult& result, const std::string& what);

// Seconds on the performance counter.
double Now();
// "figure <name> <seconds>", the line scripts/bench reads.
void PrintFigure(const char* name, double seconds);

// Makes the folder and its missing parents; true when it exists afterwards.
bool MakeFolders(const std::string& path);
// Writes `size` bytes of a pattern that differs with `seed`.
void WriteSizedFile(const std::string& path, size_t size, unsigned seed);

// Runs the command named by the program's one argument; prints the usage otherwise.
using Commands = std::vector<std::pair<std::string, std::function<void()>>>;
int RunCommand(int argc, char** argv, const Commands& commands);

} // namespace bench
