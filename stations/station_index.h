// The three ordered views of the station table: all stations, single-frequency stations and
// bands. Each is a counted array of record numbers: element 0 holds the count n, elements
// 1..n the record numbers in order; elements beyond n keep whatever they held.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "stations/station_file.h"

struct StationIndex {
  std::array<std::int32_t, kStationCount + 1> Item{};

  int Count() const { return Item[0]; }
  // The record number at position 1..Count().
  int operator[](int position) const { return Item[static_cast<std::size_t>(position)]; }
};

// Index kinds and key modes, numbered as the station list window uses them.
enum : int { kAllKind = 0, kSingleKind = 1, kBandKind = 2 };
enum : int {
  kKeyFrequency = 1,  // Frequency, Type, Name
  kKeyType = 2,       // Type, Name, Frequency
  kKeyName = 3,       // Name, Type, Frequency
  kKeyAddress = 4,    // Address, Type, Name
};

// Byte-wise unsigned comparison; a text that is a prefix of the other comes first.
int CompareStationText(std::string_view a, std::string_view b);
// True when `a` sorts after `b` under the key mode (modes outside 1..4 count as 1).
bool StationGreater(const MemoRecord& a, const MemoRecord& b, int keyMode);

class StationIndexes {
 public:
  StationIndex AllIndex;     // kind 0: Frequency >= 1
  StationIndex SingleIndex;  // kind 1: Frequency >= 1 and Frequency2 = 0
  StationIndex BandIndex;    // kind 2: Frequency >= 1 and Frequency2 >= 1
  // The band range identification last matched; every build clears it so the next lookup
  // starts afresh.
  std::int32_t BandLow = 0;
  std::int32_t BandHigh = 0;

  StationIndex& Index(int kind);
  const StationIndex& Index(int kind) const;

  // The main window's build: kinds 1, 2 and 0, each in frequency order.
  void AutoMode_IdxInit(const MemoData& data);
  // Rebuilds one kind in the given key mode (the list window's column headings).
  void AutoMode_IdxInitSub(const MemoData& data, int keyMode, int kind);
};
