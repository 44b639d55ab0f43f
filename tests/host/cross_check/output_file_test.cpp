// The check's outputs arrive whole whatever their size: a file is written in
// parts of a megabyte and handed to the disk every few megabytes.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "host/output_files.h"

namespace {

namespace fs = std::filesystem;

std::string Slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// A text of n bytes whose every megabyte differs, so that a part written
// twice or left out shows.
std::string Text(size_t n) {
    std::string text(n, ' ');
    for (size_t i = 0; i < n; ++i) {
        text[i] = static_cast<char>('a' + (i / 4093 + i) % 26);
    }
    return text;
}

TEST(OutputFile, TextsOfEverySizeArriveWholeInOneWriteOrMany) {
    const fs::path dir = fs::temp_directory_path() / "stats-output-file-test";
    fs::create_directories(dir);
    const size_t kMegabyte = size_t{1} << 20;
    const std::vector<std::vector<size_t>> cases = {
        {0},
        {1},
        {kMegabyte - 1, kMegabyte, kMegabyte + 1},  // around the part written at once
        {3 * kMegabyte + 12345},
        {5 * kMegabyte, 5 * kMegabyte, 17},  // past the bytes that ask the disk to write
    };
    for (size_t c = 0; c < cases.size(); ++c) {
        const std::string path = (dir / ("out" + std::to_string(c) + ".json")).string();
        std::string expected;
        {
            host::OutputFile out(path, "test results");
            for (size_t size : cases[c]) {
                const std::string text = Text(size + expected.size()).substr(expected.size());
                out.Write(text);
                expected += text;
            }
            out.Commit();
        }
        EXPECT_EQ(Slurp(path), expected) << "case " << c;
        EXPECT_FALSE(fs::exists(host::PartialFileName(path))) << "case " << c;
    }
    host::OutputBatch batch;
    const std::string big = Text(2 * kMegabyte + 3);
    batch.Write((dir / "a.txt").string(), big, "report");
    batch.Write((dir / "b.txt").string(), "small", "report");
    batch.Commit();
    EXPECT_EQ(Slurp((dir / "a.txt").string()), big);
    EXPECT_EQ(Slurp((dir / "b.txt").string()), "small");
    fs::remove_all(dir);
}

}  // namespace
