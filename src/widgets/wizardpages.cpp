#include "widgets/wizardpages.h"

#include "widgets/guard.h"
#include "widgets/plaintext.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QRect>
#include <optional>

WizPage::WizPage(WizardRun& run, QWidget* parent) : QDialog(parent), m_run(run)
{
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
}

void WizPage::AttachButtons()
{
    const auto button = [this](const char* name) {
        QPushButton* b = findChild<QPushButton*>(QString::fromLatin1(name));
        Q_ASSERT_X(b, "WizPage::AttachButtons", name);
        return b;
    };
    QPushButton* next = button("cmdNext");
    connect(button("cmdBack"), &QPushButton::clicked, this, guarded(this, &WizPage::cmdBack_Click));
    connect(next, &QPushButton::clicked, this, guarded(this, &WizPage::cmdNext_Click));
    connect(button("cmdCancel"), &QPushButton::clicked, this, guarded(this, &WizPage::cmdCancel_Click));
    next->setDefault(true);
    if (m_run.screen == m_run.pageCount)
        next->setText(QStringLiteral("&Finish"));
    if (QLabel* picture = findChild<QLabel*>(QStringLiteral("imgWizard")))
        picture->setPixmap(QIcon(QStringLiteral(":/images/logo.svg")).pixmap(picture->size()));
}

void WizPage::cmdNext_Click()
{
    if (!Validate())
        return;
    Store();
    ++m_run.screen;
    accept();
}

void WizPage::cmdBack_Click()
{
    GoBack();
}

void WizPage::GoBack()
{
    --m_run.screen;
    accept();
}

void WizPage::cmdCancel_Click()
{
    m_run.cancel = true;
    accept();
}

void WizPage::keyPressEvent(QKeyEvent* event)
{
    // Esc answers no button of a wizard page.
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void WizPage::closeEvent(QCloseEvent* event)
{
    // The close box answers no button either: the page stays as it was.
    event->ignore();
}

WizardResult RunWizard(WizardRun& run, bool showWelcome,
                       const std::function<std::unique_ptr<WizPage>(int page)>& makePage)
{
    run.cancel = false;
    run.screen = showWelcome ? 1 : 2;
    // Each page opens where the page before it stood, as large, so that the
    // buttons stay under the mouse from page to page.
    std::optional<QRect> previous;
    while (!run.cancel && run.screen != run.pageCount + 1) {
        if (run.screen < 1 || run.screen > run.pageCount)
            run.screen = 1;
        const std::unique_ptr<WizPage> page = makePage(run.screen);
        if (previous) {
            page->resize(previous->size().expandedTo(page->minimumSizeHint()));
            page->move(previous->topLeft());
        }
        page->exec();
        previous = QRect(page->pos(), page->size());
    }
    return run.cancel ? WizardResult::Cancelled : WizardResult::Finished;
}
