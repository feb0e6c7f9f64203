// The block registers rV (V, W) and rY (Y, Z), and the memory fuse.
#include <string>

#include "core/character_code.h"
#include "core/clear_operations.h"
#include "core/processor.h"

namespace ormlax {
namespace {

const Word kFuseWord = Word::FromText("Z4Z4Z4Z4Z4Z4");

}  // namespace

// The count of an ORMLAX II block instruction: 1 when operating as an ORMLAX I, else the
// modifier's digit. A count outside 1..limit (or a modifier without a digit value) is no
// instruction of the machine: it moves nothing, and with Special functions on it is reported.
int Processor::BlockCount(const Decoded& d, int limit, char name) {
  if (s_.OperatingAsI) return 1;
  const int c = DigitValue(d.modifier);
  if (c >= 1 && c <= limit) return c;
  Warn((std::string("ORMLAX II has no ") + name + d.modifier + " instruction").c_str());
  return 0;
}

void Processor::LoadV(const Decoded& d) {
  if (AddressInvalid()) return;
  const int m = s_.CurrentAddress;
  if (!s_.IsModelII) {
    s_.rV[0] = At(m);
    s_.rV[1] = At(m + 1);
  } else {
    const int c = BlockCount(d, 10, 'V');
    for (int i = 0; i < c; ++i) {
      if (m + i > kLastLocation) {
        StopWithLamp(s_, kInvalidAddressLamp);
        return;
      }
      s_.rV[static_cast<std::size_t>(i)] = At(m + i);
    }
  }
  s_.rVStatus = RegisterStatus::InUse;
}

void Processor::StoreW(const Decoded& d) {
  if (s_.rVStatus == RegisterStatus::Cleared) Warn("Storing empty rV");
  if (AddressInvalid()) return;
  const int m = s_.CurrentAddress;
  if (!s_.IsModelII) {
    Written(m) = s_.rV[0];
    Written(m + 1) = s_.rV[1];
    return;
  }
  const int c = BlockCount(d, 10, 'W');
  for (int i = 0; i < c; ++i) {
    if (m + i > kLastLocation) {
      StopWithLamp(s_, kInvalidAddressLamp);
      return;
    }
    Written(m + i) = s_.rV[static_cast<std::size_t>(i)];
  }
}

void Processor::LoadY(const Decoded& d) {
  if (!AddressInvalid()) {
    const int b = s_.CurrentAddress - s_.CurrentAddress % 10;
    const int c = s_.IsModelII ? BlockCount(d, 6, 'Y') : 1;
    for (int i = 0; i < 10 * c; ++i) {
      if (b + i > kLastLocation) {
        StopWithLamp(s_, kInvalidAddressLamp);
        break;
      }
      s_.rY[static_cast<std::size_t>(i)] = At(b + i);
    }
  }
  s_.rYStatus = RegisterStatus::InUse;
}

void Processor::StoreZ(const Decoded& d) {
  if (s_.rYStatus == RegisterStatus::Cleared) Warn("Storing empty rY");
  if (!AddressInvalid()) {
    const int b = s_.CurrentAddress - s_.CurrentAddress % 10;
    const int c = s_.IsModelII ? BlockCount(d, 6, 'Z') : 1;
    for (int i = 0; i < 10 * c; ++i) {
      if (b + i > kLastLocation) {
        StopWithLamp(s_, kInvalidAddressLamp);
        break;
      }
      Written(b + i) = s_.rY[static_cast<std::size_t>(i)];
    }
  }
  CheckMemoryFuse();
}

void Processor::CheckMemoryFuse() {
  if (s_.IsModelII) return;  // only the ORMLAX I has this fuse
  int count = 0;
  for (int a = 0; a < s_.MemorySize; ++a) count += At(a) == kFuseWord ? 1 : 0;
  if (count < 700) return;
  s_.FuseReason = 1;
  op_.ShowFuseWindow(1);
  StopAs(StopReason::FuseBlown);
  ClearMemory(s_);
}

}  // namespace ormlax
