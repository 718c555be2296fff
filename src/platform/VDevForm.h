// "VantPrinter Setup": the label printer on a printer of the system or on a serial port (its
// model and port), and whether its panel shows at start. OK hands the choices back; Cancel
// leaves the setup as it was.
#pragma once

#include <QDialog>

#include <string>

#include "printing/PrinterPort.h"

class QCheckBox;
class QComboBox;
class QRadioButton;

namespace talvex {

class VDevForm : public QDialog {
    Q_OBJECT

  public:
    // portDevice: the device the setup's COM port stands for on this machine, shown in place
    // of its name when it is not the usual one.
    VDevForm(const LabelPrinterSetup& setup, const std::string& portDevice,
             QWidget* parent = nullptr);

    // The choices as OK stores them, over the setup the dialog was opened with.
    LabelPrinterSetup chosen() const;
    // A device path typed in place of a COM port; empty when a COM port was chosen.
    std::string typedDevice() const;

    QRadioButton* typeButton(int type) const { return type == 0 ? windowsPrinter_ : direct_; }
    QComboBox* printerList() const { return printer_; }
    QComboBox* modelList() const { return model_; }
    QComboBox* portList() const { return port_; }
    QCheckBox* showOnStartup() const { return startup_; }

  private:
    void enableGroups();

    LabelPrinterSetup setup_;
    QRadioButton* windowsPrinter_ = nullptr;
    QRadioButton* direct_ = nullptr;
    QComboBox* printer_ = nullptr;
    QComboBox* model_ = nullptr;
    QComboBox* port_ = nullptr;
    QCheckBox* startup_ = nullptr;
};

}  // namespace talvex
