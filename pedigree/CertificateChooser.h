#pragma once

#include "ui/Screen.h"

class QComboBox;

namespace ui {
class PickList;
}

namespace pedigree {

// Which dog and how many generations (3, 4 or 5; 4 unless chosen) the pedigree certificate
// shows.
class CertificateChooser : public ui::Screen
{
    Q_OBJECT
public:
    static QString screenName() { return QStringLiteral("CertificateChooser"); }
    explicit CertificateChooser(QWidget *parent = nullptr);
    // Starts from this dog.
    void choose(const QString &dog);

Q_SIGNALS:
    void certificateRequested(const QString &dog, int generations);

protected:
    void load() override;

private:
    void request();

    ui::PickList *m_dog;
    QComboBox *m_generations;
    QString m_pending;
};

} // namespace pedigree
