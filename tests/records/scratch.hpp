// Files for the record-layer tests: each test gets a fresh folder of its own.
#pragma once

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>

#include <gtest/gtest.h>

#include "common/records/records.hpp"

namespace records_test {

class Scratch : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    dir_ = std::filesystem::path(::testing::TempDir()) /
           (std::string("records-") + info->test_suite_name() + "-" + info->name());
    std::filesystem::remove_all(dir_);
    std::filesystem::create_directories(dir_);
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }

  std::string path(std::string_view name) const { return (dir_ / name).string(); }
  std::string make(std::string_view name, std::string_view content) const {
    std::ofstream(path(name), std::ios::binary) << content;
    return path(name);
  }
  std::string contents(std::string_view name) const {
    std::ifstream in(path(name), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }

  // Writes `content` to a file and opens it for reading as unit 10.
  records::File& input(std::string_view content) {
    return records::open(10, make("in.txt", content), records::Mode::read);
  }
  records::File& output() { return records::open(11, path("out.txt"), records::Mode::write); }
  std::string written(records::File& file) {
    records::close(file);
    return contents("out.txt");
  }

  std::filesystem::path dir_;
};

}  // namespace records_test
