#include "platform/VDevForm.h"

#include <algorithm>

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace talvex {

namespace {

constexpr const char* kTitle = "VantPrinter Setup";
constexpr const char* kDefinition = "VantPrinter Definition";
constexpr const char* kOptions = "Options";
constexpr const char* kWindowsPrinter = "Windows Printer";
constexpr const char* kDirectConnect = "Direct Connect";
constexpr const char* kPrinterCaption = "Printer:";
constexpr const char* kModelCaption = "Model:";
constexpr const char* kPortCaption = "Port:";
constexpr const char* kModel = "CoStar LabelWriter Ascii-250";
constexpr const char* kShowOnStartup = "Display VantPrinter KeyPad on Startup";
constexpr int kPorts = 4;

QString fromBytes(const std::string& text) {
    return QString::fromLocal8Bit(text.data(), static_cast<qsizetype>(text.size()));
}

QString comName(int port) {
    return QStringLiteral("COM%1").arg(port);
}

}  // namespace

VDevForm::VDevForm(const LabelPrinterSetup& setup, const std::string& portDevice, QWidget* parent)
    : QDialog(parent), setup_(setup) {
    setObjectName("VDevForm");
    setWindowTitle(QString::fromLatin1(kTitle));
    auto* definition = new QGroupBox(QString::fromLatin1(kDefinition), this);
    windowsPrinter_ = new QRadioButton(QString::fromLatin1(kWindowsPrinter), definition);
    direct_ = new QRadioButton(QString::fromLatin1(kDirectConnect), definition);
    printer_ = new QComboBox(definition);
    for (const std::string& name : setup.printers) printer_->addItem(fromBytes(name));
    printer_->setCurrentIndex(std::max(0, printer_->findText(fromBytes(setup.printer))));
    model_ = new QComboBox(definition);
    model_->addItem(QString::fromLatin1(kModel));
    port_ = new QComboBox(definition);
    // A serial device of this machine that is no COM port can be typed in.
    port_->setEditable(true);
    for (int port = 1; port <= kPorts; ++port) port_->addItem(comName(port));
    port_->setCurrentIndex(std::clamp(setup.port, 1, kPorts) - 1);
    if (!portDevice.empty()) port_->setEditText(fromBytes(portDevice));
    auto* grid = new QGridLayout(definition);
    grid->addWidget(windowsPrinter_, 0, 0, 1, 2);
    grid->addWidget(new QLabel(QString::fromLatin1(kPrinterCaption), definition), 1, 0);
    grid->addWidget(printer_, 1, 1);
    grid->addWidget(direct_, 2, 0, 1, 2);
    grid->addWidget(new QLabel(QString::fromLatin1(kModelCaption), definition), 3, 0);
    grid->addWidget(model_, 3, 1);
    grid->addWidget(new QLabel(QString::fromLatin1(kPortCaption), definition), 4, 0);
    grid->addWidget(port_, 4, 1);
    grid->setColumnStretch(1, 1);

    auto* options = new QGroupBox(QString::fromLatin1(kOptions), this);
    startup_ = new QCheckBox(QString::fromLatin1(kShowOnStartup), options);
    startup_->setChecked(setup.showPanelOnStartup);
    (new QVBoxLayout(options))->addWidget(startup_);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* column = new QVBoxLayout(this);
    column->addWidget(definition);
    column->addWidget(options);
    column->addWidget(buttons);

    (setup.mode == 1 ? direct_ : windowsPrinter_)->setChecked(true);
    connect(windowsPrinter_, &QRadioButton::toggled, this, &VDevForm::enableGroups);
    enableGroups();
}

// The chosen kind of printer enables its own choices and disables the other's.
void VDevForm::enableGroups() {
    const bool direct = direct_->isChecked();
    printer_->setEnabled(!direct);
    model_->setEnabled(direct);
    port_->setEnabled(direct);
}

LabelPrinterSetup VDevForm::chosen() const {
    LabelPrinterSetup result = setup_;
    result.mode = direct_->isChecked() ? 1 : 0;
    result.printer = printer_->currentText().toLocal8Bit().toStdString();
    result.model = model_->currentText().toLocal8Bit().toStdString();
    // A typed device takes the place of the port the dialog was opened with.
    const int listed = port_->findText(port_->currentText().trimmed(), Qt::MatchFixedString);
    if (listed >= 0) result.port = listed + 1;
    result.showPanelOnStartup = startup_->isChecked();
    return result;
}

std::string VDevForm::typedDevice() const {
    const QString port = port_->currentText().trimmed();
    if (port.isEmpty() || port_->findText(port, Qt::MatchFixedString) >= 0) return {};
    return port.toLocal8Bit().toStdString();
}

}  // namespace talvex
