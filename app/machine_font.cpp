#include "app/machine_font.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QStringList>

#include "console/typewriter_tables.h"
#include "core/character_code.h"

namespace ormlax::app {
namespace {

// Tried first, in this order, before the rest of the installed families.
const char* const kFixedFamilies[] = {
    "DejaVu Sans Mono", "Liberation Mono", "Noto Sans Mono", "Noto Mono",      "Cousine",
    "Ubuntu Mono",      "Consolas",        "Courier New",    "Nimbus Mono PS", "FreeMono",
};

// The cent sign, which the typewriter prints for the code c.
constexpr char kCentSign[] = "\u00a2";

QFont WithFamily(const QFont& base, const QString& family) {
  QFont font = base;
  font.setFamilies({family});
  return font;
}

}  // namespace

QString MachineCharacters() {
  QString chars = QString::fromLatin1(CharacterTable.data(), qsizetype(CharacterTable.size()));
  for (const TypewriterTable* table : {&UnshiftedTable, &ShiftedTable, &ComputerDigitTable}) {
    for (const std::string_view entry : *table) {
      chars += QString::fromUtf8(entry.data(), qsizetype(entry.size()));
    }
  }
  chars += QString::fromUtf8(kCentSign);
  QString unique;
  for (const QChar c : chars) {
    if (!unique.contains(c)) unique += c;
  }
  return unique;
}

bool HasEvenAdvance(const QFont& font) {
  const QFontMetricsF metrics(font);
  const QString chars = MachineCharacters();
  const qreal width = metrics.horizontalAdvance(chars.front());
  if (width <= 0) return false;
  for (const QChar c : chars) {
    if (qAbs(metrics.horizontalAdvance(c) - width) > 0.01) return false;
  }
  return true;
}

QFont MachineFont() {
  const QFont system = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  if (HasEvenAdvance(system)) return system;
  QStringList families;
  for (const char* family : kFixedFamilies) families << family;
  // Then every installed family, those that say they are fixed-pitch first.
  QStringList others;
  for (const QString& family : QFontDatabase::families()) {
    (QFontDatabase::isFixedPitch(family) ? families : others) << family;
  }
  families << others;
  for (const QString& family : families) {
    if (!QFontDatabase::hasFamily(family)) continue;
    const QFont font = WithFamily(system, family);
    if (HasEvenAdvance(font)) return font;
  }
  return system;
}

}  // namespace ormlax::app
