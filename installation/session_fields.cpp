#include "installation/session_fields.h"

#include <array>
#include <charconv>
#include <climits>
#include <cstdio>

#include "core/character_code.h"
#include "core/stop_reason.h"
#include "tape/tape_file.h"

namespace ormlax {
namespace {

using Values = std::vector<SessionValue>;
using Lines = std::vector<std::string>;

constexpr std::array<const char*, 5> kColourNames = {"grey", "green", "cyan", "red", "yellow"};
constexpr std::array<const char*, 2> kStatusNames = {"cleared", "in-use"};
constexpr std::array<const char*, 3> kFiftyNames = {"skip", "normal", "stop"};
constexpr std::array<const char*, 3> kQTGoNames = {"none", "go-to", "no-go"};
constexpr std::array<const char*, 4> kServoStateNames = {"empty", "read-write", "write-protected",
                                                         "unloaded"};

std::string Plural(std::size_t n, const char* what) {
  return std::to_string(n) + " " + what + (n == 1 ? "" : "s");
}

std::string WantValues(const Values& v, std::size_t n) {
  return v.size() == n ? std::string()
                       : "needs " + Plural(n, "value") + ", not " + std::to_string(v.size());
}

bool ParseInteger(const SessionValue& v, long long min, long long max, long long& out) {
  if (v.bracketed) return false;
  const char* end = v.text.data() + v.text.size();
  const auto [ptr, ec] = std::from_chars(v.text.data(), end, out);
  return ec == std::errc() && ptr == end && out >= min && out <= max;
}

std::string ReadInteger(const SessionValue& v, long long min, long long max, int& out) {
  long long value = 0;
  if (!ParseInteger(v, min, max, value)) {
    return "\"" + v.text + "\" is not a whole number from " + std::to_string(min) + " to " +
           std::to_string(max);
  }
  out = static_cast<int>(value);
  return {};
}

std::string ReadFlag(const SessionValue& v, bool& out) {
  if (!v.bracketed && (v.text == "yes" || v.text == "no")) {
    out = v.text == "yes";
    return {};
  }
  return "\"" + v.text + "\" is neither yes nor no";
}

template <std::size_t N>
std::string ReadMachineText(const SessionValue& v, MachineText<N>& out) {
  if (!v.bracketed || v.text.size() != N) {
    return "a " + std::to_string(N) + "-character text in brackets is wanted";
  }
  out = MachineText<N>::FromText(v.text);
  return {};
}

std::string ReadBracketed(const SessionValue& v, std::string& out) {
  if (!v.bracketed) return "a text in brackets is wanted, not \"" + v.text + "\"";
  out = v.text;
  return {};
}

template <typename E, std::size_t N>
std::string ReadName(const SessionValue& v, const std::array<const char*, N>& names, E& out) {
  for (std::size_t i = 0; i < N; ++i) {
    if (!v.bracketed && v.text == names[i]) {
      out = static_cast<E>(i);
      return {};
    }
  }
  std::string list;
  for (std::size_t i = 0; i < N; ++i)
    list += (i == 0 ? "" : i + 1 == N ? " or " : ", ") + std::string(names[i]);
  return "\"" + v.text + "\" is not " + list;
}

std::string ServoNumber(const SessionRecord& r, const SessionValue& v, int& servo) {
  servo = v.text.size() == 1 && !v.bracketed ? ServoNumberOf(v.text[0]) : -1;
  if (servo >= 0 && servo < ServoCountOf(r.ModelII)) return {};
  return "\"" + v.text + "\" is not a servo of the ORMLAX " + SessionModelName(r.ModelII);
}

// Factories of the common kinds of field; `get` gives the record's place for the field.
template <typename Get>
SessionField Flag(const char* section, const char* key, Get get) {
  return {section, key, FieldLines::Once,
          [get](SessionRecord& r) { return Lines{get(r) ? "yes" : "no"}; },
          [get](SessionRecord& r, const Values& v) {
            const std::string count = WantValues(v, 1);
            return count.empty() ? ReadFlag(v[0], get(r)) : count;
          }};
}

template <typename Get>
SessionField Number(const char* section, const char* key, long long min, long long max, Get get) {
  return {section, key, FieldLines::Once,
          [get](SessionRecord& r) { return Lines{std::to_string(get(r))}; },
          [get, min, max](SessionRecord& r, const Values& v) {
            const std::string count = WantValues(v, 1);
            return count.empty() ? ReadInteger(v[0], min, max, get(r)) : count;
          }};
}

// A word, or a text of a fixed number of characters.
template <typename Get>
SessionField Fixed(const char* section, const char* key, Get get) {
  return {section, key, FieldLines::Once,
          [get](SessionRecord& r) { return Lines{SessionText(get(r).View())}; },
          [get](SessionRecord& r, const Values& v) {
            const std::string count = WantValues(v, 1);
            return count.empty() ? ReadMachineText(v[0], get(r)) : count;
          }};
}

template <typename Get>
SessionField Text(const char* section, const char* key, Get get) {
  return {section, key, FieldLines::Once,
          [get](SessionRecord& r) { return Lines{SessionText(get(r))}; },
          [get](SessionRecord& r, const Values& v) {
            const std::string count = WantValues(v, 1);
            return count.empty() ? ReadBracketed(v[0], get(r)) : count;
          }};
}

template <typename E, std::size_t N, typename Get>
SessionField Named(const char* section, const char* key, const std::array<const char*, N>& names,
                   Get get) {
  return {
      section, key, FieldLines::Once,
      [get, &names](SessionRecord& r) { return Lines{names[static_cast<std::size_t>(get(r))]}; },
      [get, &names](SessionRecord& r, const Values& v) {
        const std::string count = WantValues(v, 1);
        return count.empty() ? ReadName<E>(v[0], names, get(r)) : count;
      }};
}

// Lamp colours, one value a lamp in lamp order.
template <typename Get>
SessionField Colours(const char* section, const char* key, Get get) {
  return {section, key, FieldLines::Once,
          [get](SessionRecord& r) {
            std::string line;
            for (const LampColour c : get(r)) {
              line += (line.empty() ? "" : " ") + std::string(kColourNames[static_cast<int>(c)]);
            }
            return Lines{line};
          },
          [get](SessionRecord& r, const Values& v) {
            auto& lamps = get(r);
            std::string wrong = WantValues(v, lamps.size());
            for (std::size_t i = 0; i < v.size() && wrong.empty(); ++i) {
              wrong = ReadName<LampColour>(v[i], kColourNames, lamps[i]);
            }
            return wrong;
          }};
}

// The words of a register or of memory, a line for each word that is not cleared, named by its
// place written with `digits` digits.
template <typename Get>
SessionField Words(const char* section, const char* key, int digits, Get get) {
  return {section, key, FieldLines::Indexed,
          [get, digits](SessionRecord& r) {
            Lines lines;
            const auto& words = get(r);
            for (std::size_t i = 0; i < words.size(); ++i) {
              if (words[i] == kZeroWord) continue;
              char place[8];
              std::snprintf(place, sizeof place, "%0*zu", digits, i);
              lines.push_back(place + std::string(" ") + SessionText(words[i].View()));
            }
            return lines;
          },
          [get](SessionRecord& r, const Values& v) {
            auto& words = get(r);
            std::string wrong = WantValues(v, 2);
            int place = 0;
            if (wrong.empty()) {
              wrong = ReadInteger(v[0], 0, static_cast<long long>(words.size()) - 1, place);
            }
            if (wrong.empty())
              wrong = ReadMachineText(v[1], words[static_cast<std::size_t>(place)]);
            return wrong;
          }};
}

SessionField OperatingAsIField() {
  SessionField f = Flag("options and switches", "operating-as-I",
                        [](SessionRecord& r) -> bool& { return r.Machine.OperatingAsI; });
  auto readFlag = f.read;
  f.read = [readFlag](SessionRecord& r, const Values& v) {
    std::string wrong = readFlag(r, v);
    if (wrong.empty() && r.Machine.OperatingAsI && !r.ModelII) {
      wrong = "an ORMLAX I cannot be operating as an ORMLAX I";
    }
    return wrong;
  };
  return f;
}

SessionField QTSwitchesField() {
  return {nullptr, "qt-switches", FieldLines::Once,
          [](SessionRecord& r) {
            std::string line;
            for (int i = 0; i <= kQTAll; ++i) {
              if (!r.Machine.QTSwitches[static_cast<std::size_t>(i)]) continue;
              line += (line.empty() ? "" : " ") + (i == kQTAll ? "all" : std::to_string(i));
            }
            return Lines{line.empty() ? "none" : line};
          },
          [](SessionRecord& r, const Values& v) -> std::string {
            auto& switches = r.Machine.QTSwitches;
            switches.fill(false);
            if (v.size() == 1 && !v[0].bracketed && v[0].text == "none") return {};
            if (v.empty()) return "needs the switches that are on, or none";
            for (const SessionValue& s : v) {
              const bool all = !s.bracketed && s.text == "all";
              const bool digit = !s.bracketed && s.text.size() == 1 && IsDecimalDigit(s.text[0]);
              if (!all && !digit) return "\"" + s.text + "\" is not a switch 0 to 9 or all";
              switches[static_cast<std::size_t>(all ? kQTAll : s.text[0] - '0')] = true;
            }
            return {};
          }};
}

SessionField DefaultServoField() {
  return {nullptr, "default-servo", FieldLines::Once,
          [](SessionRecord& r) {
            return Lines{std::string(1, ServoIdentifier(r.Machine.DefaultServo))};
          },
          [](SessionRecord& r, const Values& v) {
            const std::string count = WantValues(v, 1);
            return count.empty() ? ServoNumber(r, v[0], r.Machine.DefaultServo) : count;
          }};
}

SessionField TwoTexts(const char* section, const char* key, bool words) {
  // transfer-save holds two words, panel-qt-go-labels two texts of any length.
  return {section, key, FieldLines::Once,
          [words](SessionRecord& r) {
            if (words) {
              const auto& w = r.Machine.TransferSave;
              return Lines{SessionText(w[0].View()) + " " + SessionText(w[1].View())};
            }
            const auto& t = r.Machine.Panel.QTGoLabels;
            return Lines{SessionText(t[0]) + " " + SessionText(t[1])};
          },
          [words](SessionRecord& r, const Values& v) {
            std::string wrong = WantValues(v, 2);
            for (std::size_t i = 0; i < v.size() && wrong.empty(); ++i) {
              wrong = words ? ReadMachineText(v[i], r.Machine.TransferSave[i])
                            : ReadBracketed(v[i], r.Machine.Panel.QTGoLabels[i]);
            }
            return wrong;
          }};
}

SessionField LastStopField() {
  return {nullptr, "last-stop", FieldLines::Once,
          [](SessionRecord& r) { return Lines{SessionText(StopReasonText(r.Machine.LastStop))}; },
          [](SessionRecord& r, const Values& v) -> std::string {
            std::string text;
            std::string wrong = WantValues(v, 1);
            if (wrong.empty()) wrong = ReadBracketed(v[0], text);
            if (!wrong.empty()) return wrong;
            const std::string unknown = StopReasonText(static_cast<StopReason>(UCHAR_MAX));
            for (int n = 0; n < UCHAR_MAX && text != unknown; ++n) {
              const auto reason = static_cast<StopReason>(n);
              if (text == StopReasonText(reason)) {
                r.Machine.LastStop = reason;
                return {};
              }
            }
            return "\"" + text + "\" is not a reason for a stop";
          }};
}

SessionField PaperWarningHeightField() {
  return {nullptr, "paper-warning-height", FieldLines::Once,
          [](SessionRecord& r) {
            char text[32];
            const auto end =
                std::to_chars(text, text + sizeof text, r.Typewriter.PaperWarningHeight).ptr;
            return Lines{std::string(text, end)};
          },
          [](SessionRecord& r, const Values& v) -> std::string {
            std::string wrong = WantValues(v, 1);
            if (!wrong.empty()) return wrong;
            double height = 0;
            const std::string& t = v[0].text;
            const auto [ptr, ec] = std::from_chars(t.data(), t.data() + t.size(), height);
            if (v[0].bracketed || ec != std::errc() || ptr != t.data() + t.size() ||
                !(height >= 0.0 && height <= 1.0)) {
              return "\"" + t + "\" is not a fraction from 0 to 1";
            }
            r.Typewriter.PaperWarningHeight = height;
            return {};
          }};
}

SessionField PaperField() {
  return {nullptr, "paper", FieldLines::Ordered,
          [](SessionRecord& r) {
            Lines lines;
            const std::string& paper = r.Typewriter.Paper;
            for (std::size_t at = 0;;) {
              const std::size_t end = paper.find(kPaperLineEnd, at);
              lines.push_back(SessionText(std::string_view(paper).substr(at, end - at)));
              if (end == std::string::npos) break;
              at = end + kPaperLineEnd.size();
            }
            return lines;
          },
          [](SessionRecord& r, const Values& v) {
            std::string line;
            std::string wrong = WantValues(v, 1);
            if (wrong.empty()) wrong = ReadBracketed(v[0], line);
            if (wrong.empty()) {
              if (r.PaperLines++ > 0) r.Typewriter.Paper += kPaperLineEnd;
              r.Typewriter.Paper += line;
            }
            return wrong;
          }};
}

// A servo's tape as its line says it, checked against the shapes a servo can be in.
std::string CheckServo(const SavedServo& s) {
  const bool mounted = s.State == ServoState::ReadWrite || s.State == ServoState::WriteProtected;
  const auto onBlock = [](int record) { return (record - 1) % kBlockRecords == 0; };
  switch (s.State) {
    case ServoState::Empty:
      if (s.Position != 0 || s.EndOfData != 0 || s.Length || !s.File.empty()) {
        return "an empty servo has position 0, end of data 0, no length and no file";
      }
      return {};
    case ServoState::Unloaded:
      if (s.Position > 1 || s.Length) return "an unloaded servo has position 0 or 1 and no length";
      return {};
    case ServoState::ReadWrite:
    case ServoState::WriteProtected:
      break;
  }
  if (!mounted || s.File.empty() || !s.Length) return "a mounted tape needs its file and length";
  if (*s.Length % kBlockBytes != 0)
    return "a tape's length is a whole number of blocks of 744 bytes";
  const std::int64_t records = *s.Length / kRecordBytes;
  if (s.EndOfData < 1 || s.EndOfData > records + 1 || !onBlock(s.EndOfData)) {
    return "the end of data " + std::to_string(s.EndOfData) +
           " is not the start of a block of "
           "the tape or the record after its last";
  }
  if (s.Position < 1 || s.Position > s.EndOfData || !onBlock(s.Position)) {
    return "the position " + std::to_string(s.Position) +
           " is not the start of a block before "
           "the end of data";
  }
  return {};
}

SessionField ServoField() {
  return {"servos", "servo", FieldLines::Indexed,
          [](SessionRecord& r) {
            Lines lines;
            for (int n = 0; n < ServoCountOf(r.ModelII); ++n) {
              const SavedServo& s = r.Servos[static_cast<std::size_t>(n)];
              lines.push_back(std::string(1, ServoIdentifier(n)) + " " +
                              kServoStateNames[static_cast<std::size_t>(s.State)] + " position " +
                              std::to_string(s.Position) + " end-of-data " +
                              std::to_string(s.EndOfData) + " length " +
                              (s.Length ? std::to_string(*s.Length) : "-") + " blank-tape " +
                              (s.BlankTape ? "yes" : "no") + " file " + SessionText(s.File));
            }
            return lines;
          },
          [](SessionRecord& r, const Values& v) -> std::string {
            std::string wrong = WantValues(v, 12);
            int servo = 0;
            if (wrong.empty()) wrong = ServoNumber(r, v[0], servo);
            if (!wrong.empty()) return wrong;
            SavedServo& s = r.Servos[static_cast<std::size_t>(servo)];
            const char* labels[] = {"position", "end-of-data", "length", "blank-tape", "file"};
            for (std::size_t i = 0; i < 5; ++i) {
              if (v[2 + 2 * i].bracketed || v[2 + 2 * i].text != labels[i]) {
                return std::string(
                    "the servo's values are: identifier, state, position N, "
                    "end-of-data N, length N or -, blank-tape yes or no, file [NAME]");
              }
            }
            wrong = ReadName<ServoState>(v[1], kServoStateNames, s.State);
            if (wrong.empty()) wrong = ReadInteger(v[3], 0, kTapeRecords + 1, s.Position);
            if (wrong.empty()) wrong = ReadInteger(v[5], 0, kTapeRecords + 1, s.EndOfData);
            if (wrong.empty() && !(v[7].text == "-" && !v[7].bracketed)) {
              long long length = 0;
              if (!ParseInteger(v[7], 0, kTapeBytes, length)) {
                return "the length \"" + v[7].text + "\" is not a number of bytes a tape can have";
              }
              s.Length = length;
            }
            if (wrong.empty()) wrong = ReadFlag(v[9], s.BlankTape);
            if (wrong.empty()) wrong = ReadBracketed(v[11], s.File);
            return wrong.empty() ? CheckServo(s) : wrong;
          }};
}

std::vector<SessionField> MakeFields() {
  using R = SessionRecord;
  constexpr long long kMaxInt = INT_MAX, kMinInt = INT_MIN;
  return {
      Fixed("registers", "rA", [](R& r) -> Word& { return r.Machine.rA; }),
      Fixed(nullptr, "rX", [](R& r) -> Word& { return r.Machine.rX; }),
      Fixed(nullptr, "rL", [](R& r) -> Word& { return r.Machine.rL; }),
      Fixed(nullptr, "rF", [](R& r) -> Word& { return r.Machine.rF; }),
      Fixed(nullptr, "rCR", [](R& r) -> Word& { return r.Machine.rCR; }),
      Number(nullptr, "rCC", 0, kLastLocation, [](R& r) -> int& { return r.Machine.rCC; }),
      Fixed(nullptr, "rSR", [](R& r) -> Instruction& { return r.Machine.rSR; }),
      Named<RegisterStatus>(nullptr, "rV-status", kStatusNames,
                            [](R& r) -> RegisterStatus& { return r.Machine.rVStatus; }),
      Named<RegisterStatus>(nullptr, "rY-status", kStatusNames,
                            [](R& r) -> RegisterStatus& { return r.Machine.rYStatus; }),
      Named<RegisterStatus>(nullptr, "rI-status", kStatusNames,
                            [](R& r) -> RegisterStatus& { return r.Machine.rIStatus; }),
      Words(
          nullptr, "rV", 1, [](R & r) -> auto& { return r.Machine.rV; }),
      Words(
          nullptr, "rY", 2, [](R & r) -> auto& { return r.Machine.rY; }),
      Words(
          nullptr, "rI", 2, [](R & r) -> auto& { return r.Machine.rI; }),
      OperatingAsIField(),
      Flag(nullptr, "has-I-instruction", [](R& r) -> bool& { return r.Machine.HasIInstruction; }),
      Flag(nullptr, "special-functions", [](R& r) -> bool& { return r.Machine.ProgramDebug; }),
      Flag(nullptr, "stop-on-comma", [](R& r) -> bool& { return r.Machine.StopOnComma; }),
      Named<FiftyBreakMode>(nullptr, "fifty-break", kFiftyNames,
                            [](R& r) -> FiftyBreakMode& { return r.Machine.FiftyBreak; }),
      QTSwitchesField(),
      DefaultServoField(),
      Colours(
          "lamps", "lamps", [](R & r) -> auto& { return r.Machine.Lamp; }),
      Flag("run and cycle flags", "execute-from-CR",
           [](R& r) -> bool& { return r.Machine.ExecuteFromCR; }),
      Flag(nullptr, "half-step-pending", [](R& r) -> bool& { return r.Machine.HalfStepPending; }),
      Flag(nullptr, "overflow", [](R& r) -> bool& { return r.Machine.OverflowFlag; }),
      Flag(nullptr, "minus-modifier", [](R& r) -> bool& { return r.Machine.MinusModifier; }),
      Flag(nullptr, "F-modifier", [](R& r) -> bool& { return r.Machine.FModifier; }),
      Number(nullptr, "current-address", -1, kLastLocation,
             [](R& r) -> int& { return r.Machine.CurrentAddress; }),
      Number(nullptr, "next-address", -1, kLastLocation,
             [](R& r) -> int& { return r.Machine.NextAddress; }),
      Flag(nullptr, "transfer-taken", [](R& r) -> bool& { return r.Machine.TransferTaken; }),
      TwoTexts(nullptr, "transfer-save", true),
      Number(nullptr, "fuse-reason", 0, 2, [](R& r) -> int& { return r.Machine.FuseReason; }),
      Fixed(nullptr, "keyboard-word", [](R& r) -> Word& { return r.Machine.KeyboardWord; }),
      LastStopField(),
      Number("console panel", "console-location", 0, kLastLocation,
             [](R& r) -> int& { return r.Machine.ConsoleLocation; }),
      Text(nullptr, "panel-location-text",
           [](R& r) -> std::string& { return r.Machine.Panel.LocationText; }),
      Fixed(nullptr, "panel-contents", [](R& r) -> Word& { return r.Machine.Panel.Contents; }),
      Flag(nullptr, "panel-contents-empty",
           [](R& r) -> bool& { return r.Machine.Panel.ContentsEmpty; }),
      Flag(nullptr, "panel-rCC-blank", [](R& r) -> bool& { return r.Machine.Panel.rCCBlank; }),
      Flag(nullptr, "panel-rCR-blank", [](R& r) -> bool& { return r.Machine.Panel.rCRBlank; }),
      Flag(nullptr, "panel-rSR-blank", [](R& r) -> bool& { return r.Machine.Panel.rSRBlank; }),
      Flag(nullptr, "panel-controls-enabled",
           [](R& r) -> bool& { return r.Machine.Panel.ControlsEnabled; }),
      Flag(nullptr, "panel-location-enabled",
           [](R& r) -> bool& { return r.Machine.Panel.LocationEnabled; }),
      Flag(nullptr, "panel-hold-controls-enabled",
           [](R& r) -> bool& { return r.Machine.Panel.HoldControlsEnabled; }),
      Named<QTGoChoice>(nullptr, "panel-qt-go", kQTGoNames,
                        [](R& r) -> QTGoChoice& { return r.Machine.Panel.QTGo; }),
      TwoTexts(nullptr, "panel-qt-go-labels", false),
      Words(
          "memory (every word not listed is 000000000000)", "memory", 4,
          [](R & r) -> auto& { return r.Machine.Memory; }),
      ServoField(),
      Flag("console typewriter", "typewriter-power",
           [](R& r) -> bool& { return r.Typewriter.PowerOn; }),
      Flag(nullptr, "typewriter-computer-digit",
           [](R& r) -> bool& { return r.Typewriter.ComputerDigit; }),
      Number(nullptr, "typewriter-column", 0, kMaxInt,
             [](R& r) -> int& { return r.Typewriter.Column; }),
      Flag(nullptr, "typewriter-shift-lock", [](R& r) -> bool& { return r.Typewriter.ShiftLock; }),
      Flag(nullptr, "typewriter-shift-once", [](R& r) -> bool& { return r.Typewriter.ShiftOnce; }),
      Flag(nullptr, "typewriter-stop-pending",
           [](R& r) -> bool& { return r.Typewriter.StopPending; }),
      Flag(nullptr, "typewriter-breakpoint-stop",
           [](R& r) -> bool& { return r.Typewriter.BreakpointStop; }),
      Colours(
          nullptr, "typewriter-lamps",
          [](R & r) -> auto& { return r.Typewriter.shaOrmprinterLamp; }),
      Flag(nullptr, "typewriter-start-enabled",
           [](R& r) -> bool& { return r.Typewriter.StartEnabled; }),
      Flag(nullptr, "typewriter-section-shown",
           [](R& r) -> bool& { return r.Typewriter.SectionShown; }),
      Number(nullptr, "typewriter-help-context-offset", 0, kSectionHelpContextOffset,
             [](R& r) -> int& { return r.Typewriter.HelpContextOffset; }),
      Text(nullptr, "print-buffer", [](R& r) -> std::string& { return r.PrintBuffer; }),
      Number(nullptr, "paper-left", kMinInt, kMaxInt,
             [](R& r) -> int& { return r.Typewriter.PaperLeft; }),
      Flag(nullptr, "paper-endless", [](R& r) -> bool& { return r.Typewriter.EndlessPaper; }),
      Flag(nullptr, "paper-black", [](R& r) -> bool& { return r.Typewriter.PaperBlack; }),
      Flag(nullptr, "paper-warning-shown",
           [](R& r) -> bool& { return r.Typewriter.PaperWarningShown; }),
      PaperWarningHeightField(),
      PaperField(),
      Text("assembler", "last-assembled",
           [](R& r) -> std::string& { return r.LastAssembledProgram; }),
  };
}

}  // namespace

const char* SessionModelName(bool modelII) {
  return modelII ? "II" : "I";
}

const std::vector<SessionField>& SessionFields() {
  static const std::vector<SessionField> fields = MakeFields();
  return fields;
}

}  // namespace ormlax
