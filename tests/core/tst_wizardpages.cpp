// The page protocol the wizards share, driven with a small wizard of its own.
#include "support/testsupport.h"

#include "core/modmain.h"
#include "widgets/wizardpages.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// A page with one box whose text must not be empty.
class NamePage : public WizPage {
public:
    NamePage(WizardRun& run, QString& copy, QWidget* parent) : WizPage(run, parent), m_copy(copy)
    {
        auto* layout = new QVBoxLayout(this);
        box = new QLineEdit(m_copy, this);
        layout->addWidget(box);
        for (const char* name : {"cmdBack", "cmdNext", "cmdCancel"}) {
            auto* b = new QPushButton(QString::fromLatin1(name), this);
            b->setObjectName(QString::fromLatin1(name));
            layout->addWidget(b);
        }
        AttachButtons();
    }
    QLineEdit* box;

protected:
    bool Validate() override { return !box->text().isEmpty(); }
    void Store() override { m_copy = box->text(); }

private:
    QString& m_copy;
};

const WelcomeTexts kWelcome{QStringLiteral("frmWizTest_Welcome"), QStringLiteral("Test Wizard"),
                            QStringLiteral("Welcome to the Test Wizard"), QStringLiteral("Using this wizard...")};

void click(QWidget* page, const char* button)
{
    control<QPushButton>(page, button)->click();
}

}  // namespace

class TestWizardPages : public QObject {
    Q_OBJECT

    QString copy;
    QStringList shown;   // object names of the pages in the order shown
    WizardRun run{WizOConfig_Screen, WizOConfig_Cancel, 3};

    // Runs the three-page wizard; each step acts on the page then shown.
    WizardResult drive(const QList<std::function<void(QDialog*)>>& steps)
    {
        int step = 0;
        std::function<void()> arm = [&] {
            if (step >= steps.size())
                return;
            onNextDialog([&](QWidget* w) {
                shown << w->objectName();
                auto action = steps[step++];
                arm();   // the next page opens from within this one's click
                action(qobject_cast<QDialog*>(w));
            });
        };
        arm();
        return RunWizard(run, WizOConfig_ShowWelcome, [this](int page) -> std::unique_ptr<WizPage> {
            switch (page) {
            case 1: return std::make_unique<WizWelcomePage>(run, kWelcome, WizOConfig_ShowWelcome, nullptr);
            case 2: {
                auto p = std::make_unique<NamePage>(run, copy, nullptr);
                p->setObjectName(QStringLiteral("name"));
                return p;
            }
            default: return std::make_unique<WizCompletePage>(run, QStringLiteral("frmWizTest_Complete"), nullptr);
            }
        });
    }

private slots:
    void init()
    {
        resetProgramState();
        copy = QStringLiteral("first");
        shown.clear();
    }

    void nextBackCancelAndFinish();
    void welcomeFlagAndPagesClosedOtherwise();
    void pagesOpenWhereTheLastOneStood();
};

void TestWizardPages::pagesOpenWhereTheLastOneStood()
{
    // The user moves and enlarges the first page: every later page opens at
    // that place and size, so that its buttons do not jump.
    QList<QRect> places;
    const auto record = [&](QDialog* p) { places << QRect(p->pos(), p->size()); };
    drive({
        [&](QDialog* p) {
            p->move(p->pos() + QPoint(40, 30));
            p->resize(p->size() + QSize(60, 50));
            record(p);
            click(p, "cmdNext");
        },
        [&](QDialog* p) { record(p); click(p, "cmdNext"); },
        [&](QDialog* p) { record(p); click(p, "cmdCancel"); },
    });
    QCOMPARE(places.size(), 3);
    QCOMPARE(places[1], places[0]);
    QCOMPARE(places[2], places[0]);
}

void TestWizardPages::nextBackCancelAndFinish()
{
    // Next stores and moves on; Back stores nothing; a failed check keeps
    // the page; the last Next reads Finish; the welcome page's Back stays put.
    QString finishCaption;
    const WizardResult r = drive({
        [](QDialog* p) { QCOMPARE(p->windowTitle(), QStringLiteral("Test Wizard")); click(p, "cmdBack"); },
        [](QDialog* p) { click(p, "cmdNext"); },   // the same welcome page, still open
        [](QDialog* p) {
            auto* box = p->findChild<QLineEdit*>();
            QCOMPARE(box->text(), QStringLiteral("first"));
            box->setText(QStringLiteral("typed, then Back"));
            click(p, "cmdBack");
        },
        [](QDialog* p) { click(p, "cmdNext"); },
        [](QDialog* p) {
            auto* box = p->findChild<QLineEdit*>();
            QCOMPARE(box->text(), QStringLiteral("first"));   // Back kept nothing
            box->clear();
            click(p, "cmdNext");                               // refused: stays open
            QVERIFY(p->isVisible());
            box->setText(QStringLiteral("second"));
            click(p, "cmdNext");
        },
        [&](QDialog* p) {
            finishCaption = control<QPushButton>(p, "cmdNext")->text();
            click(p, "cmdNext");
        },
    });
    QCOMPARE(r, WizardResult::Finished);
    QCOMPARE(shown, (QStringList{"frmWizTest_Welcome", "frmWizTest_Welcome", "name", "frmWizTest_Welcome", "name",
                                 "frmWizTest_Complete"}));
    QCOMPARE(finishCaption, QStringLiteral("&Finish"));
    QCOMPARE(copy, QStringLiteral("second"));
    QCOMPARE(WizOConfig_Screen, 4);
    QVERIFY(WizOConfig_ShowWelcome);

    // Cancel on the last page, after a stored Next: the driver answers
    // Cancelled (the copies are the caller's to drop).
    shown.clear();
    const WizardResult c = drive({
        [](QDialog* p) { click(p, "cmdNext"); },
        [](QDialog* p) { click(p, "cmdNext"); },
        [](QDialog* p) { click(p, "cmdCancel"); },
    });
    QCOMPARE(c, WizardResult::Cancelled);
    QVERIFY(WizOConfig_Cancel);
    QCOMPARE(shown.size(), 3);
}

void TestWizardPages::welcomeFlagAndPagesClosedOtherwise()
{
    // A ticked box leaves the flag; Cancel on the welcome page too.
    drive({[](QDialog* p) { click(p, "cmdCancel"); }});
    QVERIFY(WizOConfig_ShowWelcome);

    // Unticked: the flag clears and the next run starts on page 2, whose
    // Back still shows the welcome page. The close box and Esc leave a page
    // open with what was typed on it.
    shown.clear();
    drive({
        [](QDialog* p) {
            control<QCheckBox>(p, "chkDisplayNext")->setChecked(false);
            click(p, "cmdNext");
        },
        [](QDialog* p) {
            static_cast<NamePage*>(p)->box->setText(QStringLiteral("typed"));
            p->close();
            QVERIFY(p->isVisible());
            QCOMPARE(static_cast<NamePage*>(p)->box->text(), QStringLiteral("typed"));
            click(p, "cmdCancel");
        },
    });
    QVERIFY(!WizOConfig_ShowWelcome);
    QCOMPARE(shown, (QStringList{"frmWizTest_Welcome", "name"}));

    shown.clear();
    drive({
        [](QDialog* p) {
            QTest::keyClick(p, Qt::Key_Escape);
            QVERIFY(p->isVisible());
            click(p, "cmdBack");
        },
        [](QDialog* p) { click(p, "cmdCancel"); },
    });
    QCOMPARE(shown, (QStringList{"name", "frmWizTest_Welcome"}));
}

TARLOMY_TEST_MAIN(TestWizardPages)
#include "tst_wizardpages.moc"
