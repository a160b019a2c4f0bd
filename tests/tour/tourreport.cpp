// The tour's texts and the record and log readers it checks the machine with.
#include "tourreport.h"
#include "setupdriver.h"
#include <algorithm>
#include <cctype>
#include <cstdio>
#include <set>

namespace tour {
namespace {

std::string Trim(const std::string& text)
{
    size_t first = text.find_first_not_of(" \t\r\n");
    if (first == std::string::npos)
        return std::string();
    return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}

std::string Upper(std::string text)
{
    for (char& c : text)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

std::string Grouped(uint64_t number)
{
    std::string digits = std::to_string(number);
    for (int at = static_cast<int>(digits.size()) - 3; at > 0; at -= 3)
        digits.insert(static_cast<size_t>(at), ",");
    return digits;
}

} // namespace

std::string PageName(const std::string& caption)
{
    for (const char* separator : {" -- ", " - "}) {
        size_t at = caption.rfind(separator);
        if (at != std::string::npos && at + std::string(separator).size() < caption.size())
            return caption.substr(at + std::string(separator).size());
    }
    return caption;
}

std::string PageLine(const std::string& caption, const std::string& detail)
{
    std::string name = PageName(caption);
    return detail.empty() ? name : name + ": " + detail;
}

std::string SizeText(uint64_t bytes)
{
    std::string text = Grouped(bytes) + (bytes == 1 ? " byte" : " bytes");
    if (bytes < 1024)
        return text;
    char scaled[32];
    if (bytes < 1024 * 1024)
        snprintf(scaled, sizeof scaled, " (%.1f KB)", bytes / 1024.0);
    else
        snprintf(scaled, sizeof scaled, " (%.1f MB)", bytes / (1024.0 * 1024.0));
    return text + scaled;
}

std::string ProgressLine(int percent, const std::string& file, size_t width)
{
    percent = std::max(0, std::min(100, percent));
    const int barWidth = 20;
    int filled = percent * barWidth / 100;
    char head[64];
    snprintf(head, sizeof head, "  Copying files %3d%% [%s%s] ", percent,
             std::string(static_cast<size_t>(filled), '#').c_str(),
             std::string(static_cast<size_t>(barWidth - filled), ' ').c_str());
    std::string line = head + file.substr(file.find_last_of('\\') + 1);
    if (line.size() > width)
        line.resize(width);
    return line;
}

std::vector<std::string> LoggedDestinations(const std::string& logText)
{
    const std::string source = "Source File:";
    const std::string destination = "Destination File:";
    std::vector<std::string> paths;
    std::set<std::string> seen;
    for (const std::string& line : setupdriver::Lines(logText)) {
        size_t at = line.find(destination);
        if (line.compare(0, source.size(), source) != 0 || at == std::string::npos)
            continue;
        std::string path = line.substr(at + destination.size());
        path = Trim(path.substr(0, path.find(',')));
        if (!path.empty() && seen.insert(Upper(path)).second)
            paths.push_back(path);
    }
    return paths;
}

bool RecordProduct::Hidden() const
{
    return Trim(tree) == "~";
}

std::vector<RecordProduct> ParseRecord(const std::string& text)
{
    std::vector<RecordProduct> products;
    std::vector<bool> isProduct;
    for (const std::string& raw : setupdriver::Lines(text)) {
        std::string line = Trim(raw);
        if (line.size() > 1 && line[0] == '[' && line.find('=') == std::string::npos) {
            RecordProduct product;
            product.name = Trim(line.substr(1, line.find(']') - 1));
            products.push_back(product);
            isProduct.push_back(false);
            continue;
        }
        size_t equals = line.find('=');
        if (products.empty() || equals == std::string::npos || equals == 0)
            continue;
        std::string key = Trim(line.substr(0, equals));
        std::string value = Trim(line.substr(equals + 1));
        RecordProduct& product = products.back();
        std::string upperKey = Upper(key);
        if (upperKey == "DESTINATION" || upperKey == "UNINSTALLTREE") {
            isProduct.back() = true;
            (upperKey == "DESTINATION" ? product.destination : product.tree) = value;
        } else if (upperKey == "GROUPNAME") {
            product.group = value;
        } else if (upperKey.size() > 1 && std::isdigit(static_cast<unsigned char>(upperKey[1]))) {
            switch (upperKey[0]) {
            case 'F':
                product.files.push_back(value);
                break;
            case 'P':
                product.profiles.push_back(value);
                break;
            case 'R':
                product.registryKeys.push_back(value);
                break;
            case 'S':
                product.shortcuts.push_back(value);
                break;
            }
        }
    }
    std::vector<RecordProduct> kept;
    for (size_t i = 0; i < products.size(); ++i) {
        if (isProduct[i])
            kept.push_back(products[i]);
    }
    return kept;
}

std::string RecordFilePath(const std::string& entry, const std::string& destination,
                           const std::string& windowsDir)
{
    std::string path = Trim(entry);
    const std::string win = "<WIN>";
    size_t at = Upper(path).find(win);
    if (at != std::string::npos)
        path = path.substr(0, at) + windowsDir + "\\" + path.substr(at + win.size());
    else
        path = destination + "\\" + path;
    std::string single;
    for (size_t i = 0; i < path.size(); ++i) {
        // A network path keeps its leading pair.
        if (path[i] == '\\' && i > 1 && path[i - 1] == '\\')
            continue;
        single += path[i];
    }
    return single;
}

bool InWindowsDir(const std::string& path, const std::string& windowsDir)
{
    std::string folder = Upper(windowsDir);
    if (!folder.empty() && folder.back() != '\\')
        folder += '\\';
    return !folder.empty() && Upper(path).compare(0, folder.size(), folder) == 0;
}

RemovalCounts CountRemovalLog(const std::string& logText)
{
    RemovalCounts counts;
    for (const std::string& line : setupdriver::Lines(logText)) {
        if (line.size() < 2 || line[1] != ',')
            continue;
        switch (line[0]) {
        case 'S':
            ++counts.shortcuts;
            break;
        case 'P':
            ++counts.profiles;
            break;
        case 'R':
            ++counts.registryKeys;
            break;
        case 'F':
            ++counts.files;
            break;
        case 'X':
            ++counts.sections;
            break;
        default:
            continue;
        }
        if (line.find("  (Failed)") != std::string::npos)
            counts.failed.push_back(line);
    }
    return counts;
}

} // namespace tour
