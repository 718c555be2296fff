#include "platform/QtDialogs.h"

#include <algorithm>

#include <QFileDialog>
#include <QFileInfo>
#include <QFontMetrics>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QWidget>

#include "platform/ColumnDialog.h"
#include "platform/WindowTitle.h"

namespace talvex {

namespace {

QMessageBox::Icon qtIcon(Icon icon) {
    switch (icon) {
        case Icon::information:
            return QMessageBox::Information;
        case Icon::question:
            return QMessageBox::Question;
        case Icon::warning:
            return QMessageBox::Warning;
        case Icon::error:
            return QMessageBox::Critical;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons qtButtons(Buttons buttons) {
    switch (buttons) {
        case Buttons::ok:
            return QMessageBox::Ok;
        case Buttons::okCancel:
            return QMessageBox::Ok | QMessageBox::Cancel;
        case Buttons::yesNo:
            return QMessageBox::Yes | QMessageBox::No;
        case Buttons::yesNoCancel:
            return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    }
    return QMessageBox::Ok;
}

answer::Answer answerOf(int button) {
    switch (button) {
        case QMessageBox::Yes:
            return answer::kYes;
        case QMessageBox::No:
            return answer::kNo;
        case QMessageBox::Cancel:
            return answer::kCancel;
        default:
            return answer::kOk;
    }
}

QString local(const std::string& text) {
    return QString::fromLocal8Bit(text.c_str());
}

}  // namespace

answer::Answer QtDialogs::message(const std::string& text, const std::string& title,
                                  Buttons buttons, Icon icon) {
    QMessageBox box(qtIcon(icon), local(title), local(text), qtButtons(buttons), parent_);
    if (buttons == Buttons::yesNoCancel || buttons == Buttons::okCancel)
        box.setEscapeButton(QMessageBox::Cancel);
    return answerOf(box.exec());
}

QStringList QtDialogs::nameFilters(const std::string& filter) {
    const QStringList parts = local(filter).split('|');
    QStringList names;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2)
        if (!parts[i].isEmpty()) names << parts[i];
    return names;
}

FileDialogResult QtDialogs::chooseFile(const FileDialogRequest& request) {
    QFileDialog dialog(parent_, local(request.title), local(request.folder));
    const QStringList filters = nameFilters(request.filter);
    dialog.setNameFilters(filters);
    const int initial = std::clamp(request.initialFilter, 1, static_cast<int>(filters.size()));
    if (!filters.isEmpty()) dialog.selectNameFilter(filters[initial - 1]);
    dialog.setAcceptMode(request.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(request.save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setDefaultSuffix(local(request.defaultExtension).remove('.'));
    if (!request.proposedName.empty()) dialog.selectFile(local(request.proposedName));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    FileDialogResult result;
    result.path = dialog.selectedFiles().first().toLocal8Bit().toStdString();
    result.filter = static_cast<int>(filters.indexOf(dialog.selectedNameFilter())) + 1;
    return result;
}

bool QtDialogs::editColumn(ColumnDialogState& state) {
    return ColumnDialog::edit(state, parent_);
}

std::optional<std::string> QtDialogs::inputBox(const std::string& prompt, const std::string& title,
                                               const std::string& initial) {
    QInputDialog box(parent_);
    box.setWindowTitle(local(title));
    box.setLabelText(local(prompt));
    box.setTextValue(local(initial));
    // Wide enough for the title and for a web address or a path to show whole.
    const QFontMetrics metrics(box.font());
    const int wanted = std::max(metrics.horizontalAdvance(local(initial)),
                                metrics.horizontalAdvance(local(title)) * 2);
    box.resize(std::max(box.sizeHint().width(), std::min(wanted + 80, 640)),
               box.sizeHint().height());
    if (box.exec() != QDialog::Accepted) return std::nullopt;
    return box.textValue().toLocal8Bit().toStdString();
}

void QtDialogs::setTitle(const std::string& title) {
    if (parent_) showTapeTitle(parent_->window(), title);
}

}  // namespace talvex
