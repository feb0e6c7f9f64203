// The scenes of the user's guide: each puts windows of the program in the state a guide page
// describes and photographs them.
#pragma once

#include <filesystem>

#include "tests/app/controls.h"
#include "tools/screenshots/camera.h"

namespace ormlax::screenshots {

// The windows are worked by their controls' names, as the tests work them.
using app::testing::Child;
using app::testing::Click;
using app::testing::EnterName;

// The console's job with greeting.asm, in a working folder of its own: the Assembler window,
// the servo window, Read Names, the console with and without its typewriter, a message box;
// then the help window, the keyboard window, the fault window, the start-up window and the
// ORMLAX II console.
void ConsoleScenes(Camera& camera, const std::filesystem::path& folder);

// The off-line job of the guide: the Ormtyper with the stock list typed, the plugboard editor
// with the board wired, and the off-line desk ready to print; the printout is checked.
void OffLineScenes(Camera& camera, const std::filesystem::path& folder);

// The debugging session of the guide: a store breakpoint with a count, the memory window with a
// watched location, and a session saved and restored; the Debugging and memory windows at the
// breakpoint's stop.
void DebuggingScenes(Camera& camera, const std::filesystem::path& folder);

}  // namespace ormlax::screenshots
