// "VantPrinter Setup": the label printer on a printer of the system or on a serial port (its
// model and port), and whether its panel shows at start. OK hands the choices back; Cancel
// leaves the setup as it was.
#pragma once

#include <QDialog>

#include "printing/PrinterPort.h"

class QCheckBox;
class QComboBox;
class QRadioButton;

namespace talvex {

class VDevForm : public QDialog {
    Q_OBJECT

  public:
    VDevForm(const LabelPrinterSetup& setup, QWidget* parent = nullptr);

    // The choices as OK stores them, over the setup the dialog was opened with.
    LabelPrinterSetup chosen() const;

    // Shows the dialog; true and the setup changed on OK.
    static bool edit(LabelPrinterSetup& setup, QWidget* parent);

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
