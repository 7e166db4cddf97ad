#pragma once
// The list file "KALO DC.dat": one record per image list entry, each a double quote,
// the entry in the system code page, a double quote and CR LF. Nothing is escaped;
// an empty list is an empty file.
#include "platform/platform.h"

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace rotation {

inline const std::string LIST_FILE_NAME = "KALO DC.dat";
// The one-entry list that a reset leaves in the file: U+00A0 (no-break space), UTF-8.
inline const std::string EMPTY_LIST_MARKER = "\xC2\xA0";

// Records the code page does not read back as the same bytes (bytes it leaves undefined),
// by the entry each was read as, so that they are written back as they were.
using RawRecords = std::map<std::string, std::string>;

// The file's bytes for `entries`; empty when an entry has no form in the code page and
// was not read from such a record.
std::optional<std::string> encodeListFile(const std::vector<std::string>& entries,
                                          const platform::CodePage& codePage,
                                          const RawRecords& raw = {});

// The entries of a list file, converted to UTF-8; records that would not be written
// back the same are added to `raw`. The reader is lenient with lines the writer never
// makes: a line ends at LF with or without a CR before it (the last one may lack both);
// an empty line is skipped; a line with two or more quotes yields the text between its
// first and its last quote; a line with one quote yields the line without that quote; a
// line without quotes is taken as it stands.
std::vector<std::string> decodeListFile(const std::string& bytes,
                                        const platform::CodePage& codePage,
                                        RawRecords* raw = nullptr);

} // namespace rotation
