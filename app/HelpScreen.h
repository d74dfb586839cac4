#pragma once

#include "ui/Screen.h"

class QLineEdit;
class QListWidget;
class QTextBrowser;

namespace app {

// The user guide: its pages listed beside the page shown, and a search over all of them.
class HelpScreen : public ui::Screen
{
    Q_OBJECT
public:
    static QString screenName() { return QStringLiteral("HelpScreen"); }
    explicit HelpScreen(QWidget *parent = nullptr);

    // Shows `page`; false, the user told, when the guide does not have it.
    bool showPage(const QString &page);
    QString page() const { return m_page; }

private:
    void search(const QString &words);

    QLineEdit *m_search;
    QListWidget *m_pages;
    QTextBrowser *m_browser;
    QString m_page;
};

} // namespace app
