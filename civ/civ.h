// CI-V codec: frame layout, addresses, BCD frequency field, mode and step codes, the
// hexadecimal text form of received bytes, and the builders of every frame Fennix sends.
// Every CI-V byte has one named constant here, and frames are built here and nowhere else.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace civ {

using Bytes = std::vector<std::uint8_t>;

// Frame bytes.
inline constexpr std::uint8_t kPreamble = 0xFE;
inline constexpr std::uint8_t kEndOfMessage = 0xFD;
inline constexpr std::uint8_t kController = 0xE0;  // our own address, source of every frame
inline constexpr std::uint8_t kBroadcast = 0x00;   // transceive reports go here
inline constexpr std::uint8_t kR7100 = 0x34;       // frequency and speech frames always go here

// Commands and sub-commands.
inline constexpr std::uint8_t kCmdSetFrequency = 0x00;  // also the transceive frequency report
inline constexpr std::uint8_t kCmdModeReport = 0x01;    // transceive mode report
inline constexpr std::uint8_t kCmdBandEdges = 0x02;
inline constexpr std::uint8_t kCmdReadFrequency = 0x03;
inline constexpr std::uint8_t kCmdReadMode = 0x04;
inline constexpr std::uint8_t kCmdSetMode = 0x06;
inline constexpr std::uint8_t kCmdSelectWindow = 0x07;
inline constexpr std::uint8_t kCmdSetStep = 0x10;
inline constexpr std::uint8_t kCmdAttenuator = 0x11;
inline constexpr std::uint8_t kSubAttOff = 0x00;
inline constexpr std::uint8_t kSubAttOn = 0x20;
inline constexpr std::uint8_t kCmdSpeech = 0x13;
inline constexpr std::uint8_t kSubSpeechAll = 0x00;
inline constexpr std::uint8_t kCmdLevel = 0x14;
inline constexpr std::uint8_t kSubAfGain = 0x01;
inline constexpr std::uint8_t kCmdRead = 0x15;
inline constexpr std::uint8_t kSubSquelch = 0x01;
inline constexpr std::uint8_t kSubSignal = 0x02;
inline constexpr std::uint8_t kWindowA = 0x00;
inline constexpr std::uint8_t kWindowB = 0x01;
inline constexpr std::uint8_t kBandEdgeSeparator = 0x2D;
inline constexpr std::uint8_t kOk = 0xFB;
inline constexpr std::uint8_t kNg = 0xFA;

// Receiver models and their addresses, indexed by ReceiverModel 0..9.
inline constexpr int kReceiverModels = 10;
inline constexpr std::array<std::uint8_t, kReceiverModels> ReceiverAddressTable = {
    0x34, 0x08, 0x2A, 0x32, 0x30, 0x28, 0x04, 0x1E, 0x26, 0x00};
inline constexpr std::array<std::string_view, kReceiverModels> ReceiverModelName = {
    "IC-R7100", "IC-R7000", "IC-R9000", "IC-R72", "IC-726",
    "IC-725",   "IC-735",   "IC-761",   "IC-781", ""};

// The address of a model (out-of-range models fall back to the IC-R7100).
std::uint8_t ReceiverAddress(int receiverModel);
// The address as two upper-case hexadecimal characters, as the reply parser compares it.
std::string ReceiverAddressText(int receiverModel);

// Modes: ModeName[0..7] (0 empty, 7 in use) and ModeCode[1..10] (entry 0 unused).
inline constexpr int kModeCount = 7;
inline constexpr int kModeCodeCount = 10;
inline constexpr std::array<std::string_view, 8> ModeName = {"",    "LSB", "USB", "AMW",
                                                             "A M", "F M", "FMN", "WFM"};
inline constexpr std::array<std::string_view, kModeCodeCount + 1> ModeCode = {
    "", "0001", "0101", "0201", "0202", "0501", "0502", "0601", "0000", "0000", "0000"};

// Steps: StepTable[0..9] in Hz and the receiver's step codes; kNoStepCode means no frame.
inline constexpr int kStepCount = 10;
inline constexpr std::uint16_t kNoStepCode = 255;
inline constexpr std::array<std::int32_t, kStepCount> StepTable = {
    100, 1000, 5000, 6250, 10000, 12500, 20000, 25000, 100000, 1000000};
inline constexpr std::array<std::uint16_t, kStepCount> StepCode = {0, 1, 2, 255, 3,
                                                                   4, 5, 6, 7,   255};
inline constexpr std::int32_t DefaultStep = 20000;

// Line speeds, indexed by BaudIndex.
inline constexpr std::array<std::int32_t, 10> BaudRateTable = {300,   1200,  2400,  4800,  9600,
                                                               14400, 19200, 38400, 56000, 128000};

// The five BCD bytes of a frequency, least significant digit pair first; only the last ten
// decimal digits count.
std::array<std::uint8_t, 5> FrequencyToBcd(std::int64_t frequency);
// The inverse on the hexadecimal text of the five bytes: any length but 10 gives 0; pairs are
// taken in reverse order and characters outside "0".."9" are skipped.
std::int32_t BcdTextToFrequency(std::string_view text);

// Two upper-case hexadecimal characters per byte, high nibble first.
std::string FrameText(const std::uint8_t* data, std::size_t size);
inline std::string FrameText(const Bytes& bytes) { return FrameText(bytes.data(), bytes.size()); }

// True when the text consists only of "0".."9" (an empty text counts as digits).
bool IsDigits(std::string_view text);
// A text of digits read as a decimal number; the caller checks IsDigits first.
std::int32_t DigitsValue(std::string_view text);

// The two bytes of a four-digit mode code text, each digit pair packed into one byte.
std::array<std::uint8_t, 2> ModeCodeBytes(std::string_view code);
// The mode number a received mode/filter text (four characters) selects: the last matching
// ModeCode entry 1..10, or 0 when none matches.
int ModeFromCodeText(std::string_view text);

// AF level from the position of AF_TrackBar (0 top, 31 bottom): 8 * (32 - p) - 1.
int AfLevel(int trackBarPosition);

// The one frame builder: FE FE to E0 command [sub-command and data] FD.
Bytes BuildFrame(std::uint8_t to, std::uint8_t command, std::initializer_list<std::uint8_t> rest);
Bytes BuildFrame(std::uint8_t to, std::uint8_t command, const std::uint8_t* rest, std::size_t n);

// Every frame Fennix sends. `addr` is the selected model's address.
Bytes ReadBandEdgesFrame(std::uint8_t addr);
Bytes ReadFrequencyFrame(std::uint8_t addr);
Bytes ReadModeFrame(std::uint8_t addr);
Bytes SetFrequencyFrame(std::int64_t frequency);                  // always to 34
Bytes SetModeFrame(std::uint8_t addr, int mode);                  // mode 1..10
Bytes SelectWindowFrame(std::uint8_t addr, std::uint8_t window);  // kWindowA or kWindowB
Bytes SetStepFrame(std::uint8_t addr, std::uint16_t stepCode);    // never kNoStepCode
Bytes AttenuatorFrame(std::uint8_t addr, bool on);
Bytes AfGainFrame(std::uint8_t addr, int level);  // level 7..255
Bytes SpeechFrame();                              // always to 34
Bytes ReadSquelchFrame(std::uint8_t addr);
Bytes ReadSignalFrame(std::uint8_t addr);

}  // namespace civ
