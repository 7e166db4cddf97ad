#include "rotation/list_file.h"

#include <algorithm>
#include <string_view>

namespace rotation {
namespace {

constexpr char QUOTE = '"';

// The text a line of the file stands for, by the reader's lenient rule.
std::string recordText(std::string_view line) {
    auto first = line.find(QUOTE);
    if (first == std::string_view::npos) return std::string(line);
    auto last = line.rfind(QUOTE);
    if (last == first) return std::string(line.substr(0, first)).append(line.substr(first + 1));
    return std::string(line.substr(first + 1, last - first - 1));
}

bool isAscii(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](unsigned char c) { return c < 0x80; });
}

// Calls `take` with each line of the file, without its CR LF (or lone LF) ending.
template <typename Take> void forEachLine(std::string_view bytes, Take take) {
    std::size_t start = 0;
    while (start < bytes.size()) {
        auto end = std::min(bytes.find('\n', start), bytes.size());
        std::string_view line = bytes.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        take(line);
        start = end + 1;
    }
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
        bytes.append(1, QUOTE).append(*ansi).append(1, QUOTE).append("\r\n");
    }
    return bytes;
}

std::vector<std::string> decodeListFile(const std::string& bytes,
                                        const platform::CodePage& codePage, RawRecords* raw) {
    std::vector<std::string> entries;
    forEachLine(bytes, [&](std::string_view line) {
        if (line.empty()) return;
        const std::string record = recordText(line);
        entries.push_back(codePage.fromAnsi(record));
        // ASCII goes back as it came in every code page; only the rest is checked.
        if (raw && !isAscii(record) && codePage.toAnsi(entries.back()) != record)
            raw->emplace(entries.back(), record);
    });
    return entries;
}

} // namespace rotation
