#include "installation/offline_desk.h"

#include "offline/standard_boards.h"

namespace ormlax {

OffLineDesk OpenOffLineDesk(Installation& ormlax, Operator& op, HostPrinter* printer) {
  WriteStandardBoards(ormlax.WorkingFolder, op);
  return OffLineDesk{
      ormlax.WorkingFolder, ormlax.Servos, ormlax.OffLine, ormlax.Board, op, printer};
}

}  // namespace ormlax
