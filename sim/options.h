// The simulator's command line.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "sim/receiver.h"

namespace sim {

struct Options {
  ReceiverConfig receiver;
  bool echo = true;
  int baud = 9600;  // 0: no wire time
  bool checkLine = false;
  std::string stationsFile;  // empty: the built-in list
  std::optional<std::uint32_t> seed;
  double garbage = 0;  // faults: probabilities 0..1
  double drop = 0;
  double ng = 0;
  bool split = false;
  bool silent = false;
  // Answers held back: the command byte (and sub-command, or -1 for any) and milliseconds.
  struct Hold {
    int command;
    int sub;
    int ms;
  };
  std::vector<Hold> holds;
  std::optional<double> hangupAfter;  // seconds
  std::string log;
  std::string link;
  bool help = false;
};

// Parses the arguments after the program name; on a mistake returns nothing and sets `error`.
std::optional<Options> ParseOptions(const std::vector<std::string>& args, std::string& error);

extern const char* const kUsage;

}  // namespace sim
