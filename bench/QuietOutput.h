#pragma once
// Output of the commands goes nowhere while they are timed.
#include <iostream>
#include <sstream>

class Quiet {
 public:
  Quiet() : out_(std::cout.rdbuf(sink_.rdbuf())), err_(std::cerr.rdbuf(sink_.rdbuf())) {}
  ~Quiet() {
    std::cout.rdbuf(out_);
    std::cerr.rdbuf(err_);
  }
  Quiet(const Quiet&) = delete;
  Quiet& operator=(const Quiet&) = delete;

 private:
  std::ostringstream sink_;
  std::streambuf* out_;
  std::streambuf* err_;
};
