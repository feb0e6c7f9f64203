#include "tape/servo_unit.h"

namespace ormlax {

std::string ServoMessageSuffix(int servo) {
  return std::string("\r\non Servo  ") + ServoIdentifier(servo);
}

LampColour ServoStateColour(const ServoUnit& unit) {
  switch (unit.State) {
    case ServoState::ReadWrite:
      return LampColour::Green;
    case ServoState::WriteProtected:
      return LampColour::Cyan;
    case ServoState::Unloaded:
      return LampColour::Red;
    case ServoState::Empty:
      break;
  }
  return LampColour::Grey;
}

LampColour ServoInUseColour(const ServoUnit& unit) {
  return unit.Position > 1 ? LampColour::Yellow : LampColour::Grey;
}

}  // namespace ormlax
