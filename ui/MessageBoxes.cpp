#include "ui/MessageBoxes.h"

#include <QApplication>
#include <QMessageBox>

namespace ui {

void MessageBoxes::ok(const QString &text, const QString &title)
{
    QMessageBox box(QMessageBox::NoIcon, title, text, QMessageBox::Ok,
                    QApplication::activeWindow());
    box.exec();
}

bool MessageBoxes::yesNo(const QString &text, const QString &title, Icon icon, Default byDefault)
{
    QMessageBox box(icon == Icon::Question ? QMessageBox::Question : QMessageBox::Critical, title,
                    text, QMessageBox::Yes | QMessageBox::No, QApplication::activeWindow());
    box.setDefaultButton(byDefault == Default::Yes ? QMessageBox::Yes : QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

} // namespace ui
