// The supervisory control console: the main window of the desktop program. It shows the machine
// state and calls the console's operations; a run goes on inside the Run button's operation and
// lets the window's events in between words. The installation and its simulator belong to the
// program; the window works on them.
#pragma once

#include <QFont>
#include <QMainWindow>
#include <array>
#include <memory>
#include <vector>

#include "app/dialog_runner.h"
#include "installation/simulator.h"
#include "offline/host_printer.h"

class QCheckBox;
class QGridLayout;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QTimer;

namespace ormlax::app {

class DebuggingDialog;
class LampShape;
class TypewriterSection;
class WordField;

class ConsoleWindow : public QMainWindow {
  Q_OBJECT

 public:
  ConsoleWindow(Installation& ormlax, Simulator& sim, DialogRunner runner = ExecDialog(),
                QWidget* parent = nullptr);
  ~ConsoleWindow() override;

  Simulator& Machine() { return sim_; }
  // Shows everything from the machine's state.
  void RefreshFromState();
  // Shows the options and switches from the machine state, as after a session was restored.
  void ShowOptions();
  // The window's heights with the typewriter section hidden and shown.
  int HiddenHeight() const;
  int ShownHeight() const;

 signals:
  // The panel has shown the machine state: at the refresh rate during a run, and after every
  // operation.
  void Refreshed();
  // A run, a step or a single instruction has ended.
  void Stopped();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  // Building the panel: one titled frame for each group of controls.
  QWidget* BuildRegisters();
  QWidget* BuildLamps();
  QWidget* BuildRunControls();
  QWidget* BuildOptions();
  QWidget* BuildConditionalStops(QWidget* parent);
  QWidget* BuildServos();
  QWidget* BuildWindows();
  QPushButton* Button(const char* name, const QString& caption, const QString& tip = {});
  WordField* Field(const char* name, int characters);
  void FixSizes();

  // Operations bound to the controls.
  void ConnectControls();
  void AfterOperation();
  void Run();
  void SingleStep();
  void SingleInstruction();
  void StopMachine();
  void LoadServo();
  void ReadLabels();
  void AssembleProgram();
  void OffLineFunctions();
  void MemoryDump();
  void Debugging();
  // Shows the installation a session restored in the Debugging window.
  void ShowRestoredSession();
  void ShowTypewriter();
  void HideTypewriter();
  void PowerOff();
  void UpdateHelpContext();
  void SetRadio(QRadioButton* button, bool on);

  Installation& ormlax_;
  Simulator& sim_;
  DialogRunner runner_;
  QFont machineFont_;
  QTimer* refreshTimer_;
  QWidget* panel_;  // everything but the typewriter section
  int hiddenHeight_ = 0;
  int shownHeight_ = 0;
  bool poweredOff_ = false;
  // The host's default printer, for the off-line equipment; made when first needed.
  std::unique_ptr<HostPrinter> printer_;

  // Fields.
  WordField* txtLoc_;
  WordField* txtCC_;
  WordField* txtSR_;
  std::array<WordField*, 6> txtVal_{};
  std::array<QLabel*, 3> labRegName_{};
  std::array<QLabel*, 3> labRegInUse_{};
  std::array<LampShape*, kLampCount> lamps_{};
  // Controls switched by EnablePanel, and those that a run disables with them.
  std::vector<QWidget*> panelControls_;
  QPushButton* cmdRun_;
  QPushButton* cmdSingleStep_;
  QPushButton* cmdStoreLoc_;
  QPushButton* cmdLCPlus_;
  QPushButton* cmdLCMinus_;
  QPushButton* cmdAssemble_;
  QPushButton* cmdMemDump_;
  QPushButton* cmdDebug_;
  DebuggingDialog* debugging_ = nullptr;  // made when first opened; it stays open beside the panel
  QPushButton* cmdOrmprinter_;
  QCheckBox* chkProgDebug_;
  QCheckBox* chkO2asO1_ = nullptr;
  QCheckBox* chkHistorical_;
  std::array<QRadioButton*, 11> optQT_{};
  std::array<QRadioButton*, 2> optQTGo_{};
  std::array<QLabel*, 2> labQTGoPC_{};
  std::array<QRadioButton*, 16> optServo_{};
  std::array<LampShape*, 16> shaServo_{};
  std::array<LampShape*, 16> shaServoInUse_{};
  TypewriterSection* typewriter_;
};

}  // namespace ormlax::app
