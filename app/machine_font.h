// The font of every field that shows machine characters: one in which all of them have the same
// advance width, found by measuring the host's fonts rather than trusting what they claim.
#pragma once

#include <QFont>
#include <QString>

namespace ormlax::app {

// The machine's 64 display characters and every character the console typewriter prints.
QString MachineCharacters();

// True when every machine character advances by the same width in `font` (glyphs the font
// lacks are measured as the host draws them, from whichever font stands in).
bool HasEvenAdvance(const QFont& font);

// The host's fixed-pitch font when it passes HasEvenAdvance; otherwise the first well-known
// fixed-pitch family, then any installed family, that does, at the same size; otherwise the
// host's fixed-pitch font all the same.
QFont MachineFont();

}  // namespace ormlax::app
