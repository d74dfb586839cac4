#pragma once

#include <functional>
#include <QObject>

class QMdiArea;
class QMdiSubWindow;
class QWidget;

namespace ui {

// Keeps each screen once inside the main window: opening a screen that is already open
// brings it to the front as it is.
class ScreenHost : public QObject
{
    Q_OBJECT
public:
    explicit ScreenHost(QMdiArea *area, QObject *parent = nullptr);

    QWidget *open(const QString &objectName, const std::function<QWidget *()> &create);
    QWidget *find(const QString &objectName) const;
    template <class T> T *find(const QString &objectName) const
    {
        return qobject_cast<T *>(find(objectName));
    }
    QMdiSubWindow *frameOf(const QWidget *screen) const;
    // Back where it was in the screen, or else into its first field that takes the focus.
    static void focusFirstField(QWidget *screen);
    // Moves a screen's frame back into the window where it reaches past an edge.
    static void keepInView(QWidget *frame);

    // Lets every screen save what the user typed. False when one cannot yet: that screen
    // is brought to the front and every screen stays open.
    bool settleAll();
    // Every screen shows what the files hold now.
    void refreshAll();
    // Closes every screen; false when one of them refused.
    bool closeAll();
    // The titles of the open screens but those named, in the order they were opened.
    QStringList titlesBut(const QList<const QWidget *> &named) const;

private:
    QMdiArea *m_area;
};

} // namespace ui
