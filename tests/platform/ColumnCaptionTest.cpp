// The caption field of the column dialog: a caption is one field of the tape file, so what
// would end a field or a line cannot get into it, typed or pasted.
#include <QApplication>
#include <QLineEdit>
#include <QTest>

#include "platform/ColumnDialog.h"

namespace talvex {
namespace {

class ColumnCaptionTest : public QObject {
    Q_OBJECT

  private slots:
    void captionRefusesWhatWouldSplitTheFile() {
        ColumnDialog dialog{ColumnDialogState{}};
        auto* name = dialog.findChild<QLineEdit*>(QStringLiteral("name"));
        name->clear();
        QTest::keyClicks(name, QStringLiteral("Net"));
        const QString refused[] = {QStringLiteral("\tdue"), QStringLiteral("\r"),
                                   QStringLiteral("a\nb"), QString(QChar(u'\0')) + u'x'};
        for (const QString& text : refused) {
            name->insert(text);
            QCOMPARE(name->text(), QStringLiteral("Net"));
        }
        name->insert(QStringLiteral(" due"));
        dialog.accept();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.state().caption, std::string("Net due"));
    }
};

}  // namespace
}  // namespace talvex

QTEST_MAIN(talvex::ColumnCaptionTest)
#include "ColumnCaptionTest.moc"
