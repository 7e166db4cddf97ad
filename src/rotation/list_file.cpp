#include "rotation/list_file.h"

namespace rotation {
namespace {

constexpr char QUOTE = '"';

// The text a line of the file stands for, by the reader's lenient rule.
std::string recordText(const std::string& line) {
    auto first = line.find(QUOTE);
    if (first == std::string::npos) return line;
    auto last = line.rfind(QUOTE);
    if (last == first) return line.substr(0, first) + line.substr(first + 1);
    return line.substr(first + 1, last - first - 1);
}

// The lines of the file without their CR LF (or lone LF) endings.
std::vector<std::string> splitLines(const std::string& bytes) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < bytes.size()) {
        auto end = bytes.find('\n', start);
        if (end == std::string::npos) end = bytes.size();
        std::string line = bytes.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(std::move(line));
        start = end + 1;
    }
    return lines;
}

} // namespace

std::optional<std::string> encodeListFile(const std::vector<std::string>& entries,
                                          const platform::CodePage& codePage,
                                          const RawRecords& raw) {
    std::string bytes;
    for (const auto& entry : entries) {
        auto kept = raw.find(entry);
        auto ansi = kept != raw.end() ? kept->second : codePage.toAnsi(entry);
        if (!ansi) return std::nullopt;
        bytes += QUOTE + *ansi + QUOTE + "\r\n";
    }
    return bytes;
}

std::vector<std::string> listFileRecords(const std::string& bytes) {
    std::vector<std::string> records;
    for (const auto& line : splitLines(bytes))
        if (!line.empty()) records.push_back(recordText(line));
    return records;
}

std::vector<std::string> decodeListFile(const std::string& bytes,
                                        const platform::CodePage& codePage, RawRecords* raw) {
    std::vector<std::string> entries;
    for (const auto& record : listFileRecords(bytes)) {
        entries.push_back(codePage.fromAnsi(record));
        if (raw && codePage.toAnsi(entries.back()) != record) raw->emplace(entries.back(), record);
    }
    return entries;
}

} // namespace rotation
