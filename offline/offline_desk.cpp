#include "offline/offline_desk.h"

#include <chrono>
#include <cstdio>
#include <ctime>

namespace ormlax {

std::string TodayText() {
  const std::time_t now = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
  std::tm local{};
  localtime_r(&now, &local);
  char text[40];
  std::snprintf(text, sizeof text, "%02d-%02d-%04d", local.tm_mon + 1, local.tm_mday,
                local.tm_year + 1900);
  return text;
}

}  // namespace ormlax
