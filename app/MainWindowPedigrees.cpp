// The main window's routes to the pedigrees, certificates and charts, and the choosers before
// them.
#include "app/MainWindow.h"
#include "app/ReportPreview.h"
#include "breeding/MatingHistoryScreens.h"
#include "core/Clock.h"
#include "db/DatabaseFiles.h"
#include "health/HistoryScreens.h"
#include "pedigree/CertificateChooser.h"
#include "pedigree/HealthLines.h"
#include "pedigree/PedigreeCertificate.h"
#include "pedigree/PedigreeChart.h"
#include "pedigree/PedigreeInbreeding.h"
#include "pedigree/PedigreeScreens.h"
#include "pedigree/PrintablePedigree.h"
#include "showcase/Titles.h"

#include <QInputDialog>
#include <QPushButton>

namespace app {

void MainWindow::openPedigreeChooser()
{
    m_screens->open(pedigree::ViewPedigreeScreen::screenName(), [this] {
        auto *screen = new pedigree::ViewPedigreeScreen;
        connect(screen, &pedigree::ViewPedigreeScreen::pedigreeBuilt, this,
                &MainWindow::showPedigree);
        return screen;
    });
}

void MainWindow::openPossibleMating()
{
    m_screens->open(pedigree::PossibleMatingScreen::screenName(), [this] {
        auto *screen = new pedigree::PossibleMatingScreen;
        connect(screen, &pedigree::PossibleMatingScreen::pedigreeBuilt, this,
                &MainWindow::showPedigree);
        return screen;
    });
}

void MainWindow::showPedigree(int generations)
{
    const QString subject = pedigree::currentPedigree().subject;
    auto certificate = [this, subject] { openCertificateChooser(subject); };
    if (generations == 3) {
        auto *screen = qobject_cast<pedigree::Pedigree3Screen *>(
            m_screens->open(pedigree::Pedigree3Screen::screenName(), [this] {
                auto *created = new pedigree::Pedigree3Screen;
                connect(created, &pedigree::Pedigree3Screen::printRequested, this,
                        [this] { showReport(pedigree::printablePedigree()); });
                connect(created, &pedigree::Pedigree3Screen::certificateRequested, this,
                        [this] { openCertificateChooser(pedigree::currentPedigree().subject); });
                return created;
            }));
        screen->showRecord();
    } else if (generations == 4) {
        qobject_cast<pedigree::Pedigree4Screen
                         *>(m_screens->open(pedigree::Pedigree4Screen::screenName(), [this] {
            auto *created = new pedigree::Pedigree4Screen;
            connect(created, &pedigree::Pedigree4Screen::certificateRequested, this,
                    [this] { openCertificateChooser(pedigree::currentPedigree().subject); });
            return created;
        }))->showRecord();
    } else {
        const pedigree::PedigreeRecord record = pedigree::currentPedigree();
        showChart(record, generations, {});
        auto *chart = m_screens->find<ReportPreview>(QStringLiteral("PedigreeChart"));
        QPushButton *button = chart->extraButton(QStringLiteral("Pedigree Certificate"),
                                                 QStringLiteral("certificate"));
        button->disconnect();
        connect(button, &QPushButton::clicked, this, certificate);
        QPushButton *dna =
            chart->extraButton(QStringLiteral("DNA Status..."), QStringLiteral("dnaStatus"));
        dna->disconnect();
        connect(dna, &QPushButton::clicked, this, [this, record, generations] {
            const QString none = QStringLiteral("None");
            bool chosen = false;
            const QString test = QInputDialog::getItem(
                this, QStringLiteral("DNA Status"), QStringLiteral("Mark each dog's status for"),
                QStringList{none} + pedigree::dnaTestNames(db::DatabaseFiles::kennel()), 0, false,
                &chosen);
            if (chosen)
                showChart(record, generations, test == none ? QString() : test);
        });
    }
}

void MainWindow::showChart(const pedigree::PedigreeRecord &record, int generations,
                           const QString &dnaTest)
{
    openReport(QStringLiteral("PedigreeChart"),
               QStringLiteral("%1 Generation Pedigree").arg(generations),
               [record, generations, dnaTest] {
                   const QSqlDatabase kennel = db::DatabaseFiles::kennel();
                   return report::PagedLayout(pedigree::pedigreeChart(
                       record, generations, pedigree::inbreedingText(record, QStringLiteral(", ")),
                       dnaTest.isEmpty() ? QHash<QString, QString>{}
                                         : pedigree::dnaMarks(kennel, record, dnaTest),
                       dnaTest.isEmpty() ? QString() : pedigree::dnaMarksLegend(dnaTest),
                       showcase::titlesByName(kennel)));
               });
}

void MainWindow::openCertificateChooser(const QString &subject)
{
    auto *chooser = qobject_cast<pedigree::CertificateChooser *>(
        m_screens->open(pedigree::CertificateChooser::screenName(), [this] {
            auto *created = new pedigree::CertificateChooser;
            connect(created, &pedigree::CertificateChooser::certificateRequested, this,
                    [this](const QString &dog, int generations) {
                        openReport(QStringLiteral("PedigreeCertificate"),
                                   QStringLiteral("Pedigree Certificate"), [dog, generations] {
                                       return report::PagedLayout(pedigree::pedigreeCertificate(
                                           db::DatabaseFiles::kennel(), dog, generations,
                                           core::Clock::today()));
                                   });
                    });
            return created;
        }));
    chooser->choose(subject);
}

void MainWindow::openMatingHistoryChooser()
{
    m_screens->open(breeding::SelectDogScreen::screenName(), [this] {
        auto *screen = new breeding::SelectDogScreen;
        connect(screen, &breeding::SelectDogScreen::dogChosen, this, [this](const QString &dog) {
            qobject_cast<breeding::MatingHistoryScreen *>(
                m_screens->open(breeding::MatingHistoryScreen::screenName(),
                                [] { return new breeding::MatingHistoryScreen; }))
                ->build(dog);
        });
        return screen;
    });
}

void MainWindow::openVaccinationChooser()
{
    m_screens->open(health::VaccinationChooserScreen::screenName(), [this] {
        auto *screen = new health::VaccinationChooserScreen;
        connect(screen, &health::VaccinationChooserScreen::dogChosen, this,
                [this](const QString &dog) {
                    m_screens->open(health::VaccinationHistoryScreen::screenName(),
                                    [dog] { return new health::VaccinationHistoryScreen(dog); });
                });
        return screen;
    });
}

} // namespace app
