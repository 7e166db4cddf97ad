#include "support/fake_platform.h"
#include "rotation/list_file.h"

#include <gtest/gtest.h>

#include <random>

namespace {

using rotation::decodeListFile;
using rotation::encodeListFile;
using rotation::listFileRecords;
using Entries = std::vector<std::string>;

const fake::FakeCodePage western;

struct EncodeCase {
    const char* name;
    Entries entries;
    std::string bytes;
};

TEST(ListFileCodec, WritesQuotedRecordsInTheCodePage) {
    const EncodeCase cases[] = {
        {"empty list is an empty file", {}, ""},
        {"one path, 17 bytes", {"C:\\Pics\\a.jpg"}, "\"C:\\Pics\\a.jpg\"\r\n"},
        {"marker is 22 A0 22 0D 0A",
         {rotation::EMPTY_LIST_MARKER},
         std::string("\x22\xA0\x22\r\n", 5)},
        {"accented letter in one byte", {"C:\\caf\xC3\xA9.jpg"}, "\"C:\\caf\xE9.jpg\"\r\n"},
        {"euro sign from the 0x80 row", {"\xE2\x82\xAC"}, "\"\x80\"\r\n"},
        {"quotes are not escaped", {"a\"b"}, "\"a\"b\"\r\n"},
        {"order and duplicates kept", {"b", "a", "b"}, "\"b\"\r\n\"a\"\r\n\"b\"\r\n"},
    };
    for (const auto& c : cases) {
        auto bytes = encodeListFile(c.entries, western);
        ASSERT_TRUE(bytes.has_value()) << c.name;
        EXPECT_EQ(*bytes, c.bytes) << c.name;
    }
    EXPECT_EQ(encodeListFile({"C:\\Pics\\a.jpg"}, western)->size(), 17u);
}

TEST(ListFileCodec, RefusesAnEntryTheCodePageCannotHold) {
    EXPECT_FALSE(encodeListFile({"ok.jpg", "\xE6\x97\xA5.jpg"}, western).has_value());
}

struct DecodeCase {
    const char* name;
    std::string bytes;
    Entries entries;
};

TEST(ListFileCodec, ReadsRecordsAndToleratesLinesTheWriterNeverMakes) {
    const DecodeCase cases[] = {
        {"empty file", "", {}},
        {"two records", "\"a b\"\r\n\"c\"\r\n", {"a b", "c"}},
        {"marker byte", std::string("\x22\xA0\x22\r\n", 5), {"\xC2\xA0"}},
        {"code page byte", "\"\xE9\"\r\n", {"\xC3\xA9"}},
        {"empty record kept", "\"\"\r\n", {""}},
        {"last line without CR LF", "\"a\"\r\n\"b\"", {"a", "b"}},
        {"LF alone ends a line", "\"a\"\n\"b\"\n", {"a", "b"}},
        {"blank lines skipped", "\r\n\"a\"\r\n\r\n\n\"b\"\r\n\r\n", {"a", "b"}},
        {"no quotes: as it stands", "C:\\x.jpg\r\n", {"C:\\x.jpg"}},
        {"text after the closing quote", "\"a\",junk\r\n", {"a"}},
        {"inner quotes belong to the text", "\"a\"b\"\r\n", {"a\"b"}},
        {"commas are text", "\"a,b\",\"c\"\r\n", {"a,b\",\"c"}},
        {"one quote is dropped", "\"abc\r\n", {"abc"}},
        {"CR inside a line is text", "\"a\rb\"\r\n", {"a\rb"}},
        {"blank line of spaces is a record", "  \r\n", {"  "}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(decodeListFile(c.bytes, western), c.entries) << c.name;
}

TEST(ListFileCodec, WhatIsWrittenReadsBackTheSame) {
    const Entries lists[] = {
        {},
        {"C:\\Pics\\a.jpg", "D:\\b c\\d.png"},
        {rotation::EMPTY_LIST_MARKER},
        {"\"quoted\"", "x\"y", "caf\xC3\xA9", "a,b", ""},
        {"same", "same", "same"},
    };
    for (const auto& entries : lists)
        EXPECT_EQ(decodeListFile(*encodeListFile(entries, western), western), entries);
}

// Any bytes at all read without a crash, and what they read as is stable: writing
// the records again and reading them gives the same records.
TEST(ListFileCodec, GarbageReadsWithoutCrashAndStably) {
    std::mt19937 rng(1234);
    const char alphabet[] = {'"', '\r', '\n', 'a', ',', '\0', char(0xA0), char(0xFF)};
    for (int round = 0; round < 2000; ++round) {
        std::string bytes(rng() % 40, ' ');
        for (char& c : bytes)
            c = alphabet[rng() % sizeof alphabet];
        auto records = listFileRecords(bytes);
        std::string rewritten;
        for (const auto& record : records) {
            EXPECT_EQ(record.find('\n'), std::string::npos);
            rewritten += "\"" + record + "\"\r\n";
        }
        ASSERT_EQ(listFileRecords(rewritten), records) << "round " << round;
    }
}

} // namespace
