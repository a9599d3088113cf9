// Find in the station list: the next or previous entry of the shown index that meets the
// conditions typed into the ten fields of the station list window, with AND or OR.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>

#include "stations/station_file.h"
#include "stations/station_index.h"

// The ten fields, in the order their conditions are tested.
enum FindField : int {
  kFindType,
  kFindName,
  kFindFrequency,
  kFindFrequency2,
  kFindStep,
  kFindMode,
  kFindShift,
  kFindSelect,
  kFindAddress,
  kFindEtc,
  kFindFieldCount
};

// The fields' texts as the window holds them (UTF-8). Also what FindSave keeps between find
// modes.
using FindTexts = std::array<std::string, kFindFieldCount>;

// AndOrFlag: 0 every given condition must hold, 1 one given condition suffices.
enum : int { kFindAnd = 0, kFindOr = 1 };

// The conditions as values: texts as CP932 bytes (empty = not given), numbers with 0 (or
// below 1) = not given.
struct FindConditions {
  std::string Type, Name, Address, Etc;
  std::int32_t Frequency = 0, Frequency2 = 0, Step = 0, Mode = 0, Shift = 0, Select = 0;
};

// Reads the conditions from the texts: frequencies with TextToFreq, step and shift with
// TextToStep, the mode as the index of its normalised name, the sensitivity as a decimal
// (0 when it is not one); texts are converted to CP932 and taken up to 255 bytes.
FindConditions ReadFindConditions(const FindTexts& texts);
// The same from texts whose text fields are already CP932 bytes, as the station list
// window's rules hold them.
FindConditions ReadFindConditionsCp932(const FindTexts& texts);

struct FindResult {
  enum Outcome {
    kFound,        // at `position`
    kNotFound,     // "データーがみつかりません"
    kNoCondition,  // "検索条件を指定してください"
  };
  Outcome outcome = kNotFound;
  int position = 0;  // the found position in the index (1-based); the start otherwise
};

// Find_Sub: from position `start` of `index` (the current row, never tested itself) in
// steps of `step` (-1 up, +1 down) to the end of the list, without wrapping. With AND the
// last applied condition decides, with OR the first that holds. `eachRecord` runs after
// every record tested (the window lets its messages be processed there).
FindResult Find_Sub(const FindConditions& conditions, int andOrFlag, const MemoData& data,
                    const StationIndex& index, int start, int step,
                    const std::function<void()>& eachRecord = {});

// Every entry of `index` that meets the conditions, in its order (none when no condition is
// given): what an export of the find result writes.
StationIndex FindAll(const FindConditions& conditions, int andOrFlag, const MemoData& data,
                     const StationIndex& index);

// The same from the fields' texts, as the window calls it.
inline FindResult Find_Sub(const FindTexts& texts, int andOrFlag, const MemoData& data,
                           const StationIndex& index, int start, int step,
                           const std::function<void()>& eachRecord = {}) {
  return Find_Sub(ReadFindConditions(texts), andOrFlag, data, index, start, step, eachRecord);
}
