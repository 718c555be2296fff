// Driving dialogs as a user does: a list entry picked, a box typed into and left, and a modal
// dialog answered once it shows.
#pragma once

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMetaObject>
#include <QTest>
#include <QTimer>

#include <functional>

namespace talvex::testing {

// A list entry picked as the user picks it.
void choose(QComboBox* list, int entry) {
    list->setCurrentIndex(entry);
    emit list->activated(entry);
    emit list->textActivated(list->itemText(entry));
}

void typeInto(QLineEdit* edit, const QString& text) {
    edit->setFocus();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    QTest::keyClicks(edit, text);
    // Leaving the box stores it.
    QMetaObject::invokeMethod(edit, "editingFinished");
}

// Runs act on the first visible top-level widget of type T once it shows (modal dialogs run
// their own loop until they close).
template <typename T>
void whenShown(std::function<void(T*)> act) {
    auto* poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, [=] {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* found = qobject_cast<T*>(w); found && found->isVisible()) {
                poll->stop();
                poll->deleteLater();
                act(found);
                return;
            }
    });
    poll->start(20);
}

}  // namespace talvex::testing
