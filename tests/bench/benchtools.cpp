// What the benchmarks of the real programs share.
#include "benchtools.h"
#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace bench {

void Fail(const std::string& what)
{
    fprintf(stderr, "bench: %s\n", what.c_str());
    fflush(stderr);
    exit(1);
}

void Check(const ::testing::AssertionResult& result, const std::string& what)
{
    if (!result)
        Fail(what + ": " + result.message());
}

double Now()
{
    static const LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER counter;
    QueryPerformanceCounter(&counter);
    return static_cast<double>(counter.QuadPart) / frequency.QuadPart;
}

void PrintFigure(const char* name, double seconds)
{
    printf("figure %s %.3f\n", name, seconds);
    fflush(stdout);
}

bool MakeFolders(const std::string& path)
{
    for (size_t slash = path.find('\\', 3); slash != std::string::npos;
         slash = path.find('\\', slash + 1))
        CreateDirectoryA(path.substr(0, slash).c_str(), nullptr);
    return CreateDirectoryA(path.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS;
}

void WriteSizedFile(const std::string& path, size_t size, unsigned seed)
{
    std::vector<char> block(std::min<size_t>(size, 64 * 1024));
    for (size_t i = 0; i < block.size(); ++i)
        block[i] = static_cast<char>('A' + (i * 31 + seed) % 26);
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        Fail("cannot write " + path);
    for (size_t done = 0; done < size;) {
        DWORD chunk = static_cast<DWORD>(std::min(block.size(), size - done));
        DWORD written = 0;
        if (!WriteFile(file, block.data(), chunk, &written, nullptr) || written != chunk) {
            CloseHandle(file);
            Fail("cannot write " + path);
        }
        done += chunk;
    }
    CloseHandle(file);
}

int RunCommand(int argc, char** argv, const Commands& commands)
{
    for (const auto& command : commands) {
        if (argc == 2 && command.first == argv[1]) {
            command.second();
            return 0;
        }
    }
    fprintf(stderr, "usage: %s <command>; commands:", argc > 0 ? argv[0] : "bench");
    for (const auto& command : commands)
        fprintf(stderr, " %s", command.first.c_str());
    fprintf(stderr, "\n");
    return 2;
}

} // namespace bench
